// Development of a clutch whose water temperature was noted day by day: each
// day adds the calculator's daily rate at that day's temperature (never less
// than nothing), and the eggs hatch once the sum reaches one whole.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "core/calendar.h"

// One day's water temperature as noted: its average (lowest and highest the
// same), or its lowest and highest.
struct DayEntry {
  std::int64_t day;  // days after laying: 0 is the laying day
  double lowest;
  double highest;
};

// A day's development with the temperature moving evenly from `lowest` to
// `highest` (the single-triangle method): the average of max(0, rate) over
// that span. Either order is taken.
double DayDevelopment(double lowest, double highest);

// A clutch kept at `temperature` unless its entries say otherwise. Each day
// takes its own entry, else the last entry before it, else `temperature`;
// days after the last entry go on at its temperature. Entries may come in any
// order; of two for the same day the later one counts, and entries before
// the laying day are left out.
struct ClutchTemperatures {
  double temperature;
  std::span<const DayEntry> entries;
};

// How far development has come by midday of `day` (days after laying): the
// whole days before it and half of that day. 1 is complete; it is not capped.
double DevelopmentByMidday(ClutchTemperatures clutch, std::int64_t day);

// When the eggs hatch, in days after laying: during the first day whose
// development brings the sum to 1, at k + (1 - S) / d (S the sum of the k days
// before, d that day's development). Nothing when the temperatures from the
// last entry on give no development before then.
std::optional<double> HatchTime(ClutchTemperatures clutch);

// The hatch date: with no entries exactly the calculator's (the laying date
// plus the single-precision period in whole days); otherwise the laying date
// plus HatchTime rounded to whole days, halves up (a time less than a
// billionth of a day from a half day is the half). Nothing when the eggs do
// not hatch, `laid` is no date, or the date would fall after LAST_DATE.
std::optional<CivilDate> LoggedHatchDate(CivilDate laid, ClutchTemperatures clutch);
