#pragma once
// The two puzzles built into the program.

#include "model/state.h"

namespace pakkon {

// Clears every block and writes the 4 x 4 x 3 demonstration puzzle into
// G_iPiece with its box size. Counters, colours and G_iPieceOrg are the
// caller's business.
void subDemoPuzzle_set(PuzzleState& st);

// The same for the 3 x 3 x 3 sample of seven blocks (block 8 empty).
void subSamplePuzzle_set(PuzzleState& st);

}  // namespace pakkon
