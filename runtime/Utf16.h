#pragma once
// UTF-16 and UTF-8, as the binary and clipboard formats exchange texts
// with UTF-16 code units while the program's strings are UTF-8.

#include <string>
#include <string_view>

// A high surrogate followed by a low one becomes one code point; a lone
// surrogate of either kind is dropped.
std::string EncodeUtf8(std::u16string_view text);
// Malformed or overlong sequences, surrogates and code points above U+10FFFF
// become U+FFFD, one for each byte that starts no valid sequence.
std::u16string DecodeUtf8(std::string_view text);
