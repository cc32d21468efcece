// The quick table of egg periods that the manuals and the browser page carry:
// each whole water temperature from 6 to 30 degrees, the period rounded to
// tenths of a day, and the text the calculator shows for it.
#pragma once

#include <string>
#include <vector>

inline constexpr int QUICK_TABLE_FIRST_TEMPERATURE = 6;
inline constexpr int QUICK_TABLE_LAST_TEMPERATURE = 30;
// Digits after the point of a rounded period.
inline constexpr int ROUNDED_PERIOD_DECIMALS = 1;

struct QuickTableRow {
  int temperature;
  std::string roundedPeriod;  // "8.4"
  std::string shownText;      // "8.38222980499268"
};

std::vector<QuickTableRow> QuickTableRows();

// The period rounded to tenths of a day, as the quick table writes it: "8.4".
std::string RoundedPeriod(float period);
