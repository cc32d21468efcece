// The calculation core as the browser page calls it, compiled to WebAssembly.
// Every number the page shows is written here, by the same code as the
// window's; the page's script only places the texts.
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "core/estimate.h"
#include "core/number_text.h"
#include "core/quick_table.h"
#include "resources/form_texts.h"
#include "resources/page_texts.h"
#include "version.h"
#include "web/notebook.h"
#include "web/page_calculation.h"

namespace {

// A year of 0 tells that no date was given.
constexpr int NO_YEAR = 0;

// The values a page text's placeholders take.
std::vector<Filling> Threshold() {
  return {{"threshold", ThresholdText()}};
}
std::vector<Filling> Version() {
  return {{"version", EGGPERIOD_VERSION_TEXT}};
}
std::vector<Filling> QuickTableSpan() {
  return {{"first", std::to_string(QUICK_TABLE_FIRST_TEMPERATURE)},
          {"last", std::to_string(QUICK_TABLE_LAST_TEMPERATURE)}};
}

// A text of the page, by the name the page's template gives it, with the
// values of its placeholders; a text without placeholders has none.
struct PageTextRow {
  const char* name;
  const char* text;
  std::vector<Filling> (*fillings)() = nullptr;
};

const PageTextRow PAGE_TEXTS[] = {
    {"title", MAIN_WINDOW_TITLE},
    {"app_name", APP_NAME},
    {"purpose", PURPOSE_TEXT},
    {"method", METHOD_TEXT},
    {"caution", CAUTION_TEXT},
    {"low_temperature", LOW_TEMPERATURE_TEXT},
    {"survival", SURVIVAL_TEXT},
    {"temperature_label", TEMPERATURE_GROUP_TEXT},
    {"period_label", EGG_PERIOD_GROUP_TEXT},
    {"period_hint", PERIOD_HINT},
    {"calculate", CALCULATE_TEXT},
    {"credit", CREDIT_TEXT},
    {"home_page", EGGPERIOD_HOME_PAGE},
    {"short_name", APP_SHORT_NAME},
    {"laid_label", LAID_LABEL},
    {"laid_hint", LAID_HINT},
    {"hatch_label", HATCH_LABEL},
    {"range_title", RANGE_TITLE},
    {"range_hint", RANGE_HINT, Threshold},
    {"lowest_label", LOWEST_LABEL},
    {"highest_label", HIGHEST_LABEL},
    {"range_result_label", RANGE_RESULT_LABEL},
    {"quick_table_title", QUICK_TABLE_TITLE},
    {"quick_table_caption", QUICK_TABLE_CAPTION, QuickTableSpan},
    {"quick_table_period_heading", QUICK_TABLE_PERIOD_HEADING},
    {"no_script", NO_SCRIPT_TEXT},
    {"no_webassembly", NO_WEBASSEMBLY_TEXT},
    {"manual", MANUAL_TEXT},
    {"manual_back", MANUAL_BACK_TEXT},
    {"version", VERSION_FORMAT, Version},
    {"offline_title", OFFLINE_TITLE},
    {"offline_text", OFFLINE_TEXT},
    {"notebook_title", NOTEBOOK_TITLE},
    {"notebook_hint", NOTEBOOK_HINT},
    {"notebook_empty", NOTEBOOK_EMPTY_TEXT},
    {"label_label", LABEL_LABEL},
    {"save", SAVE_TEXT},
    {"storage_unavailable", STORAGE_UNAVAILABLE_TEXT},
    {"safari_note", SAFARI_NOTE_TEXT},
    {"export_json", EXPORT_JSON_TEXT},
    {"export_csv", EXPORT_CSV_TEXT},
    {"import_label", IMPORT_LABEL},
    {"clutch_laid_label", CLUTCH_LAID_LABEL},
    {"clutch_hatch_label", CLUTCH_HATCH_LABEL},
    {"clutch_details", CLUTCH_DETAILS_TEXT},
    {"log_title", LOG_TITLE},
    {"log_hint", LOG_HINT},
    {"log_date_label", LOG_DATE_LABEL},
    {"log_temperature_label", LOG_TEMPERATURE_LABEL},
    {"log_add", LOG_ADD_TEXT},
    {"edit_title", EDIT_TITLE},
    {"name_label", NAME_LABEL},
    {"edit_save", EDIT_SAVE_TEXT},
    {"hatched_label", HATCHED_LABEL},
    {"hatched_save", HATCHED_SAVE_TEXT},
    {"share", SHARE_TEXT},
    {"calendar", CALENDAR_TEXT},
    {"delete", DELETE_TEXT},
    {"undo_delete", UNDO_DELETE_TEXT},
};

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

// Texts handed back to the page stay valid until the next call that returns one.
std::string ReturnedText;

const char* Returned(std::string text) {
  ReturnedText = std::move(text);
  return ReturnedText.c_str();
}

// A field's text as the calculation reads it: its first READ_TEXT_LENGTH
// bytes (UTF-8), as the window reads its field. The page hands over the
// field's whole text; this is the one place where it is cut.
std::string_view FieldText(const char* text) {
  return std::string_view(text, strnlen(text, READ_TEXT_LENGTH));
}

// Fields of a text, FIELD_SEPARATOR between them.
std::vector<std::string_view> Fields(std::string_view text) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = std::min(text.find(FIELD_SEPARATOR, start), text.size());
    fields.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return fields;
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

// The page's text of that name, or null for a name the page does not have.
const char* PageText(const char* name) {
  for (const PageTextRow& row : PAGE_TEXTS) {
    if (std::strcmp(row.name, name) == 0) {
      return Returned(row.fillings ? Formatted(row.text, row.fillings()) : row.text);
    }
  }
  return nullptr;
}

// The marks and separators of the texts above, as a JSON object for the
// page's script.
const char* PageFormat() {
  return Returned(PageFormatJson());
}

// The message of that name with its placeholders filled from `values`:
// "name TAB value TAB name TAB value ...". Null for a name there is none of.
const char* Message(const char* name, const char* values) {
  for (const auto& [messageName, text] : MESSAGES) {
    if (std::strcmp(messageName, name) == 0) {
      std::vector<Filling> fillings;
      std::vector<std::string_view> fields = Fields(values);
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
  NotebookView view = ViewNotebook(ParseClutches(clutches), CivilDate{year, month, day});
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

// The most characters a temperature field takes.
int InputTextLength() {
  return static_cast<int>(READ_TEXT_LENGTH);
}

}  // extern "C"
