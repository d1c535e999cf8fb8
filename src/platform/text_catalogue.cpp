#include "platform/text_catalogue.h"

#include <sys/stat.h>

#include <atomic>
#include <clocale>
#include <cstdlib>

#ifdef __EMSCRIPTEN__
#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "platform/files.h"
#else
#include <libintl.h>

// GNU gettext caches its look-ups; a change of LANGUAGE is only seen after
// this counter moves (the gettext manual's advice for switching languages).
extern "C" int _nl_msg_cat_cntr;
#endif

namespace pakkon {
namespace {

// Japanese never asks the catalogue, whatever the environment says.
std::atomic<bool> english{false};

#ifdef __EMSCRIPTEN__
// The page's libc has no GNU gettext: the .mo file's table read here
// (little-endian, as msgfmt writes it on every machine the site is made on).
std::unordered_map<std::string, std::string>& catalogue() {
  static std::unordered_map<std::string, std::string> texts;
  return texts;
}

bool readCatalogue(const std::string& mo) {
  std::string b;
  if (fncFile_readAll(mo, b, 16u << 20)) return false;
  auto word = [&](size_t at) -> uint32_t {
    if (at + 4 > b.size()) return 0;
    uint32_t w;
    std::memcpy(&w, b.data() + at, 4);
    return w;
  };
  if (word(0) != 0x950412DEu) return false;
  const uint32_t n = word(8), originals = word(12), translations = word(16);
  auto text = [&](uint32_t table, uint32_t i) {
    const uint32_t len = word(table + 8 * i), at = word(table + 8 * i + 4);
    return at + static_cast<size_t>(len) <= b.size() ? b.substr(at, len) : std::string();
  };
  catalogue().clear();
  for (uint32_t i = 0; i < n; ++i) {
    const std::string from = text(originals, i), to = text(translations, i);
    if (!from.empty() && !to.empty()) catalogue()[from] = to;
  }
  return true;
}
#endif

}  // namespace

const char* fncText(const char* japanese) {
  if (!english.load(std::memory_order_relaxed)) return japanese;
#ifdef __EMSCRIPTEN__
  const auto found = catalogue().find(japanese);
  return found == catalogue().end() ? japanese : found->second.c_str();
#else
  return ::dgettext(kTextDomain, japanese);
#endif
}

std::string fncText_message(const char* japanese, std::initializer_list<std::string_view> args) {
  const std::string_view pattern = fncText(japanese);
  std::string out;
  out.reserve(pattern.size() + 16 * args.size());
  // One pass, so an argument that holds "%2" or a line feed stays as it is.
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      const size_t n = static_cast<size_t>(pattern[i + 1] - '1');
      if (n < args.size()) {
        out += *(args.begin() + n);
        ++i;
        continue;
      }
    }
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

bool subTextLanguage_set(const std::string& language, const std::string& localeDir) {
  if (language != "en") {
    english = false;
    return true;
  }
  const std::string mo = localeDir + "/en/LC_MESSAGES/" + kTextDomain + ".mo";
  struct stat info {};
  if (::stat(mo.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    english = false;
    return false;
  }
#ifdef __EMSCRIPTEN__
  if (!readCatalogue(mo)) {
    english = false;
    return false;
  }
#else
  ::bindtextdomain(kTextDomain, localeDir.c_str());
  ::bind_textdomain_codeset(kTextDomain, "UTF-8");
  // LANGUAGE chooses the catalogue whatever locales the system has, but
  // only when the message locale is not plain "C".
  ::setenv("LANGUAGE", "en", 1);
  std::setlocale(LC_MESSAGES, "C.UTF-8");
  ++_nl_msg_cat_cntr;
#endif
  english = true;
  return true;
}

bool fncText_english() { return english; }

}  // namespace pakkon
