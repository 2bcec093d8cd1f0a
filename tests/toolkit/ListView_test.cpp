#include "toolkit/controls/ListView.h"

#include "tests/toolkit/NativeControlFixture.h"
#include "toolkit/gdi/ImageList.h"

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
  TRect RowRect(int index) {
    TRect rect;
    SendMessage(view->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
  }
  TPoint RowPoint(int index) { return {RowRect(index).Left + 10, (RowRect(index).Top + RowRect(index).Bottom) / 2}; }
  // A point in the second column of the row.
  TPoint SizePoint(int index) { return {RowRect(index).Left + 130, RowPoint(index).Y}; }

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

TEST_F(ListViewTest, SelectingByCodeReplacesTheSelection) {
  std::vector<std::pair<std::string, bool>> selections;
  view->OnSelectItem = [&](TObject*, TListItem* item, bool selected) { selections.push_back({item->Caption(), selected}); };
  view->SetItemIndex(1);
  view->SetItemIndex(2);
  EXPECT_EQ(view->ItemIndex(), 2);
  EXPECT_FALSE(view->Items().Item(1)->Selected());
  EXPECT_EQ(selections, (std::vector<std::pair<std::string, bool>>{{"alpha", true}, {"alpha", false}, {"beta", true}}));
  view->SetItemIndex(-1);
  EXPECT_EQ(view->ItemIndex(), -1);
  EXPECT_FALSE(view->Items().Item(2)->Selected());
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

TEST_F(ListViewTest, AnOwnerDrawnItemShowsExactlyTheHandlersPixels) {
  std::vector<std::string> drawn;
  view->OnAdvancedCustomDraw = [&](TObject*, const TRect& rect, TCustomDrawStage stage, bool&) {
    if (stage != cdPrePaint) return;
    view->Canvas().Brush().SetColor(clYellow);
    view->Canvas().FillRect(rect);
  };
  view->OnCustomDrawItem = [&](TObject*, TListItem* item, TCustomDrawState, bool& defaultDraw) {
    drawn.push_back(item->Caption());
    if (item->Index() != 1) return;
    view->Canvas().Brush().SetColor(clRed);
    view->Canvas().FillRect(Rect(0, 0, 1000, 1000));
    defaultDraw = false;
  };
  const auto grab = Grab(*view);
  const TRect row = RowRect(1);
  EXPECT_EQ(CountPixels(*grab->Handle(), row, clRed), row.Width() * row.Height());
  EXPECT_EQ(CountPixels(*grab->Handle(), RowRect(0), clRed), 0);
  EXPECT_EQ(drawn, (std::vector<std::string>{"gamma", "alpha", "beta"}));
  const TRect client = view->ClientRect();
  EXPECT_GT(CountPixels(*grab->Handle(), {0, client.Bottom - 20, client.Right, client.Bottom}, clYellow), 0)
      << "below the last row";
  EXPECT_GT(CountOf(WM_NOTIFY, NM_CUSTOMDRAW, view->Handle()), 3u);
}

TEST_F(ListViewTest, WithoutRowSelectOnlyTheCaptionShowsTheSelectionAndTakesClicks) {
  TColor highlight = clWhite;
  const auto highlighted = [&](int index, bool caption) {
    TRect part = RowRect(index);
    if (caption) part.Right = part.Left + 120; else part.Left += 120;
    return CountPixels(*Grab(*view)->Handle(), part, highlight);
  };
  view->SetHideSelection(false);
  EXPECT_FALSE(view->RowSelect());
  Click(view->Handle(), SizePoint(1));
  EXPECT_EQ(view->ItemIndex(), -1) << "a click beside the caption selects nothing";
  EXPECT_EQ(view->GetItemAt(SizePoint(1).X, SizePoint(1).Y), nullptr);
  Click(view->Handle(), RowPoint(1));
  EXPECT_EQ(view->ItemIndex(), 1);
  // The selection's colour, beside the caption's text.
  highlight = Grab(*view)->Handle()->Pixel(RowRect(1).Left + 100, RowPoint(1).Y);
  EXPECT_NE(highlight, clWhite);
  EXPECT_GT(highlighted(1, true), 100);
  EXPECT_EQ(highlighted(1, false), 0);

  view->SetRowSelect(true);
  Click(view->Handle(), SizePoint(2));
  EXPECT_EQ(view->ItemIndex(), 2);
  EXPECT_EQ(view->GetItemAt(SizePoint(2).X, SizePoint(2).Y), view->Items().Item(2));
  EXPECT_GT(highlighted(2, false), 100) << "the whole row";
}

TEST_F(ListViewTest, AStateImageShowsBeforeTheCaption) {
  TImageList states(12, 12);
  for (TColor color : {clRed, clBlue, clLime}) {
    TBitmap image(12, 12, pf24bit);
    image.Canvas().Brush().SetColor(color);
    image.Canvas().FillRect(Rect(0, 0, 12, 12));
    states.Add(image, nullptr);
  }
  view->SetStateImages(&states);
  view->Items().Item(1)->SetStateIndex(2);
  EXPECT_EQ(CountPixels(*Grab(*view)->Handle(), RowRect(1), clLime), 12 * 12);
  EXPECT_EQ(CountPixels(*Grab(*view)->Handle(), RowRect(0), clLime), 0);
  EXPECT_EQ(SendMessage(view->Handle(), LVM_GETITEMSTATE, 1, LVIS_STATEIMAGEMASK), 2 << 12);
  view->SetStateImages(nullptr);
  EXPECT_EQ(CountPixels(*Grab(*view)->Handle(), RowRect(1), clLime), 0);
}

TEST_F(ListViewTest, ReadOnlyDecidesWhetherTheUserEditsACaption) {
  const auto editFirst = [&](const std::string& typed) {
    view->SetFocus();
    view->SetItemIndex(0);
    Press(view->Handle(), VK_F2);
    Press(view->Handle(), VK_END);
    Type(view->Handle(), typed);
    Press(view->Handle(), VK_RETURN);
  };
  view->SetReadOnly(true);
  editFirst("x");
  EXPECT_EQ(view->Items().Item(0)->Caption(), "gamma");
  view->SetReadOnly(false);
  editFirst("s");
  EXPECT_EQ(view->Items().Item(0)->Caption(), "gammas");
  EXPECT_EQ(view->Items().Item(0)->SubItems().Strings(0), "gsize");
  EXPECT_EQ(CountOf(WM_NOTIFY, LVN_ENDLABELEDIT, view->Handle()), 1u);
}

}  // namespace
