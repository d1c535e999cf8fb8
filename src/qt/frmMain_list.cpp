// The puzzle list and the player's progress: ファイル → パズル一覧, and the
// clock and action count of the puzzle in play as the session keeps them.

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
constexpr const char* kPlayTimeCaption = QT_TRANSLATE_NOOP("pakkon::frmMain", "時間と手数を表示");

QString q(const char* s) { return QCoreApplication::translate(kContext, s); }

// "時間 1:23　手数 15", or the same with the completion's time.
QString playTime(const char* form, double seconds, int actions) {
  return q(form).arg(fncQString(fncSeconds_text(seconds))).arg(actions);
}

}  // namespace

void frmMain::buildPuzzleList() {
  session_.openPuzzle = [this](const std::string& path) { return subPuzzle_open(path); };
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
  mnuPlayTime = mnuView->addAction(q(kPlayTimeCaption));
  mnuPlayTime->setObjectName("mnuPlayTime");
  mnuPlayTime->setCheckable(true);
  session_.setPlayTime(session_.preferences().bPlayTime);
  mnuPlayTime->setChecked(session_.playTime());
  connect(mnuPlayTime, &QAction::triggered, this, [this](bool on) {
    session_.setPlayTime(on);
    session_.setPreference(kPrefPlayTime, on);
    subPlayTime_show();
  });

  lblPlayTime = new QLabel(centralWidget());
  lblPlayTime->setObjectName("lblPlayTime");
  subTwips_place(lblPlayTime, 3780, 8900, 3435, 300);
  lblPlayTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblPlayTime->setStyleSheet(QStringLiteral("QLabel { color: #606060; }"));
  lblPlayTime->setVisible(false);
  lblPlayTime->lower();  // beneath the loader's frame in the automatic move
  playTimer_ = new QTimer(this);
  playTimer_->setInterval(1000);
  connect(playTimer_, &QTimer::timeout, this, &frmMain::subPlayTime_show);
}

std::string frmMain::progressPath() const { return session_.progressPath(); }

std::map<std::string, int>& frmMain::puzzleRatings() { return session_.ratings(); }

int frmMain::playActions() const { return session_.moves(); }

double frmMain::playSeconds() const { return session_.seconds(playClock()); }

void frmMain::subPlayClock_pause(bool pause) { session_.pause(pause, playClock()); }

bool frmMain::event(QEvent* event) {
  // A modal dialog of the game over the window, the puzzle list and the
  // generator among them.
  if (playClock && event->type() == QEvent::WindowBlocked) subPlayClock_pause(true);
  if (playClock && event->type() == QEvent::WindowUnblocked) subPlayClock_pause(false);
  return QMainWindow::event(event);
}

void frmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (playClock && event->type() == QEvent::WindowStateChange) session_.minimise(isMinimized(), playClock());
}

void frmMain::subPlayTime_show() {
  if (!lblPlayTime) return;
  const SessionView v = session_.view(playClock());
  lblPlayTime->setVisible(v.playTime && v.playing && v.recording);
  lblPlayTime->setText(playTime(v.solved ? kSolvedTime : kPlayTime, v.seconds, v.moves));
}

void frmMain::subPlay_opened() {
  subPlayTime_show();
  playTimer_->start();
}

bool frmMain::subProgress_update(const std::function<void(ProgressBook&)>& change, const std::string& password) {
  return session_.progressUpdate(change, password);
}

void frmMain::subPlay_after(const PlayOutcome& out, bool undoRedo) {
  session_.after(out, undoRedo, playClock());
  subPlayTime_show();
}

void frmMain::mnuFileList_Click() {
  frmPuzzleList dialog(session_.storage(), st_.G_sDataPath, session_.ratings(), dialogs_, session_.path(), this);
  if (frmPuzzleList_exec(dialog) != QDialog::Accepted || dialog.chosen().empty()) return;
  const std::string path = dialog.chosen();
  if (!fncMaking_leave()) return;
  if (subPuzzle_open(path)) session_.setFromList();
}

}  // namespace pakkon
