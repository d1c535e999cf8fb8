// pakkon-tool hint: the answer for progress saved in a file.

#include <gtest/gtest.h>

#include <cstring>

#include "geometry/loading.h"
#include "geometry/mask.h"
#include "geometry/movement.h"
#include "geometry/orientation.h"
#include "model/builtin.h"
#include "model/puzzle_file.h"
#include "solver/finish.h"
#include "support/packing.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

class HintTool : public ::testing::Test {
 protected:
  void SetUp() override {
    st.G_sVersion = " Ver 1.1.0";
    subSamplePuzzle_set(st);
    subPieceOrg_set(st);
    subColor_set(st);
    st.G_iCellTotal = fncPieces_count(st);
  }
  test::ToolRun hint(const char* options = " --json") {
    EXPECT_TRUE(subFile_put(st, file, [](const std::string& m, const std::string&) { FAIL() << m; }));
    return test::runTool("hint '" + file + "'" + options);
  }
  test::TempDir dir;
  std::string file = dir.file("progress.bin");
  PuzzleState st;
};

TEST_F(HintTool, TheNextBlockOrTheBlocksToTakeOutAsOneObject) {
  // Two blocks where a solution has them.
  const std::vector<test::Placement> packing = test::findPacking(st);
  ASSERT_EQ(packing.size(), 7u);
  for (int i : {1, 4}) {
    std::memcpy(st.G_iPiece[packing[i].block], packing[i].cells, sizeof(Grid));
    ASSERT_EQ(fncPiece_load(st, packing[i].block), LoadRefusal::None);
  }
  const FinishProblem p = fncFinish_problem(st);
  const FinishHint h = fncFinish_hint(p);
  ASSERT_EQ(h.answer, FinishAnswer::Yes);
  const BlockPlacement at = fncFinish_placement(p, h.block, h.cells);
  test::ToolRun r = hint();
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "{\n  \"finishable\": true,\n  \"block\": " + std::to_string(h.block + 1) +
                       ",\n  \"face\": " + std::to_string(at.face) + ",\n  \"turns\": " + std::to_string(at.turns) +
                       ",\n  \"position\": [" + std::to_string(at.dx) + "," + std::to_string(at.dy) + "," +
                       std::to_string(at.dz) + "]\n}\n");

  // The box turned so that its content sticks out: what sticks out must come out.
  subPuzzle_turnZ(st);
  subPuzzle_turnZ(st);
  ASSERT_TRUE(fncFinish_problem(st).outside());
  std::string remove;
  for (int b : fncFinish_hint(fncFinish_problem(st)).remove)
    remove += (remove.empty() ? "" : ",") + std::to_string(b + 1);
  ASSERT_FALSE(remove.empty());
  r = hint();
  EXPECT_EQ(r.out, "{\n  \"finishable\": false,\n  \"remove\": [" + remove + "],\n  \"clear\": false\n}\n");

  EXPECT_EQ(test::runTool("hint '" + dir.file("none.bin") + "'").status, 1);
}

TEST_F(HintTool, AFileSavedMidwayThroughTheAutoLoaderIsClearedNotGivenUp) {
  // The loader fills cells without loading blocks.
  ASSERT_TRUE(subFile_put(st, file, [](const std::string& m, const std::string&) { FAIL() << m; }));
  const std::string mid = dir.file("mid.bin");
  ASSERT_EQ(test::runTool("autoload '" + file + "' --max-tests 100 --save '" + mid + "'").status, 0);
  test::ToolRun r = test::runTool("hint '" + mid + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("0 of 7 blocks loaded\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(" filled cells belong to no loaded block\ncan be finished: no\n"
                       "take out: everything (clear), and it can be finished from the empty box\n"),
            std::string::npos)
      << r.out;
  r = test::runTool("hint --json '" + mid + "'");
  EXPECT_EQ(r.out, "{\n  \"finishable\": false,\n  \"remove\": [],\n  \"clear\": true\n}\n");
}

}  // namespace
}  // namespace pakkon
