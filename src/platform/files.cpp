#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace pakkon {

IoError fncIoError_make(int number, std::string detail) {
  IoError e;
  e.number = number;
  e.detail = std::move(detail);
  switch (number) {
    case kErrOverflow: e.description = "Overflow"; break;
    case kErrOutOfMemory: e.description = "Out of memory"; break;
    case kErrFileNotFound: e.description = "File not found"; break;
    case kErrDeviceIo: e.description = "Device I/O error"; break;
    case kErrDiskFull: e.description = "Disk full"; break;
    case kErrPastEnd: e.description = "Input past end of file"; break;
    case kErrPermission: e.description = "Permission denied"; break;
    case kErrPathNotFound: e.description = "Path not found"; break;
    case kErrBadFormat: e.description = "Invalid file format"; break;
    default: e.number = kErrAccess; e.description = "Path/File access error";
  }
  return e;
}

IoError fncIoError_from(int err) {
  switch (err) {
    case 0: return {};
    case ENOENT: return fncIoError_make(kErrFileNotFound);
    case ENOTDIR: return fncIoError_make(kErrPathNotFound);
    case ENOSPC:
    case EDQUOT: return fncIoError_make(kErrDiskFull);
    case EACCES:
    case EPERM: return fncIoError_make(kErrPermission);
    case EROFS: return fncIoError_make(kErrPermission, "read-only file system");
    case EIO: return fncIoError_make(kErrDeviceIo);
    case ENOMEM: return fncIoError_make(kErrOutOfMemory);
    case ENAMETOOLONG: return fncIoError_make(kErrAccess, "name too long");
    case ELOOP: return fncIoError_make(kErrAccess, "too many symbolic links");
    default: return fncIoError_make(kErrAccess);
  }
}

namespace {

std::string kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return kFolderNotFile;
  if (S_ISFIFO(mode)) return "a pipe, not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device, not a file";
  if (S_ISSOCK(mode)) return "a socket, not a file";
  return "not a regular file";
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

bool writeAll(int fd, const char* p, size_t n) {
  while (n > 0) {
    const ssize_t w = ::write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += w;
    n -= static_cast<size_t>(w);
  }
  return true;
}

// Temporary files are named after the process that writes them, short
// enough for any target name and recognisable by the sweep.
constexpr const char* kTempPrefix = ".pakkon-";

std::string tempName(const std::string& folder, unsigned serial) {
  return folder + "/" + kTempPrefix + std::to_string(::getpid()) + "-" + std::to_string(serial) + ".tmp";
}

}  // namespace

IoError fncFile_readAll(const std::string& path, std::string& bytes, size_t maxBytes) {
  bytes.clear();
  // Without O_NONBLOCK, opening a FIFO would wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return fncIoError_from(errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const IoError e = fncIoError_from(errno);
    ::close(fd);
    return e;
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return fncIoError_make(kErrAccess, kindOf(info.st_mode));
  }
  if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
    ::close(fd);
    return fncIoError_make(kErrBadFormat, std::to_string(info.st_size) + " bytes, more than " +
                                              std::to_string(maxBytes) + " bytes can be");
  }
  bytes.reserve(static_cast<size_t>(info.st_size));
  char buf[8192];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      const IoError e = fncIoError_from(errno);
      ::close(fd);
      bytes.clear();
      return e;
    }
    if (n == 0) break;
    // The file may grow while it is read.
    if (bytes.size() + static_cast<size_t>(n) > maxBytes) {
      ::close(fd);
      bytes.clear();
      return fncIoError_make(kErrBadFormat, "more than " + std::to_string(maxBytes) + " bytes can be");
    }
    bytes.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return {};
}

std::string fncPath_resolve(const std::string& path) {
  std::string p = path;
  for (int hops = 0; hops < 40; ++hops) {
    char target[PATH_MAX];
    const ssize_t n = ::readlink(p.c_str(), target, sizeof target - 1);
    if (n < 0) return p;
    target[n] = '\0';
    p = target[0] == '/' ? std::string(target) : folderOf(p) + "/" + target;
  }
  return p;
}

bool fncFile_same(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

AtomicWriter::AtomicWriter(std::string target, const WriteFaults* faults, LinkMode links)
    : target_(std::move(target)), faults_(faults), links_(links) {}

AtomicWriter::~AtomicWriter() { discard(); }

void AtomicWriter::discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

IoError AtomicWriter::open() {
  if (faults_ && faults_->failOpen) return fncIoError_make(kErrPermission);
  if (links_ == LinkMode::Follow) target_ = fncPath_resolve(target_);
  mode_t mode = 0644;
  struct stat old {};
  const bool found = ::lstat(target_.c_str(), &old) == 0;
  if (!found && errno != ENOENT) return fncIoError_from(errno);
  // Replaced, a link has no bits or owner to pass on.
  const bool exists = found && !S_ISLNK(old.st_mode);
  if (exists) {
    if (!S_ISREG(old.st_mode)) return fncIoError_make(kErrAccess, kindOf(old.st_mode));
    // Root is not stopped by permission bits; the player's read-only mark is
    // still a refusal.
    if ((old.st_mode & 0222) == 0) return fncIoError_make(kErrAccess, "the file is read-only");
    mode = old.st_mode & 07777;
  }
  const std::string folder = folderOf(target_);
  for (unsigned serial = 0; serial < 100; ++serial) {
    std::string temp = tempName(folder, serial);
    fd_ = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ >= 0) {
      temp_ = std::move(temp);
      // Not through the umask: the replaced file's own bits, and its owner
      // when root saves someone else's file.
      ::fchmod(fd_, mode);
      if (exists && ::geteuid() == 0 && ::fchown(fd_, old.st_uid, old.st_gid) != 0) {
        // Owned by root then; the save itself goes on.
      }
      return {};
    }
    if (errno != EEXIST) return fncIoError_from(errno);
  }
  return fncIoError_make(kErrAccess);
}

IoError AtomicWriter::write(std::string_view bytes) {
  if (fd_ < 0) return fncIoError_make(kErrAccess);
  if (faults_ && faults_->failAtWrite == writes_++) {
    discard();
    return fncIoError_make(kErrDiskFull);
  }
  if (!writeAll(fd_, bytes.data(), bytes.size())) {
    const IoError e = fncIoError_from(errno);
    discard();
    return e;
  }
  return {};
}

IoError AtomicWriter::commit() {
  if (fd_ < 0) return fncIoError_make(kErrAccess);
  if (faults_ && faults_->failCommit) {
    discard();
    return fncIoError_make(kErrDeviceIo);
  }
  const int fd = fd_;
  fd_ = -1;
  int err = ::fsync(fd) == 0 ? 0 : errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  // The target may have become something else while the file was written.
  struct stat now {};
  if (err == 0 && ::lstat(target_.c_str(), &now) == 0 && !S_ISREG(now.st_mode) &&
      !(links_ == LinkMode::Replace && S_ISLNK(now.st_mode))) {
    discard();
    return fncIoError_make(kErrAccess, kindOf(now.st_mode));
  }
  if (err == 0 && ::rename(temp_.c_str(), target_.c_str()) != 0) err = errno;
  if (err != 0) {
    discard();
    return fncIoError_from(err);
  }
  temp_.clear();
  // Make the rename itself durable.
  const int dir = ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return {};
}

IoError fncFile_writeAtomic(const std::string& path, std::string_view bytes, const WriteFaults* faults,
                            LinkMode links) {
  AtomicWriter out(path, faults, links);
  if (IoError e = out.open()) return e;
  if (IoError e = out.write(bytes)) return e;
  return out.commit();
}

IoError fncFile_append(const std::string& path, const std::string& bytes) {
  // A FIFO with no reader fails at once instead of waiting for one.
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW, 0644);
  if (fd < 0) return errno == ELOOP ? fncIoError_make(kErrAccess, "a symbolic link") : fncIoError_from(errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return fncIoError_make(kErrAccess, "not a regular file");
  }
  const bool ok = writeAll(fd, bytes.data(), bytes.size());
  const int err = errno;
  ::close(fd);
  return ok ? IoError{} : fncIoError_from(err);
}

void subTempFiles_sweep(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  std::vector<std::string> stale;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    const std::string prefix = kTempPrefix;
    if (name.compare(0, prefix.size(), prefix) != 0 || name.size() < 5 || name.substr(name.size() - 4) != ".tmp")
      continue;
    const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
    const bool gone = pid <= 0 || (pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH);
    if (gone) stale.push_back(folder + "/" + name);
  }
  ::closedir(dir);
  for (const std::string& path : stale) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::unlink(path.c_str());
  }
}

bool fncFile_exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool fncPath_present(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 || errno != ENOENT;
}

bool fncPath_isLink(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool fncDir_exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool fncDir_create(const std::string& path) {
  if (fncDir_exists(path)) return true;
  return ::mkdir(path.c_str(), 0755) == 0 || fncDir_exists(path);
}

std::string fncFile_title(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace pakkon
