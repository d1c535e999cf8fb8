#include "geometry/loading.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace pakkon {
namespace {

// Neighbours in a fixed order: behind, left, above, right, below, front.
constexpr int kNeighbour[6][3] = {{0, 0, -1}, {-1, 0, 0}, {0, -1, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

void emptyCell(PuzzleState& st, int x, int y, int z) {
  st.G_iBox[x][y][z] = 0;
  for (int k = 0; k < kShades; ++k) st.G_lBoxColor[x][y][z][k] = 0;
}

// True when some cell of g at index `from` or above along axis A is filled.
template <int A>
bool filledBeyond(const Grid& g, int from) {
  for (int i = std::max(from, 0); i < kCells; ++i)
    for (int j = 0; j < kCells; ++j)
      for (int k = 0; k < kCells; ++k) {
        const int16_t v = A == 0 ? g[i][j][k] : A == 1 ? g[j][i][k] : g[j][k][i];
        if (v > 0) return true;
      }
  return false;
}

}  // namespace

bool fncBox_deadCell(const Grid& g) {
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z) {
        if (g[x][y][z] >= 1) continue;
        int c = 0;
        for (const auto& d : kNeighbour) {
          const int nx = x + d[0], ny = y + d[1], nz = z + d[2];
          if (nx < 0 || nx >= kCells || ny < 0 || ny >= kCells || nz < 0 || nz >= kCells)
            c += 1;
          else
            c += g[nx][ny][nz];
        }
        if (c == 6) return true;
      }
  return false;
}

void subBox_clearPiece(PuzzleState& st, int b) {
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z)
        if (st.G_iBoxPiece[x][y][z] == b + 1) emptyCell(st, x, y, z);
}

void subBox_clearShape(PuzzleState& st, int b) {
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z)
        if (st.G_iPiece[b][x][y][z] == 1) emptyCell(st, x, y, z);
}

bool fncRotate_check(int32_t n) {
  char text[16];
  const auto end = std::to_chars(text, text + sizeof text, n).ptr;
  for (char d = '1'; d <= '8'; ++d)
    if (std::find(text, end, d) == end) return false;
  return true;
}

bool fncPlacement_test(PuzzleState& st, int b) {
  // G_iBoxWork is filled completely even when an overlap shows up early:
  // the auto loader reads it after every test.
  bool overlap = false;
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z) {
        const int16_t v = static_cast<int16_t>(st.G_iPiece[b][x][y][z] + st.G_iBox[x][y][z]);
        st.G_iBoxWork[x][y][z] = v;
        overlap |= v > 1;
      }
  if (overlap) return false;
  if (st.G_iCellX < kCells && filledBeyond<0>(st.G_iBoxWork, st.G_iCellX)) return false;
  if (st.G_iCellY < kCells && filledBeyond<1>(st.G_iBoxWork, st.G_iCellY)) return false;
  if (st.G_iCellZ < kCells && filledBeyond<2>(st.G_iBoxWork, st.G_iCellZ)) return false;
  return true;
}

LoadRefusal fncPiece_load(PuzzleState& st, int b) {
  if (st.G_iPieceUsed[b] == 1) return LoadRefusal::AlreadyUsed;
  if (!fncPlacement_test(st, b)) return LoadRefusal::NoRoom;
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z) {
        st.G_iBox[x][y][z] = st.G_iBoxWork[x][y][z];
        // A coloured cell keeps the number and colours of its first filler.
        if (st.G_lBoxColor[x][y][z][0] == 0 && st.G_iBox[x][y][z] != 0) {
          st.G_iBoxPiece[x][y][z] = static_cast<int16_t>(b + 1);
          for (int k = 0; k < kShades; ++k) st.G_lBoxColor[x][y][z][k] = st.G_lColor[b + 1][k];
        }
      }
  st.G_iPieceUsed[b] = 1;
  return LoadRefusal::None;
}

void subPiece_unload(PuzzleState& st, int b) {
  st.G_iPieceUsed[b] = 0;
  subBox_clearPiece(st, b);
}

void subBox_clear(PuzzleState& st) {
  std::memset(st.G_iBoxPiece, 0, sizeof st.G_iBoxPiece);
  std::memset(st.G_iBoxWork, 0, sizeof st.G_iBoxWork);
  std::memset(st.G_iBox, 0, sizeof st.G_iBox);
  std::memset(st.G_lBoxColor, 0, sizeof st.G_lBoxColor);
  std::memset(st.G_iPieceUsed, 0, sizeof st.G_iPieceUsed);
}

}  // namespace pakkon
