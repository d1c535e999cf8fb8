#include "demo/walkthrough.h"

namespace pakkon {
namespace {

constexpr WalkButton kMoves[] = {WalkButton::XDec, WalkButton::XInc, WalkButton::YDec,
                                 WalkButton::YInc, WalkButton::ZDec, WalkButton::ZInc};

}  // namespace

int Walkthrough::click() {
  ++step_;
  if (step_ == 3) {
    for (WalkButton b : kMoves) counter(b) = 0;
  } else if (step_ == 4) {
    counter(WalkButton::Org) = 0;
  } else if (step_ == 5) {
    counter(WalkButton::Load) = 0;
  } else if (step_ >= 6) {
    step_ = 0;
  }
  return step_;
}

WalkTick Walkthrough::tick() {
  switch (step_) {
    case 1: return {WalkTick::Do::NextBlock};
    case 2: {
      constexpr WalkButton kTurns[] = {WalkButton::TurnZ, WalkButton::TurnX, WalkButton::TurnY};
      const WalkButton b = kTurns[turn_];
      turn_ = turn_ + 1 > 2 ? 0 : turn_ + 1;
      return {WalkTick::Do::FocusAndPress, b};
    }
    case 3:
      for (WalkButton b : kMoves) {
        int& c = counter(b);
        if (c > 1) continue;
        const bool focus = c == 0;
        ++c;
        return {focus ? WalkTick::Do::FocusAndPress : WalkTick::Do::Press, b};
      }
      // Every button pressed twice: an idle tick, then the round again.
      for (WalkButton b : kMoves) counter(b) = 0;
      return {};
    case 4:
    case 5: {
      const WalkButton b = step_ == 4 ? WalkButton::Org : WalkButton::Load;
      int& c = counter(b);
      if (c == 0) {
        c = 1;
        return {WalkTick::Do::Focus, b};
      }
      if (c == 1) {
        c = 2;
        return {WalkTick::Do::Press, b};
      }
      return {};
    }
    default: return {};
  }
}

std::string Walkthrough::tag(WalkButton b) const { return std::to_string(counters_[static_cast<size_t>(b)]); }

}  // namespace pakkon
