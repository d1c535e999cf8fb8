#pragma once
// What happens before the main window is shown.

#include <string>

#include "model/state.h"
#include "platform/dialogs.h"
#include "platform/storage.h"

namespace pakkon {

// Version text, program folder (ending in "/"), settings and data folder
// (a relative one lies in the program folder).
// False when the program must end (the player has been told why). Init.ini
// is read through `storage`; the folders are the files themselves.
bool fncStartup_prepare(PuzzleState& st, Dialogs& dialogs, const std::string& programDir, Storage& storage);
// Init.ini read from the file itself.
bool fncStartup_prepare(PuzzleState& st, Dialogs& dialogs, const std::string& programDir);

// The window caption.
std::string fncMainCaption(const PuzzleState& st);

}  // namespace pakkon
