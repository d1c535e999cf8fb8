#pragma once
// The game in progress, in one place and free of any window: the puzzle,
// its move list, and the record of the puzzle in play (its clock, moves
// and hints, its completion, and what the progress file learns of it).
// Front ends hand it the time and their events; it never reads a clock.
//
// 手数 counts what a player calls a move: a change to the box (Load,
// Cancel, UNLOAD, Clear, a box turn or push), not a selection, a turn of the
// block in hand, a hint, an undo or a redo. The clock starts at the first
// action after opening, stops at the completion, and stands still while a
// dialog is open or the window is minimised. One opening records at most
// one completion.

#include <array>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/play.h"
#include "app/settings.h"
#include "autoload/search.h"
#include "demo/walkthrough.h"
#include "draw/layer_panel.h"
#include "draw/surface.h"
#include "model/action.h"
#include "model/state.h"
#include "platform/dialogs.h"
#include "platform/storage.h"
#include "solver/finish.h"

namespace pakkon {

class ProgressBook;

using SessionTime = std::chrono::steady_clock::time_point;

// The box the block maker makes blocks for, each side 2 to 4.
struct BoxSize {
  int x = 0, y = 0, z = 0;
  bool operator==(const BoxSize&) const = default;
};

// Messages and questions of the session. A question's answer comes to its
// continuation, at once or later, so a front end may ask without blocking.
class SessionHost : public PlayHost {
 public:
  virtual void ask(const PlayMessage& question, MsgButtons buttons, std::function<void(MsgAnswer)> then) = 0;
  // A line of text typed in; "" when cancelled.
  virtual void input(const std::string& prompt, const std::string& title, std::function<void(std::string)> then) = 0;
  // The block maker's box size, offered from `current`; nothing when
  // cancelled. A host without the size dialog refuses.
  virtual void chooseSize(BoxSize /*current*/, std::function<void(std::optional<BoxSize>)> then) {
    if (then) then(std::nullopt);
  }
};

// Answers at once through the game's dialogs.
class DialogsHost final : public SessionHost {
 public:
  explicit DialogsHost(Dialogs& dialogs) : dialogs_(dialogs) {}
  void tell(const PlayMessage& m) override;
  void ask(const PlayMessage& question, MsgButtons buttons, std::function<void(MsgAnswer)> then) override;
  void input(const std::string& prompt, const std::string& title, std::function<void(std::string)> then) override;
  void chooseSize(BoxSize current, std::function<void(std::optional<BoxSize>)> then) override;
  // The size dialog, where a front end has one.
  std::function<std::optional<BoxSize>(BoxSize current)> sizeDialog;

 private:
  Dialogs& dialogs_;
};

// What a hint showed the player.
struct HintShown {
  enum class Kind {
    TooLong,    // no answer in time
    Full,       // the box is complete already
    Played,     // a block played to its place, one entry of the move list
    Unchanged,  // the block stood there already: nothing new
    Outside,    // the box holds cells beyond its size
    Hopeless,   // not even the empty box can be finished
    Clear,      // cells no block owns: Clear, then it can be finished
    Remove,     // the blocks to take out
  } kind = Kind::TooLong;
  std::vector<int> remove;
  PlayOutcome played;
  bool counted() const { return kind == Kind::Played || kind == Kind::Clear || kind == Kind::Remove; }
};

// A command of the session as a script gives it: a play action, "hint",
// "giveup PASSWORD" (the give-up dialogue answered Yes, then the password),
// the auto loader's "autoload" (LOAD, run to its end), "stop" (STOP: a
// run started next ends at once) and "init" (INIT), "automove on|off"
// (表示 → 自動移動), "open PATH", "save PATH" (the overwrite save to PATH),
// "preview on|off" (表示 → 置き場所を表示), "finish on|off" (the finish
// mark), "language ja|en" (表示 →
// Language / 言語, written for the next start), the block maker's "maker X Y Z"
// (entered answering Yes to clearing the blocks, the box X×Y×Z) and
// "maker end" (left answering Yes), the maker's "cell X Y Z" (a left click
// on that cell, counted from 1, of the selected block), and
// "saveas PATH | COMMENT" or
// "saveas PATH | COMMENT | PASSWORD" (名前を付けて保存 with what its
// dialogues ask for).
struct SessionCommand {
  enum class Kind {
    Action,
    Hint,
    GiveUp,
    AutoLoad,
    Init,
    Open,
    Save,
    Preview,
    Language,
    Maker,
    MakerEnd,
    Cell,
    SaveAs,
    Stop,
    AutoMove,
    Finish
  } kind = Kind::Action;
  PlayAction action;
  std::string password;  // giveup, saveas
  std::string path;      // open, save, saveas
  bool on = false;       // preview, automove, finish
  std::string language;  // "ja" or "en"
  BoxSize size;          // maker; cell: the cell, from 1
  std::string comment;   // saveas
};
std::string fncCommand_text(const SessionCommand& c);
struct ParsedCommands {
  std::vector<SessionCommand> commands;
  std::string error;  // as fncActions_parse says it
  bool ok() const { return error.empty(); }
};
ParsedCommands fncCommands_parse(std::string_view text);

// The box size as the status bar shows it ("3×3×2").
std::string fncBoxSize_text(const PuzzleState& st);

// What a command did.
struct CommandDone {
  bool done = false;              // false: refused or not possible now (as its button would be)
  PlayOutcome outcome;            // a play action's
  std::optional<HintShown> hint;  // a hint's, none outside plain play
  bool gaveUp = false;
};

// What a front end shows of the session, derived from it whenever asked:
// the play controls, the edit menu, the modes, and the labels of the
// puzzle in play. A front end keeps none of it.
struct SessionView {
  PlayControls controls;
  bool canUndo = false, canRedo = false;  // in plain play only
  bool playing = false, playKeys = false;
  bool maker = false, autoMove = false, loading = false, demoRun = false;
  int walkthroughStep = 0;
  bool recording = false;  // a puzzle file is in play: its clock and moves show
  bool solved = false;
  int moves = 0;
  double seconds = 0;
  int hints = 0;
  // The status bar's four panels.
  std::array<std::string, 4> status;
  // The maker's cell count, "used : limit", as it last said it; emptied
  // when the maker is left through its menu.
  std::string makerCount;
  // 上書き保存 and 名前を付けて保存 may be chosen.
  bool canSave = false, canSaveAs = false;
  // 表示's choices, as their check marks show them.
  bool preview = false, finishCheck = false, playTime = false, panels = false;
  bool operator==(const SessionView&) const = default;
};

class Session {
 public:
  // The session owns the puzzle; a front end that prepared one at start
  // hands it over.
  explicit Session(SessionHost& host, std::unique_ptr<PuzzleState> st = std::make_unique<PuzzleState>());

  PuzzleState& state() { return st_; }
  const PuzzleState& state() const { return st_; }
  PlayLayer& play() { return play_; }
  SessionView view(SessionTime now) const;
  const PlayLayer& play() const { return play_; }

  // ---- modes ----
  // The block maker, the automatic move, the loader running; the
  // demonstration's unattended run is demoRun().
  bool maker() const { return maker_; }
  void setMaker(bool on) { maker_ = on; }
  bool autoMove() const { return autoMove_; }
  // 表示 → 自動移動: the controls the loader's frame stands in for (Load,
  // the block list, the box's and the block's buttons) rest while it shows,
  // and the move list starts afresh.
  void setAutoMove(bool on);
  bool loading() const { return loader_ != nullptr; }
  Walkthrough& walkthrough() { return walk_; }
  const Walkthrough& walkthrough() const { return walk_; }
  // The walkthrough's timer, from the sample set up to the last step.
  void walkStart(SessionTime now) { walkNext_ = now + kWalkTick; }
  void walkStop() { walkNext_.reset(); }
  bool walkTimer() const { return walkNext_.has_value(); }
  // The timer's tick once its time has come (a front end's timer firing a
  // little early still counts); nothing between ticks or when it is off.
  std::optional<WalkTick> walkTick(SessionTime now);
  // Neither the demonstration nor the loader runs: the play keys act.
  bool playKeys() const { return !loading() && !demoRun() && !walk_.running(); }

  // ---- the block maker ----
  // ツール → ブロック単体の作成: whether to clear the blocks, the
  // password guarding an opened puzzle's blocks, then the box size, all
  // through the host. `done` learns whether the maker was entered.
  void makerStart(std::function<void(bool)> done = {});
  // Leaving it, once the host says Yes: plain play over the blocks made,
  // the box emptied by a Clear whose outcome `done` receives.
  void makerEnd(SessionTime now, std::function<void(std::optional<PlayOutcome>)> done = {});
  // A click on cell (x, y, z) (from 0) of the selected block: a left one
  // (button 1) turns the cell over within the maker's count, any button
  // counts the cells again; too many cells are warned of through the host.
  // countShown runs as the count changes, so it reads right while the
  // warning is up. False outside the maker or the box.
  bool makerCell(int x, int y, int z, int button = 1, const std::function<void()>& countShown = {});
  // A mouse-down on block grid `grid` (shpE..shpH) whose scroll bar reads S,
  // at (X, Y) in twips: the cell under it as makerCell. True when the block
  // view must be redrawn.
  bool makerClick(PanelGrid grid, int S, int button, float X, float Y, const std::function<void()>& countShown = {});

  // ---- the status bar ----
  // The built-in puzzle at start-up: the demonstration's or the sample's.
  void statusBuiltin();
  // The walkthrough's sample, set up by the demonstration's click.
  void statusWalkthrough();
  const std::array<std::string, 4>& status() const { return status_; }

  // ---- the views ----
  // 表示 → 置き場所を表示, as the player chose it.
  void setPreview(bool on) { preview_ = on; }
  bool preview() const { return preview_; }
  // 表示's other choices: the finish mark, the play clock under the Block
  // frame, and the 2D panel.
  void setFinishCheck(bool on) { finishCheck_ = on; }
  bool finishCheck() const { return finishCheck_; }
  void setPlayTime(bool on) { playTime_ = on; }
  bool playTime() const { return playTime_; }
  void setPanels(bool on) { panels_ = on; }
  bool panels() const { return panels_; }
  // The landing place of the selected block shows in the box view: the
  // choice is on, in plain play, Load can be pressed, and the block is out
  // of the box and has cells.
  bool previewShown() const;
  // The box view with hscDX / vscDY as given (and the landing preview when
  // shown; refillPanels as views.h says), and the block view of a block.
  void drawBox(PictureSurface& surface, int dx, int dy, const std::function<void()>& refillPanels = {});
  void drawBlock(PictureSurface& surface, int block);

  // ---- the auto loader ----
  // LOAD: a run that tick() advances a slice at a time; false when one runs
  // already (a LOAD meanwhile is ignored).
  bool loadStart(AutoLoadHooks& hooks, SessionTime now, const AutoLoadOptions& options = {});
  // STOP: the run ends at its next slice; a LOAD before any slice ends at once.
  void loadStop() { loaderVars_.bStop = true; }
  // The demonstration's unattended run is marked: the loader pauses as it
  // goes, and the play keys rest.
  bool demoRun() const { return loaderVars_.bDemoRun; }
  void setDemoRun(bool on) { loaderVars_.bDemoRun = on; }
  const LoaderVars& loaderVars() const { return loaderVars_; }
  // INIT: the loading order and every block's counters back to the start.
  void loaderInit();
  // The run goes no further (the window closes, a fault ended it).
  void loadAbandon();
  // Advances what runs by itself: the loader's next slice once the
  // demonstration's pause is over, at once when STOP was asked for. Its
  // result when it ended in this tick. A tick inside a tick (a message the
  // slice shows lets the front end's timer through) does nothing.
  std::optional<AutoLoadResult> tick(SessionTime now);
  // How long until tick has work; nullopt when nothing runs.
  std::optional<std::chrono::milliseconds> tickDue(SessionTime now) const;
  // The slice just run stopped for a pause of the demonstration.
  bool loadPaused() const { return loaderPaused_; }
  bool ticking() const { return ticking_; }
  // Plain play: the move list records, hints and the clock count.
  bool playing() const { return playKeys() && !maker_ && !autoMove_; }

  // Applies a command in the one place commands are applied: a play action
  // as its button's click, a hint searched at once (a front end that may
  // not wait runs the search as a job and hands its answer to hintAnswer),
  // giveup through the host's dialogue, autoload starting the loader with
  // `hooks` (tick runs it), and the rest as their menu entries.
  CommandDone command(const SessionCommand& c, AutoLoadHooks& hooks, SessionTime now);

  // ---- puzzle files ----
  // Opens the puzzle file at `path` (read through the storage), or its
  // bytes. The file is judged before anything changes, so a refused one
  // leaves the puzzle, its box and its save target as they were; what was
  // wrong is told.
  bool open(const std::string& path, SessionTime now);
  bool openBytes(std::string_view bytes, const std::string& path, SessionTime now);
  // The overwrite save of the box as it stands; a failure is told and
  // logged, and the file stays as it was.
  bool save(const std::string& path);
  // 名前を付けて保存 with the comment and password its dialogues gathered:
  // the blocks shuffled, the file written, and the file kept as the save
  // target. done: written; outcome: the shuffle's. A password the file
  // cannot hold is refused before anything changes.
  CommandDone saveAs(const std::string& path, const std::string& comment, const std::string& password, SessionTime now);
  // The bytes save() would write, with a key of its own (a download).
  bool saveBytes(std::string& bytes);
  // What saves fail with in tests.
  const WriteFaults* saveFaults = nullptr;
  // The puzzle file in play and the overwrite save's target; "" when none.
  const std::string& path() const { return path_; }
  void setPath(std::string path) { path_ = std::move(path); }
  // A puzzle has been opened: its clock and count start afresh.
  void opened(SessionTime now);
  // The player reached it through the puzzle list: the next one is offered.
  void setFromList() { fromList_ = true; }

  // An action of the play layer has been applied: counts it, starts the
  // clock and notices a completion, which is recorded in the progress file
  // and, for a puzzle of the list, followed by the offer of the next one.
  void after(const PlayOutcome& out, bool undoRedo, SessionTime now);
  // An action applied and followed up as above.
  PlayOutcome apply(const PlayAction& a, PlayHost& host, bool checkEnabled, bool record, SessionTime now);
  // Opens the offered puzzle; true when it was opened.
  std::function<bool(const std::string& path)> openPuzzle;

  // ヘルプ → 参った: the give-up dialogue. With the answer password, Reset
  // is enabled and the give-up recorded (a later completion is marked so);
  // anything else leaves all as it was. `done` learns which.
  void giveUp(std::function<void(bool)> done = {});

  // The answer of the hint's search for the box p, as the player sees it:
  // a placement played, or what to take out. It counts when it shows
  // something. Nothing when the box is no longer p.
  std::optional<HintShown> hintAnswer(const FinishProblem& p, const FinishHint& h, PlayHost& host, SessionTime now);

  // Hints shown for the puzzle as it stands (its file, size and blocks as made).
  int hints() const;
  void hintShown();

  // A dialog opens (true) or closes; the window is minimised or not.
  void pause(bool on, SessionTime now);
  void minimise(bool on, SessionTime now);

  bool recording() const { return !key_.empty(); }
  bool solved() const { return solvedSeconds_ >= 0; }
  int moves() const { return moves_; }
  double seconds(SessionTime now) const;

  // Off: completions are noticed but nothing is written (a tool's dry run).
  bool keepProgress = true;

  // Ratings worked out this session, by puzzle key.
  std::map<std::string, int>& ratings() { return ratings_; }
  std::string progressPath() const;
  // Where the game's named files are kept (Init.ini, the progress file, the
  // puzzles and their folder): the files themselves unless a front end
  // gives its own.
  void setStorage(Storage& storage) { storage_ = &storage; }
  Storage& storage() { return *storage_; }

  // ---- the player's choices, in Init.ini through the storage ----
  Preferences preferences() { return fncPreferences_load(*storage_, st_); }
  // Written at once; false when it could not be, or there is no program
  // folder to keep it in (a tool's play).
  bool setPreference(const char* key, bool on);
  // "ja" or "en" for the next start; false as above.
  bool setLanguage(const std::string& language);
  // Reads the progress file, lets `change` write to the book and saves it;
  // what went wrong is told. False when nothing was saved. A failure is
  // logged every time and told once, except that a password given is
  // always shown when the file cannot keep it.
  bool progressUpdate(const std::function<void(ProgressBook&)>& change, const std::string& password = {});

 private:
  void runClock(SessionTime now);
  void logError(const std::string& message, const std::string& where);
  void recordGiveUp();
  bool full() const;
  void makerSize(std::function<void(bool)> done);
  void makerEnter();

  std::unique_ptr<PuzzleState> owned_;
  PuzzleState& st_;
  SessionHost& host_;
  FileStorage files_{LinkMode::Replace};
  Storage* storage_ = &files_;
  PlayLayer play_{st_};

  bool preview_ = false;
  bool finishCheck_ = false;
  bool playTime_ = false;
  bool panels_ = false;
  bool maker_ = false;
  std::string makerCount_;
  std::array<std::string, 4> status_;
  bool canSave_ = false, canSaveAs_ = false;
  bool autoMove_ = false;
  std::unique_ptr<AutoLoadRun> loader_;
  LoaderVars loaderVars_;
  SessionTime loaderWake_{};
  bool loaderPaused_ = false;
  bool ticking_ = false;
  bool abandoned_ = false;  // while its slice runs
  Walkthrough walk_;
  std::optional<SessionTime> walkNext_;

  std::string path_;
  std::string key_;  // empty: nothing to record (no file opened)
  bool fromList_ = false;
  bool started_ = false;
  double elapsed_ = 0;                // seconds counted up to since_
  std::optional<SessionTime> since_;  // the clock runs from here
  int paused_ = 0;
  bool minimised_ = false;
  double solvedSeconds_ = -1;
  int moves_ = 0;
  int hintsAtOpen_ = 0;
  bool gaveUp_ = false;
  bool full_ = false;  // after the last action
  bool failureTold_ = false;
  // Follows the puzzle as it stands, so a count asked for is already current.
  mutable size_t hintPuzzle_ = 0;
  mutable int hints_ = 0;
  std::map<std::string, int> ratings_;
};

}  // namespace pakkon
