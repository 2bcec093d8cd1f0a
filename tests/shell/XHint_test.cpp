#include "shell/XHint.h"

#include <memory>

#include <gtest/gtest.h>

#include "graphics/RGBColor.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Clock.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowBackend.h"

namespace {

// The desktop's own backend with monitors of the test's choosing.
class TFakeMonitors final : public IWindowBackend {
public:
  TFakeMonitors(IWindowBackend& real, std::vector<TMonitor> monitors) : real_(real), monitors_(std::move(monitors)) {}

  std::unique_ptr<IWindowHost> CreateHost(HWND window, HWND parent) override { return real_.CreateHost(window, parent); }
  void Wake() override { real_.Wake(); }
  void ProcessEvents(bool wait, int timeoutMilliseconds) override { real_.ProcessEvents(wait, timeoutMilliseconds); }
  void ScheduleWake(int milliseconds) override { real_.ScheduleWake(milliseconds); }
  TRect ScreenRect() override { return monitors_.front().Bounds; }
  TRect WorkArea() override { return monitors_.front().WorkArea; }
  std::vector<TMonitor> Monitors() override { return monitors_; }
  void SetCursorShape(HCURSOR cursor) override { real_.SetCursorShape(cursor); }

private:
  IWindowBackend& real_;
  std::vector<TMonitor> monitors_;
};

const TRect Primary{0, 0, 1024, 768};
const std::vector<TMonitor> OneMonitor = {{Primary, Primary, true}};
const std::vector<TMonitor> TwoMonitors = {{Primary, Primary, true}, {{-1280, 0, 0, 768}, {-1280, 0, 0, 768}, false}};

struct TAnimation {
  DWORD Time = 0;
  DWORD Flags = 0;
};

class XHintTest : public ::testing::Test {
protected:
  XHintTest() : real_(*WindowBackend()) {
    SetClock(&clock);
    SetAnimationObserver([this](HWND, DWORD time, DWORD flags) { animations.push_back({time, flags}); });
  }
  ~XHintTest() override {
    hint.reset();
    SetWindowBackend(&real_);
    SetAnimationObserver(nullptr);
    SetTooltipEffects(false, false);
    SetClock(nullptr);
  }

  void UseMonitors(const std::vector<TMonitor>& monitors) {
    fake_ = std::make_unique<TFakeMonitors>(real_, monitors);
    SetWindowBackend(fake_.get());
  }
  TRect Shown(const TRect& rect, const std::string& text = "hint") {
    hint->ActivateHint(rect, text);
    TRect bounds;
    GetWindowRect(hint->Handle(), bounds);
    return bounds;
  }

  TFakeClock clock;
  std::vector<TAnimation> animations;
  std::unique_ptr<TXHint> hint = std::make_unique<TXHint>(nullptr);

private:
  IWindowBackend& real_;
  std::unique_ptr<TFakeMonitors> fake_;
};

TEST_F(XHintTest, TheWholeHintStaysOnTheDesktop) {
  const struct {
    TRect Hint;
    TRect OnOne;
    TRect OnTwo;
  } cases[] = {
      {{1000, 750, 1100, 770}, {924, 744, 1024, 768}, {924, 744, 1024, 768}},
      {{-50, -30, 50, -10}, {0, 0, 100, 24}, {-50, 0, 50, 24}},
      {{100, 100, 300, 120}, {100, 100, 300, 124}, {100, 100, 300, 124}},
  };
  for (const auto& entry : cases) {
    UseMonitors(OneMonitor);
    EXPECT_EQ(Shown(entry.Hint), entry.OnOne) << "one monitor";
    UseMonitors(TwoMonitors);
    EXPECT_EQ(Shown(entry.Hint), entry.OnTwo) << "two monitors";
  }
  EXPECT_TRUE(IsWindowVisible(hint->Handle()));
  EXPECT_TRUE(GetWindowLongPtr(hint->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(XHintTest, HintsFollowingCloselyOrLongOnesAreNotAnimated) {
  SetTooltipEffects(true, true);
  const TRect rect{100, 100, 300, 120};
  Shown(rect);
  clock.Advance(200);
  Shown(rect);
  EXPECT_EQ(animations.size(), 1u) << "only the first of two hints 200 ms apart";
  clock.Advance(300);
  animations.clear();
  Shown(rect);
  ASSERT_EQ(animations.size(), 1u);
  EXPECT_EQ(animations[0].Flags, AW_BLEND);
  EXPECT_EQ(animations[0].Time, 100u);

  SetTooltipEffects(true, false);
  InjectMouseMove({150, 90}, {});
  clock.Advance(300);
  animations.clear();
  Shown(rect);
  ASSERT_EQ(animations.size(), 1u);
  EXPECT_EQ(animations[0].Flags, AW_SLIDE | AW_VER_POSITIVE) << "the cursor above the hint: sliding down";
  InjectMouseMove({150, 110}, {});
  clock.Advance(300);
  animations.clear();
  Shown(rect);
  ASSERT_EQ(animations.size(), 1u);
  EXPECT_EQ(animations[0].Flags, AW_SLIDE | AW_VER_NEGATIVE);

  clock.Advance(300);
  animations.clear();
  Shown(rect, std::string(100, 'x'));
  EXPECT_TRUE(animations.empty()) << "a hint of 100 characters";
  SetTooltipEffects(false, true);
  clock.Advance(300);
  Shown(rect);
  EXPECT_TRUE(animations.empty()) << "tooltip animation off";
}

// Pixels of the hint's client area, painted.
class PaintedHint : public XHintTest {
protected:
  void Paint(const std::string& text, int maxWidth = 300) {
    TRect size = hint->CalcHintRect(maxWidth, text, nullptr);
    OffsetRect(size, 100, 100);
    size.Bottom -= 4;
    hint->ActivateHint(size, text);
    UpdateWindowTree(hint->Handle());
    dc_ = GetDC(hint->Handle());
    GetClientRect(hint->Handle(), client);
  }
  ~PaintedHint() override {
    if (dc_) ReleaseDC(hint->Handle(), dc_);
  }
  TColor Pixel(int x, int y) const { return GetPixel(dc_, x, y); }
  // Pixels of the rows that differ from the gradient at the row's right end.
  int InkIn(int top, int bottom) const {
    int ink = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < client.Right; ++x) ink += Pixel(x, y) != Pixel(client.Right - 1, y);
    return ink;
  }

  TRect client;

private:
  HDC dc_ = nullptr;
};

TEST_F(PaintedHint, TheBackgroundDarkensDownwardsFromCream) {
  // Tall enough for the last row to come within 2 of the bottom colour.
  Paint("one two three four five six seven eight nine ten", 60);
  ASSERT_GE(client.Height(), 50);
  EXPECT_EQ(Pixel(client.Right - 1, 0), TXHint::Cream);
  const TColor bottom = Pixel(client.Right - 1, client.Bottom - 1);
  const int expected[] = {255, 225, 141};
  for (int channel = 0; channel < 3; ++channel)
    EXPECT_NEAR((bottom >> (8 * channel)) & 0xFF, expected[channel], 2) << "channel " << channel;
}

TEST_F(PaintedHint, TheTextKeepsItsAmpersandAndWraps) {
  Paint("ab");
  const int plain = InkIn(0, client.Bottom);
  Paint("a&b");
  EXPECT_GT(InkIn(0, client.Bottom), plain + 10) << "the ampersand is drawn, not a mnemonic underline";
  Paint("one two three four five six seven eight nine ten", 80);
  const int lineHeight = hint->CalcHintRect(80, "one", nullptr).Height();
  EXPECT_GT(InkIn(lineHeight, client.Bottom), 0) << "a second line of text";
}

}  // namespace
