// The text tree's own editor over a real Qt edit: keys, focus, sizing,
// Unicode, and its release after the tree is gone.

#include <map>

#include <gtest/gtest.h>

#include "tests/toolkit/ToolkitTestSupport.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Form.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"
#include "treeview/DTEdit.h"
#include "treeview/DataStringTree.h"
#include "treeview/StringEditLink.h"

namespace {

class TLinkTree : public TDataStringTree {
public:
  using TDataStringTree::TDataStringTree;
  using TDataStringTree::EditLink;
};

class StringEditLinkTest : public testing::Test {
protected:
  StringEditLinkTest() : form(nullptr), tree(new TLinkTree(&form)), other(new TEdit(&form)) {
    form.SetBounds(0, 0, 520, 260);
    tree->SetParent(&form);
    tree->SetBounds(0, 0, 400, 200);
    other->SetParent(&form);
    other->SetBounds(410, 0, 100, 21);
    for (int width : {100, 150, 100}) tree->Header().Columns().AddColumn().SetWidth(width);
    Include(*tree, toEditable);
    tree->OnGetText = [this](TBaseDataTree*, PDataNode node, TColumnIndex column, TDSTTextType type,
                             std::string& text) {
      if (type == ttNormal) text = texts[{node->Index, column}];
    };
    tree->OnNewText = [this](TBaseDataTree*, PDataNode node, TColumnIndex column, const std::string& text) {
      newTexts.push_back(text);
      texts[{node->Index, column}] = text;
    };
    tree->OnEditCancelled = [this](TBaseDataTree*, PDataNode, TColumnIndex) { ++cancelled; };
    tree->SetRootNodeCount(4);
    rows = AllNodes(*tree);
    for (unsigned row = 0; row < 4; ++row)
      for (int column = 0; column < 3; ++column) texts[{row, column}] = "r" + std::to_string(row);
    form.Show();
    ProcessEverything();
  }

  TDTEdit& StartEdit(PDataNode node, TColumnIndex column) {
    EXPECT_TRUE(tree->StartNodeEdit(node, column));
    auto* link = dynamic_cast<TStringEditLink*>(tree->EditLink());
    EXPECT_NE(link, nullptr);
    return *link->Edit();
  }
  void Key(TDTEdit& edit, WORD key) { edit.Perform(WM_KEYDOWN, key, 0); }
  void Type(TDTEdit& edit, const std::string& text) {
    SynthesizeKeyStroke(edit.Handle(), 0, text);
    ProcessEverything();
  }

  TForm form;
  TLinkTree* tree;
  TEdit* other;
  std::vector<PDataNode> rows;
  std::map<std::pair<unsigned, TColumnIndex>, std::string> texts;
  std::vector<std::string> newTexts;
  int cancelled = 0;
};

TEST_F(StringEditLinkTest, TheEditorShowsTheCellTextSelectedAndFocused) {
  TDTEdit& edit = StartEdit(rows[1], 1);
  EXPECT_TRUE(edit.Visible());
  EXPECT_EQ(GetWindowText(edit.Handle()), "r1");
  EXPECT_EQ(edit.SelLength(), 2);
  EXPECT_TRUE(edit.Focused());
  EXPECT_EQ(edit.Parent(), tree);
  const DWORD style = static_cast<DWORD>(GetWindowLongPtr(edit.Handle(), GWL_STYLE));
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & ES_AUTOHSCROLL) << "a single-line node edits one unwrapped line";
  EXPECT_FALSE(style & WS_VSCROLL);
  EXPECT_TRUE(style & WS_BORDER);
}

TEST_F(StringEditLinkTest, EscapeCancelsAndEnterWithoutAChangeStoresNothing) {
  TDTEdit& edit = StartEdit(rows[0], 1);
  Type(edit, "x");
  Key(edit, VK_ESCAPE);
  EXPECT_FALSE(tree->EditInProgress());
  EXPECT_EQ(cancelled, 1);
  EXPECT_TRUE(newTexts.empty());
  EXPECT_EQ(tree->CellText(rows[0], 1), "r0");
  EXPECT_TRUE(tree->Focused()) << "the focus goes back to the tree";

  int edited = 0;
  tree->OnEdited = [&](TBaseDataTree*, PDataNode, TColumnIndex) { ++edited; };
  TDTEdit& again = StartEdit(rows[0], 1);
  Key(again, VK_RETURN);
  EXPECT_FALSE(tree->EditInProgress());
  EXPECT_EQ(edited, 1);
  EXPECT_TRUE(newTexts.empty());
  ProcessEverything();
}

TEST_F(StringEditLinkTest, TypedUnicodeReachesOnNewTextUnchanged) {
  TDTEdit& edit = StartEdit(rows[2], 1);
  const std::string typed = "Gr\xC3\xBC\xC3\x9F" "e, \xE4\xB8\x96\xE7\x95\x8C \xF0\x9F\x98\x80";
  Type(edit, typed);
  Key(edit, VK_RETURN);
  ASSERT_EQ(newTexts.size(), 1u);
  EXPECT_EQ(newTexts[0], typed);
  EXPECT_EQ(tree->CellText(rows[2], 1), typed);
  ProcessEverything();
}

TEST_F(StringEditLinkTest, LeavingTheEditorStoresOrCancelsByTheOption) {
  TDTEdit& edit = StartEdit(rows[1], 0);
  Type(edit, "kept");
  other->SetFocus();
  ProcessEverything();
  EXPECT_FALSE(tree->EditInProgress());
  EXPECT_EQ(newTexts, std::vector<std::string>{"kept"});

  tree->TreeOptions().SetStringOptions({});
  TDTEdit& second = StartEdit(rows[1], 2);
  Type(second, "dropped");
  other->SetFocus();
  ProcessEverything();
  EXPECT_FALSE(tree->EditInProgress());
  EXPECT_EQ(newTexts.size(), 1u);
  EXPECT_EQ(cancelled, 1);
}

TEST_F(StringEditLinkTest, NarrowCellsGetThirtyPixelsGrowingAwayFromTheAlignment) {
  tree->Header().Columns().ColumnAt(1).SetMinWidth(10);
  tree->Header().Columns().ColumnAt(1).SetWidth(20);
  texts[{0, 1}] = "";
  TDTEdit& edit = StartEdit(rows[0], 1);
  EXPECT_EQ(edit.Width(), 30);
  const int left = edit.Left();
  tree->CancelNodeEdit();
  tree->Header().Columns().ColumnAt(1).SetAlignment(taRightJustify);
  TDTEdit& right = StartEdit(rows[0], 1);
  EXPECT_EQ(right.Width(), 30);
  EXPECT_LT(right.Left(), left) << "a right-aligned editor grows to the left";
  EXPECT_EQ(right.Left() + right.Width(), tree->NodeDisplayRect(rows[0], 1, true, true).Right);
}

TEST_F(StringEditLinkTest, ASingleLineEditorFitsItsText) {
  TDTEdit& edit = StartEdit(rows[3], 1);
  const int start = edit.Width();
  Type(edit, "a much longer text than before");
  const int grown = edit.Width();
  EXPECT_GT(grown, start);
  EXPECT_EQ(edit.Left(), tree->NodeDisplayRect(rows[3], 1, true, true).Left) << "left-aligned: the left edge stays";
  ValidateRect(tree->Handle(), nullptr);
  for (int i = 0; i < 10; ++i) SynthesizeKeyStroke(edit.Handle(), VK_BACK, "\b");
  EXPECT_LT(edit.Width(), grown);
  TRect update;
  EXPECT_TRUE(GetUpdateRect(tree->Handle(), &update, false)) << "the uncovered cell is painted again";
  EXPECT_GE(update.Right, edit.Left() + grown - 1);
  EXPECT_TRUE(tree->EditInProgress());
  tree->CancelNodeEdit();
}

TEST_F(StringEditLinkTest, InAMultiLineNodeEnterBreaksTheLineAndCtrlEnterAccepts) {
  rows[1]->Include(nsMultiline);
  TDTEdit& edit = StartEdit(rows[1], 1);
  const DWORD style = static_cast<DWORD>(GetWindowLongPtr(edit.Handle(), GWL_STYLE));
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & ES_AUTOHSCROLL) << "the text wraps";
  Type(edit, "one");
  SynthesizeKeyStroke(edit.Handle(), VK_RETURN, "\r");
  Type(edit, "two");
  EXPECT_TRUE(tree->EditInProgress());
  SynthesizeKeyStroke(edit.Handle(), VK_RETURN, "\n", {false, true, false});
  ProcessEverything();
  EXPECT_FALSE(tree->EditInProgress());
  ASSERT_EQ(newTexts.size(), 1u);
  EXPECT_EQ(newTexts[0], "one\ntwo");
}

TEST_F(StringEditLinkTest, UpAndDownMoveTheCaretInOneLine) {
  TDTEdit& edit = StartEdit(rows[0], 1);
  edit.SetSelStart(1);
  Key(edit, VK_DOWN);
  EXPECT_EQ(edit.SelStart(), 2);
  Key(edit, VK_UP);
  Key(edit, VK_UP);
  EXPECT_EQ(edit.SelStart(), 0);
  EXPECT_TRUE(tree->EditInProgress());
  EXPECT_EQ(tree->FocusedNode(), rows[0]);
  tree->CancelNodeEdit();
}

TEST_F(StringEditLinkTest, TheEditReadsAndAlignsAsItsColumn) {
  tree->Header().Columns().ColumnAt(2).SetBiDiMode(bdRightToLeft);
  TDTEdit& edit = StartEdit(rows[0], 2);
  EXPECT_TRUE(GetWindowLongPtr(edit.Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING);
  EXPECT_TRUE(GetWindowLongPtr(edit.Handle(), GWL_STYLE) & ES_RIGHT) << "left-justified text mirrors to the right";
  tree->CancelNodeEdit();
}

TEST_F(StringEditLinkTest, TabAndEscapeCharactersNeverType) {
  TDTEdit& edit = StartEdit(rows[0], 1);
  edit.Perform(WM_CHAR, '\t', 0);
  edit.Perform(WM_CHAR, 0x1B, 0);
  EXPECT_EQ(GetWindowText(edit.Handle()), "r0");
  EXPECT_EQ(edit.Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
  tree->CancelNodeEdit();
}

TEST_F(StringEditLinkTest, ACommittedTextResortsTheTreeSoundly) {
  tree->OnCompareNodes = [this](TBaseDataTree*, PDataNode a, PDataNode b, TColumnIndex column, int& result) {
    result = texts[{a->Index, column}].compare(texts[{b->Index, column}]);
  };
  tree->OnEdited = [](TBaseDataTree* sender, PDataNode, TColumnIndex column) {
    sender->SortWholeTree(column, sdAscending);
  };
  for (unsigned row = 0; row < 4; ++row) texts[{row, 0}] = std::string(1, static_cast<char>('b' + row));
  TDTEdit& edit = StartEdit(rows[3], 0);
  Type(edit, "a");
  Key(edit, VK_RETURN);
  EXPECT_EQ(newTexts, std::vector<std::string>{"a"});
  EXPECT_EQ(tree->FirstRootNode(), rows[3]) << "the new text sorts first";
  EXPECT_EQ(tree->FocusedNode(), rows[3]);
  CheckTree(*tree);
  ProcessEverything();
}

TEST_F(StringEditLinkTest, ANodeOutOfViewIsScrolledToAndEdited) {
  tree->SetRootNodeCount(40);
  rows = AllNodes(*tree);
  tree->FocusNodeAndColumn(rows[35], 1);
  tree->SetVertOffset(0);
  tree->Perform(WM_KEYDOWN, VK_F2, 0);
  ASSERT_TRUE(tree->EditInProgress());
  EXPECT_LT(tree->OffsetY(), 0);
  TDTEdit& edit = *dynamic_cast<TStringEditLink*>(tree->EditLink())->Edit();
  EXPECT_EQ(edit.Top(), tree->NodeDisplayRect(rows[35], 1, true).Top);
  tree->CancelNodeEdit();
}

TEST_F(StringEditLinkTest, DestroyingTheTreeWhileEditingReleasesTheEdit) {
  StartEdit(rows[0], 1);
  tree->OnEditCancelled = [this](TBaseDataTree* sender, PDataNode node, TColumnIndex column) {
    ++cancelled;
    EXPECT_EQ(static_cast<TCustomDataStringTree*>(sender)->CellText(node, column), "r0") << "the tree is still whole";
  };
  delete tree;
  tree = nullptr;
  ProcessEverything();
  EXPECT_TRUE(newTexts.empty()) << "the tree's end cancels the edit";
  EXPECT_EQ(cancelled, 1);
}

}  // namespace
