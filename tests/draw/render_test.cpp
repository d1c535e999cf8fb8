#include <gtest/gtest.h>

#include "draw/svg_surface.h"
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

TEST(SvgSurface, WritesTwipsWithPenWidthsColoursAndCaptions) {
  SvgSurface svg;
  svg.line(0, 0, 10, 0, 0xFF);  // not drawn: cleared below
  svg.clear();
  svg.setPenWidth(3);
  svg.line(960.5f, 480, 480, 960.25f, fncRGB(255, 128, 0));
  svg.setPenWidth(1);
  svg.rectangle(1180, 940, 840, 600, 0xFFFFFF);
  svg.fillRectangle(840, 600, 1180, 940, fncRGB(0, 0, 255));
  svg.text(960, 280, "↑Y<&>");
  const std::string doc = svg.document();
  EXPECT_EQ(doc.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
  EXPECT_NE(doc.find("width=\"225\" height=\"209\" viewBox=\"0 0 3375 3135\""), std::string::npos);
  EXPECT_NE(doc.find("<rect x=\"0\" y=\"0\" width=\"3375\" height=\"3135\" fill=\"#ffffff\"/>"), std::string::npos);
  EXPECT_EQ(count(doc, "<line "), 1);
  EXPECT_NE(doc.find("<line x1=\"960.5\" y1=\"480\" x2=\"480\" y2=\"960.25\" stroke=\"#ff8000\" stroke-width=\"45\"/>"),
            std::string::npos);
  EXPECT_NE(doc.find("<rect x=\"840\" y=\"600\" width=\"340\" height=\"340\" fill=\"none\" stroke=\"#ffffff\" "
                     "stroke-width=\"15\"/>"),
            std::string::npos);
  EXPECT_NE(doc.find("<rect x=\"840\" y=\"600\" width=\"340\" height=\"340\" fill=\"#0000ff\"/>"), std::string::npos);
  EXPECT_NE(doc.find(">↑Y&lt;&amp;&gt;</text>"), std::string::npos);
  EXPECT_NE(doc.find("IPAGothic"), std::string::npos);
  EXPECT_EQ(count(doc, "<g "), count(doc, "</g>"));
  EXPECT_EQ(doc.substr(doc.size() - 7), "</svg>\n");
}

class ToolRender : public ::testing::Test {
 protected:
  void SetUp() override {
    st.G_sVersion = "Ver 1.1.0";
    subSamplePuzzle_set(st);
    subPieceOrg_set(st);
    for (int x = 0; x < 3; ++x) {
      st.G_iBox[x][2][2] = 1;
      st.G_lBoxColor[x][2][2][0] = fncRGB(0, 255, 0);
    }
    ASSERT_TRUE(subFile_put(st, path, [](const std::string& m, const std::string&) { FAIL() << m; }));
  }
  std::string render(const std::string& options, int expected = 0) {
    const test::ToolRun r = test::runTool("render '" + path + "' " + options + " -o '" + out + "'");
    EXPECT_EQ(r.status, expected) << r.err;
    return expected == 0 ? test::readFile(out) : r.err;
  }
  test::TempDir dir;
  PuzzleState st;
  std::string path = dir.file("sample.bin");
  std::string out = dir.file("view.svg");
};

TEST_F(ToolRender, DrawsTheBoxViewAtTheStartDirection) {
  const std::string svg = render("");
  EXPECT_NE(svg.find("viewBox=\"0 0 3375 3135\""), std::string::npos);
  EXPECT_EQ(count(svg, "fill=\"#00ff00\""), 3);  // the front row's three faces
  EXPECT_NE(svg.find("<text x=\"960\""), std::string::npos);
  EXPECT_NE(svg.find(">↑Y</text>"), std::string::npos);
  EXPECT_EQ(render("--dx 800 --dy 800"), svg);
  EXPECT_NE(render("--dx -120"), svg);
  EXPECT_NE(render("--dy -120").find(">↓Y</text>"), std::string::npos);
}

TEST_F(ToolRender, DrawsOneBlockInItsColours) {
  int cells = 0;
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 4; ++y)
      for (int z = 0; z < 4; ++z) cells += st.G_iPiece[1][x][y][z];
  ASSERT_GT(cells, 0);
  const std::string svg = render("--block 2");
  EXPECT_GT(count(svg, "fill=\"#ff0000\""), 0);  // block 2: colour row 2, red
  EXPECT_EQ(count(svg, "fill=\"#00ff00\""), 0);  // nothing of the box
  EXPECT_EQ(render("--block 8").find("<rect x=\"840\""), std::string::npos);  // empty block 8
}

TEST_F(ToolRender, RefusesWrongUsageAndBadFiles) {
  for (const char* bad : {"--block 0", "--block 9", "--block 2 --dx 10", "--dx 801", "--dy x", "--frob"})
    render(bad, 2);
  EXPECT_EQ(test::runTool("render '" + path + "'").status, 2);  // no -o
  EXPECT_EQ(test::runTool("render '" + dir.file("missing.bin") + "' -o '" + out + "'").status, 1);
  EXPECT_EQ(test::runTool("render '" + path + "' -o '" + dir.file("no/such/dir.svg") + "'").status, 1);
}

}  // namespace
}  // namespace pakkon
