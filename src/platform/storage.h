#pragma once
// The game's named files (Init.ini, Progress.json, puzzle files) as a front
// end keeps them: files on the desktop, the browser's storage in a page.
// Names are the paths the game builds.

#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace pakkon {

class Storage {
 public:
  virtual ~Storage() = default;
  // At most `most` bytes; error 53 when there is nothing under the name.
  virtual IoError read(const std::string& name, std::string& bytes, size_t most) = 0;
  // Replaces it whole, or changes nothing.
  virtual IoError write(const std::string& name, std::string_view bytes) = 0;
  virtual bool exists(const std::string& name) = 0;
  // Renames `from` to `to`, a damaged file kept aside; nothing under `from`
  // is no fault.
  virtual IoError rename(const std::string& from, const std::string& to) = 0;
  // The names of everything a folder holds, in no order; `problem` says, in
  // the system's words, why the folder could not be opened. A fault midway
  // ends the names there.
  virtual std::vector<std::string> list(const std::string& folder, std::string& problem) = 0;
};

// The files themselves: bounded reads from regular files only, atomic
// writes that treat a link as `links` says.
class FileStorage final : public Storage {
 public:
  explicit FileStorage(LinkMode links = LinkMode::Follow, const WriteFaults* faults = nullptr)
      : links_(links), faults_(faults) {}
  IoError read(const std::string& name, std::string& bytes, size_t most) override;
  IoError write(const std::string& name, std::string_view bytes) override;
  bool exists(const std::string& name) override;
  IoError rename(const std::string& from, const std::string& to) override;
  std::vector<std::string> list(const std::string& folder, std::string& problem) override;

 private:
  LinkMode links_;
  const WriteFaults* faults_;
};

}  // namespace pakkon
