#include "core/quick_table.h"

#include "core/estimate.h"
#include "core/number_text.h"

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
  return WriteFixed(static_cast<double>(period), ROUNDED_PERIOD_DECIMALS);
}
