#include "CanvasFixture.h"

namespace {

using DeviceContext = CanvasTest;

TEST_F(DeviceContext, SaveAndRestoreBringBackStateAndClip) {
  HDC dc = Dc();
  SetTextColor(dc, clRed);
  const int first = SaveDC(dc);
  SetTextColor(dc, clBlue);
  SetWindowOrgEx(dc, 5, 5, nullptr);
  IntersectClipRect(dc, 10, 10, 20, 20);
  const int second = SaveDC(dc);
  EXPECT_EQ(second, first + 1);
  SetBkMode(dc, TRANSPARENT);
  EXPECT_TRUE(RestoreDC(dc, -1));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  TRect box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, Rect(10, 10, 20, 20)) << "the clip box is in logical coordinates";
  EXPECT_TRUE(RestoreDC(dc, first));
  EXPECT_EQ(GetTextColor(dc), clRed);
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, Rect(0, 0, 64, 48));
  EXPECT_FALSE(RestoreDC(dc, 1)) << "that level is gone";
}

TEST_F(DeviceContext, AClipKeeperPutsBackOnlyTheClip) {
  HDC dc = Dc();
  TRect box;
  {
    const TClipKeeper keeper(dc);
    IntersectClipRect(dc, 10, 10, 20, 20);
    SetTextColor(dc, clBlue);
  }
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, Rect(0, 0, 64, 48)) << "no clip before, none after";
  EXPECT_EQ(GetTextColor(dc), clBlue) << "the rest of the state stays";
  IntersectClipRect(dc, 5, 5, 30, 30);
  {
    const TClipKeeper keeper(dc);
    IntersectClipRect(dc, 10, 10, 20, 20);
  }
  GetClipBox(dc, &box);
  EXPECT_EQ(box, Rect(5, 5, 30, 30));
}

TEST_F(DeviceContext, ClipRectanglesNarrowAndWiden) {
  HDC dc = Dc();
  HBRUSH red = CreateSolidBrush(clRed);
  ExcludeClipRect(dc, 10, 0, 20, 48);
  FillRect(dc, Rect(0, 0, 30, 10), red);
  EXPECT_EQ(Count(clRed, Rect(0, 0, 64, 48)), 200);
  EXPECT_FALSE(PtVisible(dc, 15, 5));
  EXPECT_TRUE(RectVisible(dc, Rect(15, 5, 25, 6)));
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dc, rgn), 1);
  EXPECT_EQ(rgn->Region.Complexity(), COMPLEXREGION);
  SelectClipRgn(dc, nullptr);
  EXPECT_EQ(GetClipRgn(dc, rgn), 0);
  EXPECT_TRUE(PtVisible(dc, 15, 5));
  DeleteObject(rgn);
  DeleteObject(red);
}

TEST_F(DeviceContext, ASelectedObjectOutlivesItsDeletion) {
  HDC dc = Dc();
  HBRUSH brush = CreateSolidBrush(clPurple);
  HGDIOBJ old = SelectObject(dc, brush);
  EXPECT_TRUE(DeleteObject(brush));
  PatBlt(dc, 0, 0, 4, 4, PATCOPY);
  EXPECT_EQ(At(3, 3), clPurple);
  EXPECT_EQ(SelectObject(dc, old), brush);
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH))) << "stock objects shrug deletion off";
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  PatBlt(dc, 0, 0, 1, 1, PATCOPY);
  EXPECT_EQ(At(0, 0), clBlack);
}

TEST_F(DeviceContext, WindowSurfaceContextsDrawAtTheirOriginInsideTheirVisiblePart) {
  TBitmap surface(40, 30, pf32bit);
  TRegion visible(Rect(0, 0, 20, 10));
  visible.Unite(Rect(0, 10, 5, 20));
  TDeviceContext client(CountedPtr<TGdiBitmap>(surface.Handle()), {3, 4}, visible);
  HBRUSH red = CreateSolidBrush(clRed);
  FillRect(&client, Rect(0, 0, 40, 40), red);
  EXPECT_EQ(surface.Handle()->Pixel(3, 4), clRed);
  EXPECT_EQ(surface.Handle()->Pixel(2, 4), clBlack) << "left of the origin";
  EXPECT_EQ(surface.Handle()->Pixel(22, 13), clRed);
  EXPECT_EQ(surface.Handle()->Pixel(23, 13), clBlack) << "right of the visible part";
  EXPECT_EQ(surface.Handle()->Pixel(7, 23), clRed);
  EXPECT_EQ(surface.Handle()->Pixel(8, 23), clBlack) << "the visible part may be any region";
  EXPECT_EQ(GetPixel(&client, 10, 15), CLR_INVALID);
  client.ChangeState().Brush = red;
  Ellipse(&client, 0, 0, 40, 40);
  EXPECT_EQ(surface.Handle()->Pixel(35, 25), clBlack) << "shapes keep to the visible part too";
  DeleteObject(red);
}

TEST_F(DeviceContext, ANewContextNeverInheritsAnOldOnesPainterState) {
  TBitmap surface(40, 40, pf32bit);
  for (int round = 0; round < 3; ++round) {
    // Contexts made and freed in turn tend to reuse one address.
    auto dc = std::make_unique<TDeviceContext>(CountedPtr<TGdiBitmap>(surface.Handle()), TPoint{0, 0},
                                               TRegion(Rect(0, 0, 40, 40)));
    if (round == 1) IntersectClipRect(dc.get(), 0, 0, 2, 2);
    SelectObject(dc.get(), GetStockObject(BLACK_BRUSH));
    Ellipse(dc.get(), 0, 0, 40, 40);
  }
  EXPECT_EQ(surface.Handle()->Pixel(20, 20), clBlack) << "the last ellipse is not clipped";
}

TEST_F(DeviceContext, MemoryContextsDrawOnTheSelectedBitmap) {
  HDC memory = CreateCompatibleDC(Dc());
  EXPECT_EQ(memory->Surface().Width(), 1);
  HBITMAP bitmap = CreateCompatibleBitmap(Dc(), 8, 8);
  EXPECT_EQ(bitmap->Format(), pf32bit);
  SelectObject(memory, bitmap);
  DeleteObject(bitmap);
  SelectObject(memory, GetStockObject(WHITE_BRUSH));
  PatBlt(memory, 0, 0, 8, 8, PATCOPY);
  SetPixel(memory, 2, 2, clRed);
  BitBlt(Dc(), 10, 10, 8, 8, memory, 0, 0, SRCCOPY);
  EXPECT_EQ(At(12, 12), clRed);
  EXPECT_EQ(At(13, 12), clWhite);
  EXPECT_TRUE(DeleteDC(memory));
}

// Drawing a bitmap through a memory context and putting the old bitmap
// back is how bitmaps are drawn; the old one was freed when replaced.
TEST_F(DeviceContext, TheFirstBitmapOfAMemoryContextCanBeSelectedBack) {
  HBITMAP bitmap = CreateCompatibleBitmap(Dc(), 4, 4);
  for (int round = 0; round < 2; ++round) {
    HDC memory = CreateCompatibleDC(Dc());
    const HGDIOBJ old = SelectObject(memory, bitmap);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(SelectObject(memory, old), bitmap);
    EXPECT_EQ(memory->Surface().Width(), 1);
    DeleteDC(memory);
  }
  DeleteObject(bitmap);
}

}  // namespace
