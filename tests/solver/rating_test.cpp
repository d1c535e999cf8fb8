// The difficulty rating: its plain search, and the calibration that the
// shipped collection, easy to hard, never goes down a star.

#include "solver/rating.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <regex>
#include <vector>

#include "geometry/orientation.h"
#include "maker/puzzle_text.h"
#include "solver/solver.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

PuzzleState made(const std::string& source) {
  const PuzzleTextResult r = fncPuzzleText_parse(source);
  EXPECT_TRUE(r.ok());
  PuzzleState st;
  subPuzzleText_make(r.source, st, fncSeededRandom(1));
  return st;
}

TEST(Rating, TheShippedCollectionNeverGoesDownAStarAndTheReadmeShowsItsStars) {
  const std::string root = PAKKON_SOURCE_DIR;
  const std::string readme = test::readFile(root + "/README.md");
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(root + "/data/puzzles"))
    if (std::regex_match(e.path().filename().string(), std::regex("[0-9][0-9]-.*\\.txt")))
      names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  ASSERT_GE(names.size(), 12u);
  int before = 1;
  for (const std::string& name : names) {
    const DifficultyRating r = fncDifficulty_rate(made(test::readFile(root + "/data/puzzles/" + name)));
    EXPECT_TRUE(r.complete) << name;
    EXPECT_GE(r.stars, before) << name << " scores " << r.score;
    before = r.stars;
    const size_t row = readme.find("| `" + name + "` |");
    ASSERT_NE(row, std::string::npos) << name;
    const std::string line = readme.substr(row, readme.find('\n', row) - row);
    EXPECT_NE(line.find("| " + fncStars_text(r.stars) + " |"), std::string::npos) << line;
  }
  EXPECT_EQ(before, 5);
}

TEST(Rating, CountsThePlainTreeWithTwinsAsOneShape) {
  // Two identical L blocks and a bar of two fill 2 x 2 x 2.
  const PuzzleState st = made("size: 2x2x2\ncomment: c\npassword: p\n\nAA\nAB\n\nCC\nBB\n");
  const DifficultyRating r = fncDifficulty_rate(st);
  const SolveResult s = PackingSolver(st).solve();
  EXPECT_EQ(r.blocks, 3);
  EXPECT_EQ(r.shapes, 2);
  EXPECT_EQ(r.arrangements, s.arrangements);  // twins swapped are one arrangement
  EXPECT_EQ(r.distinct, s.distinct);
  EXPECT_GT(r.nodes, r.arrangements);
  EXPECT_TRUE(r.complete);
  EXPECT_EQ(r.stars, 1);
}

TEST(Rating, NoSolutionHasNoStarsAndACutTreeIsALowerBound) {
  PuzzleState st = made("size: 2x2x2\ncomment: c\npassword: p\n\nAA\nAB\n\nCC\nBB\n");
  st.G_iPieceOrg[2][0][0][1] = st.G_iPieceOrg[2][1][0][1] = 0;  // the bar gone: 6 cells for 8
  EXPECT_EQ(fncDifficulty_rate(st).stars, 0);

  const PuzzleState big = made(test::readFile(std::string(PAKKON_SOURCE_DIR) + "/data/puzzles/13-last-challenge.txt"));
  RatingOptions o;
  o.nodeLimit = 1000;
  const DifficultyRating cut = fncDifficulty_rate(big, o);
  EXPECT_FALSE(cut.complete);
  EXPECT_EQ(cut.nodes, 1000u);
  std::atomic<bool> stop{true};
  o = {};
  o.cancel = &stop;
  EXPECT_FALSE(fncDifficulty_rate(big, o).complete);
}

TEST(Rating, StarsFollowTheBands) {
  EXPECT_EQ(fncDifficulty_stars(0), 1);
  EXPECT_EQ(fncDifficulty_stars(9), 5);
  for (int s = 1; s <= 4; ++s) {
    const double top = std::log10(fncDifficulty_bandTop(s));
    EXPECT_EQ(fncDifficulty_stars(top - 0.001), s);
    EXPECT_EQ(fncDifficulty_stars(top), s + 1);
  }
  EXPECT_EQ(fncStars_text(3), "★★★☆☆");
}

}  // namespace
}  // namespace pakkon
