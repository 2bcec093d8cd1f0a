#include <gtest/gtest.h>

#include "tests/console/EditorFixture.h"

namespace {

class EditorMouse : public EditorTest {
protected:
  EditorMouse() : EditorTest(400, 200) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "alpha beta " + std::to_string(i) + "\r\n";
    SetText(text);
  }
  // The client point at a fraction of a cell's width into column col, row row.
  TPoint At(double col, int row) const {
    const TRect first = editor->CellRect(editor->LeftCol(), editor->TopRow());
    return {editor->EditorClient().Left() + static_cast<int>(col * editor->CellWidth()),
            first.Top + (row - editor->TopRow()) * editor->CellHeight() + 2};
  }
  void Mouse(TPoint client, TSyntheticMouse action) {
    SynthesizeMouse(editor->Handle(), InWindow(client), action, TInputButton::Left);
    ProcessEverything();
  }
  void Tick() {
    clock.Advance(100);
    ProcessEverything();
  }
};

TEST_F(EditorMouse, AClickPutsTheCaretOnTheNearestBoundary) {
  Mouse(At(2.6, 1), TSyntheticMouse::Press);
  Mouse(At(2.6, 1), TSyntheticMouse::Release);
  EXPECT_EQ(editor->CaretX(), 3);
  EXPECT_EQ(editor->CaretY(), 1);
  Mouse(At(2.3, 4), TSyntheticMouse::Press);
  Mouse(At(2.3, 4), TSyntheticMouse::Release);
  EXPECT_EQ(editor->CaretX(), 2);
  EXPECT_EQ(editor->CaretY(), 4);
}

TEST_F(EditorMouse, DraggingBelowTheWindowExtendsByTimer) {
  Mouse(At(1, 0), TSyntheticMouse::Press);
  Mouse(At(3, 1), TSyntheticMouse::Move);
  ASSERT_TRUE(editor->Selected());
  EXPECT_EQ(editor->Selection().SelEndY, 1);
  Mouse({At(3, 0).X, editor->ClientHeight() + 5}, TSyntheticMouse::Move);
  Tick();
  const int first = editor->Selection().SelEndY;
  EXPECT_GT(first, editor->VisibleRowCount() - 1) << "the selection follows below the window";
  Tick();
  EXPECT_EQ(editor->Selection().SelEndY, first + 1) << "a row a tick";
  Tick();
  EXPECT_EQ(editor->Selection().SelEndY, first + 2);

  Mouse({At(3, 0).X, editor->ClientHeight() + 30}, TSyntheticMouse::Move);
  Tick();
  const int paged = editor->Selection().SelEndY;
  Tick();
  EXPECT_EQ(editor->Selection().SelEndY, paged + editor->VisibleRowCount()) << "a page a tick";
  for (int i = 0; i < 30; ++i) Tick();
  EXPECT_EQ(editor->Selection().SelEndY, 99) << "stops at the last row";
  EXPECT_EQ(editor->CaretY(), 99);

  Mouse({At(3, 0).X, editor->ClientHeight() + 30}, TSyntheticMouse::Release);
  editor->ClearSelection();
  editor->SetSel(0, 0);
  const TTxSelection before = editor->Selection();
  Tick();
  EXPECT_EQ(editor->Selection().SelEndY, before.SelEndY) << "the release stops the timer";
}

TEST_F(EditorMouse, DoubleClicksSelectTheWordOrTheRow) {
  editor->SetLeftTop(0, 0);
  Mouse(At(14, 2), TSyntheticMouse::Press);
  Mouse(At(14, 2), TSyntheticMouse::Release);
  Mouse(At(14, 2), TSyntheticMouse::DoubleClick);
  Mouse(At(14, 2), TSyntheticMouse::Release);
  const TTxSelection word = editor->Selection();
  ASSERT_TRUE(word.Selected);
  EXPECT_EQ(editor->Lines().Strings(2).substr(word.SelBegX, word.SelEndX - word.SelBegX), "2");

  SetText("alpha beta\r\nnext");
  Mouse(At(14, 0), TSyntheticMouse::Press);
  Mouse(At(14, 0), TSyntheticMouse::Release);
  Mouse(At(14, 0), TSyntheticMouse::DoubleClick);
  Mouse(At(14, 0), TSyntheticMouse::Release);
  EXPECT_TRUE(editor->Selected());
  EXPECT_EQ(editor->Selection().SelBegX, 6);
  EXPECT_EQ(editor->Selection().SelEndX, 10);
  EXPECT_EQ(editor->CaretX(), 10) << "the caret at the end of beta";

  editor->DoubleClickLine = true;
  Mouse(At(2, 0), TSyntheticMouse::Press);
  Mouse(At(2, 0), TSyntheticMouse::Release);
  Mouse(At(2, 0), TSyntheticMouse::DoubleClick);
  Mouse(At(2, 0), TSyntheticMouse::Release);
  const TTxSelection row = editor->Selection();
  EXPECT_EQ(row.SelBegX, 0);
  EXPECT_EQ(row.SelBegY, 0);
  EXPECT_EQ(row.SelEndX, 0);
  EXPECT_EQ(row.SelEndY, 1);
  EXPECT_EQ(editor->CaretY(), 1);
}

TEST_F(EditorMouse, AWheelNotchScrollsThreeRows) {
  editor->SetLeftTop(0, 10);
  SynthesizeWheel(editor->Handle(), InWindow(At(2, 12)), 120);
  ProcessEverything();
  EXPECT_EQ(editor->TopRow(), 7);
}

}  // namespace
