#pragma once
// Giving a control's cache the parent's background under the transparent
// (magenta) corner pixels of its borders mask, for caches painted without
// a backdrop at hand.

#include <cstdint>

class TSkinCommonData;

// Corner bits.
constexpr std::uint8_t crTopLeft = 1;
constexpr std::uint8_t crBottomLeft = 2;
constexpr std::uint8_t crTopRight = 4;
constexpr std::uint8_t crBottomRight = 8;

// Repairs the corners named by the bits from the state's frame of the
// control's borders mask. Nothing for a control without manager, mask,
// cache or host, or a host not wider and higher than 1 pixel.
void RepairCorners(TSkinCommonData& skinData, int state, std::uint8_t corners);
void RepairAllCorners(TSkinCommonData& skinData, int state);
