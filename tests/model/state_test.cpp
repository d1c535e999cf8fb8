#include "model/state.h"

#include <gtest/gtest.h>

#include "model/builtin.h"

namespace pakkon {
namespace {

int cells(const PuzzleState& st) {
  int n = 0;
  for (int b = 0; b < kPieces; ++b)
    for (int x = 0; x < kCells; ++x)
      for (int y = 0; y < kCells; ++y)
        for (int z = 0; z < kCells; ++z) n += st.G_iPiece[b][x][y][z];
  return n;
}

TEST(BuiltinPuzzles, FillTheirBoxesCellForCell) {
  PuzzleState st;
  subDemoPuzzle_set(st);
  EXPECT_EQ(cells(st), 48);
  EXPECT_EQ(st.G_iCellZ, 3);
  EXPECT_EQ(st.G_iMaxZ, 2);
  subSamplePuzzle_set(st);
  EXPECT_EQ(cells(st), 27);
  EXPECT_EQ(st.G_iMaxX, 2);
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z) EXPECT_EQ(st.G_iPiece[7][x][y][z], 0);  // block 8 is empty
  EXPECT_EQ(st.G_iPiece[4][0][0][2], 1);
  EXPECT_EQ(st.G_iPiece[4][1][1][0], 1);
}

TEST(PuzzleStateOps, ColourTableAndLoadingOrderDigits) {
  PuzzleState st;
  subColor_set(st);
  EXPECT_EQ(st.G_lColor[0][0], 0);
  EXPECT_EQ(st.G_lColor[1][0], fncRGB(192, 192, 192));  // block 1 is grey
  EXPECT_EQ(st.G_lColor[3][1], 0x0080C0FF);             // light orange as &H00BBGGRR
  EXPECT_EQ(st.G_lColor[8][2], fncRGB(128, 0, 128));
  for (int k = 0; k < kPieces; ++k) {
    EXPECT_EQ(fncRotateDigit(12345678, k), k);
    EXPECT_EQ(fncRotateDigit(87654321, k), 7 - k);
  }
  EXPECT_EQ(fncRotateDigit(1234567, 7), -1);
  EXPECT_EQ(fncRotateDigit(-1234567, 0), -1);
  EXPECT_EQ(fncRotateDigit(102345678, 1), -1);
}

}  // namespace
}  // namespace pakkon
