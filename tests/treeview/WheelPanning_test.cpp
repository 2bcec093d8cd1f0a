// The middle button: selecting like the left one in a console-like tree,
// wheel panning in a workspace-like tree, and the focus and cancel resets.

#include <gtest/gtest.h>

#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Cursor.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/WindowRegion.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeColumns.h"
#include "treeview/DataTreeOptions.h"

namespace {

constexpr int RowHeight = 18;

// Twenty rows in a window five rows high.
class WheelPanningTest : public testing::Test {
protected:
  WheelPanningTest() : form(nullptr) {
    rows = PlaceTree(form, tree, 90, 20);
  }
  ~WheelPanningTest() override { tree.SetParent(nullptr); }

  void ConfigureAsWorkspace() {
    Include(tree, toWheelPanning);
    Include(tree, toFullRowSelect);
  }
  void Middle(UINT message, int x, int y) { tree.Perform(message, 0, MAKELPARAM(x, y)); }
  void MoveTo(int x, int y) { tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
  // A wide column makes the content wider than the window.
  void MakeWide() {
    tree.Header().Columns().AddColumn().SetWidth(1000);
    tree.Header().SetOptions(tree.Header().Options() + TDTHeaderOptions{hoVisible});
    ASSERT_LT(tree.ClientWidth(), tree.RangeX());
  }

  TFakeClockScope time;
  TForm form;
  TTestTree tree;
  std::vector<PDataNode> rows;
};

TEST_F(WheelPanningTest, AConsoleTreeSelectsOnAMiddleClick) {
  Include(tree, toMultiSelect);
  Include(tree, toFullRowSelect);
  Include(tree, toMiddleClickSelect);
  tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() - TDTMiscOptions{toWheelPanning});
  Middle(WM_MBUTTONDOWN, 100, 2 * RowHeight + 9);
  Middle(WM_MBUTTONUP, 100, 2 * RowHeight + 9);
  EXPECT_EQ(tree.PanningWindow(), nullptr);
  EXPECT_EQ(tree.FocusedNode(), rows[2]);
  EXPECT_EQ(tree.SortedSelection(false), TNodeArray{rows[2]});
  CheckTree(tree);
}

TEST_F(WheelPanningTest, AMiddlePressOpensThePanningWindowOnTheClick) {
  ConfigureAsWorkspace();
  Middle(WM_MBUTTONDOWN, 100, 40);
  const HWND window = tree.PanningWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(tree.TreeStates().Contains(tsWheelPanning));
  EXPECT_TRUE(tree.TreeStates().Contains(tsWheelScrolling));
  EXPECT_EQ(GetCapture(), tree.Handle());
  const TPoint centre = tree.ClientToScreen(Point(100, 40));
  TRect bounds;
  GetWindowRect(window, bounds);
  EXPECT_EQ(bounds, Rect(centre.X - 16, centre.Y - 16, centre.X + 16, centre.Y + 16));
  EXPECT_EQ(GetClassName(window), "DTPanningWindow");
  const HRGN shape = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(window, shape), COMPLEXREGION) << "the plate, not the square";
  EXPECT_FALSE(PtInRegion(shape, 0, 0));
  EXPECT_TRUE(PtInRegion(shape, 16, 16));
  DeleteObject(shape);
  // Only vertical scrolling is possible: the picture has the north and south arrows alone.
  UpdateWindow(window);
  const HDC dc = GetDC(window);
  EXPECT_EQ(GetPixel(dc, 16, 8), clBlack) << "north arrow";
  EXPECT_EQ(GetPixel(dc, 16, 24), clBlack) << "south arrow";
  EXPECT_NE(GetPixel(dc, 24, 16), clBlack) << "no east arrow";
  ReleaseDC(window, dc);
  EXPECT_FALSE(tree.SortedSelection(false).size()) << "panning selects nothing";
}

TEST_F(WheelPanningTest, ClickPanningScrollsByTheDistanceBeyondTheNeutralZone) {
  ConfigureAsWorkspace();
  Middle(WM_MBUTTONDOWN, 100, 20);
  MoveTo(102, 22);
  Middle(WM_MBUTTONUP, 102, 22);
  EXPECT_FALSE(tree.TreeStates().Contains(tsWheelPanning)) << "a release before 5 px keeps click panning";
  EXPECT_TRUE(tree.TreeStates().Contains(tsWheelScrolling));
  time.AdvanceAndDispatch(20);
  EXPECT_EQ(tree.OffsetY(), 0) << "inside the neutral zone";
  MoveTo(150, 70);
  time.AdvanceAndDispatch(20);
  EXPECT_EQ(tree.OffsetY(), -42) << "50 px below the start: 42 px per tick";
  EXPECT_EQ(tree.OffsetX(), 0) << "the content fits sideways";
  time.AdvanceAndDispatch(20);
  EXPECT_EQ(tree.OffsetY(), -84);
  tree.Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(150, 70));
  tree.Perform(WM_LBUTTONUP, 0, MAKELPARAM(150, 70));
  EXPECT_EQ(tree.PanningWindow(), nullptr) << "the next button press ends click panning";
  EXPECT_FALSE(tree.TreeStates().Contains(tsWheelScrolling));
  EXPECT_EQ(tree.SelectionCount(), 0) << "and does nothing else";
  time.AdvanceAndDispatch(100);
  EXPECT_EQ(tree.OffsetY(), -84);
  CheckTree(tree);
}

TEST_F(WheelPanningTest, DragPanningEndsWithTheRelease) {
  ConfigureAsWorkspace();
  Middle(WM_MBUTTONDOWN, 100, 20);
  MoveTo(100, 26);
  EXPECT_TRUE(tree.TreeStates().Contains(tsWheelPanning));
  EXPECT_FALSE(tree.TreeStates().Contains(tsWheelScrolling)) << "moved 6 px: drag panning";
  MoveTo(100, 10);
  time.AdvanceAndDispatch(20);
  EXPECT_EQ(tree.OffsetY(), 0) << "above the start at the top: nothing to scroll";
  Middle(WM_MBUTTONUP, 100, 10);
  EXPECT_EQ(tree.PanningWindow(), nullptr);
  EXPECT_NE(GetCapture(), tree.Handle());
  EXPECT_FALSE(tree.TreeStates().Contains(tsWheelPanning));
}

TEST_F(WheelPanningTest, AMiddlePressEndsClickPanningAndAWheelNotchToo) {
  ConfigureAsWorkspace();
  Middle(WM_MBUTTONDOWN, 100, 20);
  Middle(WM_MBUTTONUP, 100, 20);
  Middle(WM_MBUTTONDOWN, 100, 20);
  EXPECT_EQ(tree.PanningWindow(), nullptr);
  Middle(WM_MBUTTONUP, 100, 20);
  Middle(WM_MBUTTONDOWN, 100, 20);
  ASSERT_NE(tree.PanningWindow(), nullptr) << "a press after the end pans again";
  tree.Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
  EXPECT_EQ(tree.PanningWindow(), nullptr);
  EXPECT_EQ(tree.OffsetY(), -3 * RowHeight) << "the notch still scrolls";
}

TEST_F(WheelPanningTest, ATreeThatFitsDoesNotPan) {
  ConfigureAsWorkspace();
  Include(tree, toMiddleClickSelect);
  tree.SetRootNodeCount(3);
  Middle(WM_MBUTTONDOWN, 100, RowHeight + 9);
  Middle(WM_MBUTTONUP, 100, RowHeight + 9);
  EXPECT_EQ(tree.PanningWindow(), nullptr);
  EXPECT_EQ(tree.FocusedNode(), AllNodes(tree)[1]) << "with toMiddleClickSelect it selects instead";
}

TEST_F(WheelPanningTest, TheCursorShowsTheDirectionsAroundTheStart) {
  ConfigureAsWorkspace();
  struct TCase {
    int Dx, Dy;
    const char* Vertical;  // only vertical scrolling possible
    const char* Both;      // both directions possible
  };
  const TCase cases[] = {
      {0, 0, "DTREE_MOVENS", "DTREE_MOVEALL"},   {7, -7, "DTREE_MOVENS", "DTREE_MOVEALL"},
      {-20, -20, "DTREE_MOVEN", "DTREE_MOVENW"}, {-20, 0, "DTREE_MOVES", "DTREE_MOVEW"},
      {-20, 20, "DTREE_MOVES", "DTREE_MOVESW"},  {0, -20, "DTREE_MOVEN", "DTREE_MOVEN"},
      {0, 20, "DTREE_MOVES", "DTREE_MOVES"},     {20, -20, "DTREE_MOVEN", "DTREE_MOVENE"},
      {20, 8, "DTREE_MOVES", "DTREE_MOVEE"},     {20, 20, "DTREE_MOVES", "DTREE_MOVESE"},
  };
  auto namesFor = [&](const char* TCase::*column) {
    for (const TCase& c : cases) {
      Middle(WM_MBUTTONDOWN, 100, 45);
      MoveTo(100 + c.Dx, 45 + c.Dy);
      EXPECT_EQ(tree.PanningCursorName(), c.*column) << "at (" << c.Dx << ", " << c.Dy << ")";
      Middle(WM_MBUTTONUP, 100 + c.Dx, 45 + c.Dy);
      // Click panning (no move) goes on until the next press.
      if (tree.PanningWindow()) tree.Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(100, 45));
      ASSERT_EQ(tree.PanningWindow(), nullptr);
    }
  };
  namesFor(&TCase::Vertical);
  MakeWide();
  namesFor(&TCase::Both);
  EXPECT_NE(GetCursor(), nullptr);
}

TEST_F(WheelPanningTest, LosingTheFocusEndsPanningTimersAndTheSearch) {
  ConfigureAsWorkspace();
  tree.SetIncrementalSearch(isAll);
  tree.IncrementalSearchKey(U'x');
  EXPECT_EQ(tree.SearchText(), "x");
  Middle(WM_MBUTTONDOWN, 100, 20);
  Middle(WM_MBUTTONUP, 100, 20);
  MoveTo(100, 80);
  tree.Perform(WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(tree.PanningWindow(), nullptr);
  EXPECT_EQ(tree.SearchText(), "");
  for (TDataTreeState state : {tsWheelPanning, tsWheelScrolling, tsIncrementalSearching, tsScrolling, tsEditPending})
    EXPECT_FALSE(tree.TreeStates().Contains(state)) << state;
  time.AdvanceAndDispatch(100);
  EXPECT_EQ(tree.OffsetY(), 0) << "the scroll timer stopped";
}

TEST_F(WheelPanningTest, CancelModeEndsTheRubberBandAndPendingStates) {
  Include(tree, toMultiSelect);
  Include(tree, toAutoScroll);
  tree.SetBounds(0, 0, 200, 90);
  tree.Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(150, 5));
  MoveTo(30, 85);
  EXPECT_TRUE(tree.TreeStates().Contains(tsScrollPending));
  tree.Perform(WM_CANCELMODE, 0, 0);
  for (TDataTreeState state : {tsDrawSelPending, tsDrawSelecting, tsScrollPending, tsClearPending, tsEditPending})
    EXPECT_FALSE(tree.TreeStates().Contains(state)) << state;
  time.AdvanceAndDispatch(2000);
  EXPECT_EQ(tree.OffsetY(), 0);
  CheckTree(tree);
}

TEST_F(WheelPanningTest, RightToLeftScrollBarsAndWheelMirrorTheHorizontalOffset) {
  MakeWide();
  tree.SetBiDiMode(bdRightToLeft);
  tree.Perform(WM_HSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(tree.OffsetX(), -20) << "line left moves towards the content's left end";
  tree.Perform(WM_HSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(tree.OffsetX(), 0);
  tree.Perform(WM_HSCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(tree.OffsetX(), -tree.ClientWidth());
  tree.SetRootNodeCount(2);
  const int before = tree.OffsetX();
  tree.Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
  EXPECT_EQ(tree.OffsetX(), before + static_cast<int>(tree.Indent())) << "a notch down scrolls sideways, mirrored";
}

}  // namespace
