#pragma once
// The skin manager: it loads a skin into its tables (sections, masks,
// patterns, the skin-wide values and the master bitmap that holds most mask
// pixels) and answers the look-ups every painter and control makes, which
// turn names into indexes; -1 means the skin lacks the piece. The first
// manager made becomes the process's default manager; a control without a
// manager of its own follows it. The manager tells every window when a
// skin comes, changes or goes. This program makes none.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/skins/SkinData.h"
#include "skin/skins/SkinOptions.h"
#include "toolkit/base/Handles.h"
#include "toolkit/controls/Component.h"
#include "toolkit/win/Messages.h"

class TGraphic;
class TMemIniFile;
class TSkSkinConvertor;
class TSkinStoredSkins;
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
  // Fills the class-name lists again and announces the skin read meanwhile,
  // without a repaint pass.
  void Loaded() override;

  // Popup menus are skinned; while on, the application window never hears
  // that the desktop's theme changed.
  bool SkinnedPopups() const { return skinnedPopups_; }
  void SetSkinnedPopups(bool value) { skinnedPopups_ = value; }
  TSkAnimEffects AnimEffects{this};
  // Whether this is the process's default manager. Setting true (or any
  // value while there is none) makes it the default and announces its
  // skin, or its removal when not Active.
  bool IsDefault() const;
  void SetIsDefault(bool value);
  // True loads SkinName and announces it; false announces the removal.
  bool Active() const { return active_; }
  void SetActive(bool value);
  // Extra sections in the options layout, merged into every skin loaded.
  const TStringList& CommonSections() const { return *commonSections_; }
  // Blanks are removed from every line that is not empty and not a
  // comment; the skin is loaded again.
  void SetCommonSections(const TStrings& lines);
  // Shifts of the skin's colours, applied to every load (see ShiftHue and
  // ShiftSaturation); a change reloads an active skin and repaints.
  int Saturation() const { return saturation_; }
  void SetSaturation(int value);
  int HueOffset() const { return hueOffset_; }
  void SetHueOffset(int value);
  // Skins the program carries; filled item by item.
  TSkinStoredSkins& InternalSkins() const { return *internalSkins_; }
  // Folder of skins; relative to the program's folder when it starts with
  // "..", "./" or holds no separator and no ":" (see SkinsFolder). Nothing
  // is reloaded; SkinPath becomes the resolved folder.
  const std::string& SkinDirectory() const { return skinDirectory_; }
  void SetSkinDirectory(const std::string& value);
  // Every assignment, even of the same name, loads and announces while
  // Active: a skin folder, a packed ".skz" file or a stored skin.
  const std::string& SkinName() const { return skinName_; }
  void SetSkinName(const std::string& value);
  // The loaded skin's version ("6.05") while it is active, else "N/A".
  std::string SkinInfo() const;
  TSkSkinningRules SkinningRules = srStdForms | srStdDialogs | srThirdParty;
  // Class names of foreign controls; they reach the lists at construction
  // and at Loaded only.
  ThirdPartyList ThirdParty;
  static constexpr const char* Version = "6.05";
  // After a load from SkinName and its announcement; not after a failed load.
  TNotifyEvent OnAfterChange;
  // Before a load from SkinName.
  TNotifyEvent OnBeforeChange;

  // The class names of each kind of foreign control, one per line.
  const TStringList& ThirdLists(ThirdPartyList::TKind kind) const { return *thirdLists_.at(kind); }
  // The dialog hook of this manager is in place.
  bool HookInstalled() const { return hookInstalled_; }

  // The folder SkinDirectory names, with "/" or "\" as separators: ".."
  // climbs one level from the program's folder, "./" and a bare name stay
  // in it, anything else is taken as written. No trailing separator.
  std::string SkinsFolder() const;
  // Reads the skin SkinName into the tables; nothing while not Active. The
  // sources, in order: the packed file "<SkinName>.skz" of SkinsFolder, the
  // folder SkinName of SkinsFolder (first when PreferSkinFolders is on),
  // the stored skin of that name, else the first stored skin (SkinName
  // takes its name). Without any, or when packed data holds no settings,
  // Active becomes false and no table changes. A field that must be a
  // number and is not raises EConvertError, a picture that exists but does
  // not decode its reader's error, damaged packed data EStreamError or
  // EZDecompressionError; the tables keep what was read before it and
  // SkinActive stays false. SkinName's setter then takes the skin away.
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
  // milliseconds.
  bool SkinChangeAnimated() const { return AnimEffects.SkinChanging.Active; }
  int SkinChangeAnimationTime() const { return AnimEffects.SkinChanging.Time; }

  // Tells every window that a new skin is active (sub-command 1), then with
  // repaint makes them repaint. Nothing while loading or reading.
  void AnnounceNewSkin(bool repaint);
  // Tells every window that the skin is gone (sub-command 2), then empties
  // the tables.
  void AnnounceSkinRemoval();
  // Tells every window to repaint from the current skin (sub-commands 16, 3).
  void RefreshSkinnedWindows();
  // The colour shifts of a load, each a no-op at 0: the hue turns by delta
  // degrees; the saturation value v moves every colour -v mod 101 toward
  // grey (50: more saturated, -100: grey, 101: unchanged). Magenta and grey
  // pixels never change.
  void ShiftHue(int delta);
  void ShiftSaturation(int value);
  // The thread's dialog hook: installed at run time by the default manager
  // once its skin is announced; removed with the skin.
  void InstallDialogHook();
  void RemoveDialogHook();
  // Sees the application window's messages first; answers handled.
  bool ApplicationMessageHook(TMessage& message);
  // Clears list and fills it, sorted, with the names of the stored skins
  // and of the entries of SkinsFolder (none starting with "."): kinds 0 or
  // 2 the folders holding "Options.dat", kinds 1 or 2 the files ending in
  // ".skz" without that ending. firstName: the first name found.
  void ListSkins(TStrings& list, int kinds, std::string& firstName) const;

  // The window under the mouse changed: the one it left hears sub-command
  // 30, the new one 29 (LParam: this manager).
  void ChangeHotWindow(HWND window);
  // The window the mouse is over, as told by ChangeHotWindow.
  HWND HotWindow() const { return hotWindow_; }

protected:
  // A skin made in memory gives its master picture (24-bit).
  void SetMasterBitmap(std::unique_ptr<TBitmap> bitmap);

private:
  // The lists take the ThirdParty strings, an empty one as a blank.
  void FillThirdLists();
  bool LoadingOrReading() const { return (ComponentState() & (csLoading | csReading)) != 0; }
  bool Designing() const { return (ComponentState() & csDesigning) != 0; }
  // LoadSkin; a load that fails takes the old skin away before its error
  // goes on. preferFolders: PreferSkinFolders is asked.
  void LoadOrRemove(bool preferFolders);
  void ReloadShifted();
  void LoadFrom(bool preferFolders);
  bool ReadFolderSkin();
  void ReadPackedSkin();
  // Reads the skin that unpack leaves in the convertor; without its
  // settings text there is no skin.
  void ReadUnpacked(const std::function<void()>& unpack);
  // The stored skin of SkinName, else the first; none switches Active off.
  void ReadStoredSkin();
  void ListStoredSkins(TStrings& names) const;
  // The settings and images of one load.
  void ReadSkin(const TMemIniFile& ini);
  // The packed file of SkinName.
  std::string PackedFileName() const;
  // The skin command of this manager.
  TMessage SkinMessage(WORD subCommand);
  // Delivers the message as the announcements do; skip names the forms
  // left out in design mode.
  void Deliver(const TMessage& message, bool (*skip)(const std::string& formName));
  void ShiftColors(TColor (*shift)(TColor color, int delta), int delta);
  void EmptyTables();

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
  // After the sections of any source: the old-skin notice, CommonSections
  // and the colour shifts.
  void FinishSectionData();
  void MergeCommonSections();
  void ShowOldSkinNotice() const;
  // The file an entry names: inside SkinPath unless absolute; empty when
  // there is no such file.
  std::string ImageFile(const std::string& name) const;
  // A record of this manager with those names.
  TSkinMaskData NewMask(const std::string& section, const std::string& key, TSkImgType type);
  void ReadOwnImageEntry(const std::string& section, const std::string& key, const std::string& value);
  // onDisk: a file even when the skin is packed (CommonSections' entries).
  void ReadWholeImageEntry(const std::string& section, const std::string& key, const std::string& value,
                           bool onDisk);
  // The picture of that name into picture; false when there is none.
  bool ReadPicture(const std::string& name, TGraphic& picture, bool onDisk) const;
  std::unique_ptr<TBitmap> LoadSkinBitmap(const std::string& name, bool as24Bit, bool onDisk) const;
  std::unique_ptr<TJPEGImage> LoadSkinJpeg(const std::string& name, bool onDisk) const;
  void ReadFreeFormEntry(const std::string& section, const std::string& key, const std::string& value);

  std::string skinDirectory_ = "c:\\Skins";
  std::string skinName_;
  bool active_ = true;
  bool skinnedPopups_ = true;
  bool hookInstalled_ = false;
  int mainWindowHook_ = 0;  // the key of ApplicationMessageHook; 0 none
  std::array<std::unique_ptr<TStringList>, ThirdPartyList::KindCount> thirdLists_;
  std::unique_ptr<TStringList> commonSections_;
  int hueOffset_ = 0;
  int saturation_ = 0;
  std::unique_ptr<TBitmap> masterBitmap_;
  bool isPacked_ = false;
  // The unpacked members during a load of a packed skin.
  std::unique_ptr<TSkSkinConvertor> convertor_;
  std::unique_ptr<TSkinStoredSkins> internalSkins_;
  HWND hotWindow_ = nullptr;
};

// Null while no manager exists, and after the default one went.
TSkinManager* DefaultManager();

// Process-wide switches and state of the managers. Set while a new skin is
// told to the windows, and while its removal is.
extern bool NewSkinBroadcasting;
extern bool SkinRemoving;
// A folder of the skin's name wins over a packed file; off.
extern bool PreferSkinFolders;
// A load from SkinName is not announced; off.
extern bool SkipSkinBroadcast;
// The system is of the NT family: only there does the default manager
// hook the application window. Set by ReadOSVersion at start-up.
extern bool IsNTPlatform;
void ReadOSVersion();

// Reads of a skin's options in which "?" (text) or -1 (integer) stands for
// a missing value: the section then takes its "PARENTCLASS" section's, as
// far up as the chain goes; defaultValue when no section on it has one, or
// when the chain comes back to a section already read.
std::string ReadInheritedString(const TMemIniFile& ini, const std::string& section, const std::string& key,
                                const std::string& defaultValue);
int ReadInheritedInteger(const TMemIniFile& ini, const std::string& section, const std::string& key, int defaultValue);
