// pakkon-tool play: a puzzle solved by script, and scripts that go wrong.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "autoload/search.h"
#include "geometry/movement.h"
#include "geometry/orientation.h"
#include "model/builtin.h"
#include "model/puzzle_file.h"
#include "support/packing.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

std::string quote(const std::string& s) { return "'" + s + "'"; }

class PlayTool : public ::testing::Test {
 protected:
  void SetUp() override {
    st.G_sVersion = " Ver 1.1.0";
    subSamplePuzzle_set(st);
    subPieceOrg_set(st);
    subPieces_shuffle(st, fncSeededRandom(42));
    st.G_iCellTotal = fncPieces_count(st);
    ASSERT_TRUE(subFile_put(st, file, [](const std::string& m, const std::string&) { FAIL() << m; }));
  }
  test::TempDir dir;
  std::string file = dir.file("sample.bin");
  PuzzleState st;
};

TEST_F(PlayTool, TheSampleIsSolvedWithTheButtonsAPlayerWouldPress) {
  // The presses for each block, as a player makes them.
  std::string script;
  PuzzleState work = st;
  for (const test::Placement& p : test::findPacking(st)) {
    const test::Moves m = test::movesTo(work, p.block, p.cells);
    script += "sel " + std::to_string(p.block + 1) + "\n";
    for (int t : m.turns) script += t == 0 ? "tz\n" : t == 1 ? "tx\n" : "ty\n";
    script += "org\n";
    for (int i = 0; i < m.dx; ++i) script += "x+\n";
    for (int i = 0; i < m.dy; ++i) script += "y+\n";
    for (int i = 0; i < m.dz; ++i) script += "z+\n";
    script += "load\n";
    std::memcpy(work.G_iPiece[p.block], p.cells, sizeof(Grid));
  }
  const std::string out = dir.file("solved.bin");
  // A wrong turn taken back on the way.
  const test::ToolRun r =
      test::runTool("play " + quote(file) + " " + quote("tz; undo\n" + script) + " --save " + quote(out));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("message: ♪おめでとう♪: ☆グレイト☆　お疲れさまでした\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("filled: 27 : 27\ncomplete: yes\n"), std::string::npos);
  PuzzleState saved;
  ASSERT_EQ(fncPuzzle_read(out, saved).status, PuzzleReadStatus::Ok);
  EXPECT_EQ(saved.G_iCellDone, 27);
  EXPECT_EQ(fncBox_count(saved.G_iBox), 27);

  // The completion is the game's own: moves are the box's changes, and
  // progress is written only where asked.
  const std::string loads = std::to_string(test::findPacking(st).size());
  EXPECT_NE(r.out.find("complete: yes\nmoves: " + loads + "\n"), std::string::npos) << r.out;
  EXPECT_FALSE(std::filesystem::exists(dir.file("Progress.json")));
  const test::ToolRun kept =
      test::runTool("play " + quote(file) + " " + quote(script) + " --progress " + quote(dir.path()));
  ASSERT_EQ(kept.status, 0) << kept.err;
  EXPECT_NE(kept.out.find("progress: solved, recorded in "), std::string::npos) << kept.out;
  EXPECT_NE(test::readFile(dir.file("Progress.json")).find("\"sample.bin\""), std::string::npos);
}

TEST_F(PlayTool, AHintPlaysABlockAndGivingUpNeedsAPassword) {
  const test::ToolRun r = test::runTool("play " + quote(file) + " 'hint; undo; hint; giveup abc'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("action 3: hint\n  hint: a block played to its place (hints: 2)\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("パスワードが、設定されていません。自力で解いてください。\n  not given up\n"), std::string::npos)
      << r.out;
}

TEST_F(PlayTool, TheMakerTakesItsBoxSizeFromTheScriptAndSaveAsWritesTheComment) {
  const std::string out = dir.file("made.bin");
  const test::ToolRun r = test::runTool("play " + quote(file) + " " +
                                        quote("maker 2 3 2; cell 1 3 2; maker end; saveas " + out + " | 箱 | pw1"));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("  box size: 2×3×2\n  making blocks: the blocks are cleared, 12 cells\n"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("  cells: 1 : 12\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("  back to play, cells in the blocks: 1\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("  saved as made.bin\n"), std::string::npos) << r.out;
  PuzzleState saved;
  ASSERT_EQ(fncPuzzle_read(out, saved).status, PuzzleReadStatus::Ok);
  EXPECT_EQ(saved.G_sComment, "箱");
  EXPECT_EQ(saved.G_sAnswerPW, "pw1");
  EXPECT_EQ(saved.G_iCellY, 3);
  EXPECT_EQ(saved.G_iPieceOrg[0][0][2][1], 1);
}

TEST_F(PlayTool, TheAutoLoaderFillsTheBoxAsTheHeadlessLoaderDoes) {
  // As after INIT, with Check Ded space ticked.
  PuzzleState headless = st;
  for (int b = 0; b < kPieces; ++b) headless.GE_iRotation[b] = static_cast<int16_t>(b);
  headless.GE_lRotate = 12345678;
  struct DeadSpace : AutoLoadHooks {
    bool deadSpaceChecked() override { return true; }
  } hooks;
  const AutoLoadResult expected = fncAutoLoad_run(headless, hooks);
  const test::ToolRun r = test::runTool("play " + quote(file) + " 'init; autoload' --dead-space");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("message: ♪おめでとう♪: ☆グレイト☆　お疲れさまでした\n  autoload: filled after " +
                       std::to_string(expected.tests) + " tests\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("complete: yes\n"), std::string::npos);
}

TEST_F(PlayTool, MistakesAndRefusalsAreSaidAndABadScriptSavesNothing) {
  const std::string out = dir.file("out.bin");
  test::ToolRun r = test::runTool("play " + quote(file) + " 'load; load; tz; x-; jump' --save " + quote(out));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("action 5 (\"jump\"): expected one of sel N, tz"), std::string::npos) << r.err;
  EXPECT_TRUE(test::readFile(out).empty());

  r = test::runTool("play " + quote(file) + " 'load; load; cancel; redo; undo; undo; undo; unload 3'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("action 8: unload 3\n  nothing: block 3 is not loaded\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("action 2: load\n  nothing: its button is disabled now\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("action 4: redo\n  nothing: nothing to redo\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("action 7: undo\n  nothing: nothing to undo\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("filled: 0 : 27\n"), std::string::npos);

  EXPECT_EQ(test::runTool("play " + quote(file) + " load --save " + quote(file)).status, 1);

  // Control characters of a bad action never reach the terminal raw.
  r = test::runTool("play " + quote(file) + " " + quote("tz; \x1b[31mred"));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("(\"\\x1b[31mred\")"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find('\x1b'), std::string::npos);
}

TEST_F(PlayTool, AHundredThousandActionsComeFromAFileOrStandardInput) {
  std::string script;
  for (int i = 0; i < 25000; ++i) script += "tz\ntz\ntz\ntz\n";  // a full turn each
  const std::string path = dir.file("script.txt");
  test::writeFile(path, script + "sel 2; load\n");
  test::ToolRun r = test::runTool("play " + quote(file) + " --file " + quote(path));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("action 100000: tz\naction 100001: sel 2\naction 100002: load\n"), std::string::npos);
  const std::string filled = r.out.substr(r.out.find("filled: "));

  for (const char* from : {" - < ", " --file - < "}) {
    r = test::runTool("play " + quote(file) + from + quote(path));
    ASSERT_EQ(r.status, 0) << from << r.err;
    EXPECT_EQ(r.out.substr(r.out.find("filled: ")), filled) << from;
  }

  // Beyond the bound: refused before anything is played.
  std::filesystem::resize_file(path, 16 << 20 | 1);
  r = test::runTool("play " + quote(file) + " --file " + quote(path));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("16,777,217 bytes, too large for a play script"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(test::runTool("play " + quote(file)).status, 2);
}

}  // namespace
}  // namespace pakkon
