#include "web/notebook.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/development.h"
#include "core/estimate.h"
#include "core/number_text.h"
#include "core/ordering.h"
#include "resources/page_texts.h"
#include "web/page_calculation.h"
#include "web/page_format.h"

namespace {

// The lesson's mean in tenths of a day.
constexpr std::int64_t TENTHS_PER_DAY = 10;
constexpr double PERCENT = 100.0;
// A difference's signs, of one width in Japanese type: U+FF0B and U+2212.
constexpr const char* PLUS_SIGN = "＋";
constexpr const char* MINUS_SIGN = "−";
constexpr const char* BYTE_ORDER_MARK = "\xEF\xBB\xBF";
constexpr const char* CRLF = "\r\n";
// A spreadsheet takes a cell that starts with one of these as a formula.
constexpr std::string_view FORMULA_STARTS = "=+-@\t\r";
// A hatch range's end further than this many days after today is said in words.
constexpr std::int64_t RANGE_HORIZON_DAYS = 365;
// A calendar file's lines are folded to at most this many octets, the
// folded part going on after a space on the next line.
constexpr std::size_t CALENDAR_LINE_OCTETS = 75;
constexpr std::int64_t MILLISECONDS_PER_SECOND = 1000;
constexpr std::int64_t SECONDS_PER_MINUTE = 60;
constexpr std::int64_t SECONDS_PER_HOUR = 3600;
constexpr std::int64_t SECONDS_PER_DAY = 86400;
constexpr std::size_t TIME_PLACES = 2;
// The reminder before an all-day event that starts at midnight: 18:00 the
// evening before.
constexpr const char* REMINDER_BEFORE = "-PT6H";

std::int64_t DaysBetween(CivilDate from, CivilDate to) {
  return DaysFromCivil(to) - DaysFromCivil(from);
}

// "+1", "0", "−2".
std::string Signed(std::int64_t days) {
  std::string magnitude = std::to_string(days < 0 ? -days : days);
  return days > 0 ? PLUS_SIGN + magnitude : days < 0 ? MINUS_SIGN + magnitude : magnitude;
}

std::string ShortDate(CivilDate date) {
  return Formatted(SHORT_DATE_FORMAT,
                   {{"month", std::to_string(date.month)}, {"day", std::to_string(date.day)}});
}

std::string WeekdayWords(CivilDate date, const char* format) {
  return Formatted(format, {{"weekday", WEEKDAY_NAMES[Weekday(DaysFromCivil(date))]}});
}

// A number text as the calculator reads and writes it: "20" for "20.0".
std::string AsRead(std::string_view text) {
  return WriteNumber(ReadNumber(text));
}

std::string TemperatureText(const Clutch& clutch) {
  return AsRead(clutch.temperature);
}

// Working out a clutch ------------------------------------------------------

// Everything the notebook works out about one clutch.
struct Forecast {
  std::optional<CivilDate> hatch;
  double development;  // by midday today, not capped
  std::string range;   // the hatch dates if the days ahead were like the coldest and the warmest
  bool paced;          // the days ahead at the recent days' pace, not the clutch's temperature
  // Without a hatch date: why, in words; with one after LAST_DATE, the words
  // the calculator shows for it.
  std::string without;
  bool developmentShown;  // false where the calculator says the temperature is far outside
};

// A date in a card's words, marked for a <time> element: "6月18日", and its
// weekday in `weekdayFormat` when one is given.
std::string MarkedShortDate(CivilDate date, const char* weekdayFormat = nullptr) {
  std::string words = ShortDate(date);
  if (weekdayFormat) {
    words += DATE_BREAK + WeekdayWords(date, weekdayFormat);
  }
  return DATE_MARK + IsoDate(date) + DATE_TEXT_MARK + words + DATE_MARK;
}

// One end of the hatch range: its date, or in words when the days ahead
// would give no development, or a date further than a year ahead.
std::string RangeEnd(const DevelopmentDays& days, CivilDate laid, std::int64_t today,
                     double later) {
  std::optional<double> time = HatchTimeIf(days, today + 1, later);
  std::optional<CivilDate> date = time ? HatchDateOf(laid, *time) : std::nullopt;
  if (!date) {
    return RANGE_END_NEVER_TEXT;
  }
  if (DaysBetween(laid, *date) - today > RANGE_HORIZON_DAYS) {
    return RANGE_END_FAR_TEXT;
  }
  return MarkedShortDate(*date);
}

// The hatch range: none when the recorded days complete the development, the
// hatch date is today or past, or both ends fall on one day.
std::string HatchRange(const DevelopmentDays& days, CivilDate laid, std::int64_t today,
                       std::optional<CivilDate> hatch) {
  std::optional<double> time = HatchTime(days);
  if (!days.logged || !time || !hatch || *time < static_cast<double>(LastRecordedDay(days) + 1) ||
      DaysBetween(laid, *hatch) <= today) {
    return "";
  }
  std::string earliest = RangeEnd(days, laid, today, days.warmest);
  std::string latest = RangeEnd(days, laid, today, days.coldest);
  if (earliest == latest) {
    return "";
  }
  return Formatted(RANGE_CARD_FORMAT, {{"earliest", earliest}, {"latest", latest}});
}

// A clutch without day entries says for its temperature what the calculator
// says: its hatch date, or that it falls after the last date, that the eggs do
// not develop, or that the temperature is far outside the estimate.
void AsTheCalculatorSays(const Clutch& clutch, Forecast& forecast) {
  float period = EggPeriodEstimate(ReadNumber(clutch.temperature));
  switch (PeriodKindOf(period)) {
    case PeriodKind::Develops:
      forecast.hatch = HatchDate(clutch.laid, period);
      forecast.without = forecast.hatch ? "" : HATCH_TOO_LATE_TEXT;
      return;
    case PeriodKind::NoDevelopment:
      forecast.hatch = std::nullopt;
      forecast.without = Formatted(NO_DEVELOPMENT_FORMAT, {{"threshold", ThresholdText()}});
      return;
    case PeriodKind::FarOutside:
      forecast.hatch = std::nullopt;
      forecast.without = FAR_OUTSIDE_TEXT;
      forecast.developmentShown = false;
      return;
  }
}

Forecast ForecastOf(const Clutch& clutch, CivilDate today) {
  std::vector<DayEntry> entries;
  entries.reserve(clutch.log.size());
  for (const LogEntry& entry : clutch.log) {
    entries.push_back({entry.day - clutch.laidDay, entry.low, entry.high});
  }
  ClutchTemperatures temperatures = {ReadNumber(clutch.temperature), entries};
  DevelopmentDays days = CountDays(temperatures);
  std::int64_t day = DaysBetween(clutch.laid, today);
  Forecast forecast = {std::nullopt, DevelopmentByMidday(days, day), "", days.logged, "", true};
  if (days.logged) {
    forecast.hatch = LoggedHatchDate(clutch.laid, temperatures.temperature, days);
    forecast.without = forecast.hatch ? "" : STATE_STOPPED_TEXT;
    forecast.range = HatchRange(days, clutch.laid, day, forecast.hatch);
  } else {
    AsTheCalculatorSays(clutch, forecast);
  }
  return forecast;
}

// A hatch date after LAST_DATE: the eggs develop, but too slowly for a date.
bool TooLate(const Forecast& forecast) {
  return !forecast.hatch && forecast.without == HATCH_TOO_LATE_TEXT;
}

// A hatched date that cannot be right: before laying, or after today.
bool HatchedDoubtfully(const Clutch& clutch, CivilDate today) {
  return clutch.hatched &&
         (DaysBetween(clutch.laid, *clutch.hatched) < 0 || DaysBetween(today, *clutch.hatched) > 0);
}

Group GroupOf(const Clutch& clutch, const Forecast& forecast, CivilDate today) {
  if (clutch.hatched) {
    return Group::Hatched;
  }
  if (TooLate(forecast)) {
    return Group::Ahead;
  }
  if (!forecast.hatch) {
    return Group::Stopped;
  }
  std::int64_t days = DaysBetween(today, *forecast.hatch);
  return days < 0 ? Group::Late : days == 0 ? Group::Today : Group::Ahead;
}

std::string State(const Clutch& clutch, const Forecast& forecast, Group group, CivilDate today) {
  switch (group) {
    case Group::Late:
      return Formatted(STATE_LATE_FORMAT,
                       {{"days", std::to_string(DaysBetween(*forecast.hatch, today))}});
    case Group::Today:
      return STATE_TODAY_TEXT;
    case Group::Ahead:
      // A date after the last date has no days to count: the hatch line says it.
      return forecast.hatch
                 ? Formatted(STATE_AHEAD_FORMAT,
                             {{"days", std::to_string(DaysBetween(today, *forecast.hatch))}})
                 : "";
    case Group::Stopped:
      return forecast.without;
    case Group::Hatched:
    case Group::Incomplete:
    case Group::Damaged:
      break;
  }
  std::string hatched = ShortDate(*clutch.hatched) + WeekdayWords(*clutch.hatched, WEEKDAY_FORMAT);
  Filling date = {"date", hatched};
  if (HatchedDoubtfully(clutch, today)) {
    return Formatted(STATE_HATCHED_DOUBTFUL_FORMAT, {date});
  }
  if (!forecast.hatch) {
    return Formatted(STATE_HATCHED_TEXT, {date});
  }
  return Formatted(STATE_HATCHED_FORMAT,
                   {date, {"difference", Signed(DaysBetween(*forecast.hatch, *clutch.hatched))}});
}

// Development by midday today in whole percent, rounded down: "62".
std::string DevelopmentPercent(const Forecast& forecast) {
  double percent = std::floor(std::clamp(forecast.development, 0.0, 1.0) * PERCENT);
  return WriteFixed(percent, 0);
}

// The development by noon, or that it has passed the whole while the eggs
// have not hatched.
std::string Development(const Forecast& forecast) {
  if (!forecast.developmentShown) {
    return "";
  }
  if (forecast.development > 1.0) {
    return DEVELOPMENT_PAST_TEXT;
  }
  return Formatted(DEVELOPMENT_FORMAT, {{"percent", DevelopmentPercent(forecast)}});
}

// How due an unhatched clutch is, for the morning's summary: "（2日過ぎ）",
// "（12月18日・あと3日）", or empty.
std::string Due(const Forecast& forecast, Group group, CivilDate today) {
  switch (group) {
    case Group::Late:
      return Formatted(DUE_LATE_FORMAT,
                       {{"days", std::to_string(DaysBetween(*forecast.hatch, today))}});
    case Group::Ahead:
      return forecast.hatch
                 ? Formatted(DUE_AHEAD_FORMAT,
                             {{"date", ShortDate(*forecast.hatch)},
                              {"days", std::to_string(DaysBetween(today, *forecast.hatch))}})
                 : "";
    default:
      return "";
  }
}

// What the days ahead are taken to be.
std::string Assumes(const Clutch& clutch, const Forecast& forecast) {
  if (forecast.paced) {
    return ASSUMES_PACE_TEXT;
  }
  return Formatted(ASSUMES_TEMPERATURE_FORMAT, {{"temperature", TemperatureText(clutch)}});
}

std::string Share(const Clutch& clutch, const Forecast& forecast) {
  std::string laidText = ShortDate(clutch.laid);
  std::string temperatureText = TemperatureText(clutch);
  Filling name = {"name", clutch.name};
  Filling laid = {"laid", laidText};
  Filling temperature = {"temperature", temperatureText};
  if (clutch.hatched) {
    return Formatted(
        SHARE_HATCHED_FORMAT,
        {name,
         laid,
         temperature,
         {"hatched", ShortDate(*clutch.hatched) + WeekdayWords(*clutch.hatched, WEEKDAY_FORMAT)}});
  }
  if (forecast.hatch) {
    return Formatted(SHARE_FORMAT,
                     {name,
                      laid,
                      temperature,
                      {"hatch", ShortDate(*forecast.hatch) +
                                    WeekdayWords(*forecast.hatch, ABOUT_WEEKDAY_FORMAT)}});
  }
  if (TooLate(forecast)) {
    return Formatted(SHARE_FORMAT, {name, laid, temperature, {"hatch", forecast.without}});
  }
  return Formatted(forecast.developmentShown ? SHARE_STOPPED_FORMAT : SHARE_NO_DATE_FORMAT,
                   {name, laid, temperature});
}

// A day entry's lowest and highest as the calculator writes them, the lower
// first whichever field it was typed in.
std::pair<std::string, std::string> LowestAndHighest(const LogEntry& entry) {
  double low = entry.low;
  double high = entry.high;
  return {WriteNumber(std::min(low, high)), WriteNumber(std::max(low, high))};
}

// A day entry in words: "6月3日の15～22℃", or "6月3日の20℃".
std::string EntryWords(const LogEntry& entry) {
  std::string dateText = ShortDate(entry.date);
  Filling date = {"date", dateText};
  auto [lowest, highest] = LowestAndHighest(entry);
  return lowest == highest
             ? Formatted(LOG_AVERAGE_FORMAT, {date, {"temperature", lowest}})
             : Formatted(LOG_RANGE_FORMAT, {date, {"lowest", lowest}, {"highest", highest}});
}

// How many days were noted and the latest: "日ごとの水温 2日分（最新 6月3日 15～22℃）",
// then how many before the laying date are not counted; or empty.
std::string LogWords(const Clutch& clutch) {
  auto counted = static_cast<std::size_t>(
      std::count_if(clutch.log.begin(), clutch.log.end(),
                    [&clutch](const LogEntry& e) { return Counts(clutch, e); }));
  std::size_t uncounted = clutch.log.size() - counted;
  std::string words;
  if (counted > 0) {
    words = Formatted(LOG_SUMMARY_FORMAT, {{"count", std::to_string(counted)},
                                           {"latest", EntryWords(clutch.log.back())}});
  }
  if (uncounted > 0) {
    words = (words.empty() ? LOG_TITLE : words) +
            Formatted(LOG_UNCOUNTED_FORMAT, {{"count", std::to_string(uncounted)}});
  }
  return words;
}

// The lowest and the highest temperature of the counted day entries, or empty.
std::string Season(const Clutch& clutch) {
  std::optional<double> lowest;
  std::optional<double> highest;
  for (const LogEntry& entry : clutch.log) {
    if (!Counts(clutch, entry)) {
      continue;
    }
    for (double temperature : {entry.low, entry.high}) {
      lowest = std::min(lowest.value_or(temperature), temperature);
      highest = std::max(highest.value_or(temperature), temperature);
    }
  }
  if (!lowest) {
    return "";
  }
  return Formatted(SEASON_FORMAT,
                   {{"lowest", WriteNumber(*lowest)}, {"highest", WriteNumber(*highest)}});
}

// A spreadsheet cell: quoted when it holds a comma, a quote or a line end,
// and a name that a spreadsheet would take as a formula starts with "'".
std::string Cell(std::string text, bool isName = false) {
  if (isName && !text.empty() && FORMULA_STARTS.find(text[0]) != std::string_view::npos) {
    text.insert(0, 1, '\'');
  }
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    return text;
  }
  std::string quoted = "\"";
  for (char c : text) {
    quoted += c == '"' ? "\"\"" : std::string(1, c);
  }
  return quoted + "\"";
}

// A calendar text value: backslash, semicolon, comma and line ends escaped.
std::string EventText(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\' || c == ';' || c == ',') {
      escaped += '\\';
    }
    escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
  }
  return escaped;
}

std::string CompactDate(CivilDate date) {
  std::string iso = IsoDate(date);
  iso.erase(std::remove(iso.begin(), iso.end(), '-'), iso.end());
  return iso;
}

// A moment in UTC as a calendar file writes it: "20260610T031500Z".
std::string UtcStamp(double milliseconds) {
  auto seconds = static_cast<std::int64_t>(
      std::floor(milliseconds / static_cast<double>(MILLISECONDS_PER_SECOND)));
  std::int64_t days = seconds / SECONDS_PER_DAY - (seconds % SECONDS_PER_DAY < 0 ? 1 : 0);
  std::int64_t ofDay = seconds - days * SECONDS_PER_DAY;
  auto twoPlaces = [](std::int64_t number) {
    std::string digits = std::to_string(number);
    return std::string(TIME_PLACES - digits.size(), '0') + digits;
  };
  return CompactDate(CivilFromDays(days)) + 'T' + twoPlaces(ofDay / SECONDS_PER_HOUR) +
         twoPlaces(ofDay % SECONDS_PER_HOUR / SECONDS_PER_MINUTE) +
         twoPlaces(ofDay % SECONDS_PER_MINUTE) + 'Z';
}

bool IsUtf8Continuation(char c) {
  constexpr unsigned char CONTINUATION_MASK = 0xC0;
  constexpr unsigned char CONTINUATION_BITS = 0x80;
  return (static_cast<unsigned char>(c) & CONTINUATION_MASK) == CONTINUATION_BITS;
}

// A calendar line folded into lines of at most CALENDAR_LINE_OCTETS octets
// each (the space that starts a folded line counted), never inside a
// character, each ended by CRLF.
std::string Folded(std::string_view line) {
  std::string folded;
  std::size_t room = CALENDAR_LINE_OCTETS;
  while (line.size() > room) {
    std::size_t cut = room;
    while (cut > 0 && IsUtf8Continuation(line[cut])) {
      --cut;
    }
    folded += std::string(line.substr(0, cut)) + CRLF + ' ';
    line.remove_prefix(cut);
    room = CALENDAR_LINE_OCTETS - 1;
  }
  return folded + std::string(line) + CRLF;
}

}  // namespace

std::string Lesson(const std::vector<std::int64_t>& differences) {
  if (differences.size() < LESSON_FROM) {
    return "";
  }
  std::int64_t sum = 0;
  for (std::int64_t difference : differences) {
    sum += difference;
  }
  // The mean's magnitude in tenths, halves up, from the whole sum and count:
  // floor(10 |sum| / count + 1/2) = (20 |sum| + count) / (2 count).
  auto count = static_cast<std::int64_t>(differences.size());
  std::int64_t magnitude = sum < 0 ? -sum : sum;
  std::int64_t tenths = (2 * TENTHS_PER_DAY * magnitude + count) / (2 * count);
  auto [lowest, highest] = std::minmax_element(differences.begin(), differences.end());
  std::string counted = std::to_string(count);
  std::string earliest = Signed(*lowest);
  std::string latest = Signed(*highest);
  if (tenths == 0) {
    return Formatted(LESSON_ON_TIME_FORMAT,
                     {{"count", counted}, {"lowest", earliest}, {"highest", latest}});
  }
  std::string days =
      std::to_string(tenths / TENTHS_PER_DAY) + '.' + std::to_string(tenths % TENTHS_PER_DAY);
  return Formatted(sum > 0 ? LESSON_LATER_FORMAT : LESSON_EARLIER_FORMAT,
                   {{"count", counted}, {"lowest", earliest}, {"highest", latest}, {"days", days}});
}

namespace {

ClutchSummary Damaged(std::string_view problem) {
  ClutchSummary damaged = {Group::Damaged, 0, std::nullopt, {}, ""};
  damaged.view.group = GROUP_NAMES[static_cast<int>(Group::Damaged)];
  damaged.view.state = Formatted(DAMAGED_RECORD_FORMAT, {{"problem", std::string(problem)}});
  return damaged;
}

// A kept record whose card asks for a part of it: its name and what it asks.
ClutchSummary Incomplete(const Record& record, const std::string& asks) {
  ClutchSummary incomplete = {Group::Incomplete, 0, std::nullopt, {}, ""};
  incomplete.view.group = GROUP_NAMES[static_cast<int>(Group::Incomplete)];
  incomplete.view.name = record.name;
  incomplete.view.state = asks;
  return incomplete;
}

ClutchSummary Summarized(const Clutch& clutch, CivilDate today) {
  Forecast forecast = ForecastOf(clutch, today);
  Group group = GroupOf(clutch, forecast, today);
  std::string hatch = forecast.hatch      ? MarkedShortDate(*forecast.hatch, ABOUT_WEEKDAY_FORMAT)
                      : TooLate(forecast) ? forecast.without
                                          : "";
  ClutchSummary summary = {
      group,
      forecast.hatch      ? DaysFromCivil(*forecast.hatch)
      : TooLate(forecast) ? DaysFromCivil(LAST_DATE) + 1
                          : DaysFromCivil(clutch.laid),
      std::nullopt,
      {"", GROUP_NAMES[static_cast<int>(group)], clutch.name,
       MarkedDate(clutch.laid, WEEKDAY_FORMAT, std::nullopt),
       Formatted(CLUTCH_TEMPERATURE_FORMAT, {{"temperature", TemperatureText(clutch)}}), hatch,
       State(clutch, forecast, group, today), clutch.hatched ? "" : Development(forecast),
       Share(clutch, forecast), LogWords(clutch), clutch.hatched ? "" : forecast.range,
       clutch.hatched || hatch.empty() ? "" : Assumes(clutch, forecast),
       Due(forecast, group, today), Season(clutch)},
      ""};
  if (clutch.hatched) {
    summary.order = -DaysFromCivil(*clutch.hatched);  // the latest hatched first
    if (forecast.hatch && !HatchedDoubtfully(clutch, today)) {
      summary.difference = DaysBetween(*forecast.hatch, *clutch.hatched);
    }
  }
  return summary;
}

// A clutch's place in the morning's list as one key: by group, then by its
// order within the group.
std::int64_t ListKey(const ClutchSummary& clutch) {
  // An order is a day count, within a few million of 0: each group spans
  // GROUP_SPAN keys.
  constexpr std::int64_t GROUP_SPAN = std::int64_t{1} << 32;
  return static_cast<std::int64_t>(clutch.group) * GROUP_SPAN + GROUP_SPAN / 2 + clutch.order;
}

}  // namespace

ClutchSummary SummarizeClutch(std::string_view row, CivilDate today) {
  AtDoor read = ThroughDoor(row, Source::Stored, today);
  if (read.passage != Passage::Kept) {
    return Damaged(read.problem);
  }
  std::optional<Clutch> clutch = ClutchOf(read.record);
  ClutchSummary summary = clutch ? Summarized(*clutch, today) : Incomplete(read.record, read.asks);
  summary.mends = read.mends;
  return summary;
}

Arrangement Arrange(const std::vector<const ClutchSummary*>& summaries) {
  std::vector<std::int64_t> keys;
  keys.reserve(summaries.size());
  for (const ClutchSummary* summary : summaries) {
    keys.push_back(ListKey(*summary));
  }
  Arrangement arrangement = {InKeyOrder(keys), ""};
  std::vector<std::int64_t> differences;
  for (std::size_t place : arrangement.places) {
    if (summaries[place]->difference) {
      differences.push_back(*summaries[place]->difference);
    }
  }
  arrangement.lesson = Lesson(differences);
  return arrangement;
}

NotebookView ViewNotebook(const std::vector<std::string_view>& rows, CivilDate today) {
  std::vector<ClutchSummary> summaries;
  for (std::string_view row : rows) {
    summaries.push_back(SummarizeClutch(row, today));
    summaries.back().view.key = std::to_string(summaries.size() - 1);
  }
  std::vector<const ClutchSummary*> pointers;
  for (const ClutchSummary& summary : summaries) {
    pointers.push_back(&summary);
  }
  Arrangement arrangement = Arrange(pointers);
  NotebookView view = {std::move(arrangement.lesson), {}};
  for (std::size_t place : arrangement.places) {
    view.clutches.push_back(summaries[place].view);
  }
  return view;
}

std::string NotebookCsv(const std::vector<std::string_view>& rows, CivilDate today) {
  std::string csv = BYTE_ORDER_MARK + std::string(CSV_CLUTCH_HEADER) + CRLF;
  std::string entries;
  for (std::string_view row : rows) {
    std::optional<Clutch> readable = StoredClutch(row, today);
    if (!readable) {
      continue;
    }
    const Clutch& clutch = *readable;
    Forecast forecast = ForecastOf(clutch, today);
    csv += Cell(clutch.name, true) + ',' + IsoDate(clutch.laid) + ',' +
           Cell(TemperatureText(clutch)) + ',' + (forecast.hatch ? IsoDate(*forecast.hatch) : "") +
           ',' + (clutch.hatched ? IsoDate(*clutch.hatched) : "") + ',' +
           (clutch.hatched ? "" : DevelopmentPercent(forecast)) + CRLF;
    for (const LogEntry& entry : clutch.log) {
      if (!Counts(clutch, entry)) {
        continue;
      }
      bool average = entry.lowest == entry.highest;
      auto [lowest, highest] = LowestAndHighest(entry);
      entries += Cell(clutch.name, true) + ',' + IsoDate(entry.date) + ',' +
                 (average ? lowest : "") + ',' + (average ? "" : lowest) + ',' +
                 (average ? "" : highest) + CRLF;
    }
  }
  return csv + CRLF + CSV_ENTRY_HEADER + CRLF + entries;
}

std::string ClutchDays(const Clutch& clutch, std::size_t most) {
  static_assert(std::size(DAY_FIELDS) == 3, "a day's row is its source, date and words");
  std::string days;
  std::size_t listed = 0;
  auto room = [&listed, most] { return most == 0 || listed++ < most; };
  for (std::size_t at = clutch.log.size(); at-- > 0 && room();) {
    const LogEntry& entry = clutch.log[at];
    days += std::to_string(clutch.sources[at]) + FIELD_SEPARATOR + IsoDate(entry.date) +
            FIELD_SEPARATOR + EntryWords(entry) +
            (Counts(clutch, entry) ? "" : LOG_NOT_COUNTED_TEXT) + ROW_SEPARATOR;
  }
  for (const AsideEntry& entry : clutch.aside) {
    if (!room()) {
      break;
    }
    Filling date = {"date", entry.date};
    std::string words =
        entry.lowest == entry.highest
            ? Formatted(LOG_AVERAGE_FORMAT, {date, {"temperature", entry.lowest}})
            : Formatted(LOG_RANGE_FORMAT,
                        {date, {"lowest", entry.lowest}, {"highest", entry.highest}});
    days += std::to_string(entry.source) + FIELD_SEPARATOR + entry.date + FIELD_SEPARATOR + words +
            entry.why + ROW_SEPARATOR;
  }
  return days;
}

std::string ClutchEvent(const Clutch& clutch, CivilDate today, double madeAt) {
  Forecast forecast = ForecastOf(clutch, today);
  if (!forecast.hatch) {
    return "";
  }
  std::optional<CivilDate> dayAfter = DateAfter(*forecast.hatch, 1);
  std::string summary = EventText(Formatted(EVENT_SUMMARY_FORMAT, {{"name", clutch.name}}));
  std::string lines[] = {
      "BEGIN:VCALENDAR",
      "VERSION:2.0",
      "PRODID:-//EggPeriod//Notebook//JA",
      "BEGIN:VEVENT",
      "UID:" + EventText(clutch.id) + "@eggperiod",
      "DTSTAMP:" + UtcStamp(madeAt),
      "DTSTART;VALUE=DATE:" + CompactDate(*forecast.hatch),
      "DTEND;VALUE=DATE:" + CompactDate(dayAfter.value_or(*forecast.hatch)),
      "SUMMARY:" + summary,
      "DESCRIPTION:" + EventText(Share(clutch, forecast)),
      "BEGIN:VALARM",
      "ACTION:DISPLAY",
      "DESCRIPTION:" + summary,
      std::string("TRIGGER:") + REMINDER_BEFORE,
      "END:VALARM",
      "END:VEVENT",
      "END:VCALENDAR",
  };
  std::string event;
  for (const std::string& line : lines) {
    event += Folded(line);
  }
  return event;
}
