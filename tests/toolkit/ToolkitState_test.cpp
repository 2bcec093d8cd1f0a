#include "toolkit/controls/ToolkitState.h"

#include <gtest/gtest.h>

#include "toolkit/win/Input.h"
#include "toolkit/win/Keys.h"

namespace {

constexpr WORD VK_A = 0x41;

// A test that ends with a key held down or the mouse somewhere leaves that
// to the next test, unless the state is reset between them.
TEST(ToolkitState, ResetForgetsHeldKeysAndTheMouse) {
  InjectKey(VK_A, true, false, U"", {});
  InjectMouseMove({40, 50}, {});
  TPoint mouse;
  ASSERT_TRUE(GetCursorPos(mouse));
  ASSERT_EQ(mouse, (TPoint{40, 50}));
  ASSERT_TRUE(GetKeyState(VK_A) & 0x8000);

  ResetToolkitState();
  EXPECT_FALSE(GetKeyState(VK_A) & 0x8000);
  ASSERT_TRUE(GetCursorPos(mouse));
  EXPECT_EQ(mouse, (TPoint{0, 0}));
}

}  // namespace
