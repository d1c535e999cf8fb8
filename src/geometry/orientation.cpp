#include "geometry/orientation.h"

#include <chrono>
#include <cstdint>
#include <cstring>
#include <random>

#include "geometry/movement.h"

namespace pakkon {
namespace {

enum class Turn { Z, X, Y };

// The cell of the old grid that lands on (x, y, z) of the turned one.
template <Turn T>
constexpr void turnSource(int x, int y, int z, int& sx, int& sy, int& sz) {
  if constexpr (T == Turn::Z) {
    sx = y, sy = 3 - x, sz = z;
  } else if constexpr (T == Turn::X) {
    sx = x, sy = 3 - z, sz = y;
  } else {
    sx = 3 - z, sy = y, sz = x;
  }
}

// Cell is int16_t for the plain grids and int32_t[3] for the colour grid.
template <Turn T, class Cell>
void turnInto(const Cell (&src)[kCells][kCells][kCells], Cell (&dst)[kCells][kCells][kCells]) {
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z) {
        int sx = 0, sy = 0, sz = 0;
        turnSource<T>(x, y, z, sx, sy, sz);
        std::memcpy(&dst[x][y][z], &src[sx][sy][sz], sizeof(Cell));
      }
}

template <Turn T>
void pieceTurn(PuzzleState& st, int b) {
  turnInto<T>(st.G_iPiece[b], st.G_iBoxWork);
  std::memcpy(st.G_iPiece[b], st.G_iBoxWork, sizeof(Grid));
}

template <Turn T>
void puzzleTurn(PuzzleState& st) {
  Grid pieceWork;
  ColourGrid colourWork;
  turnInto<T>(st.G_iBox, st.G_iBoxWork);
  turnInto<T>(st.G_iBoxPiece, pieceWork);
  turnInto<T>(st.G_lBoxColor, colourWork);
  std::memcpy(st.G_iBox, st.G_iBoxWork, sizeof(Grid));
  std::memcpy(st.G_iBoxPiece, pieceWork, sizeof(Grid));
  std::memcpy(st.G_lBoxColor, colourWork, sizeof(ColourGrid));
}

void repeat(void (*turn)(PuzzleState&, int), PuzzleState& st, int b, int n) {
  for (int i = 0; i < n; ++i) turn(st, b);
}

// floor(r * k), held to 0..k-1 so that a source straying outside [0, 1)
// cannot make the count undefined or unbounded.
int drawBelow(const UnitRandom& r, int k) {
  const double v = r();
  if (!(v >= 0.0)) return 0;  // also NaN
  if (v >= 1.0) return k - 1;
  const int n = static_cast<int>(v * k);
  return n < k ? n : k - 1;
}

}  // namespace

void subPiece_turnZ(PuzzleState& st, int b) { pieceTurn<Turn::Z>(st, b); }
void subPiece_turnX(PuzzleState& st, int b) { pieceTurn<Turn::X>(st, b); }
void subPiece_turnY(PuzzleState& st, int b) { pieceTurn<Turn::Y>(st, b); }

void subPiece_setFace(PuzzleState& st, int b, int face) {
  if (face < 0 || face > 5) return;
  subPiece_restore(st, b);
  switch (face) {
    case 1: repeat(subPiece_turnX, st, b, 3); break;
    case 2: subPiece_turnY(st, b); break;
    case 3: subPiece_turnX(st, b); break;
    case 4: repeat(subPiece_turnY, st, b, 3); break;
    case 5: repeat(subPiece_turnY, st, b, 2); break;
    default: break;
  }
  subPiece_origin(st, b);
}

void subPuzzle_turnZ(PuzzleState& st) { puzzleTurn<Turn::Z>(st); }
void subPuzzle_turnX(PuzzleState& st) { puzzleTurn<Turn::X>(st); }
void subPuzzle_turnY(PuzzleState& st) { puzzleTurn<Turn::Y>(st); }

void subPieces_reset(PuzzleState& st) { std::memcpy(st.G_iPiece, st.G_iPieceOrg, sizeof st.G_iPiece); }

uint64_t fncClockSeed() {
  return static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

UnitRandom fncClockRandom() { return fncSeededRandom(fncClockSeed()); }

UnitRandom fncSeededRandom(uint64_t ticks) {
  std::seed_seq seed{static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
  return [gen = std::mt19937(seed)]() mutable {
    // 53 random bits, so the value is never 1.0.
    const uint32_t hi = gen() >> 5;
    const uint32_t lo = gen() >> 6;
    return (hi * 67108864.0 + lo) * (1.0 / 9007199254740992.0);
  };
}

void subPieces_shuffle(PuzzleState& st, const UnitRandom& r) {
  for (int b = 0; b < kPieces; ++b) {
    subPiece_setFace(st, b, drawBelow(r, 6));
    repeat(subPiece_turnZ, st, b, drawBelow(r, 4) + 1);
    repeat(subPiece_turnX, st, b, drawBelow(r, 4) + 1);
    repeat(subPiece_turnY, st, b, drawBelow(r, 4) + 1);
    subPiece_origin(st, b);
  }
}

}  // namespace pakkon
