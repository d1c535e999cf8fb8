#include "solver/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "geometry/movement.h"
#include "geometry/orientation.h"

namespace pakkon {
namespace {

// A puzzle from z-layers of rows separated by '|'; each letter is a block,
// 'A' being block 1.
PuzzleState puzzle(const std::vector<std::string>& layers) {
  PuzzleState st;
  int sx = 0, sy = 0;
  for (size_t z = 0; z < layers.size(); ++z) {
    int x = 0, y = 0;
    for (char c : layers[z]) {
      if (c == '|') {
        sx = x, x = 0, ++y;
        continue;
      }
      st.G_iPieceOrg[c - 'A'][x++][y][z] = 1;
    }
    sx = x, sy = y + 1;
  }
  subCellSize_set(st, sx, sy, static_cast<int>(layers.size()));
  return st;
}

const std::vector<std::string> kSoma = {"VVL|ZVL|ZAL", "ZTL|ZAA|PAB", "TTT|PBB|PPB"};
PuzzleState soma() {
  std::vector<std::string> layers = kSoma;
  const std::string letters = "ABLPTVZ";  // block order
  for (std::string& l : layers)
    for (char& c : l)
      if (c != '|') c = static_cast<char>('A' + letters.find(c));
  return puzzle(layers);
}

// Every arrangement by plain search over each block's placements, made
// with the game's own turns and moves; identical blocks told apart only
// by shape. Independent of the solver on purpose.
struct Brute {
  uint64_t fixed = 0;
  std::set<std::vector<std::pair<uint64_t, uint64_t>>> arrangements;  // (shape key, cells), sorted
};

Brute bruteForce(const PuzzleState& start) {
  std::vector<int> blocks;
  std::vector<std::vector<uint64_t>> options;
  std::vector<uint64_t> shapeKey;
  PuzzleState st = start;
  for (int b = 0; b < kPieces; ++b) {
    if (!fncGrid_mask(st.G_iPieceOrg[b])) continue;
    std::set<uint64_t> found;
    uint64_t key = ~uint64_t{0};
    for (int face = 0; face < 6; ++face)
      for (int turns = 0; turns < 4; ++turns) {
        subPiece_setFace(st, b, face);
        for (int t = 0; t < turns; ++t) subPiece_turnZ(st, b);
        subPiece_origin(st, b);
        key = std::min(key, fncGrid_mask(st.G_iPiece[b]));
        for (int dz = 0; dz < 4; ++dz)
          for (int dy = 0; dy < 4; ++dy)
            for (int dx = 0; dx < 4; ++dx) {
              PuzzleState m = st;
              bool ok = true;
              for (int i = 0; i < dx; ++i) ok = ok && fncPiece_xInc(m, b) == 0;
              for (int i = 0; i < dy; ++i) ok = ok && fncPiece_yInc(m, b) == 0;
              for (int i = 0; i < dz; ++i) ok = ok && fncPiece_zInc(m, b) == 0;
              const uint64_t cells = fncGrid_mask(m.G_iPiece[b]);
              bool inside = ok;
              for (int i = 0; i < 64; ++i)
                if (cells >> i & 1)
                  inside = inside && i % 4 < st.G_iCellX && i / 4 % 4 < st.G_iCellY && i / 16 < st.G_iCellZ;
              if (inside) found.insert(cells);
            }
      }
    blocks.push_back(b);
    options.emplace_back(found.begin(), found.end());
    shapeKey.push_back(key);
  }
  Brute out;
  std::vector<uint64_t> chosen(blocks.size());
  auto go = [&](auto&& self, size_t i, uint64_t used) -> void {
    if (i == blocks.size()) {
      if (std::popcount(used) != st.G_iCellX * st.G_iCellY * st.G_iCellZ) return;
      ++out.fixed;
      std::vector<std::pair<uint64_t, uint64_t>> a;
      for (size_t k = 0; k < blocks.size(); ++k) a.emplace_back(shapeKey[k], chosen[k]);
      std::sort(a.begin(), a.end());
      out.arrangements.insert(a);
      return;
    }
    for (uint64_t m : options[i])
      if (!(m & used)) {
        chosen[i] = m;
        self(self, i + 1, used | m);
      }
  };
  go(go, 0, 0);
  return out;
}

// Orbits of the arrangements under the box's rotations, the rotations made
// by the game's whole-content turns followed by the push to the origin.
uint64_t bruteDistinct(const PuzzleState& start, const Brute& b) {
  std::set<std::vector<std::pair<uint64_t, uint64_t>>> seen;
  uint64_t orbits = 0;
  for (const auto& a : b.arrangements) {
    if (seen.count(a)) continue;
    ++orbits;
    for (int face = 0; face < 6; ++face)
      for (int turns = 0; turns < 4; ++turns) {
        PuzzleState st = start;
        for (size_t k = 0; k < a.size(); ++k)
          for (int i = 0; i < 64; ++i)
            if (a[k].second >> i & 1) {
              st.G_iBox[i % 4][i / 4 % 4][i / 16] = 1;
              st.G_iBoxPiece[i % 4][i / 4 % 4][i / 16] = static_cast<int16_t>(k + 1);
            }
        const int seq[6] = {0, 1, 2, 3, 4, 5};
        const int f = seq[face];
        for (int i = 0; i < (f == 1 ? 3 : f == 3 ? 1 : 0); ++i) subPuzzle_turnX(st);
        for (int i = 0; i < (f == 2 ? 1 : f == 4 ? 3 : f == 5 ? 2 : 0); ++i) subPuzzle_turnY(st);
        for (int i = 0; i < turns; ++i) subPuzzle_turnZ(st);
        subPuzzle_origin(st);
        std::vector<std::pair<uint64_t, uint64_t>> r(a.size());
        bool fits = true;
        for (int i = 0; i < 64; ++i) {
          const int v = st.G_iBoxPiece[i % 4][i / 4 % 4][i / 16];
          if (!v) continue;
          fits = fits && i % 4 < st.G_iCellX && i / 4 % 4 < st.G_iCellY && i / 16 < st.G_iCellZ;
          r[static_cast<size_t>(v - 1)].first = a[static_cast<size_t>(v - 1)].first;
          r[static_cast<size_t>(v - 1)].second |= uint64_t{1} << i;
        }
        std::sort(r.begin(), r.end());
        if (fits) seen.insert(r);
      }
  }
  return orbits;
}

TEST(SolverCounts, SmallBoxesCountedByHand) {
  // Two slabs: the cut runs across x, y or z, and either slab may take
  // either side; all three cuts are one up to rotation.
  const PackingSolver slabs(puzzle({"AA|AA", "BB|BB"}));
  SolveResult r = slabs.solve();
  EXPECT_EQ(r.arrangements, 3u);
  EXPECT_EQ(r.fixed, 6u);
  EXPECT_EQ(r.distinct, 1u);
  ASSERT_EQ(slabs.identicalBlocks().size(), 1u);

  const PackingSolver cubes(puzzle({"AB|CD", "EF|GH"}));
  r = cubes.solve();
  EXPECT_EQ(r.arrangements, 1u);
  EXPECT_EQ(r.fixed, 40320u);
  EXPECT_EQ(r.distinct, 1u);

  // A 2 x 2 x 3 box: the slab lies at either end, and the half turn about
  // x makes the two one.
  const PackingSolver ends(puzzle({"AA|AA", "BB|BB", "BB|BB"}));
  EXPECT_EQ(ends.boxRotations(), 8);
  r = ends.solve();
  EXPECT_EQ(r.fixed, 2u);
  EXPECT_EQ(r.distinct, 1u);
}

TEST(SolverCounts, SevenBlockCube) {
  const PackingSolver s(soma());
  EXPECT_EQ(s.boxRotations(), 24);
  EXPECT_EQ(s.placementCount(), 688u);
  const SolveResult r = s.solve();
  EXPECT_EQ(r.fixed, 11520u);
  EXPECT_EQ(r.distinct, 480u);
  EXPECT_EQ(r.end, SolveEnd::Complete);
}

// Agreement with the plain search and with the independent brute force,
// on boxes with 24, 8 and 4 rotations and with twins.
TEST(SolverCounts, MatchBruteForceWithAndWithoutSymmetry) {
  const std::vector<std::vector<std::string>> cases = {
      {"AA|AC", "BB|BC"},                                // two identical corners and a bar
      {"AB|AB", "BB|AB", "CC|AC"},                       // 2 x 2 x 3
      {"AAB|ACB", "DCB|DCC"},                            // 3 x 2 x 2
      {"AB|AB|CC", "AD|BD|CC", "ED|BD|EE"},              // 2 x 3 x 3 with one 4-rotation axis
      {"AAB|CCB|CDD", "AEB|CEB|FDD"},                    // 3 x 3 x 2, two twins among six
      {"DC|DC|CC", "DA|DA|CB", "BA|BB|EB", "EA|EE|EE"},  // 2 x 3 x 4: four rotations
      {"FFF|DDD", "DDF|DDF", "BAA|DAF", "BAE|BAC"},      // 3 x 2 x 4 with twin single cells
  };
  for (const auto& layers : cases) {
    const PuzzleState st = puzzle(layers);
    const Brute b = bruteForce(st);
    const PackingSolver s(st);
    for (bool symmetry : {true, false}) {
      SolveOptions o;
      o.symmetry = symmetry;
      const SolveResult r = s.solve(o);
      EXPECT_EQ(r.fixed, b.fixed) << layers[0] << symmetry;
      EXPECT_EQ(r.arrangements, b.arrangements.size()) << layers[0] << symmetry;
      EXPECT_EQ(r.distinct, bruteDistinct(st, b)) << layers[0] << symmetry;
    }
  }
}

// Every arrangement reaches the visitor once, and each placement reads back
// through the game's own face, turn, origin and move routines.
TEST(SolverSolutions, VisitEveryArrangementOnceAndDescribeItAsTheGameTurns) {
  const PuzzleState start = soma();
  const PackingSolver s(start);
  std::set<std::vector<uint64_t>> seen;
  PuzzleState st = start;
  int checked = 0;
  const SolveResult r = s.solve({}, [&](const Solution& sol) {
    std::vector<uint64_t> key;
    for (const BlockPlacement& p : sol) key.push_back(p.cells);
    EXPECT_TRUE(seen.insert(key).second);
    if (seen.size() % 97 == 1) {  // a spread of arrangements and rotations
      for (const BlockPlacement& p : sol) {
        subPiece_setFace(st, p.block, p.face);
        for (int i = 0; i < p.turns; ++i) subPiece_turnZ(st, p.block);
        subPiece_origin(st, p.block);
        for (int i = 0; i < p.dx; ++i) EXPECT_EQ(fncPiece_xInc(st, p.block), 0);
        for (int i = 0; i < p.dy; ++i) EXPECT_EQ(fncPiece_yInc(st, p.block), 0);
        for (int i = 0; i < p.dz; ++i) EXPECT_EQ(fncPiece_zInc(st, p.block), 0);
        EXPECT_EQ(fncGrid_mask(st.G_iPiece[p.block]), p.cells);
        ++checked;
      }
    }
    return true;
  });
  EXPECT_EQ(seen.size(), 11520u);
  EXPECT_EQ(r.fixed, 11520u);
  EXPECT_GT(checked, 100 * 7);
  const LayerGrid g = fncSolution_layers(r.first, 3, 3, 3);
  std::set<int> numbers;
  for (const auto& layer : g)
    for (const auto& row : layer) numbers.insert(row.begin(), row.end());
  EXPECT_EQ(numbers, (std::set<int>{1, 2, 3, 4, 5, 6, 7}));
}

TEST(SolverOptions, StopEarlyAndSayWhy) {
  const PackingSolver s(soma());
  SolveOptions o;
  o.firstOnly = true;
  SolveResult r = s.solve(o);
  EXPECT_EQ(r.end, SolveEnd::First);
  EXPECT_EQ(r.first.size(), 7u);
  EXPECT_LT(r.fixed, 11520u);

  o = {};
  o.limit = 1000;
  r = s.solve(o);
  EXPECT_EQ(r.end, SolveEnd::Limit);
  EXPECT_GE(r.fixed, 1000u);
  EXPECT_LT(r.fixed, 1024u);  // one orbit of 24 past the cap at most

  o = {};
  o.symmetry = false;
  o.timeLimit = 1e-9;
  r = s.solve(o);
  EXPECT_EQ(r.end, SolveEnd::Time);
  EXPECT_LT(r.fixed, 11520u);

  int visits = 0;
  r = s.solve({}, [&](const Solution&) { return ++visits < 5; });
  EXPECT_EQ(r.end, SolveEnd::Visitor);
  EXPECT_EQ(visits, 5);
}

TEST(SolverInput, ShapesAsTheyStandWhenNoneAsMadeAndNoSolutionWhenCountsDiffer) {
  PuzzleState st = soma();
  std::memcpy(st.G_iPiece, st.G_iPieceOrg, sizeof st.G_iPiece);
  for (int b = 0; b < kPieces; ++b) subPiece_setFace(st, b, b % 6);
  std::memset(st.G_iPieceOrg, 0, sizeof st.G_iPieceOrg);
  const PackingSolver asTheyStand(st);
  EXPECT_FALSE(asTheyStand.fromMadeShapes());
  EXPECT_EQ(asTheyStand.solve().fixed, 11520u);

  PuzzleState extra = puzzle({"AA|AC", "BB|BC"});
  extra.G_iPieceOrg[3][3][3][3] = 1;  // a ninth cell
  const PackingSolver s(extra);
  EXPECT_EQ(s.cellCount(), 9);
  const SolveResult r = s.solve();
  EXPECT_EQ(r.fixed, 0u);
  EXPECT_TRUE(r.first.empty());
}

}  // namespace
}  // namespace pakkon
