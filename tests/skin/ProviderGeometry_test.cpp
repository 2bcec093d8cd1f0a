// The measures of a skinned form's window: frame, caption, menu line rows,
// client offsets and the caption icon, on forms with a provider under the
// test skin (so their frame is their own).

#include <utility>

#include <gtest/gtest.h>

#include "skin/SkinCommonData.h"
#include "skin/adapters/SkScrollWnd.h"
#include "skin/forms/SkinProvider.h"
#include "tests/skin/TestSkinFixture.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/ComponentImageList.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/win/Menu.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowBackend.h"

namespace {

class ProviderGeometry : public TestSkinFixture {
protected:
  ~ProviderGeometry() override { delete form; }

  // A shown form of the style and window size with its provider, skinned;
  // with a main menu of four items, which the skinnable menus measure: an
  // image and no text make them ItemWidth wide.
  TSkinProvider& SkinnedForm(TFormBorderStyle style, int width, int height, bool withMenu = false,
                             TFormStyle formStyle = fsNormal) {
    delete form;
    form = new TForm(nullptr);
    form->SetFormStyle(formStyle);
    form->SetBorderStyle(style);
    form->SetBounds(100, 120, width, height);
    if (withMenu) form->SetMenu(MakeMenu());
    form->Show();
    ProcessEverything();
    auto* provider = new TSkinProvider(form);
    ProcessEverything();
    return *provider;
  }
  TRect WindowRect() const {
    TRect rect;
    GetWindowRect(form->Handle(), rect);
    return rect;
  }
  // The skinnable menus add 6 pixels to an item's image.
  void SetItemWidth(int width) { images->SetSize(width - 6, 16); }

  TForm* form = nullptr;
  TComponentImageList* images = nullptr;
  int ItemWidth = 100;  // of the next menu

private:
  TMainMenu* MakeMenu() {
    auto* menu = new TMainMenu(form);
    images = new TComponentImageList(form);
    SetItemWidth(ItemWidth);
    menu->SetImages(images);
    for (int i = 0; i < 4; ++i) {
      auto* item = new TMenuItem(menu);
      item->SetImageIndex(0);
      item->SetGroupIndex(i);
      menu->Items().Add(item);
    }
    return menu;
  }
};

TEST_F(ProviderGeometry, AnOwnFrameGivesTheFrameCaptionAndClientOffsets) {
  struct TCase {
    TFormBorderStyle Style;
    int Width, Height;
    bool Menu;
    int FramedWidth, FramedHeight;
    int Frame, Title, OffsetX, OffsetY;
  };
  const TCase cases[] = {
      {bsSizeable, 400, 300, true, 408, 331, 4, 23, 4, 47},
      {bsSingle, 400, 300, false, 406, 329, 3, 23, 3, 26},
      {bsToolWindow, 300, 200, false, 306, 225, 3, 19, 3, 22},
      {bsNone, 300, 200, false, 300, 200, 0, 0, 0, 0},
      {bsDialog, 400, 300, false, 406, 329, 3, 23, 3, 26},
      {bsSizeToolWin, 300, 200, false, 308, 227, 4, 19, 4, 23},
  };
  ItemWidth = 40;  // one row
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Style);
    const TSkinProvider& skinned = SkinnedForm(c.Style, c.Width, c.Height, c.Menu);
    ASSERT_TRUE(HasOwnFrame(form->Handle()));
    const TRect window = WindowRect();
    EXPECT_EQ(window.Width(), c.FramedWidth);
    EXPECT_EQ(window.Height(), c.FramedHeight);
    EXPECT_EQ(skinned.FrameWidth(), c.Frame);
    EXPECT_EQ(skinned.FrameHeight(), c.Frame);
    EXPECT_EQ(skinned.TitleHeight(), c.Title);
    EXPECT_EQ(skinned.ClientOffsetX(), c.OffsetX);
    EXPECT_EQ(skinned.ClientOffsetY(), c.OffsetY);
    EXPECT_EQ(skinned.FormOrigin(), window.TopLeft());
    EXPECT_EQ(skinned.ToFormPoint(window.Left + 7, window.Top + 5), TPoint(7, 5));
  }
}

TEST_F(ProviderGeometry, StyleTestsFollowTheBorderStyle) {
  struct TCase {
    TFormBorderStyle Style;
    bool Frame, Sizing, BigButtons;
  };
  const TCase cases[] = {
      {bsNone, false, false, false},     {bsSingle, true, false, true},     {bsSizeable, true, true, true},
      {bsDialog, true, false, false},    {bsToolWindow, true, false, false}, {bsSizeToolWin, true, true, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Style);
    TSkinProvider& skinned = SkinnedForm(c.Style, 300, 200);
    EXPECT_EQ(skinned.HasFrame(), c.Frame);
    EXPECT_EQ(skinned.HasSizingFrame(), c.Sizing);
    EXPECT_EQ(skinned.BigButtons(), c.BigButtons);
    EXPECT_EQ(skinned.IconShown(), c.BigButtons) << "the icon shows where big buttons do";
    skinned.SetShowAppIcon(false);
    EXPECT_FALSE(skinned.IconShown());
  }
}

TEST(ProviderMeasures, IconSizeForCaptionHeights) {
  const std::pair<int, int> cases[] = {{8, 0}, {9, 8}, {16, 8}, {17, 16}, {27, 16}, {28, 32}};
  for (const auto& [height, size] : cases) EXPECT_EQ(TSkinProvider::IconSizeFor(height), size) << height;
}

TEST_F(ProviderGeometry, TheCaptionIconSitsAfterTheSkinsLeftOffsetCentredOnTheTitle) {
  TSkinProvider& skinned = SkinnedForm(bsSizeable, 400, 300);
  manager.GlobalInfo.CaptionButtonsLeft = 5;
  EXPECT_EQ(skinned.IconRect(), TRect(9, 5, 25, 21)) << "16 square for a caption of 23";
  skinned.TitleIcon().Width = 20;
  skinned.TitleIcon().Height = 12;
  EXPECT_EQ(skinned.IconRect(), TRect(9, 7, 29, 19));
  skinned.SetShowAppIcon(false);
  EXPECT_EQ(skinned.IconRect(), TRect(9, 13, 9, 13));
}

TEST_F(ProviderGeometry, AMinimizedFormKeepsItsTitleAndCountsTheFrameAgainAtTheTop) {
  ItemWidth = 40;  // one row
  TSkinProvider& skinned = SkinnedForm(bsSizeable, 400, 300, true);
  EXPECT_EQ(skinned.TopAreaHeight(), 47);
  ShowWindow(form->Handle(), SW_MINIMIZE);
  ProcessEverything();
  ASSERT_TRUE(IsIconic(form->Handle()));
  EXPECT_EQ(skinned.TitleHeight(), 23);
  EXPECT_EQ(skinned.TopAreaHeight(), 51);
  EXPECT_EQ(skinned.PaintWidth(), WindowRect().Width());
}

// The emulated bars take their thickness out of the client area, but the
// client still starts where the frame ends.
TEST_F(ProviderGeometry, EmulatedScrollBarsStayOutOfTheClientOffsets) {
  TSkinProvider& skinned = SkinnedForm(bsSingle, 400, 300);
  const HWND window = form->Handle();
  SetWindowLongPtr(window, GWL_STYLE, GetWindowLongPtr(window, GWL_STYLE) | WS_HSCROLL | WS_VSCROLL);
  skinned.ScrollWnd = TSkMainWnd::Make<TSkScrollWnd>(window, nullptr, &manager, "FORM", true);
  ProcessEverything();
  ASSERT_TRUE(skinned.ScrollWnd->VertBar.Shown && skinned.ScrollWnd->HorzBar.Shown);
  EXPECT_EQ(skinned.ClientOffsetX(), 3);
  EXPECT_EQ(skinned.ClientOffsetY(), 26);
  EXPECT_EQ(skinned.TopAreaHeight(), 26);
}

TEST_F(ProviderGeometry, TheGripSitsInsideTheFrameUnlessTheFormIsMaximized) {
  TSkinProvider& skinned = SkinnedForm(bsSizeable, 400, 300);
  EXPECT_FALSE(skinned.GripShown());
  skinned.GripMode = gmRightBottom;
  EXPECT_TRUE(skinned.GripShown());
  // The test skin's grip is one 8 x 8 image, inside a frame of 4 of the
  // 408 x 331 window; the cache is not painted yet.
  EXPECT_EQ(skinned.GripPosition(), TPoint(396, 319));
  form->SetWindowState(wsMaximized);
  ProcessEverything();
  EXPECT_FALSE(skinned.GripShown());
}

TEST_F(ProviderGeometry, TheCacheGoesStaleWithTheFormsSizeAndTheBorderHasStatesOnlyWithSeveralImages) {
  TSkinProvider& skinned = SkinnedForm(bsSizeable, 400, 300);
  TBitmap& cache = *skinned.SkinData().CacheBitmap();
  cache.SetSize(skinned.PaintWidth(), form->Height());
  EXPECT_FALSE(skinned.CacheSizeStale());
  cache.SetSize(skinned.PaintWidth(), form->Height() - 1);
  EXPECT_TRUE(skinned.CacheSizeStale());

  TSkinCommonData& data = skinned.SkinData();
  data.BorderMaskIndex = -1;
  EXPECT_TRUE(skinned.SingleStateBorder());
  data.BorderMaskIndex = manager.MaskIndexOfNames("PANEL", "BORDERSMASK");  // three images
  EXPECT_FALSE(skinned.SingleStateBorder());
  data.BorderMaskIndex = manager.MaskIndexOfNames("GLOBALINFO", "GRIPIMAGE");  // one
  EXPECT_TRUE(skinned.SingleStateBorder());
}

TEST_F(ProviderGeometry, TheMenuLineShowsWhileAnItemIsVisibleOnAFormThatIsNoDialog) {
  TSkinProvider& skinned = SkinnedForm(bsSizeable, 400, 300, true);
  EXPECT_TRUE(skinned.MenuLineShown());
  EXPECT_EQ(skinned.MenuBarHeight(), GetSystemMetrics(SM_CYMENU) - 1);
  TMenuItem& items = form->Menu()->Items();
  for (int i = 0; i < items.Count(); ++i) items.Items(i)->SetVisible(false);
  EXPECT_FALSE(skinned.MenuLineShown());
  EXPECT_FALSE(SkinnedForm(bsDialog, 400, 300, true).MenuLineShown());
  EXPECT_EQ(SkinnedForm(bsSizeable, 400, 300).MenuBarHeight(), 0) << "no main menu";
}

TEST_F(ProviderGeometry, MenuRowsWrapAsTheWindowReservesThem) {
  struct TCase {
    int Width;
    int Rows;
  };
  // At 100 every item is wider than a row, and no row is left empty.
  for (const TCase c : {TCase{420, 1}, TCase{400, 2}, TCase{200, 4}, TCase{100, 4}}) {
    SCOPED_TRACE(c.Width);
    TSkinProvider& skinned = SkinnedForm(bsSizeable, c.Width, 300, true);
    skinned.MenuRowCount = -1;
    EXPECT_EQ(skinned.MenuRows(), c.Rows);
    const int reserved = skinned.ClientOffsetY() - skinned.FrameHeight() - skinned.TitleHeight();
    EXPECT_EQ(reserved, c.Rows * GetSystemMetrics(SM_CYMENU)) << "the window reserves the rows counted";
  }
}

TEST_F(ProviderGeometry, MenuRowsCountOnlyItemsTheSkinnableMenusDraw) {
  TSkinProvider& skinned = SkinnedForm(bsSizeable, 200, 300, true);
  skinned.MenuRowCount = -1;
  ASSERT_EQ(skinned.MenuRows(), 4);
  TMenuItem& items = form->Menu()->Items();
  for (int i = 0; i < items.Count(); ++i) items.Items(i)->OnAdvancedDrawItem = {};
  skinned.MenuRowCount = -1;
  EXPECT_EQ(skinned.MenuRows(), 1) << "four rows on the window, none the skin draws";
}

TEST_F(ProviderGeometry, TheRowCountStaysUntilItIsAskedAgain) {
  TSkinProvider& skinned = SkinnedForm(bsSizeable, 420, 300, true);
  skinned.MenuRowCount = -1;
  ASSERT_EQ(skinned.MenuRows(), 1);
  SetItemWidth(200);
  EXPECT_EQ(skinned.MenuRows(), 1) << "kept";
  skinned.MenuRowCount = -1;
  EXPECT_EQ(skinned.MenuRows(), 2);
}

// The frame's menu line holds its active MDI child's items merged by
// group: a child item takes the place of the frame's items of its group.
TEST_F(ProviderGeometry, AnMdiChildsMenuGroupTakesTheFrameItemsPlace) {
  TSkinProvider& frame = SkinnedForm(bsSizeable, 200, 300, true, fsMDIForm);
  frame.MenuRowCount = -1;
  ASSERT_EQ(frame.MenuRows(), 4);
  TMenuItem& frameItems = form->Menu()->Items();
  for (int i = 0; i < frameItems.Count(); ++i) frameItems.Items(i)->SetVisible(false);
  EXPECT_FALSE(frame.MenuLineShown());

  auto* child = new TForm(form);
  child->SetFormStyle(fsMDIChild);
  auto* childMenu = new TMainMenu(child);
  auto* childItem = new TMenuItem(childMenu);
  childItem->SetGroupIndex(1);
  childItem->OnMeasureItem = [](TObject*, TCanvas&, int& width, int&) { width = 10; };
  childItem->OnAdvancedDrawItem = [](TObject*, TCanvas&, TRect, TOwnerDrawState) {};
  childMenu->Items().Add(childItem);
  child->SetMenu(childMenu);
  child->Show();
  ProcessEverything();
  ASSERT_EQ(form->ActiveMDIChild(), child);
  EXPECT_TRUE(frame.MenuLineShown()) << "the child's visible item";

  for (int i = 0; i < frameItems.Count(); ++i) frameItems.Items(i)->SetVisible(true);
  frame.MenuRowCount = -1;
  EXPECT_EQ(frame.MenuRows(), 3) << "the child's item in place of the frame's group 1";
}

// Only a fixed MDI child takes the thin frame, so a dialog child is framed
// for sizing, unlike a dialog form; a child always has a frame.
TEST_F(ProviderGeometry, AnMdiChildsFrameIsForSizingUnlessItIsFixed) {
  SkinnedForm(bsSizeable, 500, 400, false, fsMDIForm);
  const std::pair<TFormBorderStyle, int> cases[] = {{bsDialog, 4}, {bsNone, 4}, {bsSingle, 3}, {bsToolWindow, 3}};
  for (const auto& [style, frame] : cases) {
    SCOPED_TRACE(style);
    TForm child(form);
    child.SetFormStyle(fsMDIChild);
    child.SetBorderStyle(style);
    child.Show();
    auto* provider = new TSkinProvider(&child);
    EXPECT_TRUE(provider->HasFrame());
    EXPECT_EQ(provider->FrameWidth(), frame);
    EXPECT_EQ(provider->FrameHeight(), frame);
  }
}

}  // namespace
