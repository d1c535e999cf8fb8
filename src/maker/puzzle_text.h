#pragma once
// Puzzle sources: a UTF-8 text that draws the solution arrangement layer by
// layer, from which a puzzle file is made. docs/puzzle-format.md describes
// the format; in short:
//
//   # a note
//   size: 3 x 3 x 3
//   comment: ソーマ・キューブ
//   password: Soma27
//
//   AAB        z = 0 (the back): rows y = 0 (top) down, cells x = 0 (left) on
//   ...
//
// one character per cell naming its block, layers separated by blank lines.
// Blocks are numbered in the order of their characters.

#include <string>
#include <string_view>
#include <vector>

#include "geometry/orientation.h"
#include "model/state.h"

namespace pakkon {

struct TextIssue {
  int line = 0;    // 1-based; 0 when it concerns the whole text
  int column = 0;  // 1-based, in characters; 0 when it concerns the whole line
  std::string message;
};

struct PuzzleSource {
  int sizeX = 0, sizeY = 0, sizeZ = 0;
  std::string comment;             // UTF-8, blanks around removed
  std::string password;            // blanks around removed
  std::vector<std::string> names;  // the character of each block, in block order
  std::vector<int> cellCounts;     // cells of each block
  Grid blocks[kPieces] = {};       // each block's cells where it is drawn
};

struct PuzzleTextResult {
  std::vector<TextIssue> errors;  // empty when the source can be made
  std::vector<TextIssue> warnings;
  PuzzleSource source;
  bool ok() const { return errors.empty(); }
};

PuzzleTextResult fncPuzzleText_parse(std::string_view text);

// The state a new puzzle file holds, as the game's save-as leaves it: the
// blocks as made are the drawing, the blocks as they stand the drawing
// shuffled, the box empty and the auto loader at its start.
void subPuzzleText_make(const PuzzleSource& src, PuzzleState& st, const UnitRandom& r);

// "line:column: message" (parts that are 0 left out).
std::string fncTextIssue_format(const TextIssue& issue);

}  // namespace pakkon
