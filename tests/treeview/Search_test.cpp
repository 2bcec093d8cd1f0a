// Incremental search: the walks, the start node, the same-letter rule,
// backspace, the beep and the timeout, driven by key and character messages.

#include <gtest/gtest.h>

#include <cctype>

#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/PlaySound.h"

namespace {

class SearchTest : public testing::Test {
protected:
  SearchTest() : form(nullptr) {
    SetSoundBackend(&sound);
    tree.SetParent(&form);
    tree.SetBounds(0, 0, 200, 200);
    tree.HandleNeeded();
    tree.SetIncrementalSearch(isAll);
    tree.OnIncrementalSearch = [this](TBaseDataTree*, PDataNode node, const std::string& text, int& result) {
      tested.push_back(static_cast<int>(node->Index));
      result = names[node->Index].starts_with(text) ? 0 : 1;
    };
  }
  ~SearchTest() override {
    SetSoundBackend(nullptr);
    tree.SetParent(nullptr);
  }

  void Names(std::vector<std::string> list) {
    names = std::move(list);
    tree.SetRootNodeCount(static_cast<unsigned>(names.size()));
    rows = AllNodes(tree);
  }
  void Type(char c) {
    tested.clear();
    const WORD key = c == 8 ? VK_BACK : static_cast<WORD>(std::toupper(c));
    tree.Perform(WM_KEYDOWN, key, 0);
    tree.Perform(WM_CHAR, static_cast<WPARAM>(c), 0);
  }
  int Beeps() const {
    int count = 0;
    for (const auto& request : sound.Requests()) count += request.Kind == TNullSoundBackend::TKind::Beep;
    return count;
  }
  int Focused() const { return tree.FocusedNode() ? static_cast<int>(tree.FocusedNode()->Index) : -1; }

  TFakeClockScope clock;
  TNullSoundBackend sound;
  TForm form;
  TTestTree tree;
  std::vector<std::string> names;
  std::vector<PDataNode> rows;
  std::vector<int> tested;
};

TEST_F(SearchTest, FromTheFocusedNodeTheSearchWrapsAndStopsThere) {
  Names({"apple", "bear", "cat", "avocado", "dog"});
  tree.SetFocusedNode(rows[3]);
  Type('a');
  EXPECT_EQ(tested, (std::vector<int>{4, 0}));
  EXPECT_EQ(Focused(), 0);
  EXPECT_EQ(tree.SearchText(), "a");
  EXPECT_EQ(tree.LastFoundNode(), rows[0]);
  CheckTree(tree);
}

TEST_F(SearchTest, BeepsOnlyWhenTheStartNodeDoesNotMatchEither) {
  Names({"apple", "bear", "cat", "dog"});
  tree.SetFocusedNode(rows[0]);
  Type('a');
  EXPECT_EQ(tested, (std::vector<int>{1, 2, 3, 0})) << "the focused node only in the closing test";
  EXPECT_EQ(Beeps(), 0) << "the focused node matches";
  Type('z');
  EXPECT_EQ(Beeps(), 1);
  EXPECT_EQ(Focused(), 0);
}

TEST_F(SearchTest, AlwaysStartOverRunsOnceWithoutWrappingAndFailsSilently) {
  Names({"apple", "bear", "cat", "dog"});
  tree.IncrementalSearchStart = ssAlwaysStartOver;
  tree.SetFocusedNode(rows[2]);
  Type('z');
  EXPECT_EQ(tested, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(Beeps(), 0);
  Type('c');
  EXPECT_EQ(Focused(), 2);
}

TEST_F(SearchTest, TheSameLetterMovesOnUnlessItsDoubleMatches) {
  Names({"ab", "ac", "ad"});
  Type('a');
  EXPECT_EQ(Focused(), 0);
  Type('a');
  EXPECT_EQ(Focused(), 1);
  EXPECT_EQ(tree.SearchText(), "a");
  clock.AdvanceAndDispatch(1000);
  Names({"aa", "ab"});
  tree.SetFocusedNode(nullptr);
  Type('a');
  Type('a');
  EXPECT_EQ(Focused(), 0) << "the focused node matches \"aa\"";
  EXPECT_EQ(tree.SearchText(), "aa");
}

TEST_F(SearchTest, BackspaceShortensTheBufferAndSearchesBackwards) {
  Names({"x", "a", "ab"});
  tree.SetFocusedNode(rows[1]);
  Type('a');
  Type('b');
  EXPECT_EQ(Focused(), 2);
  EXPECT_EQ(tree.SearchText(), "ab");
  Type(8);
  EXPECT_EQ(tree.SearchText(), "a");
  EXPECT_EQ(Focused(), 1) << "backwards from the last hit";
}

TEST_F(SearchTest, NoMatchKeepsFocusSelectionAndBuffer) {
  Names({"apple", "bear"});
  Type('b');
  ASSERT_EQ(Focused(), 1);
  Type('q');
  EXPECT_EQ(Focused(), 1);
  EXPECT_EQ(tree.SortedSelection(false), TNodeArray{rows[1]});
  EXPECT_EQ(tree.SearchText(), "b");
  EXPECT_EQ(Beeps(), 1);
  CheckTree(tree);
}

TEST_F(SearchTest, APauseForgetsTheBuffer) {
  Names({"apple", "bear"});
  Type('b');
  clock.AdvanceAndDispatch(999);
  EXPECT_EQ(tree.SearchText(), "b");
  Type('e');
  clock.AdvanceAndDispatch(999);
  EXPECT_EQ(tree.SearchText(), "be") << "each character restarts the timeout";
  clock.AdvanceAndDispatch(1);
  EXPECT_EQ(tree.SearchText(), "");
  EXPECT_EQ(tree.LastFoundNode(), nullptr);
  EXPECT_FALSE(tree.TreeStates().Contains(tsIncrementalSearching));
}

TEST_F(SearchTest, SwitchingOffForgetsEverything) {
  Names({"apple", "bear"});
  Type('b');
  tree.SetIncrementalSearch(isNone);
  EXPECT_EQ(tree.SearchText(), "");
  EXPECT_EQ(tree.LastFoundNode(), nullptr);
  Type('a');
  EXPECT_TRUE(tested.empty());
  EXPECT_EQ(Focused(), 1);
}

TEST_F(SearchTest, VisibleOnlySkipsCollapsedChildren) {
  Names({"a", "b"});
  tree.AppendChildNode(rows[0]);
  tree.SetIncrementalSearch(isVisibleOnly);
  tree.SetFocusedNode(rows[1]);
  Type('q');
  EXPECT_EQ(tested, (std::vector<int>{0, 1}));
}

}  // namespace
