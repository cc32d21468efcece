#include "core/development.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

constexpr CivilDate LAID = {2026, 6, 1};
// The daily rate at 20 degrees: 0.0082 x 20 - 0.0447.
constexpr double RATE_AT_20 = 0.1193;

// A day at one temperature, and a day between a lowest and a highest.
DayEntry At(std::int64_t day, double temperature) {
  return {day, temperature, temperature};
}
DayEntry Between(std::int64_t day, double lowest, double highest) {
  return {day, lowest, highest};
}

TEST(DayDevelopment, AveragesTheRateAboveTheThresholdOverTheDaysTemperatures) {
  struct Case {
    double lowest;
    double highest;
    double development;
  };
  const Case cases[] = {
      {20, 20, RATE_AT_20},
      {18, 22, RATE_AT_20},  // wholly above the threshold: the rate at the middle
      {22, 18, RATE_AT_20},
      {2, 10, 0.010604344512195128},  // crossing it: 0.0082 (H - θ)² / 2 (H - L)
      {5, 6, 0.00123475609756098},
      {0, 5, 0.0},  // wholly at or below it
      {-3, -3, 0.0},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(DayDevelopment(c.lowest, c.highest), c.development, 1e-15)
        << c.lowest << " to " << c.highest;
  }
}

// Rates used below: 0.0082 x T - 0.0447 at 25 and 15 degrees.
constexpr double RATE_AT_25 = 0.1603;
constexpr double RATE_AT_15 = 0.0783;

TEST(LoggedHatchDate, FollowsTheRecordedDaysThenTheirPace) {
  struct Case {
    const char* what;
    double temperature;
    std::vector<DayEntry> entries;
    std::optional<CivilDate> hatch;
  };
  const Case cases[] = {
      // With no entries, or entries at the clutch's temperature, the calculator's date.
      {"no entries", 20, {}, CivilDate{2026, 6, 9}},
      {"8.25 days, halves up", 20.233185, {}, CivilDate{2026, 6, 9}},
      {"entries at the same temperature", 20, {At(3, 20)}, CivilDate{2026, 6, 9}},
      {"lowest and highest around it", 20, {Between(0, 18, 22)}, CivilDate{2026, 6, 9}},
      {"an entry before laying is left out", 20, {At(-1, 3)}, CivilDate{2026, 6, 9}},
      {"a day entered again: the later counts", 20, {At(2, 3), At(2, 20)}, CivilDate{2026, 6, 9}},
      // Entries in any order count as in date order.
      {"a cold spell entered backwards", 20, {At(5, 20), At(2, 3)}, CivilDate{2026, 6, 15}},
      {"warmer, then cooler, entered backwards", 20, {At(3, 15), At(1, 25)}, CivilDate{2026, 6, 9}},
      // 0.1193, 0.1603 and 0 (3 degrees, the later), then their mean 0.0932:
      // t = 3 + 0.7204 / 0.0932 = 10.73.
      {"a day entered again out of order: the later counts",
       20,
       {At(2, 20), At(1, 25), At(2, 3)},
       CivilDate{2026, 6, 12}},
      // The calculator's period is 9.5 days in single precision, though
      // 1 + (1 - r) / r is 9.4999999905: without entries, the calculator's date.
      {"no entries, a half day in single precision", 18.28819, {}, CivilDate{2026, 6, 11}},
      // After the last entry, the mean of the recorded days: (0.1193 +
      // 0.1603) / 2 a day from day 2, t = 2 / 0.2796 = 7.153.
      {"warmer from day 1", 20, {At(1, 25)}, CivilDate{2026, 6, 8}},
      // Day 2 interpolated half way, (0.1603 + 0.0783) / 2 = 0.1193; the
      // four days' mean 0.1193 goes on: t = 4 + 0.5228 / 0.1193 = 8.382.
      {"warmer, then cooler", 20, {At(1, 25), At(3, 15)}, CivilDate{2026, 6, 9}},
      // 0.1193 and 0.0106 (the triangle), then their mean: t = 15.396.
      {"a day crossing the threshold from day 1 on",
       20,
       {Between(1, 2, 10)},
       CivilDate{2026, 6, 16}},
      // Days 1 and 3, 4 interpolated around the cold day 2: 0.1193, 0.05965,
      // 0, 0.03977, 0.07953, 0.1193, sum 0.41755; then their mean 0.06959:
      // t = 6 + 0.58245 / 0.06959 = 14.37.
      {"a cold spell", 20, {At(2, 3), At(5, 20)}, CivilDate{2026, 6, 15}},
      // Cooling to 4 degrees by day 3: the pace is still half of 0.1193.
      {"cold by the last entry", 20, {At(3, 4)}, CivilDate{2026, 6, 18}},
      // Seven recorded days without development: the pace is zero.
      {"a cold week to the last entry", 20, {At(1, 4), At(7, 4)}, std::nullopt},
      // Ten cold days, then 30 degrees on day 11: the pace is the last seven
      // days' 0.2013 / 7, not all twelve days', t = 12 + 0.6794 / 0.028757 = 35.63.
      {"the pace of the last seven days",
       20,
       {At(1, 4), At(10, 4), At(11, 30)},
       CivilDate{2026, 7, 7}},
      // A half day: t = 2 / (0.1193 + the rate on day 1).
      {"just after a half day", 20, {At(0, 20), At(1, 23.42)}, CivilDate{2026, 6, 9}},   // 7.50064
      {"just before a half day", 20, {At(0, 20), At(1, 23.43)}, CivilDate{2026, 6, 8}},  // 7.49833
      // Exactly half way, though the doubles sum to 19.499999999999996: 14
      // days at 0.04468, 5 at 0.06682, then (1 - 0.95962) / 0.08076 = 0.5.
      {"exactly half way through day 19",
       10.9,
       {At(13, 10.9), At(14, 13.6), At(18, 13.6), At(19, 15.3)},
       CivilDate{2026, 6, 21}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LoggedHatchDate(LAID, {c.temperature, c.entries}), c.hatch) << c.what;
  }
}

// The ends of the range: every day after today like the coldest, or the
// warmest, of the last seven recorded days; the days from the last entry to
// today at their pace.
TEST(HatchTimeIf, GivesTheRangesEndsFromTheColdestAndWarmestRecentDay) {
  struct Case {
    const char* what;
    std::vector<DayEntry> entries;
    std::int64_t today;
    std::optional<CivilDate> earliest;
    std::optional<CivilDate> latest;
  };
  // A room of 17 to 23 degrees: 0.1193 on day 0, 0.0947 and 0.1439 on days
  // 1 and 2, sum 0.3579, pace 0.1193.
  const std::vector<DayEntry> room = {At(1, 17), At(2, 23)};
  const Case cases[] = {
      // From day 3: 3 + 0.6421 / 0.1439 = 7.46, 3 + 0.6421 / 0.0947 = 9.78.
      {"entered to today", room, 2, CivilDate{2026, 6, 8}, CivilDate{2026, 6, 11}},
      // Days 3 and 4 at the pace, sum 0.5965: 5 + 0.4035 / 0.1439 = 7.80,
      // 5 + 0.4035 / 0.0947 = 9.26.
      {"two days since the last entry", room, 4, CivilDate{2026, 6, 9}, CivilDate{2026, 6, 10}},
      // A cold day among the seven: the latest end has no development.
      {"a coldest day without development",
       {At(1, 4), At(2, 20)},
       2,
       CivilDate{2026, 6, 10},
       std::nullopt},  // 3 + (1 - 0.2386) / 0.1193 = 9.38
  };
  for (const auto& c : cases) {
    DevelopmentDays days = CountDays({20, c.entries});
    auto date = [&](double later) -> std::optional<CivilDate> {
      std::optional<double> time = HatchTimeIf(days, c.today + 1, later);
      return time ? HatchDateOf(LAID, *time) : std::nullopt;
    };
    EXPECT_EQ(date(days.warmest), c.earliest) << c.what;
    EXPECT_EQ(date(days.coldest), c.latest) << c.what;
  }
}

TEST(HatchDateOf, RoundsHalfADayUpAndTakesAHairShortOfItAsTheHalf) {
  struct Case {
    double time;
    CivilDate hatch;
  };
  const Case cases[] = {
      {7.5, {2026, 6, 9}},         {7.4999999995, {2026, 6, 9}},  // within a billionth of a day
      {7.499999998, {2026, 6, 8}}, {7.49, {2026, 6, 8}},         {8.0, {2026, 6, 9}},
      {0.5, {2026, 6, 2}},         {0.4, {2026, 6, 1}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HatchDateOf(LAID, c.time), c.hatch) << c.time;
  }
}

TEST(DevelopmentByMidday, AddsTheWholeDaysBeforeAndHalfOfTheDay) {
  struct Case {
    std::vector<DayEntry> entries;
    std::int64_t day;
    double development;
  };
  const Case cases[] = {
      {{}, 0, 0.5 * RATE_AT_20},
      {{}, 8, 8.5 * RATE_AT_20},  // past one on the hatch day
      // Day 1 half way between 0.1193 and 0.0783.
      {{At(2, 15)}, 1, RATE_AT_20 + 0.5 * (RATE_AT_20 + RATE_AT_15) / 2},
      // 2 x 0.1193 by day 3, then six days and a half at their mean, 0.5 x 0.1193.
      {{At(3, 4)}, 10, 5.25 * RATE_AT_20},
      {{At(1, 25)}, 1, RATE_AT_20 + 0.5 * RATE_AT_25},
      {{At(11, 30)}, -1, 0.0},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(DevelopmentByMidday(CountDays({20, c.entries}), c.day), c.development, 1e-12)
        << c.day;
  }
}

}  // namespace
