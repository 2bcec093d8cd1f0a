#include "console/UndoBuffer.h"

#include <functional>

#include <gtest/gtest.h>

#include "tests/console/EditorDouble.h"

namespace {

using TRows = std::vector<std::string>;

struct TUndoCase {
  const char* name;
  TRows before;
  int caretX, caretY;
  std::function<void(TEditorDouble&)> steps;
  TRows after;
  int afterX, afterY;
};

void PrintTo(const TUndoCase& c, std::ostream* out) { *out << c.name; }

class OneUndo : public ::testing::TestWithParam<TUndoCase> {};

TEST_P(OneUndo, TakesBackTheWholeGroup) {
  const TUndoCase& c = GetParam();
  TEditorDouble editor(c.before);
  editor.SetCaretInternal(c.caretX, c.caretY);
  c.steps(editor);
  editor.undo.Undo();
  EXPECT_EQ(editor.Rows(), c.after) << c.name;
  EXPECT_EQ(editor.caretX, c.afterX) << c.name;
  EXPECT_EQ(editor.caretY, c.afterY) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, OneUndo,
    ::testing::Values(
        TUndoCase{"typing a b c", {""}, 0, 0, [](TEditorDouble& e) { e.Type("a"), e.Type("b"), e.Type("c"); }, {""}, 0, 0},
        TUndoCase{"typing into an empty text", {}, 0, 0, [](TEditorDouble& e) { e.Type("a"), e.Type("b"); }, {}, 0, 0},
        TUndoCase{"typing past the end of an empty row", {""}, 4, 0, [](TEditorDouble& e) { e.Type("x"); }, {""}, 0, 0},
        TUndoCase{"typing below the last row", {"ab"}, 1, 2, [](TEditorDouble& e) { e.Type("x"); }, {"ab"}, 2, 0},
        TUndoCase{"backspaces in a row", {"abcXYZ"}, 3, 0,
                  [](TEditorDouble& e) { e.Backspace(), e.Backspace(), e.Backspace(); }, {"abcXYZ"}, 3, 0},
        TUndoCase{"backspaces emptying a row", {"abc"}, 3, 0,
                  [](TEditorDouble& e) { e.Backspace(), e.Backspace(), e.Backspace(); }, {"abc"}, 3, 0},
        TUndoCase{"a join, then a backspace", {"ab", "cd"}, 0, 1,
                  [](TEditorDouble& e) { e.Backspace(), e.Backspace(); }, {"ab", "cd"}, 0, 1},
        TUndoCase{"overtyping past the end", {"ab"}, 2, 0, [](TEditorDouble& e) { e.Overtype("x"); }, {"ab"}, 2, 0},
        TUndoCase{"overtyping a character", {"ab"}, 0, 0, [](TEditorDouble& e) { e.Overtype("x"); }, {"ab"}, 0, 0},
        TUndoCase{"deleting c and d", {"abcde"}, 2, 0,
                  [](TEditorDouble& e) { e.DeleteForward(), e.DeleteForward(); }, {"abcde"}, 2, 0},
        TUndoCase{"a compound group", {"hello"}, 5, 0,
                  [](TEditorDouble& e) {
                    RecordUndo<TTxBeginCompoundUndo>(e);
                    e.Type("!");
                    e.Select(0, 0, 2, 0);
                    e.DeleteSelected();
                    RecordUndo<TTxEndCompoundUndo>(e);
                  },
                  {"hello"}, 5, 0},
        TUndoCase{"three caret moves", {"abc", "def"}, 1, 0,
                  [](TEditorDouble& e) { e.MoveCaret(2, 0), e.MoveCaret(2, 1), e.MoveCaret(0, 1); }, {"abc", "def"}, 1, 0},
        TUndoCase{"typing characters of two bytes", {"\xC2\xB5"}, 1, 0,
                  [](TEditorDouble& e) { e.Type("\xE2\x82\xAC"), e.Type("x"); }, {"\xC2\xB5"}, 1, 0}));

TEST(UndoBuffer, OnlyTheNewestRunGoesAtOnce) {
  TEditorDouble editor({""});
  editor.Type("a");
  editor.MoveCaret(0, 0);
  editor.Type("b");
  editor.undo.Undo();
  EXPECT_EQ(editor.Rows(), TRows{"a"});
  editor.undo.Undo();
  EXPECT_EQ(editor.caretX, 1) << "the caret move undoes on its own";
  editor.undo.Undo();
  EXPECT_EQ(editor.Rows(), TRows{""});
  EXPECT_FALSE(editor.undo.CanUndo());
}

TEST(UndoBuffer, ABlankTypedAtTheEndIsTrimmedAndComesBack) {
  TEditorDouble editor({"ab"});
  editor.SetCaretInternal(2, 0);
  editor.Type(" ");
  EXPECT_EQ(editor.Rows(), TRows{"ab"});
  EXPECT_EQ(typeid(*editor.undo.Current()), typeid(TTxDeleteTrailUndo));
  editor.Type("c");
  EXPECT_EQ(editor.Rows(), TRows{"ab c"});
  editor.undo.Undo();
  EXPECT_EQ(editor.Rows(), TRows{"ab"});
}

TEST(UndoBuffer, PutTrimsUnlessBlanksAreKept) {
  TEditorDouble editor({"x"});
  editor.lines.SetStrings(0, "ab  ");
  EXPECT_EQ(editor.Rows(), TRows{"ab"});
  const auto* trail = dynamic_cast<TTxDeleteTrailUndo*>(editor.undo.Current());
  ASSERT_NE(trail, nullptr);
  EXPECT_EQ(trail->Text, "  ");
  EXPECT_EQ(trail->CaretX, 4);
  EXPECT_EQ(trail->CaretY, 0);

  editor.SetCaretInternal(4, 0);
  editor.lines.ReLine();
  EXPECT_EQ(editor.Rows(), TRows{"ab  "});
  EXPECT_EQ(typeid(*editor.undo.Current()), typeid(TTxReLineUndo));

  editor.keepTrailingBlanks = true;
  editor.undo.Clear();
  editor.lines.SetStrings(0, "cd  ");
  EXPECT_EQ(editor.Rows(), TRows{"cd  "});
  EXPECT_FALSE(editor.undo.CanUndo());
}

TEST(UndoBuffer, LoadingTextEmptiesTheListUnlessLocked) {
  TEditorDouble editor({""});
  editor.Type("a");
  editor.lines.SetText("x\r\ny\tz");
  EXPECT_EQ(editor.Rows(), (TRows{"x", "y  z"}));
  EXPECT_FALSE(editor.undo.CanUndo());
  editor.undo.Undo();
  EXPECT_EQ(editor.Rows(), (TRows{"x", "y  z"}));

  editor.Type("b");
  editor.RaiseUpdateLock();
  editor.lines.SetText("q");
  editor.LowerUpdateLock();
  EXPECT_TRUE(editor.undo.CanUndo());
}

TEST(UndoBuffer, UndoRecordsNothingAndNotifiesOnlyWhenUnlocked) {
  TEditorDouble editor({"ab"});
  editor.SetCaretInternal(2, 0);
  editor.Type("c");
  editor.Type("d");
  const int records = editor.undo.Count();
  editor.textAllChanged = editor.changed = 0;
  editor.RaiseUpdateLock();
  editor.undo.Undo();
  editor.LowerUpdateLock();
  EXPECT_EQ(editor.undo.Count(), records) << "the undo's own edits leave no records";
  EXPECT_EQ(editor.textAllChanged, 0);
  EXPECT_EQ(editor.changed, 0);

  editor.Type("e");
  editor.undo.Undo();
  EXPECT_EQ(editor.changed, 1);
  EXPECT_GE(editor.textAllChanged, 1);
}

TEST(UndoBuffer, RedoIsRefusedAndChangesNothing) {
  TEditorDouble editor({"ab"});
  editor.Type("x");
  const int position = editor.undo.Position();
  EXPECT_THROW(
      {
        try {
          editor.undo.Redo();
        } catch (const ETxEditorError& error) {
          EXPECT_STREQ(error.what(), "Redo not yet implemented");
          throw;
        }
      },
      ETxEditorError);
  EXPECT_EQ(editor.Rows(), TRows{"xab"});
  EXPECT_EQ(editor.undo.Position(), position);
}

TEST(UndoBuffer, AddDropsWhatWasUndoneAndStartsGroupsByExactClass) {
  TEditorDouble editor({""});
  editor.Type("a");
  editor.Type("b");
  editor.MoveCaret(0, 0);
  editor.undo.Undo();
  editor.Type("c");
  EXPECT_EQ(editor.undo.Position(), editor.undo.Count() - 1);
  EXPECT_FALSE(editor.undo.StartsGroup(TTxInsertUndo(editor, "x")));
  EXPECT_TRUE(editor.undo.StartsGroup(TTxReLineUndo(editor, "x")));
}

TEST(UndoBuffer, ARowOutsideTheTextChangesNothing) {
  TEditorDouble editor({"ab"});
  RecordUndo<TTxInsertUndo>(editor, "zz", 0, 7);
  editor.undo.Undo();
  EXPECT_EQ(editor.Rows(), TRows{"ab"});
  EXPECT_EQ(editor.lines.PosFromCaret(0, 2), -1);
}

TEST(TxEditorStrings, PositionsAndIndexErrors) {
  TEditorDouble editor({"ab", "cd"});
  EXPECT_EQ(editor.lines.PosFromCaret(1, 1), 5);
  EXPECT_EQ(editor.lines.PosFromCaret(9, 0), 2);
  EXPECT_EQ(editor.lines.PosFromCaret(0, 2), -1);
  int x, y;
  editor.lines.CaretFromPos(5, x, y);
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 1);
  EXPECT_EQ(editor.lines.Text(), "ab\r\ncd\r\n");
  try {
    editor.lines.SetStrings(2, "x");
    FAIL() << "a row outside the list was stored";
  } catch (const EStringListError& error) {
    EXPECT_STREQ(error.what(), "List index out of bounds (2)");
  }
  EXPECT_THROW(editor.lines.Strings(-1), EStringListError);
}

TEST(TxEditorStrings, BytesThatAreNotUtf8Survive) {
  TEditorDouble editor;
  editor.lines.SetText("\xB5 caf\xE9\r\ns := '\xC2\xB5\xE2\x82\xAC'");
  EXPECT_EQ(editor.lines.Text(), "\xB5 caf\xE9\r\ns := '\xC2\xB5\xE2\x82\xAC'\r\n");
  EXPECT_EQ(editor.lines.RowLength(1), 9);
  EXPECT_EQ(editor.lines.PosFromCaret(9, 1), 17);
}

}  // namespace
