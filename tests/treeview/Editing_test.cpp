// The editing flow: when a cell may be edited, how an edit starts, ends
// and follows the cell, driven through a recording edit link.

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Messages.h"
#include "treeview/DataStringTree.h"
#include "treeview/DataTreeError.h"

namespace {

class TEditTree : public TDataStringTree {
public:
  using TDataStringTree::TDataStringTree;
  using TDataStringTree::CancelEditing;
  using TDataStringTree::FinishEditing;
  using TDataStringTree::EditLink;
  using TDataStringTree::ChangeTreeStates;
  using TDataStringTree::PlaceEditor;
  using TDataStringTree::EditTimer;
};

// A link that answers as told and counts what the tree asked of it.
class TRecordingLink : public IDTEditLink {
public:
  bool ShowEditor() override { ++Shown; return ShowAnswer; }
  bool HideEditor() override { ++Hidden; return true; }
  bool CommitEdit() override { ++Committed; return CommitAnswer; }
  bool PrepareEditor(TBaseDataTree*, PDataNode node, TColumnIndex column) override {
    ++Prepared;
    Node = node;
    Column = column;
    return PrepareAnswer;
  }
  TRect GetEditorBounds() override { return Bounds; }
  void ForwardMessage(TMessage&) override {}
  void SetEditorBounds(TRect r) override {
    ++Placed;
    Bounds = r;
  }

  bool ShowAnswer = true;
  bool CommitAnswer = true;
  bool PrepareAnswer = true;
  int Shown = 0, Hidden = 0, Committed = 0, Prepared = 0, Placed = 0;
  PDataNode Node = nullptr;
  TColumnIndex Column = ColumnNone;
  TRect Bounds;
};

class EditingTest : public testing::Test {
protected:
  EditingTest() : form(nullptr) {
    tree.SetParent(&form);
    tree.SetBounds(0, 0, 400, 200);
    form.SetBounds(0, 0, 420, 220);
    form.Show();
    for (int width : {100, 150, 100}) tree.Header().Columns().AddColumn().SetWidth(width);
    Include(tree, toEditable);
    tree.SetRootNodeCount(5);
    rows = AllNodes(tree);
    link = CountedPtr<TRecordingLink>(new TRecordingLink);
    tree.OnCreateEditor = [this](TBaseDataTree*, PDataNode, TColumnIndex, CountedPtr<IDTEditLink>& editLink) {
      ++created;
      editLink = link;
    };
    tree.OnEdited = [this](TBaseDataTree*, PDataNode, TColumnIndex) { ++edited; };
    tree.OnEditCancelled = [this](TBaseDataTree*, PDataNode, TColumnIndex) { ++cancelled; };
  }
  ~EditingTest() override {
    for (WORD key : {VK_SHIFT, VK_CONTROL}) SetKeyDown(key, false);
  }

  TFakeClockScope clock;
  TForm form;
  TEditTree tree{&form};
  std::vector<PDataNode> rows;
  CountedPtr<TRecordingLink> link;
  int created = 0, edited = 0, cancelled = 0;
};

TEST_F(EditingTest, AnEditStartsPreparedPlacedAndShown) {
  ASSERT_TRUE(tree.StartNodeEdit(rows[2], 1));
  EXPECT_TRUE(tree.EditInProgress());
  EXPECT_EQ(tree.FocusedNode(), rows[2]);
  EXPECT_EQ(tree.EditColumn(), 1);
  EXPECT_EQ(link->Node, rows[2]);
  EXPECT_EQ(link->Column, 1);
  EXPECT_EQ(link->Shown, 1);
  EXPECT_EQ(link->Placed, 1);
  EXPECT_EQ(link->Bounds, tree.NodeDisplayRect(rows[2], 1, true, true));
  EXPECT_TRUE(tree.StartNodeEdit(rows[3], 1)) << "an edit runs already";
  EXPECT_EQ(link->Prepared, 1) << "the running editor is not restarted";
  EXPECT_EQ(tree.FocusedNode(), rows[2]);
  EXPECT_TRUE(tree.AcceptNodeEdit());
  EXPECT_EQ(edited, 1);
  EXPECT_FALSE(tree.EditInProgress());
  EXPECT_EQ(tree.EditLink(), nullptr);
  CheckTree(tree);
}

TEST_F(EditingTest, StartNodeEditChecksItsArguments) {
  EXPECT_THROW(tree.StartNodeEdit(nullptr, 0), EAssertionFailed);
  for (TColumnIndex column : {-2, 3}) EXPECT_THROW(tree.StartNodeEdit(rows[0], column), EAssertionFailed);
  EXPECT_EQ(created, 0);
}

TEST_F(EditingTest, ReadOnlyTreesAndDisabledNodesAreNeverEdited) {
  tree.OnEditing = [](TBaseDataTree*, PDataNode, TColumnIndex, bool& allowed) { allowed = true; };
  Include(tree, toReadOnly);
  EXPECT_FALSE(tree.StartNodeEdit(rows[1], 0));
  tree.SetFocusedNode(rows[1]);
  tree.Perform(WM_KEYDOWN, VK_F2, 0);
  tree.Perform(WM_TIMER, TEditTree::EditTimer, 0);
  EXPECT_EQ(created, 0);
  tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() - TDTMiscOptions{toReadOnly});

  rows[3]->Include(nsDisabled);
  EXPECT_FALSE(tree.StartNodeEdit(rows[3], 0));
  tree.SetFocusedNode(rows[3]);
  tree.Perform(WM_KEYDOWN, VK_F2, 0);
  EXPECT_EQ(created, 0);
  EXPECT_FALSE(tree.EditInProgress());
}

TEST_F(EditingTest, RefusalsEndTheAttemptSilently) {
  tree.OnEditing = [](TBaseDataTree*, PDataNode node, TColumnIndex, bool& allowed) { allowed = node->Index != 0; };
  EXPECT_FALSE(tree.StartNodeEdit(rows[0], 0)) << "OnEditing refuses";
  EXPECT_EQ(created, 0);

  link->PrepareAnswer = false;
  EXPECT_FALSE(tree.StartNodeEdit(rows[1], 0));
  link->PrepareAnswer = true;
  link->ShowAnswer = false;
  EXPECT_FALSE(tree.StartNodeEdit(rows[2], 0));
  EXPECT_EQ(link->Shown, 1);
  EXPECT_EQ(cancelled, 0);
  EXPECT_EQ(tree.EditLink(), nullptr);

  tree.OnFocusChanging = [](TBaseDataTree*, PDataNode, PDataNode newNode, TColumnIndex, TColumnIndex,
                            bool& allowed) { allowed = newNode->Index != 4; };
  link->ShowAnswer = true;
  EXPECT_FALSE(tree.StartNodeEdit(rows[4], 0)) << "the focus did not move";
  EXPECT_FALSE(tree.EditInProgress());
}

TEST_F(EditingTest, AnEditorHandlerWithoutALinkIsAnError) {
  tree.OnCreateEditor = [](TBaseDataTree*, PDataNode, TColumnIndex, CountedPtr<IDTEditLink>&) {};
  try {
    tree.StartNodeEdit(rows[0], 0);
    FAIL() << "no error";
  } catch (const EDataTreeError& error) {
    EXPECT_STREQ(error.what(), "Edit link must not be nil.");
    EXPECT_EQ(error.HelpContext, 2000);
  }
  EXPECT_FALSE(tree.EditInProgress());
  EXPECT_EQ(tree.EditLink(), nullptr);
}

TEST_F(EditingTest, EndingWithoutAnEdit) {
  EXPECT_TRUE(tree.AcceptNodeEdit());
  EXPECT_TRUE(tree.CancelNodeEdit());
  EXPECT_FALSE(tree.CancelEditing());
  EXPECT_FALSE(tree.FinishEditing());
  EXPECT_EQ(edited + cancelled, 0);
  tree.ChangeTreeStates({tsEditPending}, {});
  EXPECT_FALSE(tree.AcceptNodeEdit()) << "a pending edit is dropped";
  EXPECT_FALSE(tree.TreeStates().Contains(tsEditPending));
  tree.ChangeTreeStates({tsEditPending}, {});
  EXPECT_FALSE(tree.CancelNodeEdit());
  EXPECT_FALSE(tree.TreeStates().Contains(tsEditPending));
  EXPECT_EQ(edited + cancelled, 0);
}

TEST_F(EditingTest, CancellingHidesTheEditorAndTellsOnEditCancelled) {
  ASSERT_TRUE(tree.StartNodeEdit(rows[1], 2));
  TColumnIndex cancelledColumn = ColumnNone;
  tree.OnEditCancelled = [&](TBaseDataTree*, PDataNode, TColumnIndex column) { cancelledColumn = column; };
  EXPECT_TRUE(tree.CancelNodeEdit());
  EXPECT_EQ(link->Hidden, 1);
  EXPECT_EQ(cancelledColumn, 2);
  EXPECT_FALSE(tree.EditInProgress());
}

TEST_F(EditingTest, ARefusedCommitKeepsTheEditAndTheOrder) {
  std::vector<int> values{5, 1, 4, 2, 3};
  tree.OnCompareNodes = [&](TBaseDataTree*, PDataNode a, PDataNode b, TColumnIndex, int& result) {
    result = values[a->Index] - values[b->Index];
  };
  ASSERT_TRUE(tree.StartNodeEdit(rows[0], 0));
  link->CommitAnswer = false;
  EXPECT_FALSE(tree.AcceptNodeEdit());
  EXPECT_TRUE(tree.EditInProgress());
  tree.SortWholeTree(0, sdAscending);
  EXPECT_EQ(AllNodes(tree), rows) << "the tree stays unsorted while the edit cannot end";
  tree.SetFocusedNode(rows[3]);
  EXPECT_EQ(tree.FocusedNode(), rows[0]) << "the focus stays with the edit";
  link->CommitAnswer = true;
  tree.SortWholeTree(0, sdAscending);
  EXPECT_FALSE(tree.EditInProgress());
  EXPECT_NE(AllNodes(tree), rows);
  CheckTree(tree);
}

TEST_F(EditingTest, F2EditsTheFocusedCellButNotWithShift) {
  tree.SetFocusedNode(rows[2]);
  tree.MoveFocusColumn(1);
  SetKeyDown(VK_SHIFT, true);
  tree.Perform(WM_KEYDOWN, VK_F2, 0);
  SetKeyDown(VK_SHIFT, false);
  EXPECT_FALSE(tree.EditInProgress());
  tree.Perform(WM_KEYDOWN, VK_F2, 0);
  EXPECT_TRUE(tree.EditInProgress());
  EXPECT_EQ(tree.EditColumn(), 1);
}

TEST_F(EditingTest, GridExtensionsSpanTheEditorToTheColumnEdge) {
  Include(tree, toGridExtensions);
  ASSERT_TRUE(tree.StartNodeEdit(rows[0], 0));
  EXPECT_EQ(link->Bounds.Right, 100) << "left-aligned text reaches the column's right edge";
  tree.CancelNodeEdit();
  tree.Header().Columns().ColumnAt(1).SetAlignment(taRightJustify);
  ASSERT_TRUE(tree.StartNodeEdit(rows[0], 1));
  EXPECT_EQ(link->Bounds.Left, 100) << "right-aligned text starts at the column's left edge";
  Include(tree, toShowHorzGridLines);
  tree.PlaceEditor();
  const TRect cell = tree.NodeDisplayRect(rows[0], 1, false);
  EXPECT_EQ(link->Bounds.Bottom, cell.Bottom - 1) << "the grid line stays visible";
}

TEST_F(EditingTest, TheEditorFollowsColumnResizingAndScrolling) {
  tree.SetRootNodeCount(40);
  rows = AllNodes(tree);
  ASSERT_TRUE(tree.StartNodeEdit(rows[1], 1));
  const TRect before = link->Bounds;
  tree.Header().Columns().ColumnAt(0).SetWidth(140);
  EXPECT_EQ(link->Bounds.Left, before.Left + 40) << "the column moved right";
  tree.Header().Columns().ColumnAt(1).SetWidth(60);
  EXPECT_LE(link->Bounds.Right, 140 + 60);
  const int placed = link->Placed;
  tree.SetVertOffset(-18);
  EXPECT_GT(link->Placed, placed);
  EXPECT_EQ(link->Bounds.Top, tree.NodeDisplayRect(rows[1], 1, true).Top);
  tree.SetNodeRowHeight(rows[0], 30);
  EXPECT_EQ(link->Bounds.Top, tree.NodeDisplayRect(rows[1], 1, true).Top);
}

TEST_F(EditingTest, SwitchingTheMainColumnCancelsTheEdit) {
  ASSERT_TRUE(tree.StartNodeEdit(rows[0], 1));
  tree.Header().SetMainColumn(2);
  EXPECT_FALSE(tree.EditInProgress());
  EXPECT_EQ(cancelled, 1);
}

TEST_F(EditingTest, FocusMovesAndClicksTakeTheEditFirst) {
  ASSERT_TRUE(tree.StartNodeEdit(rows[1], 0));
  tree.SetFocusedNode(rows[3]);
  EXPECT_EQ(link->Committed, 1);
  EXPECT_FALSE(tree.EditInProgress());
  ASSERT_TRUE(tree.StartNodeEdit(rows[3], 0));
  tree.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 9));
  tree.Perform(WM_LBUTTONUP, 0, MAKELPARAM(30, 9));
  EXPECT_EQ(link->Committed, 2);
  EXPECT_EQ(tree.FocusedNode(), rows[0]);
  EXPECT_EQ(edited, 2);
}

}  // namespace

namespace {

TEST(TreeAssignTest, CopiesSettingsUnlessReadOnly) {
  TForm form(nullptr);
  TDataStringTree source(&form);
  TDataStringTree target(&form);
  source.Header().Columns().AddColumn().SetWidth(77);
  source.SetDefaultNodeHeight(24);
  source.SetIndent(30);
  source.SetColor(clYellow);
  source.Font().SetHeight(-17);
  Include(source, toEditable);
  source.TreeOptions().SetStringOptions({toShowStaticText});
  source.SetRootNodeCount(6);
  source.SetSelectionCurveRadius(3);
  source.HintMode = hmTooltip;
  source.DefaultPasteMode = amInsertAfter;

  Include(target, toReadOnly);
  target.Assign(source);
  EXPECT_EQ(target.RootNodeCount(), 0u) << "a read-only tree takes nothing";
  target.TreeOptions().SetMiscOptions({});

  target.Assign(source);
  EXPECT_EQ(target.Header().Columns().Count(), 1);
  EXPECT_EQ(target.Header().Columns().ColumnAt(0).Width(), 77);
  EXPECT_EQ(target.DefaultNodeHeight(), 24u);
  EXPECT_EQ(target.Indent(), 30u);
  EXPECT_EQ(target.Color(), clYellow);
  EXPECT_EQ(target.Font().Height(), -17);
  EXPECT_TRUE(target.TreeOptions().MiscOptions().Contains(toEditable));
  EXPECT_EQ(target.TreeOptions().StringOptions(), TDTStringOptions{toShowStaticText});
  EXPECT_EQ(target.RootNodeCount(), 6u);
  EXPECT_EQ(target.SelectionCurveRadius(), 3);
  EXPECT_EQ(target.HintMode, hmTooltip);
  EXPECT_EQ(target.DefaultPasteMode, amInsertAfter);
  CheckTree(target);
}

TEST(TreeAssignTest, CanTakeFocusNeedsAShownEnabledForm) {
  TForm form(nullptr);
  TDataStringTree tree(&form);
  tree.SetParent(&form);
  EXPECT_FALSE(tree.CanTakeFocus()) << "the form is hidden";
  form.Show();
  EXPECT_TRUE(tree.CanTakeFocus());
  form.SetEnabled(false);
  EXPECT_FALSE(tree.CanTakeFocus());
}

}  // namespace
