#include "toolkit/controls/Application.h"

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Window.h"

namespace {

constexpr UINT WM_PROBE = WM_USER + 17;

// The application's message hook for the length of a test.
class ApplicationHookTest : public testing::Test {
protected:
  ~ApplicationHookTest() override {
    Application().OnMessage = nullptr;
    DeallocateHWnd(window_);
  }

  HWND window_ = AllocateHWnd([this](TMessage& message) {
    if (message.Msg == WM_PROBE) dispatched_.push_back(static_cast<int>(message.WParam));
  });
  std::vector<int> dispatched_;
};

TEST_F(ApplicationHookTest, SeesPostedMessagesDuringProcessMessagesBeforeDispatch) {
  std::vector<std::pair<HWND, int>> seen;
  Application().OnMessage = [&](MSG& message, bool&) {
    if (message.message == WM_PROBE) seen.push_back({message.hwnd, static_cast<int>(message.wParam)});
  };
  PostMessage(Application().Handle(), WM_PROBE, 1, 0);
  PostMessage(window_, WM_PROBE, 2, 0);
  Application().ProcessMessages();
  EXPECT_EQ(seen, (std::vector<std::pair<HWND, int>>{{Application().Handle(), 1}, {window_, 2}}));
  EXPECT_EQ(dispatched_, std::vector<int>{2});
}

TEST(ApplicationWindowHooks, SeeTheWindowsMessagesInOrderUntilOneIsHandled) {
  std::vector<int> seen;
  const auto hook = [&seen](int id, bool handles) {
    return Application().HookMainWindow([&seen, id, handles](TMessage& message) {
      if (message.Msg != WM_PROBE) return false;
      seen.push_back(id);
      message.Result = id;
      return handles && message.WParam == 1;
    });
  };
  const int first = hook(1, false), second = hook(2, true), third = hook(3, false);
  EXPECT_EQ(SendMessage(Application().Handle(), WM_PROBE, 1, 0), 2);
  EXPECT_EQ(seen, (std::vector<int>{1, 2})) << "handled stops it";
  seen.clear();
  SendMessage(Application().Handle(), WM_PROBE, 0, 0);
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
  Application().UnhookMainWindow(second);
  seen.clear();
  SendMessage(Application().Handle(), WM_PROBE, 1, 0);
  EXPECT_EQ(seen, (std::vector<int>{1, 3}));
  Application().UnhookMainWindow(first);
  Application().UnhookMainWindow(third);
  seen.clear();
  SendMessage(Application().Handle(), WM_PROBE, 1, 0);
  EXPECT_TRUE(seen.empty());
}

TEST_F(ApplicationHookTest, HandledKeepsTheMessageFromItsWindow) {
  Application().OnMessage = [](MSG& message, bool& handled) {
    handled = message.message == WM_PROBE && message.wParam == 1;
  };
  PostMessage(window_, WM_PROBE, 1, 0);
  PostMessage(window_, WM_PROBE, 2, 0);
  Application().HandleMessage();
  Application().HandleMessage();
  EXPECT_EQ(dispatched_, std::vector<int>{2});
}

TEST(Application, RestoreShowsTheMinimizedMainFormAndBringToFrontActivatesIt) {
  ASSERT_EQ(Application().MainForm(), nullptr);
  auto* form = Application().CreateForm<TForm>();
  form->SetWindowState(wsMinimized);
  form->Show();
  EXPECT_EQ(form->WindowState(), wsMinimized);
  Application().Restore();
  EXPECT_EQ(form->WindowState(), wsNormal);
  EXPECT_FALSE(Application().Minimized());
  Application().Minimize();
  EXPECT_TRUE(Application().Minimized());
  Application().Restore();
  EXPECT_FALSE(Application().Minimized());
  TForm other(nullptr);
  other.Show();
  ASSERT_EQ(GetActiveWindow(), other.Handle());
  Application().BringToFront();
  EXPECT_EQ(GetActiveWindow(), form->Handle());
  delete form;
  EXPECT_EQ(Application().MainForm(), nullptr);
}

}  // namespace
