#pragma once
// Small file services with error numbers and descriptions in the form the
// error report shows them (the numbers of the original platform's run-time
// errors, so that logs read the same).

#include <string>
#include <string_view>

namespace pakkon {

struct IoError {
  int number = 0;  // 0: no error
  std::string description;
  explicit operator bool() const { return number != 0; }
};

// Run-time error numbers used in reports.
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrFileNotFound = 53;
inline constexpr int kErrDeviceIo = 57;
inline constexpr int kErrDiskFull = 61;
inline constexpr int kErrPastEnd = 62;
inline constexpr int kErrPermission = 70;
inline constexpr int kErrAccess = 75;
inline constexpr int kErrPathNotFound = 76;
inline constexpr int kErrBadFormat = 321;

IoError fncIoError_from(int err);
IoError fncIoError_make(int number);

IoError fncFile_readAll(const std::string& path, std::string& bytes);

// Replaces a file so that the old one survives any failure: a temporary
// file in the same folder is written, flushed and renamed over the target.
// Faults let tests fail it at a chosen point.
struct WriteFaults {
  int failAtWrite = -1;  // the n-th write() call fails (0-based); -1 never
  bool failOpen = false;
  bool failCommit = false;
};

class AtomicWriter {
 public:
  explicit AtomicWriter(std::string target, const WriteFaults* faults = nullptr);
  ~AtomicWriter();  // an uncommitted temporary file is removed
  AtomicWriter(const AtomicWriter&) = delete;
  AtomicWriter& operator=(const AtomicWriter&) = delete;

  IoError open();
  IoError write(std::string_view bytes);
  IoError commit();

 private:
  void discard();
  std::string target_;
  std::string temp_;
  const WriteFaults* faults_;
  int fd_ = -1;
  int writes_ = 0;
};

IoError fncFile_writeAtomic(const std::string& path, std::string_view bytes, const WriteFaults* faults = nullptr);

IoError fncFile_append(const std::string& path, const std::string& bytes);

bool fncFile_exists(const std::string& path);
bool fncDir_exists(const std::string& path);

// Creates one folder level; true when it exists afterwards.
bool fncDir_create(const std::string& path);

// The part of a path after its last '/'.
std::string fncFile_title(const std::string& path);

}  // namespace pakkon
