// A skinned tab control under the test skin, on a fake 300 x 200 whose
// display area is inset by (2, 24, 2, 2). The TABTOP faces ring their
// three frames in distinct colours.

#include "skin/adapters/SkTabControlWnd.h"

#include <gtest/gtest.h>

#include "skin/SkinCommonData.h"
#include "skin/skins/SkinManager.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/SkinnedWindowFixture.h"
#include "tests/toolkit/ProtocolFakes.h"
#include "toolkit/gdi/ImageList.h"

namespace {

using TestSkin::FrameColors;

TFakeState ThreeTabs() {
  TFakeState state;
  state.Items = {{"One", {10, 2, 70, 22}}, {"Two", {70, 2, 130, 22}}, {"Three", {130, 2, 190, 22}}};
  state.Current = 0;
  return state;
}

class SkTabControlWndTest : public SkinnedWindowFixture {
protected:
  TSkAdapterPtr<TSkTabControlWnd> Adapt() {
    auto adapter = TSkMainWnd::Make<TSkTabControlWnd>(tabs.Handle(), nullptr, nullptr, "PAGECONTROL", false);
    ReadWindowGeometry(*adapter);
    return adapter;
  }
  TColor Behind(TSkMainWnd& adapter) {
    TBackdropRef behind;
    adapter.SkinData->WindowParentBackdrop(tabs.Handle(), behind);
    return behind.FillColor;
  }

  TProtocolFake tabs{"SysTabControl32", form->Handle(), Bounds(20, 20, 300, 200), ThreeTabs()};
};

TEST_F(SkTabControlWndTest, FrameAndStripLieBesideTheTabs) {
  auto adapter = Adapt();
  EXPECT_EQ(adapter->GetDisplayRect(), Rect(2, 26, 298, 198));
  EXPECT_EQ(adapter->GetPageRect(), Rect(0, 22, 300, 200));
  EXPECT_EQ(adapter->StripRect(), Rect(0, 0, 300, 22));
  EXPECT_EQ(adapter->TabRect(0, true), Rect(8, 0, 72, 24));
  EXPECT_EQ(adapter->TabRect(1, false), Rect(70, 2, 129, 26));
  EXPECT_TRUE(IsRectEmpty(adapter->TabRect(3, false))) << "no such tab";
  tabs.State.Current = -1;
  EXPECT_TRUE(IsRectEmpty(adapter->TabRect(0, false))) << "nothing selected";
  EXPECT_EQ(SendMessage(tabs.Handle(), SM_SKINCMD, SkinCommand(scGetTabManager), 0),
            reinterpret_cast<LRESULT>(&manager));
}

TEST_F(SkTabControlWndTest, SelectedTabIsPaintedPressedOverTheFrame) {
  auto adapter = Adapt();
  auto picture = Print(tabs.Handle());
  EXPECT_EQ(BytesColor(*picture, 130, 12), FrameColors[0]) << "an inactive tab's left edge";
  EXPECT_EQ(BytesColor(*picture, 8, 12), FrameColors[2]) << "the selected tab's left edge";
  EXPECT_EQ(BytesColor(*picture, 40, 23), FrameColors[2]) << "the selected tab reaches over the frame";
  EXPECT_EQ(BytesColor(*picture, 250, 10), Behind(*adapter)) << "the strip beside the tabs";
  EXPECT_NE(BytesColor(*picture, 250, 22), Behind(*adapter)) << "the page frame";
}

TEST_F(SkTabControlWndTest, WithoutTabsOnlyTheParentShows) {
  tabs.State.Items.clear();
  auto adapter = Adapt();
  auto picture = Print(tabs.Handle());
  for (const TPoint p : {TPoint{0, 0}, TPoint{150, 23}, TPoint{299, 199}})
    EXPECT_EQ(BytesColor(*picture, p.X, p.Y), Behind(*adapter)) << p.X << "," << p.Y;
}

TEST_F(SkTabControlWndTest, TabFacesNeedTheTopTabSection) {
  auto adapter = Adapt();
  manager.CachedIndexes.TabSections[toTop] = -1;
  auto plain = Print(tabs.Handle());
  EXPECT_EQ(BytesColor(*plain, 130, 12), Behind(*adapter)) << "no faces, the strip shows";
  EXPECT_EQ(BytesColor(*plain, 9, 3), Behind(*adapter)) << "nor under the selected tab's text";
  EXPECT_NE(BytesColor(*plain, 250, 22), Behind(*adapter)) << "the frame is still painted";

  manager.CachedIndexes.TabSections[toTop] = 0;  // as in a skin whose first section is TABTOP
  EXPECT_EQ(BytesColor(*Print(tabs.Handle()), 130, 12), FrameColors[0]);
}

// Tabs 0 and 1 in the second row, 2 and 3 in the first; 3 selected. Each
// tab painted reads its item once: the reads give the order.
TEST_F(SkTabControlWndTest, RowsArePaintedFromTheFirstTheSelectedTabLast) {
  tabs.State.Items = {{"A", {10, 24, 70, 44}}, {"B", {70, 24, 130, 44}}, {"C", {10, 2, 70, 22}}, {"D", {70, 2, 130, 22}}};
  tabs.State.Current = 3;
  tabs.State.Rows = 2;
  tabs.State.DisplayInset = {2, 48, 2, 2};
  auto adapter = Adapt();
  tabs.Received.clear();
  Print(tabs.Handle());
  std::vector<WPARAM> order;
  for (const TMessage& m : tabs.Received)
    if (m.Msg == TCM_GETITEM) order.push_back(m.WParam);
  EXPECT_EQ(order, (std::vector<WPARAM>{2, 0, 1, 3}));
}

TEST_F(SkTabControlWndTest, TabsShowTheirImages) {
  TImageList images(16, 16);
  TBitmap red(16, 16, pf24bit);
  red.Canvas().Brush().SetColor(0x000000FF);
  red.Canvas().FillRect(Rect(0, 0, 16, 16));
  images.AddMasked(red, clFuchsia);
  tabs.State.ImageList = reinterpret_cast<LRESULT>(images.HandleNeeded());
  tabs.State.Items[2].Image = 0;
  auto adapter = Adapt();
  auto picture = Print(tabs.Handle());
  int reds = 0;
  for (int y = 2; y < 22; ++y)
    for (int x = 130; x < 190; ++x) reds += BytesColor(*picture, x, y) == 0x000000FFu;
  EXPECT_GT(reds, 100) << "the third tab's image";
}

TEST_F(SkTabControlWndTest, ArrowAdapterFollowsTheUpDown) {
  auto adapter = Adapt();
  SendMessage(tabs.Handle(), WM_SIZE, 0, 0);
  ASSERT_NE(adapter->ArrowAdapter, nullptr);
  EXPECT_EQ(adapter->ArrowAdapter->Handle, tabs.Inner());
  DestroyWindow(tabs.Inner());
  SendMessage(tabs.Handle(), CM_CONTROLLISTCHANGE, 0, 0);
  EXPECT_EQ(adapter->ArrowAdapter, nullptr) << "freed at the control-list change";
}

}  // namespace
