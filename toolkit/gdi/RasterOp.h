#pragma once
// Raster operation codes: bit i of a code is the result for pattern bit
// (i & 4), source bit (i & 2) and destination bit (i & 1). A ROP3 value's
// code is its third byte; a ROP2 mode is the same function without a source.

#include <cstdint>

constexpr std::uint8_t CodeOf(std::uint32_t rop) { return std::uint8_t(rop >> 16); }

std::uint8_t CodeOfRop2(int rop2);
std::uint32_t ApplyCode(std::uint8_t code, std::uint32_t pattern, std::uint32_t source, std::uint32_t dest);
