#include "platform/text_catalogue.h"

#include <libintl.h>
#include <sys/stat.h>

#include <atomic>
#include <clocale>
#include <cstdlib>

// GNU gettext caches its look-ups; a change of LANGUAGE is only seen after
// this counter moves (the gettext manual's advice for switching languages).
extern "C" int _nl_msg_cat_cntr;

namespace pakkon {
namespace {

// Japanese never asks the catalogue, whatever the environment says.
std::atomic<bool> english{false};

}  // namespace

const char* fncText(const char* japanese) {
  if (!english.load(std::memory_order_relaxed)) return japanese;
  return ::dgettext(kTextDomain, japanese);
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
  ::bindtextdomain(kTextDomain, localeDir.c_str());
  ::bind_textdomain_codeset(kTextDomain, "UTF-8");
  // LANGUAGE chooses the catalogue whatever locales the system has, but
  // only when the message locale is not plain "C".
  ::setenv("LANGUAGE", "en", 1);
  std::setlocale(LC_MESSAGES, "C.UTF-8");
  ++_nl_msg_cat_cntr;
  english = true;
  return true;
}

bool fncText_english() { return english; }

}  // namespace pakkon
