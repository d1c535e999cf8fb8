#pragma once
// The automatic loader's search: blocks placed one after another in a
// loading order, each trying its 24 orientations and, per orientation, the
// first free position of a fixed scan; backtracking turns the previous block
// on; exhausted orders rotate and, every eighth rotation, a new order is
// taken from GE_lRotate. Qt-free: the window, the tool and the tests supply
// the surroundings through AutoLoadHooks.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "model/state.h"
#include "platform/dialogs.h"
#include "platform/text_catalogue.h"

namespace pakkon {

// The strip rows the search writes single labels of.
enum class StripRow { lblNo, lblTurn_CtZ, lblFaceV };

// What the search asks of its surroundings. Every call is made with the
// state record up to date, except labels, which carry their value.
class AutoLoadHooks {
 public:
  virtual ~AutoLoadHooks() = default;

  // Asked once per tested position; only when it answers true is the state
  // brought up to date, pump() called and LoaderVars::bStop read. Headless runs never pump.
  virtual bool pumpDue() { return false; }
  virtual void pump() {}

  // "Check Ded space", read each time a position is accepted.
  virtual bool deadSpaceChecked() { return false; }

  virtual void boxDraw() {}                                        // subBox_draw
  virtual void pieceDraw(int /*block*/) {}                         // subPiece_draw(block)
  virtual void stripColour(int /*column*/, int32_t /*colour*/) {}  // shpPiece(column)
  virtual void stripLabel(StripRow /*row*/, int /*column*/, int /*value*/) {}
  virtual void autoInfoShow() {}                           // subAutoInfo_show
  virtual void sumText(const std::string& /*text*/) {}     // lblSum
  virtual void resultLine(const std::string& /*line*/) {}  // lblAtOnce and a new listRotate line
  virtual void message(const std::string& /*text*/, const std::string& /*title*/, MsgIcon /*icon*/) {}
  // The demonstration's pauses (500 ms per placed block, 100 ms per orientation step).
  virtual void pause(int /*ms*/) {}
};

enum class AutoLoadEnd {
  Filled,           // every block placed and the box full: the success message was shown
  OrdersExhausted,  // GE_lRotate passed 87654321: the rotation-limit message was shown
  Stopped,          // bStop was seen after a pump
  LimitReached,     // maxTests placement tests were made
  NoBlocks,         // no block has a cell: nothing to do
};

// What a run shares with its surroundings: STOP pressed (read after a pump
// and cleared once seen), the demonstration's unattended run marked (its
// pauses), and the step of the order rotation (a new order every eighth).
struct LoaderVars {
  bool bStop = false;
  bool bDemoRun = false;
  int32_t lStep = 0;
};

struct AutoLoadOptions {
  int64_t maxTests = -1;       // stop after this many placement tests; -1: no limit
  LoaderVars* vars = nullptr;  // none: the run's own, never stopped, without pauses
};

struct AutoLoadResult {
  AutoLoadEnd end = AutoLoadEnd::NoBlocks;
  int64_t tests = 0;  // placement tests made
};

// One run of LOAD, a slice at a time: each slice runs until the
// surroundings get a turn (a pump that is due, or a pause of the
// demonstration) and returns, so a front end keeps its own loop and STOP is
// seen between slices (LoaderVars::bStop, read first by the next slice). Results,
// counters and the final state do not depend on how often the hooks pump.
class AutoLoadRun {
 public:
  // stepByStep: the reference form throughout.
  AutoLoadRun(PuzzleState& st, AutoLoadHooks& hooks, const AutoLoadOptions& options = {}, bool stepByStep = false);
  ~AutoLoadRun();
  AutoLoadRun(const AutoLoadRun&) = delete;
  AutoLoadRun& operator=(const AutoLoadRun&) = delete;

  // The result once the run has ended; nullopt while it goes on.
  std::optional<AutoLoadResult> slice();
  // After a slice that stopped for the demonstration's pause: its length
  // in ms; 0 after a pump.
  int pauseMs() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// A whole run at once, the hooks' pump and pause called between the slices.
AutoLoadResult fncAutoLoad_runSliced(AutoLoadRun& run, AutoLoadHooks& hooks);
AutoLoadResult fncAutoLoad_run(PuzzleState& st, AutoLoadHooks& hooks, const AutoLoadOptions& options = {});

// Rotates all eight entries of GE_iRotation left by one.
void subOrder_shift(PuzzleState& st);

// The result line of a complete placement: per position i, the block at i,
// then iFace_ct and iTurn_CtZ of block i, each with a blank for the sign.
std::string fncResult_line(const PuzzleState& st, int last);

inline constexpr const char* kRotationLimitText = fncText_mark("ローテーション一周しました。アルゴリズムを見直そう");
inline constexpr const char* kRotationLimitTitle = fncText_mark("残念");

}  // namespace pakkon
