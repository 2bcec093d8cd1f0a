#pragma once
// Reals as the data files hold them: text in the general number format,
// with as many significant digits as it takes to read back the very same
// 80-bit value.

#include <string>
#include <string_view>

// The fewest significant digits that read back as x (at most 21), in fixed
// notation for decimal exponents from -4 up to below the digit count (18
// when fewer digits suffice), scientific beyond: "0.5", "1E20", "-3E-7".
// Where 18 digits read back, this is the 18-digit general format. Infinities
// are "INF" and "-INF".
std::string ExactRealText(long double x);

// A decimal real with blanks around it (the text rules of TextToReal), or
// "INF" or "-INF". False leaves x unchanged.
bool FileTextToReal(std::string_view text, long double& x);
