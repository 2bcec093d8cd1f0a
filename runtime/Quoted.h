#pragma once
// Names and texts in messages stand in double quotes.

#include <string>
#include <string_view>

inline std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }
