#include "qt/frmPuzzleList.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <vector>

#include "model/puzzle_file.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "qt/qt_convert.h"
#include "solver/rating.h"

namespace pakkon {
namespace {

// The texts this file shows.
constexpr const char* kContext = "pakkon::frmPuzzleList";
constexpr const char* kTitle = QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "パズル一覧");
constexpr const char* kColumnTitles[] = {
    QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "ファイル"), QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "コメント"),
    QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "大きさ"),   QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "ブロック"),
    QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "難しさ"),   QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "完成"),
    QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "最短時間"), QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "最少手数"),
    QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "ヒント"),
};
static_assert(std::size(kColumnTitles) == frmPuzzleList::kColumns);
constexpr const char* kOpen = QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "開く");
constexpr const char* kPassword = QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "解答パスワード…");
constexpr const char* kClose = QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "閉じる");
constexpr const char* kFolder = QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "フォルダ：%1");
constexpr const char* kFolderProblem = QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "フォルダを読めません：%1");
constexpr const char* kSolved = "○";
constexpr const char* kSolvedAfterGivingUp = "△";
constexpr const char* kSolvedTip =
    QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "完成 %1 回、降参してから完成 %2 回、最少ヒント %3 回");
constexpr const char* kAfterGivingUpTip = QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "降参してから完成 %1 回");
constexpr const char* kRating = "…";
constexpr const char* kRatingTip = QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "難しさを調べています");
constexpr const char* kGiveUpQuestion = QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "降参しますか？");
constexpr const char* kGiveUpTitle = QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "悔しいけども．．．");
constexpr const char* kPasswordIs =
    QT_TRANSLATE_NOOP("pakkon::frmPuzzleList",
                      "このパズルの解答パスワードは「%1」です。\r\n「ヘルプ → 参った・・・」で入力してください。");
constexpr const char* kPasswordTitle = QT_TRANSLATE_NOOP("pakkon::frmPuzzleList", "参った");

QString q(const char* s) { return QCoreApplication::translate(kContext, s); }

QTableWidgetItem* cell(const QString& text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  item->setTextAlignment(align);
  return item;
}

}  // namespace

// The stars not yet known, worked out one file after another as a job
// whose results come as calls on the dialog's thread; the dialog drops it
// and waits for its thread before it goes, so none can arrive late.
struct frmPuzzleList::Work {
  explicit Work(QObject* owner) : jobs(fncQt_poster(owner)) {}
  Jobs jobs;
  Job job;
};

frmPuzzleList::frmPuzzleList(Storage& storage, const std::string& folder, std::map<std::string, int>& ratings,
                             Dialogs& dialogs, const std::string& current, QWidget* parent)
    : QDialog(parent), ratings_(ratings), dialogs_(dialogs) {
  setObjectName("frmPuzzleList");
  setWindowTitle(q(kTitle));
  resize(940, 480);

  lblFolder = new QLabel(this);
  lblFolder->setObjectName("lblFolder");
  grdPuzzles = new QTableWidget(this);
  grdPuzzles->setObjectName("grdPuzzles");
  grdPuzzles->setColumnCount(kColumns);
  QStringList titles;
  for (const char* t : kColumnTitles) titles << q(t);
  grdPuzzles->setHorizontalHeaderLabels(titles);
  grdPuzzles->setSelectionBehavior(QAbstractItemView::SelectRows);
  grdPuzzles->setSelectionMode(QAbstractItemView::SingleSelection);
  grdPuzzles->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdPuzzles->verticalHeader()->setVisible(false);
  grdPuzzles->setWordWrap(false);
  grdPuzzles->installEventFilter(this);
  cmdOpen = new QPushButton(q(kOpen), this);
  cmdOpen->setObjectName("cmdOpen");
  cmdOpen->setDefault(true);
  cmdPassword = new QPushButton(q(kPassword), this);
  cmdPassword->setObjectName("cmdPassword");
  cmdPassword->setAutoDefault(false);
  cmdClose = new QPushButton(q(kClose), this);
  cmdClose->setObjectName("cmdClose");
  cmdClose->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdPassword);
  buttons->addStretch(1);
  buttons->addWidget(cmdOpen);
  buttons->addWidget(cmdClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblFolder);
  layout->addWidget(grdPuzzles, 1);
  layout->addLayout(buttons);

  connect(cmdOpen, &QPushButton::clicked, this, &frmPuzzleList::cmdOpen_Click);
  connect(cmdPassword, &QPushButton::clicked, this, &frmPuzzleList::cmdPassword_Click);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
  connect(grdPuzzles, &QTableWidget::cellDoubleClicked, this, [this] { cmdOpen_Click(); });
  connect(grdPuzzles, &QTableWidget::itemSelectionChanged, this, &frmPuzzleList::updateButtons);

  ProgressBook book;
  book.load(storage, folder + "/" + kProgressFileName);
  list_ = fncPuzzleList_read(storage, folder, book, ratings_);
  lblFolder->setText(list_.problem.empty() ? q(kFolder).arg(fncQString(folder))
                                           : q(kFolderProblem).arg(fncQString(list_.problem)));
  if (!list_.progressProblem.empty()) lblFolder->setText(lblFolder->text() + '\n' + fncQString(list_.progressProblem));
  fill();

  // The puzzle in play, or else the first one not solved, is selected.
  int select = -1;
  for (size_t i = 0; i < list_.rows.size() && select < 0; ++i)
    if (!current.empty() && list_.rows[i].path == current) select = static_cast<int>(i);
  if (select < 0) select = fncPuzzleList_nextUnsolved(list_, current);
  if (select < 0 && !list_.rows.empty()) select = 0;
  if (select >= 0) grdPuzzles->selectRow(select);
  updateButtons();

  std::vector<std::pair<int, std::string>> todo;
  for (size_t i = 0; i < list_.rows.size(); ++i)
    if (list_.rows[i].readable() && list_.rows[i].stars == 0)
      todo.emplace_back(static_cast<int>(i), list_.rows[i].path);
  work_ = std::make_shared<Work>(this);
  if (todo.empty()) return;
  work_->job = work_->jobs.run([this, todo = std::move(todo)](JobContext& c) -> JobResult {
    for (const auto& [row, path] : todo) {
      if (c.stop) break;
      PuzzleState st;
      if (fncPuzzle_read(path, st).status != PuzzleReadStatus::Ok) continue;
      RatingOptions o;
      o.cancel = &c.stop;
      const DifficultyRating r = fncDifficulty_rate(st, o);
      if (c.stop) break;
      if (r.stars == 0) continue;
      c.post([this, row = row, stars = r.stars] { showStars(row, stars); });
    }
    // After the results, so that none is still on its way when it ends.
    return [] {};
  });
}

frmPuzzleList::~frmPuzzleList() {
  work_.reset();  // stops and joins the worker before the table goes
}

bool frmPuzzleList::rating() const { return work_ && work_->job.active(); }

void frmPuzzleList::fill() {
  grdPuzzles->setRowCount(static_cast<int>(list_.rows.size()));
  const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
  for (size_t i = 0; i < list_.rows.size(); ++i) {
    const PuzzleRow& r = list_.rows[i];
    const int row = static_cast<int>(i);
    const Qt::Alignment centre = Qt::AlignCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    grdPuzzles->setItem(row, colName, cell(fncQString(r.name)));
    if (!r.readable()) {
      // The reason where the comment would be; the row greyed.
      grdPuzzles->setItem(row, colComment, cell(fncQString(r.problem)));
      for (int c = colSize; c < kColumns; ++c) grdPuzzles->setItem(row, c, cell(QString()));
      for (int c = 0; c < kColumns; ++c) {
        grdPuzzles->item(row, c)->setForeground(grey);
        grdPuzzles->item(row, c)->setToolTip(fncQString(r.problem));
      }
      continue;
    }
    grdPuzzles->setItem(row, colComment, cell(fncQString(r.comment)));
    grdPuzzles->setItem(row, colSize,
                        cell(fncQString(fncStr(r.sizeX) + "×" + fncStr(r.sizeY) + "×" + fncStr(r.sizeZ)), centre));
    grdPuzzles->setItem(row, colBlocks, cell(QString::number(r.blocks), centre));
    grdPuzzles->setItem(row, colStars, cell(QString(), centre));
    showStars(row, r.stars);
    const PuzzleProgress& p = r.progress;
    QTableWidgetItem* solved = cell(QString(), centre);
    if (p.solved > 0) {
      solved->setText(QString::fromUtf8(kSolved));
      solved->setToolTip(q(kSolvedTip).arg(p.solved).arg(p.solvedAfterGivingUp).arg(p.fewestHints));
    } else if (p.solvedAfterGivingUp > 0) {
      solved->setText(QString::fromUtf8(kSolvedAfterGivingUp));
      solved->setToolTip(q(kAfterGivingUpTip).arg(p.solvedAfterGivingUp));
    }
    grdPuzzles->setItem(row, colSolved, solved);
    grdPuzzles->setItem(row, colTime,
                        cell(p.solved > 0 ? fncQString(fncSeconds_text(p.bestSeconds)) : QString(), right));
    grdPuzzles->setItem(row, colActions, cell(p.solved > 0 ? QString::number(p.fewestActions) : QString(), right));
    grdPuzzles->setItem(row, colHints, cell(p.solved > 0 ? QString::number(p.fewestHints) : QString(), right));
  }
  grdPuzzles->resizeColumnsToContents();
  grdPuzzles->resizeRowsToContents();
  // Room for five stars before any has been worked out.
  grdPuzzles->setColumnWidth(colStars,
                             std::max(grdPuzzles->columnWidth(colStars),
                                      grdPuzzles->fontMetrics().horizontalAdvance(fncQString(fncStars_text(5))) + 12));
  grdPuzzles->horizontalHeader()->setSectionResizeMode(colComment, QHeaderView::Stretch);
}

void frmPuzzleList::showStars(int row, int stars) {
  if (row < 0 || row >= static_cast<int>(list_.rows.size())) return;
  PuzzleRow& r = list_.rows[static_cast<size_t>(row)];
  QTableWidgetItem* item = grdPuzzles->item(row, colStars);
  if (!item) return;
  r.stars = stars;
  if (stars > 0) {
    ratings_[r.key] = stars;
    item->setText(fncQString(fncStars_text(stars)));
    item->setToolTip(QString());
  } else {
    item->setText(QString::fromUtf8(kRating));
    item->setToolTip(q(kRatingTip));
  }
}

void frmPuzzleList::updateButtons() {
  const QList<QTableWidgetItem*> picked = grdPuzzles->selectedItems();
  const int row = picked.isEmpty() ? -1 : picked.front()->row();
  cmdOpen->setEnabled(row >= 0);
  cmdPassword->setEnabled(row >= 0 && !list_.rows[static_cast<size_t>(row)].progress.password.empty());
}

bool frmPuzzleList::eventFilter(QObject* watched, QEvent* event) {
  // Enter on the table opens its row; the view would only pass it on.
  if (watched == grdPuzzles && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      cmdOpen_Click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmPuzzleList::cmdOpen_Click() {
  const int row = grdPuzzles->currentRow();
  if (row < 0 || row >= static_cast<int>(list_.rows.size())) return;
  // An unreadable file is opened all the same: the open command says why
  // it refuses it, as it always does.
  chosen_ = list_.rows[static_cast<size_t>(row)].path;
  accept();
}

void frmPuzzleList::cmdPassword_Click() {
  const int row = grdPuzzles->currentRow();
  if (row < 0 || row >= static_cast<int>(list_.rows.size())) return;
  const std::string& password = list_.rows[static_cast<size_t>(row)].progress.password;
  if (password.empty()) return;
  if (dialogs_.messageBox(q(kGiveUpQuestion).toStdString(), q(kGiveUpTitle).toStdString(), MsgIcon::Question,
                          MsgButtons::YesNo) != MsgAnswer::Yes)
    return;
  dialogs_.messageBox(q(kPasswordIs).arg(fncQString(password)).toStdString(), q(kPasswordTitle).toStdString(),
                      MsgIcon::Information, MsgButtons::OK);
}

}  // namespace pakkon
