#include <gtest/gtest.h>

#include <cstring>

#include "autoload/hooks.h"
#include "autoload/search.h"
#include "model/puzzle_file.h"
#include "support/run_tool.h"
#include "support/state_compare.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

class ToolAutoload : public ::testing::Test {
 protected:
  void SetUp() override {
    PuzzleState st = test::initialised(subSamplePuzzle_set);
    st.G_sVersion = "Ver 1.1.0";
    ASSERT_TRUE(subFile_put(st, path, [](const std::string& m, const std::string&) { FAIL() << m; }));
  }
  test::TempDir dir;
  std::string path = dir.file("sample.bin");
};

TEST_F(ToolAutoload, FillsTheSampleAndPrintsTheResult) {
  const test::ToolRun r = test::runTool("autoload '" + path + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, r.out.find("block 1:")),
            " 0, 0, 1  1, 0, 0  2, 1, 0  3, 0, 0  4, 0, 1  5, 2, 0  6, 1, 1 \n"
            "GE_lRotate: 12345678\n"
            "GE_iRotation: 0 1 2 3 4 5 6 7\n");
  for (const char* expected : {"block 1: iNo 1, iFace_ct 0, iTurn_CtZ 1\n", "block 8: iNo 0, iFace_ct 0, iTurn_CtZ 0\n",
                               "z=2\n", "tests: 13910585\noutcome: filled\n"})
    EXPECT_NE(r.out.find(expected), std::string::npos) << expected;
  // Three layers of three rows, every cell filled.
  const std::string box = r.out.substr(r.out.find("z=0"), r.out.find("tests:") - r.out.find("z=0"));
  EXPECT_EQ(std::count(box.begin(), box.end(), '\n'), 12);
  EXPECT_EQ(box.find('.'), std::string::npos);

  const test::ToolRun dead = test::runTool("autoload --dead-space '" + path + "'");
  EXPECT_NE(dead.out.find("tests: 6118686\noutcome: filled\n"), std::string::npos) << dead.out;
}

TEST_F(ToolAutoload, SavesTheStateTheRunLeft) {
  const std::string out = dir.file("out.bin");
  const test::ToolRun r = test::runTool("autoload '" + path + "' --max-tests 54321 --save '" + out + "'");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("tests: 54321\noutcome: limit reached\n"), std::string::npos);

  PuzzleState expected, saved;
  ASSERT_EQ(fncPuzzle_read(path, expected).status, PuzzleReadStatus::Ok);
  subColor_set(expected);
  test::RecordingHooks hooks;
  fncAutoLoad_run(expected, hooks, {.maxTests = 54321});
  ASSERT_EQ(fncPuzzle_read(out, saved).status, PuzzleReadStatus::Ok);
  // Files hold neither the colour table nor the scratch grid.
  std::memcpy(saved.G_lColor, expected.G_lColor, sizeof saved.G_lColor);
  std::memcpy(saved.G_iBoxWork, expected.G_iBoxWork, sizeof(Grid));
  EXPECT_EQ(test::firstDifference(saved, expected), "");
}

TEST_F(ToolAutoload, RefusalsAndWrongUsage) {
  EXPECT_EQ(test::runTool("autoload").status, 2);
  EXPECT_EQ(test::runTool("autoload '" + path + "' --max-tests ten").status, 2);
  EXPECT_EQ(test::runTool("autoload '" + path + "' --max-tests -1").status, 2);
  EXPECT_EQ(test::runTool("autoload '" + path + "' --fast").status, 2);
  EXPECT_EQ(test::runTool("autoload '" + dir.file("missing.bin") + "'").status, 1);
  const test::ToolRun r =
      test::runTool("autoload '" + path + "' --max-tests 10 --save '" + dir.file("no/such.bin") + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("outcome: limit reached"), std::string::npos);
}

}  // namespace
}  // namespace pakkon
