#include "platform/ini.h"

#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

class Ini : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::string file = dir.file("Init.ini");
};

TEST_F(Ini, NamesMatchWithoutCaseOrSurroundingBlanks) {
  test::writeFile(
      file,
      fncCp932_encode("; settings\r\n[ system ]\r\ndemo = True \r\n[フォルダPath]\r\n  DATA_Folda_Path=/data/p\r\n"
                      "[Rotate]\r\nGE_lRotate=\"12345678\"\r\nEmpty=\r\n"));
  EXPECT_EQ(fncIni_get("SYSTEM", "DEMO", file), "True");
  EXPECT_EQ(fncIni_get("フォルダPath", " DATA_Folda_Path", file), "/data/p");
  EXPECT_EQ(fncIni_get("rotate", "ge_lrotate", file), "12345678");
  EXPECT_EQ(fncIni_get("Rotate", "Empty", file), "");
  EXPECT_EQ(fncIni_get("Rotate", "Missing", file), "");
  EXPECT_EQ(fncIni_get("Nowhere", "DEMO", file), "");
  EXPECT_EQ(fncIni_get("SYSTEM", "DEMO", dir.file("absent.ini")), "");
}

TEST_F(Ini, ValuesAreCutAt126CharactersAndAtNul) {
  const std::string longValue(200, 'v');
  test::writeFile(file, "[A]\nlong=" + longValue + "\nnul=ab" + std::string(1, '\0') + "cd\n");
  EXPECT_EQ(fncIni_get("A", "long", file), std::string(126, 'v'));
  EXPECT_EQ(fncIni_get("A", "nul", file), "ab");
}

TEST_F(Ini, WritingKeepsEveryOtherLineByteForByte) {
  const std::string original = fncCp932_encode(
      "; 設定ファイル\r\n[SYSTEM]\r\nDEMO=True\r\n\r\n[Rotate]\r\nGE_lRotate=1\r\n  odd line without equals\r\n\r\n"
      "[Info]\r\nx=1\r\n");
  test::writeFile(file, original);
  ASSERT_TRUE(fncIni_put("SYSTEM", "DEMO", "False", file));
  std::string expected = original;
  expected.replace(expected.find("DEMO=True"), 9, "DEMO=False");
  EXPECT_EQ(test::readFile(file), expected);

  // A new key goes after the last non-blank line of its section.
  ASSERT_TRUE(fncIni_put("rotate", "GE_iRotation(0)", "0", file));
  const std::string odd = "  odd line without equals\r\n";
  expected.insert(expected.find(odd) + odd.size(), "GE_iRotation(0)=0\r\n");
  EXPECT_EQ(test::readFile(file), expected);

  // A new section goes at the end.
  ASSERT_TRUE(fncIni_put("New", "k", "v", file));
  EXPECT_EQ(test::readFile(file), expected + "[New]\r\nk=v\r\n");
  EXPECT_EQ(fncIni_get("New", "k", file), "v");
}

TEST_F(Ini, EmptyKeyOrValueWritesNothing) {
  test::writeFile(file, "[A]\r\nk=1\r\n");
  EXPECT_FALSE(fncIni_put("A", "k", "", file));
  EXPECT_FALSE(fncIni_put("A", " ", "2", file));
  EXPECT_EQ(test::readFile(file), "[A]\r\nk=1\r\n");
}

TEST_F(Ini, FileWithoutFinalLineEndGetsOneBeforeANewLine) {
  test::writeFile(file, "[A]\nk=1");
  ASSERT_TRUE(fncIni_put("A", "j", "2", file));
  EXPECT_EQ(test::readFile(file), "[A]\nk=1\nj=2\n");
  ASSERT_TRUE(fncIni_put("A", "j", "3", file));
  EXPECT_EQ(test::readFile(file), "[A]\nk=1\nj=3\n");
}

TEST_F(Ini, Utf8FilesAreReadAndWrittenInUtf8) {
  for (const std::string& bom : {std::string("\xEF\xBB\xBF"), std::string()}) {
    test::writeFile(file, bom + "[SYSTEM]\nDEMO=False\n[フォルダPath]\nDATA_Folda_Path=/ぱずる\n");
    EXPECT_EQ(fncIni_get("SYSTEM", "DEMO", file), "False");
    EXPECT_EQ(fncIni_get("フォルダPath", " DATA_Folda_Path", file), "/ぱずる");
    ASSERT_TRUE(fncIni_put("フォルダPath", "Note", "メモ", file));
    EXPECT_EQ(test::readFile(file), bom + "[SYSTEM]\nDEMO=False\n[フォルダPath]\nDATA_Folda_Path=/ぱずる\nNote=メモ\n");
  }
}

TEST_F(Ini, AFailedWriteLeavesTheFileAndSaysSo) {
  test::writeFile(file, "[A]\r\nk=1\r\n");
  WriteFaults faults;
  faults.failAtWrite = 0;
  EXPECT_FALSE(fncIni_put("A", "k", "2", file, &faults));
  EXPECT_EQ(test::readFile(file), "[A]\r\nk=1\r\n");
}

}  // namespace
}  // namespace pakkon
