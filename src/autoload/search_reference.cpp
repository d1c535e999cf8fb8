#include "autoload/search_reference.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "geometry/loading.h"
#include "geometry/movement.h"
#include "geometry/orientation.h"
#include "platform/text.h"

namespace pakkon {
namespace autoload_internal {
namespace {

// What a block without cells meets in the placement test.
bool emptyBlockFits(PuzzleState& st) {
  std::memcpy(st.G_iBoxWork, st.G_iBox, sizeof(Grid));
  const int size[3] = {st.G_iCellX, st.G_iCellY, st.G_iCellZ};
  for (int x = 0; x < kCells; ++x)
    for (int y = 0; y < kCells; ++y)
      for (int z = 0; z < kCells; ++z) {
        const int16_t v = st.G_iBoxWork[x][y][z];
        if (v > 1) return false;
        if (v > 0 && ((size[0] < kCells && x >= size[0]) || (size[1] < kCells && y >= size[1]) ||
                      (size[2] < kCells && z >= size[2])))
          return false;
      }
  return true;
}

enum class Step { Restart, Place, Pump, Test, NextPosition, NextOrientation, Backtrack, Complete, OrderFailed };

}  // namespace

class ReferenceSearch::Reference {
 public:
  Reference(PuzzleState& st, AutoLoadHooks& hooks, const AutoLoadOptions& options, const Resume& from)
      : st_(st), hooks_(hooks), vars_(*options.vars), last_(from.last), p_(from.p), b_(from.b), tests_(from.tests) {
    limit_ = options.maxTests < 0 ? std::numeric_limits<int64_t>::max() : options.maxTests;
    next_ = from.at == ResumeAt::Restart ? Step::Restart : Step::Test;
  }

  SliceEnd slice() {
    if (yielded_) {
      yielded_ = false;
      // The surroundings had their turn: STOP may have come.
      if (vars_.bStop) {
        vars_.bStop = false;
        return end(AutoLoadEnd::Stopped);
      }
    }
    Step step = next_;
    for (;;) {
      switch (step) {
        case Step::Restart: step = restart(); break;
        case Step::Place:
          b_ = fncBlock_at(st_, p_);
          step = Step::Pump;
          break;
        case Step::Pump:
          if (tests_ >= limit_) return end(AutoLoadEnd::LimitReached);
          if (hooks_.pumpDue()) pauseMs_ = 0, yielded_ = true;
          step = Step::Test;
          break;
        case Step::Test: step = test(); break;
        case Step::NextPosition: step = nextPosition(); break;
        case Step::NextOrientation: step = nextOrientation(); break;
        case Step::Backtrack: step = backtrack(); break;
        case Step::Complete:
          if (complete()) return end(AutoLoadEnd::Filled);
          step = turnFirst();
          break;
        case Step::OrderFailed:
          if (!orderFailed()) return end(AutoLoadEnd::OrdersExhausted);
          step = Step::Restart;
          break;
      }
      if (yielded_) {
        next_ = step;
        return {pauseMs_ > 0 ? SliceEnd::Kind::Pause : SliceEnd::Kind::Pump, pauseMs_, {}, {}};
      }
    }
  }

 private:
  SliceEnd end(AutoLoadEnd e) const { return {SliceEnd::Kind::Ended, 0, {e, tests_}, {}}; }

  // The demonstration's pause: the surroundings show the state and wait.
  void pause(int ms) {
    pauseMs_ = ms;
    yielded_ = true;
  }

  Step restart() {
    std::memset(st_.G_iBoxWork, 0, sizeof st_.G_iBoxWork);
    std::memset(st_.G_iBox, 0, sizeof st_.G_iBox);
    std::memset(st_.G_lBoxColor, 0, sizeof st_.G_lBoxColor);
    for (int b = 0; b <= last_; ++b) subPiece_origin(st_, b);
    p_ = 0;
    return Step::Place;
  }

  Step test() {
    ++tests_;
    const bool fits = isBlock(b_) ? fncPlacement_test(st_, b_) : emptyBlockFits(st_);
    if (!fits) return Step::NextPosition;
    std::memcpy(st_.G_iBox, st_.G_iBoxWork, sizeof(Grid));
    if (isBlock(b_)) {
      for (int x = 0; x < kCells; ++x)
        for (int y = 0; y < kCells; ++y)
          for (int z = 0; z < kCells; ++z)
            if (st_.G_iBox[x][y][z] != 0 && st_.G_lBoxColor[x][y][z][0] == 0)
              for (int s = 0; s < kShades; ++s) st_.G_lBoxColor[x][y][z][s] = st_.G_lColor[b_ + 1][s];
    }
    if (hooks_.deadSpaceChecked() && fncBox_deadCell(st_.G_iBox)) {
      if (isBlock(b_)) subBox_clearShape(st_, b_);
      return Step::NextOrientation;
    }
    hooks_.boxDraw();
    if (isBlock(b_)) st_.G_Info_Piece[b_].iNo = static_cast<int16_t>(p_ + 1);
    hooks_.stripLabel(StripRow::lblNo, p_, p_ + 1);
    if (vars_.bDemoRun) pause(500);
    ++p_;
    return p_ > last_ ? Step::Complete : Step::Place;
  }

  Step nextPosition() {
    if (!isBlock(b_)) return Step::NextOrientation;
    if (fncPiece_xInc(st_, b_) == 0) return Step::Pump;
    subPiece_originX(st_, b_);
    if (fncPiece_yInc(st_, b_) == 0) return Step::Pump;
    subPiece_originY(st_, b_);
    if (fncPiece_zInc(st_, b_) == 0) return Step::Pump;
    return Step::NextOrientation;
  }

  void demoStep() {
    if (!vars_.bDemoRun) return;
    hooks_.pieceDraw(b_);
    pause(100);
  }

  Step nextOrientation() {
    if (isBlock(b_)) {
      PieceInfo& info = st_.G_Info_Piece[b_];
      if (info.iTurn_CtZ < 3) {
        subPiece_origin(st_, b_);
        subPiece_turnZ(st_, b_);
        subPiece_origin(st_, b_);
        ++info.iTurn_CtZ;
        hooks_.stripLabel(StripRow::lblTurn_CtZ, p_, info.iTurn_CtZ);
        demoStep();
        return Step::Pump;
      }
      if (info.iFace_ct < 5) {
        info.iTurn_CtZ = 0;
        ++info.iFace_ct;
        hooks_.stripLabel(StripRow::lblTurn_CtZ, p_, info.iTurn_CtZ);
        hooks_.stripLabel(StripRow::lblFaceV, p_, info.iFace_ct);
        subPiece_setFace(st_, b_, info.iFace_ct);
        demoStep();
        return Step::Pump;
      }
      info = PieceInfo{};
      subPiece_setFace(st_, b_, 0);
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
    if (isBlock(b_)) subBox_clearShape(st_, b_);
    hooks_.boxDraw();
    if (isBlock(b_) && b_ == st_.iPiece_Sel) hooks_.pieceDraw(b_);
    return Step::NextOrientation;
  }

  // True when the box is full.
  bool complete() {
    const int16_t count = fncBox_count(st_.G_iBox);
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
      subPiece_turnZ(st_, b0);
      ++info.iTurn_CtZ;
      hooks_.stripLabel(StripRow::lblTurn_CtZ, b0, info.iTurn_CtZ);
    } else if (info.iFace_ct >= 5) {
      return Step::OrderFailed;
    } else {
      info.iTurn_CtZ = 0;
      ++info.iFace_ct;
      hooks_.stripLabel(StripRow::lblFaceV, b0, info.iFace_ct);
      subPiece_setFace(st_, b0, info.iFace_ct);
    }
    hooks_.pieceDraw(b0);
    return Step::Restart;
  }

  // False when the orders are used up.
  bool orderFailed() {
    const int first = st_.GE_iRotation[0];
    subOrder_shift(st_);
    hooks_.autoInfoShow();
    if (++vars_.lStep == 8) {
      vars_.lStep = 0;
      st_.GE_lRotate = fncRotate_stepped(st_.GE_lRotate);
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

  PuzzleState& st_;
  AutoLoadHooks& hooks_;
  LoaderVars& vars_;
  int last_;
  int p_;
  int b_;
  int64_t tests_;
  int64_t limit_;
  Step next_;
  bool yielded_ = false;
  int pauseMs_ = 0;
};

ReferenceSearch::ReferenceSearch(PuzzleState& st, AutoLoadHooks& hooks, const AutoLoadOptions& options,
                                 const Resume& from)
    : r_(std::make_unique<Reference>(st, hooks, options, from)) {}
ReferenceSearch::~ReferenceSearch() = default;
SliceEnd ReferenceSearch::slice() { return r_->slice(); }

void subRun_start(PuzzleState& st, AutoLoadHooks& hooks, int last) {
  for (int b = 0; b <= last; ++b) {
    subPiece_setFace(st, b, st.G_Info_Piece[b].iFace_ct);
    for (int i = 0; i < st.G_Info_Piece[b].iTurn_CtZ; ++i) subPiece_turnZ(st, b);
    hooks.pieceDraw(b);
    hooks.stripColour(b, fncStrip_colour(st, st.GE_iRotation[b]));
  }
}

int32_t fncStrip_colour(const PuzzleState& st, int entry) {
  const int row = entry + 1;
  return row >= 0 && row < kColours ? st.G_lColor[row][0] : 0;
}

int32_t fncRotate_stepped(int32_t n) {
  do {
    if (n == std::numeric_limits<int32_t>::max()) return n;
    ++n;
  } while (!fncRotate_check(n));
  return n;
}

int32_t fncRotate_next(int32_t n) {
  // Eight digits holding each of 1..8 are a permutation; the next larger
  // one is the next permutation, and after the last comes the smallest
  // nine-digit value with all eight.
  if (n < 12345678 || n > kRotateLimit) return fncRotate_stepped(n);
  char d[8];
  int seen = 0;
  for (int i = 7, v = n; i >= 0; --i, v /= 10) {
    d[i] = static_cast<char>(v % 10);
    if (d[i] < 1 || d[i] > 8) return fncRotate_stepped(n);
    seen |= 1 << d[i];
  }
  if (seen != 0x1FE) return fncRotate_stepped(n);
  if (!std::next_permutation(d, d + 8)) return 102345678;
  int32_t r = 0;
  for (char c : d) r = r * 10 + c;
  return r;
}

}  // namespace autoload_internal

AutoLoadResult fncAutoLoad_runReference(PuzzleState& st, AutoLoadHooks& hooks, const AutoLoadOptions& options) {
  AutoLoadRun run(st, hooks, options, true);
  return fncAutoLoad_runSliced(run, hooks);
}

}  // namespace pakkon
