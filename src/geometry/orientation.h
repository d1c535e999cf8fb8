#pragma once
// Quarter turns of one block in its frame or of the whole box content, the
// six standard faces, Reset and Shuffle. Every turn goes through G_iBoxWork
// and leaves the turned grid there; callers push to the origin themselves.

#include <cstdint>
#include <functional>

#include "model/state.h"

namespace pakkon {

void subPiece_turnZ(PuzzleState& st, int b);
void subPiece_turnX(PuzzleState& st, int b);
void subPiece_turnY(PuzzleState& st, int b);

// Block b as made, turned to face 0..5, pushed to the origin corner.
// Any other face leaves everything as it was.
void subPiece_setFace(PuzzleState& st, int b, int face);

// G_iBox, G_iBoxPiece and G_lBoxColor turned together over the whole grid;
// the box size is ignored, so content may end up beyond it.
void subPuzzle_turnZ(PuzzleState& st);
void subPuzzle_turnX(PuzzleState& st);
void subPuzzle_turnY(PuzzleState& st);

// All eight blocks back to G_iPieceOrg, loaded ones included; box untouched.
void subPieces_reset(PuzzleState& st);

// Uniform in [0, 1).
using UnitRandom = std::function<double()>;

// A fresh source seeded from the clock; the window makes one per Shuffle.
UnitRandom fncClockRandom();

// The same source from a given seed, so that a shuffle can be replayed.
UnitRandom fncSeededRandom(uint64_t seed);
uint64_t fncClockSeed();

// Random face and turns for every block, loaded ones included, each ending
// at the origin corner. Draws face, Z count, X count, Y count per block.
void subPieces_shuffle(PuzzleState& st, const UnitRandom& r);

}  // namespace pakkon
