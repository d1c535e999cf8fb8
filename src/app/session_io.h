#pragma once
// A puzzle opened from bytes and saved as bytes, for a front end without
// files of its own (the page): the window's rules for opening a file and
// for the overwrite save, apart from where the bytes come from or go.

#include <optional>
#include <string>
#include <string_view>

#include "app/session.h"
#include "platform/dialogs.h"

namespace pakkon {

// Judges the bytes first: a refused file (too large, not a puzzle, damaged)
// gets the window's message through `dialogs` and changes nothing.
// Otherwise the box is cleared, the puzzle read in under `path`, and its
// controls, move list, clock and count start afresh. True when opened.
bool fncSession_open(Session& session, std::string_view bytes, const std::string& path, Dialogs& dialogs,
                     SessionTime now);

// The file image the overwrite save writes now (the count of filled cells
// brought up to date); nothing, after the window's error report, when a
// field cannot be stored.
std::optional<std::string> fncSession_saveBytes(PuzzleState& st, Dialogs& dialogs);

// 表示 → 自動移動 on or off: the play controls the loader's frame
// replaces (Load, the block list, the box's and the block's buttons) are
// disabled while it shows, and the move list starts afresh.
void subAutoMove_set(Session& session, bool on);

}  // namespace pakkon
