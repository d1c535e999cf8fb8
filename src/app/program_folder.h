#pragma once
// Where the game keeps Init.ini, Data/ and its log. A folder that holds
// its own Init.ini beside the executable is used as it is (portable); an
// installed game (its shared files in <prefix>/share/pakkon/ beside
// <prefix>/bin/) gets a folder of its own per user, filled from the
// shared files on the first start and topped up on later ones.

#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/files.h"

namespace pakkon {

struct Environment {
  std::string xdgDataHome;  // $XDG_DATA_HOME
  std::string home;         // $HOME, or the account's home folder when unset
};

Environment fncEnvironment_current();

struct ProgramFolder {
  bool bInstalled = false;
  std::string sDir;     // the program folder, without a final "/" (with `error`, the executable's)
  std::string sShared;  // installed: the shared files
  IoError error;        // installed: no per-user folder can be named
};

// The executable's folder decides: a writable Init.ini there makes it the
// program folder; otherwise shared files beside bin/ make the game an
// installed one. Without either the executable's folder is still the
// program folder, and start-up reports the missing Init.ini for it.
ProgramFolder fncProgramFolder_choose(const std::string& exeDir, const Environment& env);

struct PrepareResult {
  IoError error;                  // the folder or its Init.ini cannot be had: the game cannot start
  std::vector<IoError> problems;  // puzzles or help pages not copied; the game starts all the same
};

// Creates the per-user folder and copies in what it lacks: Init.ini from
// the template, each shipped puzzle, the help pages. A player's file is
// never replaced; only a help page that differs from the shipped one is, and
// only a regular file: a link stays, and what it points at is never written.
PrepareResult fncProgramFolder_prepare(const ProgramFolder& folder);

// Prepares the folder and tells the player what went wrong; false when the
// game must end. Files left out are also logged in Error_Log.TXT.
bool fncProgramFolder_ready(const ProgramFolder& folder, Dialogs& dialogs);

// Where the files the program only reads lie (its translations): the
// shared files of an installed game, else the executable's folder.
std::string fncProgramFolder_shipped(const ProgramFolder& folder);

inline constexpr const char* kSharedSubdir = "share/pakkon";
inline constexpr const char* kUserSubdir = "pakkon";
inline constexpr const char* kHelpSubdir = "docs";
inline constexpr const char* kShippedDataSubdir = "Data";

}  // namespace pakkon
