#include "toolkit/controls/Panel.h"

#include "tests/toolkit/FormFixture.h"
#include "toolkit/controls/Frame.h"
#include "toolkit/controls/GroupBox.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/PaintBox.h"
#include "toolkit/gdi/Bitmap.h"

namespace {

using PanelTest = FormFixture;

const TColor Highlight = ColorToRGB(clBtnHighlight);
const TColor Shadow = ColorToRGB(clBtnShadow);
const TColor Face = ColorToRGB(clBtnFace);

TEST_F(PanelTest, BevelsBandAndFaceFromTheOutsideIn) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(20, 20, 100, 60);
  panel->SetBevelOuter(bvRaised);
  panel->SetBevelInner(bvLowered);
  panel->SetBevelWidth(2);
  panel->SetBorderWidth(3);
  panel->SetColor(clYellow);
  EXPECT_EQ(panel->FrameWidth(), 7);
  const auto image = Render();
  struct TRing {
    int Inset;
    TColor Top;
    TColor Bottom;
  };
  for (const TRing ring : {TRing{0, Highlight, Shadow}, TRing{1, Highlight, Shadow}, TRing{2, clYellow, clYellow},
                           TRing{4, clYellow, clYellow}, TRing{5, Shadow, Highlight}, TRing{6, Shadow, Highlight},
                           TRing{7, clYellow, clYellow}}) {
    EXPECT_EQ(image->Pixel(20 + 50, 20 + ring.Inset), ring.Top) << "top edge, inset " << ring.Inset;
    EXPECT_EQ(image->Pixel(20 + ring.Inset, 20 + 30), ring.Top) << "left edge, inset " << ring.Inset;
    EXPECT_EQ(image->Pixel(20 + 50, 20 + 59 - ring.Inset), ring.Bottom) << "bottom edge, inset " << ring.Inset;
    EXPECT_EQ(image->Pixel(20 + 99 - ring.Inset, 20 + 30), ring.Bottom) << "right edge, inset " << ring.Inset;
  }
  EXPECT_EQ(image->Pixel(20 + 99, 20), Shadow) << "the shaded edges take both far corners";
  EXPECT_EQ(image->Pixel(20, 20 + 59), Shadow);

  auto* child = new TPanel(form);
  child->SetAlign(alClient);
  child->SetParent(panel);
  EXPECT_EQ(child->BoundsRect(), (TRect{7, 7, 93, 53})) << "aligned children fill the face";
}

TEST_F(PanelTest, CaptionIsCentredOnTheFaceAndASingleBorderIsAWindowEdge) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(20, 20, 200, 60);
  panel->SetBevelOuter(bvNone);
  panel->SetCaption("Caption");
  auto image = Render();
  const TRect ink = InkBounds(*image, Bounds(20, 20, 200, 60), Face);
  EXPECT_NEAR((ink.Left + ink.Right) / 2, 120, 2);
  EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 50, 3);

  panel->SetBorderStyle(bsSingle);
  EXPECT_EQ(panel->ClientWidth(), 200 - 4) << "a sunken edge around the client area";
  image = Render();
  EXPECT_EQ(image->Pixel(20, 40), Shadow);
}

TEST_F(PanelTest, GroupBoxFramesItsChildrenBelowTheCaption) {
  auto* box = new TGroupBox(form);
  box->SetParent(form);
  box->SetBounds(20, 20, 150, 100);
  box->SetCaption("Axes");
  auto* child = new TFrame(form);
  child->SetAlign(alClient);
  child->SetParent(box);
  EXPECT_GT(child->Top(), 10);
  EXPECT_EQ(child->Left(), 2);
  EXPECT_EQ(child->Width(), 150 - 4);
  child->Hide();
  const auto image = Render();
  EXPECT_EQ(image->Pixel(20 + 4, 20 + 99), Highlight) << "etched bottom edge";
  EXPECT_EQ(image->Pixel(20 + 4, 20 + 98), Shadow);
  const int frameTop = 20 + child->Top() / 2;
  EXPECT_NE(CountPixels(*image, Bounds(20 + 100, 20, 1, child->Top()), Shadow), 0) << "top edge right of the caption";
  EXPECT_EQ(CountPixels(*image, Bounds(20 + 12, frameTop - 1, 1, 3), Shadow), 0) << "the caption interrupts it";
}

TEST_F(PanelTest, ImagePlacesItsBitmapAndPaintBoxPaintsThroughOnPaint) {
  TBitmap red(10, 6, pf24bit);
  red.Canvas().Brush().SetColor(clRed);
  red.Canvas().FillRect({0, 0, 10, 6});
  red.Canvas().SetPixel(0, 5, clLime);
  auto* image = new TImage(form);
  image->SetParent(form);
  image->SetBounds(20, 20, 40, 30);
  image->SetBitmap(red);
  struct TCase {
    bool Center;
    bool Stretch;
    TRect Expected;
  };
  for (const TCase c : {TCase{false, false, Bounds(20, 20, 10, 6)}, TCase{true, false, Bounds(35, 32, 10, 6)},
                        TCase{false, true, Bounds(20, 20, 40, 30)}}) {
    image->SetCenter(c.Center);
    image->SetStretch(c.Stretch);
    const auto pixels = Render();
    EXPECT_EQ(InkBounds(*pixels, Bounds(0, 0, 100, 100), clWhite), c.Expected);
  }
  image->SetStretch(false);
  image->SetCenter(false);
  image->SetTransparent(true);
  auto pixels = Render();
  EXPECT_EQ(CountPixels(*pixels, Bounds(20, 20, 10, 6), clLime), 0) << "the bottom-left colour is left out";
  EXPECT_EQ(CountPixels(*pixels, Bounds(20, 20, 10, 6), clRed), 59);

  auto* box = new TPaintBox(form);
  box->SetParent(form);
  box->SetBounds(200, 100, 30, 20);
  box->OnPaint = [box](TObject*) {
    box->Canvas().Brush().SetColor(clBlue);
    box->Canvas().FillRect({0, 0, 100, 100});
  };
  pixels = Render();
  EXPECT_EQ(InkBounds(*pixels, Bounds(150, 50, 200, 200), clWhite), Bounds(200, 100, 30, 20))
      << "clipped to the box";
}

}  // namespace
