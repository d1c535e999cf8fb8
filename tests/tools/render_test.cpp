#include <gtest/gtest.h>

#include "model/builtin.h"
#include "model/puzzle_file.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

int count(const std::string& s, const std::string& what) {
  int n = 0;
  for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

TEST(ToolRender, DrawsTheBoxOrOneBlock) {
  test::TempDir dir;
  PuzzleState st;
  st.G_sVersion = "Ver 1.1.0";
  subSamplePuzzle_set(st);
  for (int x = 0; x < 3; ++x) st.G_iBox[x][2][3] = 1, st.G_lBoxColor[x][2][3][0] = fncRGB(0, 255, 0);
  const std::string path = dir.file("sample.bin"), out = dir.file("view.svg");
  ASSERT_TRUE(subFile_put(st, path, [](const std::string& m, const std::string&) { FAIL() << m; }));
  auto render = [&](const std::string& options, int status = 0) {
    const test::ToolRun r = test::runTool("render '" + path + "' " + options + " -o '" + out + "'");
    EXPECT_EQ(r.status, status) << options << r.err;
    return test::readFile(out);
  };
  const std::string box = render("");
  EXPECT_EQ(count(box, "fill=\"#00ff00\""), 3);
  EXPECT_EQ(count(box, ">↑Y</text>"), 1);
  EXPECT_EQ(count(box, "stroke=\"#b0b0b0\" stroke-width=\"60\""), 2);  // pen 4 is 60 twips
  EXPECT_NE(box.find("width=\"225\" height=\"209\" viewBox=\"0 0 3375 3135\""), std::string::npos);
  EXPECT_EQ(render("--dx 800 --dy 800"), box);
  EXPECT_EQ(count(render("--dy -120"), ">↓Y</text>"), 1);
  const std::string block = render("--block 2");
  EXPECT_GT(count(block, "fill=\"#ff0000\""), 0);  // block 2: red
  EXPECT_EQ(count(block, "fill=\"#00ff00\""), 0);
  for (const char* bad : {"--block 9", "--block 2 --dx 10", "--dx 801", "--dy x", "--frob"}) render(bad, 2);
  EXPECT_EQ(test::runTool("render '" + path + "'").status, 2);
  EXPECT_EQ(test::runTool("render '" + dir.file("none.bin") + "' -o '" + out + "'").status, 1);
}

}  // namespace
}  // namespace pakkon
