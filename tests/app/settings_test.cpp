#include "app/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <regex>

#include "app/errorlog.h"
#include "app/progress.h"
#include "app/puzzle_list.h"
#include "app/session.h"
#include "app/startup.h"
#include "model/puzzle_file.h"
#include "platform/cp932.h"
#include "platform/ini.h"
#include "platform/scripted_dialogs.h"
#include "support/memory_storage.h"
#include "support/packing.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

class Settings : public ::testing::Test {
 protected:
  test::TempDir dir;
  ScriptedDialogs dialogs;
  PuzzleState st;
  FileStorage files{LinkMode::Replace};

  std::string shippedIni() { return test::readFile(std::string(PAKKON_SOURCE_DIR) + "/data/Init.ini"); }
  std::string ini() { return dir.file("Init.ini"); }
  // The program folder is given without its final "/": start-up adds it.
  bool start() { return fncStartup_prepare(st, dialogs, dir.path().substr(0, dir.path().size() - 1)); }
};

TEST_F(Settings, AMissingFileIsReportedAndEndsTheStart) {
  EXPECT_FALSE(start());
  ASSERT_EQ(dialogs.calls().size(), 1u);
  const auto& c = dialogs.last();
  EXPECT_EQ(c.title, "初期設定ファイル異常");
  EXPECT_EQ(c.text,
            "初期設定ファイル\r\n" + ini() + "\r\nが見つかりませんでした。\r\nインストールをやり直してください。\r\n");
  EXPECT_EQ(c.icon, MsgIcon::Critical);

  // A folder in its place is no file either.
  std::filesystem::create_directory(ini());
  EXPECT_FALSE(start());
  ASSERT_EQ(dialogs.calls().size(), 2u);
  EXPECT_EQ(dialogs.calls()[1].text, dialogs.calls()[0].text);
}

TEST_F(Settings, TheShippedFileStartsAtTheLoaderInitialState) {
  test::writeFile(ini(), shippedIni());
  ASSERT_TRUE(start());
  EXPECT_EQ(st.G_sVersion, " Ver 1.1.0");
  EXPECT_EQ(st.G_sAppPath, dir.path());
  EXPECT_TRUE(st.G_bDemo);  // a new player sees the demonstration
  EXPECT_EQ(st.G_sDataPath, dir.path() + "Data");
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "Data"));
  EXPECT_EQ(st.GE_lRotate, 12345678);
  for (int i = 0; i < kPieces; ++i) {
    EXPECT_EQ(st.GE_iRotation[i], i);
    EXPECT_EQ(st.G_Info_Piece[i].iNo, 0);
  }
  EXPECT_TRUE(dialogs.calls().empty());
  EXPECT_EQ(fncMainCaption(st), "３Ｄ空間パズル・ゲーム ぱっこん Ver 1.1.0");
}

TEST_F(Settings, AFileWithOnlyTheDemoFlagStartsWithZeroCounters) {
  test::writeFile(ini(), "[SYSTEM]\r\nDEMO=False\r\n");
  st.GE_lRotate = 5;
  ASSERT_TRUE(start());
  EXPECT_EQ(st.GE_lRotate, 0);
  EXPECT_EQ(st.GE_iRotation[3], 0);
  EXPECT_EQ(st.G_sDataPath, dir.path() + "Data");
}

TEST_F(Settings, DemoFlagReadsWordsAndNumbersAndOtherwiseFalse) {
  const std::pair<const char*, bool> cases[] = {{"True", true}, {"false", false}, {"1", true},
                                                {"0", false},   {"maybe", false}, {"", false}};
  for (const auto& [text, expected] : cases) {
    test::writeFile(ini(), std::string("[SYSTEM]\r\nDEMO=") + text + "\r\n");
    ASSERT_TRUE(fncInit_load(files, (st.G_sAppPath = dir.path(), st), dialogs));
    EXPECT_EQ(st.G_bDemo, expected) << text;
  }
  test::writeFile(ini(), "[Other]\r\n");
  ASSERT_TRUE(fncInit_load(files, st, dialogs));
  EXPECT_FALSE(st.G_bDemo);
}

TEST_F(Settings, AConfiguredDataFolderIsCreatedOrReplacedByTheProgramFolder) {
  test::writeFile(ini(), fncCp932_encode("[SYSTEM]\r\nDEMO=False\r\n[フォルダPath]\r\nDATA_Folda_Path=" + dir.path() +
                                         "Puzzles\r\n"));
  ASSERT_TRUE(start());
  EXPECT_EQ(st.G_sDataPath, dir.path() + "Puzzles");
  EXPECT_TRUE(std::filesystem::is_directory(st.G_sDataPath));

  // Two levels are not created: the program folder is used instead.
  test::writeFile(ini(), fncCp932_encode("[SYSTEM]\r\nDEMO=False\r\n[フォルダPath]\r\nDATA_Folda_Path=" + dir.path() +
                                         "no/such\r\n"));
  ASSERT_TRUE(start());
  EXPECT_EQ(st.G_sDataPath, dir.path().substr(0, dir.path().size() - 1));
  ASSERT_EQ(dialogs.calls().size(), 1u);
  EXPECT_EQ(dialogs.last().title, "データ・フォルダ異常");
  EXPECT_NE(dialogs.last().text.find(dir.path() + "no/such"), std::string::npos);
}

TEST_F(Settings, ARelativeDataFolderLiesInTheProgramFolderWhereverTheStartWasMade) {
  test::writeFile(ini(), fncCp932_encode("[SYSTEM]\r\nDEMO=False\r\n[フォルダPath]\r\nDATA_Folda_Path=Puzzles\r\n"));
  test::TempDir elsewhere;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(elsewhere.path());
  const bool started = start();
  std::filesystem::current_path(before);
  ASSERT_TRUE(started);
  EXPECT_EQ(st.G_sDataPath, dir.path() + "Puzzles");
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "Puzzles"));
  EXPECT_FALSE(std::filesystem::exists(elsewhere.path() + "Puzzles"));
}

TEST_F(Settings, ClosingDuringTheDemonstrationWritesTheCounters) {
  test::writeFile(ini(), shippedIni());
  st.G_sAppPath = dir.path();
  st.GE_lRotate = 21345678;
  st.G_Info_Piece[5] = {6, 4, 3};
  subInit_writeBack(files, st, true);
  EXPECT_EQ(fncIni_get("Rotate", "GE_lRotate", ini()), "21345678");
  EXPECT_EQ(fncIni_get("Rotate", "GE_iRotation(0)", ini()), "1");
  EXPECT_EQ(fncIni_get("Rotate", "GE_iRotation(1)", ini()), "0");
  EXPECT_EQ(fncIni_get("Info", "G_Info_Piece(5).iNo", ini()), "6");
  EXPECT_EQ(fncIni_get("Info", "G_Info_Piece(5).iFace_ct", ini()), "4");
  EXPECT_EQ(fncIni_get("Info", "G_Info_Piece(5).iTurn_CtZ", ini()), "3");
  EXPECT_EQ(st.GE_iRotation[0], 1);

  // The shipped file is the INIT state, so writing it back changes nothing.
  test::writeFile(ini(), shippedIni());
  PuzzleState initial;
  initial.G_sAppPath = dir.path();
  initial.GE_lRotate = 12345678;
  subInit_writeBack(files, initial, true);
  EXPECT_EQ(test::readFile(ini()), shippedIni());

  // Fewer than eight digits: the missing ones decode to -1.
  initial.GE_lRotate = 1234567;
  subInit_writeBack(files, initial, true);
  EXPECT_EQ(fncIni_get("Rotate", "GE_iRotation(7)", ini()), "-1");
  EXPECT_EQ(initial.GE_iRotation[7], -1);
}

TEST_F(Settings, ClosingOutsideTheDemonstrationWritesNothing) {
  test::writeFile(ini(), shippedIni());
  st.G_sAppPath = dir.path();
  st.GE_lRotate = 87654321;
  subInit_writeBack(files, st, false);
  EXPECT_EQ(test::readFile(ini()), shippedIni());
}

TEST_F(Settings, DemoFlagIsWrittenAsWord) {
  test::writeFile(ini(), shippedIni());
  st.G_sAppPath = dir.path();
  st.G_bDemo = false;
  subDemo_put(files, st);
  EXPECT_EQ(fncIni_get("SYSTEM", "DEMO", ini()), "False");
  std::string expected = shippedIni();
  expected.replace(expected.find("DEMO=True"), 9, "DEMO=False");
  EXPECT_EQ(test::readFile(ini()), expected);
}

TEST(FrontEndStorage, InitIniAndThePuzzleListAreReadAndWrittenThroughIt) {
  test::TempDir dir;  // only the data folder is made there
  test::MemoryStorage memory;
  ScriptedDialogs dialogs;
  DialogsHost host(dialogs);
  Session session(host);
  PuzzleState& st = session.state();
  session.setStorage(memory);
  const std::string ini = dir.file("Init.ini");
  const std::string shipped = test::readFile(std::string(PAKKON_SOURCE_DIR) + "/data/Init.ini");
  memory.files[ini] = shipped;
  ASSERT_TRUE(fncStartup_prepare(st, dialogs, dir.path(), memory));
  EXPECT_TRUE(st.G_bDemo);
  EXPECT_FALSE(std::filesystem::exists(ini));

  // Each choice changes its own key and keeps the rest of the file.
  EXPECT_FALSE(session.preferences().bPlayTime);
  ASSERT_TRUE(session.setPreference(kPrefPlayTime, true));
  const ParsedCommands english = fncCommands_parse("language en");
  AutoLoadHooks none;
  ASSERT_TRUE(session.command(english.commands.at(0), none, {}).done);
  EXPECT_TRUE(session.preferences().bPlayTime);
  EXPECT_EQ(session.preferences().sLanguage, "en");
  st.GE_lRotate = 0;
  ASSERT_TRUE(fncInit_load(memory, st, dialogs));
  EXPECT_EQ(st.GE_lRotate, 12345678);
  EXPECT_EQ(memory.files.size(), 1u);

  // A file too large to be understood is reported and never replaced.
  const std::string huge(kSettingsFileMax + 1, ';');
  memory.files[ini] = huge;
  EXPECT_FALSE(fncInit_load(memory, st, dialogs));
  EXPECT_NE(dialogs.last().text.find("を読み込めませんでした。"), std::string::npos);
  EXPECT_FALSE(session.setLanguage("ja"));
  EXPECT_EQ(memory.files[ini], huge);
  memory.files.erase(ini);
  EXPECT_FALSE(fncInit_load(memory, st, dialogs));
  EXPECT_NE(dialogs.last().text.find("が見つかりませんでした。"), std::string::npos);

  // Only the folder's own puzzle files, by name.
  PuzzleState puzzle = test::shippedPuzzle("05-brick");
  puzzle.G_sVersion = " Ver 1.1.0";
  PuzzleKey key{};
  ASSERT_TRUE(fncPuzzle_encode(puzzle, key, memory.files["/page/Data/b.bin"]));
  memory.files["/page/Data/a.BIN"] = "Ver 1.1.0";
  memory.files["/page/Data/notes.txt"] = "";
  memory.files["/page/Data/old/c.bin"] = "";
  const PuzzleList list = fncPuzzleList_read(memory, "/page/Data", ProgressBook{});
  ASSERT_EQ(list.rows.size(), 2u);
  EXPECT_EQ(list.rows[0].path, "/page/Data/a.BIN");
  EXPECT_EQ(list.rows[0].problem, "パズル・ファイルにしては短すぎます");
  EXPECT_EQ(list.rows[1].comment, "れんがの箱");
}

TEST(ErrorLog, OneMessageBoxAndOneLinePerReport) {
  test::TempDir dir;
  ScriptedDialogs dialogs;
  subError_log(dialogs, dir.path(), "Line 150:Disk full", "frmMain.subFile_put() 61");
  subError_log(dialogs, dir.path(), "Line 0:Path not found", "frmMain.mnuFileOpen_Click() 76");
  ASSERT_EQ(dialogs.calls().size(), 2u);
  EXPECT_EQ(dialogs.calls()[0].text, "Error Line 150:Disk full");
  EXPECT_EQ(dialogs.calls()[0].title, "frmMain.subFile_put() 61");
  EXPECT_EQ(dialogs.calls()[0].icon, MsgIcon::Critical);
  const std::string log = test::readFile(dir.file("Error_Log.TXT"));
  const std::regex line(
      R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d frmMain\.subFile_put\(\) 61 Line 150:Disk full\r\n)"
      R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d frmMain\.mnuFileOpen_Click\(\) 76 Line 0:Path not found\r\n)");
  EXPECT_TRUE(std::regex_match(log, line)) << log;

  std::tm t{};
  t.tm_year = 124, t.tm_mon = 0, t.tm_mday = 15, t.tm_hour = 9, t.tm_min = 5, t.tm_sec = 7;
  EXPECT_EQ(fncErrorLog_line(t, "Line 150:Disk full", "frmMain.subFile_put() 61"),
            "2024/01/15 09:05:07 frmMain.subFile_put() 61 Line 150:Disk full\r\n");
}

TEST(ErrorLog, AnUnwritableLogStillShowsTheMessage) {
  ScriptedDialogs dialogs;
  subError_log(dialogs, "/nonexistent/folder/", "Line 1:x", "here 5");
  EXPECT_EQ(dialogs.calls().size(), 1u);
}

}  // namespace
}  // namespace pakkon
