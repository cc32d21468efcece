// Writes the inputs of the differential test of the WebAssembly core, each
// with the text this native build of the core gives for it: the worked
// examples, random bytes of random length, random decimal and prefixed texts,
// and fine sweeps of temperatures. Each record on standard output is one byte
// of input length, the input, one byte of text length, then the text.
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "core/estimate.h"

namespace {

constexpr int RANDOM_BYTE_TEXTS = 350000;
constexpr int RANDOM_DECIMAL_TEXTS = 450000;
constexpr int RANDOM_PREFIXED_TEXTS = 150000;
constexpr std::uint64_t SEED = 20261208;
// A field's text never holds a NUL, and the window reads at most this much of it.
constexpr int LONGEST_INPUT = INPUT_TEXT_LIMIT - 1;

const char* const WORKED_EXAMPLES[] = {
    "20",
    "15",
    "10",
    "25",
    "30",
    "12.75",
    "6",
    "5.5",
    "5.45",
    "5",
    "0",
    "",
    " 20",
    "-3",
    "&H14",
    "1000000",
    "5.45121951219512",
    "20abc",
    "20,5",
    "&HFFFFFFFF",
    "&O37777777777",
};

// A temperature sweep: from `first` to `last` thousandths of `unit`, written
// with `decimals` digits after the point.
struct Sweep {
  int first;
  int last;
  double unit;
  int decimals;
};

const Sweep SWEEPS[] = {
    {-20000, 60000, 0.001, 3},     // -20 to 60 degrees in steps of 0.001
    {540000, 550000, 0.00001, 5},  // across the threshold in steps of 0.00001
};

// The text for `input` as the window gives it: the window reads at most
// LONGEST_INPUT characters of its field.
void Write(const std::string& input) {
  std::string text = OnCalculate(std::string_view(input).substr(0, LONGEST_INPUT));
  std::putchar(static_cast<int>(input.size()));
  std::fwrite(input.data(), 1, input.size(), stdout);
  std::putchar(static_cast<int>(text.size()));
  std::fwrite(text.data(), 1, text.size(), stdout);
}

std::string RandomBytes(std::mt19937_64& random) {
  std::uniform_int_distribution<int> length(0, LONGEST_INPUT);
  std::uniform_int_distribution<int> byte(1, 255);
  std::string text(static_cast<std::size_t>(length(random)), ' ');
  for (char& c : text) {
    c = static_cast<char>(byte(random));
  }
  return text;
}

// Picks `count` characters from `alphabet`.
std::string RandomRun(std::mt19937_64& random, const std::string& alphabet, int count) {
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::string run;
  for (int i = 0; i < count; ++i) {
    run += alphabet[pick(random)];
  }
  return run;
}

// An optional minus, up to 8 digits, an optional point and up to 16 digits.
std::string RandomDecimal(std::mt19937_64& random) {
  std::uniform_int_distribution<int> coin(0, 1);
  std::uniform_int_distribution<int> whole(0, 8);
  std::uniform_int_distribution<int> fraction(0, 16);
  std::string text = coin(random) ? "-" : "";
  text += RandomRun(random, "0123456789", whole(random));
  if (coin(random)) {
    text += '.';
    text += RandomRun(random, "0123456789", fraction(random));
  }
  return text;
}

// "&H" or "&O" in either case, then up to 12 digits of either base.
std::string RandomPrefixed(std::mt19937_64& random) {
  std::uniform_int_distribution<int> coin(0, 1);
  std::uniform_int_distribution<int> count(0, 12);
  std::string text = coin(random) ? "&H" : "&o";
  text += RandomRun(random, "0123456789abcdefABCDEFgG", count(random));
  return text;
}

}  // namespace

int main() {
  for (const char* example : WORKED_EXAMPLES) {
    Write(example);
  }
  // Digits up to the last character read, and past it.
  Write(std::string(LONGEST_INPUT - 2, '0') + "20");
  Write(std::string(LONGEST_INPUT - 1, '0') + "20");
  std::mt19937_64 random(SEED);
  for (int i = 0; i < RANDOM_BYTE_TEXTS; ++i) {
    Write(RandomBytes(random));
  }
  for (int i = 0; i < RANDOM_DECIMAL_TEXTS; ++i) {
    Write(RandomDecimal(random));
  }
  for (int i = 0; i < RANDOM_PREFIXED_TEXTS; ++i) {
    Write(RandomPrefixed(random));
  }
  for (const Sweep& sweep : SWEEPS) {
    for (int step = sweep.first; step <= sweep.last; ++step) {
      char text[32];
      std::snprintf(text, sizeof text, "%.*f", sweep.decimals, step * sweep.unit);
      Write(text);
    }
  }
  return 0;
}
