#pragma once
// The box view and the block view: full redraws from the grids.

#include <functional>

#include "draw/renderer.h"
#include "draw/surface.h"
#include "model/state.h"

namespace pakkon {

// The block view's fixed direction; the box view starts from the same one.
inline constexpr ViewInfo kPieceView = {840, 600, -120, 120, 350, 350};

// The view scroll bars' range; both start at 120.
inline constexpr int kViewMin = -800;
inline constexpr int kViewMax = 800;
inline constexpr int kViewStart = 120;

// Where Load would put a block: its cells as it stands, and whether Load
// would take it (no overlap, nothing beyond the box size).
struct LandingPreview {
  int block = -1;  // none
  bool fits = false;
};
LandingPreview fncLanding_preview(const PuzzleState& st, int block);

// The preview's look: the block's dark shade where it fits; where Load
// would refuse it, black on a white rim with a cross on each front face.
inline constexpr int32_t kPreviewRefused = 0x000000;
inline constexpr int32_t kPreviewRefusedRim = 0xFFFFFF;
inline constexpr int kPreviewPen = 2;

// Redraws the box view from G_iBox and G_lBoxColor with hscDX / vscDY as the
// scroll bars read, and the landing preview over it when one is given.
// refillPanels, when given, runs after the cells and before persistence comes
// back on, where the window refills its box layer panels.
void subBox_draw(PuzzleState& st, PictureSurface& pictMain, int hscDX, int vscDY,
                 const std::function<void()>& refillPanels = {}, const LandingPreview& preview = {});

// Redraws block piece (0..7) alone; leaves the surface's persistence as it is.
void subPiece_draw(PuzzleState& st, PictureSurface& pictPiece, int piece);

void subPieceCells_get(int piece, const PieceGrids& pieces, Grid& grid);
// Only cells whose value is exactly 1 take colour row piece + 1.
void subPieceColors_get(int piece, const PieceGrids& pieces, ColourGrid& colours,
                        const int32_t (&table)[kColours][kShades]);

// The new scroll values of a drag, from the press point and the pointer;
// an axis whose target falls outside the range stays unset.
struct DragView {
  bool bSetDX = false;
  int hscDX = 0;
  bool bSetDY = false;
  int vscDY = 0;
};
DragView fncDrag_view(float sngDragX, float sngDragY, float X, float Y);

}  // namespace pakkon
