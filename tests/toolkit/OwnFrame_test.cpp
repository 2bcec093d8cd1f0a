// Top-level windows that draw their own caption and frame instead of taking
// the desktop's, and minimizing.

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/qt/DesktopWindowInfo.h"
#include "toolkit/win/Menu.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowBackend.h"

namespace {

TRect ClientOnScreen(HWND window) {
  TRect client;
  GetClientRect(window, client);
  TPoint origin{0, 0};
  ClientToScreen(window, origin);
  OffsetRect(client, origin.X, origin.Y);
  return client;
}

bool DesktopFrameless(HWND window) {
  TDesktopWindowInfo info;
  return GetDesktopWindowInfo(window, info) && info.Frameless;
}

// The default hit test at a point in window coordinates.
LRESULT HitAt(HWND window, int x, int y) {
  TRect bounds;
  GetWindowRect(window, bounds);
  return SendMessage(window, WM_NCHITTEST, 0, MAKELPARAM(bounds.Left + x, bounds.Top + y));
}

struct TOwnFrameCase {
  TFormBorderStyle Style;
  int Width, Height;
  bool Menu;
  int FramedWidth, FramedHeight;  // the window with its own frame
  int ClientWidth, ClientHeight;
};

TEST(OwnFrame, SwitchingKeepsTheClientAreaAndMakesTheDesktopWindowFrameless) {
  const TOwnFrameCase cases[] = {
      {bsSizeable, 400, 300, true, 408, 331, 400, 280},
      {bsSingle, 400, 300, false, 406, 329, 400, 300},
      {bsToolWindow, 300, 200, false, 306, 225, 300, 200},
      {bsNone, 300, 200, false, 300, 200, 300, 200},
  };
  for (const TOwnFrameCase& c : cases) {
    SCOPED_TRACE(c.Style);
    TForm form(nullptr);
    form.SetBorderStyle(c.Style);
    form.SetBounds(100, 120, c.Width, c.Height);
    if (c.Menu) {
      auto* menu = new TMainMenu(&form);
      auto* item = new TMenuItem(&form);
      item->SetCaption("&File");
      menu->Items().Add(item);
      form.SetMenu(menu);
    }
    form.Show();
    ProcessEverything();
    const HWND window = form.Handle();
    TRect before;
    GetWindowRect(window, before);
    const TRect client = ClientOnScreen(window);

    SetOwnFrame(window, true);
    ProcessEverything();
    EXPECT_TRUE(HasOwnFrame(window));
    TRect framed;
    GetWindowRect(window, framed);
    EXPECT_EQ(framed.Width(), c.FramedWidth);
    EXPECT_EQ(framed.Height(), c.FramedHeight);
    EXPECT_EQ(ClientOnScreen(window), client) << "the client area keeps its place and size";
    EXPECT_EQ(client.Width(), c.ClientWidth);
    EXPECT_EQ(client.Height(), c.ClientHeight);
    EXPECT_EQ(DesktopFrameless(window), true);
    EXPECT_TRUE(IsWindowVisible(window));

    SetOwnFrame(window, false);
    ProcessEverything();
    TRect back;
    GetWindowRect(window, back);
    EXPECT_EQ(back, before);
    EXPECT_EQ(ClientOnScreen(window), client);
    EXPECT_EQ(DesktopFrameless(window), c.Style == bsNone) << "the desktop frames a captioned window again";
  }
}

class OwnFrameForm : public ::testing::Test {
protected:
  OwnFrameForm() : form(nullptr) {
    form.SetBorderStyle(bsSizeable);
    form.SetCaption("Own frame");
    form.SetBounds(50, 60, 400, 300);
    form.Show();
    ProcessEverything();
    SetOwnFrame(form.Handle(), true);
    ProcessEverything();
    GetWindowRect(form.Handle(), window);
  }

  LRESULT HitAt(int x, int y) { return ::HitAt(form.Handle(), x, y); }

  TForm form;
  TRect window;
};

TEST_F(OwnFrameForm, TheDefaultHitTestFindsCaptionButtonsAndBorders) {
  const int frame = GetSystemMetrics(SM_CXFRAME);
  const int captionMiddle = frame + GetSystemMetrics(SM_CYCAPTION) / 2;
  const int right = window.Width() - frame;
  EXPECT_EQ(HitAt(window.Width() / 2, captionMiddle), HTCAPTION);
  EXPECT_EQ(HitAt(right - 6, captionMiddle), HTCLOSE);
  EXPECT_EQ(HitAt(right - 6 - 21, captionMiddle), HTMAXBUTTON);
  EXPECT_EQ(HitAt(right - 6 - 40, captionMiddle), HTMINBUTTON);
  EXPECT_EQ(HitAt(1, window.Height() / 2), HTLEFT);
  EXPECT_EQ(HitAt(window.Width() - 1, window.Height() - 1), HTBOTTOMRIGHT);
  EXPECT_EQ(HitAt(1, 1), HTTOPLEFT);
  EXPECT_EQ(HitAt(window.Width() / 2, window.Height() / 2), HTCLIENT);
}

TEST_F(OwnFrameForm, ACaptionButtonActsWhenReleasedOverIt) {
  const HWND handle = form.Handle();
  const auto click = [handle](WPARAM down, WPARAM up) {
    SendMessage(handle, WM_NCLBUTTONDOWN, down, 0);
    SendMessage(handle, WM_NCLBUTTONUP, up, 0);
    ProcessEverything();
  };
  click(HTMAXBUTTON, HTMAXBUTTON);
  EXPECT_TRUE(IsZoomed(handle));
  click(HTMAXBUTTON, HTMAXBUTTON);
  EXPECT_FALSE(IsZoomed(handle)) << "pressed again it restores";
  click(HTMINBUTTON, HTMINBUTTON);
  EXPECT_TRUE(IsIconic(handle));
  ShowWindow(handle, SW_RESTORE);
  click(HTCLOSE, HTCAPTION);
  EXPECT_TRUE(IsWindowVisible(handle)) << "released elsewhere, the press is dropped";
  click(HTCAPTION, HTCLOSE);
  EXPECT_TRUE(IsWindowVisible(handle));
  click(HTCLOSE, HTCLOSE);
  EXPECT_FALSE(IsWindowVisible(handle));
}

TEST_F(OwnFrameForm, TheCaptionShowsTheActiveStateAndTheText) {
  const int frame = GetSystemMetrics(SM_CXFRAME);
  const TRect caption{frame, frame, window.Width() - frame, frame + GetSystemMetrics(SM_CYCAPTION)};
  const TPoint grab{window.Width() / 2, caption.Top + 1};
  SendMessage(form.Handle(), WM_NCACTIVATE, true, 0);
  auto image = RenderWindow(form.Handle());
  EXPECT_EQ(image->Pixel(grab.X, grab.Y), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_GT(CountPixels(*image, caption, GetSysColor(COLOR_CAPTIONTEXT)), 0) << "the text is drawn";

  SendMessage(form.Handle(), WM_NCACTIVATE, false, 0);
  image = RenderWindow(form.Handle());
  EXPECT_EQ(image->Pixel(grab.X, grab.Y), GetSysColor(COLOR_INACTIVECAPTION));

  const TRect textArea{caption.Left, caption.Top, caption.Left + 120, caption.Bottom};
  const int textPixels = CountPixels(*image, textArea, GetSysColor(COLOR_INACTIVECAPTIONTEXT));
  form.SetCaption("");
  image = RenderWindow(form.Handle());
  EXPECT_LT(CountPixels(*image, textArea, GetSysColor(COLOR_INACTIVECAPTIONTEXT)), textPixels)
      << "a new text repaints the caption";
}

// Four bar items 100 pixels wide wrap where an item, from the window's left
// edge, passes the width less both frames; the bar reserves as many rows as
// it paints, and GetMenuItemRect answers the wrapped places.
TEST(OwnFrame, TheMenuBarWrapsIntoRowsOnItsOwnFrame) {
  struct TCase {
    int Width;
    int Rows;
  };
  for (const TCase c : {TCase{420, 1}, TCase{400, 2}, TCase{200, 4}}) {
    SCOPED_TRACE(c.Width);
    TForm form(nullptr);
    form.SetBounds(0, 0, c.Width, 300);
    auto* menu = new TMainMenu(&form);
    menu->SetOwnerDraw(true);
    for (const char* caption : {"One", "Two", "Three", "Four"}) {
      auto* item = new TMenuItem(&form);
      item->SetCaption(caption);
      item->OnMeasureItem = [](TObject*, TCanvas&, int& width, int&) { width = 100; };
      menu->Items().Add(item);
    }
    form.SetMenu(menu);
    form.Show();
    ProcessEverything();
    const HWND window = form.Handle();
    const int clientHeight = form.ClientHeight();
    SetOwnFrame(window, true);
    const int menuRow = GetSystemMetrics(SM_CYMENU);
    EXPECT_EQ(form.ClientHeight(), clientHeight) << "switching keeps the client's size";
    TRect bounds;
    GetWindowRect(window, bounds);
    const int frame = GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(ClientOnScreen(window).Top - bounds.Top, frame + GetSystemMetrics(SM_CYCAPTION) + c.Rows * menuRow);
    TRect last;
    ASSERT_TRUE(GetMenuItemRect(window, GetMenu(window), 3, last));
    EXPECT_EQ(last.Bottom, ClientOnScreen(window).Top) << "the last item lies in the last row";
    EXPECT_EQ(last.Width(), 100);
    EXPECT_EQ(HitAt(window, last.Left + 50 - bounds.Left, last.Top + 5 - bounds.Top), HTMENU);
  }
}

TEST(Minimize, ShowWindowAndSystemCommandsMinimizeAndRestoreATopLevelWindow) {
  TForm form(nullptr);
  form.Show();
  ProcessEverything();
  const HWND window = form.Handle();
  EXPECT_FALSE(IsIconic(window));
  for (const int command : {SW_MINIMIZE, SW_SHOWMINIMIZED}) {
    ShowWindow(window, command);
    EXPECT_TRUE(IsIconic(window));
    ShowWindow(window, SW_RESTORE);
    EXPECT_FALSE(IsIconic(window));
  }
  SendMessage(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ProcessEverything();
  EXPECT_TRUE(IsIconic(window)) << "the desktop's answer keeps it minimized";
  SendMessage(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  ProcessEverything();
  EXPECT_FALSE(IsIconic(window));

  DesktopMinimized(window, true);
  EXPECT_TRUE(IsIconic(window));
  DesktopMinimized(window, false);
  EXPECT_FALSE(IsIconic(window)) << "the desktop's restore ends it";
}

}  // namespace
