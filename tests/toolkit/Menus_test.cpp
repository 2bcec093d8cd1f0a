#include "toolkit/controls/Menus.h"

#include <functional>
#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/CustomControl.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Hook.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/SysMetrics.h"

namespace {

// Windows of the menu class made since the hook went in, in order.
std::vector<HWND> MenuWindowsMade;

LRESULT RecordMenuWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const auto* create = reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs;
    if (std::string(create->lpszClass) == MenuWindowClass) MenuWindowsMade.push_back(reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Remembers how many clicks had run when Popup came back.
class TWatchedPopupMenu : public TPopupMenu {
public:
  using TPopupMenu::TPopupMenu;
  void Popup(int x, int y) override {
    TPopupMenu::Popup(x, y);
    ++Returns;
    if (WhenReturned) WhenReturned();
  }
  int Returns = 0;
  std::function<void()> WhenReturned;
};

class MenusTest : public ::testing::Test {
protected:
  MenusTest() {
    hook = SetWindowsHookEx(WH_CBT, &RecordMenuWindows, nullptr, 0);
    MenuWindowsMade.clear();
    form = new TForm(nullptr);
    form->SetBounds(40, 40, 400, 300);
    control = new TCustomControl(form);
    control->SetParent(form);
    control->SetBounds(20, 30, 200, 150);
    control->TabStop = true;
    popup = new TWatchedPopupMenu(form);
    for (const char* caption : {"&One", "-", "O&ff", "&Two"}) {
      auto* item = new TMenuItem(form);
      item->SetCaption(caption);
      item->OnClick = [this](TObject* sender) { clicked.push_back(static_cast<TMenuItem*>(sender)->Caption()); };
      popup->Items().Add(item);
    }
    popup->Items().Items(2)->SetEnabled(false);
    control->SetPopupMenu(popup);
    form->Show();
    control->SetFocus();
    ProcessEverything();
  }
  ~MenusTest() override {
    Application().OnIdle = nullptr;
    delete form;
    UnhookWindowsHookEx(hook);
  }

  // Steps run one per idle pass of the menu loop.
  void Script(std::vector<std::function<void()>> steps) {
    auto remaining = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
    Application().OnIdle = [remaining](TObject*, bool&) {
      if (remaining->empty()) {
        ADD_FAILURE() << "the menu loop is still running after the script";
        EndMenu();
        return;
      }
      const auto step = remaining->front();
      remaining->erase(remaining->begin());
      step();
    };
  }

  void Key(WORD key, TInputModifiers modifiers = {}) { SynthesizeKeyStroke(form->Handle(), key, "", modifiers); }

  // Clicks the middle of an item of the open menu.
  static void ClickItem(HMENU menu, UINT position) {
    const HWND window = MenuWindowsMade.back();
    TRect item, bounds;
    ASSERT_TRUE(GetMenuItemRect(nullptr, menu, position, item));
    GetWindowRect(window, bounds);
    SynthesizeClick(window, {(item.Left + item.Right) / 2 - bounds.Left, (item.Top + item.Bottom) / 2 - bounds.Top});
  }

  void RightClickControl() { SynthesizeClick(control->Handle(), {50, 50}, TInputButton::Right); }

  HHOOK hook;
  TForm* form;
  TCustomControl* control;
  TWatchedPopupMenu* popup;
  std::vector<std::string> clicked;
};

TEST_F(MenusTest, RightButtonReleaseOpensThePopupAndAClickRunsTheItemBeforePopupReturns) {
  std::vector<std::string> clickedWhenReturned;
  popup->WhenReturned = [&] { clickedWhenReturned = clicked; };
  bool menuWindowGoneAtClick = false;
  popup->Items().Items(3)->OnClick = [&](TObject*) {
    clicked.push_back("Two");
    menuWindowGoneAtClick = !IsWindow(MenuWindowsMade.back());
  };
  HWND shown = nullptr;
  Script({[&] {
    shown = MenuWindowsMade.back();
    EXPECT_EQ(reinterpret_cast<HMENU>(SendMessage(shown, MN_GETHMENU, 0, 0)), popup->Handle());
    ClickItem(popup->Handle(), 3);
  }});
  RightClickControl();
  EXPECT_EQ(popup->Returns, 1);
  ASSERT_EQ(MenuWindowsMade.size(), 1u) << "one \"#32768\" window made through CreateWindowEx";
  EXPECT_EQ(clicked, std::vector<std::string>{"Two"});
  EXPECT_EQ(clickedWhenReturned, clicked) << "the item ran before Popup returned";
  EXPECT_TRUE(menuWindowGoneAtClick) << "the menu windows close before the item runs";
  EXPECT_EQ(popup->PopupComponent, control);
}

TEST_F(MenusTest, OnContextPopupAndAutoPopupDecideWhetherTheMenuOpensAndOnPopupRunsFirst) {
  bool handle = true;
  control->OnContextPopup = [&handle](TObject*, TPoint, bool& handled) { handled = handle; };
  RightClickControl();
  ProcessEverything();
  EXPECT_TRUE(MenuWindowsMade.empty()) << "OnContextPopup handled it";
  handle = false;
  popup->AutoPopup = false;
  RightClickControl();
  ProcessEverything();
  EXPECT_TRUE(MenuWindowsMade.empty()) << "AutoPopup off";
  popup->AutoPopup = true;
  size_t menuWindowsAtOnPopup = 1;
  popup->OnPopup = [&menuWindowsAtOnPopup](TObject*) { menuWindowsAtOnPopup = MenuWindowsMade.size(); };
  Script({[&] { Key(VK_ESCAPE); }});
  RightClickControl();
  EXPECT_EQ(MenuWindowsMade.size(), 1u);
  EXPECT_EQ(menuWindowsAtOnPopup, 0u) << "OnPopup runs before the menu opens";
}

// A windowless control takes the mouse from its parent's window; the
// release of the right button over it still opens its own menu.
TEST_F(MenusTest, ARightClickOnAWindowlessControlOpensItsMenu) {
  auto* box = new TPaintBox(form);
  box->SetParent(form);
  box->SetBounds(240, 30, 100, 100);
  box->SetPopupMenu(popup);
  control->SetPopupMenu(nullptr);
  std::vector<TMouseButton> released;
  box->OnMouseUp = [&released](TObject*, TMouseButton button, TShiftState, int, int) { released.push_back(button); };
  Script({[&] { Key(VK_ESCAPE); }});
  TRect window;
  GetWindowRect(form->Handle(), window);
  const TPoint middle = box->ClientToScreen({50, 50});
  SynthesizeClick(form->Handle(), {middle.X - window.Left, middle.Y - window.Top}, TInputButton::Right);
  EXPECT_EQ(MenuWindowsMade.size(), 1u);
  EXPECT_EQ(popup->PopupComponent, box);
  EXPECT_EQ(released, std::vector<TMouseButton>{mbRight}) << "the control still sees its release";
}

TEST_F(MenusTest, KeysChooseSkippingSeparatorsAndDisabledItemsAndEscapeChoosesNothing) {
  Script({[&] { Key(VK_DOWN); }, [&] { Key(VK_DOWN); }, [&] { Key(VK_RETURN); }});
  RightClickControl();
  EXPECT_EQ(clicked, std::vector<std::string>{"&Two"});

  clicked.clear();
  Script({[&] { Key(VK_ESCAPE); }});
  RightClickControl();
  EXPECT_TRUE(clicked.empty());
  EXPECT_EQ(popup->Returns, 2);
  for (HWND window : MenuWindowsMade) EXPECT_FALSE(IsWindow(window));
}

TEST_F(MenusTest, ClickOnADisabledItemKeepsTheMenuOpenAndAClickOutsideClosesIt) {
  Script({[&] { ClickItem(popup->Handle(), 2); },
          [&] {
            EXPECT_TRUE(IsWindow(MenuWindowsMade.back()));
            InjectMouseButton({5, 5}, TInputButton::Left, true, false, {});
          }});
  RightClickControl();
  EXPECT_TRUE(clicked.empty());
}

TEST_F(MenusTest, RadioItemsInASubmenuAndMnemonics) {
  auto* mode = new TMenuItem(form);
  mode->SetCaption("&Mode");
  popup->Items().Insert(0, mode);
  for (const char* caption : {"&Alpha", "&Beta"}) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    item->SetRadioItem(true);
    item->SetGroupIndex(1);
    item->OnClick = [](TObject* sender) { static_cast<TMenuItem*>(sender)->SetChecked(true); };
    mode->Add(item);
  }
  mode->Items(0)->SetChecked(true);
  EXPECT_EQ(GetMenuState(popup->Handle(), 0, MF_BYPOSITION) & MF_POPUP, MF_POPUP);

  Script({[&] { Key(VK_DOWN); }, [&] { Key(VK_RIGHT); },
          [&] {
            ASSERT_EQ(MenuWindowsMade.size(), 2u) << "the submenu is a window of its own";
            Key(VK_DOWN);
          },
          [&] { Key(VK_RETURN); }});
  RightClickControl();
  EXPECT_FALSE(mode->Items(0)->Checked());
  EXPECT_TRUE(mode->Items(1)->Checked());
  EXPECT_EQ(GetMenuState(mode->Handle(), 1, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED);

  Script({[&] { SynthesizeKeyStroke(form->Handle(), 'T', "t"); }});
  RightClickControl();
  EXPECT_EQ(clicked, std::vector<std::string>{"&Two"}) << "the mnemonic takes the item";
}

TEST_F(MenusTest, OwnerDrawnItemIsMeasuredAndShowsTheHandlersPixels) {
  popup->SetOwnerDraw(true);
  TMenuItem* drawn = popup->Items().Items(0);
  int measured = 0;
  drawn->OnMeasureItem = [&](TObject*, TCanvas&, int& width, int& height) {
    ++measured;
    width = 150;
    height = 30;
  };
  drawn->OnAdvancedDrawItem = [](TObject*, TCanvas& canvas, TRect rect, TOwnerDrawState) {
    canvas.Brush().SetColor(RGB(200, 0, 0));
    canvas.FillRect(rect);
  };
  Script({[&] {
    const HWND window = MenuWindowsMade.back();
    TRect item, bounds;
    ASSERT_TRUE(GetMenuItemRect(nullptr, popup->Handle(), 0, item));
    GetWindowRect(window, bounds);
    EXPECT_EQ(item.Height(), 30);
    EXPECT_GE(item.Width(), 150);
    OffsetRect(item, -bounds.Left, -bounds.Top);
    const auto image = RenderWindow(window);
    EXPECT_EQ(CountPixels(*image, item, RGB(200, 0, 0)), item.Width() * item.Height());
    Key(VK_ESCAPE);
  }});
  RightClickControl();
  EXPECT_EQ(measured, 1);
}

TEST_F(MenusTest, ShiftF10OpensTheMenuAtTheControlsTopLeft) {
  TPoint corner;
  Script({[&] {
    TRect bounds;
    GetWindowRect(MenuWindowsMade.back(), bounds);
    corner = bounds.TopLeft();
    Key(VK_ESCAPE);
  }});
  Key(VK_F10, {true, false, false});
  const TPoint expected = control->ClientToScreen({0, 0});
  EXPECT_EQ(corner.X, expected.X);
  EXPECT_EQ(corner.Y, expected.Y);
}

TEST_F(MenusTest, ItemsComeAndGoAtRunTime) {
  const HMENU menu = popup->Handle();
  EXPECT_EQ(GetMenuItemCount(menu), 4);
  popup->Items().Items(1)->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(menu), 3);
  auto* added = new TMenuItem(form);
  added->SetCaption("Library");
  added->SetShortCut(ShortCut(VK_F9, ssCtrl));
  popup->Items().Insert(1, added);
  MENUITEMINFO info;
  ASSERT_TRUE(GetMenuItemInfo(menu, 1, true, info));
  EXPECT_EQ(info.dwTypeData, "Library\tCtrl+F9");
  EXPECT_EQ(popup->FindItemByCommand(info.wID), added);
  delete added;
  EXPECT_EQ(GetMenuItemCount(menu), 3);
  EXPECT_EQ(popup->Items().Count(), 4);
}

TEST_F(MenusTest, ShortCutsOfMenusAreFoundAndDisabledOnesPass) {
  TMenuItem* two = popup->Items().Items(3);
  two->SetShortCut(ShortCut('T', ssCtrl));
  EXPECT_TRUE(popup->IsShortCut('T', ssCtrl));
  EXPECT_EQ(clicked, std::vector<std::string>{"&Two"});
  two->SetEnabled(false);
  EXPECT_FALSE(popup->IsShortCut('T', ssCtrl));
  EXPECT_FALSE(popup->IsShortCut('T', 0));
}

TEST_F(MenusTest, AFreedMenuIsForgottenByItsControlAndItsForm) {
  auto* bar = new TMainMenu(form);
  form->SetMenu(bar);
  delete bar;
  EXPECT_EQ(form->Menu(), nullptr);
  delete popup;
  EXPECT_EQ(control->PopupMenu(), nullptr);
  Key('T', {false, true, false});
  RightClickControl();
  EXPECT_TRUE(clicked.empty());
  EXPECT_TRUE(MenuWindowsMade.empty());
}

TEST(ShortCutText, NamesKeysWithTheirModifiers) {
  const struct {
    TShortCut ShortCut;
    const char* Text;
  } cases[] = {
      {ShortCut('C', ssCtrl), "Ctrl+C"},
      {ShortCut(VK_F9, 0), "F9"},
      {ShortCut(VK_F9, ssCtrl), "Ctrl+F9"},
      {ShortCut(VK_DELETE, ssCtrl), "Ctrl+Del"},
      {ShortCut('A', ssShift | ssCtrl | ssAlt), "Shift+Ctrl+Alt+A"},
      {ShortCut(VK_RETURN, ssAlt), "Alt+Enter"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text);
    EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut) << c.Text;
  }
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(TextToShortCut("ctrl+c"), ShortCut('C', ssCtrl));
  EXPECT_EQ(TextToShortCut("Hyper+C"), scNone);
}

class MainMenuTest : public MenusTest {
protected:
  MainMenuTest() {
    menu = new TMainMenu(form);
    file = new TMenuItem(form);
    file->SetCaption("&File");
    menu->Items().Add(file);
    open = new TMenuItem(form);
    open->SetCaption("&Open");
    open->OnClick = [this](TObject*) { clicked.push_back("Open"); };
    file->Add(open);
    auto* edit = new TMenuItem(form);
    edit->SetCaption("&Edit");
    menu->Items().Add(edit);
    auto* undo = new TMenuItem(form);
    undo->SetCaption("&Undo");
    edit->Add(undo);
    form->WindowProc = [this](TMessage& message) {
      if (message.Msg >= WM_INITMENU && message.Msg <= WM_EXITMENULOOP) ownerMessages.push_back(message.Msg);
      form->WndProc(message);
    };
  }

  TMainMenu* menu;
  TMenuItem* file;
  TMenuItem* open;
  std::vector<UINT> ownerMessages;
};

TEST_F(MainMenuTest, TheBarTakesItsHeightFromTheClientAndAltLetterOpensItsMenu) {
  const int clientHeight = form->ClientHeight();
  form->SetMenu(menu);
  EXPECT_EQ(form->ClientHeight(), clientHeight - GetSystemMetrics(SM_CYMENU));
  TRect bar;
  ASSERT_TRUE(GetMenuItemRect(form->Handle(), menu->Handle(), 0, bar));
  EXPECT_EQ(SendMessage(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(bar.Left + 2, bar.Top + 2)), HTMENU);

  Script({[&] {
    ASSERT_EQ(MenuWindowsMade.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HMENU>(SendMessage(MenuWindowsMade.back(), MN_GETHMENU, 0, 0)), file->Handle());
    Key(VK_RETURN);
  }});
  SynthesizeKeyStroke(control->Handle(), 'F', "f", {false, false, true});
  EXPECT_EQ(clicked, std::vector<std::string>{"Open"});
  ASSERT_GE(ownerMessages.size(), 3u);
  EXPECT_EQ(ownerMessages.front(), WM_ENTERMENULOOP);
  EXPECT_NE(std::find(ownerMessages.begin(), ownerMessages.end(), WM_INITMENUPOPUP), ownerMessages.end());
  EXPECT_EQ(ownerMessages.back(), WM_EXITMENULOOP);
}

TEST_F(MainMenuTest, AlignedControlsMoveIntoTheClientAreaTheBarLeaves) {
  control->SetAlign(alBottom);
  ProcessEverything();
  form->SetMenu(menu);
  EXPECT_EQ(control->Top() + control->Height(), form->ClientHeight()) << "the bottom control stays at the bottom";
}

TEST_F(MainMenuTest, AClickOnTheBarOpensItsMenuAndArrowsMoveAlongTheBar) {
  form->SetMenu(menu);
  TRect edit;
  ASSERT_TRUE(GetMenuItemRect(form->Handle(), menu->Handle(), 1, edit));
  TRect formBounds;
  GetWindowRect(form->Handle(), formBounds);
  Script({[&] {
            ASSERT_EQ(MenuWindowsMade.size(), 1u);
            TRect bounds;
            GetWindowRect(MenuWindowsMade.back(), bounds);
            EXPECT_EQ(bounds.Left, edit.Left) << "the menu opens under its bar item";
            EXPECT_EQ(bounds.Top, edit.Bottom);
            Key(VK_LEFT);
          },
          [&] {
            EXPECT_EQ(reinterpret_cast<HMENU>(SendMessage(MenuWindowsMade.back(), MN_GETHMENU, 0, 0)), file->Handle());
            Key(VK_RETURN);
          }});
  SynthesizeClick(form->Handle(), {edit.Left - formBounds.Left + 3, edit.Top - formBounds.Top + 3});
  EXPECT_EQ(clicked, std::vector<std::string>{"Open"});
}

TEST_F(MainMenuTest, F10HighlightsTheBarAndDownOpensTheFirstMenu) {
  form->SetMenu(menu);
  Script({[&] {
            EXPECT_TRUE(MenuWindowsMade.empty()) << "F10 only highlights the bar";
            Key(VK_DOWN);
          },
          [&] {
            ASSERT_EQ(MenuWindowsMade.size(), 1u);
            EXPECT_EQ(reinterpret_cast<HMENU>(SendMessage(MenuWindowsMade.back(), MN_GETHMENU, 0, 0)), file->Handle());
            Key(VK_RETURN);
          }});
  Key(VK_F10);
  EXPECT_EQ(clicked, std::vector<std::string>{"Open"});
}

TEST_F(MainMenuTest, ACharacterOfNoMnemonicAsksTheOwnerWhichItemToTake) {
  form->SetMenu(menu);
  std::vector<std::pair<WPARAM, HMENU>> asked;
  const std::map<char, LRESULT> answers = {{'x', MAKELPARAM(0, MNC_EXECUTE)},
                                           {'q', MAKELPARAM(0, MNC_EXECUTE)},
                                           {'z', MAKELPARAM(0, MNC_IGNORE)},
                                           {'y', MAKELPARAM(0, MNC_CLOSE)}};
  form->WindowProc = [&](TMessage& message) {
    if (message.Msg != WM_MENUCHAR) return form->WndProc(message);
    asked.emplace_back(message.WParam, reinterpret_cast<HMENU>(message.LParam));
    message.Result = answers.at(static_cast<char>(LOWORD(message.WParam)));
  };
  Script({[&] {
    ASSERT_EQ(MenuWindowsMade.size(), 1u) << "the owner named the first bar item";
    SynthesizeKeyStroke(form->Handle(), 'Q', "q");
  }});
  SynthesizeKeyStroke(control->Handle(), 'X', "x", {false, false, true});
  EXPECT_EQ(clicked, std::vector<std::string>{"Open"}) << "the owner named the item to execute";
  EXPECT_EQ(asked, (std::vector<std::pair<WPARAM, HMENU>>{{MAKEWPARAM('x', 0), menu->Handle()},
                                                           {MAKEWPARAM('q', MF_POPUP), file->Handle()}}));

  clicked.clear();
  Script({[&] { SynthesizeKeyStroke(form->Handle(), 'Z', "z"); },
          [&] {
            EXPECT_TRUE(IsWindow(MenuWindowsMade.back())) << "an ignored character leaves the menu open";
            SynthesizeKeyStroke(form->Handle(), 'Y', "y");
          }});
  SynthesizeKeyStroke(control->Handle(), 'F', "f", {false, false, true});
  EXPECT_FALSE(IsWindow(MenuWindowsMade.back())) << "MNC_CLOSE ended the menu";
  EXPECT_TRUE(clicked.empty());
}

// The skin paints the items of a menu bar itself through the owner-draw events.
TEST_F(MainMenuTest, OwnerDrawnBarItemsAreMeasuredAndPaintedByTheirHandlers) {
  menu->SetOwnerDraw(true);
  file->OnMeasureItem = [](TObject*, TCanvas&, int& width, int&) { width = 77; };
  file->OnAdvancedDrawItem = [](TObject*, TCanvas& canvas, TRect rect, TOwnerDrawState) {
    canvas.Brush().SetColor(RGB(0, 150, 0));
    canvas.FillRect(rect);
  };
  form->SetMenu(menu);
  ProcessEverything();
  TRect item, bounds;
  ASSERT_TRUE(GetMenuItemRect(form->Handle(), menu->Handle(), 0, item));
  EXPECT_EQ(item.Width(), 77);
  GetWindowRect(form->Handle(), bounds);
  OffsetRect(item, -bounds.Left, -bounds.Top);
  EXPECT_EQ(CountPixels(*RenderWindow(form->Handle()), item, RGB(0, 150, 0)), item.Width() * item.Height());
}

}  // namespace
