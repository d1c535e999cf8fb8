#pragma once
// Init.ini beside the program: the demonstration flag, the data folder and
// the auto loader's counters.

#include <string>

#include "model/state.h"
#include "platform/dialogs.h"

namespace pakkon {

inline constexpr const char* kInitFileName = "Init.ini";

std::string fncInitFile(const PuzzleState& st);

// Reads the whole settings file into the state; false (after telling the
// player) when the file is missing. A DEMO value that is missing or cannot
// be read counts as False.
bool fncInit_load(PuzzleState& st, Dialogs& dialogs);

// Writes G_bDemo as "True" or "False".
void subDemo_put(const PuzzleState& st);

// The close request: asks a running auto load to stop and, only while the
// demonstration run is marked, writes the loader's counters back.
void subInit_writeBack(PuzzleState& st);

}  // namespace pakkon
