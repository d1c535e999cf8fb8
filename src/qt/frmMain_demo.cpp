// The guided demonstration and the information messages.

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

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

QString tag(const QObject* o) { return o->property("Tag").toString(); }
void setTag(QObject* o, const QString& t) { o->setProperty("Tag", t); }
void incrementTag(QObject* o) { setTag(o, QString::number(fncCInt(fncVal(tag(o).toStdString())) + 1)); }

}  // namespace

void frmMain::lblDemo_Click() {
  lblDemo->setVisible(false);
  if (st_.bDemoRun) {
    // Ends the unattended run (it sees the stop at its next pump) and sets
    // up the sample for the walkthrough.
    st_.bDemoRun = false;
    chkDedSpace->setChecked(false);
    chkDedSpace->setEnabled(true);
    cmdStop_Click();
    mnuAautoMove_Click();
    cmdClear_Click();
    cmdInit_Click();
    subPieces_clear(st_);
    pictPiece->clear();
    subSamplePuzzle_set(st_);
    subPieceOrg_set(st_);
    st_.G_iCellTotal = fncPieces_count(st_);
    st_.iPiece_Sel = 0;
    subPiece_draw(0);
    stsBar_set(2, tr("プレイ").toStdString());
    stsBar_set(3, "3×3×3");
    stsBar_set(4, tr("サンプル３×３×３").toStdString());
    Timer1->setInterval(1000);
    Timer1->start();
    subMoveList_clear();
  }

  const int step = fncCInt(fncVal(tag(lblDemo).toStdString())) + 1;
  setTag(lblDemo, QString::number(step));
  if (step >= 1 && step <= 5) lblDemo->setText(QString::fromStdString(fncDemo_caption(step)).replace("\r\n", "\n"));
  if (step == 3) {
    for (QPushButton* b : {cmdX_Inc, cmdX_Dec, cmdY_Inc, cmdY_dec, cmdZ_Inc, cmdZ_Dec}) setTag(b, "0");
  } else if (step == 4) {
    setTag(cmdOrg, "0");
  } else if (step == 5) {
    setTag(cmdLoad, "0");
  }
  if (step != 6) {
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
  subMoveList_clear();
  subPreview_refresh();
  if (dialogs_.messageBox(fncText(kDemoQuestion), fncText(kDemoQuestionTitle), MsgIcon::Question, MsgButtons::YesNo) ==
      MsgAnswer::Yes) {
    st_.G_bDemo = false;
    subDemo_put(st_);
  }
}

void frmMain::Timer1_Timer() {
  const QString step = tag(lblDemo);
  if (step == "1") {
    setListIndex(listIndex() < 6 ? listIndex() + 1 : 0);
  } else if (step == "2") {
    // Counters move on before the press: a message the press shows runs the
    // event loop, and the next tick must not press the same button again.
    const int k = turnButton_;
    turnButton_ = turnButton_ + 1 > 2 ? 0 : turnButton_ + 1;
    cmdTurn[k]->setFocus();
    cmdTurn_Click(k);
  } else if (step == "3") {
    const std::pair<QPushButton*, void (frmMain::*)()> moves[] = {
        {cmdX_Dec, &frmMain::cmdX_Dec_Click}, {cmdX_Inc, &frmMain::cmdX_Inc_Click},
        {cmdY_dec, &frmMain::cmdY_dec_Click}, {cmdY_Inc, &frmMain::cmdY_Inc_Click},
        {cmdZ_Dec, &frmMain::cmdZ_Dec_Click}, {cmdZ_Inc, &frmMain::cmdZ_Inc_Click},
    };
    for (const auto& [button, handler] : moves) {
      const QString t = tag(button);
      if (t != "0" && t != "1") continue;
      if (t == "0") button->setFocus();
      incrementTag(button);
      (this->*handler)();
      return;
    }
    if (tag(cmdZ_Inc) == "2")
      for (const auto& move : moves) setTag(move.first, "0");
  } else if (step == "4" || step == "5") {
    QPushButton* button = step == "4" ? cmdOrg : cmdLoad;
    if (tag(button) == "0") {
      button->setFocus();
      setTag(button, "1");
    } else if (tag(button) == "1") {
      setTag(button, "2");
      if (button == cmdOrg) {
        cmdOrg_Click();
      } else {
        cmdLoad_Click();
      }
    }
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
