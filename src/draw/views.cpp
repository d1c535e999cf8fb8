#include "draw/views.h"

#include "platform/text.h"

namespace pakkon {

LandingPreview fncLanding_preview(const PuzzleState& st, int block) {
  LandingPreview p;
  if (block < 0 || block >= kPieces) return p;
  p.block = block;
  p.fits = true;
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z) {
        if (st.G_iPiece[block][x][y][z] == 0) continue;
        if (st.G_iPiece[block][x][y][z] + st.G_iBox[x][y][z] > 1 || x >= st.G_iCellX || y >= st.G_iCellY ||
            z >= st.G_iCellZ)
          p.fits = false;
      }
  return p;
}

void subBox_draw(PuzzleState& st, PictureSurface& pictMain, int hscDX, int vscDY,
                 const std::function<void()>& refillPanels, const LandingPreview& preview) {
  pictMain.setPersistent(false);
  pictMain.clear();
  const ViewInfo view = {840, 600, static_cast<float>(-hscDX), static_cast<float>(vscDY), 350, 350};
  const float sngScale = fncScale_default();
  subCells_draw(pictMain, st.G_iBox, st.G_lBoxColor, view, sngScale);
  if (preview.block >= 0) {
    Grid cells = {};
    subPieceCells_get(preview.block, st.G_iPiece, cells);
    if (preview.fits) {
      subCellsOutline_draw(pictMain, cells, st.G_lColor[preview.block + 1][2], kPreviewPen, false, view, sngScale);
    } else {
      // Crossed, dark on a light rim: no block colour hides it, and it reads
      // without telling reds apart.
      subCellsOutline_draw(pictMain, cells, kPreviewRefusedRim, kPreviewPen + 3, true, view, sngScale);
      subCellsOutline_draw(pictMain, cells, kPreviewRefused, kPreviewPen, true, view, sngScale);
    }
  }
  if (refillPanels) refillPanels();
  pictMain.setPersistent(true);
}

void subPiece_draw(PuzzleState& st, PictureSurface& pictPiece, int piece) {
  pictPiece.clear();
  const ViewInfo view = kPieceView;
  subPieceCells_get(piece, st.G_iPiece, st.G_iBoxWork);
  ColourGrid colours = {};
  subPieceColors_get(piece, st.G_iPiece, colours, st.G_lColor);
  subCells_draw(pictPiece, st.G_iBoxWork, colours, view, fncScale_default());
}

void subPieceCells_get(int piece, const PieceGrids& pieces, Grid& grid) {
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z) grid[x][y][z] = pieces[piece][x][y][z];
}

void subPieceColors_get(int piece, const PieceGrids& pieces, ColourGrid& colours,
                        const int32_t (&table)[kColours][kShades]) {
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z)
        if (pieces[piece][x][y][z] == 1)
          for (int s = 0; s < kShades; ++s) colours[x][y][z][s] = table[piece + 1][s];
}

DragView fncDrag_view(float sngDragX, float sngDragY, float X, float Y) {
  DragView r;
  const float nx = (X - sngDragX) / -2;
  const float ny = (Y - sngDragY) / 2;
  if (kViewMin <= nx && nx <= kViewMax) {
    r.bSetDX = true;
    r.hscDX = fncCInt(nx);
  }
  if (kViewMin <= ny && ny <= kViewMax) {
    r.bSetDY = true;
    r.vscDY = fncCInt(ny);
  }
  return r;
}

}  // namespace pakkon
