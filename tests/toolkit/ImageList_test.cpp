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

TEST_F(ImageList, TheHandleIsTheImageStore) {
  images.AddMasked(strip, clFuchsia);
  HIMAGELIST store = images.Handle();
  ASSERT_NE(store, nullptr);
  HICON icon = ImageList_GetIcon(store, 1, ILD_TRANSPARENT);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(ImageList_ReplaceIcon(store, -1, icon), 2) << "-1 appends";
  EXPECT_EQ(ImageList_ReplaceIcon(store, 0, icon), 0);
  EXPECT_EQ(ImageList_ReplaceIcon(store, 5, icon), -1);
  DestroyIcon(icon);
  EXPECT_EQ(images.Count(), 3);
  images.Draw(Canvas(), 10, 10, 0);
  EXPECT_EQ(Ink(), Rect(11, 11, 13, 13));
  EXPECT_EQ(At(11, 11), clBlue);

  EXPECT_EQ(images.BkColor(), clNone);
  EXPECT_EQ(ImageList_GetBkColor(store), CLR_NONE);
  images.SetBkColor(clRed);
  EXPECT_EQ(ImageList_GetBkColor(store), 0x0000FFu);
  EXPECT_EQ(ImageList_SetBkColor(store, CLR_DEFAULT), 0x0000FFu);
  EXPECT_EQ(images.BkColor(), clDefault);

  // Drawn through the handle: over the background colour unless it is none or the style is transparent.
  ImageList_SetBkColor(store, CLR_NONE);
  EXPECT_TRUE(ImageList_Draw(store, 0, Canvas().Handle(), 20, 10, ILD_NORMAL));
  EXPECT_EQ(At(21, 11), clBlue);
  EXPECT_EQ(At(20, 10), clWhite);
  ImageList_SetBkColor(store, 0x00FF00u);
  EXPECT_TRUE(ImageList_Draw(store, 1, Canvas().Handle(), 30, 10, ILD_TRANSPARENT));
  EXPECT_EQ(At(30, 10), clWhite);
  EXPECT_TRUE(ImageList_Draw(store, 1, Canvas().Handle(), 40, 10, ILD_NORMAL));
  EXPECT_EQ(At(40, 10), clLime);
  EXPECT_EQ(At(41, 11), clBlue);
  EXPECT_FALSE(ImageList_Draw(store, 3, Canvas().Handle(), 0, 0, ILD_NORMAL));
  ImageList_SetBkColor(store, CLR_DEFAULT);

  int width = 0, height = 0;
  EXPECT_TRUE(ImageList_SetIconSize(store, 8, 2));
  EXPECT_TRUE(ImageList_GetIconSize(store, &width, &height));
  EXPECT_EQ((TSize{width, height}), (TSize{8, 2}));
  EXPECT_EQ(images.Count(), 0) << "setting the size empties";

  // A store taken from elsewhere: the list's size follows it, and a shared one outlives the list.
  HIMAGELIST other = ImageList_Create(5, 6, ILC_MASK | ILC_COLOR32, 4, 4);
  {
    TImageList shared;
    shared.ShareImages = true;
    shared.SetHandle(other);
    EXPECT_EQ((TSize{shared.Width(), shared.Height()}), (TSize{5, 6}));
  }
  EXPECT_TRUE(ImageList_Destroy(other));
}

// A list that draws its own way: every Draw comes to DoDraw.
class TCountingList : public TImageList {
public:
  void DoDraw(int index, TCanvas&, int, int, unsigned style, bool) const override {
    Calls.push_back(index * 100 + int(style));
  }
  mutable std::vector<int> Calls;
};

TEST_F(ImageList, DrawingGoesThroughDoDraw) {
  TCountingList list;
  list.Draw(Canvas(), 0, 0, 1);
  list.Draw(Canvas(), 0, 0, 2, ILD_BLEND50, true);
  EXPECT_EQ(list.Calls, (std::vector<int>{100, 200 + int(ILD_BLEND50)}));
}

}  // namespace
