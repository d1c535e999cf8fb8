#pragma once
// The words of the guided demonstration and of the two information messages,
// marked for the catalogue and looked up with fncText where they are shown.

#include <string>

#include "model/state.h"
#include "platform/text_catalogue.h"

namespace pakkon {

// Lines joined by plain line feeds, as the banner shows them.
inline constexpr const char* kDemoBanner =
    fncText_mark("デモンストレーション表示中です。\n終了するには、ココをクリックしてください。");

// The banner for walkthrough steps 1 to 5; "" for any other step.
std::string fncDemo_caption(int step);

inline constexpr const char* kDemoQuestion = fncText_mark("今後、デモンストレーションを表示しない！");
inline constexpr const char* kDemoQuestionTitle = fncText_mark("デモ表示");

inline constexpr const char* kAppTitle = fncText_mark("ぱっこん");
inline constexpr const char* kProductName = fncText_mark("３Ｄ空間パズル・ゲーム ぱっこん");
inline constexpr const char* kLegalNotice = fncText_mark("Copyright (C) 2026 ぱっこん developers");
inline constexpr const char* kVersionTitle = fncText_mark("バージョン情報 作品番号：SR000000");

std::string fncVersionInfo_text(const PuzzleState& st);

inline constexpr const char* kToolTitle = fncText_mark("パズル作成ツールの紹介");
std::string fncToolInfo_text();

// The help page on making puzzles, shipped in the program folder, and its
// English version.
inline constexpr const char* kToolPage = "docs/puzzle-making.html";
inline constexpr const char* kToolPageEnglish = "docs/puzzle-making-en.html";
// The page in the chosen language.
std::string fncToolPage();

}  // namespace pakkon
