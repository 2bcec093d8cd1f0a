#include <gtest/gtest.h>

#include "tests/skin/ScrollAdapterFixture.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/ScrollBox.h"
#include "toolkit/gdi/GdiBitmap.h"

namespace {

using namespace TestSkin;

// A 100 x 200 window with a vertical bar of 0..99, a page of 10, at the
// position given: the bar is 17 wide at the right, its track 166 long.
// Every element is probed on its left ring, two pixels wide, outside its glyph.
class ScrollPaintingTest : public ScrollAdapterFixture {
protected:
  TSkScrollWnd& BarWindow(int position) {
    window = ChildWindow(Bounds(10, 10, 100, 200), WS_VSCROLL);
    SetBar(window, SB_VERT, 0, 99, 10, position);
    TSkScrollWnd& adapter = Adapt(window);
    UpdateWindowTree(window);
    return adapter;
  }
  // The bar's pixel at y, on the ring of the element there.
  TColor Ring(int y) const { return WindowSurface(window)->Pixel(RingX, y); }
  TColor UpArrow() const { return Ring(8); }
  TColor DownArrow() const { return Ring(191); }

  static constexpr int RingX = 84;
  HWND window = nullptr;
};

TEST_F(ScrollPaintingTest, EachElementShowsItsStateFrame) {
  TSkScrollWnd& adapter = BarWindow(45);  // the thumb over 92..109, its centre at 100
  EXPECT_EQ(UpArrow(), FrameColors[0]);
  EXPECT_EQ(DownArrow(), FrameColors[0]);
  EXPECT_EQ(Ring(100), SliderColors[0]) << "the thumb";
  EXPECT_EQ(Ring(50), FrameColors[0]) << "the first track half above the thumb's centre";
  EXPECT_EQ(Ring(150), TrackAfterColors[0]) << "the second below it";
  EXPECT_EQ(Ring(91), FrameColors[0]);
  EXPECT_EQ(Ring(110), TrackAfterColors[0]);

  Mouse(TSyntheticMouse::Move, OnBar(adapter, SB_VERT, 190));
  Advance(20);
  EXPECT_EQ(DownArrow(), FrameColors[1]) << "hot";
  EXPECT_EQ(UpArrow(), FrameColors[0]);
  Mouse(TSyntheticMouse::Move, {20, 20});
  Advance(20);
  EXPECT_EQ(DownArrow(), FrameColors[0]) << "no longer hot";

  Mouse(TSyntheticMouse::Press, OnBar(adapter, SB_VERT, 190));
  EXPECT_EQ(DownArrow(), FrameColors[2]) << "pressed";
  Mouse(TSyntheticMouse::Move, OnBar(adapter, SB_VERT, 150));
  EXPECT_EQ(DownArrow(), FrameColors[0]) << "the mouse off it";
  Mouse(TSyntheticMouse::Move, OnBar(adapter, SB_VERT, 190));
  EXPECT_EQ(DownArrow(), FrameColors[2]) << "back on it";
  Mouse(TSyntheticMouse::Release, OnBar(adapter, SB_VERT, 190));
  EXPECT_EQ(DownArrow(), FrameColors[0]) << "released";

  Mouse(TSyntheticMouse::Press, OnBar(adapter, SB_VERT, 150));
  EXPECT_EQ(Ring(150), TrackAfterColors[2]) << "the pressed track";
  EXPECT_EQ(Ring(50), FrameColors[0]);
  Mouse(TSyntheticMouse::Release, OnBar(adapter, SB_VERT, 150));
}

TEST_F(ScrollPaintingTest, ADraggedThumbIsDrawnPressedWhereTheMouseTakesIt) {
  TSkScrollWnd& adapter = BarWindow(0);  // the thumb over 17..34
  Mouse(TSyntheticMouse::Press, OnBar(adapter, SB_VERT, 25));
  EXPECT_EQ(Ring(25), SliderColors[2]);
  Mouse(TSyntheticMouse::Move, OnBar(adapter, SB_VERT, 65));
  EXPECT_EQ(Ring(65), SliderColors[2]) << "40 pixels lower";
  EXPECT_EQ(Ring(58), SliderColors[2]);
  EXPECT_EQ(Ring(56), FrameColors[0]) << "the first half reaches the thumb";
  EXPECT_EQ(Ring(25), FrameColors[0]) << "where the thumb was";
  EXPECT_EQ(Ring(80), TrackAfterColors[0]);
  Mouse(TSyntheticMouse::Release, OnBar(adapter, SB_VERT, 65));
  EXPECT_EQ(GetScrollPos(window, SB_VERT), 24);  // MulDiv(40, 90, 149)
  EXPECT_EQ(Ring(65), SliderColors[0]) << "dropped where the position puts it";
}

TEST_F(ScrollPaintingTest, AHorizontalThumbOfNoPageIsDrawnAsLongAsAnArrow) {
  window = ChildWindow(Bounds(10, 10, 200, 100), WS_HSCROLL);
  SetBar(window, SB_HORZ, 0, 99, 0, 0);
  Adapt(window);
  UpdateWindowTree(window);
  const CountedPtr<TGdiBitmap> surface = WindowSurface(window);
  EXPECT_EQ(surface->Pixel(25, 84), SliderColors[0]) << "the thumb over 17..34, on its top ring";
  EXPECT_EQ(surface->Pixel(40, 84), TrackAfterColors[0]);
}

TEST_F(ScrollPaintingTest, ADisabledBarIsFadedAndNeverHot) {
  TSkScrollWnd& adapter = BarWindow(45);
  EnableScrollBar(window, SB_VERT, ESB_DISABLE_BOTH);
  SyncScrollInfo(adapter, true);
  const TColor faded = DownArrow();
  EXPECT_NE(faded, FrameColors[0]);
  EXPECT_NE(Ring(100), SliderColors[0]) << "no thumb";
  Mouse(TSyntheticMouse::Move, OnBar(adapter, SB_VERT, 190));
  Advance(20);
  EXPECT_EQ(DownArrow(), faded);
}

TEST_F(ScrollPaintingTest, AFocusChangeReadsTheThumbAgain) {
  BarWindow(0);
  SetBar(window, SB_VERT, 0, 99, 10, 45);
  EXPECT_EQ(Ring(100), TrackAfterColors[0]) << "the scroll information changed unseen";
  SendMessage(window, CM_FOCUSCHANGED, 0, 0);
  EXPECT_EQ(Ring(100), SliderColors[0]);
  EXPECT_EQ(Ring(25), FrameColors[0]);
}

// Both bars of a 120 x 100 window in the corner of a 400 x 300 client area.
TEST_F(ScrollPaintingTest, TheGripShowsOnlyWhereTheCornerMeetsTheFormsClientCorner) {
  auto* panel = new TPanel(form);
  panel->SetBounds(0, 0, 200, 150);
  panel->SetBevelOuter(bvNone);
  panel->SetParent(form);
  const HWND onForm = ChildWindow(Bounds(280, 200, 120, 100), WS_HSCROLL | WS_VSCROLL);
  const HWND onPanel = RawWindow(Bounds(80, 50, 120, 100), WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, 0,
                                 panel->Handle());
  for (HWND window : {onForm, onPanel}) {
    SetBar(window, SB_HORZ, 0, 99, 10, 0);
    SetBar(window, SB_VERT, 0, 99, 10, 0);
    Adapt(window);
    UpdateWindowTree(window);
  }
  // The grip's lowest dot: 2 x 2 at (1, 6) of its 8 x 8 frame, at the corner's bottom right.
  const TPoint dot{120 - 8 + 1, 100 - 8 + 6};
  EXPECT_EQ(WindowSurface(onForm)->Pixel(dot.X, dot.Y), TColor(0x00606060));
  EXPECT_NE(WindowSurface(onPanel)->Pixel(dot.X, dot.Y), TColor(0x00606060)) << "not under a nested panel";
  const TRect formCorner = Bounds(WindowRectOf(onForm).Right - 17, WindowRectOf(onForm).Bottom - 17, 17, 17);
  EXPECT_EQ(SendMessage(onForm, WM_NCHITTEST, 0, MAKELPARAM(formCorner.Left + 8, formCorner.Top + 8)), HTBOTTOMRIGHT);
}

TEST_F(ScrollPaintingTest, AScrollBoxsWheelMovesTheEmulatedThumb) {
  auto* box = new TScrollBox(form);
  box->SetBounds(10, 10, 150, 200);
  box->SetBorderStyle(bsNone);
  box->SetParent(form);
  auto* content = new TPanel(form);
  content->SetBounds(0, 0, 100, 1000);
  content->SetParent(box);
  ProcessEverything();
  TSkinCommonData data(box, false);
  data.SetSkinManager(&manager);
  data.SetSkinSection("PANEL");
  data.ResolveIndexes();
  TSkScrollWnd& adapter = Adapt(box->Handle(), &data);
  window = box->Handle();
  UpdateWindowTree(window);
  const TRect bar = ScreenBar(adapter, SB_VERT);
  const int x = bar.Left + 1 - WindowRectOf(window).Left;
  EXPECT_EQ(WindowSurface(window)->Pixel(x, 20), SliderColors[0]) << "the thumb at the top";
  SynthesizeWheel(form->Handle(), {60, 70}, -360);
  ProcessEverything();
  EXPECT_GT(adapter.VertBar.Info.nPos, 0);
  EXPECT_EQ(box->VertScrollBar().Position(), adapter.VertBar.Info.nPos);
  const TThumbPlace thumb = CalcThumb(adapter.VertBar, bar);
  ASSERT_GT(thumb.Start, bar.Top + 17);
  const int middle = thumb.Start + thumb.Length / 2 - WindowRectOf(window).Top;
  EXPECT_EQ(WindowSurface(window)->Pixel(x, middle), SliderColors[0]) << "the thumb followed the wheel";
  EXPECT_EQ(WindowSurface(window)->Pixel(x, 20), FrameColors[0]);
}

}  // namespace
