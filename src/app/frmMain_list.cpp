// The puzzle list and the player's progress.

#include "app/frmMain.h"

namespace pakkon {

void frmMain::buildPuzzleList() {}

}  // namespace pakkon
