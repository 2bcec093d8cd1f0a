#include "toolkit/controls/Screen.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "toolkit/win/Monitors.h"
#include "toolkit/win/SysMetrics.h"

namespace {

// The primary monitor, and a second one left of it and lower.
const std::vector<TMonitor> TwoMonitors = {
    {Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040), true},
    {Rect(-1280, 200, 0, 1224), Rect(-1280, 200, 0, 1224), false},
};

TEST(Monitors, TheVirtualScreenHoldsEveryMonitor) {
  EXPECT_EQ(VirtualScreen(TwoMonitors), Rect(-1280, 0, 1920, 1224));
  EXPECT_EQ(PrimaryMonitorIndex(TwoMonitors), 0u);
  EXPECT_EQ(PrimaryMonitorIndex({TwoMonitors[1], TwoMonitors[0]}), 1u);
}

TEST(Monitors, APointBelongsToItsMonitorOrTheNearest) {
  const struct {
    TPoint Point;
    size_t Monitor;
  } cases[] = {
      {{10, 10}, 0}, {{-5, 500}, 1}, {{100, 1100}, 0}, {{-1, 1100}, 1}, {{-5, 100}, 0}, {{5000, 5000}, 0}, {{-2000, 700}, 1},
  };
  for (const auto& entry : cases)
    EXPECT_EQ(MonitorIndexFromPoint(TwoMonitors, entry.Point), entry.Monitor)
        << entry.Point.X << ", " << entry.Point.Y;
}

TEST(Monitors, AWindowBelongsToTheMonitorShowingMostOfIt) {
  EXPECT_EQ(MonitorIndexFromRect(TwoMonitors, Bounds(-100, 400, 400, 300)), 0u);
  EXPECT_EQ(MonitorIndexFromRect(TwoMonitors, Bounds(-300, 400, 400, 300)), 1u);
  EXPECT_EQ(MonitorIndexFromRect(TwoMonitors, Bounds(-3000, 600, 100, 100)), 1u) << "off every monitor: the nearest";
}

TEST(Screen, TheDesktopAndMetricsFollowTheMonitors) {
  const auto monitors = GetMonitors();
  const TRect all = VirtualScreen(monitors);
  EXPECT_EQ(Screen().DesktopRect(), all);
  EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), all.Left);
  EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), all.Width());
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), static_cast<int>(monitors.size()));
  EXPECT_EQ(Screen().WorkAreaRect(), monitors[PrimaryMonitorIndex(monitors)].WorkArea);
  EXPECT_EQ(Screen().MonitorFromPoint({1, 1}), monitors[MonitorIndexFromPoint(monitors, {1, 1})]);
}

// Forms keep their pixels on a screen scaled by 2; the desktop shows each of
// them as 2 x 2 device pixels.
TEST(Screen, AScaledScreenShowsTheFormsPixelsScaled) {
  const std::string probe =
      (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "toolkit_ScaledScreenProbe").string();
  std::unique_ptr<FILE, int (*)(FILE*)> output(popen(("QT_SCALE_FACTOR=2 " + probe).c_str(), "r"), pclose);
  ASSERT_TRUE(output);
  char line[128] = {};
  ASSERT_TRUE(std::fgets(line, sizeof line, output.get()));
  EXPECT_EQ(std::string(line), "200x100 400x200 2\n");
}

}  // namespace
