#include "core/ordering.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(InKeyOrder, PutsPlacesInOrderOfKeyEqualKeysKeepingTheirOrder) {
  struct Case {
    std::vector<std::int64_t> keys;
    std::vector<std::size_t> places;
  };
  const Case cases[] = {
      {{}, {}},
      {{7}, {0}},
      {{1, 2, 3}, {0, 1, 2}},
      {{3, 2, 1}, {2, 1, 0}},
      {{2, 1, 2, 1, 2}, {1, 3, 0, 2, 4}},
      {{5, 5, 5, 5}, {0, 1, 2, 3}},
      {{-3, INT64_MAX, INT64_MIN, 0, -3}, {2, 0, 4, 3, 1}},
      // Runs of 1, 2 and 4 merged unevenly: 7 keys.
      {{9, 8, 7, 6, 5, 4, 3}, {6, 5, 4, 3, 2, 1, 0}},
      {{1, 0, 1, 0, 1, 0, 1}, {1, 3, 5, 0, 2, 4, 6}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InKeyOrder(c.keys), c.places) << c.keys.size();
  }
}

}  // namespace
