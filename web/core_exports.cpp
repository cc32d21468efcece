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

constexpr char FIELD_SEPARATOR = '\t';
constexpr char ROW_SEPARATOR = '\n';
// A year of 0 tells that no date was given.
constexpr int NO_YEAR = 0;

// The numbers a page text takes.
std::vector<std::string> NoNumbers() {
  return {};
}
std::vector<std::string> Threshold() {
  return {ThresholdText()};
}
std::vector<std::string> Version() {
  return {EGGPERIOD_VERSION_TEXT};
}
std::vector<std::string> QuickTableSpan() {
  return {std::to_string(QUICK_TABLE_FIRST_TEMPERATURE),
          std::to_string(QUICK_TABLE_LAST_TEMPERATURE)};
}

// A text of the page, by the name the page's template gives it.
struct PageTextRow {
  const char* name;
  const char* text;
  std::vector<std::string> (*numbers)();
};

const PageTextRow PAGE_TEXTS[] = {
    {"title", MAIN_WINDOW_TITLE, NoNumbers},
    {"app_name", APP_NAME, NoNumbers},
    {"purpose", PURPOSE_TEXT, NoNumbers},
    {"method", METHOD_TEXT, NoNumbers},
    {"caution", CAUTION_TEXT, NoNumbers},
    {"low_temperature", LOW_TEMPERATURE_TEXT, NoNumbers},
    {"survival", SURVIVAL_TEXT, NoNumbers},
    {"temperature_label", TEMPERATURE_GROUP_TEXT, NoNumbers},
    {"period_label", EGG_PERIOD_GROUP_TEXT, NoNumbers},
    {"period_hint", PERIOD_HINT, NoNumbers},
    {"calculate", CALCULATE_TEXT, NoNumbers},
    {"credit", CREDIT_TEXT, NoNumbers},
    {"home_page", EGGPERIOD_HOME_PAGE, NoNumbers},
    {"short_name", APP_SHORT_NAME, NoNumbers},
    {"laid_label", LAID_LABEL, NoNumbers},
    {"laid_hint", LAID_HINT, NoNumbers},
    {"hatch_label", HATCH_LABEL, NoNumbers},
    {"range_title", RANGE_TITLE, NoNumbers},
    {"range_hint", RANGE_HINT, Threshold},
    {"lowest_label", LOWEST_LABEL, NoNumbers},
    {"highest_label", HIGHEST_LABEL, NoNumbers},
    {"range_result_label", RANGE_RESULT_LABEL, NoNumbers},
    {"quick_table_title", QUICK_TABLE_TITLE, NoNumbers},
    {"quick_table_caption", QUICK_TABLE_CAPTION, QuickTableSpan},
    {"quick_table_period_heading", QUICK_TABLE_PERIOD_HEADING, NoNumbers},
    {"no_script", NO_SCRIPT_TEXT, NoNumbers},
    {"no_webassembly", NO_WEBASSEMBLY_TEXT, NoNumbers},
    {"manual", MANUAL_TEXT, NoNumbers},
    {"manual_back", MANUAL_BACK_TEXT, NoNumbers},
    {"version", VERSION_FORMAT, Version},
    {"offline_title", OFFLINE_TITLE, NoNumbers},
    {"offline_text", OFFLINE_TEXT, NoNumbers},
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

// Everything one press of the calculate button shows, as one line of fields:
// "result TAB words TAB note TAB hatch date TAB hatch range". A year of 0
// means no laying date, or no known today; dates are marked as
// page_calculation.h describes.
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

// The quick table: one line a row, "temperature TAB rounded period TAB shown text".
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
      return Returned(Formatted(row.text, row.numbers()));
    }
  }
  return nullptr;
}

// The most characters a temperature field takes.
int InputTextLength() {
  return static_cast<int>(READ_TEXT_LENGTH);
}

}  // extern "C"
