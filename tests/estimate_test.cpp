#include "core/estimate.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

#include "core/quick_table.h"
#include "tests/longest_result.h"

namespace {

struct CalculateCase {
  std::string temperatureText;
  const char* periodText;
};

void ExpectCalculates(const std::vector<CalculateCase>& cases) {
  for (const auto& c : cases) {
    EXPECT_EQ(OnCalculate(c.temperatureText), c.periodText) << '"' << c.temperatureText << '"';
  }
}

TEST(OnCalculate, EstimatesThePeriodAcrossTemperatures) {
  ExpectCalculates({
      {"20", "8.38222980499268"},
      {"15", "12.7713918685913"},
      {"10", "26.8096523284912"},
      {"25", "6.23830318450928"},
      {"30", "4.96771001815796"},
      {"12.75", "16.7084369659424"},
      {"&H14", "8.38222980499268"},
      {"1000000", "0.000121951881737914"},
      {"100000000", "1.21951222809003e-06"},
      // Around the threshold: very long periods above it, negative ones below.
      {"6", "222.222229003906"},
      {"5.5", "2500"},
      {"5.4513", "1515151.5"},
      {"5.4512", "-6250000"},
      {"5.45", "-100000"},
      {"5", "-270.270263671875"},
      {"-3", "-14.4300146102905"},
      // Exactly at the threshold the daily rate is zero.
      {"5.45121951219512", "inf"},
  });
}

TEST(OnCalculate, ReadsTextThatIsNotANumberAsZero) {
  const char* zeroDegrees = "-22.3713645935059";
  ExpectCalculates({
      {"0", zeroDegrees},
      {"", zeroDegrees},
      {" 20", zeroDegrees},
      {"+20", zeroDegrees},
      {",5", zeroDegrees},
      {"abc", zeroDegrees},
      {"\x82\x51\x82\x4f", zeroDegrees},  // full-width "20"
      {"\x82", zeroDegrees},              // lone lead byte
      {"20,5", "8.38222980499268"},
      {"20abc", "8.38222980499268"},
  });
}

TEST(OnCalculate, ReturnsAShortTextForAnyInput) {
  const std::string manyNines(10000, '9');
  const std::string manyZerosThenOne = "1" + std::string(10000, '0');
  const std::string longFraction = "20." + std::string(10000, '7');
  ExpectCalculates({
      {manyNines, "0"},  // overflows to infinity: the rate is infinite
      {"-" + manyNines, "0"},
      {manyZerosThenOne, "0"},  // 0 x infinite place value: not a number
      {longFraction, "7.95685625076294"},
      {std::string("2\0"
                   "5",
                   3),
       "-35.3356895446777"},  // a NUL ends the number
  });
  for (int byte = 0; byte < 256; ++byte) {
    std::string text(3, static_cast<char>(byte));
    EXPECT_LE(OnCalculate(text).size(), LONGEST_RESULT_TEXT) << byte;
  }
}

TEST(EggPeriodEstimate, IsTheSinglePrecisionReciprocalOfTheRate) {
  struct Case {
    double temperature;
    float period;
  };
  const Case cases[] = {
      {20, 8.38222980499268f}, {5.5, 2500.0f}, {5, -270.270263671875f}, {0, -22.3713645935059f}};
  for (const auto& c : cases) {
    EXPECT_EQ(EggPeriodEstimate(c.temperature), c.period) << c.temperature;
  }
}

// The estimates at 20 and 12 degrees: 8.38 and 18.62 days.
constexpr float AT_20_DEGREES = 8.38222980499268f;
constexpr float AT_12_DEGREES = 18.6219730377197f;

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
      {{2026, 6, 1}, std::numeric_limits<float>::infinity(), std::nullopt},
      {{2026, 2, 29}, AT_20_DEGREES, std::nullopt},
      {{2026, 13, 1}, AT_20_DEGREES, std::nullopt},
      {{0, 1, 1}, AT_20_DEGREES, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HatchDate(c.laid, c.period), c.hatch)
        << c.laid.year << '-' << c.laid.month << '-' << c.laid.day << " + " << c.period;
  }
}

// The period rounded as the quick table rounds it, and whether the eggs
// develop at all.
TEST(RoundedPeriodAndEggsDevelop, RoundToTenthsAndHoldForPositiveFinitePeriodsOnly) {
  constexpr float infinity = std::numeric_limits<float>::infinity();
  struct Case {
    float period;
    const char* rounded;
    bool develop;
  };
  const Case cases[] = {
      {9.00090026855469f, "9.0", true},
      {4.96771001815796f, "5.0", true},
      {2500.0f, "2500.0", true},
      {8.25f, "8.3", true},  // halves up, as people round
      {-270.25f, "-270.3", false},
      {1.21951222809003e-06f, "0.0", true},
      {-270.270263671875f, "-270.3", false},
      {0.0f, "0.0", false},
      {infinity, "inf", false},
      {-infinity, "-inf", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RoundedPeriod(c.period), c.rounded) << c.period;
    EXPECT_EQ(EggsDevelop(c.period), c.develop) << c.period;
  }
}

}  // namespace
