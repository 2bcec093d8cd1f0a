#include "toolkit/controls/ListBox.h"

#include "tests/toolkit/NativeControlFixture.h"
#include "toolkit/controls/ComboBox.h"

namespace {

class ListTest : public NativeControlTest {
protected:
  template <class List>
  List* MakeList(int left, int top, int width, int height, std::vector<std::string> items) {
    auto* list = Make<List>(left, top, width, height);
    for (const std::string& item : items) list->Items().Add(item);
    ProcessEverything();
    return list;
  }
  void ClickScreen(TPoint point) {
    SynthesizeMouseAtScreen(point, TSyntheticMouse::Press);
    SynthesizeMouseAtScreen(point, TSyntheticMouse::Release);
    ProcessEverything();
  }
};

TEST_F(ListTest, ComboChoiceByKeysAndByMouseNotifiesOnceAndCodeNotifiesNothing) {
  auto* combo = MakeList<TComboBox>(10, 10, 150, 24, {"one", "two", "three", "four"});
  combo->SetStyle(csDropDownList);
  std::vector<int> changes;
  combo->OnChange = [&](TObject*) { changes.push_back(combo->ItemIndex()); };
  combo->SetItemIndex(1);
  EXPECT_TRUE(changes.empty()) << "ItemIndex set by code";
  EXPECT_TRUE(Codes(WM_COMMAND, combo->Handle()).empty());
  EXPECT_EQ(combo->Text(), "two");

  combo->SetFocus();
  Press(combo->Handle(), VK_DOWN);
  EXPECT_EQ(changes, std::vector<int>{2}) << "by keys";
  EXPECT_EQ(CountOf(WM_COMMAND, CBN_SELCHANGE, combo->Handle()), 1u);
  EXPECT_EQ(combo->Text(), "three");

  combo->SetItemIndex(0);
  changes.clear();
  notifications.clear();
  int drops = 0, closes = 0;
  combo->OnDropDown = [&drops](TObject*) { ++drops; };
  combo->OnCloseUp = [&closes](TObject*) { ++closes; };
  Click(combo->Handle(), {20, 10});
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_EQ(drops, 1);
  TRect list;
  SendMessage(combo->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
  const int itemHeight = static_cast<int>(SendMessage(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
  const TPoint third{list.Left + 10, list.Top + 2 * itemHeight + itemHeight / 2 + 1};
  SynthesizeMouseAtScreen(third, TSyntheticMouse::Move);
  ClickScreen(third);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(changes, std::vector<int>{2}) << "by mouse";
  EXPECT_EQ(CountOf(WM_COMMAND, CBN_SELCHANGE, combo->Handle()), 1u);
}

TEST_F(ListTest, AComboWhoseListNeverDroppedDownDoesNotCloseUpWhenHidden) {
  auto* combo = MakeList<TComboBox>(10, 10, 150, 24, {"one", "two"});
  int closes = 0;
  combo->OnCloseUp = [&closes](TObject*) { ++closes; };
  form->Hide();
  form->Show();
  combo->Hide();
  EXPECT_EQ(closes, 0);
  EXPECT_EQ(CountOf(WM_COMMAND, CBN_CLOSEUP, combo->Handle()), 0u);
}

// The drop-down list scrolls itself: the box beside it has no bar of the frame.
TEST_F(ListTest, AComboUsesItsWholeWidthForTheBox) {
  auto* combo = MakeList<TComboBox>(10, 10, 150, 24, {"one", "two"});
  EXPECT_EQ(combo->ClientWidth(), combo->Width());
}

TEST_F(ListTest, ComboAnswersItsProtocolFromTheWidget) {
  auto* combo = MakeList<TComboBox>(10, 10, 150, 24, {"pear", "apple"});
  EXPECT_EQ(SendMessage(combo->Handle(), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessage(combo->Handle(), CB_GETCURSEL, 0, 0), CB_ERR) << "a new list has no choice";
  char buffer[16] = {};
  EXPECT_EQ(SendMessage(combo->Handle(), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(buffer)), 5);
  EXPECT_STREQ(buffer, "apple");
  EXPECT_EQ(SendMessage(combo->Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("fig")), 2);
  EXPECT_EQ(combo->Items().Count(), 3);
  EXPECT_GT(SendMessage(combo->Handle(), CB_GETITEMHEIGHT, 0, 0), 0);
  combo->SetSorted(true);
  EXPECT_EQ(combo->Items().Strings(0), "apple") << "sorted when made again";
  EXPECT_EQ(combo->Items().Count(), 3);
  combo->SetFocus();
  Type(combo->Handle(), "x");
  EXPECT_EQ(combo->Text(), "x") << "typing in the edit of a drop-down combo";
  EXPECT_EQ(CountOf(WM_COMMAND, CBN_EDITCHANGE, combo->Handle()), 1u);
}

TEST_F(ListTest, ListBoxKeepsObjectsAndAnswersItsGeometry) {
  TObject tag;
  auto* list = MakeList<TListBox>(10, 10, 150, 100, {"a", "b", "c"});
  list->Items().AddObject("d", &tag);
  EXPECT_EQ(list->Items().Objects(3), &tag);
  EXPECT_EQ(list->Items().IndexOfObject(&tag), 3);
  EXPECT_EQ(SendMessage(list->Handle(), LB_GETCOUNT, 0, 0), 4);
  const TRect second = list->ItemRect(1);
  EXPECT_EQ(second.Height(), list->ItemHeight());
  EXPECT_EQ(list->ItemAtPos({second.Left + 3, second.Top + 1}, true), 1);
  EXPECT_EQ(list->ItemAtPos({5, 95}, true), -1) << "past the last item";
  list->SetItemIndex(2);
  EXPECT_EQ(SendMessage(list->Handle(), LB_GETCURSEL, 0, 0), 2);
  list->Items().Delete(0);
  EXPECT_EQ(list->Items().Text(), "b\nc\nd\n");
  EXPECT_THROW(list->Items().Strings(7), EStringListError);
}

TEST_F(ListTest, ListBoxAnswersItsProtocolFromTheWidget) {
  auto* list = MakeList<TListBox>(10, 10, 150, 100, {"one", "three"});
  const HWND window = list->Handle();
  EXPECT_EQ(SendMessage(window, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("two")), 1);
  EXPECT_EQ(SendMessage(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("four")), 3);
  EXPECT_EQ(list->Items().Text(), "one\ntwo\nthree\nfour\n");
  char text[16] = {};
  EXPECT_EQ(SendMessage(window, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text)), 5);
  EXPECT_STREQ(text, "three");
  EXPECT_EQ(SendMessage(window, LB_GETTEXTLEN, 3, 0), 4);
  EXPECT_EQ(SendMessage(window, LB_GETTEXTLEN, 9, 0), LB_ERR);
  EXPECT_EQ(SendMessage(window, LB_DELETESTRING, 0, 0), 3) << "answers the items left";
  EXPECT_EQ(SendMessage(window, LB_SETCURSEL, 1, 0), 1);
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(SendMessage(window, LB_GETITEMHEIGHT, 0, 0), list->ItemHeight());
  TRect second;
  ASSERT_NE(SendMessage(window, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second)), LB_ERR);
  EXPECT_EQ(second, list->ItemRect(1));
  EXPECT_EQ(SendMessage(window, LB_ITEMFROMPOINT, 0, MAKELPARAM(second.Left + 3, second.Top + 1)), 1);
  EXPECT_EQ(HIWORD(SendMessage(window, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 95))), 1) << "outside the items";
  for (int item = 0; item < 30; ++item) list->Items().Add("item " + std::to_string(item));
  ProcessEverything();
  SendMessage(window, LB_SETTOPINDEX, 12, 0);
  EXPECT_EQ(SendMessage(window, LB_GETTOPINDEX, 0, 0), 12);
  EXPECT_EQ(list->TopIndex(), 12);
  SendMessage(window, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(list->Items().Count(), 0);
}

TEST_F(ListTest, ListBoxClicksAndDoubleClicksReachTheControl) {
  auto* list = MakeList<TListBox>(10, 10, 150, 100, {"a", "b", "c"});
  int clicks = 0, doubles = 0;
  list->OnClick = [&clicks](TObject*) { ++clicks; };
  list->OnDblClick = [&doubles](TObject*) { ++doubles; };
  const TRect third = list->ItemRect(2);
  Click(list->Handle(), {third.Left + 5, third.Top + 3});
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(CountOf(WM_COMMAND, LBN_SELCHANGE, list->Handle()), 1u);
  DoubleClick(list->Handle(), {third.Left + 5, third.Top + 3});
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(CountOf(WM_COMMAND, LBN_DBLCLK, list->Handle()), 1u);
  list->SetFocus();
  Press(list->Handle(), VK_UP);
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(clicks, 2) << "arrow keys choose too";
}

TEST_F(ListTest, OwnerDrawnItemsShowExactlyWhatTheHandlerPaints) {
  auto* list = MakeList<TListBox>(10, 10, 150, 100, {"a", "b"});
  list->SetStyle(lbOwnerDrawFixed);
  list->SetItemHeight(20);
  std::vector<int> drawn;
  list->OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState) {
    drawn.push_back(index);
    list->Canvas().Brush().SetColor(index == 0 ? clRed : clBlue);
    list->Canvas().FillRect(rect);
  };
  ProcessEverything();
  const auto grab = Grab(*list);
  const TRect first = list->ItemRect(0);
  const TRect second = list->ItemRect(1);
  EXPECT_EQ(CountPixels(*grab->Handle(), first, clRed), first.Width() * first.Height());
  EXPECT_EQ(CountPixels(*grab->Handle(), second, clBlue), second.Width() * second.Height());
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), 1), drawn.end());
}

TEST_F(ListTest, AnOwnerDrawnComboShowsItsChosenItemAsTheHandlerPaintsIt) {
  auto* combo = MakeList<TComboBox>(10, 10, 150, 24, {"a", "b"});
  combo->SetStyle(csOwnerDrawFixed);
  ProcessEverything();
  std::vector<std::pair<int, TOwnerDrawState>> drawn;
  combo->OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
    drawn.emplace_back(index, state);
    combo->Canvas().Brush().SetColor(index == 0 ? clRed : clBlue);
    combo->Canvas().FillRect(rect);
  };
  EXPECT_EQ(combo->Items().Count(), 2) << "the items survive the new style";
  combo->SetItemIndex(1);
  const auto grab = Grab(*combo);
  const TRect face{0, 0, grab->Width(), grab->Height()};
  EXPECT_GT(CountPixels(*grab->Handle(), face, clBlue), face.Width() * face.Height() / 3);
  EXPECT_EQ(CountPixels(*grab->Handle(), face, clRed), 0);
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back().first, 1);
  EXPECT_TRUE(drawn.back().second & odComboBoxEdit);
  combo->SetItemIndex(-1);
  drawn.clear();
  Grab(*combo);
  EXPECT_TRUE(drawn.empty()) << "nothing chosen, nothing to draw";
}

TEST_F(ListTest, CheckListReportsTheUsersChecksOnly) {
  auto* list = MakeList<TCheckListBox>(10, 10, 150, 100, {"a", "b", "c"});
  int clickChecks = 0;
  list->OnClickCheck = [&clickChecks](TObject*) { ++clickChecks; };
  list->SetChecked(0, true);
  EXPECT_TRUE(list->Checked(0));
  EXPECT_EQ(clickChecks, 0) << "a check set by code";
  const TRect third = list->ItemRect(2);
  // The check box is at the item's left.
  Click(list->Handle(), {third.Left + 8, third.Top + third.Height() / 2});
  EXPECT_EQ(clickChecks, 1);
  EXPECT_TRUE(list->Checked(2));
  EXPECT_FALSE(list->Checked(1));
}

}  // namespace
