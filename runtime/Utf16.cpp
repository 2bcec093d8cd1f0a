#include "runtime/Utf16.h"

#include <cstdint>

#include "runtime/Utf8Cells.h"

namespace {

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

constexpr char16_t ReplacementCharacter = 0xFFFD;

// The code point of the valid sequence at the start of text and its length; length 0 when none starts there.
char32_t DecodeSequence(std::string_view text, std::size_t& length) {
  const auto lead = static_cast<std::uint8_t>(text[0]);
  length = 0;
  std::size_t count;
  char32_t codePoint;
  if (lead < 0x80) {
    length = 1;
    return lead;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    count = 2;
    codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    count = 3;
    codePoint = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    count = 4;
    codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < count) return 0;
  for (std::size_t i = 1; i < count; ++i) {
    const auto next = static_cast<std::uint8_t>(text[i]);
    if ((next & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  static constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (codePoint < Smallest[count] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
  length = count;
  return codePoint;
}

}  // namespace

std::string EncodeUtf8(std::u16string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t unit = text[i];
    if (IsHighSurrogate(unit)) {
      if (i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
        AppendUtf8(result, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
        ++i;
      }
    } else if (!IsLowSurrogate(unit)) {
      AppendUtf8(result, unit);
    }
  }
  return result;
}

std::u16string DecodeUtf8(std::string_view text) {
  std::u16string result;
  result.reserve(text.size());
  while (!text.empty()) {
    std::size_t length;
    const char32_t codePoint = DecodeSequence(text, length);
    if (length == 0) {
      result.push_back(ReplacementCharacter);
      text.remove_prefix(1);
      continue;
    }
    if (codePoint >= 0x10000) {
      result.push_back(static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)));
      result.push_back(static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF)));
    } else {
      result.push_back(static_cast<char16_t>(codePoint));
    }
    text.remove_prefix(length);
  }
  return result;
}
