// The workspace's way of editing its variable list: its own edit link over
// a toolkit edit (in the manner of the variable cell editor), edits started
// by a posted message, by a second click after EditDelay, and ended by keys.

#include <map>

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"
#include "treeview/DataStringTree.h"

namespace {

constexpr UINT EditNodeMessage = 3029;

// Edits the Value column (1) of a node in a toolkit edit, whatever column the tree names.
class TValueEditLink : public IDTEditLink {
public:
  explicit TValueEditLink(std::map<PDataNode, std::string>& values) : values_(values) {}
  ~TValueEditLink() override { delete edit_; }

  bool ShowEditor() override {
    edit_->Show();
    edit_->SetFocus();
    return true;
  }
  bool HideEditor() override {
    edit_->Hide();
    return true;
  }
  bool CommitEdit() override {
    values_[node_] = edit_->Text();
    edit_->Hide();
    tree_->RepaintNode(node_);
    return true;
  }
  bool PrepareEditor(TBaseDataTree* tree, PDataNode node, TColumnIndex) override {
    tree_ = tree;
    node_ = node;
    edit_ = new TEdit(nullptr);
    edit_->SetVisible(false);
    edit_->SetParent(tree);
    edit_->SetText(values_[node]);
    edit_->OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
      if (key == VK_RETURN) tree_->AcceptNodeEdit();
      if (key == VK_ESCAPE) tree_->CancelNodeEdit();
    };
    ++Prepared;
    return true;
  }
  TRect GetEditorBounds() override { return edit_->BoundsRect(); }
  void ForwardMessage(TMessage& message) override {
    message.Result = edit_->Perform(message.Msg, message.WParam, message.LParam);
  }
  void SetEditorBounds(TRect r) override {
    int left = 0;
    tree_->Header().Columns().ColumnHorzExtent(1, left, r.Right);
    edit_->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  }

  TEdit* Edit() const { return edit_; }
  int Prepared = 0;

private:
  std::map<PDataNode, std::string>& values_;
  TBaseDataTree* tree_ = nullptr;
  PDataNode node_ = nullptr;
  TEdit* edit_ = nullptr;
};

// The workspace form: message 3029 starts an edit of the node in WParam.
class TWorkspaceForm : public TForm {
public:
  using TForm::TForm;
  TDataStringTree* Tree = nullptr;

protected:
  void Dispatch(TMessage& message) override {
    if (message.Msg == EditNodeMessage) {
      Tree->StartNodeEdit(reinterpret_cast<PDataNode>(message.WParam), 1);
      return;
    }
    TForm::Dispatch(message);
  }
};

class WorkspaceEditingTest : public testing::Test {
protected:
  WorkspaceEditingTest() : form(nullptr), tree(new TDataStringTree(&form)) {
    form.Tree = tree;
    form.SetBounds(0, 0, 420, 240);
    tree->SetParent(&form);
    tree->SetBounds(0, 0, 400, 200);
    tree->SetBorderStyle(bsNone);
    for (int width : {96, 192, 96}) tree->Header().Columns().AddColumn().SetWidth(width);
    tree->Header().SetOptions(tree->Header().Options() + TDTHeaderOptions{hoVisible});
    Include(*tree, toEditable);
    Include(*tree, toFullRowSelect);
    tree->SetRootNodeCount(4);
    rows = AllNodes(*tree);
    for (PDataNode node : rows) values[node] = std::to_string(node->Index * 10);
    tree->OnGetText = [this](TBaseDataTree*, PDataNode node, TColumnIndex column, TDSTTextType,
                             std::string& text) {
      text = column == 1 ? values[node] : column == 0 ? "v" + std::to_string(node->Index) : "Integer";
    };
    tree->OnCreateEditor = [this](TBaseDataTree*, PDataNode, TColumnIndex, CountedPtr<IDTEditLink>& link) {
      current = CountedPtr<TValueEditLink>(new TValueEditLink(values));
      link = current;
    };
    form.Show();
    ProcessEverything();
  }

  // The client point of a node's name text.
  TPoint NameOf(PDataNode node) {
    const TRect r = tree->NodeDisplayRect(node, 0, true);
    return Point(r.Left + 3, (r.Top + r.Bottom) / 2);
  }
  void Press(UINT message, TPoint point) { tree->Perform(message, MK_LBUTTON, MAKELPARAM(point.X, point.Y)); }
  void Click(TPoint point) {
    Press(WM_LBUTTONDOWN, point);
    tree->Perform(WM_LBUTTONUP, 0, MAKELPARAM(point.X, point.Y));
  }

  TFakeClockScope clock;
  TWorkspaceForm form;
  TDataStringTree* tree;
  std::vector<PDataNode> rows;
  std::map<PDataNode, std::string> values;
  CountedPtr<TValueEditLink> current;
};

TEST_F(WorkspaceEditingTest, APostedEditMessageOpensTheValueEditor) {
  PostMessage(form.Handle(), EditNodeMessage, reinterpret_cast<WPARAM>(rows[2]), 0);
  EXPECT_FALSE(tree->EditInProgress()) << "the edit waits for the message";
  clock.AdvanceAndDispatch(0);
  ASSERT_TRUE(tree->EditInProgress());
  TEdit& edit = *current->Edit();
  int left = 0, right = 0;
  tree->Header().Columns().ColumnHorzExtent(1, left, right);
  EXPECT_EQ(edit.Left() + edit.Width(), right) << "widened to the Value column's right edge";
  EXPECT_EQ(edit.Left(), tree->NodeDisplayRect(rows[2], 1, true, true).Left);
  EXPECT_TRUE(edit.Visible());
  EXPECT_TRUE(edit.Focused());

  edit.SetText("42.5");
  ValidateRect(tree->Handle(), nullptr);
  edit.Perform(WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_FALSE(tree->EditInProgress());
  EXPECT_EQ(tree->CellText(rows[2], 1), "42.5");
  TRect update;
  ASSERT_TRUE(GetUpdateRect(tree->Handle(), &update, false));
  const TRect cell = tree->NodeDisplayRect(rows[2], 1, false);
  EXPECT_LE(update.Top, cell.Top);
  EXPECT_GE(update.Bottom, cell.Bottom) << "the Value cell is painted again";
}

TEST_F(WorkspaceEditingTest, ASecondClickEditsAfterTheDelayAndADoubleClickCancelsIt) {
  Click(NameOf(rows[1]));
  ASSERT_EQ(tree->FocusedNode(), rows[1]);
  ASSERT_TRUE(tree->Focused());
  Click(NameOf(rows[1]));
  EXPECT_TRUE(tree->TreeStates().Contains(tsEditPending));
  clock.AdvanceAndDispatch(999);
  EXPECT_FALSE(tree->EditInProgress());
  clock.AdvanceAndDispatch(1);
  EXPECT_TRUE(tree->EditInProgress());
  EXPECT_EQ(current->Prepared, 1);
  tree->CancelNodeEdit();

  tree->SetFocus();
  Click(NameOf(rows[1]));
  Press(WM_LBUTTONDBLCLK, NameOf(rows[1]));
  tree->Perform(WM_LBUTTONUP, 0, MAKELPARAM(NameOf(rows[1]).X, NameOf(rows[1]).Y));
  EXPECT_FALSE(tree->TreeStates().Contains(tsEditPending));
  clock.AdvanceAndDispatch(2000);
  EXPECT_FALSE(tree->EditInProgress()) << "the double click dropped the pending edit";
  CheckTree(*tree);
}

TEST_F(WorkspaceEditingTest, UpInTheTreeCommitsAndMovesTheFocus) {
  ASSERT_TRUE(tree->StartNodeEdit(rows[2], 1));
  current->Edit()->SetText("7");
  PostMessage(tree->Handle(), WM_KEYDOWN, VK_UP, 0);
  clock.AdvanceAndDispatch(0);
  EXPECT_FALSE(tree->EditInProgress());
  EXPECT_EQ(values[rows[2]], "7");
  EXPECT_EQ(tree->FocusedNode(), rows[1]);
}

}  // namespace
