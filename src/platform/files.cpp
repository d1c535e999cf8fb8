#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>

namespace pakkon {

IoError fncIoError_make(int number) {
  switch (number) {
    case kErrOverflow: return {number, "Overflow"};
    case kErrFileNotFound: return {number, "File not found"};
    case kErrDeviceIo: return {number, "Device I/O error"};
    case kErrDiskFull: return {number, "Disk full"};
    case kErrPastEnd: return {number, "Input past end of file"};
    case kErrPermission: return {number, "Permission denied"};
    case kErrPathNotFound: return {number, "Path not found"};
    case kErrBadFormat: return {number, "Invalid file format"};
    default: return {kErrAccess, "Path/File access error"};
  }
}

IoError fncIoError_from(int err) {
  switch (err) {
    case 0: return {};
    case ENOENT: return fncIoError_make(kErrFileNotFound);
    case ENOTDIR: return fncIoError_make(kErrPathNotFound);
    case ENOSPC:
    case EDQUOT: return fncIoError_make(kErrDiskFull);
    case EACCES:
    case EPERM:
    case EROFS: return fncIoError_make(kErrPermission);
    case EIO: return fncIoError_make(kErrDeviceIo);
    default: return fncIoError_make(kErrAccess);
  }
}

IoError fncFile_readAll(const std::string& path, std::string& bytes) {
  bytes.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fncIoError_from(errno);
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    return fncIoError_make(kErrAccess);
  }
  char buf[8192];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      const IoError e = fncIoError_from(errno);
      ::close(fd);
      return e;
    }
    if (n == 0) break;
    bytes.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return {};
}

namespace {

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

}  // namespace

AtomicWriter::AtomicWriter(std::string target, const WriteFaults* faults)
    : target_(std::move(target)), faults_(faults) {}

AtomicWriter::~AtomicWriter() { discard(); }

void AtomicWriter::discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

IoError AtomicWriter::open() {
  if (faults_ && faults_->failOpen) return fncIoError_make(kErrPermission);
  // Keep the player's permissions on the file being replaced.
  mode_t mode = 0644;
  struct stat old {};
  if (::stat(target_.c_str(), &old) == 0) {
    if (S_ISDIR(old.st_mode)) return fncIoError_make(kErrAccess);
    mode = old.st_mode & 07777;
  }
  std::random_device rd;
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::string temp = target_ + ".tmp" + std::to_string(rd() % 1000000);
    fd_ = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd_ >= 0) {
      temp_ = std::move(temp);
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

IoError fncFile_writeAtomic(const std::string& path, std::string_view bytes, const WriteFaults* faults) {
  AtomicWriter out(path, faults);
  if (IoError e = out.open()) return e;
  if (IoError e = out.write(bytes)) return e;
  return out.commit();
}

IoError fncFile_append(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return fncIoError_from(errno);
  const bool ok = writeAll(fd, bytes.data(), bytes.size());
  const int err = errno;
  ::close(fd);
  return ok ? IoError{} : fncIoError_from(err);
}

bool fncFile_exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
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
