// Writes the inputs of the differential test of the WebAssembly core, each
// with the text this native build of the core gives for it: the worked
// examples, random texts of three kinds, and fine sweeps of temperatures. Each
// record on standard output is one byte of input length, the input, one byte
// of text length, then the text.
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "core/estimate.h"

namespace {

constexpr std::uint64_t SEED = 20261208;
// The window reads at most this much of its field.
constexpr std::size_t LONGEST_INPUT = READ_TEXT_LENGTH;

// clang-format off
const char* const WORKED_EXAMPLES[] = {
    "20", "15", "10", "25", "30", "12.75", "6", "5.5", "5.45", "5", "0", "", " 20", "-3", "&H14",
    "1000000", "5.45121951219512", "20abc", "20,5", "&HFFFFFFFF", "&O37777777777"};
// clang-format on

// Random texts: `count` of them, each one of `prefixes` and then up to
// `longest` characters drawn from `alphabet`.
struct RandomKind {
  int count;
  const char* prefixes[2];
  std::string alphabet;
  int longest;
};

// Every byte but NUL, which a field's text never holds.
std::string AllBytes() {
  std::string bytes;
  for (int byte = 1; byte <= 255; ++byte) {
    bytes += static_cast<char>(byte);
  }
  return bytes;
}

const RandomKind RANDOM_KINDS[] = {
    {350000, {"", ""}, AllBytes(), static_cast<int>(LONGEST_INPUT)},
    {450000, {"", "-"}, "0123456789.", 25},
    {150000, {"&H", "&o"}, "0123456789abcdefABCDEFgG", 12},
};

// A temperature sweep: from `first` to `last` times `unit`, written with
// `decimals` digits after the point.
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

// The text for `input` as the window gives it.
void Write(const std::string& input) {
  std::string text = OnCalculate(std::string_view(input).substr(0, LONGEST_INPUT));
  std::putchar(static_cast<int>(input.size()));
  std::fwrite(input.data(), 1, input.size(), stdout);
  std::putchar(static_cast<int>(text.size()));
  std::fwrite(text.data(), 1, text.size(), stdout);
}

std::string RandomText(std::mt19937_64& random, const RandomKind& kind) {
  std::uniform_int_distribution<int> prefix(0, 1);
  std::uniform_int_distribution<int> length(0, kind.longest);
  std::uniform_int_distribution<std::size_t> pick(0, kind.alphabet.size() - 1);
  std::string text = kind.prefixes[prefix(random)];
  for (int i = length(random); i > 0; --i) {
    text += kind.alphabet[pick(random)];
  }
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
  for (const RandomKind& kind : RANDOM_KINDS) {
    for (int i = 0; i < kind.count; ++i) {
      Write(RandomText(random, kind));
    }
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
