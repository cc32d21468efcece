#include "web/notebook.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/development.h"
#include "core/estimate.h"
#include "core/number_text.h"
#include "resources/page_texts.h"
#include "web/page_calculation.h"

namespace {

// Hatched clutches needed before the notebook says what they teach.
constexpr std::size_t LESSON_FROM = 3;
constexpr int LESSON_DECIMALS = 1;
constexpr double PERCENT = 100.0;
constexpr const char* PLUS_SIGN = "+";
constexpr const char* MINUS_SIGN = "−";  // U+2212, as the page writes a difference
constexpr const char* BYTE_ORDER_MARK = "\xEF\xBB\xBF";
constexpr const char* CRLF = "\r\n";
// A spreadsheet takes a cell that starts with one of these as a formula.
constexpr std::string_view FORMULA_STARTS = "=+-@\t\r";
// The reminder before an all-day event that starts at midnight: 18:00 the
// evening before.
constexpr const char* REMINDER_BEFORE = "-PT6H";

// The groups of the morning's list, in its order.
enum class Group { Late, Today, Ahead, Stopped, Hatched };
constexpr const char* GROUP_NAMES[] = {"late", "today", "ahead", "stopped", "hatched"};

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

// Everything the notebook works out about one clutch.
struct Forecast {
  std::optional<CivilDate> hatch;
  double development;  // by midday today, not capped
};

Forecast ForecastOf(const Clutch& clutch, CivilDate today) {
  std::vector<DayEntry> entries;
  for (const LogEntry& entry : clutch.log) {
    entries.push_back({DaysBetween(clutch.laid, entry.date), ReadNumber(entry.lowest),
                       ReadNumber(entry.highest)});
  }
  ClutchTemperatures temperatures = {ReadNumber(clutch.temperature), entries};
  return {LoggedHatchDate(clutch.laid, temperatures),
          DevelopmentByMidday(temperatures, DaysBetween(clutch.laid, today))};
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
      break;
  }
  Filling date = {"date",
                  ShortDate(*clutch.hatched) + WeekdayWords(*clutch.hatched, WEEKDAY_FORMAT)};
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

std::string Development(const Forecast& forecast) {
  return Formatted(DEVELOPMENT_FORMAT, {{"percent", DevelopmentPercent(forecast)}});
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

// How many days were noted and the latest: "日ごとの水温 2日分（最新 6月3日 15～22℃）",
// or empty.
std::string LogWords(const Clutch& clutch) {
  if (clutch.log.empty()) {
    return "";
  }
  const LogEntry& latest = clutch.log.back();
  Filling date = {"date", ShortDate(latest.date)};
  std::string lowest = AsRead(latest.lowest);
  std::string highest = AsRead(latest.highest);
  std::string words =
      latest.lowest == latest.highest
          ? Formatted(LOG_AVERAGE_FORMAT, {date, {"temperature", lowest}})
          : Formatted(LOG_RANGE_FORMAT, {date, {"lowest", lowest}, {"highest", highest}});
  return Formatted(LOG_SUMMARY_FORMAT,
                   {{"count", std::to_string(clutch.log.size())}, {"latest", words}});
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

}  // namespace

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) {
      return parts;
    }
    start = end + 1;
  }
}

std::optional<CivilDate> ParseIsoDate(std::string_view text) {
  constexpr std::size_t ISO_LENGTH = sizeof "YYYY-MM-DD" - 1;
  constexpr std::size_t MONTH_AT = 5;
  constexpr std::size_t DAY_AT = 8;
  if (text.size() != ISO_LENGTH || text[MONTH_AT - 1] != '-' || text[DAY_AT - 1] != '-') {
    return std::nullopt;
  }
  auto number = [text](std::size_t at, std::size_t length) {
    int value = 0;
    for (char c : text.substr(at, length)) {
      if (c < '0' || c > '9') {
        return -1;
      }
      value = value * 10 + (c - '0');
    }
    return value;
  };
  CivilDate date = {number(0, 4), number(MONTH_AT, 2), number(DAY_AT, 2)};
  return IsValidDate(date) ? std::optional(date) : std::nullopt;
}

std::vector<Clutch> ParseClutches(std::string_view text) {
  enum Field { ID, NAME, LAID, TEMPERATURE, HATCHED, ENTRIES, FIELD_COUNT };
  std::vector<Clutch> clutches;
  for (std::string_view row : Split(text, ROW_SEPARATOR)) {
    std::vector<std::string_view> fields = Split(row, FIELD_SEPARATOR);
    std::optional<CivilDate> laid =
        fields.size() == FIELD_COUNT ? ParseIsoDate(fields[LAID]) : std::nullopt;
    if (!laid) {
      continue;
    }
    Clutch clutch = {std::string(fields[ID]),          std::string(fields[NAME]),     *laid,
                     std::string(fields[TEMPERATURE]), ParseIsoDate(fields[HATCHED]), {}};
    for (std::string_view entry : Split(fields[ENTRIES], ENTRY_SEPARATOR)) {
      std::vector<std::string_view> parts = Split(entry, ENTRY_PART_SEPARATOR);
      std::optional<CivilDate> date = ParseIsoDate(parts[0]);
      if (!date || parts.size() != 3) {
        continue;
      }
      // Kept in date order, entries of one date in the order given.
      std::int64_t days = DaysFromCivil(*date);
      auto later = std::find_if(clutch.log.begin(), clutch.log.end(),
                                [days](const LogEntry& e) { return DaysFromCivil(e.date) > days; });
      clutch.log.insert(later, {*date, std::string(parts[1]), std::string(parts[2])});
    }
    clutches.push_back(std::move(clutch));
  }
  return clutches;
}

ClutchSummary SummarizeClutch(const Clutch& clutch, CivilDate today) {
  Forecast forecast = ForecastOf(clutch, today);
  Group group = GroupOf(clutch, forecast, today);
  ClutchSummary summary = {
      static_cast<int>(group),
      forecast.hatch ? DaysFromCivil(*forecast.hatch) : DaysFromCivil(clutch.laid),
      std::nullopt,
      {clutch.id, GROUP_NAMES[static_cast<int>(group)],
       MarkedDate(clutch.laid, WEEKDAY_FORMAT, std::nullopt),
       Formatted(CLUTCH_TEMPERATURE_FORMAT, {{"temperature", TemperatureText(clutch)}}),
       forecast.hatch ? MarkedDate(*forecast.hatch, ABOUT_WEEKDAY_FORMAT, std::nullopt) : "",
       State(clutch, forecast, group, today), clutch.hatched ? "" : Development(forecast),
       Share(clutch, forecast), LogWords(clutch)}};
  if (clutch.hatched) {
    summary.order = -DaysFromCivil(*clutch.hatched);  // the latest hatched first
    if (forecast.hatch) {
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

NotebookView ViewNotebook(const std::vector<Clutch>& clutches, CivilDate today) {
  std::vector<ClutchSummary> summaries;
  for (const Clutch& clutch : clutches) {
    summaries.push_back(SummarizeClutch(clutch, today));
  }
  std::vector<const ClutchSummary*> arranged;
  for (const ClutchSummary& summary : summaries) {
    arranged.push_back(&summary);
  }
  return ArrangeNotebook(arranged);
}

std::string NotebookCsv(const std::vector<Clutch>& clutches, CivilDate today) {
  std::string csv = BYTE_ORDER_MARK + std::string(CSV_CLUTCH_HEADER) + CRLF;
  std::string entries;
  for (const Clutch& clutch : clutches) {
    Forecast forecast = ForecastOf(clutch, today);
    csv += Cell(clutch.name, true) + ',' + IsoDate(clutch.laid) + ',' +
           Cell(TemperatureText(clutch)) + ',' + (forecast.hatch ? IsoDate(*forecast.hatch) : "") +
           ',' + (clutch.hatched ? IsoDate(*clutch.hatched) : "") + ',' +
           (clutch.hatched ? "" : DevelopmentPercent(forecast)) + CRLF;
    for (const LogEntry& entry : clutch.log) {
      bool average = entry.lowest == entry.highest;
      std::string lowest = AsRead(entry.lowest);
      std::string highest = AsRead(entry.highest);
      entries += Cell(clutch.name, true) + ',' + IsoDate(entry.date) + ',' +
                 (average ? lowest : "") + ',' + (average ? "" : lowest) + ',' +
                 (average ? "" : highest) + CRLF;
    }
  }
  return csv + CRLF + CSV_ENTRY_HEADER + CRLF + entries;
}

std::string ClutchEvent(const Clutch& clutch, CivilDate today) {
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
      "DTSTAMP:" + CompactDate(today) + "T000000Z",
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
    event += line + CRLF;
  }
  return event;
}
