#pragma once
// A minimal JSON writer for the tool's reports.

#include <cstdio>
#include <string>
#include <string_view>

namespace pakkon::tool {

inline std::string jsonString(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (u < 0x20 || u == 0x7F) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", u);
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

// Joins n items produced by item(i) as a JSON array.
template <typename F>
std::string jsonArray(int n, F item) {
  std::string out = "[";
  for (int i = 0; i < n; ++i) {
    if (i) out += ",";
    out += item(i);
  }
  return out + "]";
}

}  // namespace pakkon::tool
