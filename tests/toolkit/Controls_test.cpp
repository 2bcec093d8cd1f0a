#include "toolkit/controls/Control.h"

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/GraphicControl.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/MessageQueue.h"

namespace {

// Remembers which components it was told are gone.
class TWatcher : public TComponent {
public:
  using TComponent::TComponent;
  std::vector<TComponent*> Removed;

protected:
  void Notification(TComponent* component, TOperation operation) override {
    if (operation == opRemove) Removed.push_back(component);
  }
};

TEST(Component, OwnerFreesWhatItOwnsAndForgetsWhatIsFreedFirst) {
  auto* owner = new TComponent(nullptr);
  auto* first = new TComponent(owner);
  auto* second = new TWatcher(owner);
  first->SetName("Console");
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(owner->FindComponent("CONSOLE"), first) << "names ignore case";
  delete first;
  EXPECT_EQ(owner->ComponentCount(), 1);
  EXPECT_EQ(owner->Components(0), second);
  EXPECT_EQ(second->Removed, std::vector<TComponent*>{first}) << "siblings hear of a removal";

  auto* outsider = new TComponent(nullptr);
  second->FreeNotification(outsider);
  delete outsider;
  EXPECT_EQ(second->Removed.back(), outsider);
  delete owner;  // frees second as well
}

TEST(Component, ClassNameIsTheClassOwnName) {
  TWatcher watcher(nullptr);
  EXPECT_EQ(watcher.ClassName(), "TWatcher");
}

// A windowless control painting a blue square and counting its clicks.
class TSquare : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;

protected:
  void Paint() override {
    Canvas().Brush().SetColor(clBlue);
    Canvas().FillRect(ClientRect());
  }
};

class ControlsTest : public ::testing::Test {
protected:
  ControlsTest() {
    form = new TForm(nullptr);
    form->SetBounds(10, 10, 200, 150);
    form->SetColor(clWhite);
  }
  ~ControlsTest() override { delete form; }

  TForm* form;
};

TEST_F(ControlsTest, AlignedChildrenShareTheClientArea) {
  auto* top = new TSquare(form);
  top->SetHeight(20);
  top->SetAlign(alTop);
  top->SetParent(form);
  auto* bottom = new TSquare(form);
  bottom->SetHeight(30);
  bottom->SetAlign(alBottom);
  bottom->SetParent(form);
  auto* rest = new TCustomControl(form);
  rest->SetAlign(alClient);
  rest->SetParent(form);
  form->Show();
  const TRect client = form->ClientRect();
  EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, client.Width(), 20));
  EXPECT_EQ(bottom->BoundsRect(), Bounds(0, client.Height() - 30, client.Width(), 30));
  EXPECT_EQ(rest->BoundsRect(), (TRect{0, 20, client.Width(), client.Height() - 30}));
  form->SetBounds(10, 10, 300, 250);
  EXPECT_EQ(rest->Height(), form->ClientHeight() - 50) << "a resize aligns again";
}

TEST_F(ControlsTest, WindowlessChildIsPaintedByItsParentAndGetsTheMouseOverItsArea) {
  auto* square = new TSquare(form);
  square->SetBounds(50, 40, 20, 10);
  square->SetParent(form);
  int clicks = 0;
  square->OnClick = [&clicks](TObject*) { ++clicks; };
  TPoint pressedAt;
  square->OnMouseDown = [&pressedAt](TObject*, TMouseButton, TShiftState, int x, int y) { pressedAt = {x, y}; };
  form->Show();
  ProcessEverything();

  const auto image = RenderWindow(form->Handle());
  const TPoint client = form->ScreenToClient(form->ClientOrigin());
  EXPECT_EQ(InkBounds(*image, {0, 0, image->Width(), image->Height()}, clWhite),
            Bounds(client.X + 50, client.Y + 40, 20, 10));

  TRect frame;
  GetWindowRect(form->Handle(), frame);
  const TPoint inSquare = form->ClientToScreen({55, 45});
  SynthesizeClick(form->Handle(), {inSquare.X - frame.Left, inSquare.Y - frame.Top});
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(pressedAt, (TPoint{5, 5})) << "in the square's own coordinates";
}

TEST_F(ControlsTest, PaintToDrawsTheControlAndItsChildrenAfreshAtThePoint) {
  auto* square = new TSquare(form);
  square->SetBounds(50, 40, 20, 10);
  square->SetParent(form);
  auto* panel = new TPanel(form);
  panel->SetBevelOuter(bvNone);
  panel->SetBounds(10, 10, 30, 20);
  panel->SetColor(clRed);
  panel->SetParent(form);
  form->Show();
  ProcessEverything();
  const auto shown = RenderWindow(form->Handle());
  // Painting held back: the window shows red, a snapshot the new colour.
  panel->Perform(WM_SETREDRAW, 0, 0);
  panel->SetColor(clLime);
  ProcessEverything();

  TBitmap target(shown->Width() + 20, shown->Height() + 20, pf24bit);
  form->PaintTo(target.Canvas().Handle(), 5, 7);
  const TGdiBitmap& pixels = *target.Handle();
  const TPoint client = form->ScreenToClient(form->ClientOrigin());
  const TPoint at{5 + client.X, 7 + client.Y};
  EXPECT_EQ(pixels.Pixel(at.X + 12, at.Y + 12), clLime) << "the windowed child, painted now";
  EXPECT_EQ(pixels.Pixel(at.X + 55, at.Y + 45), clBlue) << "the windowless child";
  EXPECT_EQ(pixels.Pixel(at.X + 100, at.Y + 100), clWhite);
  EXPECT_EQ(pixels.Pixel(4, 6), clBlack) << "nothing outside the form's place";
  EXPECT_EQ(pixels.Pixel(5 + shown->Width(), 7 + shown->Height()), clBlack);
  EXPECT_EQ(RenderWindow(panel->Handle())->Pixel(2, 2), clRed) << "the window itself is not repainted";
  panel->Perform(WM_SETREDRAW, 1, 0);
}

TEST_F(ControlsTest, TakingOverWindowProcKeepsTheWindowsProcedure) {
  auto* control = new TCustomControl(form);
  control->SetParent(form);
  form->Show();
  const HWND window = control->Handle();
  const LONG_PTR procedure = GetWindowLongPtr(window, GWL_WNDPROC);
  std::vector<UINT> seen;
  const TWndMethod saved = control->WindowProc;
  control->WindowProc = [&seen, saved](TMessage& message) {
    seen.push_back(message.Msg);
    saved(message);
  };
  SendMessage(window, WM_USER + 5, 0, 0);
  EXPECT_EQ(GetWindowLongPtr(window, GWL_WNDPROC), procedure);
  EXPECT_EQ(seen, std::vector<UINT>{WM_USER + 5});
  control->WindowProc = saved;
  EXPECT_EQ(control->Perform(WM_GETTEXTLENGTH, 0, 0), 0) << "messages reach the window's default handling";
}

TEST_F(ControlsTest, ChildrenTakeTheParentsFontAndColourUntilGivenTheirOwn) {
  auto* child = new TCustomControl(form);
  child->SetParentColor(true);
  child->SetParent(form);
  form->Font().SetName("DejaVu Sans");
  EXPECT_EQ(child->Font().Name(), "DejaVu Sans");
  EXPECT_EQ(child->Color(), clWhite);
  child->Font().SetName("DejaVu Sans Mono");
  form->Font().SetName("Liberation Serif");
  EXPECT_EQ(child->Font().Name(), "DejaVu Sans Mono") << "a font of its own is kept";
  form->SetColor(clYellow);
  EXPECT_EQ(child->Color(), clYellow);
}

TEST_F(ControlsTest, HiddenChildStopsShowingAndShowsOnlyWithItsForm) {
  auto* child = new TCustomControl(form);
  child->SetBounds(0, 0, 50, 50);
  child->SetParent(form);
  form->Show();
  EXPECT_TRUE(child->Showing());
  child->Hide();
  EXPECT_FALSE(child->Showing());
  EXPECT_FALSE(IsWindowVisible(child->Handle()));
  form->Hide();
  child->Show();
  EXPECT_FALSE(child->Showing()) << "a child shows only with its form";
}

TEST_F(ControlsTest, AChildNeverShownStaysOffTheDesktopWhenItsFormShows) {
  form->SetBorderStyle(bsNone);
  auto* child = new TCustomControl(form);
  child->SetVisible(false);
  child->SetBounds(0, 0, 50, 50);
  child->SetColor(clBlue);
  child->SetParent(form);
  child->HandleNeeded();
  form->Show();
  ProcessEverything();
  // Whatever the hidden child would show differs from the form's white.
  const TWindowPicture desktop = GrabWindow(form->Handle());
  ASSERT_GT(desktop.Width, 10);
  EXPECT_EQ(desktop.Pixels[static_cast<size_t>(10 * desktop.Width + 10)], 0xFFFFFFu) << "the hidden child shows";
}

}  // namespace
