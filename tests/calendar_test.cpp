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

}  // namespace
