// The notebook's list as the core keeps it between the page's calls: each
// record's row and what it shows, by the record's key, worked out again only
// when its row or today changes, so that a change of one clutch works out
// that clutch alone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "web/notebook.h"

struct ListedClutch {
  std::string key;
  std::string row;
  ClutchSummary summary;
  std::string shown;          // its view as one row, to tell whether it changed
  std::uint64_t version = 0;  // changes whenever what the clutch shows changes
  bool fresh = false;         // worked out for the list's today
};

struct ClutchList {
  CivilDate today = {0, 0, 0};
  std::vector<ListedClutch> clutches;  // in the order of their keys
  std::uint64_t versions = 0;          // the last version given
};

// The clutch of `key`, or nothing.
const ListedClutch* FindClutch(const ClutchList& list, std::string_view key);

// How the page reads the list: its header rows, then a row a clutch with the
// fields ORDER_FIELDS name; and the records whose stored rows were mended, a
// row each with the fields MENDED_FIELDS name.
inline constexpr const char* LIST_HEADER_ROWS[] = {"lesson", "backup"};
struct OrderRow {
  std::string key;
  std::string group;
  std::string version;
};
inline constexpr RowField<OrderRow> ORDER_FIELDS[] = {
    {"key", &OrderRow::key}, {"group", &OrderRow::group}, {"version", &OrderRow::version}};
inline constexpr const char* MENDED_FIELDS[] = {"key", "mends"};

// Keeps `row` under `key` on `today`, working it out when it is new or
// changed. Gives what the door mended in the row, in words, when it was
// worked out and mended; otherwise empty.
std::string PutClutch(ClutchList& list, std::string_view key, std::string_view row,
                      CivilDate today);

void RemoveClutch(ClutchList& list, std::string_view key);

// The list on `today`, every clutch worked out again whose row or today
// changed: the clutches in the morning's order, and what the hatched ones
// teach.
struct ArrangedList {
  std::string lesson;
  std::vector<const ListedClutch*> order;
};
ArrangedList ArrangeList(ClutchList& list, CivilDate today);
