// info and resave.

#include <cstdio>

#include "commands.h"
#include "json.h"
#include "platform/text.h"

namespace pakkon::tool {
namespace {

std::string num(long long v) { return fncStr(v); }

std::string grid(const Grid& g) {
  return jsonArray(kCells, [&](int x) {
    return jsonArray(kCells, [&](int y) { return jsonArray(kCells, [&](int z) { return num(g[x][y][z]); }); });
  });
}

std::string pieces(const PieceGrids& p) {
  return jsonArray(kPieces, [&](int b) { return grid(p[b]); });
}

}  // namespace

int cmdInfo(const Args& args) {
  if (args.size() != 1) return usage("info FILE");
  PuzzleState st;
  if (!readPuzzle(args[0], st)) return 1;
  std::string out = "{\n";
  auto field = [&](const char* name, const std::string& value, bool last = false) {
    out += std::string("  ") + jsonString(name) + ": " + value + (last ? "\n" : ",\n");
  };
  field("version", jsonString(st.G_sPzVersion));
  field("G_sAnswerPW", jsonString(st.G_sAnswerPW));
  field("G_sComment", jsonString(st.G_sComment));
  field("G_iCellX", num(st.G_iCellX));
  field("G_iCellY", num(st.G_iCellY));
  field("G_iCellZ", num(st.G_iCellZ));
  field("G_iPieceOrg", pieces(st.G_iPieceOrg));
  field("G_iPiece", pieces(st.G_iPiece));
  field("G_iBox", grid(st.G_iBox));
  field("G_iBoxPiece", grid(st.G_iBoxPiece));
  field("G_lBoxColor", jsonArray(kCells, [&](int x) {
          return jsonArray(kCells, [&](int y) {
            return jsonArray(kCells, [&](int z) {
              return jsonArray(kShades, [&](int s) { return num(st.G_lBoxColor[x][y][z][s]); });
            });
          });
        }));
  field("G_iCellTotal", num(st.G_iCellTotal));
  field("G_iCellDone", num(st.G_iCellDone));
  field("G_iPieceUsed", jsonArray(kPieces, [&](int b) { return num(st.G_iPieceUsed[b]); }));
  field("GE_lRotate", num(st.GE_lRotate));
  field("GE_iRotation", jsonArray(kPieces, [&](int k) { return num(st.GE_iRotation[k]); }));
  field("G_Info_Piece",
        jsonArray(kPieces,
                  [&](int b) {
                    const PieceInfo& i = st.G_Info_Piece[b];
                    return "{\"iNo\":" + num(i.iNo) + ",\"iFace_ct\":" + num(i.iFace_ct) +
                           ",\"iTurn_CtZ\":" + num(i.iTurn_CtZ) + "}";
                  }),
        true);
  out += "}\n";
  std::fputs(out.c_str(), stdout);
  return 0;
}

int cmdResave(const Args& args) {
  if (args.size() != 2) return usage("resave FILE OUT");
  PuzzleState st;
  if (!readPuzzle(args[0], st)) return 1;
  return writePuzzle(st, args[1]) ? 0 : 1;
}

}  // namespace pakkon::tool
