// The calculation core as the browser page calls it, compiled to WebAssembly
// and carried inside the page. Every number the page shows is written here,
// by the same code as the window's; the page's script only places the texts.
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "core/estimate.h"
#include "core/number_text.h"
#include "core/quick_table.h"
#include "resources/page_texts.h"
#include "web/exported_text.h"
#include "web/notebook.h"
#include "web/page_calculation.h"

namespace {

// A year of 0 tells that no date was given.
constexpr int NO_YEAR = 0;

// A field's text as the calculation reads it: its first READ_TEXT_LENGTH
// bytes (UTF-8), as the window reads its field. The page hands over the
// field's whole text; this is the one place where it is cut.
std::string_view FieldText(const char* text) {
  return std::string_view(text, strnlen(text, READ_TEXT_LENGTH));
}

// The rows of a text of clutches, each ended by ROW_SEPARATOR (so that one
// empty row, a record the page could not write, still counts).
std::vector<std::string_view> Rows(std::string_view text) {
  std::vector<std::string_view> rows = Split(text, ROW_SEPARATOR);
  rows.pop_back();
  return rows;
}

std::optional<CivilDate> DateOrNothing(int year, int month, int day) {
  if (year == NO_YEAR) {
    return std::nullopt;
  }
  return CivilDate{year, month, day};
}

}  // namespace

extern "C" {

// The calculator's text for the temperature text.
const char* Calculate(const char* temperatureText) {
  return Returned(OnCalculate(FieldText(temperatureText)));
}

// Everything one press of the calculate button shows, as one row of the
// fields PAGE_RESULT_FIELDS names. A year of 0 means no laying date, or no
// known today; dates are marked as page_format.h describes.
const char* CalculatePage(const char* temperatureText, int year, int month, int day, int todayYear,
                          int todayMonth, int todayDay, const char* lowestText,
                          const char* highestText) {
  PageResult result =
      CalculatePageResult(FieldText(temperatureText), DateOrNothing(year, month, day),
                          DateOrNothing(todayYear, todayMonth, todayDay), FieldText(lowestText),
                          FieldText(highestText));
  return Returned(Row(result, PAGE_RESULT_FIELDS));
}

// The quick table: one line a row (ROW_SEPARATOR after each), the
// temperature, the rounded period and the shown text (FIELD_SEPARATOR between).
const char* QuickTable() {
  std::string table;
  for (const QuickTableRow& row : QuickTableRows()) {
    table += std::to_string(row.temperature) + FIELD_SEPARATOR + row.roundedPeriod +
             FIELD_SEPARATOR + row.shownText + ROW_SEPARATOR;
  }
  return Returned(std::move(table));
}

// How many leading characters of a temperature text are read as its number;
// 0 when none are.
int ReadLength(const char* text) {
  return static_cast<int>(NumberTextLength(FieldText(text)));
}

// A clutch's row (see ReadClutchRow) checked at the door: what is wrong with
// it in words, or nothing; then, on the next row, the clutch as it is kept.
const char* CheckClutch(const char* row) {
  ReadClutch read = ReadClutchRow(row);
  return Returned(read.problem + ROW_SEPARATOR + (read.clutch ? ClutchRow(*read.clutch) : ""));
}

// The notebook as the page lists it on `today`: the lesson of the hatched
// clutches, the last backup (YYYY-MM-DD, or empty for none) in words, then a
// row a clutch in the morning's order with the fields CLUTCH_VIEW_FIELDS
// names. `clutches` holds a clutch's row (see ReadClutchRow) a line, each
// ended by ROW_SEPARATOR; one that cannot be read is listed last, saying why.
const char* NotebookList(int year, int month, int day, const char* lastBackup,
                         const char* clutches) {
  // A clutch is worked out again only when its row or today has changed.
  struct Known {
    std::string row;
    ClutchSummary summary;
  };
  static std::vector<Known> known;
  static CivilDate knownToday;
  CivilDate today = {year, month, day};
  if (today != knownToday) {
    known.clear();
    knownToday = today;
  }
  std::vector<std::string_view> rows = Rows(clutches);
  std::vector<Known> now;
  now.reserve(rows.size());  // so that the summaries' places stay put
  std::vector<const ClutchSummary*> summaries;
  for (std::string_view row : rows) {
    auto found = std::find_if(known.begin(), known.end(),
                              [row](const Known& clutch) { return clutch.row == row; });
    if (found != known.end()) {
      now.push_back(std::move(*found));
    } else {
      now.push_back({std::string(row), SummarizeClutch(row, today)});
    }
    now.back().summary.view.place = std::to_string(summaries.size());
    summaries.push_back(&now.back().summary);
  }
  known = std::move(now);
  NotebookView view = ArrangeNotebook(summaries);
  std::optional<CivilDate> backup = ParseIsoDate(lastBackup);
  std::string list =
      view.lesson + ROW_SEPARATOR +
      (backup ? Formatted(LAST_BACKUP_FORMAT,
                          {{"date", MarkedDate(*backup, WEEKDAY_FORMAT, std::nullopt)}})
              : NO_BACKUP_TEXT);
  for (const ClutchView& clutch : view.clutches) {
    list += ROW_SEPARATOR + Row(clutch, CLUTCH_VIEW_FIELDS);
  }
  return Returned(std::move(list));
}

// The notebook for a spreadsheet (see NotebookCsv); `clutches` as NotebookList takes them.
const char* NotebookSpreadsheet(int year, int month, int day, const char* clutches) {
  return Returned(NotebookCsv(Rows(clutches), CivilDate{year, month, day}));
}

// The day entries of the clutch in `row` (see ClutchDays), or empty.
const char* ClutchDayEntries(const char* row) {
  ReadClutch read = ReadClutchRow(row);
  return Returned(read.clutch ? ClutchDays(*read.clutch) : "");
}

// The calendar file of the clutch in `row`, made at `madeAt` (milliseconds
// since 1970-01-01T00:00Z), or empty.
const char* ClutchCalendar(int year, int month, int day, double madeAt, const char* row) {
  ReadClutch read = ReadClutchRow(row);
  return Returned(read.clutch ? ClutchEvent(*read.clutch, CivilDate{year, month, day}, madeAt)
                              : "");
}

}  // extern "C"
