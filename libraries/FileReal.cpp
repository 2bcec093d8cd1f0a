#include "libraries/FileReal.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "runtime/NumberText.h"

static_assert(std::numeric_limits<long double>::digits == 64, "Real must be the 80-bit extended type");

namespace {

constexpr int ShortestDigits = 18;
// Enough for every 80-bit value: 1 + ceil(64 * log10(2)).
constexpr int LongestDigits = 21;
constexpr int LowestFixedExponent = -4;

// |x| > 0 in the general format with digits significant digits, correctly
// rounded, trailing zeros of the fraction dropped.
std::string GeneralText(long double x, int digits) {
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x), std::chars_format::scientific, digits - 1).ptr;
  const std::string_view text(buffer, end - buffer);
  const std::size_t e = text.find('e');
  std::string mantissa;
  for (char c : text.substr(0, e))
    if (c != '.') mantissa += c;
  mantissa.erase(mantissa.find_last_not_of('0') + 1);
  int exponent = 0;
  const std::string_view exponentText = text.substr(e + 1);
  std::from_chars(exponentText.data() + (exponentText[0] == '+'), exponentText.data() + exponentText.size(), exponent);

  std::string result = std::signbit(x) ? "-" : "";
  if (exponent < LowestFixedExponent || exponent >= digits) {
    result += mantissa.substr(0, 1);
    if (mantissa.size() > 1) result += "." + mantissa.substr(1);
    return result + "E" + std::to_string(exponent);
  }
  if (exponent < 0) return result + "0." + std::string(-exponent - 1, '0') + mantissa;
  const auto whole = static_cast<std::size_t>(exponent) + 1;
  if (mantissa.size() <= whole) return result + mantissa + std::string(whole - mantissa.size(), '0');
  return result + mantissa.substr(0, whole) + "." + mantissa.substr(whole);
}

bool IsInfinityText(std::string_view text) { return text == "INF" || text == "-INF"; }

std::string_view WithoutBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string ExactRealText(long double x) {
  if (std::isnan(x)) return "NAN";
  if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
  if (x == 0) return "0";
  std::string text;
  for (int digits = ShortestDigits; digits <= LongestDigits; ++digits) {
    text = GeneralText(x, digits);
    long double back = 0;
    if (TextToReal(text, back) && back == x) break;
  }
  return text;
}

bool FileTextToReal(std::string_view text, long double& x) {
  const std::string_view trimmed = WithoutBlanks(text);
  if (!IsInfinityText(trimmed)) return TextToReal(text, x);
  x = trimmed[0] == '-' ? -std::numeric_limits<long double>::infinity() : std::numeric_limits<long double>::infinity();
  return true;
}
