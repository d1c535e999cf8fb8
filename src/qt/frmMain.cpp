#include "qt/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <cmath>
#include <functional>

#include "app/errorlog.h"
#include "app/session_demo.h"
#include "app/settings.h"
#include "app/startup.h"
#include "demo/texts.h"
#include "draw/layer_panel.h"
#include "draw/renderer.h"
#include "geometry/movement.h"
#include "model/builtin.h"
#include "model/puzzle_file.h"
#include "platform/files.h"
#include "platform/text.h"
#include "qt/click_label.h"
#include "qt/frmInput.h"
#include "qt/qt_convert.h"
#include "qt/qt_surface.h"
#include "qt/shape_grid.h"

namespace pakkon {
namespace {

constexpr int kWindowWidth = 14535;
constexpr int kWindowHeight = 10980;

// The client area of the window: mouse presses that no control takes are
// the form's own (the layer-panel squares let them through).
class FormArea : public QWidget {
 public:
  using Handler = std::function<void(int button, int shift, float x, float y)>;
  FormArea(QWidget* parent, Handler onDown) : QWidget(parent), onDown_(std::move(onDown)) {}

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    const int button = e->button() == Qt::LeftButton     ? 1
                       : e->button() == Qt::RightButton  ? 2
                       : e->button() == Qt::MiddleButton ? 4
                                                         : 0;
    int shift = 0;
    if (e->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (e->modifiers() & Qt::ControlModifier) shift |= 2;
    if (e->modifiers() & Qt::AltModifier) shift |= 4;
    const QPointF p = e->position();
    onDown_(button, shift, static_cast<float>(p.x() * kTwipsPerPixel), static_cast<float>(p.y() * kTwipsPerPixel));
  }

 private:
  Handler onDown_;
};

QScrollBar* scrollBar(QWidget* parent, Qt::Orientation o, const char* name, int min, int max, int small, int large,
                      int value) {
  auto* s = new QScrollBar(o, parent);
  s->setObjectName(name);
  s->setRange(min, max);
  s->setSingleStep(small);
  s->setPageStep(large);
  s->setValue(value);
  return s;
}

}  // namespace

frmMain::frmMain(std::unique_ptr<PuzzleState> st, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      pausing_(dialogs,
               [this](bool pause) {
                 if (playClock) subPlayClock_pause(pause);
               }),
      dialogs_(pausing_),
      session_(host_, std::move(st)) {
  openUrl = [](const std::string& url) { QDesktopServices::openUrl(QUrl(QString::fromStdString(url))); };
  loaderPause = [](int ms) { return ms; };
  loaderTimer_ = new QTimer(this);
  loaderTimer_->setSingleShot(true);
  connect(loaderTimer_, &QTimer::timeout, this, &frmMain::subLoader_tick);
  frmInput_show = [this](BoxSize current) {
    frmInput dialog(current, this);
    dialog.exec();
    return dialog.chosen;
  };
  host_.sizeDialog = [this](BoxSize current) { return frmInput_show(current); };
  buildMenus();
  buildControls();
  connectHandlers();
  buildHints();
  buildPuzzleList();
  buildLanguageMenu();
  Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::buildMenus() {
  auto action = [](QMenu* menu, const char* name, const QString& caption, bool checkable = false) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setCheckable(checkable);
    return a;
  };
  auto separator = [](QMenu* menu, const char* name) {
    QAction* a = menu->addSeparator();
    a->setObjectName(name);
    return a;
  };
  mnuFile = menuBar()->addMenu(tr("ファイル(&F)"));
  mnuFile->setObjectName("mnuFile");
  mnuFileOpen = action(mnuFile, "mnuFileOpen", tr("パズルを開く(&O)"));
  mnuFileStep1 = separator(mnuFile, "mnuFileStep1");
  mnuFileSaveAs = action(mnuFile, "mnuFileSaveAs", tr("パズルに名前を付けて保存(&A)"));
  mnuFileSave = action(mnuFile, "mnuFileSave", tr("パズルの上書き保存(&S)"));
  mnuFileStep2 = separator(mnuFile, "mnuFileStep2");
  mnuFileQuit = action(mnuFile, "mnuFileQuit", tr("終了(&Q)"));

  // Taking moves back; enabled only in plain play with something to take back.
  mnuEdit = menuBar()->addMenu(tr("編集(&E)"));
  mnuEdit->setObjectName("mnuEdit");
  mnuEditUndo = action(mnuEdit, "mnuEditUndo", tr("元に戻す"));
  mnuEditUndo->setShortcut(QKeySequence::Undo);
  mnuEditRedo = action(mnuEdit, "mnuEditRedo", tr("やり直し"));
  mnuEditRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  mnuEditUndo->setEnabled(false);
  mnuEditRedo->setEnabled(false);

  mnuView = menuBar()->addMenu(tr("表示(&V)"));
  mnuView->setObjectName("mnuView");
  mnu2D_Panel = action(mnuView, "mnu2D_Panel", tr("２Ｄパネル"), true);
  mnuAautoMove = action(mnuView, "mnuAautoMove", tr("自動移動"), true);
  mnuPreview = action(mnuView, "mnuPreview", tr("置き場所を表示"), true);

  mnuTool = menuBar()->addMenu(tr("ﾂｰﾙ(&T)"));
  mnuTool->setObjectName("mnuTool");
  mnuMake = action(mnuTool, "mnuMake", tr("完成体を元にブロック作成"), true);
  mnuMakePiece = action(mnuTool, "mnuMakePiece", tr("ブロック単体の作成"), true);

  mnuHelp = menuBar()->addMenu(tr("ヘルプ(&H)"));
  mnuHelp->setObjectName("mnuHelp");
  mnuHelpVerInfo = action(mnuHelp, "mnuHelpVerInfo", tr("バージョン情報...."));
  mnuHelpHelp = action(mnuHelp, "mnuHelpHelp", tr("参った・・・"));
  mnuPzMaker = action(mnuHelp, "mnuPzMaker", tr("パズル作成ツール...."));
}

void frmMain::buildControls() {
  auto* area = new FormArea(this, [this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); });
  area->setObjectName("frmMainArea");
  setCentralWidget(area);

  auto button = [area](const char* name, const QString& caption, const QString& tip, int left, int top, int width,
                       int height = 375) {
    auto* b = new QPushButton(caption, area);
    b->setObjectName(name);
    if (!tip.isEmpty()) b->setToolTip(tip);
    subTwips_place(b, left, top, width, height);
    return b;
  };
  auto label = [](QWidget* parent, const char* name, const QString& tip, int left, int top, int width, int height) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    if (!tip.isEmpty()) l->setToolTip(tip);
    subTwips_place(l, left, top, width, height);
    return l;
  };

  // The two views, with their labels inside their top edges.
  pictMain = new PictureWidget(area);
  pictMain->setObjectName("pictMain");
  subTwips_place(pictMain, 2280, 1800, 3375, 3135);
  lblSum = label(area, "lblSum", QString(), 2280, 1800, 3375, 255);
  lblSum->setAlignment(Qt::AlignCenter);
  hscDX = scrollBar(area, Qt::Horizontal, "hscDX", -800, 800, 10, 100, 120);
  subTwips_place(hscDX, 2400, 4935, 3135, 135);
  vscDY = scrollBar(area, Qt::Vertical, "vscDY", -800, 800, 10, 100, 120);
  subTwips_place(vscDY, 2145, 1980, 135, 2775);

  pictPiece = new PictureWidget(area);
  pictPiece->setObjectName("pictPiece");
  subTwips_place(pictPiece, 9360, 1800, 3375, 3135);
  lblPiece = label(area, "lblPiece", tr("ピース№"), 9360, 1800, 3255, 255);
  lblPiece->setIndent(4);

  // Layer panels and their slice scroll bars.
  shpA = new ShapeGrid(area, PanelGrid::shpA);
  shpB = new ShapeGrid(area, PanelGrid::shpB);
  shpC = new ShapeGrid(area, PanelGrid::shpC);
  shpD = new ShapeGrid(area, PanelGrid::shpD);
  shpE = new ShapeGrid(area, PanelGrid::shpE);
  shpF = new ShapeGrid(area, PanelGrid::shpF);
  shpG = new ShapeGrid(area, PanelGrid::shpG);
  shpH = new ShapeGrid(area, PanelGrid::shpH);
  hscL = scrollBar(area, Qt::Horizontal, "hscL", 0, 3, 1, 1, 0);
  subTwips_place(hscL, 360, 3360, 1455, 255);
  hscR = scrollBar(area, Qt::Horizontal, "hscR", 0, 3, 1, 1, 3);
  subTwips_place(hscR, 5760, 3360, 1455, 255);
  vscU = scrollBar(area, Qt::Vertical, "vscU", 0, 3, 1, 1, 0);
  subTwips_place(vscU, 3840, 240, 255, 1455);
  vscD = scrollBar(area, Qt::Vertical, "vscD", 0, 3, 1, 1, 3);
  subTwips_place(vscD, 3840, 5280, 255, 1455);
  hscLP = scrollBar(area, Qt::Horizontal, "hscLP", 0, 3, 1, 1, 0);
  subTwips_place(hscLP, 7800, 3360, 1455, 255);
  hscRP = scrollBar(area, Qt::Horizontal, "hscRP", 0, 3, 1, 1, 3);
  subTwips_place(hscRP, 12840, 3360, 1455, 255);
  vscUP = scrollBar(area, Qt::Vertical, "vscUP", 0, 3, 1, 1, 0);
  subTwips_place(vscUP, 10920, 240, 255, 1455);
  vscDP = scrollBar(area, Qt::Vertical, "vscDP", 0, 3, 1, 1, 3);
  subTwips_place(vscDP, 10920, 5040, 255, 1455);

  // Demonstration banner, between the two upper panels.
  lblDemo = new ClickLabel(area);
  lblDemo->setObjectName("lblDemo");
  subTwips_place(lblDemo, 4320, 240, 4800, 1455);
  lblDemo->setAlignment(Qt::AlignCenter);
  lblDemo->setWordWrap(true);
  lblDemo->setCursor(Qt::PointingHandCursor);
  lblDemo->setStyleSheet(QStringLiteral("QLabel { background: #FFF7C0; border: 1px solid #C8A800; color: #303030; }"));

  // Box commands, under the box view.
  cmdTurn[3] = button("cmdTurn(3)", tr("Turn-Z"), tr("正面から見て、時計回り"), 360, 6900, 900);
  cmdTurn[4] = button("cmdTurn(4)", tr("Turn-X"), tr("右から見て、反時計回り"), 1320, 6900, 900);
  cmdTurn[5] = button("cmdTurn(5)", tr("Turn-Y"), tr("上から見て、反時計回り"), 2280, 6900, 900);
  cmdOrgPZ = button("cmdOrgPZ", tr("Orgin"), tr("原点へ移動"), 3240, 6900, 900);
  cmdClear = button("cmdClear", tr("Clear"), tr("パズルを消去"), 4200, 6900, 900);
  cmdLoad = button("cmdLoad", tr("Load"), tr("ブロックを装填する"), 360, 7380, 1380);
  cmdCancel = button("cmdCancel", tr("Cancel"), tr("装填をキャンセルする"), 1800, 7380, 1380);
  chkDedSpace = new QCheckBox(tr("Check Ded space"), area);
  chkDedSpace->setObjectName("chkDedSpace");
  chkDedSpace->setToolTip(tr("デッド・スペース（八方塞がり）をチェックする"));
  subTwips_place(chkDedSpace, 3300, 7380, 2700, 375);

  framePiece = new QGroupBox(tr("Block"), area);
  framePiece->setObjectName("framePiece");
  subTwips_place(framePiece, 360, 7860, 6855, 900);
  for (int k = 0; k < kPieces; ++k) {
    optPiece[k] = new QRadioButton(QString::number(k + 1), framePiece);
    optPiece[k]->setObjectName(QStringLiteral("optPiece(%1)").arg(k));
    subTwips_place(optPiece[k], 180 + 600 * k, 330, 570, 375);
  }
  optPiece[0]->setChecked(true);
  cmdRemove = new QPushButton(tr("UNLOAD"), framePiece);
  cmdRemove->setObjectName("cmdRemove");
  cmdRemove->setToolTip(tr("ブロックを取り外す"));
  subTwips_place(cmdRemove, 5280, 300, 1380, 420);

  // The loader's frame; the window keeps it hidden.
  frameAuto = new QGroupBox(tr("Auto Load"), area);
  frameAuto->setObjectName("frameAuto");
  subTwips_place(frameAuto, 360, 7860, 6855, 2040);
  for (int k = 0; k < kPieces; ++k) {
    const int left = 120 + 420 * k;
    shpPiece[k] = label(frameAuto, "shpPiece", QString(), left, 240, 390, 195);
    shpPiece[k]->setAutoFillBackground(true);
    lblIP[k] = label(frameAuto, "lblIP", QString(), left, 480, 390, 240);
    lblNo[k] = label(frameAuto, "lblNo", QString(), left, 720, 390, 240);
    lblTurn_CtZ[k] = label(frameAuto, "lblTurn_CtZ", QString(), left, 960, 390, 240);
    lblFaceV[k] = label(frameAuto, "lblFaceV", QString(), left, 1200, 390, 240);
    for (QLabel* l : {shpPiece[k], lblIP[k], lblNo[k], lblTurn_CtZ[k], lblFaceV[k]}) {
      l->setObjectName(l->objectName() + QStringLiteral("(%1)").arg(k));
      l->setAlignment(Qt::AlignCenter);
    }
  }
  cmdInit = new QPushButton(tr("INIT"), frameAuto);
  cmdInit->setObjectName("cmdInit");
  cmdInit->setToolTip(tr("ピースの姿勢や組込順番を初期化する"));
  subTwips_place(cmdInit, 120, 1500, 900, 375);
  cmdStop = new QPushButton(tr("STOP"), frameAuto);
  cmdStop->setObjectName("cmdStop");
  cmdStop->setToolTip(tr("停止"));
  subTwips_place(cmdStop, 1080, 1500, 900, 375);
  cmdMove = new QPushButton(tr("LOAD"), frameAuto);
  cmdMove->setObjectName("cmdMove");
  cmdMove->setToolTip(tr("自動で装填する"));
  subTwips_place(cmdMove, 2040, 1500, 900, 375);
  listRotate = new QListWidget(frameAuto);
  listRotate->setObjectName("listRotate");
  subTwips_place(listRotate, 3600, 240, 3135, 1200);
  lblAtOnce = label(frameAuto, "lblAtOnce", QString(), 3600, 1500, 3135, 375);

  // Block list and block commands, under the block view.
  lstPiece = new QListWidget(area);
  lstPiece->setObjectName("lstPiece");
  subTwips_place(lstPiece, 7680, 6900, 720, 2760);
  cmdTurn[0] = button("cmdTurn(0)", tr("Turn-Z"), tr("正面から見て、時計回り"), 8640, 6900, 900);
  cmdTurn[1] = button("cmdTurn(1)", tr("Turn-X"), tr("右から見て、反時計回り"), 9600, 6900, 900);
  cmdTurn[2] = button("cmdTurn(2)", tr("Turn-Y"), tr("上から見て、反時計回り"), 10560, 6900, 900);
  cmdOrg = button("cmdOrg", tr("Orgin"), tr("原点へ移動"), 11520, 6900, 900);
  cmdBotom = button("cmdBotom", tr("Botom"), QString(), 12480, 6900, 900);
  cmdX_Dec = button("cmdX_Dec", tr("X-"), tr("左へ移動"), 8640, 7380, 600);
  cmdX_Inc = button("cmdX_Inc", tr("X+"), tr("右へ移動"), 9300, 7380, 600);
  cmdY_dec = button("cmdY_dec", tr("Y-"), tr("上へ移動"), 10080, 7380, 600);
  cmdY_Inc = button("cmdY_Inc", tr("Y+"), tr("下へ移動"), 10740, 7380, 600);
  cmdZ_Dec = button("cmdZ_Dec", tr("Z-"), tr("奥へ移動"), 11520, 7380, 600);
  cmdZ_Inc = button("cmdZ_Inc", tr("Z+"), tr("手前に移動"), 12180, 7380, 600);
  cmdReset = button("cmdReset", tr("Reset"), tr("ピースの向きを、作成時に戻します"), 8640, 7860, 900);
  cmdShuffle = button("cmdShuffle", tr("Shuffle"), tr("ピースの向きを、ランダムに設定します"), 9600, 7860, 900);
  cmdSet = button("cmdSet", tr("Set"), QString(), 10800, 7860, 900);
  cmdSetCancel = button("cmdSetCancel", tr("Cancel"), QString(), 11760, 7860, 900);
  chkAutoNext = new QCheckBox(tr("AUTO NEXT"), area);
  chkAutoNext->setObjectName("chkAutoNext");
  chkAutoNext->setToolTip(tr("[Set]時、ブロックを進めます。"));
  subTwips_place(chkAutoNext, 12720, 7860, 1575, 375);
  lblPiece_count = label(area, "lblPiece_count", tr("セル数"), 8640, 8400, 1800, 300);
  hscFace = scrollBar(area, Qt::Horizontal, "hscFace", 0, 5, 1, 1, 0);
  subTwips_place(hscFace, 10800, 8400, 1500, 255);
  lblFace = label(area, "lblFace", tr("ピース面　№"), 12360, 8400, 600, 255);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");

  for (int i = 0; i < 4; ++i) {
    stsBar[i] = new QLabel(this);
    stsBar[i]->setObjectName(QStringLiteral("stsBar(%1)").arg(i + 1));
    stsBar[i]->setMinimumWidth(i == 3 ? 360 : 120);
    statusBar()->addWidget(stsBar[i], i == 3 ? 1 : 0);
  }

  setFixedSize(kWindowWidth / kTwipsPerPixel, kWindowHeight / kTwipsPerPixel);
}

void frmMain::Form_Load() {
  setWindowTitle(fncQString(fncMainCaption(st_)));
  if (st_.G_bDemo) {
    subDemoMenus_enable(false);
    lblDemo->setText(QString::fromUtf8(fncText(kDemoBanner)));
    lblDemo->setVisible(true);
  } else {
    lblDemo->setVisible(false);
    lblDemo->clear();
  }

  mnuTool->menuAction()->setVisible(false);
  mnuAautoMove->setVisible(false);
  mnuFileSaveAs->setVisible(false);
  session_.setPanels(false);
  mnu2D_Panel->setChecked(false);
  mnuFileSaveAs->setEnabled(false);
  mnuFileSave->setEnabled(false);

  play_.controls().shown = 0;
  lblPiece->setText(QStringLiteral("1"));
  lblFace->setText(QString::number(hscFace->value()));
  subSum_show({});
  lblAtOnce->clear();
  lblPiece_count->clear();
  lblFace->setVisible(false);
  lblDemo->setProperty("Tag", QStringLiteral("0"));

  subPanel_show(false, false);
  subOptPiece_hide();
  hscFace->setVisible(false);
  // The slice scroll bars already have their ranges and starting slices.

  {
    const QSignalBlocker quiet(lstPiece);
    for (int i = 1; i <= kPieces; ++i) lstPiece->addItem(QString::number(i));
  }
  lstPiece->setFixedHeight(kPieces * lstPiece->sizeHintForRow(0) + 2 * lstPiece->frameWidth() + 2);

  cmdSet->setVisible(false);
  cmdSetCancel->setVisible(false);
  subAutoNext_show(false);
  subBoxButton_enable(true);
  subControl_set(&PlayControls::reset, cmdReset, false);
  subControl_set(&PlayControls::shuffle, cmdShuffle, false);
  subControl_set(&PlayControls::load, cmdLoad, false);
  subControl_set(&PlayControls::cancel, cmdCancel, false);
  subPieceButton_enable(true);

  session_.statusBuiltin();
  subStatus_show();
  frameAuto->setVisible(false);

  subPuzzle_loadBuiltin();
  session_.setPreview(session_.preferences().bPreview);
  mnuPreview->setChecked(session_.preview());
}

void frmMain::subPuzzle_loadBuiltin() {
  subBuiltin_load(session_);
  listRotate->clear();
  subAutoInfo_show();
}

void frmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The first activation runs once the window is on screen; the
  // demonstration's long run then pumps events itself.
  if (!activated_) QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

void frmMain::Form_Activate() {
  if (activated_) return;
  activated_ = true;
  // The demonstration is marked before the first selection, so no landing
  // place is ever drawn in it.
  if (st_.G_bDemo) session_.setDemoRun(true);
  // The empty box is shown from the start rather than a blank picture.
  subBox_draw();
  if (lstPiece->currentRow() != 0) {
    setListIndex(0);
  } else {
    lstPiece_Click();
  }
  subMoveList_clear();
  if (st_.G_bDemo) {
    session_.setDemoRun(true);
    chkDedSpace->setChecked(true);
    chkDedSpace->setEnabled(false);
    mnuAautoMove_Click();
    cmdMove_Click();
  }
}

void frmMain::Form_QueryUnload() {
  session_.loadStop();
  subInit_writeBack(session_.storage(), st_, session_.demoRun());
  // The stop ends a running search at its next slice.
  if (session_.loading() && !session_.ticking()) loaderTimer_->start(0);
}

void frmMain::closeEvent(QCloseEvent* event) {
  // Closing is never cancelled.
  Form_QueryUnload();
  event->accept();
}

void frmMain::mnuFileQuit_Click() { close(); }

void frmMain::subDemoMenus_enable(bool b) {
  mnuFileSave->setVisible(b);
  mnuFileStep1->setVisible(b);
  mnuPzMaker->setVisible(b);
  mnuFileOpen->setEnabled(b);
  mnuView->menuAction()->setEnabled(b);
  mnuEdit->menuAction()->setEnabled(b);
  mnuTool->menuAction()->setEnabled(b);
  mnuHelp->menuAction()->setEnabled(b);
  cmdMove->setEnabled(b);
  cmdStop->setEnabled(b);
  cmdInit->setEnabled(b);
}

void frmMain::subOptPiece_hide() {
  play_.controls().option.fill(false);
  for (QRadioButton* o : optPiece) o->setVisible(false);
}

void frmMain::subBoxButton_enable(bool b) {
  play_.controls().boxButtons = b;
  for (QWidget* w :
       {static_cast<QWidget*>(cmdRemove), static_cast<QWidget*>(cmdOrgPZ), static_cast<QWidget*>(cmdClear),
        static_cast<QWidget*>(cmdTurn[3]), static_cast<QWidget*>(cmdTurn[4]), static_cast<QWidget*>(cmdTurn[5])})
    w->setEnabled(b);
}

void frmMain::subPieceButton_enable(bool b) {
  play_.controls().pieceButtons = b;
  for (QPushButton* w :
       {cmdOrg, cmdTurn[0], cmdTurn[1], cmdTurn[2], cmdX_Dec, cmdX_Inc, cmdY_dec, cmdY_Inc, cmdZ_Dec, cmdZ_Inc})
    w->setEnabled(b);
}

void frmMain::subPanel_show(bool showBox, bool showPiece) {
  for (QScrollBar* s : {hscL, hscR, vscU, vscD}) s->setVisible(showBox);
  for (QScrollBar* s : {hscLP, hscRP, vscUP, vscDP}) s->setVisible(showPiece);
  for (ShapeGrid* g : {shpA, shpB, shpC, shpD}) g->setSquaresVisible(showBox);
  for (ShapeGrid* g : {shpE, shpF, shpG, shpH}) g->setSquaresVisible(showPiece);
}

void frmMain::subStatus_show() {
  const SessionView v = session_.view(playClock());
  for (size_t i = 0; i < stsBar.size(); ++i) stsBar[i]->setText(fncQString(v.status[i]));
}

std::string frmMain::text(const QLabel* label) { return label->text().toStdString(); }

bool frmMain::fncMaking_leave() {
  if (!mnuMake->isChecked() && !session_.maker()) return true;
  if (dialogs_.messageBox(tr("作成中のブロックが、破棄されます。よろしいですか？").toStdString(),
                          tr("パズルを開く").toStdString(), MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
    return false;
  cmdSet->setVisible(false);
  cmdSetCancel->setVisible(false);
  subAutoNext_show(false);
  mnuMake->setChecked(false);
  subMaker_mode(false);
  for (QAction* a : {mnu2D_Panel, mnuAautoMove, mnuHelpHelp, mnuMake, mnuMakePiece}) a->setEnabled(true);
  mnu2D_Panel_Click();
  subBoxButton_enable(true);
  cmdClear_Click();
  return true;
}

void frmMain::mnuFileOpen_Click() {
  std::string path;
  try {
    if (!fncMaking_leave()) return;
    FileDialogRequest request;
    request.title = tr("パズルを開く").toStdString();
    request.initialPath = st_.G_sDataPath + "/*.bin";
    request.filter = "(*.bin)|*.bin";
    request.defaultExt = "bin";
    path = dialogs_.openFileDialog(request);
    if (path.empty()) return;
  } catch (const std::exception& e) {
    subError_log(dialogs_, st_.G_sAppPath, std::string("Line 0:") + e.what(), "frmMain.mnuFileOpen_Click() 51");
    session_.setPath({});
    return;
  }
  subPuzzle_open(path);
}

bool frmMain::subPuzzle_open(const std::string& path) {
  try {
    if (!session_.open(path, playClock())) return false;
    subStatus_show();

    showPlay(PlayOutcome{});
    cmdSet->setVisible(false);
    cmdSetCancel->setVisible(false);
    subAutoNext_show(false);
    mnuFileSave->setEnabled(session_.view(playClock()).canSave);
    subPiece_draw(0);
    subBox_draw();
    subAutoInfo_show();
    if (session_.autoMove()) {
      mnuAautoMove_Click();
      mnuAautoMove->setEnabled(true);
    }
    if (session_.panels()) mnu2D_Panel_Click();
    mnuTool->menuAction()->setEnabled(true);
    mnuView->menuAction()->setEnabled(true);
    subEditMenu_update();
    subPlay_opened();
    return true;
  } catch (const std::exception& e) {
    subError_log(dialogs_, st_.G_sAppPath, std::string("Line 0:") + e.what(), "frmMain.mnuFileOpen_Click() 51");
    session_.setPath({});
    return false;
  }
}

ShapeGrid* frmMain::shapeGrid(PanelGrid grid) const {
  switch (grid) {
    case PanelGrid::shpA: return shpA;
    case PanelGrid::shpB: return shpB;
    case PanelGrid::shpC: return shpC;
    case PanelGrid::shpD: return shpD;
    case PanelGrid::shpE: return shpE;
    case PanelGrid::shpF: return shpF;
    case PanelGrid::shpG: return shpG;
    case PanelGrid::shpH: return shpH;
  }
  return nullptr;
}

}  // namespace pakkon
