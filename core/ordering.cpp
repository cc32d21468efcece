#include "core/ordering.h"

#include <algorithm>

std::vector<std::size_t> InKeyOrder(const std::vector<std::int64_t>& keys) {
  std::size_t count = keys.size();
  std::vector<std::size_t> places(count);
  for (std::size_t at = 0; at < count; ++at) {
    places[at] = at;
  }
  if (std::is_sorted(keys.begin(), keys.end())) {
    return places;
  }
  // Merged bottom up, runs of `width` into runs of twice that: each merge
  // takes from the left run while its key is not greater, so equal keys
  // keep their order.
  std::vector<std::size_t> merged(count);
  for (std::size_t width = 1; width < count; width *= 2) {
    for (std::size_t start = 0; start < count; start += 2 * width) {
      std::size_t middle = std::min(start + width, count);
      std::size_t end = std::min(start + 2 * width, count);
      std::size_t left = start;
      std::size_t right = middle;
      for (std::size_t out = start; out < end; ++out) {
        bool takeLeft =
            left < middle && (right == end || keys[places[left]] <= keys[places[right]]);
        merged[out] = places[takeLeft ? left++ : right++];
      }
    }
    places.swap(merged);
  }
  return places;
}
