// The workspace window as a window: F10, closing, its settings, its size,
// its tool bars and menus, help and its pixels.

#include <chrono>
#include <thread>

#include "runtime/IniFile.h"
#include "shell/Images.h"
#include "tests/shell/WorkFormFixture.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/WindowBackend.h"

namespace {

class WorkFormWindowTest : public WorkFormTest {
protected:
  // The program ends and starts again; the workspace window is made before
  // the main window's first activation, as the start-up makes it.
  void RestartWithWorkspace() {
    FreeWorkspace();
    Free();
    Storage = std::make_unique<TStorage>("Quantrel.ini", 0);
    Make();
    MakeWorkspace();
    ShowMade();
  }
  void PressInMain(WORD key) {
    form->CommandLine->SetFocus();
    ProcessEverything();
    Press(key);
  }
  std::vector<std::string> Captions(TToolBar& bar) {
    std::vector<std::string> captions;
    for (int i = 0; i < bar.ButtonCount(); ++i) {
      TAction* action = bar.Buttons(i)->Action();
      captions.push_back(action ? action->Caption() : "-");
    }
    return captions;
  }
  std::vector<std::string> Captions(TPopupMenu& menu) {
    std::vector<std::string> captions;
    for (int i = 0; i < menu.Items().Count(); ++i) captions.push_back(menu.Items().Items(i)->Caption());
    return captions;
  }
};

TEST_F(WorkFormWindowTest, F10ShowsAndHidesTheWindowAndClosingForgetsIt) {
  Start();
  MakeWorkspace();
  PressInMain(VK_F10);
  EXPECT_TRUE(work->Visible());
  EXPECT_TRUE(form->actWorksp->Checked());
  EXPECT_TRUE(work->ReopenFlag());
  PressInMain(VK_F10);
  EXPECT_FALSE(work->Visible());
  EXPECT_FALSE(form->actWorksp->Checked());
  PressInMain(VK_F10);
  DesktopCloseRequest(work->Handle());
  ProcessEverything();
  EXPECT_FALSE(work->Visible());
  EXPECT_FALSE(form->actWorksp->Checked());
  EXPECT_FALSE(work->ReopenFlag());
  RestartWithWorkspace();
  EXPECT_FALSE(work->Visible()) << "closed by the user: not reopened";
}

TEST_F(WorkFormWindowTest, TheSectionKeepsGeometrySplitterAndColumnsAndTheWindowReopens) {
  Open();
  work->SetBounds(40, 50, 800, 500);
  work->pnlLeft->SetWidth(300);
  const int widths[] = {120, 150, 80};
  for (int i = 0; i < 3; ++i) Tree().Header().Columns().ColumnAt(i).SetWidth(widths[i]);
  RestartWithWorkspace();
  EXPECT_EQ(TIniFile(Storage->FileName()).ReadSection("WORKFORM"),
            (std::vector<std::string>{"Left", "Top", "Width", "Height", "Visible", "TreeWidth", "DTREE_0", "DTREE_1",
                                      "DTREE_2"}));
  EXPECT_TRUE(work->Visible()) << "shown at the end: reopened";
  EXPECT_EQ(work->BoundsRect(), Bounds(40, 50, 800, 500));
  EXPECT_EQ(work->pnlLeft->Width(), 300);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Tree().Header().Columns().ColumnAt(i).Width(), widths[i]) << i;
}

TEST_F(WorkFormWindowTest, ASizeBelowTheMinimumGrowsToIt) {
  Open();
  work->SetBounds(10, 10, 100, 100);
  EXPECT_EQ(work->Width(), 320);
  EXPECT_EQ(work->Height(), 200);
}

TEST_F(WorkFormWindowTest, F1OpensTheWindowsHelpPage) {
  Open();
  work->VarTree->SetFocus();
  PressInWorkspace(VK_F1);
  EXPECT_EQ(help.Pages, std::vector<std::string>{HelpFolder() + "a1_02_09.htm"});
}

TEST_F(WorkFormWindowTest, ToolBarsAndMenusHoldTheCommandsInOrder) {
  Open();
  EXPECT_EQ(work->Caption(), " Workspace");
  EXPECT_EQ(Captions(*work->VarTools),
            (std::vector<std::string>{"New Variable ...", "Rename Variable ...", "Edit Variable", "-",
                                      "Load Variable ...", "Save Variable ...", "Import Variable ...",
                                      "Export Variable ...", "-", "Delete Variable", "-", "Load Workspace ...",
                                      "Save Workspace ...", "Refresh", "-"}));
  EXPECT_EQ(Captions(*work->VarMenu),
            (std::vector<std::string>{"New Variable ...", "Rename Variable ...", "-", "Load Variable ...",
                                      "Save Variable ...", "Import Variable ...", "Export Variable ...", "-",
                                      "Delete Variable", "-", "Refresh"}));
  EXPECT_EQ(Captions(*work->LibTools), (std::vector<std::string>{"Load Library ...", "Unload Library"}));
  EXPECT_EQ(Captions(*work->LibMenu), (std::vector<std::string>{"Load Library ...", "Unload Library"}));
  EXPECT_EQ(Captions(*work->MEMenu), (std::vector<std::string>{"Modify size ...", "-", "Close"}));
  EXPECT_EQ(work->VarTools->Images(), &Images->SNorm);
  EXPECT_EQ(work->VarTools->HotImages(), &Images->SHot);
  EXPECT_EQ(work->VarTools->DisabledImages(), &Images->SDis);
  for (TAction* action : {work->actMESize, work->actMECut, work->actMECopy, work->actMEPaste, work->actMEPasteT,
                          work->actMEClose})
    EXPECT_EQ(action->Category, "ME") << action->Caption();
  EXPECT_EQ(ShortCutToText(work->actDelVar->ShortCut()), "Ctrl+Del");
  EXPECT_EQ(work->actWorkSave->Hint(), " Save Workspace ");
  Idle();
  for (TAction* action : {work->actEdit, work->actMECut, work->actMEPaste, work->actMEClose})
    EXPECT_FALSE(action->Enabled()) << action->Caption() << " waits for a row or a tab";
  EXPECT_TRUE(work->actMECopy->Enabled());
}

// The tree starts the edit on the Name cell; the value is edited from
// there to the Value column's right edge.
TEST_F(WorkFormWindowTest, ASecondClickOnTheNameEditsTheValue) {
  Open();
  Enter("x := 5");
  Tree().EditDelay = 10;
  const PDataNode row = TopRow("x");
  Select(row);
  Select(row);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ProcessEverything();
  ASSERT_TRUE(Tree().EditInProgress());
  const TRect bounds = work->EditLink->GetEditorBounds();
  int left = 0;
  int right = 0;
  Tree().Header().Columns().ColumnHorzExtent(1, left, right);
  EXPECT_LT(bounds.Left, left);
  EXPECT_EQ(bounds.Right, right);
}

// The tree painted into a bitmap of the window's pixels.
class WorkFormPixelsTest : public WorkFormWindowTest {
protected:
  void Paint(TBitmap& bitmap) {
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(Tree().ClientWidth(), Tree().ClientHeight());
    Tree().PaintTreeTo(bitmap.Canvas(), Tree().ClientRect(), {0, 0}, {});
  }
  // Dark pixels in each row of a cell's text.
  std::vector<int> InkRows(TBitmap& bitmap, PDataNode node, TColumnIndex column) {
    const TRect cell = Tree().NodeDisplayRect(node, column, false);
    std::vector<int> rows;
    for (int y = cell.Top + 1; y < cell.Bottom - 1; ++y) {
      int ink = 0;
      for (int x = cell.Left + 2; x < cell.Right - 2; ++x)
        if (GetRValue(bitmap.Canvas().Pixel(x, y)) < 128) ++ink;
      rows.push_back(ink);
    }
    return rows;
  }
  int Ink(TBitmap& bitmap, PDataNode node, TColumnIndex column) {
    int sum = 0;
    for (int ink : InkRows(bitmap, node, column)) sum += ink;
    return sum;
  }
  // An underline is a pixel row of ink as wide as the text.
  bool Underlined(TBitmap& bitmap, PDataNode node, TColumnIndex column) {
    const std::vector<int> rows = InkRows(bitmap, node, column);
    const int widest = rows.empty() ? 0 : *std::max_element(rows.begin(), rows.end());
    return widest >= Tree().Canvas().TextWidth(Tree().CellText(node, column)) - 1;
  }
};

TEST_F(WorkFormPixelsTest, TopLevelNamesAreBoldAndCompoundTypesUnderlined) {
  Open();
  LoadLibrary("shapes.tarn", ShapesLibrary);
  Enter("x := 1");
  Enter("v := {1, 2}");
  Enter("p := Point(1, 2)");
  const PDataNode record = TopRow("p");
  Tree().SetNodeExpanded(record, true);
  TBitmap bitmap;
  Paint(bitmap);
  // The field x and the variable x print the same name: bold has more ink.
  EXPECT_GT(Ink(bitmap, TopRow("x"), 0), Ink(bitmap, Tree().FirstChildOf(record), 0) * 5 / 4);
  Tree().Canvas().Font().Assign(Tree().Font());
  EXPECT_TRUE(Underlined(bitmap, TopRow("v"), 2)) << "Vector";
  EXPECT_TRUE(Underlined(bitmap, record, 2)) << "TPoint";
  EXPECT_FALSE(Underlined(bitmap, TopRow("x"), 2)) << "Integer";
  EXPECT_FALSE(Underlined(bitmap, Tree().FirstChildOf(record), 2)) << "Real";
}

// The Name header's sort glyph: the widths of its pixel rows of ink, top to bottom.
std::vector<int> SortGlyphRows(TDataStringTree& tree) {
  TBitmap header(tree.Width(), tree.Height(), pf32bit);
  TCanvas& canvas = header.Canvas();
  tree.Header().Columns().PaintHeaderCells(canvas.Handle(), tree.Header().HeaderRect(), 0);
  const TDataTreeColumn& name = tree.Header().Columns().ColumnAt(0);
  TRect inset = name.HeaderCellRect();
  InflateRect(inset, -2, -2);
  canvas.Font().Assign(tree.Header().Font());
  TPoint image;
  TPoint glyph;
  TRect text;
  name.CalcCellLayout(canvas, inset, false, true, image, glyph, text);
  std::vector<int> rows;
  for (int y = glyph.Y; y < glyph.Y + 16; ++y) {
    int ink = 0;
    for (int x = glyph.X; x < glyph.X + 16; ++x) ink += canvas.Pixel(x, y) != ColorToRGB(clBtnFace);
    if (ink > 0) rows.push_back(ink);
  }
  return rows;
}

TEST_F(WorkFormPixelsTest, TheNameHeaderStartsWithTheDescendingGlyph) {
  Open();
  const std::vector<int> descending = SortGlyphRows(Tree());
  ASSERT_GE(descending.size(), 3u);
  EXPECT_GT(descending.front(), descending.back()) << "pointing down";
  Tree().Header().SetSortDirection(sdAscending);
  const std::vector<int> ascending = SortGlyphRows(Tree());
  ASSERT_GE(ascending.size(), 3u);
  EXPECT_LT(ascending.front(), ascending.back()) << "pointing up";
}

}  // namespace
