#pragma once
// The tool's commands. Each takes the arguments after its name and returns
// the process exit status: 0 done, 1 refused or failed, 2 wrong usage.

#include <string>
#include <vector>

#include "model/puzzle_file.h"
#include "model/state.h"

namespace pakkon::tool {

using Args = std::vector<std::string>;

int cmdInfo(const Args& args);
int cmdResave(const Args& args);
int cmdRender(const Args& args);
int cmdAutoload(const Args& args);
int cmdMake(const Args& args);
int cmdSolve(const Args& args);
int cmdCheck(const Args& args);

// Shared by the commands.
int usage(const char* text);
// Reads a puzzle file; prints one line on stderr and returns false when it is refused.
bool readPuzzle(const std::string& path, PuzzleState& st);
// Writes through the game's own writer, with this program's version header.
bool writePuzzle(PuzzleState& st, const std::string& path);

}  // namespace pakkon::tool
