// The page's texts and format for the build, which writes them into the page
// and its script, compiled to WebAssembly and run by web/make_page.mjs. Kept
// apart from the page's own core so that the page does not carry them twice.
#include <cstring>
#include <string>
#include <vector>

#include "core/estimate.h"
#include "core/quick_table.h"
#include "resources/form_texts.h"
#include "resources/page_texts.h"
#include "version.h"
#include "web/clutch_list.h"
#include "web/clutch_record.h"
#include "web/exported_text.h"
#include "web/notebook.h"
#include "web/page_calculation.h"

namespace {

// A page text with its placeholders filled.
std::string Threshold(const char* text) {
  std::string threshold = ThresholdText();
  return Formatted(text, {{"threshold", threshold}});
}
std::string Version(const char* text) {
  return Formatted(text, {{"version", EGGPERIOD_VERSION_TEXT}});
}
std::string QuickTableSpan(const char* text) {
  std::string first = std::to_string(QUICK_TABLE_FIRST_TEMPERATURE);
  std::string last = std::to_string(QUICK_TABLE_LAST_TEMPERATURE);
  return Formatted(text, {{"first", first}, {"last", last}});
}

// A text of the page, by the name the page's template gives it, with what
// fills its placeholders; a text without placeholders has nothing.
struct PageTextRow {
  const char* name;
  const char* text;
  std::string (*filled)(const char* text) = nullptr;
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
    {"range_card_label", RANGE_CARD_LABEL},
    {"hatched_title", HATCHED_TITLE},
    {"hatched_undo", HATCHED_UNDO_TEXT},
    {"round_title", ROUND_TITLE},
    {"round_hint", ROUND_HINT},
    {"round_clutches", ROUND_CLUTCHES_TEXT},
    {"round_add", ROUND_ADD_TEXT},
    {"print_list", PRINT_LIST_TEXT},
    {"print_state", PRINT_STATE_HEADING},
    {"print_development", PRINT_DEVELOPMENT_HEADING},
};

// The messages the page's script shows, by name; the script fills in their
// placeholders.
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
    {"import_left_out", IMPORT_LEFT_OUT_FORMAT},
    {"import_problem", IMPORT_PROBLEM_FORMAT},
    {"record_duplicate", RECORD_DUPLICATE_FORMAT},
    {"hatched_date_outside", HATCHED_DATE_OUTSIDE_TEXT},
    {"temperature_unread", TEMPERATURE_UNREAD_FORMAT},
    {"database_blocked", DATABASE_BLOCKED_TEXT},
    {"database_replaced", DATABASE_REPLACED_TEXT},
    {"list_failed", LIST_FAILED_TEXT},
    {"edit_needs_temperature", EDIT_NEEDS_TEMPERATURE_TEXT},
    {"edit_needs_laid", EDIT_NEEDS_LAID_TEXT},
    {"hatched_undone", HATCHED_UNDONE_TEXT},
    {"entry_deleted", ENTRY_DELETED_FORMAT},
    {"entries_all", ENTRIES_ALL_FORMAT},
    {"hatch_moved", HATCH_MOVED_FORMAT},
    {"hatch_stayed", HATCH_STAYED_FORMAT},
    {"hatch_none", HATCH_NONE_TEXT},
    {"today_hatching", TODAY_HATCHING_TEXT},
    {"today_late", TODAY_LATE_TEXT},
    {"today_next", TODAY_NEXT_TEXT},
    {"list_separator", LIST_SEPARATOR_TEXT},
    {"hatched_count", HATCHED_COUNT_FORMAT},
    {"round_done", ROUND_DONE_FORMAT},
    {"round_moved", ROUND_MOVED_FORMAT},
    {"round_skipped", ROUND_SKIPPED_FORMAT},
    {"round_none", ROUND_NONE_TEXT},
    {"round_undone", ROUND_UNDONE_TEXT},
    {"default_name", DEFAULT_NAME_FORMAT},
    {"import_too_large", IMPORT_TOO_LARGE_TEXT},
    {"import_failed", IMPORT_FAILED_TEXT},
    {"import_undone", IMPORT_UNDONE_TEXT},
    {"import_mended", IMPORT_MENDED_FORMAT},
    {"more_not_named", MORE_NOT_NAMED_FORMAT},
    {"mended_on_opening", MENDED_ON_OPENING_FORMAT},
    {"mended_record", MENDED_RECORD_FORMAT},
    {"undo_changed_since", UNDO_CHANGED_SINCE_FORMAT},
    {"undo_exists", UNDO_EXISTS_TEXT},
    {"undo_failed", UNDO_FAILED_TEXT},
    {"clutch_gone", CLUTCH_GONE_TEXT},
    {"entry_changed_since", ENTRY_CHANGED_SINCE_TEXT},
    {"entry_restored", ENTRY_RESTORED_FORMAT},
    {"delete_failed", DELETE_FAILED_TEXT},
    {"database_newer", DATABASE_NEWER_TEXT},
    {"database_closed", DATABASE_CLOSED_TEXT},
};

}  // namespace

extern "C" {

// The page's text of that name, or null for a name the page does not have.
const char* PageText(const char* name) {
  for (const PageTextRow& row : PAGE_TEXTS) {
    if (std::strcmp(row.name, name) == 0) {
      return Returned(row.filled ? row.filled(row.text) : row.text);
    }
  }
  return nullptr;
}

// The marks and separators of the core's texts, as a JSON object for the
// page's script.
const char* PageFormat() {
  auto names = [](const auto& list) {
    return std::vector<const char*>(std::begin(list), std::end(list));
  };
  return Returned(PageFormatJson(
      {
          {"resultFields", NamesOf(PAGE_RESULT_FIELDS)},
          {"clutchFields", names(CLUTCH_FIELDS)},
          {"entryFields", names(ENTRY_FIELDS)},
          {"keptEntryFields", names(KEPT_ENTRY_FIELDS)},
          {"doorFields", names(DOOR_FIELDS)},
          {"sources", names(SOURCE_NAMES)},
          {"passages", names(PASSAGE_NAMES)},
          {"listHeaderRows", names(LIST_HEADER_ROWS)},
          {"orderFields", NamesOf(ORDER_FIELDS)},
          {"mendedFields", names(MENDED_FIELDS)},
          {"listFields", NamesOf(CLUTCH_VIEW_FIELDS)},
          {"groups", names(GROUP_NAMES)},
          {"dayFields", names(DAY_FIELDS)},
          {"quickTableFields", NamesOf(QUICK_TABLE_FIELDS)},
      },
      {{"notText", std::string(1, NOT_TEXT_MARK)}, {"afterImport", ASIDE_AFTER_IMPORT}}));
}

// The messages, as a JSON object of texts by name, for the page's script.
const char* Messages() {
  std::string json;
  for (const auto& [name, text] : MESSAGES) {
    json += (json.empty() ? "{" : ", ") + JsonString(name) + ": " + JsonString(text);
  }
  return Returned(json + "}");
}

// The most characters a temperature field takes.
int InputTextLength() {
  return static_cast<int>(READ_TEXT_LENGTH);
}

}  // extern "C"
