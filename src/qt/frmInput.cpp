#include "qt/frmInput.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "maker/cell_size.h"
#include "qt/qt_convert.h"

namespace pakkon {
namespace {

template <typename W>
W* placed(W* w, const char* name, int left, int top, int width, int height) {
  w->setObjectName(name);
  subTwips_place(w, left, top, width, height);
  return w;
}

}  // namespace

frmInput::frmInput(BoxSize current, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("パズル作成　セル設定"));
  setModal(true);
  setFixedSize(4200 / kTwipsPerPixel, 2700 / kTwipsPerPixel);

  Label1 = placed(new QLabel(QStringLiteral("Cells X"), this), "Label1", 240, 240, 1080, 300);
  Label2 = placed(new QLabel(QStringLiteral("Cells Y"), this), "Label2", 1560, 240, 1080, 300);
  Label3 = placed(new QLabel(QStringLiteral("Cells Z"), this), "Label3", 2880, 240, 1080, 300);
  txtX = placed(new QLineEdit(QStringLiteral("4"), this), "txtX", 240, 600, 1080, 390);
  txtY = placed(new QLineEdit(QStringLiteral("4"), this), "txtY", 1560, 600, 1080, 390);
  txtZ = placed(new QLineEdit(QStringLiteral("4"), this), "txtZ", 2880, 600, 1080, 390);
  Label4 = placed(new QLabel(tr("セルの数を入力してください。"), this), "Label4", 240, 1140, 3720, 300);
  Label5 = placed(new QLabel(tr("値は、２ ～ ４の範囲。"), this), "Label5", 240, 1500, 3720, 300);
  cmdOK = placed(new QPushButton(QStringLiteral("OK"), this), "cmdOK", 1080, 1980, 1200, 450);
  cmdCancel = placed(new QPushButton(tr("Cancel"), this), "cmdCancel", 2520, 1980, 1200, 450);
  setTabOrder(txtX, txtY);
  setTabOrder(txtY, txtZ);
  setTabOrder(txtZ, cmdOK);
  setTabOrder(cmdOK, cmdCancel);
  // Enter in a box moves on (handled below); on a button it presses that button.
  cmdOK->setAutoDefault(true);
  cmdCancel->setAutoDefault(true);
  for (QLineEdit* t : {txtX, txtY, txtZ}) t->installEventFilter(this);
  connect(cmdOK, &QPushButton::clicked, this, &frmInput::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmInput::cmdCancel_Click);

  // Opening.
  iSetX = static_cast<int16_t>(current.x);
  iSetY = static_cast<int16_t>(current.y);
  iSetZ = static_cast<int16_t>(current.z);
  txtX->setText(QString::number(iSetX));
  txtY->setText(QString::number(iSetY));
  txtZ->setText(QString::number(iSetZ));
}

QLineEdit* frmInput::box(int i) const { return i == 0 ? txtX : i == 1 ? txtY : txtZ; }
int16_t& frmInput::field(int i) { return i == 0 ? iSetX : i == 1 ? iSetY : iSetZ; }

bool frmInput::eventFilter(QObject* watched, QEvent* event) {
  for (int i = 0; i < 3; ++i) {
    if (watched != box(i)) continue;
    if (event->type() == QEvent::FocusIn) txt_GotFocus(i);
    if (event->type() == QEvent::FocusOut) txt_LostFocus(i);
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && txt_KeyPress(i, 13)) return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmInput::txt_GotFocus(int i) {
  // After the mouse click that gave the focus has placed the cursor.
  QLineEdit* t = box(i);
  QTimer::singleShot(0, t, [t] { t->setSelection(0, 9); });
  t->setSelection(0, 9);
}

bool frmInput::txt_KeyPress(int i, int keyAscii) {
  if (keyAscii != 13) return false;
  txt_LostFocus(i);
  QWidget* next = i == 0 ? static_cast<QWidget*>(txtY) : i == 1 ? static_cast<QWidget*>(txtZ) : cmdOK;
  next->setFocus();
  return true;
}

void frmInput::txt_LostFocus(int i) {
  field(i) = fncCellSize_correct(box(i)->text().toStdString());
  box(i)->setText(QString::number(field(i)));
}

void frmInput::cmdOK_Click() {
  // A box edited and left by a shortcut has not been corrected yet.
  for (int i = 0; i < 3; ++i) txt_LostFocus(i);
  chosen = BoxSize{iSetX, iSetY, iSetZ};
  accept();
}

void frmInput::cmdCancel_Click() { reject(); }

}  // namespace pakkon
