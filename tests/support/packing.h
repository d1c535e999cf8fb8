#pragma once
// Finds one way to pack a puzzle's blocks into its box, for tests that then
// play it through the window as a player would.

#include <array>
#include <string>
#include <vector>

#include "model/state.h"

namespace pakkon::test {

struct Placement {
  int block = 0;
  Grid cells{};  // the block's grid where it goes
};

// Blocks in index order; empty when there is no packing.
std::vector<Placement> findPacking(const PuzzleState& st);

// The turn-button presses (0 = Turn-Z, 1 = Turn-X, 2 = Turn-Y) that bring
// block b from its current grid to the orientation of target (positions
// ignored), and the moves after "Orgin" that bring it to target's place.
struct Moves {
  std::vector<int> turns;
  int dx = 0, dy = 0, dz = 0;
};
Moves movesTo(const PuzzleState& st, int b, const Grid& target);

// A shipped puzzle made from its source in data/puzzles (name without ".txt").
PuzzleState shippedPuzzle(const std::string& name);

}  // namespace pakkon::test
