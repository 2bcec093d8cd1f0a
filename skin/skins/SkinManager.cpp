#include "skin/skins/SkinManager.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "runtime/StringList.h"
#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/menus/SkinableMenus.h"
#include "skin/skins/PackedSkin.h"
#include "skin/skins/StoredSkins.h"
#include "toolkit/controls/Application.h"

namespace {

TSkinManager* TheDefaultManager = nullptr;

int FramesOf(const TSkinMaskData& mask) { return std::max<int>(mask.ImageCount, 1); }
int RowBandsOf(const TSkinMaskData& mask) { return std::max<int>(mask.MaskType, 0) + 1; }

}  // namespace

TSkinManager* DefaultManager() { return TheDefaultManager; }

TSkinManager::TSkinManager(TComponent* owner)
    : TComponent(owner),
      commonSections_(std::make_unique<TStringList>()),
      internalSkins_(std::make_unique<TSkinStoredSkins>(this)),
      menuSupport_(std::make_unique<TSkMenuSupport>()),
      skinableMenus_(std::make_unique<TSkinableMenus>(this)) {
  for (auto& list : thirdLists_) list = std::make_unique<TStringList>();
  if (!TheDefaultManager) {
    TheDefaultManager = this;
    if (IsNTPlatform && !Designing())
      mainWindowHook_ = Application().HookMainWindow([this](TMessage& message) { return ApplicationMessageHook(message); });
  }
  FillThirdLists();
}

TSkinManager::~TSkinManager() {
  // What asks the manager while it goes sees it being destroyed.
  Destroying();
  SetActive(false);
  // The application's menus would otherwise keep handlers into the freed menus object.
  skinableMenus_->SetActive(false);
  RemoveDialogHook();
  EmptyTables();
  if (mainWindowHook_) Application().UnhookMainWindow(mainWindowHook_);
  if (TheDefaultManager == this) TheDefaultManager = nullptr;
}

void TSkinManager::Loaded() {
  TComponent::Loaded();
  if (skinDirectory_.empty()) skinDirectory_ = "c:\\Skins";
  if (menuSupport_->IcoLineSkin.empty()) menuSupport_->IcoLineSkin = "ICOLINE";
  FillThirdLists();
  // The skin was loaded while the properties were read.
  if (active_ && !skinName_.empty()) AnnounceNewSkin(false);
}

void TSkinManager::FillThirdLists() {
  for (int kind = 0; kind < ThirdPartyList::KindCount; ++kind) {
    const auto k = ThirdPartyList::TKind(kind);
    if (ThirdParty.Names(k).empty()) ThirdParty.SetNames(k, " ");
    thirdLists_[kind]->SetText(ThirdParty.Names(k));
  }
}

void TSkinManager::SetSkinnedPopups(bool value) {
  skinnedPopups_ = value;
  if (value && IsDefault() && !Designing()) skinableMenus_->UpdateActive();
}

bool TSkinManager::IsDefault() const { return TheDefaultManager == this; }

void TSkinManager::SetIsDefault(bool value) {
  if (!value && TheDefaultManager) return;
  TheDefaultManager = this;
  if (!active_) {
    AnnounceSkinRemoval();
    return;
  }
  AnnounceNewSkin(true);
  RefreshSkinnedWindows();
}

void TSkinManager::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (value) return SetSkinName(skinName_);
  if (!(ComponentState() & csLoading)) AnnounceSkinRemoval();
  RefreshCachedIndexes();
}

void TSkinManager::SetSkinName(const std::string& value) {
  skinName_ = value;
  if (!active_) return;
  if (OnBeforeChange) OnBeforeChange(this);
  GlobalInfo.SkinActive = false;
  LoadOrRemove(true);
  if (!active_)
    AnnounceSkinRemoval();
  else if (!SkipSkinBroadcast)
    AnnounceNewSkin(true);
  if (OnAfterChange) OnAfterChange(this);
}

// Windows must not keep indexes into tables a failed load half emptied.
void TSkinManager::LoadOrRemove(bool preferFolders) {
  try {
    LoadFrom(preferFolders);
  } catch (...) {
    AnnounceSkinRemoval();
    throw;
  }
}

void TSkinManager::SetCommonSections(const TStrings& lines) {
  commonSections_->Clear();
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string line = lines.Strings(i);
    commonSections_->Add(line.empty() || line.front() == ';' ? line : RemoveChar(line, ' '));
  }
  SetSkinName(skinName_);
}

void TSkinManager::SetHueOffset(int value) {
  if (value == hueOffset_) return;
  hueOffset_ = value;
  ReloadShifted();
}

void TSkinManager::SetSaturation(int value) {
  if (value == saturation_) return;
  saturation_ = value;
  ReloadShifted();
}

// The active skin again, its colours shifted anew from the skin's own.
void TSkinManager::ReloadShifted() {
  if (!SkinActive()) return;
  LoadOrRemove(false);
  if (!active_) return AnnounceSkinRemoval();
  GlobalInfo.SkinActive = true;
  RefreshCachedIndexes();
  if (!LoadingOrReading()) RefreshSkinnedWindows();
}

std::string TSkinManager::SkinInfo() const {
  if (!SkinActive()) return "N/A";
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, GlobalInfo.Version).ptr;
  return std::string(text, end);
}

void TSkinManager::EmptyTables() {
  Masks.clear();
  masterBitmap_.reset();
  Patterns.clear();
  SectionData.clear();
  CachedIndexes = TCachedIndexes();
}

int TSkinManager::SectionIndexOf(const std::string& sectionName) const {
  for (size_t i = 0; i < SectionData.size(); ++i)
    if (SectionData[i].SectionName == sectionName) return static_cast<int>(i);
  return -1;
}

namespace {

// The first index of the table whose entry belongs to the section, has the
// name and passes the filter.
template <class Table, class Filter>
int FirstNamed(const Table& table, const std::string& sectionName, const std::string& name, Filter filter) {
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i].PropertyName == name && table[i].SectionName == sectionName && filter(table[i]))
      return static_cast<int>(i);
  return -1;
}

const auto Any = [](const auto&) { return true; };

// Looks in the section, then in its parent section and so on up. Every
// step climbs to another section, so a chain longer than the table has
// come back to one already searched.
template <class Find>
int SearchUpChain(const TSkinManager& manager, int sectionIndex, std::string sectionName, Find find) {
  if (sectionIndex < 0 || sectionName.empty()) return -1;
  for (int step = 0; step <= manager.SectionCount(); ++step) {
    const int found = find(sectionName);
    if (found >= 0) return found;
    if (!manager.IsSectionIndex(sectionIndex)) return -1;
    const std::string& parent = manager.SectionData[sectionIndex].ParentClass;
    if (parent.empty() || parent == sectionName) return -1;
    sectionIndex = manager.SectionIndexOf(parent);
    if (sectionIndex < 0) return -1;
    sectionName = parent;
  }
  return -1;
}

}  // namespace

int TSkinManager::MaskIndexOf(int sectionIndex, const std::string& sectionName, const std::string& maskName) const {
  return SearchUpChain(*this, sectionIndex, sectionName,
                       [&](const std::string& name) { return FirstNamed(Masks, name, maskName, Any); });
}

int TSkinManager::MaskIndexOfNames(const std::string& sectionName, const std::string& maskName) const {
  return sectionName.empty() ? -1 : FirstNamed(Masks, sectionName, maskName, Any);
}

int TSkinManager::TextureIndexOf(int sectionIndex, const std::string& sectionName, const std::string& name) const {
  const auto isTexture = [](const TSkinMaskData& mask) { return mask.ImgType == itisaTexture; };
  return SearchUpChain(*this, sectionIndex, sectionName,
                       [&](const std::string& section) { return FirstNamed(Masks, section, name, isTexture); });
}

int TSkinManager::PatternIndexOf(int sectionIndex, const std::string& sectionName, const std::string& name) const {
  if (Patterns.empty()) return -1;
  return SearchUpChain(*this, sectionIndex, sectionName,
                       [&](const std::string& section) { return FirstNamed(Patterns, section, name, Any); });
}

TMaskBorders TSkinManager::MaskBorders(int maskIndex) const {
  const TSkinMaskData& mask = Masks.at(maskIndex);
  return {mask.WL, mask.WT, mask.WR, mask.WB, (mask.StretchMode & smNoNormalBorder) != 0};
}

TColor TSkinManager::GlobalColor() const {
  const int global = SectionIndexOf("GLOBALINFO");
  return ColorToRGB(global >= 0 ? SectionData[global].Color : clBtnFace);
}

TColor TSkinManager::GlobalFontColor() const {
  const int global = SectionIndexOf("GLOBALINFO");
  return global >= 0 ? ColorToRGB(SectionData[global].FontColor[0]) : clSkinKey;
}

// The frame the mask painter draws: an own picture is the whole source.
TSize TSkinManager::MaskFrameSize(int maskIndex) const {
  const TSkinMaskData& mask = Masks.at(maskIndex);
  const int width = mask.Image ? mask.Image->Width() : mask.SourceRect.Width();
  const int height = mask.Image ? mask.Image->Height() : mask.SourceRect.Height();
  return {width / FramesOf(mask), height / RowBandsOf(mask)};
}

int TSkinManager::MaskLeftWidth(int maskIndex) {
  TSkinMaskData& mask = Masks.at(maskIndex);
  if (mask.WL > 0) return mask.WL;
  if (mask.BorderWidth > 0) return mask.BorderWidth;
  if (mask.ImageCount == 0) mask.ImageCount = 1;
  return mask.SourceRect.Width() / (FramesOf(mask) * 3);
}

int TSkinManager::MaskRightWidth(int maskIndex) const {
  const TSkinMaskData& mask = Masks.at(maskIndex);
  if (mask.WR > 0) return mask.WR;
  if (mask.BorderWidth > 0) return mask.BorderWidth;
  return mask.SourceRect.Width() / (FramesOf(mask) * 3);
}

int TSkinManager::MaskBottomWidth(int maskIndex) const {
  const TSkinMaskData& mask = Masks.at(maskIndex);
  if (mask.WB > 0) return mask.WB;
  if (mask.BorderWidth > 0) return mask.BorderWidth;
  return mask.SourceRect.Height() / (RowBandsOf(mask) * 3);
}

void TSkinManager::RefreshCachedIndexes() {
  TCachedIndexes& cache = CachedIndexes;
  cache = TCachedIndexes();
  const auto mask = [this](int section, const std::string& name, const char* maskName) {
    return MaskIndexOf(section, name, maskName);
  };

  cache.GlobalInfo = SectionIndexOf("GLOBALINFO");
  for (size_t i = 0; i < CheckBoxGlyphNames.size() && cache.GlobalInfo >= 0; ++i)
    cache.CheckBoxGlyphs[i] = mask(cache.GlobalInfo, "GLOBALINFO", CheckBoxGlyphNames[i]);

  cache.ComboButton = SectionIndexOf("COMBOBTN");
  cache.ComboButtonBorder = MaskIndexOfNames("COMBOBTN", "BORDERSMASK");
  cache.ComboButtonTextures = {TextureIndexOf(cache.ComboButton, "COMBOBTN", "PATTERN"),
                               TextureIndexOf(cache.ComboButton, "COMBOBTN", "HOTPATTERN")};
  cache.ComboGlyph = MaskIndexOfNames("COMBOBOX", "GLYPHMASK");

  static const std::array<std::string, 4> tabs{"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
  for (size_t i = 0; i < tabs.size(); ++i) {
    cache.TabSections[i] = SectionIndexOf(tabs[i]);
    cache.TabBorders[i] = mask(cache.TabSections[i], tabs[i], "BORDERSMASK");
  }

  static const std::array<std::string, 4> buttons{"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT",
                                                  "SCROLLBTNRIGHT"};
  static const std::array<std::string, 2> sliders{"SCROLLSLIDERV", "SCROLLSLIDERH"};
  for (size_t i = 0; i < buttons.size(); ++i) {
    const int section = cache.ScrollButtons[i] = SectionIndexOf(buttons[i]);
    cache.ScrollButtonBorders[i] = mask(section, buttons[i], "BORDERSMASK");
    cache.ScrollButtonGlyphs[i] = mask(section, buttons[i], "GLYPHMASK");
    cache.ScrollButtonTextures[i] = mask(section, buttons[i], "PATTERN");
    cache.ScrollButtonHotTextures[i] = mask(section, buttons[i], "HOTPATTERN");
  }
  for (size_t i = 0; i < sliders.size(); ++i) {
    const int section = cache.Sliders[i] = SectionIndexOf(sliders[i]);
    cache.SliderBorders[i] = mask(section, sliders[i], "BORDERSMASK");
    cache.SliderGlyphs[i] = mask(section, sliders[i], "GLYPHMASK");
  }
  const int horizontal = cache.Sliders[1], vertical = cache.Sliders[0];
  cache.SliderTextures = {mask(horizontal, sliders[1], "PATTERN"), mask(horizontal, sliders[1], "HOTPATTERN"),
                          mask(vertical, sliders[0], "PATTERN"), mask(vertical, sliders[0], "HOTPATTERN")};

  static const std::array<std::string, 4> bars{"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};
  for (size_t i = 0; i < bars.size(); ++i) {
    const int section = cache.ScrollBars[i] = SectionIndexOf(bars[i]);
    cache.ScrollBarBorders[i] = mask(section, bars[i], "BORDERSMASK");
    cache.ScrollBarTextures[i] = mask(section, bars[i], "PATTERN");
    cache.ScrollBarHotTextures[i] = mask(section, bars[i], "HOTPATTERN");
  }
}

void TSkinManager::ChangeHotWindow(HWND window) {
  if (window == hotWindow_) return;
  const HWND previous = std::exchange(hotWindow_, window);
  const LPARAM self = reinterpret_cast<LPARAM>(this);
  if (previous) SendSkinCommand(previous, scMouseLeft, self);
  if (window) SendSkinCommand(window, scMouseEntered, self);
}
