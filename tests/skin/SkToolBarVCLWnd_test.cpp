#include "skin/adapters/SkToolBarVCLWnd.h"

#include <memory>

#include "skin/ControlRoutines.h"
#include "tests/skin/BarAdapterFixture.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Menu.h"

namespace {

void AppBarDraw(TToolBar*, const TRect&, TCustomDrawStage, bool&) {}
void AppButtonDraw(TToolBar*, TToolButton*, TCustomDrawState, TCustomDrawStage, TTBCustomDrawFlags&,
                   bool&) {}

// A shown form with a tool bar of four buttons: plain, plain, disabled,
// drop-down; the adapter takes the bar over under the test skin.
class SkToolBarVCLWndTest : public BarAdapterFixture<TToolBar, TSkToolBarVCLWnd> {
protected:
  SkToolBarVCLWndTest() {
    bar->SetBounds(0, 0, 300, 30);
    for (TToolButtonStyle style : {tbsButton, tbsButton, tbsButton, tbsDropDown}) {
      auto* button = new TToolButton(form);
      button->SetStyle(style);
      button->SetParent(bar);
    }
    bar->Buttons(2)->SetEnabled(false);
    form->Show();
    ProcessEverything();
  }

  void Adapt() { BarAdapterFixture::Adapt("TOOLBAR"); }
  void MoveOver(int index) {
    const TRect r = bar->Buttons(index)->BoundsRect();
    SynthesizeMouse(form->Handle(), form->ScreenToClient(bar->ClientToScreen({r.Left + 3, r.Top + 3})),
                    TSyntheticMouse::Move, TInputButton::Left);
    ProcessEverything();
  }
  // The button's left edge, half way down, on the screen.
  TColor EdgeOf(int index) {
    const TRect r = bar->Buttons(index)->BoundsRect();
    return RenderWindow(bar->Handle())->Pixel(r.Left, r.Top + r.Height() / 2);
  }
  void Notify(int code, int item) {
    NMTOOLBAR record;
    record.hdr.code = static_cast<UINT>(code);
    record.iItem = item;
    bar->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&record));
  }
};

TEST_F(SkToolBarVCLWndTest, TheBarsOwnHandlersComeBackWhenTheAdapterGoes) {
  bar->OnAdvancedCustomDraw = &AppBarDraw;
  bar->OnAdvancedCustomDrawButton = &AppButtonDraw;
  const TMethod barHandler = bar->OnAdvancedCustomDraw.Method();
  const TMethod buttonHandler = bar->OnAdvancedCustomDrawButton.Method();
  Adapt();
  EXPECT_NE(bar->OnAdvancedCustomDraw.Method(), barHandler);
  adapter.reset();
  EXPECT_EQ(bar->OnAdvancedCustomDraw.Method(), barHandler);
  EXPECT_EQ(bar->OnAdvancedCustomDrawButton.Method(), buttonHandler);
  bar->Invalidate();
  ProcessEverything();  // paints through the application's handlers, not the freed adapter's
}

TEST_F(SkToolBarVCLWndTest, ButtonsShowTheirStateInToolButtonsFrames) {
  bar->Buttons(1)->SetDown(true);
  Adapt();
  EXPECT_EQ(EdgeOf(0), TestSkin::FrameColors[0]) << "normal";
  EXPECT_EQ(EdgeOf(1), TestSkin::FrameColors[2]) << "down";
  EXPECT_NE(EdgeOf(2), TestSkin::FrameColors[0]) << "disabled: faded";
}

TEST_F(SkToolBarVCLWndTest, ANonFlatBarTracksItsHotButtonPastDisabledOnes) {
  Adapt();
  MoveOver(1);
  EXPECT_EQ(adapter->HotIndex, 1);
  EXPECT_EQ(EdgeOf(1), TestSkin::FrameColors[1]);
  MoveOver(2);
  EXPECT_EQ(adapter->HotIndex, 1) << "a disabled button leaves the hot one";
  adapter->HotIndex = 9;
  Notify(TBN_DELETINGBUTTON, 3);
  EXPECT_EQ(adapter->HotIndex, -1) << "no longer below the count";
}

TEST_F(SkToolBarVCLWndTest, AFlatBarKeepsNoHotIndex) {
  bar->SetFlat(true);
  Adapt();
  MoveOver(1);
  EXPECT_EQ(adapter->HotIndex, -1);
}

TEST_F(SkToolBarVCLWndTest, PrintingGivesTheBandsAndTheButtonsAtTheirPlaceInTheWindow) {
  bar->SetBorderWidth(3);
  Adapt();
  TRect client;
  ClientRectInWindow(bar->Handle(), client);
  ASSERT_GT(client.Left, 0);
  TBitmap printed(bar->Width(), bar->Height(), pf24bit);
  printed.Canvas().Brush().SetColor(clFuchsia);
  printed.Canvas().FillRect({0, 0, bar->Width(), bar->Height()});
  const HDC dc = printed.Canvas().Handle();
  SendMessage(bar->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_NONCLIENT);
  const TRect r = bar->Buttons(0)->BoundsRect();
  EXPECT_EQ(printed.Canvas().Pixel(client.Left + r.Left, client.Top + r.Top + r.Height() / 2),
            TestSkin::FrameColors[0]);
  EXPECT_NE(printed.Canvas().Pixel(1, bar->Height() / 2), clFuchsia) << "the left band";
  EXPECT_NE(printed.Canvas().Pixel(bar->Width() / 2, bar->Height() - 1), clFuchsia) << "the bottom band";
  SetPixel(dc, 0, 0, clLime);
  EXPECT_EQ(printed.Canvas().Pixel(0, 0), clLime) << "the DC's origin is given back";
}

TEST_F(SkToolBarVCLWndTest, ADroppedDownButtonStaysDroppedUntilTheDropDownCloses) {
  TPopupMenu menu(nullptr);
  auto* item = new TMenuItem(nullptr);
  item->SetCaption("Item");
  menu.Items().Add(item);
  bar->Buttons(3)->DropdownMenu = &menu;
  Adapt();
  TToolButton* droppedWhileOpen = nullptr;
  Application().OnIdle = [&](TObject*, bool&) {
    droppedWhileOpen = adapter->DropButton;
    EndMenu();
  };
  Notify(TBN_DROPDOWN, 3);  // the bar opens the menu and runs its loop
  Application().OnIdle = nullptr;
  EXPECT_EQ(droppedWhileOpen, bar->Buttons(3));
  ProcessEverything();
  EXPECT_EQ(adapter->DropButton, nullptr) << "the drop-down closed";
  EXPECT_EQ(adapter->HotIndex, -1);
}

}  // namespace
