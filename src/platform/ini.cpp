#include "platform/ini.h"

#include <vector>

#include "platform/cp932.h"
#include "platform/text.h"

namespace pakkon {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

struct Line {
  std::string raw;   // bytes as in the file, line ending included
  std::string text;  // UTF-8, without line ending
};

}  // namespace

struct IniFile::Profile {
  bool utf8 = false;
  bool bom = false;
  std::string eol = "\r\n";
  std::vector<Line> lines;
};

namespace {

using Profile = IniFile::Profile;

bool hasNonAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

std::string trimSpace(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return std::string(s.substr(b, e - b));
}

bool sameName(std::string_view a, std::string_view b) {
  return fncLowerAscii(trimSpace(a)) == fncLowerAscii(trimSpace(b));
}

Profile parse(std::string bytes) {
  Profile p;
  if (bytes.compare(0, kBom.size(), kBom) == 0) {
    p.bom = p.utf8 = true;
  } else {
    p.utf8 = hasNonAscii(bytes) && fncUtf8_valid(bytes);
  }
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t nl = bytes.find('\n', pos);
    const size_t end = nl == std::string::npos ? bytes.size() : nl + 1;
    Line line;
    line.raw = bytes.substr(pos, end - pos);
    std::string body = line.raw;
    while (!body.empty() && (body.back() == '\n' || body.back() == '\r')) body.pop_back();
    if (pos == 0 && p.bom) body.erase(0, kBom.size());
    line.text = p.utf8 ? body : fncCp932_decode(body);
    if (pos == 0 && nl != std::string::npos) p.eol = (nl > 0 && bytes[nl - 1] == '\r') ? "\r\n" : "\n";
    p.lines.push_back(std::move(line));
    pos = end;
  }
  return p;
}

// The section name when the line is a section header.
bool sectionOf(const std::string& text, std::string& name) {
  const std::string t = trimSpace(text);
  if (t.empty() || t[0] != '[') return false;
  const size_t close = t.find(']');
  name = t.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  return true;
}

bool keyOf(const std::string& text, std::string& name, std::string& value) {
  const size_t eq = text.find('=');
  if (eq == std::string::npos) return false;
  name = text.substr(0, eq);
  value = text.substr(eq + 1);
  return true;
}

// Index range [first, last) of the lines inside the named section; first is
// npos when the section is absent.
void findSection(const Profile& p, const std::string& section, size_t& first, size_t& last) {
  first = std::string::npos;
  for (size_t i = 0; i < p.lines.size(); ++i) {
    std::string name;
    if (!sectionOf(p.lines[i].text, name)) continue;
    if (first != std::string::npos) {
      last = i;
      return;
    }
    if (sameName(name, section)) first = i + 1;
  }
  last = p.lines.size();
}

std::string cutCharacters(const std::string& s, size_t maxChars) {
  size_t i = 0, count = 0;
  while (i < s.size() && count < maxChars) {
    const auto c = static_cast<unsigned char>(s[i]);
    i += c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    ++count;
  }
  return s.substr(0, std::min(i, s.size()));
}

// Read through a link, and written in its place: the program's own files.
Storage& programFiles() {
  static FileStorage files(LinkMode::Replace);
  return files;
}

}  // namespace

IniFile::IniFile(std::string file) : IniFile(programFiles(), std::move(file)) {
  storage_ = nullptr;  // saved with the faults save() is given
}

IniFile::IniFile(Storage& storage, std::string name)
    : storage_(&storage), file_(std::move(name)), p_(std::make_unique<Profile>()) {
  std::string bytes;
  error_ = storage.read(file_, bytes, kSettingsFileMax);
  if (!error_) *p_ = parse(std::move(bytes));
}

IniFile::~IniFile() = default;

const IoError& IniFile::error() const { return error_; }

std::string IniFile::get(const std::string& section, const std::string& key) const {
  size_t first, last;
  findSection(*p_, section, first, last);
  if (first == std::string::npos) return {};
  for (size_t i = first; i < last; ++i) {
    std::string name, value;
    if (!keyOf(p_->lines[i].text, name, value) || !sameName(name, key)) continue;
    value = trimSpace(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    const size_t nul = value.find('\0');
    if (nul != std::string::npos) value.resize(nul);
    return cutCharacters(value, kIniValueMax);
  }
  return {};
}

bool IniFile::put(const std::string& section, const std::string& key, const std::string& value) {
  if (trimSpace(key).empty() || value.empty()) return false;
  Profile& p = *p_;
  auto encode = [&](const std::string& text) { return p.utf8 ? text : fncCp932_encode(text); };
  const std::string entry = encode(trimSpace(key) + "=" + value) + p.eol;

  size_t first, last;
  findSection(p, section, first, last);
  if (first == std::string::npos) {
    if (!p.lines.empty() && p.lines.back().raw.back() != '\n') p.lines.back().raw += p.eol;
    p.lines.push_back({encode("[" + section + "]") + p.eol, "[" + section + "]"});
    p.lines.push_back({entry, trimSpace(key) + "=" + value});
    return true;
  }
  size_t insertAt = first;
  for (size_t i = first; i < last; ++i) {
    std::string name, old;
    if (keyOf(p.lines[i].text, name, old) && sameName(name, key)) {
      // Keep the line's own ending (or its absence at the end of the file).
      const std::string& raw = p.lines[i].raw;
      const size_t bodyEnd = raw.find_last_not_of("\r\n");
      const std::string ending = bodyEnd == std::string::npos ? raw : raw.substr(bodyEnd + 1);
      p.lines[i].raw = entry.substr(0, entry.size() - p.eol.size()) + ending;
      if (i == 0 && p.bom) p.lines[i].raw.insert(0, kBom);
      p.lines[i].text = trimSpace(key) + "=" + value;
      return true;
    }
    if (!trimSpace(p.lines[i].text).empty()) insertAt = i + 1;
  }
  if (insertAt > 0 && p.lines[insertAt - 1].raw.back() != '\n') p.lines[insertAt - 1].raw += p.eol;
  p.lines.insert(p.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{entry, trimSpace(key) + "=" + value});
  return true;
}

bool IniFile::save(const WriteFaults* faults) {
  if (error_ && error_.number != kErrFileNotFound) return false;
  std::string out;
  for (const Line& line : p_->lines) out += line.raw;
  FileStorage files(LinkMode::Replace, faults);
  return !(storage_ ? *storage_ : files).write(file_, out);
}

std::string fncIni_get(const std::string& section, const std::string& key, const std::string& file) {
  return IniFile(file).get(section, key);
}

bool fncIni_put(const std::string& section, const std::string& key, const std::string& value, const std::string& file,
                const WriteFaults* faults) {
  if (trimSpace(key).empty() || value.empty()) return false;
  IniFile ini(file);
  return ini.put(section, key, value) && ini.save(faults);
}

}  // namespace pakkon
