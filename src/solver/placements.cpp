#include "solver/placements.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace pakkon {

std::vector<uint64_t> fncShape_orientations(uint64_t cells) {
  // The generator asks for the same shapes try after try; 24 turns each.
  // Plain thread storage: nothing to make or free for one solve.
  struct Seen {
    uint64_t shape;
    uint32_t count;  // 0: empty
    std::array<uint64_t, kOrientations> turns;
  };
  thread_local std::array<Seen, 128> seen{};
  const uint64_t shape = fncMask_origin(cells);
  Seen& slot = seen[(shape * 0x9E3779B97F4A7C15ULL) >> 57];
  if (slot.count && slot.shape == shape) return {slot.turns.begin(), slot.turns.begin() + slot.count};
  std::vector<uint64_t> out;
  for (uint64_t o : fncMask_orientations(shape))
    if (std::find(out.begin(), out.end(), o) == out.end()) out.push_back(o);
  slot.shape = shape, slot.count = static_cast<uint32_t>(out.size());
  std::copy(out.begin(), out.end(), slot.turns.begin());
  return out;
}

void subShape_places(uint64_t shape, uint64_t region, std::vector<uint64_t>& out) {
  if (shape == 0 || region == 0) return;
  // Only offsets that keep the shape inside the region's bounds can fit.
  const MaskCell top = fncMask_high(shape), low = fncMask_low(region), high = fncMask_high(region);
  for (int z = low.z; z + top.z <= high.z; ++z)
    for (int y = low.y; y + top.y <= high.y; ++y)
      for (int x = low.x; x + top.x <= high.x; ++x) {
        const uint64_t m = shape << (x + 4 * y + 16 * z);
        if ((m & ~region) == 0) out.push_back(m);
      }
}

namespace {

// Every place of the turns of a block standing as `shape` (at the origin
// corner, which fixes the turns' order) in the region. The generator solves
// the same shapes in the same box try after try; a finish check's region
// changes, and its misses cost what the places always did.
const std::vector<uint64_t>& turnsPlaces(uint64_t shape, const std::vector<uint64_t>& turns, uint64_t region) {
  struct Seen {
    uint64_t shape = 0, region = 0;  // shape 0: empty, as no block has it
    std::vector<uint64_t> places;
  };
  thread_local std::array<Seen, 512> seen{};
  Seen& slot = seen[((shape ^ region * 0xC2B2AE3D27D4EB4FULL) * 0x9E3779B97F4A7C15ULL) >> 55];
  if (slot.shape != shape || slot.region != region) {
    slot.shape = shape, slot.region = region;
    slot.places.clear();
    for (uint64_t s : turns) subShape_places(s, region, slot.places);
  }
  return slot.places;
}

}  // namespace

std::vector<BlockType> fncBlock_types(const std::array<uint64_t, kPieces>& blocks, uint64_t region) {
  std::vector<BlockType> types;
  std::vector<uint64_t> keys;
  for (int b = 0; b < kPieces; ++b) {
    const uint64_t cells = blocks[static_cast<size_t>(b)];
    if (!cells) continue;
    std::vector<uint64_t> shapes = fncShape_orientations(cells);
    const uint64_t key = *std::min_element(shapes.begin(), shapes.end());
    const auto it = std::find(keys.begin(), keys.end(), key);
    if (it != keys.end()) {
      types[static_cast<size_t>(it - keys.begin())].blocks.push_back(b);
      continue;
    }
    keys.push_back(key);
    BlockType t;
    t.blocks.push_back(b);
    t.places = turnsPlaces(fncMask_origin(cells), shapes, region);
    t.shapes = std::move(shapes);
    types.push_back(std::move(t));
  }
  return types;
}

uint64_t fncCells_map(const CellMap& to, uint64_t cells) {
  uint64_t out = 0;
  for (; cells; cells &= cells - 1) out |= uint64_t{1} << to[static_cast<size_t>(std::countr_zero(cells))];
  return out;
}

std::vector<CellMap> fncBox_turns(uint64_t box, uint64_t keep) {
  // The generator asks for the same box once per try.
  thread_local uint64_t lastBox = 0, lastKeep = 0;
  thread_local size_t lastCount = 0;  // 0: none yet
  thread_local std::array<CellMap, kOrientations> last{};
  if (lastCount && box == lastBox && keep == lastKeep) return {last.begin(), last.begin() + lastCount};
  std::vector<CellMap> out;
  if (box == 0) return out;
  const MaskCell high = fncMask_high(box);
  for (const BoxMap& map : fncBox_selfMaps(high.x + 1, high.y + 1, high.z + 1)) {
    CellMap to{};
    for (int c = 0; c < 64; ++c)
      to[static_cast<size_t>(c)] = (box >> c & 1)
                                       ? static_cast<uint8_t>(std::countr_zero(fncBoxMap_apply(map, uint64_t{1} << c)))
                                       : static_cast<uint8_t>(c);
    if (fncCells_map(to, keep) == keep) out.push_back(to);
  }
  lastBox = box, lastKeep = keep, lastCount = out.size();
  std::copy(out.begin(), out.end(), last.begin());
  return out;
}

Anchor fncAnchor_choose(const std::vector<BlockType>& types, const std::vector<CellMap>& turns) {
  Anchor best;
  if (turns.size() < 2) return best;
  for (size_t t = 0; t < types.size(); ++t) {
    if (types[t].blocks.size() != 1) continue;
    // A later type must have fewer orbits, and an orbit holds at most one
    // place per turn: most types are passed over without a look.
    const size_t most = best.type < 0 ? SIZE_MAX : best.places.size();
    if ((types[t].places.size() + turns.size() - 1) / turns.size() >= most) continue;
    std::vector<uint64_t> least;
    for (uint64_t p : types[t].places)
      if (std::all_of(turns.begin(), turns.end(), [p](const CellMap& to) { return fncCells_map(to, p) >= p; })) {
        least.push_back(p);
        if (least.size() >= most) break;
      }
    if (least.size() < most) {
      best.type = static_cast<int>(t);
      best.places = std::move(least);
    }
  }
  return best;
}

}  // namespace pakkon
