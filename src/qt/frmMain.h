#pragma once
// The main window. It owns every control under its design name; the
// handlers live with their subsystem (frmMain.cpp: load, open, close and
// the control groups; frmMain_play.cpp: play and views; the auto loader,
// maker and demonstration in their own folders).

#include <QMainWindow>
#include <array>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/play.h"
#include "app/session.h"
#include "demo/walkthrough.h"
#include "draw/layer_panel.h"
#include "model/state.h"
#include "platform/dialogs.h"
#include "platform/files.h"

class QAbstractButton;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
class QWidget;

namespace pakkon {

class ClickLabel;
struct FinishHint;
struct FinishProblem;
class frmGenerate;
class ProgressBook;
class frmPuzzleList;
class PictureWidget;
class ShapeGrid;

// The window's dialogs: the play clock stands still while one is open.
class PausingDialogs final : public Dialogs {
 public:
  PausingDialogs(Dialogs& inner, std::function<void(bool)> pause) : inner_(inner), pause_(std::move(pause)) {}
  MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) override {
    const Paused p(*this);
    return inner_.messageBox(text, title, icon, buttons);
  }
  std::string inputBox(const std::string& prompt, const std::string& title, const std::string& text) override {
    const Paused p(*this);
    return inner_.inputBox(prompt, title, text);
  }
  std::string openFileDialog(const FileDialogRequest& request) override {
    const Paused p(*this);
    return inner_.openFileDialog(request);
  }
  std::string saveFileDialog(const FileDialogRequest& request) override {
    const Paused p(*this);
    return inner_.saveFileDialog(request);
  }

 private:
  struct Paused {
    explicit Paused(PausingDialogs& d) : d_(d) {
      if (d_.pause_) d_.pause_(true);
    }
    ~Paused() {
      if (d_.pause_) d_.pause_(false);
    }
    Paused(const Paused&) = delete;
    Paused& operator=(const Paused&) = delete;
    PausingDialogs& d_;
  };
  Dialogs& inner_;
  std::function<void(bool)> pause_;
};

class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  // Plays the puzzle start-up prepared; its session owns it from here on.
  frmMain(std::unique_ptr<PuzzleState> st, Dialogs& dialogs, QWidget* parent = nullptr);
  ~frmMain() override;

  PuzzleState& state() { return st_; }
  Dialogs& dialogs() { return dialogs_; }

  // ---- controls, under their design names ----
  QMenu* mnuFile = nullptr;
  QAction* mnuFileOpen = nullptr;
  QAction* mnuFileStep1 = nullptr;
  QAction* mnuFileSaveAs = nullptr;
  QAction* mnuFileSave = nullptr;
  QAction* mnuFileStep2 = nullptr;
  QAction* mnuFileQuit = nullptr;
  QMenu* mnuEdit = nullptr;
  QAction* mnuEditUndo = nullptr;
  QAction* mnuEditRedo = nullptr;
  QMenu* mnuView = nullptr;
  QAction* mnu2D_Panel = nullptr;
  QAction* mnuAautoMove = nullptr;
  QAction* mnuPreview = nullptr;
  QMenu* mnuTool = nullptr;
  QAction* mnuMake = nullptr;
  QAction* mnuMakePiece = nullptr;
  QMenu* mnuHelp = nullptr;
  QAction* mnuHelpVerInfo = nullptr;
  QAction* mnuHelpHelp = nullptr;
  QAction* mnuPzMaker = nullptr;

  std::array<QPushButton*, 6> cmdTurn{};
  QPushButton* cmdX_Dec = nullptr;
  QPushButton* cmdX_Inc = nullptr;
  QPushButton* cmdY_dec = nullptr;
  QPushButton* cmdY_Inc = nullptr;
  QPushButton* cmdZ_Dec = nullptr;
  QPushButton* cmdZ_Inc = nullptr;
  QPushButton* cmdOrg = nullptr;
  QPushButton* cmdOrgPZ = nullptr;
  QPushButton* cmdBotom = nullptr;
  QPushButton* cmdReset = nullptr;
  QPushButton* cmdShuffle = nullptr;
  QPushButton* cmdClear = nullptr;
  QPushButton* cmdLoad = nullptr;
  QPushButton* cmdCancel = nullptr;
  QPushButton* cmdRemove = nullptr;
  QPushButton* cmdSet = nullptr;
  QPushButton* cmdSetCancel = nullptr;
  QCheckBox* chkAutoNext = nullptr;
  QCheckBox* chkDedSpace = nullptr;

  QGroupBox* framePiece = nullptr;
  std::array<QRadioButton*, 8> optPiece{};
  QListWidget* lstPiece = nullptr;

  QGroupBox* frameAuto = nullptr;
  QPushButton* cmdInit = nullptr;
  QPushButton* cmdStop = nullptr;
  QPushButton* cmdMove = nullptr;
  std::array<QLabel*, 8> shpPiece{};
  std::array<QLabel*, 8> lblIP{};
  std::array<QLabel*, 8> lblNo{};
  std::array<QLabel*, 8> lblTurn_CtZ{};
  std::array<QLabel*, 8> lblFaceV{};
  QListWidget* listRotate = nullptr;
  QLabel* lblAtOnce = nullptr;

  PictureWidget* pictMain = nullptr;
  PictureWidget* pictPiece = nullptr;
  QScrollBar* hscDX = nullptr;
  QScrollBar* vscDY = nullptr;
  QScrollBar* hscFace = nullptr;
  QLabel* lblFace = nullptr;
  QLabel* lblPiece = nullptr;
  QLabel* lblSum = nullptr;
  QLabel* lblPiece_count = nullptr;
  ClickLabel* lblDemo = nullptr;

  ShapeGrid* shpA = nullptr;
  ShapeGrid* shpB = nullptr;
  ShapeGrid* shpC = nullptr;
  ShapeGrid* shpD = nullptr;
  ShapeGrid* shpE = nullptr;
  ShapeGrid* shpF = nullptr;
  ShapeGrid* shpG = nullptr;
  ShapeGrid* shpH = nullptr;
  QScrollBar* hscL = nullptr;
  QScrollBar* hscR = nullptr;
  QScrollBar* vscU = nullptr;
  QScrollBar* vscD = nullptr;
  QScrollBar* hscLP = nullptr;
  QScrollBar* hscRP = nullptr;
  QScrollBar* vscUP = nullptr;
  QScrollBar* vscDP = nullptr;

  QTimer* Timer1 = nullptr;
  std::array<QLabel*, 4> stsBar{};  // panels 1..4 at index 0..3

  // ---- window life (frmMain.cpp) ----
  void Form_Load();
  void Form_Activate();
  void Form_QueryUnload();
  void mnuFileOpen_Click();
  // The open command after its dialog, for any path (the puzzle list and
  // new puzzles too); false when the file was refused.
  bool subPuzzle_open(const std::string& path);
  // While blocks are being made, asks whether to drop them and leaves the
  // maker on Yes; false on No.
  bool fncMaking_leave();
  void mnuFileQuit_Click();
  // What the demonstration takes away (false) and gives back (true), the
  // save entry included.
  void subDemoMenus_enable(bool b);
  void subOptPiece_hide();
  void subBoxButton_enable(bool b);
  void subPieceButton_enable(bool b);
  void subPanel_show(bool showBox, bool showPiece);
  // A play control's state, where the play layer reads it and on the widget.
  void subControl_set(bool PlayControls::*field, QWidget* w, bool on);
  void subAutoNext_show(bool on);
  void subSum_show(const QString& text);
  // The status bar as the session's view has it.
  void subStatus_show();

  // ---- play and views (frmMain_play.cpp) ----
  void lstPiece_Click();
  void cmdTurn_Click(int index);
  void hscFace_Change();
  void cmdBotom_Click();
  void cmdReset_Click();
  void cmdShuffle_Click();
  void cmdX_Dec_Click();
  void cmdX_Inc_Click();
  void cmdY_dec_Click();
  void cmdY_Inc_Click();
  void cmdZ_Dec_Click();
  void cmdZ_Inc_Click();
  void cmdOrg_Click();
  void cmdOrgPZ_Click();
  void cmdLoad_Click();
  void cmdCancel_Click();
  void cmdRemove_Click();
  void cmdClear_Click();
  void mnuHelpHelp_Click();
  void subBox_draw();
  void subPiece_draw(int piece);
  void subBoxPanel_draw(int L, int R, int U, int D);
  void subPiecePanel_draw(int LP, int RP, int UP, int DP, int piece);
  void mnu2D_Panel_Click();
  void hscDX_Change();
  void vscDY_Change();
  void pictMain_MouseDown(int button, int shift, float x, float y);
  void pictMain_MouseMove(int button, int shift, float x, float y);
  void Form_MouseDown(int button, int shift, float x, float y);

  // ---- the play layer (frmMain_play.cpp) ----
  PlayLayer& play() { return play_; }
  // A button, key or list event as an action: the controls are copied in,
  // the action applied (into the move list when record and playing), and
  // the controls and views shown once.
  PlayOutcome playAction(PlayAction a, bool record = true);
  // Runs as an action starts (tests: the widgets show the controls the action reads).
  std::function<void()> playProbe;
  // ヘルプ → キー操作…: every key of the game, in the interface's language.
  QAction* mnuHelpKeys = nullptr;
  void mnuHelpKeys_Click();
  void mnuEditUndo_Click();
  void mnuEditRedo_Click();
  // True in plain play: not making blocks, not auto-loading, no demonstration.
  bool playRecording() const;
  void subEditMenu_update();
  // A new puzzle, the maker, the auto loader or the demonstration: nothing to take back.
  void subMoveList_clear();
  // The controls as the play layer left them, and the redraws it asked for.
  void showPlay(const PlayOutcome& out);
  // The landing place of the selected block is drawn in the box view now.
  bool fncPreview_shown() const;
  void mnuPreview_Click();
  // After a change of mode: the box view loses or gains the preview.
  void subPreview_refresh();

  // ---- hints and the finish check (frmMain_hint.cpp) ----
  // Builds their menu entries, labels and connections.
  void buildHints();
  QAction* mnuHelpHint = nullptr;     // ヘルプ → ヒント, key H
  QAction* mnuFinishCheck = nullptr;  // 表示 → 完成できるか表示
  QLabel* lblFinish = nullptr;        // ○, ×, or a neutral mark until the answer is in
  QLabel* lblHints = nullptr;         // the hints taken for this puzzle
  void mnuHelpHint_Click();
  void subHint_answer(const FinishProblem& p, const FinishHint& h);
  void mnuFinishCheck_Click();
  // After a change of the box: a new check on the worker thread, which the
  // window never waits for; the mark stays neutral until it answers.
  void subFinishCheck_start();
  bool finishCheckPending() const;
  // A hint is being worked out on its thread; its answer comes as a queued call.
  bool hintPending() const;
  int hintCount() const;
  // Runs on the worker thread as each check starts (tests).
  std::function<void()> finishCheckProbe;
  // Several actions as one entry of the move list, shown once (frmMain_play.cpp).
  PlayOutcome playGroup(const std::vector<PlayAction>& actions);

 private:
  struct HintWork;
  std::shared_ptr<HintWork> hintWork_;  // going, it stops and joins the worker

 public:
  // ---- the puzzle list, progress and new puzzles (frmMain_list.cpp, frmMain_generate.cpp) ----
  // Builds their menu entries, label and connections.
  void buildPuzzleList();
  QAction* mnuFileList = nullptr;      // ファイル → パズル一覧…
  QAction* mnuFileGenerate = nullptr;  // ファイル → 新しいパズルを作る…
  QAction* mnuPlayTime = nullptr;      // 表示 → 時間と手数を表示
  QLabel* lblPlayTime = nullptr;       // time and moves of the puzzle in play
  void mnuFileList_Click();
  void mnuFileGenerate_Click();
  // A puzzle file was opened: its clock and action count start.
  void subPlay_opened();
  // After an action of the play layer: counts it and notices a completion.
  void subPlay_after(const PlayOutcome& out, bool undoRedo);
  int playActions() const;
  double playSeconds() const;
  // The play clock's time source; tests advance their own.
  std::function<std::chrono::steady_clock::time_point()> playClock = [] { return std::chrono::steady_clock::now(); };
  // A dialog of the game opens (true) or closes (false): the clock stands still meanwhile.
  void subPlayClock_pause(bool pause);
  void subPlayTime_show();
  std::string progressPath() const;
  // Reads the progress file, lets `change` write to the book and saves it;
  // what went wrong is told to the player. False when nothing was saved.
  // A password given is shown when the file cannot keep it.
  bool subProgress_update(const std::function<void(ProgressBook&)>& change, const std::string& password = {});
  // Ratings worked out this session, by puzzle key.
  std::map<std::string, int>& puzzleRatings();
  // Show the dialogs modally and return their result; tests drive them.
  std::function<int(frmPuzzleList&)> frmPuzzleList_exec;
  std::function<int(frmGenerate&)> frmGenerate_exec;

  Session& session() { return session_; }

 private:
  QTimer* playTimer_ = nullptr;  // the clock label's second hand

 public:
  // ---- the interface's language (frmMain_language.cpp) ----
  // 表示 → Language / 言語, checked at the language of the next start.
  void buildLanguageMenu();
  QMenu* mnuLanguage = nullptr;
  QAction* mnuLanguageJa = nullptr;
  QAction* mnuLanguageEn = nullptr;
  // Writes "ja" or "en" to Init.ini and says, in both, that it applies at the next start.
  void mnuLanguage_Click(const std::string& language);

  // ---- auto loader (frmMain_autoload.cpp) ----
  void cmdInit_Click();
  void cmdStop_Click();
  void cmdMove_Click();
  // The loader's next slice, and the timer set for the one after.
  void subLoader_tick();
  QTimer* loaderTimer_ = nullptr;
  void mnuAautoMove_Click();
  // The automatic move's menu check and the controls its frame stands in for.
  void subAutoMove_show();
  void subAutoInfo_show();

  // ---- block maker and saving (frmMain_maker.cpp) ----
  void mnuMakePiece_Click();
  // The maker's mode, in the session and as its menu's check mark.
  void subMaker_mode(bool on);
  // The maker's widgets, its cell count and the status bar from the view.
  void subMaker_show();
  void subMakerCount_show();
  void mnuFileSaveAs_Click();
  void mnuFileSave_Click();
  // Shows the box-size dialog modally on the size as it stands: the sizes
  // chosen, none when cancelled. Tests answer it themselves.
  std::function<std::optional<BoxSize>(BoxSize current)> frmInput_show;

  // ---- demonstration and information (frmMain_demo.cpp) ----
  void lblDemo_Click();
  void Timer1_Timer();
  // The walkthrough's counters on the buttons of the step shown.
  void subWalkTags_show();
  QPushButton* walkButton(WalkButton b) const;
  // The button whose click plays an action; null for one without a button.
  QAbstractButton* actionButton(ActionKind kind) const;
  void mnuHelpVerInfo_Click();
  void mnuPzMaker_Click();
  // Opens a page in the user's browser; tests replace it.
  std::function<void(const std::string& url)> openUrl;
  // The demonstration's pauses in ms as the window waits them; tests shorten them.
  std::function<int(int ms)> loaderPause;

  bool autoLoadRunning() const { return session_.loading(); }
  // The play keys act: neither the demonstration nor the loader runs.
  bool fncPlayKeys_on() const;

  // The list index as the design's ListIndex: setting a different value
  // runs the selection, setting the same one runs nothing.
  void setListIndex(int index);
  int listIndex() const;
  // Caption of a label; option buttons and the status bar in tests.
  static std::string text(const QLabel* label);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenus();
  void buildControls();
  void connectHandlers();
  void buildKeys();
  void subPuzzle_loadBuiltin();
  std::string fncAnswerPW_ask(const std::string& current);
  ShapeGrid* shapeGrid(PanelGrid grid) const;

  class LoaderHooks;
  std::shared_ptr<LoaderHooks> loaderHooks_;  // while a run goes on

  PausingDialogs pausing_;
  Dialogs& dialogs_;
  LayerPanels panels_{};
  DialogsHost host_{dialogs_};
  Session session_;
  PuzzleState& st_ = session_.state();
  PlayLayer& play_ = session_.play();
  bool previewDrawn_ = false;
  bool activated_ = false;       // Form_Activate has run
  float dragX_ = 0, dragY_ = 0;  // where a drag on the box view began, in twips
  int listPressRow_ = -1;        // row current when the mouse went down on the list
};

// The window as the play layer sees it while an action runs: a message
// shows the controls and views as they stand at that moment.
class WindowPlayHost : public PlayHost {
 public:
  explicit WindowPlayHost(frmMain& w) : w_(w) {}
  void tell(const PlayMessage& m) override {
    w_.showPlay(PlayOutcome{true, false, true, true});
    w_.dialogs().messageBox(m.text, m.title, m.icon, MsgButtons::OK);
  }

 private:
  frmMain& w_;
};

}  // namespace pakkon
