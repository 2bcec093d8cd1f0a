#include "skin/GeneralRoutines.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/StringList.h"
#include "skin/SkinCommonData.h"
#include "tests/runtime/TempFolder.h"
#include "tests/skin/RecordedFileIcons.h"
#include "toolkit/gdi/Font.h"
#include "toolkit/gdi/Icon.h"

namespace {

TEST(GeneralRoutines, OptionsTextBySectionAndName) {
  TStringList lines;
  lines.SetText(
      "Stray=1\n"
      "[GENERAL]\n"
      "; Hex=0x10\n"
      "\n"
      "Hex=0x1F\n"
      "Bare=0x\n"
      "Empty=\n"
      "Plain=42\n"
      "Wrong=12x\n"
      "[PANEL]\n"
      "Color=$FF\n");
  TStringList sections;
  SplitIniSections(lines, sections);
  ASSERT_EQ(sections.Count(), 2);
  EXPECT_EQ(sections.At(0), "GENERAL");
  EXPECT_EQ(static_cast<TStringList*>(sections.Objects(0))->Count(), 5) << "no comment, blank or stray line";

  const struct {
    const char* Section;
    const char* Ident;
    int Integer;       // with the default 7
    const char* Text;  // with the default "-"
  } cases[] = {
      {"GENERAL", "Hex", 31, "0x1F"},  {"GENERAL", "Bare", 7, "0x"},      {"GENERAL", "Empty", 7, ""},
      {"GENERAL", "plain", 42, "42"},  {"GENERAL", "Wrong", 7, "12x"},    {"PANEL", "Color", 255, "$FF"},
      {"GENERAL", "Stray", 7, "-"},    {"MISSING", "Hex", 7, "-"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IniInteger(sections, c.Section, 7, c.Ident), c.Integer) << c.Section << " " << c.Ident;
    EXPECT_EQ(IniString(sections, c.Section, "-", c.Ident), c.Text) << c.Section << " " << c.Ident;
  }
  SplitIniSections(lines, sections);
  EXPECT_EQ(sections.Count(), 2) << "split again, the old sections are replaced";
}

TEST(GeneralRoutines, WordsAndStrings) {
  EXPECT_EQ(NthWordStart(2, "  ab  cd", " "), 7);
  EXPECT_EQ(NthWordStart(1, "ab", " "), 1);
  EXPECT_EQ(NthWordStart(3, "  ab  cd", " "), 0);
  EXPECT_EQ(WordCount(";;; ;", "; "), 0);
  EXPECT_EQ(WordCount("1;;2;3;", ";"), 3) << "runs of delimiters separate once";
  EXPECT_EQ(ExtractNthWord(2, "1;;22;3", ";"), "22");
  EXPECT_EQ(ExtractNthWord(4, "1;;22;3", ";"), "");
  EXPECT_EQ(RemoveChar("a b  c", ' '), "abc");
  EXPECT_EQ(ReplaceAllText("aXbXc", "X", "XX"), "aXXbXXc") << "the rest is scanned after each replacement";
  EXPECT_EQ(ReplaceAllText("aaaa", "aa", "a"), "aa");
  EXPECT_EQ(ReplaceAllText("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAllText("ABab", "ab", "-"), "AB-") << "case counts";
  const struct {
    const char* Path;
    const char* Result;
  } paths[] = {{"", ""}, {"c", "c:\\"}, {"dir/", "dir\\"}, {"dir\\", "dir\\"}, {"c:\\Skins", "c:\\Skins\\"}};
  for (const auto& p : paths) EXPECT_EQ(WithTrailingBackslash(p.Path), p.Result) << p.Path;
}

TEST(GeneralRoutines, RectanglesAndNumbers) {
  EXPECT_EQ(RectWidth({10, 0, 4, 0}, false), -6);
  EXPECT_EQ(RectWidth({10, 0, 4, 0}, true), 0);
  EXPECT_EQ(RectHeight({0, 2, 0, 9}, true), 7);
  const TRect outer{0, 0, 10, 10};
  EXPECT_TRUE(RectsOverlap(outer, {9, 9, 12, 12}));
  EXPECT_FALSE(RectsOverlap(outer, {10, 0, 12, 5})) << "touching is not overlapping";
  EXPECT_FALSE(RectsOverlap(outer, {5, 5, 5, 8})) << "an empty rectangle overlaps nothing";
  EXPECT_FALSE(RectsOverlap(outer, {-5, 2, -1, 4}));
  EXPECT_EQ(ClampByte(-1), 0);
  EXPECT_EQ(ClampByte(255), 255);
  EXPECT_EQ(ClampByte(256), 255);
  EXPECT_TRUE(Between(3, 3, 5));
  EXPECT_FALSE(Between(6, 3, 5));
  const TBackdropRef ref = MakeBackdropRef(nullptr, 4, 5);
  EXPECT_TRUE(ref.Ready);
  EXPECT_EQ(ref.FillColor, 0xFF00FFU);
  EXPECT_EQ(ref.X, 4);
  EXPECT_NE(CaptionFontHeight(), 0);
}

TEST(GeneralRoutines, PropertiesByNameOnAFont) {
  TFont font;
  font.SetStyle(fsItalic);
  EXPECT_TRUE(SetPropertyContains(&font, "Style", "fsItalic"));
  EXPECT_FALSE(SetPropertyContains(&font, "Style", "fsitalic")) << "element names compare exactly";
  EXPECT_FALSE(SetPropertyContains(&font, "Style", "fsBold"));
  EXPECT_FALSE(SetPropertyContains(&font, "Height", "fsItalic")) << "not a set";

  ChangeSetProperty(&font, "Style", "fsBold", true);
  EXPECT_EQ(font.Style(), fsItalic | fsBold);
  ChangeSetProperty(&font, "Style", "fsBold", true);
  EXPECT_EQ(font.Style(), fsItalic | fsBold) << "added once";
  ChangeSetProperty(&font, "Style", "fsBold", false);
  EXPECT_EQ(font.Style(), fsItalic);
  ChangeSetProperty(&font, "Style", "fsItalic", false);
  EXPECT_EQ(font.Style(), 0U);
  ChangeSetProperty(&font, "Style", "fsUnderline", true);
  EXPECT_EQ(font.Style(), fsUnderline) << "added to an empty set";

  EXPECT_TRUE(HasProperty(&font, "Height"));
  EXPECT_FALSE(HasProperty(&font, "Missing"));
  EXPECT_EQ(OrdPropertyValue(&font, "Missing"), -1);
  SetOrdPropertyValue(&font, "Height", -15);
  EXPECT_EQ(OrdPropertyValue(&font, "Height"), -15);
  EXPECT_EQ(ObjectProperty(&font, "Missing"), nullptr);
  EXPECT_EQ(OrdPropertyValue(nullptr, "Height"), -1);
}

TEST(GeneralRoutines, FileIconsComeFromTheDesktopBySize) {
  TempFolder folder;
  const std::string file = folder / "program";
  std::ofstream(file) << "x";
  TRecordedFileIcons desktop;

  EXPECT_EQ(FileIcon(folder / "missing", 0), nullptr);
  EXPECT_TRUE(desktop.Requests.empty()) << "a missing file is not asked for";

  const auto small = FileIcon(file, SHGFI_SMALLICON);
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(small->Width(), 16);
  const auto large = FileIcon(file, 0);
  ASSERT_NE(large, nullptr);
  EXPECT_EQ(large->Height(), 32);
  ASSERT_EQ(desktop.Requests.size(), 2U);
  EXPECT_EQ(desktop.Requests[0].FileName, file);
  EXPECT_EQ(desktop.Requests[0].Size, 16);
  EXPECT_EQ(desktop.Requests[1].Size, 32);

  desktop.HasIcons = false;
  EXPECT_EQ(FileIcon(file, 0), nullptr);
}

TEST(GeneralRoutines, FolderWalkGivesNamesAndTheFolderFlag) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "Skin");
  std::ofstream(folder / "Packed.skz") << "x";
  std::vector<std::pair<std::string, bool>> entries;
  TSearchRec search;
  for (bool found = FindFirstFile(folder.Path().string(), search); found; found = FindNextFile(search))
    entries.emplace_back(search.Name, search.IsFolder);
  CloseFind(search);
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::pair<std::string, bool>>{{"Packed.skz", false}, {"Skin", true}}));
  EXPECT_FALSE(FindFirstFile(folder / "missing", search));
  EXPECT_FALSE(FindNextFile(search));
}

}  // namespace
