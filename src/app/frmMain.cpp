#include "app/frmMain.h"

#include <QCloseEvent>

#include "app/settings.h"
#include "app/startup.h"

namespace pakkon {

frmMain::frmMain(PuzzleState& st, Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), st_(st), dialogs_(dialogs) {
  Form_Load();
}

void frmMain::Form_Load() {
  setWindowTitle(QString::fromStdString(fncMainCaption(st_)));
  resize(1000, 10980 / 15);
}

void frmMain::Form_QueryUnload() { subInit_writeBack(st_); }

void frmMain::closeEvent(QCloseEvent* event) {
  // Closing is never cancelled.
  Form_QueryUnload();
  event->accept();
}

}  // namespace pakkon
