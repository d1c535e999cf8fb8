#include "app/keys.h"

namespace pakkon {
namespace {

KeyCommand act(ActionKind kind, int block = 0) { return {KeyCommand::Kind::Action, {kind, block}, 0}; }

}  // namespace

const std::vector<KeyBinding>& fncPlayKeys() {
  static const std::vector<KeyBinding> keys = [] {
    std::vector<KeyBinding> k;
    auto bind = [&](std::string_view key, ActionKind kind, bool shift = false, bool ctrl = false) {
      k.push_back({key, shift, ctrl, act(kind)});
    };
    static constexpr std::string_view kDigits[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
    for (int b = 0; b < kPieces; ++b) {
      k.push_back({kDigits[b], false, false, act(ActionKind::Select, b)});
      k.push_back({kDigits[b], false, true, KeyCommand{KeyCommand::Kind::Mark, {}, b}});
    }
    bind("ArrowLeft", ActionKind::XDec);
    bind("ArrowRight", ActionKind::XInc);
    bind("ArrowUp", ActionKind::YDec);
    bind("ArrowDown", ActionKind::YInc);
    bind("PageUp", ActionKind::ZInc);
    bind("PageDown", ActionKind::ZDec);
    bind("q", ActionKind::TurnZ);
    bind("w", ActionKind::TurnX);
    bind("e", ActionKind::TurnY);
    bind("o", ActionKind::Origin);
    bind("b", ActionKind::Bottom);
    bind("r", ActionKind::Reset);
    bind("s", ActionKind::Shuffle);
    bind("Enter", ActionKind::Load);
    bind(" ", ActionKind::Load);
    bind("Backspace", ActionKind::Cancel);
    bind("u", ActionKind::Unload);
    bind("Delete", ActionKind::Clear);
    bind("q", ActionKind::BoxTurnZ, true);
    bind("w", ActionKind::BoxTurnX, true);
    bind("e", ActionKind::BoxTurnY, true);
    bind("o", ActionKind::BoxOrigin, true);
    bind("z", ActionKind::Undo, false, true);
    bind("y", ActionKind::Redo, false, true);
    bind("z", ActionKind::Redo, true, true);
    k.push_back({"h", false, false, KeyCommand{KeyCommand::Kind::Hint, {}, 0}});
    return k;
  }();
  return keys;
}

std::optional<KeyCommand> fncKey_command(std::string_view key, bool shift, bool ctrl, const PlayControls& controls) {
  char lower = 0;
  if (key.size() == 1 && key[0] >= 'A' && key[0] <= 'Z') lower = static_cast<char>(key[0] - 'A' + 'a');
  if (lower) key = std::string_view(&lower, 1);
  for (const KeyBinding& b : fncPlayKeys()) {
    if (b.key != key || b.shift != shift || b.ctrl != ctrl) continue;
    KeyCommand c = b.command;
    if (c.kind == KeyCommand::Kind::Action && c.action.kind == ActionKind::Unload) c.action.block = controls.checked;
    return c;
  }
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
