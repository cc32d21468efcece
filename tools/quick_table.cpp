// Writes the quick table (core/quick_table.h) into the manuals, and checks it
// there.
//   quick_table markdown|text     prints the table in that form
//   quick_table --check FILE...   fails if a file's table is not what the calculation gives
//   quick_table --write FILE...   rewrites the files' tables
// A file whose name ends in ".md" carries the Markdown form, any other file the
// text form. A file's table starts at the table's header line and ends before
// the first empty line.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "core/quick_table.h"
#include "resources/form_texts.h"
#include "resources/page_texts.h"

namespace {

enum class Form { Markdown, Text };

// The columns' headings, as the page's quick table has them.
const char* const HEADINGS[] = {TEMPERATURE_GROUP_TEXT, QUICK_TABLE_PERIOD_HEADING,
                                EGG_PERIOD_GROUP_TEXT};
// In the text form the first two columns are as wide as their headings,
// right-aligned, and the calculator's text follows as it is, two spaces apart.
constexpr const char* COLUMN_GAP = "  ";
constexpr int SHOWN_TEXT_DASHES = 16;  // as wide as "222.222229003906"

// Width on a fixed-pitch screen: a Japanese character (any non-ASCII
// character here) takes two columns. Counts UTF-8 lead bytes.
int DisplayWidth(const std::string& text) {
  int width = 0;
  for (unsigned char c : text) {
    if (c < 0x80) {
      width += 1;
    } else if (c >= 0xC0) {
      width += 2;
    }
  }
  return width;
}

std::string RightAligned(const std::string& text, int width) {
  return std::string(std::max(0, width - DisplayWidth(text)), ' ') + text;
}

std::vector<std::string> TableLines(Form form) {
  std::vector<std::vector<std::string>> rows;
  for (const QuickTableRow& row : QuickTableRows()) {
    rows.push_back({std::to_string(row.temperature), row.roundedPeriod, row.shownText});
  }
  std::vector<std::string> lines;
  if (form == Form::Markdown) {
    lines.push_back(std::string("| ") + HEADINGS[0] + " | " + HEADINGS[1] + " | " + HEADINGS[2] +
                    " |");
    lines.push_back("|---:|---:|---:|");
    for (const auto& row : rows) {
      lines.push_back("| " + row[0] + " | " + row[1] + " | " + row[2] + " |");
    }
    return lines;
  }
  int widths[] = {DisplayWidth(HEADINGS[0]), DisplayWidth(HEADINGS[1])};
  auto line = [&](const std::string& a, const std::string& b, const std::string& c) {
    return RightAligned(a, widths[0]) + COLUMN_GAP + RightAligned(b, widths[1]) + COLUMN_GAP + c;
  };
  lines.push_back(line(HEADINGS[0], HEADINGS[1], HEADINGS[2]));
  lines.push_back(line(std::string(widths[0], '-'), std::string(widths[1], '-'),
                       std::string(SHOWN_TEXT_DASHES, '-')));
  for (const auto& row : rows) {
    lines.push_back(line(row[0], row[1], row[2]));
  }
  return lines;
}

Form FormOfFile(const std::string& path) {
  return path.ends_with(".md") ? Form::Markdown : Form::Text;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    lines.push_back(line);
  }
  return lines;
}

// Puts `table` in place of the table in `lines`: from its header line to the
// first empty line, so a table that grew or shrank leaves the lines after it
// as they are. Returns false if `lines` has no table header.
bool ReplaceTable(std::vector<std::string>& lines, const std::vector<std::string>& table) {
  auto start = std::find(lines.begin(), lines.end(), table.front());
  if (start == lines.end()) {
    return false;
  }
  auto end = std::find(start, lines.end(), std::string());
  lines.insert(lines.erase(start, end), table.begin(), table.end());
  return true;
}

// Checks or rewrites the table of one file. Returns whether it was right.
bool UpdateFile(const std::string& path, bool write) {
  std::vector<std::string> lines = ReadLines(path);
  std::vector<std::string> updated = lines;
  if (!ReplaceTable(updated, TableLines(FormOfFile(path)))) {
    std::cerr << path << ": no quick table found\n";
    return false;
  }
  if (updated == lines) {
    return true;
  }
  if (write) {
    std::ofstream file(path, std::ios::binary);
    for (const std::string& line : updated) {
      file << line << '\n';
    }
    std::cerr << path << ": quick table rewritten\n";
    return true;
  }
  std::cerr << path << ": the quick table differs from the calculation; run quick_table --write\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "markdown") == 0 || std::strcmp(argv[1], "text") == 0)) {
    Form form = std::strcmp(argv[1], "markdown") == 0 ? Form::Markdown : Form::Text;
    for (const std::string& line : TableLines(form)) {
      std::cout << line << '\n';
    }
    return 0;
  }
  if (argc >= 3 && (std::strcmp(argv[1], "--check") == 0 || std::strcmp(argv[1], "--write") == 0)) {
    bool write = std::strcmp(argv[1], "--write") == 0;
    bool allRight = true;
    for (int i = 2; i < argc; ++i) {
      allRight = UpdateFile(argv[i], write) && allRight;
    }
    return allRight ? 0 : 1;
  }
  std::cerr << "usage: quick_table markdown|text | --check FILE... | --write FILE...\n";
  return 2;
}
