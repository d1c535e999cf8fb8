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
#include <chrono>
#include <functional>
#include <optional>

#include "app/settings.h"
#include "platform/jobs.h"
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

// The finish check and the hint, each one job at a time: a newer question
// drops the older one, whose answer then never arrives.
struct frmMain::HintWork {
  explicit HintWork(QObject* owner) : jobs(fncQt_poster(owner)) {}
  Jobs jobs;
  Job check;
  Job hint;
  std::optional<FinishProblem> asked;  // whose answer is shown or on its way
};

void frmMain::buildHints() {
  hintWork_ = std::make_shared<HintWork>(this);

  mnuHelpHint = new QAction(q(kHintCaption), mnuHelp);
  mnuHelpHint->setObjectName("mnuHelpHint");
  mnuHelp->insertAction(mnuHelpHelp, mnuHelpHint);
  mnuFinishCheck = mnuView->addAction(q(kFinishCaption));
  mnuFinishCheck->setObjectName("mnuFinishCheck");
  mnuFinishCheck->setCheckable(true);
  session_.setFinishCheck(session_.preferences().bFinishCheck);
  mnuFinishCheck->setChecked(session_.finishCheck());

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

bool frmMain::finishCheckPending() const { return hintWork_->check.active(); }
bool frmMain::hintPending() const { return hintWork_->hint.active(); }
int frmMain::hintCount() const { return session_.hints(); }

void frmMain::mnuFinishCheck_Click() {
  session_.setFinishCheck(mnuFinishCheck->isChecked());
  session_.setPreference(kPrefFinishCheck, session_.finishCheck());
  subFinishCheck_start();
}

void frmMain::subFinishCheck_start() {
  HintWork& w = *hintWork_;
  const SessionView v = session_.view(playClock());
  const bool playing = v.playing;
  lblHints->setText(q(kHintCount).arg(v.hints));
  // Nothing shows until the first hint, so the window looks as designed.
  lblHints->setVisible(playing && v.hints > 0);

  const bool on = playing && v.finishCheck;
  lblFinish->setVisible(on);
  if (!on) {
    w.check.drop();
    w.asked.reset();
    return;
  }
  const FinishProblem p = fncFinish_problem(st_);
  if (w.asked && *w.asked == p) return;  // the mark stands, or is on its way
  w.asked = p;
  lblFinish->setText(q(kFinishWait));
  lblFinish->setToolTip(q(kFinishWaitTip));
  w.check.drop();
  w.check = w.jobs.run([this, p, probe = finishCheckProbe](JobContext& c) -> JobResult {
    if (probe) probe();
    FinishLimits limits;
    limits.cancel = &c.stop;
    const FinishAnswer a = fncFinish_check(p, limits);
    if (a == FinishAnswer::Stopped) return {};
    return [this, a] {
      const bool yes = a == FinishAnswer::Yes;
      lblFinish->setText(q(yes ? kFinishYes : kFinishNo));
      lblFinish->setToolTip(q(yes ? kFinishYesTip : kFinishNoTip));
    };
  });
}

void frmMain::mnuHelpHint_Click() {
  HintWork& w = *hintWork_;
  // One hint at a time: presses while it is worked out ask nothing more.
  if (!playRecording() || w.hint.active()) return;
  const FinishProblem p = fncFinish_problem(st_);
  w.hint = w.jobs.run([this, p](JobContext& c) -> JobResult {
    FinishLimits limits;
    limits.cancel = &c.stop;
    limits.deadline = std::chrono::steady_clock::now() + kHintTime;
    const FinishHint h = fncFinish_hint(p, limits);
    return [this, p, h] { subHint_answer(p, h); };
  });
}

void frmMain::subHint_answer(const FinishProblem& p, const FinishHint& h) {
  if (playProbe) playProbe();
  WindowPlayHost host(*this);
  const std::optional<HintShown> shown = session_.hintAnswer(p, h, host, playClock());
  if (!shown) return;
  if (shown->played.done) showPlay(shown->played);
  subEditMenu_update();
  subPlayTime_show();
  if (shown->counted()) subFinishCheck_start();  // the count
  auto tell = [this](const std::string& text) {
    dialogs_.messageBox(text, t(kHintTitle), MsgIcon::Information, MsgButtons::OK);
  };
  switch (shown->kind) {
    case HintShown::Kind::TooLong: return tell(t(kHintTooLong));
    case HintShown::Kind::Full: return tell(t(kHintFull));
    case HintShown::Kind::Outside: return tell(t(kHintOutside));
    case HintShown::Kind::Hopeless: return tell(t(kHintNone));
    case HintShown::Kind::Clear: return tell(t(kHintClear));
    case HintShown::Kind::Remove:
      return tell(q(kHintRemove, static_cast<int>(shown->remove.size()))
                      .arg(QString::fromStdString(blockNames(shown->remove)))
                      .toStdString());
    case HintShown::Kind::Played:
    case HintShown::Kind::Unchanged: return;
  }
}

}  // namespace pakkon
