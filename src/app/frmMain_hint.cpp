// Hints and the exact finish check.

#include "app/frmMain.h"

namespace pakkon {

void frmMain::buildHints() {}

}  // namespace pakkon
