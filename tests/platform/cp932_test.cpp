#include "platform/cp932.h"

#include <gtest/gtest.h>

namespace pakkon {
namespace {

TEST(Cp932, RoundTripsJapaneseAndMarksWhatItCannotHold) {
  bool lossless = false;
  const std::string sjis = fncCp932_encode("ﾂｰﾙ・ぱっこん", &lossless);
  EXPECT_TRUE(lossless);
  EXPECT_EQ(sjis.size(), 3u + 2 * 5);  // half-width katakana take one byte
  EXPECT_EQ(fncCp932_decode(sjis), "ﾂｰﾙ・ぱっこん");
  EXPECT_EQ(fncCp932_encode("a😀b", &lossless), "a?b");
  EXPECT_FALSE(lossless);
  EXPECT_EQ(fncCp932_decode(std::string("a\x81", 2)), "a?");  // cut double-byte character
}

TEST(Cp932, CutsWithoutSplittingADoubleByteCharacter) {
  const std::string s = fncCp932_encode("aあい");  // 1 + 2 + 2 bytes
  EXPECT_EQ(fncCp932_cut(s, 5), s);
  EXPECT_EQ(fncCp932_cut(s, 4), s.substr(0, 3));
  EXPECT_EQ(fncCp932_cut(s, 2), "a");
}

TEST(Utf8, ValidityCheck) {
  EXPECT_TRUE(fncUtf8_valid("フォルダPath"));
  EXPECT_FALSE(fncUtf8_valid(fncCp932_encode("フォルダPath")));
  EXPECT_FALSE(fncUtf8_valid("\xC0\xAF"));
  EXPECT_FALSE(fncUtf8_valid("\xED\xA0\x80"));  // surrogate
}

}  // namespace
}  // namespace pakkon
