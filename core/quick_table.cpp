#include "core/quick_table.h"

#include <cstdio>

#include "core/estimate.h"

std::vector<QuickTableRow> QuickTableRows() {
  std::vector<QuickTableRow> rows;
  for (int temperature = QUICK_TABLE_FIRST_TEMPERATURE; temperature <= QUICK_TABLE_LAST_TEMPERATURE;
       ++temperature) {
    rows.push_back({temperature, RoundedPeriod(EggPeriodEstimate(temperature)),
                    OnCalculate(std::to_string(temperature))});
  }
  return rows;
}

std::string RoundedPeriod(float period) {
  // Long enough for any float written with one decimal.
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", ROUNDED_PERIOD_DECIMALS, static_cast<double>(period));
  return text;
}
