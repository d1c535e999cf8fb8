#include "app/session_io.h"

#include <exception>

#include "app/errorlog.h"
#include "geometry/movement.h"
#include "model/puzzle_file.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/text_catalogue.h"

namespace pakkon {

bool fncSession_open(Session& session, std::string_view bytes, const std::string& path, Dialogs& dialogs,
                     SessionTime now) {
  PuzzleState& st = session.state();
  try {
    // What the window's bounded reader refuses before decoding anything.
    if (bytes.size() > kPuzzleFileReadMax) {
      const IoError e = fncIoError_make(kErrBadFormat);
      subError_log(dialogs, st.G_sAppPath, "Line " + fncStr(kStepOpen) + ":" + e.text(),
                   "frmMain.fncFile_get() " + fncStr(e.number));
      return false;
    }
    PuzzleState probe = st;
    const PuzzleReadResult check = fncPuzzle_decode(bytes, probe);
    if (check.status == PuzzleReadStatus::NgVersion) {
      dialogs.messageBox(fncText("バージョンが特定できませんでした。"), fncText("読み出し不可能なパズル"),
                         MsgIcon::Critical, MsgButtons::OK);
      return false;
    }
    if (check.status == PuzzleReadStatus::Error) {
      subError_log(dialogs, st.G_sAppPath, "Line " + fncStr(check.step) + ":" + check.error.text(),
                   "frmMain.fncFile_get() " + fncStr(check.error.number));
      return false;
    }
    PlayHost quiet;
    session.play().apply({ActionKind::Clear}, quiet, false, false);
    fncPuzzle_decode(bytes, st);
    st.sPzFile = path;
    st.G_sFileTitle = fncFile_title(path);
    st.G_sPzVersion = check.version;
    session.play().opened();
    session.play().clearMoves();
    session.opened(now);
    return true;
  } catch (const std::exception& e) {
    subError_log(dialogs, st.G_sAppPath, std::string("Line 0:") + e.what(), "frmMain.mnuFileOpen_Click() 51");
    st.sPzFile.clear();
    return false;
  }
}

std::optional<std::string> fncSession_saveBytes(PuzzleState& st, Dialogs& dialogs) {
  st.G_iCellDone = static_cast<int16_t>(fncBox_count(st.G_iBox));
  std::string bytes;
  int step = 0;
  IoError error;
  if (!fncPuzzle_encode(st, fncPuzzleKey_draw(), bytes, &step, &error)) {
    subError_log(dialogs, st.G_sAppPath, "Line " + fncStr(step) + ":" + error.text(),
                 "frmMain.subFile_put() " + fncStr(error.number));
    return std::nullopt;
  }
  return bytes;
}

void subAutoMove_set(Session& session, bool on) {
  session.setAutoMove(on);
  PlayControls& c = session.play().controls();
  c.load = c.list = c.boxButtons = c.pieceButtons = !on;
  session.play().clearMoves();
}

}  // namespace pakkon
