#include "core/estimate.h"

#include <cmath>

#include "core/number_text.h"

double LastTemperature = 0.0;
float LastEstimate = 0.0f;

namespace {

constexpr double HALF_DAY = 0.5;

}  // namespace

double DailyRate(double temperature) {
  double rateAtTemperature = temperature * RATE_PER_DEGREE;
  return rateAtTemperature - RATE_OFFSET;
}

float EggPeriodEstimate(double temperature) {
  double dailyRate = DailyRate(temperature);
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

double WholeDays(double days) {
  double shifted = days + HALF_DAY;
  return std::floor(shifted);
}

std::optional<CivilDate> HatchDate(CivilDate laid, float period) {
  if (!EggsDevelop(period)) {
    return std::nullopt;
  }
  return DateAfter(laid, WholeDays(period));
}
