// Loading a skin folder: section values, inheritance, CommonSections, where
// the folder is, and loads that fail.

#include <filesystem>

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "runtime/MemIniFile.h"
#include "runtime/Storage.h"
#include "runtime/StringList.h"
#include "tests/skin/TestSkinFixture.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/MessageBox.h"

namespace {

class SkinFolderTest : public TestSkinFixture {
protected:
  const TSkinGeneralData& Values(const std::string& name) const { return manager.SectionData.at(Section(name)); }
  void SetCommonSections(const std::string& text) {
    TStringList lines;
    lines.SetText(text);
    manager.SetCommonSections(lines);
  }
};

TEST_F(SkinFolderTest, SectionValuesFollowDefaultsInheritanceAndSwitches) {
  manager.LoadSkin();
  ASSERT_EQ(manager.SectionData.size(), 42U) << "one record per section, GLOBALINFO included";
  EXPECT_EQ(manager.SectionData[0].SectionName, "GLOBALINFO");
  const struct {
    const char* Name;
    std::int64_t Actual;
    std::int64_t Expected;
  } cases[] = {
      {"-1 inherits the parent's 40", Values("PANEL_LOW").Transparency, 40},
      {"a parent's own 40", Values("PANEL").Transparency, 40},
      {"-1 naming itself as parent: the default", Values("SELFISH").Transparency, 0},
      {"-1 round a cycle: the default", Values("CYCLEA").Transparency, 0},
      {"\"?\" naming itself as parent: the default", Values("SELFISH").HotColor, 0xFFFFFF},
      {"SHOWFOCUS true", Values("EDIT").ShowFocus, 1},
      {"SHOWFOCUS yes", Values("COMBOBOX").ShowFocus, 0},
      {"RESERVEDBOOLEAN TRUE", Values("SCROLLBTNLEFT").ReservedBoolean, 1},
      {"COLOR of a system colour is resolved", Values("BUTTON").Color, ColorToRGB(clBtnFace)},
      {"HOTCOLOR of a system colour is not", Values("BUTTON").HotColor, clBtnFace},
      {"\"$FF\" reads 255", Values("PANEL").FontColor[0], 255},
      {"an outline colour", Values("PANEL").FontColor[1], 0xFFFFFF},
      {"an outline colour not given", Values("PANEL").FontColor[2], TColor(-1)},
      {"\"0x10\" reads as the default", Values("TOOLBAR").FadingIterations, 5},
      {"COLOR naming a picture: the default", Values("STATUSBAR").Color, 0xFFFFFF},
      {"GIVEOWNFONT inherited", Values("PANEL_LOW").GiveOwnFont, 1},
      {"PARENTCLASS is not inherited", Values("PANEL_LOW").ParentClass == "PANEL" && Values("PANEL").ParentClass.empty(), 1},
      {"the hot text colour", Values("TOOLBUTTON").HotFontColor[0], 0xC0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Actual, c.Expected) << c.Name;
}

TEST_F(SkinFolderTest, GradientTextsAndTheirSteps) {
  manager.LoadSkin();
  const struct {
    const char* Section;
    std::string Text;
    size_t Steps;
    std::string HotText;
    size_t HotSteps;
  } cases[] = {
      {"BUTTON", " ", 0, "", 0},
      {"PANEL", "16777215;12632256;50;0;0;12632256;8421504;50;0;0", 2, "", 0},
      {"PANEL_LOW", "16777215;12632256;50;0;0;12632256;8421504;50;0;0", 2, "", 0},
      {"TOOLBAR", "15790320;11579568;100;1;0", 1, "255;65280;100;1;0", 1},
  };
  for (const auto& c : cases) {
    const TSkinGeneralData& d = Values(c.Section);
    EXPECT_EQ(d.GradientData, c.Text) << c.Section;
    EXPECT_EQ(d.GradientArray.size(), c.Steps) << c.Section;
    EXPECT_EQ(d.HotGradientData, c.HotText) << c.Section;
    EXPECT_EQ(d.HotGradientArray.size(), c.HotSteps) << c.Section;
  }
  EXPECT_EQ(Values("TOOLBAR").GradientArray[0].Mode, 1) << "horizontal";
  EXPECT_EQ(Values("PANEL").GradientArray[1].Color2, 8421504U);
}

TEST_F(SkinFolderTest, SkinWideValuesComeFromGlobalInfo) {
  manager.LoadSkin();
  const TSkinData& info = manager.GlobalInfo;
  EXPECT_EQ(info.Version, 6.05);
  EXPECT_EQ(info.Author, "Quantrel tests");
  EXPECT_EQ(info.Description, "A skin drawn by code");
  EXPECT_EQ(info.Shadow1Color, 0x00404040U);
  EXPECT_EQ(info.Shadow1Offset, 2);
  EXPECT_EQ(info.Shadow1Blur, -1);
  EXPECT_EQ(info.Shadow1Transparency, 60);
  EXPECT_EQ(info.CaptionButtonSpacing, 2);
  EXPECT_EQ(info.CaptionButtonsRight, 4);
  EXPECT_EQ(info.CaptionButtonsLeft, 0);
  EXPECT_EQ(info.BorderColor, 0U) << "no BORDERCOLOR";
  EXPECT_EQ(info.SkinPath, skin + "/");
  EXPECT_FALSE(manager.IsPacked());
  EXPECT_FALSE(info.SkinActive) << "until the skin is announced";
}

TEST_F(SkinFolderTest, AVersionThatIsNoNumberReadsZero) {
  std::string options = TestSkinOptions();
  options.replace(options.find("VERSION=6.05"), 12, "VERSION=6,05");
  WriteOptions(options);
  manager.LoadSkin();
  EXPECT_EQ(manager.GlobalInfo.Version, 0);
}

TEST_F(SkinFolderTest, CommonSectionsAddSectionsTheSkinLacks) {
  SetCommonSections(
      "[PANEL]\nCOLOR=$000000FF\n"
      "[MYBUTTON]\nPARENTCLASS = button\nTRANSPARENCY=0x1F\nFONTCOLOR=$00112233\n"
      "[LONER]\nHOTCOLOR=-1\nSHOWFOCUS=TRUE\nCOLOR=$FF000005\nHOTGRADIENTDATA=1;2;50;0;0\n");
  EXPECT_EQ(manager.CommonSections().Strings(3), "PARENTCLASS=button") << "blanks removed";
  manager.LoadSkin();
  EXPECT_EQ(manager.SectionData.size(), 44U);
  EXPECT_EQ(Values("PANEL").Color, 0x00D8C8B8U) << "a section of the skin stays as the skin has it";
  const TSkinGeneralData& mine = Values("MYBUTTON");
  EXPECT_EQ(mine.ParentClass, "BUTTON");
  EXPECT_EQ(mine.Transparency, 31) << "hexadecimal after 0x";
  EXPECT_EQ(mine.FontColor[0], 0x00112233U);
  EXPECT_EQ(mine.Color, Values("BUTTON").Color) << "missing: the parent's";
  EXPECT_TRUE(mine.ShowFocus) << "missing: the parent's";
  const TSkinGeneralData& loner = Values("LONER");
  EXPECT_EQ(loner.ParentClass, "-1");
  EXPECT_EQ(loner.HotColor, 0xFFFFFFU) << "-1: the default";
  EXPECT_EQ(loner.FadingIterations, 5);
  EXPECT_TRUE(loner.ShowFocus);
  EXPECT_EQ(loner.Color, 0xFF000005U) << "taken as read";
  EXPECT_EQ(loner.GradientData, " ");
  EXPECT_TRUE(loner.GradientArray.empty());
  EXPECT_EQ(loner.HotGradientArray.size(), 1U);
}

TEST(SkinInheritedReads, ChainsEndAtTheirDefaultsAndNeverLoop) {
  const TMemIniFile ini("1.tmp",
                        "[A]\nPARENTCLASS=B\nX=?\nN=-1\n"
                        "[B]\nPARENTCLASS=C\n"
                        "[C]\nX=from C\nN=7\n"
                        "[SELF]\nPARENTCLASS=self\nX=?\n"
                        "[P]\nPARENTCLASS=Q\n[Q]\nPARENTCLASS=P\n"
                        "[EMPTY]\nPARENTCLASS=\n");
  const struct {
    const char* Section;
    std::string Text;
    int Number;
  } cases[] = {
      {"A", "from C", 7}, {"b", "from C", 7}, {"SELF", "default", 3}, {"P", "default", 3},
      {"EMPTY", "default", 3}, {"MISSING", "default", 3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadInheritedString(ini, c.Section, "X", "default"), c.Text) << c.Section;
    EXPECT_EQ(ReadInheritedInteger(ini, c.Section, "N", 3), c.Number) << c.Section;
  }
}

TEST_F(SkinFolderTest, TheSkinsFolderIsFoundFromTheProgramsFolder) {
  const std::string root = temp.Path().string();
  SetAppFolder(root + "/App/Bin/");
  const struct {
    const char* Directory;
    std::string Folder;
  } cases[] = {
      {"../Skins", root + "/App/Skins"},
      {"..\\Skins", root + "/App/Skins"},
      {"./Skins", root + "/App/Bin/Skins"},
      {".\\Skins", root + "/App/Bin/Skins"},
      {"Skins", root + "/App/Bin/Skins"},
      {"/usr/share/skins", "/usr/share/skins"},
      {"c:\\Skins", "c:\\Skins"},
  };
  for (const auto& c : cases) {
    manager.SetSkinDirectory(c.Directory);
    EXPECT_EQ(manager.SkinsFolder(), c.Folder) << c.Directory;
  }

  std::filesystem::create_directories(root + "/App/Bin");
  std::filesystem::rename(skins, root + "/App/Skins");
  manager.SetSkinDirectory("..\\Skins");
  manager.LoadSkin();
  EXPECT_EQ(manager.GlobalInfo.SkinPath, root + "/App/Skins/TestSkin/");
  EXPECT_EQ(manager.SectionData.size(), 42U);
  SetAppFolder("");
}

TEST_F(SkinFolderTest, NoSkinOfThatNameSwitchesOffAndTouchesNoTable) {
  manager.LoadSkin();
  const size_t masks = manager.Masks.size();
  for (const char* directory : {"c:\\Skins", ""}) {
    manager.SetSkinDirectory(skins);
    manager.SetActive(true);
    manager.SetSkinDirectory(directory);
    manager.LoadSkin();
    EXPECT_FALSE(manager.Active()) << directory;
    EXPECT_EQ(manager.Masks.size(), masks) << directory;
    EXPECT_EQ(manager.SectionData.size(), 42U) << directory;
    EXPECT_EQ(manager.GlobalInfo.SkinPath, "") << directory << ": the stored skins were searched";
  }
  manager.SetSkinDirectory(skins);
  manager.LoadSkin();
  EXPECT_EQ(manager.SectionData.size(), 42U) << "nothing loads while not Active";
  manager.SectionData.clear();
  manager.LoadSkin();
  EXPECT_TRUE(manager.SectionData.empty());
}

TEST_F(SkinFolderTest, FilesOfTheSkinAreFoundWhateverTheirCase) {
  std::filesystem::rename(SkinFile("master.bmp"), SkinFile("MASTER.BMP"));
  std::filesystem::rename(SkinFile("Options.dat"), SkinFile("OPTIONS.DAT"));
  std::filesystem::rename(SkinFile("wide.jpg"), SkinFile("Wide.Jpg"));
  manager.LoadSkin();
  ASSERT_NE(manager.MasterBitmap(), nullptr);
  EXPECT_EQ(manager.MasterBitmap()->Width(), TestSkin::MasterWidth) << "\"master.bmp\" as MASTER.BMP";
  EXPECT_EQ(Mask("BUTTON", "BORDERSMASK").Image->Width(), TestSkin::ButtonImageWidth) << "\"BTN.BMP\" as btn.bmp";
  EXPECT_EQ(Mask("FORM", "PATTERN").Image->Width(), 299) << "\"WIDE.JPG\" as Wide.Jpg";
}

// Answers every box and keeps its text.
class TRecordedFolderBoxes : public IMessageBoxes {
public:
  TRecordedFolderBoxes() : previous_(MessageBoxes()) { SetMessageBoxes(this); }
  ~TRecordedFolderBoxes() override { SetMessageBoxes(previous_); }
  int Show(HWND, const std::string& text, const std::string&, UINT) override {
    Texts.push_back(text);
    return IDOK;
  }
  std::vector<std::string> Texts;

private:
  IMessageBoxes* previous_;
};

TEST_F(SkinFolderTest, AnOldSkinIsNoticedInDesignModeOnly) {
  const std::string notice =
      "You use an old version of \"TestSkin\" skin, please update a skins to latest or link with VadizAvivudid "
      "support for upgrading of existing skin.\r\n\r\nThis notification occurs in design-time only for your "
      "information and will not occur in real-time.";
  const struct {
    const char* Version;
    bool Designing;
    size_t Notices;
  } cases[] = {{"5.3", true, 1}, {"5.3", false, 0}, {"5.4", true, 0}, {"6.05", true, 0}};
  for (const auto& c : cases) {
    std::string options = TestSkinOptions();
    options.replace(options.find("6.05"), 4, c.Version);
    WriteOptions(options);
    manager.SetDesigning(c.Designing);
    TRecordedFolderBoxes boxes;
    manager.LoadSkin();
    ASSERT_EQ(boxes.Texts.size(), c.Notices) << c.Version << (c.Designing ? " designing" : " running");
    if (c.Notices) {
      EXPECT_EQ(boxes.Texts[0], notice);
    }
    manager.LoadSkin();
    EXPECT_EQ(boxes.Texts.size(), 2 * c.Notices) << "once per load";
  }
}

TEST_F(SkinFolderTest, LoadsThatFailKeepWhatWasReadAndLeaveTheSkinInactive) {
  const auto replaced = [](const std::string& what, const std::string& by) {
    std::string options = TestSkinOptions();
    return options.replace(options.find(what), what.size(), by);
  };
  const struct {
    const char* Name;
    std::function<void()> Break;
    std::string Error;
    bool Conversion;
  } cases[] = {
      {"a letter in a fixed column",
       [&] { WriteOptions(TestSkinOptions() + "[BROKEN]\nB=^0000,0000,00x8,0016,0004,0004,0004,0004,3,0,0,0\n"); },
       "\"00x8\" is not a valid integer value", true},
      {"a letter in a frame count", [&] { WriteOptions(TestSkinOptions() + "[BROKEN]\nB=!BTN.BMP!x!1!0\n"); },
       "\"x\" is not a valid integer value", true},
      {"a shadow offset not a number", [&] { WriteOptions(replaced("SHADOW1OFFSET=2", "SHADOW1OFFSET=two")); },
       "\"two\" is not a valid integer value", true},
      {"a corrupt JPEG", [&] { std::ofstream(SkinFile("back.jpg"), std::ios::binary) << "not a picture"; },
       "JPEG image is not valid", false},
      {"a corrupt bitmap", [&] { std::ofstream(SkinFile("edit.bmp"), std::ios::binary) << "BM not a picture"; },
       "Bitmap image is not valid", false},
  };
  for (const auto& c : cases) {
    WriteTestSkin(skins);
    c.Break();
    manager.GlobalInfo.SkinActive = true;
    try {
      manager.LoadSkin();
      ADD_FAILURE() << c.Name << ": loaded";
    } catch (const EQuantrelError& error) {
      EXPECT_EQ(error.what(), c.Error) << c.Name;
      EXPECT_EQ(dynamic_cast<const EConvertError*>(&error) != nullptr, c.Conversion) << c.Name;
    }
    EXPECT_FALSE(manager.SkinActive()) << c.Name;
    EXPECT_GE(manager.MaskIndexOfNames("GLOBALINFO", "BOXCHECKED"), 0) << c.Name << ": entries read before stay";
  }
}

TEST_F(SkinFolderTest, MissingPicturesAreSkippedSilently) {
  std::filesystem::remove(SkinFile("edit.bmp"));
  std::filesystem::remove(SkinFile("back.jpg"));
  std::filesystem::remove(SkinFile("master.bmp"));
  manager.LoadSkin();
  EXPECT_EQ(manager.MaskIndexOfNames("EDIT", "BORDERSMASK"), -1);
  EXPECT_TRUE(manager.Patterns.empty());
  ASSERT_NE(manager.MasterBitmap(), nullptr);
  EXPECT_TRUE(manager.MasterBitmap()->Empty()) << "an empty master bitmap";
  EXPECT_GE(manager.MaskIndexOfNames("PANEL", "BORDERSMASK"), 0) << "its entries stay and paint nothing";
}

}  // namespace
