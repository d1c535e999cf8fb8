#pragma once
// Where blocks can go in a region of the frame, for every search that
// packs them: the solver, the finish check and hint, the rating and the
// generator.
//
// Blocks of one shape up to rotation form a type; a type has the distinct
// orientations of its first block and every place of each inside the
// region. The order is fixed, because the searches' results (which
// solution comes first, the rating's tree) follow it:
//   types     by their lowest block number;
//   shapes    by the first orientation number (geometry/mask.h) giving them;
//   places    shape by shape in that order, then by their lowest cell.

#include <array>
#include <cstdint>
#include <vector>

#include "geometry/mask.h"

namespace pakkon {

struct BlockType {
  std::vector<int> blocks;       // ascending
  std::vector<uint64_t> shapes;  // at the origin corner
  std::vector<uint64_t> places;
};

// The distinct orientations of a block, at the origin corner.
std::vector<uint64_t> fncShape_orientations(uint64_t cells);

// Appends every place of `shape` (at the origin corner) inside `region`,
// lowest cell first.
void subShape_places(uint64_t shape, uint64_t region, std::vector<uint64_t>& out);

// The types of the blocks with cells (block b is blocks[b]), placed inside
// `region`.
std::vector<BlockType> fncBlock_types(const std::array<uint64_t, kPieces>& blocks, uint64_t region);

// Where each cell goes under a turn of the box; cells outside it stay.
using CellMap = std::array<uint8_t, 64>;
uint64_t fncCells_map(const CellMap& to, uint64_t cells);
// The turns of the box `box` (standing at the origin corner) onto itself
// that keep `keep` in place, identity first.
std::vector<CellMap> fncBox_turns(uint64_t box, uint64_t keep = 0);

// A type with one block searched at one place per orbit of the turns: every
// arrangement has that block at exactly one place, so the turned copies of
// what is found there stand for the rest. The lone type whose places fall
// into the fewest orbits, the lowest on ties; none (-1) without turns
// other than the identity or without a lone type.
struct Anchor {
  int type = -1;
  std::vector<uint64_t> places;  // the least of each orbit, in the type's order
};
Anchor fncAnchor_choose(const std::vector<BlockType>& types, const std::vector<CellMap>& turns);

}  // namespace pakkon
