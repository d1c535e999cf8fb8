#include "platform/storage.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace pakkon {

IoError FileStorage::read(const std::string& name, std::string& bytes, size_t most) {
  return fncFile_readAll(name, bytes, most);
}

IoError FileStorage::write(const std::string& name, std::string_view bytes) {
  return fncFile_writeAtomic(name, bytes, faults_, links_);
}

bool FileStorage::exists(const std::string& name) { return fncPath_present(name); }

IoError FileStorage::rename(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0 && errno != ENOENT) return fncIoError_from(errno);
  return {};
}

std::vector<std::string> FileStorage::list(const std::string& folder, std::string& problem) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  problem.clear();
  std::error_code ec;
  fs::directory_iterator it(fs::path(folder), fs::directory_options::skip_permission_denied, ec);
  if (ec) {
    problem = ec.message();
    return names;
  }
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    names.push_back(it->path().filename().string());
  }
  return names;
}

}  // namespace pakkon
