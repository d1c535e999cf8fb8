#pragma once
// The oblique-projection renderer shared by the box view and the block view.
// Everything is in twips and single precision, as the surface takes it.

#include "draw/surface.h"
#include "model/state.h"

namespace pakkon {

struct ViewInfo {
  float sngX0, sngY0, sngDX, sngDY, sngW, sngH;
};

// The depth step from one layer to the next.
struct DepthStep {
  float Ox, Oy;
};

// Sqr(2) * 120, the length of one depth step, as both views draw.
float fncScale_default();

DepthStep fncDepth_step(const ViewInfo& view, float sngScale);

// The frame greys, index 0..4.
inline constexpr int32_t kFrameGrey[5] = {0xE0E0E0, 0xD0D0D0, 0xCCCCCC, 0xC0C0C0, 0xB0B0B0};
inline constexpr int32_t kEdgeWhite = 0xFFFFFF;
inline constexpr int32_t kAxisGrey = 0xC0C0C0;

// Frame, the non-zero cells back to front, then the axes; does not clear.
void subCells_draw(PictureSurface& surface, const Grid& cells, const ColourGrid& colours, const ViewInfo& view,
                   float sngScale);
void subGrid_draw(PictureSurface& surface, const ViewInfo& view, float sngScale);

// The edges a cell grid shows (the white edges of subCells_draw) in one
// colour and pen width, over what is drawn; crossed adds the diagonals of
// every front face.
void subCellsOutline_draw(PictureSurface& surface, const Grid& cells, int32_t colour, int penWidth, bool crossed,
                          const ViewInfo& view, float sngScale);
void subAxis_draw(PictureSurface& surface, const ViewInfo& view, float sngScale);

}  // namespace pakkon
