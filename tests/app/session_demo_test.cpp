// The window's start and demonstration as the session sees them.

#include "app/session_demo.h"

#include <gtest/gtest.h>

#include "geometry/movement.h"
#include "platform/scripted_dialogs.h"

namespace pakkon {
namespace {

TEST(SessionDemo, TheRunThenTheWalkthroughOnTheSampleThenPlainPlay) {
  ScriptedDialogs dialogs;
  DialogsHost host(dialogs);
  Session session(host);
  PuzzleState& st = session.state();
  st.G_bDemo = true;
  ASSERT_TRUE(subSession_start(session, host, {}));
  EXPECT_TRUE(session.demoRun() && session.autoMove() && session.play().controls().deadSpace);
  EXPECT_FALSE(session.playKeys());
  EXPECT_EQ(fncPieces_count(st), 48);  // the demonstration's 4 × 4 × 3
  EXPECT_TRUE(fncDemo_shown(session));

  EXPECT_EQ(subDemo_click(session, host, {}), 1);
  EXPECT_FALSE(session.demoRun() || session.autoMove() || session.play().controls().deadSpace);
  EXPECT_TRUE(session.loaderVars().bStop);  // the run ends at its next slice
  EXPECT_EQ(fncPieces_count(st), 27);       // the sample
  for (int step = 2; step <= 5; ++step) EXPECT_EQ(subDemo_click(session, host, {}), step);
  // Step 5's timer presses Load before long.
  SessionTime at{};
  EXPECT_EQ(subDemo_tick(session, host, at).what, WalkTick::Do::Nothing);  // not a second yet
  for (int t = 0; t < 20 && fncBox_count(st.G_iBox) == 0; ++t) subDemo_tick(session, host, at += kWalkTick);
  EXPECT_GT(fncBox_count(st.G_iBox), 0);
  EXPECT_EQ(subDemo_click(session, host, {}), 0);
  EXPECT_FALSE(fncDemo_shown(session));
  EXPECT_TRUE(session.playing());
  EXPECT_FALSE(session.play().canUndo());
}

TEST(SessionDemo, WithoutTheDemonstrationTheSampleIsInPlayWithBlockOneSelected) {
  ScriptedDialogs dialogs;
  DialogsHost host(dialogs);
  Session session(host);
  const PuzzleState& st = session.state();
  EXPECT_FALSE(subSession_start(session, host, {}));
  EXPECT_TRUE(session.playing());
  EXPECT_EQ(session.play().controls().listIndex, 0);
  EXPECT_EQ(fncPieces_count(st), 27);
  EXPECT_FALSE(session.play().canUndo());
}

}  // namespace
}  // namespace pakkon
