#include "toolkit/gdi/RasterOp.h"

std::uint8_t CodeOfRop2(int rop2) {
  // Bit (p * 2 + d) of rop2 - 1 is the result for pen bit p and destination bit d.
  const int table = rop2 - 1;
  std::uint8_t code = 0;
  for (int i = 0; i < 8; ++i)
    if (table >> ((i >> 2) * 2 + (i & 1)) & 1) code |= std::uint8_t(1 << i);
  return code;
}

std::uint32_t ApplyCode(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
  switch (code) {
    case 0xCC: return s;
    case 0xF0: return p;
    case 0x5A: return p ^ d;
    case 0x55: return ~d;
    case 0x66: return s ^ d;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    default: break;
  }
  std::uint32_t result = 0;
  for (int i = 0; i < 8; ++i)
    if (code >> i & 1) result |= (i & 4 ? p : ~p) & (i & 2 ? s : ~s) & (i & 1 ? d : ~d);
  return result;
}
