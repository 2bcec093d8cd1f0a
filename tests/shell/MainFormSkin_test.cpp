// The main window as the program makes it (its form the application's),
// under the test skin switched on and off by a skin manager.

#include <filesystem>

#include "skin/SkinPanel.h"
#include "skin/SkinToolBar.h"
#include "skin/skins/SkinManager.h"
#include "tests/shell/MainFormFixture.h"
#include "tests/skin/TestSkinWriter.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/CoolBar.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/win/SysMetrics.h"

namespace {

using namespace TestSkin;

class MainFormSkinTest : public MainFormTest {
protected:
  MainFormSkinTest() {
    TXEdit::ResetNameCounter();
    form = Application().CreateForm<TMainForm>();
    ShowMade();
    std::filesystem::create_directories(skins.Path());
    WriteTestSkin(skins.Path().string());
    manager.SetSkinDirectory(skins.Path().string());
    // The main window has no provider to fade it in after a skin change.
    manager.AnimEffects.SkinChanging.Active = false;
  }
  // The window goes before the manager its controls ask.
  ~MainFormSkinTest() override { Free(); }

  void SwitchSkin(bool on) {
    if (on)
      manager.SetSkinName("TestSkin");
    else
      manager.SetActive(false);
    ProcessEverything();
  }
  TColor At(const TGdiBitmap& image, TControl& control, TPoint point) {
    const TPoint at = form->ScreenToClient(control.ClientToScreen(point));
    return image.Pixel(at.X, at.Y);
  }
  // The command line's panel around the line, and the tool bar, in the window.
  std::vector<TRect> Strips() {
    TSkinPanel& panel = *form->EditPanel;
    const TPoint at = form->ScreenToClient(panel.ClientToScreen({0, 0}));
    const TRect line = form->CommandLine->BoundsRect();
    const TPoint bar = form->ScreenToClient(form->ToolBar->ClientToScreen({0, 0}));
    return {Rect(at.X, at.Y, at.X + line.Left, at.Y + panel.Height()),
            Rect(at.X + line.Right, at.Y, at.X + panel.Width(), at.Y + panel.Height()),
            Rect(at.X, at.Y + line.Bottom, at.X + panel.Width(), at.Y + panel.Height()),
            Bounds(bar.X, bar.Y, form->ToolBar->Width(), form->ToolBar->Height())};
  }
  int DifferentIn(const TGdiBitmap& a, const TGdiBitmap& b, const std::vector<TRect>& areas) {
    int count = 0;
    for (const TRect& r : areas)
      for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) count += a.Pixel(x, y) != b.Pixel(x, y);
    return count;
  }

  TempFolder skins;
  TSkinManager manager{nullptr};
};

bool IsGrey(TColor color) { return GetRValue(color) == GetGValue(color) && GetGValue(color) == GetBValue(color); }

TEST_F(MainFormSkinTest, PanelToolBarButtonsAndDividersTakeTheirSections) {
  SwitchSkin(true);
  ASSERT_EQ(manager.SkinInfo(), "6.05");
  const auto image = RenderWindow(form->Handle());

  // PANEL's border mask in the strips around the command line.
  TSkinPanel& panel = *form->EditPanel;
  const int middle = panel.Height() / 2;
  EXPECT_EQ(At(*image, panel, {0, middle}), FrameColors[0]) << "left strip";
  EXPECT_EQ(At(*image, panel, {panel.Width() - 1, middle}), FrameColors[0]) << "right strip";
  EXPECT_EQ(At(*image, panel, {panel.Width() / 2, panel.Height() - 1}), FrameColors[0]) << "bottom strip";

  TSkinToolBar& bar = *form->ToolBar;
  int framed = 0, enabled = 0, dividers = 0;
  for (int i = 0; i < bar.ButtonCount(); ++i) {
    const TRect r = bar.Buttons(i)->BoundsRect();
    if (bar.Buttons(i)->Style() == tbsSeparator) {
      // DIVIDER in the middle strip of each separator.
      const TPoint at = form->ScreenToClient(bar.ClientToScreen(r.TopLeft()));
      const int x = at.X + r.Width() / 2;
      dividers += CountPixels(*image, Rect(x - 2, at.Y + 2, x + 2, at.Y + r.Height() - 2), FrameColors[0]) > 0;
    } else {
      // TOOLBUTTON's frame 0 on each button, dimmed on disabled ones.
      const bool isEnabled = bar.Buttons(i)->Enabled();
      enabled += isEnabled;
      framed += (At(*image, bar, {r.Left, r.Top + r.Height() / 2}) == FrameColors[0]) == isEnabled;
    }
  }
  EXPECT_EQ(framed, 11);
  EXPECT_GT(enabled, 5);
  EXPECT_EQ(dividers, 5);
  // TOOLBAR's grey gradient behind the buttons, right of the last one.
  const TRect last = bar.Buttons(bar.ButtonCount() - 1)->BoundsRect();
  if (last.Right + 2 < bar.ClientWidth()) {
    const TColor behind = At(*image, bar, {bar.ClientWidth() - 2, bar.ClientHeight() / 2});
    EXPECT_TRUE(IsGrey(behind) && behind != clWhite) << std::hex << behind;
  }
}

TEST_F(MainFormSkinTest, SwitchedOffTheWindowLooksAsBefore) {
  const auto before = RenderWindow(form->Handle());
  SwitchSkin(true);
  EXPECT_GT(DifferentIn(*before, *RenderWindow(form->Handle()), Strips()), 100) << "skinned meanwhile";
  SwitchSkin(false);
  EXPECT_EQ(DifferentIn(*before, *RenderWindow(form->Handle()), Strips()), 0);
}

}  // namespace
