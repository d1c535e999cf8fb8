#pragma once
// The layer panel's logic without widgets: where each square sits on the
// main window, what it shows, which cell a click hits, and the block maker's
// cell editing with its limit.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "model/state.h"
#include "platform/text_catalogue.h"

namespace pakkon {

// The eight grids; shpA..shpD show the box, shpE..shpH the selected block.
enum class PanelGrid { shpA, shpB, shpC, shpD, shpE, shpF, shpG, shpH };
inline constexpr int kPanelGrids = 8;
inline constexpr int kPanelSquares = 16;

// One square as the program sets it: fill style solid or transparent, then
// the fill colour (0 when transparent).
struct PanelSquare {
  bool bFilled = false;
  int32_t lFillColor = 0;
  bool operator==(const PanelSquare&) const = default;
};
using PanelSquares = std::array<PanelSquare, kPanelSquares>;
using LayerPanels = std::array<PanelSquares, kPanelGrids>;  // indexed by PanelGrid

inline PanelSquares& panel(LayerPanels& panels, PanelGrid grid) { return panels[static_cast<int>(grid)]; }
inline const PanelSquares& panel(const LayerPanels& panels, PanelGrid grid) { return panels[static_cast<int>(grid)]; }

// Window twips; squares overlap their neighbours by 15 twips.
struct SquareRect {
  int Left, Top, Width, Height;
};
SquareRect fncSquare_rect(PanelGrid grid, int index);

// The first square (in index order) strictly containing (X, Y), or -1.
// Visibility is not looked at.
int fncPanel_hit(PanelGrid grid, float X, float Y);

struct PanelCell {
  int x, y, z;
  bool operator==(const PanelCell&) const = default;
};
// The cell a square shows when its grid's scroll bar reads S.
PanelCell fncPanel_cell(PanelGrid grid, int index, int S);

// Refill shpA (x = L), shpC (x = R), shpB (y = U), shpD (y = D) from the box.
void subBoxPanel_draw(const PuzzleState& st, int L, int R, int U, int D, LayerPanels& panels);
// Refill shpE (x = LP), shpG (x = RP), shpF (y = UP), shpH (y = DP) from block piece.
void subPiecePanel_draw(const PuzzleState& st, int LP, int RP, int UP, int DP, int piece, LayerPanels& panels);

inline constexpr const char* kCellCountWarning = fncText_mark("セル数を超過しました。");
inline constexpr const char* kCellCountTitle = fncText_mark("作りすぎっ・・・");

// The block maker's cell count over all blocks against its limit.
struct CellCount {
  std::string sCaption;       // "used : limit"
  bool bWarn = false;         // limit < used: the warning is due
  std::string sCaptionAfter;  // "limit : limit", shown once the warning is closed
  int16_t remaining = 0;      // limit - used
};
CellCount fncCellCount_check(const PieceGrids& pieces, int limit);

struct PieceCellClick {
  bool bRedraw = false;  // the block view (and its panels) must be redrawn
  std::string sCount;    // the counter's new caption, when bRedraw
};
// A mouse-down on cell (x, y, z) of block st.iPiece_Sel within the box size
// and the limit iMakeCells; the warning is given by `warn`. setCount, when
// given, receives each caption as it is set, so the counter already reads
// "used : limit" while the warning is up.
PieceCellClick subPieceCell_edit(PuzzleState& st, int x, int y, int z, int Button, const std::function<void()>& warn,
                                 const std::function<void(const std::string&)>& setCount = {});

}  // namespace pakkon
