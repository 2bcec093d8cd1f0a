#pragma once
// Reals as the data files hold them: text in the general number format,
// with as many significant digits as it takes to read back the very same
// 80-bit value.

#include <string>
#include <string_view>

// Fixed notation for decimal exponents -4 up to the digit count, scientific
// ("1E20", "2.5E-7") beyond; 18 significant digits, or up to 21 when fewer
// would read back as a neighbouring value. Infinities are "INF" and "-INF".
std::string ExactRealText(long double x);

// A decimal real with blanks around it (the text rules of TextToReal), or
// "INF" or "-INF". False leaves x unchanged.
bool FileTextToReal(std::string_view text, long double& x);
