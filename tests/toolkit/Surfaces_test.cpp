// Which windows keep their pixels in their top-level window's surface, and
// that what every window shows stays the same when they do.

#include <functional>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "tests/toolkit/WindowTestSupport.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/WindowRegion.h"

namespace {

// A 100 x 80 frameless top-level window painted red; each window painted in its colour.
class SurfacesTest : public WindowTest {
protected:
  SurfacesTest() {
    top = Create(WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 80));
    colors[top] = clRed;
    TMessageLog::Current().Handler = [this](HWND window, UINT message, WPARAM, LPARAM, LRESULT& result) {
      if (message != WM_PAINT) return false;
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window, paint);
      const HBRUSH brush = CreateSolidBrush(colors.count(window) ? colors[window] : clWhite);
      FillRect(dc, {0, 0, 1000, 1000}, brush);
      DeleteObject(brush);
      EndPaint(window, paint);
      result = 0;
      return true;
    };
  }

  HWND Child(TRect bounds, TColor color, HWND parent = nullptr, DWORD style = WS_VISIBLE) {
    const HWND child = Create(WS_CHILD | style, bounds, parent ? parent : top);
    colors[child] = color;
    return child;
  }

  bool SharesTopsSurface(HWND window) const {
    return WindowPixels(window).Surface.get() == WindowPixels(top).Surface.get();
  }

  TColor Shown(int x, int y) const { return RenderWindow(top)->Pixel(x, y); }

  HWND top;
  std::map<HWND, TColor> colors;
};

TEST_F(SurfacesTest, OnlyAShownChildInsideItsParentOverlappedByNoSiblingShares) {
  struct TCase {
    std::string Name;
    std::function<HWND()> Make;
    bool Shares;
  };
  const std::vector<TCase> cases = {
      {"inside its parent", [this] { return Child(Bounds(10, 10, 30, 20), clBlue); }, true},
      {"inside a sharing parent",
       [this] { return Child(Bounds(2, 2, 5, 5), clLime, Child(Bounds(10, 10, 30, 20), clBlue)); },
       true},
      {"hidden", [this] { return Child(Bounds(10, 10, 30, 20), clBlue, nullptr, 0); }, false},
      {"reaching past its parent", [this] { return Child(Bounds(90, 10, 30, 20), clBlue); }, false},
      {"overlapped by a sibling",
       [this] {
         Child(Bounds(20, 20, 30, 20), clLime);
         return Child(Bounds(10, 10, 30, 20), clBlue);
       },
       false},
      {"inside a parent that reaches past its own",
       [this] { return Child(Bounds(2, 2, 5, 5), clLime, Child(Bounds(80, 10, 30, 20), clBlue)); },
       false},
      {"shaped",
       [this] {
         const HWND child = Child(Bounds(10, 10, 30, 20), clBlue);
         SetWindowRgn(child, CreateRectRgn(0, 0, 10, 10), false);
         return child;
       },
       false},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(SharesTopsSurface(c.Make()), c.Shares) << c.Name;
    for (HWND child = GetWindow(top, GW_CHILD); child; child = GetWindow(top, GW_CHILD)) DestroyWindow(child);
  }
}

TEST_F(SurfacesTest, ASharingChildsPixelsLieAtItsPlaceAndItsParentPaintsAroundThem) {
  const HWND outer = Child(Bounds(10, 10, 40, 30), clBlue);
  const HWND inner = Child(Bounds(5, 6, 10, 10), clLime, outer);
  UpdateWindowTree(top);
  EXPECT_EQ(WindowPixels(inner).Origin, (TPoint{15, 16}));
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const HDC dc = GetWindowDC(top);
  const HBRUSH yellow = CreateSolidBrush(clYellow);
  FillRect(dc, {0, 0, 100, 80}, yellow);
  DeleteObject(yellow);
  ReleaseDC(top, dc);
  const CountedPtr<TGdiBitmap> surface = WindowSurface(top);
  EXPECT_EQ(surface->Pixel(9, 9), clYellow);
  EXPECT_EQ(surface->Pixel(10, 10), clBlue) << "the parent's drawing leaves out its child's place";
  EXPECT_EQ(surface->Pixel(15, 16), clLime);
  EXPECT_EQ(WindowSurface(inner)->Pixel(0, 0), clLime) << "a copy of the child's place";
  EXPECT_EQ(WindowSurface(inner)->Width(), 10);
}

TEST_F(SurfacesTest, AMovedHiddenOrOverlappedChildShowsWhatItShowedBefore) {
  const HWND child = Child(Bounds(10, 10, 20, 20), clBlue);
  UpdateWindowTree(top);
  MoveWindow(child, 50, 40, 20, 20, true);
  EXPECT_EQ(Shown(15, 15), clRed) << "the parent paints the place left";
  EXPECT_EQ(Shown(55, 45), clBlue);
  const HWND sibling = Child(Bounds(60, 50, 30, 20), clLime);
  EXPECT_FALSE(SharesTopsSurface(child));
  EXPECT_EQ(Shown(55, 45), clBlue) << "overlapped: painted again on a surface of its own";
  EXPECT_EQ(Shown(65, 55), clLime);
  DestroyWindow(sibling);
  ShowWindow(child, SW_HIDE);
  EXPECT_EQ(Shown(55, 45), clRed) << "hidden: the parent shows";
  ShowWindow(child, SW_SHOW);
  EXPECT_TRUE(SharesTopsSurface(child));
  EXPECT_EQ(Shown(55, 45), clBlue);
}

TEST_F(SurfacesTest, ScrollingAParentCarriesNoPixelsOfItsSharingChild) {
  Child(Bounds(10, 40, 20, 20), clBlue);
  UpdateWindowTree(top);
  ScrollWindow(top, 0, -20, nullptr, nullptr);
  TRect update;
  ASSERT_TRUE(GetUpdateRect(top, &update, false));
  EXPECT_EQ(update, (TRect{0, 20, 100, 80})) << "under the child's old pixels and the uncovered strip";
  UpdateWindowTree(top);
  EXPECT_EQ(Shown(15, 25), clRed);
  EXPECT_EQ(Shown(15, 45), clBlue);
}

}  // namespace
