#pragma once
// The puzzle files of the data folder as rows of a list: what each holds,
// what the player has done with it, or why it cannot be read. Reading the
// list never writes anything.

#include <map>
#include <string>
#include <vector>

#include "app/progress.h"
#include "platform/storage.h"

namespace pakkon {

struct PuzzleRow {
  std::string name;  // the file's name in the folder
  std::string path;
  std::string problem;  // why the file cannot be played, shown with it; empty when it can
  std::string comment;
  int sizeX = 0, sizeY = 0, sizeZ = 0;
  int blocks = 0;
  std::string key;  // fncPuzzle_key
  int stars = 0;    // 0 while not rated
  PuzzleProgress progress;
  bool readable() const { return problem.empty(); }
  bool solved() const { return progress.solved > 0 || progress.solvedAfterGivingUp > 0; }
};

struct PuzzleList {
  std::vector<PuzzleRow> rows;  // by name
  std::string problem;          // the folder itself cannot be read
  std::string progressProblem;  // fncProgress_readProblem: no marks or times shown, and why
};

// Every "*.bin" entry of the folder (any case), by name, listed and read
// through the storage. Stars come from `ratings` (by key) or from the book.
PuzzleList fncPuzzleList_read(Storage& storage, const std::string& folder, const ProgressBook& book,
                              const std::map<std::string, int>& ratings = {});

// The first row after `path` (going round) that can be played and is not
// solved; -1 when there is none.
int fncPuzzleList_nextUnsolved(const PuzzleList& list, const std::string& path);

// The file's name and its comment as one text: joined by a full-width space
// in Japanese, an ordinary one in English.
std::string fncPuzzleRow_title(const PuzzleRow& row);

// "1:23" or "1:02:03".
std::string fncSeconds_text(double seconds);

}  // namespace pakkon
