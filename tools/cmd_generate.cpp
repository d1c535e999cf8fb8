// generate: new puzzles with a unique packing, each from a seed that names it.

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "commands.h"
#include "maker/generator.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/text_catalogue.h"
#include "tool_io.h"

namespace pakkon::tool {
namespace {

std::string joined(const std::vector<int>& v) {
  std::string out;
  for (size_t i = 0; i < v.size(); ++i) out += (i ? ", " : "") + fncStr(v[i]);
  return out;
}

// The core's reasons in English, the tool's language, from the game's
// catalogue beside the tool (a build) or in its shared files (installed);
// Japanese when neither is there.
class EnglishTexts {
 public:
  EnglishTexts() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return;
    const std::filesystem::path dir = exe.parent_path();
    for (const std::filesystem::path& locale : {dir / "locale", dir.parent_path() / "share" / "pakkon" / "locale"})
      if (subTextLanguage_set("en", locale.string())) return;
  }
  ~EnglishTexts() { subTextLanguage_set("ja", {}); }
  EnglishTexts(const EnglishTexts&) = delete;
  EnglishTexts& operator=(const EnglishTexts&) = delete;
};

std::string sourceName(const std::string& file) {
  return (file.size() > 4 && file.compare(file.size() - 4, 4, ".bin") == 0 ? file.substr(0, file.size() - 4) : file) +
         ".txt";
}

// One line on a terminal, rewritten in place, at most a few times a second.
class Progress {
 public:
  explicit Progress(int count) : count_(count), shown_(::isatty(STDERR_FILENO) == 1) {}
  ~Progress() { clear(); }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void start(int puzzle) {
    puzzle_ = puzzle;
    started_ = last_ = Clock::now();
  }
  void tried(int tries, int most, double limit) {
    const Clock::time_point now = Clock::now();
    if (!shown_ || now - last_ < std::chrono::milliseconds(250)) return;
    last_ = now;
    const double seconds = std::chrono::duration<double>(now - started_).count();
    std::string line = "generate: ";
    if (count_ > 1) line += "puzzle " + fncStr(puzzle_ + 1) + " of " + fncStr(count_) + ", ";
    line += "try " + grouped(static_cast<unsigned>(tries)) + " of " + grouped(static_cast<unsigned>(most)) + ", " +
            fncStr(static_cast<int>(seconds));
    line += limit > 0 ? " of " + fncStr(static_cast<int>(std::ceil(limit))) + " seconds" : " seconds";
    std::fprintf(stderr, "\r%-*s", static_cast<int>(width_), line.c_str());
    std::fflush(stderr);
    width_ = std::max(width_, line.size());
  }
  // Before anything else is printed.
  void clear() {
    if (width_ == 0) return;
    std::fprintf(stderr, "\r%*s\r", static_cast<int>(width_), "");
    std::fflush(stderr);
    width_ = 0;
  }

 private:
  using Clock = std::chrono::steady_clock;
  int count_, puzzle_ = 0;
  bool shown_;
  size_t width_ = 0;
  Clock::time_point started_, last_;
};

}  // namespace

int cmdGenerate(const GenerateArgs& a) {
  GenerateOptions o;
  o.sizeX = a.sizeX, o.sizeY = a.sizeY, o.sizeZ = a.sizeZ;
  o.blocks = a.blocks;
  o.minCells = a.minCells, o.maxCells = a.maxCells;
  o.minStars = a.minStars, o.maxStars = a.maxStars;
  o.allowIdentical = a.identical;
  o.timeLimit = a.timeLimit;
  if (a.tries > 0) o.maxTries = a.tries;
  std::string why;
  {
    const EnglishTexts english;
    why = fncGenerate_check(o);
  }
  if (!why.empty()) {
    complain("generate: " + why + "; nothing written");
    return 1;
  }
  // One puzzle may go to a file; several, or any into a folder, take their names from their seeds.
  const bool folder = a.count > 1 || fncDir_exists(a.out);
  const uint64_t first = a.seeded ? a.seed : fncGenerated_seed();
  auto fileOf = [&](int k) {
    GenerateOptions named = o;
    named.seed = first + static_cast<uint64_t>(k);
    return folder ? a.out + "/" + fncGenerated_fileName(named) : a.out;
  };
  // Refused before any search, so that no search is lost to them: a file
  // that is there is never replaced unasked, and a file needs its folder.
  if (!a.force)
    for (int k = 0; k < a.count; ++k)
      for (const std::string& path : {fileOf(k), a.source ? sourceName(fileOf(k)) : std::string()})
        if (!path.empty() && fncPath_present(path)) {
          complain(path + ": already there; --force replaces it; nothing written");
          return 1;
        }
  if (!folder) {
    const std::filesystem::path parent = std::filesystem::path(a.out).parent_path();
    if (!parent.empty() && !fncDir_exists(parent.string())) {
      complain(a.out + ": no such folder as " + parent.string() + "; nothing written");
      return 1;
    }
  }
  if (folder && !fncDir_exists(a.out) && !fncDir_create(a.out)) {
    complain(a.out + ": cannot create this folder; nothing written");
    return 1;
  }
  Progress progress(a.count);
  o.progress = [&](int tries, int most) { progress.tried(tries, most, o.timeLimit); };
  int status = 0;
  for (int k = 0; k < a.count; ++k) {
    o.seed = first + static_cast<uint64_t>(k);
    progress.start(k);
    const GenerateResult r = fncPuzzle_generate(o);
    progress.clear();
    if (r.status != GenerateStatus::Ok) {
      complain("generate: " + r.message);
      status = 1;
      continue;
    }
    const std::string file = fileOf(k);
    if (const IoError e = fncFile_writeAtomic(file, r.file)) {
      complain(file + ": cannot write it (" + writeProblem(e) + ")");
      status = 1;
      continue;
    }
    std::string source;
    if (a.source) {
      source = sourceName(file);
      if (const IoError e = fncFile_writeAtomic(source, r.sourceText)) {
        complain(source + ": cannot write it (" + writeProblem(e) + ")");
        status = 1;
        source.clear();
      }
    }
    char score[32];
    std::snprintf(score, sizeof score, "%.2f", r.rating.score);
    say(stdout, file + ": seed " + std::to_string(o.seed) + ", " + fncStr(o.sizeX) + " x " + fncStr(o.sizeY) + " x " +
                    fncStr(o.sizeZ) + ", " + fncStr(o.blocks) + " blocks of " + joined(r.source.cellCounts) +
                    " cells, unique after " + grouped(static_cast<unsigned>(r.tries)) +
                    (r.tries == 1 ? " try" : " tries") + ", difficulty " + fncStr(r.rating.stars) +
                    (r.rating.stars == 1 ? " star " : " stars ") + fncStars_text(r.rating.stars) + " (score " +
                    (r.rating.complete ? "" : "at least ") + score + "), password " + r.state.G_sAnswerPW +
                    (source.empty() ? "" : ", source " + source) + "\n");
  }
  return status;
}

}  // namespace pakkon::tool
