// The auto loader's panel and the auto-move mode.

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <chrono>

#include "autoload/search.h"
#include "autoload/search_reference.h"
#include "platform/text.h"
#include "qt/frmMain.h"
#include "qt/qt_convert.h"
#include "qt/qt_surface.h"
#include "qt/shape_grid.h"

namespace pakkon {
namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

// The window as the search sees it. Redraws and labels are kept until the
// slice ends so that drawing never throttles the search; the screen shows
// the latest state at each refresh, and a pause shows it before waiting.
class frmMain::LoaderHooks : public AutoLoadHooks {
 public:
  // The first tested position ends the slice, so the window is on screen
  // before the demonstration's first pause.
  explicit LoaderHooks(frmMain& w) : w_(w), lastPump_(Clock::now() - std::chrono::hours(1)), lastDraw_(Clock::now()) {}

  bool pumpDue() override {
    // Reading the clock costs more than a test: look at it now and then.
    if (--countdown_ > 0) return false;
    countdown_ = kTestsPerClockRead;
    return Clock::now() - lastPump_ >= std::chrono::milliseconds(1);
  }

  // A slice ended: the window's events come next.
  void sliceEnded(bool pause) {
    if (pause || Clock::now() - lastDraw_ >= kFrame) flush(false);
    lastPump_ = Clock::now();
    // A pause is long: the next tested position ends the slice.
    if (pause) countdown_ = 1;
  }

  bool deadSpaceChecked() override { return w_.play().controls().deadSpace; }
  void boxDraw() override { boxDirty_ = true; }
  void pieceDraw(int block) override { piece_ = block; }
  void stripColour(int column, int32_t colour) override {
    QPalette p = w_.shpPiece[column]->palette();
    p.setColor(QPalette::Window, fncQColor(colour));
    w_.shpPiece[column]->setPalette(p);
  }
  void stripLabel(StripRow row, int column, int value) override { labels_[static_cast<int>(row)][column] = value; }
  void autoInfoShow() override {
    for (auto& row : labels_) row.fill(kUnset);
    w_.subAutoInfo_show();
  }
  void sumText(const std::string& text) override { w_.subSum_show(QString::fromStdString(text)); }
  void resultLine(const std::string& line) override {
    w_.lblAtOnce->setText(QString::fromStdString(line));
    w_.listRotate->addItem(QString::fromStdString(line));
  }
  void message(const std::string& text, const std::string& title, MsgIcon icon) override {
    flush(true);
    w_.dialogs().messageBox(text, title, icon, MsgButtons::OK);
  }
  // Whatever the search left unshown.
  void finish() { flush(true); }

 private:
  static constexpr int kUnset = INT32_MIN;
  static constexpr int kTestsPerClockRead = 1024;
  static constexpr auto kFrame = std::chrono::milliseconds(15);

  void flush(bool now) {
    if (boxDirty_) w_.subBox_draw();
    if (piece_ >= 0) w_.subPiece_draw(piece_);
    std::array<std::array<QLabel*, 8>*, 3> rows = {&w_.lblNo, &w_.lblTurn_CtZ, &w_.lblFaceV};
    for (int r = 0; r < 3; ++r)
      for (int k = 0; k < kPieces; ++k)
        if (labels_[r][k] != kUnset) (*rows[r])[k]->setText(QString::number(labels_[r][k]));
    for (auto& row : labels_) row.fill(kUnset);
    if (now) {
      // A message box is about to open over it: paint first.
      if (boxDirty_) w_.pictMain->repaint();
      if (piece_ >= 0) w_.pictPiece->repaint();
      w_.lblSum->repaint();
    }
    boxDirty_ = false;
    piece_ = -1;
    lastDraw_ = Clock::now();
  }

  frmMain& w_;
  int countdown_ = 1;
  Clock::time_point lastPump_;
  Clock::time_point lastDraw_;
  bool boxDirty_ = false;
  int piece_ = -1;
  std::array<std::array<int, 8>, 3> labels_ = [] {
    std::array<std::array<int, 8>, 3> a{};
    for (auto& row : a) row.fill(kUnset);
    return a;
  }();
};

void frmMain::cmdInit_Click() {
  session_.loaderInit();
  listRotate->clear();
  subAutoInfo_show();
}

void frmMain::cmdStop_Click() {
  session_.loadStop();
  // Seen by the next slice, at once rather than after a pause.
  if (session_.loading() && !session_.ticking()) loaderTimer_->start(0);
}

void frmMain::cmdMove_Click() {
  // A LOAD pressed while a run goes on is ignored.
  if (session_.loading()) return;
  subMoveList_clear();
  loaderHooks_ = std::make_shared<LoaderHooks>(*this);
  session_.loadStart(*loaderHooks_, Clock::now());
  subLoader_tick();
}

void frmMain::subLoader_tick() {
  // A message of the slice lets the timer through: the slice itself goes on
  // when it returns.
  if (session_.ticking() || !loaderHooks_) return;
  try {
    session_.tick(Clock::now());
  } catch (const std::exception& e) {
    // The puzzle state stays as the search last wrote it; only the run ends.
    dialogs_.messageBox(
        tr("予期しないエラーのため、自動装填を中断しました。\r\n%1").arg(QString::fromUtf8(e.what())).toStdString(),
        "Auto Load", MsgIcon::Critical, MsgButtons::OK);
  }
  if (!session_.loading()) {
    loaderTimer_->stop();
    loaderHooks_->finish();
    loaderHooks_.reset();
    return;
  }
  loaderHooks_->sliceEnded(session_.loadPaused());
  const auto due = session_.tickDue(Clock::now()).value_or(std::chrono::milliseconds(0));
  loaderTimer_->start(static_cast<int>(loaderPause(static_cast<int>(due.count()))));
}

void frmMain::mnuAautoMove_Click() {
  session_.setAutoMove(!session_.autoMove());
  subAutoMove_show();
}

void frmMain::subAutoMove_show() {
  mnuAautoMove->setChecked(session_.autoMove());
  const PlayControls& c = play_.controls();
  cmdLoad->setEnabled(c.load);
  lstPiece->setEnabled(c.list);
  subBoxButton_enable(c.boxButtons);
  subPieceButton_enable(c.pieceButtons);
  frameAuto->move(framePiece->pos());
  subEditMenu_update();
  subPreview_refresh();
}

void frmMain::subAutoInfo_show() {
  for (int k = 0; k < kPieces; ++k) {
    QPalette p = shpPiece[k]->palette();
    p.setColor(QPalette::Window, fncQColor(autoload_internal::fncStrip_colour(st_, st_.GE_iRotation[k])));
    shpPiece[k]->setPalette(p);
    lblIP[k]->setText(QString::number(st_.GE_iRotation[k] + 1));
    lblNo[k]->setText(QString::number(st_.G_Info_Piece[k].iNo));
    lblTurn_CtZ[k]->setText(QString::number(st_.G_Info_Piece[k].iTurn_CtZ));
    lblFaceV[k]->setText(QString::number(st_.G_Info_Piece[k].iFace_ct));
  }
}

}  // namespace pakkon
