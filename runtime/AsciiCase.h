#pragma once
// Names of the window system (classes, properties, formats, messages) and
// string lists compare ignoring the case of the letters A to Z only: UTF-8
// text beyond ASCII compares byte by byte.

#include <algorithm>
#include <string>

inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string AsciiLowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), AsciiLower);
  return text;
}

inline std::string AsciiUppered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), AsciiUpper);
  return text;
}

inline bool SameAsciiText(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// Negative, zero or positive as a sorts before, with or after b ignoring ASCII case.
inline int CompareAsciiText(const std::string& a, const std::string& b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const unsigned char x = static_cast<unsigned char>(AsciiLower(a[i]));
    const unsigned char y = static_cast<unsigned char>(AsciiLower(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}
