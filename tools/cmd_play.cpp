// play: actions applied to a puzzle file as the window applies them.

#include <chrono>

#include "app/play.h"
#include "app/progress.h"
#include "app/session.h"
#include "commands.h"
#include "geometry/movement.h"
#include "platform/files.h"
#include "tool_io.h"

namespace pakkon::tool {
namespace {

class PrintingHost : public SessionHost {
 public:
  void tell(const PlayMessage& m) override {
    std::string text = m.text;
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, " / ");
    say(stdout, "  message: " + printable(m.title) + ": " + printable(text) + "\n");
  }
  // Nothing is offered: the tool plays the one puzzle it was given.
  void ask(const PlayMessage& question, MsgButtons /*buttons*/, std::function<void(MsgAnswer)> then) override {
    tell(question);
    if (then) then(MsgAnswer::No);
  }
};

SessionTime now() { return std::chrono::steady_clock::now(); }

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
  const ParsedActions parsed = fncActions_parse(script);
  if (!parsed.ok()) {
    complain(printable(parsed.error) + "; nothing played");
    return 1;
  }
  PuzzleState st;
  if (!readPuzzle(a.file, st)) return 1;
  subColor_set(st);

  // As the window stands right after opening the file.
  st.sPzFile = a.file;
  st.G_sFileTitle = fncFile_title(a.file);
  if (!a.progress.empty()) st.G_sDataPath = a.progress;
  PrintingHost host;
  Session session(st, host);
  session.keepProgress = !a.progress.empty();
  PlayLayer& play = session.play();
  play.opened();
  play.controls().deadSpace = a.deadSpace;
  session.opened(now());
  int position = 0;
  for (const PlayAction& action : parsed.actions) {
    ++position;
    say(stdout, "action " + std::to_string(position) + ": " + fncAction_text(action) + "\n");
    if (session.apply(action, host, true, true, now()).done) continue;
    // The window has no way to mark the option of a block that is not loaded.
    const bool notLoaded = action.kind == ActionKind::Unload && play.controls().boxButtons &&
                           !play.controls().option[static_cast<size_t>(action.block)];
    say(stdout, std::string("  nothing: ") +
                    (action.kind == ActionKind::Undo   ? "nothing to undo"
                     : action.kind == ActionKind::Redo ? "nothing to redo"
                     : notLoaded                       ? "block " + std::to_string(action.block + 1) + " is not loaded"
                                                       : std::string("its button is disabled now")) +
                    "\n");
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
