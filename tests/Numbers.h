#pragma once
// Constants the arithmetic tests share: the ends of the Integer type and pi
// at Real precision.

#include <cstdint>
#include <limits>
#include <numbers>

inline constexpr std::int64_t MaxInt = std::numeric_limits<std::int64_t>::max();
inline constexpr std::int64_t MinInt = std::numeric_limits<std::int64_t>::min();
inline constexpr long double Pi = std::numbers::pi_v<long double>;
