#include "shell/XButton.h"

#include <gtest/gtest.h>

#include "tests/toolkit/MenuWindows.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Window.h"

namespace {

class XButtonTest : public ::testing::Test {
protected:
  XButtonTest() {
    form = new TForm(nullptr);
    form->SetBounds(60, 50, 300, 200);
    button = new TXButton(form);
    button->SetParent(form);
    button->SetBounds(10, 20, 80, 24);
    button->SetCaption("Menu");
    menu = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    item->SetCaption("Item");
    item->OnClick = [this](TObject*) { ++clicks; };
    menu->Items().Add(item);
    button->SetDropMenu(menu);
    form->Show();
    ProcessEverything();
  }
  ~XButtonTest() override {
    Application().OnIdle = nullptr;
    delete form;
  }

  // Once the menu shows: where it is, then a click on its first item.
  void ChooseTheItemWhenShown() {
    Application().OnIdle = [this](TObject*, bool&) {
      Application().OnIdle = nullptr;
      ASSERT_FALSE(MenuWindowsMade().empty());
      const HWND window = MenuWindowsMade().back();
      GetWindowRect(window, menuBounds);
      TRect item;
      ASSERT_TRUE(GetMenuItemRect(nullptr, menu->Handle(), 0, item));
      SynthesizeClick(window, {(item.Left + item.Right) / 2 - menuBounds.Left, (item.Top + item.Bottom) / 2 - menuBounds.Top});
    };
  }
  void Press(TInputButton mouseButton) {
    SynthesizeClick(form->Handle(), {button->Left() + 5, button->Top() + 5}, mouseButton);
    ProcessEverything();
  }

  TMenuWindowRecorder menuWindows;
  TForm* form;
  TXButton* button;
  TPopupMenu* menu;
  int clicks = 0;
  TRect menuBounds;
};

TEST_F(XButtonTest, ALeftPressDropsTheMenuBelowTheButton) {
  ChooseTheItemWhenShown();
  Press(TInputButton::Left);
  ASSERT_EQ(MenuWindowsMade().size(), 1u);
  const TPoint corner = button->ClientToScreen({0, button->Height()});
  EXPECT_EQ(menuBounds.Left, corner.X);
  EXPECT_EQ(menuBounds.Top, corner.Y);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(button->State(), bsUp) << "the button is up again";
}

TEST_F(XButtonTest, ARightPressOrNoMenuOpensNothing) {
  Press(TInputButton::Right);
  EXPECT_TRUE(MenuWindowsMade().empty());
  button->SetDropMenu(nullptr);
  int buttonClicks = 0;
  button->OnClick = [&](TObject*) { ++buttonClicks; };
  Press(TInputButton::Left);
  EXPECT_TRUE(MenuWindowsMade().empty());
  EXPECT_EQ(buttonClicks, 1) << "a plain speed button";
}

TEST_F(XButtonTest, AFreedMenuIsForgotten) {
  delete menu;
  EXPECT_EQ(button->DropMenu(), nullptr);
  Press(TInputButton::Left);
  EXPECT_TRUE(MenuWindowsMade().empty());
}

}  // namespace
