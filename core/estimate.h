// The egg-period estimate: the daily development rate of the egg grows
// linearly with the water temperature, and the egg period is its reciprocal.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/calendar.h"

// Increase of the daily development rate per degree Celsius.
inline constexpr double RATE_PER_DEGREE = 0.0082;
// Subtracted from RATE_PER_DEGREE x temperature to give the daily rate.
inline constexpr double RATE_OFFSET = 0.0447;
// Size of the buffer the temperature text is read into, terminator included.
inline constexpr int INPUT_TEXT_LIMIT = 100;
// The most characters of a temperature text that are read, and so the most a
// temperature field takes.
inline constexpr std::size_t READ_TEXT_LENGTH = INPUT_TEXT_LIMIT - 1;

// The temperature and the estimate of the most recent calculation.
extern double LastTemperature;
extern float LastEstimate;

// The daily development rate at `temperature` degrees Celsius:
// temperature x RATE_PER_DEGREE - RATE_OFFSET, each step rounded to double.
// Negative below the threshold.
double DailyRate(double temperature);

// Egg period in days at `temperature` degrees Celsius, held in single
// precision. No range check: below the threshold of about 5.45 degrees the
// rate is negative and so is the period; at the threshold it is infinite.
float EggPeriodEstimate(double temperature);

// Whether the eggs develop at all: the period is positive and finite. Below
// the threshold temperature it is negative, and exactly at it infinite.
bool EggsDevelop(float period);

// The temperature at which the daily rate is zero, RATE_OFFSET /
// RATE_PER_DEGREE: about 5.45 degrees.
double DevelopmentThreshold();

// Turns the temperature text into the text of the estimated egg period.
std::string OnCalculate(std::string_view temperatureText);

// Days rounded to whole days, halves up: 8.38 gives 8, 18.62 gives 19. A
// single-precision period is widened to double first.
double WholeDays(double days);

// The hatch date: `laid` plus the period in whole days, or nothing when the
// eggs do not develop (a period that is not positive and finite), when `laid`
// is not a valid date, or when the date would fall after LAST_DATE.
std::optional<CivilDate> HatchDate(CivilDate laid, float period);
