// Loading a skin from its folder: where the folder is, the options file
// "Options.dat" with its skin-wide and section values, inheritance between
// sections, and the application's CommonSections merged in.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/AsciiCase.h"
#include "runtime/FilePaths.h"
#include "runtime/MemIniFile.h"
#include "runtime/NumberText.h"
#include "runtime/StringList.h"
#include "skin/GeneralRoutines.h"
#include "skin/skins/PackedSkin.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/MessageBox.h"

namespace {

const std::string GlobalSection = "GLOBALINFO";

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Skins were written for a system whose folders part at "\"; this one's at "/".
std::string FileSystemPath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// "a/b/c/" without its last folder: "a/b/".
std::string ParentFolder(const std::string& folder) {
  size_t end = folder.size();
  while (end > 0 && IsSeparator(folder[end - 1])) --end;
  while (end > 0 && !IsSeparator(folder[end - 1])) --end;
  return folder.substr(0, end);
}

// Walks from section up its "PARENTCLASS" chain while read answers
// missing. A section is read once at most: a chain that comes back ends.
template <class Value, class Read>
Value ReadUpChain(const TMemIniFile& ini, const std::string& section, const Value& missing,
                  const Value& defaultValue, Read read) {
  std::vector<std::string> visited;
  std::string current = section;
  for (;;) {
    const Value value = read(current);
    if (value != missing) return value;
    visited.push_back(current);
    std::string parent = ini.ReadString(current, "PARENTCLASS", "?");
    if (parent.empty() || parent == "?" || std::find(visited.begin(), visited.end(), parent) != visited.end())
      return defaultValue;
    current = std::move(parent);
  }
}

bool IsOn(const std::string& text) { return AsciiUppered(text) == "TRUE"; }

// Every section key with its default and the field it fills, in one place
// for each way of reading sections. Visitor has Number (an integer; COLOR
// names system colours), Switch ("TRUE" or not) and Text.
template <class Visitor>
void VisitSectionKeys(TSkinGeneralData& d, Visitor& visit) {
  visit.Color("COLOR", 0xFFFFFF, d.Color);
  const char* const fontKeys[] = {"FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"};
  const char* const hotFontKeys[] = {"HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT", "HOTTCBOTTOM"};
  for (int i = 0; i < 5; ++i) {
    visit.Number(fontKeys[i], i == 0 ? 0 : -1, d.FontColor[i]);
    visit.Number(hotFontKeys[i], i == 0 ? 0 : -1, d.HotFontColor[i]);
  }
  visit.Switch("GIVEOWNFONT", d.GiveOwnFont);
  visit.Switch("RESERVEDBOOLEAN", d.ReservedBoolean);
  visit.Number("TRANSPARENCY", 0, d.Transparency);
  visit.Number("GRADIENTPERCENT", 0, d.GradientPercent);
  visit.Text("GRADIENTDATA", " ", d.GradientData);
  visit.Number("IMAGEPERCENT", 0, d.ImagePercent);
  visit.Switch("SHOWFOCUS", d.ShowFocus);
  visit.Switch("FADINGENABLED", d.FadingEnabled);
  visit.Number("FADINGITERATIONS", 5, d.FadingIterations);
  visit.Number("HOTCOLOR", 0xFFFFFF, d.HotColor);
  visit.Number("HOTTRANSPARENCY", 0, d.HotTransparency);
  visit.Number("HOTGRADIENTPERCENT", 0, d.HotGradientPercent);
  visit.Text("HOTGRADIENTDATA", "", d.HotGradientData);
  visit.Number("HOTIMAGEPERCENT", 0, d.HotImagePercent);
}

// A section of the skin's options, each value inherited when missing.
struct TOptionsReader {
  const TMemIniFile& Ini;
  const std::string& Section;

  template <class T>
  void Number(const char* key, int defaultValue, T& field) {
    field = T(ReadInheritedInteger(Ini, Section, key, defaultValue));
  }
  void Color(const char* key, int defaultValue, TColor& field) {
    Number(key, defaultValue, field);
    field = ColorToRGB(field);
  }
  void Switch(const char* key, bool& field) { field = IsOn(ReadInheritedString(Ini, Section, key, "FALSE")); }
  void Text(const char* key, const char* defaultValue, std::string& field) {
    field = ReadInheritedString(Ini, Section, key, defaultValue);
  }
};

// The defaults of a section without values.
struct TDefaultsReader {
  template <class T>
  void Number(const char*, int defaultValue, T& field) {
    field = T(defaultValue);
  }
  void Color(const char* key, int defaultValue, TColor& field) { Number(key, defaultValue, field); }
  void Switch(const char*, bool& field) { field = false; }
  void Text(const char*, const char* defaultValue, std::string& field) { field = defaultValue; }
};

// A section of CommonSections: only the values it gives (integers also in
// "0x" hexadecimal, colours as written), over its parent's or the defaults.
struct TCommonReader {
  const TStringList& Sections;
  const std::string& Section;

  template <class T>
  void Number(const char* key, int, T& field) {
    const int value = IniInteger(Sections, Section, -1, key);
    if (value != -1) field = T(value);
  }
  void Color(const char* key, int defaultValue, TColor& field) { Number(key, defaultValue, field); }
  void Switch(const char* key, bool& field) {
    const std::string text = IniString(Sections, Section, "?", key);
    if (text != "?") field = IsOn(text);
  }
  void Text(const char* key, const char*, std::string& field) {
    const std::string text = IniString(Sections, Section, "?", key);
    if (text != "?") field = text;
  }
};

void ParseGradients(TSkinGeneralData& d) {
  const auto parse = [](const std::string& text, TSkinGradArray& steps) {
    if (text == " ")
      steps.clear();
    else
      ParseGradientData(text, steps);
  };
  parse(d.GradientData, d.GradientArray);
  parse(d.HotGradientData, d.HotGradientArray);
}

TSkinGeneralData ReadOptionsSection(const TMemIniFile& ini, const std::string& name) {
  TSkinGeneralData d;
  d.ParentClass = ini.ReadString(name, "PARENTCLASS", "");
  d.SectionName = name;
  TOptionsReader reader{ini, name};
  VisitSectionKeys(d, reader);
  ParseGradients(d);
  return d;
}

}  // namespace

std::string ReadInheritedString(const TMemIniFile& ini, const std::string& section, const std::string& key,
                                const std::string& defaultValue) {
  return ReadUpChain(ini, section, std::string("?"), defaultValue,
                     [&](const std::string& name) { return ini.ReadString(name, key, "?"); });
}

int ReadInheritedInteger(const TMemIniFile& ini, const std::string& section, const std::string& key,
                         int defaultValue) {
  return ReadUpChain(ini, section, -1, defaultValue,
                     [&](const std::string& name) { return int(ini.ReadInteger(name, key, -1)); });
}

std::string TSkinManager::SkinsFolder() const {
  const std::string& folder = skinDirectory_;
  if (folder.starts_with("..")) return ParentFolder(ProgramFolder()) + folder.substr(std::min<size_t>(3, folder.size()));
  if (folder.starts_with(".\\") || folder.starts_with("./")) return ProgramFolder() + folder.substr(2);
  if (folder.find_first_of(":\\/") == std::string::npos) return ProgramFolder() + folder;
  return folder;
}

void TSkinManager::SetSkinDirectory(const std::string& value) {
  skinDirectory_ = value;
  GlobalInfo.SkinPath = FileSystemPath(SkinsFolder());
}

std::string TSkinManager::PackedFileName() const { return FileSystemPath(SkinsFolder() + "/" + skinName_ + ".skz"); }

void TSkinManager::ReadPackedSkin() {
  GlobalInfo.SkinPath = FileSystemPath(SkinsFolder() + "/");
  ReadUnpacked([this] { LoadPackedSkin(PackedFileName(), convertor_, true); });
}

void TSkinManager::LoadSkin() { LoadFrom(true); }

void TSkinManager::LoadFrom(bool preferFolders) {
  if (!active_) return;
  GlobalInfo.SkinActive = false;
  bool packed = !skinName_.empty() && IsExistingFile(PackedFileName());
  if (packed && preferFolders && PreferSkinFolders)
    packed = !IsExistingFolder(FileSystemPath(SkinsFolder() + "/" + skinName_));
  if (packed) return ReadPackedSkin();
  if (!skinName_.empty() && ReadFolderSkin()) return;
  ReadStoredSkin();
}

bool TSkinManager::ReadFolderSkin() {
  const std::string skinFolder = FileSystemPath(SkinsFolder() + "/" + skinName_ + "/");
  const std::string options = FindFileIgnoringCase(skinFolder, "Options.dat");
  if (options.empty()) return false;
  GlobalInfo.SkinPath = skinFolder;
  isPacked_ = false;
  ReadSkin(TMemIniFile(options));
  return true;
}

void TSkinManager::ReadSkin(const TMemIniFile& ini) {
  ReadMasks(ini);
  ReadPatterns(ini);
  ReadSectionData(ini);
}

void TSkinManager::ListSkins(TStrings& list, int kinds, std::string& firstName) const {
  list.Clear();
  TStringList names;
  ListStoredSkins(names);
  const std::string folder = FileSystemPath(SkinsFolder());
  const bool folders = kinds == 0 || kinds == 2, files = kinds == 1 || kinds == 2;
  std::error_code error;
  if (IsExistingFolder(folder))
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with(".")) continue;
      if (folders && entry.is_directory(error) && !FindFileIgnoringCase(entry.path().string() + "/", "Options.dat").empty())
        names.Add(name);
      else if (files && entry.is_regular_file(error) && name.ends_with(".skz"))
        names.Add(name.substr(0, name.size() - 4));
    }
  firstName = names.Count() > 0 ? names.Strings(0) : "";
  names.Sort();
  list.Assign(names);
}

// Readers upper-case some names, so even a name from the root is matched
// ignoring case; one with a drive (":") names no file here.
std::string TSkinManager::ImageFile(const std::string& name) const {
  const std::string path = FileSystemPath(name);
  if (name.find(':') != std::string::npos) return IsExistingFile(path) ? path : "";
  if (path.starts_with("/")) return FindFileIgnoringCase("/", path.substr(1));
  return FindFileIgnoringCase(GlobalInfo.SkinPath, path);
}

void TSkinManager::ReadGlobalInfo(const TMemIniFile& ini) {
  TSkinData& info = GlobalInfo;
  long double version = 0;
  TextToReal(ini.ReadString(GlobalSection, "VERSION", "0"), version);
  info.Version = double(version);
  info.Author = ini.ReadString(GlobalSection, "AUTHOR", "");
  info.Description = ini.ReadString(GlobalSection, "DESCRIPTION", "");
  info.Shadow1Color = TColor(ini.ReadInteger(GlobalSection, "SHADOW1COLOR", 0));
  info.Shadow1Offset = StrToInt(ini.ReadString(GlobalSection, "SHADOW1OFFSET", "0"));
  info.Shadow1Blur = StrToInt(ini.ReadString(GlobalSection, "SHADOW1BLUR", "-1"));
  info.Shadow1Transparency = StrToInt(ini.ReadString(GlobalSection, "SHADOW1TRANSPARENCY", "0"));
  info.CaptionButtonSpacing = ini.ReadInteger(GlobalSection, "BISPACE", 0);
  info.CaptionButtonVAlign = ini.ReadInteger(GlobalSection, "BIVALIGN", 0);
  info.CaptionButtonsRight = ini.ReadInteger(GlobalSection, "BIRIGHT", 0);
  info.CaptionButtonsLeft = ini.ReadInteger(GlobalSection, "BILEFT", 0);
  // 0 when missing, not magenta: the colour shifts recolour it, and a
  // shifted magenta would frame every control of a skinned dialog.
  info.BorderColor = TColor(ini.ReadInteger(GlobalSection, "BORDERCOLOR", 0));
}

void TSkinManager::ReadSectionData(const TMemIniFile& ini) {
  ReadGlobalInfo(ini);
  SectionData.clear();
  for (const std::string& name : ini.ReadSections()) SectionData.push_back(ReadOptionsSection(ini, name));
  FinishSectionData();
}

void TSkinManager::FinishSectionData() {
  if ((ComponentState() & csDesigning) && GlobalInfo.Version < 5.4) ShowOldSkinNotice();
  MergeCommonSections();
  ShiftHue(hueOffset_);
  ShiftSaturation(saturation_);
}

void TSkinManager::ShowOldSkinNotice() const {
  Application().MessageBox("You use an old version of \"" + skinName_ +
                               "\" skin, please update a skins to latest or link with VadizAvivudid support for "
                               "upgrading of existing skin.\r\n\r\nThis notification occurs in design-time only for "
                               "your information and will not occur in real-time.",
                           Application().Title(), MB_OK);
}

// A section of CommonSections the skin lacks becomes a record; one it has
// stays as the skin defines it.
void TSkinManager::MergeCommonSections() {
  if (commonSections_->Count() == 0) return;
  TStringList sections;
  SplitIniSections(*commonSections_, sections);
  for (int i = 0; i < sections.Count(); ++i) {
    const std::string& name = sections.At(i);
    if (SectionIndexOf(name) >= 0) continue;
    const std::string parentClass = AsciiUppered(IniString(sections, name, "-1", "PARENTCLASS"));
    const auto parent = std::find_if(SectionData.begin(), SectionData.end(), [&](const TSkinGeneralData& d) {
      return !parentClass.empty() && AsciiUppered(d.SectionName) == parentClass;
    });
    TSkinGeneralData record;
    if (parent != SectionData.end()) {
      record = *parent;
    } else {
      TDefaultsReader defaults;
      VisitSectionKeys(record, defaults);
    }
    TCommonReader reader{sections, name};
    VisitSectionKeys(record, reader);
    record.SectionName = name;
    record.ParentClass = parentClass;
    ParseGradients(record);
    SectionData.push_back(std::move(record));
  }
}
