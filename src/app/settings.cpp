#include "app/settings.h"

#include "platform/files.h"
#include "platform/ini.h"
#include "platform/text.h"

namespace pakkon {
namespace {

std::string rotationKey(int i) { return "GE_iRotation(" + fncStr(i) + ")"; }
std::string infoKey(int i, const char* field) { return "G_Info_Piece(" + fncStr(i) + ")." + field; }

}  // namespace

std::string fncInitFile(const PuzzleState& st) { return st.G_sAppPath + kInitFileName; }

bool fncInit_load(PuzzleState& st, Dialogs& dialogs) {
  const std::string file = fncInitFile(st);
  if (!fncFile_exists(file)) {
    dialogs.messageBox(
        "初期設定ファイル\r\n" + file + "\r\nが見つかりませんでした。\r\nインストールをやり直してください。\r\n",
        "初期設定ファイル異常", MsgIcon::Critical, MsgButtons::OK);
    return false;
  }
  st.G_bDemo = fncCBool(fncIni_get("SYSTEM", "DEMO", file)).value_or(false);
  st.G_sDataPath = fncIni_get("フォルダPath", " DATA_Folda_Path", file);
  st.GE_lRotate = fncCLng(fncVal(fncIni_get("Rotate", "GE_lRotate", file)));
  for (int i = 0; i < kPieces; ++i) st.GE_iRotation[i] = fncCInt(fncVal(fncIni_get("Rotate", rotationKey(i), file)));
  for (int i = 0; i < kPieces; ++i) {
    PieceInfo& info = st.G_Info_Piece[i];
    info.iFace_ct = fncCInt(fncVal(fncIni_get("Info", infoKey(i, "iFace_ct"), file)));
    info.iNo = fncCInt(fncVal(fncIni_get("Info", infoKey(i, "iNo"), file)));
    info.iTurn_CtZ = fncCInt(fncVal(fncIni_get("Info", infoKey(i, "iTurn_CtZ"), file)));
  }
  return true;
}

void subDemo_put(const PuzzleState& st) {
  fncIni_put("SYSTEM", "DEMO", st.G_bDemo ? "True" : "False", fncInitFile(st));
}

void subInit_writeBack(PuzzleState& st) {
  st.bStop = true;
  if (!st.bDemoRun) return;
  const std::string file = fncInitFile(st);
  fncIni_put("Rotate", "GE_lRotate", fncStr(st.GE_lRotate), file);
  for (int i = 0; i < kPieces; ++i) st.GE_iRotation[i] = fncRotateDigit(st.GE_lRotate, i);
  for (int i = 0; i < kPieces; ++i) fncIni_put("Rotate", rotationKey(i), fncStr(st.GE_iRotation[i]), file);
  for (int i = 0; i < kPieces; ++i) {
    const PieceInfo& info = st.G_Info_Piece[i];
    fncIni_put("Info", infoKey(i, "iFace_ct"), fncStr(info.iFace_ct), file);
    fncIni_put("Info", infoKey(i, "iNo"), fncStr(info.iNo), file);
    fncIni_put("Info", infoKey(i, "iTurn_CtZ"), fncStr(info.iTurn_CtZ), file);
  }
}

}  // namespace pakkon
