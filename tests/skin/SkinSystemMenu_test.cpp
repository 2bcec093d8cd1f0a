// The system menu of a skinned form: its items, which of them the form's
// kind shows and enables, the commands they send, and the list of skins.

#include "skin/menus/SkinSystemMenu.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include <gtest/gtest.h>

#include "skin/SkinCommonData.h"
#include "skin/forms/SkinProvider.h"
#include "tests/skin/StandInProvider.h"
#include "tests/skin/TestSkinFixture.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Messages.h"

namespace {

// A hidden form that keeps the system commands it is sent.
class TCommandForm : public TForm {
public:
  using TForm::TForm;
  void WndProc(TMessage& message) override {
    if (message.Msg == WM_SYSCOMMAND) {
      Commands.push_back(message.WParam);
      return;
    }
    TForm::WndProc(message);
  }
  std::vector<WPARAM> Commands;
};

class SkinSystemMenuTest : public TestSkinFixture {
protected:
  SkinSystemMenuTest() : form(new TCommandForm(nullptr)), provider(new TStandInProvider(form.get(), &manager)) {
    provider->SysMenuStyleRemoved = true;
    menu = new TSkinSystemMenu(provider);
    menu->Form = form.get();
  }
  // Shown and enabled, in menu order: Restore, Move, Size, Minimize, Maximize, Close.
  std::string Items() {
    menu->UpdateItems();
    std::string states;
    for (TMenuItem* item : {menu->ItemRestore, menu->ItemMove, menu->ItemSize, menu->ItemMinimize, menu->ItemMaximize,
                            menu->ItemClose})
      states += !item->Visible() ? '-' : item->Enabled() ? 'E' : 'd';
    return states;
  }
  // More skins beside the test skin: folders holding an "Options.dat".
  void AddSkinFolders(const std::vector<std::string>& names) const {
    for (const std::string& name : names) {
      std::filesystem::create_directories(skins + "/" + name);
      std::ofstream(skins + "/" + name + "/Options.dat") << "[GLOBALINFO]\n";
    }
  }

  std::unique_ptr<TCommandForm> form;
  TStandInProvider* provider;
  TSkinSystemMenu* menu;
};

TEST_F(SkinSystemMenuTest, SixItemsWithTheirCaptionsCommandsAndNames) {
  struct TItem {
    TMenuItem* Item;
    const char *Caption, *Name;
    WPARAM Command;
  };
  const TItem items[] = {{menu->ItemRestore, "Restore", "ItemRestore", SC_RESTORE},
                         {menu->ItemMove, "Move", "ItemMove", SC_MOVE},
                         {menu->ItemSize, "Size", "ItemSize", SC_SIZE},
                         {menu->ItemMinimize, "Minimize", "ItemMinimize", SC_MINIMIZE},
                         {menu->ItemMaximize, "Maximize", "ItemMaximize", SC_MAXIMIZE},
                         {menu->ItemClose, "Close", "ItemClose", SC_CLOSE}};
  EXPECT_EQ(menu->Name(), "SysMenu");
  ASSERT_EQ(menu->Items().Count(), 7);
  EXPECT_TRUE(menu->Items().Items(5)->IsLine()) << "a separator after Maximize";
  EXPECT_EQ(menu->ItemClose->ShortCut(), scAlt | VK_F4);
  for (const TItem& item : items) {
    EXPECT_EQ(item.Item->Caption(), item.Caption);
    EXPECT_EQ(item.Item->Name(), item.Name);
    EXPECT_EQ(item.Item->Tag, static_cast<intptr_t>(item.Command)) << item.Caption;
    form->Commands.clear();
    item.Item->Click();
    EXPECT_EQ(form->Commands, std::vector<WPARAM>{item.Command}) << item.Caption;
  }
}

struct TFormCase {
  const char* What;
  TFormBorderStyle Border;
  TFormStyle Style;
  TBorderIcons Icons;
  TWindowState State;
  bool SysMenuRemoved;
  const char* Items;  // Restore, Move, Size, Minimize, Maximize, Close: E shown, d disabled, - hidden
};

TEST_F(SkinSystemMenuTest, TheFormsKindDecidesWhatIsShownAndEnabled) {
  constexpr TBorderIcons all = biSystemMenu | biMinimize | biMaximize;
  const TFormCase cases[] = {
      {"dialog", bsDialog, fsNormal, all, wsNormal, true, "-E---E"},
      {"sizeable", bsSizeable, fsNormal, all, wsNormal, true, "dEEEEE"},
      {"maximized sizeable", bsSizeable, fsNormal, all, wsMaximized, true, "EdEEdE"},
      {"maximized MDI child", bsSizeable, fsMDIChild, all, wsMaximized, true, "EdEEEE"},
      {"minimized single without icons", bsSingle, fsNormal, biSystemMenu, wsMinimized, true, "EEdddE"},
      {"sizeable tool window", bsSizeToolWin, fsNormal, all, wsNormal, true, "-EE--E"},
      {"system menu style kept", bsSizeable, fsNormal, all, wsNormal, false, "-EE---"},
  };
  for (const TFormCase& c : cases) {
    form->SetBorderStyle(c.Border);
    form->SetFormStyle(c.Style);
    form->SetBorderIcons(c.Icons);
    form->SetWindowState(c.State);
    provider->SysMenuStyleRemoved = c.SysMenuRemoved;
    EXPECT_EQ(Items(), c.Items) << c.What;
    EXPECT_EQ(menu->CloseShown(), c.SysMenuRemoved) << c.What;
  }
}

TEST_F(SkinSystemMenuTest, MinimizingTheMainFormMinimizesTheApplication) {
  auto* main = Application().CreateForm<TCommandForm>();
  ASSERT_EQ(Application().MainForm(), main);
  menu->Form = main;
  menu->ItemMinimize->Click();
  EXPECT_TRUE(Application().Minimized());
  EXPECT_TRUE(main->Commands.empty()) << "no SC_MINIMIZE";
  Application().Restore();
  delete main;
}

TEST_F(SkinSystemMenuTest, TheSkinListBreaksIntoColumnsOfTwentyBeforeTheItems) {
  std::vector<std::string> names;
  for (int i = 0; i < 44; ++i) names.push_back("Skin" + std::string(i < 10 ? "0" : "") + std::to_string(i));
  AddSkinFolders(names);
  menu->AddSkinList();
  TMenuItem* list = menu->Items().Items(0);
  EXPECT_EQ(list->Name(), "SkinSelectItem");
  EXPECT_EQ(list->Caption(), "Available skins");
  EXPECT_TRUE(menu->Items().Items(1)->IsLine());
  EXPECT_EQ(menu->Items().Items(2), menu->ItemRestore);
  ASSERT_EQ(list->Count(), 45);
  for (int i = 0; i < list->Count(); ++i) {
    TMenuItem* skin = list->Items(i);
    EXPECT_EQ(skin->Name(), "SkinSelectItem" + std::to_string(i));
    EXPECT_TRUE(skin->RadioItem());
    EXPECT_EQ(skin->Break(), i == 20 || i == 40 ? mbBreak : mbNone) << i;
    EXPECT_EQ(skin->Checked(), skin->Caption() == "TestSkin") << skin->Caption();
  }
}

TEST_F(SkinSystemMenuTest, ChoosingASkinWithAnAmpersandSetsItsRealName) {
  std::filesystem::copy(skin, skins + "/Rock&Roll", std::filesystem::copy_options::recursive);
  menu->AddSkinList();
  TMenuItem* list = menu->Items().Items(0);
  ASSERT_EQ(list->Count(), 2);
  TMenuItem* rock = list->Items(0);
  EXPECT_EQ(rock->Caption(), "Rock&&Roll") << "the \"&\" shown, not underlining";
  rock->Click();
  EXPECT_EQ(manager.SkinName(), "Rock&Roll");
}

TEST(SkinSystemMenuAlone, NoListWithoutAManagerAndNoItemsChangedWithoutAForm) {
  ResetSkinLayerGlobals();
  ASSERT_EQ(DefaultManager(), nullptr);
  TCommandForm form(nullptr);
  auto* menu = new TSkinSystemMenu(new TStandInProvider(&form, nullptr));
  menu->AddSkinList();
  EXPECT_EQ(menu->Items().Count(), 7);
  menu->ItemSize->SetVisible(false);
  menu->UpdateItems();
  EXPECT_FALSE(menu->ItemSize->Visible()) << "no Form";
}

}  // namespace
