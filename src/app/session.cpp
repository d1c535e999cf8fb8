#include "app/session.h"

#include <algorithm>

#include "app/errorlog.h"
#include "app/progress.h"
#include "app/puzzle_list.h"
#include "geometry/movement.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/text_catalogue.h"

namespace pakkon {
namespace {

constexpr const char* kNextQuestion = fncText_mark("まだ解いていない次のパズル「%1」を開きますか？");
constexpr const char* kNextTitle = fncText_mark("次のパズル");
constexpr const char* kProgressTitle = fncText_mark("進行状況");
constexpr const char* kProgressSetAside =
    fncText_mark("進行状況のファイルが壊れていたため、「%1」として残し、新しく作り直しました。");

}  // namespace

void DialogsHost::tell(const PlayMessage& m) { dialogs_.messageBox(m.text, m.title, m.icon, MsgButtons::OK); }

void DialogsHost::ask(const PlayMessage& question, MsgButtons buttons, std::function<void(MsgAnswer)> then) {
  const MsgAnswer a = dialogs_.messageBox(question.text, question.title, question.icon, buttons);
  if (then) then(a);
}

Session::Session(PuzzleState& st, SessionHost& host) : st_(st), host_(host) {}

bool Session::full() const { return st_.G_iCellTotal > 0 && fncBox_count(st_.G_iBox) == st_.G_iCellTotal; }

void Session::opened(SessionTime /*now*/) {
  key_ = st_.G_sPzVersion.empty() ? std::string() : fncPuzzle_key(st_);
  fromList_ = false;
  started_ = false;
  elapsed_ = 0;
  since_.reset();
  solvedSeconds_ = -1;
  moves_ = 0;
  hintsAtOpen_ = hints();
  gaveUp_ = false;
  full_ = full();
}

double Session::seconds(SessionTime now) const {
  if (solvedSeconds_ >= 0) return solvedSeconds_;
  return elapsed_ + (since_ ? std::chrono::duration<double>(now - *since_).count() : 0.0);
}

void Session::pause(bool on, SessionTime now) {
  paused_ = std::max(0, paused_ + (on ? 1 : -1));
  runClock(now);
}

void Session::minimise(bool on, SessionTime now) {
  minimised_ = on;
  runClock(now);
}

void Session::runClock(SessionTime now) {
  const bool run = started_ && solvedSeconds_ < 0 && paused_ == 0 && !minimised_;
  if (run && !since_) {
    since_ = now;
  } else if (!run && since_) {
    elapsed_ += std::chrono::duration<double>(now - *since_).count();
    since_.reset();
  }
}

int Session::hints() const {
  // The count belongs to the puzzle: its file, size and blocks as made.
  std::string id = st_.sPzFile + '|' + fncStr(st_.G_iCellX) + fncStr(st_.G_iCellY) + fncStr(st_.G_iCellZ) + '|';
  id.append(reinterpret_cast<const char*>(st_.G_iPieceOrg), sizeof st_.G_iPieceOrg);
  const size_t puzzle = std::hash<std::string>{}(id);
  if (puzzle != hintPuzzle_) hintPuzzle_ = puzzle, hints_ = 0;
  return hints_;
}

void Session::hintShown() {
  hints();
  ++hints_;
}

std::string Session::progressPath() const { return st_.G_sDataPath + "/" + kProgressFileName; }

bool Session::progressUpdate(const std::function<void(ProgressBook&)>& change, const std::string& password) {
  ProgressBook book;
  const std::string path = progressPath();
  const bool damaged = book.load(path) == ProgressLoad::Damaged;
  change(book);
  if (const IoError e = book.save(path)) {
    // A tool has no program folder and no log.
    if (!st_.G_sAppPath.empty())
      subError_append(st_.G_sAppPath, "Line 0:" + e.text(), "frmMain.subProgress_update() " + fncStr(e.number));
    if (failureTold_ && password.empty()) return false;
    failureTold_ = true;
    host_.tell({fncProgress_notSaved(book, e, password), fncText(kProgressTitle), MsgIcon::Exclamation});
    return false;
  }
  if (damaged)
    host_.tell({fncText_message(kProgressSetAside, {fncFile_title(book.setAside())}), fncText(kProgressTitle),
                MsgIcon::Exclamation});
  return true;
}

PlayOutcome Session::apply(const PlayAction& a, PlayHost& host, bool checkEnabled, bool record, SessionTime now) {
  const PlayOutcome out = play_.apply(a, host, checkEnabled, record);
  after(out, a.kind == ActionKind::Undo || a.kind == ActionKind::Redo, now);
  return out;
}

void Session::after(const PlayOutcome& out, bool undoRedo, SessionTime now) {
  if (!out.recorded && !(undoRedo && out.done)) return;
  if (!started_) {
    started_ = true;
    runClock(now);
  }
  if (out.boxChanged) ++moves_;
  const bool isFull = full();
  const bool completed = isFull && !full_;
  full_ = isFull;
  // A completion counts for the puzzle that was opened, not for one the
  // maker has changed since, and once for each opening.
  if (!completed || solved() || key_.empty() || st_.G_sPzVersion.empty() || fncPuzzle_key(st_) != key_) return;

  solvedSeconds_ = seconds(now);
  runClock(now);
  const int hintsTaken = std::max(0, hints() - hintsAtOpen_);
  ProgressBook book;
  if (keepProgress)
    progressUpdate([&](ProgressBook& b) {
      b.recordSolve(key_, st_.G_sFileTitle, solvedSeconds_, moves_, hintsTaken, gaveUp_, fncNow_text());
      const auto rated = ratings_.find(key_);
      if (rated != ratings_.end()) b.entry(key_).stars = rated->second;
      book = b;
    });

  // The next puzzle not solved yet, in the list's order, for a player who
  // chose the list's way of playing; No is the default, so a player
  // dismissing boxes with Enter stays with the solved puzzle.
  if (!fromList_ || !openPuzzle) return;
  const PuzzleList list = fncPuzzleList_read(st_.G_sDataPath, book, ratings_);
  const int next = fncPuzzleList_nextUnsolved(list, st_.sPzFile);
  if (next < 0) return;
  const PuzzleRow& row = list.rows[static_cast<size_t>(next)];
  host_.ask({fncText_message(kNextQuestion, {fncPuzzleRow_title(row)}), fncText(kNextTitle), MsgIcon::Question},
            MsgButtons::YesNoDefaultNo, [this, path = row.path](MsgAnswer a) {
              if (a == MsgAnswer::Yes && openPuzzle(path)) fromList_ = true;
            });
}

bool Session::loadStart(AutoLoadHooks& hooks, SessionTime now, const AutoLoadOptions& options) {
  if (loader_) return false;
  loader_ = std::make_unique<AutoLoadRun>(st_, hooks, options);
  loaderWake_ = now;
  loaderPaused_ = false;
  return true;
}

void Session::loadAbandon() {
  if (ticking_) {
    abandoned_ = true;  // the slice on the stack finishes first
  } else {
    loader_.reset();
  }
}

std::optional<AutoLoadResult> Session::tick(SessionTime now) {
  if (!loader_ || ticking_) return std::nullopt;
  if (now < loaderWake_ && !st_.bStop) return std::nullopt;
  ticking_ = true;
  std::optional<AutoLoadResult> r;
  try {
    r = loader_->slice();
  } catch (...) {
    ticking_ = abandoned_ = false;
    loader_.reset();
    throw;
  }
  ticking_ = false;
  loaderPaused_ = !r && loader_->pauseMs() > 0;
  loaderWake_ = now + std::chrono::milliseconds(r ? 0 : loader_->pauseMs());
  if (r || abandoned_) loader_.reset();
  abandoned_ = false;
  return r;
}

std::optional<std::chrono::milliseconds> Session::tickDue(SessionTime now) const {
  if (!loader_) return std::nullopt;
  if (st_.bStop || now >= loaderWake_) return std::chrono::milliseconds(0);
  return std::chrono::ceil<std::chrono::milliseconds>(loaderWake_ - now);
}

void Session::gaveUp() {
  if (key_.empty() || fncPuzzle_key(st_) != key_) return;
  gaveUp_ = true;
  if (keepProgress) progressUpdate([&](ProgressBook& b) { b.recordGiveUp(key_, st_.G_sFileTitle); });
}

}  // namespace pakkon
