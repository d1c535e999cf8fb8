// The puzzle list and the player's progress: ファイル → パズル一覧, the clock
// and action count of the puzzle in play, and what a completion or a
// give-up writes to the data folder's progress file.
//
// Actions are counted as the move list records them: every play command
// that changed something, a hint as one, and every undo and redo, each
// since the puzzle was opened.

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <chrono>

#include "app/frmMain.h"
#include "app/frmPuzzleList.h"
#include "app/progress.h"
#include "app/puzzle_list.h"
#include "geometry/movement.h"
#include "maker/frmGenerate.h"
#include "platform/qt/qt_convert.h"
#include "platform/text.h"

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
constexpr const char* kProgressNotSaved =
    QT_TRANSLATE_NOOP("pakkon::frmMain", "進行状況を記録できませんでした。\r\n%1");
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
  std::string key;  // empty: nothing to record (no file opened)
  std::chrono::steady_clock::time_point opened;
  double solvedSeconds = -1;  // the first completion since opening; -1 none
  int actions = 0;
  int hintsAtOpen = 0;
  bool gaveUp = false;
  bool full = false;  // the box was full after the last action
  QTimer* clock = nullptr;
  std::map<std::string, int> ratings;  // this session's, by key
};

void frmMain::buildPuzzleList() {
  record_ = std::make_shared<PlayRecord>();
  frmPuzzleList_exec = [](frmPuzzleList& d) { return d.exec(); };
  frmGenerate_exec = [](frmGenerate& d) { return d.exec(); };

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

  lblPlayTime = new QLabel(centralWidget());
  lblPlayTime->setObjectName("lblPlayTime");
  subTwips_place(lblPlayTime, 3780, 8900, 3435, 300);
  lblPlayTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblPlayTime->setStyleSheet(QStringLiteral("QLabel { color: #606060; }"));
  lblPlayTime->setVisible(false);
  lblPlayTime->lower();  // beneath the loader's frame in the automatic move
  record_->clock = new QTimer(this);
  record_->clock->setInterval(1000);
  connect(record_->clock, &QTimer::timeout, this, [this] {
    const bool playing = playRecording() && !record_->key.empty();
    lblPlayTime->setVisible(playing);
    if (playing && record_->solvedSeconds < 0)
      lblPlayTime->setText(playTime(kPlayTime, playSeconds(), record_->actions));
  });
}

std::string frmMain::progressPath() const { return st_.G_sDataPath + "/" + kProgressFileName; }

std::map<std::string, int>& frmMain::puzzleRatings() { return record_->ratings; }

int frmMain::playActions() const { return record_->actions; }

double frmMain::playSeconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - record_->opened).count();
}

void frmMain::subPlay_opened() {
  PlayRecord& r = *record_;
  r.key = st_.G_sPzVersion.empty() ? std::string() : fncPuzzle_key(st_);
  r.opened = std::chrono::steady_clock::now();
  r.solvedSeconds = -1;
  r.actions = 0;
  r.hintsAtOpen = hintCount();
  r.gaveUp = false;
  r.full = st_.G_iCellTotal > 0 && fncBox_count(st_.G_iBox) == st_.G_iCellTotal;
  lblPlayTime->setText(playTime(kPlayTime, 0, 0));
  lblPlayTime->setVisible(!r.key.empty() && playRecording());
  r.clock->start();
}

bool frmMain::subProgress_update(const std::function<void(ProgressBook&)>& change) {
  ProgressBook book;
  const std::string path = progressPath();
  const bool damaged = book.load(path) == ProgressLoad::Damaged;
  change(book);
  if (const IoError e = book.save(path)) {
    dialogs_.messageBox(q(kProgressNotSaved).arg(fncQString(e.text())).toStdString(), q(kProgressTitle).toStdString(),
                        MsgIcon::Exclamation, MsgButtons::OK);
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
  ++r.actions;
  const bool full = st_.G_iCellTotal > 0 && fncBox_count(st_.G_iBox) == st_.G_iCellTotal;
  const bool completed = full && !r.full;
  r.full = full;
  if (r.solvedSeconds < 0) lblPlayTime->setText(playTime(kPlayTime, playSeconds(), r.actions));
  // A completion counts for the puzzle that was opened, not for one the
  // maker has changed since.
  if (!completed || r.key.empty() || st_.G_sPzVersion.empty() || fncPuzzle_key(st_) != r.key) return;

  const double seconds = playSeconds();
  if (r.solvedSeconds < 0) {
    r.solvedSeconds = seconds;
    lblPlayTime->setText(playTime(kSolvedTime, seconds, r.actions));
  }
  const int hints = std::max(0, hintCount() - r.hintsAtOpen);
  ProgressBook book;
  subProgress_update([&](ProgressBook& b) {
    b.recordSolve(r.key, st_.G_sFileTitle, seconds, r.actions, hints, r.gaveUp, fncNow_text());
    const auto rated = r.ratings.find(r.key);
    if (rated != r.ratings.end()) b.entry(r.key).stars = rated->second;
    book = b;
  });

  // The next puzzle not solved yet, in the list's order.
  const PuzzleList list = fncPuzzleList_read(st_.G_sDataPath, book, r.ratings);
  const int next = fncPuzzleList_nextUnsolved(list, st_.sPzFile);
  if (next < 0) return;
  const PuzzleRow& row = list.rows[static_cast<size_t>(next)];
  const std::string name = row.comment.empty() ? row.name : row.name + "　" + row.comment;
  if (dialogs_.messageBox(q(kNextQuestion).arg(fncQString(name)).toStdString(), q(kNextTitle).toStdString(),
                          MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes)
    subPuzzle_open(row.path);
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
  subPuzzle_open(path);
}

}  // namespace pakkon
