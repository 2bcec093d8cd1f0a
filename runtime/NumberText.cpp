#include "runtime/NumberText.h"

#include <locale.h>
#include <stdlib.h>

#include <charconv>
#include <cmath>
#include <string>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Passes an optional sign and returns the number of digits passed after it.
std::size_t SkipSignedDigits(std::string_view text, std::size_t& i) {
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t start = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i - start;
}

// The grammar of a decimal real, so that the C library sees nothing else
// (no hexadecimal floats, no "inf" or "nan").
bool IsDecimalReal(std::string_view text) {
  std::size_t i = 0;
  std::size_t digits = SkipSignedDigits(text, i);
  if (i < text.size() && text[i] == '.') {
    ++i;
    for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (SkipSignedDigits(text, i) == 0) return false;
  }
  return i == text.size();
}

locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
  return locale;
}

}  // namespace

bool TextToReal(std::string_view text, long double& x) {
  const std::string number(Trimmed(text));
  if (!IsDecimalReal(number)) return false;
  const long double value = strtold_l(number.c_str(), nullptr, CLocale());
  if (std::isinf(value)) return false;
  x = value;
  return true;
}

bool TextToInteger(std::string_view text, std::int64_t& n) {
  std::string_view number = Trimmed(text);
  // from_chars takes a minus sign but no plus sign.
  if (!number.empty() && number.front() == '+') {
    number.remove_prefix(1);
    if (number.empty() || !IsDigit(number.front())) return false;
  }
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size()) return false;
  n = value;
  return true;
}
