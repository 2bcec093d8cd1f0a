#pragma once
// Names of the window system (classes, properties, formats, messages)
// compare ignoring the case of the letters A to Z only.

#include <algorithm>
#include <string>

inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string AsciiLowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), AsciiLower);
  return text;
}

inline bool SameAsciiText(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}
