#pragma once
// Private-profile (INI) files with the semantics of the original platform:
// section and key names match without regard to ASCII letter case or to
// blanks around them, values are trimmed, cut at 126 characters and at
// NUL, and a missing key or file reads as "". Files are read in CP932, or
// in UTF-8 when they carry a byte-order mark or are valid UTF-8; a write
// keeps that encoding and every other line byte for byte.

#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/storage.h"

namespace pakkon {

inline constexpr size_t kIniValueMax = 126;

// One settings file read once for a batch of look-ups and changes, written
// back once. A file that cannot be read (missing, not a regular file, over
// kSettingsFileMax bytes) reads as empty; error() says why.
class IniFile {
 public:
  // The file itself, a link in its place given way to on save.
  explicit IniFile(std::string file);
  // The file under `name` in a front end's storage, which outlives this.
  IniFile(Storage& storage, std::string name);
  ~IniFile();
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  const IoError& error() const;
  std::string get(const std::string& section, const std::string& key) const;
  // False when key or value is empty; the change waits for save().
  bool put(const std::string& section, const std::string& key, const std::string& value);
  // Writes the changes; false when the file could not be read (other than
  // missing) or written, so a file that was not understood is never replaced.
  // A link in the file's place gives way to the file, carrying what was read
  // through it; what it pointed at is never written. Faults apply to the
  // file itself only.
  bool save(const WriteFaults* faults = nullptr);

  struct Profile;  // the parsed lines, kept private to ini.cpp

 private:
  Storage* storage_ = nullptr;  // none: the file itself
  std::string file_;
  IoError error_;
  std::unique_ptr<Profile> p_;
};

std::string fncIni_get(const std::string& section, const std::string& key, const std::string& file);

// False when key or value is empty, or the write failed.
bool fncIni_put(const std::string& section, const std::string& key, const std::string& value, const std::string& file,
                const WriteFaults* faults = nullptr);

}  // namespace pakkon
