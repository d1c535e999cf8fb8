#include "geometry/movement.h"

#include <cstddef>
#include <cstring>

namespace pakkon {
namespace {

enum class Axis { X, Y, Z };

template <Axis A>
int16_t layerSum(const Grid& g, int layer) {
  int s = 0;
  for (int i = 0; i < kCells; ++i)
    for (int j = 0; j < kCells; ++j) {
      if constexpr (A == Axis::X)
        s += g[layer][i][j];
      else if constexpr (A == Axis::Y)
        s += g[i][layer][j];
      else
        s += g[i][j][layer];
    }
  return static_cast<int16_t>(s);
}

// A run of n cells shifted one place toward its end (D = 1) or its start
// (D = -1); the place left behind becomes 0. Cell is int16_t, or int32_t[3]
// for colours.
template <int D, class Cell>
void shiftRun(const Cell* src, Cell* dst, size_t n) {
  const size_t bytes = (n - 1) * sizeof(Cell);
  if constexpr (D > 0) {
    std::memcpy(dst + 1, src, bytes);
    std::memset(dst, 0, sizeof(Cell));
  } else {
    std::memcpy(dst, src + 1, bytes);
    std::memset(dst + n - 1, 0, sizeof(Cell));
  }
}

// Cells move one step toward +A (D = 1) or -A (D = -1); the vacated layer
// becomes 0. The grids are [x][y][z], so every shift is a run of copies.
template <Axis A, int D, class Cell>
void shiftInto(const Cell (&src)[kCells][kCells][kCells], Cell (&dst)[kCells][kCells][kCells]) {
  using Plane = Cell[kCells][kCells];
  using Row = Cell[kCells];
  if constexpr (A == Axis::X) {
    shiftRun<D, Plane>(src, dst, kCells);
  } else if constexpr (A == Axis::Y) {
    for (int x = 0; x < kCells; ++x) shiftRun<D, Row>(src[x], dst[x], kCells);
  } else {
    for (int x = 0; x < kCells; ++x)
      for (int y = 0; y < kCells; ++y) shiftRun<D, Cell>(src[x][y], dst[x][y], kCells);
  }
}

template <Axis A, int D>
int16_t pieceMove(PuzzleState& st, int b) {
  const int16_t s = layerSum<A>(st.G_iPiece[b], D > 0 ? kCells - 1 : 0);
  if (s > 0) return s;
  shiftInto<A, D>(st.G_iPiece[b], st.G_iBoxWork);
  std::memcpy(st.G_iPiece[b], st.G_iBoxWork, sizeof(Grid));
  return 0;
}

template <Axis A>
int16_t puzzleDec(PuzzleState& st) {
  const int16_t s = layerSum<A>(st.G_iBox, 0);
  if (s > 0) return s;
  Grid pieceWork;
  ColourGrid colourWork;
  shiftInto<A, -1>(st.G_iBox, st.G_iBoxWork);
  shiftInto<A, -1>(st.G_iBoxPiece, pieceWork);
  shiftInto<A, -1>(st.G_lBoxColor, colourWork);
  std::memcpy(st.G_iBox, st.G_iBoxWork, sizeof(Grid));
  std::memcpy(st.G_iBoxPiece, pieceWork, sizeof(Grid));
  std::memcpy(st.G_lBoxColor, colourWork, sizeof(ColourGrid));
  return 0;
}

}  // namespace

int16_t fncPiece_xInc(PuzzleState& st, int b) { return pieceMove<Axis::X, 1>(st, b); }
int16_t fncPiece_xDec(PuzzleState& st, int b) { return pieceMove<Axis::X, -1>(st, b); }
int16_t fncPiece_yInc(PuzzleState& st, int b) { return pieceMove<Axis::Y, 1>(st, b); }
int16_t fncPiece_yDec(PuzzleState& st, int b) { return pieceMove<Axis::Y, -1>(st, b); }
int16_t fncPiece_zInc(PuzzleState& st, int b) { return pieceMove<Axis::Z, 1>(st, b); }
int16_t fncPiece_zDec(PuzzleState& st, int b) { return pieceMove<Axis::Z, -1>(st, b); }

// The count test matters: an empty grid is never blocked, so the loops
// below would not end.
void subPiece_origin(PuzzleState& st, int b) {
  if (fncPiece_count(st, b) == 0) return;
  for (;;) {
    while (fncPiece_zDec(st, b) == 0) {
    }
    if (fncPiece_xDec(st, b) == 0) continue;
    if (fncPiece_yDec(st, b) == 0) continue;
    return;
  }
}

void subPiece_originX(PuzzleState& st, int b) {
  if (fncPiece_count(st, b) == 0) return;
  while (fncPiece_xDec(st, b) == 0) {
  }
}

void subPiece_originY(PuzzleState& st, int b) {
  if (fncPiece_count(st, b) == 0) return;
  while (fncPiece_yDec(st, b) == 0) {
  }
}

int16_t fncPuzzle_xDec(PuzzleState& st) { return puzzleDec<Axis::X>(st); }
int16_t fncPuzzle_yDec(PuzzleState& st) { return puzzleDec<Axis::Y>(st); }
int16_t fncPuzzle_zDec(PuzzleState& st) { return puzzleDec<Axis::Z>(st); }

void subPuzzle_origin(PuzzleState& st) {
  if (fncBox_count(st.G_iBox) == 0) return;
  for (;;) {
    while (fncPuzzle_zDec(st) == 0) {
    }
    if (fncPuzzle_xDec(st) == 0) continue;
    if (fncPuzzle_yDec(st) == 0) continue;
    return;
  }
}

int16_t fncBox_count(const Grid& g) {
  int s = 0;
  for (const auto& plane : g)
    for (const auto& row : plane)
      for (int16_t v : row) s += v;
  return static_cast<int16_t>(s);
}

int16_t fncBox_countValue(const Grid& g, int16_t v) {
  int n = 0;
  for (const auto& plane : g)
    for (const auto& row : plane)
      for (int16_t c : row) n += c == v;
  return static_cast<int16_t>(n);
}

int16_t fncPiece_count(const PuzzleState& st, int b) { return fncBox_count(st.G_iPiece[b]); }

int16_t fncPieces_count(const PuzzleState& st) {
  int s = 0;
  for (int b = 0; b < kPieces; ++b) s += fncPiece_count(st, b);
  return static_cast<int16_t>(s);
}

int16_t fncPieces_used(const PuzzleState& st) {
  int16_t n = 0;
  for (int b = 0; b < kPieces; ++b)
    if (fncPiece_count(st, b) > 0) ++n;
  return n;
}

}  // namespace pakkon
