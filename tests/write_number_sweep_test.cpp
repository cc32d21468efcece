// Property sweep over float values widened to double, as the estimate is:
// every written text is short, has one of the two documented shapes, and
// reads back close to the value.
#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
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

}  // namespace
