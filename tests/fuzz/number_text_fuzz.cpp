// Any bytes as the temperature text, and any 8 bytes as a double to write:
// neither may crash, trip a sanitizer, or write more than LONGEST_RESULT_TEXT
// characters. The characters the reader says it used give the same number,
// bit for bit, as the whole text; a text with none used reads as zero.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "core/estimate.h"
#include "core/number_text.h"
#include "tests/longest_result.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (OnCalculate(text).size() > LONGEST_RESULT_TEXT) {
    std::abort();
  }
  ScannedNumber whole = ScanNumber(text);
  double used = ReadNumber(text.substr(0, whole.length));
  if (whole.length == 0 ? whole.value != 0.0 : std::memcmp(&used, &whole.value, sizeof used) != 0) {
    std::abort();
  }
  if (size >= sizeof(double)) {
    double value;
    std::memcpy(&value, data, sizeof value);
    if (WriteNumber(value).size() > LONGEST_RESULT_TEXT) {
      std::abort();
    }
  }
  return 0;
}
