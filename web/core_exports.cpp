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
#include "web/clutch_list.h"
#include "web/clutch_record.h"
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

// The rows of a text, each ended by ROW_SEPARATOR (so that one empty row, a
// record the page could not write, still counts).
std::vector<std::string_view> Rows(std::string_view text) {
  std::vector<std::string_view> rows = Split(text, ROW_SEPARATOR);
  rows.pop_back();
  return rows;
}

Source SourceNamed(std::string_view name) {
  for (std::size_t at = 0; at < std::size(SOURCE_NAMES); ++at) {
    if (name == SOURCE_NAMES[at]) {
      return static_cast<Source>(at);
    }
  }
  return Source::Typed;
}

// The notebook's list, kept between the page's calls.
ClutchList notebook;

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

// The quick table: a row each (ROW_SEPARATOR after each) with the fields
// QUICK_TABLE_FIELDS names.
const char* QuickTable() {
  std::string table;
  for (const QuickTableRow& row : QuickTableRows()) {
    QuickTableTexts texts = {std::to_string(row.temperature), row.roundedPeriod, row.shownText};
    table += Row(texts, QUICK_TABLE_FIELDS) + ROW_SEPARATOR;
  }
  return Returned(std::move(table));
}

// How many leading characters of a temperature text are read as its number;
// 0 when none are.
int ReadLength(const char* text) {
  return static_cast<int>(NumberTextLength(FieldText(text)));
}

// Records through the door (see ThroughDoor) from `source` (one of
// SOURCE_NAMES) on the date given: `rows` holds a record's row a line, and
// for a typed change `befores` the row of each record before it (the same
// number of lines, empty for a new one). For each record, a row of the
// fields DOOR_FIELDS names, then its row as kept (see KeptRow), or an empty
// row when it was kept just as it was handed over.
const char* CheckRecords(const char* source, int year, int month, int day, const char* rows,
                         const char* befores) {
  std::vector<std::string_view> records = Rows(rows);
  std::vector<std::string_view> before = Rows(befores);
  Source from = SourceNamed(source);
  std::string reply;
  for (std::size_t at = 0; at < records.size(); ++at) {
    AtDoor read = ThroughDoor(records[at], from, CivilDate{year, month, day},
                              at < before.size() ? before[at] : std::string_view());
    reply += DoorRow(read) + ROW_SEPARATOR +
             (read.passage == Passage::Kept && !read.same ? KeptRow(read.record) : "") +
             ROW_SEPARATOR;
  }
  return Returned(std::move(reply));
}

// The list the core keeps (see clutch_list.h): each row of `rows` a record's
// key, FIELD_SEPARATOR, then its row. Gives the key of each record whose
// stored row the door mended, a line each, with its mends: the fields
// MENDED_FIELDS name.
const char* ListPut(int year, int month, int day, const char* rows) {
  std::string mended;
  for (std::string_view row : Rows(rows)) {
    std::size_t keyEnd = row.find(FIELD_SEPARATOR);
    std::string_view key = row.substr(0, keyEnd);
    std::string_view record = keyEnd == std::string_view::npos ? "" : row.substr(keyEnd + 1);
    std::string mends = PutClutch(notebook, key, record, CivilDate{year, month, day});
    if (!mends.empty()) {
      static_assert(std::size(MENDED_FIELDS) == 2, "a mended record is its key and its mends");
      mended += std::string(key) + FIELD_SEPARATOR + mends + ROW_SEPARATOR;
    }
  }
  return Returned(std::move(mended));
}

// Takes the records of the keys out of the list, a key a line.
void ListRemove(const char* keys) {
  for (std::string_view key : Rows(keys)) {
    RemoveClutch(notebook, key);
  }
}

// The list on the date given: the rows LIST_HEADER_ROWS name (the lesson of
// the hatched clutches, and the last backup, YYYY-MM-DD or empty for none, in
// words), then a row a clutch in the morning's order with the fields
// ORDER_FIELDS name.
const char* ListOrder(int year, int month, int day, const char* lastBackup) {
  static_assert(std::size(LIST_HEADER_ROWS) == 2, "the header is the lesson, then the backup");
  ArrangedList arranged = ArrangeList(notebook, CivilDate{year, month, day});
  std::optional<CivilDate> backup = ParseIsoDate(lastBackup);
  std::string list =
      arranged.lesson + ROW_SEPARATOR +
      (backup ? Formatted(LAST_BACKUP_FORMAT,
                          {{"date", MarkedDate(*backup, WEEKDAY_FORMAT, std::nullopt)}})
              : NO_BACKUP_TEXT) +
      ROW_SEPARATOR;
  for (const ListedClutch* clutch : arranged.order) {
    OrderRow row = {clutch->key, clutch->summary.view.group, std::to_string(clutch->version)};
    list += Row(row, ORDER_FIELDS) + ROW_SEPARATOR;
  }
  return Returned(std::move(list));
}

// What the clutches of the keys, a key a line, show: a row each with the
// fields CLUTCH_VIEW_FIELDS name, as the list was last arranged.
const char* ListViews(const char* keys) {
  std::string views;
  for (std::string_view key : Rows(keys)) {
    if (const ListedClutch* clutch = FindClutch(notebook, key)) {
      views += clutch->shown;
    }
    views += ROW_SEPARATOR;
  }
  return Returned(std::move(views));
}

// The notebook for a spreadsheet (see NotebookCsv); `rows` a record's row a line.
const char* NotebookSpreadsheet(int year, int month, int day, const char* rows) {
  return Returned(NotebookCsv(Rows(rows), CivilDate{year, month, day}));
}

// The day entries of the record in `row` as its card lists them: a row with
// how many there are, then the first `most` of them (all when it is 0) as
// ClutchDays writes them; none for a record that cannot be worked out.
const char* ClutchDayEntries(int year, int month, int day, int most, const char* row) {
  std::optional<Clutch> clutch = StoredClutch(row, CivilDate{year, month, day});
  std::size_t total = clutch ? clutch->log.size() + clutch->aside.size() : 0;
  return Returned(std::to_string(total) + ROW_SEPARATOR +
                  (clutch ? ClutchDays(*clutch, static_cast<std::size_t>(most)) : ""));
}

// The calendar file of the record in `row`, made at `madeAt` (milliseconds
// since 1970-01-01T00:00Z), or empty.
const char* ClutchCalendar(int year, int month, int day, double madeAt, const char* row) {
  CivilDate today = {year, month, day};
  std::optional<Clutch> clutch = StoredClutch(row, today);
  return Returned(clutch ? ClutchEvent(*clutch, today, madeAt) : "");
}

}  // extern "C"
