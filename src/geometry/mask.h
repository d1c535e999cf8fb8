#pragma once
// A block's or the box's cells as one 64-bit mask: cell (x, y, z) of the
// 4 x 4 x 4 frame is bit x + 4y + 16z. The frame's turns, pushes and
// neighbours become a few bit operations, for the searches that cannot
// afford to walk grids. Plain values only; the grids stay the state.

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "model/state.h"

namespace pakkon {

struct MaskCell {
  int x = 0, y = 0, z = 0;
};

constexpr uint64_t fncCell_bit(int x, int y, int z) { return uint64_t{1} << (x + 4 * y + 16 * z); }
constexpr MaskCell fncBit_cell(int bit) { return {bit & 3, (bit >> 2) & 3, bit >> 4}; }

// The frame's outer layers: its walls.
inline constexpr uint64_t kMaskX0 = 0x1111111111111111ULL;
inline constexpr uint64_t kMaskX3 = 0x8888888888888888ULL;
inline constexpr uint64_t kMaskY0 = 0x000F000F000F000FULL;
inline constexpr uint64_t kMaskY3 = 0xF000F000F000F000ULL;
inline constexpr uint64_t kMaskZ0 = 0x000000000000FFFFULL;
inline constexpr uint64_t kMaskZ3 = 0xFFFF000000000000ULL;

// The cells of a grid that are not 0.
uint64_t fncGrid_mask(const Grid& g);
// True when every cell is 0 or 1, so that the mask says all the grid holds.
bool fncGrid_binary(const Grid& g);
// 1 on the mask's cells, 0 elsewhere.
void subMask_grid(uint64_t m, Grid& g);

// The blocks every count, key and search takes: as made when any block has
// been made, else as they stand (a puzzle given only that way, such as the
// demonstration). `fromMade` tells which.
std::array<uint64_t, kPieces> fncBlocks_made(const PuzzleState& st, bool* fromMade = nullptr);

// The cells of an sx x sy x sz box standing at the origin corner.
constexpr uint64_t fncBox_mask(int sx, int sy, int sz) {
  uint64_t m = 0;
  for (int z = 0; z < sz; ++z)
    for (int y = 0; y < sy; ++y)
      for (int x = 0; x < sx; ++x) m |= fncCell_bit(x, y, z);
  return m;
}

namespace mask_detail {
// Occupied columns of the layers folded along z (bit x + 4y), and occupied
// x (bit x).
constexpr uint64_t layers(uint64_t m) {
  const uint64_t u = m | (m >> 32);
  return (u | (u >> 16)) & 0xFFFF;
}
constexpr uint64_t rows(uint64_t layer) {
  const uint64_t v = layer | (layer >> 8);
  return (v | (v >> 4)) & 0xF;
}
}  // namespace mask_detail

// Smallest and largest x, y and z among the cells of a non-empty mask.
constexpr MaskCell fncMask_low(uint64_t m) {
  const uint64_t layer = mask_detail::layers(m);
  return {std::countr_zero(mask_detail::rows(layer)), std::countr_zero(layer) >> 2, std::countr_zero(m) >> 4};
}
constexpr MaskCell fncMask_high(uint64_t m) {
  const uint64_t layer = mask_detail::layers(m);
  return {63 - std::countl_zero(mask_detail::rows(layer)), (63 - std::countl_zero(layer)) >> 2,
          (63 - std::countl_zero(m)) >> 4};
}

// Pushed to the origin corner, as subPiece_origin pushes a block.
constexpr uint64_t fncMask_origin(uint64_t m) {
  if (m == 0) return 0;
  const MaskCell low = fncMask_low(m);
  return m >> (low.x + 4 * low.y + 16 * low.z);
}
// The same with the offsets it took; an empty mask gives 0 offsets.
constexpr void subMask_origin(uint64_t mask, int& dx, int& dy, int& dz, uint64_t& shape) {
  const MaskCell low = mask == 0 ? MaskCell{} : fncMask_low(mask);
  dx = low.x, dy = low.y, dz = low.z;
  shape = mask >> (dx + 4 * dy + 16 * dz);
}

namespace mask_detail {
struct TurnTable {
  uint8_t z[64], x[64], y[64];  // where each cell lands
};
inline constexpr TurnTable kTurn = [] {
  TurnTable t{};
  for (int i = 0; i < 64; ++i) {
    const auto [x, y, z] = fncBit_cell(i);
    t.z[i] = static_cast<uint8_t>(std::countr_zero(fncCell_bit(3 - y, x, z)));
    t.x[i] = static_cast<uint8_t>(std::countr_zero(fncCell_bit(x, z, 3 - y)));
    t.y[i] = static_cast<uint8_t>(std::countr_zero(fncCell_bit(z, y, 3 - x)));
  }
  return t;
}();
constexpr uint64_t turn(uint64_t m, const uint8_t (&to)[64]) {
  uint64_t r = 0;
  for (; m != 0; m &= m - 1) r |= uint64_t{1} << to[std::countr_zero(m)];
  return r;
}
}  // namespace mask_detail

// The quarter turns of the whole frame that subPiece_turnZ, subPiece_turnX
// and subPiece_turnY make; no cell leaves the frame and nothing is pushed.
constexpr uint64_t fncMask_turnZ(uint64_t m) { return mask_detail::turn(m, mask_detail::kTurn.z); }
constexpr uint64_t fncMask_turnX(uint64_t m) { return mask_detail::turn(m, mask_detail::kTurn.x); }
constexpr uint64_t fncMask_turnY(uint64_t m) { return mask_detail::turn(m, mask_detail::kTurn.y); }

// Orientation g = 4 * face + turns is the game's: the turns of face 0..5 as
// subPiece_setFace makes them, then `turns` times subPiece_turnZ. The 24
// are distinct turns of the frame, and 0 leaves the cells as they are.
inline constexpr int kOrientations = 24;

// The cells turned as orientation g turns a block, not pushed.
constexpr uint64_t fncMask_orient(uint64_t m, int g) {
  switch (g / 4) {
    case 1: m = fncMask_turnX(fncMask_turnX(fncMask_turnX(m))); break;
    case 2: m = fncMask_turnY(m); break;
    case 3: m = fncMask_turnX(m); break;
    case 4: m = fncMask_turnY(fncMask_turnY(fncMask_turnY(m))); break;
    case 5: m = fncMask_turnY(fncMask_turnY(m)); break;
    default: break;
  }
  for (int t = 0; t < g % 4; ++t) m = fncMask_turnZ(m);
  return m;
}

// The 24 orientations of a block as made, each pushed to the origin corner.
constexpr std::array<uint64_t, kOrientations> fncMask_orientations(uint64_t made) {
  std::array<uint64_t, kOrientations> out{};
  for (int face = 0; face < 6; ++face) {
    uint64_t m = fncMask_orient(made, 4 * face);
    for (int t = 0; t < 4; ++t, m = fncMask_turnZ(m)) out[static_cast<size_t>(4 * face + t)] = fncMask_origin(m);
  }
  return out;
}

// The same number for a shape in every orientation and place: the least of
// its 24 orientations, so blocks of one shape compare equal.
constexpr uint64_t fncMask_shapeKey(uint64_t m) {
  uint64_t key = ~uint64_t{0};
  for (uint64_t o : fncMask_orientations(m)) key = o < key ? o : key;
  return key;
}

// True when `now` is the block `made` in any orientation, at any place.
constexpr bool fncMask_isTurnOf(uint64_t now, uint64_t made) {
  const uint64_t shape = fncMask_origin(now);
  for (uint64_t o : fncMask_orientations(made))
    if (o == shape) return true;
  return false;
}

// A turn of the frame that maps a box standing at the origin corner onto
// itself: orientation `orientation`, then back by `shift` bits.
struct BoxMap {
  int orientation = 0;
  int shift = 0;
};
constexpr uint64_t fncBoxMap_apply(const BoxMap& map, uint64_t cells) {
  return fncMask_orient(cells, map.orientation) >> map.shift;
}
// Every such turn of an sx x sy x sz box, in orientation order (identity
// first): 24 for a cube, 8 for a square prism, 4 otherwise; none for an
// empty box.
std::vector<BoxMap> fncBox_selfMaps(int sx, int sy, int sz);

// Every cell moved one step along axis 0 (X), 1 (Y) or 2 (Z), toward the
// higher index when `up`; cells stepping out of the frame are dropped.
constexpr uint64_t fncMask_step(uint64_t m, int axis, bool up) {
  switch (axis) {
    case 0: return up ? (m & ~kMaskX3) << 1 : (m & ~kMaskX0) >> 1;
    case 1: return up ? (m & ~kMaskY3) << 4 : (m & ~kMaskY0) >> 4;
    default: return up ? m << 16 : m >> 16;
  }
}

// The cells that share a face with some cell of m (cells of m among them
// where two of its cells touch).
constexpr uint64_t fncMask_neighbours(uint64_t m) {
  uint64_t n = 0;
  for (int axis = 0; axis < 3; ++axis) n |= fncMask_step(m, axis, true) | fncMask_step(m, axis, false);
  return n;
}

// The cells of m joined face to face, through cells of m, with the cells
// of m in `seed`.
constexpr uint64_t fncMask_reach(uint64_t m, uint64_t seed) {
  uint64_t r = m & seed, before = 0;
  while (r != before) {
    before = r;
    r |= m & fncMask_neighbours(r);
  }
  return r;
}
// True when every cell of m is joined to every other face to face (an
// empty mask is).
constexpr bool fncMask_connected(uint64_t m) { return fncMask_reach(m, m & (~m + 1)) == m; }

// The empty cells closed on all six sides by cells of f or by the frame's
// walls, as fncBox_deadCell judges them.
constexpr uint64_t fncMask_sealed(uint64_t f) {
  uint64_t closed = ((f << 16) | kMaskZ0) & ((f >> 16) | kMaskZ3);
  closed &= ((f << 1) | kMaskX0) & ((f >> 1) | kMaskX3);
  closed &= ((f << 4) | kMaskY0) & ((f >> 4) | kMaskY3);
  return closed & ~f;
}

// Per cell, how many masks cover it, counted in bit slices up to "8 or
// more": the exact-cover searches pick the cell with the fewest candidates.
struct MaskCounts {
  uint64_t b0 = 0, b1 = 0, b2 = 0, over = 0;  // count bits 1, 2, 4 and "8 or more"

  constexpr void add(uint64_t m) {
    const uint64_t c0 = m & b0;
    b0 ^= m;
    const uint64_t c1 = c0 & b1;
    b1 ^= c0;
    over |= c1 & b2;
    b2 ^= c1;
  }
  // True when every one of the cells is covered at least once.
  constexpr bool covers(uint64_t cells) const { return (cells & ~(b0 | b1 | b2 | over)) == 0; }
  // The cell of `cells` with the fewest masks, lowest index first, and
  // their number (8 standing for 8 or more).
  constexpr uint64_t tightest(uint64_t cells, uint32_t& count) const {
    const uint64_t f = cells & ~over, n0 = ~b0, n1 = ~b1, n2 = ~b2;
    const uint64_t byCount[7] = {f & b0 & n1 & n2, f & n0 & b1 & n2, f & b0 & b1 & n2, f & n0 & n1 & b2,
                                 f & b0 & n1 & b2, f & n0 & b1 & b2, f & b0 & b1 & b2};
    for (uint32_t i = 0; i < 7; ++i)
      if (byCount[i]) {
        count = i + 1;
        return byCount[i] & (~byCount[i] + 1);
      }
    count = 8;
    return cells & (~cells + 1);
  }
};

}  // namespace pakkon
