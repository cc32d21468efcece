// The breeder's notebook: the clutches the page keeps (read at the door,
// clutch_record.h), what each shows in the morning's list, what the hatched ones teach, and
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
#include "web/clutch_record.h"
#include "web/page_format.h"

// The groups of the morning's list, in its order, and their names as the page
// reads them: a clutch whose card asks for a part of its record is
// "incomplete", and a record that is no clutch's "damaged".
enum class Group { Late, Today, Ahead, Stopped, Incomplete, Hatched, Damaged };
inline constexpr const char* GROUP_NAMES[] = {"late",       "today",   "ahead",  "stopped",
                                              "incomplete", "hatched", "damaged"};

// What one clutch shows in the list.
struct ClutchView {
  std::string key;          // the record's key in the list, or its place in the rows handed over
  std::string group;        // one of GROUP_NAMES
  std::string name;         // as kept: at most NAME_LENGTH_LIMIT characters
  std::string laid;         // a marked date
  std::string temperature;  // "水温20℃"
  std::string hatch;        // a marked date without its year, "6月17日（木）ごろ", or empty
  std::string state;        // "あと3日", "孵化 12月17日（予定との差 +1日）", ...
  std::string development;  // "発育 62%", or empty once hatched
  std::string share;  // "A-3　産卵12月9日・20℃・孵化予定12月17日（木）ごろ", or empty
  std::string log;  // "日ごとの水温 2日分（最新 6月3日 15～22℃）", or empty
  std::string range;  // "（早ければ6月16日、遅ければ6月20日）" with marked dates, or empty
  std::string assumes;  // what the days ahead are taken to be, or empty
  std::string due;      // "（2日過ぎ）", "（12月18日・あと3日）" or empty
  std::string season;  // the day entries' lowest and highest: "最低12℃・最高24℃", or empty
};

// A list row as the page reads it, its fields in this order.
inline constexpr RowField<ClutchView> CLUTCH_VIEW_FIELDS[] = {
    {"key", &ClutchView::key},
    {"group", &ClutchView::group},
    {"name", &ClutchView::name},
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
// be worked out again: each row on its own (the caller gives its view its
// key), then the list in order.
struct ClutchSummary {
  Group group;
  std::int64_t order;                      // the clutch's place in its group
  std::optional<std::int64_t> difference;  // hatched this many days after its date
  ClutchView view;
  std::string mends;  // what the door mended in the stored row, in words, or empty
};
ClutchSummary SummarizeClutch(std::string_view row, CivilDate today);
// The morning's order of `summaries`: their places by group, then by the
// order within the group, clutches that tie keeping their order; and what
// the hatched ones teach.
struct Arrangement {
  std::vector<std::size_t> places;
  std::string lesson;
};
Arrangement Arrange(const std::vector<const ClutchSummary*>& summaries);

// Hatched clutches needed before the notebook says what they teach.
inline constexpr std::size_t LESSON_FROM = 3;
// What hatched clutches teach: how much later or earlier than their hatch
// date they hatched, from LESSON_FROM of them on (each difference in days).
std::string Lesson(const std::vector<std::int64_t>& differences);

// The notebook for a spreadsheet: UTF-8 with a byte-order mark and CRLF line
// ends, a row per clutch, then after an empty line a row per counted day
// entry. Rows that cannot be read are left out.
std::string NotebookCsv(const std::vector<std::string_view>& rows, CivilDate today);

// A clutch's day entries as its card lists them, newest first, then those set
// aside, a row each with the fields DAY_FIELDS name, ended by ROW_SEPARATOR:
// the entry's place in the record's log, its date as written and the entry in
// words, "6月3日の15～22℃", saying so when it is not counted. The first `most`
// of them, or all when it is 0.
inline constexpr const char* DAY_FIELDS[] = {"source", "date", "words"};
std::string ClutchDays(const Clutch& clutch, std::size_t most = 0);

// A calendar file (iCalendar) with an all-day event on the clutch's hatch
// date and a reminder the evening before, made at `madeAt` (milliseconds
// since 1970-01-01T00:00Z), or empty when it has none. Lines longer than 75
// octets are folded.
std::string ClutchEvent(const Clutch& clutch, CivilDate today, double madeAt);
