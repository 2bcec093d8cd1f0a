#pragma once
// The texts the skin layer shows of its own, by their string ids.

#include <string>

namespace SkinTextId {
constexpr int AvailableSkins = 58964;
constexpr int Close = 58976;
constexpr int Maximize = 58977;
constexpr int Minimize = 58978;
constexpr int Size = 58979;
constexpr int Move = 58980;
constexpr int Restore = 58981;
}  // namespace SkinTextId

// The text of the id; empty for an id the skin layer has no text for.
const std::string& SkinText(int id);
