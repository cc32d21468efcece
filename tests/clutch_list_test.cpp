#include "web/clutch_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr CivilDate TODAY = {2026, 6, 10};
constexpr CivilDate TOMORROW = {2026, 6, 11};

// A stored row laid on `laid` at `temperature` degrees.
std::string Row(const char* id, const char* laid, const char* temperature, const char* name = "A") {
  return std::string(id) + '\t' + name + '\t' + laid + '\t' + temperature + "\t\t1";
}

// The list's keys in order, each with its group and version.
struct Listed {
  std::string key;
  std::string group;
  std::uint64_t version;
  bool operator==(const Listed&) const = default;
};

std::vector<Listed> Order(ClutchList& list, CivilDate today) {
  std::vector<Listed> order;
  for (const ListedClutch* clutch : ArrangeList(list, today).order) {
    order.push_back({clutch->key, clutch->summary.view.group, clutch->version});
  }
  return order;
}

TEST(ClutchList, WorksOutAClutchAgainOnlyWhenItsRowOrTodayChanges) {
  ClutchList list;
  // Laid 2026-06-01 at 20 degrees: due 06-09, late; at 25 degrees 06-07.
  PutClutch(list, "a", Row("a", "2026-06-05", "20"), TODAY);
  PutClutch(list, "b", Row("b", "2026-06-01", "20"), TODAY);
  PutClutch(list, "c", Row("c", "2026-06-10", "20"), TODAY);
  struct Step {
    const char* what;
    void (*change)(ClutchList&);
    CivilDate today;
    std::vector<Listed> order;
  };
  const Step steps[] = {
      {"put", [](ClutchList&) {}, TODAY, {{"b", "late", 2}, {"a", "ahead", 1}, {"c", "ahead", 3}}},
      {"the same day twice",
       [](ClutchList&) {},
       TODAY,
       {{"b", "late", 2}, {"a", "ahead", 1}, {"c", "ahead", 3}}},
      {"the same row again",
       [](ClutchList& l) { PutClutch(l, "a", Row("a", "2026-06-05", "20"), TODAY); },
       TODAY,
       {{"b", "late", 2}, {"a", "ahead", 1}, {"c", "ahead", 3}}},
      // Due 06-18 now: after c.
      {"a changed row",
       [](ClutchList& l) { PutClutch(l, "a", Row("a", "2026-06-10", "19"), TODAY); },
       TODAY,
       {{"b", "late", 2}, {"c", "ahead", 3}, {"a", "ahead", 4}}},
      {"a removed row",
       [](ClutchList& l) { RemoveClutch(l, "b"); },
       TODAY,
       {{"c", "ahead", 3}, {"a", "ahead", 4}}},
      {"a key not there removed",
       [](ClutchList& l) { RemoveClutch(l, "x"); },
       TODAY,
       {{"c", "ahead", 3}, {"a", "ahead", 4}}},
      // A new day: every state changes, so every clutch shows anew.
      {"a new day", [](ClutchList&) {}, TOMORROW, {{"c", "ahead", 6}, {"a", "ahead", 5}}},
  };
  for (const Step& step : steps) {
    step.change(list);
    EXPECT_EQ(Order(list, step.today), step.order) << step.what;
  }
}

TEST(ClutchList, ListsDamagedRowsByTheirKeysAndSaysMendsOnce) {
  ClutchList list;
  EXPECT_EQ(PutClutch(list, "#0", "", TODAY), "");
  EXPECT_EQ(PutClutch(list, "#1", "\x1b", TODAY), "");
  EXPECT_EQ(PutClutch(list, "a b", Row("a b", "2026-06-05", "20"), TODAY),
            "IDに使えない文字があるか、IDが長すぎたため、IDをm-e63f991904833892にしました。");
  EXPECT_EQ(PutClutch(list, "a b", Row("a b", "2026-06-05", "20"), TODAY), "");
  EXPECT_EQ(Order(list, TODAY),
            (std::vector<Listed>{{"a b", "ahead", 3}, {"#0", "damaged", 1}, {"#1", "damaged", 2}}));
  // A damaged row written again as a clutch: listed as one.
  PutClutch(list, "#0", Row("z", "2026-06-01", "20"), TODAY);
  EXPECT_EQ(Order(list, TODAY),
            (std::vector<Listed>{{"#0", "late", 4}, {"a b", "ahead", 3}, {"#1", "damaged", 2}}));
  EXPECT_EQ(FindClutch(list, "#0")->summary.view.key, "#0");
  EXPECT_EQ(FindClutch(list, "#2"), nullptr);
}

}  // namespace
