// Property sweeps over float values widened to double, as the estimate is:
// every written text is short, has one of the two documented shapes, and
// reads back close to the value; and numbers rounded for people are the C
// library's, but for exact halves, which go up.
#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "core/number_text.h"
#include "tests/longest_result.h"

namespace {

#ifdef EGGPERIOD_FULL_SWEEP
constexpr std::uint64_t BIT_PATTERN_STRIDE = 1;
#else
constexpr std::uint64_t BIT_PATTERN_STRIDE = 251;
#endif
constexpr std::uint64_t FLOAT_BIT_PATTERNS = std::uint64_t{1} << 32;
constexpr double READ_BACK_TOLERANCE = 1e-14;
// The rounding sweep prints every digit of each value, so it takes fewer.
constexpr std::uint64_t ROUNDING_STRIDE = 65537;
constexpr int EVERY_DIGIT = 1100;

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::size_t CountDigits(const std::string& text, std::size_t from) {
  std::size_t end = from;
  while (end < text.size() && IsDigit(text[end])) {
    ++end;
  }
  return end - from;
}

// "-"? d "." 14 digits "e" ("+" 3 digits | "-" 2 or 3 digits)
bool IsExponentForm(const std::string& text, std::size_t at) {
  if (CountDigits(text, at) != 1 || text.compare(at + 1, 1, ".") != 0 ||
      CountDigits(text, at + 2) != 14 || text.compare(at + 16, 1, "e") != 0) {
    return false;
  }
  std::size_t sign = at + 17;
  std::size_t exponentDigits = CountDigits(text, sign + 1);
  bool sized = text.compare(sign, 1, "+") == 0 ? exponentDigits == 3
                                               : (text.compare(sign, 1, "-") == 0 &&
                                                  (exponentDigits == 2 || exponentDigits == 3));
  return sized && sign + 1 + exponentDigits == text.size();
}

// "-"? integer ("." fraction not ending in 0)?, at most 15 digits in all
// beyond leading zeros, and no leading zero before other integer digits.
bool IsPlainForm(const std::string& text, std::size_t at) {
  std::size_t whole = CountDigits(text, at);
  if (whole == 0 || (whole > 1 && text[at] == '0')) {
    return false;
  }
  std::size_t end = at + whole;
  if (end == text.size()) {
    return true;
  }
  std::size_t fraction = CountDigits(text, end + 1);
  return text[end] == '.' && fraction > 0 && end + 1 + fraction == text.size() &&
         text.back() != '0';
}

bool HasDocumentedShape(const std::string& text) {
  std::size_t at = text.starts_with("-") ? 1 : 0;
  return IsPlainForm(text, at) || IsExponentForm(text, at);
}

TEST(WriteNumber, EveryFloatIsShortWellFormedAndReadsBack) {
  std::uint64_t checked = 0;
  for (std::uint64_t bits = 0; bits < FLOAT_BIT_PATTERNS; bits += BIT_PATTERN_STRIDE) {
    float single = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
    if (!std::isfinite(single)) {
      continue;
    }
    double value = single;
    std::string text = WriteNumber(value);
    ASSERT_LE(text.size(), LONGEST_RESULT_TEXT) << value;
    ASSERT_TRUE(HasDocumentedShape(text)) << text;
    double readBack = std::strtod(text.c_str(), nullptr);
    ASSERT_LE(std::fabs(readBack - value), READ_BACK_TOLERANCE * std::fabs(value))
        << text << " for " << value;
    ++checked;
  }
  EXPECT_GT(checked, FLOAT_BIT_PATTERNS / BIT_PATTERN_STRIDE / 2);
}

std::string Printed(double value, int decimals) {
  std::string text(std::snprintf(nullptr, 0, "%.*f", decimals, value), '\0');
  std::snprintf(text.data(), text.size() + 1, "%.*f", decimals, value);
  return text;
}

// Whether the value lies exactly halfway between two texts with `decimals`
// digits after the point: its digits end in a 5 right after them.
bool IsExactHalf(double value, int decimals) {
  std::string every = Printed(value, EVERY_DIGIT);
  std::size_t half = every.find('.') + 1 + static_cast<std::size_t>(decimals);
  return every[half] == '5' && every.find_first_not_of('0', half + 1) == std::string::npos;
}

TEST(WriteFixed, EveryFloatIsTheCLibrarysButExactHalvesGoUp) {
  for (std::uint64_t bits = 0; bits < FLOAT_BIT_PATTERNS; bits += ROUNDING_STRIDE) {
    double value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
    if (!std::isfinite(value)) {
      continue;  // in the table below
    }
    for (int decimals : {0, 1, 2}) {
      // An exact half goes away from zero, as the next double out does.
      double away = IsExactHalf(value, decimals)
                        ? std::nextafter(value, std::copysign(INFINITY, value))
                        : value;
      ASSERT_EQ(WriteFixed(value, decimals), Printed(away, decimals)) << value;
    }
  }
}

TEST(WriteFixed, RoundsHalvesUpAndWritesEveryDigit) {
  struct Case {
    double value;
    int decimals;
    const char* text;
  };
  const Case cases[] = {
      {8.25, 1, "8.3"},
      {8.35, 1, "8.3"},  // 8.35 is a little under it
      {0.125, 2, "0.13"},
      {2.5, 0, "3"},
      {-270.25, 1, "-270.3"},
      {9.95, 1, "9.9"},
      {9.96, 1, "10.0"},
      {0.04, 1, "0.0"},
      {-0.04, 1, "-0.0"},
      {1e20, 1, "100000000000000000000.0"},
      {std::numeric_limits<double>::denorm_min(), 2, "0.00"},
      {INFINITY, 1, "inf"},
      {-INFINITY, 0, "-inf"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WriteFixed(c.value, c.decimals), c.text) << c.value;
  }
  EXPECT_EQ(WriteFixed(std::numeric_limits<double>::max(), 0),
            Printed(std::numeric_limits<double>::max(), 0));
}

}  // namespace
