#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr char MINUS_SIGN = '-';
constexpr char DECIMAL_POINT = '.';
constexpr char PREFIX_MARK = '&';
constexpr char HEXADECIMAL_MARK = 'H';
constexpr char OCTAL_MARK = 'O';
constexpr std::uint32_t HEXADECIMAL_BASE = 16;
constexpr std::uint32_t OCTAL_BASE = 8;
constexpr int NOT_A_DIGIT = -1;
constexpr int FIRST_LETTER_DIGIT = 10;  // 'A' in hexadecimal

constexpr double DECIMAL_BASE = 10.0;
constexpr double NEGATE = -1.0;

// The normalised value lies in [NORMALISED_LOW, NORMALISED_HIGH). Both bounds
// sit a hair below 1 and 10, so a value just under a power of ten keeps the
// smaller exponent and comes out with a first digit 0 that the rounding or
// the layout takes care of.
constexpr double NORMALISED_LOW = 0.999999999999999;
constexpr double NORMALISED_HIGH = 9.99999999999999;
// Ten times the remainder after the last digit at or above this rounds up.
constexpr double ROUND_UP_REMAINDER = 5.0;

// Exponents outside [SMALLEST_PLAIN_EXPONENT, LARGEST_PLAIN_EXPONENT] are
// written in exponent form.
constexpr int LARGEST_PLAIN_EXPONENT = 15;
constexpr int SMALLEST_PLAIN_EXPONENT = -3;
// Sign, digit, point, 14 digits, "e" and a four-character exponent.
constexpr std::size_t OUTPUT_TEXT_LIMIT = 22;
constexpr std::size_t EXPONENT_TEXT_LIMIT = 8;
constexpr const char* LARGE_EXPONENT_FORMAT = "+%03d";
constexpr const char* SMALL_EXPONENT_FORMAT = "%03d";
// Digits after the point that hold any double exactly: the smallest
// subnormal, 2^-1074, has 1074 of them.
constexpr int EXACT_DECIMALS = 1074;
// A first dropped digit from this one on rounds up.
constexpr char HALF_DIGIT = '5';

// `value` written by the C library with `decimals` digits after the point.
std::string PrintedFixed(double value, int decimals) {
  int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
  std::string text(static_cast<std::size_t>(length), '\0');
  std::snprintf(text.data(), text.size() + 1, "%.*f", decimals, value);
  return text;
}

// The platform's ANSI upper-casing only matters for ASCII letters here.
char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Value of `c` as a digit in `base` (8, 10 or 16, upper-case letters only),
// or NOT_A_DIGIT.
int DigitValue(char c, std::uint32_t base) {
  int value = NOT_A_DIGIT;
  if (c >= '0' && c <= '9') {
    value = c - '0';
  } else if (c >= 'A' && c <= 'F') {
    value = c - 'A' + FIRST_LETTER_DIGIT;
  }
  return (value != NOT_A_DIGIT && static_cast<std::uint32_t>(value) < base) ? value : NOT_A_DIGIT;
}

// Length of the run of `base` digits that starts at `start`.
std::size_t DigitRunLength(std::string_view text, std::size_t start, std::uint32_t base,
                           bool upperCase) {
  std::size_t end = start;
  while (end < text.size()) {
    char c = upperCase ? UpperAscii(text[end]) : text[end];
    if (DigitValue(c, base) == NOT_A_DIGIT) {
      break;
    }
    ++end;
  }
  return end - start;
}

// "&H..." or "&O...": the digit run modulo 2^32, read as a signed 32-bit
// value; the prefix and the run are the characters used.
ScannedNumber ScanPrefixedInteger(std::string_view text) {
  constexpr std::size_t MARK_POSITION = 1;
  constexpr std::size_t FIRST_DIGIT_POSITION = 2;
  if (text.size() <= MARK_POSITION) {
    return {0.0, 0};
  }
  std::uint32_t base = 0;
  switch (UpperAscii(text[MARK_POSITION])) {
    case HEXADECIMAL_MARK:
      base = HEXADECIMAL_BASE;
      break;
    case OCTAL_MARK:
      base = OCTAL_BASE;
      break;
    default:
      return {0.0, 0};
  }
  std::size_t length = DigitRunLength(text, FIRST_DIGIT_POSITION, base, true);

  // From the last digit back to the first, with place values that wrap modulo
  // 2^32; each digit x place product counts as a signed 32-bit value.
  double value = 0.0;
  std::uint32_t place = 1;
  for (std::size_t i = FIRST_DIGIT_POSITION + length; i > FIRST_DIGIT_POSITION; --i) {
    auto digit = static_cast<std::uint32_t>(DigitValue(UpperAscii(text[i - 1]), base));
    std::uint32_t product = digit * place;
    value = value + static_cast<std::int32_t>(product);
    place = place * base;
  }
  return {value, length == 0 ? 0 : FIRST_DIGIT_POSITION + length};
}

// [-]digits[.digits], each operation rounded to double in the order below;
// the characters up to the last digit (and a point right after the whole
// digits) are used, none when there is no digit.
ScannedNumber ScanDecimal(std::string_view text) {
  constexpr std::uint32_t BASE = 10;
  std::size_t position = 0;
  bool negative = false;
  if (!text.empty() && text[0] == MINUS_SIGN) {
    negative = true;
    ++position;
  }
  std::size_t runStart = position;
  std::size_t runLength = DigitRunLength(text, runStart, BASE, false);

  // Integer part, from the last digit back to the first.
  double value = 0.0;
  double place = 1.0;
  for (std::size_t i = runStart + runLength; i > runStart; --i) {
    double product = DigitValue(text[i - 1], BASE) * place;
    value = product + value;
    place = place * DECIMAL_BASE;
  }
  position = runStart + runLength;

  // Fraction: each digit divided by its place value, then added.
  std::size_t fractionLength = 0;
  if (position < text.size() && text[position] == DECIMAL_POINT) {
    place = DECIMAL_BASE;
    for (++position; position < text.size(); ++position) {
      int digit = DigitValue(text[position], BASE);
      if (digit == NOT_A_DIGIT) {
        break;
      }
      double part = digit / place;
      value = value + part;
      place = place * DECIMAL_BASE;
      ++fractionLength;
    }
  }

  if (negative) {
    value = value * NEGATE;
  }
  return {value, runLength + fractionLength == 0 ? 0 : position};
}

void FillZeros(std::span<std::uint8_t> digits) {
  for (auto& digit : digits) {
    digit = 0;
  }
}

// Writes one character per digit from `out` on and returns the new end.
char* PutDigits(char* out, std::span<const std::uint8_t> digits) {
  for (std::uint8_t digit : digits) {
    *out++ = static_cast<char>('0' + digit);
  }
  return out;
}

// d.dddddddddddddde<exponent>, every digit kept.
char* PutExponentForm(char* out, std::span<const std::uint8_t> digits, const char* format,
                      int exponent) {
  out = PutDigits(out, digits.first(1));
  *out++ = DECIMAL_POINT;
  out = PutDigits(out, digits.subspan(1));
  *out++ = 'e';
  std::array<char, EXPONENT_TEXT_LIMIT> exponentText{};
  int length = std::snprintf(exponentText.data(), exponentText.size(), format, exponent);
  return std::copy_n(exponentText.data(), length, out);
}

// Digits with the point placed by `exponent`, then trailing zeros and a bare
// trailing point removed. The point always stands, so the trimming ends there.
char* PutPlainForm(char* out, std::span<const std::uint8_t> digits, int exponent) {
  if (exponent > 0) {
    auto wholeDigits = static_cast<std::size_t>(exponent);
    out = PutDigits(out, digits.first(wholeDigits));
    *out++ = DECIMAL_POINT;
    out = PutDigits(out, digits.subspan(wholeDigits));
  } else {
    *out++ = '0';
    *out++ = DECIMAL_POINT;
    out = std::fill_n(out, -exponent, '0');
    out = PutDigits(out, digits);
  }
  while (out[-1] == '0') {
    --out;
  }
  if (out[-1] == DECIMAL_POINT) {
    --out;
  }
  return out;
}

}  // namespace

ScannedNumber ScanNumber(std::string_view text) {
  if (!text.empty() && text[0] == PREFIX_MARK) {
    return ScanPrefixedInteger(text);
  }
  return ScanDecimal(text);
}

double ReadNumber(std::string_view text) {
  return ScanNumber(text).value;
}

std::size_t NumberTextLength(std::string_view text) {
  return ScanNumber(text).length;
}

void RoundUpDigit(std::span<std::uint8_t> digits, std::size_t index) {
  constexpr std::uint8_t LARGEST_DIGIT = 9;
  if (index >= digits.size()) {
    return;
  }
  for (std::size_t i = index + 1; i-- > 0;) {
    if (digits[i] < LARGEST_DIGIT) {
      ++digits[i];
      return;
    }
    digits[i] = 0;
  }
}

DigitPlacement DecimalDigits(double x, std::span<std::uint8_t> digits) {
  // 1. Zero of either sign and NaN: all zeros.
  if (x == 0.0 || std::isnan(x)) {
    FillZeros(digits);
    return {0, false};
  }

  // 2. Sign.
  bool negative = false;
  if (x < 0.0) {
    negative = true;
    x = x * NEGATE;
  }
  if (std::isinf(x)) {
    FillZeros(digits);
    return {0, negative};
  }

  // 3. Normalise into [NORMALISED_LOW, NORMALISED_HIGH).
  int exponent = 1;
  while (x < NORMALISED_LOW) {
    x = x * DECIMAL_BASE;
    --exponent;
  }
  while (x >= NORMALISED_HIGH) {
    x = x / DECIMAL_BASE;
    ++exponent;
  }

  // 4. One digit per step: take the whole part, multiply the rest by ten.
  //    x stays in [0, 10), where truncation is the floor.
  for (auto& digit : digits) {
    int whole = static_cast<int>(x);
    digit = static_cast<std::uint8_t>(whole);
    double rest = x - whole;
    x = rest * DECIMAL_BASE;
  }

  // 5. x now holds ten times the remainder: round the last digit half up.
  if (!digits.empty() && x >= ROUND_UP_REMAINDER) {
    RoundUpDigit(digits, digits.size() - 1);
  }
  return {exponent, negative};
}

std::string WriteFixed(double value, int decimals) {
  if (!std::isfinite(value)) {
    return PrintedFixed(value, decimals);
  }
  // 1. The value's exact decimal expansion: every digit a double has.
  std::string exact = PrintedFixed(value, EXACT_DECIMALS);
  // 2. Keep `decimals` digits after the point (and the point only with them).
  std::size_t point = exact.find(DECIMAL_POINT);
  std::size_t firstDropped = point + 1 + static_cast<std::size_t>(decimals);
  std::string text = exact.substr(0, decimals > 0 ? firstDropped : point);
  // 3. Halves up: a first dropped digit of 5 or more adds one to the last
  //    digit kept, carrying to the left; 8.25 gives "8.3", -270.25 "-270.3".
  if (exact[firstDropped] >= HALF_DIGIT) {
    std::size_t position = text.size();
    while (position > 0 && (text[position - 1] == '9' || text[position - 1] == DECIMAL_POINT)) {
      --position;
      if (text[position] == '9') {
        text[position] = '0';
      }
    }
    if (position > 0 && text[position - 1] != MINUS_SIGN) {
      ++text[position - 1];
    } else {
      text.insert(position, 1, '1');
    }
  }
  return text;
}

std::string WriteNumber(double value) {
  if (std::isinf(value)) {
    return value < 0.0 ? "-inf" : "inf";
  }
  std::array<std::uint8_t, SIGNIFICANT_DIGITS> digits;
  DigitPlacement placement = DecimalDigits(value, digits);

  // Every form fits: the exponent of a finite double has at most three digits.
  std::array<char, OUTPUT_TEXT_LIMIT> text;
  char* end = text.data();
  if (placement.negative) {
    *end++ = MINUS_SIGN;
  }
  if (placement.exponent > LARGEST_PLAIN_EXPONENT) {
    end = PutExponentForm(end, digits, LARGE_EXPONENT_FORMAT, placement.exponent - 1);
  } else if (placement.exponent < SMALLEST_PLAIN_EXPONENT) {
    end = PutExponentForm(end, digits, SMALL_EXPONENT_FORMAT, placement.exponent - 1);
  } else {
    end = PutPlainForm(end, digits, placement.exponent);
  }
  return std::string(text.data(), end);
}
