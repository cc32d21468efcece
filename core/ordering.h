// Putting things in order by a whole-number key, equal keys keeping their
// order: linear when they are in order already, n log n otherwise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The places of `keys` in ascending order of key; of equal keys, the earlier
// place first.
std::vector<std::size_t> InKeyOrder(const std::vector<std::int64_t>& keys);
