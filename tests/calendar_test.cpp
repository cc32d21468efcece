#include "core/calendar.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace {

constexpr float INFINITE_PERIOD = std::numeric_limits<float>::infinity();
// The estimates at 20 and 12 degrees: 8.38 and 18.62 days.
constexpr float AT_20_DEGREES = 8.38222980499268f;
constexpr float AT_12_DEGREES = 18.6219730377197f;
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

TEST(HatchDate, AddsThePeriodInWholeDaysAcrossMonthAndYearEnds) {
  struct Case {
    CivilDate laid;
    float period;
    std::optional<CivilDate> hatch;
  };
  const Case cases[] = {
      {{2026, 6, 1}, AT_20_DEGREES, CivilDate{2026, 6, 9}},
      {{2026, 6, 1}, AT_12_DEGREES, CivilDate{2026, 6, 20}},
      {{2028, 2, 25}, AT_12_DEGREES, CivilDate{2028, 3, 15}},  // leap year
      {{2100, 2, 25}, AT_20_DEGREES, CivilDate{2100, 3, 5}},   // no leap day
      {{2000, 2, 28}, 1.0f, CivilDate{2000, 2, 29}},
      {{2026, 12, 28}, AT_12_DEGREES, CivilDate{2027, 1, 16}},
      // Halves round up.
      {{2026, 1, 31}, 0.5f, CivilDate{2026, 2, 1}},
      {{2026, 1, 31}, 0.49f, CivilDate{2026, 1, 31}},
      {{9999, 12, 30}, 1.0f, CivilDate{9999, 12, 31}},
      // No date past the last year, for eggs that do not develop, or for a
      // laying date that does not exist.
      {{9999, 12, 30}, 1.5f, std::nullopt},
      {{2026, 6, 1}, 1e30f, std::nullopt},
      {{2026, 6, 1}, -270.270263671875f, std::nullopt},
      {{2026, 6, 1}, 0.0f, std::nullopt},
      {{2026, 6, 1}, INFINITE_PERIOD, std::nullopt},
      {{2026, 2, 29}, AT_20_DEGREES, std::nullopt},
      {{2026, 13, 1}, AT_20_DEGREES, std::nullopt},
      {{0, 1, 1}, AT_20_DEGREES, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HatchDate(c.laid, c.period), c.hatch)
        << c.laid.year << '-' << c.laid.month << '-' << c.laid.day << " + " << c.period;
  }
}

}  // namespace
