#include "app/session.h"

#include <algorithm>

#include "app/errorlog.h"
#include "app/progress.h"
#include "app/puzzle_list.h"
#include "draw/views.h"
#include "geometry/movement.h"
#include "model/puzzle_file.h"
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
constexpr const char* kFightTitle = fncText_mark("ファイト！");
constexpr const char* kSampleText = fncText_mark("このパズルは、サンプルです。自力で解いてください。");
constexpr const char* kNoPasswordText = fncText_mark("パスワードが、設定されていません。自力で解いてください。");
constexpr const char* kGiveUpQuestion = fncText_mark("降参しますか？");
constexpr const char* kGiveUpQuestionTitle = fncText_mark("悔しいけども．．．");
constexpr const char* kPasswordPrompt = fncText_mark("解答パスワードを入力してください\n（半角英数字１０文字以内）");
constexpr const char* kPasswordTitle = fncText_mark("参った");
constexpr const char* kWrongPassword = fncText_mark("残念ながら、ご期待には応えられません。自力で解いてください。");
constexpr const char* kResetText = fncText_mark(
    "今から、[ Reset ] ボタンを有効にします。\n"
    "[ Reset ] ボタンをクリックすると、作成された一番最初のブロック状態に戻ります。\n"
    "ブロックを選択して移動や回転をせずに [ Load ]を、クリックしてください 。");
constexpr const char* kResetTitle = fncText_mark("神の恩恵、仏の御慈悲・・・");
constexpr const char* kNoVersionText = fncText_mark("バージョンが特定できませんでした。");
constexpr const char* kNoVersionTitle = fncText_mark("読み出し不可能なパズル");
constexpr const char* kPlayMode = fncText_mark("プレイ・モード");

// "X Y Z", each from `low` to 4 (the size dialog allows 2 to 4).
bool fncBoxSize_parse(std::string_view text, BoxSize& size, char low) {
  int* parts[] = {&size.x, &size.y, &size.z};
  size_t at = 0;
  for (int* part : parts) {
    while (at < text.size() && text[at] == ' ') ++at;
    if (at >= text.size() || text[at] < low || text[at] > '4') return false;
    *part = text[at++] - '0';
    if (at < text.size() && text[at] != ' ') return false;
  }
  return fncTrim(text.substr(at)).empty();
}

// "PATH | COMMENT" with " | PASSWORD" when one is set.
bool fncSaveAs_parse(std::string_view text, SessionCommand& c) {
  const size_t bar = text.find('|');
  if (bar == std::string_view::npos) return false;
  const size_t bar2 = text.find('|', bar + 1);
  c.path = fncTrim(text.substr(0, bar));
  c.comment = fncTrim(text.substr(bar + 1, bar2 == std::string_view::npos ? bar2 : bar2 - bar - 1));
  if (bar2 != std::string_view::npos) c.password = fncTrim(text.substr(bar2 + 1));
  return !c.path.empty() && !c.comment.empty();
}

}  // namespace

std::string fncCommand_text(const SessionCommand& c) {
  switch (c.kind) {
    case SessionCommand::Kind::Open: return "open " + c.path;
    case SessionCommand::Kind::Save: return "save " + c.path;
    case SessionCommand::Kind::Preview: return c.on ? "preview on" : "preview off";
    case SessionCommand::Kind::Language: return "language " + c.language;
    case SessionCommand::Kind::Hint: return "hint";
    case SessionCommand::Kind::GiveUp: return "giveup " + c.password;
    case SessionCommand::Kind::AutoLoad: return "autoload";
    case SessionCommand::Kind::Init: return "init";
    case SessionCommand::Kind::Maker:
      return "maker " + fncStr(c.size.x) + " " + fncStr(c.size.y) + " " + fncStr(c.size.z);
    case SessionCommand::Kind::MakerEnd: return "maker end";
    case SessionCommand::Kind::Cell:
      return "cell " + fncStr(c.size.x) + " " + fncStr(c.size.y) + " " + fncStr(c.size.z);
    case SessionCommand::Kind::SaveAs:
      return "saveas " + c.path + " | " + c.comment + (c.password.empty() ? "" : " | " + c.password);
    case SessionCommand::Kind::Stop: return "stop";
    case SessionCommand::Kind::AutoMove: return c.on ? "automove on" : "automove off";
    case SessionCommand::Kind::Finish: return c.on ? "finish on" : "finish off";
    case SessionCommand::Kind::Action: break;
  }
  return fncAction_text(c.action);
}

ParsedCommands fncCommands_parse(std::string_view text) {
  ParsedCommands out;
  out.error = fncScript_read(text, [&](std::string_view item, std::string& expected) {
    SessionCommand c;
    if (item == "hint") {
      c.kind = SessionCommand::Kind::Hint;
    } else if (item == "autoload") {
      c.kind = SessionCommand::Kind::AutoLoad;
    } else if (item == "init") {
      c.kind = SessionCommand::Kind::Init;
    } else if (item.substr(0, 7) == "giveup ") {
      c.kind = SessionCommand::Kind::GiveUp;
      c.password = fncTrim(item.substr(7));
    } else if (item == "stop") {
      c.kind = SessionCommand::Kind::Stop;
    } else if (item == "preview on" || item == "preview off") {
      c.kind = SessionCommand::Kind::Preview;
      c.on = item == "preview on";
    } else if (item == "automove on" || item == "automove off") {
      c.kind = SessionCommand::Kind::AutoMove;
      c.on = item == "automove on";
    } else if (item == "finish on" || item == "finish off") {
      c.kind = SessionCommand::Kind::Finish;
      c.on = item == "finish on";
    } else if (item == "language ja" || item == "language en") {
      c.kind = SessionCommand::Kind::Language;
      c.language = std::string(item.substr(9));
    } else if ((item.substr(0, 5) == "open " || item.substr(0, 5) == "save ") && !fncTrim(item.substr(5)).empty()) {
      c.kind = item[0] == 'o' ? SessionCommand::Kind::Open : SessionCommand::Kind::Save;
      c.path = fncTrim(item.substr(5));
    } else if (item == "maker end") {
      c.kind = SessionCommand::Kind::MakerEnd;
    } else if (item.substr(0, 6) == "maker ") {
      c.kind = SessionCommand::Kind::Maker;
      if (!fncBoxSize_parse(item.substr(6), c.size, '2')) {
        expected = "maker X Y Z, each 2 to 4, or maker end";
        return false;
      }
    } else if (item.substr(0, 5) == "cell ") {
      c.kind = SessionCommand::Kind::Cell;
      if (!fncBoxSize_parse(item.substr(5), c.size, '1')) {
        expected = "cell X Y Z, each 1 to 4";
        return false;
      }
    } else if (item.substr(0, 7) == "saveas ") {
      c.kind = SessionCommand::Kind::SaveAs;
      if (!fncSaveAs_parse(item.substr(7), c)) {
        expected = "saveas PATH | COMMENT or saveas PATH | COMMENT | PASSWORD";
        return false;
      }
    } else if (const std::optional<PlayAction> a = fncAction_parse(item, &expected)) {
      c.action = *a;
    } else {
      if (expected == fncAction_expected())
        expected +=
            ", hint, giveup PASSWORD, autoload, stop, init, automove on|off, open PATH, save PATH, preview on|off, "
            "finish on|off, language ja|en, "
            "maker X Y Z, maker end, cell X Y Z, saveas PATH | COMMENT [| PASSWORD]";
      return false;
    }
    out.commands.push_back(std::move(c));
    return true;
  });
  if (!out.ok()) out.commands.clear();
  return out;
}

void DialogsHost::tell(const PlayMessage& m) { dialogs_.messageBox(m.text, m.title, m.icon, MsgButtons::OK); }

void DialogsHost::ask(const PlayMessage& question, MsgButtons buttons, std::function<void(MsgAnswer)> then) {
  const MsgAnswer a = dialogs_.messageBox(question.text, question.title, question.icon, buttons);
  if (then) then(a);
}

void DialogsHost::chooseSize(BoxSize current, std::function<void(std::optional<BoxSize>)> then) {
  std::optional<BoxSize> chosen = sizeDialog ? sizeDialog(current) : std::nullopt;
  if (then) then(chosen);
}

void DialogsHost::input(const std::string& prompt, const std::string& title, std::function<void(std::string)> then) {
  std::string typed = dialogs_.inputBox(prompt, title, "");
  if (then) then(std::move(typed));
}

Session::Session(SessionHost& host, std::unique_ptr<PuzzleState> st)
    : owned_(std::move(st)), st_(*owned_), host_(host) {}

bool Session::previewShown() const {
  const int b = st_.iPiece_Sel;
  return preview_ && playing() && play_.controls().load && b >= 0 && b < kPieces && st_.G_iPieceUsed[b] == 0 &&
         fncPiece_count(st_, b) > 0;
}

void Session::drawBox(PictureSurface& surface, int dx, int dy, const std::function<void()>& refillPanels) {
  subBox_draw(st_, surface, dx, dy, refillPanels,
              previewShown() ? fncLanding_preview(st_, st_.iPiece_Sel) : LandingPreview{});
}

void Session::drawBlock(PictureSurface& surface, int block) { subPiece_draw(st_, surface, block); }

SessionView Session::view(SessionTime now) const {
  SessionView v;
  v.controls = play_.controls();
  v.playing = playing();
  v.playKeys = playKeys();
  v.canUndo = v.playing && play_.canUndo();
  v.canRedo = v.playing && play_.canRedo();
  v.maker = maker_;
  v.autoMove = autoMove_;
  v.loading = loading();
  v.demoRun = loaderVars_.bDemoRun;
  v.preview = preview_;
  v.finishCheck = finishCheck_;
  v.playTime = playTime_;
  v.panels = panels_;
  v.walkthroughStep = walk_.step();
  v.recording = recording();
  v.solved = solved();
  v.moves = moves_;
  v.seconds = seconds(now);
  v.hints = hints();
  v.status = status_;
  v.makerCount = makerCount_;
  v.canSave = canSave_;
  v.canSaveAs = canSaveAs_;
  return v;
}

bool Session::full() const { return st_.G_iCellTotal > 0 && fncBox_count(st_.G_iBox) == st_.G_iCellTotal; }

CommandDone Session::command(const SessionCommand& c, AutoLoadHooks& hooks, SessionTime now) {
  CommandDone d;
  switch (c.kind) {
    case SessionCommand::Kind::Action:
      d.outcome = apply(c.action, host_, true, true, now);
      d.done = d.outcome.done;
      break;
    case SessionCommand::Kind::Hint: {
      const FinishProblem p = fncFinish_problem(st_);
      d.hint = hintAnswer(p, fncFinish_hint(p), host_, now);
      d.done = d.hint.has_value();
      break;
    }
    case SessionCommand::Kind::GiveUp: giveUp([&d](bool in) { d.done = d.gaveUp = in; }); break;
    case SessionCommand::Kind::AutoLoad: d.done = loadStart(hooks, now); break;
    case SessionCommand::Kind::Init:
      loaderInit();
      d.done = true;
      break;
    case SessionCommand::Kind::Open: d.done = open(c.path, now); break;
    case SessionCommand::Kind::Save: d.done = save(c.path); break;
    case SessionCommand::Kind::Preview:
      setPreview(c.on);
      d.done = true;
      break;
    case SessionCommand::Kind::Language: d.done = setLanguage(c.language); break;
    case SessionCommand::Kind::Maker:
      if (!maker_) makerStart([&d](bool in) { d.done = in; });
      break;
    case SessionCommand::Kind::MakerEnd:
      if (maker_)
        makerEnd(now, [&d](std::optional<PlayOutcome> out) {
          d.done = out.has_value();
          if (out) d.outcome = *out;
        });
      break;
    case SessionCommand::Kind::Cell: d.done = makerCell(c.size.x - 1, c.size.y - 1, c.size.z - 1); break;
    case SessionCommand::Kind::SaveAs: d = saveAs(c.path, c.comment, c.password, now); break;
    case SessionCommand::Kind::Stop:
      loadStop();
      d.done = true;
      break;
    case SessionCommand::Kind::AutoMove:
      // The maker and the demonstration keep the mode as they set it.
      d.done = !maker_ && !demoRun() && !walk_.running();
      if (d.done) setAutoMove(c.on);
      break;
    case SessionCommand::Kind::Finish:
      setFinishCheck(c.on);
      d.done = true;
      break;
  }
  return d;
}

bool Session::setPreference(const char* key, bool on) {
  return !st_.G_sAppPath.empty() && fncPreference_put(*storage_, st_, key, on);
}

bool Session::setLanguage(const std::string& language) {
  return !st_.G_sAppPath.empty() && fncLanguage_put(*storage_, st_, language);
}

void Session::logError(const std::string& message, const std::string& where) {
  host_.tell({"Error " + message, where, MsgIcon::Critical});
  if (!st_.G_sAppPath.empty()) subError_append(st_.G_sAppPath, message, where);
}

void Session::setAutoMove(bool on) {
  autoMove_ = on;
  PlayControls& c = play_.controls();
  c.load = c.list = c.boxButtons = c.pieceButtons = !on;
  play_.clearMoves();
}

bool Session::open(const std::string& path, SessionTime now) {
  std::string bytes;
  if (const IoError e = storage_->read(path, bytes, kPuzzleFileReadMax)) {
    logError("Line " + fncStr(kStepOpen) + ":" + e.text(), "frmMain.fncFile_get() " + fncStr(e.number));
    return false;
  }
  return openBytes(bytes, path, now);
}

bool Session::openBytes(std::string_view bytes, const std::string& path, SessionTime now) {
  // What the bounded reader refuses before decoding anything.
  if (bytes.size() > kPuzzleFileReadMax) {
    const IoError e = fncIoError_make(kErrBadFormat);
    logError("Line " + fncStr(kStepOpen) + ":" + e.text(), "frmMain.fncFile_get() " + fncStr(e.number));
    return false;
  }
  PuzzleState probe = st_;
  const PuzzleReadResult check = fncPuzzle_decode(bytes, probe);
  if (check.status == PuzzleReadStatus::NgVersion) {
    host_.tell({fncText(kNoVersionText), fncText(kNoVersionTitle), MsgIcon::Critical});
    return false;
  }
  if (check.status == PuzzleReadStatus::Error) {
    logError("Line " + fncStr(check.step) + ":" + check.error.text(),
             "frmMain.fncFile_get() " + fncStr(check.error.number));
    return false;
  }
  // The old box is emptied first, as Clear does, so nothing of it carries over.
  play_.apply({ActionKind::Clear}, host_, false, false);
  fncPuzzle_decode(bytes, st_);
  path_ = path;
  st_.G_sFileTitle = fncFile_title(path);
  st_.G_sPzVersion = check.version;
  play_.opened();
  play_.clearMoves();
  opened(now);
  status_ = {st_.G_sPzVersion, fncText(kPlayMode), fncBoxSize_text(st_), st_.G_sComment};
  canSave_ = true;
  return true;
}

bool Session::save(const std::string& path) {
  st_.G_iCellDone = static_cast<int16_t>(fncBox_count(st_.G_iBox));
  return subFile_put(
      st_, path, [this](const std::string& m, const std::string& w) { logError(m, w); },
      PutOptions{nullptr, saveFaults});
}

bool Session::saveBytes(std::string& bytes) {
  st_.G_iCellDone = static_cast<int16_t>(fncBox_count(st_.G_iBox));
  int step = 0;
  IoError error;
  if (fncPuzzle_encode(st_, fncPuzzleKey_draw(), bytes, &step, &error)) return true;
  logError("Line " + fncStr(step) + ":" + error.text(), "frmMain.subFile_put() " + fncStr(error.number));
  return false;
}

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
  std::string id = path_ + '|' + fncStr(st_.G_iCellX) + fncStr(st_.G_iCellY) + fncStr(st_.G_iCellZ) + '|';
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
  const bool damaged = book.load(*storage_, path) == ProgressLoad::Damaged;
  change(book);
  if (const IoError e = book.save(*storage_, path)) {
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
  const PuzzleList list = fncPuzzleList_read(*storage_, st_.G_sDataPath, book, ratings_);
  const int next = fncPuzzleList_nextUnsolved(list, path_);
  if (next < 0) return;
  const PuzzleRow& row = list.rows[static_cast<size_t>(next)];
  host_.ask({fncText_message(kNextQuestion, {fncPuzzleRow_title(row)}), fncText(kNextTitle), MsgIcon::Question},
            MsgButtons::YesNoDefaultNo, [this, path = row.path](MsgAnswer a) {
              if (a == MsgAnswer::Yes && openPuzzle(path)) fromList_ = true;
            });
}

bool Session::loadStart(AutoLoadHooks& hooks, SessionTime now, const AutoLoadOptions& options) {
  if (loader_) return false;
  AutoLoadOptions o = options;
  o.vars = &loaderVars_;
  loader_ = std::make_unique<AutoLoadRun>(st_, hooks, o);
  loaderWake_ = now;
  loaderPaused_ = false;
  return true;
}

void Session::loaderInit() {
  for (int b = 0; b < kPieces; ++b) {
    st_.GE_iRotation[b] = static_cast<int16_t>(b);
    st_.G_Info_Piece[b] = PieceInfo{};
  }
  st_.GE_lRotate = 12345678;
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
  if (now < loaderWake_ && !loaderVars_.bStop) return std::nullopt;
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
  if (loaderVars_.bStop || now >= loaderWake_) return std::chrono::milliseconds(0);
  return std::chrono::ceil<std::chrono::milliseconds>(loaderWake_ - now);
}

std::optional<WalkTick> Session::walkTick(SessionTime now) {
  if (!walkNext_ || now + kWalkTick / 2 < *walkNext_) return std::nullopt;
  // Due again a period from now before the press runs: a message the
  // press shows lets the front end's timer through meanwhile.
  walkNext_ = now + kWalkTick;
  return walk_.tick();
}

void Session::giveUp(std::function<void(bool)> done) {
  auto answer = [done](bool in) {
    if (done) done(in);
  };
  auto fight = [this, answer](const char* text) {
    host_.tell({fncText(text), fncText(kFightTitle), MsgIcon::Information});
    answer(false);
  };
  if (st_.G_sPzVersion.empty()) return fight(kSampleText);
  if (st_.G_sAnswerPW.empty()) return fight(kNoPasswordText);
  host_.ask({fncText(kGiveUpQuestion), fncText(kGiveUpQuestionTitle), MsgIcon::Question}, MsgButtons::YesNo,
            [this, answer, fight](MsgAnswer a) {
              if (a != MsgAnswer::Yes) return answer(false);
              host_.input(fncText(kPasswordPrompt), fncText(kPasswordTitle), [this, answer, fight](std::string typed) {
                if (typed.empty()) return answer(false);
                if (fncTrim(typed) != st_.G_sAnswerPW) return fight(kWrongPassword);
                host_.tell({fncText_message(kResetText), fncText(kResetTitle), MsgIcon::Information});
                play_.controls().reset = true;
                // The bookkeeping comes after the dialogue, never inside it.
                recordGiveUp();
                answer(true);
              });
            });
}

std::optional<HintShown> Session::hintAnswer(const FinishProblem& p, const FinishHint& h, PlayHost& host,
                                             SessionTime now) {
  // The player has moved on (another puzzle, a mode, a changed box): the
  // answer is for a question nobody asks any more.
  if (!playing() || !(fncFinish_problem(st_) == p)) return std::nullopt;
  HintShown shown;
  using Kind = HintShown::Kind;
  if (h.answer == FinishAnswer::Stopped) return shown;
  if (h.answer == FinishAnswer::Yes && h.block < 0) return shown.kind = Kind::Full, shown;
  if (h.answer == FinishAnswer::Yes) {
    shown.played = play_.applyGroup(fncBlock_actions(h.block, p.shape[static_cast<size_t>(h.block)], h.cells), host);
    after(shown.played, false, now);
    // The block already where the hint would put it is no new hint.
    shown.kind = shown.played.recorded ? Kind::Played : Kind::Unchanged;
  } else if (p.outside()) {
    shown.kind = Kind::Outside;
  } else if (h.remove.empty() && !h.clear) {
    shown.kind = Kind::Hopeless;
  } else {
    shown.kind = h.clear ? Kind::Clear : Kind::Remove;
    shown.remove = h.remove;
  }
  if (shown.counted()) hintShown();
  return shown;
}

void Session::recordGiveUp() {
  if (key_.empty() || fncPuzzle_key(st_) != key_) return;
  gaveUp_ = true;
  if (keepProgress) progressUpdate([&](ProgressBook& b) { b.recordGiveUp(key_, st_.G_sFileTitle); });
}

}  // namespace pakkon
