// The breeder's notebook: the clutches the page keeps, what each shows in the
// morning's list, what the hatched ones teach, and the texts a clutch is
// shared, put in a calendar and exported as. Every number and date in them
// is written here, in C++; the page keeps the clutches and places the texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"

// Between a clutch's day entries, and between the parts of one entry, in the
// text the page hands over.
inline constexpr char ENTRY_SEPARATOR = ';';
inline constexpr char ENTRY_PART_SEPARATOR = ',';

// A day's water temperature as noted, each number as the text it was read
// from: the average as both lowest and highest, or the lowest and highest.
struct LogEntry {
  CivilDate date;
  std::string lowest;
  std::string highest;
};

// A clutch as the page keeps it.
struct Clutch {
  std::string id;
  std::string name;
  CivilDate laid;
  std::string temperature;  // the number as read: "20"
  std::optional<CivilDate> hatched;
  std::vector<LogEntry> log;
};

// The parts of `text` between the separators: one more than there are
// separators, so an empty text is one empty part.
std::vector<std::string_view> Split(std::string_view text, char separator);

// "YYYY-MM-DD", or nothing for any other text or a date that does not exist.
std::optional<CivilDate> ParseIsoDate(std::string_view text);

// The clutches in the page's text: one a row (ROW_SEPARATOR), with the fields
// id, name, laying date, temperature, hatch day or empty, and the day entries
// (FIELD_SEPARATOR between the fields): "date,lowest,highest" each, with
// ENTRY_SEPARATOR between them, kept in date order. Rows without a valid
// laying date are left out, and so are entries without a valid date.
std::vector<Clutch> ParseClutches(std::string_view text);

// What one clutch shows in the list.
struct ClutchView {
  std::string id;
  std::string group;        // "late", "today", "ahead", "stopped" or "hatched"
  std::string laid;         // a marked date
  std::string temperature;  // "水温20℃"
  std::string hatch;        // a marked date, or empty
  std::string state;        // "あと3日", "孵化 12月17日（予定との差 +1日）", ...
  std::string development;  // "発育 62%", or empty once hatched
  std::string share;  // "A-3　産卵12月9日・20℃・孵化予定12月17日（木）ごろ"
  std::string log;    // "日ごとの水温 2日分（最新 6月3日 15～22℃）", or empty
};

struct NotebookView {
  std::string lesson;                // what three or more hatched clutches teach, or empty
  std::vector<ClutchView> clutches;  // late ones first, then by hatch date, hatched ones last
};

NotebookView ViewNotebook(const std::vector<Clutch>& clutches, CivilDate today);

// ViewNotebook in two steps, so that a clutch that has not changed need not
// be worked out again: each clutch on its own, then the list in order.
struct ClutchSummary {
  int group;                               // the group's place in the list
  std::int64_t order;                      // the clutch's place in its group
  std::optional<std::int64_t> difference;  // hatched this many days after its date
  ClutchView view;
};
ClutchSummary SummarizeClutch(const Clutch& clutch, CivilDate today);
NotebookView ArrangeNotebook(const std::vector<const ClutchSummary*>& summaries);

// The notebook for a spreadsheet: UTF-8 with a byte-order mark and CRLF line
// ends, a row per clutch, then after an empty line a row per day entry.
std::string NotebookCsv(const std::vector<Clutch>& clutches, CivilDate today);

// A calendar file (iCalendar) with an all-day event on the clutch's hatch
// date and a reminder the evening before, or empty when it has none.
std::string ClutchEvent(const Clutch& clutch, CivilDate today);
