#include "app/settings.h"

#include <cmath>

#include "platform/files.h"
#include "platform/ini.h"
#include "platform/text.h"
#include "platform/text_catalogue.h"

namespace pakkon {
namespace {

std::string rotationKey(int i) { return "GE_iRotation(" + fncStr(i) + ")"; }
std::string infoKey(int i, const char* field) { return "G_Info_Piece(" + fncStr(i) + ")." + field; }

// The dialog's choices with their keys and ranges, in one list for reading and writing.
struct ChoiceKey {
  const char* key;
  int GenerateChoices::*field;
  int lo, hi;
};
constexpr ChoiceKey kChoiceKeys[] = {
    {"SizeX", &GenerateChoices::sizeX, 2, kCells},  {"SizeY", &GenerateChoices::sizeY, 2, kCells},
    {"SizeZ", &GenerateChoices::sizeZ, 2, kCells},  {"Blocks", &GenerateChoices::blocks, 2, kPieces},
    {"MinStars", &GenerateChoices::minStars, 1, 5}, {"MaxStars", &GenerateChoices::maxStars, 1, 5},
};
constexpr const char* kIdenticalKey = "Identical";

// Nothing to read, or a folder in its place: the file the installation lacks.
bool missing(const IoError& e) {
  return e.number == kErrFileNotFound || e.number == kErrPathNotFound || e.detail == kFolderNotFile;
}

}  // namespace

std::string fncInitFile(const PuzzleState& st) { return st.G_sAppPath + kInitFileName; }

bool fncInit_load(Storage& storage, PuzzleState& st, Dialogs& dialogs) {
  const std::string file = fncInitFile(st);
  const IniFile ini(storage, file);
  if (missing(ini.error())) {
    dialogs.messageBox(fncText_message("初期設定ファイル\n%1\nが見つかりませんでした。\n"
                                       "インストールをやり直してください。\n",
                                       {file}),
                       fncText("初期設定ファイル異常"), MsgIcon::Critical, MsgButtons::OK);
    return false;
  }
  if (ini.error()) {
    // A FIFO, a device or a huge file in its place: said plainly, never waited on.
    dialogs.messageBox(fncText_message("初期設定ファイル\n%1\nを読み込めませんでした。\n%2\n"
                                       "インストールをやり直してください。\n",
                                       {file, ini.error().text()}),
                       fncText("初期設定ファイル異常"), MsgIcon::Critical, MsgButtons::OK);
    return false;
  }
  st.G_bDemo = fncCBool(ini.get("SYSTEM", "DEMO")).value_or(false);
  st.G_sDataPath = ini.get("フォルダPath", " DATA_Folda_Path");
  st.GE_lRotate = fncCLng(fncVal(ini.get("Rotate", "GE_lRotate")));
  for (int i = 0; i < kPieces; ++i) st.GE_iRotation[i] = fncCInt(fncVal(ini.get("Rotate", rotationKey(i))));
  for (int i = 0; i < kPieces; ++i) {
    PieceInfo& info = st.G_Info_Piece[i];
    info.iFace_ct = fncCInt(fncVal(ini.get("Info", infoKey(i, "iFace_ct"))));
    info.iNo = fncCInt(fncVal(ini.get("Info", infoKey(i, "iNo"))));
    info.iTurn_CtZ = fncCInt(fncVal(ini.get("Info", infoKey(i, "iTurn_CtZ"))));
  }
  return true;
}

namespace {

Preferences preferencesOf(const IniFile& ini) {
  Preferences p;
  p.bPreview = fncCBool(ini.get(kPrefSection, kPrefPreview)).value_or(p.bPreview);
  p.bFinishCheck = fncCBool(ini.get(kPrefSection, kPrefFinishCheck)).value_or(p.bFinishCheck);
  p.bPlayTime = fncCBool(ini.get(kPrefSection, kPrefPlayTime)).value_or(p.bPlayTime);
  // Whatever the desktop's locale: only an explicit choice gives English.
  if (fncTrim(ini.get(kLanguageSection, kLanguageKey)) == "en") p.sLanguage = "en";
  return p;
}

bool putOne(Storage& storage, const PuzzleState& st, const char* section, const char* key, const std::string& value) {
  IniFile ini(storage, fncInitFile(st));
  return ini.put(section, key, value) && ini.save();
}

}  // namespace

Preferences fncPreferences_load(Storage& storage, const PuzzleState& st) {
  return preferencesOf(IniFile(storage, fncInitFile(st)));
}

Preferences fncPreferences_load(const PuzzleState& st) { return fncPreferences_read(fncInitFile(st)); }

Preferences fncPreferences_read(const std::string& initFile) { return preferencesOf(IniFile(initFile)); }

bool fncPreference_put(Storage& storage, const PuzzleState& st, const char* key, bool value) {
  return putOne(storage, st, kPrefSection, key, value ? "True" : "False");
}

bool fncLanguage_put(Storage& storage, const PuzzleState& st, const std::string& language) {
  return putOne(storage, st, kLanguageSection, kLanguageKey, language == "en" ? "en" : "ja");
}

GenerateChoices fncGenerateChoices_load(Storage& storage, const PuzzleState& st) {
  const IniFile ini(storage, fncInitFile(st));
  GenerateChoices c;
  for (const ChoiceKey& k : kChoiceKeys) {
    const std::string text = fncTrim(ini.get(kGenerateSection, k.key));
    const double v = fncVal(text);
    if (!text.empty() && v == std::floor(v) && v >= k.lo && v <= k.hi) c.*k.field = static_cast<int>(v);
  }
  if (c.minStars > c.maxStars) c.minStars = GenerateChoices{}.minStars, c.maxStars = GenerateChoices{}.maxStars;
  c.identical = fncCBool(ini.get(kGenerateSection, kIdenticalKey)).value_or(c.identical);
  return c;
}

bool fncGenerateChoices_put(Storage& storage, const PuzzleState& st, const GenerateChoices& before,
                            const GenerateChoices& now) {
  if (before == now) return true;
  IniFile ini(storage, fncInitFile(st));
  for (const ChoiceKey& k : kChoiceKeys)
    if (before.*k.field != now.*k.field) ini.put(kGenerateSection, k.key, fncStr(now.*k.field));
  if (before.identical != now.identical) ini.put(kGenerateSection, kIdenticalKey, now.identical ? "True" : "False");
  return ini.save();
}

void subDemo_put(Storage& storage, const PuzzleState& st) {
  putOne(storage, st, "SYSTEM", "DEMO", st.G_bDemo ? "True" : "False");
}

void subInit_writeBack(Storage& storage, PuzzleState& st, bool demoRun) {
  if (!demoRun) return;
  IniFile ini(storage, fncInitFile(st));
  ini.put("Rotate", "GE_lRotate", fncStr(st.GE_lRotate));
  for (int i = 0; i < kPieces; ++i) st.GE_iRotation[i] = fncRotateDigit(st.GE_lRotate, i);
  for (int i = 0; i < kPieces; ++i) ini.put("Rotate", rotationKey(i), fncStr(st.GE_iRotation[i]));
  for (int i = 0; i < kPieces; ++i) {
    const PieceInfo& info = st.G_Info_Piece[i];
    ini.put("Info", infoKey(i, "iFace_ct"), fncStr(info.iFace_ct));
    ini.put("Info", infoKey(i, "iNo"), fncStr(info.iNo));
    ini.put("Info", infoKey(i, "iTurn_CtZ"), fncStr(info.iTurn_CtZ));
  }
  // A failed write is not reported: the next demonstration starts from the
  // order saved before.
  ini.save();
}

}  // namespace pakkon
