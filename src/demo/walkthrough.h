#pragma once
// The walkthrough after the demonstration: five steps, each clicked on by
// the player, and a timer that presses the buttons of the step being shown.
// Each button's counter is the "Tag" it carries in the window: "0" next to
// be focused, "1" focused (or pressed once), "2" done.

#include <array>
#include <chrono>
#include <string>

namespace pakkon {

// How often the timer presses.
inline constexpr std::chrono::milliseconds kWalkTick{1000};

// The buttons the timer presses.
enum class WalkButton { None, TurnZ, TurnX, TurnY, XDec, XInc, YDec, YInc, ZDec, ZInc, Org, Load };

// What one tick asks of the front end.
struct WalkTick {
  enum class Do { Nothing, NextBlock, Focus, Press, FocusAndPress };
  Do what = Do::Nothing;
  WalkButton button = WalkButton::None;
};

class Walkthrough {
 public:
  // 0 when not running, else the step shown (1 to 5).
  int step() const { return step_; }
  bool running() const { return step_ != 0; }
  // The banner was clicked: the next step, or 0 after the last.
  int click();
  // The timer's tick. The counters move on before the press is asked for:
  // a message the press shows lets further ticks through, and they must not
  // press the same button again.
  WalkTick tick();
  // The counter of a button as its Tag shows it.
  std::string tag(WalkButton b) const;

 private:
  int& counter(WalkButton b) { return counters_[static_cast<size_t>(b)]; }
  int step_ = 0;
  int turn_ = 0;  // the next of Turn-Z, Turn-X, Turn-Y
  std::array<int, static_cast<size_t>(WalkButton::Load) + 1> counters_{};
};

}  // namespace pakkon
