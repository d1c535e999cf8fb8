// Any bytes as Init.ini: reading never fails loudly, and a write keeps
// every other line of the file byte for byte.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "app/settings.h"
#include "platform/ini.h"
#include "platform/scripted_dialogs.h"

using namespace pakkon;

namespace {

std::string folder() {
  static const std::string dir = [] {
    // tmpfs where there is one: every write is flushed to disk otherwise.
    char pattern[] = "/dev/shm/pakkon-fuzz-XXXXXX";
    if (access("/dev/shm", W_OK) != 0) std::strcpy(pattern, "/tmp/pakkon-fuzz-XXXXXX");
    return std::string(mkdtemp(pattern)) + "/";
  }();
  return dir;
}

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string ini = folder() + "Init.ini";
  std::ofstream(ini, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

  PuzzleState st;
  st.G_sAppPath = folder();
  ScriptedDialogs dialogs;
  FileStorage files;
  if (!fncInit_load(files, st, dialogs)) std::abort();

  // Writing one key touches one place: apart from a common beginning and
  // end, at most one old line goes and the new key line comes in.
  if (!fncIni_put("Rotate", "GE_lRotate", "12345678", ini)) std::abort();
  const std::string after = slurp(ini);
  if (fncIni_get("Rotate", "GE_lRotate", ini) != "12345678") std::abort();
  size_t prefix = 0;
  while (prefix < bytes.size() && prefix < after.size() && bytes[prefix] == after[prefix]) ++prefix;
  size_t suffix = 0;
  while (suffix < bytes.size() - prefix && suffix < after.size() - prefix &&
         bytes[bytes.size() - 1 - suffix] == after[after.size() - 1 - suffix])
    ++suffix;
  const std::string removed = bytes.substr(prefix, bytes.size() - prefix - suffix);
  const std::string added = after.substr(prefix, after.size() - prefix - suffix);
  if (std::count(removed.begin(), removed.end(), '\n') > 1) std::abort();
  if (!removed.empty() && after.find("GE_lRotate=12345678") == std::string::npos) std::abort();
  (void)added;
  return 0;
}
