// info and resave.

#include <nlohmann/json.hpp>

#include "commands.h"
#include "tool_io.h"

namespace pakkon::tool {

int cmdInfo(const InfoArgs& a) {
  PuzzleState st;
  if (!readPuzzle(a.file, st)) return 1;
  // Arrays nest as the state indexes them: [x][y][z], [block][x][y][z].
  using Json = nlohmann::ordered_json;
  Json j;
  j["version"] = st.G_sPzVersion;
  j["G_sAnswerPW"] = st.G_sAnswerPW;
  j["G_sComment"] = st.G_sComment;
  j["G_iCellX"] = st.G_iCellX;
  j["G_iCellY"] = st.G_iCellY;
  j["G_iCellZ"] = st.G_iCellZ;
  j["G_iPieceOrg"] = st.G_iPieceOrg;
  j["G_iPiece"] = st.G_iPiece;
  j["G_iBox"] = st.G_iBox;
  j["G_iBoxPiece"] = st.G_iBoxPiece;
  j["G_lBoxColor"] = st.G_lBoxColor;
  j["G_iCellTotal"] = st.G_iCellTotal;
  j["G_iCellDone"] = st.G_iCellDone;
  j["G_iPieceUsed"] = st.G_iPieceUsed;
  j["GE_lRotate"] = st.GE_lRotate;
  j["GE_iRotation"] = st.GE_iRotation;
  Json info = Json::array();
  for (const PieceInfo& i : st.G_Info_Piece)
    info.push_back({{"iNo", i.iNo}, {"iFace_ct", i.iFace_ct}, {"iTurn_CtZ", i.iTurn_CtZ}});
  j["G_Info_Piece"] = std::move(info);
  say(stdout, jsonText(j));
  return 0;
}

int cmdResave(const ResaveArgs& a) {
  if (!distinctOutput(a.file, a.out, "OUT")) return 1;
  PuzzleState st;
  if (!readPuzzle(a.file, st)) return 1;
  return writePuzzle(st, a.out) ? 0 : 1;
}

}  // namespace pakkon::tool
