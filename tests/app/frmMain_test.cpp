#include "app/frmMain.h"

#include <gtest/gtest.h>

#include "app/settings.h"
#include "app/startup.h"
#include "platform/ini.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    test::writeFile(dir.file("Init.ini"), test::readFile(std::string(PAKKON_SOURCE_DIR) + "/data/Init.ini"));
    ASSERT_TRUE(fncStartup_prepare(st, dialogs, dir.path()));
  }
  test::TempDir dir;
  ScriptedDialogs dialogs;
  PuzzleState st;
};

TEST_F(MainWindow, CaptionNamesTheGameAndItsVersion) {
  frmMain w(st, dialogs);
  EXPECT_EQ(w.windowTitle().toStdString(), "３Ｄ空間パズル・ゲーム ぱっこん Ver 1.1.0");
}

TEST_F(MainWindow, ClosingWritesTheCountersOnlyDuringTheDemonstrationRun) {
  const std::string before = test::readFile(dir.file("Init.ini"));
  {
    frmMain w(st, dialogs);
    w.show();
    st.GE_lRotate = 87654321;
    w.close();
  }
  EXPECT_EQ(test::readFile(dir.file("Init.ini")), before);
  {
    frmMain w(st, dialogs);
    w.show();
    st.GE_lRotate = 87654321;
    st.bDemoRun = true;
    w.close();
  }
  EXPECT_EQ(fncIni_get("Rotate", "GE_lRotate", dir.file("Init.ini")), "87654321");
  EXPECT_EQ(fncIni_get("Rotate", "GE_iRotation(0)", dir.file("Init.ini")), "7");
}

}  // namespace
}  // namespace pakkon
