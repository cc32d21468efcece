#include "web/page_format.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr std::size_t YEAR_PLACES = 4;
constexpr std::size_t MONTH_AND_DAY_PLACES = 2;
constexpr char PLACEHOLDER_OPEN = '{';
constexpr char PLACEHOLDER_CLOSE = '}';
constexpr int DECIMAL_BASE = 10;
constexpr int HEX_BASE = 16;

// `number` with zeros before it to fill `places`: 6 as "06".
std::string Padded(int number, std::size_t places) {
  std::string digits = std::to_string(number);
  return std::string(places > digits.size() ? places - digits.size() : 0, '0') + digits;
}

}  // namespace

std::string JsonString(std::string_view text) {
  constexpr const char* HEX_DIGITS = "0123456789abcdef";
  std::string json = "\"";
  for (char c : text) {
    auto code = static_cast<unsigned char>(c);
    if (code < ' ' || c == '"' || c == '\\') {
      json += std::string("\\u00") + HEX_DIGITS[code / HEX_BASE] + HEX_DIGITS[code % HEX_BASE];
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) {
      return parts;
    }
    start = end + 1;
  }
}

std::string Formatted(std::string_view format, std::initializer_list<Filling> fillings) {
  std::vector<bool> filled(fillings.size(), false);
  std::string text;
  std::size_t position = 0;
  for (;;) {
    std::size_t open = format.find(PLACEHOLDER_OPEN, position);
    text += format.substr(position, open - position);
    if (open == std::string_view::npos) {
      break;
    }
    std::size_t close = format.find(PLACEHOLDER_CLOSE, open);
    if (close == std::string_view::npos) {
      std::abort();
    }
    std::string_view name = format.substr(open + 1, close - open - 1);
    auto filling = std::find_if(fillings.begin(), fillings.end(),
                                [name](const Filling& f) { return f.name == name; });
    if (filling == fillings.end()) {
      std::abort();
    }
    text += filling->value;
    filled[static_cast<std::size_t>(filling - fillings.begin())] = true;
    position = close + 1;
  }
  if (std::find(filled.begin(), filled.end(), false) != filled.end()) {
    std::abort();
  }
  return text;
}

std::string IsoDate(CivilDate date) {
  return Padded(date.year, YEAR_PLACES) + '-' + Padded(date.month, MONTH_AND_DAY_PLACES) + '-' +
         Padded(date.day, MONTH_AND_DAY_PLACES);
}

std::optional<CivilDate> ParseIsoDate(std::string_view text) {
  constexpr std::size_t ISO_LENGTH = sizeof "YYYY-MM-DD" - 1;
  constexpr std::size_t MONTH_AT = YEAR_PLACES + 1;
  constexpr std::size_t DAY_AT = MONTH_AT + MONTH_AND_DAY_PLACES + 1;
  if (text.size() != ISO_LENGTH || text[MONTH_AT - 1] != '-' || text[DAY_AT - 1] != '-') {
    return std::nullopt;
  }
  auto number = [text](std::size_t at, std::size_t length) {
    int value = 0;
    for (char c : text.substr(at, length)) {
      if (c < '0' || c > '9') {
        return -1;
      }
      value = value * DECIMAL_BASE + (c - '0');
    }
    return value;
  };
  CivilDate date = {number(0, YEAR_PLACES), number(MONTH_AT, MONTH_AND_DAY_PLACES),
                    number(DAY_AT, MONTH_AND_DAY_PLACES)};
  return IsValidDate(date) ? std::optional(date) : std::nullopt;
}

std::string PageFormatJson(const std::vector<PublishedLayout>& layouts,
                           const std::vector<PublishedText>& texts) {
  struct Mark {
    const char* name;
    char mark;
  };
  constexpr Mark MARKS[] = {{"dateMark", DATE_MARK},         {"dateTextMark", DATE_TEXT_MARK},
                            {"dateBreak", DATE_BREAK},       {"fieldSeparator", FIELD_SEPARATOR},
                            {"rowSeparator", ROW_SEPARATOR}, {"substituteMark", SUBSTITUTE_MARK}};
  std::string json;
  for (const Mark& mark : MARKS) {
    json += (json.empty() ? "{" : ", ") + JsonString(mark.name) + ": " +
            JsonString(std::string(1, mark.mark));
  }
  for (const PublishedLayout& layout : layouts) {
    std::string names;
    for (const char* field : layout.fields) {
      names += (names.empty() ? "" : ", ") + JsonString(field);
    }
    json += ", " + JsonString(layout.name) + ": [" + names + "]";
  }
  for (const PublishedText& text : texts) {
    json += ", " + JsonString(text.name) + ": " + JsonString(text.text);
  }
  return json + "}";
}
