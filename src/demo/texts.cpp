#include "demo/texts.h"

namespace pakkon {

std::string fncDemo_caption(int step) {
  static const char* const kSteps[] = {
      "[Block]リストボックスで、ブロックを選択します。",
      "[Turn- ]ボタンでブロックの姿勢を回転させます。",
      "[X-][X+][Y-][Y+][Z-][Z+]ボタンでブロックの位置を調整します。",
      "[Orgin]ボタンをクリックすると、一気に隅へ寄せられます。",
      "[Load]ボタンでブロックを、箱に収めます。",
  };
  if (step < 1 || step > 5) return {};
  const char* closing = step == 5 ? "ココをクリックすると、終了します。" : "ココをクリックすると、次に進みます。";
  return std::string("♪操作説明中♪\r\n") + kSteps[step - 1] + "\r\n" + closing;
}

std::string fncVersionInfo_text(const PuzzleState& st) {
  return std::string(kAppTitle) + st.G_sVersion + "\r\n" + "ProductName  " + kProductName + "\r\n" + kLegalNotice +
         "\r\n";
}

std::string fncToolInfo_text() {
  return "パズル・ブロックは、３Ｄ空間パズル・ゲーム「ぴたこん」で作成できます♪\r\n"
         "「ぴたこん」は、ぱっこんのフォルダにある pakkon-tool として同梱され、使い方はヘルプ・ページ"
         "「パズルの作り方」で紹介しています。\r\n"
         "Ｗｅｂサイトを開きますか";
}

}  // namespace pakkon
