// Turning the 3D graph window's view with the mouse, as real Qt mouse
// events on its paint box: the steps, the repaints, the bare box while
// dragging with FastDraw, the pop-up menu, a lost capture, and Reset.

#include <functional>

#include "tests/shell/GraphWindowsFixture.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/win/Menu.h"

namespace {

class Graph3DFormTest : public GraphWindowsTest {
protected:
  Graph3DFormTest() {
    StartGraphs();
    PressInMain(VK_F6);
    window = Graph3DForm;
    paint = window->PaintBox->OnPaint;
    window->PaintBox->OnPaint = [this](TObject* sender) {
      paint(sender);
      ++paints;
      if (AfterPaint) AfterPaint();
    };
  }
  ~Graph3DFormTest() override {
    window->PaintBox->OnPaint = paint;
    Application().OnIdle = nullptr;
  }

  // Paint-box coordinates, delivered to the panel's window.
  void Mouse(TSyntheticMouse action, TPoint at, TInputButton button = TInputButton::Left) {
    TRect panel;
    GetWindowRect(window->ScrPanel->Handle(), panel);
    const TPoint origin = window->PaintBox->ClientOrigin();
    SynthesizeMouse(window->ScrPanel->Handle(), {origin.X - panel.Left + at.X, origin.Y - panel.Top + at.Y}, action,
                    button);
    ProcessEverything();
  }
  long double Azimuth() const { return window->Graph->View.Z; }
  long double Elevation() const { return window->Graph->View.X; }

  TGraph3DForm* window;
  TNotifyEvent paint;
  int paints = 0;
  std::function<void()> AfterPaint;
};

TEST_F(Graph3DFormTest, ADragTurnsTheViewOneStepPerPixelAndRepaintsOncePerMoveThatChangedIt) {
  ASSERT_NEAR(Azimuth(), 330, 1e-9);
  ASSERT_NEAR(Elevation(), 20, 1e-9);
  Mouse(TSyntheticMouse::Move, {100, 100});
  Mouse(TSyntheticMouse::Move, {110, 90});
  EXPECT_EQ(paints, 0) << "a move without a press changes nothing";
  EXPECT_NEAR(Azimuth(), 330, 1e-9);
  paints = 0;
  Mouse(TSyntheticMouse::Press, {100, 100});
  EXPECT_TRUE(window->Graph->Rotating);
  EXPECT_EQ(paints, 1) << "the press";
  EXPECT_EQ(window->LastPoint, (TPoint{100, 100}));
  Mouse(TSyntheticMouse::Move, {102, 100});
  Mouse(TSyntheticMouse::Move, {105, 97});
  Mouse(TSyntheticMouse::Move, {105, 97});
  EXPECT_EQ(paints, 3) << "the second move to the same place repaints nothing";
  Mouse(TSyntheticMouse::Release, {105, 97});
  EXPECT_FALSE(window->Graph->Rotating);
  EXPECT_EQ(paints, 4) << "and the release";
  EXPECT_NEAR(Azimuth(), 331, 1e-9);
  EXPECT_NEAR(Elevation(), 19.4, 1e-9);
  EXPECT_EQ(PixelsUnlikePaintTo(*window), 0);

  window->actReset->Execute();
  EXPECT_NEAR(Azimuth(), 330, 1e-9);
  EXPECT_NEAR(Elevation(), 20, 1e-9);
  EXPECT_EQ(paints, 5);
}

TEST_F(Graph3DFormTest, WithFastDrawTheDragShowsTheBareBoxAndTheReleaseTheDataAgain) {
  window->Graph->Options.FastDraw = true;
  std::vector<std::size_t> elements;
  AfterPaint = [this, &elements] { elements.push_back(window->Graph->Elements.size()); };
  Mouse(TSyntheticMouse::Press, {100, 100});
  Mouse(TSyntheticMouse::Move, {140, 100});
  Mouse(TSyntheticMouse::Release, {140, 100});
  ASSERT_EQ(elements.size(), 3u);
  EXPECT_EQ(elements[0], 0u) << "the press";
  EXPECT_EQ(elements[1], 0u) << "the move";
  EXPECT_GT(elements[2], 1000u) << "the release draws the 40 x 40 surface";
}

TEST_F(Graph3DFormTest, ARightPressOpensTheMenuAndTurnsNothing) {
  bool opened = false;
  window->PopupMenu->OnPopup = [&opened](TObject*) { opened = true; };
  Application().OnIdle = [](TObject*, bool&) { EndMenu(); };
  Mouse(TSyntheticMouse::Press, {100, 100}, TInputButton::Right);
  EXPECT_FALSE(window->Graph->Rotating);
  Mouse(TSyntheticMouse::Move, {120, 90}, TInputButton::Right);
  Mouse(TSyntheticMouse::Release, {120, 90}, TInputButton::Right);
  EXPECT_TRUE(opened);
  EXPECT_EQ(window->PopupMenu->PopupComponent, window->PaintBox);
  EXPECT_NEAR(Azimuth(), 330, 1e-9);
  EXPECT_NEAR(Elevation(), 20, 1e-9);
  EXPECT_EQ(paints, 0);
}

TEST_F(Graph3DFormTest, ADragEndsWhenAnotherWindowTakesTheMouseOrTheCaptureGoes) {
  window->Graph->Options.FastDraw = true;
  const std::function<void()> takers[] = {[this] { SetCapture(form->Handle()); }, [] { ReleaseCapture(); }};
  for (const auto& take : takers) {
    Mouse(TSyntheticMouse::Press, {100, 100});
    Mouse(TSyntheticMouse::Move, {110, 100});
    ASSERT_TRUE(window->Graph->Rotating);
    paints = 0;
    take();
    ProcessEverything();
    EXPECT_FALSE(window->Graph->Rotating);
    EXPECT_EQ(paints, 1) << "the data drawn again";
    EXPECT_GT(window->Graph->Elements.size(), 0u);
    ReleaseCapture();
    Mouse(TSyntheticMouse::Release, {110, 100});
  }
}

}  // namespace
