// What the searches found on fixed inputs before they shared one engine:
// counts, search sizes, hints and generated files must stay as they were.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "geometry/loading.h"
#include "geometry/orientation.h"
#include "maker/generator.h"
#include "maker/puzzle_text.h"
#include "model/builtin.h"
#include "solver/finish.h"
#include "solver/rating.h"
#include "solver/solver.h"
#include "support/packing.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

PuzzleState shipped(const std::string& name) { return test::shippedPuzzle(name); }

uint64_t fnv(const std::string& bytes) {
  uint64_t h = 14695981039346656037ULL;
  for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ULL;
  return h;
}

TEST(SearchResults, ShippedPuzzlesSolveAndRateAsBefore) {
  struct Pin {
    const char* name;
    uint64_t fixed, distinct, nodes;                     // solver
    uint64_t rateNodes, rateDeadEnds, rateArrangements;  // rating's plain search
  };
  const Pin pins[] = {
      {"01-first-step", 72, 3, 5, 100, 16, 36},
      {"02-small-tower", 32, 4, 7, 183, 89, 32},
      {"03-flat-box", 48, 6, 23, 834, 522, 48},
      {"04-pillar", 32, 4, 9, 221, 93, 32},
      {"05-brick", 20, 5, 185, 1731, 1127, 20},
      {"06-soma-cube", 11520, 480, 4197, 861284, 542873, 11520},
      {"07-two-layers", 32, 4, 63, 13731, 10638, 32},
      {"08-small-cube", 48, 2, 18, 11806, 8180, 48},
      {"09-tall-box", 24, 3, 322, 24381, 16663, 24},
      {"10-lunch-box", 8, 1, 449, 71837, 53265, 8},
      // 1594 solver nodes before a place cutting off cells no blocks can fill ended its branch.
      {"11-seven-gates", 8, 1, 1590, 1067168, 757072, 8},
      {"12-big-cube", 24, 1, 199, 279954, 201694, 24},
      {"13-last-challenge", 24, 1, 4991, 2430885, 1719540, 24},
  };
  for (const Pin& pin : pins) {
    const PuzzleState st = shipped(pin.name);
    const SolveResult s = PackingSolver(st).solve();
    const DifficultyRating r = fncDifficulty_rate(st);
    EXPECT_EQ(s.fixed, pin.fixed) << pin.name;
    EXPECT_EQ(s.distinct, pin.distinct) << pin.name;
    EXPECT_EQ(s.nodes, pin.nodes) << pin.name;
    EXPECT_EQ(r.nodes, pin.rateNodes) << pin.name;
    EXPECT_EQ(r.deadEnds, pin.rateDeadEnds) << pin.name;
    EXPECT_EQ(r.arrangements, pin.rateArrangements) << pin.name;
  }
}

// Eight blocks of six cells in 4 x 4 x 3: most branches end on cells cut
// off in pieces that are no multiple of six.
TEST(SearchResults, DemonstrationSolvesAsBefore) {
  PuzzleState st;
  subDemoPuzzle_set(st);
  const SolveResult s = PackingSolver(st).solve();
  EXPECT_EQ(s.fixed, 8u);
  EXPECT_EQ(s.distinct, 1u);
  const LayerGrid first = fncSolution_layers(s.first, 4, 4, 3);
  const LayerGrid before = {{{1, 1, 3, 3}, {4, 1, 3, 6}, {4, 3, 3, 8}, {4, 4, 8, 8}},
                            {{1, 6, 3, 2}, {4, 6, 6, 6}, {5, 5, 5, 6}, {7, 4, 5, 8}},
                            {{1, 1, 2, 2}, {5, 7, 7, 2}, {5, 7, 2, 2}, {7, 7, 8, 8}}};
  EXPECT_EQ(first, before);
}

// Blocks of the solution loaded at random: the hint's block, its place and
// its count of places, and the first solution the solver shows.
TEST(SearchResults, HintsAndFirstSolutionsAsBefore) {
  std::mt19937 random(5);
  uint64_t digest = 14695981039346656037ULL;
  for (const char* name : {"03-flat-box", "06-soma-cube", "10-lunch-box", "13-last-challenge"}) {
    const PuzzleState made = shipped(name);
    for (const BlockPlacement& p : PackingSolver(made).solve().first)
      digest = (digest ^ (p.cells + static_cast<uint64_t>(p.block * 64 + p.face * 4 + p.turns))) * 1099511628211ULL;
    for (int round = 0; round < 6; ++round) {
      PuzzleState st = made;
      for (int b = 0; b < kPieces; ++b)
        if (random() % 3 == 0) {
          subMask_grid(fncGrid_mask(made.G_iPieceOrg[b]), st.G_iPiece[b]);
          fncPiece_load(st, b);
        }
      const FinishHint h = fncFinish_hint(fncFinish_problem(st));
      ASSERT_EQ(h.answer, FinishAnswer::Yes) << name;
      digest = (digest ^ (h.cells + static_cast<uint64_t>(h.block + 1) * 1000 + static_cast<uint64_t>(h.places))) *
               1099511628211ULL;
    }
  }
  EXPECT_EQ(digest, 9041793089031038508u);
}

TEST(SearchResults, GeneratedFilesAsBefore) {
  struct Pin {
    int x, y, z, blocks;
    uint64_t seed, file;
  };
  // The walks of the first two count places, cap at 8 orbits and recut first
  // since judging every step went; before, 8758407237632711668 and
  // 15764025259516878119, and before recuts, 7524749210897521059 and
  // 12484285137974744541.
  for (const Pin pin : {Pin{3, 3, 3, 6, 42, 5375866026981910384u}, Pin{2, 3, 3, 4, 5, 6281474962194568784u},
                        Pin{4, 4, 3, 7, 1, 7479068891839144233u}}) {
    GenerateOptions o;
    o.sizeX = pin.x, o.sizeY = pin.y, o.sizeZ = pin.z, o.blocks = pin.blocks, o.seed = pin.seed;
    const GenerateResult r = fncPuzzle_generate(o);
    ASSERT_EQ(r.status, GenerateStatus::Ok) << r.message;
    EXPECT_EQ(fnv(r.file), pin.file) << pin.seed;
  }
}

}  // namespace
}  // namespace pakkon
