// The file services under attack: links, read-only files, folders, FIFOs,
// devices, huge files and full disks.

#include "platform/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/errorlog.h"
#include "app/settings.h"
#include "platform/ini.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

namespace fs = std::filesystem;

class Files : public ::testing::Test {
 protected:
  // What is in the folder apart from the given names.
  std::vector<std::string> others(std::initializer_list<std::string> known) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir.path())) {
      const std::string name = e.path().filename().string();
      if (std::find(known.begin(), known.end(), name) == known.end()) out.push_back(name);
    }
    return out;
  }
  test::TempDir dir;
};

TEST_F(Files, SavingThroughALinkReplacesTheFileItPointsAt) {
  fs::create_directory(dir.file("real"));
  test::writeFile(dir.file("real/P.bin"), "old");
  ::chmod(dir.file("real/P.bin").c_str(), 0640);
  fs::create_symlink("real/P.bin", dir.file("link.bin"));
  ASSERT_FALSE(fncFile_writeAtomic(dir.file("link.bin"), "new"));
  EXPECT_TRUE(fs::is_symlink(dir.file("link.bin")));
  EXPECT_EQ(test::readFile(dir.file("real/P.bin")), "new");
  EXPECT_EQ(fs::status(dir.file("real/P.bin")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_TRUE(others({"real", "link.bin"}).empty());
}

TEST_F(Files, ARefusedTargetIsLeftExactlyAsItWas) {
  // Read-only by its bits, whoever runs the program.
  test::writeFile(dir.file("ro.bin"), "keep");
  ::chmod(dir.file("ro.bin").c_str(), 0444);
  IoError e = fncFile_writeAtomic(dir.file("ro.bin"), "new");
  EXPECT_EQ(e.number, kErrAccess);
  EXPECT_EQ(e.text(), "Path/File access error (the file is read-only)");
  EXPECT_EQ(test::readFile(dir.file("ro.bin")), "keep");

  fs::create_directory(dir.file("folder.bin"));
  EXPECT_EQ(fncFile_writeAtomic(dir.file("folder.bin"), "new").detail, "a folder, not a file");
  EXPECT_TRUE(fs::is_directory(dir.file("folder.bin")));

  ASSERT_EQ(::mkfifo(dir.file("fifo.bin").c_str(), 0644), 0);
  EXPECT_EQ(fncFile_writeAtomic(dir.file("fifo.bin"), "new").detail, "a pipe, not a file");
  EXPECT_TRUE(fs::is_fifo(dir.file("fifo.bin")));

  fs::create_symlink("/dev/null", dir.file("null.bin"));
  EXPECT_EQ(fncFile_writeAtomic(dir.file("null.bin"), "new").detail, "a device, not a file");
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  EXPECT_EQ(fncFile_writeAtomic(dir.file("missing/x.bin"), "new").number, kErrFileNotFound);
  EXPECT_TRUE(others({"ro.bin", "folder.bin", "fifo.bin", "null.bin"}).empty());
}

TEST_F(Files, ANameNearTheLimitCanStillBeSavedAndAFullDiskKeepsTheOldFile) {
  const std::string longName = dir.file(std::string(250, 'n') + ".bin");
  ASSERT_FALSE(fncFile_writeAtomic(longName, "first"));
  EXPECT_EQ(test::readFile(longName), "first");

  WriteFaults full;
  full.failAtWrite = 0;
  EXPECT_EQ(fncFile_writeAtomic(longName, "second", &full).number, kErrDiskFull);
  EXPECT_EQ(test::readFile(longName), "first");
  EXPECT_EQ(others({fs::path(longName).filename().string()}).size(), 0u);

  if (fs::exists("/dev/full")) {  // a real write error, through a link to the device
    fs::create_symlink("/dev/full", dir.file("full.bin"));
    EXPECT_TRUE(fncFile_writeAtomic(dir.file("full.bin"), "x"));
  }
}

TEST_F(Files, InterruptedSavesAreSweptAwayButLiveOnesAreNot) {
  test::writeFile(dir.file(".pakkon-999999999-0.tmp"), "left by a crash");
  test::writeFile(dir.file(".pakkon-" + std::to_string(::getppid()) + "-0.tmp"), "being written");
  test::writeFile(dir.file("P.bin"), "puzzle");
  subTempFiles_sweep(dir.path());
  EXPECT_FALSE(fs::exists(dir.file(".pakkon-999999999-0.tmp")));
  EXPECT_TRUE(fs::exists(dir.file(".pakkon-" + std::to_string(::getppid()) + "-0.tmp")));
  EXPECT_TRUE(fs::exists(dir.file("P.bin")));
}

TEST_F(Files, ReadersRefuseWhatIsNotASmallRegularFileAtOnce) {
  std::string bytes;
  fs::create_directory(dir.file("folder"));
  EXPECT_EQ(fncFile_readAll(dir.file("folder"), bytes, 4096).detail, "a folder, not a file");
  // A FIFO without a writer would block a plain open.
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);
  EXPECT_EQ(fncFile_readAll(dir.file("fifo"), bytes, 4096).detail, "a pipe, not a file");
  EXPECT_EQ(fncFile_readAll("/dev/zero", bytes, 4096).detail, "a device, not a file");

  // A sparse file of 4 GiB: refused from its size, nothing read.
  {
    const int fd = ::open(dir.file("huge").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 4LL << 30), 0);
    ::close(fd);
  }
  const IoError e = fncFile_readAll(dir.file("huge"), bytes, 4096);
  EXPECT_EQ(e.number, kErrBadFormat);
  EXPECT_EQ(e.detail, "4294967296 bytes, more than 4096 bytes can be");
  EXPECT_TRUE(bytes.empty());
  EXPECT_LT(bytes.capacity(), 8192u);

  EXPECT_EQ(fncFile_readAll(dir.file("none"), bytes, 4096).number, kErrFileNotFound);
}

TEST_F(Files, SettingsAndTheLogNeverWaitOnAFifo) {
  ASSERT_EQ(::mkfifo(dir.file("Init.ini").c_str(), 0644), 0);
  EXPECT_EQ(fncIni_get("SYSTEM", "DEMO", dir.file("Init.ini")), "");
  EXPECT_FALSE(fncIni_put("SYSTEM", "DEMO", "True", dir.file("Init.ini")));
  EXPECT_TRUE(fs::is_fifo(dir.file("Init.ini")));
  ScriptedDialogs dialogs;
  PuzzleState st;
  st.G_sAppPath = dir.path();
  FileStorage files;
  EXPECT_FALSE(fncInit_load(files, st, dialogs));
  EXPECT_EQ(dialogs.last().title, "初期設定ファイル異常");
  EXPECT_NE(dialogs.last().text.find("a pipe, not a file"), std::string::npos);
  dialogs.clear();

  ASSERT_EQ(::mkfifo(dir.file(kErrorLogName).c_str(), 0644), 0);
  subError_log(dialogs, dir.path(), "Line 0:x", "here 1");
  EXPECT_EQ(dialogs.calls().size(), 1u);  // the message is still shown
  EXPECT_TRUE(fs::is_fifo(dir.file(kErrorLogName)));
}

}  // namespace
}  // namespace pakkon
