// The browser page's own Japanese texts, beside the window's (form_texts.h).
// This file is UTF-8, as the page is. A "%s" stands for a number the
// calculation core writes.
#pragma once

// Beside the calculator's exact text: the period in plain words.
inline constexpr const char* PERIOD_READING_FORMAT = "約 %s 日";
// For a zero, negative or infinite period; %s is the threshold temperature.
inline constexpr const char* NO_DEVELOPMENT_FORMAT =
    "この水温では卵は発育しません。卵が発育するのは、水温が約 %s ℃ より高いときです。";

inline constexpr const char* QUICK_TABLE_TITLE = "早見表";
inline constexpr const char* QUICK_TABLE_CAPTION =
    "水温ごとの推定卵期間です。「推定卵期間」は小数第 1 位に丸めた値、"
    "「電卓の表示」は電卓に表示される値そのものです。";
inline constexpr const char* SHOWN_TEXT_HEADING = "電卓の表示";
inline constexpr const char* NO_SCRIPT_TEXT =
    "この電卓は JavaScript で動きます。ブラウザーの設定で JavaScript を有効にしてください。";
