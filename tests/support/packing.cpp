#include "support/packing.h"

#include <cstring>
#include <deque>
#include <map>

#include "geometry/movement.h"
#include "geometry/orientation.h"

namespace pakkon::test {
namespace {

using Key = std::array<int16_t, 64>;

Key keyOf(const Grid& g) {
  Key k{};
  std::memcpy(k.data(), g, sizeof(Grid));
  return k;
}

// Every distinct placement of block b inside the box.
std::vector<Key> placements(const PuzzleState& start, int b) {
  std::vector<Key> out;
  std::map<Key, bool> seen;
  PuzzleState st = start;
  for (int face = 0; face < 6; ++face) {
    for (int turns = 0; turns < 4; ++turns) {
      subPiece_setFace(st, b, face);
      for (int t = 0; t < turns; ++t) subPiece_turnZ(st, b);
      subPiece_origin(st, b);
      for (int dz = 0; dz < kCells; ++dz)
        for (int dy = 0; dy < kCells; ++dy)
          for (int dx = 0; dx < kCells; ++dx) {
            PuzzleState moved = st;
            bool ok = true;
            for (int i = 0; i < dx && ok; ++i) ok = fncPiece_xInc(moved, b) == 0;
            for (int i = 0; i < dy && ok; ++i) ok = fncPiece_yInc(moved, b) == 0;
            for (int i = 0; i < dz && ok; ++i) ok = fncPiece_zInc(moved, b) == 0;
            if (!ok) continue;
            bool inside = true;
            for (int x = 0; x < kCells; ++x)
              for (int y = 0; y < kCells; ++y)
                for (int z = 0; z < kCells; ++z)
                  if (moved.G_iPiece[b][x][y][z] && (x >= st.G_iCellX || y >= st.G_iCellY || z >= st.G_iCellZ))
                    inside = false;
            if (!inside) continue;
            const Key k = keyOf(moved.G_iPiece[b]);
            if (!seen[k]) {
              seen[k] = true;
              out.push_back(k);
            }
          }
    }
  }
  return out;
}

bool search(const std::vector<int>& blocks, size_t i, const std::vector<std::vector<Key>>& options, Key& box,
            std::vector<Key>& chosen) {
  if (i == blocks.size()) return true;
  for (const Key& k : options[i]) {
    bool clash = false;
    for (int c = 0; c < 64 && !clash; ++c) clash = k[c] && box[c];
    if (clash) continue;
    for (int c = 0; c < 64; ++c) box[c] += k[c];
    chosen.push_back(k);
    if (search(blocks, i + 1, options, box, chosen)) return true;
    chosen.pop_back();
    for (int c = 0; c < 64; ++c) box[c] -= k[c];
  }
  return false;
}

void pushToOrigin(Grid& g) {
  PuzzleState st;
  std::memcpy(st.G_iPiece[0], g, sizeof(Grid));
  subPiece_origin(st, 0);
  std::memcpy(g, st.G_iPiece[0], sizeof(Grid));
}

}  // namespace

std::vector<Placement> findPacking(const PuzzleState& st) {
  std::vector<int> blocks;
  std::vector<std::vector<Key>> options;
  for (int b = 0; b < kPieces; ++b) {
    if (fncPiece_count(st, b) == 0) continue;
    blocks.push_back(b);
    options.push_back(placements(st, b));
  }
  Key box{};
  std::vector<Key> chosen;
  std::vector<Placement> out;
  if (!search(blocks, 0, options, box, chosen)) return out;
  for (size_t i = 0; i < blocks.size(); ++i) {
    Placement p;
    p.block = blocks[i];
    std::memcpy(p.cells, chosen[i].data(), sizeof(Grid));
    out.push_back(p);
  }
  return out;
}

Moves movesTo(const PuzzleState& start, int b, const Grid& target) {
  Grid goal;
  std::memcpy(goal, target, sizeof(Grid));
  pushToOrigin(goal);
  // Breadth-first over the turn buttons; orientations compared at the origin.
  struct Node {
    PuzzleState st;
    std::vector<int> turns;
  };
  std::deque<Node> queue;
  std::map<Key, bool> seen;
  queue.push_back({start, {}});
  Moves m;
  while (!queue.empty()) {
    Node n = std::move(queue.front());
    queue.pop_front();
    Grid here;
    std::memcpy(here, n.st.G_iPiece[b], sizeof(Grid));
    pushToOrigin(here);
    if (seen[keyOf(here)]) continue;
    seen[keyOf(here)] = true;
    if (keyOf(here) == keyOf(goal)) {
      m.turns = n.turns;
      break;
    }
    for (int t = 0; t < 3; ++t) {
      Node next{n.st, n.turns};
      if (t == 0) subPiece_turnZ(next.st, b);
      if (t == 1) subPiece_turnX(next.st, b);
      if (t == 2) subPiece_turnY(next.st, b);
      next.turns.push_back(t);
      queue.push_back(std::move(next));
    }
  }
  int minX = kCells, minY = kCells, minZ = kCells;
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z)
        if (target[x][y][z]) minX = std::min(minX, x), minY = std::min(minY, y), minZ = std::min(minZ, z);
  m.dx = minX, m.dy = minY, m.dz = minZ;
  return m;
}

}  // namespace pakkon::test
