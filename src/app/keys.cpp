#include "app/keys.h"

namespace pakkon {
namespace {

KeyCommand act(ActionKind kind, int block = 0) { return {KeyCommand::Kind::Action, {kind, block}, 0}; }

}  // namespace

std::optional<KeyCommand> fncKey_command(std::string_view key, bool shift, bool ctrl, const PlayControls& controls) {
  // Letters arrive in either case (Shift, Caps Lock); only the Shift key
  // makes the box's turns.
  char letter = 0;
  if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z') letter = key[0];
  if (key.size() == 1 && key[0] >= 'A' && key[0] <= 'Z') letter = static_cast<char>(key[0] - 'A' + 'a');
  const int digit = key.size() == 1 && key[0] >= '1' && key[0] <= '8' ? key[0] - '1' : -1;

  if (ctrl) {
    if (digit >= 0 && !shift) return KeyCommand{KeyCommand::Kind::Mark, {}, digit};
    if (letter == 'z') return act(shift ? ActionKind::Redo : ActionKind::Undo);
    if (letter == 'y' && !shift) return act(ActionKind::Redo);
    return std::nullopt;
  }
  if (digit >= 0) return act(ActionKind::Select, digit);
  if (shift) {
    switch (letter) {
      case 'q': return act(ActionKind::BoxTurnZ);
      case 'w': return act(ActionKind::BoxTurnX);
      case 'e': return act(ActionKind::BoxTurnY);
      case 'o': return act(ActionKind::BoxOrigin);
      default: return std::nullopt;
    }
  }
  switch (letter) {
    case 'q': return act(ActionKind::TurnZ);
    case 'w': return act(ActionKind::TurnX);
    case 'e': return act(ActionKind::TurnY);
    case 'o': return act(ActionKind::Origin);
    case 'b': return act(ActionKind::Bottom);
    case 'r': return act(ActionKind::Reset);
    case 's': return act(ActionKind::Shuffle);
    case 'u': return act(ActionKind::Unload, controls.checked);
    case 'h': return KeyCommand{KeyCommand::Kind::Hint, {}, 0};
    default: break;
  }
  if (key == "ArrowLeft") return act(ActionKind::XDec);
  if (key == "ArrowRight") return act(ActionKind::XInc);
  if (key == "ArrowUp") return act(ActionKind::YDec);
  if (key == "ArrowDown") return act(ActionKind::YInc);
  if (key == "PageUp") return act(ActionKind::ZInc);
  if (key == "PageDown") return act(ActionKind::ZDec);
  if (key == "Enter" || key == " ") return act(ActionKind::Load);
  if (key == "Backspace") return act(ActionKind::Cancel);
  if (key == "Delete") return act(ActionKind::Clear);
  return std::nullopt;
}

bool fncKey_ownedBy(FocusedControl control, std::string_view key, bool ctrl) {
  if (ctrl) return false;
  const bool arrow = key == "ArrowLeft" || key == "ArrowRight" || key == "ArrowUp" || key == "ArrowDown";
  switch (control) {
    case FocusedControl::List:
      return key == "ArrowUp" || key == "ArrowDown" || key == "PageUp" || key == "PageDown" || key == "Home" ||
             key == "End";
    case FocusedControl::OptionButton:
      if (arrow) return true;
      [[fallthrough]];
    case FocusedControl::Button: return key == " " || key == "Enter";
    case FocusedControl::Other: break;
  }
  return false;
}

bool subOption_mark(PlayControls& controls, int block) {
  if (block < 0 || block >= kPieces || !controls.option[static_cast<size_t>(block)]) return false;
  controls.checked = block;
  return true;
}

}  // namespace pakkon
