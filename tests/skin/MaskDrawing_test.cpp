#include "skin/paint/MaskDrawing.h"

#include "skin/GeneralRoutines.h"
#include "tests/skin/PaintFixture.h"
#include "tests/skin/TestSkinFixture.h"

namespace {

using MaskDrawing = PaintFixture;

// Frame f, band b (0 left six columns, 1 middle two, 2 right six).
TColor BandColor(int frame, int band) { return TColor(0x10 + 0x40 * band) | TColor(0x20 + 0x30 * frame) << 8; }

TEST_F(MaskDrawing, NineGridNarrowsBordersAndPicksTheFrame) {
  for (int f = 0; f < 3; ++f) {
    FillBytes(*master, Rect(f * 14, 0, f * 14 + 6, 4), BandColor(f, 0));
    FillBytes(*master, Rect(f * 14 + 6, 0, f * 14 + 8, 4), BandColor(f, 1));
    FillBytes(*master, Rect(f * 14 + 8, 0, f * 14 + 14, 4), BandColor(f, 2));
  }
  const int plain = manager.AddMask("X", "BORDERSMASK", Rect(0, 0, 42, 4), 3, 0, {6, 1, 6, 1});
  const int quiet = manager.AddMask("X", "BORDERSMASK", Rect(0, 0, 42, 4), 3, 0, {6, 1, 6, 1}, smNoNormalBorder);
  const struct {
    int Mask, Width, State;
    bool Drawn;
    int Left, Right, Frame;
  } cases[] = {
      {plain, 10, 0, true, 5, 5, 0}, {plain, 9, 0, true, 5, 4, 0}, {plain, 1, 0, false, 0, 0, 0},
      {plain, 10, 5, true, 5, 5, 2}, {quiet, 10, 0, false, 0, 0, 0}, {quiet, 10, 1, true, 5, 5, 1},
  };
  for (const auto& c : cases) {
    auto bmp = FilledBitmap(14, 6, Sentinel);
    const TRect r = Rect(1, 1, 1 + c.Width, 5);
    DrawMaskRect(bmp.get(), r, false, EmptyBackdrop, manager.Masks[c.Mask], c.State, false);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 14; ++x) {
        TColor expected = Sentinel;
        if (c.Drawn && x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
          expected = x < r.Left + c.Left ? BandColor(c.Frame, 0) : x >= r.Right - c.Right ? BandColor(c.Frame, 2) : Sentinel;
        ASSERT_EQ(BytesColor(*bmp, x, y), expected) << "width " << c.Width << " state " << c.State << " at " << x << "," << y;
      }
  }
}

TEST_F(MaskDrawing, StretchedEdgesAverageTheirSourceWithHalftoneAndLeaveTheCentre) {
  FillBytes(*master, Rect(0, 8, 3, 12), Grey(200));
  SetBytesColor(*master, 0, 9, Grey(0));
  SetBytesColor(*master, 0, 10, Grey(90));
  const int mask = manager.AddMask("X", "BORDERSMASK", Rect(0, 8, 3, 12), 1, 0, {1, 1, 1, 1}, smStretch);
  auto bmp = FilledBitmap(4, 5, Sentinel);
  DrawMaskRect(bmp.get(), Rect(0, 0, 4, 5), true, EmptyBackdrop, manager.Masks[mask], 0, false);
  // Two source rows over three: the middle one covers a third of each.
  EXPECT_EQ(BytesColor(*bmp, 0, 1), Grey(0));
  EXPECT_EQ(BytesColor(*bmp, 0, 2), Grey(45));
  EXPECT_EQ(BytesColor(*bmp, 0, 3), Grey(90));
  EXPECT_EQ(BytesColor(*bmp, 1, 2), Sentinel) << "no centre without its bit";
  EXPECT_EQ(BytesColor(*bmp, 2, 3), Sentinel);
}

TEST_F(MaskDrawing, ACentreThatBelongsToTheMaskIsTiledWithCutLastRowAndColumn) {
  FillBytes(*master, Rect(16, 8, 20, 12), Grey(10));
  const TColor centre[4] = {0x000000A0, 0x0000A000, 0x00A00000, 0x00A0A0A0};
  for (int i = 0; i < 4; ++i) SetBytesColor(*master, 17 + i % 2, 9 + i / 2, centre[i]);
  const int mask = manager.AddMask("X", "BORDERSMASK", Rect(16, 8, 20, 12), 1, 0, {1, 1, 1, 1}, smCentreInMask);
  for (bool filling : {true, false}) {
    auto bmp = FilledBitmap(7, 7, Sentinel);
    DrawMaskRect(bmp.get(), Rect(0, 0, 7, 7), filling, EmptyBackdrop, manager.Masks[mask], 0, false);
    for (int y = 1; y < 6; ++y)
      for (int x = 1; x < 6; ++x)
        ASSERT_EQ(BytesColor(*bmp, x, y), filling ? centre[(y - 1) % 2 * 2 + (x - 1) % 2] : Sentinel) << x << "," << y;
    EXPECT_EQ(BytesColor(*bmp, 0, 0), Grey(10));
  }
}

TEST_F(MaskDrawing, AMaskedFrameWithoutMiddleDrawsItsCornersAndEdgesOnly) {
  FillBytes(*master, Rect(24, 8, 28, 12), Grey(200));
  FillBytes(*master, Rect(24, 12, 28, 16), Grey(0));  // alpha: all picture
  const int mask = manager.AddMask("X", "BORDERSMASK", Rect(24, 8, 28, 16), 1, 1, {2, 1, 2, 1});
  auto bmp = FilledBitmap(10, 4, Sentinel);
  DrawMaskRect(bmp.get(), Rect(0, 0, 10, 4), true, EmptyBackdrop, manager.Masks[mask], 0, false);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 10; ++x)
      ASSERT_EQ(BytesColor(*bmp, x, y), x < 2 || x >= 8 ? Grey(200) : Sentinel) << x << "," << y;
}

TEST_F(MaskDrawing, KeyPixelsOfACornerTakeWhatTheBackdropSays) {
  FillBytes(*master, Rect(32, 8, 36, 12), Grey(50));
  SetBytesColor(*master, 32, 8, clSkinKey);
  const int mask = manager.AddMask("X", "BORDERSMASK", Rect(32, 8, 36, 12), 1, 0, {2, 2, 2, 2});
  auto behind = std::make_unique<TBitmap>(20, 20, pf24bit);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) SetBytesColor(*behind, x, y, TColor(x | y << 8));
  auto bmp = FilledBitmap(8, 8, Sentinel);
  const TBackdropRef onItself = MakeBackdropRef(bmp.get(), 0, 0);
  const struct {
    const char* Name;
    TBackdropRef Backdrop;
    bool UpdateCorners;
    TColor Expected;
  } cases[] = {
      {"ready", MakeBackdropRef(behind.get(), 3, 4), true, TColor(5 | 6 << 8)},
      {"ready, not updated", MakeBackdropRef(behind.get(), 3, 4), false, Sentinel},
      {"the target itself", onItself, true, Sentinel},
      {"not ready, magenta", {nullptr, 0, 0, clSkinKey, false}, true, clSkinKey},
      {"not ready, a colour", {nullptr, 0, 0, 0x00AABBCC, false}, false, 0x00AABBCC},
  };
  for (const auto& c : cases) {
    FillBytes(*bmp, Rect(0, 0, 8, 8), Sentinel);
    DrawMaskRect(bmp.get(), Rect(2, 2, 8, 8), false, c.Backdrop, manager.Masks[mask], 0, c.UpdateCorners);
    EXPECT_EQ(BytesColor(*bmp, 2, 2), c.Expected) << c.Name;
    EXPECT_EQ(BytesColor(*bmp, 3, 2), Grey(50)) << c.Name;
  }
}

TEST_F(MaskDrawing, FramesDrawnUnscaledCutAtTheLeftAndFadedWhenDisabled) {
  for (int c = 0; c < 8; ++c) FillBytes(*master, Rect(c, 20, c + 1, 22), Grey(20 * c + 10));
  const int strip = manager.AddMask("X", "GLYPH", Rect(0, 20, 8, 22), 1, 0);
  auto bmp = FilledBitmap(8, 2, Sentinel);
  DrawMaskImage(bmp.get(), {-4, 0}, 0, 1, manager.Masks[strip], EmptyBackdrop);
  for (int x = 0; x < 8; ++x) EXPECT_EQ(BytesColor(*bmp, x, 1), x < 4 ? Grey(20 * (x + 4) + 10) : Sentinel) << x;

  FillBytes(*master, Rect(10, 20, 12, 22), Grey(200));
  const int plain = manager.AddMask("X", "GLYPH", Rect(10, 20, 12, 22), 1, 0);
  FillBytes(*master, Rect(20, 20, 22, 21), Grey(200));
  FillBytes(*master, Rect(20, 21, 22, 22), Grey(50));
  const int masked = manager.AddMask("X", "GLYPH", Rect(20, 20, 22, 22), 1, 1);
  const struct {
    int Mask, Mode, Expected;
  } cases[] = {
      {plain, 2, 150},   // half strength over 100
      {masked, 1, 180},  // ((100 - 200) x 50 + 200 x 256) shr 8
      {masked, 2, 141},  // the same with 150
  };
  for (const auto& c : cases) {
    auto over = FilledBitmap(4, 4, Grey(100));
    DrawMaskImage(over.get(), {1, 1}, 0, c.Mode, manager.Masks[c.Mask], EmptyBackdrop);
    EXPECT_EQ(BytesColor(*over, 1, 1), Grey(c.Expected)) << "mask " << c.Mask << " mode " << c.Mode;
    EXPECT_EQ(BytesColor(*over, 0, 0), Grey(100));
  }
}

TEST_F(MaskDrawing, KeyRunsOfTheRightCornerLandAtTheTargetsRightEnd) {
  FillBytes(*master, Rect(40, 0, 50, 10), Grey(30));
  SetBytesColor(*master, 48, 0, clSkinKey);  // frame column 8 of 10
  SetBytesColor(*master, 49, 0, clSkinKey);
  SetBytesColor(*master, 40, 9, clSkinKey);
  const int mask = manager.AddMask("X", "BORDERSMASK", Rect(40, 0, 60, 10), 2, 0, {3, 2, 3, 2});
  TAOR top, bottom;
  CollectKeyRects(top, 100, manager.Masks[mask], 7, false);
  CollectKeyRects(bottom, 100, manager.Masks[mask], 50, true);
  EXPECT_EQ(top, TAOR({Rect(98, 7, 100, 8)}));
  EXPECT_EQ(bottom, TAOR({Rect(0, 51, 1, 52)}));
}

using MaskDrawingOnTestSkin = TestSkinFixture;

TEST_F(MaskDrawingOnTestSkin, KeyRunsOfThePanelsCornerRow) {
  manager.LoadSkin();
  TAOR rects;
  CollectKeyRects(rects, 200, Mask("PANEL", "BORDERSMASK"), 10, false);
  EXPECT_EQ(rects, TAOR({Rect(0, 10, 2, 11), Rect(3, 10, 4, 11)}));
}

}  // namespace
