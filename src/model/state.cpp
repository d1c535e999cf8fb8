#include "model/state.h"

#include <cstring>
#include <string>

namespace pakkon {

void subPieces_clear(PuzzleState& st) {
  std::memset(st.G_iPiece, 0, sizeof st.G_iPiece);
  std::memset(st.G_iPieceOrg, 0, sizeof st.G_iPieceOrg);
}

void subPieceOrg_set(PuzzleState& st) { std::memcpy(st.G_iPieceOrg, st.G_iPiece, sizeof st.G_iPiece); }

void subPiece_restore(PuzzleState& st, int iBlock) {
  std::memcpy(st.G_iPiece[iBlock], st.G_iPieceOrg[iBlock], sizeof st.G_iPiece[iBlock]);
}

void subColor_set(PuzzleState& st) {
  static constexpr int kTable[kColours][kShades][3] = {
      {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {{192, 192, 192}, {224, 224, 224}, {128, 128, 128}},
      {{255, 0, 0}, {255, 192, 192}, {192, 0, 0}},
      {{255, 128, 0}, {255, 192, 128}, {192, 64, 0}},
      {{255, 255, 0}, {255, 255, 192}, {192, 192, 0}},
      {{0, 255, 0}, {192, 255, 192}, {0, 192, 0}},
      {{0, 255, 255}, {192, 255, 255}, {0, 192, 192}},
      {{0, 0, 255}, {192, 192, 255}, {0, 0, 128}},
      {{255, 0, 255}, {255, 192, 255}, {128, 0, 128}},
  };
  for (int i = 0; i < kColours; ++i)
    for (int s = 0; s < kShades; ++s) st.G_lColor[i][s] = fncRGB(kTable[i][s][0], kTable[i][s][1], kTable[i][s][2]);
}

void subCellSize_set(PuzzleState& st, int x, int y, int z) {
  st.G_iCellX = static_cast<int16_t>(x);
  st.G_iCellY = static_cast<int16_t>(y);
  st.G_iCellZ = static_cast<int16_t>(z);
  st.G_iMaxX = static_cast<int16_t>(x - 1);
  st.G_iMaxY = static_cast<int16_t>(y - 1);
  st.G_iMaxZ = static_cast<int16_t>(z - 1);
}

int16_t fncRotateDigit(int32_t lRotate, int k) {
  const std::string text = std::to_string(lRotate);
  if (k < 0 || k >= static_cast<int>(text.size())) return -1;
  const char c = text[static_cast<size_t>(k)];
  return static_cast<int16_t>((c >= '0' && c <= '9' ? c - '0' : 0) - 1);
}

}  // namespace pakkon
