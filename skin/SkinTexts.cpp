#include "skin/SkinTexts.h"

#include <utility>

namespace {

const std::pair<int, std::string> Texts[] = {
    {SkinTextId::AvailableSkins, "Available skins"},
    {SkinTextId::Close, "Close"},
    {SkinTextId::Maximize, "Maximize"},
    {SkinTextId::Minimize, "Minimize"},
    {SkinTextId::Size, "Size"},
    {SkinTextId::Move, "Move"},
    {SkinTextId::Restore, "Restore"},
};

}  // namespace

const std::string& SkinText(int id) {
  static const std::string none;
  for (const auto& [textId, text] : Texts)
    if (textId == id) return text;
  return none;
}
