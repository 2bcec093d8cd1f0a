#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/MdiClient.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/SysMetrics.h"

namespace {

class MdiTest : public ::testing::Test {
protected:
  MdiTest() {
    frame = new TForm(nullptr);
    frame->SetFormStyle(fsMDIForm);
    frame->SetBounds(50, 50, 600, 400);
    frame->Show();
    for (TForm*& child : children) {
      child = new TForm(nullptr);
      child->SetFormStyle(fsMDIChild);
      child->SetBounds(10, 10, 200, 150);
      child->Show();
    }
    ProcessEverything();
  }
  ~MdiTest() override {
    for (TForm* child : children) delete child;
    delete frame;
  }

  TForm* frame;
  TForm* children[2];
};

TEST_F(MdiTest, TheClientHoldsTheChildrenAndKnowsTheActiveOne) {
  const HWND client = frame->ClientHandle();
  ASSERT_NE(client, nullptr);
  EXPECT_EQ(GetClassName(client), "MDIClient");
  TRect area, clientRect;
  GetClientRect(frame->Handle(), area);
  GetClientRect(client, clientRect);
  EXPECT_EQ(clientRect.Width(), area.Width() - 4) << "fills the client area inside its edge";
  EXPECT_EQ(GetParent(children[0]->Handle()), client);
  EXPECT_EQ(frame->MDIChildCount(), 2);
  EXPECT_EQ(frame->ActiveMDIChild(), children[1]) << "a new child is activated";

  std::vector<std::pair<HWND, HWND>> told;
  children[0]->WindowProc = [&](TMessage& message) {
    if (message.Msg == WM_MDIACTIVATE) told.emplace_back(ParamToHandle<HWND>(message.WParam), ParamToHandle<HWND>(message.LParam));
    children[0]->WndProc(message);
  };
  SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(children[0]->Handle()), 0);
  EXPECT_EQ(frame->ActiveMDIChild(), children[0]);
  EXPECT_EQ(frame->MDIChildren(0), children[0]) << "the active child comes to the front";
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].first, children[1]->Handle());
  EXPECT_EQ(told[0].second, children[0]->Handle());
  children[0]->WindowProc = [this](TMessage& message) { children[0]->WndProc(message); };

  SendMessage(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(children[0]->Handle()), 0);
  EXPECT_EQ(frame->MDIChildCount(), 1);
  EXPECT_EQ(frame->ActiveMDIChild(), children[1]) << "the next child takes over";
}

TEST_F(MdiTest, AMaximisedChildFillsTheClientUntilTiled) {
  const HWND client = frame->ClientHandle();
  const HWND child = children[1]->Handle();
  SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  bool maximized = false;
  EXPECT_EQ(ParamToHandle<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized))), child);
  EXPECT_TRUE(maximized);
  TRect clientArea;
  GetClientRect(client, clientArea);
  EXPECT_EQ(children[1]->Width(), clientArea.Width());
  EXPECT_EQ(children[1]->Height(), clientArea.Height());

  SendMessage(client, WM_MDITILE, MDITILE_VERTICAL, 0);
  EXPECT_FALSE(IsZoomed(child));
  EXPECT_EQ(children[0]->Width() + children[1]->Width(), clientArea.Width()) << "side by side";
  EXPECT_EQ(children[0]->Height(), clientArea.Height());
  SendMessage(client, WM_MDICASCADE, 0, 0);
  EXPECT_EQ(children[0]->Left() + GetSystemMetrics(SM_CYCAPTION), children[1]->Left());
  EXPECT_EQ(SendMessage(client, WM_MDIREFRESHMENU, 0, 0), 0) << "the frame has no menu";
}

TEST(MdiChild, NeedsAnMdiForm) {
  TForm child(nullptr);
  child.SetFormStyle(fsMDIChild);
  EXPECT_THROW(child.Show(), EInvalidOperation);
}

}  // namespace
