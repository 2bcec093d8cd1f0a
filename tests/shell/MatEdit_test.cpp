// The matrix editor's grid as the user sees and drives it: its cell
// colours, clicks and drags through Qt's own test input (QTest's QWindow
// overloads), ragged matrices, and scripts that change the variable while
// the tab shows it (the sanitized build checks that nothing freed is read).

#include <algorithm>
#include <chrono>
#include <thread>

#include <QTest>
#include <QWindow>

#include "engine/Kind.h"
#include "graphics/RGBColor.h"
#include "tests/shell/WorkFormEditorsFixture.h"
#include "tests/toolkit/Pixels.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/GdiBitmap.h"

namespace {

bool Near(TColor shown, TColor expected) {
  const auto channel = [](TColor c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
  for (int shift : {0, 8, 16})
    if (std::abs(channel(shown, shift) - channel(expected, shift)) > 2) return false;
  return true;
}

// Waits up to two seconds for the condition.
bool Eventually(const std::function<bool()>& condition) {
  for (int round = 0; round < 200; ++round) {
    if (condition()) return true;
    ProcessEverything();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
}

TPoint Centre(const TRect& rect) { return {(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2}; }

class MatEditTest : public WorkFormEditorsTest {
protected:
  // The grid's client area as it paints it.
  std::unique_ptr<TBitmap> Painted(TMatEdit& editor) {
    TDrawGrid& grid = *editor.Grid;
    auto picture = std::make_unique<TBitmap>(grid.ClientWidth(), grid.ClientHeight(), pf32bit);
    grid.Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture->Canvas().Handle()), PRF_CLIENT);
    return picture;
  }
  // The middle of a cell's left edge, where no text reaches.
  static TColor LeftEdge(const TBitmap& picture, const TRect& cell) {
    return picture.Handle()->Pixel(cell.Left, (cell.Top + cell.Bottom) / 2);
  }

  // Where a cell's centre lies in the Qt window that takes the grid's input.
  QPoint At(TMatEdit& editor, int col, int row) {
    TDrawGrid& grid = *editor.Grid;
    TPoint point = Centre(grid.CellRect(col, row));
    ClientToScreen(grid.Handle(), point);
    TRect window;
    GetWindowRect(grid.Handle(), window);
    const TPoint inWindow = InputQtWindowPoint(grid.Handle(), {point.X - window.Left, point.Y - window.Top});
    return {inWindow.X, inWindow.Y};
  }
  // The workspace window brought in front first: a line entered in the main
  // window put that one in front of it.
  QWindow* Window(TMatEdit& editor) {
    SetActiveWindow(work->Handle());
    return InputQtWindow(editor.Grid->Handle());
  }
  void Click(TMatEdit& editor, int col, int row) {
    QTest::mouseClick(Window(editor), Qt::LeftButton, Qt::NoModifier, At(editor, col, row));
    ProcessEverything();
  }
  void Drag(TMatEdit& editor, TGridCoord from, TGridCoord to) {
    QTest::mousePress(Window(editor), Qt::LeftButton, Qt::NoModifier, At(editor, from.X, from.Y));
    QTest::mouseMove(Window(editor), At(editor, to.X, to.Y));
    QTest::mouseRelease(Window(editor), Qt::LeftButton, Qt::NoModifier, At(editor, to.X, to.Y));
    ProcessEverything();
  }
  // Text typed into the cell and Enter pressed.
  void TypeIntoCell(TMatEdit& editor, int col, int row, const std::string& text) {
    editor.Grid->SetFocus();
    editor.Grid->SetCol(col);
    editor.Grid->SetRow(row);
    TypeInto(editor.Grid, text);
    Press(editor.Grid->InplaceEditor(), VK_RETURN, "\r");
  }
  // A matrix of rows x cols, element (i, j) = 100 i + j, shown in the tree.
  void MakeMatrix(const std::string& name, int rows, int cols) {
    ASSERT_NE(form->Engine->AddVariable(name, FindKind("matrix")), nullptr);
    TArrVar& matrix = Array(name);
    SetMatSize(matrix, rows, cols, true);
    for (int i = 1; i <= rows; ++i)
      for (int j = 1; j <= cols; ++j) SetMatElem(matrix, i, j, 100.0L * i + j);
    work->actRefresh->Execute();
    ProcessEverything();
  }
};

// ---------------------------------------------------------------- colours

TEST_F(MatEditTest, CellsShowTheirStateInColourAndNumbersRightAligned) {
  Open();
  Enter("m := {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}");
  TMatEdit& editor = OpenTab("m");
  TypeIntoCell(editor, 2, 1, "12x");
  TypeIntoCell(editor, 3, 3, "ab");
  SelectCells(editor, {1, 1, 2, 2});
  const auto picture = Painted(editor);
  TDrawGrid& grid = *editor.Grid;

  const TColor selectedNumber = RGB(166, 202, 240);
  const TRect number = grid.CellRect(1, 2);
  EXPECT_TRUE(Near(LeftEdge(*picture, number), selectedNumber)) << std::hex << LeftEdge(*picture, number);
  EXPECT_TRUE(Near(picture->Handle()->Pixel(number.Right - 1, number.Top + 1), AdjustColor(selectedNumber, 0.9f, 1.0f)))
      << "a gradient to the right";
  EXPECT_TRUE(Near(LeftEdge(*picture, grid.CellRect(2, 1)), RGB(255, 192, 255))) << "selected, not a number";
  const TRect pink = grid.CellRect(3, 3);
  EXPECT_GT(CountPixels(*picture->Handle(), pink, RGB(255, 192, 192)), pink.Width() * pink.Height() / 2)
      << "not a number";

  const TColor selectedHeader = RGB(255, 192, 64);
  for (const TGridCoord header : {TGridCoord{1, 0}, TGridCoord{2, 0}, TGridCoord{0, 1}, TGridCoord{0, 2}})
    EXPECT_TRUE(Near(LeftEdge(*picture, grid.CellRect(header.X, header.Y)), selectedHeader))
        << header.X << "," << header.Y;
  for (const TGridCoord header : {TGridCoord{3, 0}, TGridCoord{0, 3}, TGridCoord{0, 0}})
    EXPECT_FALSE(Near(LeftEdge(*picture, grid.CellRect(header.X, header.Y)), selectedHeader))
        << header.X << "," << header.Y;

  const TRect plain = grid.CellRect(1, 3);
  const TRect ink = InkBounds(*picture->Handle(), plain, ColorToRGB(grid.Color()));
  ASSERT_FALSE(IsRectEmpty(ink)) << "the 7";
  EXPECT_LE(ink.Right, plain.Right - 4) << "4 pixels in";
  EXPECT_GE(ink.Right, plain.Right - 6) << "right-aligned";

  Enter("m[1] := {1, 20, 3}");
  EXPECT_EQ(editor.CellText(2, 1), "20") << "its element changed";
  EXPECT_EQ(editor.CellText(3, 3), "ab") << "its element is as it was";
}

// ---------------------------------------------------------------- the mouse

TEST_F(MatEditTest, AClickOnAHeaderSelectsItsRowOrColumnOrEverything) {
  Open();
  Enter("m := {{1, 2, 3}, {4, 5, 6}}");
  TMatEdit& editor = OpenTab("m");
  struct TCase {
    TGridCoord Clicked;
    TGridRect Selected;
    const char* Selection;
  };
  const TCase cases[] = {
      {{0, 2}, {1, 2, 3, 2}, "{4, 5, 6}"},
      {{3, 0}, {3, 1, 3, 2}, "{3, 6}"},
      {{0, 0}, {1, 1, 3, 2}, "{{1, 2, 3}, {4, 5, 6}}"},
      {{2, 1}, {2, 1, 2, 1}, "2"},
  };
  for (const TCase& c : cases) {
    Click(editor, c.Clicked.X, c.Clicked.Y);
    EXPECT_EQ(editor.Grid->Selection(), c.Selected) << c.Clicked.X << "," << c.Clicked.Y;
    EXPECT_EQ(Value("selection"), c.Selection) << c.Clicked.X << "," << c.Clicked.Y;
  }
}

TEST_F(MatEditTest, ADragExtendsTheSelectionFromItsAnchor) {
  Open();
  Enter("m := {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}");
  TMatEdit& editor = OpenTab("m");
  Drag(editor, {3, 1}, {2, 2});
  EXPECT_EQ(editor.Grid->Selection(), (TGridRect{2, 1, 3, 2}));
  EXPECT_EQ(Value("selection"), "{{2, 3}, {5, 6}}");
  Drag(editor, {0, 2}, {1, 3});
  EXPECT_EQ(editor.Grid->Selection(), (TGridRect{1, 2, 3, 3})) << "whole rows from a row header";
  Drag(editor, {2, 0}, {1, 1});
  EXPECT_EQ(editor.Grid->Selection(), (TGridRect{1, 1, 2, 3})) << "whole columns from a column header";
  EXPECT_EQ(Value("selection"), "{{1, 2}, {4, 5}, {7, 8}}");
}

// ---------------------------------------------------------------- ragged matrices

TEST_F(MatEditTest, ARaggedMatrixIsNeverReadOrWrittenPastARow) {
  Open();
  Enter("m := {{1, 2, 3}, {4, 5, 6}}");
  Enter("m[2] := {4}");
  ASSERT_EQ(Value("m"), "{{1, 2, 3}, {4}}");
  TMatEdit& editor = OpenTab("m");
  EXPECT_EQ(editor.Grid->ColCount(), 4);
  EXPECT_EQ(editor.CellText(1, 2), "4");
  EXPECT_EQ(editor.CellText(3, 2), "");
  const auto picture = Painted(editor);
  const TRect past = editor.Grid->CellRect(3, 2);
  EXPECT_TRUE(IsRectEmpty(InkBounds(*picture->Handle(), past, ColorToRGB(editor.Grid->Color())))) << "drawn empty";

  TypeIntoCell(editor, 3, 2, "9");
  EXPECT_EQ(Value("m"), "{{1, 2, 3}, {4}}") << "takes no input";
  SelectCells(editor, {1, 1, 3, 2});
  EXPECT_EQ(Value("selection"), "{{1, 2, 3}, {4, 0, 0}}");
  work->CopyEditorSelection();
  EXPECT_EQ(Clipboard().AsText(), "1\t2\t3\n4\t\t\n") << "empty fields";
  Paste(editor, {1, 2, 3, 2}, "7 8 9");
  EXPECT_EQ(Value("m"), "{{1, 2, 3}, {7}}") << "skipped by paste";
  Paste(editor, {1, 1, 1, 1}, "1 2\n3 4", true);
  EXPECT_EQ(Value("m"), "{{1, 3, 3}, {2}}");
  editor.Grid->SetSelection({2, 1, 3, 2});
  work->actMECut->Execute();
  ProcessEverything();
  EXPECT_EQ(Value("m"), "{{1}, {2}}");
}

// ---------------------------------------------------------------- widths

// Each column is as wide as its widest number shown (or the default): the
// first ones, the last ones (they set the scroll range) and one further
// in, measured as it comes into view.
TEST_F(MatEditTest, AColumnTakesItsNumbersWidthWhenShown) {
  Open();
  MakeMatrix("w", 3, 80);
  for (int j = 1; j <= 80; ++j) SetMatElem(Array("w"), 2, j, j + 1.0L / 3);
  TMatEdit& editor = OpenTab("w");
  TDrawGrid& grid = *editor.Grid;
  grid.SetLeftCol(40);
  ProcessEverything();
  TCanvas& canvas = grid.Canvas();
  canvas.Font().Assign(grid.Font());
  for (const int col : {1, 40, 79, 80}) {
    int widest = TMatEdit::DefaultColWidth;
    for (int row = 1; row <= 3; ++row) widest = std::max(widest, canvas.TextWidth(editor.CellText(col, row) + "  "));
    EXPECT_EQ(grid.ColWidths(col), widest) << "column " << col;
  }
  EXPECT_GT(grid.ColWidths(40), TMatEdit::DefaultColWidth);
}

// ---------------------------------------------------------------- runs

// A program shrinks the matrix the tab shows and waits: the grid paints and
// scrolls over rows that are gone, reading only inside the current size.
TEST_F(MatEditTest, AProgramShrinkingTheMatrixLeavesTheGridReadingOnlyWhatIsThere) {
  Open();
  MakeMatrix("m", 200, 3);
  TMatEdit& editor = OpenTab("m");
  editor.Grid->SetTopRow(150);
  ProcessEverything();
  std::vector<std::string> shown;
  bool paintedEmpty = false;
  RunLater(150, [&] {
    TDrawGrid& grid = *editor.Grid;
    grid.Repaint();
    const TRect cell = grid.CellRect(1, grid.TopRow());
    paintedEmpty = IsRectEmpty(InkBounds(*Painted(editor)->Handle(), cell, ColorToRGB(grid.Color())));
    grid.Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
    grid.Perform(WM_VSCROLL, SB_TOP, 0);
    grid.Repaint();
    grid.Perform(WM_VSCROLL, SB_BOTTOM, 0);
    grid.Repaint();
    for (int row : {1, 2, 3, 150}) shown.push_back(editor.CellText(1, row));
    form->Engine->Abort();
  });
  form->Engine->CompileText("begin m := {{1, 2}, {7}}; Delay(30) end.");
  ProcessEverything();
  EXPECT_TRUE(paintedEmpty) << "row 150 is gone";
  EXPECT_EQ(shown, (std::vector<std::string>{"1", "7", "", ""}));
  EXPECT_EQ(editor.Grid->RowCount(), 3) << "reloaded after the run";
}

// Whether the run ends by itself or is aborted (which notifies nobody).
// Completed, aborted or failed (no data client hears of the last two), a
// run's end is announced, and a selection made during it is mirrored then.
TEST_F(MatEditTest, ASelectionMadeDuringARunIsMirroredWhenItEnds) {
  Open();
  ASSERT_TRUE(form->Engine->CompileText("library Slow; function Wait(t : Real) : Real; begin Delay(t); Result := 1 end; end."));
  Enter("m := {{1, 2}, {3, 4}}");
  TMatEdit& editor = OpenTab("m");
  const struct {
    const char* Line;
    bool Aborted;
  } runs[] = {
      {"Delay(0.3)", false},
      {"Delay(30)", true},
      {"Wait(0.3) + m[3, 1]", false},
  };
  for (const auto& run : runs) {
    Click(editor, 1, 1);
    ASSERT_EQ(Value("selection"), "1") << run.Line;
    std::string during;
    RunLater(100, [&] {
      Click(editor, 2, 2);
      during = Value("selection");
      if (run.Aborted) form->Engine->Abort();
    });
    Enter(run.Line);
    EXPECT_EQ(during, "1") << run.Line << ": the run owns the variables";
    EXPECT_EQ(editor.Grid->Selection(), (TGridRect{2, 2, 2, 2})) << run.Line;
    EXPECT_TRUE(Eventually([&] { return Value("selection") == "4"; })) << run.Line << ": mirrored once the run has ended";
  }
}

}  // namespace
