#pragma once
// Loading blocks into the box and taking them out, the dead-cell test and
// the loading-order check. Messages and redraws belong to the window.

#include <cstdint>

#include "model/state.h"

namespace pakkon {

// True when an empty cell is closed on all six sides; the faces of the
// 4 x 4 x 4 grid count as walls, the box's own faces do not.
bool fncBox_deadCell(const Grid& g);

// Empties the box cells numbered b + 1 in G_iBoxPiece (numbers are kept).
void subBox_clearPiece(PuzzleState& st, int b);
// Empties the box cells under block b's current grid.
void subBox_clearShape(PuzzleState& st, int b);

// True when the decimal text of n holds every digit 1 to 8.
bool fncRotate_check(int32_t n);

// Leaves block b plus the box in G_iBoxWork; true when that neither
// overlaps a loaded cell nor reaches beyond the box size.
bool fncPlacement_test(PuzzleState& st, int b);

enum class LoadRefusal { None, AlreadyUsed, NoRoom };

// Loads block b as it stands; a refusal changes nothing but G_iBoxWork.
LoadRefusal fncPiece_load(PuzzleState& st, int b);

// Takes block b out wherever its grid stands now (Cancel and UNLOAD).
void subPiece_unload(PuzzleState& st, int b);

// Empties every box grid and frees all blocks; block grids are kept.
void subBox_clear(PuzzleState& st);

}  // namespace pakkon
