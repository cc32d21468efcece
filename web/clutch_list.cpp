#include "web/clutch_list.h"

#include "core/ordering.h"

namespace {

// Works the clutch out for the list's today; a new version when what it
// shows has changed.
void WorkOut(ClutchList& list, const std::string& key, ListedClutch& clutch) {
  clutch.summary = SummarizeClutch(clutch.row, list.today);
  clutch.summary.view.key = key;
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
    for (auto& [key, clutch] : list.clutches) {
      clutch.fresh = false;
    }
  }
}

}  // namespace

std::string PutClutch(ClutchList& list, std::string_view key, std::string_view row,
                      CivilDate today) {
  MoveTo(list, today);
  auto found = list.clutches.find(key);
  if (found == list.clutches.end()) {
    found = list.clutches.emplace(std::string(key), ListedClutch{}).first;
  } else if (found->second.row == row) {
    return "";
  }
  found->second.row = std::string(row);
  WorkOut(list, found->first, found->second);
  return found->second.summary.mends;
}

void RemoveClutch(ClutchList& list, std::string_view key) {
  auto found = list.clutches.find(key);
  if (found != list.clutches.end()) {
    list.clutches.erase(found);
  }
}

ArrangedList ArrangeList(ClutchList& list, CivilDate today) {
  MoveTo(list, today);
  std::vector<const std::pair<const std::string, ListedClutch>*> clutches;
  std::vector<std::int64_t> keys;
  clutches.reserve(list.clutches.size());
  keys.reserve(list.clutches.size());
  for (auto& entry : list.clutches) {
    if (!entry.second.fresh) {
      WorkOut(list, entry.first, entry.second);
    }
    clutches.push_back(&entry);
    keys.push_back(ListKey(entry.second.summary));
  }
  ArrangedList arranged;
  arranged.order.reserve(clutches.size());
  std::vector<std::int64_t> differences;
  for (std::size_t place : InKeyOrder(keys)) {
    arranged.order.push_back(clutches[place]);
    if (clutches[place]->second.summary.difference) {
      differences.push_back(*clutches[place]->second.summary.difference);
    }
  }
  arranged.lesson = Lesson(differences);
  return arranged;
}
