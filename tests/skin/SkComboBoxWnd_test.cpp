#include "skin/adapters/SkComboBoxWnd.h"

#include <gtest/gtest.h>

#include "skin/ControlRoutines.h"
#include "tests/skin/AdapterFixture.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/ScrollBar.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/SysMetrics.h"

namespace {

class SkComboBoxWndTest : public AdapterFixture {
protected:
  TProtocolFake& AddCombo(DWORD style = CBS_DROPDOWNLIST, DWORD exStyle = 0, TFakeState state = {}) {
    combo = std::make_unique<TProtocolFake>("combobox", dialog.Handle(), TRect{10, 10, 170, 34}, state,
                                            WS_CHILD | WS_VISIBLE | style, exStyle);
    adapter = TSkMainWnd::Make<TSkComboBoxWnd>(combo->Handle(), nullptr, &manager, "EDIT", true);
    return *combo;
  }
  // The colour of the button's left border in the window, as last painted.
  TColor ButtonBorder() const {
    const TRect button = adapter->ButtonRect();
    const HDC dc = GetWindowDC(combo->Handle());
    const TColor color = GetPixel(dc, button.Left, button.Top + button.Height() / 2);
    ReleaseDC(combo->Handle(), dc);
    return color;
  }

  std::unique_ptr<TProtocolFake> combo;
  TSkAdapterPtr<TSkComboBoxWnd> adapter;
};

TEST_F(SkComboBoxWndTest, TheButtonSitsAtTheRightOrAtTheLeftForRightToLeftReading) {
  AddCombo();
  const int width = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(adapter->ButtonRect(), (TRect{160 - width - 2, 2, 158, 22}));
  AddCombo(CBS_DROPDOWN, WS_EX_RTLREADING);
  EXPECT_EQ(adapter->ButtonRect(), (TRect{2, 2, 2 + width, 22}));
  AddCombo(CBS_SIMPLE);
  EXPECT_EQ(adapter->ButtonRect().Width(), 0);
}

TEST_F(SkComboBoxWndTest, TheButtonShowsNormalHotFocusedAndDroppedFrames) {
  TFakeState state;
  state.Items = {{"One"}, {"Two"}};
  TProtocolFake& box = AddCombo(CBS_DROPDOWNLIST, 0, state);
  SendMessage(box.Handle(), WM_PAINT, 0, 0);
  EXPECT_EQ(ButtonBorder(), TestSkin::FrameColors[0]) << "normal";
  manager.ChangeHotWindow(box.Handle());
  EXPECT_EQ(ButtonBorder(), TestSkin::FrameColors[1]) << "mouse over";
  manager.ChangeHotWindow(nullptr);
  EXPECT_EQ(ButtonBorder(), TestSkin::FrameColors[0]) << "mouse gone";
  SetFocus(box.Handle());
  EXPECT_EQ(ButtonBorder(), TestSkin::FrameColors[1]) << "focused";
  SetFocus(dialog.Handle());
  SendMessage(box.Handle(), CB_SHOWDROPDOWN, true, 0);
  SendMessage(box.Handle(), WM_PAINT, 0, 0);
  EXPECT_EQ(ButtonBorder(), TestSkin::FrameColors[2]) << "dropped";
}

TEST_F(SkComboBoxWndTest, TheMouseOverTheComboMakesItsButtonHot) {
  TProtocolFake& box = AddCombo();
  SendMessage(box.Handle(), WM_PAINT, 0, 0);
  TPoint over{40, 10};
  ClientToScreen(box.Handle(), over);
  InjectMouseMove(over, {});
  EXPECT_EQ(ButtonBorder(), TestSkin::FrameColors[1]);
  manager.ChangeHotWindow(nullptr);
  EXPECT_EQ(ButtonBorder(), TestSkin::FrameColors[0]);
  ResetInputState();
}

TEST_F(SkComboBoxWndTest, TheListIsTakenOverOnceAndAnsweredWithOneBrush) {
  TFakeState state;
  state.Items = {{"One"}};
  TProtocolFake& box = AddCombo(CBS_DROPDOWNLIST, 0, state);
  SendMessage(box.Handle(), CB_SHOWDROPDOWN, true, 0);
  ASSERT_TRUE(adapter->ListAdapter);
  EXPECT_EQ(adapter->ListHandle, box.Inner());
  EXPECT_EQ(GetProp(box.Inner(), AdapterProperty), adapter->ListAdapter.get());
  EXPECT_FALSE(adapter->ListAdapter->OfSimpleCombo);
  TProtocolFake other("listbox", dialog.Handle(), {10, 100, 100, 200});
  const LRESULT first = SendMessage(box.Handle(), WM_CTLCOLORLISTBOX, 0, HandleToParam(box.Inner()));
  SendMessage(box.Handle(), WM_CTLCOLORLISTBOX, 0, HandleToParam(other.Handle()));
  EXPECT_EQ(GetProp(other.Handle(), AdapterProperty), nullptr) << "no adapter for a second list";
  EXPECT_EQ(adapter->ListHandle, box.Inner());
  EXPECT_NE(first, 0);
  EXPECT_EQ(SendMessage(box.Handle(), WM_CTLCOLORLISTBOX, 0, HandleToParam(box.Inner())), first) << "the same brush";
}

TEST_F(SkComboBoxWndTest, TheDroppedListKeepsTheCaptureAfterAClickOnItsBar) {
  TFakeState state;
  for (int i = 0; i < 30; ++i) state.Items.push_back({"item"});
  TProtocolFake& box = AddCombo(CBS_DROPDOWNLIST, 0, state);
  const HWND list = box.Inner();
  SetWindowLongPtr(list, GWL_STYLE, GetWindowLongPtr(list, GWL_STYLE) | WS_VSCROLL);
  SetScrollInfo(list, SB_VERT, SCROLLINFO{.fMask = SIF_ALL, .nMin = 0, .nMax = 29, .nPage = 6, .nPos = 0}, false);
  SendMessage(box.Handle(), CB_SHOWDROPDOWN, true, 0);
  ASSERT_TRUE(adapter->ListAdapter);
  ASSERT_TRUE(adapter->ListAdapter->VertBar.Shown);
  TRect bounds;
  GetWindowRect(list, bounds);
  const TPoint onBar{bounds.Right - 4, bounds.Top + bounds.Height() / 2};
  SetCapture(list);
  SendMessage(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(onBar.X, onBar.Y));
  TPoint client = onBar;
  ScreenToClient(list, client);
  SendMessage(list, WM_LBUTTONUP, 0, MAKELPARAM(client.X, client.Y));
  EXPECT_EQ(GetCapture(), list);
  ReleaseCapture();
}

TEST_F(SkComboBoxWndTest, APrintedComboShowsItsFrameButtonAndSelectedText) {
  TFakeState state;
  state.Items = {{"One"}, {"Two"}, {"Three"}};
  state.Current = 2;
  TProtocolFake& box = AddCombo(CBS_DROPDOWN, 0, state);
  const auto printed = Printed(box.Handle());
  const TRect button = adapter->ButtonRect();
  EXPECT_EQ(printed->Canvas().Pixel(0, 12), TestSkin::FrameColors[0]) << "the section's frame";
  EXPECT_EQ(printed->Canvas().Pixel(button.Left, 12), TestSkin::FrameColors[0]) << "the button";
  TRect ink{printed->Width(), printed->Height(), 0, 0};
  for (int y = 0; y < printed->Height(); ++y)
    for (int x = 0; x < button.Left; ++x)
      if (printed->Canvas().Pixel(x, y) == 0) ink = {std::min(ink.Left, x), std::min(ink.Top, y), x + 1, y + 1};
  EXPECT_GE(ink.Left, 3) << "the text of item 2 from (3, 3)";
  EXPECT_LE(ink.Left, 6);
  EXPECT_GE(ink.Top, 3);
}

TEST_F(SkComboBoxWndTest, ADisabledComboControlPrintsDimmedFrameAndButton) {
  TForm form(nullptr);
  form.SetBounds(50, 50, 300, 200);
  auto* control = new TComboBox(&form);
  control->SetParent(&form);
  control->SetBounds(10, 10, 160, 24);
  TSkinCommonData data(control, true);
  data.SetSkinSection("EDIT");
  data.ResolveIndexes();
  adapter = TSkMainWnd::Make<TSkComboBoxWnd>(control->Handle(), &data, &manager, "EDIT", true);
  const TRect button = adapter->ButtonRect();
  const TPoint points[] = {{0, 12}, {button.Left, 12}};  // the frame, the button
  const auto enabled = Printed(control->Handle());
  control->SetEnabled(false);
  const auto disabled = Printed(control->Handle());
  for (const TPoint& p : points) {
    EXPECT_EQ(enabled->Canvas().Pixel(p.X, p.Y), TestSkin::FrameColors[0]) << p.X;
    const TColor dimmed = disabled->Canvas().Pixel(p.X, p.Y);
    EXPECT_NE(dimmed, TestSkin::FrameColors[0]) << "dimmed at " << p.X;
    EXPECT_GT(dimmed & 0xFF, TestSkin::FrameColors[0] & 0xFF) << "toward the lighter form behind, at " << p.X;
  }
}

}  // namespace
