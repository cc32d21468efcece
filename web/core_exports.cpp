// The calculation core as the browser page calls it, compiled to WebAssembly.
// Every number the page shows is written here, by the same code as the
// window's; the page's script only places the texts.
#include <cstring>
#include <string>
#include <string_view>

#include "core/estimate.h"
#include "core/number_text.h"
#include "core/quick_table.h"
#include "resources/form_texts.h"
#include "resources/page_texts.h"

namespace {

// Digits after the point of the threshold temperature in the reading: "5.45".
constexpr int THRESHOLD_DECIMALS = 2;
constexpr char FIELD_SEPARATOR = '\t';
constexpr char ROW_SEPARATOR = '\n';
// Where a page text takes a number.
constexpr const char* NUMBER_MARK = "%s";

// A text of the page, by the name the page's template gives it.
struct PageTextRow {
  const char* name;
  const char* text;
};

const PageTextRow PAGE_TEXTS[] = {
    {"title", MAIN_WINDOW_TITLE},
    {"purpose", PURPOSE_TEXT},
    {"method", METHOD_TEXT},
    {"caution", CAUTION_TEXT},
    {"low_temperature", LOW_TEMPERATURE_TEXT},
    {"survival", SURVIVAL_TEXT},
    {"temperature_label", TEMPERATURE_GROUP_TEXT},
    {"period_label", EGG_PERIOD_GROUP_TEXT},
    {"calculate", CALCULATE_TEXT},
    {"arrow", ARROW_TEXT},
    {"credit", CREDIT_TEXT},
    {"quick_table_title", QUICK_TABLE_TITLE},
    {"quick_table_caption", QUICK_TABLE_CAPTION},
    {"shown_text_heading", SHOWN_TEXT_HEADING},
    {"no_script", NO_SCRIPT_TEXT},
};

// Texts handed back to the page stay valid until the next call that returns one.
std::string ReturnedText;

const char* Returned(std::string text) {
  ReturnedText = std::move(text);
  return ReturnedText.c_str();
}

// `format` with its one "%s" replaced by `number`.
std::string WithNumber(const char* format, const std::string& number) {
  std::string text = format;
  return text.replace(text.find(NUMBER_MARK), std::strlen(NUMBER_MARK), number);
}

}  // namespace

extern "C" {

// The calculator's text for the temperature text (UTF-8; only its first
// INPUT_TEXT_LIMIT - 1 bytes are read, as the window reads its field).
const char* Calculate(const char* temperatureText) {
  std::size_t length = strnlen(temperatureText, INPUT_TEXT_LIMIT - 1);
  return Returned(OnCalculate(std::string_view(temperatureText, length)));
}

// The last estimate in plain words: about how many days, or that the eggs do
// not develop at that temperature.
const char* PeriodReading() {
  if (EggsDevelop(LastEstimate)) {
    return Returned(WithNumber(PERIOD_READING_FORMAT, RoundedPeriod(LastEstimate)));
  }
  return Returned(
      WithNumber(NO_DEVELOPMENT_FORMAT, WriteFixed(DevelopmentThreshold(), THRESHOLD_DECIMALS)));
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
      return row.text;
    }
  }
  return nullptr;
}

// The most characters the temperature field takes.
int InputTextLength() {
  return INPUT_TEXT_LIMIT - 1;
}

}  // extern "C"
