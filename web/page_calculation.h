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
// <time> element whose datetime is the YYYY-MM-DD form. The words are pieces
// that never break across lines, with DATE_BREAK where a line may break:
// "2026年12月17日", "（木）ごろ" and how far the date is from today.
inline constexpr char DATE_MARK = '\x01';
inline constexpr char DATE_TEXT_MARK = '\x02';
inline constexpr char DATE_BREAK = '\x03';
// Between the fields of a result handed to the page, and after each row of a
// table.
inline constexpr char FIELD_SEPARATOR = '\t';
inline constexpr char ROW_SEPARATOR = '\n';

// The marks and separators above as a JSON object, which the page's script is
// built with: {"dateMark": "\u0001", ...}.
std::string PageFormatJson();

struct PageResult {
  std::string period;  // the calculator's text: "8.38222980499268"
  std::string words;   // the period in plain words: "約8.4日", or empty
  std::string note;    // how the input was read, and what the period means
  std::string hatch;   // a marked date, a sentence, or empty
  std::string range;   // the earliest and latest hatch dates, or empty
};

// `laid` is empty when no laying date is given, `today` when the device's date
// is not known. The temperature texts are the fields' texts, each already cut
// to the length the calculation reads.
PageResult CalculatePageResult(std::string_view temperatureText, std::optional<CivilDate> laid,
                               std::optional<CivilDate> today, std::string_view lowestText,
                               std::string_view highestText);

// A value for the placeholder "{name}" of a page text.
struct Filling {
  std::string_view name;
  std::string value;
};

// `format` with each "{name}" replaced by the value of its filling. A
// placeholder without a filling, or a filling without a placeholder, is a
// mistake in the program: it stops there (std::abort), so that the tests,
// which write every text, and the build, which writes the page's texts, fail.
std::string Formatted(std::string_view format, const std::vector<Filling>& fillings);

// A date as YYYY-MM-DD.
std::string IsoDate(CivilDate date);

// A date marked for the page's <time> element: "2026年6月9日" and its weekday
// in `weekdayFormat` ("（{weekday}）ごろ"), then how far it is from today when
// today is known.
std::string MarkedDate(CivilDate date, const char* weekdayFormat, std::optional<CivilDate> today);

// The threshold temperature as the page writes it: "5.45".
std::string ThresholdText();
