#include "qt/instance_lock.h"

#include <signal.h>
#include <sys/stat.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>

#include "platform/files.h"

namespace pakkon {
namespace {

// A copy writes its lock file right after creating it and holds it locked
// meanwhile, so an unnamed file that cannot be removed is looked at again
// for a while before it counts as a fault.
constexpr int kLooks = 20;
constexpr unsigned long kLookPauseMs = 50;
// A lock file holds a few short lines; QLockFile would read a bigger one
// whole before finding it names nobody.
constexpr off_t kLockFileMax = 4096;

bool processAlive(qint64 pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

std::string kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder, not a file";
  if (S_ISFIFO(mode)) return "a pipe, not a file";
  if (S_ISLNK(mode)) return "a symbolic link, not a file";
  return "not a regular file";
}

}  // namespace

QString fncInstanceLock_path(const QString& programDir) {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  const QByteArray key = QCryptographicHash::hash(programDir.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
  return dir + QStringLiteral("/pakkon-") + QString::fromLatin1(key) + QStringLiteral(".lock");
}

InstanceLock::InstanceLock(const QString& path) : path_(path), lock_(path) {
  // The lock belongs to the running process, however long it runs.
  lock_.setStaleLockTime(0);
}

InstanceLock::Result InstanceLock::acquire() {
  // QLockFile would wait for a writer on a FIFO and can never replace a
  // folder; nothing else in the lock's place is anybody's lock.
  struct stat st {};
  if (::lstat(QFile::encodeName(path_).constData(), &st) == 0 && !S_ISREG(st.st_mode))
    return fail(kErrAccess, kindOf(st.st_mode));
  if (st.st_size > kLockFileMax && !lock_.removeStaleLockFile())
    return fail(kErrAccess, "damaged and cannot be removed");

  for (int look = 0; look < kLooks; ++look) {
    errno = 0;
    if (lock_.tryLock(0)) return Result::Acquired;
    // A failed create or write leaves its cause in errno.
    const int cause = errno;
    if (lock_.error() != QLockFile::LockFailedError) {
      const int number = cause == ENOENT                               ? kErrPathNotFound
                         : cause != 0                                  ? fncIoError_from(cause).number
                         : lock_.error() == QLockFile::PermissionError ? kErrPermission
                                                                       : kErrDeviceIo;
      return fail(number, "cannot be created");
    }
    // QLockFile has already taken over a lock naming a dead process where
    // it could; what it leaves names a live one, is empty or damaged (a copy
    // ended between creating and writing it), or could not be removed.
    qint64 pid = 0;
    const bool named = lock_.getLockInfo(&pid, nullptr, nullptr);
    if (named && processAlive(pid)) return Result::Running;
    if (lock_.removeStaleLockFile()) continue;
    if (named) break;
    QThread::msleep(kLookPauseMs);
  }
  return fail(kErrAccess, "names no running copy and cannot be removed");
}

InstanceLock::Result InstanceLock::fail(int number, const std::string& why) {
  errorNumber_ = number;
  errorText_ = fncIoError_make(number).description + " (instance lock " + QFile::encodeName(path_).toStdString() +
               ": " + why + ")";
  return Result::Failed;
}

}  // namespace pakkon
