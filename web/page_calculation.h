// What the browser page shows for one calculation: the calculator's text, the
// period in plain words, the hatch date and the hatch dates over a range of
// water temperatures. Every number and date in them is written here, in C++.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"

// Marks a date in a page text: DATE_MARK, the date as YYYY-MM-DD,
// DATE_TEXT_MARK, the date in words, DATE_MARK. The page shows the words in a
// <time> element whose datetime is the YYYY-MM-DD form.
inline constexpr char DATE_MARK = '\x01';
inline constexpr char DATE_TEXT_MARK = '\x02';

struct PageResult {
  std::string period;   // the calculator's text: "8.38222980499268"
  std::string reading;  // "約 8.4 日", with a note on how the input was read
  std::string hatch;    // a marked date, a sentence, or empty
  std::string range;    // the earliest and latest hatch dates, or empty
};

// `laid` is empty when no laying date is given. The temperature texts are the
// fields' texts, each already cut to the length the calculation reads.
PageResult CalculatePageResult(std::string_view temperatureText, std::optional<CivilDate> laid,
                               std::string_view lowestText, std::string_view highestText);

// `format` with each "%s" replaced by the next of `values`.
std::string Formatted(const char* format, const std::vector<std::string>& values);

// The threshold temperature as the page writes it: "5.45".
std::string ThresholdText();
