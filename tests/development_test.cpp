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

TEST(LoggedHatchDate, FollowsTheDaysTemperatures) {
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
      // Days after the last entry go on at its temperature; a day without an
      // entry takes the last one before it.
      {"warmer from day 1", 20, {At(1, 25)}, CivilDate{2026, 6, 7}},                // t = 6.494
      {"warmer, then cooler", 20, {At(1, 25), At(3, 15)}, CivilDate{2026, 6, 11}},  // t = 10.15
      {"a day crossing the threshold from day 1 on",
       20,
       {Between(1, 2, 10)},
       CivilDate{2026, 8, 24}},  // t = 84.05
      // A cold spell stops development: three days at 3 degrees, three days later.
      {"cold spell", 20, {At(2, 3), At(5, 20)}, CivilDate{2026, 6, 12}},  // t = 11.38
      {"cold to the last entry", 20, {At(3, 4)}, std::nullopt},
      // Of two entries for one day the later counts.
      {"a day entered again", 20, {At(2, 3), At(2, 20)}, CivilDate{2026, 6, 9}},
      // Hatching in the middle of a day rounds half up.
      {"just after a half day", 20, {At(0, 20), At(1, 21.97)}, CivilDate{2026, 6, 9}},   // 7.5018
      {"just before a half day", 20, {At(0, 20), At(1, 21.98)}, CivilDate{2026, 6, 8}},  // 7.4979
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

TEST(DevelopmentByMidday, AddsTheWholeDaysBeforeAndHalfOfTheDay) {
  struct Case {
    std::vector<DayEntry> entries;
    std::int64_t day;
    double development;
  };
  const Case cases[] = {
      {{}, 0, 0.5 * RATE_AT_20},
      {{}, 8, 8.5 * RATE_AT_20},         // past one on the hatch day
      {{At(3, 4)}, 10, 3 * RATE_AT_20},  // nothing more while cold
      {{}, -1, 0.0},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(DevelopmentByMidday({20, c.entries}, c.day), c.development, 1e-12) << c.day;
  }
}

}  // namespace
