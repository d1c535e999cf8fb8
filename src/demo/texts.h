#pragma once
// The words of the guided demonstration and of the two information messages.

#include <string>

#include "model/state.h"

namespace pakkon {

inline constexpr const char* kDemoBanner =
    "デモンストレーション表示中です。\r\n終了するには、ココをクリックしてください。";

// The banner for walkthrough steps 1 to 5; "" for any other step.
std::string fncDemo_caption(int step);

inline constexpr const char* kDemoQuestion = "今後、デモンストレーションを表示しない！";
inline constexpr const char* kDemoQuestionTitle = "デモ表示";

inline constexpr const char* kAppTitle = "ぱっこん";
inline constexpr const char* kProductName = "３Ｄ空間パズル・ゲーム ぱっこん";
inline constexpr const char* kLegalNotice = "Copyright (C) 2026 ぱっこん developers";
inline constexpr const char* kVersionTitle = "バージョン情報 作品番号：SR000000";

std::string fncVersionInfo_text(const PuzzleState& st);

inline constexpr const char* kToolTitle = "パズル作成ツールの紹介";
std::string fncToolInfo_text();

// The help page on making puzzles, shipped in the program folder.
inline constexpr const char* kToolPage = "docs/puzzle-making.html";

}  // namespace pakkon
