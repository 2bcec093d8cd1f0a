#include "libraries/FileReal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "runtime/NumberText.h"

static_assert(std::numeric_limits<long double>::digits == 64, "Real must be the 80-bit extended type");

namespace {

// The digit count of the general format, which chooses between fixed and
// scientific notation. Values that need more digits to read back get up to
// 21, which is enough for every 80-bit value: 1 + ceil(64 * log10(2)).
constexpr int GeneralDigits = 18;
constexpr int LowestFixedExponent = -4;

// The significant digits and the decimal exponent (of the d.ddd form) of
// the shortest text that reads back as |x| > 0.
void ShortestDigits(long double x, std::string& digits, int& exponent) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x), std::chars_format::scientific).ptr;
  const std::string_view text(buffer, end - buffer);
  const std::size_t e = text.find('e');
  for (char c : text.substr(0, e))
    if (c != '.') digits += c;
  const std::string_view exponentText = text.substr(e + 1);
  std::from_chars(exponentText.data() + (exponentText[0] == '+'), exponentText.data() + exponentText.size(), exponent);
}

std::string ScientificText(const std::string& digits, int exponent) {
  std::string text = digits.substr(0, 1);
  if (digits.size() > 1) text += "." + digits.substr(1);
  return text + "E" + std::to_string(exponent);
}

std::string FixedText(const std::string& digits, int exponent) {
  if (exponent < 0) return "0." + std::string(-exponent - 1, '0') + digits;
  const auto whole = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= whole) return digits + std::string(whole - digits.size(), '0');
  return digits.substr(0, whole) + "." + digits.substr(whole);
}

bool IsInfinityText(std::string_view text) { return text == "INF" || text == "-INF"; }

std::string_view WithoutBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

// The shortest digits equal the 18 correctly rounded ones whenever those
// read back: an 80-bit value lies much closer to its shortest text than
// half a unit of the 18th digit.
std::string ExactRealText(long double x) {
  if (std::isnan(x)) return "NAN";
  if (std::isinf(x)) return x < 0 ? "-INF" : "INF";
  if (x == 0) return "0";
  std::string digits;
  int exponent = 0;
  ShortestDigits(x, digits, exponent);
  const int precision = std::max(GeneralDigits, static_cast<int>(digits.size()));
  const bool fixed = exponent >= LowestFixedExponent && exponent < precision;
  return (x < 0 ? "-" : "") + (fixed ? FixedText(digits, exponent) : ScientificText(digits, exponent));
}

bool FileTextToReal(std::string_view text, long double& x) {
  const std::string_view trimmed = WithoutBlanks(text);
  if (!IsInfinityText(trimmed)) return TextToReal(text, x);
  x = trimmed[0] == '-' ? -std::numeric_limits<long double>::infinity() : std::numeric_limits<long double>::infinity();
  return true;
}
