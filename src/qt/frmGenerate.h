#pragma once
// ファイル → 新しいパズルを作る: the box, the number of blocks and the stars
// asked for. The search runs on a worker thread; the dialog shows its
// progress, and Cancel stops it without the window ever waiting.

#include <QDialog>
#include <memory>
#include <optional>

#include "app/settings.h"
#include "maker/generator.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace pakkon {

class frmGenerate : public QDialog {
  Q_OBJECT

 public:
  explicit frmGenerate(QWidget* parent = nullptr);
  ~frmGenerate() override;

  QSpinBox* spnX = nullptr;
  QSpinBox* spnY = nullptr;
  QSpinBox* spnZ = nullptr;
  QSpinBox* spnBlocks = nullptr;
  QComboBox* cboStarsFrom = nullptr;
  QComboBox* cboStarsTo = nullptr;
  QCheckBox* chkIdentical = nullptr;
  QProgressBar* prgTries = nullptr;
  QLabel* lblStatus = nullptr;
  QPushButton* cmdStart = nullptr;
  QPushButton* cmdCancel = nullptr;

  // The seed of the next search; from the clock when unset (tests set it).
  std::optional<uint64_t> seed;

  // The controls as the player left them, and set from the last ones.
  GenerateChoices choices() const;
  void setChoices(const GenerateChoices& c);
  GenerateOptions options() const;
  void cmdStart_Click();
  // Stops a search (the dialog closes once the worker has noticed), or closes.
  void cmdCancel_Click();
  bool running() const;
  // The puzzle found; valid once the dialog was accepted.
  const GenerateResult& found() const { return result_; }
  const GenerateOptions& used() const { return used_; }

 protected:
  void reject() override;

 private:
  struct Work;
  void finished(const GenerateResult& r);
  void setRunning(bool on);

  std::shared_ptr<Work> work_;
  GenerateResult result_;
  GenerateOptions used_;
  bool closing_ = false;
};

}  // namespace pakkon
