// The auto loader's panel and the auto-move mode.

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/frmMain.h"
#include "platform/text.h"

namespace pakkon {
namespace {

QColor toQColor(int32_t v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

}  // namespace

void frmMain::cmdInit_Click() {
  for (int b = 0; b < kPieces; ++b) {
    st_.GE_iRotation[b] = static_cast<int16_t>(b);
    st_.G_Info_Piece[b] = PieceInfo{};
  }
  listRotate->clear();
  st_.GE_lRotate = 12345678;
  subAutoInfo_show();
}

void frmMain::cmdStop_Click() { st_.bStop = true; }

void frmMain::cmdMove_Click() {}

void frmMain::mnuAautoMove_Click() {
  mnuAautoMove->setChecked(!mnuAautoMove->isChecked());
  const bool e = !mnuAautoMove->isChecked();
  cmdLoad->setEnabled(e);
  lstPiece->setEnabled(e);
  subBoxButton_enable(e);
  subPieceButton_enable(e);
  frameAuto->move(framePiece->pos());
}

void frmMain::subAutoInfo_show() {
  for (int k = 0; k < kPieces; ++k) {
    // A stored order may hold digits outside 1..8; such a column shows no colour.
    const int colourIndex = st_.GE_iRotation[k] + 1;
    const int32_t colour = colourIndex >= 0 && colourIndex < kColours ? st_.G_lColor[colourIndex][0] : 0;
    QPalette p = shpPiece[k]->palette();
    p.setColor(QPalette::Window, toQColor(colour));
    shpPiece[k]->setPalette(p);
    lblIP[k]->setText(QString::number(st_.GE_iRotation[k] + 1));
    lblNo[k]->setText(QString::number(st_.G_Info_Piece[k].iNo));
    lblTurn_CtZ[k]->setText(QString::number(st_.G_Info_Piece[k].iTurn_CtZ));
    lblFaceV[k]->setText(QString::number(st_.G_Info_Piece[k].iFace_ct));
  }
}

}  // namespace pakkon
