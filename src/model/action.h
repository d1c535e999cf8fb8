#pragma once
// A player's action on the puzzle as a value with a short text form, so the
// window, the tool, a script and the hint speak the same language.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pakkon {

enum class ActionKind {
  Select,  // sel N: the block list
  TurnZ,
  TurnX,
  TurnY,
  XInc,
  XDec,
  YInc,
  YDec,
  ZInc,
  ZDec,
  Origin,  // org
  Bottom,  // the face of hscFace
  Reset,
  Shuffle,
  Load,
  Cancel,
  Unload,  // unload N: UNLOAD with block N's option marked
  Clear,
  BoxTurnZ,
  BoxTurnX,
  BoxTurnY,
  BoxOrigin,
  Undo,
  Redo,
};

struct PlayAction {
  ActionKind kind = ActionKind::Select;
  int block = 0;      // 0..7, for Select and Unload
  uint64_t seed = 0;  // Shuffle's draws; 0: from the clock, kept once drawn
  bool operator==(const PlayAction& o) const { return kind == o.kind && block == o.block; }
};

// "sel 3", "tz", "x+", "unload 2", "box-org", ...
std::string fncAction_text(const PlayAction& a);

// One action from its text form; nullopt with what was expected otherwise.
std::optional<PlayAction> fncAction_parse(std::string_view text, std::string* expected = nullptr);

struct ParsedActions {
  std::vector<PlayAction> actions;
  std::string error;  // "action 3 (\"sel 9\"): expected ..." when one is wrong
  bool ok() const { return error.empty(); }
};
// Actions separated by ';' or line ends; blank entries are skipped.
ParsedActions fncActions_parse(std::string_view text);

// A script's entries, separated by ';' or line ends, blank ones skipped,
// each given to `read`, which says what it expected when it cannot read it.
// The error of the first wrong entry, "" when all were read.
std::string fncScript_read(std::string_view text,
                           const std::function<bool(std::string_view item, std::string& expected)>& read);

// What the play actions' words are: "one of sel N, tz, ...".
std::string fncAction_expected();

}  // namespace pakkon
