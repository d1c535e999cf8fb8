#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>

#include "maker/puzzle_text.h"
#include "model/puzzle_file.h"
#include "solver/solver.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

std::string quote(const std::string& s) { return "'" + s + "'"; }

const std::string kCorners = "size: 2 x 2 x 2\ncomment: 角\npassword: ab12\n\nAA\nAC\n\nBB\nBC\n";

class PuzzleTools : public ::testing::Test {
 protected:
  // A file written straight from a state, for what make never writes.
  std::string put(PuzzleState st, const std::string& name) {
    st.G_sVersion = "Ver 1.1.0";
    std::memcpy(st.G_iPiece, st.G_iPieceOrg, sizeof st.G_iPiece);
    const std::string path = dir.file(name);
    EXPECT_TRUE(subFile_put(st, path, [](const std::string& m, const std::string&) { FAIL() << m; }));
    return path;
  }
  std::string make(const std::string& source, const std::string& name) {
    test::writeFile(dir.file(name + ".txt"), source);
    const test::ToolRun r =
        test::runTool("make " + quote(dir.file(name + ".txt")) + " " + quote(dir.file(name + ".bin")));
    EXPECT_EQ(r.status, 0) << r.err;
    return dir.file(name + ".bin");
  }
  test::TempDir dir;
};

TEST_F(PuzzleTools, MakeWritesNothingOnAMistakeAndSaysWhere) {
  const std::string src = dir.file("bad.txt"), out = dir.file("bad.bin");
  test::writeFile(src, "size: 2 x 2 x 2\ncomment: x\npassword: ab12\n\nAA\nA.\n\nBB\nBB\n");
  test::ToolRun r = test::runTool("make " + quote(src) + " " + quote(out));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(src + ":6:2: error: an empty cell"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(out));

  test::writeFile(out, "old");  // an existing file is left alone too
  EXPECT_EQ(test::runTool("make " + quote(src) + " " + quote(out)).status, 1);
  EXPECT_EQ(test::readFile(out), "old");
  EXPECT_EQ(test::runTool("make " + quote(dir.file("missing.txt")) + " " + quote(out)).status, 1);
  EXPECT_EQ(test::runTool("make " + quote(src)).status, 2);

  test::writeFile(dir.file("c.txt"), kCorners);
  r = test::runTool("make " + quote(dir.file("c.txt")) + " " + quote(out));
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("3 blocks: 1 = A (3 cells), 2 = B (3 cells), 3 = C (2 cells)"), std::string::npos) << r.out;
  PuzzleState st;
  EXPECT_EQ(fncPuzzle_read(out, st).status, PuzzleReadStatus::Ok);
  EXPECT_EQ(test::readFile(out).size(), kPuzzleFileSize);
}

TEST_F(PuzzleTools, SolvePrintsCountsAndOneSolutionAsTextOrJson) {
  const std::string file = make(kCorners, "corners");
  test::ToolRun r = test::runTool("solve " + quote(file) + " --distinct");
  ASSERT_EQ(r.status, 0) << r.err;
  // Blocks 1 and 2 are the same corner: every arrangement counts twice.
  EXPECT_NE(r.out.find("solutions in the fixed box: 72 (36 arrangements; identical blocks 1 and 2"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("distinct up to the box's 24 rotations: 3"), std::string::npos);
  EXPECT_NE(r.out.find("block 3: face "), std::string::npos);
  EXPECT_NE(r.out.find("z = 1 (front)"), std::string::npos);

  r = test::runTool("solve " + quote(file) + " --json");
  ASSERT_EQ(r.status, 0);
  for (const char* field : {"\"fixed\": 72", "\"arrangements\": 36", "\"distinct\": null", "\"identical\": [[1,2]]",
                            "\"complete\": true", "\"layers\": [["})
    EXPECT_NE(r.out.find(field), std::string::npos) << field << r.out;

  r = test::runTool("solve " + quote(file) + " --first --json");
  EXPECT_NE(r.out.find("\"stop\": \"first\""), std::string::npos);
  r = test::runTool("solve " + quote(file) + " --limit 1");
  EXPECT_NE(r.out.find("at least"), std::string::npos);
  EXPECT_EQ(test::runTool("solve " + quote(file) + " --limit 0").status, 2);
  EXPECT_EQ(test::runTool("solve " + quote(file) + " --bogus").status, 2);
  EXPECT_EQ(test::runTool("solve " + quote(dir.file("missing.bin"))).status, 1);
}

TEST_F(PuzzleTools, CheckGivesItsVerdict) {
  test::ToolRun r = test::runTool("check " + quote(make(kCorners, "corners")));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("unique up to rotation: no\nok\n"), std::string::npos) << r.out;

  r = test::runTool("check " +
                    quote(make("size: 2 x 2 x 3\ncomment: 塔\npassword: t1\n\nAB\nAB\n\nBB\nAB\n\nCC\nAC\n", "tower")));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("distinct up to the box's 8 rotations: 4"), std::string::npos) << r.out;

  // A bar of four cannot lie in a box two cells wide.
  PuzzleState bar;
  subCellSize_set(bar, 2, 2, 2);
  bar.G_iCellTotal = 8;
  for (int x = 0; x < 4; ++x) bar.G_iPieceOrg[0][x][0][0] = 1;
  for (int i = 0; i < 4; ++i) bar.G_iPieceOrg[1][i % 2][i / 2][1] = 1;
  r = test::runTool("check " + quote(put(bar, "bar.bin")));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("error: no solution"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("warning: the blocks as made do not fill the box"), std::string::npos);
  EXPECT_NE(r.out.find("warning: no answer password"), std::string::npos);

  PuzzleState few = bar;
  std::memset(few.G_iPieceOrg[0], 0, sizeof(Grid));
  few.G_iCellTotal = 4;
  r = test::runTool("check " + quote(put(few, "few.bin")));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("error: the blocks have 4 cells and the box holds 8"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("error: the cell total is 4"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("solutions in"), std::string::npos);
}

// The shipped sources make, check, and agree with the README table and
// the answer list.
TEST(ShippedPuzzles, AreSolvableAndListedWithTheirCountsAndPasswords) {
  const std::string root = PAKKON_SOURCE_DIR;
  const std::string readme = test::readFile(root + "/README.md");
  const std::string answers = test::readFile(root + "/data/puzzles/ANSWERS.md");
  std::map<std::string, std::string> sources;
  for (const auto& e : std::filesystem::directory_iterator(root + "/data/puzzles"))
    if (std::regex_match(e.path().filename().string(), std::regex("[0-9][0-9]-.*\\.txt")))
      sources[e.path().filename().string()] = test::readFile(e.path().string());
  ASSERT_GE(sources.size(), 12u);
  bool soma = false;
  for (const auto& [name, text] : sources) {
    const PuzzleTextResult r = fncPuzzleText_parse(text);
    ASSERT_TRUE(r.ok()) << name << ": " << fncTextIssue_format(r.errors.front());
    EXPECT_TRUE(r.warnings.empty()) << name;
    PuzzleState st;
    subPuzzleText_make(r.source, st, fncClockRandom());
    const SolveResult s = PackingSolver(st).solve();
    EXPECT_GT(s.fixed, 0u) << name;
    soma = soma || (r.source.sizeX == 3 && r.source.sizeZ == 3 && r.source.names.size() == 7 && s.distinct == 480);
    std::ostringstream row;
    row << "| `" << name << "` | " << r.source.sizeX << " × " << r.source.sizeY << " × " << r.source.sizeZ << " | "
        << r.source.names.size() << " | " << s.fixed << " | " << s.distinct << " |";
    EXPECT_NE(readme.find(row.str()), std::string::npos) << row.str();
    const std::string stem = name.substr(0, name.size() - 4);
    EXPECT_NE(answers.find("| `" + stem + "` | `" + r.source.password + "` |"), std::string::npos) << stem;
  }
  EXPECT_TRUE(soma);
}

}  // namespace
}  // namespace pakkon
