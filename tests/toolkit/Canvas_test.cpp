#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "CanvasFixture.h"

namespace {

using CanvasPixels = CanvasTest;

TEST_F(CanvasPixels, LinesLeaveOutTheirEndPoint) {
  struct Case {
    TPoint from, to;
  };
  for (const Case& c : {Case{{2, 5}, {12, 5}}, Case{{30, 2}, {30, 20}}, Case{{40, 40}, {50, 30}}, Case{{20, 40}, {5, 25}}}) {
    Clear(clWhite);
    Canvas().MoveTo(c.from.X, c.from.Y);
    Canvas().LineTo(c.to.X, c.to.Y);
    EXPECT_EQ(At(c.from.X, c.from.Y), clBlack) << "start of line to " << c.to.X << "," << c.to.Y;
    EXPECT_EQ(At(c.to.X, c.to.Y), clWhite) << "end of line to " << c.to.X << "," << c.to.Y;
    EXPECT_EQ(Canvas().PenPos(), c.to);
  }
}

// Every pixel of a one-pixel line from `from` towards `to`, in order: the
// walk over the whole line that drawing must match wherever it is clipped.
std::vector<TPoint> LinePixels(TPoint from, const TPoint to) {
  std::vector<TPoint> pixels;
  const int dx = std::abs(to.X - from.X), dy = -std::abs(to.Y - from.Y);
  const int stepX = from.X < to.X ? 1 : -1, stepY = from.Y < to.Y ? 1 : -1;
  for (int error = dx + dy; from != to;) {
    pixels.push_back(from);
    const int doubled = 2 * error;
    if (doubled >= dy) error += dy, from.X += stepX;
    if (doubled <= dx) error += dx, from.Y += stepY;
  }
  return pixels;
}

TEST_F(CanvasPixels, ClippedLinesKeepThePixelsAndDashesOfTheWholeLine) {
  // Dash-dot: 9 on, 6 off, 3 on, 6 off; the gaps in the background colour.
  const auto dashOn = [](std::size_t i) { return i % 24 < 9 || (i % 24 >= 15 && i % 24 < 18); };
  Canvas().Pen().SetStyle(psDashDot);
  Canvas().Brush().SetColor(clRed);
  ExcludeClipRect(Dc(), 20, 15, 40, 30);
  const auto visible = [](TPoint p) { return PtInRect(Rect(0, 0, 64, 48), p) && !PtInRect(Rect(20, 15, 40, 30), p); };
  std::uint32_t seed = 7;
  const auto next = [&seed](int low, int high) {
    seed = seed * 1103515245u + 12345u;
    return low + int((seed >> 8) % std::uint32_t(high - low));
  };
  for (int line = 0; line < 300; ++line) {
    const TPoint from{next(-150, 214), next(-150, 198)}, to{next(-150, 214), next(-150, 198)};
    Clear(clWhite);
    Canvas().MoveTo(from.X, from.Y);
    Canvas().LineTo(to.X, to.Y);
    std::vector<TColor> expected(64 * 48, clWhite);
    const std::vector<TPoint> pixels = LinePixels(from, to);
    for (std::size_t i = 0; i < pixels.size(); ++i)
      if (visible(pixels[i])) expected[std::size_t(pixels[i].Y) * 64 + pixels[i].X] = dashOn(i) ? clBlack : clRed;
    ASSERT_EQ(Snapshot(), expected) << "line " << from.X << "," << from.Y << " to " << to.X << "," << to.Y;
  }
}

// Horizontal and vertical lines in a rectangular clip take a shorter road;
// their pixels and dashes must be those of the whole line all the same.
TEST_F(CanvasPixels, StraightLinesInARectangularClipKeepTheirDashes) {
  const auto dashOn = [](std::size_t i) { return i % 24 < 9 || (i % 24 >= 15 && i % 24 < 18); };
  Canvas().Pen().SetStyle(psDashDot);
  Canvas().Brush().SetColor(clRed);
  IntersectClipRect(Dc(), 5, 4, 50, 40);
  const TRect visible = Rect(5, 4, 50, 40);
  for (int line = 0; line < 120; ++line) {
    const int a = line * 37 % 150 - 50, b = line * 53 % 150 - 50, c = line * 7 % 60 - 6;
    const bool horizontal = line % 2 == 0;
    const TPoint from = horizontal ? TPoint{a, c} : TPoint{c, a}, to = horizontal ? TPoint{b, c} : TPoint{c, b};
    Clear(clWhite);
    Canvas().MoveTo(from.X, from.Y);
    Canvas().LineTo(to.X, to.Y);
    std::vector<TColor> expected(64 * 48, clWhite);
    const std::vector<TPoint> pixels = LinePixels(from, to);
    for (std::size_t i = 0; i < pixels.size(); ++i)
      if (PtInRect(visible, pixels[i])) expected[std::size_t(pixels[i].Y) * 64 + pixels[i].X] = dashOn(i) ? clBlack : clRed;
    ASSERT_EQ(Snapshot(), expected) << "line " << from.X << "," << from.Y << " to " << to.X << "," << to.Y;
  }
}

TEST_F(CanvasPixels, LinesAndRectanglesMayRunBetweenTheEndsOfTheIntRange) {
  Canvas().MoveTo(-2000000000, 5);
  Canvas().LineTo(2000000000, 5);
  EXPECT_EQ(Count(clBlack, Rect(0, 5, 64, 6)), 64);
  Clear(clWhite);
  Canvas().MoveTo(2000000000, 2000000000);
  Canvas().LineTo(-2000000000, -2000000000);
  EXPECT_EQ(Ink(), Rect(0, 0, 48, 48));
  EXPECT_EQ(Count(clBlack, Rect(0, 0, 64, 48)), 48) << "one pixel a row, on the diagonal";
  EXPECT_EQ(At(30, 30), clBlack);
  Canvas().Brush().SetColor(clRed);
  Canvas().Rectangle(-2000000000, 10, 2000000000, 20);
  EXPECT_EQ(Count(clBlack, Rect(0, 10, 64, 11)), 64) << "the top edge";
  EXPECT_EQ(Count(clRed, Rect(0, 11, 64, 19)), 64 * 8) << "the inside";
  EXPECT_EQ(Count(clBlack, Rect(0, 19, 64, 20)), 64) << "the bottom edge";
}

TEST_F(CanvasPixels, RectangleOutlinesZeroToNineAndFillsInside) {
  Canvas().Brush().SetColor(clRed);
  Canvas().Rectangle(0, 0, 10, 10);
  EXPECT_EQ(Ink(), Rect(0, 0, 10, 10));
  for (TPoint p : {TPoint{0, 0}, TPoint{9, 0}, TPoint{0, 9}, TPoint{9, 9}, TPoint{5, 9}, TPoint{9, 5}})
    EXPECT_EQ(At(p.X, p.Y), clBlack) << p.X << "," << p.Y;
  EXPECT_EQ(Count(clRed, Rect(1, 1, 9, 9)), 64);
}

TEST_F(CanvasPixels, RectangleWithoutPenFillsOneLessToRightAndBottom) {
  Canvas().Pen().SetStyle(psClear);
  Canvas().Brush().SetColor(clBlue);
  Canvas().Rectangle(2, 2, 12, 12);
  EXPECT_EQ(Ink(), Rect(2, 2, 11, 11));
}

TEST_F(CanvasPixels, EllipseFitsInsideItsBounds) {
  Canvas().Brush().SetColor(clLime);
  Canvas().Ellipse(3, 4, 33, 24);
  EXPECT_EQ(Ink(), Rect(3, 4, 33, 24));
  EXPECT_EQ(At(18, 14), clLime);
  EXPECT_EQ(At(3, 4), clWhite) << "corners of the bounds stay free";
}

TEST_F(CanvasPixels, FillRectExcludesRightAndBottom) {
  Canvas().Brush().SetColor(clNavy);
  Canvas().FillRect(Rect(3, 4, 13, 9));
  EXPECT_EQ(Ink(), Rect(3, 4, 13, 9));
  EXPECT_EQ(Count(clNavy, Rect(3, 4, 13, 9)), 50);
}

TEST_F(CanvasPixels, RoundRectAndPolygonStayInTheirBounds) {
  Canvas().Brush().SetColor(clYellow);
  Canvas().RoundRect(2, 2, 30, 20, 8, 8);
  EXPECT_EQ(Ink(), Rect(2, 2, 30, 20));
  EXPECT_EQ(At(2, 2), clWhite);
  Clear(clWhite);
  const TPoint triangle[] = {{10, 10}, {40, 10}, {10, 40}};
  Canvas().Polygon(triangle);
  EXPECT_EQ(Ink().TopLeft(), TPoint(10, 10));
  EXPECT_LE(Ink().Right, 41);
  EXPECT_EQ(At(15, 15), clYellow);
}

TEST_F(CanvasPixels, DottedPatternBrushFollowsTheBrushOrigin) {
  const std::uint16_t dotted[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, dotted);
  HBRUSH brush = CreatePatternBrush(pattern);
  DeleteObject(pattern);
  SetTextColor(Dc(), clRed);   // the pattern's 0 bits
  SetBkColor(Dc(), clBlue);    // its 1 bits
  // Each row is a 16-bit word whose first byte in memory holds the 8 pixels.
  FillRect(Dc(), Rect(0, 0, 16, 16), brush);
  const TColor first = At(0, 0);
  EXPECT_EQ(first, clRed);
  EXPECT_EQ(At(1, 0), clBlue);
  EXPECT_EQ(first, At(1, 1)) << "the dots alternate on every row";
  SetBrushOrgEx(Dc(), 1, 0, nullptr);
  FillRect(Dc(), Rect(0, 0, 16, 16), brush);
  EXPECT_NE(At(0, 0), first) << "a brush origin one pixel right shifts the dots";
  EXPECT_EQ(At(1, 0), first);
  SetBrushOrgEx(Dc(), 0, 0, nullptr);
  SetWindowOrgEx(Dc(), 3, 0, nullptr);
  FillRect(Dc(), Rect(3, 0, 19, 16), brush);
  EXPECT_EQ(At(0, 0), first) << "the pattern is tied to the device, not to logical coordinates";
  DeleteObject(brush);
}

TEST_F(CanvasPixels, ColourPatternBrushRepeatsItsPixels) {
  TBitmap pattern(2, 2, pf24bit);
  for (TPoint p : {TPoint{0, 0}, TPoint{1, 1}}) pattern.Canvas().SetPixel(p.X, p.Y, clRed);
  for (TPoint p : {TPoint{1, 0}, TPoint{0, 1}}) pattern.Canvas().SetPixel(p.X, p.Y, clBlue);
  Canvas().Brush().SetBitmap(&pattern);
  Canvas().FillRect(Rect(0, 0, 6, 4));
  Canvas().Brush().SetBitmap(nullptr);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(At(x, y), (x + y) % 2 ? clBlue : clRed) << x << "," << y;
}

TEST_F(CanvasPixels, ShapesAndFillsAlignPatternsAlike) {
  const std::uint16_t dotted[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, dotted);
  for (TPoint origin : {TPoint{0, 0}, TPoint{3, 5}}) {
    Clear(clWhite);
    SetBrushOrgEx(Dc(), origin.X, origin.Y, nullptr);
    HBRUSH brush = CreatePatternBrush(pattern);
    FillRect(Dc(), Rect(3, 3, 30, 20), brush);
    const std::vector<TColor> filled = Snapshot();
    Clear(clWhite);
    HGDIOBJ oldBrush = SelectObject(Dc(), brush);
    HGDIOBJ oldPen = SelectObject(Dc(), GetStockObject(NULL_PEN));
    ::Rectangle(Dc(), 3, 3, 31, 21);
    EXPECT_EQ(Snapshot(), filled) << "brush origin " << origin.X << "," << origin.Y;
    SelectObject(Dc(), oldPen);
    SelectObject(Dc(), oldBrush);
    DeleteObject(brush);
  }
  DeleteObject(pattern);
}

TEST_F(CanvasPixels, HatchesAndDashesFillTheirGapsOnlyWhenOpaque) {
  Canvas().Brush().SetStyle(bsCross);
  Canvas().Brush().SetColor(clRed);
  SelectObject(Dc(), Canvas().Brush().Handle());
  SetBkColor(Dc(), clBlue);
  PatBlt(Dc(), 0, 0, 16, 16, PATCOPY);
  EXPECT_EQ(Count(clRed, Rect(0, 0, 16, 16)) + Count(clBlue, Rect(0, 0, 16, 16)), 256);
  EXPECT_EQ(Count(clRed, Rect(0, 0, 8, 8)), 15) << "one row and one column of each 8 x 8 cell";
  Clear(clWhite);
  SetBkMode(Dc(), TRANSPARENT);
  PatBlt(Dc(), 0, 0, 16, 16, PATCOPY);
  EXPECT_EQ(Count(clWhite, Rect(0, 0, 8, 8)), 49);

  Clear(clWhite);
  HPEN dotted = CreatePen(PS_DOT, 0, clBlack);
  SelectObject(Dc(), dotted);
  MoveToEx(Dc(), 0, 30, nullptr);
  LineTo(Dc(), 12, 30);
  for (int x = 0; x < 12; ++x) EXPECT_EQ(At(x, 30), x / 3 % 2 == 0 ? clBlack : clWhite) << x;
  SetBkMode(Dc(), OPAQUE);
  MoveToEx(Dc(), 0, 31, nullptr);
  LineTo(Dc(), 12, 31);
  EXPECT_EQ(At(4, 31), clBlue) << "gaps take the background colour";
  SelectObject(Dc(), GetStockObject(BLACK_PEN));
  DeleteObject(dotted);
}

TEST_F(CanvasPixels, WidePensDrawWideLines) {
  Canvas().Pen().SetWidth(5);
  Canvas().MoveTo(10, 20);
  Canvas().LineTo(50, 20);
  const TRect ink = Ink();
  EXPECT_EQ(ink.Height(), 5);
  EXPECT_EQ(ink.Top, 18);
}

TEST_F(CanvasPixels, FocusRectangleDrawnTwiceRestoresThePixels) {
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) bitmap.Handle()->SetPixel(x, y, RGB(x * 4, y * 5, 128));
  const std::vector<TColor> before = Snapshot();
  Canvas().DrawFocusRect(Rect(5, 6, 30, 20));
  const std::vector<TColor> once = Snapshot();
  EXPECT_NE(once, before);
  EXPECT_NE(At(5, 6), before[6 * 64 + 5]);
  EXPECT_EQ(At(6, 6), before[6 * 64 + 6]) << "only every other pixel of the frame is inverted";
  EXPECT_EQ(At(10, 10), before[10 * 64 + 10]) << "the inside is untouched";
  Canvas().DrawFocusRect(Rect(5, 6, 30, 20));
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(CanvasPixels, XorPenDrawnTwiceRestoresThePixels) {
  Canvas().Brush().SetColor(clTeal);
  Canvas().FillRect(Rect(0, 0, 64, 48));
  const std::vector<TColor> before = Snapshot();
  Canvas().Pen().SetMode(pmXor);
  Canvas().Pen().SetColor(clWhite);
  Canvas().Brush().SetStyle(bsClear);
  for (int pass = 0; pass < 2; ++pass) {
    Canvas().Rectangle(4, 4, 40, 30);
    Canvas().MoveTo(0, 40);
    Canvas().LineTo(60, 2);
    if (pass == 0) {
      EXPECT_EQ(At(4, 4), clTeal ^ clWhite);
    }
  }
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(CanvasPixels, TextWithSolidBrushFillsItsCellAndWithClearBrushDoesNot) {
  Canvas().Font().SetColor(clBlack);
  Canvas().Brush().SetColor(clYellow);
  Canvas().TextOut(4, 6, "Hig");
  const TSize size = Canvas().TextExtent("Hig");
  const TRect cell = Bounds(4, 6, size.cx, size.cy);
  EXPECT_EQ(Ink(), cell);
  EXPECT_EQ(Count(clYellow, cell) + Count(clBlack, cell), size.cx * size.cy) << "the cell holds only text and background";
  EXPECT_GT(Count(clBlack, cell), 0);
  EXPECT_EQ(Canvas().PenPos(), TPoint(4 + size.cx, 6));

  Clear(clWhite);
  Canvas().Brush().SetStyle(bsClear);
  Canvas().TextOut(4, 6, "Hig");
  EXPECT_EQ(Count(clYellow, Rect(0, 0, 64, 48)), 0);
  EXPECT_GT(Count(clBlack, cell), 0);
  EXPECT_TRUE(Ink().Left >= cell.Left && Ink().Right <= cell.Right && Ink().Bottom <= cell.Bottom);
}

TEST_F(CanvasPixels, RotatedTextRunsUpwards) {
  Canvas().Brush().SetStyle(bsClear);
  Canvas().Font().SetOrientation(900);
  Canvas().TextOut(10, 46, "Wide text");
  const TRect ink = Ink();
  EXPECT_GT(ink.Height(), ink.Width());
  EXPECT_LE(ink.Bottom, 47);
  EXPECT_GE(ink.Left, 10);
}

// The clip rectangle stays where it is on the device while the text turns
// (down the right edge of a vertical tab).
TEST_F(CanvasPixels, RotatedTextIsClippedToTheDevicesRectangle) {
  Canvas().Brush().SetStyle(bsClear);
  Canvas().Font().SetOrientation(-900);
  const TRect column = Rect(20, 2, 40, 46);
  Canvas().TextRect(column, 36, 4, "Wide text");
  const TRect ink = Ink();
  EXPECT_GT(ink.Height(), ink.Width()) << "the text runs down the column";
  EXPECT_GE(ink.Left, column.Left);
  EXPECT_LE(ink.Right, column.Right);
}

TEST_F(CanvasPixels, GradientTriangleCornersHaveTheVertexColours) {
  const TTriVertex vertices[] = {{2, 2, 0xFF00, 0, 0, 0}, {60, 4, 0, 0xFF00, 0, 0}, {10, 44, 0, 0, 0xFF00, 0}};
  const TGradientTriangle triangle{0, 1, 2};
  ASSERT_TRUE(GradientFill(Dc(), vertices, 3, &triangle, 1, GRADIENT_FILL_TRIANGLE));
  EXPECT_EQ(At(2, 2), clRed);
  EXPECT_EQ(At(60, 4), clLime);
  EXPECT_EQ(At(10, 44), clBlue);
  EXPECT_EQ(At(1, 2), clWhite);
  const TColor middle = At(24, 16);
  EXPECT_TRUE(GetRValue(middle) > 0 && GetGValue(middle) > 0 && GetBValue(middle) > 0);
}

TEST_F(CanvasPixels, GradientTrianglePixelsAreTheWeightedVertexColours) {
  // Channels of every value, not only whole bytes; drawn both ways round.
  const TTriVertex a{3, 1, 0x1234, 0xFF00, 0x0080, 0};
  const TTriVertex b{61, 9, 0xABCD, 0x0101, 0x7F7F, 0};
  const TTriVertex c{17, 46, 0x00FF, 0x8000, 0xFFFF, 0};
  for (const auto& order : {std::array{a, b, c}, std::array{a, c, b}}) {
    Clear(clWhite);
    const TGradientTriangle triangle{0, 1, 2};
    ASSERT_TRUE(GradientFill(Dc(), order.data(), 3, &triangle, 1, GRADIENT_FILL_TRIANGLE));
    // Each pixel's weights are the areas it spans with the edges; the
    // colour is their weighted sum over the whole area, cut toward zero.
    auto cross = [](const TTriVertex& o, const TTriVertex& p, int x, int y) {
      return std::int64_t(p.x - o.x) * (y - o.y) - std::int64_t(p.y - o.y) * (x - o.x);
    };
    const std::int64_t area = cross(order[0], order[1], order[2].x, order[2].y);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) {
        const std::int64_t w[3] = {cross(order[1], order[2], x, y), cross(order[2], order[0], x, y),
                                   cross(order[0], order[1], x, y)};
        const bool inside = area > 0 ? w[0] >= 0 && w[1] >= 0 && w[2] >= 0 : w[0] <= 0 && w[1] <= 0 && w[2] <= 0;
        auto channel = [&](std::uint16_t TTriVertex::*member) {
          return int((w[0] * (order[0].*member) + w[1] * (order[1].*member) + w[2] * (order[2].*member)) / area >> 8);
        };
        const TColor expected =
            inside ? RGB(channel(&TTriVertex::Red), channel(&TTriVertex::Green), channel(&TTriVertex::Blue)) : clWhite;
        ASSERT_EQ(At(x, y), expected) << x << "," << y;
      }
  }
}

TEST_F(CanvasPixels, GradientRectangleRunsFromLeftToRight) {
  const TTriVertex vertices[] = {{0, 0, 0, 0, 0, 0}, {32, 8, 0xFF00, 0xFF00, 0xFF00, 0}};
  const TGradientRect rect{0, 1};
  ASSERT_TRUE(GradientFill(Dc(), vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H));
  EXPECT_EQ(At(0, 0), clBlack);
  EXPECT_EQ(At(16, 7), RGB(127, 127, 127));
  EXPECT_EQ(At(32, 0), clWhite) << "the right edge is not filled";
  EXPECT_EQ(At(0, 8), clWhite) << "the bottom edge is not filled";
  EXPECT_FALSE(GradientFill(Dc(), vertices, 2, &rect, 1, GRADIENT_FILL_TRIANGLE));
}

TEST_F(CanvasPixels, ClipAndWindowOriginApplyToShapesAndFills) {
  IntersectClipRect(Dc(), 10, 10, 20, 20);
  Canvas().Brush().SetColor(clRed);
  Canvas().Ellipse(0, 0, 40, 40);
  EXPECT_EQ(Ink(), Rect(10, 10, 20, 20));
  SelectClipRgn(Dc(), nullptr);
  Clear(clWhite);
  SetWindowOrgEx(Dc(), -5, -7, nullptr);
  Canvas().FillRect(Rect(0, 0, 4, 4));
  Canvas().Rectangle(20, 20, 24, 24);
  EXPECT_EQ(At(5, 7), clRed);
  EXPECT_EQ(At(25, 27), clBlack);
  EXPECT_EQ(At(28, 30), clBlack);
}

}  // namespace

namespace {

class CanvasFontTest : public CanvasTest {
protected:
  CanvasFontTest() : CanvasTest(200, 60) {}
};

TEST_F(CanvasFontTest, RestoreDCDoesNotLeaveTheCanvasWithAStaleFont) {
  Canvas().TextOut(0, 0, "Wide");
  Clear(clWhite);
  // The larger font is first selected inside the saved state; restoring puts the small one back.
  Canvas().Font().SetSize(20);
  const int saved = SaveDC(Dc());
  Canvas().TextOut(0, 0, "Wide");
  RestoreDC(Dc(), saved);
  const TRect large = Ink();
  Clear(clWhite);
  Canvas().TextOut(0, 0, "Wide");
  EXPECT_EQ(Ink(), large) << "the canvas selects its font again";
}

}  // namespace
