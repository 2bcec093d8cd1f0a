#include "console/TarnEditor.h"

#include <map>

#include <gtest/gtest.h>

#include "console/Syntax.h"
#include "tests/console/EditorFixture.h"

namespace {

using TRows = std::vector<std::string>;

class TarnEditorTest : public ::testing::Test {
protected:
  TarnEditorTest() {
    SetClock(&clock);
    form = new TForm(nullptr);
    form->SetBounds(20, 20, 640, 420);
    editor = new TTarnEditor(form);
    editor->SetParent(form);
    editor->SetBounds(10, 10, 600, 360);
    editor->OnGetLineAttr = [this](TObject*, std::string&, int line, TColumnAttrs& attrs) { seen[line] = attrs; };
    form->Show();
    ProcessEverything();
  }
  ~TarnEditorTest() override {
    delete form;
    ProcessEverything();
    SetClock(nullptr);
  }

  void Load(const TRows& rows) {
    std::string text;
    for (const std::string& row : rows) text += row + "\r\n";
    editor->Lines().SetText(text);
  }
  CountedPtr<TGdiBitmap> Render() {
    seen.clear();
    editor->Invalidate();
    ProcessEverything();
    return RenderWindow(form->Handle());
  }
  const TColumnAttr& Column(int line, int column) { return seen.at(line).at(static_cast<std::size_t>(column + 1)); }
  TRect GutterOnForm(int row) const {
    const TPoint origin = form->ScreenToClient(editor->ClientOrigin());
    return Bounds(origin.X, origin.Y + (row - editor->TopRow()) * editor->CellHeight(), editor->GutterWidth() - 2,
                  editor->CellHeight());
  }

  TFakeClock clock;
  TSyntax syntax;
  TForm* form;
  TTarnEditor* editor;
  std::map<int, TColumnAttrs> seen;
};

TEST_F(TarnEditorTest, TokensColourTheirColumnsAndCommentsSpanRows) {
  editor->Syntax = &syntax;
  Load({"x := 1; (* note", "still", "end *) y"});
  Render();
  EXPECT_EQ(Column(0, 0).FC, clBlack);
  EXPECT_EQ(Column(0, 2).FC, clGray) << ":= is a symbol";
  EXPECT_EQ(Column(0, 5).FC, clMaroon) << "1 is an integer";
  EXPECT_EQ(Column(0, 6).FC, clGray) << "; is a symbol";
  for (int col = 8; col <= 14; ++col) {
    EXPECT_EQ(Column(0, col).FC, clGray) << col;
    EXPECT_EQ(Column(0, col).Style, fsItalic) << col;
  }
  EXPECT_EQ(Column(0, 16).FC, clBlack);
  EXPECT_EQ(Column(0, 16).Style, 0u);
  for (int col = 0; col <= 4; ++col) EXPECT_EQ(Column(1, col).Style, fsItalic) << "row 1 column " << col;
  for (int col = 0; col <= 5; ++col) EXPECT_EQ(Column(2, col).Style, fsItalic) << "row 2 column " << col;
  EXPECT_EQ(Column(2, 7).Style, 0u) << "y after the comment";
  EXPECT_EQ(Column(2, 7).FC, syntax.Attrs().Text().Color);
  for (const auto& [line, columns] : seen)
    for (const TColumnAttr& column : columns) ASSERT_EQ(column.BC, editor->Color()) << "row " << line;

  editor->LongTokens = false;
  editor->RescanComments();
  Render();
  EXPECT_EQ(Column(1, 0).Style, 0u);
  EXPECT_EQ(Column(2, 0).Style, fsBold) << "end is a keyword again";
}

TEST_F(TarnEditorTest, ATokenColoursItsCellsAndTheOneAfter) {
  editor->Syntax = &syntax;
  Load({"a+b", "s := '\xC2\xB5' + 1"});
  Render();
  EXPECT_EQ(Column(0, 0).FC, clBlack);
  EXPECT_EQ(Column(0, 1).FC, clGray);
  EXPECT_EQ(Column(0, 2).FC, clBlack);
  EXPECT_EQ(Column(0, 3).FC, clBlack);
  for (int cell = 5; cell <= 7; ++cell) EXPECT_EQ(Column(1, cell).FC, clPurple) << "cell " << cell;
  EXPECT_EQ(Column(1, 9).FC, clGray) << "+ at cell 9";
}

TEST_F(TarnEditorTest, WithoutASyntaxRowsArePlain) {
  Load({"x := 'a' (* c *)"});
  Render();
  for (const TColumnAttr& column : seen.at(0)) {
    ASSERT_EQ(column.FC, clBlack);
    ASSERT_EQ(column.Style, 0u);
  }
}

TEST_F(TarnEditorTest, TriggerCharactersRescan) {
  editor->Syntax = &syntax;
  Load({"a", "b", "c"});
  editor->SetCaretInternal(1, 0);
  editor->TypeChar('(');
  EXPECT_EQ(editor->RowState(1), 0);
  editor->TypeChar('*');
  EXPECT_EQ(editor->RowState(1), 2);
  EXPECT_EQ(editor->RowState(2), 2);

  editor->Lines().PutLocked(0, "a");  // out of sight of the editor's reports
  editor->TypeChar('x');
  EXPECT_EQ(editor->RowState(1), 2) << "a plain character does not rescan";

  editor->Syntax = nullptr;
  Load({"(* a", "b"});
  EXPECT_EQ(editor->RowState(1), 2) << "loading rescans";
  editor->Lines().PutLocked(0, "a");
  editor->SetCaretInternal(1, 0);
  editor->TypeChar('(');
  EXPECT_EQ(editor->RowState(1), 2) << "without a syntax only line breaks rescan";
  editor->NewLine();
  EXPECT_EQ(editor->RowState(1), 0);
}

TEST_F(TarnEditorTest, CommentsAreFollowedPastSixtyFiveThousandRows) {
  TRows rows(70000, "x");
  rows[66000] = "(* open";
  rows[69000] = "close *)";
  Load(rows);
  EXPECT_EQ(editor->RowState(66000), 0);
  for (int row : {66001, 67000, 68999, 69000}) EXPECT_EQ(editor->RowState(row), 2) << row;
  EXPECT_EQ(editor->RowState(69001), 0);
  editor->Syntax = &syntax;
  editor->SetLeftTop(0, 67000);
  Render();
  EXPECT_EQ(Column(67000, 0).Style, fsItalic);
}

TEST_F(TarnEditorTest, LineNumbersSitOnTheirRowsRightAligned) {
  editor->Syntax = &syntax;
  editor->SetGutterWidth(48);
  TRows rows(30, "x");
  Load(rows);
  CountedPtr<TGdiBitmap> image = Render();
  const TColor gray = ColorToRGB(syntax.Attrs().Gutter().Color);
  const TRect band = GutterOnForm(11);
  const TRect ink = InkBounds(*image, band, ColorToRGB(editor->GutterColor()));
  ASSERT_FALSE(IsRectEmpty(ink)) << "the number 12";
  const TPoint origin = form->ScreenToClient(editor->ClientOrigin());
  EXPECT_LE(ink.Right - origin.X, 40);
  EXPECT_GE(ink.Right - origin.X, 36);
  EXPECT_GT(CountPixels(*image, band, gray), 0) << "in the gutter colour of the syntax";

  editor->SetLeftTop(0, 5);
  image = Render();
  const TRect six = InkBounds(*image, GutterOnForm(5), ColorToRGB(editor->GutterColor()));
  const TRect twelve = InkBounds(*image, GutterOnForm(11), ColorToRGB(editor->GutterColor()));
  ASSERT_FALSE(IsRectEmpty(six)) << "the numbers follow the scroll";
  EXPECT_LT(six.Width(), twelve.Width()) << "the top row shows 6, one digit";

  Load({});
  editor->SetLeftTop(0, 0);
  image = Render();
  EXPECT_FALSE(IsRectEmpty(InkBounds(*image, GutterOnForm(0), ColorToRGB(editor->GutterColor())))) << "1";
  editor->GutLines = false;
  image = Render();
  EXPECT_TRUE(IsRectEmpty(InkBounds(*image, GutterOnForm(0), ColorToRGB(editor->GutterColor()))));
}

TEST_F(TarnEditorTest, ColoursRoundTripAndAssignCopiesTheLook) {
  const TEditorColors colors{clYellow, clAqua, 40, false};
  editor->SetColors(colors);
  const TEditorColors back = editor->GetColors();
  EXPECT_EQ(back.Color, clYellow);
  EXPECT_EQ(back.GutterColor, clAqua);
  EXPECT_EQ(back.GutterWidth, 40);
  EXPECT_FALSE(back.GutLines);

  TTarnEditor other(form);
  other.SelBackColor = clRed;
  other.SelForeColor = clLime;
  other.SetColor(clTeal);
  other.SetRightMarginColor(clNavy);
  editor->Assign(other);
  EXPECT_EQ(editor->SelBackColor, clRed);
  EXPECT_EQ(editor->SelForeColor, clLime);
  EXPECT_EQ(editor->Color(), clTeal);
  EXPECT_EQ(editor->RightMarginColor(), clNavy);
  EXPECT_FALSE(editor->SmartTab);
  EXPECT_FALSE(editor->AutoIndent);
}

}  // namespace
