// The block maker and the two save commands.

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "app/errorlog.h"
#include "geometry/movement.h"
#include "model/puzzle_file.h"
#include "platform/files.h"
#include "platform/text.h"
#include "qt/frmMain.h"
#include "qt/qt_convert.h"
#include "qt/qt_surface.h"

namespace pakkon {
namespace {

constexpr const char* kSaveAsTitle = QT_TRANSLATE_NOOP("pakkon::frmMain", "名前を付けて保存");

// A title above in the chosen language.
std::string title(const char* s) { return QCoreApplication::translate("pakkon::frmMain", s).toStdString(); }

}  // namespace

void frmMain::subMaker_mode(bool on) {
  session_.setMaker(on);
  play_.controls().makePiece = on;
  mnuMakePiece->setChecked(on);
}

void frmMain::subMaker_show() {
  const SessionView v = session_.view(playClock());
  const bool play = !v.maker;
  mnuMakePiece->setChecked(v.maker);
  lblPiece_count->setText(fncQString(v.makerCount));
  mnuFileSaveAs->setEnabled(v.canSaveAs);
  mnuFileSave->setEnabled(v.canSave);
  for (QAction* a : {mnuHelpHelp, mnu2D_Panel, mnuAautoMove, mnuMake}) a->setEnabled(play);
  framePiece->setVisible(play);
  for (QWidget* w : {static_cast<QWidget*>(vscDY), static_cast<QWidget*>(hscDX), static_cast<QWidget*>(pictMain)})
    w->setEnabled(play);
  subStatus_show();
}

void frmMain::subMakerCount_show() { lblPiece_count->setText(fncQString(session_.view(playClock()).makerCount)); }

void frmMain::mnuMakePiece_Click() {
  const PlayControls& c = play_.controls();
  if (session_.maker()) {
    std::optional<PlayOutcome> cleared;
    session_.makerEnd(playClock(), [&cleared](std::optional<PlayOutcome> out) { cleared = out; });
    if (!cleared) return;
    cmdSet->setVisible(false);
    subMaker_show();
    mnu2D_Panel_Click();
    chkAutoNext->setVisible(c.autoNext);
    cmdReset->setEnabled(c.reset);
    cmdShuffle->setEnabled(c.shuffle);
    subBoxButton_enable(c.boxButtons);
    if (cleared->done) showPlay(*cleared);
    subEditMenu_update();
    subPlayTime_show();
    return;
  }

  const bool autoMove = session_.autoMove();
  bool entered = false;
  session_.makerStart([&entered](bool in) { entered = in; });
  if (!entered) return;
  // The session put the loader's frame away; the widgets follow as 表示 → 自動移動 shows it.
  if (autoMove) subAutoMove_show();
  subMaker_show();
  for (QRadioButton* o : optPiece) o->setVisible(false);
  lblSum->setText(fncQString(c.sum));
  session_.setPanels(true);
  mnu2D_Panel->setChecked(true);
  subPanel_show(false, true);
  cmdLoad->setEnabled(c.load);
  cmdCancel->setEnabled(c.cancel);
  cmdReset->setEnabled(c.reset);
  cmdShuffle->setEnabled(c.shuffle);
  subPieceButton_enable(c.pieceButtons);
  subBoxButton_enable(c.boxButtons);
  setListIndex(0);
  pictPiece->clear();
  subPiece_draw(0);
  subEditMenu_update();
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

    const CommandDone d = session_.saveAs(path, comment, st_.G_sAnswerPW, playClock());
    if (d.outcome.done) showPlay(d.outcome);
    subEditMenu_update();
    subPlayTime_show();
    const PlayControls& c = play_.controls();
    cmdReset->setEnabled(c.reset);
    cmdSet->setEnabled(c.set);
    cmdSetCancel->setEnabled(c.setCancel);
    chkAutoNext->setVisible(c.autoNext);
    subStatus_show();
    const bool written = d.done;
    if (written)
      dialogs_.messageBox(tr("正常に終了しました。").toStdString(), title(kSaveAsTitle), MsgIcon::Information,
                          MsgButtons::OK);
    mnuFileSave->setEnabled(session_.view(playClock()).canSave);
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
