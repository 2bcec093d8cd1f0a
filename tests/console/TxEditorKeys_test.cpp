#include <gtest/gtest.h>

#include "console/TxCommands.h"
#include "tests/console/EditorFixture.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/win/Keys.h"

namespace {

using TRows = std::vector<std::string>;

constexpr TInputModifiers Plain{};
constexpr TInputModifiers Shift{true, false, false};
constexpr TInputModifiers CtrlShift{true, true, false};
constexpr TInputModifiers Alt{false, false, true};

class EditorKeys : public EditorTest {
protected:
  EditorKeys() {
    editor->SetFocus();
    ProcessEverything();
  }
  void Load(const TRows& rows, int x = 0, int y = 0) {
    std::string text;
    for (const std::string& row : rows) text += row + "\r\n";
    editor->Lines().SetText(text);
    editor->SetCaretInternal(x, y);
    editor->UndoList().Clear();
  }
  TRows Rows() const {
    TRows rows;
    for (int i = 0; i < editor->Lines().Count(); ++i) rows.push_back(editor->Lines().Strings(i));
    return rows;
  }
  // A key as a user presses it; letters type their lower case unless shifted.
  void Press(WORD key, TInputModifiers modifiers = Plain) {
    std::string text;
    if (key >= 'A' && key <= 'Z' && !modifiers.Control && !modifiers.Alt)
      text = std::string(1, static_cast<char>(modifiers.Shift ? key : key + 32));
    if (key >= '0' && key <= '9' && !modifiers.Control) text = std::string(1, static_cast<char>(key));
    if (key == VK_RETURN) text = "\r";
    SynthesizeKeyStroke(editor->Handle(), key, text, modifiers);
    ProcessEverything();
  }
  void Type(const std::string& text) {
    SynthesizeKeyStroke(editor->Handle(), 0, text, Plain);
    ProcessEverything();
  }
  TPoint Caret() const { return {editor->CaretX(), editor->CaretY()}; }
};

TEST_F(EditorKeys, ChordsReachTheirCommands) {
  Load({"abc def", "second"}, 1, 0);
  Press('Q', Ctrl);
  Press('D');
  EXPECT_EQ(Caret(), (TPoint{7, 0}));
  editor->SetCaretInternal(1, 0);
  Press('Q', Ctrl);
  Press('D', Ctrl);
  EXPECT_EQ(Caret(), (TPoint{7, 0}));
  Press('K', Ctrl);
  Press('I');
  EXPECT_EQ(Rows(), (TRows{"abc def", "second"})) << "an unmatched chord types nothing";
}

TEST_F(EditorKeys, Bookmarks) {
  Load({"zero", "one", "two", "three"}, 2, 1);
  Press('K', Ctrl);
  Press('3');
  EXPECT_TRUE(editor->Bookmarks(3).Valid);
  Press('K', Ctrl);
  Press('3');
  EXPECT_FALSE(editor->Bookmarks(3).Valid);
  editor->SetCaretInternal(0, 3);
  Press('3', Ctrl);
  EXPECT_EQ(Caret(), (TPoint{0, 3})) << "a cleared bookmark goes nowhere";

  editor->SetCaretInternal(1, 2);
  Press('3', CtrlShift);
  ASSERT_TRUE(editor->Bookmarks(3).Valid);
  editor->SetCaretInternal(0, 0);
  Press('3', Ctrl);
  EXPECT_EQ(Caret(), (TPoint{1, 2}));
}

TEST_F(EditorKeys, CaretAndSelectionKeys) {
  Load({"0123456789", "abc def", "xyz"}, 5, 0);
  Press(VK_RIGHT, Shift);
  EXPECT_TRUE(editor->Selected());
  EXPECT_EQ(editor->Selection().SelBegX, 5);
  EXPECT_EQ(editor->Selection().SelEndX, 6);
  EXPECT_EQ(editor->SelBlockFormat(), bfNonInclusive);
  EXPECT_EQ(Caret(), (TPoint{6, 0}));

  editor->SetCaretInternal(1, 2);
  Press(VK_DOWN);
  EXPECT_EQ(Caret(), (TPoint{1, 2})) << "Down on the last row";
  editor->SetCaretInternal(10, 0);
  Press(VK_RIGHT, Ctrl);
  EXPECT_EQ(Caret(), (TPoint{0, 1}));

  struct TCase {
    int from;
    WORD key;
    int to;
  };
  for (const TCase& c : {TCase{7, VK_LEFT, 4}, TCase{4, VK_LEFT, 0}, TCase{10, VK_LEFT, 7}, TCase{0, VK_RIGHT, 4},
                         TCase{4, VK_RIGHT, 7}}) {
    editor->SetCaretInternal(c.from, 1);
    Press(c.key, Ctrl);
    EXPECT_EQ(editor->CaretX(), c.to) << "from " << c.from << (c.key == VK_LEFT ? " left" : " right");
  }
}

TEST_F(EditorKeys, SelectAllAndUndoOfCaretMoves) {
  Load({});
  Press('A', Ctrl);
  EXPECT_EQ(Caret(), (TPoint{0, 0}));

  Load({"abc", "de"}, 1, 0);
  Press('A', Ctrl);
  EXPECT_TRUE(editor->Selected());
  EXPECT_EQ(Caret(), (TPoint{2, 1}));
  Press('Z', Ctrl);
  EXPECT_EQ(Caret(), (TPoint{1, 0}));
  EXPECT_FALSE(editor->Selected());

  Load({"abcdef"}, 1, 0);
  Press(VK_RIGHT);
  Press(VK_RIGHT);
  Press(VK_RIGHT);
  EXPECT_EQ(Caret(), (TPoint{4, 0}));
  Press('Z', Ctrl);
  EXPECT_EQ(Caret(), (TPoint{1, 0}));
  Press(VK_RIGHT);
  Press(VK_BACK, Alt);
  EXPECT_EQ(Caret(), (TPoint{1, 0})) << "Alt+Backspace undoes";
}

TEST_F(EditorKeys, PagesAndScrollingRows) {
  TRows rows;
  for (int i = 0; i < 200; ++i) rows.push_back("row " + std::to_string(i));
  Load(rows, 0, 0);
  editor->SetSel(0, 0);
  editor->SetSel(2, 0);
  Press(VK_NEXT);
  EXPECT_EQ(editor->CaretY(), editor->VisibleRowCount());
  EXPECT_EQ(editor->TopRow(), editor->VisibleRowCount());
  EXPECT_FALSE(editor->Selected());

  editor->SetSel(0, editor->CaretY());
  editor->SetSel(2, editor->CaretY());
  const int top = editor->TopRow();
  Press(VK_DOWN, Ctrl);
  EXPECT_EQ(editor->TopRow(), top + 1);
  EXPECT_TRUE(editor->Selected());
}

TEST_F(EditorKeys, InsertModeAndLineAndWordDeletion) {
  Load({"one two", "three", "", "four"}, 0, 0);
  int statuses = 0;
  editor->OnChangeStatus = [&statuses](TObject*) { ++statuses; };
  Press(VK_INSERT);
  EXPECT_FALSE(editor->InsertMode());
  EXPECT_GE(statuses, 1);
  Press(VK_INSERT);

  Press('Y', Ctrl);
  EXPECT_EQ(Rows(), (TRows{"three", "", "four"}));
  editor->SetCaretInternal(0, 1);
  Press('Y', Ctrl);
  EXPECT_EQ(Rows(), (TRows{"three", "four"}));
  Press('Z', Ctrl);
  EXPECT_EQ(Rows(), (TRows{"three", "", "four"}));
  Press('Z', Ctrl);
  EXPECT_EQ(Rows(), (TRows{"one two", "three", "", "four"}));

  editor->SetCaretInternal(5, 0);
  Press('T', Ctrl);
  EXPECT_EQ(Rows()[0], "one ");
}

TEST_F(EditorKeys, BlockFormatTabAndCompletionKeys) {
  Load({"a", "b", "c", "d", "e", "f"}, 0, 0);
  Press('O', Ctrl);
  Press('C', Ctrl);
  EXPECT_EQ(editor->SelBlockFormat(), bfColumn);
  Press('O', Ctrl);
  Press('K', Ctrl);
  editor->SetSel(0, 2);
  editor->SetSel(0, 5);
  Press(VK_TAB);
  EXPECT_EQ(Rows(), (TRows{"a", "b", "  c", "  d", "  e", "f"}));

  Load({"abc"}, 1, 0);
  Press(VK_SPACE, Ctrl);
  Press('J', Ctrl);
  EXPECT_EQ(Rows(), TRows{"abc"});
  EXPECT_EQ(Caret(), (TPoint{1, 0}));
  EXPECT_FALSE(editor->Selected());
  EXPECT_FALSE(editor->Completion().Visible());
}

TEST_F(EditorKeys, AHostCanSwallowAKey) {
  Load({"abc"}, 0, 0);
  editor->OnKeyDown = [](TObject*, WORD& key, TShiftState) {
    if (key == VK_END) key = 0;
  };
  Press(VK_END);
  EXPECT_EQ(Caret(), (TPoint{0, 0}));
}

TEST_F(EditorKeys, MacrosRecordCommandsAndNeverPlayThemselves) {
  Load({"first row", "second row"}, 3, 0);
  Press('R', CtrlShift);
  Press(VK_HOME);
  Press(VK_END, Shift);
  Press('C', Ctrl);
  Press('R', CtrlShift);
  EXPECT_FALSE(editor->Recording);
  editor->ClearSelection();
  editor->SetCaretInternal(2, 1);
  Clipboard().SetAsText("");
  Press('P', CtrlShift);
  EXPECT_EQ(Clipboard().AsText(), "second row");

  Press('R', CtrlShift);
  Press('P', CtrlShift);
  Press('R', CtrlShift);
  Press('P', CtrlShift);
  EXPECT_FALSE(editor->Recording) << "a macro that plays itself finishes";

  Load({"", "x"}, 0, 0);
  Press('R', CtrlShift);
  Type("\xC2\xB5");
  Type("\xE2\x82\xAC");
  Press('R', CtrlShift);
  EXPECT_EQ(Rows()[0], "\xC2\xB5\xE2\x82\xAC");
  EXPECT_EQ(editor->Lines().RowLength(0), 2);
  editor->SetCaretInternal(0, 1);
  Press('P', CtrlShift);
  EXPECT_EQ(Rows()[1], "\xC2\xB5\xE2\x82\xAC" "x");
}

TEST_F(EditorKeys, ReadOnlyStopsTextCommandsButNotTheCaret) {
  Load({"abc", "def"}, 1, 0);
  editor->SetFlagProperty(1, true);
  Type("x");
  Press(VK_RETURN);
  Press(VK_BACK);
  Press('Y', Ctrl);
  Press('Z', Ctrl);
  EXPECT_EQ(Rows(), (TRows{"abc", "def"}));
  Press(VK_RIGHT);
  EXPECT_EQ(Caret(), (TPoint{2, 0}));
  editor->SetFlagProperty(1, false);
  EXPECT_THROW(editor->Command(ecRedo), ETxEditorError);
  EXPECT_EQ(Rows(), (TRows{"abc", "def"}));
}

TEST_F(EditorKeys, CompletionWaitsOnlyWhenEnabled) {
  Load({""}, 0, 0);
  Type("a");
  EXPECT_FALSE(editor->Completion().TimerRunning());
  EXPECT_FALSE(editor->Completion().DoKeyDown(VK_RETURN)) << "a hidden list takes no key";
  editor->Completion().Enabled = true;
  Type("b");
  EXPECT_TRUE(editor->Completion().TimerRunning());
}

}  // namespace
