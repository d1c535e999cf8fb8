#pragma once
// A real main window on a fresh program folder, with scripted dialogs.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/startup.h"
#include "platform/ini.h"
#include "platform/scripted_dialogs.h"
#include "qt/frmMain.h"
#include "support/packing.h"
#include "support/temp_dir.h"

namespace pakkon::test {

// Runs the event loop until `done`, with a generous bound; done() at the end.
template <typename F>
bool waitFor(F done, std::chrono::seconds bound = std::chrono::seconds(60)) {
  const auto end = std::chrono::steady_clock::now() + bound;
  while (!done() && std::chrono::steady_clock::now() < end) {
    QCoreApplication::processEvents();
    QThread::msleep(1);
  }
  return done();
}

class WindowTest : public ::testing::Test {
 protected:
  // Starts the window as the program does: settings, load, show, first activation.
  // duringRun, when given, runs from the event loop about 20 ms into the
  // first activation (inside the demonstration's run); it must end that run.
  void start(bool demo = false, std::function<void()> duringRun = {}) {
    writeFile(dir.file("Init.ini"), readFile(std::string(PAKKON_SOURCE_DIR) + "/data/Init.ini"));
    fncIni_put("SYSTEM", "DEMO", demo ? "True" : "False", dir.file("Init.ini"));
    ASSERT_TRUE(fncStartup_prepare(st, dialogs, dir.path()));
    w = std::make_unique<frmMain>(std::move(owned_), dialogs);
    w->loaderPause = [](int) { return 0; };
    w->playProbe = [this] { EXPECT_EQ(controlsDiffer(), ""); };
    w->openUrl = [this](const std::string& url) { openedUrls.push_back(url); };
    if (duringRun) QTimer::singleShot(20, w.get(), duringRun);
    w->show();
    w->Form_Activate();
    // The demonstration's run goes on by itself until duringRun ends it.
    waitFor([this] { return !w->autoLoadRunning(); });
  }

  void TearDown() override {
    // Whatever the test did, the widgets show the play controls as the
    // session holds them: nothing was kept in a widget alone.
    if (w) {
      EXPECT_EQ(controlsDiffer(), "");
      w->close();
    }
    w.reset();
  }

  // The play controls the widgets show that differ from the session's.
  std::string controlsDiffer() const {
    const PlayControls& k = w->play().controls();
    const auto on = [](const QWidget* x) { return !x->testAttribute(Qt::WA_ForceDisabled); };
    std::string diff;
    const auto differ = [&](bool same, const char* name) {
      if (!same) diff += std::string(diff.empty() ? "" : " ") + name;
    };
    differ(on(w->cmdLoad) == k.load, "load");
    differ(on(w->cmdCancel) == k.cancel, "cancel");
    differ(on(w->cmdOrg) == k.pieceButtons, "pieceButtons");
    differ(on(w->cmdClear) == k.boxButtons, "boxButtons");
    differ(on(w->cmdBotom) == k.botom, "botom");
    differ(on(w->cmdReset) == k.reset, "reset");
    differ(on(w->cmdShuffle) == k.shuffle, "shuffle");
    differ(on(w->lstPiece) == k.list, "list");
    differ(on(w->cmdSet) == k.set, "set");
    differ(on(w->cmdSetCancel) == k.setCancel, "setCancel");
    differ(!w->chkAutoNext->isHidden() == k.autoNext, "autoNext");
    for (int b = 0; b < kPieces; ++b) {
      differ(!w->optPiece[b]->isHidden() == k.option[b], "option");
      if (w->optPiece[b]->isChecked()) differ(b == k.checked, "checked");
    }
    differ(frmMain::text(w->lblPiece) == std::to_string(k.shown + 1), "shown");
    differ(frmMain::text(w->lblSum) == k.sum, "sum");
    differ(w->hscFace->value() == k.face, "face");
    differ(w->chkDedSpace->isChecked() == k.deadSpace, "deadSpace");
    return diff;
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
  // Prepared here, then owned by the window's session; st names it throughout.
  std::unique_ptr<PuzzleState> owned_ = std::make_unique<PuzzleState>();
  PuzzleState& st = *owned_;
  std::unique_ptr<frmMain> w;
  std::vector<std::string> openedUrls;
};

}  // namespace pakkon::test
