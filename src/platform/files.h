#pragma once
// Small file services with error numbers and descriptions in the form the
// error report shows them (the numbers of the original platform's run-time
// errors, so that logs read the same).

#include <cstddef>
#include <string>
#include <string_view>

namespace pakkon {

struct IoError {
  int number = 0;  // 0: no error
  std::string description;
  std::string detail;  // plain words on what was wrong, when the number alone does not say
  explicit operator bool() const { return number != 0; }
  // The description with the detail in brackets, as reports show it.
  std::string text() const { return detail.empty() ? description : description + " (" + detail + ")"; }
};

// Run-time error numbers used in reports.
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrOutOfMemory = 7;
inline constexpr int kErrFileNotFound = 53;
inline constexpr int kErrDeviceIo = 57;
inline constexpr int kErrDiskFull = 61;
inline constexpr int kErrPastEnd = 62;
inline constexpr int kErrPermission = 70;
inline constexpr int kErrAccess = 75;
inline constexpr int kErrPathNotFound = 76;
inline constexpr int kErrBadFormat = 321;

IoError fncIoError_from(int err);
IoError fncIoError_make(int number, std::string detail = {});

// The most any reader takes in; a file beyond its reader's limit is refused
// before a byte is read.
inline constexpr size_t kPuzzleSourceMax = 1 << 20;
inline constexpr size_t kSettingsFileMax = 1 << 20;

// The detail of a read refused because a folder stands at the path.
inline constexpr const char* kFolderNotFile = "a folder, not a file";

// Reads a whole regular file of at most maxBytes. A folder, a FIFO, a
// device or a larger file is refused at once without blocking.
IoError fncFile_readAll(const std::string& path, std::string& bytes, size_t maxBytes);

// What a save does with a symbolic link at its target. Follow: the file it
// points at is replaced and the link stays (a file the player aimed the
// save at). Replace: the link itself gives way to the new file, and the
// file it pointed at is left as it was (the program's own files).
enum class LinkMode { Follow, Replace };

// Replaces a file so that the old one survives any failure: a temporary
// file in the same folder is written, flushed and renamed over the target.
// A symbolic link is treated as `links` says; a target that is not a
// regular file, or one nobody may write (whoever runs the program), is
// refused; a replaced file keeps its permission bits. Faults let tests fail
// it at a chosen point.
struct WriteFaults {
  int failAtWrite = -1;  // the n-th write() call fails (0-based); -1 never
  bool failOpen = false;
  bool failCommit = false;
};

class AtomicWriter {
 public:
  explicit AtomicWriter(std::string target, const WriteFaults* faults = nullptr, LinkMode links = LinkMode::Follow);
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
  LinkMode links_;
  int fd_ = -1;
  int writes_ = 0;
};

IoError fncFile_writeAtomic(const std::string& path, std::string_view bytes, const WriteFaults* faults = nullptr,
                            LinkMode links = LinkMode::Follow);

// Appends to a regular file (created when missing); anything else in its
// place, a symbolic link included, is left alone and never waited for.
IoError fncFile_append(const std::string& path, const std::string& bytes);

// Removes what interrupted saves left in a folder: temporary files of
// processes that no longer run.
void subTempFiles_sweep(const std::string& folder);

// The final target of a path, symbolic links followed (a dangling link
// gives the path it points at).
std::string fncPath_resolve(const std::string& path);

// True when both paths name one existing file.
bool fncFile_same(const std::string& a, const std::string& b);

bool fncFile_exists(const std::string& path);
// True when anything at all is at the path, a dangling link included.
bool fncPath_present(const std::string& path);
bool fncPath_isLink(const std::string& path);
bool fncDir_exists(const std::string& path);

// Creates one folder level; true when it exists afterwards.
bool fncDir_create(const std::string& path);

// The part of a path after its last '/'.
std::string fncFile_title(const std::string& path);

}  // namespace pakkon
