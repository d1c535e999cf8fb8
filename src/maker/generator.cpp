#include "maker/generator.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <random>

#include "app/startup.h"
#include "geometry/mask.h"
#include "geometry/orientation.h"
#include "model/puzzle_file.h"
#include "platform/text.h"
#include "solver/solver.h"
#include "version.h"

namespace pakkon {
namespace {

// Dissections drawn per try before the block sizes are drawn again: a
// growth that walls a block in is cheap to throw away.
constexpr int kGrowthsPerTry = 64;
// A walk from one dissection gives up after this many tries without
// fewer arrangements, and a fresh dissection starts.
constexpr int kStaleSteps = 100;
// Arrangement counts above this many orbits are all just "many": counting
// further costs more than it tells.
constexpr uint64_t kArrangementCap = 16;
constexpr int kMoveAttempts = 64;
// Letters and digits that fit every place of the scrambled password field
// (codes up to 'p'), without the look-alikes 0/O and 1/I/l.
constexpr char kPasswordChars[] = "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnop23456789";
constexpr int kPasswordLength = 8;

class Draw {
 public:
  explicit Draw(uint64_t seed) : rng_(seed) {}
  // Uniform in 0..n-1; the same on every platform, unlike the distributions.
  int below(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }
  uint64_t next() { return rng_(); }
  // One set bit of a non-empty mask, uniformly.
  uint64_t bitOf(uint64_t m) {
    for (int k = below(std::popcount(m)); k > 0; --k) m &= m - 1;
    return m & -m;
  }

 private:
  std::mt19937_64 rng_;
};

// Sizes between lo and hi adding up to the volume, in random order.
std::vector<int> drawSizes(Draw& d, int n, int volume, int lo, int hi) {
  std::vector<int> sizes(static_cast<size_t>(n), lo);
  for (int left = volume - n * lo; left > 0; --left) {
    int i;
    do i = d.below(n);
    while (sizes[static_cast<size_t>(i)] >= hi);
    ++sizes[static_cast<size_t>(i)];
  }
  return sizes;
}

// Grows every block from a random cell, one free neighbour cell at a time,
// until each has its size; false when one is walled in first.
bool grow(Draw& d, uint64_t box, const std::vector<int>& sizes, std::vector<uint64_t>& blocks) {
  const int n = static_cast<int>(sizes.size());
  blocks.assign(static_cast<size_t>(n), 0);
  uint64_t free = box;
  for (uint64_t& b : blocks) {
    b = d.bitOf(free);
    free ^= b;
  }
  std::vector<int> open;
  for (;;) {
    open.clear();
    for (int i = 0; i < n; ++i)
      if (std::popcount(blocks[static_cast<size_t>(i)]) < sizes[static_cast<size_t>(i)] &&
          (fncMask_neighbours(blocks[static_cast<size_t>(i)]) & free))
        open.push_back(i);
    if (open.empty()) return free == 0;
    uint64_t& b = blocks[static_cast<size_t>(open[static_cast<size_t>(d.below(static_cast<int>(open.size())))])];
    const uint64_t cell = d.bitOf(fncMask_neighbours(b) & free);
    b |= cell;
    free ^= cell;
  }
}

bool hasTwins(const std::vector<uint64_t>& blocks) {
  std::vector<uint64_t> keys;
  for (uint64_t b : blocks) keys.push_back(fncMask_shapeKey(b));
  std::sort(keys.begin(), keys.end());
  return std::adjacent_find(keys.begin(), keys.end()) != keys.end();
}

PuzzleState madeState(const GenerateOptions& o, const std::vector<uint64_t>& blocks) {
  PuzzleState st;
  st.G_iCellX = static_cast<int16_t>(o.sizeX);
  st.G_iCellY = static_cast<int16_t>(o.sizeY);
  st.G_iCellZ = static_cast<int16_t>(o.sizeZ);
  for (size_t b = 0; b < blocks.size(); ++b) subMask_grid(blocks[b], st.G_iPieceOrg[b]);
  return st;
}

// True when two touching blocks can swap the cells they share out in
// another way: then the packing is surely not unique, and no solver is
// needed to see it.
bool retiles(uint64_t a, uint64_t b) {
  const uint64_t both = a | b, other = fncMask_shapeKey(b);
  const std::array<uint64_t, kOrientations> turns = fncMask_orientations(a);
  for (size_t g = 0; g < turns.size(); ++g) {
    const uint64_t o = turns[g];
    if (std::find(turns.begin(), turns.begin() + static_cast<long>(g), o) != turns.begin() + static_cast<long>(g))
      continue;
    const MaskCell top = fncMask_high(o), low = fncMask_low(both), high = fncMask_high(both);
    for (int z = low.z; z + top.z <= high.z; ++z)
      for (int y = low.y; y + top.y <= high.y; ++y)
        for (int x = low.x; x + top.x <= high.x; ++x) {
          const uint64_t p = o << (x + 4 * y + 16 * z);
          if ((p & both) == p && p != a && fncMask_shapeKey(both ^ p) == other) return true;
        }
  }
  return false;
}

int retilingPairs(const std::vector<uint64_t>& blocks) {
  int n = 0;
  for (size_t i = 0; i < blocks.size(); ++i)
    for (size_t j = i + 1; j < blocks.size(); ++j)
      if ((fncMask_neighbours(blocks[i]) & blocks[j]) && retiles(blocks[i], blocks[j])) ++n;
  return n;
}

// How far a dissection is from a unique packing: the arrangements in the
// fixed box, counted up to a cap. Unique means one orbit under the box's
// rotations.
struct Fitness {
  int pairs = 0;  // pairs of blocks that retile; the solver is asked only when none do
  uint64_t arrangements = 0;
  bool unique = false;
};

Fitness judge(const PuzzleState& st, uint64_t worse) {
  const PackingSolver solver(st);
  uint64_t factor = 1;
  for (const auto& group : solver.identicalBlocks())
    for (size_t k = 2; k <= group.size(); ++k) factor *= k;
  SolveOptions so;
  so.distinct = true;
  // A count past `worse` is turned down whatever it comes to.
  so.limit = static_cast<uint64_t>(solver.boxRotations()) * factor * kArrangementCap;
  if (worse / factor < so.limit / factor) so.limit = worse * factor;
  const SolveResult r = solver.solve(so);
  return {0, r.arrangements, r.end == SolveEnd::Complete && r.distinct == 1};
}

// Moves one cell from a block to a neighbouring one, keeping sizes in range
// and both blocks in one piece; false when no such move turned up.
bool mutate(Draw& d, uint64_t box, int lo, int hi, bool allowIdentical, std::vector<uint64_t>& blocks) {
  const int n = static_cast<int>(blocks.size());
  for (int attempt = 0; attempt < kMoveAttempts; ++attempt) {
    uint64_t& from = blocks[static_cast<size_t>(d.below(n))];
    if (std::popcount(from) <= lo) continue;
    const uint64_t cell = d.bitOf(from);
    const uint64_t beside = fncMask_neighbours(cell) & box & ~from;
    if (!beside || !fncMask_connected(from ^ cell)) continue;
    const uint64_t into = d.bitOf(beside);
    uint64_t* to = nullptr;
    for (uint64_t& b : blocks)
      if (b & into) to = &b;
    if (std::popcount(*to) >= hi) continue;
    from ^= cell;
    *to |= cell;
    if (allowIdentical || !hasTwins(blocks)) return true;
    from |= cell;
    *to ^= cell;
  }
  return false;
}

std::string sourceText(const GenerateOptions& o, const std::vector<uint64_t>& blocks, const std::string& comment,
                       const std::string& password) {
  std::string text = "# ぱっこん puzzle source, made by pakkon-tool generate (seed " + std::to_string(o.seed) +
                     ")\nsize: " + fncStr(o.sizeX) + " x " + fncStr(o.sizeY) + " x " + fncStr(o.sizeZ) +
                     "\ncomment: " + comment + "\npassword: " + password + "\n";
  for (int z = 0; z < o.sizeZ; ++z) {
    text += "\n# z = " + fncStr(z) + (z == 0 ? " (back)" : z + 1 == o.sizeZ ? " (front)" : "") + "\n";
    for (int y = 0; y < o.sizeY; ++y) {
      for (int x = 0; x < o.sizeX; ++x)
        for (size_t b = 0; b < blocks.size(); ++b)
          if (blocks[b] & fncCell_bit(x, y, z)) text += static_cast<char>('A' + b);
      text += "\n";
    }
  }
  return text;
}

}  // namespace

void subGenerate_defaultCells(const GenerateOptions& o, int& minCells, int& maxCells) {
  const int volume = o.sizeX * o.sizeY * o.sizeZ;
  const double average = static_cast<double>(volume) / std::max(o.blocks, 1);
  minCells = o.minCells > 0 ? o.minCells : std::max(1, static_cast<int>(std::lround(average * 5 / 8)));
  maxCells = o.maxCells > 0 ? o.maxCells : std::max(minCells, static_cast<int>(std::lround(average * 11 / 8)));
}

std::string fncGenerate_check(const GenerateOptions& o) {
  for (int side : {o.sizeX, o.sizeY, o.sizeZ})
    if (side < 2 || side > kCells) return "every side of the box must be 2 to 4 cells";
  if (o.blocks < 2 || o.blocks > kPieces) return "a puzzle has 2 to 8 blocks";
  if (o.minStars < 1 || o.maxStars > 5 || o.minStars > o.maxStars) return "stars are 1 to 5, the lower first";
  if (o.maxTries < 1) return "at least one try is needed";
  int lo, hi;
  subGenerate_defaultCells(o, lo, hi);
  const int volume = o.sizeX * o.sizeY * o.sizeZ;
  if (lo < 1 || hi < lo) return "the smallest block size must be 1 or more and not above the largest";
  if (o.blocks * lo > volume || o.blocks * hi < volume)
    return fncStr(o.blocks) + " blocks of " + fncStr(lo) + " to " + fncStr(hi) + " cells cannot fill the " +
           fncStr(volume) + " cells of the box";
  return {};
}

uint64_t fncGenerated_seed() { return fncClockSeed() % 1'000'000'000; }

std::string fncGenerated_fileName(const GenerateOptions& o) {
  return "generated-" + fncStr(o.sizeX) + "x" + fncStr(o.sizeY) + "x" + fncStr(o.sizeZ) + "-" + fncStr(o.blocks) + "-" +
         std::to_string(o.seed) + ".bin";
}

std::string fncGenerated_comment(int sx, int sy, int sz, int blocks, int stars) {
  return "生成 " + fncStr(sx) + "×" + fncStr(sy) + "×" + fncStr(sz) + " " + fncStr(blocks) + "ブロック " +
         fncStars_text(stars);
}

GenerateResult fncPuzzle_generate(const GenerateOptions& o) {
  GenerateResult out;
  out.message = fncGenerate_check(o);
  if (!out.message.empty()) return out;
  int lo, hi;
  subGenerate_defaultCells(o, lo, hi);
  const uint64_t box = fncBox_mask(o.sizeX, o.sizeY, o.sizeZ);
  const int volume = std::popcount(box);
  Draw d(o.seed);
  std::vector<uint64_t> blocks;
  auto cancelled = [&] { return o.cancel && o.cancel->load(std::memory_order_relaxed); };

  std::vector<uint64_t> current;
  Fitness now;
  int stale = 0;
  // A walk over dissections: each step moves one cell to a neighbouring
  // block and is kept when the packing has no more arrangements than
  // before, so it drifts toward a unique one; unique ones are rated until
  // one has the asked stars.
  while (out.tries < o.maxTries) {
    if (cancelled()) {
      out.status = GenerateStatus::Cancelled;
      out.message = "cancelled";
      return out;
    }
    blocks = current;
    if (current.empty() || stale >= kStaleSteps || !mutate(d, box, lo, hi, o.allowIdentical, blocks)) {
      const std::vector<int> sizes = drawSizes(d, o.blocks, volume, lo, hi);
      bool grown = false;
      for (int g = 0; g < kGrowthsPerTry && !grown; ++g, ++out.dissections) grown = grow(d, box, sizes, blocks);
      if (!grown || (!o.allowIdentical && hasTwins(blocks))) {
        ++out.tries;
        continue;
      }
      current.clear();
      stale = 0;
    }
    ++out.tries;
    Fitness f;
    f.pairs = retilingPairs(blocks);
    if (f.pairs == 0)
      f = judge(madeState(o, blocks), current.empty() || now.pairs ? UINT64_MAX : now.arrangements + 1);
    else
      f.arrangements = UINT64_MAX;
    if (o.progress) o.progress(out.tries, o.maxTries);
    const bool better = f.pairs < now.pairs || (f.pairs == now.pairs && f.arrangements < now.arrangements);
    const bool worse = f.pairs > now.pairs || (f.pairs == now.pairs && f.arrangements > now.arrangements);
    if (!current.empty() && worse) {
      ++stale;
      continue;
    }
    stale = better || current.empty() ? 0 : stale + 1;
    current = blocks;
    now = f;
    if (!f.unique) continue;

    // Blocks numbered by their first cell, so the drawing reads A first.
    std::sort(blocks.begin(), blocks.end(), [](uint64_t a, uint64_t b) { return (a & -a) < (b & -b); });
    const PuzzleState made = madeState(o, blocks);
    RatingOptions ro;
    ro.cancel = o.cancel;
    // Past the top of the asked range the exact figure no longer matters.
    if (o.maxStars < 5)
      ro.nodeLimit = std::min<uint64_t>(
          ro.nodeLimit,
          static_cast<uint64_t>(std::ceil(static_cast<double>(f.arrangements) * fncDifficulty_bandTop(o.maxStars))) +
              1);
    const DifficultyRating r = fncDifficulty_rate(made, ro);
    if (cancelled()) continue;  // reported at the top of the loop
    if (r.stars < o.minStars || r.stars > o.maxStars) continue;

    out.rating = r;
    Draw finish(d.next());
    std::string password;
    for (int i = 0; i < kPasswordLength; ++i)
      password += kPasswordChars[finish.below(static_cast<int>(sizeof kPasswordChars) - 1)];
    const std::string comment = fncGenerated_comment(o.sizeX, o.sizeY, o.sizeZ, o.blocks, r.stars);
    out.sourceText = sourceText(o, blocks, comment, password);
    PuzzleTextResult parsed = fncPuzzleText_parse(out.sourceText);
    if (!parsed.ok()) {  // a fault of this file, not of the options
      out.status = GenerateStatus::NotFound;
      out.message = "internal error: the drawing does not read back: " + fncTextIssue_format(parsed.errors.front());
      return out;
    }
    out.source = parsed.source;
    subPuzzleText_make(out.source, out.state, fncSeededRandom(finish.next() | 1));
    out.state.G_sVersion = fncVersion_text(build::kVersionMajor, build::kVersionMinor, build::kVersionRevision);
    PuzzleKey key;
    for (uint8_t& k : key) k = static_cast<uint8_t>(64 + finish.below(128));
    int step = 0;
    if (!fncPuzzle_encode(out.state, key, out.file, &step)) {
      out.status = GenerateStatus::NotFound;
      out.message = "internal error: the puzzle cannot be stored (step " + fncStr(step) + ")";
      return out;
    }
    out.status = GenerateStatus::Ok;
    out.message.clear();
    return out;
  }
  out.status = GenerateStatus::NotFound;
  out.message = "no unique puzzle of " + fncStr(o.minStars) +
                (o.minStars == o.maxStars ? "" : "-" + fncStr(o.maxStars)) + " stars in " + fncStr(o.maxTries) +
                " tries (seed " + std::to_string(o.seed) +
                "): try another seed, a wider star range, other block sizes or more tries";
  return out;
}

}  // namespace pakkon
