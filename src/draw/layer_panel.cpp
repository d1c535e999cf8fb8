#include "draw/layer_panel.h"

#include "platform/text.h"

namespace pakkon {
namespace {

constexpr int kPitch = 360;
constexpr int kSquare = 375;

// x-slice grids show y down and z to the left; y-slice grids x right and z down.
bool isXSlice(PanelGrid grid) {
  switch (grid) {
    case PanelGrid::shpA:
    case PanelGrid::shpC:
    case PanelGrid::shpE:
    case PanelGrid::shpG: return true;
    default: return false;
  }
}

void setSquare(PanelSquare& square, bool filled, int32_t colour) {
  square.bFilled = filled;
  square.lFillColor = filled ? colour : 0;
}

}  // namespace

SquareRect fncSquare_rect(PanelGrid grid, int index) {
  struct Origin {
    int left, top, dir;  // dir: columns grow right (+1) or left (-1)
  };
  static constexpr Origin kOrigin[kPanelGrids] = {
      {1440, 1800, -1}, {2280, 240, 1}, {6840, 1800, -1},  {2280, 5280, 1},
      {8760, 1800, -1}, {9360, 240, 1}, {13920, 1800, -1}, {9360, 5040, 1},
  };
  const Origin& o = kOrigin[static_cast<int>(grid)];
  const int j = index / 4, r = index % 4;
  return {o.left + o.dir * kPitch * j, o.top + kPitch * r, kSquare, kSquare};
}

int fncPanel_hit(PanelGrid grid, float X, float Y) {
  for (int i = 0; i < kPanelSquares; ++i) {
    const SquareRect s = fncSquare_rect(grid, i);
    if (s.Left < X && X < s.Left + s.Width && s.Top < Y && Y < s.Top + s.Height) return i;
  }
  return -1;
}

PanelCell fncPanel_cell(PanelGrid grid, int index, int S) {
  const int j = index / 4, r = index - 4 * j;
  if (isXSlice(grid)) return {S, r, j};
  return {j, S, r};
}

void subBoxPanel_draw(const PuzzleState& st, int L, int R, int U, int D, LayerPanels& panels) {
  for (int x = 0; x <= 3; ++x)
    for (int y = 0; y <= 3; ++y)
      for (int z = 0; z <= 3; ++z) {
        const bool filled = st.G_iBox[x][y][z] != 0;
        const int32_t colour = st.G_lBoxColor[x][y][z][0];
        if (x == L) setSquare(panel(panels, PanelGrid::shpA)[4 * z + y], filled, colour);
        if (x == R) setSquare(panel(panels, PanelGrid::shpC)[4 * z + y], filled, colour);
        if (y == U) setSquare(panel(panels, PanelGrid::shpB)[4 * x + z], filled, colour);
        if (y == D) setSquare(panel(panels, PanelGrid::shpD)[4 * x + z], filled, colour);
      }
}

void subPiecePanel_draw(const PuzzleState& st, int LP, int RP, int UP, int DP, int piece, LayerPanels& panels) {
  const int32_t colour = st.G_lColor[piece + 1][0];
  for (int x = 0; x <= 3; ++x)
    for (int y = 0; y <= 3; ++y)
      for (int z = 0; z <= 3; ++z) {
        const bool filled = st.G_iPiece[piece][x][y][z] == 1;
        if (x == LP) setSquare(panel(panels, PanelGrid::shpE)[4 * z + y], filled, colour);
        if (x == RP) setSquare(panel(panels, PanelGrid::shpG)[4 * z + y], filled, colour);
        if (y == UP) setSquare(panel(panels, PanelGrid::shpF)[4 * x + z], filled, colour);
        if (y == DP) setSquare(panel(panels, PanelGrid::shpH)[4 * x + z], filled, colour);
      }
}

CellCount fncCellCount_check(const PieceGrids& pieces, int limit) {
  long used = 0;
  for (int b = 0; b < kPieces; ++b)
    for (int x = 0; x < kCells; ++x)
      for (int y = 0; y < kCells; ++y)
        for (int z = 0; z < kCells; ++z) used += pieces[b][x][y][z];
  CellCount c;
  c.sCaption = fncStr(used) + " : " + fncStr(limit);
  c.bWarn = limit < used;
  if (c.bWarn) c.sCaptionAfter = fncStr(limit) + " : " + fncStr(limit);
  c.remaining = fncCInt(static_cast<double>(limit - used));
  return c;
}

PieceCellClick subPieceCell_edit(PuzzleState& st, int x, int y, int z, int Button, const std::function<void()>& warn,
                                 const std::function<void(const std::string&)>& setCount) {
  if (x < 0 || y < 0 || z < 0 || x > st.G_iMaxX || y > st.G_iMaxY || z > st.G_iMaxZ) return {};

  const int b = st.iPiece_Sel;
  int16_t& cell = st.G_iPiece[b][x][y][z];
  int16_t& org = st.G_iPieceOrg[b][x][y][z];
  if (Button == 1) {
    if (cell == 0)
      cell = org = 1;
    else if (cell == 1)
      cell = org = 0;
  }

  const CellCount count = fncCellCount_check(st.G_iPiece, st.iMakeCells);
  PieceCellClick result{true, count.sCaption};
  if (setCount) setCount(result.sCount);
  if (count.bWarn) {
    if (warn) warn();
    result.sCount = count.sCaptionAfter;
    if (setCount) setCount(result.sCount);
  }
  if (count.remaining < 0) cell = org = 0;
  return result;
}

}  // namespace pakkon
