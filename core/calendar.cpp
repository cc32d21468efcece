#include "core/calendar.h"

namespace {

constexpr int MONTHS_PER_YEAR = 12;
// The civil year is counted from March here, so that the leap day ends it.
constexpr int MARCH = 3;
constexpr int DAYS_PER_ERA = 146097;  // 400 Gregorian years
constexpr int YEARS_PER_ERA = 400;
constexpr int DAYS_PER_COMMON_YEAR = 365;
// Days in four common years, and in a century with its 24 leap days.
constexpr int DAYS_PER_FOUR_COMMON_YEARS = 4 * DAYS_PER_COMMON_YEAR;
constexpr int DAYS_PER_CENTURY = 100 * DAYS_PER_COMMON_YEAR + 24;
// Days from 0000-03-01 to 1970-01-01.
constexpr std::int64_t EPOCH_SHIFT = 719468;
// 1970-01-01 was a Thursday.
constexpr int EPOCH_WEEKDAY = 4;

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  constexpr int DAYS[MONTHS_PER_YEAR] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  constexpr int FEBRUARY = 2;
  return (month == FEBRUARY && IsLeapYear(year)) ? DAYS[month - 1] + 1 : DAYS[month - 1];
}

// Days from March 1 to the first of `month` in a year counted from March:
// the months' lengths repeat 31, 30, 31, 30, 31 from March on.
int DaysBeforeMonth(int monthFromMarch) {
  return (153 * monthFromMarch + 2) / 5;
}

}  // namespace

bool IsValidDate(CivilDate date) {
  return date.year >= FIRST_YEAR && date.year <= LAST_YEAR && date.month >= 1 &&
         date.month <= MONTHS_PER_YEAR && date.day >= 1 &&
         date.day <= DaysInMonth(date.year, date.month);
}

std::int64_t DaysFromCivil(CivilDate date) {
  // January and February belong to the year counted from the March before.
  std::int64_t year = date.month < MARCH ? date.year - 1 : date.year;
  std::int64_t era = (year >= 0 ? year : year - (YEARS_PER_ERA - 1)) / YEARS_PER_ERA;
  std::int64_t yearOfEra = year - era * YEARS_PER_ERA;
  int monthFromMarch = (date.month + MONTHS_PER_YEAR - MARCH) % MONTHS_PER_YEAR;
  std::int64_t dayOfYear = DaysBeforeMonth(monthFromMarch) + date.day - 1;
  std::int64_t dayOfEra =
      yearOfEra * DAYS_PER_COMMON_YEAR + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * DAYS_PER_ERA + dayOfEra - EPOCH_SHIFT;
}

CivilDate CivilFromDays(std::int64_t days) {
  std::int64_t shifted = days + EPOCH_SHIFT;
  std::int64_t era = (shifted >= 0 ? shifted : shifted - (DAYS_PER_ERA - 1)) / DAYS_PER_ERA;
  std::int64_t dayOfEra = shifted - era * DAYS_PER_ERA;
  // Each century but the fourth, and each fourth year, is one day short.
  std::int64_t yearOfEra = (dayOfEra - dayOfEra / DAYS_PER_FOUR_COMMON_YEARS +
                            dayOfEra / DAYS_PER_CENTURY - dayOfEra / (DAYS_PER_ERA - 1)) /
                           DAYS_PER_COMMON_YEAR;
  std::int64_t dayOfYear =
      dayOfEra - (DAYS_PER_COMMON_YEAR * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int monthFromMarch = static_cast<int>((5 * dayOfYear + 2) / 153);
  int day = static_cast<int>(dayOfYear - DaysBeforeMonth(monthFromMarch) + 1);
  int month = (monthFromMarch + MARCH - 1) % MONTHS_PER_YEAR + 1;
  std::int64_t year = yearOfEra + era * YEARS_PER_ERA + (month < MARCH ? 1 : 0);
  return {static_cast<int>(year), month, day};
}

std::optional<CivilDate> DateAfter(CivilDate date, double wholeDays) {
  if (!IsValidDate(date)) {
    return std::nullopt;
  }
  std::int64_t start = DaysFromCivil(date);
  // Compared as doubles first: a count can be far more days than an integer holds.
  if (wholeDays > static_cast<double>(DaysFromCivil(LAST_DATE) - start)) {
    return std::nullopt;
  }
  return CivilFromDays(start + static_cast<std::int64_t>(wholeDays));
}

int Weekday(std::int64_t days) {
  std::int64_t weekday = (days + EPOCH_WEEKDAY) % DAYS_PER_WEEK;
  return static_cast<int>(weekday < 0 ? weekday + DAYS_PER_WEEK : weekday);
}
