#include "web/page_calculation.h"

#include <algorithm>
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

// How a period reads in words.
enum class PeriodKind {
  Develops,       // positive and finite, at least SHORTEST_PERIOD
  NoDevelopment,  // negative, or infinite: at or below the threshold, however far
  FarOutside,     // zero, positive but rounding to 0.0 days, or not a number
};

PeriodKind KindOf(float period) {
  double days = static_cast<double>(period);
  if (std::isnan(days) || (days >= 0.0 && days < SHORTEST_PERIOD)) {
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

// "約8.4日", or "約2,500日（約6.8年）" for a long period.
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

struct Reading {
  std::string words;
  std::string note;
};

// The period in words, and as the note what the period means when it is no
// number of days, how the text was read when that was not all of it, and the
// survival note above the quick table's range.
Reading ReadingOf(std::string_view text, double temperature, float period) {
  std::size_t length = NumberTextLength(text);
  std::string note = InputNote(text, length, temperature);
  // Text with nothing readable: the note says so, and nothing is said of 0 degrees.
  if (length == 0) {
    return {"", note};
  }
  switch (KindOf(period)) {
    case PeriodKind::FarOutside:
      return {"", FAR_OUTSIDE_TEXT + note};
    case PeriodKind::NoDevelopment:
      return {"", Formatted(NO_DEVELOPMENT_FORMAT, {ThresholdText()}) + note};
    case PeriodKind::Develops:
      break;
  }
  if (temperature > QUICK_TABLE_LAST_TEMPERATURE) {
    note += Formatted(ABOVE_QUICK_TABLE_FORMAT, {std::to_string(QUICK_TABLE_LAST_TEMPERATURE)});
  }
  return {PeriodWords(period), note};
}

// How far `date` is from today: "（あと8日）", "（今日）", "（3日前）".
std::string DaysFromToday(CivilDate date, CivilDate today) {
  std::int64_t days = DaysFromCivil(date) - DaysFromCivil(today);
  if (days > 0) {
    return Formatted(DAYS_AHEAD_FORMAT, {std::to_string(days)});
  }
  if (days < 0) {
    return Formatted(DAYS_AGO_FORMAT, {std::to_string(-days)});
  }
  return TODAY_TEXT;
}

// A date in words, marked for the page's <time> element, with how far it is
// from today when today is known.
std::string MarkedDate(CivilDate date, std::optional<CivilDate> today) {
  char iso[sizeof "9999-12-31"];
  std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", date.year, date.month, date.day);
  const char* weekday = WEEKDAY_NAMES[Weekday(DaysFromCivil(date))];
  std::string words = Formatted(DATE_FORMAT, {std::to_string(date.year), std::to_string(date.month),
                                              std::to_string(date.day)}) +
                      DATE_BREAK + Formatted(ABOUT_WEEKDAY_FORMAT, {weekday});
  if (today && IsValidDate(*today)) {
    words += DATE_BREAK + DaysFromToday(date, *today);
  }
  return DATE_MARK + std::string(iso) + DATE_TEXT_MARK + words + DATE_MARK;
}

// The hatch date for eggs that develop, or that it lies past the last date.
std::string HatchWords(CivilDate laid, std::optional<CivilDate> today, float period) {
  std::optional<CivilDate> hatch = HatchDate(laid, period);
  return hatch ? MarkedDate(*hatch, today) : HATCH_TOO_LATE_TEXT;
}

std::string Hatch(std::optional<CivilDate> laid, std::optional<CivilDate> today, float period) {
  if (KindOf(period) != PeriodKind::Develops) {
    return "";
  }
  return laid ? HatchWords(*laid, today, period) : NO_LAYING_DATE_TEXT;
}

// One of the range's fields as it was read.
struct RangeField {
  const char* label;
  std::string_view text;
  std::size_t length;  // characters read as the number
  double temperature;
};

RangeField ReadRangeField(const char* label, std::string_view text) {
  return {label, text, NumberTextLength(text), ReadNumber(text)};
}

// The earliest hatch date comes from the higher temperature, the latest from
// the lower; either field may hold either. A field that cannot be read gives
// no dates at all, and one read only in part says which part was read.
std::string Range(std::optional<CivilDate> laid, std::optional<CivilDate> today,
                  std::string_view lowestText, std::string_view highestText) {
  if (lowestText.empty() && highestText.empty()) {
    return "";
  }
  if (lowestText.empty() || highestText.empty()) {
    return RANGE_ONE_FIELD_TEXT;
  }
  const RangeField fields[] = {ReadRangeField(LOWEST_LABEL, lowestText),
                               ReadRangeField(HIGHEST_LABEL, highestText)};
  std::string unreadable;
  std::string notes;
  for (const RangeField& field : fields) {
    if (field.length == 0) {
      unreadable += Formatted(RANGE_UNREADABLE_FORMAT, {field.label});
    } else if (field.length < field.text.size()) {
      notes += Formatted(RANGE_PARTLY_READ_FORMAT,
                         {field.label, std::string(field.text.substr(0, field.length)),
                          WriteNumber(field.temperature)});
    }
  }
  if (!unreadable.empty()) {
    return unreadable;
  }
  double lower = std::min(fields[0].temperature, fields[1].temperature);
  double higher = std::max(fields[0].temperature, fields[1].temperature);
  float longest = EggPeriodEstimate(lower);
  float shortest = EggPeriodEstimate(higher);
  std::vector<std::string> values = {WriteNumber(lower), WriteNumber(higher)};
  switch (KindOf(shortest)) {
    case PeriodKind::FarOutside:
      return Formatted(RANGE_FAR_OUTSIDE_FORMAT, values) + notes;
    case PeriodKind::NoDevelopment:
      values.push_back(ThresholdText());
      return Formatted(RANGE_NO_DEVELOPMENT_FORMAT, values) + notes;
    case PeriodKind::Develops:
      break;
  }
  if (!laid) {
    return RANGE_NO_LAYING_DATE_TEXT + notes;
  }
  values.push_back(HatchWords(*laid, today, shortest));
  // The lower temperature is at or below the threshold: development stops
  // while the water is that cold, so there is no latest date.
  if (KindOf(longest) != PeriodKind::Develops) {
    values.push_back(ThresholdText());
    return Formatted(RANGE_NO_LATEST_FORMAT, values) + notes;
  }
  values.push_back(HatchWords(*laid, today, longest));
  return Formatted(RANGE_FORMAT, values) + notes;
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
                               std::optional<CivilDate> today, std::string_view lowestText,
                               std::string_view highestText) {
  double temperature = ReadNumber(temperatureText);
  float period = EggPeriodEstimate(temperature);
  Reading reading = ReadingOf(temperatureText, temperature, period);
  return {OnCalculate(temperatureText), reading.words, reading.note, Hatch(laid, today, period),
          Range(laid, today, lowestText, highestText)};
}
