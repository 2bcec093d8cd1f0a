// Skins unpacked from packed bytes, and skins stored in the program.

#include "runtime/MemIniFile.h"
#include "runtime/StringList.h"
#include "skin/skins/PackedSkin.h"
#include "skin/skins/SkinManager.h"
#include "skin/skins/StoredSkins.h"

void TSkinManager::ReadUnpacked(const std::function<void()>& unpack) {
  // The members are freed at the end of the load, whatever its end.
  struct TRelease {
    std::unique_ptr<TSkSkinConvertor>& Convertor;
    ~TRelease() { Convertor.reset(); }
  } release{convertor_};
  isPacked_ = true;
  unpack();
  // Data not packed, or a packed skin without settings: no skin.
  if (!convertor_ || !convertor_->IniStream) {
    active_ = false;
    return;
  }
  ReadSkin(TMemIniFile("Options.dat", convertor_->IniText()));
}

void TSkinManager::ReadStoredSkin() {
  GlobalInfo.SkinPath.clear();
  const TSkinStoredSkins& skins = *internalSkins_;
  if (skins.Count() == 0) {
    active_ = false;
    return;
  }
  int index = skins.IndexOf(skinName_);
  if (index < 0) skinName_ = skins.Items(index = 0).Name();
  const TSkinStoredSkin& skin = skins.Items(index);
  if (skin.PackedData().Size() > 0)
    return ReadUnpacked([&] { LoadPackedData(skin.PackedData(), convertor_, true); });

  isPacked_ = false;
  Masks.clear();
  masterBitmap_ = StoredMasterBitmap(skin);
  ReadStoredMasks(skin, this, Masks);
  ReadCommonMasks();
  Patterns.clear();
  ReadStoredPatterns(skin, Patterns);
  ReadCommonPatterns();
  SectionData.clear();
  ReadStoredSectionData(skin, GlobalInfo, SectionData);
  FinishSectionData();
}

void TSkinManager::ListStoredSkins(TStrings& names) const {
  for (int i = 0; i < internalSkins_->Count(); ++i) names.Add(internalSkins_->Items(i).Name());
}
