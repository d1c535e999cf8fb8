#include "demo/texts.h"

namespace pakkon {

std::string fncDemo_caption(int step) {
  static const char* const kSteps[] = {
      fncText_mark("[Block]リストボックスで、ブロックを選択します。"),
      fncText_mark("[Turn- ]ボタンでブロックの姿勢を回転させます。"),
      fncText_mark("[X-][X+][Y-][Y+][Z-][Z+]ボタンでブロックの位置を調整します。"),
      fncText_mark("[Orgin]ボタンをクリックすると、一気に隅へ寄せられます。"),
      fncText_mark("[Load]ボタンでブロックを、箱に収めます。"),
  };
  if (step < 1 || step > 5) return {};
  const char* closing =
      step == 5 ? fncText("ココをクリックすると、終了します。") : fncText("ココをクリックすると、次に進みます。");
  return std::string(fncText("♪操作説明中♪")) + "\r\n" + fncText(kSteps[step - 1]) + "\r\n" + closing;
}

std::string fncVersionInfo_text(const PuzzleState& st) {
  return std::string(fncText(kAppTitle)) + st.G_sVersion + "\r\n" + "ProductName  " + fncText(kProductName) + "\r\n" +
         fncText(kLegalNotice) + "\r\n";
}

std::string fncToolInfo_text() {
  return fncText_message(
      "パズル・ブロックは、３Ｄ空間パズル・ゲーム「ぴたこん」で作成できます♪\n"
      "「ぴたこん」は、ぱっこんのフォルダにある pakkon-tool として同梱され、使い方はヘルプ・ページ"
      "「パズルの作り方」で紹介しています。\n"
      "Ｗｅｂサイトを開きますか");
}

std::string fncToolPage() { return fncText_english() ? kToolPageEnglish : kToolPage; }

}  // namespace pakkon
