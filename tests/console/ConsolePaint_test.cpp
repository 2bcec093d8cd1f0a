#include "console/Console.h"

#include <gtest/gtest.h>

#include "console/Syntax.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/ImageList.h"

namespace {

// A 480 x 320 console with the default looks and four solid icons.
class ConsolePaint : public ::testing::Test {
protected:
  static constexpr TColor IconColors[5] = {clBlack, clLime, clFuchsia, clAqua, clYellow};

  ConsolePaint() {
    for (int i = 0; i < 5; ++i) {
      TBitmap icon;
      icon.SetSize(16, 16);
      icon.Canvas().Brush().SetColor(IconColors[i]);
      icon.Canvas().FillRect({0, 0, 16, 16});
      icons.Add(icon, nullptr);
    }
    form = new TForm(nullptr);
    form->SetBounds(20, 20, 520, 380);
    console = new TConsole(form);
    console->SetParent(form);
    console->SetBounds(0, 0, 480, 320);
    console->Syntax = &syntax;
    console->SetImages(&icons);
    form->Show();
    ProcessEverything();
  }
  ~ConsolePaint() override { delete form; }

  CountedPtr<TGdiBitmap> Render() {
    console->RefreshView();
    console->Tree->Invalidate();
    ProcessEverything();
    return RenderWindow(form->Handle());
  }
  // The row of the last line added, on the rendered form.
  TRect RowOnForm(PDataNode node) {
    const TRect row = console->Tree->NodeDisplayRect(node, ColumnNone, false);
    const TPoint origin = form->ScreenToClient(console->Tree->ClientOrigin());
    return Bounds(origin.X + row.Left, origin.Y + row.Top, row.Width(), row.Height());
  }
  PDataNode Last() { return console->Tree->LastNodeInOrderRaw(console->Tree->RootNode()); }

  TImageList icons;
  TSyntax syntax;
  TForm* form;
  TConsole* console;
};

TEST_F(ConsolePaint, AFatalLine) {
  console->AddLine("boom", lkFatal, 0);
  const CountedPtr<TGdiBitmap> image = Render();
  const TRect row = RowOnForm(Last());
  EXPECT_GT(CountPixels(*image, row, ColorToRGB(clMaroon)), row.Width()) << "the row in maroon";
  EXPECT_GT(CountPixels(*image, row, ColorToRGB(IconColors[1])), 100) << "the fatal icon";
  EXPECT_GT(CountPixels(*image, row, ColorToRGB(clRed)), 0) << "the red prefix";
  EXPECT_GT(CountPixels(*image, row, ColorToRGB(clWhite)), 0) << "the white text";
  EXPECT_GT(CountPixels(*image, row, ColorToRGB(clBlack)), 0) << "its shadow";
}

TEST_F(ConsolePaint, AnInputLineInTokenColours) {
  console->AddLine("1+2", lkInput, 0);
  const CountedPtr<TGdiBitmap> image = Render();
  const TRect row = RowOnForm(Last());
  EXPECT_GT(CountPixels(*image, row, 0xF0FBFF), row.Width()) << "cream";
  EXPECT_GT(CountPixels(*image, row, ColorToRGB(clGreen)), 0) << "the green prefix";
  EXPECT_GT(CountPixels(*image, row, ColorToRGB(clMaroon)), 0) << "the integers";
  EXPECT_GT(CountPixels(*image, row, ColorToRGB(clGray)), 0) << "the plus";
}

TEST_F(ConsolePaint, SeparatorsAsRules) {
  console->AddLine("-", lkSplit, 0);
  CountedPtr<TGdiBitmap> image = Render();
  TRect row = RowOnForm(Last());
  const int middle = (row.Top + row.Bottom) / 2;
  EXPECT_EQ(CountPixels(*image, {row.Left, middle, row.Right, middle + 1}, ColorToRGB(clBlack)), row.Width());
  EXPECT_EQ(CountPixels(*image, {row.Left, middle - 1, row.Right, middle}, ColorToRGB(clBlack)), 0);
  EXPECT_EQ(console->LineRecord(Last())->Width, 0);

  console->AddLine("=", lkSplit, 0);
  image = Render();
  row = RowOnForm(Last());
  const int m = (row.Top + row.Bottom) / 2;
  EXPECT_EQ(CountPixels(*image, {row.Left, m - 1, row.Right, m}, ColorToRGB(clBlack)), row.Width());
  EXPECT_EQ(CountPixels(*image, {row.Left, m + 1, row.Right, m + 2}, ColorToRGB(clBlack)), row.Width());
  EXPECT_EQ(CountPixels(*image, {row.Left, m, row.Right, m + 1}, ColorToRGB(clBlack)), 0);

  console->AddLine("*", lkSplit, 0);
  image = Render();
  row = RowOnForm(Last());
  const TRect ink = InkBounds(*image, row, ColorToRGB(clWindow));
  EXPECT_GE(ink.Right, row.Right - 8) << "asterisks to the cell's right edge";

  console->AddLine("", lkSplit, 0);
  image = Render();
  EXPECT_EQ(CountPixels(*image, RowOnForm(Last()), ColorToRGB(clBlack)), 0) << "an empty separator is a plain line";
}

TEST_F(ConsolePaint, SelectionAndNoBackground) {
  console->AddLine("pick me", lkInput, 0);
  console->Tree->SetNodeSelected(Last(), true);
  console->Tree->SetFocus();
  CountedPtr<TGdiBitmap> image = Render();
  EXPECT_GT(CountPixels(*image, RowOnForm(Last()), ColorToRGB(clHighlightText)), 0);

  form->SetFocus();
  SetFocus(form->Handle());
  image = Render();
  EXPECT_GT(CountPixels(*image, RowOnForm(Last()), 0xF0FBFF), 10) << "unfocused, the row keeps its look";

  console->NoBackground = true;
  image = Render();
  EXPECT_EQ(CountPixels(*image, RowOnForm(Last()), 0xF0FBFF), 0);
}

TEST_F(ConsolePaint, TheWidthReportedIsThePaintedWidth) {
  console->AddLine("a longer line of text", lkOutput, 0);
  Render();
  const int width = console->LineRecord(Last())->Width;
  EXPECT_GT(width, 0);
  TCanvas& canvas = console->Tree->Canvas();
  int reported = 0;
  console->Tree->OnGetNodeWidth(console->Tree, canvas, Last(), ColumnNone, reported);
  EXPECT_EQ(reported, width);
}

}  // namespace
