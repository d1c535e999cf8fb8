#include "app/progress.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <nlohmann/json.hpp>
#include <vector>

#include "geometry/mask.h"
#include "platform/text_catalogue.h"

namespace pakkon {
namespace {

using Json = nlohmann::json;
constexpr const char* kFormat = "pakkon-progress 1";

constexpr const char* kUnreadable =
    fncText_mark("進行状況のファイル「%1」を読めません（%2）。完成の印や最短時間は表示されません。");
constexpr const char* kDamaged = fncText_mark(
    "進行状況のファイル「%1」は壊れています。完成の印や最短時間は表示されません。次に記録するとき、"
    "壊れたファイルは別の名前で残します。");
constexpr const char* kNotSaved = fncText_mark("進行状況を記録できませんでした（%1）。");
constexpr const char* kNotReplaced =
    fncText_mark("進行状況のファイル「%1」を読めないため（%2）、上書きせずに残しました。今回の記録は残りません。");
constexpr const char* kPassword =
    fncText_mark("このパズルの解答パスワードは「%1」です。降参するときのために控えておいてください。");
constexpr const char* kNoFolder = fncText_mark("フォルダがありません");
constexpr const char* kNoPermission = fncText_mark("許可されていません");
constexpr const char* kReadOnly = fncText_mark("読み取り専用です");
constexpr const char* kNotAFile = fncText_mark("通常のファイルではありません");
constexpr const char* kTooLarge = fncText_mark("大きすぎます");
constexpr const char* kDiskFull = fncText_mark("ディスクがいっぱいです");

// One reason, without the platform's nesting.
std::string reason(const IoError& e) {
  switch (e.number) {
    case kErrFileNotFound:
    case kErrPathNotFound: return fncText(kNoFolder);
    case kErrPermission: return fncText(e.detail.empty() ? kNoPermission : kReadOnly);
    case kErrBadFormat: return fncText(kTooLarge);
    case kErrDiskFull: return fncText(kDiskFull);
    case kErrAccess:
      if (e.detail.find("read-only") != std::string::npos) return fncText(kReadOnly);
      if (e.detail.find(", not a file") != std::string::npos || e.detail == "not a regular file")
        return fncText(kNotAFile);
      break;
  }
  return e.description;
}

template <typename T>
T field(const Json& j, const char* name, T fallback) {
  const auto it = j.find(name);
  if (it == j.end()) return fallback;
  if constexpr (std::is_same_v<T, std::string>) {
    return it->is_string() ? it->template get<std::string>() : fallback;
  } else {
    return it->is_number() ? it->template get<T>() : fallback;
  }
}

}  // namespace

std::string fncPuzzle_key(const PuzzleState& st) {
  std::vector<uint64_t> shapes;
  for (uint64_t m : fncBlocks_made(st))
    if (m) shapes.push_back(fncMask_shapeKey(m));
  std::sort(shapes.begin(), shapes.end());
  // FNV-1a, 64 bits.
  uint64_t h = 14695981039346656037ULL;
  auto mix = [&h](uint64_t v) {
    for (int i = 0; i < 8; ++i, v >>= 8) {
      h ^= v & 0xFF;
      h *= 1099511628211ULL;
    }
  };
  mix(static_cast<uint64_t>(st.G_iCellX) | static_cast<uint64_t>(st.G_iCellY) << 16 |
      static_cast<uint64_t>(st.G_iCellZ) << 32);
  for (uint64_t s : shapes) mix(s);
  char out[17];
  std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(h));
  return out;
}

ProgressLoad ProgressBook::load(const std::string& path) {
  FileStorage files;
  return load(files, path);
}

ProgressLoad ProgressBook::load(Storage& storage, const std::string& path) {
  entries_.clear();
  problem_.clear();
  readError_ = {};
  path_ = path;
  std::string bytes;
  if (const IoError e = storage.read(path, bytes, kProgressFileMax)) {
    if (e.number == kErrFileNotFound) return state_ = ProgressLoad::Missing;
    problem_ = e.text();
    readError_ = e;
    return state_ = ProgressLoad::Unreadable;
  }
  const Json j = Json::parse(bytes, nullptr, false);
  if (j.is_discarded() || !j.is_object() || field<std::string>(j, "format", "") != kFormat || !j.contains("puzzles") ||
      !j["puzzles"].is_object()) {
    problem_ = j.is_discarded() ? "not JSON" : "not a progress file";
    return state_ = ProgressLoad::Damaged;
  }
  for (const auto& [key, e] : j["puzzles"].items()) {
    if (!e.is_object()) continue;
    PuzzleProgress p;
    p.name = field<std::string>(e, "name", "");
    p.solved = field(e, "solved", 0);
    p.solvedAfterGivingUp = field(e, "solvedAfterGivingUp", 0);
    p.gaveUp = field(e, "gaveUp", 0);
    p.bestSeconds = field(e, "bestSeconds", 0.0);
    p.fewestActions = field(e, "fewestActions", 0);
    p.fewestHints = field(e, "fewestHints", 0);
    p.lastSolved = field<std::string>(e, "lastSolved", "");
    p.stars = field(e, "stars", 0);
    p.password = field<std::string>(e, "password", "");
    entries_[key] = std::move(p);
  }
  return state_ = ProgressLoad::Ok;
}

const PuzzleProgress* ProgressBook::find(const std::string& key) const {
  const auto it = entries_.find(key);
  return it == entries_.end() ? nullptr : &it->second;
}

void ProgressBook::recordSolve(const std::string& key, const std::string& name, double seconds, int actions, int hints,
                               bool afterGivingUp, const std::string& when) {
  PuzzleProgress& p = entries_[key];
  p.name = name;
  p.lastSolved = when;
  if (afterGivingUp) {
    ++p.solvedAfterGivingUp;
    return;
  }
  // Best time and fewest actions need not come from the same solve.
  const double hundredths = std::round(seconds * 100) / 100;
  p.bestSeconds = p.solved == 0 ? hundredths : std::min(p.bestSeconds, hundredths);
  p.fewestActions = p.solved == 0 ? actions : std::min(p.fewestActions, actions);
  p.fewestHints = p.solved == 0 ? hints : std::min(p.fewestHints, hints);
  ++p.solved;
}

void ProgressBook::recordGiveUp(const std::string& key, const std::string& name) {
  PuzzleProgress& p = entries_[key];
  p.name = name;
  ++p.gaveUp;
}

std::string ProgressBook::text() const {
  Json puzzles = Json::object();
  for (const auto& [key, p] : entries_) {
    Json e = Json::object();
    e["name"] = p.name;
    e["solved"] = p.solved;
    e["solvedAfterGivingUp"] = p.solvedAfterGivingUp;
    e["gaveUp"] = p.gaveUp;
    if (p.solved > 0) {
      e["bestSeconds"] = p.bestSeconds;
      e["fewestActions"] = p.fewestActions;
      e["fewestHints"] = p.fewestHints;
    }
    if (!p.lastSolved.empty()) e["lastSolved"] = p.lastSolved;
    if (p.stars > 0) e["stars"] = p.stars;
    if (!p.password.empty()) e["password"] = p.password;
    puzzles[key] = std::move(e);
  }
  const Json j = {{"format", kFormat}, {"puzzles", std::move(puzzles)}};
  // A name need not be UTF-8; the file must still come out.
  return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

IoError ProgressBook::save(const std::string& path, const WriteFaults* faults) {
  // The program's own file: a link in its place gives way.
  FileStorage files(LinkMode::Replace, faults);
  return save(files, path);
}

IoError ProgressBook::save(Storage& storage, const std::string& path) {
  if (state_ == ProgressLoad::Unreadable)
    return fncIoError_make(kErrAccess, "the progress file could not be read, so it is not replaced");
  if (state_ == ProgressLoad::Damaged) {
    std::string aside = path + ".damaged";
    for (int n = 2; storage.exists(aside) && n < 1000; ++n) aside = path + ".damaged-" + std::to_string(n);
    if (const IoError e = storage.rename(path, aside)) return e;
    setAside_ = aside;
  }
  if (const IoError e = storage.write(path, text())) return e;
  state_ = ProgressLoad::Ok;
  problem_.clear();
  return {};
}

std::string fncProgress_readProblem(const ProgressBook& book) {
  const std::string name = fncFile_title(book.path());
  if (book.state() == ProgressLoad::Unreadable) return fncText_message(kUnreadable, {name, reason(book.readError())});
  if (book.state() == ProgressLoad::Damaged) return fncText_message(kDamaged, {name});
  return {};
}

std::string fncProgress_notSaved(const ProgressBook& book, const IoError& e, const std::string& password) {
  std::string out = book.state() == ProgressLoad::Unreadable
                        ? fncText_message(kNotReplaced, {fncFile_title(book.path()), reason(book.readError())})
                        : fncText_message(kNotSaved, {reason(e)});
  if (!password.empty()) out += "\r\n" + fncText_message(kPassword, {password});
  return out;
}

std::string fncNow_text() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char out[32];
  std::strftime(out, sizeof out, "%Y/%m/%d %H:%M:%S", &local);
  return out;
}

}  // namespace pakkon
