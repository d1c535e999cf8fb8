#include "app/startup.h"

#include "app/settings.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/text_catalogue.h"
#include "version.h"

namespace pakkon {

bool fncStartup_prepare(PuzzleState& st, Dialogs& dialogs, const std::string& programDir, Storage& storage) {
  st.G_sVersion = fncVersion_text(build::kVersionMajor, build::kVersionMinor, build::kVersionRevision);
  st.G_sAppPath = programDir;
  if (st.G_sAppPath.empty() || st.G_sAppPath.back() != '/') st.G_sAppPath += '/';
  if (!fncInit_load(storage, st, dialogs)) return false;

  if (st.G_sDataPath.empty()) st.G_sDataPath = st.G_sAppPath + "Data";
  // Beside the program, wherever it was started from.
  if (st.G_sDataPath.front() != '/') st.G_sDataPath = st.G_sAppPath + st.G_sDataPath;
  if (!fncDir_create(st.G_sDataPath)) {
    // A folder the player cannot have: keep going with the program folder.
    const std::string fallback = st.G_sAppPath.substr(0, st.G_sAppPath.size() - 1);
    dialogs.messageBox(fncText_message("データ・フォルダ\n%1\nを作成できませんでした。\n"
                                       "パズル・ファイルは\n%2\nで扱います。",
                                       {st.G_sDataPath, fallback}),
                       fncText("データ・フォルダ異常"), MsgIcon::Exclamation, MsgButtons::OK);
    st.G_sDataPath = fallback;
  }
  // What interrupted saves left behind.
  subTempFiles_sweep(st.G_sDataPath);
  subTempFiles_sweep(st.G_sAppPath.substr(0, st.G_sAppPath.size() - 1));
  return true;
}

bool fncStartup_prepare(PuzzleState& st, Dialogs& dialogs, const std::string& programDir) {
  FileStorage files(LinkMode::Replace);
  return fncStartup_prepare(st, dialogs, programDir, files);
}

std::string fncMainCaption(const PuzzleState& st) { return fncText("３Ｄ空間パズル・ゲーム ぱっこん") + st.G_sVersion; }

}  // namespace pakkon
