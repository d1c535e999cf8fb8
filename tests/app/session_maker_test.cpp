// The block maker and 名前を付けて保存 driven by commands, without a window.

#include <gtest/gtest.h>

#include <cstring>

#include "app/session.h"
#include "autoload/hooks.h"
#include "geometry/movement.h"
#include "model/builtin.h"
#include "model/puzzle_file.h"
#include "platform/files.h"
#include "platform/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

class NoHooks : public AutoLoadHooks {
 public:
  bool deadSpaceChecked() override { return false; }
  void message(const std::string&, const std::string&, MsgIcon) override {}
};

class SessionMaker : public ::testing::Test {
 protected:
  void SetUp() override {
    st.G_sDataPath = st.G_sAppPath = dir.path();
    st.G_sVersion = " Ver 1.1.0";
    subSamplePuzzle_set(st);
    st.G_iCellTotal = fncPieces_count(st);
    host.sizeDialog = [this](BoxSize) { return sizes; };
    session.statusBuiltin();
  }

  CommandDone run(const std::string& text) {
    const ParsedCommands parsed = fncCommands_parse(text);
    EXPECT_TRUE(parsed.ok()) << parsed.error;
    CommandDone d;
    for (const SessionCommand& c : parsed.commands) d = session.command(c, hooks, SessionTime{});
    return d;
  }
  SessionView view() const { return session.view(SessionTime{}); }

  // Block 1 the layer z = 1 of a 2 x 2 x 2 box, block 2 the layer z = 2.
  void makeTwoLayers() {
    dialogs.answer(MsgAnswer::Yes);
    ASSERT_TRUE(run("maker 2 2 2").done);
    run("cell 1 1 1; cell 1 2 1; cell 2 1 1; cell 2 2 1; sel 2; cell 1 1 2; cell 1 2 2; cell 2 1 2; cell 2 2 2");
  }

  test::TempDir dir;
  ScriptedDialogs dialogs;
  DialogsHost host{dialogs};
  Session session{host};
  PuzzleState& st = session.state();
  NoHooks hooks;
  std::optional<BoxSize> sizes = BoxSize{2, 2, 2};
};

TEST_F(SessionMaker, MakingBlocksAndLeavingRestoresPlayOverThem) {
  EXPECT_EQ(view().status, (std::array<std::string, 4>{"Ver 0.0.0", "サンプル", "3×3×3", "サンプル ３×３×３"}));
  EXPECT_FALSE(run("cell 1 1 1").done);  // outside the maker
  makeTwoLayers();
  EXPECT_EQ(dialogs.calls()[0].text, "ブロック単体を作成します。\r\nプレイ中のブロック情報を、初期化しますか？");
  EXPECT_EQ(dialogs.calls()[0].buttons, MsgButtons::YesNoCancel);
  SessionView v = view();
  EXPECT_TRUE(v.maker && v.controls.makePiece && v.controls.pieceButtons && v.controls.reset);
  EXPECT_FALSE(v.controls.load || v.controls.boxButtons || v.canSave || v.playing);
  EXPECT_EQ(v.status, (std::array<std::string, 4>{"Ver 0.0.0", "ブロック作成", "2×2×2",
                                                  "ブロックを選択して、２Ｄパネルのマス目をクリックします。"}));
  EXPECT_FALSE(run("maker 3 3 3").done);  // in the maker already: nothing asked
  EXPECT_EQ(dialogs.calls().size(), 1u);
  EXPECT_EQ(fncPiece_count(st, 0), 4);
  EXPECT_EQ(fncPiece_count(st, 1), 4);
  EXPECT_EQ(std::memcmp(st.G_iPiece, st.G_iPieceOrg, sizeof(PieceGrids)), 0);
  EXPECT_EQ(view().makerCount, "8 : 8");

  // A ninth cell is warned of and taken back; a cell outside the box is nothing.
  EXPECT_FALSE(run("cell 3 1 1").done);
  EXPECT_TRUE(run("sel 3; cell 1 1 1").done);
  EXPECT_EQ(dialogs.last().text, "セル数を超過しました。");
  EXPECT_EQ(view().makerCount, "8 : 8");
  EXPECT_EQ(fncPiece_count(st, 2), 0);
  EXPECT_TRUE(run("sel 1; cell 1 1 1").done);
  EXPECT_EQ(view().makerCount, "7 : 8");
  run("cell 1 1 1");

  dialogs.answer(MsgAnswer::No);
  EXPECT_FALSE(run("maker end").done);
  EXPECT_TRUE(session.maker());
  dialogs.answer(MsgAnswer::Yes);
  EXPECT_TRUE(run("maker end").done);
  EXPECT_EQ(dialogs.last().text, "ブロック作成を終了しますか？\r\n作成終了後、保存を行ってください。\r\n");
  v = view();
  EXPECT_FALSE(v.maker || v.controls.reset || v.controls.shuffle || v.canUndo);
  EXPECT_TRUE(v.playing && v.controls.boxButtons && v.canSaveAs);
  EXPECT_EQ(v.makerCount, "");
  EXPECT_EQ(v.status[1], "プレイ・モード");
  EXPECT_EQ(v.status[2], "2×2×2");
  EXPECT_EQ(v.status[3], "");
  EXPECT_EQ(st.G_iCellTotal, 8);
  EXPECT_EQ(fncBox_count(st.G_iBox), 0);
}

TEST_F(SessionMaker, TheBlocksOfAnOpenedPuzzleNeedItsPasswordAndACancelledSizeEntersNothing) {
  // No file: No keeps the blocks and asks nothing more.
  const PuzzleState sample = st;
  dialogs.answer(MsgAnswer::No);
  EXPECT_TRUE(run("maker 3 3 3").done);
  EXPECT_EQ(std::memcmp(st.G_iPiece, sample.G_iPiece, sizeof(PieceGrids)), 0);
  EXPECT_EQ(dialogs.calls().size(), 1u);
  dialogs.answer(MsgAnswer::Yes);
  run("maker end");

  st.G_sPzVersion = " Ver 1.1.0";
  st.G_sAnswerPW = "Key1";
  const PuzzleState before = st;
  dialogs.answer(MsgAnswer::No);
  dialogs.type("key1");
  EXPECT_FALSE(run("maker 2 2 2").done);
  EXPECT_EQ(dialogs.last().text, "パスワードが違います。編集できません。");
  EXPECT_EQ(dialogs.last().title, "ごめんなさい！");
  dialogs.answer(MsgAnswer::No);  // an empty answer: silent
  dialogs.clear();
  EXPECT_FALSE(run("maker 2 2 2").done);
  EXPECT_EQ(dialogs.calls().size(), 2u);
  EXPECT_EQ(std::memcmp(st.G_iPiece, before.G_iPiece, sizeof(PieceGrids)), 0);

  sizes.reset();
  dialogs.answer(MsgAnswer::No);
  dialogs.type(" Key1 ");
  EXPECT_FALSE(run("maker 2 2 2").done);
  EXPECT_FALSE(st.G_bCellSet);
  sizes = BoxSize{3, 3, 3};
  dialogs.answer(MsgAnswer::No);
  dialogs.type("Key1");
  EXPECT_TRUE(run("maker 3 3 3").done);
  EXPECT_EQ(std::memcmp(st.G_iPiece, before.G_iPiece, sizeof(PieceGrids)), 0);  // kept to edit
  EXPECT_EQ(view().makerCount, " 0 : 27");                                      // as entering always says

  dialogs.answer(MsgAnswer::Yes);
  run("maker end");
  st.G_sAnswerPW.clear();
  dialogs.clear();
  dialogs.answer(MsgAnswer::No);
  EXPECT_TRUE(run("maker 3 3 3").done);
  EXPECT_EQ(dialogs.calls()[1].text, "パスワードが設定されていませんので、編集はできません！");
  EXPECT_EQ(fncPieces_count(st), 0);

  // A host without the size dialog refuses it.
  ScriptedDialogs other;
  DialogsHost bare(other);
  Session s2(bare, std::make_unique<PuzzleState>(before));
  other.answer(MsgAnswer::Yes);
  bool entered = true;
  s2.makerStart([&](bool in) { entered = in; });
  EXPECT_FALSE(entered || s2.maker());
}

TEST_F(SessionMaker, SaveAsWritesAFileThatOpensWithItsCommentAndPassword) {
  makeTwoLayers();
  dialogs.answer(MsgAnswer::Yes);
  run("maker end");
  const std::string path = dir.file("two.bin");
  EXPECT_FALSE(run("saveas " + path + " | 二段の箱 | abcdefz").done);  // z past its sixth place: refused
  EXPECT_FALSE(fncFile_exists(path));

  const CommandDone d = run("saveas " + path + " | 二段の箱 | Two2");
  EXPECT_TRUE(d.done);
  EXPECT_TRUE(d.outcome.done);  // the shuffle
  SessionView v = view();
  EXPECT_EQ(v.status[3], "二段の箱");
  EXPECT_TRUE(v.canSave && v.controls.set && v.controls.setCancel && v.controls.autoNext);
  EXPECT_FALSE(v.controls.reset);
  EXPECT_EQ(session.path(), path);
  EXPECT_EQ(st.G_sFileTitle, "two.bin");

  PieceGrids made;
  std::memcpy(made, st.G_iPieceOrg, sizeof made);
  ASSERT_TRUE(run("open " + path).done);
  EXPECT_EQ(st.G_sComment, "二段の箱");
  EXPECT_EQ(st.G_sAnswerPW, "Two2");
  EXPECT_EQ(std::memcmp(st.G_iPieceOrg, made, sizeof made), 0);
  v = view();
  EXPECT_EQ(v.status, (std::array<std::string, 4>{st.G_sPzVersion, "プレイ・モード", "2×2×2", "二段の箱"}));
  EXPECT_TRUE(v.canSave);
}

}  // namespace
}  // namespace pakkon
