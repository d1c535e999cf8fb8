#pragma once
// A front end's own storage, a map of names to bytes; a folder lists the
// names just inside it.

#include <map>
#include <string>
#include <vector>

#include "platform/storage.h"

namespace pakkon::test {

class MemoryStorage : public Storage {
 public:
  IoError read(const std::string& name, std::string& bytes, size_t most) override {
    const auto it = files.find(name);
    if (it == files.end()) return fncIoError_make(kErrFileNotFound);
    if (it->second.size() > most) return fncIoError_make(kErrBadFormat);
    bytes = it->second;
    return {};
  }
  IoError write(const std::string& name, std::string_view bytes) override {
    files[name] = std::string(bytes);
    return {};
  }
  bool exists(const std::string& name) override { return files.count(name) > 0; }
  IoError rename(const std::string& from, const std::string& to) override {
    if (files.count(from)) files[to] = files[from], files.erase(from);
    return {};
  }
  std::vector<std::string> list(const std::string& folder, std::string& problem) override {
    problem.clear();
    const std::string prefix = folder.back() == '/' ? folder : folder + "/";
    std::vector<std::string> names;
    for (const auto& [name, bytes] : files)
      if (name.compare(0, prefix.size(), prefix) == 0 && name.find('/', prefix.size()) == std::string::npos)
        names.push_back(name.substr(prefix.size()));
    return names;
  }
  std::map<std::string, std::string> files;
};

}  // namespace pakkon::test
