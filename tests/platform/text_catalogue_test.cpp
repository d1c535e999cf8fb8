// The catalogue look-up of the core's texts, Japanese mode, and the choice
// of language in Init.ini.

#include "platform/text_catalogue.h"

#include <gtest/gtest.h>

#include "app/settings.h"
#include "platform/ini.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

TEST(TextCatalogue, JapaneseIsTheTextItselfAndMessagesTakeTheirArgumentsOnce) {
  test::TempDir dir;
  // A missing English catalogue leaves the game Japanese.
  EXPECT_FALSE(subTextLanguage_set("en", dir.path() + "locale"));
  EXPECT_FALSE(fncText_english());
  ASSERT_TRUE(subTextLanguage_set("ja", dir.path() + "locale"));
  const char* text = "そこには、置けません！";
  EXPECT_EQ(fncText(text), text);

  // Lines come out joined by CR LF; an argument is put in as it is, even
  // one that looks like a placeholder or holds a line feed.
  EXPECT_EQ(fncText_message("%1 既に使用しています！", {"3"}), "3 既に使用しています！");
  EXPECT_EQ(fncText_message("フォルダ\n%1\nと %2。", {"a%2\nb", "c"}), "フォルダ\r\na%2\nb\r\nと c。");
  EXPECT_EQ(fncText_message("%2 と %1 と %3", {"x", "y"}), "y と x と %3");
  EXPECT_EQ(fncText_message("100%", {}), "100%");
}

TEST(TextCatalogue, OnlyAnExplicitEnglishInInitIniChoosesEnglish) {
  test::TempDir dir;
  const std::string ini = dir.file("Init.ini");
  EXPECT_EQ(fncPreferences_read(ini).sLanguage, "ja");  // no file at all
  test::writeFile(ini, "[SYSTEM]\r\nDEMO=False\r\n");
  EXPECT_EQ(fncPreferences_read(ini).sLanguage, "ja");
  for (const char* other : {"fr", "EN", "english"}) {
    fncIni_put("SYSTEM", "LANGUAGE", other, ini);
    EXPECT_EQ(fncPreferences_read(ini).sLanguage, "ja") << other;
  }
  PuzzleState st;
  st.G_sAppPath = dir.path();
  FileStorage files(LinkMode::Replace);
  ASSERT_TRUE(fncLanguage_put(files, st, "en"));
  EXPECT_EQ(fncIni_get("SYSTEM", "LANGUAGE", ini), "en");
  EXPECT_EQ(fncPreferences_load(st).sLanguage, "en");
  EXPECT_EQ(fncIni_get("SYSTEM", "DEMO", ini), "False");  // the rest of the file is kept
}

}  // namespace
}  // namespace pakkon
