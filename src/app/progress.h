#pragma once
// What the player has done with each puzzle, in one file of the data
// folder (Progress.json). Entries are keyed by the puzzle itself, its box
// and the shapes of its blocks, so a renamed or copied file keeps its
// record; the file is only ever replaced whole, atomically.

#include <cstddef>
#include <map>
#include <string>

#include "model/state.h"
#include "platform/files.h"
#include "platform/storage.h"

namespace pakkon {

inline constexpr const char* kProgressFileName = "Progress.json";
inline constexpr size_t kProgressFileMax = 8 << 20;

// 16 hex digits naming the puzzle: the box size and the shapes of the
// blocks as made (as they stand when none are made), each up to rotation,
// in any order. Play never changes it.
std::string fncPuzzle_key(const PuzzleState& st);

struct PuzzleProgress {
  std::string name;             // the file's name when last seen
  int solved = 0;               // completions without giving up first
  int solvedAfterGivingUp = 0;  // completions after the answer password was given
  int gaveUp = 0;               // times the password was given
  // Of the completions without giving up; 0 while there is none.
  double bestSeconds = 0;
  int fewestActions = 0;
  int fewestHints = 0;
  std::string lastSolved;  // "yyyy/mm/dd hh:nn:ss", local time
  int stars = 0;           // the rating when known, 0 otherwise
  std::string password;    // generated puzzles only: their answer password
};

enum class ProgressLoad { Ok, Missing, Damaged, Unreadable };

class ProgressBook {
 public:
  // Reads the file. Missing: an empty book. Damaged (not a progress file):
  // an empty book, and the next save keeps the damaged file beside the new
  // one. Unreadable (a FIFO, a folder, no permission, too large): saves are
  // refused, so nothing is lost. `problem` says why in plain words.
  ProgressLoad load(const std::string& path);
  ProgressLoad load(Storage& storage, const std::string& path);
  ProgressLoad state() const { return state_; }
  const std::string& problem() const { return problem_; }
  // Unreadable: why, as the reader said it.
  const IoError& readError() const { return readError_; }
  const std::string& path() const { return path_; }

  const PuzzleProgress* find(const std::string& key) const;
  PuzzleProgress& entry(const std::string& key) { return entries_[key]; }
  const std::map<std::string, PuzzleProgress>& entries() const { return entries_; }

  // A completion: seconds from opening, actions and hints used.
  void recordSolve(const std::string& key, const std::string& name, double seconds, int actions, int hints,
                   bool afterGivingUp, const std::string& when);
  void recordGiveUp(const std::string& key, const std::string& name);

  // The whole book as the file holds it.
  std::string text() const;
  // Replaces the file atomically (a damaged one is first renamed to
  // Progress.json.damaged, -2, ... so it is kept). A link in its place gives
  // way to the file; what it pointed at is never written.
  IoError save(const std::string& path, const WriteFaults* faults = nullptr);
  IoError save(Storage& storage, const std::string& path);
  // Where the last save put a damaged file; empty when it found none.
  const std::string& setAside() const { return setAside_; }

 private:
  std::string setAside_;
  std::map<std::string, PuzzleProgress> entries_;
  ProgressLoad state_ = ProgressLoad::Missing;
  std::string problem_;
  IoError readError_;
  std::string path_;
};

// In the interface's language, one plain reason each, for the player:
// what a book that could not be read means for the marks and times shown
// (empty when it was read or is missing; the puzzle list shows it when it
// opens) ...
std::string fncProgress_readProblem(const ProgressBook& book);
// ... and why a save failed. `password`, when given, is the answer
// password the file was to keep (a generated puzzle's): it is shown, as
// nowhere else keeps it for the player.
std::string fncProgress_notSaved(const ProgressBook& book, const IoError& e, const std::string& password = {});

// "yyyy/mm/dd hh:nn:ss" for now, local time.
std::string fncNow_text();

}  // namespace pakkon
