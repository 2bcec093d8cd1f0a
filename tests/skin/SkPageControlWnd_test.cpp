// A skinned TPageControl under the test skin: its pages are taken over,
// pass their children's background requests up, and free their adapters
// when they go.

#include "skin/adapters/SkPageControlWnd.h"

#include <gtest/gtest.h>

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/SkinnedWindowFixture.h"
#include "toolkit/controls/PageControl.h"

namespace {

class SkPageControlWndTest : public SkinnedWindowFixture {
protected:
  SkPageControlWndTest() {
    for (int i = 0; i < 2; ++i) NewPage();
    ProcessEverything();
  }

  TPageControl* NewPageControl() {
    auto* made = new TPageControl(form);
    made->SetParent(form);
    made->SetBounds(20, 20, 300, 200);
    return made;
  }

  TTabSheet* NewPage() {
    auto* page = new TTabSheet(form);
    page->SetPageControl(pages);
    page->HandleNeeded();
    return page;
  }

  TPageControl* pages = NewPageControl();
  TSkinCommonData data{pages, true};
  TSkAdapterPtr<TSkPageControlWnd> adapter =
      TSkMainWnd::Make<TSkPageControlWnd>(pages->Handle(), &data, nullptr, "PAGECONTROL", false);
};

TEST_F(SkPageControlWndTest, EveryPageIsTakenOverOnce) {
  SendMessage(pages->Handle(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(PageAdapterCount(), 2u);
  for (int i = 0; i < pages->PageCount(); ++i)
    EXPECT_TRUE(WindowAnswersOne(pages->Pages(i)->Handle(), scIsSkinnable)) << i;
  adapter->AttachPages();
  EXPECT_EQ(PageAdapterCount(), 2u) << "adapted pages are skipped";

  TTabSheet* added = NewPage();
  EXPECT_EQ(PageAdapterCount(), 3u) << "a page made at run time, on its creation notice";
  EXPECT_TRUE(WindowAnswersOne(added->Handle(), scIsSkinnable));
}

TEST_F(SkPageControlWndTest, ChildsBackgroundIsThePageControlsShiftedByThePage) {
  adapter->AttachPages();
  TTabSheet* page = pages->Pages(0);
  TBackdropQuery direct, throughPage;
  SendSkinCommand(pages->Handle(), scGetBackdrop, reinterpret_cast<LPARAM>(&direct));
  SendSkinCommand(page->Handle(), scGetBackdrop, reinterpret_cast<LPARAM>(&throughPage));
  TRect control, inside;
  GetWindowRect(pages->Handle(), control);
  GetWindowRect(page->Handle(), inside);
  EXPECT_EQ(throughPage.Kind, direct.Kind);
  EXPECT_EQ(throughPage.Color, direct.Color);
  EXPECT_EQ(throughPage.Offset,
            (TPoint{direct.Offset.X + inside.Left - control.Left, direct.Offset.Y + inside.Top - control.Top}));
}

// The page control's picture answers as a colour (its section is plain):
// the page takes the colour and, from the picture, the strip facing the tabs.
TEST_F(SkPageControlWndTest, PageShowsTheControlsColourAndTheStripFacingTheTabs) {
  adapter->AttachPages();
  Print(pages->Handle());  // the control's picture is made
  TTabSheet* page = pages->ActivePage();
  ASSERT_NE(page, nullptr);
  TRect control, inside;
  GetWindowRect(pages->Handle(), control);
  GetWindowRect(page->Handle(), inside);
  const TPoint at{inside.Left - control.Left, inside.Top - control.Top};
  TBackdropQuery query;
  SendSkinCommand(pages->Handle(), scGetBackdrop, reinterpret_cast<LPARAM>(&query));
  ASSERT_EQ(query.Kind, bkColor);
  ASSERT_NE(query.Bmp, nullptr);
  TBitmap picture(inside.Width(), inside.Height(), pf24bit);
  SendMessage(page->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(picture.Canvas().Handle()), 0);
  for (int y = 0; y < 3; ++y)
    EXPECT_EQ(BytesColor(picture, 10, y), BytesColor(*query.Bmp, at.X + 10, at.Y + y)) << "strip row " << y;
  EXPECT_EQ(BytesColor(picture, 10, 20), ColorToRGB(query.Color)) << "below the strip";
}

TEST_F(SkPageControlWndTest, DestroyingAPageFreesItsAdapter) {
  adapter->AttachPages();
  ASSERT_EQ(PageAdapterCount(), 2u);
  delete pages->Pages(1);
  EXPECT_EQ(PageAdapterCount(), 1u);
  FreePageAdapters();
  EXPECT_EQ(PageAdapterCount(), 0u);
  EXPECT_FALSE(WindowAnswersOne(pages->Pages(0)->Handle(), scIsSkinnable)) << "the page was given back";
}

}  // namespace
