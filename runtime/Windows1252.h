#pragma once
// The Windows-1252 code page, for file formats that store text as 8-bit
// characters (Windows metafiles). Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D
// stand for no character.

#include <cstdint>
#include <optional>

// The character of a byte; none for the five bytes without one.
std::optional<char32_t> CodePointOfWindows1252(std::uint8_t byte);
// The byte of a character; none for a character the code page lacks.
std::optional<std::uint8_t> Windows1252Of(char32_t codePoint);
