// Hints and the exact finish check. ヘルプ → ヒント plays the block the
// completions pin down most to one of its places, as one entry of the move
// list; 表示 → 完成できるか表示 keeps a ○ / × mark under the Block frame,
// answered by a worker thread after every change of the box.

#include <QAction>
#include <QCoreApplication>
#include <QFont>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "app/settings.h"
#include "platform/text.h"
#include "qt/frmMain.h"
#include "qt/qt_convert.h"
#include "solver/finish.h"

namespace pakkon {
namespace {

// The texts this file shows, translated where they are shown.
constexpr const char* kContext = "pakkon::frmMain";
constexpr const char* kHintCaption = QT_TRANSLATE_NOOP("pakkon::frmMain", "ヒント\tH");
constexpr const char* kFinishCaption = QT_TRANSLATE_NOOP("pakkon::frmMain", "完成できるか表示");
constexpr const char* kHintTitle = QT_TRANSLATE_NOOP("pakkon::frmMain", "ヒント");
// One text with the block numbers in it: English needs "block" or "blocks".
constexpr const char* kHintRemove =
    QT_TRANSLATE_N_NOOP("pakkon::frmMain", "このままでは完成できません。ブロック %1 を外してみましょう。");
constexpr const char* kHintAnd = QT_TRANSLATE_NOOP("pakkon::frmMain", " と ");
constexpr const char* kHintComma = QT_TRANSLATE_NOOP("pakkon::frmMain", "、");
constexpr const char* kHintNone = QT_TRANSLATE_NOOP("pakkon::frmMain", "このパズルは、空の箱からでも完成できません。");
constexpr const char* kHintClear = QT_TRANSLATE_NOOP(
    "pakkon::frmMain",
    "箱に、入れたどのブロックのものでもないセルがあります。\r\n[ Clear ] で箱を空にすれば、完成できます。");
constexpr const char* kHintOutside = QT_TRANSLATE_NOOP(
    "pakkon::frmMain", "箱の中身が、箱からはみ出しています。\r\n[ Orgin ] や [ Turn ] で箱の中へ戻してください。");
constexpr const char* kHintFull = QT_TRANSLATE_NOOP("pakkon::frmMain", "もう完成しています。");
constexpr const char* kHintTooLong = QT_TRANSLATE_NOOP("pakkon::frmMain", "時間内にヒントを見つけられませんでした。");
constexpr const char* kHintCount = QT_TRANSLATE_NOOP("pakkon::frmMain", "ヒント：%1 回");
constexpr const char* kFinishYes = "○";
constexpr const char* kFinishNo = "×";
constexpr const char* kFinishWait = "…";
constexpr const char* kFinishYesTip = QT_TRANSLATE_NOOP("pakkon::frmMain", "まだ完成できます");
constexpr const char* kFinishNoTip = QT_TRANSLATE_NOOP("pakkon::frmMain", "このままでは完成できません");
constexpr const char* kFinishWaitTip = QT_TRANSLATE_NOOP("pakkon::frmMain", "調べています");

// A hint in the window may take this long; a puzzle of the player's own
// making could need far more, and the window must not hang on it.
constexpr auto kHintTime = std::chrono::seconds(3);

// A text of this file in the chosen language.
QString q(const char* s, int n = -1) { return QCoreApplication::translate(kContext, s, nullptr, n); }
std::string t(const char* s) { return q(s).toStdString(); }

// "3", "3 と 5", "2、3 と 5".
std::string blockNames(const std::vector<int>& blocks) {
  std::string out;
  for (size_t i = 0; i < blocks.size(); ++i) {
    if (i) out += t(i + 1 == blocks.size() ? kHintAnd : kHintComma);
    out += fncStr(blocks[i] + 1);
  }
  return out;
}

}  // namespace

// The finish check's worker: it takes the newest question, drops older
// ones, and is told to stop when a newer one comes.
struct frmMain::HintWork {
  std::mutex m;
  std::condition_variable wake;
  std::optional<FinishProblem> job;  // the newest question not yet taken
  uint64_t jobGeneration = 0;
  std::shared_ptr<std::atomic<bool>> jobCancel;
  std::function<void()> jobProbe;
  bool quit = false;
  std::function<void(uint64_t, FinishAnswer)> deliver;  // from the worker thread
  std::thread worker;

  // The hint's search, one at a time, on a thread of its own.
  std::thread hintThread;
  std::shared_ptr<std::atomic<bool>> hintCancel;
  bool hintBusy = false;

  // The window's side.
  std::optional<FinishProblem> asked;  // whose answer is shown or on its way
  uint64_t generation = 0;
  bool pending = false;

  ~HintWork() {
    {
      const std::lock_guard lock(m);
      quit = true;
      if (jobCancel) jobCancel->store(true);
      if (hintCancel) hintCancel->store(true);
    }
    wake.notify_all();
    if (worker.joinable()) worker.join();
    if (hintThread.joinable()) hintThread.join();
  }

  void post(const FinishProblem& p, uint64_t gen, std::function<void()> probe) {
    {
      const std::lock_guard lock(m);
      if (jobCancel) jobCancel->store(true);
      job = p;
      jobGeneration = gen;
      jobCancel = std::make_shared<std::atomic<bool>>(false);
      jobProbe = std::move(probe);
    }
    wake.notify_one();
  }

  void cancel() {
    const std::lock_guard lock(m);
    if (jobCancel) jobCancel->store(true);
    job.reset();
  }

  void run() {
    for (;;) {
      FinishProblem p;
      uint64_t gen = 0;
      std::shared_ptr<std::atomic<bool>> stop;
      std::function<void()> probe;
      {
        std::unique_lock lock(m);
        wake.wait(lock, [this] { return quit || job.has_value(); });
        if (quit) return;
        p = *job;
        job.reset();
        gen = jobGeneration;
        stop = jobCancel;
        probe = std::move(jobProbe);
      }
      if (probe) probe();
      FinishLimits limits;
      limits.cancel = stop.get();
      const FinishAnswer a = fncFinish_check(p, limits);
      if (a != FinishAnswer::Stopped) deliver(gen, a);
    }
  }
};

void frmMain::buildHints() {
  hintWork_ = std::make_shared<HintWork>();
  hintWork_->deliver = [this](uint64_t gen, FinishAnswer a) {
    QMetaObject::invokeMethod(
        this,
        [this, gen, a] {
          // A newer question makes this answer stale.
          if (gen != hintWork_->generation || !hintWork_->pending) return;
          hintWork_->pending = false;
          const bool yes = a == FinishAnswer::Yes;
          lblFinish->setText(q(yes ? kFinishYes : kFinishNo));
          lblFinish->setToolTip(q(yes ? kFinishYesTip : kFinishNoTip));
        },
        Qt::QueuedConnection);
  };
  hintWork_->worker = std::thread([w = hintWork_.get()] { w->run(); });

  mnuHelpHint = new QAction(q(kHintCaption), mnuHelp);
  mnuHelpHint->setObjectName("mnuHelpHint");
  mnuHelp->insertAction(mnuHelpHelp, mnuHelpHint);
  mnuFinishCheck = mnuView->addAction(q(kFinishCaption));
  mnuFinishCheck->setObjectName("mnuFinishCheck");
  mnuFinishCheck->setCheckable(true);
  mnuFinishCheck->setChecked(fncPreferences_load(st_).bFinishCheck);

  // Under the Block frame, and beneath the loader's frame that covers it in
  // the automatic move.
  QWidget* area = centralWidget();
  lblFinish = new QLabel(area);
  lblFinish->setObjectName("lblFinish");
  subTwips_place(lblFinish, 360, 8900, 420, 300);
  lblFinish->setAlignment(Qt::AlignCenter);
  QFont big = lblFinish->font();
  big.setBold(true);
  lblFinish->setFont(big);
  lblHints = new QLabel(area);
  lblHints->setObjectName("lblHints");
  subTwips_place(lblHints, 840, 8900, 2820, 300);
  for (QLabel* l : {lblFinish, lblHints}) {
    l->setVisible(false);
    l->lower();
  }

  // H only in plain play: the handler asks, so a key never waits on a
  // menu's enabled state. A held key asks once.
  auto* key = new QShortcut(QKeySequence(Qt::Key_H), this);
  key->setContext(Qt::WindowShortcut);
  key->setAutoRepeat(false);
  connect(key, &QShortcut::activated, this, &frmMain::mnuHelpHint_Click);
  connect(mnuHelpHint, &QAction::triggered, this, &frmMain::mnuHelpHint_Click);
  connect(mnuHelp, &QMenu::aboutToShow, this, [this] { mnuHelpHint->setEnabled(playRecording()); });
  connect(mnuFinishCheck, &QAction::triggered, this, &frmMain::mnuFinishCheck_Click);
}

bool frmMain::finishCheckPending() const { return hintWork_->pending; }
bool frmMain::hintPending() const { return hintWork_->hintBusy; }
int frmMain::hintCount() const { return session_.hints(); }

void frmMain::mnuFinishCheck_Click() {
  fncPreference_put(st_, kPrefFinishCheck, mnuFinishCheck->isChecked());
  subFinishCheck_start();
}

void frmMain::subFinishCheck_start() {
  HintWork& w = *hintWork_;
  const bool playing = playRecording();

  const int hints = session_.hints();
  lblHints->setText(q(kHintCount).arg(hints));
  // Nothing shows until the first hint, so the window looks as designed.
  lblHints->setVisible(playing && hints > 0);

  const bool on = playing && mnuFinishCheck->isChecked();
  lblFinish->setVisible(on);
  if (!on) {
    w.cancel();
    w.asked.reset();
    w.pending = false;
    return;
  }
  const FinishProblem p = fncFinish_problem(st_);
  if (w.asked && *w.asked == p) return;  // the mark stands, or is on its way
  w.asked = p;
  w.pending = true;
  lblFinish->setText(q(kFinishWait));
  lblFinish->setToolTip(q(kFinishWaitTip));
  w.post(p, ++w.generation, finishCheckProbe);
}

void frmMain::mnuHelpHint_Click() {
  HintWork& w = *hintWork_;
  // One hint at a time: presses while it is worked out ask nothing more.
  if (!playRecording() || w.hintBusy) return;
  const FinishProblem p = fncFinish_problem(st_);
  w.hintBusy = true;
  if (w.hintThread.joinable()) w.hintThread.join();  // the last one has answered
  w.hintCancel = std::make_shared<std::atomic<bool>>(false);
  w.hintThread = std::thread([this, p, cancel = w.hintCancel] {
    FinishLimits limits;
    limits.cancel = cancel.get();
    limits.deadline = std::chrono::steady_clock::now() + kHintTime;
    const FinishHint h = fncFinish_hint(p, limits);
    if (cancel->load()) return;
    QMetaObject::invokeMethod(
        this, [this, p, h] { subHint_answer(p, h); }, Qt::QueuedConnection);
  });
}

void frmMain::subHint_answer(const FinishProblem& p, const FinishHint& h) {
  HintWork& w = *hintWork_;
  w.hintBusy = false;
  // The player has moved on (another puzzle, a mode, a changed box): the
  // answer is for a question nobody asks any more.
  if (!playRecording() || !(fncFinish_problem(st_) == p)) return;
  auto tell = [this](const std::string& text) {
    dialogs_.messageBox(text, t(kHintTitle), MsgIcon::Information, MsgButtons::OK);
  };
  if (h.answer == FinishAnswer::Stopped) return tell(t(kHintTooLong));
  if (h.answer == FinishAnswer::Yes && h.block < 0) return tell(t(kHintFull));
  if (h.answer == FinishAnswer::Yes) {
    // A hint counts when it shows something: the block already where the
    // hint would put it is no new hint.
    if (playGroup(fncBlock_actions(h.block, p.shape[static_cast<size_t>(h.block)], h.cells)).recorded) {
      session_.hintShown();
      subFinishCheck_start();  // the count
    }
    return;
  }
  if (p.outside()) return tell(t(kHintOutside));
  if (h.remove.empty() && !h.clear) return tell(t(kHintNone));  // nothing helps: no hint given
  session_.hintShown();
  subFinishCheck_start();  // the count
  if (h.clear) return tell(t(kHintClear));
  tell(q(kHintRemove, static_cast<int>(h.remove.size()))
           .arg(QString::fromStdString(blockNames(h.remove)))
           .toStdString());
}

}  // namespace pakkon
