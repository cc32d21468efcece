#include "core/estimate.h"

#include <cmath>

#include "core/number_text.h"

double LastTemperature = 0.0;
float LastEstimate = 0.0f;

namespace {

constexpr double HALF_DAY = 0.5;

}  // namespace

float EggPeriodEstimate(double temperature) {
  double rateAtTemperature = temperature * RATE_PER_DEGREE;
  double dailyRate = rateAtTemperature - RATE_OFFSET;
  double period = 1.0 / dailyRate;
  return static_cast<float>(period);
}

bool EggsDevelop(float period) {
  return std::isfinite(period) && period > 0.0f;
}

double DevelopmentThreshold() {
  return RATE_OFFSET / RATE_PER_DEGREE;
}

std::string OnCalculate(std::string_view temperatureText) {
  double temperature = ReadNumber(temperatureText);
  float period = EggPeriodEstimate(temperature);
  LastTemperature = temperature;
  LastEstimate = period;
  return WriteNumber(static_cast<double>(period));
}

double WholeDays(float period) {
  double widened = static_cast<double>(period);
  double shifted = widened + HALF_DAY;
  return std::floor(shifted);
}

std::optional<CivilDate> HatchDate(CivilDate laid, float period) {
  if (!EggsDevelop(period) || !IsValidDate(laid)) {
    return std::nullopt;
  }
  std::int64_t laidDays = DaysFromCivil(laid);
  std::int64_t lastDays = DaysFromCivil(LAST_DATE);
  double wholeDays = WholeDays(period);
  // Compared as doubles first: a period can be far more days than an integer holds.
  if (wholeDays > static_cast<double>(lastDays - laidDays)) {
    return std::nullopt;
  }
  return CivilFromDays(laidDays + static_cast<std::int64_t>(wholeDays));
}
