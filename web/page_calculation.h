// What the browser page shows for one calculation: the calculator's text, the
// period in plain words, the hatch date and the hatch dates over a range of
// water temperatures. Every number and date in them is written here, in C++.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "web/page_format.h"

struct PageResult {
  std::string period;  // the calculator's text: "8.38222980499268"
  std::string words;   // the period in plain words: "約8.4日", or empty
  std::string note;    // how the input was read, and what the period means
  std::string hatch;   // a marked date, a sentence, or empty
  std::string range;   // the earliest and latest hatch dates, or empty
};

// A press's result as the page reads it: one row, its fields in this order.
inline constexpr RowField<PageResult> PAGE_RESULT_FIELDS[] = {{"period", &PageResult::period},
                                                              {"words", &PageResult::words},
                                                              {"note", &PageResult::note},
                                                              {"hatch", &PageResult::hatch},
                                                              {"range", &PageResult::range}};

// `laid` is empty when no laying date is given, `today` when the device's date
// is not known. The temperature texts are the fields' texts, each already cut
// to the length the calculation reads.
PageResult CalculatePageResult(std::string_view temperatureText, std::optional<CivilDate> laid,
                               std::optional<CivilDate> today, std::string_view lowestText,
                               std::string_view highestText);

// A date marked for the page's <time> element: "2026年6月9日" and its weekday
// in `weekdayFormat` ("（{weekday}）ごろ"), then how far it is from today when
// today is known.
std::string MarkedDate(CivilDate date, const char* weekdayFormat, std::optional<CivilDate> today);

// The threshold temperature as the page writes it: "5.45".
std::string ThresholdText();

// How a period reads in words.
enum class PeriodKind {
  Develops,       // positive and finite, at least SHORTEST_PERIOD
  NoDevelopment,  // negative, or infinite: at or below the threshold, however far
  FarOutside,     // zero, positive but rounding to 0.0 days, or not a number
};
PeriodKind PeriodKindOf(float period);
