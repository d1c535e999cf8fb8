#include "model/puzzle_file.h"

#include <chrono>
#include <cstring>
#include <random>
#include <vector>

#include "platform/cp932.h"
#include "platform/text.h"

namespace pakkon {
namespace {

constexpr size_t kTextWidth = 16;
constexpr size_t kCommentBytes = 40;
constexpr size_t kReservedTextBytes = 128;

// Field steps, in file order.
constexpr int kStepHeader = 110, kStepKey = 120, kStepPassword = 121, kStepPieceOrg = 130, kStepPiece = 140,
              kStepComment = 150, kStepCellX = 160, kStepCellY = 170, kStepCellZ = 180, kStepBox = 190,
              kStepBoxPiece = 200, kStepBoxColor = 210, kStepCellTotal = 220, kStepCellDone = 230, kStepPieceUsed = 240,
              kStepRotate = 250, kStepRotation = 260, kStepInfo = 270, kStepReserved1 = 280, kStepReserved2 = 290;

// ---- writing ----

void putI16(std::string& out, int16_t v) {
  const auto u = static_cast<uint16_t>(v);
  out.push_back(static_cast<char>(u & 0xFF));
  out.push_back(static_cast<char>(u >> 8));
}

void putI32(std::string& out, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

std::string padded(std::string s, size_t width) {
  if (s.size() > width) s.resize(width);
  s.append(width - s.size(), ' ');
  return s;
}

// The first n characters of a UTF-8 text, padded with blanks to n characters.
std::vector<uint32_t> codePoints(std::string_view s, size_t n) {
  std::vector<uint32_t> out;
  size_t i = 0;
  while (i < s.size() && out.size() < n) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    uint32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (size_t k = 1; k < len && i + k < s.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out.push_back(cp);
    i += len;
  }
  out.resize(n, ' ');
  return out;
}

// Scrambles a text into the 16-byte password field. A character whose code
// plus 127 plus its position passes 255 (any non-ASCII one among them)
// cannot be stored: that is an overflow.
bool scramble(std::string_view text, const PuzzleKey& key, std::string& out) {
  const std::vector<uint32_t> chars = codePoints(fncTrim(text), kTextWidth);
  for (size_t i = 0; i < kTextWidth; ++i) {
    const uint32_t b = chars[i] + 127 + static_cast<uint32_t>(i + 1);
    if (chars[i] > 0x7F || b > 255) return false;
    out.push_back(static_cast<char>(b ^ key[i]));
  }
  return true;
}

template <typename Emit>
bool forEachField(const PuzzleState& st, const PuzzleKey& key, Emit emit) {
  std::string f;
  auto flush = [&](int step) {
    const bool ok = emit(step, f);
    f.clear();
    return ok;
  };

  f = padded(fncTrim(st.G_sVersion), kTextWidth);
  if (!flush(kStepHeader)) return false;

  f.assign(reinterpret_cast<const char*>(key.data()), key.size());
  if (!flush(kStepKey)) return false;

  if (!scramble(st.G_sAnswerPW, key, f)) return emit(-kStepPassword, f);
  if (!flush(kStepPassword)) return false;

  for (const PieceGrids* grids : {&st.G_iPieceOrg, &st.G_iPiece}) {
    for (int z = 0; z < kCells; ++z)
      for (int y = 0; y < kCells; ++y)
        for (int x = 0; x < kCells; ++x)
          for (int b = 0; b < kPieces; ++b) putI16(f, (*grids)[b][x][y][z]);
    if (!flush(grids == &st.G_iPieceOrg ? kStepPieceOrg : kStepPiece)) return false;
  }

  f = padded(fncCp932_cut(fncCp932_encode(fncTrim(st.G_sComment)), kCommentBytes), kCommentBytes);
  if (!flush(kStepComment)) return false;

  putI16(f, st.G_iCellX);
  if (!flush(kStepCellX)) return false;
  putI16(f, st.G_iCellY);
  if (!flush(kStepCellY)) return false;
  putI16(f, st.G_iCellZ);
  if (!flush(kStepCellZ)) return false;

  for (const Grid* grid : {&st.G_iBox, &st.G_iBoxPiece}) {
    for (int z = 0; z < kCells; ++z)
      for (int y = 0; y < kCells; ++y)
        for (int x = 0; x < kCells; ++x) putI16(f, (*grid)[x][y][z]);
    if (!flush(grid == &st.G_iBox ? kStepBox : kStepBoxPiece)) return false;
  }

  for (int s = 0; s < kShades; ++s)
    for (int z = 0; z < kCells; ++z)
      for (int y = 0; y < kCells; ++y)
        for (int x = 0; x < kCells; ++x) putI32(f, st.G_lBoxColor[x][y][z][s]);
  if (!flush(kStepBoxColor)) return false;

  putI16(f, st.G_iCellTotal);
  if (!flush(kStepCellTotal)) return false;
  putI16(f, st.G_iCellDone);
  if (!flush(kStepCellDone)) return false;
  for (int16_t v : st.G_iPieceUsed) putI16(f, v);
  if (!flush(kStepPieceUsed)) return false;
  putI32(f, st.GE_lRotate);
  if (!flush(kStepRotate)) return false;
  for (int16_t v : st.GE_iRotation) putI16(f, v);
  if (!flush(kStepRotation)) return false;
  for (const PieceInfo& info : st.G_Info_Piece) {
    putI16(f, info.iNo);
    putI16(f, info.iFace_ct);
    putI16(f, info.iTurn_CtZ);
  }
  if (!flush(kStepInfo)) return false;

  // The reserved fields hold an empty scrambled text and blanks.
  scramble("", key, f);
  if (!flush(kStepReserved1)) return false;
  f.assign(kReservedTextBytes, ' ');
  return flush(kStepReserved2);
}

// ---- reading ----

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool take(size_t n, std::string_view& out) {
    if (pos_ + n > bytes_.size()) return false;
    out = bytes_.substr(pos_, n);
    pos_ += n;
    return true;
  }
  bool i16(int16_t& v) {
    std::string_view b;
    if (!take(2, b)) return false;
    v = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint8_t>(b[0]) | static_cast<uint8_t>(b[1]) << 8));
    return true;
  }
  bool i32(int32_t& v) {
    std::string_view b;
    if (!take(4, b)) return false;
    uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<uint8_t>(b[static_cast<size_t>(i)]);
    v = static_cast<int32_t>(u);
    return true;
  }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
};

PuzzleReadResult failure(int step, int number) {
  PuzzleReadResult r;
  r.status = PuzzleReadStatus::Error;
  r.step = step;
  r.error = fncIoError_make(number);
  return r;
}

bool inRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

// Reads a box grid, x fastest, refusing values outside lo..hi.
bool readGrid(Reader& in, Grid& g, int lo, int hi, bool& bad) {
  for (int z = 0; z < kCells; ++z)
    for (int y = 0; y < kCells; ++y)
      for (int x = 0; x < kCells; ++x) {
        if (!in.i16(g[x][y][z])) return false;
        if (!inRange(g[x][y][z], lo, hi)) bad = true;
      }
  return true;
}

bool readPieces(Reader& in, PieceGrids& g, bool& bad) {
  for (int z = 0; z < kCells; ++z)
    for (int y = 0; y < kCells; ++y)
      for (int x = 0; x < kCells; ++x)
        for (int b = 0; b < kPieces; ++b) {
          if (!in.i16(g[b][x][y][z])) return false;
          if (!inRange(g[b][x][y][z], 0, 1)) bad = true;
        }
  return true;
}

}  // namespace

bool fncPassword_encodable(std::string_view password, std::string* badChars) {
  const std::string trimmed = fncTrim(password);
  const std::vector<uint32_t> chars = codePoints(trimmed, kTextWidth);
  // Report bad characters by their UTF-8 text, each once, in typing order.
  bool ok = true;
  size_t i = 0, pos = 0;
  while (i < trimmed.size() && pos < kTextWidth) {
    const auto c = static_cast<unsigned char>(trimmed[i]);
    const size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    const uint32_t cp = chars[pos];
    if (cp > 0x7F || cp + 127 + pos + 1 > 255) {
      ok = false;
      const std::string ch = trimmed.substr(i, len);
      if (badChars && badChars->find(ch) == std::string::npos) *badChars += ch;
    }
    i += len;
    ++pos;
  }
  return ok;
}

PuzzleKey fncPuzzleKey_draw() {
  std::mt19937 rng(static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  PuzzleKey key{};
  for (uint8_t& k : key) k = static_cast<uint8_t>(static_cast<int>(unit(rng) * 128 + 64));
  return key;
}

bool fncPuzzle_encode(const PuzzleState& st, const PuzzleKey& key, std::string& bytes, int* failStep, IoError* error) {
  bytes.clear();
  return forEachField(st, key, [&](int step, const std::string& field) {
    if (step < 0) {
      if (failStep) *failStep = -step;
      if (error) *error = fncIoError_make(kErrOverflow);
      return false;
    }
    bytes += field;
    return true;
  });
}

bool subFile_put(const PuzzleState& st, const std::string& sPath, const ErrorReport& report,
                 const PutOptions& options) {
  const PuzzleKey key = options.key ? *options.key : fncPuzzleKey_draw();
  int step = kStepOpen;
  IoError error;
  AtomicWriter out(sPath, options.faults);
  error = out.open();
  if (!error) {
    forEachField(st, key, [&](int fieldStep, const std::string& field) {
      step = fieldStep < 0 ? -fieldStep : fieldStep;
      error = fieldStep < 0 ? fncIoError_make(kErrOverflow) : out.write(field);
      return !error;
    });
  }
  if (!error) {
    step = kStepClose;
    error = out.commit();
  }
  if (error) {
    report("Line " + fncStr(step) + ":" + error.text(), "frmMain.subFile_put() " + fncStr(error.number));
    return false;
  }
  return true;
}

PuzzleReadResult fncPuzzle_decode(std::string_view bytes, PuzzleState& st) {
  if (bytes.empty() || bytes[0] != 'V') {
    PuzzleReadResult r;
    r.status = PuzzleReadStatus::NgVersion;
    return r;
  }
  // Decode into a copy; the current puzzle is replaced only when all is well.
  PuzzleState s = st;
  Reader in(bytes);
  std::string_view field;
  bool bad = false;

  if (!in.take(kTextWidth, field)) return failure(kStepHeader, kErrPastEnd);
  const std::string version = fncTrim(fncCp932_decode(field));

  std::string_view key;
  if (!in.take(kTextWidth, key)) return failure(kStepKey, kErrPastEnd);

  if (!in.take(kTextWidth, field)) return failure(kStepPassword, kErrPastEnd);
  std::string password;
  for (size_t i = 0; i < kTextWidth; ++i) {
    const int c = (static_cast<uint8_t>(field[i]) ^ static_cast<uint8_t>(key[i])) - 127 - static_cast<int>(i + 1);
    if (c < 0) return failure(kStepPassword, kErrBadFormat);
    password.push_back(static_cast<char>(c));
  }
  s.G_sAnswerPW = fncTrim(password);

  if (!readPieces(in, s.G_iPieceOrg, bad)) return failure(kStepPieceOrg, kErrPastEnd);
  if (bad) return failure(kStepPieceOrg, kErrBadFormat);
  if (!readPieces(in, s.G_iPiece, bad)) return failure(kStepPiece, kErrPastEnd);
  if (bad) return failure(kStepPiece, kErrBadFormat);

  if (!in.take(kCommentBytes, field)) return failure(kStepComment, kErrPastEnd);
  s.G_sComment = fncTrim(fncCp932_decode(field));

  int16_t* sizes[] = {&s.G_iCellX, &s.G_iCellY, &s.G_iCellZ};
  const int sizeSteps[] = {kStepCellX, kStepCellY, kStepCellZ};
  for (int i = 0; i < 3; ++i) {
    if (!in.i16(*sizes[i])) return failure(sizeSteps[i], kErrPastEnd);
    if (!inRange(*sizes[i], 2, 4)) return failure(sizeSteps[i], kErrBadFormat);
  }
  subCellSize_set(s, s.G_iCellX, s.G_iCellY, s.G_iCellZ);

  if (!readGrid(in, s.G_iBox, 0, 2, bad)) return failure(kStepBox, kErrPastEnd);
  if (bad) return failure(kStepBox, kErrBadFormat);
  if (!readGrid(in, s.G_iBoxPiece, 0, 8, bad)) return failure(kStepBoxPiece, kErrPastEnd);
  if (bad) return failure(kStepBoxPiece, kErrBadFormat);

  for (int sh = 0; sh < kShades; ++sh)
    for (int z = 0; z < kCells; ++z)
      for (int y = 0; y < kCells; ++y)
        for (int x = 0; x < kCells; ++x)
          if (!in.i32(s.G_lBoxColor[x][y][z][sh])) return failure(kStepBoxColor, kErrPastEnd);

  if (!in.i16(s.G_iCellTotal)) return failure(kStepCellTotal, kErrPastEnd);
  if (!inRange(s.G_iCellTotal, 0, 64)) return failure(kStepCellTotal, kErrBadFormat);
  if (!in.i16(s.G_iCellDone)) return failure(kStepCellDone, kErrPastEnd);
  for (int16_t& v : s.G_iPieceUsed)
    if (!in.i16(v)) return failure(kStepPieceUsed, kErrPastEnd);
  if (!in.i32(s.GE_lRotate)) return failure(kStepRotate, kErrPastEnd);
  for (int16_t& v : s.GE_iRotation)
    if (!in.i16(v)) return failure(kStepRotation, kErrPastEnd);
  for (PieceInfo& info : s.G_Info_Piece)
    if (!in.i16(info.iNo) || !in.i16(info.iFace_ct) || !in.i16(info.iTurn_CtZ)) return failure(kStepInfo, kErrPastEnd);
  // The reserved trailer is not interpreted.

  st = std::move(s);
  PuzzleReadResult r;
  r.status = PuzzleReadStatus::Ok;
  r.version = version;
  return r;
}

PuzzleReadResult fncPuzzle_read(const std::string& sPath, PuzzleState& st) {
  std::string bytes;
  if (IoError e = fncFile_readAll(sPath, bytes, kPuzzleFileReadMax)) {
    PuzzleReadResult r;
    r.step = kStepOpen;
    r.error = e;
    return r;
  }
  return fncPuzzle_decode(bytes, st);
}

std::string fncFile_get(PuzzleState& st, const std::string& sPath, const ErrorReport& report) {
  const PuzzleReadResult r = fncPuzzle_read(sPath, st);
  switch (r.status) {
    case PuzzleReadStatus::Ok: return r.version;
    case PuzzleReadStatus::NgVersion: return kNgVersion;
    case PuzzleReadStatus::Error: break;
  }
  report("Line " + fncStr(r.step) + ":" + r.error.text(), "frmMain.fncFile_get() " + fncStr(r.error.number));
  return {};
}

}  // namespace pakkon
