#include "skin/adapters/SkStatusBarWnd.h"

#include <memory>
#include <string>

#include "tests/skin/BarAdapterFixture.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/win/ControlMessages.h"

namespace {

// A shown form with a status bar of three panels, without texts, adapted
// under the test skin ("STATUSBAR").
class SkStatusBarWndTest : public BarAdapterFixture<TStatusBar, TSkStatusBarWnd> {
protected:
  SkStatusBarWndTest() {
    for (int width : {80, 80, 80}) bar->Panels().Add().SetWidth(width);
    form->Show();
    ProcessEverything();
  }

  void Adapt() { BarAdapterFixture::Adapt("STATUSBAR"); }
  // The test skin's panel borders (three frames of 16 x 16) as STATUSBAR's panel mask.
  void GivePanelMask() {
    TSkinMaskData mask;
    mask.SectionName = "STATUSBAR";
    mask.PropertyName = "STATUSPANELMASK";
    mask.Manager = &manager;
    mask.SourceRect = TestSkin::PanelBorder;
    mask.ImageCount = 3;
    mask.WL = mask.WT = mask.WR = mask.WB = 4;
    manager.Masks.push_back(std::move(mask));
  }
  TRect Part(int index) {
    TRect r;
    bar->Perform(SB_GETRECT, index, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  TColor At(int x, int y) { return RenderWindow(bar->Handle())->Pixel(x, y); }
};

TEST_F(SkStatusBarWndTest, PanelsWithoutAMaskAreDividedButTheLastOne) {
  Adapt();
  const int y = bar->Height() / 2;
  for (int i = 0; i < 3; ++i) {
    const TRect part = Part(i);
    const bool divided = At(part.Right - 2, y) != At(part.Left + 20, y);
    EXPECT_EQ(divided, i < 2) << "panel " << i;
  }
}

TEST_F(SkStatusBarWndTest, InSimpleModeThePanelMaskCoversTheWholeBar) {
  GivePanelMask();
  bar->SetSimplePanel(true);
  Adapt();
  EXPECT_EQ(At(0, bar->Height() / 2), TestSkin::FrameColors[0]) << "the mask's ring at the bar's own edge";
  EXPECT_EQ(At(bar->Width() - 1, bar->Height() / 2), TestSkin::FrameColors[0]);
}

TEST_F(SkStatusBarWndTest, ALongSimpleTextIsReadWholeAndCutToThePanel) {
  bar->SetSimplePanel(true);
  bar->SetSimpleText(std::string(1000, 'W'));
  Adapt();
  const TRect ink = InkBounds(*RenderWindow(bar->Handle()), {0, 0, bar->Width(), bar->Height()}, At(1, 1));
  EXPECT_LE(ink.Right, bar->Width() - 4) << "cut with dots inside the panel";
  EXPECT_GT(ink.Width(), bar->Width() / 2);
}

}  // namespace
