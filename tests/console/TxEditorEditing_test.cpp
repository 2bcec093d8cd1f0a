#include <gtest/gtest.h>

#include "console/TxTextRoutines.h"
#include "tests/console/EditorFixture.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/win/PlaySound.h"

namespace {

using TRows = std::vector<std::string>;

class EditorEditing : public EditorTest {
protected:
  EditorEditing() {
    SetSoundBackend(&sound);
    Clipboard().Open();
    Clipboard().Clear();
    Clipboard().Close();
  }
  ~EditorEditing() override { SetSoundBackend(nullptr); }

  void Load(const TRows& rows, int x = 0, int y = 0) {
    std::string text;
    for (const std::string& row : rows) text += row + "\r\n";
    editor->Lines().SetText(text);
    editor->SetCaretInternal(x, y);
    editor->Modifications.clear();
  }
  TRows Rows() const {
    TRows rows;
    for (int i = 0; i < editor->Lines().Count(); ++i) rows.push_back(editor->Lines().Strings(i));
    return rows;
  }
  void Select(TSelBlockFormat format, int begX, int begY, int endX, int endY) {
    editor->SetSelection(TTxSelection{true, format, begX, begY, endX, endY});
  }
  int Beeps() const {
    int beeps = 0;
    for (const auto& request : sound.Requests()) beeps += request.Kind == TNullSoundBackend::TKind::Beep;
    return beeps;
  }
  void Undo() { editor->UndoList().Undo(); }

  TNullSoundBackend sound;
};

// ---- tab stops ----

TEST_F(EditorEditing, RegularTabStops) {
  struct TCase {
    const char* stops;
    int from, to;
  };
  for (const TCase& c : {TCase{"3 5", 0, 2}, TCase{"3 5", 2, 4}, TCase{"3 5", 4, 6}, TCase{"3 5", 5, 6},
                         TCase{"3 5", 9, 10}, TCase{"", 7, 8}, TCase{"3 3", 2, 3}, TCase{"5 3", 4, 7},
                         TCase{"5 3", 0, 4}, TCase{"2", 4, 5}, TCase{"0", 4, 5}, TCase{"3 x", 2, 3}}) {
    editor->SetTabStops(c.stops);
    EXPECT_EQ(editor->GetTabStop(c.from), c.to) << "stops \"" << c.stops << "\" from " << c.from;
  }
  editor->SetTabStops("3 5");
  EXPECT_EQ(editor->ExpandTabs("a\tb"), "a  b");
}

TEST_F(EditorEditing, TabInsertsBlanksOrMovesTheCaret) {
  editor->SmartTab = false;
  Load({"abc"}, 0, 0);
  editor->TabRight();
  EXPECT_EQ(Rows(), TRows{"  abc"});
  EXPECT_EQ(editor->CaretX(), 2);
  editor->SetFlagProperty(0, false);  // overwrite
  editor->TabRight();
  EXPECT_EQ(Rows(), TRows{"  abc"});
  EXPECT_EQ(editor->CaretX(), 4);
  editor->SetFlagProperty(0, true);
  editor->SetCaretInternal(3, 0);
  editor->TabLeft();
  EXPECT_EQ(editor->CaretX(), 4);
  EXPECT_EQ(Rows(), TRows{"  abc"});
}

TEST_F(EditorEditing, SmartTabsFollowTheWordsAbove) {
  Load({"    word  other", ""}, 0, 1);
  editor->TabRight();
  EXPECT_EQ(editor->CaretX(), 4);
  editor->TabRight();
  EXPECT_EQ(editor->CaretX(), 10);
  editor->TabRight();
  EXPECT_EQ(editor->CaretX(), 15);
}

// ---- new line, Backspace, Delete ----

TEST_F(EditorEditing, NewLineKeepsTheIndentation) {
  Load({"    abcdef"}, 7, 0);
  editor->NewLine();
  EXPECT_EQ(Rows(), (TRows{"    abc", "    def"}));
  EXPECT_EQ(editor->CaretX(), 4);
  EXPECT_EQ(editor->CaretY(), 1);
  Undo();
  EXPECT_EQ(Rows(), TRows{"    abcdef"});

  editor->AutoIndent = false;
  Load({"    abcdef"}, 7, 0);
  editor->NewLine();
  EXPECT_EQ(editor->CaretX(), 0);
  editor->AutoIndent = true;
  Load({"abcdef"}, 3, 0);
  editor->NewLine();
  EXPECT_EQ(Rows(), (TRows{"abc", "def"}));
  EXPECT_EQ(editor->CaretX(), 0);

  Load({}, 0, 0);
  editor->NewLine();
  EXPECT_EQ(Rows(), (TRows{"", ""}));
}

TEST_F(EditorEditing, BackspaceUnindentsAndJoins) {
  Load({"x", "  y", "    x"}, 4, 2);
  editor->DeleteLeft();
  EXPECT_EQ(Rows()[2], "  x");
  EXPECT_EQ(editor->CaretX(), 2);

  editor->BackSpaceUnindents = false;
  Load({"x", "  y", "    x"}, 4, 2);
  editor->DeleteLeft();
  EXPECT_EQ(Rows()[2], "   x");
  editor->BackSpaceUnindents = true;

  Load({"ab"}, 0, 0);
  editor->DeleteLeft();
  EXPECT_EQ(Rows(), TRows{"ab"});

  Load({"ab", "cd"}, 0, 1);
  const int at = editor->CaretPosition();
  editor->DeleteLeft();
  EXPECT_EQ(Rows(), TRows{"abcd"});
  EXPECT_EQ(editor->CaretX(), 2);
  ASSERT_FALSE(editor->Modifications.empty());
  EXPECT_EQ(editor->Modifications.back(), (TRecordingEditor::TModification{at - 2, taDeleted, "\r\n"}));
  Undo();
  EXPECT_EQ(Rows(), (TRows{"ab", "cd"}));
}

TEST_F(EditorEditing, DeleteRemovesACharacterOrJoinsAtTheCaret) {
  Load({"abc", "def"}, 1, 0);
  editor->DeleteRight();
  EXPECT_EQ(Rows(), (TRows{"ac", "def"}));
  editor->SetCaretInternal(2, 0);
  editor->DeleteRight();
  EXPECT_EQ(Rows(), TRows{"acdef"});

  Load({"abc", "defghijk"}, 5, 0);
  editor->DeleteRight();
  EXPECT_EQ(Rows(), TRows{"abc  defghijk"});
  Undo();
  EXPECT_EQ(Rows(), (TRows{"abc", "defghijk"}));
}

// ---- blocks and the clipboard ----

TEST_F(EditorEditing, ColumnBlocksTravelAsColumns) {
  Load({"0123456789", "abcdefghij", "ABCDEFGHIJ", "klmnopqrst", "4", "5", "6", "7", "8"});
  Select(bfColumn, 2, 1, 4, 3);
  editor->ClipboardCopy();
  EXPECT_EQ(Clipboard().AsText(), "cde\r\nCDE\r\nmno\r\n");
  EXPECT_EQ(TTxCustomEditor::GetClipboardBlockFormat(), bfColumn);

  const TRows before = Rows();
  editor->ClearSelection();
  editor->SetCaretInternal(5, 8);
  editor->ClipboardPaste();
  EXPECT_EQ(Rows()[8], "8    cde");
  ASSERT_EQ(Rows().size(), 11u);
  EXPECT_EQ(Rows()[9], "     CDE");
  EXPECT_EQ(Rows()[10], "     mno");
  EXPECT_EQ(editor->CaretX(), 5);
  EXPECT_EQ(editor->CaretY(), 10);
  Undo();
  EXPECT_EQ(Rows(), before);

  editor->SetCaretInternal(3, 3);
  editor->ClipboardPaste();
  EXPECT_EQ(Rows()[4], "4  CDE") << "a shorter row is padded to the block's column";
  Undo();
  EXPECT_EQ(Rows(), before);
}

TEST_F(EditorEditing, DeletingAColumnBlockReportsItsText) {
  Load({"a(*b", "c  d"});
  Select(bfColumn, 1, 0, 2, 0);
  const int at = editor->PosFromCaret(1, 0);
  editor->DeleteSelected();
  EXPECT_EQ(Rows()[0], "ab");
  EXPECT_EQ(editor->Modifications.back(), (TRecordingEditor::TModification{at, taColumnDeleted, "(*\r\n"}));
}

TEST_F(EditorEditing, StreamPastesExpandTabsAndBeepBelowTheText) {
  Load({"xy"}, 1, 0);
  Clipboard().SetAsText("a\tb");
  editor->ClipboardPaste();
  EXPECT_EQ(Rows(), TRows{"xa  by"});

  editor->CursorBeyondEOF = true;
  Load({"xy"}, 0, 3);
  ASSERT_EQ(editor->CaretY(), 3);
  EXPECT_FALSE(editor->CanPaste());
  editor->ClipboardPaste();
  EXPECT_EQ(Beeps(), 1);
  EXPECT_NE(Rows(), TRows{"xy"}) << "the paste still goes on";
}

TEST_F(EditorEditing, BlockIndentAndUnindentWholeRows) {
  Load({"zero", "one", "two", "three", "four", "five"});
  Select(bfNonInclusive, 0, 2, 0, 5);
  editor->IndentBlock();
  EXPECT_EQ(Rows(), (TRows{"zero", "one", "  two", "  three", "  four", "five"}));
  EXPECT_TRUE(editor->Selected());
  editor->UnindentBlock();
  EXPECT_EQ(Rows(), (TRows{"zero", "one", "two", "three", "four", "five"}));
  editor->IndentBlock();
  Undo();
  EXPECT_EQ(Rows(), (TRows{"zero", "one", "two", "three", "four", "five"})) << "one undo";
}

TEST_F(EditorEditing, CaseCommandsAndSetSelText) {
  Load({"aB1"});
  Select(bfNonInclusive, 0, 0, 3, 0);
  editor->UpperCaseSelection();
  EXPECT_EQ(Rows(), TRows{"AB1"});
  editor->LowerCaseSelection();
  EXPECT_EQ(Rows(), TRows{"ab1"});
  Select(bfNonInclusive, 0, 0, 3, 0);
  Load({"aB1"});
  Select(bfNonInclusive, 0, 0, 3, 0);
  editor->SwapCaseSelection();
  EXPECT_EQ(Rows(), TRows{"Ab1"});
  EXPECT_TRUE(editor->Selected());
  EXPECT_EQ(editor->GetSelText(), "Ab1");

  Load({"abcd"});
  Select(bfNonInclusive, 1, 0, 3, 0);
  editor->SetSelText("xy");
  EXPECT_EQ(Rows(), TRows{"axyd"});
  EXPECT_EQ(editor->GetSelText(), "xy");
  Undo();
  EXPECT_EQ(Rows(), TRows{"abcd"});
}

TEST_F(EditorEditing, OvertypingReplacesOrAppends) {
  Load({"abc"}, 1, 0);
  editor->SetFlagProperty(0, false);
  editor->TypeChar('x');
  EXPECT_EQ(Rows(), TRows{"axc"});
  Undo();
  EXPECT_EQ(Rows(), TRows{"abc"});
  editor->SetCaretInternal(3, 0);
  editor->TypeChar('z');
  EXPECT_EQ(Rows(), TRows{"abcz"});
  Undo();
  EXPECT_EQ(Rows(), TRows{"abc"});
}

TEST_F(EditorEditing, TypingCharactersBeyondLatin1) {
  Load({"ab"}, 1, 0);
  editor->TypeChar(U'€');
  EXPECT_EQ(Rows(), TRows{"a\xE2\x82\xAC" "b"});
  EXPECT_EQ(editor->CaretX(), 2);
}

TEST_F(EditorEditing, ReadOnlyChangesNothing) {
  Load({"abc", "def"}, 1, 0);
  Select(bfNonInclusive, 0, 0, 2, 1);
  editor->SetFlagProperty(1, true);
  const int records = editor->UndoList().Count();
  Clipboard().SetAsText("zz");
  editor->TypeChar('x');
  editor->NewLine();
  editor->DeleteLeft();
  editor->DeleteRight();
  editor->TabRight();
  editor->IndentBlock();
  editor->UpperCaseSelection();
  editor->SetSelText("q");
  editor->InsertText("q");
  editor->ClipboardCut();
  editor->ClipboardPaste();
  editor->DeleteSelection();
  EXPECT_EQ(Rows(), (TRows{"abc", "def"}));
  EXPECT_TRUE(editor->Selected());
  EXPECT_EQ(editor->UndoList().Count(), records);
}

TEST_F(EditorEditing, ASelectionOutsideTheRowsBeepsAndChangesNothing) {
  Load({"abc"});
  Select(bfNonInclusive, 0, 0, 2, 5);
  EXPECT_EQ(editor->GetSelText(), "");
  editor->DeleteSelected();
  EXPECT_EQ(Rows(), TRows{"abc"});
  EXPECT_EQ(Beeps(), 2);
  Clipboard().SetAsText("old");
  editor->ClipboardCopy();
  EXPECT_EQ(Clipboard().AsText(), "");
  Select(bfNonInclusive, 0, 0, 0, 3);
  editor->IndentBlock();
  EXPECT_EQ(Rows(), TRows{"abc"}) << "no rows to indent";
  Select(bfNonInclusive, 1, 0, 1, 0);
  EXPECT_FALSE(editor->CanCopy());
  EXPECT_FALSE(editor->CanCut());
}

TEST_F(EditorEditing, TheUndoTableThroughTheRealOperations) {
  Load({""}, 0, 0);
  editor->TypeChar('a');
  editor->TypeChar('b');
  editor->TypeChar('c');
  Undo();
  EXPECT_EQ(Rows(), TRows{""});
  EXPECT_EQ(editor->CaretX(), 0);

  Load({""}, 4, 0);
  editor->TypeChar('x');
  EXPECT_EQ(Rows(), TRows{"    x"});
  Undo();
  EXPECT_EQ(Rows(), TRows{""});

  Load({"abcXYZ"}, 3, 0);
  for (int i = 0; i < 3; ++i) editor->DeleteLeft();
  EXPECT_EQ(Rows(), TRows{"XYZ"});
  Undo();
  EXPECT_EQ(Rows(), TRows{"abcXYZ"});
  EXPECT_EQ(editor->CaretX(), 3);

  Load({"ab"}, 2, 0);
  editor->TypeChar(' ');
  EXPECT_EQ(Rows(), TRows{"ab"}) << "a blank typed at the end is trimmed";
  EXPECT_EQ(editor->CaretX(), 3);
  editor->TypeChar('c');
  EXPECT_EQ(Rows(), TRows{"ab c"});
}

}  // namespace
