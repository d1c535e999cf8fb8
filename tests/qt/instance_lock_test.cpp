#include "qt/instance_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <filesystem>

#include "platform/files.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

using Result = InstanceLock::Result;

QString q(const std::string& path) { return QString::fromStdString(path); }

TEST(InstanceLock, OnlyALockHeldByALiveCopyKeepsTheStartOut) {
  test::TempDir dir;
  const QString path = q(dir.file("pakkon.lock"));
  {
    QLockFile other(path);
    ASSERT_TRUE(other.tryLock(0));
    EXPECT_EQ(InstanceLock(path).acquire(), Result::Running);
    EXPECT_TRUE(other.isLocked());
    EXPECT_TRUE(QFile::exists(path));
  }
  InstanceLock first(path);
  ASSERT_EQ(first.acquire(), Result::Acquired);
  EXPECT_EQ(InstanceLock(path).acquire(), Result::Running);
}

TEST(InstanceLock, AnEmptyDamagedOrDeadLockIsTakenOver) {
  test::TempDir dir;
  const std::string file = dir.file("pakkon.lock");
  // The last one names a process number no system hands out.
  for (const char* left : {"", "\n\n", "garbage\x01\xff", "999999999\npakkon\n\n"}) {
    test::writeFile(file, left);
    InstanceLock lock(q(file));
    EXPECT_EQ(lock.acquire(), Result::Acquired) << left;
    EXPECT_EQ(InstanceLock(q(file)).acquire(), Result::Running) << left;
  }
}

TEST(InstanceLock, AnyOtherFaultLetsTheProgramStartAndSaysWhy) {
  test::TempDir dir;
  std::filesystem::create_directory(dir.file("folder.lock"));
  InstanceLock folder(q(dir.file("folder.lock")));
  EXPECT_EQ(folder.acquire(), Result::Failed);
  EXPECT_EQ(folder.errorNumber(), kErrAccess);
  EXPECT_NE(folder.errorText().find("a folder, not a file"), std::string::npos) << folder.errorText();
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.lock")));

  // Answered at once, never waited on.
  ASSERT_EQ(::mkfifo(dir.file("pipe.lock").c_str(), 0600), 0);
  EXPECT_EQ(InstanceLock(q(dir.file("pipe.lock"))).acquire(), Result::Failed);

  // A file where the runtime folder should be, and no folder at all.
  test::writeFile(dir.file("runtime"), "");
  for (const std::string& path : {dir.file("runtime/pakkon.lock"), dir.file("gone/pakkon.lock")}) {
    InstanceLock lock(q(path));
    EXPECT_EQ(lock.acquire(), Result::Failed) << path;
    EXPECT_EQ(lock.errorNumber(), kErrPathNotFound) << lock.errorText();
    EXPECT_NE(lock.errorText().find(path), std::string::npos) << lock.errorText();
  }
}

}  // namespace
}  // namespace pakkon
