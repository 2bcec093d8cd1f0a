#include "skin/adapters/SkListViewWnd.h"

#include <gtest/gtest.h>

#include "skin/ControlRoutines.h"
#include "skin/adapters/ScrollTracking.h"
#include "tests/skin/AdapterFixture.h"
#include "toolkit/win/Paint.h"

namespace {

class SkListViewWndTest : public AdapterFixture {
protected:
  // A report view: item 0 is 120 wide and 18 high; columns "Name" and "Size".
  TProtocolFake& AddList(LRESULT view = LV_VIEW_DETAILS) {
    TFakeState state;
    state.View = view;
    state.Items = {{"a", {0, 0, 120, 18}}, {"b", {0, 18, 120, 36}}};
    state.Columns = {{"Name", HDF_CENTER | HDF_SORTUP, 200}, {"Size", HDF_RIGHT, 80}};
    list = std::make_unique<TProtocolFake>("SysListView32", dialog.Handle(), TRect{10, 10, 310, 210}, state,
                                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL);
    adapter = TSkMainWnd::Make<TSkListViewWnd>(list->Handle(), nullptr, &manager, "EDIT", true);
    return *list;
  }
  // The LVM_SCROLL the list got last, as (dx, dy).
  TPoint LastScroll() const {
    for (auto m = list->Received.rbegin(); m != list->Received.rend(); ++m)
      if (m->Msg == LVM_SCROLL) return {int(m->WParam), int(m->LParam)};
    return {-1, -1};
  }
  void DragThumb(UINT scrollMsg, int from, int to) {
    ScrollTracking.LastTrackPos = from;
    SendMessage(list->Handle(), scrollMsg, MAKEWPARAM(SB_THUMBTRACK, to), to);
  }

  std::unique_ptr<TProtocolFake> list;
  TSkAdapterPtr<TSkListViewWnd> adapter;
};

TEST_F(SkListViewWndTest, TheHeaderIsTakenOverAndARecreatedOneReplacesIt) {
  TProtocolFake& view = AddList();
  const HWND old = view.Inner();
  const LONG_PTR oldProc = GetWindowLongPtr(old, GWL_WNDPROC);
  EXPECT_EQ(adapter->HeaderHandle, old);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(oldProc), adapter->HeaderStub);
  const HWND fresh = CreateWindowEx(0, "SysHeader32", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 20, view.Handle(), nullptr,
                                    nullptr);
  EXPECT_EQ(adapter->HeaderHandle, fresh);
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtr(old, GWL_WNDPROC)), adapter->HeaderStub) << "given back";
  DestroyWindow(fresh);
  EXPECT_EQ(adapter->HeaderHandle, nullptr);
}

TEST_F(SkListViewWndTest, TheDraggedThumbScrollsByRowsColumnsOrPixels) {
  AddList(LV_VIEW_DETAILS);
  DragThumb(WM_VSCROLL, 0, 5);
  EXPECT_EQ(LastScroll(), (TPoint{0, 90})) << "report view: rows of 18";
  AddList(LV_VIEW_ICON);
  DragThumb(WM_VSCROLL, 0, 5);
  EXPECT_EQ(LastScroll(), (TPoint{0, 5})) << "icon view: pixels";
  AddList(LV_VIEW_LIST);
  DragThumb(WM_HSCROLL, 3, 5);
  EXPECT_EQ(LastScroll(), (TPoint{240, 0})) << "list view: columns of 120";
  EXPECT_EQ(SendMessage(list->Handle(), SM_SKINCMD, SkinCommand(scBeforeScroll), 0), 1);
}

TEST_F(SkListViewWndTest, APressOnADividerPressesNoColumn) {
  TProtocolFake& view = AddList();
  SendMessage(view.Inner(), WM_LBUTTONDOWN, 0, MAKELPARAM(100, 10));
  EXPECT_EQ(adapter->PressedColumn, 0);
  SendMessage(view.Inner(), WM_LBUTTONUP, 0, MAKELPARAM(100, 10));
  EXPECT_EQ(adapter->PressedColumn, -1);
  SendMessage(view.Inner(), WM_LBUTTONDOWN, 0, MAKELPARAM(199, 10));
  EXPECT_EQ(adapter->PressedColumn, -1) << "on the divider";
}

TEST(ColumnTitles, ACentredTitleLeavesRoomForItsSortGlyph) {
  const TRect text{4, 1, 192, 19};
  struct Case {
    int format;
    int glyphRoom;
    TRect expected;
  };
  const Case cases[] = {
      {HDF_CENTER | HDF_SORTUP, 14, {4 + (188 - 40 - 14) / 2, 1, 4 + (188 - 40 - 14) / 2 + 40, 19}},
      {HDF_CENTER, 0, {78, 1, 118, 19}},
      {HDF_RIGHT | HDF_SORTDOWN, 14, {192 - 14 - 40, 1, 192 - 14, 19}},
      {HDF_LEFT, 14, {4, 1, 44, 19}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlaceColumnTitle(text, 40, c.glyphRoom, c.format), c.expected) << c.format;
}

TEST_F(SkListViewWndTest, TheHeaderIsPaintedFromTheSkinWithTheSortGlyph) {
  TProtocolFake& view = AddList();
  SendMessage(view.Inner(), WM_PAINT, 0, 0);
  const HDC dc = GetDC(view.Inner());
  EXPECT_EQ(GetPixel(dc, 0, 10), TestSkin::FrameColors[0]) << "the BUTTON section's border";
  ReleaseDC(view.Inner(), dc);
}

TEST_F(SkListViewWndTest, AHeaderMadeAfterTheSkinWentAndCameBackIsServedByALiveStub) {
  TProtocolFake& view = AddList();
  SendMessage(view.Handle(), SM_SKINCMD, SkinCommand(scSkinRemoved), reinterpret_cast<LPARAM>(&manager));
  EXPECT_EQ(adapter->HeaderHandle, nullptr);
  const HWND fresh = CreateWindowEx(0, "SysHeader32", "", WS_CHILD | WS_VISIBLE | HDS_BUTTONS, 0, 0, 300, 20, view.Handle(), nullptr,
                                    nullptr);
  SendMessage(view.Handle(), SM_SKINCMD, SkinCommand(scSkinApplied), reinterpret_cast<LPARAM>(&manager));
  EXPECT_EQ(adapter->HeaderHandle, fresh);
  SendMessage(fresh, WM_PAINT, 0, 0);
  SendMessage(fresh, WM_LBUTTONDOWN, 0, MAKELPARAM(50, 10));
  EXPECT_EQ(adapter->PressedColumn, 0);
}

}  // namespace
