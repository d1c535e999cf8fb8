#include "model/progress_check.h"

#include <gtest/gtest.h>

#include <functional>

namespace pakkon {
namespace {

using F = ProgressFault;

// A 2 x 2 x 2 box with block 1 (two cells) loaded and block 2 (one cell) not.
PuzzleState loaded() {
  PuzzleState st;
  subCellSize_set(st, 2, 2, 2);
  st.G_iPiece[0][0][0][0] = st.G_iPiece[0][1][0][0] = 1;
  st.G_iPiece[1][0][1][0] = 1;
  for (int x = 0; x < 2; ++x) st.G_iBox[x][0][0] = 1, st.G_iBoxPiece[x][0][0] = 1;
  st.G_iPieceUsed[0] = 1;
  return st;
}

TEST(ProgressCheck, NamesEachContradictionOfTheSavedBox) {
  struct Case {
    const char* what;
    std::function<void(PuzzleState&)> edit;
    std::vector<ProgressIssue> expected;
  };
  const Case cases[] = {
      {"as the game leaves it", [](PuzzleState&) {}, {}},
      {"an unloaded block's number stays behind",
       [](PuzzleState& st) { st.G_iBox[0][0][0] = st.G_iBox[1][0][0] = st.G_iPieceUsed[0] = 0; },
       {}},
      {"loaded but not in the box", [](PuzzleState& st) { st.G_iPieceUsed[1] = 1; }, {{F::LoadedNotInBox, 2, {}}}},
      {"filled outside the box size",
       [](PuzzleState& st) { st.G_iBox[2][0][0] = st.G_iBox[0][0][3] = 1; },
       {{F::FilledOutsideBox, 0, {{2, 0, 0}, {0, 0, 3}}}}},
      {"a block that has no cells",
       [](PuzzleState& st) { st.G_iBox[0][1][0] = 1, st.G_iBoxPiece[0][1][0] = 5; },
       {{F::NoSuchBlock, 5, {{0, 1, 0}}}}},
      {"filled with no block number",
       [](PuzzleState& st) { st.G_iBox[1][1][1] = 1; },
       {{F::FilledWithoutBlock, 0, {{1, 1, 1}}}}},
      {"the only cell of a loaded block lies outside",
       [](PuzzleState& st) {
         st.G_iBox[0][0][0] = st.G_iBox[1][0][0] = 0;
         st.G_iBox[3][0][0] = 1, st.G_iBoxPiece[3][0][0] = 1;
       },
       {{F::LoadedNotInBox, 1, {}}, {F::FilledOutsideBox, 0, {{3, 0, 0}}}}},
  };
  for (const Case& c : cases) {
    PuzzleState st = loaded();
    c.edit(st);
    EXPECT_EQ(fncProgress_check(st), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace pakkon
