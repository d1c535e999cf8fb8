#include "platform/storage.h"

#include <cerrno>
#include <cstdio>

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

}  // namespace pakkon
