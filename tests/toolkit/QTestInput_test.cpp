// The controls driven by Qt's own test input (QTest's QWindow overloads):
// key and mouse events enter through Qt's window-system interface, as the
// desktop's do, and reach the controls by Qt's delivery and the toolkit's
// message protocol.
#include <QGuiApplication>
#include <QTest>
#include <QWindow>

#include "tests/toolkit/NativeControlFixture.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/ListView.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/TreeView.h"

namespace {

class QTestInput : public NativeControlTest {
protected:
  QWindow* Window() { return InputQtWindow(form->Handle()); }
  void KeyClick(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Window(), key, modifiers);
    ProcessEverything();
  }
  void TypeKeys(const std::string& text) {
    for (const char c : text) QTest::keyClick(Window(), c);
    ProcessEverything();
  }
  // Point: in the control's window coordinates.
  QPoint At(TWinControl& control, TPoint point) {
    const TPoint inWindow = InputQtWindowPoint(control.Handle(), point);
    return {inWindow.X, inWindow.Y};
  }
  void ClickAt(TWinControl& control, TPoint point) {
    QTest::mouseClick(Window(), Qt::LeftButton, Qt::NoModifier, At(control, point));
    ProcessEverything();
  }
  // A click on whatever window shows at the screen point (a combo box's open list).
  void ClickOnScreen(TPoint screenPoint) {
    const QPoint global(screenPoint.X, screenPoint.Y);
    QWindow* window = QGuiApplication::topLevelAt(global);
    ASSERT_NE(window, nullptr) << "nothing shows at the point";
    QTest::mouseMove(window, window->mapFromGlobal(global));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, window->mapFromGlobal(global));
    ProcessEverything();
  }
  static TPoint Centre(const TRect& rect) { return {(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2}; }
};

// The desktop lists a window by its title: a caption given before the
// window was made is its title too.
TEST_F(QTestInput, TheCaptionIsTheDesktopWindowsTitle) {
  TForm titled(nullptr);
  titled.SetCaption(" Evaluator");
  titled.Show();
  ProcessEverything();
  EXPECT_EQ(InputQtWindow(titled.Handle())->title().toStdString(), " Evaluator");
  titled.SetCaption(" Renamed");
  EXPECT_EQ(InputQtWindow(titled.Handle())->title().toStdString(), " Renamed");
}

TEST_F(QTestInput, TypingIntoAnEditGivesTheTextWithOneChangePerCharacter) {
  auto* edit = Make<TEdit>(10, 10, 150, 24);
  int changes = 0;
  edit->OnChange = [&changes](TObject*) { ++changes; };
  std::vector<char32_t> pressed;
  edit->OnKeyPress = [&pressed](TObject*, char32_t& key) { pressed.push_back(key); };
  edit->SetFocus();
  ProcessEverything();
  TypeKeys("a1b2");
  EXPECT_EQ(edit->Text(), "a1b2");
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(CountOf(WM_COMMAND, EN_CHANGE, edit->Handle()), 4u);
  KeyClick(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(pressed.back(), char32_t{1}) << "Ctrl+A arrives as character 1";
  KeyClick(Qt::Key_Backspace);
  EXPECT_EQ(edit->Text(), "") << "Ctrl+A selected everything";
}

TEST_F(QTestInput, AKeyPressThatZeroesLettersKeepsThemOutWhileEditingKeysStillWork) {
  auto* edit = Make<TEdit>(10, 10, 150, 24);
  edit->OnKeyPress = [](TObject*, char32_t& key) {
    if (key >= 'a' && key <= 'z') key = 0;
  };
  edit->SetFocus();
  ProcessEverything();
  TypeKeys("a1b2");
  EXPECT_EQ(edit->Text(), "12");
  KeyClick(Qt::Key_Left);
  KeyClick(Qt::Key_Backspace);
  EXPECT_EQ(edit->Text(), "2") << "Backspace after Left deletes the 1";
  TypeKeys("34");
  KeyClick(Qt::Key_A, Qt::ControlModifier);
  TypeKeys("7");
  EXPECT_EQ(edit->Text(), "7") << "Ctrl+A selected everything";
}

TEST_F(QTestInput, AProcedureInTheWindowChainDecidesWhatTheEditGets) {
  auto* edit = Make<TEdit>(10, 10, 150, 24);
  edit->SetFocus();
  ProcessEverything();
  {
    TCharacterDropper dropFives(edit->Handle(), '5');
    TypeKeys("456");
    EXPECT_EQ(edit->Text(), "46");
  }
  TypeKeys("5");
  EXPECT_EQ(edit->Text(), "465") << "the restored chain lets 5 through";
}

TEST_F(QTestInput, AComboChoiceByMouseNotifiesOnce) {
  auto* combo = Make<TComboBox>(10, 10, 150, 24);
  for (const char* item : {"one", "two", "three", "four"}) combo->Items().Add(item);
  combo->SetStyle(csDropDownList);
  combo->SetItemIndex(0);
  std::vector<int> changes;
  combo->OnChange = [&](TObject*) { changes.push_back(combo->ItemIndex()); };
  ClickAt(*combo, {20, 10});
  ASSERT_TRUE(combo->DroppedDown());
  TRect list;
  SendMessage(combo->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
  const int itemHeight = static_cast<int>(SendMessage(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
  ClickOnScreen({list.Left + 10, list.Top + 2 * itemHeight + itemHeight / 2 + 1});
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(changes, std::vector<int>{2});
  EXPECT_EQ(CountOf(WM_COMMAND, CBN_SELCHANGE, combo->Handle()), 1u);
}

TEST_F(QTestInput, AClickOnACheckListsBoxChecksItsItem) {
  auto* list = Make<TCheckListBox>(10, 10, 150, 100);
  for (const char* item : {"a", "b", "c"}) list->Items().Add(item);
  ProcessEverything();
  int clickChecks = 0;
  list->OnClickCheck = [&clickChecks](TObject*) { ++clickChecks; };
  const TRect third = list->ItemRect(2);
  // The check box is at the item's left.
  ClickAt(*list, {third.Left + 8, third.Top + third.Height() / 2});
  EXPECT_EQ(clickChecks, 1);
  EXPECT_TRUE(list->Checked(2));
  EXPECT_FALSE(list->Checked(1));
}

TEST_F(QTestInput, AClickOnASecondTabAsksFirstAndAVetoKeepsTheFirstPage) {
  auto* pages = Make<TPageControl>(10, 10, 300, 200);
  for (const char* caption : {"First", "Second"}) {
    auto* sheet = new TTabSheet(form);
    sheet->SetCaption(caption);
    sheet->SetPageControl(pages);
  }
  ProcessEverything();
  std::vector<std::string> events;
  bool allow = false;
  pages->OnChanging = [&](TObject*, bool& allowChange) {
    events.push_back("changing");
    allowChange = allow;
  };
  pages->OnChange = [&](TObject*) { events.push_back("change"); };
  TRect tab;
  SendMessage(pages->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  ClickAt(*pages, Centre(tab));
  EXPECT_EQ(pages->ActivePageIndex(), 0) << "vetoed";
  allow = true;
  ClickAt(*pages, Centre(tab));
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_EQ(events, (std::vector<std::string>{"changing", "changing", "change"}));
}

TEST_F(QTestInput, TreeNodesAreChosenWithAVetoAndTheNodeUnderTheMouseIsHot) {
  auto* tree = Make<TTreeView>(10, 10, 200, 200);
  TTreeNode* fruit = tree->Items().Add(nullptr, "Fruit");
  TTreeNode* apple = tree->Items().AddChild(fruit, "apple");
  TTreeNode* pear = tree->Items().AddChild(fruit, "pear");
  fruit->Expand(false);
  tree->SetHotTrack(true);
  ProcessEverything();
  bool allow = true;
  tree->OnChanging = [&allow](TObject*, TTreeNode*, bool& allowChange) { allowChange = allow; };
  ClickAt(*tree, Centre(apple->DisplayRect(true)));
  EXPECT_EQ(tree->Selected(), apple);
  allow = false;
  ClickAt(*tree, Centre(pear->DisplayRect(true)));
  EXPECT_EQ(tree->Selected(), apple) << "vetoed";

  std::vector<std::string> hot;
  tree->OnCustomDrawItem = [&hot](TObject*, TTreeNode* node, TCustomDrawState state, bool&) {
    if (state & cdsHot) hot.push_back(node->Text());
  };
  QTest::mouseMove(Window(), At(*tree, Centre(pear->DisplayRect(true))));
  ProcessEverything();
  hot.clear();
  Grab(*tree);
  EXPECT_EQ(hot, std::vector<std::string>{"pear"});
}

// The menu loop runs inside the release's delivery. Its keys come through
// the toolkit's synthetic input: a QTest key would start a second
// synchronous delivery inside the first, which Qt never returns from.
TEST_F(QTestInput, ARightButtonReleaseOpensThePopupMenu) {
  auto* control = Make<TPanel>(10, 10, 200, 100);
  auto* popup = new TPopupMenu(form);
  std::vector<std::string> clicked;
  for (const char* caption : {"&One", "-", "O&ff", "&Two"}) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    item->OnClick = [&clicked, item](TObject*) { clicked.push_back(item->Caption()); };
    popup->Items().Add(item);
  }
  popup->Items().Items(2)->SetEnabled(false);
  control->SetPopupMenu(popup);
  int step = 0;
  Application().OnIdle = [&](TObject*, bool&) {
    SynthesizeKeyStroke(form->Handle(), step++ < 2 ? VK_DOWN : VK_RETURN, "");
  };
  QTest::mouseClick(Window(), Qt::RightButton, Qt::NoModifier, At(*control, {50, 50}));
  Application().OnIdle = nullptr;
  EXPECT_EQ(step, 3) << "the menu was open for three keys";
  EXPECT_EQ(clicked, std::vector<std::string>{"&Two"}) << "Down, Down skip the separator and the disabled item";
}

TEST_F(QTestInput, AClickPressesAButtonOnce) {
  auto* button = Make<TButton>(10, 10, 100, 30);
  button->SetCaption("Go");
  int clicks = 0;
  button->OnClick = [&clicks](TObject*) { ++clicks; };
  QTest::mouseClick(Window(), Qt::LeftButton, Qt::NoModifier, At(*button, {50, 15}));
  ProcessEverything();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(CountOf(WM_COMMAND, BN_CLICKED, button->Handle()), 1u);
}

TEST_F(QTestInput, AComboChoiceByKeysNotifiesOnce) {
  auto* combo = Make<TComboBox>(10, 10, 150, 24);
  for (const char* item : {"one", "two", "three"}) combo->Items().Add(item);
  combo->SetStyle(csDropDownList);
  combo->SetItemIndex(0);
  std::vector<int> changes;
  combo->OnChange = [&](TObject*) { changes.push_back(combo->ItemIndex()); };
  combo->SetFocus();
  ProcessEverything();
  KeyClick(Qt::Key_Down);
  EXPECT_EQ(changes, std::vector<int>{1});
  EXPECT_EQ(CountOf(WM_COMMAND, CBN_SELCHANGE, combo->Handle()), 1u);
}

// Qt tells a double click by the times of the presses it sees: the presses
// handed on to the widget carry the desktop's time, also after the first
// click, which moves QTest's clock past a double-click interval.
TEST_F(QTestInput, ADoubleClickOnAListViewRowFindsItSelected) {
  auto* view = Make<TListView>(10, 10, 300, 200);
  view->Columns().Add()->SetCaption("Name");
  for (const char* name : {"alpha", "beta"}) view->Items().Add()->SetCaption(name);
  ProcessEverything();
  int selectedAtDoubleClick = -2;
  view->OnDblClick = [&](TObject*) { selectedAtDoubleClick = view->ItemIndex(); };
  const auto rowPoint = [&](int index) {
    TRect row;
    SendMessage(view->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row));
    return At(*view, {row.Left + 10, (row.Top + row.Bottom) / 2});
  };
  QTest::mouseClick(Window(), Qt::LeftButton, Qt::NoModifier, rowPoint(0));
  EXPECT_EQ(view->ItemIndex(), 0);
  QTest::mouseDClick(Window(), Qt::LeftButton, Qt::NoModifier, rowPoint(1));
  ProcessEverything();
  EXPECT_EQ(selectedAtDoubleClick, 1);
  EXPECT_EQ(CountOf(WM_NOTIFY, NM_DBLCLK, view->Handle()), 1u);
}

}  // namespace
