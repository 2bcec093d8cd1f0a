#include "runtime/NumberText.h"

#include <locale.h>
#include <stdlib.h>

#include <charconv>
#include <cmath>
#include <string>

#include "runtime/Exceptions.h"

namespace {

bool IsBlank(char c) { return c == ' '; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Takes a leading sign off text; true when it was a minus.
bool TakeSign(std::string_view& text) {
  if (text.empty() || (text.front() != '+' && text.front() != '-')) return false;
  bool negative = text.front() == '-';
  text.remove_prefix(1);
  return negative;
}

// Takes a hexadecimal prefix off text; true when there was one.
bool TakeHexPrefix(std::string_view& text) {
  for (std::string_view prefix : {"$", "0x", "0X", "x", "X"}) {
    if (text.starts_with(prefix)) {
      text.remove_prefix(prefix.size());
      return true;
    }
  }
  return false;
}

bool ReadHexPattern(std::string_view digits, bool negative, std::int64_t& n) {
  std::uint64_t pattern = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pattern, 16);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return false;
  n = static_cast<std::int64_t>(negative ? 0 - pattern : pattern);
  return true;
}

// Reads the sign into the digits, so that the smallest 64-bit value reads.
bool ReadDecimal(std::string_view digits, bool negative, std::int64_t& n) {
  if (digits.empty() || !IsDigit(digits.front())) return false;
  std::string text = negative ? "-" : "";
  text += digits;
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  n = value;
  return true;
}

std::string_view SkipDigits(std::string_view text, int& count) {
  count = 0;
  while (!text.empty() && IsDigit(text.front())) {
    text.remove_prefix(1);
    ++count;
  }
  return text;
}

bool IsRealSyntax(std::string_view text) {
  TakeSign(text);
  int whole = 0;
  int fraction = 0;
  text = SkipDigits(text, whole);
  if (!text.empty() && text.front() == '.') text = SkipDigits(text.substr(1), fraction);
  if (whole + fraction == 0) return false;
  if (text.empty()) return true;
  if (text.front() != 'e' && text.front() != 'E') return false;
  text.remove_prefix(1);
  TakeSign(text);
  int exponent = 0;
  text = SkipDigits(text, exponent);
  return exponent > 0 && text.empty();
}

bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool ReadInt32(std::string_view text, std::int32_t& n) {
  if (text.starts_with('$')) {
    text.remove_prefix(1);
    if (text.empty() || text.size() > 8) return false;
    for (char c : text)
      if (!IsHexDigit(c)) return false;
    std::uint32_t pattern = 0;
    std::from_chars(text.data(), text.data() + text.size(), pattern, 16);
    n = static_cast<std::int32_t>(pattern);
    return true;
  }
  std::string_view digits = text;
  TakeSign(digits);
  if (digits.empty() || !IsDigit(digits.front())) return false;
  // from_chars takes no "+": the digits are read with the minus only.
  const char* start = text.front() == '+' ? text.data() + 1 : text.data();
  std::int32_t value = 0;
  auto [end, error] = std::from_chars(start, text.data() + text.size(), value, 10);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  n = value;
  return true;
}

locale_t ClassicLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
  return locale;
}

}  // namespace

bool TextToInt(std::string_view text, std::int64_t& n) {
  text = TrimLeft(text);
  bool negative = TakeSign(text);
  if (TakeHexPrefix(text)) return ReadHexPattern(text, negative, n);
  return ReadDecimal(text, negative, n);
}

bool TextToReal(std::string_view text, long double& x) {
  text = TrimRight(TrimLeft(text));
  if (!IsRealSyntax(text)) return false;
  std::string digits(text);
  long double value = strtold_l(digits.c_str(), nullptr, ClassicLocale());
  if (std::isinf(value)) return false;
  x = value;
  return true;
}

std::int32_t StrToInt(std::string_view text) {
  std::int32_t n = 0;
  if (!ReadInt32(text, n)) throw EConvertError("\"" + std::string(text) + "\" is not a valid integer value");
  return n;
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue) {
  std::int32_t n = defaultValue;
  ReadInt32(text, n);
  return n;
}
