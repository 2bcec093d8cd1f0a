#include "toolkit/qt/DesktopWindowInfo.h"

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"

namespace {

TEST(DesktopWindowInfo, OwnedWindowsStayWithTheirOwnerAndToolWindowsGetTheirFrame) {
  TForm owner(nullptr);
  owner.Show();
  TForm owned(nullptr), alone(nullptr);
  owned.ParentWindow = owner.Handle();
  owned.SetBorderStyle(bsSizeToolWin);
  alone.Show();
  owned.Show();
  ProcessEverything();

  TDesktopWindowInfo info;
  ASSERT_TRUE(GetDesktopWindowInfo(owned.Handle(), info));
  EXPECT_EQ(info.StaysWith, owner.Handle());
  EXPECT_TRUE(info.ToolWindow);
  ASSERT_TRUE(GetDesktopWindowInfo(alone.Handle(), info));
  EXPECT_EQ(info.StaysWith, nullptr);
  EXPECT_FALSE(info.ToolWindow);
}

}  // namespace
