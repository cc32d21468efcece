// Dates in the proleptic Gregorian calendar, counted as days since 1970-01-01.
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

// The last date there is: 31 December of LAST_YEAR.
inline constexpr CivilDate LAST_DATE = {LAST_YEAR, 12, 31};

// Whether the date exists, in years FIRST_YEAR to LAST_YEAR.
bool IsValidDate(CivilDate date);

// Days from 1970-01-01 to `date` (negative before it).
std::int64_t DaysFromCivil(CivilDate date);

// The date `days` days after 1970-01-01.
CivilDate CivilFromDays(std::int64_t days);

// Day of the week: 0 Sunday, 1 Monday, ... 6 Saturday.
int Weekday(std::int64_t days);

// The date `wholeDays` days after `date` (a whole number, as a double so that
// any count can be asked), or nothing when `date` is no date or the date
// would fall after LAST_DATE.
std::optional<CivilDate> DateAfter(CivilDate date, double wholeDays);
