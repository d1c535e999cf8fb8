#pragma once
// The box-size dialog of the block maker.

#include <QDialog>
#include <array>
#include <optional>

#include "app/session.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace pakkon {

class frmInput : public QDialog {
  Q_OBJECT

 public:
  // Opens on the box size as it stands.
  explicit frmInput(BoxSize current, QWidget* parent = nullptr);

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* txtX = nullptr;
  QLineEdit* txtY = nullptr;
  QLineEdit* txtZ = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

  int16_t iSetX = 0, iSetY = 0, iSetZ = 0;
  // The sizes OK took; none when cancelled.
  std::optional<BoxSize> chosen;

  // Handlers, per box (0 = X, 1 = Y, 2 = Z).
  void txt_GotFocus(int box);
  // True when the key was handled here (Enter), false when it goes to the box.
  bool txt_KeyPress(int box, int keyAscii);
  void txt_LostFocus(int box);
  void cmdOK_Click();
  void cmdCancel_Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* box(int i) const;
  int16_t& field(int i);
};

}  // namespace pakkon
