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
#include "core/quick_table.h"
#include "resources/form_texts.h"
#include "resources/page_texts.h"
#include "version.h"
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

// The most characters a temperature field takes.
int InputTextLength() {
  return static_cast<int>(READ_TEXT_LENGTH);
}

}  // extern "C"
