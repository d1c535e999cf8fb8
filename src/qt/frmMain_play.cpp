// Play: block selection, turns, moves, loading, clearing, giving up, and
// the two views with their layer panels.

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <string>
#include <vector>

#include "app/keys.h"
#include "app/settings.h"
#include "draw/layer_panel.h"
#include "draw/views.h"
#include "geometry/loading.h"
#include "geometry/movement.h"
#include "geometry/orientation.h"
#include "platform/text.h"
#include "qt/click_label.h"
#include "qt/frmMain.h"
#include "qt/qt_convert.h"
#include "qt/qt_surface.h"
#include "qt/shape_grid.h"

namespace pakkon {
// ---- the block list ----

void frmMain::setListIndex(int index) {
  if (lstPiece->currentRow() == index) return;
  lstPiece->setCurrentRow(index);  // runs the selection through currentRowChanged
}

int frmMain::listIndex() const { return lstPiece->currentRow(); }

namespace {

// The name the play keys know a Qt key by ("" for none of theirs).
std::string keyName(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return std::string(1, static_cast<char>('a' + (key - Qt::Key_A)));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return std::string(1, static_cast<char>('0' + (key - Qt::Key_0)));
  switch (key) {
    case Qt::Key_Left: return "ArrowLeft";
    case Qt::Key_Right: return "ArrowRight";
    case Qt::Key_Up: return "ArrowUp";
    case Qt::Key_Down: return "ArrowDown";
    case Qt::Key_PageUp: return "PageUp";
    case Qt::Key_PageDown: return "PageDown";
    case Qt::Key_Home: return "Home";
    case Qt::Key_End: return "End";
    case Qt::Key_Return:
    case Qt::Key_Enter: return "Enter";
    case Qt::Key_Space: return " ";
    case Qt::Key_Backspace: return "Backspace";
    case Qt::Key_Delete: return "Delete";
    default: return {};
  }
}

// The Qt keys of a play key: Enter on the main keys and on the keypad.
std::vector<QKeySequence> keySequences(const KeyBinding& b) {
  Qt::KeyboardModifiers m;
  if (b.shift) m |= Qt::ShiftModifier;
  if (b.ctrl) m |= Qt::ControlModifier;
  std::vector<QKeySequence> out;
  auto add = [&](int key) { out.emplace_back(QKeyCombination(m, static_cast<Qt::Key>(key))); };
  const char c = b.key.size() == 1 ? b.key[0] : 0;
  if (c >= 'a' && c <= 'z') {
    add(Qt::Key_A + (c - 'a'));
  } else if (c >= '0' && c <= '9') {
    add(Qt::Key_0 + (c - '0'));
  } else {
    for (int key : {Qt::Key_Space, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                    Qt::Key_PageDown, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Backspace, Qt::Key_Delete})
      if (keyName(key) == b.key) add(key);
  }
  return out;
}

bool fncKey_ownedBy(const QObject* control, const QListWidget* list, const QKeyEvent& k) {
  const FocusedControl focused = control == list                                 ? FocusedControl::List
                                 : qobject_cast<const QRadioButton*>(control)    ? FocusedControl::OptionButton
                                 : qobject_cast<const QAbstractButton*>(control) ? FocusedControl::Button
                                                                                 : FocusedControl::Other;
  return fncKey_ownedBy(focused, keyName(k.key()), (k.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) != 0);
}

}  // namespace

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  // A click on the item already selected selects it again, as a player expects.
  if (watched == lstPiece->viewport() && event->type() == QEvent::MouseButtonPress)
    listPressRow_ = lstPiece->currentRow();
  if (event->type() == QEvent::ShortcutOverride && fncKey_ownedBy(watched, lstPiece, *static_cast<QKeyEvent*>(event))) {
    event->accept();  // the control gets the key as a key press, not the window's shortcut
    return true;
  }
  // A push button has no Enter of its own outside a dialog; a focused one is pressed by it.
  if (event->type() == QEvent::KeyPress && qobject_cast<QAbstractButton*>(watched)) {
    const auto* k = static_cast<QKeyEvent*>(event);
    if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && !k->isAutoRepeat() &&
        fncKey_ownedBy(watched, lstPiece, *k)) {
      static_cast<QAbstractButton*>(watched)->click();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMain::mnuHelpKeys_Click() {
  dialogs_.messageBox(tr("1 ～ 8　　ブロックを選ぶ（リストと同じ）\r\n"
                         "← →　　X-　X+\r\n"
                         "↑ ↓　　Y-　Y+\r\n"
                         "PageUp　PageDown　　Z+　Z-\r\n"
                         "Q　W　E　　ブロックの Turn-Z　Turn-X　Turn-Y\r\n"
                         "O　　ブロックの Orgin\r\n"
                         "B　　Botom\r\n"
                         "R　　Reset\r\n"
                         "S　　Shuffle\r\n"
                         "Enter　Space　　Load\r\n"
                         "Backspace　　Cancel\r\n"
                         "Ctrl+1 ～ Ctrl+8　　[Block] 枠のブロックに印を付ける\r\n"
                         "U　　UNLOAD（印の付いたブロック）\r\n"
                         "Delete　　Clear\r\n"
                         "Shift+Q　Shift+W　Shift+E　　箱の Turn-Z　Turn-X　Turn-Y\r\n"
                         "Shift+O　　箱の Orgin\r\n"
                         "H　　ヒント\r\n"
                         "Ctrl+Z　　元に戻す\r\n"
                         "Ctrl+Y　Ctrl+Shift+Z　　やり直し\r\n"
                         "\r\n"
                         "ボタンやチェックボックスを選んでいるときの Space と Enter、\r\n"
                         "ブロックのリストを選んでいるときの ↑ ↓ PageUp PageDown は、そのボタンやリストが使います。\r\n"
                         "デモンストレーションの間は、キーは働きません。")
                          .toStdString(),
                      tr("キー操作").toStdString(), MsgIcon::Information, MsgButtons::OK);
}

bool frmMain::fncPlayKeys_on() const { return session_.playKeys(); }

void frmMain::subControl_set(bool PlayControls::*field, QWidget* w, bool on) {
  play_.controls().*field = on;
  w->setEnabled(on);
}

void frmMain::subAutoNext_show(bool on) {
  play_.controls().autoNext = on;
  chkAutoNext->setVisible(on);
}

void frmMain::subSum_show(const QString& text) {
  play_.controls().sum = text.toStdString();
  lblSum->setText(text);
}

void frmMain::lstPiece_Click() {
  const QListWidgetItem* item = lstPiece->currentItem();
  if (!item) return;
  const int n = fncCInt(fncVal(item->text().toStdString())) - 1;
  if (n < 0 || n >= kPieces) return;
  playAction({ActionKind::Select, n});
}

// ---- the play layer ----

namespace {}  // namespace

bool frmMain::playRecording() const { return session_.playing(); }

void frmMain::showPlay(const PlayOutcome& out) {
  const PlayControls& c = play_.controls();
  cmdLoad->setEnabled(c.load);
  cmdCancel->setEnabled(c.cancel);
  subPieceButton_enable(c.pieceButtons);
  subBoxButton_enable(c.boxButtons);
  cmdBotom->setEnabled(c.botom);
  cmdReset->setEnabled(c.reset);
  cmdShuffle->setEnabled(c.shuffle);
  lstPiece->setEnabled(c.list);
  cmdSet->setEnabled(c.set);
  cmdSetCancel->setEnabled(c.setCancel);
  chkAutoNext->setVisible(c.autoNext);
  for (int k = 0; k < kPieces; ++k) optPiece[k]->setVisible(c.option[k]);
  if (c.checked >= 0 && c.checked < kPieces) optPiece[c.checked]->setChecked(true);
  if (lstPiece->currentRow() != c.listIndex) {
    const QSignalBlocker quiet(lstPiece);
    lstPiece->setCurrentRow(c.listIndex);
  }
  lblSum->setText(fncQString(c.sum));
  if (out.boxDrawn || (out.pieceDrawn && (previewDrawn_ || fncPreview_shown()))) subBox_draw();
  if (out.pieceDrawn) subPiece_draw(c.shown);
  subFinishCheck_start();
}

PlayOutcome frmMain::playAction(PlayAction a, bool record) {
  if (playProbe) playProbe();
  WindowPlayHost host(*this);
  const bool undoRedo = a.kind == ActionKind::Undo || a.kind == ActionKind::Redo;
  // A button's own click always runs its handler; undo and redo need a move list.
  const PlayOutcome out = play_.apply(a, host, undoRedo, record && playRecording());
  if (out.done) showPlay(out);
  subEditMenu_update();
  subPlay_after(out, undoRedo);
  return out;
}

PlayOutcome frmMain::playGroup(const std::vector<PlayAction>& actions) {
  if (playProbe) playProbe();
  WindowPlayHost host(*this);
  const PlayOutcome out = play_.applyGroup(actions, host);
  showPlay(out);
  subEditMenu_update();
  subPlay_after(out, false);
  return out;
}

void frmMain::mnuEditUndo_Click() {
  if (playRecording()) playAction({ActionKind::Undo});
}

void frmMain::mnuEditRedo_Click() {
  if (playRecording()) playAction({ActionKind::Redo});
}

void frmMain::subEditMenu_update() {
  const SessionView v = session_.view(playClock());
  mnuEditUndo->setEnabled(v.canUndo);
  mnuEditRedo->setEnabled(v.canRedo);
}

bool frmMain::fncPreview_shown() const { return session_.previewShown(); }

void frmMain::mnuPreview_Click() {
  session_.setPreview(mnuPreview->isChecked());
  session_.setPreference(kPrefPreview, mnuPreview->isChecked());
  subBox_draw();
}

void frmMain::subPreview_refresh() {
  if (previewDrawn_ || fncPreview_shown()) subBox_draw();
}

void frmMain::subMoveList_clear() {
  play_.clearMoves();
  subEditMenu_update();
}

// ---- block turns, faces, reset, shuffle ----

void frmMain::cmdTurn_Click(int index) {
  static constexpr ActionKind kTurns[] = {ActionKind::TurnZ,    ActionKind::TurnX,    ActionKind::TurnY,
                                          ActionKind::BoxTurnZ, ActionKind::BoxTurnX, ActionKind::BoxTurnY};
  if (index < 0 || index > 5) return;
  playAction({kTurns[index]});
}

void frmMain::hscFace_Change() {
  lblFace->setText(QString::number(hscFace->value()));
  cmdBotom_Click();
}

void frmMain::cmdBotom_Click() { playAction({ActionKind::Bottom}); }
void frmMain::cmdReset_Click() { playAction({ActionKind::Reset}); }
void frmMain::cmdShuffle_Click() { playAction({ActionKind::Shuffle}); }

// ---- block moves ----

void frmMain::cmdX_Dec_Click() { playAction({ActionKind::XDec}); }
void frmMain::cmdX_Inc_Click() { playAction({ActionKind::XInc}); }
void frmMain::cmdY_dec_Click() { playAction({ActionKind::YDec}); }
void frmMain::cmdY_Inc_Click() { playAction({ActionKind::YInc}); }
void frmMain::cmdZ_Dec_Click() { playAction({ActionKind::ZDec}); }
void frmMain::cmdZ_Inc_Click() { playAction({ActionKind::ZInc}); }
void frmMain::cmdOrg_Click() { playAction({ActionKind::Origin}); }
void frmMain::cmdOrgPZ_Click() { playAction({ActionKind::BoxOrigin}); }

// ---- loading ----

void frmMain::cmdLoad_Click() { playAction({ActionKind::Load}); }
void frmMain::cmdCancel_Click() { playAction({ActionKind::Cancel}); }

void frmMain::cmdRemove_Click() {
  // The block whose option carries the mark; none marked means the first.
  int r = 0;
  for (int k = 0; k < kPieces; ++k)
    if (optPiece[k]->isChecked()) {
      r = k;
      break;
    }
  playAction({ActionKind::Unload, r});
}

void frmMain::cmdClear_Click() { playAction({ActionKind::Clear}); }

// ---- giving up ----

void frmMain::mnuHelpHelp_Click() {
  session_.giveUp([this](bool in) {
    if (in) subControl_set(&PlayControls::reset, cmdReset, play_.controls().reset);
  });
}

// ---- views ----

void frmMain::subBox_draw() {
  previewDrawn_ = fncPreview_shown();
  session_.drawBox(*pictMain, hscDX->value(), vscDY->value(),
                   [this] { subBoxPanel_draw(hscL->value(), hscR->value(), vscU->value(), vscD->value()); });
}

void frmMain::subPiece_draw(int piece) {
  play_.controls().shown = piece;
  lblPiece->setText(QString::number(piece + 1));
  session_.drawBlock(*pictPiece, piece);
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
  session_.setPanels(!session_.panels());
  const bool shown = session_.panels();
  mnu2D_Panel->setChecked(shown);
  subPanel_show(shown, shown);
}

void frmMain::hscDX_Change() { subBox_draw(); }
void frmMain::vscDY_Change() { subBox_draw(); }

void frmMain::pictMain_MouseDown(int, int, float x, float y) {
  dragX_ = x;
  dragY_ = y;
}

void frmMain::pictMain_MouseMove(int button, int, float x, float y) {
  if (button == 0) return;
  const DragView v = fncDrag_view(dragX_, dragY_, x, y);
  if (v.bSetDX) hscDX->setValue(v.hscDX);
  if (v.bSetDY) vscDY->setValue(v.vscDY);
}

void frmMain::Form_MouseDown(int button, int, float x, float y) {
  if (button == 0 || !session_.maker()) return;
  const std::pair<PanelGrid, QScrollBar*> grids[] = {
      {PanelGrid::shpE, hscLP}, {PanelGrid::shpF, vscUP}, {PanelGrid::shpG, hscRP}, {PanelGrid::shpH, vscDP}};
  for (const auto& [grid, slice] : grids) {
    if (session_.makerClick(grid, slice->value(), button, x, y, [this] { subMakerCount_show(); }))
      subPiece_draw(st_.iPiece_Sel);
  }
}

// ---- the keyboard ----

QAbstractButton* frmMain::actionButton(ActionKind kind) const {
  switch (kind) {
    case ActionKind::TurnZ: return cmdTurn[0];
    case ActionKind::TurnX: return cmdTurn[1];
    case ActionKind::TurnY: return cmdTurn[2];
    case ActionKind::BoxTurnZ: return cmdTurn[3];
    case ActionKind::BoxTurnX: return cmdTurn[4];
    case ActionKind::BoxTurnY: return cmdTurn[5];
    case ActionKind::XDec: return cmdX_Dec;
    case ActionKind::XInc: return cmdX_Inc;
    case ActionKind::YDec: return cmdY_dec;
    case ActionKind::YInc: return cmdY_Inc;
    case ActionKind::ZDec: return cmdZ_Dec;
    case ActionKind::ZInc: return cmdZ_Inc;
    case ActionKind::Origin: return cmdOrg;
    case ActionKind::BoxOrigin: return cmdOrgPZ;
    case ActionKind::Bottom: return cmdBotom;
    case ActionKind::Reset: return cmdReset;
    case ActionKind::Shuffle: return cmdShuffle;
    case ActionKind::Load: return cmdLoad;
    case ActionKind::Cancel: return cmdCancel;
    case ActionKind::Unload: return cmdRemove;
    case ActionKind::Clear: return cmdClear;
    default: return nullptr;
  }
}

void frmMain::buildKeys() {
  // Each key presses its button, so a disabled button makes its key do
  // nothing; a dialog or a text box with the focus keeps every key, and so
  // does a control for the keys it uses itself (eventFilter). While the
  // demonstration or the loader runs, no key plays.
  auto key = [this](const QKeySequence& seq, std::function<void()> run) {
    auto* s = new QShortcut(seq, this);
    s->setContext(Qt::WindowShortcut);
    s->setAutoRepeat(true);
    connect(s, &QShortcut::activated, this, [this, run = std::move(run)] {
      if (fncPlayKeys_on()) run();
    });
    return s;
  };
  for (const KeyBinding& b : fncPlayKeys()) {
    const KeyCommand& c = b.command;
    if (c.kind == KeyCommand::Kind::Hint) continue;  // the hint's own shortcut (frmMain_hint.cpp)
    if (c.kind == KeyCommand::Kind::Action && (c.action.kind == ActionKind::Undo || c.action.kind == ActionKind::Redo))
      continue;  // the edit menu's shortcuts
    for (const QKeySequence& seq : keySequences(b)) {
      if (c.kind == KeyCommand::Kind::Mark) {
        // Marks a loaded block's option, for UNLOAD.
        key(seq, [this, n = c.block] {
          if (optPiece[n]->isVisible() && optPiece[n]->isEnabled()) optPiece[n]->setChecked(true);
        });
      } else if (c.action.kind == ActionKind::Select) {
        key(seq, [this, n = c.action.block] {
          if (!lstPiece->isEnabled()) return;
          // The row already shown is selected again, as a click on it does.
          if (listIndex() == n) {
            lstPiece_Click();
          } else {
            setListIndex(n);
          }
        });
      } else if (QAbstractButton* button = actionButton(c.action.kind)) {
        key(seq, [button] { button->click(); });
      }
    }
  }
  mnuHelpKeys = mnuHelp->addAction(tr("キー操作(&K)…"));
  mnuHelpKeys->setObjectName("mnuHelpKeys");
  connect(mnuHelpKeys, &QAction::triggered, this, &frmMain::mnuHelpKeys_Click);
  // The controls whose own keys come first.
  for (QAbstractButton* b : findChildren<QAbstractButton*>()) b->installEventFilter(this);
  lstPiece->installEventFilter(this);
}

void frmMain::connectHandlers() {
  buildKeys();
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

  // The player's own inputs that the play layer reads, before their handlers run.
  connect(hscFace, &QScrollBar::valueChanged, this, [this](int v) { play_.controls().face = v; });
  connect(chkDedSpace, &QCheckBox::toggled, this, [this](bool on) { play_.controls().deadSpace = on; });
  for (int k = 0; k < kPieces; ++k)
    connect(optPiece[k], &QRadioButton::toggled, this, [this, k](bool on) {
      if (on) play_.controls().checked = k;
    });
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
  connect(mnuPreview, &QAction::triggered, this, &frmMain::mnuPreview_Click);
  connect(mnuEditUndo, &QAction::triggered, this, &frmMain::mnuEditUndo_Click);
  connect(mnuEditRedo, &QAction::triggered, this, &frmMain::mnuEditRedo_Click);
  connect(mnuEdit, &QMenu::aboutToShow, this, &frmMain::subEditMenu_update);
  connect(mnuFileQuit, &QAction::triggered, this, &frmMain::mnuFileQuit_Click);
  connect(mnuHelpHelp, &QAction::triggered, this, &frmMain::mnuHelpHelp_Click);
  connect(mnuFileSaveAs, &QAction::triggered, this, &frmMain::mnuFileSaveAs_Click);
  connect(mnuFileSave, &QAction::triggered, this, &frmMain::mnuFileSave_Click);
  connect(mnuMakePiece, &QAction::triggered, this, [this] {
    // The handler decides, from the session's mode, and sets the mark.
    mnuMakePiece->setChecked(session_.maker());
    mnuMakePiece_Click();
  });
  connect(mnuMake, &QAction::triggered, this, [this] { mnuMake->setChecked(!mnuMake->isChecked()); });
  connect(mnuHelpVerInfo, &QAction::triggered, this, &frmMain::mnuHelpVerInfo_Click);
  connect(mnuPzMaker, &QAction::triggered, this, &frmMain::mnuPzMaker_Click);
  connect(lblDemo, &ClickLabel::clicked, this, &frmMain::lblDemo_Click);
  connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
  // Check items: the handler itself owns the check mark.
  connect(mnu2D_Panel, &QAction::triggered, this, [this] {
    mnu2D_Panel->setChecked(session_.panels());
    mnu2D_Panel_Click();
  });
  connect(mnuAautoMove, &QAction::triggered, this, [this] {
    mnuAautoMove->setChecked(session_.autoMove());
    mnuAautoMove_Click();
  });
}

}  // namespace pakkon
