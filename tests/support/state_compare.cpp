#include "support/state_compare.h"

#include <cstring>

#include "model/builtin.h"

namespace pakkon::test {

#define PAKKON_SAME(field) \
  if (std::memcmp(&a.field, &b.field, sizeof a.field) != 0) return #field;
#define PAKKON_SAME_VALUE(field) \
  if (!(a.field == b.field)) return #field;

std::string firstDifference(const PuzzleState& a, const PuzzleState& b) {
  PAKKON_SAME(GE_lRotate)
  PAKKON_SAME(GE_iRotation)
  PAKKON_SAME_VALUE(G_bDemo)
  PAKKON_SAME_VALUE(G_sVersion)
  PAKKON_SAME_VALUE(G_sPzVersion)
  PAKKON_SAME_VALUE(G_sAppPath)
  PAKKON_SAME_VALUE(G_sDataPath)
  PAKKON_SAME_VALUE(G_sFileTitle)
  PAKKON_SAME_VALUE(G_sComment)
  PAKKON_SAME_VALUE(G_sAnswerPW)
  PAKKON_SAME(G_Info_Piece)
  PAKKON_SAME(G_iBoxWork)
  PAKKON_SAME(G_iBox)
  PAKKON_SAME(G_iBoxPiece)
  PAKKON_SAME(G_lBoxColor)
  PAKKON_SAME(G_iPiece)
  PAKKON_SAME(G_iPieceOrg)
  PAKKON_SAME(G_lColor)
  PAKKON_SAME_VALUE(G_iCellTotal)
  PAKKON_SAME_VALUE(G_iCellDone)
  PAKKON_SAME(G_iPieceUsed)
  PAKKON_SAME_VALUE(G_iMaxX)
  PAKKON_SAME_VALUE(G_iMaxY)
  PAKKON_SAME_VALUE(G_iMaxZ)
  PAKKON_SAME_VALUE(G_iCellX)
  PAKKON_SAME_VALUE(G_iCellY)
  PAKKON_SAME_VALUE(G_iCellZ)
  PAKKON_SAME_VALUE(G_bCellSet)
  PAKKON_SAME_VALUE(iPiece_Sel)
  PAKKON_SAME_VALUE(iMakeCells)
  return {};
}

#undef PAKKON_SAME
#undef PAKKON_SAME_VALUE

PuzzleState busyState() {
  PuzzleState st;
  st.G_sVersion = " Ver 1.1.0";
  subDemoPuzzle_set(st);
  subPieceOrg_set(st);
  // Current blocks differ from the made ones: block 1 shifted one cell.
  std::memset(st.G_iPiece[0], 0, sizeof st.G_iPiece[0]);
  st.G_iPiece[0][3][3][3] = 1;
  subColor_set(st);
  st.G_iBox[1][2][0] = 1;
  st.G_iBox[0][0][1] = 2;
  st.G_iBoxPiece[1][2][0] = 8;
  st.G_iBoxPiece[3][3][3] = 5;  // stale number left by an unload
  st.G_lBoxColor[1][2][0][0] = 0x00FF00FF;
  st.G_lBoxColor[1][2][0][2] = 0x00800080;
  st.G_iCellTotal = 48;
  st.G_iCellDone = 2;
  st.G_iPieceUsed[7] = 1;
  st.GE_lRotate = 21345678;
  for (int i = 0; i < kPieces; ++i) st.GE_iRotation[i] = static_cast<int16_t>(i);
  st.GE_iRotation[7] = -1;
  st.G_Info_Piece[2] = {3, 5, 2};
  st.G_sComment = "４×４×３の練習";
  st.G_sAnswerPW = "Abc123";
  return st;
}

}  // namespace pakkon::test
