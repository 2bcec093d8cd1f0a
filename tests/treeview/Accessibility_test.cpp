// The tree's accessible side: the tree-view item messages with nodes as
// handles, the object request without providers, and the factory's order.

#include <cstring>

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/qt/QtAccessibility.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/WinEvent.h"
#include "treeview/DTAccessibilityFactory.h"
#include "treeview/DataStringTree.h"

namespace {

LRESULT Send(TBaseDataTree& tree, UINT message, WPARAM wParam, const void* lParam) {
  return tree.Perform(message, wParam, reinterpret_cast<LPARAM>(lParam));
}

// Two top-level nodes, the first expanded with two children, the second collapsed with one.
class AccessibilityTest : public testing::Test {
protected:
  AccessibilityTest() : tree(nullptr) {
    tree.OnGetText = [this](TBaseDataTree*, PDataNode node, TColumnIndex, TDSTTextType, std::string& text) {
      text = node == first ? "abcdef" : "ab\xC3\xA9" "def";
    };
    tree.SetRootNodeCount(2);
    first = tree.FirstRootNodeRaw();
    second = first->NextSibling;
    tree.SetNodeChildCount(first, 2);
    tree.SetNodeChildCount(second, 1);
    tree.SetNodeExpanded(first, true);
  }
  PDataNode Next(UINT code, PDataNode node) {
    return reinterpret_cast<PDataNode>(Send(tree, TVM_GETNEXTITEM, code, node));
  }

  PDataNode first = nullptr;
  PDataNode second = nullptr;
  TDataStringTree tree;
};

TEST_F(AccessibilityTest, NextItemCodes) {
  tree.SetFocusedNode(second);
  const PDataNode child = first->FirstChild;
  const struct {
    UINT code;
    PDataNode from;
    PDataNode answer;
  } cases[] = {
      {0, nullptr, first},        {1, first, second},          {1, second, nullptr},
      {2, second, first},         {3, child, first},           {3, first, nullptr},
      {4, first, child},          {4, nullptr, nullptr},       {5, nullptr, first},
      {6, child, child->NextSibling}, {7, second, child->NextSibling}, {8, nullptr, nullptr},
      {9, nullptr, second},       {10, nullptr, second},       {11, first, nullptr},
  };
  for (const auto& test : cases) EXPECT_EQ(Next(test.code, test.from), test.answer) << "code " << test.code;
  // A handle that is no node of this tree is never followed.
  TDataStringTree other(nullptr);
  other.SetRootNodeCount(1);
  EXPECT_EQ(Next(1, other.FirstRootNodeRaw()), nullptr);
}

TEST_F(AccessibilityTest, ItemRectAnswersFromTheNodesOwnVisibleFlag) {
  TRect r;
  const PDataNode hiddenAncestorChild = second->FirstChild;
  std::memcpy(static_cast<void*>(&r), &hiddenAncestorChild, sizeof hiddenAncestorChild);
  EXPECT_EQ(Send(tree, TVM_GETITEMRECT, 0, &r), 1);
  const PDataNode shown = first->FirstChild;
  std::memcpy(static_cast<void*>(&r), &shown, sizeof shown);
  EXPECT_EQ(Send(tree, TVM_GETITEMRECT, 0, &r), 1);
  EXPECT_EQ(r.Top, 18);
  EXPECT_EQ(r.Height(), 18);
}

TEST_F(AccessibilityTest, ItemTextIsCutAtTheBufferAndACharacter) {
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  TVITEM item;
  item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_CHILDREN;
  item.hItem = reinterpret_cast<HTREEITEM>(first);
  item.pszText = buffer;
  item.cchTextMax = 4;
  EXPECT_EQ(Send(tree, TVM_GETITEM, 0, &item), 1);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(item.cChildren, 2);
  // "ab" and the two bytes of the accented letter do not fit three bytes: the letter is left out.
  item.hItem = reinterpret_cast<HTREEITEM>(second);
  Send(tree, TVM_GETITEM, 0, &item);
  EXPECT_STREQ(buffer, "ab");
  item.hItem = reinterpret_cast<HTREEITEM>(first);
  std::memset(buffer, 'x', sizeof buffer);
  item.cchTextMax = 0;
  Send(tree, TVM_GETITEM, 0, &item);
  EXPECT_EQ(buffer[0], 'x');
  item.mask = TVIF_TEXT;
  EXPECT_EQ(Send(tree, TVM_GETITEM, 0, &item), 0);
}

TEST_F(AccessibilityTest, ItemStateBits) {
  Include(tree, toMultiSelect);
  tree.SetFocusedNode(first);
  tree.SetNodeSelected(first, true);
  TVITEM item;
  item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_IMAGE;
  item.hItem = reinterpret_cast<HTREEITEM>(first);
  ASSERT_EQ(Send(tree, TVM_GETITEM, 0, &item), 1);
  EXPECT_EQ(item.stateMask, 0xFF2Fu);
  // Focused, selected and expanded; no state image or overlay (index -1 + 1).
  EXPECT_EQ(item.state, 0x01u | 0x02u | 0x20u);
  EXPECT_EQ(item.iImage, -1);
  item.hItem = reinterpret_cast<HTREEITEM>(second);
  Send(tree, TVM_GETITEM, 0, &item);
  EXPECT_EQ(item.state, 0u);
}

TEST_F(AccessibilityTest, ObjectRequestWithoutProvidersAnswersNothing) {
  EXPECT_EQ(tree.Perform(WM_GETOBJECT, 0, OBJID_CLIENT), 0);
  EXPECT_FALSE(tree.TreeAccessible);
  EXPECT_FALSE(tree.ItemAccessible);
}

TEST_F(AccessibilityTest, AFocusChangeReachesQtAccessibilityAsAFocusEvent) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  tree.SetParent(&form);
  tree.SetBounds(0, 0, 200, 150);
  form.Show();
  ProcessEverything();
  std::vector<std::pair<DWORD, HWND>> events;
  SetQtAccessibilityProbe([&events](DWORD event, HWND window) { events.emplace_back(event, window); });
  tree.SetFocusedNode(second);
  SetQtAccessibilityProbe(nullptr);
  EXPECT_NE(std::find(events.begin(), events.end(), std::make_pair(EVENT_OBJECT_FOCUS, tree.Handle())), events.end());
  tree.SetParent(nullptr);
}

// A provider that names itself in the log and answers when told to.
class TNamedProvider : public IDTAccessibleProvider {
public:
  TNamedProvider(std::string name, std::vector<std::string>& log, bool answers)
      : name_(std::move(name)), log_(log), answers_(answers) {}
  CountedPtr<IDTAccessible> CreateIAccessible(TBaseDataTree&) override {
    log_.push_back(name_);
    return answers_ ? MakeCounted<IDTAccessible>() : nullptr;
  }

private:
  std::string name_;
  std::vector<std::string>& log_;
  bool answers_;
};

TEST(AccessibilityFactoryTest, ProvidersAreAskedInTheirOrder) {
  TDataStringTree tree(nullptr);
  std::vector<std::string> log;
  TDTAccessibilityFactory factory;
  EXPECT_FALSE(factory.ProvideAccessible(&tree));
  const CountedPtr<IDTAccessibleProvider> providers[] = {MakeCounted<TNamedProvider>("first", log, true),
                                                          MakeCounted<TNamedProvider>("second", log, false),
                                                          MakeCounted<TNamedProvider>("third", log, false)};
  for (const auto& provider : providers) factory.RegisterAccessibleProvider(provider);
  EXPECT_FALSE(factory.ProvideAccessible(nullptr));
  // Without a tree object the first provider makes it.
  tree.TreeAccessible = factory.ProvideAccessible(&tree);
  EXPECT_EQ(log, std::vector<std::string>{"first"});
  // With one: the last down to the second, then the first.
  log.clear();
  EXPECT_TRUE(factory.ProvideAccessible(&tree));
  EXPECT_EQ(log, (std::vector<std::string>{"third", "second", "first"}));
  // An item object is the answer as it stands.
  log.clear();
  tree.ItemAccessible = MakeCounted<IDTAccessible>();
  EXPECT_EQ(factory.ProvideAccessible(&tree), tree.ItemAccessible);
  EXPECT_TRUE(log.empty());
  tree.TreeAccessible = nullptr;
  tree.ItemAccessible = nullptr;
}

}  // namespace
