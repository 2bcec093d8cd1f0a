#include "CanvasFixture.h"

namespace {

class Blit : public CanvasTest {
protected:
  Blit() : source(8, 6, pf32bit) {
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) source.Handle()->SetPixel(x, y, RGB(x * 30, y * 40, 200));
  }
  HDC Source() { return source.Canvas().Handle(); }
  TColor SourceAt(int x, int y) const { return source.Handle()->Pixel(x, y); }
  TBitmap source;
};

TEST_F(Blit, CopiesAndCombinesWithRasterOperations) {
  BitBlt(Dc(), 10, 10, 8, 6, Source(), 0, 0, SRCCOPY);
  EXPECT_EQ(At(13, 12), SourceAt(3, 2));
  EXPECT_EQ(At(18, 12), clWhite);
  BitBlt(Dc(), 10, 10, 8, 6, Source(), 0, 0, SRCINVERT);
  EXPECT_EQ(At(13, 12), clBlack) << "a colour xor itself";
  BitBlt(Dc(), 10, 10, 8, 6, Source(), 0, 0, SRCPAINT);
  BitBlt(Dc(), 10, 10, 8, 6, nullptr, 0, 0, DSTINVERT);
  EXPECT_EQ(At(13, 12), SourceAt(3, 2) ^ 0xFFFFFF);
  BitBlt(Dc(), 0, 0, 4, 4, nullptr, 0, 0, WHITENESS);
  BitBlt(Dc(), 0, 0, 2, 2, nullptr, 0, 0, BLACKNESS);
  EXPECT_EQ(At(1, 1), clBlack);
  EXPECT_EQ(At(2, 2), clWhite);
  EXPECT_FALSE(BitBlt(Dc(), 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY)) << "no source to copy";
}

TEST_F(Blit, PatternOperationsUseTheSelectedBrush) {
  SelectObject(Dc(), GetStockObject(GRAY_BRUSH));
  PatBlt(Dc(), 0, 0, 4, 4, PATCOPY);
  EXPECT_EQ(At(3, 3), RGB(128, 128, 128));
  PatBlt(Dc(), 0, 0, 4, 4, PATINVERT);
  EXPECT_EQ(At(3, 3), clBlack);
  PatBlt(Dc(), 8, 8, -4, -4, PATCOPY);
  EXPECT_EQ(At(4, 4), RGB(128, 128, 128)) << "negative sizes count back from the corner";
  EXPECT_EQ(At(8, 8), clWhite);
}

TEST_F(Blit, OverlappingCopiesWithinOneSurfaceUseTheOldPixels) {
  BitBlt(Dc(), 0, 0, 8, 6, Source(), 0, 0, SRCCOPY);
  BitBlt(Dc(), 2, 1, 8, 6, Dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(At(2, 1), SourceAt(0, 0));
  EXPECT_EQ(At(9, 6), SourceAt(7, 5));
  TRect uncovered;
  Clear(clWhite);
  BitBlt(Dc(), 0, 0, 8, 6, Source(), 0, 0, SRCCOPY);
  const TRect area = Rect(0, 0, 8, 6);
  ScrollDC(Dc(), 0, 2, &area, &area, nullptr, &uncovered);
  EXPECT_EQ(At(3, 2), SourceAt(3, 0));
  EXPECT_EQ(At(3, 6), clWhite) << "nothing is scrolled out of the clip rectangle";
  EXPECT_EQ(uncovered, Rect(0, 0, 8, 2));
}

TEST_F(Blit, StretchPicksNearestPixelsAndMirrors) {
  StretchBlt(Dc(), 0, 0, 16, 12, Source(), 0, 0, 8, 6, SRCCOPY);
  EXPECT_EQ(At(0, 0), SourceAt(0, 0));
  EXPECT_EQ(At(1, 1), SourceAt(0, 0));
  EXPECT_EQ(At(15, 11), SourceAt(7, 5));
  StretchBlt(Dc(), 20, 0, 8, 6, Source(), 7, 0, -8, 6, SRCCOPY);
  EXPECT_EQ(At(20, 0), SourceAt(7, 0)) << "a negative source width mirrors from the pixel at x";
  EXPECT_EQ(At(27, 3), SourceAt(0, 3));
  StretchBlt(Dc(), 37, 10, -8, 6, Source(), 0, 0, 8, 6, SRCCOPY);
  EXPECT_EQ(At(37, 10), SourceAt(0, 0));
  EXPECT_EQ(At(30, 10), SourceAt(7, 0));
}

TEST_F(Blit, HalftoneStretchAveragesTheCoveredArea) {
  TBitmap two(2, 2, pf32bit);
  two.Handle()->SetPixel(0, 0, RGB(0, 0, 0));
  two.Handle()->SetPixel(1, 0, RGB(100, 30, 255));
  two.Handle()->SetPixel(0, 1, RGB(200, 60, 0));
  two.Handle()->SetPixel(1, 1, RGB(40, 90, 1));
  HDC from = two.Canvas().Handle();
  EXPECT_EQ(GetStretchBltMode(Dc()), COLORONCOLOR);
  EXPECT_EQ(SetStretchBltMode(Dc(), HALFTONE), COLORONCOLOR);
  EXPECT_EQ(SetStretchBltMode(Dc(), 1), 0) << "only the two modes";
  // Two pixels over three: the middle one covers a third of each neighbour, so it is their mean.
  StretchBlt(Dc(), 0, 0, 3, 1, from, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(At(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(At(1, 0), RGB(50, 15, 128)) << "255 / 2 = 127.5 rounds up";
  EXPECT_EQ(At(2, 0), RGB(100, 30, 255));
  // Four pixels into one: (0 + 100 + 200 + 40) / 4 = 85, (0 + 30 + 60 + 90) / 4 = 45, 256 / 4 = 64.
  StretchBlt(Dc(), 10, 0, 1, 1, from, 0, 0, 2, 2, SRCCOPY);
  EXPECT_EQ(At(10, 0), RGB(85, 45, 64));
  // A whole factor repeats pixels; a mirrored one repeats them backwards.
  StretchBlt(Dc(), 20, 0, 4, 4, from, 0, 0, 2, 2, SRCCOPY);
  EXPECT_EQ(At(21, 1), RGB(0, 0, 0));
  EXPECT_EQ(At(22, 3), RGB(40, 90, 1));
  StretchBlt(Dc(), 30, 0, 4, 2, from, 1, 0, -2, 2, SRCCOPY);
  EXPECT_EQ(At(30, 0), RGB(100, 30, 255));
  EXPECT_EQ(At(33, 1), RGB(200, 60, 0));
  // The mode is part of the state SaveDC keeps.
  const int level = SaveDC(Dc());
  SetStretchBltMode(Dc(), COLORONCOLOR);
  RestoreDC(Dc(), level);
  EXPECT_EQ(GetStretchBltMode(Dc()), HALFTONE);
}

TEST_F(Blit, MonochromeSourcesTakeTheDestinationColours) {
  TBitmap mask(4, 1, pf1bit);
  mask.Handle()->SetPixel(1, 0, clWhite);
  SetTextColor(Dc(), clRed);
  SetBkColor(Dc(), clBlue);
  BitBlt(Dc(), 0, 0, 4, 1, mask.Canvas().Handle(), 0, 0, SRCCOPY);
  EXPECT_EQ(At(0, 0), clRed);
  EXPECT_EQ(At(1, 0), clBlue);
  SetBkColor(Source(), SourceAt(2, 0));
  BitBlt(mask.Canvas().Handle(), 0, 0, 4, 1, Source(), 0, 0, SRCCOPY);
  EXPECT_EQ(mask.Handle()->Pixel(2, 0), clWhite) << "the source's background colour becomes 1";
  EXPECT_EQ(mask.Handle()->Pixel(1, 0), clBlack);
}

TEST_F(Blit, TransparentDrawingLeavesTheKeyColour) {
  source.Handle()->SetPixel(2, 2, clFuchsia);
  source.SetTransparent(true);
  source.SetTransparentColor(clFuchsia);
  Canvas().Draw(5, 5, source);
  EXPECT_EQ(At(7, 7), clWhite);
  EXPECT_EQ(At(8, 7), SourceAt(3, 2));
  Canvas().StretchDraw(Rect(20, 20, 36, 32), source);
  EXPECT_EQ(At(24, 24), clWhite);
  EXPECT_EQ(At(20, 20), SourceAt(0, 0));
}

TEST_F(Blit, PixelsOutsideTheClipAreInvalid) {
  EXPECT_EQ(SetPixel(Dc(), 3, 3, clRed), clRed);
  EXPECT_EQ(GetPixel(Dc(), 3, 3), clRed);
  EXPECT_EQ(GetPixel(Dc(), 64, 3), CLR_INVALID);
  EXPECT_EQ(SetPixel(Dc(), -1, 3, clRed), CLR_INVALID);
  IntersectClipRect(Dc(), 0, 0, 2, 2);
  EXPECT_EQ(GetPixel(Dc(), 3, 3), CLR_INVALID);
}

}  // namespace
