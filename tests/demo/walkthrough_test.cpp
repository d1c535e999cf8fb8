// The walkthrough's steps and the presses its timer asks for.

#include "demo/walkthrough.h"

#include <gtest/gtest.h>

#include <vector>

namespace pakkon {
namespace {

using Do = WalkTick::Do;

TEST(Walkthrough, EachStepPressesItsButtonsInOrderAndTheLastClickEndsIt) {
  Walkthrough w;
  EXPECT_FALSE(w.running());
  EXPECT_EQ(w.click(), 1);
  EXPECT_EQ(w.tick().what, Do::NextBlock);

  // Turn-Z, Turn-X, Turn-Y, round again.
  w.click();
  for (WalkButton b : {WalkButton::TurnZ, WalkButton::TurnX, WalkButton::TurnY, WalkButton::TurnZ}) {
    const WalkTick t = w.tick();
    EXPECT_EQ(t.what, Do::FocusAndPress);
    EXPECT_EQ(t.button, b);
  }

  // Each move twice (focused on the first), its counter ahead of the
  // press; then an idle tick that starts the round again.
  w.click();
  const std::vector<WalkButton> moves = {WalkButton::XDec, WalkButton::XInc, WalkButton::YDec,
                                         WalkButton::YInc, WalkButton::ZDec, WalkButton::ZInc};
  for (size_t press = 0; press < 12; ++press) {
    const WalkTick t = w.tick();
    EXPECT_EQ(t.button, moves[press / 2]);
    EXPECT_EQ(t.what, press % 2 == 0 ? Do::FocusAndPress : Do::Press);
    EXPECT_EQ(w.tag(t.button), press % 2 == 0 ? "1" : "2");
  }
  EXPECT_EQ(w.tick().what, Do::Nothing);
  for (WalkButton b : moves) EXPECT_EQ(w.tag(b), "0");
  EXPECT_EQ(w.tick().button, WalkButton::XDec);

  // Org and Load: focus, press, then nothing.
  for (WalkButton b : {WalkButton::Org, WalkButton::Load}) {
    w.click();
    EXPECT_EQ(w.tag(b), "0");
    EXPECT_EQ(w.tick().what, Do::Focus);
    const WalkTick press = w.tick();
    EXPECT_EQ(press.what, Do::Press);
    EXPECT_EQ(press.button, b);
    EXPECT_EQ(w.tick().what, Do::Nothing);
  }
  EXPECT_EQ(w.click(), 0);
  EXPECT_FALSE(w.running());
  EXPECT_EQ(w.tick().what, Do::Nothing);
}

}  // namespace
}  // namespace pakkon
