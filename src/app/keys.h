#pragma once
// The play keys of the game, named as a browser names them ("ArrowLeft",
// "PageUp", "Enter", " ", "q", "1"): the page looks each key up, the window
// binds the whole table to its buttons ahead.

#include <optional>
#include <string_view>
#include <vector>

#include "app/play.h"
#include "model/action.h"

namespace pakkon {

struct KeyCommand {
  enum class Kind {
    Action,  // a play action (its button's, so a disabled button ignores it)
    Mark,    // the [Block] option of `block` gets the mark, for UNLOAD
    Hint,
  } kind = Kind::Action;
  PlayAction action;
  int block = 0;
};

// One play key. A letter is named in lower case; `shift` and `ctrl` are
// the modifiers it is pressed with. An UNLOAD entry's block is a stand-in:
// the key takes the block whose option carries the mark.
struct KeyBinding {
  std::string_view key;
  bool shift = false;
  bool ctrl = false;
  KeyCommand command;
};
const std::vector<KeyBinding>& fncPlayKeys();

// The command of a key with the modifiers held, nothing when the key does
// not play. A letter counts in either case (Caps Lock); only Shift makes
// the box's turns.
std::optional<KeyCommand> fncKey_command(std::string_view key, bool shift, bool ctrl, const PlayControls& controls);

// The control with the focus, as far as the play keys care.
enum class FocusedControl { Other, Button, OptionButton, List };

// The keys a focused control uses itself, which the play keys leave to it:
// Space and Enter press a button or tick a check box, the arrows move the
// mark among option buttons, and the list moves its row. Ctrl never.
bool fncKey_ownedBy(FocusedControl control, std::string_view key, bool ctrl);

// Marks a loaded block's option, as a click on it does; false when that
// option is not shown.
bool subOption_mark(PlayControls& controls, int block);

}  // namespace pakkon
