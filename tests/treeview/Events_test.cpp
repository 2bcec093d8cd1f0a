// The event firers' answers without handlers, and the notices they raise.

#include <gtest/gtest.h>

#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/WinEvent.h"

namespace {

class EventsTest : public testing::Test {
protected:
  void SetUp() override {
    tree.SetRootNodeCount(2);
    node = tree.FirstRootNodeRaw();
  }

  TTestTree tree;
  PDataNode node = nullptr;
};

TEST_F(EventsTest, UnassignedEventsAnswerTheirDefaults) {
  EXPECT_EQ(tree.FireCompareNodes(node, node->NextSibling, ColumnNone), 0);
  EXPECT_TRUE(tree.FireExpanding(node));
  EXPECT_TRUE(tree.FireCollapsing(node));
  EXPECT_TRUE(tree.FireFocusChanging(nullptr, node, ColumnNone, ColumnNone));
  EXPECT_TRUE(tree.FireGetCellIsEmpty(node, ColumnNone));
  WORD key = 13;
  TShiftState shift = 0;
  EXPECT_TRUE(tree.FireKeyAction(key, shift));
  EXPECT_EQ(tree.FireIncrementalSearch(node, "abc"), 0);
  int size = 99;
  tree.FireGetNodeDataSize(size);
  EXPECT_EQ(size, 0);
  EXPECT_FALSE(tree.FireDragAllowed(node, ColumnNone));
  bool ghosted = false;
  int index = -1;
  EXPECT_EQ(tree.FireGetImageIndex(node, ikNormal, ColumnNone, ghosted, index), nullptr);
  EXPECT_EQ(index, -1);
  EXPECT_FALSE(ghosted);
  TCheckState state = csCheckedNormal;
  EXPECT_TRUE(tree.FireChecking(node, state));
}

TEST_F(EventsTest, OnlyTheExtendedImageEventIsAskedWhenBothAreAssigned) {
  int plainCalls = 0;
  tree.OnGetImageIndex = [&](TBaseDataTree*, PDataNode, TDTImageKind, TColumnIndex, bool&, int&) { ++plainCalls; };
  tree.OnGetImageIndexEx = [](TBaseDataTree*, PDataNode, TDTImageKind, TColumnIndex, bool&, int& imageIndex,
                              TImageList*&) { imageIndex = 3; };
  bool ghosted = false;
  int index = -1;
  tree.FireGetImageIndex(node, ikNormal, ColumnNone, ghosted, index);
  EXPECT_EQ(index, 3);
  EXPECT_EQ(plainCalls, 0);
}

TEST_F(EventsTest, ReadOnlyTreeRefusesCheckingWithoutAsking) {
  bool asked = false;
  tree.OnChecking = [&](TBaseDataTree*, PDataNode, TCheckState&, bool&) { asked = true; };
  Include(tree, toReadOnly);
  TCheckState state = csCheckedNormal;
  EXPECT_FALSE(tree.FireChecking(node, state));
  EXPECT_FALSE(asked);
}

TEST_F(EventsTest, RefusedToggleChangesNothing) {
  tree.SetNodeChildCount(node, 2);
  tree.OnExpanding = [](TBaseDataTree*, PDataNode, bool& allowed) { allowed = false; };
  tree.ToggleExpanded(node);
  EXPECT_FALSE(node->Has(nsExpanded));
  EXPECT_EQ(tree.VisibleCount(), 2u);
  CheckTree(tree);
}

TEST_F(EventsTest, ExpandAndCollapseRaiseTheStateNoticeWithAWindow) {
  std::vector<DWORD> notices;
  const TWinEventObserver previous =
      SetWinEventObserver([&](DWORD event, HWND, LONG objectId, LONG childId) {
        EXPECT_EQ(objectId, OBJID_CLIENT);
        EXPECT_EQ(childId, CHILDID_SELF);
        notices.push_back(event);
      });
  tree.SetNodeChildCount(node, 2);
  tree.ToggleExpanded(node);
  tree.ToggleExpanded(node);
  EXPECT_TRUE(notices.empty()) << "no window, no notice";
  TForm form(nullptr);
  tree.SetParent(&form);
  tree.HandleNeeded();
  tree.ToggleExpanded(node);
  tree.ToggleExpanded(node);
  EXPECT_EQ(notices, (std::vector<DWORD>{EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE}));
  tree.SetParent(nullptr);
  SetWinEventObserver(previous);
}

TEST_F(EventsTest, AutoFreeOnCollapseDropsTheChildrenButKeepsTheButton) {
  Include(tree, toAutoFreeOnCollapse);
  tree.SetNodeChildCount(node, 3);
  tree.ToggleExpanded(node);
  EXPECT_EQ(tree.VisibleCount(), 5u);
  tree.ToggleExpanded(node);
  EXPECT_EQ(node->ChildCount, 0u);
  EXPECT_TRUE(node->Has(nsHasChildren));
  EXPECT_EQ(tree.VisibleCount(), 2u);
  CheckTree(tree);
}

TEST_F(EventsTest, ExpandAllAndCollapseAll) {
  tree.OnInitNode = [](TBaseDataTree* sender, PDataNode, PDataNode made, TDataNodeInitStates& states) {
    if (sender->NodeLevel(made) < 2) states.Include(ivsHasChildren);
  };
  tree.OnInitChildren = [](TBaseDataTree*, PDataNode, unsigned& count) { count = 2; };
  tree.ExpandAll(nullptr);
  EXPECT_EQ(tree.VisibleCount(), 2u + 4u + 8u);
  CheckTree(tree);
  tree.CollapseAll(nullptr);
  EXPECT_EQ(tree.VisibleCount(), 2u);
  EXPECT_FALSE(tree.TreeStates().Contains(tsCollapsing));
  CheckTree(tree);
}

}  // namespace
