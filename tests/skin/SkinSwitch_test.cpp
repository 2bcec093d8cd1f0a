// The skin manager at work: a skin set by name, announced to the windows,
// recoloured and taken away, as a skinned panel on a form of the
// application and the change events see it.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "runtime/StringList.h"
#include "skin/SkinPanel.h"
#include "skin/menus/SkProvider.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/skins/PackedSkin.h"
#include "skin/skins/SkinManager.h"
#include "skin/skins/StoredSkins.h"
#include "tests/runtime/TempFolder.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/MessageSpy.h"
#include "tests/skin/TestSkinWriter.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/Hook.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/SysMetrics.h"

namespace {

std::vector<TColor> PixelsOf(TBitmap& bmp) {
  std::vector<TColor> pixels;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) pixels.push_back(bmp.Canvas().Pixel(x, y));
  return pixels;
}

// The test skin in "Skins", a shown form of the application holding a
// skinned panel whose skin commands are recorded, and the default manager,
// made after the platform was read (so it hooks the application window),
// pointed at "Skins" with no skin yet.
class SkinSwitchTest : public ::testing::Test {
protected:
  SkinSwitchTest() : skins((temp.Path() / "Skins").string()) {
    std::filesystem::create_directories(skins);
    skin = WriteTestSkin(skins);
    ReadOSVersion();
    form = new TForm(&Application());
    form->SetBorderStyle(bsNone);
    form->SetBounds(10, 10, 300, 200);
    panel = new TSkinPanel(form);
    panel->SetParent(form);
    panel->SetBounds(20, 20, 150, 80);
    seen = Record(*panel);
    form->Show();
    ProcessEverything();
    manager = std::make_unique<TSkinManager>(nullptr);
    manager->SetSkinDirectory(skins);
    manager->OnBeforeChange = [this](TObject*) { ++before; };
    manager->OnAfterChange = [this](TObject*) { ++after; };
  }
  // The controls go before the manager they ask.
  ~SkinSwitchTest() override {
    delete form;
    manager.reset();
  }

  // Skin commands of the sub-command from this manager the panel heard.
  int Heard(WORD sub, const TSkinManager* from = nullptr) const {
    const LPARAM sender = reinterpret_cast<LPARAM>(from ? from : manager.get());
    int count = 0;
    for (const TMessage& m : *seen) count += m.Msg == SM_SKINCMD && SubCommandOf(m.WParam) == sub && m.LParam == sender;
    return count;
  }
  const TSkinGeneralData& Section(const std::string& name) const {
    return manager->Section(manager->SectionIndexOf(name));
  }
  // The test skin from its folder, whatever the manager held before.
  void LoadTestSkin() {
    manager->SetActive(false);
    manager->SetSkinName("TestSkin");
    manager->SetActive(true);
  }
  void WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(std::filesystem::path(skins) / name, std::ios::binary | std::ios::trunc) << bytes;
  }
  std::vector<std::string> Listed(int kinds, std::string& first) const {
    TStringList list;
    list.Add("stale");
    manager->ListSkins(list, kinds, first);
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Strings(i));
    return names;
  }
  void ExpectNoSkin(const char* when) const {
    EXPECT_EQ(panel->SkinData().SectionIndex, -1) << when;
    EXPECT_TRUE(manager->SectionData.empty()) << when;
    EXPECT_TRUE(manager->Masks.empty()) << when;
    EXPECT_TRUE(manager->Patterns.empty()) << when;
    EXPECT_EQ(manager->MasterBitmap(), nullptr) << when;
    EXPECT_EQ(manager->SkinInfo(), "N/A") << when;
  }

  TempFolder temp;
  const std::string skins;
  std::string skin;
  TForm* form;
  TSkinPanel* panel;
  TSeen seen;
  std::unique_ptr<TSkinManager> manager;
  int before = 0;
  int after = 0;
};

TEST_F(SkinSwitchTest, TheSameNameTwiceLoadsAndAnnouncesTwiceAndActiveFalseRemovesIt) {
  manager->SetSkinName("TestSkin");
  manager->SetSkinName("TestSkin");
  EXPECT_EQ(before, 2);
  EXPECT_EQ(after, 2);
  EXPECT_EQ(Heard(scSkinApplied), 2);
  EXPECT_GE(Heard(scSkinChanged), 2) << "each announcement repaints";
  EXPECT_EQ(manager->SkinInfo(), "6.05");
  EXPECT_TRUE(manager->SkinActive());
  EXPECT_EQ(panel->SkinData().SectionIndex, manager->SectionIndexOf("PANEL"));
  EXPECT_GE(panel->SkinData().SectionIndex, 0);

  manager->SetActive(false);
  EXPECT_EQ(Heard(scSkinRemoved), 1);
  ExpectNoSkin("after Active false");
  EXPECT_EQ(after, 2) << "no change event for Active";
}

TEST_F(SkinSwitchTest, ASkinReadWhileLoadingIsAnnouncedAtLoadedWithoutARepaint) {
  manager->BeginLoading();
  manager->SetSkinName("TestSkin");
  EXPECT_EQ(before, 1) << "loaded while the properties are read";
  EXPECT_EQ(Heard(scSkinApplied), 0);
  manager->Loaded();
  EXPECT_EQ(Heard(scSkinApplied), 1);
  EXPECT_EQ(Heard(scSkinChanged), 0) << "no repaint pass";
  EXPECT_TRUE(manager->SkinActive());
}

TEST_F(SkinSwitchTest, CommonSectionsReloadAndTheSkinsFolderBecomesTheSkinPath) {
  manager->SetSkinName("TestSkin");
  TStringList common;
  common.SetText("[EXTRA SECTION]\nCOLOR = $00FF0000\n");
  manager->SetCommonSections(common);
  EXPECT_EQ(before, 2) << "assigning reloads";
  EXPECT_EQ(Heard(scSkinApplied), 2);
  EXPECT_EQ(Section("EXTRASECTION").Color, 0x00FF0000U) << "blanks removed";
  manager->SetSkinDirectory(skin);
  EXPECT_EQ(manager->GlobalInfo.SkinPath, skin) << "the resolved folder; nothing reloads";
  EXPECT_EQ(before, 2);
}

TEST_F(SkinSwitchTest, SaturationBeyondAHundredChangesNothingAndMinusAHundredGreysEveryColour) {
  manager->SetSkinName("TestSkin");
  const std::vector<TColor> master = PixelsOf(*manager->MasterBitmap());
  const int button = manager->MaskIndexOfNames("BUTTON", "BORDERSMASK");
  ASSERT_GE(button, 0);
  const std::vector<TColor> own = PixelsOf(*manager->Masks[button].Image);
  const int changes = Heard(scSkinChanged);

  manager->SetSaturation(101);
  EXPECT_EQ(PixelsOf(*manager->MasterBitmap()), master);
  EXPECT_EQ(Section("PANEL").Color, TestSkin::PanelColor);
  EXPECT_GT(Heard(scSkinChanged), changes) << "the windows repaint";

  manager->SetSaturation(-100);
  const std::vector<TColor> grey = PixelsOf(*manager->MasterBitmap());
  int coloured = 0;
  for (size_t i = 0; i < master.size(); ++i) {
    if (master[i] == TestSkin::Magenta || IsGrey(master[i])) {
      EXPECT_EQ(grey[i], master[i]) << "pixel " << i << " keeps magenta and grey";
    } else {
      ++coloured;
      EXPECT_TRUE(IsGrey(grey[i])) << "pixel " << i;
    }
  }
  EXPECT_GT(coloured, 1000);
  for (TColor c : PixelsOf(*manager->Masks[manager->MaskIndexOfNames("BUTTON", "BORDERSMASK")].Image))
    EXPECT_TRUE(IsGrey(c)) << "an own picture too";
  EXPECT_NE(own, PixelsOf(*manager->Masks[manager->MaskIndexOfNames("BUTTON", "BORDERSMASK")].Image));
  EXPECT_TRUE(IsGrey(Section("PANEL").Color));
  EXPECT_TRUE(IsGrey(Section("PANEL").GradientArray.front().Color2));
  EXPECT_EQ(Section("PANEL").FontColor[2], TColor(-1)) << "an outline not drawn stays -1";
  EXPECT_TRUE(manager->SkinActive()) << "the shifted skin is still the active one";
}

TEST_F(SkinSwitchTest, AHueSetWithoutASkinAppliesAtTheNextLoadAndZeroBringsTheColoursBack) {
  manager->SetHueOffset(90);
  EXPECT_EQ(before, 0) << "nothing loads without a skin";
  manager->SetSkinName("TestSkin");
  const TColor ring = TestSkin::FrameColors[0];
  EXPECT_EQ(Section("PANEL").Color, RotateHue(90, TestSkin::PanelColor));
  EXPECT_EQ(manager->MasterBitmap()->Canvas().Pixel(0, 5), RotateHue(90, ring));
  EXPECT_EQ(manager->GlobalInfo.Shadow1Color, 0x00404040U) << "grey";

  manager->SetHueOffset(0);
  EXPECT_EQ(Section("PANEL").Color, TestSkin::PanelColor);
  EXPECT_EQ(manager->MasterBitmap()->Canvas().Pixel(0, 5), ring);
  EXPECT_EQ(before, 1) << "a colour shift is no change of skin";
}

TEST_F(SkinSwitchTest, ASecondManagerMadeDefaultAnnouncesItsSkinAndFalseKeepsTheDefault) {
  manager->SetSkinName("TestSkin");
  TSkinManager second(nullptr);
  second.SetSkinDirectory(skins);
  second.SetSkinName("TestSkin");
  EXPECT_FALSE(second.IsDefault());
  manager->SetIsDefault(false);
  EXPECT_TRUE(manager->IsDefault()) << "the default stays";

  const int heard = Heard(scSkinApplied, &second);
  second.SetIsDefault(true);
  EXPECT_EQ(DefaultManager(), &second);
  EXPECT_FALSE(manager->IsDefault());
  EXPECT_EQ(Heard(scSkinApplied, &second), heard + 1);
  EXPECT_EQ(panel->SkinData().GetSkinManager(), &second);
  EXPECT_EQ(panel->SkinData().SectionIndex, second.SectionIndexOf("PANEL"));
}

TEST_F(SkinSwitchTest, DestroyingTheDefaultLeavesNoDefaultThoughAnotherExists) {
  TSkinManager second(nullptr);
  manager.reset();
  EXPECT_EQ(DefaultManager(), nullptr);
}

TEST_F(SkinSwitchTest, AFailedLoadTakesTheOldSkinAwayAndNoSkinFoundSwitchesOff) {
  manager->SetSkinName("TestSkin");
  ASSERT_GE(panel->SkinData().SectionIndex, 0);
  std::string options = TestSkinOptions();
  options.replace(options.find("^0000,0000,0048,0016"), 5, "^00x0");
  std::ofstream(skin + "/Options.dat", std::ios::binary | std::ios::trunc) << options;
  EXPECT_THROW(manager->SetSkinName("TestSkin"), EConvertError);
  EXPECT_EQ(after, 1) << "no change event after a failed load";
  EXPECT_EQ(Heard(scSkinRemoved), 1);
  ExpectNoSkin("after a failed load");
  EXPECT_TRUE(manager->Active()) << "Active keeps its value";

  manager->SetSkinName("NoSuchSkin");
  EXPECT_FALSE(manager->Active());
  EXPECT_EQ(after, 2);
  EXPECT_EQ(Heard(scSkinRemoved), 2);
  ExpectNoSkin("without a skin of the name");
}

TEST_F(SkinSwitchTest, TheDialogHookComesWithTheDefaultManagersSkinOnly) {
  const int hooks = InstalledHookCount();
  manager->SetSkinName("TestSkin");
  EXPECT_TRUE(manager->HookInstalled());
  EXPECT_EQ(InstalledHookCount(), hooks + 1) << "announced by the default manager";
  EXPECT_EQ(CallCbtHooks(HCBT_SETFOCUS, 0, 0), 0) << "it only passes on";

  DialogProviders.push_back(new TSkProvider(nullptr));
  manager->SetActive(false);
  EXPECT_FALSE(manager->HookInstalled());
  EXPECT_EQ(InstalledHookCount(), hooks) << "removed";
  EXPECT_TRUE(DialogProviders.empty()) << "the dialog providers go with it";

  TSkinManager second(nullptr);
  second.SetSkinDirectory(skins);
  second.SetSkinName("TestSkin");
  EXPECT_FALSE(second.HookInstalled());
  EXPECT_EQ(InstalledHookCount(), hooks) << "announced by a second manager";

  manager.reset();
  TSkinManager designed(nullptr);
  designed.SetDesigning(true);
  designed.SetSkinDirectory(skins);
  designed.SetSkinName("TestSkin");
  designed.SetIsDefault(true);
  EXPECT_TRUE(designed.IsDefault());
  EXPECT_FALSE(designed.HookInstalled());
  EXPECT_EQ(InstalledHookCount(), hooks) << "in design mode";
}

TEST_F(SkinSwitchTest, ThemeChangesToTheApplicationWindowAreSwallowedWhilePopupsAreSkinned) {
  int delivered = 0;
  const int spy = Application().HookMainWindow([&](TMessage& message) {
    delivered += message.Msg == WM_THEMECHANGED;
    return false;
  });
  SendMessage(Application().Handle(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(delivered, 0) << "swallowed, skin or not";
  manager->SetSkinnedPopups(false);
  SendMessage(Application().Handle(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(delivered, 1) << "delivered with SkinnedPopups off";

  manager.reset();
  IsNTPlatform = false;
  TSkinManager unhooked(nullptr);
  SendMessage(Application().Handle(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(delivered, 2) << "the default manager hooks nothing off the NT family";
  Application().UnhookMainWindow(spy);
}

TEST(SkinManagerPlatform, TheSystemIsOfTheNtFamilyVersionSix) {
  OSVERSIONINFO info;
  ASSERT_TRUE(GetVersionEx(info));
  EXPECT_EQ(info.dwPlatformId, 2U);
  EXPECT_EQ(info.dwMajorVersion, 6U);
  EXPECT_EQ(sizeof(OSVERSIONINFO), 148U);
  OSVERSIONINFO wrong;
  wrong.dwOSVersionInfoSize = 20;
  EXPECT_FALSE(GetVersionEx(wrong));
  IsNTPlatform = false;
  ReadOSVersion();
  EXPECT_TRUE(IsNTPlatform);
}

TEST(SkinManagerOptions, DefaultsAndThirdPartyNamesThatReachTheListsAtLoadedOnly) {
  TSkinManager manager(nullptr);
  EXPECT_TRUE(manager.SkinnedPopups());
  EXPECT_TRUE(manager.IsDefault());
  EXPECT_TRUE(manager.Active());
  EXPECT_EQ(manager.SkinDirectory(), "c:\\Skins");
  EXPECT_EQ(manager.SkinName(), "");
  EXPECT_EQ(manager.SkinInfo(), "N/A");
  EXPECT_EQ(manager.SkinningRules, srStdForms | srStdDialogs | srThirdParty);
  EXPECT_EQ(std::string(TSkinManager::Version), "6.05");
  const TSkAnimEffects& effects = manager.AnimEffects;
  EXPECT_EQ(effects.Manager, &manager);
  EXPECT_EQ(effects.Buttons.Manager, &manager);
  EXPECT_EQ(effects.Buttons.Events, beMouseEnter | beMouseLeave | beMouseDown | beMouseUp);
  for (const TSkFormAnimation* animation : {static_cast<const TSkFormAnimation*>(&effects.DialogShow),
                                            static_cast<const TSkFormAnimation*>(&effects.FormShow),
                                            static_cast<const TSkFormAnimation*>(&effects.PageChange)}) {
    EXPECT_TRUE(animation->Active);
    EXPECT_EQ(animation->Time, 0);
  }
  EXPECT_TRUE(effects.SkinChanging.Active);
  EXPECT_EQ(effects.SkinChanging.Time, 100);
  for (int kind = 0; kind < ThirdPartyList::KindCount; ++kind) {
    const TStringList& list = manager.ThirdLists(ThirdPartyList::TKind(kind));
    ASSERT_EQ(list.Count(), 1) << kind;
    EXPECT_EQ(list.Strings(0), " ") << "a single blank line";
  }

  manager.ThirdParty.SetNames(ThirdPartyList::ThirdGrids, "TMyGrid\nTOtherGrid");
  EXPECT_EQ(manager.ThirdLists(ThirdPartyList::ThirdGrids).Strings(0), " ") << "not before Loaded";
  manager.BeginLoading();
  manager.Loaded();
  const TStringList& grids = manager.ThirdLists(ThirdPartyList::ThirdGrids);
  ASSERT_EQ(grids.Count(), 2);
  EXPECT_EQ(grids.Strings(1), "TOtherGrid");
  EXPECT_EQ(manager.ThirdLists(ThirdPartyList::ThirdGridEh).Strings(0), " ") << "list 11 is GridEh";
  manager.ThirdParty.SetNames(ThirdPartyList::ThirdGrids, "TLater");
  EXPECT_EQ(manager.ThirdLists(ThirdPartyList::ThirdGrids).Count(), 2) << "later changes stay out";
}

TEST_F(SkinSwitchTest, ListSkinsNamesStoredSkinsSkinFoldersAndPackedFilesSorted) {
  const std::filesystem::path folder = skins;
  std::filesystem::create_directories(folder / "Empty");
  std::filesystem::create_directories(folder / ".hidden");
  std::ofstream(folder / ".hidden" / "Options.dat") << "[GLOBALINFO]\n";
  for (const char* file : {"a.skz", "B.SKZ", "my.skin.skz", ".quiet.skz"}) WriteFile(file, "x");
  manager->InternalSkins().Add().SetName("Zeta");
  manager->InternalSkins().Add().SetName("Beta");
  const struct {
    int Kinds;
    std::vector<std::string> Names;
  } cases[] = {
      {0, {"Beta", "TestSkin", "Zeta"}},
      {1, {"a", "Beta", "my.skin", "Zeta"}},
      {2, {"a", "Beta", "my.skin", "TestSkin", "Zeta"}},
  };
  for (const auto& c : cases) {
    std::string first = "stale";
    EXPECT_EQ(Listed(c.Kinds, first), c.Names) << c.Kinds;
    EXPECT_EQ(first, "Zeta") << "the first collected";
  }
  manager->InternalSkins().Clear();
  manager->SetSkinDirectory((folder / "Empty" / "none").string());
  std::string first = "stale";
  EXPECT_TRUE(Listed(2, first).empty());
  EXPECT_EQ(first, "");
}

TEST_F(SkinSwitchTest, APackedFileWinsOverTheFolderUnlessFoldersArePreferred) {
  WritePackedTestSkin(skins);
  manager->SetSkinName("TestSkin");
  EXPECT_TRUE(manager->IsPacked());
  EXPECT_EQ(manager->GlobalInfo.SkinPath, skins + "/");
  EXPECT_EQ(manager->SectionData.size(), 42U);
  ASSERT_NE(manager->MasterBitmap(), nullptr);
  EXPECT_EQ(manager->MasterBitmap()->Width(), TestSkin::MasterWidth) << "\"master.bmp\" among the members";
  EXPECT_EQ(manager->Patterns.size(), 1U);
  EXPECT_EQ(panel->SkinData().SectionIndex, manager->SectionIndexOf("PANEL"));
  const std::vector<TColor> packed = PixelsOf(*manager->MasterBitmap());

  PreferSkinFolders = true;
  manager->SetSkinName("TestSkin");
  EXPECT_FALSE(manager->IsPacked());
  EXPECT_EQ(PixelsOf(*manager->MasterBitmap()), packed) << "the same skin";
  manager->SetHueOffset(30);
  EXPECT_TRUE(manager->IsPacked()) << "a colour shift does not ask for folders";
  PreferSkinFolders = false;
}

TEST_F(SkinSwitchTest, APackedNameWithDotsListsWithoutItsEndingAndLoads) {
  std::filesystem::rename(WritePackedTestSkin(skins), std::filesystem::path(skins) / "my.skin.skz");
  std::string first;
  EXPECT_EQ(Listed(1, first), std::vector<std::string>{"my.skin"});
  manager->SetSkinName("my.skin");
  EXPECT_TRUE(manager->Active());
  EXPECT_TRUE(manager->IsPacked());
  EXPECT_EQ(manager->SkinInfo(), "6.05");
}

// Damaged packed files set by name after the test skin was loaded: each
// takes that skin away and leaves none, with the error that names it.
TEST_F(SkinSwitchTest, ADamagedPackedFileLeavesNoSkin) {
  TRecordingMessageBoxes boxes;
  const std::vector<TPackedMember> members = TestSkinMembers();
  const std::string whole = PackSkin(members);
  const auto with = [&](size_t at, std::int32_t value) {
    std::string bytes = whole;
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
    return bytes;
  };
  // "ASzf", Count, NameLength, "Options.dat", UnpackedSize, the zlib stream.
  constexpr size_t name = 12, size = name + 11, stream = size + 4;
  std::int32_t optionsSize = std::int32_t(members.front().Data.size());
  std::string flipped = whole;
  flipped[stream + 1] ^= 0x40;
  const std::string readError = "Stream read error";
  const struct {
    const char* Name;
    std::string Bytes;
    std::string Error;  // empty: no skin found, no error
  } cases[] = {
      {"magic \"aSzf\"", "a" + whole.substr(1), ""},
      {"no \"Options.dat\"", PackSkin({members.begin() + 1, members.end()}), ""},
      {"cut after a name", whole.substr(0, size), readError},
      {"cut inside a stream", whole.substr(0, stream + 6), readError},
      {"NameLength -1", with(name - 4, -1), readError},
      {"NameLength 2^31 - 1", with(name - 4, INT32_MAX), readError},
      {"Count -5", with(4, -5), readError},
      {"Count 3 with two members", PackSkin({members[0], members[1]}).replace(4, 1, 1, '\3'), readError},
      {"UnpackedSize one above", with(size, optionsSize + 1), readError},
      {"UnpackedSize one below", with(size, optionsSize - 1), readError},
      {"a flipped deflate byte", flipped, "data error"},
  };
  for (const auto& c : cases) {
    LoadTestSkin();
    ASSERT_GE(panel->SkinData().SectionIndex, 0) << c.Name;
    const int removals = Heard(scSkinRemoved), changes = after;
    WriteFile("Broken.skz", c.Bytes);
    std::string raised;
    try {
      manager->SetSkinName("Broken");
    } catch (const EQuantrelError& error) {
      raised = error.what();
    }
    EXPECT_EQ(raised, c.Error) << c.Name;
    EXPECT_EQ(Heard(scSkinRemoved), removals + 1) << c.Name;
    EXPECT_EQ(after, changes + (c.Error.empty() ? 1 : 0)) << c.Name << ": a change event only without an error";
    EXPECT_EQ(manager->Active(), !c.Error.empty()) << c.Name << ": no skin found switches Active off";
    ExpectNoSkin(c.Name);
  }
  EXPECT_EQ(boxes.Shown.size(), 1U) << "the wrong magic is warned about";
}

TEST_F(SkinSwitchTest, StoredSkinsLoadWhenNoFileHasTheName) {
  TSkinStoredSkin& zeta = manager->InternalSkins().Add();
  zeta.SetName("Zeta");
  TSkinGeneral& panelSection = zeta.GeneralData().Add();
  panelSection.SectionName = "PANEL";
  panelSection.Color = 0x00123456;
  panelSection.FontColor = panelSection.HotFontColor = "0 -1 -1 -1 -1";
  TSkinStoredSkin& packed = manager->InternalSkins().Add();
  packed.SetName("Packed");
  const std::string bytes = PackSkin(TestSkinMembers());
  packed.PackedData().WriteBuffer(bytes.data(), std::int64_t(bytes.size()));

  manager->SetSkinName("NoSuchSkin");
  EXPECT_EQ(manager->SkinName(), "Zeta") << "the first stored skin";
  EXPECT_TRUE(manager->Active());
  EXPECT_FALSE(manager->IsPacked());
  EXPECT_EQ(manager->GlobalInfo.SkinPath, "");
  EXPECT_EQ(Section("PANEL").Color, 0x00123456U);
  EXPECT_EQ(panel->SkinData().SectionIndex, 0);

  manager->SetSkinName("Packed");
  EXPECT_TRUE(manager->IsPacked()) << "packed data wins";
  EXPECT_EQ(manager->SectionData.size(), 42U);
  EXPECT_EQ(manager->SkinInfo(), "6.05");
}

}  // namespace
