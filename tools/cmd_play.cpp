// play: actions applied to a puzzle file as the window applies them.

#include <chrono>

#include "app/play.h"
#include "app/progress.h"
#include "app/session.h"
#include "commands.h"
#include "geometry/movement.h"
#include "platform/files.h"
#include "platform/text.h"
#include "tool_io.h"
#include "version.h"

namespace pakkon::tool {
namespace {

class PrintingHost : public SessionHost {
 public:
  void tell(const PlayMessage& m) override {
    std::string text = m.text;
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, " / ");
    say(stdout, "  message: " + printable(m.title) + ": " + printable(text) + "\n");
  }
  // Giving up and the block maker ask (the tool plays the one puzzle it
  // was given, so no next one is offered): the script said yes by asking.
  void ask(const PlayMessage& question, MsgButtons /*buttons*/, std::function<void(MsgAnswer)> then) override {
    say(stdout, "  question: " + printable(question.title) + ": " + printable(question.text) + " yes\n");
    if (then) then(MsgAnswer::Yes);
  }
  void input(const std::string& /*prompt*/, const std::string& title, std::function<void(std::string)> then) override {
    say(stdout, "  typed: " + printable(title) + ": " + printable(typed) + "\n");
    if (then) then(typed);
  }
  void chooseSize(BoxSize /*current*/, std::function<void(std::optional<BoxSize>)> then) override {
    say(stdout,
        "  box size: " + std::to_string(size.x) + "×" + std::to_string(size.y) + "×" + std::to_string(size.z) + "\n");
    if (then) then(size);
  }
  std::string typed;  // the password the script gives up with
  BoxSize size;       // the box the script makes blocks for
};

// The hint as the tool says it.
std::string hintText(const HintShown& s) {
  std::string blocks;
  for (int b : s.remove) blocks += (blocks.empty() ? "" : ", ") + std::to_string(b + 1);
  switch (s.kind) {
    case HintShown::Kind::TooLong: return "no answer in time";
    case HintShown::Kind::Full: return "the box is complete";
    case HintShown::Kind::Played: return "a block played to its place";
    case HintShown::Kind::Unchanged: return "the block is where it goes already";
    case HintShown::Kind::Outside: return "the box holds cells beyond its size";
    case HintShown::Kind::Hopeless: return "not even the empty box can be finished";
    case HintShown::Kind::Clear: return "cells no block owns: clear the box";
    case HintShown::Kind::Remove: return "take out block" + std::string(s.remove.size() > 1 ? "s " : " ") + blocks;
  }
  return {};
}

SessionTime now() { return std::chrono::steady_clock::now(); }

// The loader as a script runs it: Check Ded space as the controls say, its
// messages as the window's.
class ScriptHooks : public AutoLoadHooks {
 public:
  ScriptHooks(const PlayControls& controls, SessionHost& host) : controls_(controls), host_(host) {}
  bool deadSpaceChecked() override { return controls_.deadSpace; }
  void message(const std::string& text, const std::string& title, MsgIcon icon) override {
    host_.tell({text, title, icon});
  }

 private:
  const PlayControls& controls_;
  SessionHost& host_;
};

const char* endText(AutoLoadEnd e) {
  switch (e) {
    case AutoLoadEnd::Filled: return "filled";
    case AutoLoadEnd::OrdersExhausted: return "every loading order tried";
    case AutoLoadEnd::Stopped: return "stopped";
    case AutoLoadEnd::LimitReached: return "test limit reached";
    case AutoLoadEnd::NoBlocks: return "no blocks";
  }
  return "?";
}

}  // namespace

int cmdPlay(const PlayArgs& a) {
  if (!a.save.empty() && !distinctOutput(a.file, a.save, "--save")) return 1;
  std::string script = a.actions;
  const bool fromStdin = a.script == "-" || (a.script.empty() && a.actions == "-");
  if (fromStdin || !a.script.empty()) {
    const IoError e = fromStdin ? readStdin(script, kPlayScriptMax) : fncFile_readAll(a.script, script, kPlayScriptMax);
    if (e) {
      complain((fromStdin ? std::string("standard input") : printable(a.script)) + ": " +
               readProblem(fromStdin ? "" : a.script, e,
                           "too large for a play script (at most " + grouped(kPlayScriptMax) + " bytes)") +
               "; nothing played");
      return 1;
    }
  }
  const ParsedCommands parsed = fncCommands_parse(script);
  if (!parsed.ok()) {
    complain(printable(parsed.error) + "; nothing played");
    return 1;
  }
  auto owned = std::make_unique<PuzzleState>();
  PuzzleState& st = *owned;
  if (!readPuzzle(a.file, st)) return 1;
  subColor_set(st);

  // As the window stands right after opening the file; its saves carry
  // the program's version as the window's do.
  st.G_sVersion = fncVersion_text(build::kVersionMajor, build::kVersionMinor, build::kVersionRevision);
  st.G_sFileTitle = fncFile_title(a.file);
  if (!a.progress.empty()) st.G_sDataPath = a.progress;
  PrintingHost host;
  Session session(host, std::move(owned));
  session.setPath(a.file);
  session.keepProgress = !a.progress.empty();
  PlayLayer& play = session.play();
  play.opened();
  play.controls().deadSpace = a.deadSpace;
  session.opened(now());
  ScriptHooks hooks(play.controls(), host);
  int position = 0;
  for (const SessionCommand& command : parsed.commands) {
    ++position;
    say(stdout, "action " + std::to_string(position) + ": " + fncCommand_text(command) + "\n");
    using Kind = SessionCommand::Kind;
    if (command.kind == Kind::GiveUp) host.typed = command.password;
    if (command.kind == Kind::Maker) host.size = command.size;
    const CommandDone d = session.command(command, hooks, now());
    switch (command.kind) {
      case Kind::Hint:
        say(stdout, "  hint: " + (d.hint ? hintText(*d.hint) : std::string("none outside plain play")) +
                        (d.hint && d.hint->counted() ? " (hints: " + std::to_string(session.hints()) + ")" : "") +
                        "\n");
        break;
      case Kind::AutoLoad: {
        std::optional<AutoLoadResult> r;
        while (d.done && !r) r = session.tick(now());
        if (!r) break;
        say(stdout, std::string("  autoload: ") + endText(r->end) + " after " + std::to_string(r->tests) + " tests\n");
        break;
      }
      case Kind::GiveUp: say(stdout, d.gaveUp ? "  gave up: reset enabled\n" : "  not given up\n"); break;
      case Kind::Open:
        if (d.done) play.controls().deadSpace = a.deadSpace;
        say(stdout, d.done ? "  opened: " + printable(st.G_sFileTitle) + "\n"
                           : std::string("  not opened; the puzzle stays as it was\n"));
        break;
      case Kind::Save: say(stdout, d.done ? "  saved\n" : "  not saved; the file stays as it was\n"); break;
      case Kind::Language:
        say(stdout, d.done ? "  written for the next start\n" : "  not written: no program folder\n");
        break;
      case Kind::SaveAs:
        say(stdout, d.done ? "  saved as " + printable(st.G_sFileTitle) + "\n"
                           : std::string("  not saved (a password the file cannot hold, or a write that failed)\n"));
        break;
      case Kind::Maker:
        say(stdout, d.done ? "  making blocks: the blocks are cleared, " + std::to_string(st.iMakeCells) + " cells\n"
                           : std::string("  not entered: the maker is on already\n"));
        break;
      case Kind::Cell:
        say(stdout, d.done ? "  cells: " + printable(session.view(now()).makerCount) + "\n"
                           : std::string("  nothing: not in the maker, or outside the box\n"));
        break;
      case Kind::MakerEnd:
        say(stdout, d.done ? "  back to play, cells in the blocks: " + std::to_string(st.G_iCellTotal) + "\n"
                           : std::string("  not left: the maker is off\n"));
        break;
      case Kind::AutoMove:
        say(stdout, d.done ? std::string("  automatic move ") + (command.on ? "on" : "off") + "\n"
                           : std::string("  not now: the maker or the demonstration holds the mode\n"));
        break;
      case Kind::Init:
      case Kind::Stop:
      case Kind::Preview:
      case Kind::Finish: break;
      case Kind::Action: {
        if (d.done) break;
        const PlayAction& action = command.action;
        // The window has no way to mark the option of a block that is not loaded.
        const bool notLoaded = action.kind == ActionKind::Unload && play.controls().boxButtons &&
                               !play.controls().option[static_cast<size_t>(action.block)];
        say(stdout, std::string("  nothing: ") +
                        (action.kind == ActionKind::Undo   ? "nothing to undo"
                         : action.kind == ActionKind::Redo ? "nothing to redo"
                         : notLoaded ? "block " + std::to_string(action.block + 1) + " is not loaded"
                                     : std::string("its button is disabled now")) +
                        "\n");
        break;
      }
    }
  }
  const int filled = fncBox_count(st.G_iBox);
  say(stdout, "filled: " + std::to_string(filled) + " : " + std::to_string(st.G_iCellTotal) + "\n");
  say(stdout, std::string("complete: ") + (filled == st.G_iCellTotal ? "yes" : "no") + "\n");
  say(stdout, "moves: " + std::to_string(session.moves()) + "\n");
  if (session.keepProgress)
    say(stdout, std::string("progress: ") +
                    (!session.recording() ? "nothing to record (the file has no puzzle version)"
                     : session.solved()   ? "solved, recorded in " + printable(session.progressPath())
                                          : "not solved, nothing recorded") +
                    "\n");
  if (a.save.empty()) return 0;
  // As the overwrite save writes it.
  st.G_iCellDone = static_cast<int16_t>(filled);
  return writePuzzle(st, a.save) ? 0 : 1;
}

}  // namespace pakkon::tool
