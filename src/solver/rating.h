#pragma once
// How hard a puzzle is for a person, from a search that works the way one
// does: fill the first empty cell (back layer first, top row first, left
// first) with any block that fits there, and back up when nothing fits.
// No cleverness beyond that: no cell with the fewest candidates first, no
// symmetry, no look-ahead. The size of that tree for each arrangement it
// holds says how much trying a solution takes; docs/puzzle-format.md
// explains the scale and its ★1–★5 bands.

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "model/state.h"

namespace pakkon {

struct RatingOptions {
  // The tree is cut here; a cut tree counts as at least this hard.
  uint64_t nodeLimit = 20'000'000;
  // Polled every few thousand nodes; true stops the count (result incomplete).
  const std::atomic<bool>* cancel = nullptr;
};

struct DifficultyRating {
  uint64_t nodes = 0;         // blocks put in, over the whole tree
  uint64_t deadEnds = 0;      // places where no block fits the first empty cell
  uint64_t arrangements = 0;  // solutions in the tree (identical blocks interchangeable)
  uint64_t distinct = 0;      // the same up to the box's rotations
  int blocks = 0;
  int shapes = 0;        // blocks that differ up to rotation
  bool complete = true;  // false: the node limit or the cancel flag cut the tree
  double score = 0;      // log10 of the tree per arrangement, adjusted; see stars
  int stars = 0;         // 1..5; 0 when there is no solution
};

// Rates block b = blocks[b] (empty: none) packed into the cells of
// `region`, all as 64-bit masks (geometry/mask.h).
DifficultyRating fncDifficulty_rate(const std::array<uint64_t, kPieces>& blocks, uint64_t region,
                                    const RatingOptions& options = {});
// The same for the blocks as made (G_iPieceOrg, or the blocks as they stand
// when none are made) in the puzzle's box.
DifficultyRating fncDifficulty_rate(const PuzzleState& st, const RatingOptions& options = {});

// The star band of a score (1..5).
int fncDifficulty_stars(double score);

// The tree per arrangement at which a puzzle passes `stars` (1..4); a
// search may stop there when more stars are not wanted.
double fncDifficulty_bandTop(int stars);

// "★★★☆☆"
std::string fncStars_text(int stars);

}  // namespace pakkon
