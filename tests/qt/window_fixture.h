#pragma once
// A real main window on a fresh program folder, with scripted dialogs.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <memory>

#include "app/frmMain.h"
#include "app/startup.h"
#include "platform/ini.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace pakkon::test {

class WindowTest : public ::testing::Test {
 protected:
  // Starts the window as the program does: settings, load, show, first activation.
  void start(bool demo = false) {
    writeFile(dir.file("Init.ini"), readFile(std::string(PAKKON_SOURCE_DIR) + "/data/Init.ini"));
    if (demo) fncIni_put("SYSTEM", "DEMO", "True", dir.file("Init.ini"));
    ASSERT_TRUE(fncStartup_prepare(st, dialogs, dir.path()));
    w = std::make_unique<frmMain>(st, dialogs);
    w->show();
    QCoreApplication::processEvents();
    w->Form_Activate();
  }

  void TearDown() override {
    if (w) w->close();
    w.reset();
  }

  std::string panel(int i) const { return frmMain::text(w->stsBar[i - 1]); }

  // The text of the last message box, or "" when none was shown.
  std::string lastMessage() const {
    for (auto it = dialogs.calls().rbegin(); it != dialogs.calls().rend(); ++it)
      if (it->kind == ScriptedDialogs::Kind::Message) return it->text;
    return {};
  }

  TempDir dir;
  ScriptedDialogs dialogs;
  PuzzleState st;
  std::unique_ptr<frmMain> w;
};

}  // namespace pakkon::test
