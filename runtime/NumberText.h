#pragma once
// Reading numbers typed by the user: the text rules of the conversion
// routines and of the input dialog, independent of the locale.

#include <cstdint>
#include <string>
#include <string_view>

// Optional leading blanks, an optional sign, then decimal digits, or
// hexadecimal digits after "$", "x", "X", "0x" or "0X"; nothing may follow.
// A decimal value outside 64 bits does not read; hexadecimal digits may give
// the full 64-bit pattern, so that every text of Hex reads back. False leaves
// n unchanged.
bool TextToInt(std::string_view text, std::int64_t& n);

// A decimal real with "." as separator: blanks around it, an optional sign,
// digits with an optional fraction (at least one digit in all), an optional
// exponent "e" or "E" with an optional sign and digits. Beyond the 80-bit
// range it does not read; below it, it becomes a denormal or zero. False
// leaves x unchanged.
bool TextToReal(std::string_view text, long double& x);

// The toolkit's 32-bit integer text: an optional sign and decimal digits,
// or "$" and one to eight hexadecimal digits read as the 32-bit pattern
// ("$FFFFFFFF" is -1). Nothing else may stand around it; a decimal value
// outside 32 bits is not a number. StrToInt raises EConvertError
// ""<text>" is not a valid integer value" for any other text.
std::int32_t StrToInt(std::string_view text);
std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue);
