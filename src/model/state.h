#pragma once
// The whole puzzle and the little the program remembers between runs.
// Grids are fixed arrays indexed in the order the names are read:
// G_iBox[x][y][z], G_iPiece[block][x][y][z], G_lBoxColor[x][y][z][shade].
// Nothing here grows at run time; only the texts are std::string.

#include <cstdint>
#include <string>

namespace pakkon {

inline constexpr int kPieces = 8;
inline constexpr int kCells = 4;
inline constexpr int kShades = 3;
inline constexpr int kColours = 9;

using Grid = int16_t[kCells][kCells][kCells];
using ColourGrid = int32_t[kCells][kCells][kCells][kShades];
using PieceGrids = int16_t[kPieces][kCells][kCells][kCells];

// The auto loader's counters for one block.
struct PieceInfo {
  int16_t iNo = 0;
  int16_t iFace_ct = 0;
  int16_t iTurn_CtZ = 0;
};

struct PuzzleState {
  // Shared variables, in declaration order.
  int32_t GE_lRotate = 0;
  int16_t GE_iRotation[kPieces] = {};
  bool G_bDemo = false;
  std::string G_sVersion;
  std::string G_sPzVersion;
  std::string G_sAppPath;
  std::string G_sDataPath;
  std::string G_sFileTitle;
  std::string G_sComment;
  std::string G_sAnswerPW;
  PieceInfo G_Info_Piece[kPieces] = {};
  Grid G_iBoxWork = {};
  Grid G_iBox = {};
  Grid G_iBoxPiece = {};
  ColourGrid G_lBoxColor = {};
  PieceGrids G_iPiece = {};
  PieceGrids G_iPieceOrg = {};
  int32_t G_lColor[kColours][kShades] = {};
  int16_t G_iCellTotal = 0;
  int16_t G_iCellDone = 0;
  int16_t G_iPieceUsed[kPieces] = {};
  int16_t G_iMaxX = 0;
  int16_t G_iMaxY = 0;
  int16_t G_iMaxZ = 0;
  int16_t G_iCellX = 0;
  int16_t G_iCellY = 0;
  int16_t G_iCellZ = 0;
  bool G_bCellSet = false;

  // Fields of the game in play that several subsystems share.
  int16_t iPiece_Sel = 0;
  int16_t iMakeCells = 0;
};

// Colour as stored: red in the lowest byte, then green, then blue.
constexpr int32_t fncRGB(int r, int g, int b) { return r + 256 * g + 65536 * b; }

void subPieces_clear(PuzzleState& st);
void subPieceOrg_set(PuzzleState& st);
void subPiece_restore(PuzzleState& st, int iBlock);

// Fills G_lColor with the nine rows of block colours.
void subColor_set(PuzzleState& st);

// Sets the box size and its highest indices together.
void subCellSize_set(PuzzleState& st, int x, int y, int z);

// Decodes an eight-digit loading order: digit k+1 minus one, a missing or
// non-digit character giving -1.
int16_t fncRotateDigit(int32_t lRotate, int k);

}  // namespace pakkon
