#pragma once
// The play keys of the game, for a front end whose keyboard events name
// their keys as a browser does ("ArrowLeft", "PageUp", "Enter", " ", "q",
// "1"). The desktop window binds the same keys to its buttons itself.

#include <optional>
#include <string_view>

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

// The command of a key with the modifiers held, nothing when the key does
// not play. UNLOAD takes the block whose option carries the mark.
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
