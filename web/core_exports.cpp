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

// The messages the page's script shows, by name; the script gives the values
// of their placeholders.
const std::pair<const char*, const char*> MESSAGES[] = {
    {"saved", SAVED_FORMAT},
    {"save_needs_temperature", SAVE_NEEDS_TEMPERATURE_TEXT},
    {"save_needs_laid", SAVE_NEEDS_LAID_TEXT},
    {"save_failed", SAVE_FAILED_TEXT},
    {"change_failed", CHANGE_FAILED_TEXT},
    {"deleted", DELETED_FORMAT},
    {"copied", COPIED_TEXT},
    {"log_needs_temperature", LOG_NEEDS_TEMPERATURE_TEXT},
    {"log_date_outside", LOG_DATE_OUTSIDE_TEXT},
    {"imported", IMPORTED_FORMAT},
    {"import_not_backup", IMPORT_NOT_BACKUP_TEXT},
    {"import_damaged", IMPORT_DAMAGED_TEXT},
    {"import_newer", IMPORT_NEWER_TEXT},
    {"default_name", DEFAULT_NAME_FORMAT},
};

// A field's text as the calculation reads it: its first READ_TEXT_LENGTH
// bytes (UTF-8), as the window reads its field. The page hands over the
// field's whole text; this is the one place where it is cut.
std::string_view FieldText(const char* text) {
  return std::string_view(text, strnlen(text, READ_TEXT_LENGTH));
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

// Everything one press of the calculate button shows, as one line of fields
// (FIELD_SEPARATOR between them): the result, the words, the note, the hatch
// date and the hatch range. A year of 0 means no laying date, or no known
// today; dates are marked as page_calculation.h describes.
const char* CalculatePage(const char* temperatureText, int year, int month, int day, int todayYear,
                          int todayMonth, int todayDay, const char* lowestText,
                          const char* highestText) {
  PageResult result =
      CalculatePageResult(FieldText(temperatureText), DateOrNothing(year, month, day),
                          DateOrNothing(todayYear, todayMonth, todayDay), FieldText(lowestText),
                          FieldText(highestText));
  return Returned(result.period + FIELD_SEPARATOR + result.words + FIELD_SEPARATOR + result.note +
                  FIELD_SEPARATOR + result.hatch + FIELD_SEPARATOR + result.range);
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

// The message of that name with its placeholders filled from `values`:
// "name TAB value TAB name TAB value ...". Null for a name there is none of.
const char* Message(const char* name, const char* values) {
  for (const auto& [messageName, text] : MESSAGES) {
    if (std::strcmp(messageName, name) == 0) {
      std::vector<Filling> fillings;
      std::vector<std::string_view> fields = Split(values, FIELD_SEPARATOR);
      for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        fillings.push_back({fields[i], std::string(fields[i + 1])});
      }
      return Returned(Formatted(text, fillings));
    }
  }
  return nullptr;
}

// How many leading characters of a temperature text are read as its number;
// 0 when none are.
int ReadLength(const char* text) {
  return static_cast<int>(NumberTextLength(FieldText(text)));
}

// The notebook as the page lists it on `today`: the lesson of the hatched
// clutches, the last backup (YYYY-MM-DD, or empty for none) in words, then a
// row a clutch in the morning's order with the fields id, group, laid,
// temperature, hatch date, state, development, share line and day entries.
// `clutches` is as ParseClutches reads it.
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
  std::vector<std::string_view> rows = Split(clutches, ROW_SEPARATOR);
  std::vector<Known> now;
  now.reserve(rows.size());  // so that the summaries' places stay put
  std::vector<const ClutchSummary*> summaries;
  for (std::string_view row : rows) {
    auto found = std::find_if(known.begin(), known.end(),
                              [row](const Known& clutch) { return clutch.row == row; });
    if (found != known.end()) {
      now.push_back(std::move(*found));
    } else {
      std::vector<Clutch> parsed = ParseClutches(row);
      if (parsed.empty()) {
        continue;
      }
      now.push_back({std::string(row), SummarizeClutch(parsed[0], today)});
    }
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
    list += ROW_SEPARATOR;
    for (const std::string* field :
         {&clutch.id, &clutch.group, &clutch.laid, &clutch.temperature, &clutch.hatch,
          &clutch.state, &clutch.development, &clutch.share, &clutch.log}) {
      list += (field == &clutch.id ? "" : std::string(1, FIELD_SEPARATOR)) + *field;
    }
  }
  return Returned(std::move(list));
}

// The notebook for a spreadsheet (see NotebookCsv).
const char* NotebookSpreadsheet(int year, int month, int day, const char* clutches) {
  return Returned(NotebookCsv(ParseClutches(clutches), CivilDate{year, month, day}));
}

// The calendar file of the first clutch in `clutches`, or empty.
const char* ClutchCalendar(int year, int month, int day, const char* clutches) {
  std::vector<Clutch> parsed = ParseClutches(clutches);
  return Returned(parsed.empty() ? "" : ClutchEvent(parsed[0], CivilDate{year, month, day}));
}

}  // extern "C"
