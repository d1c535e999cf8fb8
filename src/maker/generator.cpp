#include "maker/generator.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <cmath>
#include <random>
#include <span>

#include "geometry/mask.h"
#include "geometry/orientation.h"
#include "model/puzzle_file.h"
#include "platform/cp932.h"
#include "platform/text.h"
#include "platform/text_catalogue.h"
#include "solver/placements.h"
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
constexpr uint64_t kArrangementCap = 8;
constexpr int kMoveAttempts = 64;
// Moves cut two touching blocks anew from their union, and move a single
// cell only when no recut turns up: single cells alone rarely get a walk
// off a plateau of many arrangements.
constexpr int kRecutAttempts = 16;
// Blocks with fewer places in the box tend to pack in fewer ways, and
// counting places costs next to nothing beside a solve. On a plateau of
// many arrangements a step is kept unjudged unless it cuts the places to
// 15/16 or below; off it, a step raising them past 3/2 is turned down
// unjudged: hardly any such step has no more arrangements.
constexpr uint64_t kPlateauJudge[2] = {15, 16};
constexpr uint64_t kUphill[2] = {3, 2};
// Letters and digits that fit every place of the scrambled password field
// (codes up to 'p'), without the look-alikes 0/O and 1/I/l.
constexpr char kPasswordChars[] = "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnop23456789";
constexpr int kPasswordLength = 8;
// Placements looked at per block size when counting shapes; past it there
// are taken to be shapes enough, so the check never refuses what might work.
constexpr long kShapeCountBudget = 300000;
constexpr size_t kCommentBytes = 40;

// Why options can never make a puzzle, in the interface's language.
constexpr const char* kBadSide = fncText_mark("箱の各辺は 2～4 セルです");
constexpr const char* kBadBlocks = fncText_mark("ブロックは 2～8 個です");
constexpr const char* kBadStars = fncText_mark("難しさは ★1～★5 で、低いほうが先です");
constexpr const char* kBadTries = fncText_mark("1 回以上試す必要があります");
constexpr const char* kBadCells = fncText_mark("ブロックの大きさは 1 セル以上で、最小が最大を超えてはいけません");
constexpr const char* kCannotFill =
    fncText_mark("%2～%3 セルのブロック %1 個では、箱の %4 セルをちょうど埋められません");
constexpr const char* kTwinsNeeded =
    fncText_mark("%2～%3 セルのブロック %1 個で箱の %4 セルを埋めると、どうしても同じ形のブロックが入ります");
constexpr const char* kTooFewForStars = fncText_mark("ブロック %1 個のパズルの難しさは ★%2 までです");
// The comment of a generated puzzle: size, blocks, stars.
constexpr const char* kComment = fncText_mark("生成 %1 %2ブロック %3");

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
bool grow(Draw& d, uint64_t box, std::span<const int> sizes, std::vector<uint64_t>& blocks) {
  const int n = static_cast<int>(sizes.size());
  blocks.assign(static_cast<size_t>(n), 0);
  uint64_t free = box;
  for (uint64_t& b : blocks) {
    b = d.bitOf(free);
    free ^= b;
  }
  std::array<int, kPieces> open;  // grown at every move: no allocation
  for (;;) {
    int opens = 0;
    for (int i = 0; i < n; ++i)
      if (std::popcount(blocks[static_cast<size_t>(i)]) < sizes[static_cast<size_t>(i)] &&
          (fncMask_neighbours(blocks[static_cast<size_t>(i)]) & free))
        open[static_cast<size_t>(opens++)] = i;
    if (opens == 0) return free == 0;
    uint64_t& b = blocks[static_cast<size_t>(open[static_cast<size_t>(d.below(opens))])];
    const uint64_t cell = d.bitOf(fncMask_neighbours(b) & free);
    b |= cell;
    free ^= cell;
  }
}

// fncMask_shapeKey remembered: a walk meets the same blocks again and
// again, and a key turns its block 24 ways.
class ShapeKeys {
 public:
  uint64_t operator()(uint64_t m) {
    Slot& s = slots_[(m * 0x9E3779B97F4A7C15ULL) >> 52];
    if (s.mask != m) s = {m, fncMask_shapeKey(m)};
    return s.key;
  }

 private:
  struct Slot {
    uint64_t mask = 0, key = 0;  // an empty mask's key is 0 too
  };
  std::vector<Slot> slots_ = std::vector<Slot>(4096);
};

// Places of a shape in the box, by its key, over all its turns.
class PlaceCounts {
 public:
  explicit PlaceCounts(uint64_t box) : box_(box) {}
  uint64_t operator()(uint64_t key) {
    Slot& s = slots_[(key * 0x9E3779B97F4A7C15ULL) >> 52];
    if (s.key != key) {
      places_.clear();
      for (uint64_t o : fncShape_orientations(key)) subShape_places(o, box_, places_);
      s = {key, places_.size()};
    }
    return s.count;
  }

 private:
  struct Slot {
    uint64_t key = 0, count = 0;  // an empty shape's key is 0, with no places
  };
  uint64_t box_;
  std::vector<Slot> slots_ = std::vector<Slot>(4096);
  std::vector<uint64_t> places_;
};

bool hasTwins(const std::vector<uint64_t>& blocks, ShapeKeys& shapeKey) {
  std::array<uint64_t, kPieces> keys;  // asked after every move: no allocation
  for (auto k = keys.begin(); uint64_t b : blocks) {
    *k = shapeKey(b);
    if (std::find(keys.begin(), k, *k) != k) return true;
    ++k;
  }
  return false;
}

// Block b of the searches is blocks[b].
std::array<uint64_t, kPieces> numbered(const std::vector<uint64_t>& blocks) {
  std::array<uint64_t, kPieces> out{};
  std::copy(blocks.begin(), blocks.end(), out.begin());
  return out;
}

// True when two touching blocks can swap the cells they share out in
// another way: then the packing is surely not unique, and no solver is
// needed to see it. Two blocks of one shape trading places is the same
// packing. `turnsA` and `turnsB` are the blocks' distinct orientations.
bool retiles(uint64_t a, const std::vector<uint64_t>& turnsA, uint64_t b, const std::vector<uint64_t>& turnsB,
             std::vector<uint64_t>& places) {
  const uint64_t both = a | b;
  places.clear();
  for (uint64_t o : turnsA) subShape_places(o, both, places);
  // What is left is b's shape when, pushed to the corner, it is one of b's turns.
  return std::any_of(places.begin(), places.end(), [&](uint64_t p) {
    return p != a && p != b && std::find(turnsB.begin(), turnsB.end(), fncMask_origin(both ^ p)) != turnsB.end();
  });
}

// retiles() remembered per pair: a move changes two blocks, and the pairs
// of the others are asked again.
class Retilings {
 public:
  bool operator()(uint64_t a, uint64_t b) {
    Slot& s = slots_[(a * 0x9E3779B97F4A7C15ULL ^ b * 0xC2B2AE3D27D4EB4FULL) >> 52];
    if (s.a != a || s.b != b) s = {a, b, retiles(a, fncShape_orientations(a), b, fncShape_orientations(b), places_)};
    return s.retiles;
  }

 private:
  struct Slot {
    uint64_t a = 0, b = 0;  // blocks are never empty
    bool retiles = false;
  };
  std::vector<Slot> slots_ = std::vector<Slot>(4096);
  std::vector<uint64_t> places_;
};

int retilingPairs(const std::vector<uint64_t>& blocks, Retilings& retile) {
  // Two blocks filling the box always retile by a turn of the whole box,
  // which is the same solution; the solver judges them.
  if (blocks.size() < 3) return 0;
  int n = 0;
  for (size_t i = 0; i < blocks.size(); ++i)
    for (size_t j = i + 1; j < blocks.size(); ++j)
      if ((fncMask_neighbours(blocks[i]) & blocks[j]) && retile(blocks[i], blocks[j])) ++n;
  return n;
}

// Shapes (up to rotation) of `size` connected cells that fit in the box,
// counted up to `want`. Every placement is grown once from its lowest cell
// (Redelmeier's method).
class ShapeCount {
 public:
  ShapeCount(int size, int want) : size_(size), want_(want) {}
  int count(uint64_t box) {
    for (uint64_t rest = box; rest && !done(); rest &= rest - 1) {
      const uint64_t start = rest & -rest;
      grow(box & ~((start << 1) - 1), 0, start, start, 0);
    }
    return budget_ <= 0 ? want_ : static_cast<int>(keys_.size());
  }

 private:
  bool done() const { return static_cast<int>(keys_.size()) >= want_ || budget_ <= 0; }
  void grow(uint64_t allowed, uint64_t block, uint64_t untried, uint64_t reached, int cells) {
    while (untried && !done()) {
      const uint64_t cell = untried & -untried;
      untried ^= cell;
      --budget_;
      const uint64_t grown = block | cell;
      if (cells + 1 == size_) {
        const uint64_t key = fncMask_shapeKey(grown);
        if (std::find(keys_.begin(), keys_.end(), key) == keys_.end()) keys_.push_back(key);
        continue;
      }
      const uint64_t more = fncMask_neighbours(cell) & allowed & ~reached;
      grow(allowed, grown, untried | more, reached | more, cells + 1);
    }
  }
  int size_, want_;
  long budget_ = kShapeCountBudget;
  std::vector<uint64_t> keys_;
};

// Whether `blocks` blocks of lo..hi cells fill `volume` cells, with at most
// limit(size) blocks of each size.
template <typename Limit>
bool fills(int blocks, int volume, int lo, int hi, Limit limit) {
  // can[k][v]: k blocks of the sizes so far hold v cells.
  std::vector<std::vector<bool>> can(static_cast<size_t>(blocks) + 1, std::vector<bool>(volume + 1u, false));
  can[0][0] = true;
  for (int size = lo; size <= hi; ++size) {
    const int most = std::min(limit(size), blocks);
    for (int k = blocks; k >= 1; --k)
      for (int v = volume; v >= 0; --v)
        for (int j = 1; j <= most && j <= k && j * size <= v && !can[k][v]; ++j)
          if (can[static_cast<size_t>(k - j)][static_cast<size_t>(v - j * size)]) can[k][v] = true;
  }
  return can[static_cast<size_t>(blocks)][static_cast<size_t>(volume)];
}

// The most stars a puzzle of n blocks can rate: the person's search puts at
// most 24 turns of each block left at each step, and a puzzle has at
// least one solution.
int mostStars(int n) {
  double nodes = 0, level = 1;
  for (int d = 0; d < n; ++d) nodes += level *= 24.0 * (n - d);
  return fncDifficulty_stars(std::log10(nodes));
}

// How far a dissection is from a unique packing: the arrangements in the
// fixed box, counted up to a cap. Unique means one orbit under the box's
// rotations.
struct Fitness {
  int pairs = 0;              // pairs of blocks that retile; the solver is asked only when none do
  uint64_t arrangements = 0;  // at most `many`
  bool unique = false;
  uint64_t places = 0;  // of all blocks in the box
};

Fitness judge(const std::vector<uint64_t>& blocks, uint64_t box, uint64_t worse, uint64_t many) {
  const PackingSolver solver(numbered(blocks), box);
  uint64_t factor = 1;
  for (const auto& group : solver.identicalBlocks())
    for (size_t k = 2; k <= group.size(); ++k) factor *= k;
  SolveOptions so;
  so.distinct = true;
  // A count past `worse` is turned down whatever it comes to.
  so.limit = static_cast<uint64_t>(solver.boxRotations()) * factor * kArrangementCap;
  if (worse / factor < so.limit / factor) so.limit = worse * factor;
  const SolveResult r = solver.solve(so);
  return {0, std::min(r.arrangements, many), r.end == SolveEnd::Complete && r.distinct == 1};
}

// Whether block i retiles with a block it touches.
bool retilesAround(const std::vector<uint64_t>& blocks, size_t i, Retilings& retile) {
  if (blocks.size() < 3) return false;
  const uint64_t near = fncMask_neighbours(blocks[i]);
  for (size_t j = 0; j < blocks.size(); ++j)
    if (j != i && (near & blocks[j]) && (j < i ? retile(blocks[j], blocks[i]) : retile(blocks[i], blocks[j])))
      return true;
  return false;
}

// Whether blocks i and j, just changed, may stay: no twins unless allowed,
// and, with `retile`, no pair that retiles (the walk has left those behind,
// and a move back to one would be a try lost).
bool keeps(const std::vector<uint64_t>& blocks, size_t i, size_t j, bool allowIdentical, ShapeKeys& keys,
           Retilings* retile) {
  return (allowIdentical || !hasTwins(blocks, keys)) &&
         (!retile || (!retilesAround(blocks, i, *retile) && !retilesAround(blocks, j, *retile)));
}

// Cuts two touching blocks anew from their union, each keeping its size.
bool recut(Draw& d, std::vector<uint64_t>& blocks, bool allowIdentical, ShapeKeys& keys, Retilings* retile) {
  const int n = static_cast<int>(blocks.size());
  std::vector<size_t> touching;
  std::vector<uint64_t> two;
  for (int attempt = 0; attempt < kRecutAttempts; ++attempt) {
    const size_t i = static_cast<size_t>(d.below(n));
    touching.clear();
    for (size_t j = 0; j < blocks.size(); ++j)
      if (j != i && (fncMask_neighbours(blocks[i]) & blocks[j])) touching.push_back(j);
    if (touching.empty()) continue;
    const size_t j = touching[static_cast<size_t>(d.below(static_cast<int>(touching.size())))];
    const uint64_t a = blocks[i], b = blocks[j];
    const int sizes[] = {std::popcount(a), std::popcount(b)};
    if (!grow(d, a | b, sizes, two) || (two[0] == a && two[1] == b)) continue;
    blocks[i] = two[0], blocks[j] = two[1];
    if (keeps(blocks, i, j, allowIdentical, keys, retile)) return true;
    blocks[i] = a, blocks[j] = b;
  }
  return false;
}

// Recuts two blocks, or else moves one cell from a block to a neighbouring
// one, keeping sizes in range and both blocks in one piece; false when no
// such move turned up.
bool mutate(Draw& d, uint64_t box, int lo, int hi, bool allowIdentical, std::vector<uint64_t>& blocks, ShapeKeys& keys,
            Retilings* retile) {
  if (recut(d, blocks, allowIdentical, keys, retile)) return true;
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
    if (keeps(blocks, static_cast<size_t>(&from - blocks.data()), static_cast<size_t>(to - blocks.data()),
              allowIdentical, keys, retile))
      return true;
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

// "180 seconds", "1.5 seconds".
std::string fncSeconds_count(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%g second%s", seconds, seconds == 1 ? "" : "s");
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
    if (side < 2 || side > kCells) return fncText(kBadSide);
  if (o.blocks < 2 || o.blocks > kPieces) return fncText(kBadBlocks);
  if (o.minStars < 1 || o.maxStars > 5 || o.minStars > o.maxStars) return fncText(kBadStars);
  if (o.maxTries < 1) return fncText(kBadTries);
  int lo, hi;
  subGenerate_defaultCells(o, lo, hi);
  const int volume = o.sizeX * o.sizeY * o.sizeZ;
  if (lo < 1 || hi < lo) return fncText(kBadCells);
  const std::string blocks = fncStr(o.blocks), from = fncStr(lo), to = fncStr(hi), cells = fncStr(volume);
  if (!fills(o.blocks, volume, lo, std::min(hi, volume), [&](int) { return o.blocks; }))
    return fncText_message(kCannotFill, {blocks, from, to, cells});
  const uint64_t box = fncBox_mask(o.sizeX, o.sizeY, o.sizeZ);
  if (!o.allowIdentical && !fills(o.blocks, volume, lo, std::min(hi, volume),
                                  [&](int size) { return ShapeCount(size, o.blocks).count(box); }))
    return fncText_message(kTwinsNeeded, {blocks, from, to, cells});
  if (const int most = mostStars(o.blocks); o.minStars > most)
    return fncText_message(kTooFewForStars, {blocks, fncStr(most)});
  return {};
}

uint64_t fncGenerated_seed() { return fncClockSeed() % 1'000'000'000; }

std::string fncGenerated_fileName(const GenerateOptions& o) {
  return "generated-" + fncStr(o.sizeX) + "x" + fncStr(o.sizeY) + "x" + fncStr(o.sizeZ) + "-" + fncStr(o.blocks) + "-" +
         std::to_string(o.seed) + ".bin";
}

std::string fncGenerated_comment(int sx, int sy, int sz, int blocks, int stars) {
  const std::string size = fncStr(sx) + "×" + fncStr(sy) + "×" + fncStr(sz), count = fncStr(blocks),
                    marks = fncStars_text(stars);
  const std::string comment = fncText_message(kComment, {size, count, marks});
  if (fncCp932_encode(comment).size() <= kCommentBytes) return comment;
  // A translation too long for the file gives way to the Japanese, which fits.
  std::string japanese = kComment;
  const std::pair<const char*, std::string> parts[] = {{"%1", size}, {"%2", count}, {"%3", marks}};
  for (const auto& [mark, value] : parts) japanese.replace(japanese.find(mark), 2, value);
  return japanese;
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
  using Clock = std::chrono::steady_clock;
  const Clock::time_point started = Clock::now();
  auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - started).count(); };

  std::vector<uint64_t> current;
  ShapeKeys keys;
  Retilings retile;
  PlaceCounts placeCount(box);
  // Arrangements of "many" orbits, whatever the twins.
  const uint64_t many = fncBox_turns(box).size() * kArrangementCap;
  Fitness now;
  int stale = 0;
  // A walk over dissections: each step recuts two blocks or moves one cell
  // to a neighbouring block, and is kept when the packing has no more
  // arrangements than before, so it drifts toward a unique one; unique
  // ones are rated until one has the asked stars.
  while (out.tries < o.maxTries) {
    if (o.timeLimit > 0 && elapsed() >= o.timeLimit) {
      out.timedOut = true;
      break;
    }
    if (cancelled()) {
      out.status = GenerateStatus::Cancelled;
      out.message = "cancelled";
      return out;
    }
    blocks = current;
    if (current.empty() || stale >= kStaleSteps ||
        !mutate(d, box, lo, hi, o.allowIdentical, blocks, keys, now.pairs == 0 ? &retile : nullptr)) {
      const std::vector<int> sizes = drawSizes(d, o.blocks, volume, lo, hi);
      bool grown = false;
      for (int g = 0; g < kGrowthsPerTry && !grown; ++g, ++out.dissections) grown = grow(d, box, sizes, blocks);
      if (!grown || (!o.allowIdentical && hasTwins(blocks, keys))) {
        ++out.tries;
        continue;
      }
      current.clear();
      stale = 0;
    }
    ++out.tries;
    if (o.progress) o.progress(out.tries, o.maxTries);
    Fitness f;
    f.pairs = retilingPairs(blocks, retile);
    uint64_t places = 0;
    for (uint64_t b : blocks) places += placeCount(keys(b));
    if (!current.empty() && f.pairs == 0 && now.pairs == 0) {
      if (now.arrangements >= many && places * kPlateauJudge[1] > now.places * kPlateauJudge[0]) {
        // Kept unjudged: a plateau is crossed at random.
        current = blocks;
        now.places = places;
        ++stale;
        continue;
      }
      if (now.arrangements < many && places * kUphill[1] > now.places * kUphill[0]) {
        ++stale;
        continue;
      }
    }
    if (f.pairs == 0)
      f = judge(blocks, box, current.empty() || now.pairs ? UINT64_MAX : now.arrangements + 1, many);
    else
      f.arrangements = UINT64_MAX;
    f.places = places;
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
    RatingOptions ro;
    ro.cancel = o.cancel;
    // Past the top of the asked range the exact figure no longer matters.
    if (o.maxStars < 5)
      ro.nodeLimit = std::min<uint64_t>(
          ro.nodeLimit,
          static_cast<uint64_t>(std::ceil(static_cast<double>(f.arrangements) * fncDifficulty_bandTop(o.maxStars))) +
              1);
    const DifficultyRating r = fncDifficulty_rate(numbered(blocks), box, ro);
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
  out.seconds = elapsed();
  const std::string stars = fncStr(o.minStars) + (o.minStars == o.maxStars ? "" : "-" + fncStr(o.maxStars)) +
                            (o.maxStars == 1 ? " star" : " stars");
  const std::string tries = fncStr(out.tries) + (out.tries == 1 ? " try" : " tries");
  out.message = out.timedOut ? "no unique puzzle of " + stars + " in " + tries + " and the time limit of " +
                                   fncSeconds_count(o.timeLimit) + " (seed " + std::to_string(o.seed) +
                                   "): try another seed, a wider star range, other block sizes or more time"
                             : "no unique puzzle of " + stars + " in " + tries + " (seed " + std::to_string(o.seed) +
                                   "): try another seed, a wider star range, other block sizes or more tries";
  return out;
}

}  // namespace pakkon
