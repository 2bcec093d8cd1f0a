#include "toolkit/win/Paint.h"

#include <gtest/gtest.h>

#include "tests/toolkit/WindowTestSupport.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/WindowRegion.h"

namespace {

class PaintTest : public WindowTest {
protected:
  PaintTest() {
    top = Create(WS_OVERLAPPED | WS_VISIBLE, Bounds(0, 0, 100, 80));
    Pump();
    TMessageLog::Current().Messages.clear();
  }

  // Paints the client area of every WM_PAINT in one colour through BeginPaint.
  void PaintWith(TColor color) {
    TMessageLog::Current().Handler = [color](HWND window, UINT message, WPARAM, LPARAM, LRESULT& result) {
      if (message != WM_PAINT) return false;
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window, paint);
      const HBRUSH brush = CreateSolidBrush(color);
      FillRect(dc, {0, 0, 1000, 1000}, brush);
      DeleteObject(brush);
      EndPaint(window, paint);
      result = 0;
      return true;
    };
  }

  static TColor PixelOf(const CountedPtr<TGdiBitmap>& image, int x, int y) { return image->Pixel(x, y); }

  HWND top;
};

TEST_F(PaintTest, InvalidWindowGetsOnePaintAfterPostedMessages) {
  PostMessage(top, WM_USER, 0, 0);
  const TRect area{10, 10, 20, 20};
  InvalidateRect(top, &area, false);
  InvalidateRect(top, &area, false);
  MSG message;
  ASSERT_TRUE(PeekMessage(message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_USER) << "posted messages come before painting";
  ASSERT_TRUE(PeekMessage(message, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(message.message, WM_PAINT);
  TRect update;
  EXPECT_TRUE(GetUpdateRect(top, &update, false));
  EXPECT_EQ(update, area);
  Pump();
  EXPECT_EQ(TMessageLog::Current().Count(WM_PAINT), 1u);
  EXPECT_FALSE(GetUpdateRect(top, &update, false)) << "BeginPaint validated";
}

TEST_F(PaintTest, UpdateRectStandsWhenErasingDestroysTheWindow) {
  TMessageLog::Current().Handler = [](HWND window, UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message == WM_ERASEBKGND) DestroyWindow(window);
    return false;
  };
  InvalidateRect(top, nullptr, true);
  TRect update;
  EXPECT_TRUE(GetUpdateRect(top, &update, true));
  EXPECT_EQ(update, (TRect{0, 0, 100, 80}));
  EXPECT_FALSE(IsWindow(top));
}

TEST_F(PaintTest, PaintDrawsOnlyInsideTheUpdateRegionAndErasesWhenAsked) {
  PaintWith(clRed);
  InvalidateRect(top, nullptr, false);
  UpdateWindow(top);
  PaintWith(clBlue);
  const TRect area{10, 10, 20, 20};
  InvalidateRect(top, &area, true);
  UpdateWindow(top);
  EXPECT_EQ(TMessageLog::Current().Count(WM_ERASEBKGND), 1u);
  const auto image = RenderWindow(top);
  EXPECT_EQ(PixelOf(image, 10, 10), clBlue);
  EXPECT_EQ(PixelOf(image, 19, 19), clBlue);
  EXPECT_EQ(PixelOf(image, 20, 20), clRed);
  EXPECT_EQ(PixelOf(image, 9, 15), clRed);
}

TEST_F(PaintTest, SetRedrawHoldsPaintingBackUntilSwitchedOn) {
  SendMessage(top, WM_SETREDRAW, false, 0);
  InvalidateRect(top, nullptr, true);
  UpdateWindow(top);
  Pump();
  EXPECT_EQ(TMessageLog::Current().Count(WM_PAINT), 0u);
  SendMessage(top, WM_SETREDRAW, true, 0);
  Pump();
  EXPECT_EQ(TMessageLog::Current().Count(WM_PAINT), 1u) << "what was invalidated meanwhile is painted";
}

TEST_F(PaintTest, RedrawWindowUpdatesFrameAndChildrenAtOnce) {
  const HWND child = Create(WS_CHILD | WS_VISIBLE | WS_BORDER, Bounds(5, 5, 30, 30), top);
  Pump();
  TMessageLog::Current().Messages.clear();
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(TMessageLog::Current().Of(child), (std::vector<UINT>{WM_PAINT, WM_NCPAINT, WM_ERASEBKGND}));
  EXPECT_EQ(TMessageLog::Current().Of(top), (std::vector<UINT>{WM_PAINT, WM_NCPAINT, WM_ERASEBKGND}));
}

TEST_F(PaintTest, PaintHandlerThatValidatesNothingIsNotAskedAgain) {
  TMessageLog::Current().Handler = [](HWND, UINT message, WPARAM, LPARAM, LRESULT&) { return message == WM_PAINT; };
  InvalidateRect(top, nullptr, false);
  MSG message;
  for (int i = 0; i < 3 && PeekMessage(message, nullptr, 0, 0, PM_REMOVE); ++i) UpdateWindow(message.hwnd);
  EXPECT_EQ(TMessageLog::Current().Count(WM_PAINT), 1u);
}

TEST_F(PaintTest, ClientDrawingLandsBehindTheFrameAndChildrenShowOverTheParent) {
  const HWND framed = Create(WS_CHILD | WS_VISIBLE | WS_BORDER, Bounds(40, 30, 20, 20), top);
  PaintWith(clLime);
  InvalidateRect(top, nullptr, true);
  UpdateWindowTree(top);
  const HDC dc = GetDC(framed);
  SetPixel(dc, 0, 0, clRed);
  SetPixel(dc, 30, 30, clRed);  // outside the client area: clipped
  ReleaseDC(framed, dc);
  const auto image = RenderWindow(top);
  EXPECT_EQ(PixelOf(image, 41, 31), clRed) << "client (0, 0) lies inside the one-pixel border";
  EXPECT_EQ(PixelOf(image, 40, 30), GetSysColor(COLOR_WINDOWFRAME)) << "the border is painted by DefWindowProc";
  EXPECT_EQ(PixelOf(image, 39, 29), clLime) << "the parent around the child";
  EXPECT_EQ(PixelOf(image, 58, 48), clLime) << "the child's own client area";
}

// The shape (window coordinates) takes the border's corner and a part of the client area.
TEST_F(PaintTest, DrawingStaysInsideTheWindowsRegion) {
  const HWND shaped = Create(WS_POPUP | WS_VISIBLE | WS_BORDER, Bounds(0, 0, 60, 40));
  SetWindowRgn(shaped, CreateRectRgn(0, 0, 20, 15), false);
  const HBRUSH red = CreateSolidBrush(clRed);
  HDC dc = GetDC(shaped);
  FillRect(dc, {0, 0, 100, 100}, red);
  ReleaseDC(shaped, dc);
  dc = GetWindowDC(shaped);
  SetPixel(dc, 0, 0, clBlue);
  SetPixel(dc, 30, 30, clBlue);
  ReleaseDC(shaped, dc);
  DeleteObject(red);
  const CountedPtr<TGdiBitmap> surface = WindowSurface(shaped);
  EXPECT_EQ(PixelOf(surface, 19, 14), clRed) << "client drawing inside the shape";
  EXPECT_NE(PixelOf(surface, 20, 14), clRed) << "client drawing beside the shape";
  EXPECT_NE(PixelOf(surface, 19, 15), clRed) << "client drawing below the shape";
  EXPECT_EQ(PixelOf(surface, 0, 0), clBlue) << "window drawing inside the shape";
  EXPECT_NE(PixelOf(surface, 30, 30), clBlue) << "window drawing outside the shape";
}

TEST_F(PaintTest, ScrollWindowMovesPixelsAndInvalidatesWhatWasUncovered) {
  PaintWith(clWhite);
  UpdateWindow(top);
  HDC dc = GetDC(top);
  SetPixel(dc, 10, 40, clRed);
  ReleaseDC(top, dc);
  ScrollWindow(top, 0, -20, nullptr, nullptr);
  TRect update;
  ASSERT_TRUE(GetUpdateRect(top, &update, false));
  EXPECT_EQ(update, (TRect{0, 60, 100, 80}));
  dc = GetDC(top);
  EXPECT_EQ(GetPixel(dc, 10, 20), clRed);
  ReleaseDC(top, dc);
}

}  // namespace

namespace {

TEST_F(PaintTest, CaptureScreenComposesTheVisibleWindowsOverTheDesktop) {
  SetWindowLongPtr(top, GWL_STYLE, WS_POPUP | WS_VISIBLE);
  const HWND front = Create(WS_POPUP | WS_VISIBLE, Bounds(50, 40, 100, 80));
  Create(WS_POPUP, Bounds(0, 0, 300, 300));  // hidden: never drawn
  TMessageLog::Current().Handler = [front](HWND window, UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message != WM_PAINT) return false;
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, paint);
    const HBRUSH brush = CreateSolidBrush(window == front ? clBlue : clRed);
    FillRect(dc, {0, 0, 1000, 1000}, brush);
    DeleteObject(brush);
    EndPaint(window, paint);
    result = 0;
    return true;
  };
  for (HWND window : {top, front}) InvalidateRect(window, nullptr, true);
  const TRect area = Rect(90, 30, 200, 130);
  const CountedPtr<TGdiBitmap> screen = CaptureScreen(area);
  ASSERT_EQ(screen->Width(), 110);
  EXPECT_EQ(PixelOf(screen, 0, 0), clRed) << "only the back window";
  EXPECT_EQ(PixelOf(screen, 5, 20), clBlue) << "the front window over the back one";
  EXPECT_EQ(PixelOf(screen, 70, 95), GetSysColor(COLOR_BACKGROUND)) << "no window: the desktop";
  const CountedPtr<TGdiBitmap> under = CaptureScreen(area, {front});
  EXPECT_EQ(PixelOf(under, 5, 20), clRed) << "a window left out shows what lies under it";
}

}  // namespace

namespace {

TEST_F(PaintTest, VisibleRegionLeavesOutParentsEdgesAndWindowsInFront) {
  SetWindowLongPtr(top, GWL_STYLE, WS_POPUP | WS_VISIBLE);
  const HWND child = Create(WS_CHILD | WS_VISIBLE, Bounds(60, 10, 80, 40), top);
  const HWND front = Create(WS_POPUP | WS_VISIBLE, Bounds(70, 0, 10, 100));
  const HWND picture = Create(WS_POPUP | WS_VISIBLE, Bounds(85, 0, 10, 100));
  Create(WS_POPUP, Bounds(0, 0, 300, 300));  // hidden: covers nothing
  const HRGN region = VisibleRegion(child, {picture});
  TRect box;
  GetRgnBox(region, &box);
  EXPECT_EQ(box, Rect(60, 10, 100, 50)) << "cut to the parent's client area";
  EXPECT_TRUE(PtInRegion(region, 65, 20));
  EXPECT_FALSE(PtInRegion(region, 75, 20)) << "under the window in front";
  EXPECT_TRUE(PtInRegion(region, 90, 20)) << "a window left out covers nothing";
  DeleteObject(region);
  const HRGN behind = VisibleRegion(front);
  GetRgnBox(behind, &box);
  EXPECT_EQ(box, Rect(70, 0, 80, 100)) << "windows behind cover nothing";
  DeleteObject(behind);
}

}  // namespace
