// The texts that cross between the page's script and the calculation core:
// the marks a date carries in a page text, the separators of fields and rows,
// the placeholders of a page text, and dates written as YYYY-MM-DD. Every
// part of the page's core writes and reads its texts with these.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"

// Marks a date in a page text: DATE_MARK, the date as YYYY-MM-DD,
// DATE_TEXT_MARK, the date in words, DATE_MARK. The page shows the words in a
// <time> element whose datetime is the YYYY-MM-DD form. The words are pieces
// that never break across lines, with DATE_BREAK where a line may break:
// "2026年12月17日", "（木）ごろ" and how far the date is from today.
inline constexpr char DATE_MARK = '\x01';
inline constexpr char DATE_TEXT_MARK = '\x02';
inline constexpr char DATE_BREAK = '\x03';
// Between the fields of a result handed to the page, and between the rows of
// a table.
inline constexpr char FIELD_SEPARATOR = '\t';
inline constexpr char ROW_SEPARATOR = '\n';
// A control character inside a field the page hands over (a tab in a name
// read from a file) crosses as SUBSTITUTE_MARK, so that no field can split a
// row. The mark is itself a control character: a field that holds one fails
// its check just as the field it stands for would.
inline constexpr char SUBSTITUTE_MARK = '\x1a';

// The parts of `text` between the separators: one more than there are
// separators, so an empty text is one empty part.
std::vector<std::string_view> Split(std::string_view text, char separator);

// A value for the placeholder "{name}" of a page text. The value is viewed,
// not copied: it must outlive the call that fills the text.
struct Filling {
  std::string_view name;
  std::string_view value;
};

// `format` with each "{name}" replaced by the value of its filling. A
// placeholder without a filling, or a filling without a placeholder, is a
// mistake in the program: it stops there (std::abort), so that the tests,
// which write every text, and the build, which writes the page's texts, fail.
std::string Formatted(std::string_view format, std::initializer_list<Filling> fillings);

// A date as YYYY-MM-DD.
std::string IsoDate(CivilDate date);

// "YYYY-MM-DD", or nothing for any other text or a date that does not exist.
std::optional<CivilDate> ParseIsoDate(std::string_view text);

// One field of a row the page reads: its name, and the record's member that
// holds it.
template <typename Record>
struct RowField {
  const char* name;
  std::string Record::*member;
};

// A record's fields as one row, in the order of `table`, whose entries name
// each field and the record's member that holds it.
template <typename Record, typename Table>
std::string Row(const Record& record, const Table& table) {
  std::string row;
  for (const auto& field : table) {
    row += (&field == &table[0] ? "" : std::string(1, FIELD_SEPARATOR)) + record.*(field.member);
  }
  return row;
}

// A row of the quick table, as the page reads it.
struct QuickTableTexts {
  std::string temperature;  // "20"
  std::string rounded;      // "8.4"
  std::string shown;        // "8.38222980499268"
};
inline constexpr RowField<QuickTableTexts> QUICK_TABLE_FIELDS[] = {
    {"temperature", &QuickTableTexts::temperature},
    {"rounded", &QuickTableTexts::rounded},
    {"shown", &QuickTableTexts::shown}};

// A layout the page's script is built with: the names of a row's fields in
// their order, as the script reads and writes them.
struct PublishedLayout {
  const char* name;
  std::vector<const char*> fields;
};

template <typename Table>
std::vector<const char*> NamesOf(const Table& table) {
  std::vector<const char*> names;
  for (const auto& field : table) {
    names.push_back(field.name);
  }
  return names;
}

// A text as a JSON string: quotes, backslashes and control characters
// escaped, other characters as they are.
std::string JsonString(std::string_view text);

// A text the page's script is built with, by name.
struct PublishedText {
  const char* name;
  std::string text;
};

// The marks and separators above, each layout's field names and each text, as
// a JSON object: {"dateMark": "\u0001", ..., "clutchFields": ["id", ...], ...}.
std::string PageFormatJson(const std::vector<PublishedLayout>& layouts,
                           const std::vector<PublishedText>& texts);
