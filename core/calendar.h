// Dates in the proleptic Gregorian calendar, counted as days since 1970-01-01,
// for the hatch date: the laying date plus the egg period.
#pragma once

#include <cstdint>
#include <optional>

inline constexpr int FIRST_YEAR = 1;
inline constexpr int LAST_YEAR = 9999;
inline constexpr int DAYS_PER_WEEK = 7;

struct CivilDate {
  int year;
  int month;  // 1 to 12
  int day;    // 1 to 31

  bool operator==(const CivilDate&) const = default;
};

// Whether the date exists, in years FIRST_YEAR to LAST_YEAR.
bool IsValidDate(CivilDate date);

// Days from 1970-01-01 to `date` (negative before it).
std::int64_t DaysFromCivil(CivilDate date);

// The date `days` days after 1970-01-01.
CivilDate CivilFromDays(std::int64_t days);

// Day of the week: 0 Sunday, 1 Monday, ... 6 Saturday.
int Weekday(std::int64_t days);

// The period rounded to whole days, halves up: 8.38 gives 8, 18.62 gives 19.
double WholeDays(float period);

// `laid` plus the period in whole days, or nothing when the eggs do not
// develop (a period that is not positive and finite), when `laid` is not a
// valid date, or when the date would fall after LAST_YEAR.
std::optional<CivilDate> HatchDate(CivilDate laid, float period);
