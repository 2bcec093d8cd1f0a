#include "skin/adapters/SkMnuWnd.h"

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "tests/skin/BitmapBytes.h"
#include "tests/skin/MenuTestSupport.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "tests/toolkit/WindowTestSupport.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"

namespace {

// Tells when it is freed.
class TWatchedMnuWnd : public TSkMnuWnd {
public:
  explicit TWatchedMnuWnd(bool& freed) : freed_(freed) {}

protected:
  ~TWatchedMnuWnd() override { freed_ = true; }

private:
  bool& freed_;
};

// A window of the recording class framed as menu windows are, with a menu
// adapter on it painting the plain section MENULINE.
class SkMnuWndTest : public MenuFixture {
protected:
  SkMnuWndTest() {
    WNDCLASS windowClass;
    windowClass.lpfnWndProc = &RecordingWindowProc;
    windowClass.lpszClassName = RecordingClass;
    RegisterClass(windowClass);
    TMessageLog::Current() = {};
    window = CreateWindowEx(0, RecordingClass, "", WS_POPUP | WS_DLGFRAME | WS_VISIBLE, 50, 50, 120, 90, nullptr,
                            nullptr, nullptr);
    Add(popup.Items(), "Item");
    adapter = TSkMainWnd::Make<TWatchedMnuWnd>(window, nullptr, &manager, "MENULINE", false, freed).release();
    Menus().SetActive(true);
  }
  ~SkMnuWndTest() override {
    if (IsWindow(window)) DestroyWindow(window);
    TMessageLog::Current() = {};
  }

  LRESULT Command(WORD subCommand) { return SendSkinCommand(window, subCommand, 0); }
  TColor FramePixel() { return RenderWindow(window)->Pixel(1, 45); }

  HWND window = nullptr;
  bool freed = false;
  TSkMnuWnd* adapter = nullptr;
};

TEST_F(SkMnuWndTest, TheBorderCountsAsDrawnFromSubCommand14UntilTheNextBackgroundRepaint) {
  MenuMeasured = true;
  EXPECT_EQ(Command(scIsSkinnable), 1);
  EXPECT_EQ(Command(scIsMenuBorderDrawn), 0);
  Command(scMenuBorderDrawn);
  EXPECT_EQ(Command(scIsMenuBorderDrawn), 1);
  EXPECT_EQ(Command(scIsMenuBorderDrawn), 1) << "asking does not clear it";
  EXPECT_EQ(SendMessage(window, WM_ERASEBKGND, 0, 0), 1);
  EXPECT_EQ(Command(scIsMenuBorderDrawn), 0);
  EXPECT_EQ(RenderWindow(window)->Pixel(60, 45), 0x00E0E0E0u) << "the cache's inside, shifted by the frame";
}

// The image of the window, built without it so that MenuWndProc does not
// stand in front of the adapter.
void BuildImageOf(TSkinableMenus& menus, TMenuItem* first, HWND window, int width) {
  menus.BuildMenuImage(first, width, nullptr, 90);
  MenuImages.back().Wnd = window;
}

TEST_F(SkMnuWndTest, TheFrameComesFromTheMenuImageOfTheWindowsSizeElseFromTheCache) {
  MenuMeasured = true;
  BuildImageOf(Menus(), popup.Items().Items(0), window, 120);
  ASSERT_EQ(MenuImages.size(), 1u);
  SendMessage(window, WM_NCPAINT, 1, 0);
  EXPECT_EQ(FramePixel(), BytesColor(*MenuImages[0].Image, 1, 45)) << "MAINMENU's frame from the image";
  EXPECT_EQ(FramePixel(), TestSkin::FrameColors[0]);

  ClearMenuImages();
  BuildImageOf(Menus(), popup.Items().Items(0), window, 114);
  SendMessage(window, WM_NCPAINT, 1, 0);
  EXPECT_EQ(FramePixel(), 0x00E0E0E0u) << "an image 6 pixels narrower is not this window's: the cache's frame";
}

TEST_F(SkMnuWndTest, OutsideMenuPaintingBackgroundAndFrameReachTheWindowUnchanged) {
  MenuMeasured = false;
  TMessageLog::Current() = {};
  SendMessage(window, WM_ERASEBKGND, 0, 0);
  SendMessage(window, WM_NCPAINT, 1, 0);
  EXPECT_EQ(TMessageLog::Current().Count(WM_ERASEBKGND), 1u);
  EXPECT_EQ(TMessageLog::Current().Count(WM_NCPAINT), 1u);
}

TEST_F(SkMnuWndTest, TheWindowsEndDropsTheMenuImagesAndFreesTheAdapterLast) {
  MenuMeasured = true;
  Menus().BuildMenuImage(popup.Items().Items(0), 120, window, 90);
  Command(scMenuBorderDrawn);
  DestroyWindow(window);
  EXPECT_TRUE(freed);
  EXPECT_TRUE(MenuImages.empty());
  EXPECT_FALSE(MenuMeasured);
  EXPECT_EQ(TMessageLog::Current().Count(WM_DESTROY), 1u) << "the window's own procedure heard it";
}

}  // namespace
