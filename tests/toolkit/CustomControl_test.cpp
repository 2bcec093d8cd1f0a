#include "toolkit/controls/CustomControl.h"

#include <gtest/gtest.h>

#include "toolkit/win/ScrollBar.h"

#include "runtime/Exceptions.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"

namespace {

constexpr int BandHeight = 17;
constexpr LRESULT BandHitCode = HTBORDER;

// A control with a 17-pixel band of its own at the top of its non-client
// area (as the tree keeps its header), painting a red frame on white.
class TBandControl : public TCustomControl {
public:
  explicit TBandControl(TComponent* owner) : TCustomControl(owner) {
    WindowProc = [this](TMessage& message) {
      Received.push_back(message);
      WndProc(message);
    };
  }

  std::vector<TMessage> Received;
  bool ThrowOnUserMessage = false;

  std::vector<TMessage> Of(UINT message) const {
    std::vector<TMessage> found;
    for (const TMessage& m : Received)
      if (m.Msg == message) found.push_back(m);
    return found;
  }

protected:
  void CreateParams(TCreateParams& params) override {
    TCustomControl::CreateParams(params);
    params.Style |= WS_BORDER;
  }

  void Paint() override {
    Canvas().Brush().SetColor(clWhite);
    Canvas().FillRect(ClientRect());
    Canvas().Brush().SetColor(clRed);
    Canvas().FrameRect({10, 10, 30, 20});
  }

  void Dispatch(TMessage& message) override {
    static const TMessageHandlers<TBandControl> handlers{
        {WM_NCCALCSIZE, &TBandControl::WMNCCalcSize},
        {WM_NCHITTEST, &TBandControl::WMNCHitTest},
        {WM_USER, &TBandControl::WMUser},
    };
    if (!handlers.Dispatch(*this, message)) TCustomControl::Dispatch(message);
  }

private:
  void WMNCCalcSize(TMessage& message) {
    DefaultHandler(message);
    reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0].Top += BandHeight;
  }

  void WMNCHitTest(TMessage& message) {
    DefaultHandler(message);
    TPoint point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    const TPoint client = ScreenToClient(point);
    if (message.Result == HTNOWHERE || (client.Y < 0 && client.Y >= -BandHeight)) message.Result = BandHitCode;
  }

  void WMUser(TMessage&) {
    if (ThrowOnUserMessage) throw EQuantrelError("Handler failed");
  }
};

class CustomControlTest : public ::testing::Test {
protected:
  CustomControlTest() {
    form = new TForm(nullptr);
    form->SetBounds(40, 40, 300, 200);
    control = new TBandControl(form);
    control->SetParent(form);
    control->SetBounds(20, 30, 120, 80);
    form->Show();
    control->SetFocus();
    ProcessEverything();
    control->Received.clear();
  }
  ~CustomControlTest() override { delete form; }

  TForm* form;
  TBandControl* control;
};

TEST_F(CustomControlTest, KeyPressArrivesAsKeyDownThenChar) {
  ASSERT_TRUE(control->Focused());
  SynthesizeKey(control->Handle(), 'A', "a", true);
  std::vector<TMessage> keys;
  for (const TMessage& m : control->Received)
    if (m.Msg == WM_KEYDOWN || m.Msg == WM_CHAR || m.Msg == WM_KEYUP) keys.push_back(m);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].Msg, WM_KEYDOWN);
  EXPECT_EQ(keys[0].WParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(keys[1].Msg, WM_CHAR);
  EXPECT_EQ(keys[1].WParam, static_cast<WPARAM>('a'));
  SynthesizeKey(control->Handle(), 'A', "a", false);
  EXPECT_EQ(control->Of(WM_KEYUP).size(), 1u);

  WORD seen = 0;
  char32_t typed = 0;
  control->OnKeyDown = [&seen](TObject*, WORD& key, TShiftState) { seen = key; };
  control->OnKeyPress = [&typed](TObject*, char32_t& key) { typed = key; };
  SynthesizeKeyStroke(control->Handle(), VK_RETURN, "\r");
  EXPECT_EQ(seen, VK_RETURN);
  EXPECT_EQ(typed, U'\r');
}

TEST_F(CustomControlTest, WheelNotchArrivesWithDelta120) {
  int reported = 0;
  control->OnMouseWheel = [&reported](TObject*, TShiftState, int delta, TPoint, bool& handled) {
    reported = delta;
    handled = true;
  };
  SynthesizeWheel(control->Handle(), {40, 40}, 120);
  const auto wheels = control->Of(WM_MOUSEWHEEL);
  ASSERT_EQ(wheels.size(), 1u);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[0].WParam), 120);
  EXPECT_EQ(reported, 120);
}

TEST_F(CustomControlTest, TheVerticalScrollBarStartsBelowTheOwnBand) {
  ShowScrollBar(control->Handle(), SB_VERT, true);
  const TRect client = control->ClientRect();
  auto hitAt = [this](int x, int y) {
    const TPoint screen = control->ClientToScreen(TPoint{x, y});
    return DefWindowProc(control->Handle(), WM_NCHITTEST, 0, MAKELPARAM(screen.X, screen.Y));
  };
  EXPECT_EQ(hitAt(client.Right + 3, 5), HTVSCROLL);
  EXPECT_NE(hitAt(client.Right + 3, -5), HTVSCROLL) << "the band spans the width above the bar";
}

TEST_F(CustomControlTest, ClickInTheOwnNonClientBandArrivesWithTheControlsHitCode) {
  TRect client = control->ClientRect();
  EXPECT_EQ(client.Height(), 80 - 2 - BandHeight) << "border and band leave the rest to the client area";
  SynthesizeClick(control->Handle(), {50, 1 + 5});
  const auto presses = control->Of(WM_NCLBUTTONDOWN);
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(static_cast<LRESULT>(presses[0].WParam), BandHitCode);
  EXPECT_TRUE(control->Of(WM_LBUTTONDOWN).empty());

  int clicks = 0;
  control->OnClick = [&clicks](TObject*) { ++clicks; };
  SynthesizeClick(control->Handle(), {50, 1 + BandHeight + 10});
  EXPECT_EQ(control->Of(WM_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(clicks, 1) << "a press and release in the client area is a click";
}

TEST_F(CustomControlTest, PaintOutputReadBackFromTheRenderedWindow) {
  control->Invalidate();
  const CountedPtr<TGdiBitmap> image = RenderWindow(form->Handle());
  // Client (0, 0) lies at the control's place plus its border and band.
  const TPoint origin = form->ScreenToClient(control->ClientOrigin());
  const TRect frame = Bounds(origin.X + 10, origin.Y + 10, 20, 10);
  EXPECT_EQ(InkBounds(*image, Bounds(origin.X, origin.Y, control->ClientWidth(), control->ClientHeight()), clWhite), frame);
  EXPECT_EQ(CountPixels(*image, frame, clRed), 2 * 20 + 2 * 8) << "a one-pixel frame";
  EXPECT_EQ(image->Pixel(origin.X + 20, origin.Y + 15), clWhite);
}

TEST_F(CustomControlTest, ExceptionInAHandlerIsShownAndTheLoopGoesOn) {
  TRecordingMessageBoxes boxes;
  Application().SetTitle("Quantrel");
  control->ThrowOnUserMessage = true;
  PostMessage(control->Handle(), WM_USER, 0, 0);
  PostMessage(control->Handle(), WM_USER + 1, 0, 0);
  ProcessEverything();
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, "Handler failed");
  EXPECT_EQ(boxes.Shown[0].Caption, "Quantrel");
  EXPECT_EQ(boxes.Shown[0].Type & MB_ICONMASK, MB_ICONSTOP);
  EXPECT_EQ(control->Of(WM_USER + 1).size(), 1u) << "the next message is still delivered";

  control->OnKeyDown = [](TObject*, WORD&, TShiftState) { throw EQuantrelError("Key failed"); };
  SynthesizeKeyStroke(control->Handle(), 'B', "b");
  ASSERT_EQ(boxes.Shown.size(), 2u) << "desktop input is guarded as well";
  EXPECT_EQ(boxes.Shown[1].Text, "Key failed");
}

}  // namespace
