// The longest text the calculator ever writes as a result, which its result
// field is sized for: sign, digit, point, 14 digits, "e" and a four-character
// exponent ("-1.23456789012345e-100").
#pragma once

#include <cstddef>

inline constexpr std::size_t LONGEST_RESULT_TEXT = 22;
