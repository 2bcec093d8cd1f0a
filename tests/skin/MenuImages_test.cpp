// Pop-up menus opened for real (TPopupMenu::Popup), driven by synthetic Qt
// input from the menu loop's idle passes; their "#32768" windows are read
// before the menu ends.

#include <functional>
#include <memory>
#include <vector>

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/MenuTestSupport.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Region.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Hook.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowRegion.h"

namespace {

std::vector<HWND> MenuWindows;

LRESULT RecordMenuWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND &&
      std::string(reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs->lpszClass) == MenuWindowClass)
    MenuWindows.push_back(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class MenuImagesTest : public MenuFixture {
protected:
  MenuImagesTest() {
    hook = SetWindowsHookEx(WH_CBT, &RecordMenuWindows, nullptr, 0);
    MenuWindows.clear();
    form.SetBounds(10, 10, 300, 200);
    form.Show();
    for (const char* caption : {"Open", "-", "Sub", "Disabled", "Last"}) Add(popup.Items(), caption);
    Add(*popup.Items().Items(2), "Inner");
    popup.Items().Items(0)->SetShortCut(TShortCut(scCtrl | 'O'));
    popup.Items().Items(3)->SetEnabled(false);
    Menus().HookPopupMenu(&popup, true);
    ProcessEverything();
  }
  ~MenuImagesTest() override {
    Application().OnIdle = nullptr;
    UnhookWindowsHookEx(hook);
  }

  // Opens the menu at (100, 80); the steps run one per idle pass of the menu loop.
  void Run(std::vector<std::function<void()>> steps) {
    auto remaining = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
    Application().OnIdle = [remaining](TObject*, bool&) {
      if (remaining->empty()) {
        ADD_FAILURE() << "the menu is still open after the steps";
        EndMenu();
        return;
      }
      const auto step = remaining->front();
      remaining->erase(remaining->begin());
      step();
    };
    popup.Popup(100, 80);
  }

  void Key(WORD key) { SynthesizeKeyStroke(form.Handle(), key, ""); }

  // An item's rectangle in its menu window's coordinates.
  static TRect ItemInWindow(HWND window, HMENU menu, UINT position) {
    TRect item, bounds;
    GetMenuItemRect(nullptr, menu, position, item);
    GetWindowRect(window, bounds);
    OffsetRect(item, -bounds.Left, -bounds.Top);
    return item;
  }

  TColor PixelOf(HWND window, int x, int y) { return RenderWindow(window)->Pixel(x, y); }

  HHOOK hook;
  TForm form{nullptr};
};

TEST_F(MenuImagesTest, TheFirstPaintBuildsOneImageOfTheWindowAndEachMenuItsOwn) {
  TSize windowSize;
  size_t withSubmenu = 0;
  Run({[&] {
         ASSERT_EQ(MenuImages.size(), 1u);
         TRect bounds;
         GetWindowRect(MenuWindows.back(), bounds);
         windowSize = {bounds.Width(), bounds.Height()};
         EXPECT_EQ(MenuImages[0].Wnd, MenuWindows.back());
         EXPECT_EQ(MenuImages[0].FirstItem, popup.Items().Items(0));
         EXPECT_EQ(MenuImages[0].Image->Width(), windowSize.cx);
         EXPECT_EQ(MenuImages[0].Image->Height(), windowSize.cy);
         EXPECT_EQ(MenuImages[0].Image->PixelFormat(), pf24bit);
         Key(VK_DOWN);
         Key(VK_DOWN);
         Key(VK_RIGHT);
       },
       [&] {
         withSubmenu = MenuImages.size();
         Key(VK_LEFT);
       },
       [&] {
         EXPECT_TRUE(MenuImages.empty()) << "a menu window that goes drops every image";
         Key(VK_ESCAPE);
       }});
  EXPECT_EQ(withSubmenu, 2u) << "the submenu appends its own";
}

TEST_F(MenuImagesTest, MenuWindowsRunMenuWndProcOnceAndPaintNeitherFrameNorBackground) {
  Run({[&] {
    const HWND window = MenuWindows.back();
    EXPECT_EQ(GetWindowLongPtr(window, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&MenuWndProc));
    const LONG_PTR previous = GetWindowLongPtr(window, GWL_USERDATA);
    EXPECT_NE(previous, reinterpret_cast<LONG_PTR>(&MenuWndProc));
    Menus().ShapeMenuWindow(window, MenuImages[0].Image.get());
    EXPECT_EQ(GetWindowLongPtr(window, GWL_USERDATA), previous) << "not subclassed twice";
    EXPECT_EQ(SendMessage(window, WM_ERASEBKGND, 0, 0), 1);
    EXPECT_EQ(SendMessage(window, WM_NCPAINT, 1, 0), 1);
    Key(VK_ESCAPE);
  }});
}

TEST_F(MenuImagesTest, TheRegionLeavesOutTheFramesKeyCornersOrElseTheTopLeftPixel) {
  bool cornerIn = true, besideIn = false, pictureIn = false;
  Run({[&] {
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(MenuWindows.back(), region), RGN_ERROR);
    EXPECT_FALSE(Menus().CornerRects.empty());
    cornerIn = PtInRegion(region, 0, 0) || PtInRegion(region, 1, 0);
    pictureIn = PtInRegion(region, 2, 0) && PtInRegion(region, 0, 1);
    DeleteObject(region);
    Key(VK_ESCAPE);
  }});
  EXPECT_FALSE(cornerIn) << "the key pixels of MAINMENU's top-left corner";
  EXPECT_TRUE(pictureIn);

  manager.Masks[manager.MaskIndexOfNames("MAINMENU", "BORDERSMASK")].PropertyName = "GONE";
  Run({[&] {
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(MenuWindows.back(), region);
    EXPECT_TRUE(Menus().CornerRects.empty());
    cornerIn = PtInRegion(region, 0, 0);
    besideIn = PtInRegion(region, 1, 0) && PtInRegion(region, 0, 1);
    DeleteObject(region);
    Key(VK_ESCAPE);
  }});
  EXPECT_FALSE(cornerIn) << "without corners the region still loses (0, 0)";
  EXPECT_TRUE(besideIn);
}

TEST_F(MenuImagesTest, ItemsShowMenuItemsFramesByStateOverTheMenusFrame) {
  TColor normal = 0, selected = 0, frame = 0, disabled = 0, disabledAlone = 0;
  Run({[&] {
         const HWND window = MenuWindows.back();
         const TRect first = ItemInWindow(window, popup.Handle(), 0);
         normal = PixelOf(window, first.Left, first.Top + first.Height() / 2);
         frame = PixelOf(window, 0, first.Top + first.Height() / 2);
         const TRect fourth = ItemInWindow(window, popup.Handle(), 3);
         disabled = PixelOf(window, fourth.Left, fourth.Top + fourth.Height() / 2);
         disabledAlone = BytesColor(*MenuImages[0].Image, fourth.Left, fourth.Top + fourth.Height() / 2);
         Key(VK_DOWN);
       },
       [&] {
         const HWND window = MenuWindows.back();
         const TRect first = ItemInWindow(window, popup.Handle(), 0);
         selected = PixelOf(window, first.Left, first.Top + first.Height() / 2);
         Key(VK_ESCAPE);
       }});
  EXPECT_EQ(frame, TestSkin::FrameColors[0]) << "MAINMENU's borders mask, frame 0";
  EXPECT_EQ(normal, TestSkin::FrameColors[0]) << "MENUITEM, frame 0";
  EXPECT_EQ(selected, TestSkin::FrameColors[1]) << "MENUITEM, frame 1, selected by the arrow key";
  EXPECT_NE(disabled, TestSkin::FrameColors[0]) << "blended with the menu image";
  EXPECT_NE(disabled, disabledAlone);
}

TEST_F(MenuImagesTest, TheItemUnderTheMouseShowsTheHotFrame) {
  TColor hovered = 0;
  Run({[&] {
         TRect last;
         GetMenuItemRect(nullptr, popup.Handle(), 4, last);
         SynthesizeMouseAtScreen({(last.Left + last.Right) / 2, (last.Top + last.Bottom) / 2}, TSyntheticMouse::Move);
       },
       [&] {
         const HWND window = MenuWindows.back();
         const TRect last = ItemInWindow(window, popup.Handle(), 4);
         hovered = PixelOf(window, last.Left, last.Top + last.Height() / 2);
         Key(VK_ESCAPE);
       }});
  EXPECT_EQ(hovered, TestSkin::FrameColors[1]);
}

TEST_F(MenuImagesTest, AnItemPaintedAwayFromItsWindowHasTheHookShapeTheWindowUnderIt) {
  bool shapedAgain = false;
  Run({[&] {
    const HWND window = MenuWindows.back();
    SetWindowRgn(window, nullptr, false);
    TBitmap alone(100, 30, pf24bit);
    Menus().DrawItem(popup.Items().Items(0), alone.Canvas(), {0, 0, 100, 30}, 0);
    Application().ProcessMessages();
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    shapedAgain = GetWindowRgn(window, region) != RGN_ERROR && !PtInRegion(region, 0, 0);
    DeleteObject(region);
    Key(VK_ESCAPE);
  }});
  EXPECT_TRUE(shapedAgain);
}

TEST_F(MenuImagesTest, TheExtraLineTakesTheEventsAnswer) {
  manager.MenuSupport().UseExtraLine = true;
  bool glyphFreed = false;
  struct TWatchedGlyph : TBitmap {
    explicit TWatchedGlyph(bool& freed) : TBitmap(8, 8, pf24bit), freed_(freed) {}
    ~TWatchedGlyph() override { freed_ = true; }
    bool& freed_;
  };
  bool visible = true;
  manager.OnGetMenuExtraLineData = [&](TMenuItem*, std::string&, std::string& caption, std::unique_ptr<TBitmap>& glyph,
                                       bool& lineVisible) {
    caption = "&Quantrel";
    glyph = std::make_unique<TWatchedGlyph>(glyphFreed);
    lineVisible = visible;
  };
  int height = 0;
  Measured(popup.Items().Items(0), height);
  EXPECT_EQ(ExtraLineCaption, "Quantrel") << "no \"&\" is drawn";
  EXPECT_FALSE(glyphFreed);

  visible = false;
  Measured(popup.Items().Items(0), height);
  EXPECT_TRUE(glyphFreed) << "a hidden line frees its glyph";
  EXPECT_EQ(ExtraLineGlyph, nullptr);
  Run({[&] {
    ASSERT_EQ(MenuImages.size(), 1u);
    EXPECT_FALSE(MenuImages[0].HaveExtraLine);
    EXPECT_EQ(Menus().ExtraLineWidthOf(MenuImages[0]), 0) << "no band";
    Key(VK_ESCAPE);
  }});
}

}  // namespace
