#include "toolkit/controls/StringGrid.h"

#include <map>
#include <utility>

#include "runtime/Exceptions.h"
#include "tests/toolkit/FormFixture.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/ScrollBar.h"
#include "toolkit/win/SysMetrics.h"

namespace {

class StringGridTest : public FormFixture {
protected:
  StringGridTest() {
    grid = new TStringGrid(form);
    grid->SetParent(form);
    grid->SetBounds(10, 10, 300, 200);
    grid->SetColCount(10);
    grid->SetRowCount(20);
    grid->SetDefaultColWidth(50);
    grid->SetDefaultRowHeight(20);
  }

  // Paints the whole grid once, recording each cell drawn and its state.
  std::map<std::pair<int, int>, std::vector<TGridDrawState>> PaintAll() {
    std::map<std::pair<int, int>, std::vector<TGridDrawState>> drawn;
    grid->OnDrawCell = [&drawn](TObject*, int col, int row, const TRect&, TGridDrawState state) {
      drawn[{col, row}].push_back(state);
    };
    grid->Invalidate();
    Render();
    grid->OnDrawCell = nullptr;
    return drawn;
  }

  void ClickCell(int col, int row, TInputModifiers modifiers = {}) {
    const TRect cell = grid->CellRect(col, row);
    const TPoint point = InForm(*grid, {cell.Left + 5, cell.Top + 5});
    SynthesizeMouse(form->Handle(), point, TSyntheticMouse::Press, TInputButton::Left, modifiers);
    SynthesizeMouse(form->Handle(), point, TSyntheticMouse::Release, TInputButton::Left, modifiers);
    ProcessEverything();
  }

  TStringGrid* grid;
};

TEST_F(StringGridTest, EachVisibleCellIsDrawnOnceWithItsFixedState) {
  ShowForm();
  const int width = grid->ClientWidth();
  const int height = grid->ClientHeight();
  for (int topRow : {1, 7}) {
    grid->SetTopRow(topRow);
    const auto drawn = PaintAll();
    int expected = 0;
    for (int row = 0; row < grid->RowCount(); ++row)
      for (int col = 0; col < grid->ColCount(); ++col) {
        const TRect rect = grid->CellRect(col, row);
        const bool visible = !IsRectEmpty(rect) && rect.Left < width && rect.Top < height;
        const auto found = drawn.find({col, row});
        if (!visible) {
          EXPECT_EQ(found, drawn.end()) << "hidden cell " << col << "," << row << " drawn";
          continue;
        }
        ++expected;
        ASSERT_NE(found, drawn.end()) << "cell " << col << "," << row << " not drawn";
        ASSERT_EQ(found->second.size(), 1u) << "cell " << col << "," << row << " drawn more than once";
        EXPECT_EQ((found->second[0] & gdFixed) != 0, col == 0 || row == 0) << col << "," << row;
      }
    EXPECT_EQ(static_cast<int>(drawn.size()), expected);
    EXPECT_EQ(drawn.count({0, topRow}), 1u) << "the fixed column scrolls with the rows";
    EXPECT_EQ(drawn.count({1, 0}), 1u) << "the fixed row stays";
  }
}

TEST_F(StringGridTest, TheFocusedCellIsDrawnSelectedOnlyWhenAsked) {
  ShowForm();
  grid->SetFocus();
  grid->SetSelection({1, 1, 2, 2});
  struct TCase {
    TGridOptions Extra;
    TGridDrawState Focused;
  };
  for (const TCase c : {TCase{0, gdFocused}, TCase{goDrawFocusSelected, gdFocused | gdSelected}}) {
    grid->SetOptions(goFixedVertLine | goFixedHorzLine | goRangeSelect | c.Extra);
    const auto drawn = PaintAll();
    EXPECT_EQ(drawn.at({2, 2}).at(0), c.Focused) << "the focused cell is the selection's bottom-right";
    EXPECT_EQ(drawn.at({1, 1}).at(0), gdSelected);
    EXPECT_EQ(drawn.at({3, 3}).at(0), 0u);
  }
}

TEST_F(StringGridTest, CellsTextsAndGeometry) {
  grid->SetCells(3, 4, "1.5");
  EXPECT_EQ(grid->Cells(3, 4), "1.5");
  EXPECT_THROW(grid->Cells(10, 0), EQuantrelError);
  grid->SetColCount(5);
  grid->SetColCount(10);
  EXPECT_EQ(grid->Cells(3, 4), "1.5") << "resizing keeps the cells that stay";
  EXPECT_THROW(grid->SetColCount(1), EInvalidOperation) << "the fixed column must stay below the count";
  grid->SetColWidths(0, 30);
  ShowForm();
  EXPECT_EQ(grid->CellRect(0, 0), (TRect{0, 0, 30, 20}));
  EXPECT_EQ(grid->CellRect(2, 1), (TRect{31 + 51, 21, 31 + 51 + 50, 41})) << "each cell after its grid line";
  int col = 0;
  int row = 0;
  grid->MouseToCell(31 + 51 + 10, 45, col, row);
  EXPECT_EQ(std::make_pair(col, row), std::make_pair(2, 2));
  grid->SetTopRow(5);
  grid->MouseToCell(40, 25, col, row);
  EXPECT_EQ(std::make_pair(col, row), std::make_pair(1, 5)) << "below the fixed row comes TopRow";
  grid->MouseToCell(40, 5000, col, row);
  EXPECT_EQ(row, -1);
}

TEST_F(StringGridTest, SelectCellVetoKeepsTheFocusAndRangesSelectByShiftAndDrag) {
  ShowForm();
  grid->SetFocus();
  grid->OnSelectCell = [](TObject*, int col, int row, bool& canSelect) { canSelect = !(col == 3 && row == 3); };
  ClickCell(2, 3);
  EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(2, 3));
  ClickCell(3, 3);
  EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(2, 3)) << "the veto keeps the cell";
  SynthesizeKeyStroke(form->Handle(), VK_RIGHT, "");
  ProcessEverything();
  EXPECT_EQ(grid->Col(), 2) << "keys are vetoed as well";
  SynthesizeKeyStroke(form->Handle(), VK_DOWN, "");
  ProcessEverything();
  EXPECT_EQ(grid->Row(), 4);

  ClickCell(4, 5, {.Shift = true});
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 4, 4, 5})) << "shift-click extends from the focused cell";
  const TRect from = grid->CellRect(1, 1);
  const TRect to = grid->CellRect(3, 2);
  SynthesizeMouse(form->Handle(), InForm(*grid, {from.Left + 3, from.Top + 3}), TSyntheticMouse::Press, TInputButton::Left);
  SynthesizeMouse(form->Handle(), InForm(*grid, {to.Left + 3, to.Top + 3}), TSyntheticMouse::Move, TInputButton::Left);
  SynthesizeMouse(form->Handle(), InForm(*grid, {to.Left + 3, to.Top + 3}), TSyntheticMouse::Release, TInputButton::Left);
  ProcessEverything();
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 2})) << "dragging selects a range";
  grid->SetSelection({5, 6, 7, 8});
  EXPECT_EQ(grid->Selection(), (TGridRect{5, 6, 7, 8}));
  EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(7, 8));
}

TEST_F(StringGridTest, StandardScrollBarsScrollRowsAndColumns) {
  grid->SetOptions(grid->Options() | goThumbTracking);
  ShowForm();
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(grid->Handle(), SB_VERT, info));
  EXPECT_EQ(info.nMax, 18) << "one position per scrolling row";
  EXPECT_EQ(static_cast<int>(info.nPage), grid->VisibleRowCount());
  const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
  TRect window;
  GetWindowRect(grid->Handle(), window);
  const TPoint downArrow{window.Width() - 2 - barWidth / 2, window.Height() - 2 - barWidth - 3};
  SynthesizeClick(grid->Handle(), downArrow);
  ProcessEverything();
  EXPECT_EQ(grid->TopRow(), 2);
  SendMessage(grid->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(grid->TopRow() + grid->VisibleRowCount(), 20) << "the last row shows at the bottom";
  SendMessage(grid->Handle(), WM_HSCROLL, SB_PAGEDOWN, 0);
  EXPECT_GT(grid->LeftCol(), 1);
  const int rowBefore = grid->Row();
  SynthesizeWheel(form->Handle(), InForm(*grid, {60, 60}), -WHEEL_DELTA);
  ProcessEverything();
  EXPECT_EQ(grid->Row(), rowBefore + 1) << "the wheel moves the focused cell";
}

TEST_F(StringGridTest, DraggingAColumnEdgeInTheFixedRowSizesIt) {
  grid->SetOptions(grid->Options() | goColSizing);
  ShowForm();
  const TRect header = grid->CellRect(1, 0);
  const TPoint edge = InForm(*grid, {header.Right, 5});
  SynthesizeMouse(form->Handle(), edge, TSyntheticMouse::Press, TInputButton::Left);
  SynthesizeMouse(form->Handle(), {edge.X + 30, edge.Y}, TSyntheticMouse::Move, TInputButton::Left);
  SynthesizeMouse(form->Handle(), {edge.X + 30, edge.Y}, TSyntheticMouse::Release, TInputButton::Left);
  ProcessEverything();
  EXPECT_EQ(grid->ColWidths(1), 80);
  EXPECT_EQ(std::make_pair(grid->Col(), grid->Row()), std::make_pair(1, 1)) << "sizing selects nothing";
}

TEST_F(StringGridTest, DefaultDrawingWritesTheTextAndHighlightsTheSelection) {
  grid->SetCells(1, 1, "Hi");
  grid->SetSelection({2, 2, 3, 2});
  const auto image = Render();
  TRect cell = grid->CellRect(1, 1);
  const TPoint origin = InForm(*grid, {0, 0});
  OffsetRect(cell, origin.X, origin.Y);
  EXPECT_FALSE(IsRectEmpty(InkBounds(*image, cell, ColorToRGB(clWindow)))) << "the text";
  TRect selected = grid->CellRect(2, 2);
  OffsetRect(selected, origin.X, origin.Y);
  EXPECT_EQ(CountPixels(*image, selected, ColorToRGB(clHighlight)), selected.Width() * selected.Height());
}

TEST_F(StringGridTest, TypingInACellReportsEveryChangeOfTheEditorsText) {
  grid->SetOptions(grid->Options() | goEditing | goTabs);
  grid->SetCells(2, 2, "7");
  ShowForm();
  grid->SetFocus();
  ClickCell(2, 2);
  std::vector<std::string> changes;
  grid->OnSetEditText = [&changes](TObject*, int col, int row, const std::string& value) {
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(2, 2));
    changes.push_back(value);
  };
  SynthesizeKeyStroke(form->Handle(), '1', "1");
  ProcessEverything();
  ASSERT_TRUE(grid->EditorMode()) << "a typed character opens the editor";
  SynthesizeKeyStroke(form->Handle(), 'E', "e");
  ProcessEverything();
  EXPECT_EQ(changes, (std::vector<std::string>{"1", "1e"}));
  EXPECT_EQ(grid->Cells(2, 2), "1e");
  EXPECT_EQ(grid->InplaceEditor()->BoundsRect(), grid->CellRect(2, 2)) << "the editor covers its cell";

  grid->Font().SetColor(clRed);
  EXPECT_EQ(grid->InplaceEditor()->Font().Color(), clRed) << "the grid's font colour reaches the editor";
  const auto image = Render();
  TRect editor = grid->CellRect(2, 2);
  const TPoint origin = InForm(*grid, {0, 0});
  OffsetRect(editor, origin.X, origin.Y);
  EXPECT_GT(CountPixels(*image, editor, clRed), 0) << "and its text shows red";

  SynthesizeKeyStroke(form->Handle(), VK_DOWN, "");
  ProcessEverything();
  EXPECT_FALSE(grid->EditorMode()) << "moving to another cell ends editing";
  EXPECT_EQ(grid->Row(), 3);
  SynthesizeKeyStroke(form->Handle(), VK_F2, "");
  ProcessEverything();
  ASSERT_TRUE(grid->EditorMode());
  EXPECT_EQ(grid->InplaceEditor()->Text(), "") << "F2 edits the cell's own text";
  SynthesizeKeyStroke(form->Handle(), VK_RETURN, "\r");
  ProcessEverything();
  EXPECT_FALSE(grid->EditorMode()) << "Enter ends editing";
  EXPECT_TRUE(grid->Focused());
  EXPECT_EQ(changes.size(), 2u) << "opening the editor on a cell is no change";
}

}  // namespace
