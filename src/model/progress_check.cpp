#include "model/progress_check.h"

namespace pakkon {
namespace {

bool hasCells(const PuzzleState& st, int b) {
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z)
        if (st.G_iPiece[b][x][y][z]) return true;
  return false;
}

}  // namespace

std::vector<ProgressIssue> fncProgress_check(const PuzzleState& st) {
  ProgressIssue outside{ProgressFault::FilledOutsideBox, 0, {}};
  ProgressIssue unnamed{ProgressFault::FilledWithoutBlock, 0, {}};
  std::vector<BoxCell> named[kPieces + 1];
  bool inBox[kPieces + 1] = {};
  for (int z = 0; z < kCells; ++z)
    for (int y = 0; y < kCells; ++y)
      for (int x = 0; x < kCells; ++x) {
        if (!st.G_iBox[x][y][z]) continue;
        const int k = st.G_iBoxPiece[x][y][z];
        if (x >= st.G_iCellX || y >= st.G_iCellY || z >= st.G_iCellZ) {
          outside.cells.push_back({x, y, z});
          continue;
        }
        if (k >= 1 && k <= kPieces) inBox[k] = true;
        if (k == 0)
          unnamed.cells.push_back({x, y, z});
        else if (k >= 1 && k <= kPieces && !hasCells(st, k - 1))
          named[k].push_back({x, y, z});
      }

  std::vector<ProgressIssue> issues;
  for (int b = 0; b < kPieces; ++b)
    if (st.G_iPieceUsed[b] == 1 && !inBox[b + 1]) issues.push_back({ProgressFault::LoadedNotInBox, b + 1, {}});
  if (!outside.cells.empty()) issues.push_back(std::move(outside));
  for (int k = 1; k <= kPieces; ++k)
    if (!named[k].empty()) issues.push_back({ProgressFault::NoSuchBlock, k, std::move(named[k])});
  if (!unnamed.cells.empty()) issues.push_back(std::move(unnamed));
  return issues;
}

}  // namespace pakkon
