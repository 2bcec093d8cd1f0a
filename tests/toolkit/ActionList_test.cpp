#include "toolkit/controls/ActionList.h"

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/CustomControl.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"

namespace {

// A focusable control that records the key messages reaching it.
class TKeyTarget : public TCustomControl {
public:
  explicit TKeyTarget(TComponent* owner) : TCustomControl(owner) {
    TabStop = true;
    WindowProc = [this](TMessage& message) {
      if (message.Msg == WM_KEYDOWN || message.Msg == WM_CHAR) Keys.push_back(message.Msg);
      WndProc(message);
    };
  }
  std::vector<UINT> Keys;
};

class ActionListTest : public ::testing::Test {
protected:
  ActionListTest() {
    form = new TForm(nullptr);
    form->SetBounds(40, 40, 300, 200);
    target = new TKeyTarget(form);
    target->SetParent(form);
    target->SetBounds(10, 10, 100, 50);
    list = new TActionList(form);
    action = new TAction(form);
    action->SetActionList(list);
    action->SetCaption("&Abort");
    action->SetShortCut(ShortCut(VK_F9, ssCtrl));
    action->OnExecute = [this](TObject*) { ++executed; };
    form->Show();
    target->SetFocus();
    ProcessEverything();
  }
  ~ActionListTest() override { delete form; }

  TForm* form;
  TKeyTarget* target;
  TActionList* list;
  TAction* action;
  int executed = 0;
};

TEST_F(ActionListTest, ClientsFollowTheirActionAndAClickExecutesIt) {
  TPopupMenu menu(form);
  auto* item = new TMenuItem(form);
  menu.Items().Add(item);
  item->SetAction(action);
  TCustomControl button(form);
  button.SetBounds(0, 0, 50, 20);
  button.SetAction(action);
  EXPECT_EQ(item->Caption(), "&Abort");
  EXPECT_EQ(item->ShortCut(), ShortCut(VK_F9, ssCtrl));
  EXPECT_EQ(button.Caption(), "&Abort");
  MENUITEMINFO info;
  ASSERT_TRUE(GetMenuItemInfo(menu.Handle(), 0, true, info));
  EXPECT_EQ(info.dwTypeData, "&Abort\tCtrl+F9");

  action->SetCaption("&Execute");
  action->SetHint("Runs it");
  action->SetChecked(true);
  EXPECT_EQ(item->Caption(), "&Execute");
  EXPECT_TRUE(item->Checked());
  EXPECT_EQ(button.Hint, "Runs it");

  item->Click();
  button.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  button.Perform(WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(executed, 2);
  EXPECT_EQ(action->ActionComponent, nullptr) << "set only while the action executes";

  delete action;
  EXPECT_EQ(item->Action(), nullptr);
  EXPECT_EQ(button.Action(), nullptr);
  item->Click();
  EXPECT_EQ(executed, 2);
}

TEST_F(ActionListTest, TheIdlePassDisablesClientsAndTheirClicksRunNothing) {
  bool allowed = false;
  action->OnUpdate = [&](TObject*) { action->SetEnabled(allowed); };
  TPopupMenu menu(form);
  auto* item = new TMenuItem(form);
  menu.Items().Add(item);
  item->SetAction(action);
  UpdateActionsOfVisibleForms();
  EXPECT_FALSE(item->Enabled());
  EXPECT_EQ(GetMenuState(menu.Handle(), 0, MF_BYPOSITION) & MF_GRAYED, MF_GRAYED);
  item->Click();
  EXPECT_EQ(executed, 0);

  TForm hidden(nullptr);
  TActionList hiddenList(&hidden);
  TAction hiddenAction(&hidden);
  hiddenAction.SetActionList(&hiddenList);
  int hiddenUpdates = 0;
  hiddenAction.OnUpdate = [&](TObject*) { ++hiddenUpdates; };
  UpdateActionsOfVisibleForms();
  EXPECT_EQ(hiddenUpdates, 0) << "only the visible forms' actions are updated";
}

// Ink of the enabled caption (black) in the control's area of the rendered form.
int BlackInk(TForm& form, const TControl& control) {
  const TPoint origin = control.ClientToScreen({0, 0});
  const TPoint formOrigin = form.ClientToScreen({0, 0});
  TRect area = control.BoundsRect();
  OffsetRect(area, origin.X - formOrigin.X - control.Left(), origin.Y - formOrigin.Y - control.Top());
  return CountPixels(*RenderWindow(form.Handle()), area, RGB(0, 0, 0));
}

TEST_F(ActionListTest, AfterAnIdlePassToolButtonsSpeedButtonsAndMenuItemsShowTheActionDisabled) {
  action->SetCaption("Go");
  auto* bar = new TToolBar(form);
  bar->SetParent(form);
  bar->SetShowCaptions(true);
  bar->SetBounds(0, 100, 300, 40);
  auto* toolButton = new TToolButton(form);
  toolButton->SetParent(bar);
  toolButton->SetAction(action);
  auto* speedButton = new TSpeedButton(form);
  speedButton->SetParent(form);
  speedButton->SetBounds(150, 80, 60, 25);
  speedButton->SetAction(action);
  ProcessEverything();
  ASSERT_GT(BlackInk(*form, *toolButton), 0);
  ASSERT_GT(BlackInk(*form, *speedButton), 0);

  action->OnUpdate = [this](TObject*) { action->SetEnabled(false); };
  UpdateActionsOfVisibleForms();
  ProcessEverything();
  EXPECT_FALSE(toolButton->Enabled());
  EXPECT_EQ(BlackInk(*form, *toolButton), 0) << "a disabled caption is drawn grey";
  EXPECT_EQ(BlackInk(*form, *speedButton), 0);
  toolButton->Click();
  speedButton->Click();
  EXPECT_EQ(executed, 0);
}

// A check box shows its action's Checked without clicking (which would execute the action).
TEST_F(ActionListTest, ButtonsAndCheckBoxesFollowTheirActionAndTheirClicksExecuteIt) {
  action->OnExecute = [this](TObject*) {
    ++executed;
    action->SetChecked(!action->Checked());
  };
  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(10, 100, 90, 25);
  button->SetAction(action);
  auto* check = new TCheckBox(form);
  check->SetParent(form);
  check->SetBounds(10, 130, 120, 20);
  check->SetAction(action);
  EXPECT_EQ(button->Caption(), "&Abort");
  action->SetChecked(true);
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(executed, 0) << "showing the action's state runs nothing";
  SendMessage(check->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(executed, 1);
  EXPECT_FALSE(action->Checked());
  EXPECT_FALSE(check->Checked());
  SendMessage(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(executed, 2);
  action->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
  EXPECT_FALSE(IsWindowEnabled(check->Handle()));
}

TEST_F(ActionListTest, ExecuteRunsOnUpdateFirst) {
  bool allowed = true;
  std::vector<std::string> calls;
  action->OnUpdate = [&](TObject*) {
    calls.push_back("update");
    action->SetEnabled(allowed);
  };
  action->OnExecute = [&](TObject*) { calls.push_back("execute"); };
  action->SetEnabled(false);
  EXPECT_TRUE(action->Execute()) << "enabled again by its OnUpdate";
  EXPECT_EQ(calls, (std::vector<std::string>{"update", "execute"}));
  allowed = false;
  EXPECT_FALSE(action->Execute());
}

// The focused control may claim a key first; then shortcuts of the form's
// menus and action lists; an enabled one takes the key, a disabled one
// lets it reach the control.
TEST_F(ActionListTest, ShortcutsTakeKeysOnlyWhileTheirActionIsEnabled) {
  bool allowed = true;
  action->OnUpdate = [&](TObject*) { action->SetEnabled(allowed); };
  action->SetEnabled(false);  // as the last idle pass left it
  SynthesizeKeyStroke(target->Handle(), VK_F9, "", {false, true, false});
  EXPECT_EQ(executed, 1) << "its OnUpdate enabled it now";
  EXPECT_TRUE(target->Keys.empty()) << "a key taken as a shortcut does not reach the control";

  allowed = false;
  SynthesizeKeyStroke(target->Handle(), VK_F9, "", {false, true, false});
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(target->Keys, std::vector<UINT>{WM_KEYDOWN});

  target->Keys.clear();
  allowed = true;
  TMainMenu menu(form);
  auto* item = new TMenuItem(form);
  item->SetCaption("Copy");
  item->SetShortCut(ShortCut('C', ssCtrl));
  int copies = 0;
  item->OnClick = [&](TObject*) { ++copies; };
  menu.Items().Add(item);
  form->SetMenu(&menu);
  SynthesizeKeyStroke(target->Handle(), 'C', "", {false, true, false});
  EXPECT_EQ(copies, 1) << "the form's menu shortcut";
  item->SetEnabled(false);
  SynthesizeKeyStroke(target->Handle(), 'C', "", {false, true, false});
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(target->Keys, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR})) << "Ctrl+C types the character 3";
  form->SetMenu(nullptr);
}

// The main form's shortcuts (Abort, the windows' toggles) work in every
// window; a form's own shortcut of the same key comes first.
TEST_F(ActionListTest, TheMainFormsShortcutsWorkInOtherForms) {
  TForm* main = Application().CreateForm<TForm>();
  ASSERT_EQ(Application().MainForm(), main);
  auto* mainList = new TActionList(main);
  auto* toggle = new TAction(main);
  toggle->SetActionList(mainList);
  toggle->SetShortCut(ShortCut(VK_F8, 0));
  int toggles = 0;
  toggle->OnExecute = [&](TObject*) { ++toggles; };
  SynthesizeKeyStroke(target->Handle(), VK_F8, "");
  EXPECT_EQ(toggles, 1) << "from another form";
  action->SetShortCut(ShortCut(VK_F8, 0));
  SynthesizeKeyStroke(target->Handle(), VK_F8, "");
  EXPECT_EQ(executed, 1) << "the focused form's own action first";
  EXPECT_EQ(toggles, 1);
  delete main;
}

// Ctrl+A selects the edit's text when the edit gets the key.
TEST_F(ActionListTest, AShortcutTakesTheKeyFromAFocusedEditOnlyWhileItsActionIsEnabled) {
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 70, 150, 24);
  edit->SetText("abc");
  edit->SetFocus();
  ProcessEverything();
  edit->SetSelStart(3);
  bool allowed = true;
  action->SetShortCut(ShortCut('A', ssCtrl));
  action->OnUpdate = [&](TObject*) { action->SetEnabled(allowed); };
  SynthesizeKeyStroke(edit->Handle(), 'A', "", {false, true, false});
  ProcessEverything();
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(edit->SelLength(), 0) << "the edit got no key";
  allowed = false;
  SynthesizeKeyStroke(edit->Handle(), 'A', "", {false, true, false});
  ProcessEverything();
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(edit->SelLength(), 3) << "the key reached the edit, which selected everything";
}

// The black ink of the menu's first item while it is open, and its state then.
struct TOpenItem {
  UINT State = 0;
  int BlackInk = 0;
};

TOpenItem LookAtOpenMenu(TPopupMenu& menu) {
  TOpenItem seen;
  Application().OnIdle = [&](TObject*, bool&) {
    seen.State = GetMenuState(menu.Handle(), 0, MF_BYPOSITION);
    for (HWND window : TopLevelWindows())
      if (GetClassName(window) == MenuWindowClass) {
        TRect item, bounds;
        GetMenuItemRect(nullptr, menu.Handle(), 0, item);
        GetWindowRect(window, bounds);
        OffsetRect(item, -bounds.Left, -bounds.Top);
        seen.BlackInk = CountPixels(*RenderWindow(window), item, RGB(0, 0, 0));
      }
    EndMenu();
  };
  menu.Popup(100, 100);
  Application().OnIdle = nullptr;
  return seen;
}

TEST_F(ActionListTest, AMenuUpdatesTheActionsOfItsItemsBeforeItOpens) {
  TPopupMenu menu(form);
  auto* item = new TMenuItem(form);
  menu.Items().Add(item);
  item->SetAction(action);
  bool allowed = true;
  action->OnUpdate = [&](TObject*) { action->SetEnabled(allowed); };
  EXPECT_GT(LookAtOpenMenu(menu).BlackInk, 0);
  allowed = false;
  const TOpenItem disabled = LookAtOpenMenu(menu);
  EXPECT_EQ(disabled.State & MF_GRAYED, MF_GRAYED);
  EXPECT_EQ(disabled.BlackInk, 0) << "a disabled item is drawn grey";
}

}  // namespace
