#include "tests/toolkit/ProtocolFakes.h"

#include <gtest/gtest.h>

#include "tests/toolkit/WindowTestSupport.h"
#include "toolkit/win/Keys.h"

namespace {

class ProtocolFakesTest : public WindowTest {
protected:
  ProtocolFakesTest() { parent = Create(WS_POPUP | WS_VISIBLE, {100, 100, 500, 400}); }
  HWND parent;
};

TEST_F(ProtocolFakesTest, FakesAnswerFromTheirRecordAndRecordWhatTheyGot) {
  TFakeState buttonState;
  buttonState.Check = BST_CHECKED;
  buttonState.ButtonState = BST_FOCUS;
  TProtocolFake button("button", parent, {10, 10, 90, 30}, buttonState);
  EXPECT_EQ(GetClassName(button.Handle()), "button");
  EXPECT_EQ(SendMessage(button.Handle(), BM_GETSTATE, 0, 0), LRESULT(BST_FOCUS | BST_CHECKED));
  SendMessage(button.Handle(), BM_SETSTATE, true, 0);
  EXPECT_EQ(SendMessage(button.Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED, LRESULT(BST_PUSHED));
  EXPECT_EQ(button.Count(BM_GETSTATE), 2u);

  TFakeState listState;
  listState.Items = {{"one"}, {"two"}, {"three"}};
  listState.Current = 1;
  TProtocolFake list("listbox", parent, {10, 40, 110, 140}, listState);
  EXPECT_EQ(SendMessage(list.Handle(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessage(list.Handle(), LB_GETCURSEL, 0, 0), 1);
  char text[16];
  EXPECT_EQ(SendMessage(list.Handle(), LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text)), 5);
  EXPECT_STREQ(text, "three");
  TRect row;
  SendMessage(list.Handle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  EXPECT_EQ(row.Top, 16);

  TFakeState tabState;
  tabState.Items = {{"Page 1", {2, 2, 60, 22}}, {"Page 2", {60, 2, 120, 22}}};
  tabState.Current = 1;
  TProtocolFake tabs("SysTabControl32", parent, {120, 10, 400, 200}, tabState);
  EXPECT_EQ(SendMessage(tabs.Handle(), TCM_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(GetClassName(tabs.Inner()), "msctls_updown32");
  EXPECT_EQ(GetParent(tabs.Inner()), tabs.Handle());

  TFakeState barState;
  barState.Items = {{"Open", {0, 0, 23, 22}}, {"Save", {23, 0, 46, 22}}};
  TProtocolFake toolBar("ToolbarWindow32", parent, {0, 0, 400, 26}, barState);
  TRect buttonRect;
  ASSERT_TRUE(SendMessage(toolBar.Handle(), TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&buttonRect)));
  EXPECT_EQ(buttonRect.Left, 23);
  EXPECT_EQ(buttonRect.Right, 46);
  EXPECT_EQ(toolBar.Received.back().Msg, TB_GETITEMRECT);
}

TEST_F(ProtocolFakesTest, AComboBoxAnnouncesItsListWhenItDropsDown) {
  TFakeState state;
  state.Items = {{"a"}, {"b"}};
  TProtocolFake combo("combobox", parent, {10, 10, 150, 32}, state);
  EXPECT_EQ(GetClassName(combo.Inner()), "ComboLBox");
  EXPECT_FALSE(IsWindowVisible(combo.Inner()));
  SendMessage(combo.Handle(), CB_SHOWDROPDOWN, true, 0);
  EXPECT_TRUE(SendMessage(combo.Handle(), CB_GETDROPPEDSTATE, 0, 0));
  ASSERT_EQ(combo.Count(WM_CTLCOLORLISTBOX), 1u);
  const auto announced = std::find_if(combo.Received.begin(), combo.Received.end(),
                                      [](const TMessage& m) { return m.Msg == WM_CTLCOLORLISTBOX; });
  EXPECT_EQ(ParamToHandle<HWND>(announced->LParam), combo.Inner());
  EXPECT_TRUE(IsWindowVisible(combo.Inner()));
  SendMessage(combo.Handle(), CB_SHOWDROPDOWN, false, 0);
  EXPECT_FALSE(IsWindowVisible(combo.Inner()));
}

TEST_F(ProtocolFakesTest, TheDroppedListIsToldWhenTrackingStartsAndEnds) {
  TProtocolFake combo("combobox", parent, {10, 10, 150, 32});
  std::vector<UINT> told;
  const LONG_PTR own = GetWindowLongPtr(combo.Inner(), GWL_WNDPROC);
  static std::vector<UINT>* seen = nullptr;
  static LONG_PTR listProc = 0;
  seen = &told;
  listProc = own;
  SetWindowLongPtr(combo.Inner(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) {
                     if (m == CBLM_BEGINTRACKING || m == CBLM_ENDTRACKING) seen->push_back(m);
                     return CallWindowProc(reinterpret_cast<WNDPROC>(listProc), w, m, wp, lp);
                   }));
  SendMessage(combo.Handle(), CB_SHOWDROPDOWN, true, 0);
  SendMessage(combo.Handle(), CB_SHOWDROPDOWN, false, 0);
  EXPECT_EQ(told, (std::vector<UINT>{CBLM_BEGINTRACKING, CBLM_ENDTRACKING}));
  SetWindowLongPtr(combo.Inner(), GWL_WNDPROC, own);
}

TEST_F(ProtocolFakesTest, AButtonMarksItsFocusAndPushesItselfUntilTheRelease) {
  TProtocolFake button("button", parent, {10, 10, 90, 30}, {}, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX);
  const auto state = [&button] { return SendMessage(button.Handle(), BM_GETSTATE, 0, 0); };
  SetFocus(button.Handle());
  EXPECT_EQ(state(), LRESULT(BST_FOCUS));
  SendMessage(button.Handle(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(state(), LRESULT(BST_FOCUS | BST_PUSHED));
  SendMessage(button.Handle(), WM_KEYUP, VK_SPACE, 0);
  SendMessage(button.Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(state(), LRESULT(BST_FOCUS | BST_PUSHED));
  SendMessage(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  SetFocus(parent);
  EXPECT_EQ(state(), 0);

  TFakeState groupState;
  groupState.CaptionHeight = 15;
  TProtocolFake group("button", parent, {10, 40, 200, 140}, groupState, WS_CHILD | WS_VISIBLE | BS_GROUPBOX);
  EXPECT_EQ(SendMessage(group.Handle(), 0xA100, WPARAM(27) << 16, 0), 15);
  EXPECT_EQ(SendMessage(button.Handle(), 0xA100, WPARAM(27) << 16, 0), 0);
}

TEST_F(ProtocolFakesTest, AListViewHeaderAnswersFromTheColumns) {
  TFakeState state;
  state.Columns = {{"Name", HDF_CENTER | HDF_SORTUP, 120, 1}, {"Size", HDF_RIGHT, 80, 0}};
  TProtocolFake view("SysListView32", parent, {10, 10, 300, 200}, state);
  const HWND header = FindWindowEx(view.Handle(), nullptr, "sysheader32");
  ASSERT_EQ(header, view.Inner());
  EXPECT_EQ(SendMessage(header, HDM_GETITEMCOUNT, 0, 0), 2);
  TRect rect;
  SendMessage(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
  EXPECT_EQ(rect, (TRect{80, 0, 200, 20})) << "the first column stands second in display order";
  int order[2] = {};
  SendMessage(header, HDM_GETORDERARRAY, 2, reinterpret_cast<LPARAM>(order));
  EXPECT_EQ(order[0], 1);
  char text[8];
  HDITEM item{.mask = HDI_TEXT | HDI_FORMAT, .pszText = text, .cchTextMax = sizeof text};
  SendMessage(header, HDM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "Name");
  EXPECT_EQ(item.fmt, HDF_CENTER | HDF_SORTUP);
  HDHITTESTINFO hit{.pt = {79, 5}};
  EXPECT_EQ(SendMessage(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
  EXPECT_EQ(hit.flags, HHT_ONDIVIDER);
  hit.pt = {120, 5};
  EXPECT_EQ(SendMessage(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 0);
  EXPECT_EQ(hit.flags, HHT_ONHEADER);
  EXPECT_EQ(std::count_if(view.State.HeaderReceived.begin(), view.State.HeaderReceived.end(),
                          [](const TMessage& m) { return m.Msg == HDM_HITTEST; }),
            2);
  EXPECT_EQ(FindWindowEx(view.Handle(), header, "SysHeader32"), nullptr);

  TFakeState iconState;
  iconState.Image = 0x1234;
  TProtocolFake icon("static", parent, {10, 220, 42, 252}, iconState, WS_CHILD | WS_VISIBLE | SS_ICON);
  EXPECT_EQ(SendMessage(icon.Handle(), STM_GETICON, 0, 0), 0x1234);
}

TEST_F(ProtocolFakesTest, ListViewsHaveAHeaderAndScrollBarsComeFromTheRecord) {
  TFakeState state;
  state.Items = {{"x"}, {"y", {}, 0, true}, {"z", {}, 0, true}};
  SCROLLINFO bar;
  bar.fMask = SIF_ALL;
  bar.nMax = 99;
  bar.nPage = 10;
  bar.nPos = 30;
  state.VertBar = bar;
  TProtocolFake view("SysListView32", parent, {10, 10, 300, 200}, state, WS_CHILD | WS_VISIBLE | WS_VSCROLL);
  EXPECT_EQ(ParamToHandle<HWND>(SendMessage(view.Handle(), LVM_GETHEADER, 0, 0)), view.Inner());
  EXPECT_EQ(GetClassName(view.Inner()), "SysHeader32");
  EXPECT_EQ(SendMessage(view.Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
  EXPECT_EQ(SendMessage(view.Handle(), LVM_GETNEXTITEM, 1, LVNI_SELECTED), 2);
  SCROLLINFO read;
  read.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(view.Handle(), SB_VERT, read));
  EXPECT_EQ(read.nPos, 30);

  TFakeState statusState;
  statusState.Items = {{"Ready", {0, 0, 128, 20}}, {"Line 1", {128, 0, 256, 20}}};
  TProtocolFake status("msctls_statusbar32", parent, {0, 380, 400, 400}, statusState);
  int rights[2] = {};
  EXPECT_EQ(SendMessage(status.Handle(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(rights)), 2);
  EXPECT_EQ(rights[1], 256);
  char text[16];
  EXPECT_EQ(LOWORD(static_cast<uintptr_t>(SendMessage(status.Handle(), SB_GETTEXT, 1, reinterpret_cast<LPARAM>(text)))), 6);
  EXPECT_STREQ(text, "Line 1");

  TProtocolFake dialog("#32770", nullptr, {50, 50, 250, 200}, {}, WS_POPUP | WS_CAPTION);
  EXPECT_EQ(GetClassName(dialog.Handle()), "#32770");
}

}  // namespace
