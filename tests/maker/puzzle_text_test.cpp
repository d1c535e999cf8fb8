#include "maker/puzzle_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "geometry/movement.h"
#include "model/puzzle_file.h"
#include "solver/solver.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

// Lines 1-3 the items, 5-6 layer z = 0, 8-9 layer z = 1.
const std::string kGood =
    "size: 2 x 2 x 2\n"
    "comment: テスト\n"
    "password: ab12\n"
    "\n"
    "AA\n"
    "AB\n"
    "\n"
    "CC\n"
    "CB\n";

std::string replaced(std::string s, const std::string& from, const std::string& to) {
  const size_t at = s.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return s.replace(at, from.size(), to);
}

TEST(PuzzleText, DrawsTheSolutionLayerByLayerAndNumbersBlocksByCharacter) {
  // Byte-order mark, CR LF, notes inside the drawing, blanks between cells,
  // a full-width block name, an ideographic space after the comment.
  const std::string src =
      "\xEF\xBB\xBF# a note\r\n"
      "size: 3×2×2\r\n"
      "Comment :  練習\xE3\x80\x80\r\n"
      "password: ab12\r\n"
      "\r\n"
      "# back\r\n"
      "B B 木\r\n"
      "B 木 木\r\n"
      "\r\n\r\n"
      "# front\r\n"
      "AA木\r\n"
      "# a note inside a layer\r\n"
      "AA木\r\n";
  const PuzzleTextResult r = fncPuzzleText_parse(src);
  ASSERT_TRUE(r.ok()) << fncTextIssue_format(r.errors.front());
  EXPECT_TRUE(r.warnings.empty());
  const PuzzleSource& s = r.source;
  EXPECT_EQ(s.sizeX, 3);
  EXPECT_EQ(s.sizeY, 2);
  EXPECT_EQ(s.sizeZ, 2);
  EXPECT_EQ(s.comment, "練習");
  EXPECT_EQ(s.password, "ab12");
  EXPECT_EQ(s.names, (std::vector<std::string>{"A", "B", "木"}));
  EXPECT_EQ(s.cellCounts, (std::vector<int>{4, 3, 5}));
  // x across a row, y down the rows, z from the first layer on.
  EXPECT_EQ(s.blocks[0][1][1][1], 1);
  EXPECT_EQ(s.blocks[0][1][1][0], 0);
  EXPECT_EQ(s.blocks[1][0][1][0], 1);
  EXPECT_EQ(s.blocks[1][1][0][0], 1);
  EXPECT_EQ(s.blocks[2][2][0][0], 1);
  EXPECT_EQ(s.blocks[2][2][1][1], 1);
  EXPECT_EQ(s.blocks[2][0][1][0], 0);
  EXPECT_EQ(s.blocks[3][0][0][0], 0);
}

struct Mistake {
  std::string source;
  int line, column;
  const char* says;
};

TEST(PuzzleText, EveryMistakeNamesItsLineAndColumnAndTheFix) {
  std::string ninth = "size: 3 x 2 x 2\ncomment: x\npassword: p\n\nABC\nDEF\n\nGHI\nIII\n";
  const Mistake cases[] = {
      {replaced(kGood, "size: 2 x 2 x 2\n", ""), 0, 0, "no size line"},
      {replaced(kGood, "comment: テスト\n", ""), 0, 0, "no comment line"},
      {replaced(kGood, "password: ab12\n", ""), 0, 0, "no password line"},
      {replaced(kGood, "2 x 2 x 2", "5 x 2 x 2"), 1, 7, "2 to 4 cells"},
      {replaced(kGood, "2 x 2 x 2", "2 x 2"), 1, 7, "three numbers"},
      {replaced(kGood, "2 x 2 x 2", "2 x two x 2"), 1, 11, "not a number"},
      {replaced(kGood, "\n\nAA", "\ncolour: red\n\nAA"), 4, 1, "unknown item 'colour'"},
      {replaced(kGood, "password: ab12\n", "password: ab12\ncomment: more\n"), 4, 1, "the first is line 2"},
      {kGood + "password: later\n", 10, 1, "above"},
      {replaced(kGood, "AA\nAB", "AAA\nAB"), 5, 0, "3 cells and the box is 2 wide"},
      {replaced(kGood, "AA\nAB", "AA\nAB\nAB"), 5, 0, "3 rows"},
      {kGood + "\nCC\nCB\n", 11, 0, "one too many"},
      {replaced(kGood, "\nCC\nCB\n", ""), 6, 0, "1 layer and the box is 2 deep"},
      {replaced(kGood, "AB\n\n", "A.\n\n"), 6, 2, "empty cell"},
      {replaced(kGood, "AB\n\n", "A#\n\n"), 6, 2, "cannot name a block"},
      {ninth, 8, 3, "'I' is the 9th"},
      {replaced(kGood, "テスト", "あいうえおかきくけこさしすせそたちつてとな"), 2, 30, "42 bytes"},
      {replaced(kGood, "テスト", "テスト😀"), 2, 13, "no Shift-JIS code"},
      {replaced(kGood, "テスト", ""), 2, 0, "comment is empty"},
      {replaced(kGood, "ab12", "abcdefghijklmnopq"), 3, 27, "17 characters"},
      {replaced(kGood, "ab12", "abcdefz"), 3, 17, "character 7 (it fits only among the first 6)"},
      {replaced(kGood, "ab12", "päss"), 3, 12, "'ä' cannot be stored"},
      {replaced(kGood, "ab12", ""), 3, 0, "password is empty"},
      {replaced(kGood, "テスト", "\xFF"), 2, 10, "not UTF-8"},
  };
  for (const Mistake& m : cases) {
    const PuzzleTextResult r = fncPuzzleText_parse(m.source);
    ASSERT_FALSE(r.ok()) << m.says;
    const TextIssue& e = r.errors.front();
    EXPECT_EQ(e.line, m.line) << e.message;
    EXPECT_EQ(e.column, m.column) << e.message;
    EXPECT_NE(e.message.find(m.says), std::string::npos) << e.message;
  }
}

TEST(PuzzleText, WarnsOfPasswordsThePlayerCannotTypeInTheGame) {
  for (const char* pw : {"abcdefghijk", "ab-12"}) {
    const PuzzleTextResult r = fncPuzzleText_parse(replaced(kGood, "ab12", pw));
    EXPECT_TRUE(r.ok());
    ASSERT_EQ(r.warnings.size(), 1u) << pw;
    EXPECT_EQ(r.warnings[0].line, 3);
  }
  EXPECT_TRUE(fncPuzzleText_parse(replaced(kGood, "ab12", "Soma27x")).warnings.empty());
}

TEST(PuzzleText, ABlockInPiecesIsAllowedWithAWarning) {
  const PuzzleTextResult r = fncPuzzleText_parse(replaced(kGood, "CB\n", "CA\n"));
  EXPECT_TRUE(r.ok());
  ASSERT_EQ(r.warnings.size(), 1u);
  EXPECT_EQ(r.warnings[0].line, 9);
  EXPECT_EQ(r.warnings[0].column, 2);
  EXPECT_NE(r.warnings[0].message.find("block 'A' is in pieces"), std::string::npos);
}

TEST(PuzzleText, TheMadeFileReadsBackAsDrawnWithBlocksShuffledAndTheBoxEmpty) {
  const PuzzleTextResult r = fncPuzzleText_parse(
      "size: 3 x 3 x 3\ncomment: ソーマ\npassword: Soma27\n\n"
      "VVL\nZVL\nZAL\n\nZTL\nZAA\nPAB\n\nTTT\nPBB\nPPB\n");
  ASSERT_TRUE(r.ok());
  test::TempDir dir;
  const std::string path = dir.file("soma.bin");
  PuzzleState made;
  made.GE_lRotate = 1;  // stale loader state must not survive
  made.G_iBox[0][0][0] = 1;
  made.G_sVersion = "Ver 1.1.0";
  subPuzzleText_make(r.source, made, fncClockRandom());
  ASSERT_TRUE(subFile_put(made, path, [](const std::string& m, const std::string&) { FAIL() << m; }));

  PuzzleState st;
  ASSERT_EQ(fncPuzzle_read(path, st).status, PuzzleReadStatus::Ok);
  EXPECT_EQ(std::memcmp(st.G_iPieceOrg, r.source.blocks, sizeof st.G_iPieceOrg), 0);
  for (int b = 0; b < kPieces; ++b) {
    // As it stands: one of the 24 turns of its made shape, in the origin corner.
    PuzzleState turned = st;
    subPiece_origin(turned, b);
    EXPECT_EQ(fncGrid_mask(turned.G_iPiece[b]), fncGrid_mask(st.G_iPiece[b])) << b;
    bool found = false;
    for (int face = 0; face < 6 && !found; ++face)
      for (int turns = 0; turns < 4 && !found; ++turns) {
        subPiece_setFace(turned, b, face);
        for (int i = 0; i < turns; ++i) subPiece_turnZ(turned, b);
        subPiece_origin(turned, b);
        found = fncGrid_mask(turned.G_iPiece[b]) == fncGrid_mask(st.G_iPiece[b]);
      }
    EXPECT_TRUE(found) << b;
  }
  EXPECT_EQ(st.G_iCellX, 3);
  EXPECT_EQ(st.G_iCellZ, 3);
  EXPECT_EQ(st.G_iCellTotal, 27);
  EXPECT_EQ(st.G_iCellDone, 0);
  EXPECT_EQ(fncBox_count(st.G_iBox), 0);
  EXPECT_EQ(fncBox_count(st.G_iBoxPiece), 0);
  EXPECT_EQ(st.G_lBoxColor[0][0][0][0], 0);
  EXPECT_EQ(st.GE_lRotate, 12345678);
  for (int k = 0; k < kPieces; ++k) {
    EXPECT_EQ(st.GE_iRotation[k], k);
    EXPECT_EQ(st.G_iPieceUsed[k], 0);
    EXPECT_EQ(st.G_Info_Piece[k].iNo + st.G_Info_Piece[k].iFace_ct + st.G_Info_Piece[k].iTurn_CtZ, 0);
  }
  EXPECT_EQ(st.G_sComment, "ソーマ");
  EXPECT_EQ(st.G_sAnswerPW, "Soma27");
}

}  // namespace
}  // namespace pakkon
