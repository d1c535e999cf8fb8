#pragma once
// A real main window on a fresh program folder, with scripted dialogs.

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "app/startup.h"
#include "platform/ini.h"
#include "platform/scripted_dialogs.h"
#include "qt/frmMain.h"
#include "support/packing.h"
#include "support/temp_dir.h"

namespace pakkon::test {

class WindowTest : public ::testing::Test {
 protected:
  // Starts the window as the program does: settings, load, show, first activation.
  // duringRun, when given, runs from the event loop about 20 ms into the
  // first activation (inside the demonstration's run); it must end that run.
  void start(bool demo = false, std::function<void()> duringRun = {}) {
    writeFile(dir.file("Init.ini"), readFile(std::string(PAKKON_SOURCE_DIR) + "/data/Init.ini"));
    fncIni_put("SYSTEM", "DEMO", demo ? "True" : "False", dir.file("Init.ini"));
    ASSERT_TRUE(fncStartup_prepare(st, dialogs, dir.path()));
    w = std::make_unique<frmMain>(st, dialogs);
    w->loaderPause = [](int) { return 0; };
    w->openUrl = [this](const std::string& url) { openedUrls.push_back(url); };
    if (duringRun) QTimer::singleShot(20, w.get(), duringRun);
    w->show();
    w->Form_Activate();
    // The demonstration's run goes on by itself until duringRun ends it.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (w->autoLoadRunning() && std::chrono::steady_clock::now() < end) {
      QCoreApplication::processEvents();
      QThread::msleep(1);
    }
  }

  void TearDown() override {
    if (w) w->close();
    w.reset();
  }

  // Qt reports a hidden action as disabled; this reads the enabled state it
  // keeps for when the action is shown again.
  static bool enabledWhenShown(QAction* a) {
    const bool visible = a->isVisible();
    a->setVisible(true);
    const bool enabled = a->isEnabled();
    a->setVisible(visible);
    return enabled;
  }

  std::string panel(int i) const { return frmMain::text(w->stsBar[i - 1]); }

  // The README's pictures: four blocks of the sample loaded where a solution
  // puts them, the fifth selected at its place (the landing preview shows
  // it), the layer panel on.
  void playHalfTheSample() {
    if (!w->mnuPreview->isChecked()) w->mnuPreview->trigger();  // switched on, as the pictures show it
    const std::vector<test::Placement> packing = test::findPacking(st);
    for (size_t i = 0; i < 4; ++i) {
      std::memcpy(st.G_iPiece[packing[i].block], packing[i].cells, sizeof(Grid));
      w->setListIndex(packing[i].block);
      if (w->listIndex() == packing[i].block) w->lstPiece_Click();
      w->cmdLoad->click();
    }
    std::memcpy(st.G_iPiece[packing[4].block], packing[4].cells, sizeof(Grid));
    w->setListIndex(packing[4].block);
    w->mnu2D_Panel_Click();
  }

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
  std::vector<std::string> openedUrls;
};

}  // namespace pakkon::test
