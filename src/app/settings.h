#pragma once
// Init.ini beside the program: the demonstration flag, the data folder and
// the auto loader's counters. Each reader and writer goes through the
// storage it is given: the files on the desktop (with LinkMode::Replace, as
// the program's own file), the browser's in a page.

#include <string>

#include "model/state.h"
#include "platform/dialogs.h"
#include "platform/storage.h"

namespace pakkon {

inline constexpr const char* kInitFileName = "Init.ini";

std::string fncInitFile(const PuzzleState& st);

// Reads the whole settings file into the state; false (after telling the
// player) when the file is missing. A DEMO value that is missing or cannot
// be read counts as False.
bool fncInit_load(Storage& storage, PuzzleState& st, Dialogs& dialogs);

// The player's own choices beyond the design, in Init.ini's [View] section
// and [SYSTEM] LANGUAGE; a missing or unreadable value is the default. The
// file gets a key only when the player changes the choice.
struct Preferences {
  bool bPreview = false;         // the landing place of the selected block
  bool bFinishCheck = false;     // the exact "can this still be finished?" mark
  bool bPlayTime = false;        // the play clock and move count under the Block frame
  std::string sLanguage = "ja";  // "ja" or "en"; anything else is "ja"
};
inline constexpr const char* kPrefSection = "View";
inline constexpr const char* kPrefPreview = "Preview";
inline constexpr const char* kPrefFinishCheck = "FinishCheck";
inline constexpr const char* kPrefPlayTime = "PlayTime";
inline constexpr const char* kLanguageSection = "SYSTEM";
inline constexpr const char* kLanguageKey = "LANGUAGE";
Preferences fncPreferences_load(Storage& storage, const PuzzleState& st);
// The same from the file itself.
Preferences fncPreferences_load(const PuzzleState& st);
// The same from a settings file named directly (before start-up has read it).
Preferences fncPreferences_read(const std::string& initFile);
bool fncPreference_put(Storage& storage, const PuzzleState& st, const char* key, bool value);
// Writes the language, "ja" or "en", for the next start.
bool fncLanguage_put(Storage& storage, const PuzzleState& st, const std::string& language);

// The last choices of the new-puzzle dialog, in Init.ini's [Generate]
// section: a missing or out-of-range value is the default, and a choice
// gets its key only once the player changes it.
struct GenerateChoices {
  int sizeX = 3, sizeY = 3, sizeZ = 3;
  int blocks = 6;
  int minStars = 1, maxStars = 5;
  bool identical = false;
  bool operator==(const GenerateChoices&) const = default;
};
inline constexpr const char* kGenerateSection = "Generate";
GenerateChoices fncGenerateChoices_load(Storage& storage, const PuzzleState& st);
// Writes the choices that differ from `before`; true when nothing was to
// be written or the write succeeded.
bool fncGenerateChoices_put(Storage& storage, const PuzzleState& st, const GenerateChoices& before,
                            const GenerateChoices& now);

// Writes G_bDemo as "True" or "False".
void subDemo_put(Storage& storage, const PuzzleState& st);

// The close request, once a running auto load was asked to stop: only while
// the demonstration run is marked, writes the loader's counters back.
void subInit_writeBack(Storage& storage, PuzzleState& st, bool demoRun);

}  // namespace pakkon
