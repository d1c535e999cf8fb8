// The guided demonstration and the information messages.

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <vector>

#include "app/session_demo.h"
#include "app/settings.h"
#include "demo/texts.h"
#include "geometry/movement.h"
#include "model/builtin.h"
#include "platform/text.h"
#include "qt/click_label.h"
#include "qt/frmMain.h"
#include "qt/qt_surface.h"

namespace pakkon {
namespace {

void setTag(QObject* o, const QString& t) { o->setProperty("Tag", t); }

}  // namespace

void frmMain::lblDemo_Click() {
  lblDemo->setVisible(false);
  const bool run = session_.demoRun();
  WindowPlayHost host(*this);
  const int step = subDemo_click(session_, host, playClock());
  if (run) {
    // The unattended run has been stopped and the sample set up for the
    // walkthrough: the widgets follow, the stop is seen at once rather
    // than after a pause.
    if (session_.loading() && !session_.ticking()) loaderTimer_->start(0);
    chkDedSpace->setChecked(false);
    chkDedSpace->setEnabled(true);
    subAutoMove_show();
    listRotate->clear();
    subAutoInfo_show();
    pictPiece->clear();
    showPlay(PlayOutcome{true, false, true, false, true});
    subStatus_show();
    Timer1->setInterval(static_cast<int>(kWalkTick.count()));
    Timer1->start();
    subEditMenu_update();
  }

  if (step != 0) setTag(lblDemo, QString::number(step));
  subWalkTags_show();
  if (step >= 1 && step <= 5) {
    lblDemo->setText(QString::fromStdString(fncDemo_caption(step)).replace("\r\n", "\n"));
    lblDemo->setVisible(true);
    return;
  }

  lblDemo->clear();
  Timer1->setInterval(0);
  Timer1->stop();
  setTag(lblDemo, "0");
  // Give back what the demonstration took away, the save entry included,
  // which the demonstration hid with the rest.
  subDemoMenus_enable(true);
  subEditMenu_update();
  subPreview_refresh();
  if (dialogs_.messageBox(fncText(kDemoQuestion), fncText(kDemoQuestionTitle), MsgIcon::Question, MsgButtons::YesNo) ==
      MsgAnswer::Yes)
    subDemo_off(session_);
}

QPushButton* frmMain::walkButton(WalkButton b) const {
  switch (b) {
    case WalkButton::TurnZ: return cmdTurn[0];
    case WalkButton::TurnX: return cmdTurn[1];
    case WalkButton::TurnY: return cmdTurn[2];
    case WalkButton::XDec: return cmdX_Dec;
    case WalkButton::XInc: return cmdX_Inc;
    case WalkButton::YDec: return cmdY_dec;
    case WalkButton::YInc: return cmdY_Inc;
    case WalkButton::ZDec: return cmdZ_Dec;
    case WalkButton::ZInc: return cmdZ_Inc;
    case WalkButton::Org: return cmdOrg;
    case WalkButton::Load: return cmdLoad;
    case WalkButton::None: break;
  }
  return nullptr;
}

void frmMain::subWalkTags_show() {
  // The buttons of the step shown carry its counters, as their Tags.
  const int step = session_.walkthrough().step();
  std::vector<WalkButton> shown;
  if (step == 3)
    shown = {WalkButton::XDec, WalkButton::XInc, WalkButton::YDec,
             WalkButton::YInc, WalkButton::ZDec, WalkButton::ZInc};
  if (step == 4) shown = {WalkButton::Org};
  if (step == 5) shown = {WalkButton::Load};
  for (WalkButton b : shown) setTag(walkButton(b), QString::fromStdString(session_.walkthrough().tag(b)));
}

void frmMain::Timer1_Timer() {
  const std::optional<WalkTick> tick = session_.walkTick(playClock());
  if (!tick) return;
  const WalkTick t = *tick;
  subWalkTags_show();
  QPushButton* button = walkButton(t.button);
  switch (t.what) {
    case WalkTick::Do::Nothing: return;
    case WalkTick::Do::NextBlock: setListIndex(listIndex() < 6 ? listIndex() + 1 : 0); return;
    case WalkTick::Do::Focus: button->setFocus(); return;
    case WalkTick::Do::FocusAndPress: button->setFocus(); break;
    case WalkTick::Do::Press: break;
  }
  // The button's own handler: a press the walkthrough makes is never refused by a disabled state.
  switch (t.button) {
    case WalkButton::TurnZ: return cmdTurn_Click(0);
    case WalkButton::TurnX: return cmdTurn_Click(1);
    case WalkButton::TurnY: return cmdTurn_Click(2);
    case WalkButton::XDec: return cmdX_Dec_Click();
    case WalkButton::XInc: return cmdX_Inc_Click();
    case WalkButton::YDec: return cmdY_dec_Click();
    case WalkButton::YInc: return cmdY_Inc_Click();
    case WalkButton::ZDec: return cmdZ_Dec_Click();
    case WalkButton::ZInc: return cmdZ_Inc_Click();
    case WalkButton::Org: return cmdOrg_Click();
    case WalkButton::Load: return cmdLoad_Click();
    case WalkButton::None: return;
  }
}

void frmMain::mnuHelpVerInfo_Click() {
  dialogs_.messageBox(fncVersionInfo_text(st_), fncText(kVersionTitle), MsgIcon::Information, MsgButtons::OK);
}

void frmMain::mnuPzMaker_Click() {
  if (dialogs_.messageBox(fncToolInfo_text(), fncText(kToolTitle), MsgIcon::Question, MsgButtons::YesNo) !=
      MsgAnswer::Yes)
    return;
  openUrl(QUrl::fromLocalFile(QString::fromStdString(st_.G_sAppPath + fncToolPage())).toString().toStdString());
}

}  // namespace pakkon
