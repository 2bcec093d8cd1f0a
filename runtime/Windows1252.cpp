#include "runtime/Windows1252.h"

namespace {

// Bytes 0x80 .. 0x9F; the rest of the code page is Latin-1.
constexpr char16_t High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::optional<char32_t> CodePointOfWindows1252(std::uint8_t byte) {
  if (byte < 0x80 || byte >= 0xA0) return byte;
  if (High[byte - 0x80] == 0) return std::nullopt;
  return High[byte - 0x80];
}

std::optional<std::uint8_t> Windows1252Of(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return std::uint8_t(codePoint);
  for (int i = 0; i < 32; ++i)
    if (High[i] != 0 && High[i] == codePoint) return std::uint8_t(0x80 + i);
  return std::nullopt;
}
