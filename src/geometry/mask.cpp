#include "geometry/mask.h"

#include <cstring>

namespace pakkon {
namespace {

// Grids are laid out [x][y][z], z fastest; masks have x fastest. Swapping
// the two-bit x and z fields of every bit's index turns one into the other.
constexpr uint64_t swapXZ(uint64_t m) {
  uint64_t t = ((m >> 15) ^ m) & 0x0000AAAA0000AAAAULL;
  m ^= t ^ (t << 15);
  t = ((m >> 30) ^ m) & 0x00000000CCCCCCCCULL;
  return m ^ t ^ (t << 30);
}

// Eight cells of a grid from one byte of a mask: the grid is written eight
// cells at a time, the auto loader does it after every accepted position.
struct Expand {
  int16_t v[8];
};
constexpr std::array<Expand, 256> kExpand = [] {
  std::array<Expand, 256> t{};
  for (int byte = 0; byte < 256; ++byte)
    for (int k = 0; k < 8; ++k) t[static_cast<size_t>(byte)].v[k] = static_cast<int16_t>((byte >> k) & 1);
  return t;
}();

}  // namespace

uint64_t fncGrid_mask(const Grid& g) {
  int16_t flat[64];
  std::memcpy(flat, g, sizeof flat);
  uint64_t lay = 0;
  for (int i = 0; i < 64; ++i) lay |= static_cast<uint64_t>(flat[i] != 0) << i;
  return swapXZ(lay);
}

std::array<uint64_t, kPieces> fncBlocks_made(const PuzzleState& st, bool* fromMade) {
  std::array<uint64_t, kPieces> out{};
  bool any = false;
  for (int b = 0; b < kPieces; ++b) any |= (out[static_cast<size_t>(b)] = fncGrid_mask(st.G_iPieceOrg[b])) != 0;
  if (!any)
    for (int b = 0; b < kPieces; ++b) out[static_cast<size_t>(b)] = fncGrid_mask(st.G_iPiece[b]);
  if (fromMade) *fromMade = any;
  return out;
}

bool fncGrid_binary(const Grid& g) {
  int16_t flat[64];
  std::memcpy(flat, g, sizeof flat);
  bool binary = true;
  for (int i = 0; i < 64; ++i) binary &= flat[i] == 0 || flat[i] == 1;
  return binary;
}

void subMask_grid(uint64_t m, Grid& g) {
  const uint64_t lay = swapXZ(m);
  int16_t flat[64];
  for (int k = 0; k < 8; ++k)
    std::memcpy(flat + 8 * k, kExpand[static_cast<size_t>((lay >> (8 * k)) & 0xFF)].v, sizeof(Expand));
  std::memcpy(g, flat, sizeof flat);
}

std::vector<BoxMap> fncBox_selfMaps(int sx, int sy, int sz) {
  std::vector<BoxMap> out;
  if (sx < 1 || sy < 1 || sz < 1 || sx > kCells || sy > kCells || sz > kCells) return out;
  const uint64_t box = fncBox_mask(sx, sy, sz);
  for (int g = 0; g < kOrientations; ++g) {
    const uint64_t turned = fncMask_orient(box, g);
    const MaskCell low = fncMask_low(turned);
    const int shift = low.x + 4 * low.y + 16 * low.z;
    if (turned >> shift == box) out.push_back({g, shift});
  }
  return out;
}

}  // namespace pakkon
