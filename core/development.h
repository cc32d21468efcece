// Development of a clutch whose water temperature was noted day by day: each
// day adds the calculator's daily rate at that day's temperature (never less
// than nothing), and the eggs hatch once the sum reaches one whole. Days
// without an entry, and the days ahead, are counted so that one cold night
// moves the forecast by a little, and a lasting change is followed.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

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

// A clutch kept at `temperature` unless its entries say otherwise. Entries
// may come in any order; of two for the same day the later one counts, and
// entries before the laying day are left out.
struct ClutchTemperatures {
  double temperature;
  std::span<const DayEntry> entries;
};

// How many of the last recorded days the pace of the days ahead is the mean of.
inline constexpr std::int64_t PACE_DAYS = 7;

// A day whose development is known: day 0 and each entry's day.
struct KnownDay {
  std::int64_t day;
  double development;
};

// A clutch's days as the forecast counts them. The recorded days are day 0
// (laying, counted whole: its entry, else the clutch's temperature) through
// the last entry's day; a day with an entry takes it, and a day without one
// between two known days a development interpolated linearly between theirs.
// Every day after the recorded days develops at the pace, the mean of the last
// PACE_DAYS recorded days (fewer at the start).
struct DevelopmentDays {
  std::vector<KnownDay> known;  // in day order, day 0 first
  double pace;
  double coldest;  // the least development of the days the pace is the mean of
  double warmest;  // and the most
  bool logged;     // whether any entry counts
};
DevelopmentDays CountDays(ClutchTemperatures clutch);

// The last recorded day.
std::int64_t LastRecordedDay(const DevelopmentDays& days);

// How far development has come by midday of `day` (days after laying): the
// whole days before it and half of that day. 1 is complete; it is not capped.
double DevelopmentByMidday(const DevelopmentDays& days, std::int64_t day);

// When the eggs hatch, in days after laying: during the first day whose
// development brings the sum to 1, at k + (1 - S) / d (S the sum of the k days
// before, d that day's development). Nothing when the days ahead give no
// development before then.
std::optional<double> HatchTime(const DevelopmentDays& days);

// HatchTime if the days from `from` on (after the recorded days) developed at
// `later` each instead of the pace.
std::optional<double> HatchTimeIf(const DevelopmentDays& days, std::int64_t from, double later);

// The date a hatch time falls on: `laid` plus the time in whole days, halves
// up (a time less than a billionth of a day from a half day is the half), or
// nothing after LAST_DATE.
std::optional<CivilDate> HatchDateOf(CivilDate laid, double time);

// The hatch date: with no entry that counts exactly the calculator's (the
// laying date plus the single-precision period in whole days); otherwise
// HatchDateOf the HatchTime. Nothing when the eggs do not hatch, `laid` is no
// date, or the date would fall after LAST_DATE.
std::optional<CivilDate> LoggedHatchDate(CivilDate laid, ClutchTemperatures clutch);

// The same for days already counted from a clutch kept at `temperature`.
std::optional<CivilDate> LoggedHatchDate(CivilDate laid, double temperature,
                                         const DevelopmentDays& days);
