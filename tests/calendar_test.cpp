#include "core/calendar.h"

#include <gtest/gtest.h>

namespace {

constexpr int MONDAY = 1, TUESDAY = 2, WEDNESDAY = 3, FRIDAY = 5;

TEST(Calendar, CountsDaysAndWeekdaysFromTheFirstToTheLastYear) {
  struct Case {
    CivilDate date;
    std::int64_t days;
    int weekday;
  };
  const Case cases[] = {
      {{1970, 1, 1}, 0, 4},
      {{1969, 12, 31}, -1, 3},
      {{2000, 2, 29}, 11016, TUESDAY},  // a leap year every 400 years
      {{2000, 3, 1}, 11017, WEDNESDAY},
      {{1, 1, 1}, -719162, MONDAY},
      {{9999, 12, 31}, 2932896, FRIDAY},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DaysFromCivil(c.date), c.days) << c.date.year << '-' << c.date.month;
    EXPECT_EQ(CivilFromDays(c.days), c.date) << c.days;
    EXPECT_EQ(Weekday(c.days), c.weekday) << c.days;
  }
}

TEST(IsValidDate, KnowsTheLeapDaysOfTheGregorianCalendar) {
  struct Case {
    CivilDate date;
    bool valid;
  };
  const Case cases[] = {
      {{2024, 2, 29}, true},                           // every fourth year
      {{2026, 2, 29}, false}, {{1900, 2, 29}, false},  // but not in a century
      {{2100, 2, 29}, false}, {{2000, 2, 29}, true},   // unless it is a fourth century
      {{2400, 2, 29}, true},  {{2026, 4, 31}, false}, {{2026, 12, 31}, true},
      {{2026, 13, 1}, false}, {{2026, 0, 1}, false},  {{0, 1, 1}, false},
      {{10000, 1, 1}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsValidDate(c.date), c.valid)
        << c.date.year << '-' << c.date.month << '-' << c.date.day;
  }
}

}  // namespace
