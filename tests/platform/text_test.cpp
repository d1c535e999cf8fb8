#include "platform/text.h"

#include <gtest/gtest.h>

namespace pakkon {
namespace {

TEST(Val, TakesTheLongestLeadingNumber) {
  EXPECT_EQ(fncVal("12345678"), 12345678);
  EXPECT_EQ(fncVal("  -12abc"), -12);
  EXPECT_EQ(fncVal("+3.5e2x"), 350);
  EXPECT_EQ(fncVal("1e"), 1);
  EXPECT_EQ(fncVal(".5"), 0.5);
  EXPECT_EQ(fncVal("1.2.3"), 1.2);
  EXPECT_EQ(fncVal(""), 0);
  EXPECT_EQ(fncVal("abc"), 0);
  EXPECT_EQ(fncVal("-"), 0);
  EXPECT_EQ(fncVal("."), 0);
}

TEST(Val, RoundsHalvesToEvenAndSaturates) {
  EXPECT_EQ(fncCInt(2.5), 2);
  EXPECT_EQ(fncCInt(3.5), 4);
  EXPECT_EQ(fncCInt(-2.5), -2);
  EXPECT_EQ(fncCInt(2.4999), 2);
  EXPECT_EQ(fncCInt(1e9), 32767);
  EXPECT_EQ(fncCInt(-1e9), -32768);
  EXPECT_EQ(fncCLng(fncVal("99999999999")), 2147483647);
  EXPECT_EQ(fncCLng(fncVal("1e400")), 2147483647);
}

TEST(Val, NumericTestWantsTheWholeText) {
  EXPECT_TRUE(fncIsNumeric(" 3 "));
  EXPECT_TRUE(fncIsNumeric("-2.5e1"));
  EXPECT_FALSE(fncIsNumeric("3a"));
  EXPECT_FALSE(fncIsNumeric(""));
  EXPECT_FALSE(fncIsNumeric(" "));
}

TEST(Val, BooleansReadAsWordsOrNumbers) {
  EXPECT_EQ(fncCBool("True"), true);
  EXPECT_EQ(fncCBool(" false "), false);
  EXPECT_EQ(fncCBool("TRUE"), true);
  EXPECT_EQ(fncCBool("0"), false);
  EXPECT_EQ(fncCBool("-1"), true);
  EXPECT_EQ(fncCBool("yes"), std::nullopt);
  EXPECT_EQ(fncCBool(""), std::nullopt);
}

TEST(Text, FormatsAndTrims) {
  EXPECT_EQ(fncStrSigned(3), " 3");
  EXPECT_EQ(fncStrSigned(-3), "-3");
  EXPECT_EQ(fncStr(-7), "-7");
  EXPECT_EQ(fncTrim("  a b  "), "a b");
  EXPECT_EQ(fncTrim("\ta "), "\ta");  // only blanks are trimmed
}

}  // namespace
}  // namespace pakkon
