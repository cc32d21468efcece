#include "core/estimate.h"

#include <cmath>

#include "core/number_text.h"

double LastTemperature = 0.0;
float LastEstimate = 0.0f;

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
