// The block maker, 名前を付けて保存 and the status bar of the session.

#include "app/session.h"
#include "draw/layer_panel.h"
#include "geometry/movement.h"
#include "model/puzzle_file.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/text_catalogue.h"

namespace pakkon {
namespace {

constexpr const char* kMakerTitle = fncText_mark("【 ﾂｰﾙ 】ブロック単体の作成");
constexpr const char* kMakerStart =
    fncText_mark("ブロック単体を作成します。\nプレイ中のブロック情報を、初期化しますか？");
constexpr const char* kMakerEnd = fncText_mark("ブロック作成を終了しますか？\n作成終了後、保存を行ってください。\n");
constexpr const char* kNoPasswordEdit = fncText_mark("パスワードが設定されていませんので、編集はできません！");
constexpr const char* kEditPasswordPrompt = fncText_mark("パスワードを入力してください\n（半角英数字１０文字以内）");
constexpr const char* kEditPasswordTitle = fncText_mark("パスワード入力");
constexpr const char* kWrongEditPassword = fncText_mark("パスワードが違います。編集できません。");
constexpr const char* kSorryTitle = fncText_mark("ごめんなさい！");
constexpr const char* kMakerMode = fncText_mark("ブロック作成");
constexpr const char* kMakerHint = fncText_mark("ブロックを選択して、２Ｄパネルのマス目をクリックします。");
constexpr const char* kPlayMode = fncText_mark("プレイ・モード");
constexpr const char* kDemo = fncText_mark("デモ");
constexpr const char* kDemoComment = fncText_mark("デモ ４×４×３");
constexpr const char* kSample = fncText_mark("サンプル");
constexpr const char* kSampleComment = fncText_mark("サンプル ３×３×３");
constexpr const char* kWalkthroughMode = fncText_mark("プレイ");
constexpr const char* kWalkthroughComment = fncText_mark("サンプル３×３×３");

}  // namespace

std::string fncBoxSize_text(const PuzzleState& st) {
  return fncStr(st.G_iCellX) + "×" + fncStr(st.G_iCellY) + "×" + fncStr(st.G_iCellZ);
}

void Session::statusBuiltin() {
  if (st_.G_bDemo)
    status_ = {"Ver 0.0.0", fncText(kDemo), "4×4×3", fncText(kDemoComment)};
  else
    status_ = {"Ver 0.0.0", fncText(kSample), "3×3×3", fncText(kSampleComment)};
}

void Session::statusWalkthrough() {
  status_[1] = fncText(kWalkthroughMode);
  status_[2] = "3×3×3";
  status_[3] = fncText(kWalkthroughComment);
}

void Session::makerStart(std::function<void(bool)> done) {
  auto answer = [done](bool in) {
    if (done) done(in);
  };
  host_.ask({fncText_message(kMakerStart), fncText(kMakerTitle), MsgIcon::Question}, MsgButtons::YesNoCancel,
            [this, answer](MsgAnswer a) {
              if (a == MsgAnswer::Cancel) return answer(false);
              if (a == MsgAnswer::Yes) {
                subPieces_clear(st_);
                return makerSize(answer);
              }
              if (st_.G_sPzVersion.empty()) return makerSize(answer);
              // The blocks of an opened puzzle are its solution: only its maker may edit them.
              if (st_.G_sAnswerPW.empty()) {
                host_.tell({fncText(kNoPasswordEdit), fncText(kMakerTitle), MsgIcon::Exclamation});
                subPieces_clear(st_);
                return makerSize(answer);
              }
              host_.input(fncText(kEditPasswordPrompt), fncText(kEditPasswordTitle), [this, answer](std::string typed) {
                if (typed.empty()) return answer(false);
                if (fncTrim(typed) != st_.G_sAnswerPW) {
                  host_.tell({fncText(kWrongEditPassword), fncText(kSorryTitle), MsgIcon::Information});
                  return answer(false);
                }
                makerSize(answer);
              });
            });
}

void Session::makerSize(std::function<void(bool)> done) {
  host_.chooseSize({st_.G_iCellX, st_.G_iCellY, st_.G_iCellZ}, [this, done](std::optional<BoxSize> size) {
    st_.G_bCellSet = size.has_value();
    if (!size) return done(false);
    subCellSize_set(st_, size->x, size->y, size->z);
    makerEnter();
    done(true);
  });
}

void Session::makerEnter() {
  st_.iMakeCells = static_cast<int16_t>(st_.G_iCellX * st_.G_iCellY * st_.G_iCellZ);
  makerCount_ = " 0 : " + fncStr(st_.iMakeCells);
  // The loader's frame goes before the maker sets the controls it stood in for.
  if (autoMove_) setAutoMove(false);
  canSave_ = false;
  PlayControls& c = play_.controls();
  c.option.fill(false);
  c.sum.clear();
  maker_ = c.makePiece = true;
  status_[1] = fncText(kMakerMode);
  status_[2] = fncBoxSize_text(st_);
  status_[3] = fncText(kMakerHint);
  c.load = c.cancel = false;
  c.reset = c.shuffle = true;
  c.pieceButtons = true;
  c.boxButtons = false;
  st_.iPiece_Sel = 0;
  play_.clearMoves();
}

void Session::makerEnd(SessionTime now, std::function<void(std::optional<PlayOutcome>)> done) {
  host_.ask({fncText_message(kMakerEnd), fncText(kMakerTitle), MsgIcon::Question}, MsgButtons::YesNo,
            [this, now, done](MsgAnswer a) {
              if (a != MsgAnswer::Yes) {
                if (done) done(std::nullopt);
                return;
              }
              makerCount_.clear();
              st_.G_iCellTotal = fncPieces_count(st_);
              canSaveAs_ = true;
              PlayControls& c = play_.controls();
              c.autoNext = c.reset = c.shuffle = false;
              maker_ = c.makePiece = false;
              c.boxButtons = true;
              const PlayOutcome cleared = apply({ActionKind::Clear}, host_, false, playing(), now);
              status_[1] = fncText(kPlayMode);
              status_[3].clear();
              play_.clearMoves();
              if (done) done(cleared);
            });
}

bool Session::makerCell(int x, int y, int z, int button, const std::function<void()>& countShown) {
  if (!maker_) return false;
  return subPieceCell_edit(
             st_, x, y, z, button,
             [this] {
               host_.tell({fncText(kCellCountWarning), fncText(kCellCountTitle), MsgIcon::Exclamation});
             },
             [this, &countShown](const std::string& count) {
               makerCount_ = count;
               if (countShown) countShown();
             })
      .bRedraw;
}

bool Session::makerClick(PanelGrid grid, int S, int button, float X, float Y, const std::function<void()>& countShown) {
  const int i = fncPanel_hit(grid, X, Y);
  if (i < 0) return false;
  const PanelCell c = fncPanel_cell(grid, i, S);
  return makerCell(c.x, c.y, c.z, button, countShown);
}

CommandDone Session::saveAs(const std::string& path, const std::string& comment, const std::string& password,
                            SessionTime now) {
  CommandDone d;
  if (!fncPassword_encodable(password)) return d;
  st_.G_sAnswerPW = password;
  d.outcome = apply({ActionKind::Shuffle}, host_, false, playing(), now);
  PlayControls& c = play_.controls();
  c.reset = false;
  c.set = c.setCancel = c.autoNext = true;
  st_.G_sComment = comment;
  st_.G_sFileTitle = fncFile_title(path);
  d.done = save(path);
  status_[3] = comment;
  path_ = path;
  canSave_ = true;
  return d;
}

}  // namespace pakkon
