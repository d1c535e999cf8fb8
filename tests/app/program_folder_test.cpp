#include "app/program_folder.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "app/errorlog.h"
#include "app/progress.h"
#include "app/settings.h"
#include "app/startup.h"
#include "platform/ini.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

namespace fs = std::filesystem;

// An unpacked installation: <root>/bin beside <root>/share/pakkon.
class ProgramFolderTest : public ::testing::Test {
 protected:
  test::TempDir root;
  ScriptedDialogs dialogs;
  std::string bin = root.file("bin");
  std::string shared = root.file("share/pakkon");
  Environment env{root.file("xdg"), root.file("home")};

  void SetUp() override {
    fs::create_directories(bin);
    fs::create_directories(shared + "/Data");
    fs::create_directories(shared + "/docs");
    test::writeFile(shared + "/Init.ini", test::readFile(std::string(PAKKON_SOURCE_DIR) + "/data/Init.ini"));
    test::writeFile(shared + "/Data/01-a.bin", "shipped a");
    test::writeFile(shared + "/Data/02-b.bin", "shipped b");
    test::writeFile(shared + "/docs/help.html", "help 1");
  }
  std::string user() const { return root.file("xdg/pakkon"); }
  ProgramFolder choose() const { return fncProgramFolder_choose(bin, env); }
};

TEST_F(ProgramFolderTest, AWritableInitFileBesideTheProgramKeepsItPortable) {
  test::writeFile(bin + "/Init.ini", "[SYSTEM]\r\nDEMO=False\r\n");
  const ProgramFolder folder = choose();
  EXPECT_FALSE(folder.bInstalled);
  EXPECT_EQ(folder.sDir, bin);
  ASSERT_TRUE(fncProgramFolder_ready(folder, dialogs));
  EXPECT_FALSE(fs::exists(root.file("xdg")));
  EXPECT_TRUE(dialogs.calls().empty());

  // Without shared files the missing Init.ini is the portable folder's.
  fs::remove(bin + "/Init.ini");
  fs::remove_all(root.file("share"));
  EXPECT_FALSE(choose().bInstalled);
}

TEST_F(ProgramFolderTest, TheFirstStartFillsThePlayersFolderAndASecondChangesNothing) {
  test::writeFile(bin + "/Init.ini", "read-only");
  fs::permissions(bin + "/Init.ini", fs::perms::owner_read);
  const ProgramFolder folder = choose();
  ASSERT_TRUE(folder.bInstalled);
  EXPECT_EQ(folder.sDir, user());
  ASSERT_TRUE(fncProgramFolder_ready(folder, dialogs));
  EXPECT_TRUE(dialogs.calls().empty());
  EXPECT_EQ(test::readFile(user() + "/Init.ini"), test::readFile(shared + "/Init.ini"));
  EXPECT_EQ(test::readFile(user() + "/Data/02-b.bin"), "shipped b");
  EXPECT_EQ(test::readFile(user() + "/docs/help.html"), "help 1");
  EXPECT_EQ(fs::status(root.file("xdg")).permissions() & fs::perms::all, fs::perms::owner_all);

  std::vector<std::pair<std::string, fs::file_time_type>> before;
  for (const auto& e : fs::recursive_directory_iterator(user())) before.emplace_back(e.path(), e.last_write_time());
  ASSERT_TRUE(fncProgramFolder_ready(folder, dialogs));
  for (const auto& [path, time] : before) EXPECT_EQ(fs::last_write_time(path), time) << path;
  EXPECT_EQ(std::distance(fs::recursive_directory_iterator(user()), {}), static_cast<long>(before.size()));

  // The game then starts there, with the demonstration, on the copied puzzles.
  PuzzleState st;
  ASSERT_TRUE(fncStartup_prepare(st, dialogs, folder.sDir));
  EXPECT_TRUE(st.G_bDemo);
  EXPECT_EQ(st.G_sDataPath, user() + "/Data");
}

TEST_F(ProgramFolderTest, AnUpdateAddsNewPuzzlesKeepsThePlayersAndRefreshesHelp) {
  ASSERT_TRUE(fncProgramFolder_ready(choose(), dialogs));
  test::writeFile(user() + "/Init.ini", "[SYSTEM]\r\nDEMO=False\r\n");
  test::writeFile(user() + "/Data/01-a.bin", "progress");
  test::writeFile(shared + "/Data/01-a.bin", "shipped a, version 2");
  test::writeFile(shared + "/Data/03-c.bin", "shipped c");
  test::writeFile(shared + "/docs/help.html", "help 2");
  ASSERT_TRUE(fncProgramFolder_ready(choose(), dialogs));
  EXPECT_EQ(test::readFile(user() + "/Init.ini"), "[SYSTEM]\r\nDEMO=False\r\n");
  EXPECT_EQ(test::readFile(user() + "/Data/01-a.bin"), "progress");
  EXPECT_EQ(test::readFile(user() + "/Data/03-c.bin"), "shipped c");
  EXPECT_EQ(test::readFile(user() + "/docs/help.html"), "help 2");
}

TEST_F(ProgramFolderTest, TheHomeFolderStandsInForAMissingOrRelativeDataHome) {
  for (const char* xdg : {"", "relative/path"}) {
    env.xdgDataHome = xdg;
    EXPECT_EQ(choose().sDir, root.file("home/.local/share/pakkon")) << xdg;
  }

  // A relative HOME is passed over for the account's home, as a relative XDG_DATA_HOME is.
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("HOME", "relative/home", 1);
  const Environment current = fncEnvironment_current();
  home.empty() ? ::unsetenv("HOME") : ::setenv("HOME", home.c_str(), 1);
  const passwd* account = ::getpwuid(::getuid());
  ASSERT_NE(account, nullptr);
  EXPECT_EQ(current.home, account->pw_dir);

  // With no folder to try, none is named.
  env.home.clear();
  const ProgramFolder folder = choose();
  EXPECT_TRUE(folder.error);
  EXPECT_FALSE(fncProgramFolder_ready(folder, dialogs));
  EXPECT_EQ(dialogs.last().title, "起動時エラー");
  EXPECT_EQ(dialogs.last().text.find(bin), std::string::npos) << dialogs.last().text;
  EXPECT_NE(dialogs.last().text.find("neither XDG_DATA_HOME nor HOME"), std::string::npos);
}

TEST_F(ProgramFolderTest, AFolderThePlayerMayNotMakeIsSaidToBeSo) {
  // Root may make folders anywhere but in /sys.
  std::string locked = "/sys";
  if (::geteuid() != 0) {
    locked = root.file("locked");
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  }
  env.xdgDataHome = locked;
  EXPECT_FALSE(fncProgramFolder_ready(choose(), dialogs));
  EXPECT_NE(dialogs.last().text.find("Permission denied (" + locked + "/pakkon)"), std::string::npos)
      << dialogs.last().text;
}

TEST_F(ProgramFolderTest, LinksInThePlayersFolderStayAndWhatTheyPointAtIsNeverWritten) {
  ASSERT_TRUE(fncProgramFolder_ready(choose(), dialogs));
  const std::string mine = root.file("mine");
  const std::string ini = "[SYSTEM]\r\nDEMO=False\r\n", book = R"({"format": "pakkon-progress 1", "puzzles": {}})";
  test::writeFile(mine, ini);
  auto link = [&](const std::string& at, const std::string& target) {
    fs::remove_all(user() + "/" + at);
    fs::create_symlink(target, user() + "/" + at);
  };
  link("docs/help.html", mine);
  link("Data/03-c.bin", root.file("none.bin"));  // dangling, where a new puzzle arrives
  test::writeFile(shared + "/Data/03-c.bin", "shipped c");
  test::writeFile(shared + "/docs/help.html", "help 2");
  ASSERT_TRUE(fncProgramFolder_ready(choose(), dialogs));
  EXPECT_TRUE(fs::is_symlink(user() + "/docs/help.html") && fs::is_symlink(user() + "/Data/03-c.bin"));
  EXPECT_FALSE(fs::exists(root.file("none.bin")));
  fs::create_directory(root.file("docs"));
  link("docs", root.file("docs"));  // a linked folder as a whole
  ASSERT_TRUE(fncProgramFolder_ready(choose(), dialogs));
  EXPECT_TRUE(fs::is_empty(root.file("docs")));

  // Settings and progress replace a link with the file, carrying what was
  // read through it; the log leaves a link alone.
  link("Init.ini", mine);
  ASSERT_TRUE(fncIni_put("View", "Preview", "False", user() + "/Init.ini"));
  EXPECT_EQ(test::readFile(user() + "/Init.ini"), ini + "[View]\r\nPreview=False\r\n");
  EXPECT_EQ(test::readFile(mine), ini);  // after the starts too
  test::writeFile(mine, book);
  link("Data/Progress.json", mine);
  ProgressBook progress;
  ASSERT_EQ(progress.load(user() + "/Data/Progress.json"), ProgressLoad::Ok);
  ASSERT_FALSE(progress.save(user() + "/Data/Progress.json"));
  EXPECT_FALSE(fs::is_symlink(user() + "/Data/Progress.json"));
  link(kErrorLogName, mine);
  subError_log(dialogs, user() + "/", "Line 0:x", "here 1");
  EXPECT_EQ(test::readFile(mine), book);
}

TEST_F(ProgramFolderTest, AFolderThatCannotBeHadEndsTheStartAndAMissingCopyOnlyWarns) {
  // A file where the folder should be.
  test::writeFile(root.file("xdg"), "");
  EXPECT_FALSE(fncProgramFolder_ready(choose(), dialogs));
  EXPECT_NE(dialogs.last().text.find(user()), std::string::npos);
  fs::remove(root.file("xdg"));

  // A pipe in place of the template is refused at once, never waited on.
  fs::rename(shared + "/Init.ini", root.file("Init.ini"));
  ASSERT_EQ(::mkfifo((shared + "/Init.ini").c_str(), 0644), 0);
  EXPECT_FALSE(fncProgramFolder_ready(choose(), dialogs));
  EXPECT_NE(dialogs.last().text.find("a pipe"), std::string::npos);
  fs::remove(shared + "/Init.ini");
  fs::rename(root.file("Init.ini"), shared + "/Init.ini");

  fs::create_directories(user());
  test::writeFile(user() + "/Data", "");
  ASSERT_TRUE(fncProgramFolder_ready(choose(), dialogs));
  EXPECT_EQ(dialogs.last().title, "プログラム・フォルダ異常");
  EXPECT_TRUE(fs::exists(user() + "/Init.ini"));
  EXPECT_NE(test::readFile(user() + "/Error_Log.TXT").find(user() + "/Data"), std::string::npos);
}

}  // namespace
}  // namespace pakkon
