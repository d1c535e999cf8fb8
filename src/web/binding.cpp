// The page's side of the game: one session over one puzzle. The page calls
// in with its events and the time, reads the view back as JSON, and gets
// the drawing of the two views as lists of calls to replay on a canvas.
// Messages and questions wait in a queue the page empties after each call;
// a question's answer comes back by its number.

#include <emscripten/bind.h>
#include <emscripten/emscripten.h>
#include <emscripten/val.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>

#include "app/errorlog.h"
#include "app/keys.h"
#include "app/progress.h"
#include "app/puzzle_list.h"
#include "app/session.h"
#include "app/session_demo.h"
#include "app/startup.h"
#include "autoload/search.h"
#include "autoload/search_reference.h"
#include "demo/texts.h"
#include "draw/layer_panel.h"
#include "draw/recording_surface.h"
#include "draw/renderer.h"
#include "draw/views.h"
#include "maker/generator.h"
#include "model/puzzle_file.h"
#include "platform/files.h"
#include "platform/storage.h"
#include "platform/text.h"
#include "platform/text_catalogue.h"
#include "solver/finish.h"
#include "solver/rating.h"

namespace pakkon::web {
namespace {

using Json = nlohmann::ordered_json;

// Where the site's files lie in the page's file system (embedded at link).
constexpr const char* kProgramDir = "/pakkon";
// As long as the window lets a hint search.
constexpr auto kHintTime = std::chrono::seconds(3);
// The finish check runs after each change, so it may hold the page less.
constexpr auto kCheckTime = std::chrono::seconds(1);

SessionTime at(double ms) {
  return SessionTime(std::chrono::duration_cast<SessionTime::duration>(std::chrono::duration<double, std::milli>(ms)));
}

std::string text(const Json& j) { return j.dump(-1, ' ', false, Json::error_handler_t::replace); }

class PageHost final : public SessionHost, public Dialogs {
 public:
  void tell(const PlayMessage& m) override { push("tell", m.text, m.title, m.icon, MsgButtons::OK); }
  void ask(const PlayMessage& q, MsgButtons buttons, std::function<void(MsgAnswer)> then) override {
    answers_[push("ask", q.text, q.title, q.icon, buttons)] = std::move(then);
  }
  void input(const std::string& prompt, const std::string& title, std::function<void(std::string)> then) override {
    inputs_[push("input", prompt, title, MsgIcon::None, MsgButtons::OKCancel)] = std::move(then);
  }
  // The few messages that come as the desktop's blocking dialogs (the
  // error report, start-up) are told; nothing waits for their answer.
  MsgAnswer messageBox(const std::string& t, const std::string& title, MsgIcon icon, MsgButtons buttons) override {
    push("tell", t, title, icon, MsgButtons::OK);
    return buttons == MsgButtons::OK         ? MsgAnswer::OK
           : buttons == MsgButtons::OKCancel ? MsgAnswer::Cancel
                                             : MsgAnswer::No;
  }
  std::string inputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::string openFileDialog(const FileDialogRequest&) override { return {}; }
  std::string saveFileDialog(const FileDialogRequest&) override { return {}; }

  std::string drain() {
    Json out = std::move(queue_);
    queue_ = Json::array();
    return text(out);
  }
  void answer(int id, int answer) {
    const auto found = answers_.find(id);
    if (found == answers_.end()) return;
    auto then = std::move(found->second);
    answers_.erase(found);
    if (then) then(static_cast<MsgAnswer>(answer));
  }
  void typed(int id, const std::string& t) {
    const auto found = inputs_.find(id);
    if (found == inputs_.end()) return;
    auto then = std::move(found->second);
    inputs_.erase(found);
    if (then) then(t);
  }

 private:
  int push(const char* kind, const std::string& t, const std::string& title, MsgIcon icon, MsgButtons buttons) {
    queue_.push_back({{"id", ++last_},
                      {"kind", kind},
                      {"text", t},
                      {"title", title},
                      {"icon", static_cast<int>(icon)},
                      {"buttons", static_cast<int>(buttons)}});
    return last_;
  }
  Json queue_ = Json::array();
  int last_ = 0;
  std::map<int, std::function<void(MsgAnswer)>> answers_;
  std::map<int, std::function<void(std::string)>> inputs_;
};

// The progress file kept in the browser's localStorage under its path, so
// it outlives the page; a storage the browser refuses keeps nothing.
EM_JS(int, pageStore_write, (const char* name, const char* data, int size), {
  try {
    localStorage.setItem('pakkon:' + UTF8ToString(name), UTF8ToString(data, size));
    return 0;
  } catch (e) {
    return 1;
  }
});
EM_JS(char*, pageStore_read, (const char* name), {
  let v = null;
  try {
    v = localStorage.getItem('pakkon:' + UTF8ToString(name));
  } catch (e) {
  }
  if (v == null) return 0;
  const n = lengthBytesUTF8(v) + 1;
  const p = _malloc(n);
  stringToUTF8(v, p, n);
  return p;
});
EM_JS(void, pageStore_remove, (const char* name), {
  try {
    localStorage.removeItem('pakkon:' + UTF8ToString(name));
  } catch (e) {
  }
});

// What the page writes goes to localStorage; what it has not written is
// read from the site's own files (the shipped puzzles).
class PageStorage final : public Storage {
 public:
  IoError read(const std::string& name, std::string& bytes, size_t most) override {
    char* v = pageStore_read(name.c_str());
    if (!v) return site_.read(name, bytes, most);
    bytes = v;
    std::free(v);
    if (bytes.size() > most) {
      bytes.clear();
      return fncIoError_make(kErrBadFormat);
    }
    return {};
  }
  IoError write(const std::string& name, std::string_view bytes) override {
    const std::string copy(bytes);
    return pageStore_write(name.c_str(), copy.c_str(), static_cast<int>(copy.size())) ? fncIoError_make(kErrDiskFull)
                                                                                      : IoError{};
  }
  bool exists(const std::string& name) override {
    char* v = pageStore_read(name.c_str());
    std::free(v);
    return v != nullptr || site_.exists(name);
  }
  IoError rename(const std::string& from, const std::string& to) override {
    std::string bytes;
    if (read(from, bytes, SIZE_MAX)) return {};
    if (const IoError e = write(to, bytes)) return e;
    pageStore_remove(from.c_str());
    return {};
  }
  // The site's files: what the page writes is never a puzzle of the list.
  std::vector<std::string> list(const std::string& folder, std::string& problem) override {
    return site_.list(folder, problem);
  }

 private:
  FileStorage site_;
};

// A picture as the calls the renderer made, in twips.
std::string calls(const RecordingSurface& s) {
  Json out = Json::array();
  for (const SurfaceCall& c : s.calls()) {
    using K = SurfaceCall::Kind;
    switch (c.kind) {
      case K::Clear: out.push_back({"c"}); break;
      case K::Line: out.push_back({"l", c.x1, c.y1, c.x2, c.y2, c.colour, c.pen}); break;
      case K::Rectangle: out.push_back({"r", c.x1, c.y1, c.x2, c.y2, c.colour, c.pen}); break;
      case K::FillRectangle: out.push_back({"f", c.x1, c.y1, c.x2, c.y2, c.colour}); break;
      case K::Text: out.push_back({"t", c.x1, c.y1, c.text}); break;
      case K::PenWidth:
      case K::Persistent: break;
    }
  }
  return text(out);
}

// The auto loader as the page sees it: a slice gives the browser its frame
// back after a few milliseconds; what it shows is read after each slice.
class PageLoaderHooks final : public AutoLoadHooks {
 public:
  PageLoaderHooks(PlayControls& controls, SessionHost& host) : controls_(controls), host_(host) {}

  void sliceStarts() {
    sliceStart_ = emscripten_get_now();
    countdown_ = 1;
  }
  bool pumpDue() override {
    // Reading the clock costs more than a test: look at it now and then.
    if (--countdown_ > 0) return false;
    countdown_ = 1024;
    return emscripten_get_now() - sliceStart_ >= kSliceMs;
  }
  bool deadSpaceChecked() override { return controls_.deadSpace; }
  void pieceDraw(int block) override { controls_.shown = block; }
  void stripColour(int column, int32_t colour) override { colours[static_cast<size_t>(column)] = colour; }
  void stripLabel(StripRow row, int column, int value) override {
    labels[static_cast<size_t>(row)][static_cast<size_t>(column)] = value;
  }
  void autoInfoShow() override { infoShown = true; }
  void sumText(const std::string& text) override { controls_.sum = text; }
  void resultLine(const std::string& line) override { lines.push_back(line); }
  void message(const std::string& text, const std::string& title, MsgIcon icon) override {
    host_.tell({text, title, icon});
  }

  std::array<int32_t, kPieces> colours{};
  std::array<std::array<int, kPieces>, 3> labels{};
  std::vector<std::string> lines;
  bool infoShown = false;

 private:
  static constexpr double kSliceMs = 10;
  PlayControls& controls_;
  SessionHost& host_;
  double sliceStart_ = 0;
  int countdown_ = 1;
};

class Game {
 public:
  // demo: Init.ini's choice unless the player turned the demonstration off.
  Game(const std::string& language, bool demo) {
    subTextLanguage_set(language, std::string(kProgramDir) + "/locale");
    started_ = fncStartup_prepare(st_, host_, kProgramDir, storage_);
    if (!demo) st_.G_bDemo = false;
    subColor_set(st_);
    session_.setStorage(storage_);
    session_.openPuzzle = [this](const std::string& path) { return openPath(path, now_); };
    demoStarts_ = subSession_start(session_, host_, at(0));
    showInfo();
  }

  // The demonstration's unattended run is to be started (LOAD) at once.
  bool demoStarts() const { return demoStarts_; }
  // The banner clicked: the walkthrough's step, 0 after the last, when the
  // player is asked whether to see the demonstration again.
  int demoClick(double ms) {
    now_ = ms;
    demoStarts_ = false;
    const int step = subDemo_click(session_, host_, at(ms));
    showInfo();
    if (step == 0)
      host_.ask({fncText(kDemoQuestion), fncText(kDemoQuestionTitle), MsgIcon::Question}, MsgButtons::YesNo,
                [this](MsgAnswer a) {
                  if (a == MsgAnswer::Yes) subDemo_off(session_);
                });
    return step;
  }
  // The walkthrough's timer: the name of the button it focused or pressed.
  std::string demoTick(double ms) {
    now_ = ms;
    static constexpr const char* kNames[] = {"",         "cmdTurn0", "cmdTurn1", "cmdTurn2", "cmdX_Dec", "cmdX_Inc",
                                             "cmdY_dec", "cmdY_Inc", "cmdZ_Dec", "cmdZ_Inc", "cmdOrg",   "cmdLoad"};
    return kNames[static_cast<size_t>(subDemo_tick(session_, host_, at(ms)).button)];
  }

  bool started() const { return started_; }
  std::string messages() { return host_.drain(); }
  void answer(int id, int a) { host_.answer(id, a); }
  void typed(int id, const std::string& t) { host_.typed(id, t); }

  // A file of the shipped collection, by its path in the page.
  bool openPath(const std::string& path, double ms) {
    now_ = ms;
    return session_.open(path, at(ms));
  }
  bool openList(const std::string& path, double ms) {
    if (!openPath(path, ms)) return false;
    session_.setFromList();
    return true;
  }
  // A file the player chose, by its name, from its bytes.
  bool openBytes(const std::string& name, const std::string& bytes, double ms) {
    now_ = ms;
    return session_.openBytes(bytes, std::string(kProgramDir) + "/Opened/" + fncFile_title(name), at(ms));
  }

  emscripten::val save() {
    if (!session_.saveBytes(saved_)) return emscripten::val::null();
    return emscripten::val(
        emscripten::typed_memory_view(saved_.size(), reinterpret_cast<const uint8_t*>(saved_.data())));
  }

  // A play action by its text form ("x+", "load", "sel 3", "undo").
  bool act(const std::string& action, double ms) {
    const std::optional<PlayAction> a = fncAction_parse(action);
    return a && apply(*a, ms);
  }

  // A key as the page's keyboard event names it: whether it is a play key
  // (the page then keeps it from scrolling), whether it played, and a
  // hint's answer when it asked for one.
  // focused: 0 another control or none, 1 a button or check box, 2 an
  // option button, 3 the block list; a key it uses itself is left to it.
  std::string key(const std::string& name, bool shift, bool ctrl, bool repeat, int focused, double ms) {
    if (fncKey_ownedBy(static_cast<FocusedControl>(focused), name, ctrl))
      return text({{"known", false}, {"own", true}});
    const std::optional<KeyCommand> k = fncKey_command(name, shift, ctrl, session_.play().controls());
    Json out = {{"known", k.has_value()}, {"done", false}};
    if (!k || !session_.playKeys()) return text(out);
    switch (k->kind) {
      case KeyCommand::Kind::Mark: out["done"] = subOption_mark(session_.play().controls(), k->block); break;
      case KeyCommand::Kind::Hint:
        // A held key asks once.
        if (!repeat) out["hint"] = hint(ms);
        break;
      case KeyCommand::Kind::Action: out["done"] = apply(k->action, ms); break;
    }
    return text(out);
  }

  // Whether the button of an action (its text form) is enabled now.
  bool enabled(const std::string& action) const {
    const std::optional<PlayAction> a = fncAction_parse(action);
    return a && session_.play().enabled(*a);
  }

  bool mark(int block) { return subOption_mark(session_.play().controls(), block); }

  // The hint's answer as shown: "" outside plain play, else its kind and
  // the blocks to take out.
  std::string hint(double ms) {
    now_ = ms;
    if (!session_.playing()) return "";
    const FinishProblem p = fncFinish_problem(st_);
    FinishLimits limits;
    limits.deadline = std::chrono::steady_clock::now() + kHintTime;
    const std::optional<HintShown> shown = session_.hintAnswer(p, fncFinish_hint(p, limits), host_, at(ms));
    if (!shown) return "";
    Json remove = Json::array();
    for (int b : shown->remove) remove.push_back(b + 1);
    return text({{"kind", static_cast<int>(shown->kind)}, {"remove", remove}});
  }

  void giveUp() { session_.giveUp(); }
  void setDeadSpace(bool on) { session_.play().controls().deadSpace = on; }

  // 完成できるか表示: "yes", "no", or "" outside plain play or when no
  // answer came in time (the page cannot wait as the window's job does).
  std::string finishCheck() {
    if (!session_.playing()) return "";
    const FinishProblem p = fncFinish_problem(st_);
    if (!checked_ || !(checked_->first == p)) {
      FinishLimits limits;
      limits.deadline = std::chrono::steady_clock::now() + kCheckTime;
      checked_.emplace(p, fncFinish_check(p, limits));
    }
    return checked_->second == FinishAnswer::Yes ? "yes" : checked_->second == FinishAnswer::No ? "no" : "";
  }
  // ２Ｄパネル: the eight layer grids for the slices the page's scroll bars
  // read, each square where the window places it (twips, from its grid's
  // corner) with its fill.
  std::string panels(int L, int R, int U, int D, int LP, int RP, int UP, int DP) const {
    LayerPanels p{};
    subBoxPanel_draw(st_, L, R, U, D, p);
    subPiecePanel_draw(st_, LP, RP, UP, DP, session_.play().controls().shown, p);
    Json grids = Json::array();
    for (int g = 0; g < kPanelGrids; ++g) {
      const auto grid = static_cast<PanelGrid>(g);
      int left = INT32_MAX, top = INT32_MAX;
      for (int i = 0; i < kPanelSquares; ++i) {
        left = std::min(left, fncSquare_rect(grid, i).Left);
        top = std::min(top, fncSquare_rect(grid, i).Top);
      }
      Json squares = Json::array();
      for (int i = 0; i < kPanelSquares; ++i) {
        const SquareRect r = fncSquare_rect(grid, i);
        const PanelSquare& q = panel(p, grid)[static_cast<size_t>(i)];
        squares.push_back({r.Left - left, r.Top - top, r.Width, r.Height, q.bFilled, q.lFillColor});
      }
      grids.push_back(squares);
    }
    return text(grids);
  }
  // パズル作成ツール: the question, and the help page to open on Yes.
  std::string toolInfo() const {
    return text({{"text", fncToolInfo_text()}, {"title", fncText(kToolTitle)}, {"page", fncToolPage()}});
  }
  std::string versionInfo() const {
    return text({{"text", fncVersionInfo_text(st_)}, {"title", fncText(kVersionTitle)}});
  }

  // ---- the auto loader ----
  void setAutoMove(bool on) {
    if (session_.loading()) return;
    session_.setAutoMove(on);
    showInfo();
  }
  // LOAD: false when a run goes on already.
  bool loadStart(double ms) {
    if (session_.loading() || !session_.autoMove()) return false;
    session_.play().clearMoves();
    hooks_.lines.clear();
    return session_.loadStart(hooks_, at(ms));
  }
  void loadStop() { session_.loadStop(); }
  void loaderInit() {
    if (session_.loading()) return;
    session_.loaderInit();
    hooks_.lines.clear();
    showInfo();
  }
  // One slice when one is due; whether a run still goes on.
  bool tick(double ms) {
    now_ = ms;
    if (!session_.loading()) return false;
    hooks_.sliceStarts();
    try {
      session_.tick(at(ms));
    } catch (const std::exception& e) {
      // The state stays as the search last wrote it; only the run ends.
      host_.tell({fncText_message("予期しないエラーのため、自動装填を中断しました。\n%1", {e.what()}), "Auto Load",
                  MsgIcon::Critical});
      session_.loadAbandon();
    }
    if (hooks_.infoShown) showInfo();
    return session_.loading();
  }
  // The loader's frame: each block's strip and counters, the result lines.
  std::string loaderView() const {
    Json strips = Json::array();
    for (int k = 0; k < kPieces; ++k) {
      const auto i = static_cast<size_t>(k);
      strips.push_back({{"rotation", st_.GE_iRotation[k] + 1},
                        {"colour", hooks_.colours[i]},
                        {"no", hooks_.labels[0][i]},
                        {"turns", hooks_.labels[1][i]},
                        {"faces", hooks_.labels[2][i]}});
    }
    return text({{"autoMove", session_.autoMove()},
                 {"loading", session_.loading()},
                 {"deadSpace", session_.play().controls().deadSpace},
                 {"strips", strips},
                 {"lines", hooks_.lines}});
  }

  std::string view(double ms) const {
    const SessionView v = session_.view(at(ms));
    const PlayControls& c = v.controls;
    Json options = Json::array();
    for (bool o : c.option) options.push_back(o);
    return text(
        {{"controls",
          {{"load", c.load},
           {"cancel", c.cancel},
           {"pieceButtons", c.pieceButtons},
           {"boxButtons", c.boxButtons},
           {"botom", c.botom},
           {"reset", c.reset},
           {"shuffle", c.shuffle},
           {"list", c.list},
           {"option", options},
           {"checked", c.checked},
           {"listIndex", c.listIndex},
           {"shown", c.shown},
           {"sum", c.sum}}},
         {"canUndo", v.canUndo},
         {"canRedo", v.canRedo},
         {"playing", v.playing},
         {"playKeys", v.playKeys},
         {"recording", v.recording},
         {"solved", v.solved},
         {"moves", v.moves},
         {"seconds", v.seconds},
         {"time", fncSeconds_text(v.seconds)},
         {"hints", v.hints},
         {"file", session_.path().empty() ? "" : st_.G_sFileTitle},
         {"comment", st_.G_sComment},
         {"version", st_.G_sPzVersion},
         {"size", {st_.G_iCellX, st_.G_iCellY, st_.G_iCellZ}},
         {"caption", fncMainCaption(st_)},
         {"demo", st_.G_bDemo},
         {"demoShown", fncDemo_shown(session_)},
         {"walkthroughStep", v.walkthroughStep},
         {"banner", session_.demoRun() ? std::string(fncText(kDemoBanner)) : fncDemo_caption(v.walkthroughStep)}});
  }

  std::string drawBox(int dx, int dy) {
    RecordingSurface s;
    session_.drawBox(s, dx, dy);
    return calls(s);
  }
  std::string drawBlock(int block) {
    RecordingSurface s;
    session_.drawBlock(s, block);
    return calls(s);
  }
  void setPreview(bool on) { session_.setPreview(on); }
  // The box view's scroll values of a drag from the press point, in twips.
  std::string drag(float x0, float y0, float x, float y) const {
    const DragView v = fncDrag_view(x0, y0, x, y);
    return text({{"setDX", v.bSetDX}, {"dx", v.hscDX}, {"setDY", v.bSetDY}, {"dy", v.vscDY}});
  }

  // The shipped collection with what the player has done.
  std::string list() {
    ProgressBook book;
    book.load(storage_, session_.progressPath());
    const PuzzleList l = fncPuzzleList_read(storage_, st_.G_sDataPath, book, session_.ratings());
    Json rows = Json::array();
    for (const PuzzleRow& r : l.rows)
      rows.push_back({{"name", r.name},
                      {"path", r.path},
                      {"title", fncPuzzleRow_title(r)},
                      {"problem", r.problem},
                      {"size", {r.sizeX, r.sizeY, r.sizeZ}},
                      {"blocks", r.blocks},
                      {"solved", r.solved()},
                      {"best", r.progress.bestSeconds > 0 ? fncSeconds_text(r.progress.bestSeconds) : ""}});
    return text(rows);
  }

 private:
  bool apply(const PlayAction& a, double ms) {
    now_ = ms;
    // As the window's play: undo and redo only in plain play.
    if ((a.kind == ActionKind::Undo || a.kind == ActionKind::Redo) && !session_.playing()) return false;
    return session_.apply(a, host_, true, session_.playing(), at(ms)).done;
  }

  void showInfo() {
    hooks_.infoShown = false;
    for (int k = 0; k < kPieces; ++k) {
      const auto i = static_cast<size_t>(k);
      hooks_.colours[i] = autoload_internal::fncStrip_colour(st_, st_.GE_iRotation[k]);
      hooks_.labels[0][i] = st_.G_Info_Piece[k].iNo;
      hooks_.labels[1][i] = st_.G_Info_Piece[k].iTurn_CtZ;
      hooks_.labels[2][i] = st_.G_Info_Piece[k].iFace_ct;
    }
  }

  PageHost host_;
  PageStorage storage_;
  Session session_{host_};
  PuzzleState& st_ = session_.state();
  PageLoaderHooks hooks_{session_.play().controls(), host_};
  bool started_ = false;
  bool demoStarts_ = false;
  std::optional<std::pair<FinishProblem, FinishAnswer>> checked_;
  double now_ = 0;
  std::string saved_;
};

// ---- the generator: checked on the page, run in a worker's own instance ----
GenerateOptions generateOptions(int x, int y, int z, int blocks, int minStars, int maxStars, bool identical) {
  GenerateOptions o;
  o.sizeX = x, o.sizeY = y, o.sizeZ = z;
  o.blocks = blocks;
  o.minStars = std::min(minStars, maxStars);
  o.maxStars = std::max(minStars, maxStars);
  o.allowIdentical = identical;
  return o;
}

// Empty when the choices may make a puzzle, else why they never can.
std::string generateCheck(int x, int y, int z, int blocks, int minStars, int maxStars, bool identical) {
  return fncGenerate_check(generateOptions(x, y, z, blocks, minStars, maxStars, identical));
}

std::string starsText(int stars) { return fncStars_text(stars); }

// status as GenerateStatus; file (bytes) and name when found. seed 0: a
// fresh one. progress(tries, maxTries) comes once a percent.
emscripten::val generate(const std::string& language, int x, int y, int z, int blocks, int minStars, int maxStars,
                         bool identical, double seed, emscripten::val progress) {
  subTextLanguage_set(language, std::string(kProgramDir) + "/locale");
  GenerateOptions o = generateOptions(x, y, z, blocks, minStars, maxStars, identical);
  o.seed = seed > 0 ? static_cast<uint64_t>(seed) : fncGenerated_seed();
  int percent = -1;
  o.progress = [&](int tries, int most) {
    const int p = static_cast<int>(100LL * tries / std::max(most, 1));
    if (p == percent) return;
    percent = p;
    progress(tries, most);
  };
  const GenerateResult r = fncPuzzle_generate(o);
  emscripten::val out = emscripten::val::object();
  out.set("status", static_cast<int>(r.status));
  out.set("message", r.message);
  out.set("tries", r.tries);
  out.set("name", fncGenerated_fileName(o));
  if (r.status == GenerateStatus::Ok)
    out.set("file",
            emscripten::val::global("Uint8Array")
                .new_(emscripten::typed_memory_view(r.file.size(), reinterpret_cast<const uint8_t*>(r.file.data()))));
  return out;
}

}  // namespace
}  // namespace pakkon::web

EMSCRIPTEN_BINDINGS(pakkon) {
  using pakkon::web::Game;
  emscripten::function("generateCheck", &pakkon::web::generateCheck);
  emscripten::function("starsText", &pakkon::web::starsText);
  emscripten::function("generate", &pakkon::web::generate);
  emscripten::class_<Game>("Game")
      .constructor<std::string, bool>()
      .function("demoStarts", &Game::demoStarts)
      .function("demoClick", &Game::demoClick)
      .function("demoTick", &Game::demoTick)
      .function("started", &Game::started)
      .function("messages", &Game::messages)
      .function("answer", &Game::answer)
      .function("typed", &Game::typed)
      .function("openPath", &Game::openPath)
      .function("openList", &Game::openList)
      .function("openBytes", &Game::openBytes)
      .function("save", &Game::save)
      .function("act", &Game::act)
      .function("key", &Game::key)
      .function("mark", &Game::mark)
      .function("enabled", &Game::enabled)
      .function("hint", &Game::hint)
      .function("giveUp", &Game::giveUp)
      .function("setDeadSpace", &Game::setDeadSpace)
      .function("finishCheck", &Game::finishCheck)
      .function("versionInfo", &Game::versionInfo)
      .function("toolInfo", &Game::toolInfo)
      .function("panels", &Game::panels)
      .function("setAutoMove", &Game::setAutoMove)
      .function("loadStart", &Game::loadStart)
      .function("loadStop", &Game::loadStop)
      .function("loaderInit", &Game::loaderInit)
      .function("tick", &Game::tick)
      .function("loaderView", &Game::loaderView)
      .function("view", &Game::view)
      .function("drawBox", &Game::drawBox)
      .function("drawBlock", &Game::drawBlock)
      .function("setPreview", &Game::setPreview)
      .function("drag", &Game::drag)
      .function("list", &Game::list);
}
