#include "core/number_text.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

struct ReadCase {
  std::string text;
  double value;
};

// Compares bit for bit, so that -0 and 0 differ.
void ExpectReads(const std::vector<ReadCase>& cases) {
  for (const auto& c : cases) {
    double value = ReadNumber(c.text);
    EXPECT_EQ(value, c.value) << '"' << c.text << '"';
    EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << '"' << c.text << '"';
  }
}

TEST(ReadNumber, ReadsDecimalsUpToTheFirstCharacterThatDoesNotFit) {
  ExpectReads({
      {"20", 20},
      {"20.25", 20.25},
      {".5", 0.5},
      {"-.5", -0.5},
      {"-3", -3},
      {"20abc", 20},
      {"1e3", 1},
      {"20,5", 20},
      {"1.2.3", 1.2},
      {"7.", 7},
      {"-", -0.0},
      {"-0", -0.0},
      {"--5", -0.0},
      // Nothing is skipped before the number.
      {"+20", 0},
      {" 20", 0},
      {"", 0},
      {"\x82\x51\x82\x4f", 0},  // full-width "20"
      // Each fraction digit is divided and added on its own, which can end a
      // unit in the last place away from the nearest double.
      {"5.45121951219512", 5.451219512195121},
      {"4064.654865470870", 4064.6548654708695},
      {"123456789012345678901234567890", 1.2345678901234568e+29},
  });
}

TEST(ReadNumber, ReadsPrefixedIntegersAsSigned32Bit) {
  ExpectReads({
      {"&H14", 20},
      {"&h1f", 31},
      {"&HfF", 255},
      {"&O24", 20},
      {"&o17", 15},
      {"&HFFFFFFFF", -1},
      {"&H80000000", -2147483648.0},
      {"&H7FFFFFFF", 2147483647},
      {"&H100000014", 20},
      {"&O37777777777", -1},
      {"&O40000000024", 20},
      {"&H10.5", 16},
      {"&H-1", 0},
      {"&H1G", 1},
      {"&o8", 0},
      {"&X1", 0},
      {"&H", 0},
      {"&", 0},
      {"-&H10", -0.0},
  });
}

// How much of the text the reader used, which the page reports when it was
// not all of it.
TEST(NumberTextLength, CountsTheCharactersReadAsTheNumber) {
  struct Case {
    const char* text;
    std::size_t length;
  };
  const Case cases[] = {
      {"20", 2},    {"20abc", 2}, {"20.5", 4}, {"7.", 2},    {".5", 2},   {"-.5", 3},
      {"1.2.3", 3}, {"20,5", 2},  {"&H14", 4}, {"&o17x", 4}, {"&H1G", 3}, {"", 0},
      {"abc", 0},   {"-", 0},     {"-.", 0},   {".", 0},     {"+20", 0},  {" 20", 0},
      {"&H", 0},    {"&X1", 0},   {"&", 0},    {"-&H10", 0}, {"&Hg", 0},  {"\x82\x51", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberTextLength(c.text), c.length) << '"' << c.text << '"';
  }
}

struct WriteCase {
  double value;
  const char* text;
};

TEST(WriteNumber, WritesPlainAndExponentForms) {
  const double smallestSubnormal = std::numeric_limits<double>::denorm_min();
  const double largest = std::numeric_limits<double>::max();
  const WriteCase cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {100, "100"},
      {0.5, "0.5"},
      {-2.5, "-2.5"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {12345.678, "12345.678"},
      {8.382229804992676, "8.38222980499268"},
      {123456789012345, "123456789012345"},
      // Lower switch point: 0.0001 is plain, anything normalised below it is not.
      {0.0001, "0.0001"},
      {0.00012, "0.00012"},
      {-0.00012, "-0.00012"},
      {0.00005, "5.00000000000000e-05"},
      {0.000012, "1.20000000000000e-05"},
      {-0.000012, "-1.20000000000000e-05"},
      {1e-100, "1.00000000000000e-100"},
      {smallestSubnormal, "4.94065645841247e-324"},
      // Upper switch point.
      {99999999999999.9, "100000000000000"},
      {1e15, "1.00000000000000e+015"},
      {1e16, "1.00000000000000e+016"},
      {-1e16, "-1.00000000000000e+016"},
      {1e100, "1.00000000000000e+100"},
      {largest, "1.79769313486232e+308"},
      // Values just under a power of ten carry into the next decade.
      {9.999999999999998, "10"},
      {9.99999999999999, "10"},
      {0.9999999999999999, "1"},
      {999999999999999, "1.00000000000000e+015"},
      // Non-finite values.
      {std::numeric_limits<double>::quiet_NaN(), "0"},
      {std::numeric_limits<double>::infinity(), "inf"},
      {-std::numeric_limits<double>::infinity(), "-inf"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WriteNumber(c.value), c.text) << c.value;
  }
}

TEST(DecimalDigits, PlacesTheDigitsAndRoundsHalfUp) {
  struct Case {
    double x;
    std::array<std::uint8_t, 4> digits;
    int exponent;
    bool negative;
  };
  const Case cases[] = {
      {8.5, {8, 5, 0, 0}, 1, false},      {-26.8, {2, 6, 8, 0}, 2, true},
      {0.00012, {1, 2, 0, 0}, -3, false}, {0.9999999999999999, {1, 0, 0, 0}, 1, false},
      {1.23456, {1, 2, 3, 5}, 1, false},  {-0.0, {0, 0, 0, 0}, 0, false},
  };
  for (const auto& c : cases) {
    std::array<std::uint8_t, 4> digits{};
    DigitPlacement placement = DecimalDigits(c.x, digits);
    EXPECT_EQ(digits, c.digits) << c.x;
    EXPECT_EQ(placement.exponent, c.exponent) << c.x;
    EXPECT_EQ(placement.negative, c.negative) << c.x;
  }
}

TEST(RoundUpDigit, CarriesLeftAndDropsACarryOutOfTheFirstDigit) {
  struct Case {
    std::array<std::uint8_t, 3> before;
    std::size_t index;
    std::array<std::uint8_t, 3> after;
  };
  const Case cases[] = {
      {{1, 2, 3}, 2, {1, 2, 4}}, {{1, 9, 9}, 2, {2, 0, 0}}, {{0, 9, 9}, 2, {1, 0, 0}},
      {{9, 9, 9}, 2, {0, 0, 0}}, {{1, 9, 9}, 1, {2, 0, 9}}, {{1, 2, 3}, 7, {1, 2, 3}},
  };
  for (const auto& c : cases) {
    auto digits = c.before;
    RoundUpDigit(digits, c.index);
    EXPECT_EQ(digits, c.after);
  }
}

}  // namespace
