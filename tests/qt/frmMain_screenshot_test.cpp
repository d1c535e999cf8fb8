// Pictures of the window for the README and for people reviewing a change.
// Written only when PAKKON_SCREENSHOT_DIR names a folder.

#include <QPixmap>
#include <QPushButton>
#include <cstdlib>

#include "qt/frmInput.h"
#include "qt/window_fixture.h"
#include "support/packing.h"

namespace pakkon {
namespace {

class Screenshot : public test::WindowTest {
 protected:
  void save(const char* name) {
    const char* folder = std::getenv("PAKKON_SCREENSHOT_DIR");
    if (!folder) return;
    QCoreApplication::processEvents();
    ASSERT_TRUE(w->grab().save(QString::fromUtf8(folder) + "/" + name));
  }
};

TEST_F(Screenshot, SampleHalfSolvedWithTheLayerPanel) {
  if (!std::getenv("PAKKON_SCREENSHOT_DIR")) GTEST_SKIP() << "PAKKON_SCREENSHOT_DIR is not set";
  start();
  save("start.png");
  playHalfTheSample();
  save("play.png");
}

TEST_F(Screenshot, BlockMakerAndItsBoxSizeDialog) {
  if (!std::getenv("PAKKON_SCREENSHOT_DIR")) GTEST_SKIP() << "PAKKON_SCREENSHOT_DIR is not set";
  start();
  w->frmInput_show = [this](BoxSize current) {
    frmInput dialog(current, w.get());
    dialog.show();
    const char* folder = std::getenv("PAKKON_SCREENSHOT_DIR");
    QCoreApplication::processEvents();
    dialog.grab().save(QString::fromUtf8(folder) + "/size-dialog.png");
    dialog.cmdOK_Click();
    return dialog.chosen;
  };
  dialogs.answer(MsgAnswer::No);  // keep the sample's blocks
  w->mnuMakePiece_Click();
  save("maker.png");
}

}  // namespace
}  // namespace pakkon
