// Play: block selection, turns, moves, loading, clearing, giving up, and
// the two views with their layer panels.

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "app/frmMain.h"
#include "draw/layer_panel.h"
#include "draw/views.h"
#include "geometry/loading.h"
#include "geometry/movement.h"
#include "geometry/orientation.h"
#include "platform/qt/click_label.h"
#include "platform/qt/qt_surface.h"
#include "platform/qt/shape_grid.h"
#include "platform/text.h"

namespace pakkon {
namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

// ---- the block list ----

void frmMain::setListIndex(int index) {
  if (lstPiece->currentRow() == index) return;
  lstPiece->setCurrentRow(index);  // runs the selection through currentRowChanged
}

int frmMain::listIndex() const { return lstPiece->currentRow(); }

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  // A click on the item already selected selects it again, as a player expects.
  if (watched == lstPiece->viewport() && event->type() == QEvent::MouseButtonPress)
    listPressRow_ = lstPiece->currentRow();
  return QMainWindow::eventFilter(watched, event);
}

void frmMain::lstPiece_Click() {
  const QListWidgetItem* item = lstPiece->currentItem();
  if (!item) return;
  const int n = fncCInt(fncVal(item->text().toStdString())) - 1;
  if (n < 0 || n >= kPieces) return;
  if (mnuMakePiece->isChecked()) {
    st_.iPiece_Sel = static_cast<int16_t>(n);
    subPiece_draw(n);
    return;
  }
  const bool free = st_.G_iPieceUsed[n] == 0 && fncPiece_count(st_, n) != 0;
  cmdLoad->setEnabled(free);
  cmdCancel->setEnabled(false);
  if (free) st_.iPiece_Sel = static_cast<int16_t>(n);
  subPieceButton_enable(free);
  subPiece_draw(n);
}

// ---- block turns, faces, reset, shuffle ----

void frmMain::cmdTurn_Click(int index) {
  switch (index) {
    case 0: subPiece_turnZ(st_, st_.iPiece_Sel); break;
    case 1: subPiece_turnX(st_, st_.iPiece_Sel); break;
    case 2: subPiece_turnY(st_, st_.iPiece_Sel); break;
    case 3: subPuzzle_turnZ(st_); break;
    case 4: subPuzzle_turnX(st_); break;
    case 5: subPuzzle_turnY(st_); break;
    default: return;
  }
  if (index < 3) {
    subPiece_draw(st_.iPiece_Sel);
  } else {
    subBox_draw();
  }
}

void frmMain::hscFace_Change() {
  lblFace->setText(QString::number(hscFace->value()));
  cmdBotom_Click();
}

void frmMain::cmdBotom_Click() {
  subPiece_setFace(st_, st_.iPiece_Sel, hscFace->value());
  subPiece_draw(st_.iPiece_Sel);
}

void frmMain::cmdReset_Click() {
  subPieces_reset(st_);
  subPiece_draw(st_.iPiece_Sel);
  if (!mnuMakePiece->isChecked()) cmdReset->setEnabled(false);
  cmdSetCancel->setEnabled(true);
  cmdSet->setEnabled(true);
  chkAutoNext->setVisible(true);
}

void frmMain::cmdShuffle_Click() {
  cmdReset->setEnabled(true);
  cmdSet->setEnabled(false);
  cmdSetCancel->setEnabled(false);
  chkAutoNext->setVisible(false);
  subPieces_shuffle(st_, fncClockRandom());
  subPiece_draw(st_.iPiece_Sel);
}

// ---- block moves ----

void frmMain::cmdX_Dec_Click() {
  fncPiece_xDec(st_, st_.iPiece_Sel);
  subPiece_draw(st_.iPiece_Sel);
}
void frmMain::cmdX_Inc_Click() {
  fncPiece_xInc(st_, st_.iPiece_Sel);
  subPiece_draw(st_.iPiece_Sel);
}
void frmMain::cmdY_dec_Click() {
  fncPiece_yDec(st_, st_.iPiece_Sel);
  subPiece_draw(st_.iPiece_Sel);
}
void frmMain::cmdY_Inc_Click() {
  fncPiece_yInc(st_, st_.iPiece_Sel);
  subPiece_draw(st_.iPiece_Sel);
}
void frmMain::cmdZ_Dec_Click() {
  fncPiece_zDec(st_, st_.iPiece_Sel);
  subPiece_draw(st_.iPiece_Sel);
}
void frmMain::cmdZ_Inc_Click() {
  fncPiece_zInc(st_, st_.iPiece_Sel);
  subPiece_draw(st_.iPiece_Sel);
}
void frmMain::cmdOrg_Click() {
  subPiece_origin(st_, st_.iPiece_Sel);
  subPiece_draw(st_.iPiece_Sel);
}
void frmMain::cmdOrgPZ_Click() {
  subPuzzle_origin(st_);
  subBox_draw();
}

// ---- loading ----

void frmMain::selectFirstVisibleOption() {
  for (QRadioButton* o : optPiece) {
    if (!o->isHidden()) {
      o->setChecked(true);
      return;
    }
  }
}

void frmMain::cmdLoad_Click() {
  const int b = st_.iPiece_Sel;
  switch (fncPiece_load(st_, b)) {
    case LoadRefusal::AlreadyUsed:
      dialogs_.messageBox(fncStr(b + 1) + " 既に使用しています！", "×それは駄目×", MsgIcon::Critical, MsgButtons::OK);
      return;
    case LoadRefusal::NoRoom:
      dialogs_.messageBox("そこには、置けません！", "×そこは駄目×", MsgIcon::Critical, MsgButtons::OK);
      return;
    case LoadRefusal::None: break;
  }
  subBox_draw();
  subPieceButton_enable(false);
  cmdLoad->setEnabled(false);
  cmdCancel->setEnabled(true);
  optPiece[b]->setVisible(true);
  optPiece[b]->setChecked(true);
  if (chkDedSpace->isChecked() && fncBox_deadCell(st_.G_iBox))
    dialogs_.messageBox("う～ん、死んだ目ができてしまった。違う所を選んだ方がいいと思う！", "×そこは、結局は駄目×",
                        MsgIcon::Exclamation, MsgButtons::OK);
  const int m = fncBox_count(st_.G_iBox);
  lblSum->setText(q(fncStr(m) + " : " + fncStr(st_.G_iCellTotal)));
  if (m == st_.G_iCellTotal)
    dialogs_.messageBox("☆グレイト☆　お疲れさまでした", "♪おめでとう♪", MsgIcon::Information, MsgButtons::OK);
}

void frmMain::cmdCancel_Click() {
  const int b = st_.iPiece_Sel;
  subPiece_unload(st_, b);
  subBox_draw();
  cmdLoad->setEnabled(true);
  cmdCancel->setEnabled(false);
  subPieceButton_enable(true);
  optPiece[b]->setVisible(false);
  selectFirstVisibleOption();
}

void frmMain::cmdRemove_Click() {
  int r = 0;
  for (int k = 0; k < kPieces; ++k) {
    if (optPiece[k]->isChecked()) {
      r = k;
      optPiece[k]->setVisible(false);
      break;
    }
  }
  selectFirstVisibleOption();
  subPiece_unload(st_, r);
  subBox_draw();
  int n = 0;
  for (QRadioButton* o : optPiece) n += o->isHidden() ? 0 : 1;
  if (n > 0) {
    if (listIndex() == r) setListIndex(0);
    setListIndex(r);
  } else {
    cmdClear_Click();
    cmdLoad->setEnabled(true);
    cmdCancel->setEnabled(false);
    subPieceButton_enable(true);
    setListIndex(0);
  }
}

void frmMain::cmdClear_Click() {
  subBox_clear(st_);
  subOptPiece_hide();
  subBox_draw();
  st_.iPiece_Sel = 0;
  lblSum->clear();
  if (listIndex() != 0) {
    setListIndex(0);
  } else {
    setListIndex(1);
    setListIndex(0);
  }
}

// ---- giving up ----

bool frmMain::fncGiveUp_check() {
  if (st_.G_sPzVersion.empty()) {
    dialogs_.messageBox("このパズルは、サンプルです。自力で解いてください。", "ファイト！", MsgIcon::Information,
                        MsgButtons::OK);
    return false;
  }
  if (st_.G_sAnswerPW.empty()) {
    dialogs_.messageBox("パスワードが、設定されていません。自力で解いてください。", "ファイト！", MsgIcon::Information,
                        MsgButtons::OK);
    return false;
  }
  if (dialogs_.messageBox("降参しますか？", "悔しいけども．．．", MsgIcon::Question, MsgButtons::YesNo) !=
      MsgAnswer::Yes)
    return false;
  const std::string answer =
      dialogs_.inputBox("解答パスワードを入力してください\n（半角英数字１０文字以内）", "参った", "");
  if (answer.empty()) return false;
  if (fncTrim(answer) == st_.G_sAnswerPW) return true;
  dialogs_.messageBox("残念ながら、ご期待には応えられません。自力で解いてください。", "ファイト！",
                      MsgIcon::Information, MsgButtons::OK);
  return false;
}

void frmMain::mnuHelpHelp_Click() {
  if (!fncGiveUp_check()) return;
  dialogs_.messageBox(
      "今から、[ Reset ] ボタンを有効にします。\r\n"
      "[ Reset ] ボタンをクリックすると、作成された一番最初のブロック状態に戻ります。\r\n"
      "ブロックを選択して移動や回転をせずに [ Load ]を、クリックしてください 。",
      "神の恩恵、仏の御慈悲・・・", MsgIcon::Information, MsgButtons::OK);
  cmdReset->setEnabled(true);
}

// ---- views ----

void frmMain::subBox_draw() {
  pakkon::subBox_draw(st_, *pictMain, hscDX->value(), vscDY->value(),
                      [this] { subBoxPanel_draw(hscL->value(), hscR->value(), vscU->value(), vscD->value()); });
}

void frmMain::subPiece_draw(int piece) {
  lblPiece->setText(QString::number(piece + 1));
  pakkon::subPiece_draw(st_, *pictPiece, piece);
  subPiecePanel_draw(hscLP->value(), hscRP->value(), vscUP->value(), vscDP->value(), piece);
}

void frmMain::subBoxPanel_draw(int L, int R, int U, int D) {
  pakkon::subBoxPanel_draw(st_, L, R, U, D, panels_);
  for (PanelGrid g : {PanelGrid::shpA, PanelGrid::shpB, PanelGrid::shpC, PanelGrid::shpD})
    shapeGrid(g)->setFills(panel(panels_, g));
}

void frmMain::subPiecePanel_draw(int LP, int RP, int UP, int DP, int piece) {
  pakkon::subPiecePanel_draw(st_, LP, RP, UP, DP, piece, panels_);
  for (PanelGrid g : {PanelGrid::shpE, PanelGrid::shpF, PanelGrid::shpG, PanelGrid::shpH})
    shapeGrid(g)->setFills(panel(panels_, g));
}

void frmMain::mnu2D_Panel_Click() {
  mnu2D_Panel->setChecked(!mnu2D_Panel->isChecked());
  const bool shown = mnu2D_Panel->isChecked();
  subPanel_show(shown, shown);
}

void frmMain::hscDX_Change() { subBox_draw(); }
void frmMain::vscDY_Change() { subBox_draw(); }

void frmMain::pictMain_MouseDown(int, int, float x, float y) {
  st_.sngDragX = x;
  st_.sngDragY = y;
}

void frmMain::pictMain_MouseMove(int button, int, float x, float y) {
  if (button == 0) return;
  const DragView v = fncDrag_view(st_.sngDragX, st_.sngDragY, x, y);
  if (v.bSetDX) hscDX->setValue(v.hscDX);
  if (v.bSetDY) vscDY->setValue(v.vscDY);
}

void frmMain::Form_MouseDown(int button, int, float x, float y) {
  if (button == 0 || !mnuMakePiece->isChecked()) return;
  const std::pair<PanelGrid, QScrollBar*> grids[] = {
      {PanelGrid::shpE, hscLP}, {PanelGrid::shpF, vscUP}, {PanelGrid::shpG, hscRP}, {PanelGrid::shpH, vscDP}};
  for (const auto& [grid, slice] : grids) {
    const PieceCellClick c = subPieceCell_click(st_, dialogs_, grid, slice->value(), button, x, y,
                                                [this](const std::string& s) { lblPiece_count->setText(q(s)); });
    if (c.bRedraw) subPiece_draw(st_.iPiece_Sel);
  }
}

void frmMain::connectHandlers() {
  lstPiece->viewport()->installEventFilter(this);
  connect(lstPiece, &QListWidget::currentRowChanged, this, [this](int row) {
    listPressRow_ = -1;
    if (row >= 0) lstPiece_Click();
  });
  connect(lstPiece, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (lstPiece->row(item) == listPressRow_) lstPiece_Click();
    listPressRow_ = -1;
  });
  for (int i = 0; i < 6; ++i) connect(cmdTurn[i], &QPushButton::clicked, this, [this, i] { cmdTurn_Click(i); });
  const std::pair<QPushButton*, void (frmMain::*)()> buttons[] = {
      {cmdBotom, &frmMain::cmdBotom_Click},     {cmdReset, &frmMain::cmdReset_Click},
      {cmdShuffle, &frmMain::cmdShuffle_Click}, {cmdX_Dec, &frmMain::cmdX_Dec_Click},
      {cmdX_Inc, &frmMain::cmdX_Inc_Click},     {cmdY_dec, &frmMain::cmdY_dec_Click},
      {cmdY_Inc, &frmMain::cmdY_Inc_Click},     {cmdZ_Dec, &frmMain::cmdZ_Dec_Click},
      {cmdZ_Inc, &frmMain::cmdZ_Inc_Click},     {cmdOrg, &frmMain::cmdOrg_Click},
      {cmdOrgPZ, &frmMain::cmdOrgPZ_Click},     {cmdLoad, &frmMain::cmdLoad_Click},
      {cmdCancel, &frmMain::cmdCancel_Click},   {cmdRemove, &frmMain::cmdRemove_Click},
      {cmdClear, &frmMain::cmdClear_Click},     {cmdInit, &frmMain::cmdInit_Click},
      {cmdStop, &frmMain::cmdStop_Click},       {cmdMove, &frmMain::cmdMove_Click},
  };
  for (const auto& [button, handler] : buttons) connect(button, &QPushButton::clicked, this, handler);

  connect(hscFace, &QScrollBar::valueChanged, this, &frmMain::hscFace_Change);
  connect(hscDX, &QScrollBar::valueChanged, this, &frmMain::hscDX_Change);
  connect(vscDY, &QScrollBar::valueChanged, this, &frmMain::vscDY_Change);
  for (QScrollBar* s : {hscL, hscR, vscU, vscD})
    connect(s, &QScrollBar::valueChanged, this,
            [this] { subBoxPanel_draw(hscL->value(), hscR->value(), vscU->value(), vscD->value()); });
  for (QScrollBar* s : {hscLP, hscRP, vscUP, vscDP})
    connect(s, &QScrollBar::valueChanged, this, [this] {
      subPiecePanel_draw(hscLP->value(), hscRP->value(), vscUP->value(), vscDP->value(), st_.iPiece_Sel);
    });
  connect(pictMain, &PictureWidget::mouseDown, this, &frmMain::pictMain_MouseDown);
  connect(pictMain, &PictureWidget::mouseMove, this, &frmMain::pictMain_MouseMove);

  connect(mnuFileOpen, &QAction::triggered, this, &frmMain::mnuFileOpen_Click);
  connect(mnuFileQuit, &QAction::triggered, this, &frmMain::mnuFileQuit_Click);
  connect(mnuHelpHelp, &QAction::triggered, this, &frmMain::mnuHelpHelp_Click);
  connect(mnuFileSaveAs, &QAction::triggered, this, &frmMain::mnuFileSaveAs_Click);
  connect(mnuFileSave, &QAction::triggered, this, &frmMain::mnuFileSave_Click);
  connect(mnuMakePiece, &QAction::triggered, this, [this] {
    mnuMakePiece->setChecked(!mnuMakePiece->isChecked());
    mnuMakePiece_Click();
  });
  connect(mnuMake, &QAction::triggered, this, [this] { mnuMake->setChecked(!mnuMake->isChecked()); });
  connect(mnuHelpVerInfo, &QAction::triggered, this, &frmMain::mnuHelpVerInfo_Click);
  connect(mnuPzMaker, &QAction::triggered, this, &frmMain::mnuPzMaker_Click);
  connect(lblDemo, &ClickLabel::clicked, this, &frmMain::lblDemo_Click);
  connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
  // Check items: the handler itself owns the check mark.
  connect(mnu2D_Panel, &QAction::triggered, this, [this] {
    mnu2D_Panel->setChecked(!mnu2D_Panel->isChecked());
    mnu2D_Panel_Click();
  });
  connect(mnuAautoMove, &QAction::triggered, this, [this] {
    mnuAautoMove->setChecked(!mnuAautoMove->isChecked());
    mnuAautoMove_Click();
  });
}

}  // namespace pakkon
