#include "toolkit/gdi/ImageList.h"

#include "CanvasFixture.h"

namespace {

class ImageList : public CanvasTest {
protected:
  // A strip of two 4 x 4 images on a fuchsia background: a red and a blue square of 2 x 2.
  ImageList() : strip(8, 4, pf24bit) {
    strip.Canvas().Brush().SetColor(clFuchsia);
    strip.Canvas().FillRect(Rect(0, 0, 8, 4));
    strip.Canvas().Brush().SetColor(clRed);
    strip.Canvas().FillRect(Rect(1, 1, 3, 3));
    strip.Canvas().Brush().SetColor(clBlue);
    strip.Canvas().FillRect(Rect(5, 1, 7, 3));
  }
  TBitmap strip;
  TImageList images{4, 4};
};

TEST_F(ImageList, CutsAStripAndDrawsWithoutTheMaskColour) {
  EXPECT_EQ(images.AddMasked(strip, clFuchsia), 0);
  EXPECT_EQ(images.Count(), 2);
  images.Draw(Canvas(), 10, 10, 1);
  EXPECT_EQ(Ink(), Rect(11, 11, 13, 13));
  EXPECT_EQ(At(11, 11), clBlue);
  images.Draw(Canvas(), 20, 10, 0, false);
  const TColor greyed = At(21, 11);
  EXPECT_TRUE(GetRValue(greyed) == GetGValue(greyed) && GetGValue(greyed) == GetBValue(greyed) && greyed != clRed);
  images.Draw(Canvas(), 0, 0, 2);  // no such image: nothing drawn
  EXPECT_EQ(At(1, 1), clWhite);
}

TEST_F(ImageList, MasksAlphaAndBitmapsComeBack) {
  TBitmap mask(8, 4, pf1bit);
  mask.Canvas().Brush().SetColor(clWhite);
  mask.Canvas().FillRect(Rect(0, 0, 8, 4));
  mask.Canvas().Brush().SetColor(clBlack);
  mask.Canvas().FillRect(Rect(0, 0, 2, 2));
  images.Add(strip, &mask);
  images.Draw(Canvas(), 0, 0, 0);
  EXPECT_EQ(Ink(), Rect(0, 0, 2, 2));
  EXPECT_EQ(At(0, 0), clFuchsia);
  TBitmap copy;
  images.GetBitmap(0, copy);
  EXPECT_EQ(copy.Width(), 4);
  EXPECT_EQ(static_cast<const std::uint32_t*>(copy.ScanLine(1))[1] >> 24, 255u);
  EXPECT_EQ(static_cast<const std::uint32_t*>(copy.ScanLine(3))[3] >> 24, 0u);
}

TEST_F(ImageList, LinksHearOfChangesUntilTheyGo) {
  int heard = 0;
  {
    TChangeLink link;
    link.OnChange = [&] { ++heard; };
    images.RegisterChanges(&link);
    images.AddMasked(strip, clDefault);
    images.Delete(0);
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(link.Sender(), &images);
  }
  images.Clear();
  EXPECT_EQ(heard, 2);
  images.SetSize(8, 8);
  EXPECT_EQ(images.Count(), 0);
}

}  // namespace
