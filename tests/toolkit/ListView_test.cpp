#include "toolkit/controls/ListView.h"

#include "tests/toolkit/NativeControlFixture.h"

namespace {

class ListViewTest : public NativeControlTest {
protected:
  ListViewTest() {
    view = Make<TListView>(10, 10, 300, 200);
    for (const char* caption : {"Name", "Size"}) {
      TListColumn* column = view->Columns().Add();
      column->SetCaption(caption);
      column->SetWidth(120);
    }
    for (const char* name : {"gamma", "alpha", "beta"}) {
      TListItem* item = view->Items().Add();
      item->SetCaption(name);
      item->SubItems().Add(std::string(name).substr(0, 1) + "size");
    }
    ProcessEverything();
  }
  TPoint RowPoint(int index) {
    TRect rect;
    SendMessage(view->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return {rect.Left + 10, (rect.Top + rect.Bottom) / 2};
  }

  TListView* view;
};

TEST_F(ListViewTest, ClicksSelectRowsAndADoubleClickFindsItsRowSelected) {
  std::vector<std::pair<std::string, bool>> selections;
  view->OnSelectItem = [&](TObject*, TListItem* item, bool selected) { selections.push_back({item->Caption(), selected}); };
  int selectedAtDoubleClick = -2;
  view->OnDblClick = [&](TObject*) { selectedAtDoubleClick = view->ItemIndex(); };
  Click(view->Handle(), RowPoint(1));
  EXPECT_EQ(view->ItemIndex(), 1);
  EXPECT_EQ(view->Selected(), view->Items().Item(1));
  DoubleClick(view->Handle(), RowPoint(2));
  EXPECT_EQ(selectedAtDoubleClick, 2);
  EXPECT_EQ(CountOf(WM_NOTIFY, NM_DBLCLK, view->Handle()), 1u);
  EXPECT_EQ(selections, (std::vector<std::pair<std::string, bool>>{{"alpha", true}, {"alpha", false}, {"beta", true}}));
  EXPECT_EQ(CountOf(WM_NOTIFY, LVN_ITEMCHANGED, view->Handle()), 3u);
  view->SetItemIndex(0);
  EXPECT_EQ(selections.back(), (std::pair<std::string, bool>{"gamma", true})) << "selection by code reports as well";
}

TEST_F(ListViewTest, TheProtocolAnswersFromTheWidget) {
  EXPECT_EQ(SendMessage(view->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessage(view->Handle(), LVM_GETVIEW, 0, 0), LV_VIEW_DETAILS);
  EXPECT_EQ(SendMessage(view->Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
  view->Items().Item(2)->SetSelected(true);
  EXPECT_EQ(SendMessage(view->Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
  EXPECT_EQ(SendMessage(view->Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_ALL), 0);
  EXPECT_EQ(SendMessage(view->Handle(), LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(clWhite));
  EXPECT_EQ(SendMessage(view->Handle(), LVM_GETTEXTCOLOR, 0, 0), static_cast<LRESULT>(clBlack));
  EXPECT_EQ(SendMessage(view->Handle(), LVM_GETCOLUMNWIDTH, 1, 0), 120);
  EXPECT_EQ(view->GetItemAt(RowPoint(1).X, RowPoint(1).Y), view->Items().Item(1));
}

TEST_F(ListViewTest, SortingByTextKeepsItemsOrderedAndTheSelection) {
  view->Items().Item(0)->SetSelected(true);
  view->SetSortType(stText);
  EXPECT_EQ(view->Items().Item(0)->Caption(), "alpha");
  EXPECT_EQ(view->Items().Item(2)->Caption(), "gamma");
  EXPECT_EQ(view->Selected()->Caption(), "gamma");
  view->Items().Add()->SetCaption("aardvark");
  EXPECT_EQ(view->Items().Item(0)->Caption(), "aardvark");
  EXPECT_EQ(view->GetItemAt(RowPoint(0).X, RowPoint(0).Y)->Caption(), "aardvark");
  view->Items().Delete(0);
  EXPECT_EQ(SendMessage(view->Handle(), LVM_GETITEMCOUNT, 0, 0), 3);
}

}  // namespace
