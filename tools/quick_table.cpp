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

namespace {

enum class Form { Markdown, Text };

std::vector<std::string> TableLines(Form form) {
  std::vector<std::string> lines;
  char line[128];
  if (form == Form::Markdown) {
    lines.push_back("| 水温 (℃) | 推定卵期間 (日) | 電卓の表示 |");
    lines.push_back("|---:|---:|---:|");
  } else {
    // Columns of 8, 14 and 16 characters; each Japanese character takes two.
    lines.push_back("水温(℃)  推定卵期間(日)  電卓の表示");
    lines.push_back("--------  --------------  ----------------");
  }
  for (const QuickTableRow& row : QuickTableRows()) {
    const char* format = form == Form::Markdown ? "| %d | %s | %s |" : "%8d  %14s  %s";
    std::snprintf(line, sizeof line, format, row.temperature, row.roundedPeriod.c_str(),
                  row.shownText.c_str());
    lines.push_back(line);
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
