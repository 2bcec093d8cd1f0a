#include "runtime/DecimalDigits.h"

#include <array>
#include <cfenv>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

using Wide = unsigned __int128;

static_assert(std::numeric_limits<long double>::digits == 64, "a real's mantissa is 64 bits");

// The fast path holds the whole part in 128 bits, and a fraction of up to
// 124 bits times 10 as well.
constexpr int MaxWholeShift = 64;
constexpr int MaxFractionBits = 124;
constexpr int ChunkDigits = 19;
constexpr std::uint64_t TenToChunk = 10'000'000'000'000'000'000u;

// The decimal digits of n > 0, most significant first; answers how many.
int WholeDigits(Wide n, char* out) {
  char reversed[MaxDecimalDigits];
  int count = 0;
  for (; n > std::numeric_limits<std::uint64_t>::max(); n /= 10) reversed[count++] = static_cast<char>('0' + n % 10);
  for (auto small = static_cast<std::uint64_t>(n); small != 0; small /= 10)
    reversed[count++] = static_cast<char>('0' + small % 10);
  for (int i = 0; i < count; ++i) out[i] = reversed[count - 1 - i];
  return count;
}

constexpr auto DigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
    pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// The last count decimal digits of n, leading zeros included, two at a time.
void PaddedDigits(std::uint64_t n, char* out, int count) {
  int end = count;
  for (; end >= 2; end -= 2, n /= 100) std::memcpy(out + end - 2, &DigitPairs[2 * (n % 100)], 2);
  if (end == 1) out[0] = static_cast<char>('0' + n % 10);
}

// x = mantissa x 2^exponent, read from the 80-bit pattern: the mantissa in
// the low 8 bytes (its integer bit included), the biased exponent in the
// next 15 bits. A denormal's exponent is that of the smallest normal.
std::uint64_t SplitReal(long double x, int& exponent) {
  std::uint64_t mantissa = 0;
  std::uint16_t signAndExponent = 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(&x);
  std::memcpy(&mantissa, bytes, sizeof mantissa);
  std::memcpy(&signAndExponent, bytes + sizeof mantissa, sizeof signAndExponent);
  const int biased = signAndExponent & 0x7FFF;
  exponent = (biased == 0 ? 1 : biased) - 16383 - 63;
  return mantissa;
}

}  // namespace

// x = mantissa x 2^exponent: the whole part's digits come first, then the
// fraction's, skipping its leading zeros. Each multiplication of the
// fraction brings 19 digits (10^19 < 2^64) while the fraction has at most
// 64 bits, else one.
int TruncatedDigits(long double x, int count, char* digits) {
  int exponent = 0;
  const std::uint64_t mantissa = SplitReal(x, exponent);
  if (exponent > MaxWholeShift || exponent < -MaxFractionBits) return PrintedTruncatedDigits(x, count, digits);
  const int shift = exponent < 0 ? -exponent : 0;
  const Wide whole = exponent >= 0 ? Wide{mantissa} << exponent : shift >= 64 ? 0 : mantissa >> shift;
  const Wide mask = (Wide{1} << shift) - 1;
  const int step = shift <= 64 ? ChunkDigits : 1;
  const Wide scale = shift <= 64 ? TenToChunk : 10;
  Wide rest = Wide{mantissa} & mask;
  char text[MaxDecimalDigits + ChunkDigits];
  int written = whole != 0 ? WholeDigits(whole, text) : 0;
  int decimalExponent = written - 1;
  while (written < count) {
    rest *= scale;
    char chunk[ChunkDigits];
    PaddedDigits(static_cast<std::uint64_t>(rest >> shift), chunk, step);
    rest &= mask;
    int skipped = 0;
    if (written == 0)
      while (skipped < step && chunk[skipped] == '0') ++skipped;
    decimalExponent -= skipped;
    std::memcpy(text + written, chunk + skipped, static_cast<std::size_t>(step - skipped));
    written += step - skipped;
  }
  std::memcpy(digits, text, static_cast<std::size_t>(count));
  return decimalExponent;
}

// printf cuts off in that rounding mode, whatever the locale's decimal point.
int PrintedTruncatedDigits(long double x, int count, char* digits) {
  char buffer[MaxDecimalDigits + 16];
  const int savedMode = std::fegetround();
  std::fesetround(FE_TOWARDZERO);
  std::snprintf(buffer, sizeof buffer, "%.*Le", count - 1, x);
  std::fesetround(savedMode);
  int written = 0;
  const char* p = buffer;
  for (; *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits[written++] = *p;
  ++p;
  if (*p == '+') ++p;
  int exponent = 0;
  std::from_chars(p, buffer + sizeof buffer, exponent);
  return exponent;
}
