#include "web/page_calculation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/estimate.h"
#include "core/number_text.h"
#include "core/quick_table.h"
#include "resources/page_texts.h"

namespace {

// Digits after the point of the threshold temperature: "5.45".
constexpr int THRESHOLD_DECIMALS = 2;
// From this many whole days on, the reading gives whole days and years.
constexpr double WHOLE_DAYS_FROM = 1000.0;
// The mean length of a Gregorian year, for a long period in years.
constexpr double DAYS_PER_MEAN_YEAR = 365.2425;
constexpr int YEAR_DECIMALS = 1;
constexpr int WHOLE_DECIMALS = 0;
// A period shorter than this rounds to 0.0 days: no real temperature gives it.
constexpr double SHORTEST_PERIOD = 0.05;
constexpr int DIGITS_PER_GROUP = 3;
constexpr char GROUP_SEPARATOR = ',';

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
    return Formatted(PERIOD_READING_FORMAT, {{"days", RoundedPeriod(period)}});
  }
  double years = wholeDays / DAYS_PER_MEAN_YEAR;
  return Formatted(LONG_PERIOD_READING_FORMAT,
                   {{"days", WithGroupSeparators(WriteFixed(wholeDays, WHOLE_DECIMALS))},
                    {"years", WithGroupSeparators(WriteFixed(years, YEAR_DECIMALS))}});
}

// What the temperature text was read as, when the number was not all of it.
std::string InputNote(std::string_view text, ScannedNumber scanned) {
  std::string read = WriteNumber(scanned.value);
  Filling temperature = {"temperature", read};
  if (text.empty()) {
    return Formatted(EMPTY_INPUT_FORMAT, {temperature});
  }
  if (scanned.length == 0) {
    return Formatted(UNREADABLE_FORMAT, {temperature});
  }
  if (scanned.length < text.size()) {
    return Formatted(PARTLY_READ_FORMAT,
                     {{"used", std::string(text.substr(0, scanned.length))}, temperature});
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
Reading ReadingOf(std::string_view text, ScannedNumber scanned, float period) {
  std::string note = InputNote(text, scanned);
  // Text with nothing readable: the note says so, and nothing is said of 0 degrees.
  if (scanned.length == 0) {
    return {"", note};
  }
  switch (PeriodKindOf(period)) {
    case PeriodKind::FarOutside:
      return {"", FAR_OUTSIDE_TEXT + note};
    case PeriodKind::NoDevelopment:
      return {"", Formatted(NO_DEVELOPMENT_FORMAT, {{"threshold", ThresholdText()}}) + note};
    case PeriodKind::Develops:
      break;
  }
  if (scanned.value > QUICK_TABLE_LAST_TEMPERATURE) {
    note += Formatted(ABOVE_QUICK_TABLE_FORMAT,
                      {{"last", std::to_string(QUICK_TABLE_LAST_TEMPERATURE)}});
  }
  return {PeriodWords(period), note};
}

// How far `date` is from today: "（あと8日）", "（今日）", "（3日前）".
std::string DaysFromToday(CivilDate date, CivilDate today) {
  std::int64_t days = DaysFromCivil(date) - DaysFromCivil(today);
  if (days > 0) {
    return Formatted(DAYS_AHEAD_FORMAT, {{"days", std::to_string(days)}});
  }
  if (days < 0) {
    return Formatted(DAYS_AGO_FORMAT, {{"days", std::to_string(-days)}});
  }
  return TODAY_TEXT;
}

}  // namespace

std::string MarkedDate(CivilDate date, const char* weekdayFormat, std::optional<CivilDate> today) {
  const char* weekday = WEEKDAY_NAMES[Weekday(DaysFromCivil(date))];
  std::string words = Formatted(DATE_FORMAT, {{"year", std::to_string(date.year)},
                                              {"month", std::to_string(date.month)},
                                              {"day", std::to_string(date.day)}}) +
                      DATE_BREAK + Formatted(weekdayFormat, {{"weekday", weekday}});
  if (today && IsValidDate(*today)) {
    words += DATE_BREAK + DaysFromToday(date, *today);
  }
  return DATE_MARK + IsoDate(date) + DATE_TEXT_MARK + words + DATE_MARK;
}

namespace {

// The hatch date for eggs that develop, or that it lies past the last date.
std::string HatchWords(CivilDate laid, std::optional<CivilDate> today, float period) {
  std::optional<CivilDate> hatch = HatchDate(laid, period);
  return hatch ? MarkedDate(*hatch, ABOUT_WEEKDAY_FORMAT, today) : HATCH_TOO_LATE_TEXT;
}

std::string Hatch(std::optional<CivilDate> laid, std::optional<CivilDate> today, float period) {
  if (PeriodKindOf(period) != PeriodKind::Develops) {
    return "";
  }
  return laid ? HatchWords(*laid, today, period) : NO_LAYING_DATE_TEXT;
}

// One of the range's fields as it was read.
struct RangeField {
  const char* label;
  std::string_view text;
  ScannedNumber scanned;
};

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
  const RangeField fields[] = {{LOWEST_LABEL, lowestText, ScanNumber(lowestText)},
                               {HIGHEST_LABEL, highestText, ScanNumber(highestText)}};
  std::string unreadable;
  std::string notes;
  for (const RangeField& field : fields) {
    Filling label = {"field", field.label};
    if (field.scanned.length == 0) {
      unreadable += Formatted(RANGE_UNREADABLE_FORMAT, {label});
    } else if (field.scanned.length < field.text.size()) {
      notes += Formatted(RANGE_PARTLY_READ_FORMAT,
                         {label,
                          {"used", std::string(field.text.substr(0, field.scanned.length))},
                          {"temperature", WriteNumber(field.scanned.value)}});
    }
  }
  if (!unreadable.empty()) {
    return unreadable;
  }
  double lower = std::min(fields[0].scanned.value, fields[1].scanned.value);
  double higher = std::max(fields[0].scanned.value, fields[1].scanned.value);
  float longest = EggPeriodEstimate(lower);
  float shortest = EggPeriodEstimate(higher);
  std::string lowerWords = WriteNumber(lower);
  std::string higherWords = WriteNumber(higher);
  std::string thresholdWords = ThresholdText();
  Filling lowerText = {"lower", lowerWords};
  Filling higherText = {"higher", higherWords};
  Filling threshold = {"threshold", thresholdWords};
  switch (PeriodKindOf(shortest)) {
    case PeriodKind::FarOutside:
      return Formatted(RANGE_FAR_OUTSIDE_FORMAT, {lowerText, higherText}) + notes;
    case PeriodKind::NoDevelopment:
      return Formatted(RANGE_NO_DEVELOPMENT_FORMAT, {lowerText, higherText, threshold}) + notes;
    case PeriodKind::Develops:
      break;
  }
  if (!laid) {
    return RANGE_NO_LAYING_DATE_TEXT + notes;
  }
  std::string earliestWords = HatchWords(*laid, today, shortest);
  Filling earliest = {"earliest", earliestWords};
  // The lower temperature is at or below the threshold: development stops
  // while the water is that cold, so there is no latest date.
  if (PeriodKindOf(longest) != PeriodKind::Develops) {
    return Formatted(RANGE_NO_LATEST_FORMAT, {lowerText, higherText, earliest, threshold}) + notes;
  }
  return Formatted(
             RANGE_FORMAT,
             {lowerText, higherText, earliest, {"latest", HatchWords(*laid, today, longest)}}) +
         notes;
}

}  // namespace

PeriodKind PeriodKindOf(float period) {
  double days = static_cast<double>(period);
  if (std::isnan(days) || (days >= 0.0 && days < SHORTEST_PERIOD)) {
    return PeriodKind::FarOutside;
  }
  return EggsDevelop(period) ? PeriodKind::Develops : PeriodKind::NoDevelopment;
}

std::string ThresholdText() {
  return WriteFixed(DevelopmentThreshold(), THRESHOLD_DECIMALS);
}

PageResult CalculatePageResult(std::string_view temperatureText, std::optional<CivilDate> laid,
                               std::optional<CivilDate> today, std::string_view lowestText,
                               std::string_view highestText) {
  ScannedNumber scanned = ScanNumber(temperatureText);
  float period = EggPeriodEstimate(scanned.value);
  Reading reading = ReadingOf(temperatureText, scanned, period);
  return {OnCalculate(temperatureText), reading.words, reading.note, Hatch(laid, today, period),
          Range(laid, today, lowestText, highestText)};
}
