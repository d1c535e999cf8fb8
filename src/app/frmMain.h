#pragma once
// The main window.

#include <QMainWindow>

#include "model/state.h"
#include "platform/dialogs.h"

namespace pakkon {

class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  frmMain(PuzzleState& st, Dialogs& dialogs, QWidget* parent = nullptr);

  PuzzleState& state() { return st_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Form_Load();
  void Form_QueryUnload();

  PuzzleState& st_;
  Dialogs& dialogs_;
};

}  // namespace pakkon
