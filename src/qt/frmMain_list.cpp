// The puzzle list and the player's progress: ファイル → パズル一覧, the clock
// and action count of the puzzle in play, and what a completion or a
// give-up writes to the data folder's progress file.
//
// 手数 counts what a player calls a move: a change to the box (Load,
// Cancel, UNLOAD, Clear, a box turn or push), not a selection, a turn of the
// block in hand, a hint, an undo or a redo. The clock starts at the first
// action after opening, stops at the completion, and stands still while a
// dialog of the game is open or the window is minimised. One opening
// records at most one completion.

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <chrono>
#include <optional>

#include "app/errorlog.h"
#include "app/progress.h"
#include "app/puzzle_list.h"
#include "app/settings.h"
#include "geometry/movement.h"
#include "platform/text.h"
#include "qt/frmGenerate.h"
#include "qt/frmMain.h"
#include "qt/frmPuzzleList.h"
#include "qt/qt_convert.h"

namespace pakkon {
namespace {

// The texts this file shows.
constexpr const char* kContext = "pakkon::frmMain";
constexpr const char* kListCaption = QT_TRANSLATE_NOOP("pakkon::frmMain", "パズル一覧(&L)…");
constexpr const char* kGenerateCaption = QT_TRANSLATE_NOOP("pakkon::frmMain", "新しいパズルを作る(&N)…");
constexpr const char* kPlayTime = QT_TRANSLATE_NOOP("pakkon::frmMain", "時間 %1　手数 %2");
constexpr const char* kSolvedTime = QT_TRANSLATE_NOOP("pakkon::frmMain", "完成 %1　手数 %2");
constexpr const char* kNextQuestion =
    QT_TRANSLATE_NOOP("pakkon::frmMain", "まだ解いていない次のパズル「%1」を開きますか？");
constexpr const char* kNextTitle = QT_TRANSLATE_NOOP("pakkon::frmMain", "次のパズル");
constexpr const char* kProgressTitle = QT_TRANSLATE_NOOP("pakkon::frmMain", "進行状況");
constexpr const char* kPlayTimeCaption = QT_TRANSLATE_NOOP("pakkon::frmMain", "時間と手数を表示");
constexpr const char* kProgressSetAside = QT_TRANSLATE_NOOP(
    "pakkon::frmMain", "進行状況のファイルが壊れていたため、「%1」として残し、新しく作り直しました。");

QString q(const char* s) { return QCoreApplication::translate(kContext, s); }

// "時間 1:23　手数 15", or the same with the completion's time.
QString playTime(const char* form, double seconds, int actions) {
  return q(form).arg(fncQString(fncSeconds_text(seconds))).arg(actions);
}

}  // namespace

// The puzzle in play as the progress file will know it.
struct frmMain::PlayRecord {
  std::string key;                                             // empty: nothing to record (no file opened)
  bool fromList = false;                                       // opened from the puzzle list: the next one is offered
  bool started = false;                                        // the first action after opening has come
  double elapsed = 0;                                          // seconds counted up to `since`
  std::optional<std::chrono::steady_clock::time_point> since;  // the clock runs from here
  int paused = 0;                                              // dialogs open
  bool minimised = false;
  double solvedSeconds = -1;  // the completion of this opening; -1 none
  int moves = 0;
  int hintsAtOpen = 0;
  bool gaveUp = false;
  bool full = false;         // the box was full after the last action
  bool failureTold = false;  // a progress file that cannot be written is told once a start
  QTimer* clock = nullptr;
  std::map<std::string, int> ratings;  // this session's, by key
};

void frmMain::buildPuzzleList() {
  record_ = std::make_shared<PlayRecord>();
  frmPuzzleList_exec = [](frmPuzzleList& d) { return d.exec(); };
  frmGenerate_exec = [](frmGenerate& d) { return d.exec(); };
  playClock = [] { return std::chrono::steady_clock::now(); };

  mnuFileList = new QAction(q(kListCaption), mnuFile);
  mnuFileList->setObjectName("mnuFileList");
  mnuFileGenerate = new QAction(q(kGenerateCaption), mnuFile);
  mnuFileGenerate->setObjectName("mnuFileGenerate");
  mnuFile->insertActions(mnuFileStep1, {mnuFileList, mnuFileGenerate});
  // They open puzzles, so they go where パズルを開く goes (not in the demonstration).
  connect(mnuFileOpen, &QAction::enabledChanged, this, [this](bool on) {
    mnuFileList->setEnabled(on);
    mnuFileGenerate->setEnabled(on);
  });
  connect(mnuFileList, &QAction::triggered, this, &frmMain::mnuFileList_Click);
  connect(mnuFileGenerate, &QAction::triggered, this, &frmMain::mnuFileGenerate_Click);
  mnuPlayTime = mnuView->addAction(q(kPlayTimeCaption));
  mnuPlayTime->setObjectName("mnuPlayTime");
  mnuPlayTime->setCheckable(true);
  mnuPlayTime->setChecked(fncPreferences_load(st_).bPlayTime);
  connect(mnuPlayTime, &QAction::triggered, this, [this] {
    fncPreference_put(st_, kPrefPlayTime, mnuPlayTime->isChecked());
    subPlayTime_show();
  });

  lblPlayTime = new QLabel(centralWidget());
  lblPlayTime->setObjectName("lblPlayTime");
  subTwips_place(lblPlayTime, 3780, 8900, 3435, 300);
  lblPlayTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblPlayTime->setStyleSheet(QStringLiteral("QLabel { color: #606060; }"));
  lblPlayTime->setVisible(false);
  lblPlayTime->lower();  // beneath the loader's frame in the automatic move
  record_->clock = new QTimer(this);
  record_->clock->setInterval(1000);
  connect(record_->clock, &QTimer::timeout, this, &frmMain::subPlayTime_show);
}

std::string frmMain::progressPath() const { return st_.G_sDataPath + "/" + kProgressFileName; }

std::map<std::string, int>& frmMain::puzzleRatings() { return record_->ratings; }

int frmMain::playActions() const { return record_->moves; }

double frmMain::playSeconds() const {
  const PlayRecord& r = *record_;
  if (r.solvedSeconds >= 0) return r.solvedSeconds;
  return r.elapsed + (r.since ? std::chrono::duration<double>(playClock() - *r.since).count() : 0.0);
}

void frmMain::subPlayClock_pause(bool pause) {
  PlayRecord& r = *record_;
  r.paused = std::max(0, r.paused + (pause ? 1 : -1));
  subPlayClock_run();
}

void frmMain::subPlayClock_run() {
  PlayRecord& r = *record_;
  const bool run = r.started && r.solvedSeconds < 0 && r.paused == 0 && !r.minimised;
  if (run && !r.since) {
    r.since = playClock();
  } else if (!run && r.since) {
    r.elapsed += std::chrono::duration<double>(playClock() - *r.since).count();
    r.since.reset();
  }
}

bool frmMain::event(QEvent* event) {
  // A modal dialog of the game over the window, the puzzle list and the
  // generator among them.
  if (record_ && event->type() == QEvent::WindowBlocked) subPlayClock_pause(true);
  if (record_ && event->type() == QEvent::WindowUnblocked) subPlayClock_pause(false);
  return QMainWindow::event(event);
}

void frmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && record_) {
    record_->minimised = isMinimized();
    subPlayClock_run();
  }
}

void frmMain::subPlayTime_show() {
  const PlayRecord& r = *record_;
  const bool shown = mnuPlayTime->isChecked() && playRecording() && !r.key.empty();
  lblPlayTime->setVisible(shown);
  lblPlayTime->setText(playTime(r.solvedSeconds >= 0 ? kSolvedTime : kPlayTime, playSeconds(), r.moves));
}

void frmMain::subPlay_opened() {
  PlayRecord& r = *record_;
  r.key = st_.G_sPzVersion.empty() ? std::string() : fncPuzzle_key(st_);
  r.fromList = false;
  r.started = false;
  r.elapsed = 0;
  r.since.reset();
  r.solvedSeconds = -1;
  r.moves = 0;
  r.hintsAtOpen = hintCount();
  r.gaveUp = false;
  r.full = st_.G_iCellTotal > 0 && fncBox_count(st_.G_iBox) == st_.G_iCellTotal;
  subPlayTime_show();
  r.clock->start();
}

bool frmMain::subProgress_update(const std::function<void(ProgressBook&)>& change, const std::string& password) {
  ProgressBook book;
  const std::string path = progressPath();
  const bool damaged = book.load(path) == ProgressLoad::Damaged;
  change(book);
  if (const IoError e = book.save(path)) {
    // Logged every time; told once a start, after the game's own messages,
    // and always when a password would otherwise be lost.
    subError_append(st_.G_sAppPath, "Line 0:" + e.text(), "frmMain.subProgress_update() " + fncStr(e.number));
    if (record_->failureTold && password.empty()) return false;
    record_->failureTold = true;
    dialogs_.messageBox(fncProgress_notSaved(book, e, password), q(kProgressTitle).toStdString(), MsgIcon::Exclamation,
                        MsgButtons::OK);
    return false;
  }
  if (damaged)
    dialogs_.messageBox(q(kProgressSetAside).arg(fncQString(fncFile_title(book.setAside()))).toStdString(),
                        q(kProgressTitle).toStdString(), MsgIcon::Exclamation, MsgButtons::OK);
  return true;
}

void frmMain::subPlay_after(const PlayOutcome& out, bool undoRedo) {
  PlayRecord& r = *record_;
  if (!out.recorded && !(undoRedo && out.done)) return;
  if (!r.started) {
    r.started = true;
    subPlayClock_run();
  }
  if (out.boxChanged) ++r.moves;
  const bool full = st_.G_iCellTotal > 0 && fncBox_count(st_.G_iBox) == st_.G_iCellTotal;
  const bool completed = full && !r.full;
  r.full = full;
  // A completion counts for the puzzle that was opened, not for one the
  // maker has changed since, and once for each opening.
  if (!completed || r.solvedSeconds >= 0 || r.key.empty() || st_.G_sPzVersion.empty() || fncPuzzle_key(st_) != r.key) {
    subPlayTime_show();
    return;
  }

  r.solvedSeconds = playSeconds();
  subPlayClock_run();
  subPlayTime_show();
  const int hints = std::max(0, hintCount() - r.hintsAtOpen);
  ProgressBook book;
  subProgress_update([&](ProgressBook& b) {
    b.recordSolve(r.key, st_.G_sFileTitle, r.solvedSeconds, r.moves, hints, r.gaveUp, fncNow_text());
    const auto rated = r.ratings.find(r.key);
    if (rated != r.ratings.end()) b.entry(r.key).stars = rated->second;
    book = b;
  });

  // The next puzzle not solved yet, in the list's order, for a player who
  // chose the list's way of playing; No is the default, so a player
  // dismissing boxes with Enter stays with the solved puzzle.
  if (!r.fromList) return;
  const PuzzleList list = fncPuzzleList_read(st_.G_sDataPath, book, r.ratings);
  const int next = fncPuzzleList_nextUnsolved(list, st_.sPzFile);
  if (next < 0) return;
  const PuzzleRow& row = list.rows[static_cast<size_t>(next)];
  const std::string name = fncPuzzleRow_title(row);
  if (dialogs_.messageBox(q(kNextQuestion).arg(fncQString(name)).toStdString(), q(kNextTitle).toStdString(),
                          MsgIcon::Question, MsgButtons::YesNoDefaultNo) == MsgAnswer::Yes &&
      subPuzzle_open(row.path))
    record_->fromList = true;
}

void frmMain::subProgress_gaveUp() {
  PlayRecord& r = *record_;
  if (r.key.empty() || fncPuzzle_key(st_) != r.key) return;
  r.gaveUp = true;
  subProgress_update([&](ProgressBook& b) { b.recordGiveUp(r.key, st_.G_sFileTitle); });
}

void frmMain::mnuFileList_Click() {
  frmPuzzleList dialog(st_.G_sDataPath, record_->ratings, dialogs_, st_.sPzFile, this);
  if (frmPuzzleList_exec(dialog) != QDialog::Accepted || dialog.chosen().empty()) return;
  const std::string path = dialog.chosen();
  if (!fncMaking_leave()) return;
  if (subPuzzle_open(path)) record_->fromList = true;
}

}  // namespace pakkon
