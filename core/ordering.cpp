#include "core/ordering.h"

#include <algorithm>
#include <numeric>

std::vector<std::size_t> InKeyOrder(const std::vector<std::int64_t>& keys) {
  std::vector<std::size_t> places(keys.size());
  std::iota(places.begin(), places.end(), std::size_t{0});
  if (!std::is_sorted(keys.begin(), keys.end())) {
    std::sort(places.begin(), places.end(), [&keys](std::size_t a, std::size_t b) {
      return keys[a] != keys[b] ? keys[a] < keys[b] : a < b;
    });
  }
  return places;
}
