// The breeder's notebook: the clutches the page keeps, checked as they come
// in, what each shows in the morning's list, what the hatched ones teach, and
// the texts a clutch is shared, put in a calendar and exported as. Every
// number and date in them is written here, in C++; the page keeps the
// clutches and places the texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "web/page_format.h"

// A day's water temperature as noted, each number as the text it was read
// from: the average as both lowest and highest, or the lowest and highest.
struct LogEntry {
  CivilDate date;
  std::string lowest;
  std::string highest;
};

// A clutch as the page keeps it. Its day entries are in date order, one a
// date; entries before the laying date (left when the laying date was
// corrected) are kept but never counted.
struct Clutch {
  std::string id;
  std::string name;
  CivilDate laid;
  std::string temperature;  // the number as read: "20"
  std::optional<CivilDate> hatched;
  std::vector<LogEntry> log;
};

// A clutch as the page hands it over: one row whose first fields are named by
// CLUTCH_FIELDS, followed by each day entry as the fields ENTRY_FIELDS name.
// Dates are YYYY-MM-DD; a clutch not yet hatched has an empty "hatched".
inline constexpr const char* CLUTCH_FIELDS[] = {"id", "name", "laid", "temperature", "hatched"};
inline constexpr const char* ENTRY_FIELDS[] = {"date", "lowest", "highest"};

// The longest id a clutch may have; an id is ASCII letters, digits and hyphens.
inline constexpr std::size_t ID_LENGTH_LIMIT = 64;

// A clutch read from its row, or what is wrong with the row in words.
struct ReadClutch {
  std::optional<Clutch> clutch;
  std::string problem;
};

// Checks a clutch at the door, whether stored or read from a backup: an id of
// letters, digits and hyphens, a name without control characters, dates that
// exist, and temperatures that read as numbers. A clutch that passes is kept
// as ClutchRow writes it: each temperature as the part read as its number,
// the day entries in date order, and of two entries for one date the later.
ReadClutch ReadClutchRow(std::string_view row);

// The row of a clutch, as ReadClutchRow reads it.
std::string ClutchRow(const Clutch& clutch);

// What one clutch shows in the list.
struct ClutchView {
  std::string place;        // where the clutch stood in the rows handed over: "0"
  std::string group;        // "late", "today", "ahead", "stopped", "hatched" or "damaged"
  std::string laid;         // a marked date
  std::string temperature;  // "水温20℃"
  std::string hatch;        // a marked date without its year, "6月17日（木）ごろ", or empty
  std::string state;        // "あと3日", "孵化 12月17日（予定との差 +1日）", ...
  std::string development;  // "発育 62%", or empty once hatched
  std::string share;  // "A-3　産卵12月9日・20℃・孵化予定12月17日（木）ごろ"
  std::string log;    // "日ごとの水温 2日分（最新 6月3日 15～22℃）", or empty
  std::string range;  // "（早ければ6月16日、遅ければ6月20日）" with marked dates, or empty
  std::string assumes;  // what the days ahead are taken to be, or empty
  std::string due;      // "（2日過ぎ）", "（12月18日・あと3日）" or empty
  std::string season;  // the day entries' lowest and highest: "最低12℃・最高24℃", or empty
};

// A list row as the page reads it, its fields in this order.
struct ClutchViewField {
  const char* name;
  std::string ClutchView::*member;
};
inline constexpr ClutchViewField CLUTCH_VIEW_FIELDS[] = {
    {"place", &ClutchView::place},
    {"group", &ClutchView::group},
    {"laid", &ClutchView::laid},
    {"temperature", &ClutchView::temperature},
    {"hatch", &ClutchView::hatch},
    {"state", &ClutchView::state},
    {"development", &ClutchView::development},
    {"share", &ClutchView::share},
    {"log", &ClutchView::log},
    {"range", &ClutchView::range},
    {"assumes", &ClutchView::assumes},
    {"due", &ClutchView::due},
    {"season", &ClutchView::season},
};

struct NotebookView {
  std::string lesson;                // what three or more hatched clutches teach, or empty
  std::vector<ClutchView> clutches;  // late ones first, then by hatch date, hatched ones,
                                     // then the rows that could not be read
};

// The list on `today` of the clutches in `rows`, one row each.
NotebookView ViewNotebook(const std::vector<std::string_view>& rows, CivilDate today);

// ViewNotebook in two steps, so that a clutch that has not changed need not
// be worked out again: each row on its own (the caller gives its view the
// row's place), then the list in order.
struct ClutchSummary {
  int group;                               // the group's place in the list
  std::int64_t order;                      // the clutch's place in its group
  std::optional<std::int64_t> difference;  // hatched this many days after its date
  ClutchView view;
};
ClutchSummary SummarizeClutch(std::string_view row, CivilDate today);
NotebookView ArrangeNotebook(const std::vector<const ClutchSummary*>& summaries);

// The notebook for a spreadsheet: UTF-8 with a byte-order mark and CRLF line
// ends, a row per clutch, then after an empty line a row per counted day
// entry. Rows that cannot be read are left out.
std::string NotebookCsv(const std::vector<std::string_view>& rows, CivilDate today);

// A clutch's day entries in date order, a row each, ended by ROW_SEPARATOR:
// the date (YYYY-MM-DD) and the entry in words, "6月3日の15～22℃", saying so
// when it is not counted.
std::string ClutchDays(const Clutch& clutch);

// A calendar file (iCalendar) with an all-day event on the clutch's hatch
// date and a reminder the evening before, made at `madeAt` (milliseconds
// since 1970-01-01T00:00Z), or empty when it has none. Lines longer than 75
// octets are folded.
std::string ClutchEvent(const Clutch& clutch, CivilDate today, double madeAt);
