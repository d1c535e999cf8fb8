#pragma once
// The game's start and its guided demonstration as the session sees them,
// so every front end starts and shows the demonstration alike. The front
// end keeps the banner, the one-second timer and the loader's hooks.

#include "app/session.h"
#include "demo/walkthrough.h"

namespace pakkon {

// The puzzle a start shows: the demonstration's when Init.ini asks for the
// demonstration (the loader's counters from Init.ini kept), else the sample
// with the loading order from the start; block 1 selected.
void subBuiltin_load(Session& session);

// As the window stands once shown: the demonstration's puzzle when Init.ini
// asks for the demonstration (its unattended run marked, Check Ded space
// ticked, the automatic move on: the front end then presses LOAD), else the
// sample with block 1 selected. True when the demonstration runs.
bool subSession_start(Session& session, PlayHost& host, SessionTime now);

// The banner is shown: the unattended run or the walkthrough goes on.
bool fncDemo_shown(const Session& session);

// The banner clicked: the unattended run ends (STOP) and the sample is set up
// for the walkthrough, whose next step it returns; 0 after the last, when
// the front end gives back its menus and asks kDemoQuestion (Yes: call
// subDemo_off).
int subDemo_click(Session& session, PlayHost& host, SessionTime now);

// The walkthrough's tick once the session's timer has come round: the next
// block selected or a button of the step pressed, as its own handler does it
// (never refused by a disabled state). What the tick asked for, so the front
// end can move the focus; nothing between ticks.
WalkTick subDemo_tick(Session& session, PlayHost& host, SessionTime now);

// The player asked not to see the demonstration again: Init.ini keeps it.
void subDemo_off(Session& session);

}  // namespace pakkon
