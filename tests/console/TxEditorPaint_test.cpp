#include <gtest/gtest.h>

#include "tests/console/EditorFixture.h"
#include "toolkit/win/Caret.h"

namespace {

class EditorPaint : public EditorTest {
protected:
  EditorPaint() : EditorTest(900, 300) {}

  void Select(TSelBlockFormat format, int begX, int begY, int endX, int endY) {
    editor->SetSelection(TTxSelection{true, format, begX, begY, endX, endY});
  }
  bool CellSelected(const TGdiBitmap& image, int col, int row) const {
    return PixelAt(image, CellBackground(col, row)) == ColorToRGB(clHighlight);
  }
  // A point right of the line end of a row, near the right edge.
  bool RowEndSelected(const TGdiBitmap& image, int row) const {
    const TRect cell = editor->CellRect(0, row);
    return PixelAt(image, {editor->ClientWidth() - 5, cell.Bottom - 2}) == ColorToRGB(clHighlight);
  }
};

TEST_F(EditorPaint, SingleRowSelectionsByFormat) {
  SetText("abcdefghij");
  Select(bfNonInclusive, 2, 0, 5, 0);
  CountedPtr<TGdiBitmap> image = Render();
  for (int col = 0; col < 8; ++col) EXPECT_EQ(CellSelected(*image, col, 0), col >= 2 && col < 5) << "column " << col;
  Select(bfInclusive, 2, 0, 5, 0);
  image = Render();
  for (int col = 0; col < 8; ++col) EXPECT_EQ(CellSelected(*image, col, 0), col >= 2 && col <= 5) << "column " << col;
}

TEST_F(EditorPaint, OnlyStreamSelectionsSelectLineEnds) {
  SetText("zero\r\none\r\ntwo\r\nthree\r\nfour");
  Select(bfNonInclusive, 1, 1, 2, 3);
  CountedPtr<TGdiBitmap> image = Render();
  EXPECT_FALSE(RowEndSelected(*image, 0));
  EXPECT_TRUE(RowEndSelected(*image, 1));
  EXPECT_TRUE(RowEndSelected(*image, 2));
  EXPECT_FALSE(RowEndSelected(*image, 3));
  EXPECT_TRUE(CellSelected(*image, 1, 3));
  EXPECT_FALSE(CellSelected(*image, 2, 3));

  Select(bfColumn, 1, 1, 2, 3);
  image = Render();
  for (int row = 0; row < 5; ++row) EXPECT_FALSE(RowEndSelected(*image, row)) << "row " << row;
  EXPECT_TRUE(CellSelected(*image, 2, 2));
  EXPECT_FALSE(CellSelected(*image, 3, 2));
}

TEST_F(EditorPaint, RightMarginAtColumn80) {
  ASSERT_GE(editor->VisibleColCount(), 100);
  SetText("x");
  CountedPtr<TGdiBitmap> image = Render();
  const int x = editor->CellRect(80, 0).Left;
  for (int y : {2, editor->ClientHeight() / 2, editor->ClientHeight() - 2})
    EXPECT_EQ(PixelAt(*image, {x, y}), ColorToRGB(clSilver)) << "y " << y;
  EXPECT_EQ(PixelAt(*image, {x + 1, 100}), ColorToRGB(clWindow));
  editor->SetLeftTop(81, 0);
  image = Render();
  for (int col = 81; col < 81 + editor->VisibleColCount(); ++col)
    ASSERT_NE(PixelAt(*image, {editor->CellRect(col, 5).Left, 100}), ColorToRGB(clSilver)) << "column " << col;
}

TEST_F(EditorPaint, GutterStripesAndTheTextArea) {
  editor->SetGutterWidth(48);
  editor->SetGutterColor(clYellow);
  SetText("abc");
  const CountedPtr<TGdiBitmap> image = Render();
  const int y = 40;
  EXPECT_EQ(PixelAt(*image, {10, y}), ColorToRGB(clYellow));
  EXPECT_EQ(PixelAt(*image, {46, y}), ColorToRGB(clWindow));
  EXPECT_EQ(PixelAt(*image, {47, y}), ColorToRGB(clGray));
  EXPECT_EQ(PixelAt(*image, {49, y}), ColorToRGB(clWindow));
  EXPECT_EQ(PixelAt(*image, {50, y}), ColorToRGB(clWindow));
  EXPECT_EQ(editor->EditorClient().Left(), 50);
  EXPECT_EQ(editor->CellRect(0, 0).Left, 51);
}

TEST_F(EditorPaint, LineAttributesColourTheirColumns) {
  SetText("#########");
  editor->Font().SetColor(clBlack);
  editor->OnGetLineAttr = [](TObject*, std::string&, int, TColumnAttrs& attrs) {
    for (int col = 3; col <= 5; ++col) attrs[static_cast<std::size_t>(col + 1)].FC = clRed;
  };
  const CountedPtr<TGdiBitmap> image = Render();
  for (int col = 0; col < 9; ++col) {
    const TRect cell = editor->CellRect(col, 0);
    const TPoint at = OnForm({cell.Left, cell.Top});
    const int red = CountPixels(*image, Bounds(at.X, at.Y, cell.Width(), cell.Height()), ColorToRGB(clRed));
    EXPECT_EQ(red > 0, col >= 3 && col <= 5) << "column " << col;
  }
}

TEST_F(EditorPaint, TheCaretOnlyWhileFocused) {
  SetText("abcdef\r\nabcdef\r\nabcdef");
  editor->SetFocus();
  ProcessEverything();
  editor->SetCaretInternal(4, 2);
  TRect caret;
  ASSERT_TRUE(VisibleCaretRect(editor->Handle(), caret));
  const TRect cell = editor->CellRect(4, 2);
  const TPoint at = InWindow({cell.Left - 1, cell.Top + 1});
  EXPECT_EQ(caret, Bounds(at.X, at.Y, 2, editor->CellHeight() - 2));

  SetFocus(form->Handle());
  ProcessEverything();
  EXPECT_FALSE(VisibleCaretRect(editor->Handle(), caret));

  editor->HideCaret = true;
  editor->SetFocus();
  ProcessEverything();
  EXPECT_FALSE(VisibleCaretRect(editor->Handle(), caret));
}

}  // namespace
