// The block maker and the two save commands.

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include "app/errorlog.h"
#include "geometry/movement.h"
#include "model/puzzle_file.h"
#include "platform/files.h"
#include "platform/text.h"
#include "qt/frmMain.h"
#include "qt/qt_surface.h"

namespace pakkon {
namespace {

constexpr const char* kMakerTitle = QT_TRANSLATE_NOOP("pakkon::frmMain", "【 ﾂｰﾙ 】ブロック単体の作成");
constexpr const char* kSaveAsTitle = QT_TRANSLATE_NOOP("pakkon::frmMain", "名前を付けて保存");

// A title above in the chosen language.
std::string title(const char* s) { return QCoreApplication::translate("pakkon::frmMain", s).toStdString(); }

}  // namespace

bool frmMain::fncAnswerPW_check() {
  const std::string answer =
      dialogs_.inputBox(tr("パスワードを入力してください\n（半角英数字１０文字以内）").toStdString(),
                        tr("パスワード入力").toStdString(), "");
  if (answer.empty()) return false;
  if (fncTrim(answer) == st_.G_sAnswerPW) return true;
  dialogs_.messageBox(tr("パスワードが違います。編集できません。").toStdString(), tr("ごめんなさい！").toStdString(),
                      MsgIcon::Information, MsgButtons::OK);
  return false;
}

void frmMain::subMaker_mode(bool on) {
  session_.setMaker(on);
  play_.controls().makePiece = on;
  mnuMakePiece->setChecked(on);
}

void frmMain::mnuMakePiece_Click() {
  if (session_.maker()) {
    if (dialogs_.messageBox(tr("ブロック作成を終了しますか？\r\n作成終了後、保存を行ってください。\r\n").toStdString(),
                            title(kMakerTitle), MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
      return;
    lblPiece_count->clear();
    st_.G_iCellTotal = fncPieces_count(st_);
    mnuFileSaveAs->setEnabled(true);
    cmdSet->setVisible(false);
    subAutoNext_show(false);
    subControl_set(&PlayControls::reset, cmdReset, false);
    subControl_set(&PlayControls::shuffle, cmdShuffle, false);
    mnu2D_Panel->setEnabled(true);
    mnuAautoMove->setEnabled(true);
    subMaker_mode(false);
    mnuMake->setEnabled(true);
    mnuHelpHelp->setEnabled(true);
    mnu2D_Panel_Click();
    subBoxButton_enable(true);
    cmdClear_Click();
    stsBar_set(2, tr("プレイ・モード").toStdString());
    stsBar_set(4, "");
    vscDY->setEnabled(true);
    hscDX->setEnabled(true);
    pictMain->setEnabled(true);
    framePiece->setVisible(true);
    subMoveList_clear();
    return;
  }

  const MsgAnswer start =
      dialogs_.messageBox(tr("ブロック単体を作成します。\r\nプレイ中のブロック情報を、初期化しますか？").toStdString(),
                          title(kMakerTitle), MsgIcon::Question, MsgButtons::YesNoCancel);
  if (start == MsgAnswer::Cancel) return;
  if (start == MsgAnswer::Yes) {
    subPieces_clear(st_);
  } else if (!st_.G_sPzVersion.empty()) {
    // The blocks of an opened puzzle are its solution: only its maker may edit them.
    if (st_.G_sAnswerPW.empty()) {
      dialogs_.messageBox(tr("パスワードが設定されていませんので、編集はできません！").toStdString(),
                          title(kMakerTitle), MsgIcon::Exclamation, MsgButtons::OK);
      subPieces_clear(st_);
    } else if (!fncAnswerPW_check()) {
      return;
    }
  }

  frmInput_show();
  if (!st_.G_bCellSet) return;

  st_.iMakeCells = static_cast<int16_t>(st_.G_iCellX * st_.G_iCellY * st_.G_iCellZ);
  lblPiece_count->setText(QStringLiteral(" 0 : ") + QString::number(st_.iMakeCells));
  if (session_.autoMove()) mnuAautoMove_Click();
  for (QAction* a : {mnuHelpHelp, mnu2D_Panel, mnuAautoMove, mnuMake, mnuFileSave}) a->setEnabled(false);
  framePiece->setVisible(false);
  subOptPiece_hide();
  subSum_show({});
  mnu2D_Panel->setChecked(true);
  subPanel_show(false, true);
  subMaker_mode(true);
  stsBar_set(2, tr("ブロック作成").toStdString());
  stsBar_set(3, fncStr(st_.G_iCellX) + "×" + fncStr(st_.G_iCellY) + "×" + fncStr(st_.G_iCellZ));
  stsBar_set(4, tr("ブロックを選択して、２Ｄパネルのマス目をクリックします。").toStdString());
  vscDY->setEnabled(false);
  hscDX->setEnabled(false);
  pictMain->setEnabled(false);
  subControl_set(&PlayControls::load, cmdLoad, false);
  subControl_set(&PlayControls::cancel, cmdCancel, false);
  subControl_set(&PlayControls::reset, cmdReset, true);
  subControl_set(&PlayControls::shuffle, cmdShuffle, true);
  subPieceButton_enable(true);
  subBoxButton_enable(false);
  setListIndex(0);
  pictPiece->clear();
  st_.iPiece_Sel = 0;
  subPiece_draw(0);
  subMoveList_clear();
  subPreview_refresh();
}

std::string frmMain::fncAnswerPW_ask(const std::string& current) {
  std::string typed = current;
  for (;;) {
    typed = dialogs_.inputBox(tr("解答パスワードを入力してください\n（半角英数字１０文字以内）\n"
                                 "パスワードを設定しないと、ブロックの再編集が出来なくなります。\n"
                                 "また、「参った・・・」で、解答を拝めなくなります。")
                                  .toStdString(),
                              title(kSaveAsTitle), typed);
    // A password the file cannot hold would make the saved puzzle unreadable.
    std::string bad;
    if (fncPassword_encodable(typed, &bad)) return fncTrim(typed);
    dialogs_.messageBox(tr("パスワードに使えない文字があります： %1\r\n"
                           "半角の英字・数字・記号で入力してください。\r\n"
                           "ただし w は 9 文字目まで、x は 8 文字目まで、y は 7 文字目まで、z は 6 文字目までです。")
                            .arg(QString::fromStdString(bad))
                            .toStdString(),
                        title(kSaveAsTitle), MsgIcon::Exclamation, MsgButtons::OK);
  }
}

void frmMain::mnuFileSaveAs_Click() {
  try {
    const std::string comment = dialogs_.inputBox(tr("コメントを入力してください\n（全角２０文字以内）").toStdString(),
                                                  title(kSaveAsTitle), st_.G_sComment);
    if (comment.empty()) return;
    st_.G_sAnswerPW = fncAnswerPW_ask(st_.G_sAnswerPW);

    FileDialogRequest request;
    request.title = title(kSaveAsTitle);
    request.initialPath = st_.G_sDataPath + "/Test.bin";
    request.filter = "(*.bin)|*.bin";
    request.defaultExt = "bin";
    const std::string path = dialogs_.saveFileDialog(request);
    if (path.empty()) return;

    cmdShuffle_Click();
    subControl_set(&PlayControls::reset, cmdReset, false);
    subControl_set(&PlayControls::set, cmdSet, true);
    subControl_set(&PlayControls::setCancel, cmdSetCancel, true);
    subAutoNext_show(true);
    st_.G_sComment = comment;
    st_.G_sFileTitle = fncFile_title(path);
    const bool written = session_.save(path);
    stsBar_set(4, comment);
    session_.setPath(path);
    if (written)
      dialogs_.messageBox(tr("正常に終了しました。").toStdString(), title(kSaveAsTitle), MsgIcon::Information,
                          MsgButtons::OK);
    mnuFileSave->setEnabled(true);
  } catch (const std::exception& e) {
    subError_log(dialogs_, st_.G_sAppPath, std::string("Line 0:") + e.what(), "frmMain.mnuFileSaveAs_Click() 51");
  }
}

void frmMain::mnuFileSave_Click() {
  try {
    if (session_.path().empty()) return;
    if (dialogs_.messageBox(tr("上書き保存しますか？").toStdString(),
                            tr("[ %1 ] の上書き保存").arg(QString::fromStdString(st_.G_sFileTitle)).toStdString(),
                            MsgIcon::Question, MsgButtons::OKCancel) != MsgAnswer::OK)
      return;
    const bool written = session_.save(session_.path());
    if (written)
      dialogs_.messageBox(tr("正常に終了しました。").toStdString(), tr("パズル上書き保存").toStdString(),
                          MsgIcon::Information, MsgButtons::OK);
  } catch (const std::exception& e) {
    subError_log(dialogs_, st_.G_sAppPath, std::string("Line 0:") + e.what(), "frmMain.mnuFileSave_Click() 51");
  }
}

}  // namespace pakkon
