#include "web/notebook.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/development.h"
#include "core/estimate.h"
#include "core/number_text.h"
#include "resources/page_texts.h"
#include "web/page_calculation.h"
#include "web/page_format.h"

namespace {

// Hatched clutches needed before the notebook says what they teach.
constexpr std::size_t LESSON_FROM = 3;
constexpr int LESSON_DECIMALS = 1;
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
// The C0 controls end before the space; DEL stands alone.
constexpr char FIRST_PRINTABLE = ' ';
constexpr char DELETE_CHARACTER = '\x7f';
// The line and paragraph separators U+2028 and U+2029 in UTF-8.
constexpr std::string_view LINE_SEPARATOR = "\xE2\x80\xA8";
constexpr std::string_view PARAGRAPH_SEPARATOR = "\xE2\x80\xA9";
// The reminder before an all-day event that starts at midnight: 18:00 the
// evening before.
constexpr const char* REMINDER_BEFORE = "-PT6H";

// The groups of the morning's list, in its order.
enum class Group { Late, Today, Ahead, Stopped, Hatched, Damaged };
constexpr const char* GROUP_NAMES[] = {"late", "today", "ahead", "stopped", "hatched", "damaged"};

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

// Reading a clutch's row ----------------------------------------------------

// The index of a field's name in a row's layout.
template <std::size_t COUNT>
constexpr std::size_t FieldIndex(const char* const (&names)[COUNT], std::string_view name) {
  for (std::size_t i = 0; i < COUNT; ++i) {
    if (names[i] == name) {
      return i;
    }
  }
  return COUNT;
}
constexpr std::size_t CLUTCH_FIELD_COUNT = std::size(CLUTCH_FIELDS);
constexpr std::size_t ENTRY_FIELD_COUNT = std::size(ENTRY_FIELDS);
constexpr std::size_t ID = FieldIndex(CLUTCH_FIELDS, "id");
constexpr std::size_t NAME = FieldIndex(CLUTCH_FIELDS, "name");
constexpr std::size_t LAID = FieldIndex(CLUTCH_FIELDS, "laid");
constexpr std::size_t TEMPERATURE = FieldIndex(CLUTCH_FIELDS, "temperature");
constexpr std::size_t HATCHED = FieldIndex(CLUTCH_FIELDS, "hatched");
constexpr std::size_t DATE = FieldIndex(ENTRY_FIELDS, "date");
constexpr std::size_t LOWEST = FieldIndex(ENTRY_FIELDS, "lowest");
constexpr std::size_t HIGHEST = FieldIndex(ENTRY_FIELDS, "highest");

bool IsIdCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

bool IsId(std::string_view id) {
  return !id.empty() && id.size() <= ID_LENGTH_LIMIT &&
         std::all_of(id.begin(), id.end(), IsIdCharacter);
}

// Whether `text` holds a C0 control, DEL, or a line or paragraph separator.
bool HasControlCharacter(std::string_view text) {
  return std::any_of(
             text.begin(), text.end(),
             [](char c) { return (c >= '\0' && c < FIRST_PRINTABLE) || c == DELETE_CHARACTER; }) ||
         text.find(LINE_SEPARATOR) != std::string_view::npos ||
         text.find(PARAGRAPH_SEPARATOR) != std::string_view::npos;
}

// A date read from a field, or what is wrong with the field in words.
struct Checked {
  std::optional<CivilDate> date;
  std::string problem;
};

// A date field: a date that exists, or why it is none.
Checked DateField(std::string_view text, const char* field) {
  std::optional<CivilDate> date = ParseIsoDate(text);
  if (date) {
    return {date, ""};
  }
  return {std::nullopt,
          Formatted(RECORD_NO_SUCH_DATE_FORMAT, {{"field", field}, {"date", std::string(text)}})};
}

// A temperature field as the part read as its number, or nothing when no part is.
std::optional<std::string> TemperatureField(std::string_view text) {
  std::size_t length = NumberTextLength(text);
  if (length == 0) {
    return std::nullopt;
  }
  return std::string(text.substr(0, length));
}

// The clutch's day entries read from the fields after its own: in date
// order, of two for one date the later.
std::string ReadEntries(const std::vector<std::string_view>& fields, std::vector<LogEntry>& log) {
  for (std::size_t at = CLUTCH_FIELD_COUNT; at < fields.size(); at += ENTRY_FIELD_COUNT) {
    Checked date = DateField(fields[at + DATE], LOG_DATE_FIELD);
    if (!date.date) {
      return date.problem;
    }
    std::optional<std::string> lowest = TemperatureField(fields[at + LOWEST]);
    std::optional<std::string> highest = TemperatureField(fields[at + HIGHEST]);
    if (!lowest || !highest) {
      return Formatted(RECORD_ENTRY_TEMPERATURE_FORMAT, {{"date", std::string(fields[at + DATE])}});
    }
    std::int64_t days = DaysFromCivil(*date.date);
    auto same = std::find_if(log.begin(), log.end(),
                             [days](const LogEntry& e) { return DaysFromCivil(e.date) >= days; });
    LogEntry entry = {*date.date, *lowest, *highest};
    if (same != log.end() && DaysFromCivil(same->date) == days) {
      *same = entry;
    } else {
      log.insert(same, entry);
    }
  }
  return "";
}

// The clutch of a row's fields, each checked in the order they stand.
ReadClutch ReadFields(const std::vector<std::string_view>& fields) {
  if (fields.size() < CLUTCH_FIELD_COUNT ||
      (fields.size() - CLUTCH_FIELD_COUNT) % ENTRY_FIELD_COUNT != 0) {
    return {std::nullopt, RECORD_DAMAGED_TEXT};
  }
  if (!IsId(fields[ID])) {
    return {std::nullopt, RECORD_ID_TEXT};
  }
  if (HasControlCharacter(fields[NAME])) {
    return {std::nullopt, RECORD_NAME_TEXT};
  }
  Checked laid = DateField(fields[LAID], CLUTCH_LAID_LABEL);
  if (!laid.date) {
    return {std::nullopt, laid.problem};
  }
  std::optional<std::string> temperature = TemperatureField(fields[TEMPERATURE]);
  if (!temperature) {
    return {std::nullopt, RECORD_TEMPERATURE_TEXT};
  }
  std::optional<CivilDate> hatched;
  if (!fields[HATCHED].empty()) {
    Checked date = DateField(fields[HATCHED], HATCHED_LABEL);
    if (!date.date) {
      return {std::nullopt, date.problem};
    }
    hatched = date.date;
  }
  Clutch clutch = {
      std::string(fields[ID]), std::string(fields[NAME]), *laid.date, *temperature, hatched, {}};
  std::string problem = ReadEntries(fields, clutch.log);
  if (!problem.empty()) {
    return {std::nullopt, problem};
  }
  return {std::move(clutch), ""};
}

// Working out a clutch ------------------------------------------------------

// Whether a day entry counts: none before the laying date does.
bool Counts(const Clutch& clutch, const LogEntry& entry) {
  return DaysBetween(clutch.laid, entry.date) >= 0;
}

// Everything the notebook works out about one clutch.
struct Forecast {
  std::optional<CivilDate> hatch;
  double development;  // by midday today, not capped
  std::string range;   // the hatch dates if the days ahead were like the coldest and the warmest
  bool paced;          // the days ahead at the recent days' pace, not the clutch's temperature
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

Forecast ForecastOf(const Clutch& clutch, CivilDate today) {
  std::vector<DayEntry> entries;
  for (const LogEntry& entry : clutch.log) {
    entries.push_back({DaysBetween(clutch.laid, entry.date), ReadNumber(entry.lowest),
                       ReadNumber(entry.highest)});
  }
  ClutchTemperatures temperatures = {ReadNumber(clutch.temperature), entries};
  DevelopmentDays days = CountDays(temperatures);
  std::int64_t day = DaysBetween(clutch.laid, today);
  std::optional<CivilDate> hatch = LoggedHatchDate(clutch.laid, temperatures.temperature, days);
  return {hatch, DevelopmentByMidday(days, day), HatchRange(days, clutch.laid, day, hatch),
          days.logged};
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
      return Formatted(STATE_AHEAD_FORMAT,
                       {{"days", std::to_string(DaysBetween(today, *forecast.hatch))}});
    case Group::Stopped:
      return STATE_STOPPED_TEXT;
    case Group::Hatched:
    case Group::Damaged:
      break;
  }
  Filling date = {"date",
                  ShortDate(*clutch.hatched) + WeekdayWords(*clutch.hatched, WEEKDAY_FORMAT)};
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
      return Formatted(DUE_AHEAD_FORMAT,
                       {{"date", ShortDate(*forecast.hatch)},
                        {"days", std::to_string(DaysBetween(today, *forecast.hatch))}});
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
  Filling name = {"name", clutch.name};
  Filling laid = {"laid", ShortDate(clutch.laid)};
  Filling temperature = {"temperature", TemperatureText(clutch)};
  if (clutch.hatched) {
    return Formatted(
        SHARE_HATCHED_FORMAT,
        {name,
         laid,
         temperature,
         {"hatched", ShortDate(*clutch.hatched) + WeekdayWords(*clutch.hatched, WEEKDAY_FORMAT)}});
  }
  if (!forecast.hatch) {
    return Formatted(SHARE_STOPPED_FORMAT, {name, laid, temperature});
  }
  return Formatted(SHARE_FORMAT,
                   {name,
                    laid,
                    temperature,
                    {"hatch", ShortDate(*forecast.hatch) +
                                  WeekdayWords(*forecast.hatch, ABOUT_WEEKDAY_FORMAT)}});
}

// A day entry's lowest and highest as the calculator writes them, the lower
// first whichever field it was typed in.
std::pair<std::string, std::string> LowestAndHighest(const LogEntry& entry) {
  double low = ReadNumber(entry.lowest);
  double high = ReadNumber(entry.highest);
  return {WriteNumber(std::min(low, high)), WriteNumber(std::max(low, high))};
}

// A day entry in words: "6月3日の15～22℃", or "6月3日の20℃".
std::string EntryWords(const LogEntry& entry) {
  Filling date = {"date", ShortDate(entry.date)};
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
    for (double temperature : {ReadNumber(entry.lowest), ReadNumber(entry.highest)}) {
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

// How many days later (positive) or earlier the hatched clutches hatched
// than their hatch date, in words, from LESSON_FROM of them on.
std::string Lesson(const std::vector<std::int64_t>& differences) {
  if (differences.size() < LESSON_FROM) {
    return "";
  }
  double sum = 0.0;
  for (std::int64_t difference : differences) {
    sum += static_cast<double>(difference);
  }
  double mean = sum / static_cast<double>(differences.size());
  std::string days = WriteFixed(std::fabs(mean), LESSON_DECIMALS);
  auto [lowest, highest] = std::minmax_element(differences.begin(), differences.end());
  std::vector<Filling> fillings = {{"count", std::to_string(differences.size())},
                                   {"lowest", Signed(*lowest)},
                                   {"highest", Signed(*highest)}};
  if (days == WriteFixed(0.0, LESSON_DECIMALS)) {
    return Formatted(LESSON_ON_TIME_FORMAT, fillings);
  }
  fillings.push_back({"days", days});
  return Formatted(mean > 0 ? LESSON_LATER_FORMAT : LESSON_EARLIER_FORMAT, fillings);
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

ReadClutch ReadClutchRow(std::string_view row) {
  return ReadFields(Split(row, FIELD_SEPARATOR));
}

std::string ClutchRow(const Clutch& clutch) {
  static_assert(ID == 0 && NAME == 1 && LAID == 2 && TEMPERATURE == 3 && HATCHED == 4 &&
                    DATE == 0 && LOWEST == 1 && HIGHEST == 2,
                "a row is written in the order CLUTCH_FIELDS and ENTRY_FIELDS give");
  std::string row = clutch.id + FIELD_SEPARATOR + clutch.name + FIELD_SEPARATOR +
                    IsoDate(clutch.laid) + FIELD_SEPARATOR + clutch.temperature + FIELD_SEPARATOR +
                    (clutch.hatched ? IsoDate(*clutch.hatched) : "");
  for (const LogEntry& entry : clutch.log) {
    row += FIELD_SEPARATOR + IsoDate(entry.date) + FIELD_SEPARATOR + entry.lowest +
           FIELD_SEPARATOR + entry.highest;
  }
  return row;
}

ClutchSummary SummarizeClutch(std::string_view row, CivilDate today) {
  ReadClutch read = ReadClutchRow(row);
  if (!read.clutch) {
    ClutchSummary damaged = {static_cast<int>(Group::Damaged), 0, std::nullopt, {}};
    damaged.view.group = GROUP_NAMES[static_cast<int>(Group::Damaged)];
    damaged.view.state = Formatted(DAMAGED_RECORD_FORMAT, {{"problem", read.problem}});
    return damaged;
  }
  const Clutch& clutch = *read.clutch;
  Forecast forecast = ForecastOf(clutch, today);
  Group group = GroupOf(clutch, forecast, today);
  ClutchSummary summary = {
      static_cast<int>(group),
      forecast.hatch ? DaysFromCivil(*forecast.hatch) : DaysFromCivil(clutch.laid),
      std::nullopt,
      {"", GROUP_NAMES[static_cast<int>(group)],
       MarkedDate(clutch.laid, WEEKDAY_FORMAT, std::nullopt),
       Formatted(CLUTCH_TEMPERATURE_FORMAT, {{"temperature", TemperatureText(clutch)}}),
       forecast.hatch ? MarkedShortDate(*forecast.hatch, ABOUT_WEEKDAY_FORMAT) : "",
       State(clutch, forecast, group, today), clutch.hatched ? "" : Development(forecast),
       Share(clutch, forecast), LogWords(clutch), clutch.hatched ? "" : forecast.range,
       clutch.hatched || !forecast.hatch ? "" : Assumes(clutch, forecast),
       Due(forecast, group, today), Season(clutch)}};
  if (clutch.hatched) {
    summary.order = -DaysFromCivil(*clutch.hatched);  // the latest hatched first
    if (forecast.hatch && !HatchedDoubtfully(clutch, today)) {
      summary.difference = DaysBetween(*forecast.hatch, *clutch.hatched);
    }
  }
  return summary;
}

NotebookView ArrangeNotebook(const std::vector<const ClutchSummary*>& summaries) {
  // Each clutch goes in before the first that comes after it: by group, then
  // by its order within the group; clutches that tie keep their order.
  std::vector<const ClutchSummary*> places;
  std::vector<std::int64_t> differences;
  for (const ClutchSummary* summary : summaries) {
    auto later = std::find_if(places.begin(), places.end(), [summary](const ClutchSummary* place) {
      return place->group != summary->group ? place->group > summary->group
                                            : place->order > summary->order;
    });
    places.insert(later, summary);
    if (summary->difference) {
      differences.push_back(*summary->difference);
    }
  }
  NotebookView view = {Lesson(differences), {}};
  for (const ClutchSummary* place : places) {
    view.clutches.push_back(place->view);
  }
  return view;
}

NotebookView ViewNotebook(const std::vector<std::string_view>& rows, CivilDate today) {
  std::vector<ClutchSummary> summaries;
  for (std::string_view row : rows) {
    summaries.push_back(SummarizeClutch(row, today));
    summaries.back().view.place = std::to_string(summaries.size() - 1);
  }
  std::vector<const ClutchSummary*> arranged;
  for (const ClutchSummary& summary : summaries) {
    arranged.push_back(&summary);
  }
  return ArrangeNotebook(arranged);
}

std::string NotebookCsv(const std::vector<std::string_view>& rows, CivilDate today) {
  std::string csv = BYTE_ORDER_MARK + std::string(CSV_CLUTCH_HEADER) + CRLF;
  std::string entries;
  for (std::string_view row : rows) {
    ReadClutch read = ReadClutchRow(row);
    if (!read.clutch) {
      continue;
    }
    const Clutch& clutch = *read.clutch;
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

std::string ClutchDays(const Clutch& clutch) {
  std::string days;
  for (const LogEntry& entry : clutch.log) {
    days += IsoDate(entry.date) + FIELD_SEPARATOR + EntryWords(entry) +
            (Counts(clutch, entry) ? "" : LOG_NOT_COUNTED_TEXT) + ROW_SEPARATOR;
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
