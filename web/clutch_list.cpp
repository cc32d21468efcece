#include "web/clutch_list.h"

#include <algorithm>

namespace {

// Where the clutch of `key` stands, or would stand, among the list's clutches.
std::vector<ListedClutch>::const_iterator Place(const ClutchList& list, std::string_view key) {
  return std::lower_bound(
      list.clutches.begin(), list.clutches.end(), key,
      [](const ListedClutch& clutch, std::string_view wanted) { return clutch.key < wanted; });
}

// Works the clutch out for the list's today; a new version when what it
// shows has changed.
void WorkOut(ClutchList& list, ListedClutch& clutch) {
  clutch.summary = SummarizeClutch(clutch.row, list.today);
  clutch.summary.view.key = clutch.key;
  std::string shown = Row(clutch.summary.view, CLUTCH_VIEW_FIELDS);
  if (shown != clutch.shown || clutch.version == 0) {
    clutch.shown = std::move(shown);
    clutch.version = ++list.versions;
  }
  clutch.fresh = true;
}

// A new day changes every clutch's state.
void MoveTo(ClutchList& list, CivilDate today) {
  if (today != list.today) {
    list.today = today;
    for (ListedClutch& clutch : list.clutches) {
      clutch.fresh = false;
    }
  }
}

}  // namespace

const ListedClutch* FindClutch(const ClutchList& list, std::string_view key) {
  auto place = Place(list, key);
  return place != list.clutches.end() && place->key == key ? &*place : nullptr;
}

std::string PutClutch(ClutchList& list, std::string_view key, std::string_view row,
                      CivilDate today) {
  MoveTo(list, today);
  auto place = list.clutches.begin() + (Place(list, key) - list.clutches.begin());
  if (place == list.clutches.end() || place->key != key) {
    place = list.clutches.insert(place, ListedClutch{std::string(key), "", {}, "", 0, false});
  } else if (place->row == row) {
    return "";
  }
  place->row = std::string(row);
  WorkOut(list, *place);
  return place->summary.mends;
}

void RemoveClutch(ClutchList& list, std::string_view key) {
  auto place = Place(list, key);
  if (place != list.clutches.end() && place->key == key) {
    list.clutches.erase(place);
  }
}

ArrangedList ArrangeList(ClutchList& list, CivilDate today) {
  MoveTo(list, today);
  std::vector<const ClutchSummary*> summaries;
  summaries.reserve(list.clutches.size());
  for (ListedClutch& clutch : list.clutches) {
    if (!clutch.fresh) {
      WorkOut(list, clutch);
    }
    summaries.push_back(&clutch.summary);
  }
  Arrangement arrangement = Arrange(summaries);
  ArrangedList arranged = {std::move(arrangement.lesson), {}};
  arranged.order.reserve(arrangement.places.size());
  for (std::size_t place : arrangement.places) {
    arranged.order.push_back(&list.clutches[place]);
  }
  return arranged;
}
