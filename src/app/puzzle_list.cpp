#include "app/puzzle_list.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <filesystem>

#include "geometry/mask.h"
#include "model/puzzle_file.h"
#include "platform/text.h"
#include "platform/text_catalogue.h"

namespace pakkon {
namespace {

// Why a row cannot be played, as the list shows it, in the chosen language.
constexpr const char* kNoSuchFile = fncText_mark("ファイルがありません");
constexpr const char* kNoPermission = fncText_mark("読み出しが許可されていません");
constexpr const char* kNotAFile = fncText_mark("通常のファイルではありません");
constexpr const char* kTooLarge = fncText_mark("パズル・ファイルにしては大きすぎます");
constexpr const char* kEmpty = fncText_mark("空のファイルです");
constexpr const char* kNoVersion = fncText_mark("バージョンが特定できませんでした。");
constexpr const char* kTooShort = fncText_mark("パズル・ファイルにしては短すぎます");
constexpr const char* kDamaged = fncText_mark("壊れています（%1）");  // the step
constexpr const char* kUnreadable = fncText_mark("読み出せません（%1）");

std::string readProblem(const IoError& e) {
  switch (e.number) {
    case kErrFileNotFound:
    case kErrPathNotFound: return fncText(kNoSuchFile);
    case kErrPermission: return fncText(kNoPermission);
    case kErrBadFormat: return fncText(kTooLarge);
    case kErrAccess:
      if (!e.detail.empty() && e.detail.find("name") == std::string::npos && e.detail.find("link") == std::string::npos)
        return fncText(kNotAFile);
      break;
  }
  return fncText_message(kUnreadable, {e.text()});
}

bool endsWithBin(const std::string& name) {
  return name.size() > 4 && fncLowerAscii(name.substr(name.size() - 4)) == ".bin";
}

}  // namespace

PuzzleList fncPuzzleList_read(Storage& storage, const std::string& folder, const ProgressBook& book,
                              const std::map<std::string, int>& ratings) {
  PuzzleList list;
  list.progressProblem = fncProgress_readProblem(book);
  for (const std::string& name : storage.list(folder, list.problem)) {
    if (!endsWithBin(name)) continue;
    PuzzleRow row;
    row.name = name;
    row.path = (std::filesystem::path(folder) / name).string();
    list.rows.push_back(std::move(row));
  }
  std::sort(list.rows.begin(), list.rows.end(), [](const PuzzleRow& a, const PuzzleRow& b) { return a.name < b.name; });

  std::string bytes;
  for (PuzzleRow& row : list.rows) {
    if (const IoError e = storage.read(row.path, bytes, kPuzzleFileReadMax)) {
      row.problem = readProblem(e);
      continue;
    }
    PuzzleState st;
    const PuzzleReadResult r = fncPuzzle_decode(bytes, st);
    if (bytes.empty()) {
      row.problem = fncText(kEmpty);
    } else if (r.status == PuzzleReadStatus::NgVersion) {
      row.problem = fncText(kNoVersion);
    } else if (r.status == PuzzleReadStatus::Error) {
      row.problem = bytes.size() < kPuzzleFileCoreSize ? std::string(fncText(kTooShort))
                                                       : fncText_message(kDamaged, {fncStr(r.step)});
    }
    if (!row.readable()) continue;
    row.comment = st.G_sComment;
    row.sizeX = st.G_iCellX, row.sizeY = st.G_iCellY, row.sizeZ = st.G_iCellZ;
    for (uint64_t m : fncBlocks_made(st)) row.blocks += m ? 1 : 0;
    row.key = fncPuzzle_key(st);
    if (const PuzzleProgress* p = book.find(row.key)) row.progress = *p;
    const auto rated = ratings.find(row.key);
    row.stars = rated != ratings.end() ? rated->second : row.progress.stars;
  }
  return list;
}

int fncPuzzleList_nextUnsolved(const PuzzleList& list, const std::string& path) {
  const int n = static_cast<int>(list.rows.size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (fncFile_same(list.rows[static_cast<size_t>(i)].path, path) || list.rows[static_cast<size_t>(i)].path == path)
      at = i;
  for (int k = 1; k <= n; ++k) {
    const int i = (at + k + n) % n;
    const PuzzleRow& r = list.rows[static_cast<size_t>(i)];
    if (i != at && r.readable() && !r.solved()) return i;
  }
  return -1;
}

std::string fncPuzzleRow_title(const PuzzleRow& row) {
  if (row.comment.empty()) return row.name;
  return row.name + (fncText_english() ? " " : "　") + row.comment;
}

std::string fncSeconds_text(double seconds) {
  const long long s = std::llround(std::max(seconds, 0.0));
  char out[32];
  if (s >= 3600)
    std::snprintf(out, sizeof out, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  else
    std::snprintf(out, sizeof out, "%lld:%02lld", s / 60, s % 60);
  return out;
}

}  // namespace pakkon
