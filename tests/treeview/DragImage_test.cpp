// The drag picture: its rectangles for small moves, the alpha channel,
// moving with and without restriction, the kept background and the
// column drag of the header.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/treeview/DragImageSupport.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/CustomControl.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/win/Paint.h"
#include "treeview/DTDragImage.h"

namespace {

bool Inside(const TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }

TEST(DragRectanglesTest, StripsAndScrollMatchTheDifferenceOfTheRectangles) {
  constexpr int W = 20, H = 12;
  for (const TPoint delta : {TPoint{3, 2}, TPoint{3, -2}, TPoint{-3, 2}, TPoint{-3, -2}, TPoint{4, 0}, TPoint{0, -5}}) {
    const TDragRectangles rects = ComputeDragRectangles(W, H, delta.X, delta.Y);
    EXPECT_EQ(rects.Clip, Rect(0, 0, W, H));
    // New picture coordinates p; the old picture lies at p - (-delta), i.e. (dx, dy, W + dx, H + dy).
    const TRect old = Rect(delta.X, delta.Y, W + delta.X, H + delta.Y);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const bool fresh = !Inside(old, x, y);
        const int strips = Inside(rects.Draw1, x, y) + Inside(rects.Draw2, x, y);
        EXPECT_EQ(strips, fresh ? 1 : 0) << "delta " << delta.X << "," << delta.Y << " at " << x << "," << y;
        EXPECT_EQ(Inside(rects.Scroll, x - delta.X, y - delta.Y), !fresh) << "the kept part scrolls by the delta";
        EXPECT_EQ(Inside(rects.Sample1, x - delta.X, y - delta.Y), Inside(rects.Draw1, x, y));
        EXPECT_EQ(Inside(rects.Sample2, x - delta.X, y - delta.Y), Inside(rects.Draw2, x, y));
      }
  }
}

// A control painting a pattern where every pixel differs from its neighbours.
class TPatternControl : public TCustomControl {
public:
  using TCustomControl::TCustomControl;

protected:
  void Paint() override {
    TBitmap pattern(Width(), Height(), pf32bit);
    std::vector<std::uint32_t> row(static_cast<size_t>(Width()));
    for (int y = 0; y < Height(); ++y) {
      for (int x = 0; x < Width(); ++x) row[static_cast<size_t>(x)] = ColorToPixel(RGB(x * 3, y * 5, (x + y) & 0xFF));
      pattern.Handle()->StoreRow(y, 0, Width(), row.data());
    }
    Canvas().Draw(0, 0, pattern);
  }
};

class DragImageTest : public testing::Test {
protected:
  DragImageTest() : form(nullptr), pattern(nullptr), image(tree) {
    form.SetBounds(0, 0, 300, 240);
    pattern.SetParent(&form);
    pattern.SetBounds(0, 0, 300, 240);
    form.Show();
    picture.Canvas().Brush().SetColor(clBlue);
    picture.Canvas().FillRect(Rect(0, 0, 40, 30));
  }
  ~DragImageTest() override {
    image.FinishDrag();
    pattern.SetParent(nullptr);
  }

  static std::uint32_t PixelAt(const TBitmap& bitmap, int x, int y) {
    std::uint32_t pixel = 0;
    bitmap.Handle()->FetchRow(y, x, 1, &pixel);
    return pixel;
  }
  TForm form;
  TPatternControl pattern;
  TTestTree tree;
  TDTDragImage image;
  TBitmap picture{40, 30, pf32bit};
};

TEST_F(DragImageTest, AlphaIsFullAtTheCentreFallsOffAndIsZeroOnTheColorKey) {
  picture.Canvas().SetPixel(0, 0, clRed);
  image.ColorKey = clRed;
  image.PrepareImage(picture, {50, 50}, {60, 60});
  const TBitmap& drag = *image.DragImage();
  EXPECT_EQ(PixelAt(drag, 20, 15) >> 24, 255u);
  EXPECT_EQ(PixelAt(drag, 0, 0) >> 24, 0u) << "the colour key";
  const double d = 10.0 / 40;
  EXPECT_EQ(PixelAt(drag, 30, 15) >> 24, static_cast<std::uint32_t>(std::nearbyint(255 * std::exp(-8 * d))));
  EXPECT_TRUE(image.Prepared());
  EXPECT_FALSE(image.IsShown()) << "prepared and hidden";
}

TEST_F(DragImageTest, ShownPictureIsTheBackgroundBlendedWithThePicture) {
  image.Transparency = 255;
  image.PrepareImage(picture, {50, 50}, {60, 60});
  image.ShowImage();
  ASSERT_TRUE(image.IsShown());
  EXPECT_EQ(image.ScreenRect(), Bounds(50, 50, 40, 30));
  EXPECT_EQ(StaleBackground(image), "");
  EXPECT_NE(PixelAt(*image.BackImage(), 1, 1), PixelAt(*image.BackImage(), 2, 1)) << "the pattern lies under the picture";
  const CountedPtr<TGdiBitmap> surface = WindowSurface(image.Window()->Handle());
  ASSERT_TRUE(surface);
  EXPECT_EQ(surface->Pixel(10, 10) & 0xF0F0F0, clBlue & 0xF0F0F0) << "opaque picture over the pattern";
  TRect window;
  GetWindowRect(image.Window()->Handle(), window);
  EXPECT_EQ(window, Bounds(50, 50, 40, 30));
}

TEST_F(DragImageTest, MovesKeepTheBackgroundEqualToAFreshCapture) {
  image.PrepareImage(picture, {50, 50}, {60, 60});
  image.ShowImage();
  TPoint mouse{60, 60};
  for (const TPoint step : {TPoint{3, 2}, TPoint{-4, 1}, TPoint{2, -5}, TPoint{-1, -1}, TPoint{45, 0}}) {
    mouse.X += step.X;
    mouse.Y += step.Y;
    EXPECT_TRUE(image.MoveTo(mouse, false));
    EXPECT_EQ(image.ImagePosition(), (TPoint{mouse.X - 10, mouse.Y - 10}));
    EXPECT_EQ(StaleBackground(image), "") << "after a move by " << step.X << "," << step.Y;
  }
}

TEST_F(DragImageTest, TheSamePointAndRestrictedDirectionsDoNotMove) {
  image.PrepareImage(picture, {50, 50}, {60, 60});
  image.ShowImage();
  EXPECT_FALSE(image.WouldMove({60, 60}));
  EXPECT_FALSE(image.MoveTo({60, 60}, false));
  EXPECT_EQ(image.ImagePosition(), (TPoint{50, 50}));
  image.MoveRestriction = dmrHorizontalOnly;
  EXPECT_FALSE(image.WouldMove({60, 80}));
  image.MoveTo({60, 80}, false);
  EXPECT_EQ(image.ImagePosition(), (TPoint{50, 50})) << "vertical mouse movement is ignored";
  image.MoveTo({70, 90}, false);
  EXPECT_EQ(image.ImagePosition(), (TPoint{60, 50}));
}

TEST_F(DragImageTest, RefreshingTakesTheTreesNewPixelsIntoTheBackground) {
  tree.SetParent(&form);
  tree.SetBorderStyle(bsNone);
  tree.SetBounds(0, 0, 200, 150);
  tree.SetRootNodeCount(8);
  Include(tree, toFullRowSelect);
  UpdateWindow(tree.Handle());
  const TPoint origin = tree.ClientToScreen(Point(10, 10));
  image.PrepareImage(picture, origin, origin);
  image.ShowImage();
  tree.SetNodeSelected(tree.FirstVisibleNode(), true);
  image.RefreshBackground(tree, tree.ClientRect(), nullptr, false, true);
  EXPECT_EQ(StaleBackground(image), "") << "the selected row shows in the kept background";
  tree.SetParent(nullptr);
}

TEST_F(DragImageTest, RefreshingWithTheFrameTakesTheScrollBarsNewLook) {
  tree.SetParent(&form);
  tree.SetBounds(0, 0, 200, 150);
  tree.SetRootNodeCount(100);
  UpdateWindow(tree.Handle());
  // Over the vertical scroll bar's top, where its thumb will leave.
  const TPoint origin = tree.ClientToScreen(Point(tree.ClientWidth() - 20, 0));
  image.PrepareImage(picture, origin, origin);
  image.ShowImage();
  tree.SetScrollOffset(Point(0, -800), oufAll, nullptr);
  UpdateWindow(tree.Handle());
  image.RefreshBackground(tree, tree.ClientRect(), nullptr, false, true);
  EXPECT_NE(StaleBackground(image), "") << "the client alone leaves the old thumb";
  image.RefreshBackground(tree, tree.ClientRect(), nullptr, true, true);
  EXPECT_EQ(StaleBackground(image), "");
  tree.SetParent(nullptr);
}

TEST_F(DragImageTest, FinishingFreesTheBitmapsAndHides) {
  image.PrepareImage(picture, {50, 50}, {60, 60});
  image.ShowImage();
  image.FinishDrag();
  EXPECT_FALSE(image.Prepared());
  EXPECT_EQ(image.BackImage(), nullptr);
  EXPECT_EQ(image.AlphaImage(), nullptr);
  EXPECT_EQ(image.DragImage(), nullptr);
  EXPECT_EQ(image.Window(), nullptr);
  EXPECT_EQ(image.ScreenRect().Width(), 0);
}

}  // namespace
