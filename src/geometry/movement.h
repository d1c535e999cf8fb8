#pragma once
// One-cell moves of a block in its frame, pushes to the origin corner,
// whole-content moves of the box and the counting functions.

#include <cstdint>

#include "model/state.h"

namespace pakkon {

// 0 when block b moved one cell; otherwise the number of its cells in the
// leading layer, and nothing (G_iBoxWork included) has changed.
int16_t fncPiece_xInc(PuzzleState& st, int b);
int16_t fncPiece_xDec(PuzzleState& st, int b);
int16_t fncPiece_yInc(PuzzleState& st, int b);
int16_t fncPiece_yDec(PuzzleState& st, int b);
int16_t fncPiece_zInc(PuzzleState& st, int b);
int16_t fncPiece_zDec(PuzzleState& st, int b);

// Push block b to the origin corner, to x = 0 only, to y = 0 only.
void subPiece_origin(PuzzleState& st, int b);
void subPiece_originX(PuzzleState& st, int b);
void subPiece_originY(PuzzleState& st, int b);

// Whole box content one cell toward -X, -Y, -Z: 0 when moved, otherwise
// the sum of G_iBox over the leading layer and nothing moved.
int16_t fncPuzzle_xDec(PuzzleState& st);
int16_t fncPuzzle_yDec(PuzzleState& st);
int16_t fncPuzzle_zDec(PuzzleState& st);
void subPuzzle_origin(PuzzleState& st);

int16_t fncBox_count(const Grid& g);
int16_t fncBox_countValue(const Grid& g, int16_t v);
int16_t fncPiece_count(const PuzzleState& st, int b);
int16_t fncPieces_count(const PuzzleState& st);
// Blocks with at least one cell.
int16_t fncPieces_used(const PuzzleState& st);

}  // namespace pakkon
