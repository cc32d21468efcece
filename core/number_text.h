// Number text conversion: reading the temperature the user typed and writing
// the estimate shown in the result field. Works on single-byte text
// (code page 932); only ASCII characters carry meaning.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Significant decimal digits written for every number.
inline constexpr int SIGNIFICANT_DIGITS = 15;

// A number read from the start of a text, and how many characters it used.
struct ScannedNumber {
  double value;
  std::size_t length;  // 0 when no digit was read
};

// Walks the calculator's number syntax once, and never fails:
//  - "&H" or "&O" (either case) followed by hexadecimal or octal digits gives a
//    32-bit two's-complement integer;
//  - anything else is an optional "-", decimal digits and an optional ".fraction".
// Reading stops at the first character that does not fit; text that does not
// start like a number reads as 0 (or -0 after a lone "-") with length 0.
ScannedNumber ScanNumber(std::string_view text);

// The number at the start of `text`, as ScanNumber reads it.
double ReadNumber(std::string_view text);

// How many leading characters of `text` ScanNumber uses for its number: "20"
// of "20abc", "&H14" of "&H14", "7." of "7.". 0 when the text does not start
// with a number (no digit is read: "", "abc", "-", "+20", "&H").
std::size_t NumberTextLength(std::string_view text);

// Writes `value` with SIGNIFICANT_DIGITS digits, rounded half up: plain
// decimal (trailing zeros trimmed) from 0.0001 to just under 1e15, otherwise
// "d.dddddddddddddde+XXX" / "d.dddddddddddddde-XX". Infinities are written
// "inf" / "-inf" and NaN as "0". The text never exceeds 22 characters.
std::string WriteNumber(double value);

// Writes `value` rounded to `decimals` digits after the point, halves up (away
// from zero) on the value's exact decimal expansion, as people round and as
// the quick table and the page's plain-words reading show it: "8.4", "5.45",
// 8.25 as "8.3", "inf".
std::string WriteFixed(double value, int decimals);

// Where the generated digits stand: `exponent` is the number of digits before
// the decimal point (1 for 8.38, 0 for 0.5, -3 for 0.00012).
struct DigitPlacement {
  int exponent;
  bool negative;
};

// Fills `digits` (one decimal digit 0-9 per element) by repeatedly taking the
// whole part and multiplying the rest by ten, then rounds the last digit half
// up. Zero of either sign and NaN give all zeros with exponent 0. An infinity
// has no digits: it gives all zeros with exponent 0 and its sign.
DigitPlacement DecimalDigits(double x, std::span<std::uint8_t> digits);

// Adds one to digits[index], carrying into the digits to its left. A carry out
// of digits[0] is dropped.
void RoundUpDigit(std::span<std::uint8_t> digits, std::size_t index);
