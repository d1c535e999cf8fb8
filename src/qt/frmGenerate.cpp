#include "qt/frmGenerate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>

#include "qt/qt_convert.h"
#include "solver/rating.h"

namespace pakkon {
namespace {

// The texts this file shows.
constexpr const char* kContext = "pakkon::frmGenerate";
constexpr const char* kTitle = QT_TRANSLATE_NOOP("pakkon::frmGenerate", "新しいパズルを作る");
constexpr const char* kSize = QT_TRANSLATE_NOOP("pakkon::frmGenerate", "箱の大きさ");
constexpr const char* kBlocks = QT_TRANSLATE_NOOP("pakkon::frmGenerate", "ブロックの数");
constexpr const char* kStars = QT_TRANSLATE_NOOP("pakkon::frmGenerate", "難しさ");
constexpr const char* kStarsTo = QT_TRANSLATE_NOOP("pakkon::frmGenerate", "～");
constexpr const char* kIdentical = QT_TRANSLATE_NOOP("pakkon::frmGenerate", "同じ形のブロックも使う");
constexpr const char* kStart = QT_TRANSLATE_NOOP("pakkon::frmGenerate", "作成");
constexpr const char* kCancel = QT_TRANSLATE_NOOP("pakkon::frmGenerate", "キャンセル");
constexpr const char* kReady =
    QT_TRANSLATE_NOOP("pakkon::frmGenerate", "答えがひとつだけのパズルを、でたらめな分け方から探します。");
constexpr const char* kSearching = QT_TRANSLATE_NOOP("pakkon::frmGenerate", "探しています…");
constexpr const char* kStopping = QT_TRANSLATE_NOOP("pakkon::frmGenerate", "中止しています…");
constexpr const char* kStopped = QT_TRANSLATE_NOOP("pakkon::frmGenerate", "中止しました。");
constexpr const char* kNotFound =
    QT_TRANSLATE_NOOP("pakkon::frmGenerate",
                      "条件に合うパズルが見つかりませんでした（%1 回試しました）。\n条件を変えて、もう一度どうぞ。");
constexpr const char* kRefused = QT_TRANSLATE_NOOP("pakkon::frmGenerate", "この条件ではパズルを作れません：%1");

QString q(const char* s) { return QCoreApplication::translate(kContext, s); }

QSpinBox* spin(QWidget* parent, const char* name, int lo, int hi, int value) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(name);
  s->setRange(lo, hi);
  s->setValue(value);
  return s;
}

QComboBox* starsBox(QWidget* parent, const char* name, int value) {
  auto* c = new QComboBox(parent);
  c->setObjectName(name);
  for (int s = 1; s <= 5; ++s) c->addItem(QString::fromStdString(fncStars_text(s)), s);
  c->setCurrentIndex(value - 1);
  return c;
}

}  // namespace

// The search as a job. The dialog keeps it until it has delivered its
// result, a stopped one included.
struct frmGenerate::Work {
  explicit Work(QObject* owner) : jobs(fncQt_poster(owner)) {}
  Jobs jobs;
  Job job;
  std::shared_ptr<std::atomic<int>> percent = std::make_shared<std::atomic<int>>(-1);
};

frmGenerate::frmGenerate(QWidget* parent) : QDialog(parent) {
  setObjectName("frmGenerate");
  setWindowTitle(q(kTitle));

  const GenerateChoices start;
  spnX = spin(this, "spnX", 2, kCells, start.sizeX);
  spnY = spin(this, "spnY", 2, kCells, start.sizeY);
  spnZ = spin(this, "spnZ", 2, kCells, start.sizeZ);
  spnBlocks = spin(this, "spnBlocks", 2, kPieces, start.blocks);
  cboStarsFrom = starsBox(this, "cboStarsFrom", start.minStars);
  cboStarsTo = starsBox(this, "cboStarsTo", start.maxStars);
  chkIdentical = new QCheckBox(q(kIdentical), this);
  chkIdentical->setObjectName("chkIdentical");
  chkIdentical->setChecked(start.identical);
  prgTries = new QProgressBar(this);
  prgTries->setObjectName("prgTries");
  prgTries->setRange(0, 100);
  prgTries->setValue(0);
  lblStatus = new QLabel(q(kReady), this);
  lblStatus->setObjectName("lblStatus");
  lblStatus->setWordWrap(true);
  cmdStart = new QPushButton(q(kStart), this);
  cmdStart->setObjectName("cmdStart");
  cmdStart->setDefault(true);
  cmdCancel = new QPushButton(q(kCancel), this);
  cmdCancel->setObjectName("cmdCancel");
  cmdCancel->setAutoDefault(false);

  auto* size = new QHBoxLayout;
  size->addWidget(spnX);
  size->addWidget(new QLabel(QStringLiteral("×"), this));
  size->addWidget(spnY);
  size->addWidget(new QLabel(QStringLiteral("×"), this));
  size->addWidget(spnZ);
  auto* stars = new QHBoxLayout;
  stars->addWidget(cboStarsFrom);
  stars->addWidget(new QLabel(q(kStarsTo), this));
  stars->addWidget(cboStarsTo);
  auto* form = new QFormLayout;
  form->addRow(q(kSize), size);
  form->addRow(q(kBlocks), spnBlocks);
  form->addRow(q(kStars), stars);
  form->addRow(QString(), chkIdentical);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdStart);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(prgTries);
  layout->addWidget(lblStatus);
  layout->addLayout(buttons);
  setMinimumWidth(420);

  connect(cmdStart, &QPushButton::clicked, this, &frmGenerate::cmdStart_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmGenerate::cmdCancel_Click);
}

frmGenerate::~frmGenerate() { work_.reset(); }

GenerateChoices frmGenerate::choices() const {
  GenerateChoices c;
  c.sizeX = spnX->value(), c.sizeY = spnY->value(), c.sizeZ = spnZ->value();
  c.blocks = spnBlocks->value();
  c.minStars = cboStarsFrom->currentData().toInt();
  c.maxStars = cboStarsTo->currentData().toInt();
  c.identical = chkIdentical->isChecked();
  return c;
}

void frmGenerate::setChoices(const GenerateChoices& c) {
  spnX->setValue(c.sizeX), spnY->setValue(c.sizeY), spnZ->setValue(c.sizeZ);
  spnBlocks->setValue(c.blocks);
  cboStarsFrom->setCurrentIndex(std::clamp(c.minStars, 1, 5) - 1);
  cboStarsTo->setCurrentIndex(std::clamp(c.maxStars, 1, 5) - 1);
  chkIdentical->setChecked(c.identical);
}

GenerateOptions frmGenerate::options() const {
  const GenerateChoices c = choices();
  GenerateOptions o;
  o.sizeX = c.sizeX, o.sizeY = c.sizeY, o.sizeZ = c.sizeZ;
  o.blocks = c.blocks;
  o.minStars = std::min(c.minStars, c.maxStars);
  o.maxStars = std::max(c.minStars, c.maxStars);
  o.allowIdentical = c.identical;
  return o;
}

bool frmGenerate::running() const { return work_ && work_->job.active(); }

void frmGenerate::setRunning(bool on) {
  for (QWidget* w :
       std::initializer_list<QWidget*>{spnX, spnY, spnZ, spnBlocks, cboStarsFrom, cboStarsTo, chkIdentical, cmdStart})
    w->setEnabled(!on);
}

void frmGenerate::cmdStart_Click() {
  if (running()) return;
  used_ = options();
  used_.seed = seed ? *seed : fncGenerated_seed();
  if (const std::string why = fncGenerate_check(used_); !why.empty()) {
    lblStatus->setText(q(kRefused).arg(fncQString(why)));
    return;
  }
  work_ = std::make_shared<Work>(this);
  closing_ = false;
  prgTries->setValue(0);
  lblStatus->setText(q(kSearching));
  setRunning(true);
  work_->job =
      work_->jobs.run([this, o = GenerateOptions(used_), percent = work_->percent](JobContext& c) -> JobResult {
        GenerateOptions run = o;
        run.cancel = &c.stop;
        // At most one queued call per percent, however fast the tries go.
        run.progress = [this, &c, percent](int tries, int most) {
          const int p = static_cast<int>(100LL * tries / std::max(most, 1));
          if (percent->exchange(p) != p) c.post([this, p] { prgTries->setValue(p); });
        };
        GenerateResult r = fncPuzzle_generate(run);
        return [this, r = std::move(r)] { finished(r); };
      });
}

void frmGenerate::finished(const GenerateResult& r) {
  // The job's last act was to send this; its thread ends by itself.
  setRunning(false);
  cmdCancel->setEnabled(true);
  switch (r.status) {
    case GenerateStatus::Ok:
      result_ = r;
      prgTries->setValue(100);
      accept();
      return;
    case GenerateStatus::Cancelled:
      lblStatus->setText(q(kStopped));
      if (closing_) QDialog::reject();
      return;
    case GenerateStatus::NotFound: lblStatus->setText(q(kNotFound).arg(r.tries)); break;
    case GenerateStatus::BadOptions: lblStatus->setText(q(kRefused).arg(fncQString(r.message))); break;
  }
  if (closing_) QDialog::reject();
}

void frmGenerate::cmdCancel_Click() { reject(); }

void frmGenerate::reject() {
  if (!running()) {
    QDialog::reject();
    return;
  }
  // The dialog goes once the worker has seen the flag and answered.
  closing_ = true;
  work_->job.stop();
  lblStatus->setText(q(kStopping));
  cmdCancel->setEnabled(false);
}

}  // namespace pakkon
