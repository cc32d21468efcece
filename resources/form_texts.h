// The window's Japanese texts. This file is UTF-8; the build compiles its
// string literals to code page 932, which the window's ANSI calls expect.
#pragma once

#include "home_page.h"

// The program's name; the window's title adds the calculator's "Ver.1".
#define APP_NAME_TEXT "ソワリナ属の卵期間推定電卓"
inline constexpr const char* APP_NAME = APP_NAME_TEXT;
inline constexpr const char* MAIN_WINDOW_TITLE = APP_NAME_TEXT "（Ver.1）";

inline constexpr const char* PURPOSE_TEXT =
    "ソワリナ属の卵期間を管理水温から推定するプログラムです。";
inline constexpr const char* METHOD_TEXT =
    "計算のアルゴリズムはCampbellらの方法（1974）に従っています。";
inline constexpr const char* CAUTION_TEXT = "使用に際しては、以下の事に気を付けてください。";
inline constexpr const char* LOW_TEMPERATURE_TEXT = "①水温約5℃以下では卵が発育しません。";
inline constexpr const char* SURVIVAL_TEXT = "②生存率に関しては考慮していません。";
inline constexpr const char* TEMPERATURE_GROUP_TEXT = "水温（℃）";
inline constexpr const char* EGG_PERIOD_GROUP_TEXT = "推定卵期間（日）";
// Each caption has two ideographic spaces between its two characters.
inline constexpr const char* CALCULATE_TEXT = "計　　算";
inline constexpr const char* EXIT_TEXT = "終　　了";
inline constexpr const char* ARROW_TEXT = "→";
// The program's own page, whose address the build sets.
inline constexpr const char* CREDIT_TEXT = "卵期間推定電卓のページ（" EGGPERIOD_HOME_PAGE "）";

// The face of the window's font.
inline constexpr const char* UI_FONT_FACE = "ＭＳ Ｐゴシック";
