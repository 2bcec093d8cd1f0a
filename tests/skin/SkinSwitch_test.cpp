// The skin manager at work: a skin set by name, announced to the windows,
// recoloured and taken away, as a skinned panel on a form of the
// application and the change events see it.

#include <filesystem>
#include <fstream>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "runtime/StringList.h"
#include "skin/SkinPanel.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/skins/SkinManager.h"
#include "tests/runtime/TempFolder.h"
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

bool IsGrey(TColor c) { return GetRValue(c) == GetGValue(c) && GetRValue(c) == GetBValue(c); }

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

  manager->SetActive(false);
  EXPECT_FALSE(manager->HookInstalled());
  EXPECT_EQ(InstalledHookCount(), hooks) << "removed";

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

TEST_F(SkinSwitchTest, ListSkinsNamesSkinFoldersAndPackedFilesSorted) {
  const std::filesystem::path folder = skins;
  std::filesystem::create_directories(folder / "Empty");
  std::filesystem::create_directories(folder / ".hidden");
  std::ofstream(folder / ".hidden" / "Options.dat") << "[GLOBALINFO]\n";
  for (const char* file : {"a.skz", "B.SKZ", "my.skin.skz", ".quiet.skz"}) std::ofstream(folder / file) << "x";
  const struct {
    int Kinds;
    std::vector<std::string> Names;
  } cases[] = {
      {0, {"TestSkin"}},
      {1, {"a", "my.skin"}},
      {2, {"a", "my.skin", "TestSkin"}},
  };
  for (const auto& c : cases) {
    TStringList list;
    list.Add("stale");
    std::string first = "stale";
    manager->ListSkins(list, c.Kinds, first);
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) names.push_back(list.Strings(i));
    EXPECT_EQ(names, c.Names) << c.Kinds;
    EXPECT_NE(std::find(names.begin(), names.end(), first), names.end()) << c.Kinds;
  }
  manager->SetSkinDirectory((folder / "Empty" / "none").string());
  TStringList list;
  std::string first = "stale";
  manager->ListSkins(list, 2, first);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(first, "");
}

}  // namespace
