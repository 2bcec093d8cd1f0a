#pragma once
// The skin manager: it loads a skin into its tables (sections, masks,
// patterns, the skin-wide values and the master bitmap that holds most mask
// pixels) and answers the look-ups every painter and control makes, which
// turn names into indexes; -1 means the skin lacks the piece. The first
// manager made becomes the process's default manager; a control without a
// manager of its own follows it. This program makes none.

#include <memory>
#include <string>
#include <vector>

#include "skin/skins/SkinData.h"
#include "toolkit/base/Handles.h"
#include "toolkit/controls/Component.h"

class TMemIniFile;
class TStringList;
class TStrings;

// The widths of a border mask's four sides; NoBorderInNormalState: the
// mask draws nothing for the normal state.
struct TMaskBorders {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool NoBorderInNormalState = false;
};

class TSkinManager : public TComponent {
public:
  explicit TSkinManager(TComponent* owner);
  ~TSkinManager() override;

  // Properties a load reads.
  // Folder of skins; relative to the program's folder when it starts with
  // "..", "./" or holds no separator and no ":" (see SkinsFolder).
  const std::string& SkinDirectory() const { return skinDirectory_; }
  void SetSkinDirectory(const std::string& value) { skinDirectory_ = value; }
  const std::string& SkinName() const { return skinName_; }
  void SetSkinName(const std::string& value) { skinName_ = value; }
  bool Active() const { return active_; }
  void SetActive(bool value) { active_ = value; }
  // Extra sections in the options layout, merged into every skin loaded.
  const TStringList& CommonSections() const { return *commonSections_; }
  // Blanks are removed from every line that is not empty and not a comment.
  void SetCommonSections(const TStrings& lines);
  int HueOffset() const { return hueOffset_; }
  void SetHueOffset(int value) { hueOffset_ = value; }
  int Saturation() const { return saturation_; }
  void SetSaturation(int value) { saturation_ = value; }

  // The folder SkinDirectory names, with "/" or "\" as separators: ".."
  // climbs one level from the program's folder, "./" and a bare name stay
  // in it, anything else is taken as written. No trailing separator.
  std::string SkinsFolder() const;
  // Reads the skin SkinName of SkinsFolder into the tables; nothing while
  // not Active. Without a skin of that name Active becomes false and no
  // table changes. A field that must be a number and is not raises
  // EConvertError, and a picture that exists but does not decode raises its
  // reader's error; the tables keep what was read before it and SkinActive
  // stays false.
  void LoadSkin();

  // The tables of the loaded skin, in reading order.
  std::vector<TSkinGeneralData> SectionData;
  std::vector<TSkinMaskData> Masks;
  std::vector<TSkinPatternData> Patterns;
  TSkinData GlobalInfo;
  TCachedIndexes CachedIndexes;
  // A 24-bit picture, transparent in magenta; empty when the skin names
  // none or its file is missing; null when no skin was loaded.
  TBitmap* MasterBitmap() const { return masterBitmap_.get(); }
  // The skin came from a packed file.
  bool IsPacked() const { return isPacked_; }

  // Look-ups. Names compare exactly; any miss answers -1.
  int SectionCount() const { return static_cast<int>(SectionData.size()); }
  bool IsSectionIndex(int index) const { return index >= 0 && index < SectionCount(); }
  bool IsMaskIndex(int index) const { return index >= 0 && index < static_cast<int>(Masks.size()); }
  int SectionIndexOf(const std::string& sectionName) const;
  // The mask of the section (whose index the caller holds) with that name,
  // looked for in the section and then up its chain of parent sections.
  int MaskIndexOf(int sectionIndex, const std::string& sectionName, const std::string& maskName) const;
  // The first mask of the section with that name; no parent sections.
  int MaskIndexOfNames(const std::string& sectionName, const std::string& maskName) const;
  // As MaskIndexOf, among texture masks only.
  int TextureIndexOf(int sectionIndex, const std::string& sectionName, const std::string& name) const;
  // As MaskIndexOf, over the patterns.
  int PatternIndexOf(int sectionIndex, const std::string& sectionName, const std::string& name) const;
  // sectionIndex must be a section index.
  const TSkinGeneralData& Section(int sectionIndex) const { return SectionData.at(sectionIndex); }
  // maskIndex must be a mask index.
  TMaskBorders MaskBorders(int maskIndex) const;
  // A skin is loaded and has been announced to the windows.
  bool SkinActive() const { return GlobalInfo.SkinActive; }
  // The colour of "GLOBALINFO" as RGB; the button face's without it.
  TColor GlobalColor() const;
  // The text colour of "GLOBALINFO" as RGB; magenta without it.
  TColor GlobalFontColor() const;
  // Width and height of one state frame of the mask.
  TSize MaskFrameSize(int maskIndex) const;
  // A side's width: its own, else BorderWidth, else a third of a frame.
  // An ImageCount of 0 in a record made by hand becomes 1 first.
  int MaskLeftWidth(int maskIndex);
  int MaskRightWidth(int maskIndex) const;
  int MaskBottomWidth(int maskIndex) const;
  void RefreshCachedIndexes();

  // Whether a change of skin fades each skinned form in, and over how many
  // milliseconds. Not animated until the manager's animation effects exist.
  virtual bool SkinChangeAnimated() const { return false; }
  virtual int SkinChangeAnimationTime() const { return 0; }

  // The window under the mouse changed: the one it left hears sub-command
  // 30, the new one 29 (LParam: this manager).
  void ChangeHotWindow(HWND window);

private:
  // The three readers of one load, in this order.
  void ReadMasks(const TMemIniFile& ini);
  void ReadPatterns(const TMemIniFile& ini);
  void ReadSectionData(const TMemIniFile& ini);
  // Entries of the skin's own options, then of CommonSections.
  void ReadMaskEntry(const std::string& section, const std::string& key, const std::string& value);
  void ReadCommonMasks();
  void ReadPatternEntry(const std::string& section, const std::string& key, const std::string& value);
  void ReadCommonPatterns();
  void ReadMasterBitmap(const TMemIniFile& ini);
  void ReadGlobalInfo(const TMemIniFile& ini);
  void MergeCommonSections();
  void ShowOldSkinNotice() const;
  // The file an entry names: inside SkinPath unless absolute; empty when
  // there is no such file.
  std::string ImageFile(const std::string& name) const;
  // A record of this manager with those names.
  TSkinMaskData NewMask(const std::string& section, const std::string& key, TSkImgType type);
  void ReadOwnImageEntry(const std::string& section, const std::string& key, const std::string& value);
  void ReadWholeImageEntry(const std::string& section, const std::string& key, const std::string& value);
  void ReadFreeFormEntry(const std::string& section, const std::string& key, const std::string& value);

  std::string skinDirectory_ = "c:\\Skins";
  std::string skinName_;
  bool active_ = true;
  std::unique_ptr<TStringList> commonSections_;
  int hueOffset_ = 0;
  int saturation_ = 0;
  std::unique_ptr<TBitmap> masterBitmap_;
  bool isPacked_ = false;
  HWND hotWindow_ = nullptr;
};

// Null while no manager exists.
TSkinManager* DefaultManager();

// Reads of a skin's options in which "?" (text) or -1 (integer) stands for
// a missing value: the section then takes its "PARENTCLASS" section's, as
// far up as the chain goes; defaultValue when no section on it has one, or
// when the chain comes back to a section already read.
std::string ReadInheritedString(const TMemIniFile& ini, const std::string& section, const std::string& key,
                                const std::string& defaultValue);
int ReadInheritedInteger(const TMemIniFile& ini, const std::string& section, const std::string& key, int defaultValue);
