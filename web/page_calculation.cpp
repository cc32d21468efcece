#include "web/page_calculation.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/estimate.h"
#include "core/number_text.h"
#include "core/quick_table.h"
#include "resources/page_texts.h"

namespace {

constexpr const char* VALUE_MARK = "%s";
// Digits after the point of the threshold temperature: "5.45".
constexpr int THRESHOLD_DECIMALS = 2;
// From this many whole days on, the reading gives whole days and years.
constexpr double WHOLE_DAYS_FROM = 1000.0;
constexpr double DAYS_PER_YEAR = 365.2425;
constexpr int YEAR_DECIMALS = 1;
constexpr int WHOLE_DECIMALS = 0;
// A period shorter than this rounds to 0.0 days: no real temperature gives it.
constexpr double SHORTEST_PERIOD = 0.05;
constexpr int DIGITS_PER_GROUP = 3;
constexpr char GROUP_SEPARATOR = ',';
// Ends the period in words when a sentence follows it.
constexpr const char* SENTENCE_END = "。";

// How a period reads in words.
enum class PeriodKind {
  Develops,       // positive and finite
  NoDevelopment,  // negative, or infinite at the threshold
  FarOutside,     // zero, rounds to 0.0 days, or not a number
};

PeriodKind KindOf(float period) {
  double days = static_cast<double>(period);
  if (std::isnan(days) || std::fabs(days) < SHORTEST_PERIOD) {
    return PeriodKind::FarOutside;
  }
  return EggsDevelop(period) ? PeriodKind::Develops : PeriodKind::NoDevelopment;
}

// "1515152" as "1,515,152"; a leading minus sign stays in front.
std::string WithGroupSeparators(std::string digits) {
  std::size_t firstDigit = (!digits.empty() && digits[0] == '-') ? 1 : 0;
  std::size_t end = digits.find('.');
  if (end == std::string::npos) {
    end = digits.size();
  }
  for (std::size_t position = end; position > firstDigit + DIGITS_PER_GROUP;) {
    position -= DIGITS_PER_GROUP;
    digits.insert(position, 1, GROUP_SEPARATOR);
  }
  return digits;
}

// "約 8.4 日", or "約 2,500 日（約 6.8 年）" for a long period.
std::string PeriodWords(float period) {
  double wholeDays = WholeDays(period);
  if (wholeDays < WHOLE_DAYS_FROM) {
    return Formatted(PERIOD_READING_FORMAT, {RoundedPeriod(period)});
  }
  double years = wholeDays / DAYS_PER_YEAR;
  return Formatted(LONG_PERIOD_READING_FORMAT,
                   {WithGroupSeparators(WriteFixed(wholeDays, WHOLE_DECIMALS)),
                    WithGroupSeparators(WriteFixed(years, YEAR_DECIMALS))});
}

// What the temperature text was read as, when the number (`length`
// characters of it) was not all of it.
std::string InputNote(std::string_view text, std::size_t length, double temperature) {
  std::string used = WriteNumber(temperature);
  if (text.empty()) {
    return Formatted(EMPTY_INPUT_FORMAT, {used});
  }
  if (length == 0) {
    return Formatted(UNREADABLE_FORMAT, {used});
  }
  if (length < text.size()) {
    return Formatted(PARTLY_READ_FORMAT, {std::string(text.substr(0, length)), used});
  }
  return "";
}

// The period in words first, then how the text was read when that was not
// all of it, and the survival note above the quick table's range.
std::string Reading(std::string_view text, double temperature, float period) {
  std::size_t length = NumberTextLength(text);
  std::string note = InputNote(text, length, temperature);
  // Text with nothing readable: the note says so, and nothing is said of 0 degrees.
  if (length == 0) {
    return note;
  }
  switch (KindOf(period)) {
    case PeriodKind::FarOutside:
      return FAR_OUTSIDE_TEXT + note;
    case PeriodKind::NoDevelopment:
      return Formatted(NO_DEVELOPMENT_FORMAT, {ThresholdText()}) + note;
    case PeriodKind::Develops:
      break;
  }
  if (temperature > QUICK_TABLE_LAST_TEMPERATURE) {
    note += Formatted(ABOVE_QUICK_TABLE_FORMAT, {std::to_string(QUICK_TABLE_LAST_TEMPERATURE)});
  }
  std::string words = PeriodWords(period);
  return note.empty() ? words : words + SENTENCE_END + note;
}

// A date in words, marked for the page's <time> element.
std::string MarkedDate(CivilDate date) {
  char iso[sizeof "9999-12-31"];
  std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", date.year, date.month, date.day);
  const char* weekday = WEEKDAY_NAMES[Weekday(DaysFromCivil(date))];
  std::string words = Formatted(
      HATCH_DATE_FORMAT,
      {std::to_string(date.year), std::to_string(date.month), std::to_string(date.day), weekday});
  return DATE_MARK + std::string(iso) + DATE_TEXT_MARK + words + DATE_MARK;
}

// The hatch date for eggs that develop, or that it lies past the last date.
std::string HatchWords(CivilDate laid, float period) {
  std::optional<CivilDate> hatch = HatchDate(laid, period);
  return hatch ? MarkedDate(*hatch) : HATCH_TOO_LATE_TEXT;
}

std::string Hatch(std::optional<CivilDate> laid, float period) {
  if (KindOf(period) != PeriodKind::Develops) {
    return "";
  }
  return laid ? HatchWords(*laid, period) : NO_LAYING_DATE_TEXT;
}

// The earliest hatch date comes from the higher temperature, the latest from
// the lower; either field may hold either.
std::string Range(std::optional<CivilDate> laid, std::string_view lowestText,
                  std::string_view highestText) {
  if (lowestText.empty() && highestText.empty()) {
    return "";
  }
  if (lowestText.empty() || highestText.empty()) {
    return RANGE_ONE_FIELD_TEXT;
  }
  double lower = ReadNumber(lowestText);
  double higher = ReadNumber(highestText);
  if (higher < lower) {
    std::swap(lower, higher);
  }
  float longest = EggPeriodEstimate(lower);
  float shortest = EggPeriodEstimate(higher);
  std::vector<std::string> values = {WriteNumber(lower), WriteNumber(higher)};
  PeriodKind lowerKind = KindOf(longest);
  PeriodKind higherKind = KindOf(shortest);
  if (lowerKind == PeriodKind::FarOutside || higherKind == PeriodKind::FarOutside) {
    return Formatted(RANGE_FAR_OUTSIDE_FORMAT, values);
  }
  if (higherKind == PeriodKind::NoDevelopment) {
    values.push_back(ThresholdText());
    return Formatted(RANGE_NO_DEVELOPMENT_FORMAT, values);
  }
  if (!laid) {
    return RANGE_NO_LAYING_DATE_TEXT;
  }
  values.push_back(HatchWords(*laid, shortest));
  if (lowerKind == PeriodKind::NoDevelopment) {
    values.push_back(ThresholdText());
    return Formatted(RANGE_NO_LATEST_FORMAT, values);
  }
  values.push_back(HatchWords(*laid, longest));
  return Formatted(RANGE_FORMAT, values);
}

}  // namespace

std::string Formatted(const char* format, const std::vector<std::string>& values) {
  std::string text = format;
  std::size_t position = 0;
  for (const std::string& value : values) {
    position = text.find(VALUE_MARK, position);
    text.replace(position, std::strlen(VALUE_MARK), value);
    position += value.size();
  }
  return text;
}

std::string ThresholdText() {
  return WriteFixed(DevelopmentThreshold(), THRESHOLD_DECIMALS);
}

PageResult CalculatePageResult(std::string_view temperatureText, std::optional<CivilDate> laid,
                               std::string_view lowestText, std::string_view highestText) {
  double temperature = ReadNumber(temperatureText);
  float period = EggPeriodEstimate(temperature);
  return {OnCalculate(temperatureText), Reading(temperatureText, temperature, period),
          Hatch(laid, period), Range(laid, lowestText, highestText)};
}
