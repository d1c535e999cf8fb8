#include <gtest/gtest.h>

#include "model/puzzle_file.h"
#include "support/run_tool.h"
#include "support/state_compare.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

class ToolInfo : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(subFile_put(test::busyState(), path, [](const std::string& m, const std::string&) { FAIL() << m; }));
  }
  test::TempDir dir;
  std::string path = dir.file("busy.bin");
};

TEST_F(ToolInfo, PrintsEveryFieldAsJson) {
  const test::ToolRun r = test::runTool("info '" + path + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* expected :
       {"\"version\": \"Ver 1.1.0\"", "\"G_sAnswerPW\": \"Abc123\"", "\"G_sComment\": \"４×４×３の練習\"",
        "\"G_iCellZ\": 3", "\"GE_lRotate\": 21345678", "\"GE_iRotation\": [0,1,2,3,4,5,6,-1]",
        "{\"iNo\":3,\"iFace_ct\":5,\"iTurn_CtZ\":2}", "\"G_iPieceUsed\": [0,0,0,0,0,0,0,1]", "\"G_iCellTotal\": 48"})
    EXPECT_NE(r.out.find(expected), std::string::npos) << expected;
  // Box cell (1,2,0) holds block 8: [x][y][z] nesting.
  EXPECT_NE(r.out.find("\"G_iBoxPiece\": [[[0,0,0,0],[0,0,0,0],[0,0,0,0],[0,0,0,0]],[[0,0,0,0],[0,0,0,0],[8,0,0,0]"),
            std::string::npos);
}

TEST_F(ToolInfo, ARefusedFileGivesOneLineAndStatusOne) {
  test::writeFile(dir.file("ng.bin"), "not a puzzle");
  std::string damaged = test::readFile(path);
  damaged[2136] = 9;
  test::writeFile(dir.file("bad.bin"), damaged);
  for (const char* name : {"ng.bin", "bad.bin", "missing.bin"}) {
    const test::ToolRun r = test::runTool("info '" + dir.file(name) + "'");
    EXPECT_EQ(r.status, 1) << name;
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  EXPECT_EQ(test::runTool("info").status, 2);
  EXPECT_EQ(test::runTool("frobnicate").status, 2);
}

TEST_F(ToolInfo, ResaveWritesTheSamePuzzle) {
  const std::string out = dir.file("copy.bin");
  const test::ToolRun r = test::runTool("resave '" + path + "' '" + out + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  PuzzleState a, b;
  ASSERT_EQ(fncPuzzle_read(path, a).status, PuzzleReadStatus::Ok);
  ASSERT_EQ(fncPuzzle_read(out, b).status, PuzzleReadStatus::Ok);
  EXPECT_EQ(test::firstDifference(a, b), "");
  EXPECT_EQ(test::readFile(out).size(), kPuzzleFileSize);
  EXPECT_EQ(test::runTool("resave '" + dir.file("missing.bin") + "' '" + out + "'").status, 1);
}

}  // namespace
}  // namespace pakkon
