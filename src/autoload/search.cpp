#include "autoload/search.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "autoload/search_reference.h"
#include "geometry/mask.h"
#include "geometry/movement.h"
#include "platform/text.h"

// The run works on 64-bit cell masks, bit x + 4y + 16z, and keeps the
// state record true wherever the window or a file can see it: G_iBox,
// G_lBoxColor and the counters are written as they change; the block grids
// are written back before every hook call but stripLabel and pumpDue,
// before pump and pause, and at the end. G_iBoxWork is scratch and is not
// kept in step with what the step-by-step form would leave there.

namespace pakkon {

void subOrder_shift(PuzzleState& st) {
  const int16_t first = st.GE_iRotation[0];
  for (int k = 0; k < kPieces - 1; ++k) st.GE_iRotation[k] = st.GE_iRotation[k + 1];
  st.GE_iRotation[kPieces - 1] = first;
}

std::string fncResult_line(const PuzzleState& st, int last) {
  std::string line;
  for (int i = 0; i <= last; ++i) {
    line += fncStrSigned(st.GE_iRotation[i]);
    line += ',';
    line += fncStrSigned(st.G_Info_Piece[i].iFace_ct);
    line += ',';
    line += fncStrSigned(st.G_Info_Piece[i].iTurn_CtZ);
    line += ' ';
  }
  return line;
}

namespace {

using namespace autoload_internal;

class Fast {
 public:
  Fast(PuzzleState& st, AutoLoadHooks& hooks, const AutoLoadOptions& options, int last)
      : st_(st), hooks_(hooks), options_(options), vars_(*options.vars), last_(last) {
    limit_ = options.maxTests < 0 ? std::numeric_limits<int64_t>::max() : options.maxTests;
  }

  // Runs until the surroundings get a turn (a pump that is due, a pause of
  // the demonstration) or the run ends, or the state holds values the masks
  // cannot carry and the step-by-step form must take over.
  SliceEnd slice() {
    if (!started_) {
      started_ = true;
      if (!load()) return handOver(Resume{ResumeAt::Restart, last_, 0, 0, 0});
    } else if (yielded_) {
      yielded_ = false;
      // The events may have changed the state: STOP first, then the state
      // read back. A pause lets nothing in that the run must read again.
      if (vars_.bStop) {
        vars_.bStop = false;
        return ended(AutoLoadEnd::Stopped);
      }
      if (pauseMs_ == 0) {
        if (!load()) return handOver(Resume{ResumeAt::Test, last_, p_, b_, tests_});
        m_ = isBlock(b_) ? piece_[b_] : 0;
      }
    }
    Step step = next_;
    for (;;) {
      switch (step) {
        case Step::Restart: restart(); [[fallthrough]];
        case Step::Place:
          b_ = fncBlock_at(st_, p_);
          m_ = isBlock(b_) ? piece_[b_] : 0;
          [[fallthrough]];
        case Step::Scan: step = scan(true); break;
        case Step::ScanOn: step = scan(false); break;
        case Step::NextOrientation: step = nextOrientation(); break;
        case Step::Backtrack: step = backtrack(); break;
        case Step::Complete: step = complete() ? end(AutoLoadEnd::Filled) : turnFirst(); break;
        case Step::OrderFailed: step = orderFailed() ? Step::Restart : end(AutoLoadEnd::OrdersExhausted); break;
        case Step::End: return {SliceEnd::Kind::Ended, 0, result_, {}};
      }
      if (yielded_) {
        next_ = step;
        return {pauseMs_ > 0 ? SliceEnd::Kind::Pause : SliceEnd::Kind::Pump, pauseMs_, {}, {}};
      }
    }
  }

 private:
  enum class Step { Restart, Place, Scan, ScanOn, NextOrientation, Backtrack, Complete, OrderFailed, End };

  SliceEnd ended(AutoLoadEnd e) {
    result_ = {e, tests_};
    return {SliceEnd::Kind::Ended, 0, result_, {}};
  }
  static SliceEnd handOver(const Resume& from) { return {SliceEnd::Kind::HandOver, 0, {}, from}; }

  // The surroundings' turn: the state is brought up to date first.
  Step yieldTo(int pauseMs, Step next) {
    keep();
    sync();
    pauseMs_ = pauseMs;
    yielded_ = true;
    return next;
  }

  // Placing for block b_ from m_: tests positions in the scan order until
  // one is accepted or the orientation has none left. Coming back from a
  // pump goes on testing at once.
  Step scan(bool fresh) {
    if (fresh) {
      if (tests_ >= limit_) return end(AutoLoadEnd::LimitReached);
      if (hooks_.pumpDue()) return yieldTo(0, Step::ScanOn);
    }
    const bool block = isBlock(b_);
    for (;;) {
      uint64_t m = m_;
      int64_t tests = tests_;
      const int64_t limit = limit_;
      const bool boxBad = boxBad_;
      const uint64_t occ = box_ | outside_;
      // A blocked move leaves the block against the far wall, so originX and
      // originY take it back by the shape's free columns and rows.
      const MaskCell low = fncMask_low(m), high = fncMask_high(m);
      const int xBack = m == 0 ? 0 : 3 - (high.x - low.x);
      const int yBack = m == 0 ? 0 : 4 * (3 - (high.y - low.y));
      for (;;) {
        ++tests;
        if ((m & occ) == 0 && !boxBad) {
          m_ = m;
          tests_ = tests;
          return accept();
        }
        if (!block) {
          tests_ = tests;
          return Step::NextOrientation;
        }
        if ((m & kMaskX3) == 0) {
          m <<= 1;
        } else {
          m >>= xBack;
          if ((m & kMaskY3) == 0) {
            m <<= 4;
          } else {
            m >>= yBack;
            if ((m & kMaskZ3) != 0) {
              m_ = m;
              tests_ = tests;
              return Step::NextOrientation;
            }
            m <<= 16;
          }
        }
        if (tests >= limit) {
          m_ = m;
          tests_ = tests;
          return end(AutoLoadEnd::LimitReached);
        }
        if (hooks_.pumpDue()) {
          m_ = m;
          tests_ = tests;
          return yieldTo(0, Step::ScanOn);
        }
      }
    }
  }

  Step accept() {
    const int b = b_;
    const uint64_t m = m_;
    box_ |= m;
    for (uint64_t r = m; r != 0; r &= r - 1) {
      const MaskCell c = fncBit_cell(std::countr_zero(r));
      st_.G_iBox[c.x][c.y][c.z] = 1;
    }
    if (isBlock(b)) colour(box_ & ~coloured_, b);
    keep();
    sync();
    if (hooks_.deadSpaceChecked() && fncMask_sealed(box_) != 0) {
      if (isBlock(b)) clearShape(m);
      return Step::NextOrientation;
    }
    hooks_.boxDraw();
    if (isBlock(b)) st_.G_Info_Piece[b].iNo = static_cast<int16_t>(p_ + 1);
    hooks_.stripLabel(StripRow::lblNo, p_, p_ + 1);
    ++p_;
    const Step next = p_ > last_ ? Step::Complete : Step::Place;
    return vars_.bDemoRun ? yieldTo(500, next) : next;
  }

  Step demoStep() {
    if (!vars_.bDemoRun) return Step::Scan;
    keep();
    sync();
    hooks_.pieceDraw(b_);
    return yieldTo(100, Step::Scan);
  }

  Step nextOrientation() {
    if (isBlock(b_)) {
      PieceInfo& info = st_.G_Info_Piece[b_];
      if (info.iTurn_CtZ < 3) {
        m_ = fncMask_origin(fncMask_turnZ(fncMask_origin(m_)));
        ++info.iTurn_CtZ;
        hooks_.stripLabel(StripRow::lblTurn_CtZ, p_, info.iTurn_CtZ);
        return demoStep();
      }
      if (info.iFace_ct < 5) {
        info.iTurn_CtZ = 0;
        ++info.iFace_ct;
        hooks_.stripLabel(StripRow::lblTurn_CtZ, p_, info.iTurn_CtZ);
        hooks_.stripLabel(StripRow::lblFaceV, p_, info.iFace_ct);
        m_ = setFace(b_, info.iFace_ct, m_);
        return demoStep();
      }
      info = PieceInfo{};
      m_ = setFace(b_, 0, m_);
      keep();
    }
    hooks_.stripLabel(StripRow::lblTurn_CtZ, p_, 0);
    hooks_.stripLabel(StripRow::lblFaceV, p_, 0);
    hooks_.stripLabel(StripRow::lblNo, p_, 0);
    return Step::Backtrack;
  }

  Step backtrack() {
    if (p_ == 0) return Step::OrderFailed;
    --p_;
    b_ = fncBlock_at(st_, p_);
    m_ = isBlock(b_) ? piece_[b_] : 0;
    if (isBlock(b_)) clearShape(m_);
    sync();
    hooks_.boxDraw();
    if (isBlock(b_) && b_ == st_.iPiece_Sel) hooks_.pieceDraw(b_);
    return Step::NextOrientation;
  }

  // True when the box is full.
  bool complete() {
    sync();
    const int count = std::popcount(box_);
    hooks_.sumText(fncStr(count) + " : " + fncStr(st_.G_iCellTotal));
    hooks_.resultLine(fncResult_line(st_, last_));
    if (count != st_.G_iCellTotal) return false;
    hooks_.message(fncText(kFilledText), fncText(kFilledTitle), MsgIcon::Information);
    return true;
  }

  Step turnFirst() {
    const int b0 = st_.GE_iRotation[0];
    if (!isBlock(b0)) return Step::OrderFailed;
    PieceInfo& info = st_.G_Info_Piece[b0];
    // A stored turn count above 3 moves on to the next face, as in the
    // next-orientation step, instead of counting on through the 16-bit range.
    if (info.iTurn_CtZ < 3) {
      piece_[b0] = fncMask_turnZ(piece_[b0]);
      ++info.iTurn_CtZ;
      hooks_.stripLabel(StripRow::lblTurn_CtZ, b0, info.iTurn_CtZ);
    } else if (info.iFace_ct >= 5) {
      return Step::OrderFailed;
    } else {
      info.iTurn_CtZ = 0;
      ++info.iFace_ct;
      hooks_.stripLabel(StripRow::lblFaceV, b0, info.iFace_ct);
      piece_[b0] = setFace(b0, info.iFace_ct, piece_[b0]);
    }
    dirty_ |= 1u << b0;
    sync();
    hooks_.pieceDraw(b0);
    return Step::Restart;
  }

  // False when the orders are used up.
  bool orderFailed() {
    const int first = st_.GE_iRotation[0];
    subOrder_shift(st_);
    sync();
    hooks_.autoInfoShow();
    if (++vars_.lStep == 8) {
      vars_.lStep = 0;
      st_.GE_lRotate = fncRotate_next(st_.GE_lRotate);
      for (int k = 0; k <= last_; ++k) st_.GE_iRotation[k] = fncRotateDigit(st_.GE_lRotate, k);
      hooks_.autoInfoShow();
      if (st_.GE_lRotate > kRotateLimit) {
        hooks_.message(fncText(kRotationLimitText), fncText(kRotationLimitTitle), MsgIcon::Exclamation);
        return false;
      }
    }
    if (isBlock(first)) hooks_.pieceDraw(first);
    return true;
  }

  void restart() {
    std::memset(st_.G_iBox, 0, sizeof st_.G_iBox);
    std::memset(st_.G_lBoxColor, 0, sizeof st_.G_lBoxColor);
    box_ = coloured_ = tinted_ = 0;
    boxBad_ = false;
    for (int b = 0; b <= last_; ++b) {
      const uint64_t o = fncMask_origin(piece_[b]);
      if (o != piece_[b]) dirty_ |= 1u << b;
      piece_[b] = o;
    }
    p_ = 0;
  }

  uint64_t setFace(int b, int face, uint64_t m) const { return face >= 0 && face <= 5 ? face_[b][face] : m; }

  // The colours of block b into the given cells, as an accept writes them.
  void colour(uint64_t cells, int b) {
    const int32_t* row = st_.G_lColor[b + 1];
    for (uint64_t r = cells; r != 0; r &= r - 1) {
      const MaskCell c = fncBit_cell(std::countr_zero(r));
      std::memcpy(st_.G_lBoxColor[c.x][c.y][c.z], row, sizeof(int32_t) * kShades);
    }
    if (row[0] != 0) coloured_ |= cells;
    tinted_ = (row[0] | row[1] | row[2]) != 0 ? tinted_ | cells : tinted_ & ~cells;
  }

  // subBox_clearShape for a block standing on the cells m.
  void clearShape(uint64_t m) {
    for (uint64_t r = m & box_; r != 0; r &= r - 1) {
      const MaskCell c = fncBit_cell(std::countr_zero(r));
      st_.G_iBox[c.x][c.y][c.z] = 0;
    }
    for (uint64_t r = m & tinted_; r != 0; r &= r - 1) {
      const MaskCell c = fncBit_cell(std::countr_zero(r));
      std::memset(st_.G_lBoxColor[c.x][c.y][c.z], 0, sizeof(int32_t) * kShades);
    }
    box_ &= ~m;
    coloured_ &= ~m;
    tinted_ &= ~m;
    boxBad_ = (box_ & outside_) != 0;
  }

  void keep() {
    if (!isBlock(b_)) return;
    if (piece_[b_] != m_) dirty_ |= 1u << b_;
    piece_[b_] = m_;
  }

  void sync() {
    for (unsigned d = dirty_; d != 0; d &= d - 1) {
      const int b = std::countr_zero(d);
      subMask_grid(piece_[b], st_.G_iPiece[b]);
    }
    dirty_ = 0;
  }

  // Reads the internal form from the state; false when some grid holds
  // values the masks cannot carry.
  bool load() {
    bool binary = true;
    for (int b = 0; b < kPieces; ++b) {
      binary &= fncGrid_binary(st_.G_iPiece[b]) && fncGrid_binary(st_.G_iPieceOrg[b]);
      piece_[b] = fncGrid_mask(st_.G_iPiece[b]);
      const uint64_t org = fncGrid_mask(st_.G_iPieceOrg[b]);
      // The faces as subPiece_setFace makes them.
      for (int face = 0; face < 6; ++face) face_[b][face] = fncMask_origin(fncMask_orient(org, 4 * face));
    }
    binary &= fncGrid_binary(st_.G_iBox);
    box_ = fncGrid_mask(st_.G_iBox);
    coloured_ = tinted_ = 0;
    for (int i = 0; i < 64; ++i) {
      const MaskCell at = fncBit_cell(i);
      const int32_t* c = st_.G_lBoxColor[at.x][at.y][at.z];
      coloured_ |= static_cast<uint64_t>(c[0] != 0) << i;
      tinted_ |= static_cast<uint64_t>((c[0] | c[1] | c[2]) != 0) << i;
    }
    const auto span = [](int16_t cells) { return std::clamp<int>(cells, 0, kCells); };
    outside_ = ~fncBox_mask(span(st_.G_iCellX), span(st_.G_iCellY), span(st_.G_iCellZ));
    boxBad_ = (box_ & outside_) != 0;
    dirty_ = 0;
    return binary;
  }

  Step end(AutoLoadEnd e) {
    keep();
    sync();
    result_ = {e, tests_};
    return Step::End;
  }

  PuzzleState& st_;
  AutoLoadHooks& hooks_;
  const AutoLoadOptions& options_;
  LoaderVars& vars_;
  const int last_;
  int64_t limit_;
  int64_t tests_ = 0;
  int p_ = 0;
  int b_ = 0;
  uint64_t m_ = 0;  // block b_ where it stands; piece_[b_] lags behind it
  uint64_t piece_[kPieces] = {};
  uint64_t face_[kPieces][6] = {};
  uint64_t box_ = 0;
  uint64_t coloured_ = 0;  // shade 0 not 0
  uint64_t tinted_ = 0;    // some shade not 0
  uint64_t outside_ = 0;
  bool boxBad_ = false;  // a box cell beyond the box size: nothing fits
  unsigned dirty_ = 0;   // blocks whose grid in the state is behind piece_
  AutoLoadResult result_;
  bool started_ = false;
  Step next_ = Step::Restart;
  bool yielded_ = false;
  int pauseMs_ = 0;
};

}  // namespace

struct AutoLoadRun::Impl {
  PuzzleState& st;
  AutoLoadHooks& hooks;
  AutoLoadOptions options;
  std::unique_ptr<Fast> fast;
  std::unique_ptr<ReferenceSearch> reference;
  std::optional<AutoLoadResult> done;
  int pauseMs = 0;
  bool sliced = false;
  LoaderVars ownVars;
};

AutoLoadRun::AutoLoadRun(PuzzleState& st, AutoLoadHooks& hooks, const AutoLoadOptions& options, bool stepByStep)
    : impl_(std::make_unique<Impl>(Impl{st, hooks, options, nullptr, nullptr, std::nullopt, 0, false, {}})) {
  if (!impl_->options.vars) impl_->options.vars = &impl_->ownVars;
  const int n = fncPieces_used(st);
  if (n == 0) {
    impl_->done = AutoLoadResult{AutoLoadEnd::NoBlocks, 0};
    return;
  }
  impl_->options.vars->lStep = 0;
  subRun_start(st, hooks, n - 1);
  if (stepByStep) {
    impl_->reference = std::make_unique<ReferenceSearch>(st, hooks, impl_->options, Resume{ResumeAt::Restart, n - 1});
  } else {
    impl_->fast = std::make_unique<Fast>(st, hooks, impl_->options, n - 1);
  }
}

AutoLoadRun::~AutoLoadRun() = default;

std::optional<AutoLoadResult> AutoLoadRun::slice() {
  Impl& r = *impl_;
  if (r.done) return r.done;
  // A STOP that came before the first slice ends the run before its first
  // test, as the first pump would; the box stays as it was.
  if (!r.sliced && r.options.vars->bStop) {
    r.options.vars->bStop = false;
    r.done = AutoLoadResult{AutoLoadEnd::Stopped, 0};
    return r.done;
  }
  r.sliced = true;
  for (;;) {
    const SliceEnd e = r.reference ? r.reference->slice() : r.fast->slice();
    switch (e.kind) {
      case SliceEnd::Kind::HandOver:
        r.fast.reset();
        r.reference = std::make_unique<ReferenceSearch>(r.st, r.hooks, r.options, e.from);
        continue;
      case SliceEnd::Kind::Ended: r.done = e.result; return r.done;
      case SliceEnd::Kind::Pump:
      case SliceEnd::Kind::Pause: r.pauseMs = e.ms; return std::nullopt;
    }
  }
}

int AutoLoadRun::pauseMs() const { return impl_->pauseMs; }

AutoLoadResult fncAutoLoad_runSliced(AutoLoadRun& run, AutoLoadHooks& hooks) {
  for (;;) {
    if (const std::optional<AutoLoadResult> r = run.slice()) return *r;
    if (run.pauseMs() > 0) {
      hooks.pause(run.pauseMs());
    } else {
      hooks.pump();
    }
  }
}

AutoLoadResult fncAutoLoad_run(PuzzleState& st, AutoLoadHooks& hooks, const AutoLoadOptions& options) {
  AutoLoadRun run(st, hooks, options);
  return fncAutoLoad_runSliced(run, hooks);
}

}  // namespace pakkon
