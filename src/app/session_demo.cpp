#include "app/session_demo.h"

#include "app/settings.h"
#include "geometry/movement.h"
#include "model/builtin.h"

namespace pakkon {

void subBuiltin_load(Session& session) {
  PuzzleState& st = session.state();
  st.iPiece_Sel = 0;
  if (st.G_bDemo) {
    subDemoPuzzle_set(st);  // the loader's counters from Init.ini are kept
  } else {
    subSamplePuzzle_set(st);
    session.loaderInit();
  }
  st.G_iCellTotal = fncPieces_count(st);
  subColor_set(st);
  subPieceOrg_set(st);
}

bool subSession_start(Session& session, PlayHost& host, SessionTime now) {
  const PuzzleState& st = session.state();
  PlayControls& c = session.play().controls();
  c.shown = 0;
  c.sum.clear();
  c.option.fill(false);
  c.autoNext = false;
  c.boxButtons = c.pieceButtons = true;
  c.reset = c.shuffle = c.load = c.cancel = false;
  subBuiltin_load(session);

  // Marked before the first selection, so no landing place is drawn in it.
  if (st.G_bDemo) session.setDemoRun(true);
  session.apply({ActionKind::Select, 0}, host, false, session.playing(), now);
  session.play().clearMoves();
  if (!st.G_bDemo) return false;
  c.deadSpace = true;
  session.setAutoMove(true);
  return true;
}

bool fncDemo_shown(const Session& session) { return session.demoRun() || session.walkthrough().running(); }

int subDemo_click(Session& session, PlayHost& host, SessionTime now) {
  PuzzleState& st = session.state();
  if (session.demoRun()) {
    // The run sees the stop at its next slice.
    session.setDemoRun(false);
    session.play().controls().deadSpace = false;
    session.loadStop();
    session.setAutoMove(false);
    session.apply({ActionKind::Clear}, host, false, session.playing(), now);
    session.loaderInit();
    subPieces_clear(st);
    subSamplePuzzle_set(st);
    subPieceOrg_set(st);
    st.G_iCellTotal = fncPieces_count(st);
    st.iPiece_Sel = 0;
    session.play().controls().shown = 0;
    session.play().clearMoves();
    session.statusWalkthrough();
    session.walkStart(now);
  }
  const int step = session.walkthrough().click();
  if (step == 0) {
    session.walkStop();
    session.play().clearMoves();
  }
  return step;
}

WalkTick subDemo_tick(Session& session, PlayHost& host, SessionTime now) {
  const std::optional<WalkTick> due = session.walkTick(now);
  if (!due) return {};
  const WalkTick t = *due;
  const PlayControls& c = session.play().controls();
  if (t.what == WalkTick::Do::NextBlock)
    session.apply({ActionKind::Select, c.listIndex < 6 ? c.listIndex + 1 : 0}, host, false, session.playing(), now);
  if (t.what != WalkTick::Do::Press && t.what != WalkTick::Do::FocusAndPress) return t;
  static constexpr ActionKind kPresses[] = {ActionKind::Select, ActionKind::TurnZ,  ActionKind::TurnX,
                                            ActionKind::TurnY,  ActionKind::XDec,   ActionKind::XInc,
                                            ActionKind::YDec,   ActionKind::YInc,   ActionKind::ZDec,
                                            ActionKind::ZInc,   ActionKind::Origin, ActionKind::Load};
  if (t.button != WalkButton::None)
    session.apply({kPresses[static_cast<size_t>(t.button)]}, host, false, session.playing(), now);
  return t;
}

void subDemo_off(Session& session) {
  session.state().G_bDemo = false;
  subDemo_put(session.storage(), session.state());
}

}  // namespace pakkon
