#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

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
// The exponent is written with at least this many places, a negative one's
// sign among them: "e+015", "e-05", "e-100".
constexpr std::size_t EXPONENT_PLACES = 3;
constexpr char PLUS_SIGN = '+';
// A first dropped digit from this one on rounds up.
constexpr char HALF_DIGIT = '5';
// Bits of a double's significand. The exact expansion works on whole numbers
// in limbs of nine decimal digits, multiplied by at most 2^28 or 5^12 at a
// time so that a limb's product and carry fit 64 bits.
constexpr int SIGNIFICAND_BITS = 53;
constexpr std::uint32_t LIMB_BASE = 1000000000;
constexpr std::size_t LIMB_DIGITS = 9;
constexpr int TWOS_AT_A_TIME = 28;
constexpr int FIVES_AT_A_TIME = 12;

// limbs x factor, the limbs least significant first.
void MultiplyLimbs(std::vector<std::uint32_t>& limbs, std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (std::uint32_t& limb : limbs) {
    std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
    limb = static_cast<std::uint32_t>(product % LIMB_BASE);
    carry = product / LIMB_BASE;
  }
  for (; carry != 0; carry /= LIMB_BASE) {
    limbs.push_back(static_cast<std::uint32_t>(carry % LIMB_BASE));
  }
}

// The exact decimal expansion of finite `value`, "[-]digits.digits", with at
// least `leastDecimals` digits after the point. A double is a whole number
// times a power of two: times 2^e it is that number doubled e times; times
// 2^-e it is that number times 5^e with the point e digits from the right.
std::string ExactFixed(double value, int leastDecimals) {
  // 1. value = significand x 2^binaryExponent, the significand a whole number.
  int exponent = 0;
  double fraction = std::frexp(std::fabs(value), &exponent);
  auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, SIGNIFICAND_BITS));
  int binaryExponent = exponent - SIGNIFICAND_BITS;
  while (significand != 0 && significand % 2 == 0 && binaryExponent < 0) {
    significand /= 2;
    ++binaryExponent;
  }
  // 2. The whole number in limbs, scaled by the power of two.
  std::vector<std::uint32_t> limbs = {static_cast<std::uint32_t>(significand % LIMB_BASE),
                                      static_cast<std::uint32_t>(significand / LIMB_BASE)};
  for (int twos = binaryExponent; twos > 0; twos -= TWOS_AT_A_TIME) {
    MultiplyLimbs(limbs, std::uint32_t{1} << std::min(twos, TWOS_AT_A_TIME));
  }
  int decimals = 0;
  for (int fives = -binaryExponent; fives > 0; fives -= FIVES_AT_A_TIME) {
    std::uint32_t factor = 1;
    for (int i = 0; i < std::min(fives, FIVES_AT_A_TIME); ++i) {
      factor *= 5;
    }
    MultiplyLimbs(limbs, factor);
    decimals += std::min(fives, FIVES_AT_A_TIME);
  }
  // 3. The limbs as digits, most significant first.
  std::string digits;
  for (auto limb = limbs.rbegin(); limb != limbs.rend(); ++limb) {
    std::string part = std::to_string(*limb);
    digits += std::string(LIMB_DIGITS - part.size(), '0') + part;
  }
  // 4. Zeros after it until enough decimals stand, and before it until a
  //    digit stands before the point; then the point, with no leading zero
  //    but the one before it.
  if (decimals < leastDecimals) {
    digits.append(static_cast<std::size_t>(leastDecimals - decimals), '0');
    decimals = leastDecimals;
  }
  if (digits.size() <= static_cast<std::size_t>(decimals)) {
    digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
  }
  std::size_t whole = digits.size() - static_cast<std::size_t>(decimals);
  std::size_t firstDigit = std::min(digits.find_first_not_of('0'), whole - 1);
  std::string text =
      digits.substr(firstDigit, whole - firstDigit) + DECIMAL_POINT + digits.substr(whole);
  return std::signbit(value) ? MINUS_SIGN + text : text;
}

// Writes the exponent: "+015" for a large one, "-05" or "-100" for a small one.
char* PutExponent(char* out, int exponent) {
  *out++ = exponent < 0 ? MINUS_SIGN : PLUS_SIGN;
  std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
  std::size_t places = exponent < 0 ? EXPONENT_PLACES - 1 : EXPONENT_PLACES;
  if (digits.size() < places) {
    digits.insert(0, places - digits.size(), '0');
  }
  return std::copy(digits.begin(), digits.end(), out);
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
char* PutExponentForm(char* out, std::span<const std::uint8_t> digits, int exponent) {
  out = PutDigits(out, digits.first(1));
  *out++ = DECIMAL_POINT;
  out = PutDigits(out, digits.subspan(1));
  *out++ = 'e';
  return PutExponent(out, exponent);
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
  if (std::isnan(value)) {
    return "nan";
  }
  if (std::isinf(value)) {
    return value < 0.0 ? "-inf" : "inf";
  }
  // 1. The value's exact decimal expansion, down to the first digit dropped.
  std::string exact = ExactFixed(value, decimals + 1);
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
  if (placement.exponent > LARGEST_PLAIN_EXPONENT || placement.exponent < SMALLEST_PLAIN_EXPONENT) {
    end = PutExponentForm(end, digits, placement.exponent - 1);
  } else {
    end = PutPlainForm(end, digits, placement.exponent);
  }
  return std::string(text.data(), end);
}
