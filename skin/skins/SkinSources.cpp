// Skins from packed files and skins stored in the program.

#include "runtime/StringList.h"
#include "skin/skins/SkinManager.h"

void TSkinManager::ReadPackedSkin() { active_ = false; }

void TSkinManager::ReadStoredSkin() { active_ = false; }

void TSkinManager::ListStoredSkins(TStrings&) const {}
