// The header and its columns: widths, positions, the main, sort and
// auto-size column, spring columns and splitters, on the workspace's
// three-column configuration.

#include <memory>
#include <random>

#include <gtest/gtest.h>

#include "runtime/PublishedProperties.h"
#include "tests/toolkit/Pixels.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "treeview/DTColors.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/Cursor.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"
#include "treeview/DTDragImage.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeError.h"
#include "treeview/TreeImages.h"

namespace {

class HeaderTest : public testing::Test {
protected:
  HeaderTest() : form(nullptr) {
    tree.SetParent(&form);
    tree.SetBounds(0, 0, 500, 200);
    tree.HandleNeeded();
    // The workspace's variable list.
    for (const char* text : {" Name ", " Value ", " Type "}) {
      TDataTreeColumn& column = columns.AddColumn();
      column.SetText(text);
      column.SetMinWidth(64);
    }
    columns.ColumnAt(0).SetWidth(96);
    columns.ColumnAt(1).SetWidth(192);
    columns.ColumnAt(2).SetWidth(96);
    header.SetHeight(20);
    header.SetOptions({hoColumnResize, hoDrag, hoHotTrack, hoShowSortGlyphs, hoVisible});
    tree.OnColumnResize = [this](TDTHeader*, TColumnIndex column) { resized.push_back(column); };
  }
  ~HeaderTest() override { tree.SetParent(nullptr); }

  void AddOptions(TColumnIndex column, TDTColumnOptions options) {
    columns.ColumnAt(column).SetOptions(columns.ColumnAt(column).Options() + options);
  }

  TForm form;
  TTestTree tree;
  TDTHeader& header = tree.Header();
  TDataTreeColumns& columns = tree.Header().Columns();
  std::vector<TColumnIndex> resized;
};

TEST_F(HeaderTest, WorkspaceColumnsClampAndHitTest) {
  EXPECT_EQ(header.MainColumn(), 0);
  EXPECT_EQ(columns.TotalColumnsWidth(), 384);
  columns.ColumnAt(1).SetWidth(30);
  EXPECT_EQ(columns.ColumnAt(1).Width(), 64) << "MinWidth 64 holds";
  EXPECT_EQ(columns.ColumnAt(1).LastWidth(), 192);
  EXPECT_EQ(columns.ColumnAt(2).Left(), 160);
  EXPECT_EQ(resized, std::vector<TColumnIndex>{1});
  EXPECT_EQ(columns.ColumnAtPoint(columns.TotalColumnsWidth() + 1, true), ColumnNotFound);
  EXPECT_EQ(columns.ColumnAtPoint(-1, true), ColumnNotFound);
  EXPECT_EQ(columns.ColumnAtPoint(100, true), 1);
  EXPECT_EQ(columns.ColumnAtPosition(columns.Count()), ColumnNone);
  int left = -1;
  int right = -1;
  columns.ColumnHorzExtent(ColumnNone, left, right);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(right, tree.ClientWidth());
  columns.ColumnAt(0).SetMargin(-3);
  EXPECT_EQ(columns.ColumnAt(0).Margin(), 4) << "a negative margin is the default";
  CheckTree(tree);
}

TEST_F(HeaderTest, AutoResizeColumnTakesTheRestAndOnlyRecordsItsWidth) {
  header.SetAutoSizeIndex(1);
  header.SetOptions(header.Options() + TDTHeaderOptions{hoAutoResize});
  const int rest = tree.ClientWidth() - 96 - 96;
  EXPECT_EQ(columns.ColumnAt(1).Width(), rest);
  columns.ColumnAt(1).SetWidth(100);
  EXPECT_EQ(columns.ColumnAt(1).Width(), rest) << "the auto-size rule keeps its width";
  EXPECT_EQ(columns.ColumnAt(1).LastWidth(), rest);
  columns.ColumnAt(0).SetWidth(120);
  EXPECT_EQ(columns.ColumnAt(1).Width(), rest - 24) << "a neighbour's growth is taken from it";
  CheckTree(tree);
}

TEST_F(HeaderTest, SpringColumnsShareWideningsAndKeepTheRest) {
  header.SetOptions(header.Options() + TDTHeaderOptions{hoAutoSpring});
  AddOptions(0, {coAutoSpring});
  AddOptions(2, {coAutoSpring});
  tree.SetBounds(0, 0, 510, 200);
  EXPECT_EQ(columns.ColumnAt(0).Width(), 101) << "resizing the window spreads the change";
  EXPECT_EQ(columns.ColumnAt(2).Width(), 101);
  tree.SetBounds(0, 0, 513, 200);
  EXPECT_EQ(columns.ColumnAt(0).Width(), 102);
  EXPECT_EQ(columns.ColumnAt(2).Width(), 102);
  EXPECT_FLOAT_EQ(columns.ColumnAt(0).SpringRest(), 0.5f);
  EXPECT_FLOAT_EQ(columns.ColumnAt(2).SpringRest(), 0.5f);
  tree.SetBounds(0, 0, 508, 200);
  EXPECT_EQ(columns.ColumnAt(0).Width(), 99) << "2.5 + 0.5 shrinks by 3";
  EXPECT_EQ(columns.ColumnAt(1).Width(), 192) << "not a spring column";
  CheckTree(tree);
}

TEST(HeaderSpringTest, TheFirstWidthIsOnlyRecorded) {
  TTestTree tree;
  tree.SetBounds(0, 0, 300, 100);
  TDTHeader& header = tree.Header();
  header.SetOptions({hoAutoSpring});
  TDataTreeColumn& column = header.Columns().AddColumn();
  column.SetOptions(column.Options() + TDTColumnOptions{coAutoSpring});
  header.SpreadSpringDelta();
  EXPECT_EQ(column.Width(), 50);
  tree.SetBounds(0, 0, 310, 100);
  header.SpreadSpringDelta();
  EXPECT_EQ(column.Width(), 60);
}

TEST_F(HeaderTest, MovedColumnsTakeTheirNeighboursFixedState) {
  AddOptions(0, {coFixed});
  columns.SetColumnPosition(2, 0);
  EXPECT_TRUE(columns.ColumnAt(2).Options().Contains(coFixed)) << "dropped before a fixed column";
  EXPECT_EQ(columns.PositionToIndex(), (std::vector<TColumnIndex>{2, 0, 1}));
  columns.SetColumnPosition(0, 2);
  EXPECT_FALSE(columns.ColumnAt(0).Options().Contains(coFixed)) << "dropped behind a scrolled column";
  columns.SetColumnPosition(1, 99);
  EXPECT_EQ(columns.ColumnAt(1).Position(), 2) << "clamped to the last position";
  CheckTree(tree);
}

TEST_F(HeaderTest, AnimatedResizeToTheSameWidthDoesNothing) {
  columns.ResizeAnimated(1, 192);
  columns.ResizeAnimated(1, 10);
  EXPECT_EQ(columns.ColumnAt(1).Width(), 64);
  EXPECT_EQ(columns.ColumnAt(1).LastWidth(), 192);
  resized.clear();
  columns.ResizeAnimated(1, 64);
  EXPECT_TRUE(resized.empty());
  EXPECT_EQ(columns.ColumnAt(1).LastWidth(), 192) << "the width setter was not called";
  columns.ColumnAt(1).RestorePreviousWidth();
  EXPECT_EQ(columns.ColumnAt(1).Width(), 192);
}

// The animation slides what lies right of the column in 32 steps of the
// width change div 32, on the window's own surface, then sets the width.
TEST_F(HeaderTest, AnimatedResizeSlidesTheRestInThirtyTwoSteps) {
  tree.Perform(WM_NCPAINT, 1, 0);
  const TRect strip = header.HeaderRect();
  const int edge = strip.Left + 96 + 192;
  const HDC dc = GetWindowDC(tree.Handle());
  std::vector<TColor> before;
  for (int x = edge; x < edge + 40; ++x) before.push_back(GetPixel(dc, x, strip.Top + 8));
  ASSERT_NE(std::count(before.begin(), before.end(), before.front()), 40) << "the cell's edge and caption";
  int waits = 0;
  tree.AnimationWait = [&](unsigned milliseconds) {
    EXPECT_EQ(milliseconds, 1u);
    ++waits;
  };
  resized.clear();
  columns.ResizeAnimated(1, 192 + 64);
  EXPECT_EQ(waits, 32);
  EXPECT_EQ(resized, std::vector<TColumnIndex>{1}) << "the width setter ends it";
  std::vector<TColor> after;
  for (int x = edge + 64; x < edge + 104; ++x) after.push_back(GetPixel(dc, x, strip.Top + 8));
  EXPECT_EQ(after, before) << "the Type cell moved 64 pixels right";
  ReleaseDC(tree.Handle(), dc);
}

TEST_F(HeaderTest, SortColumnIsClampedAndSortsOnlyUnderAutoSort) {
  header.SetSortColumn(5);
  EXPECT_EQ(header.SortColumn(), 2);
  header.SetSortColumn(-7);
  EXPECT_EQ(header.SortColumn(), ColumnNone);
  tree.SetRootNodeCount(5);
  int compared = 0;
  tree.OnCompareNodes = [&](TBaseDataTree*, PDataNode node1, PDataNode node2, TColumnIndex, int& result) {
    ++compared;
    result = static_cast<int>(node1->Index) - static_cast<int>(node2->Index);
  };
  header.SetSortColumn(0);
  header.SetSortDirection(sdDescending);
  EXPECT_EQ(compared, 0);
  Include(tree, toAutoSort);
  header.SetSortDirection(sdAscending);
  EXPECT_GT(compared, 0);
  compared = 0;
  header.SetSortColumn(1);
  EXPECT_GT(compared, 0);
  CheckTree(tree);
}

TEST_F(HeaderTest, DeletingColumnsRenumbersTheNamedColumns) {
  header.SetMainColumn(1);
  header.SetSortColumn(2);
  header.SetAutoSizeIndex(1);
  columns.HoverIndex = 2;
  columns.SetColumnPosition(0, 2);
  columns.DeleteColumn(1);
  EXPECT_EQ(header.MainColumn(), 0) << "the first other column, renumbered";
  EXPECT_EQ(header.SortColumn(), 1);
  EXPECT_EQ(header.AutoSizeIndex(), ColumnNone);
  EXPECT_EQ(columns.HoverIndex, 1);
  EXPECT_EQ(columns.ColumnAt(1).Text(), " Type ");
  EXPECT_EQ(columns.PositionToIndex(), (std::vector<TColumnIndex>{1, 0}));
  CheckTree(tree);
  columns.DeleteColumn(1);
  columns.DeleteColumn(0);
  EXPECT_EQ(header.MainColumn(), ColumnNone);
  EXPECT_EQ(header.SortColumn(), ColumnNone);
  CheckTree(tree);
}

TEST_F(HeaderTest, MainColumnIsClampedAndCarriesTheFocus) {
  header.SetMainColumn(7);
  EXPECT_EQ(header.MainColumn(), 2);
  EXPECT_EQ(tree.FocusedColumn(), 2) << "without toExtendedFocus the focus follows";
  Include(tree, toExtendedFocus);
  header.SetMainColumn(-3);
  EXPECT_EQ(header.MainColumn(), 0);
  EXPECT_EQ(tree.FocusedColumn(), 2);
}

TEST_F(HeaderTest, ReadingDirectionOrdersAndLoadedPositionsApply) {
  columns.ResetPositions(true);
  EXPECT_EQ(columns.PositionToIndex(), (std::vector<TColumnIndex>{2, 1, 0}));
  CheckTree(tree);
  columns.ResetPositions(false);
  EXPECT_EQ(columns.PositionToIndex(), (std::vector<TColumnIndex>{0, 1, 2}));
  tree.BeginLoading();
  columns.ColumnAt(0).SetPosition(2);
  columns.ColumnAt(2).SetPosition(0);
  header.SetMainColumn(9);
  tree.Loaded();
  EXPECT_EQ(columns.PositionToIndex(), (std::vector<TColumnIndex>{2, 1, 0}));
  EXPECT_EQ(header.MainColumn(), 2) << "clamped after loading";
  CheckTree(tree);
}

TEST_F(HeaderTest, CopiesAreAlike) {
  TForm otherForm(nullptr);
  TTestTree other;
  other.SetParent(&otherForm);
  columns.SetColumnPosition(2, 0);
  columns.ColumnAt(1).SetColor(clRed);
  other.Header().Assign(header);
  EXPECT_TRUE(other.Header().Columns().SameAs(columns));
  EXPECT_EQ(other.Header().Height(), 20);
  EXPECT_EQ(other.Header().Options(), header.Options());
  other.Header().Columns().ColumnAt(0).SetText("x");
  EXPECT_FALSE(other.Header().Columns().SameAs(columns));
  CheckTree(other);
  other.SetParent(nullptr);
}

TEST_F(HeaderTest, SplitterZonesRunFromTwoInsideToFourBeyondTheEdge) {
  const int edge = 96;
  for (int x = edge - 4; x <= edge + 6; ++x) {
    const bool inZone = x >= edge - 2 && x <= edge + 4;
    EXPECT_EQ(header.SplitterAtPoint(x), inZone) << "at " << x;
    if (inZone) {
      EXPECT_EQ(columns.TrackIndex, 0);
      EXPECT_EQ(header.TrackPos(), 0);
    }
  }
  columns.ColumnAt(1).SetMinWidth(0);
  columns.ColumnAt(1).SetWidth(3);
  EXPECT_TRUE(header.SplitterAtPoint(edge + 1));
  EXPECT_EQ(columns.TrackIndex, 1) << "overlapping zones: the right column wins";
  columns.ColumnAt(1).SetOptions(columns.ColumnAt(1).Options() - TDTColumnOptions{coResizable});
  EXPECT_FALSE(header.SplitterAtPoint(edge + 1));
  EXPECT_EQ(columns.TrackIndex, ColumnNone);
}

// Right to left the columns end at the client's right edge and each
// column's splitter is its left edge, reachable from four outside to two inside.
TEST_F(HeaderTest, SplitterZonesMirrorRightToLeft) {
  tree.SetBiDiMode(bdRightToLeft);
  const int edge = tree.ClientWidth() - columns.TotalColumnsWidth();
  for (int x = edge - 6; x <= edge + 4; ++x) {
    const bool inZone = x >= edge - 4 && x <= edge + 2;
    EXPECT_EQ(header.SplitterAtPoint(x), inZone) << "at " << x;
    if (inZone) {
      EXPECT_EQ(columns.TrackIndex, 0);
      EXPECT_EQ(header.TrackPos(), edge + 96) << "the fixed edge is the right one";
    }
  }
  EXPECT_TRUE(header.SplitterAtPoint(edge + 96));
  EXPECT_EQ(columns.TrackIndex, 1);
}

TEST_F(HeaderTest, AutoBidiOrderingFollowsTheReadingDirection) {
  tree.SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(columns.PositionToIndex(), (std::vector<TColumnIndex>{0, 1, 2})) << "only with toAutoBidiColumnOrdering";
  tree.SetBiDiMode(bdLeftToRight);
  Include(tree, toAutoBidiColumnOrdering);
  tree.SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(columns.PositionToIndex(), (std::vector<TColumnIndex>{2, 1, 0}));
  tree.SetBiDiMode(bdLeftToRight);
  EXPECT_EQ(columns.PositionToIndex(), (std::vector<TColumnIndex>{0, 1, 2}));
  CheckTree(tree);
}

TEST_F(HeaderTest, TheHeaderFontFollowsTheTreeOnlyWithParentFont) {
  header.Font().SetSize(8);
  tree.Font().SetSize(12);
  EXPECT_EQ(header.Font().Size(), 8);
  header.SetParentFont(true);
  EXPECT_EQ(header.Font().Size(), 12);
  tree.Font().SetName("DejaVu Sans");
  EXPECT_EQ(header.Font().Name(), "DejaVu Sans") << "a change of the tree's font reaches the header";
  TFont own;
  own.SetSize(9);
  header.SetFont(own);
  EXPECT_FALSE(header.ParentFont());
  tree.Font().SetSize(14);
  EXPECT_EQ(header.Font().Size(), 9);
  Include(tree, toAutoChangeScale);
  tree.ChangeScale(120, 96);
  EXPECT_EQ(header.Font().Size(), 11) << "9 x 120 / 96 = 11.25";
  EXPECT_EQ(tree.DefaultNodeHeight(), 23u);
  TTestTree other;
  other.Header().Assign(header);
  EXPECT_EQ(other.Header().Font().Size(), 11);
}

// The header's mouse work, driven by messages as the window system sends them.
class HeaderMouseTest : public HeaderTest {
protected:
  HeaderMouseTest() {
    tree.OnHeaderClick = [this](TDTHeader*, TColumnIndex column, TMouseButton, TShiftState, int, int) {
      clicks.push_back(column);
    };
    tree.OnHeaderDblClick = [this](TDTHeader*, TColumnIndex column, TMouseButton, TShiftState shift, int, int) {
      doubleClicks.push_back(column);
      EXPECT_TRUE((shift & ssDouble) != 0);
    };
    tree.OnHeaderDragged = [this](TDTHeader*, TColumnIndex column, int oldPosition) {
      dragged.push_back({column, oldPosition});
    };
    tree.OnHeaderDraggedOut = [this](TDTHeader*, TColumnIndex column, TPoint) { draggedOut.push_back(column); };
  }

  // A header point (y from the header's top) as the screen point of a non-client message.
  LPARAM Screen(int x, int headerY = 5) {
    TPoint p = Point(x, headerY - header.Height());
    ClientToScreen(tree.Handle(), p);
    return MAKELPARAM(p.X, p.Y);
  }
  // The same point in client coordinates, for the messages of a captured mouse.
  static LPARAM Client(int x, int headerY = 5) { return MAKELPARAM(x, headerY - 20); }

  void Press(int x) { tree.Perform(WM_NCLBUTTONDOWN, HTBORDER, Screen(x)); }
  void ReleaseOutside(int x) { tree.Perform(WM_NCLBUTTONUP, HTBORDER, Screen(x)); }
  void DragTo(int x) { tree.Perform(WM_MOUSEMOVE, 0, Client(x)); }
  void Release(int x) { tree.Perform(WM_LBUTTONUP, 0, Client(x)); }
  std::vector<TColumnIndex> Order() const { return columns.PositionToIndex(); }

  struct TDragged {
    TColumnIndex Column;
    int OldPosition;
    bool operator==(const TDragged&) const = default;
  };
  std::vector<TColumnIndex> clicks;
  std::vector<TColumnIndex> doubleClicks;
  std::vector<TDragged> dragged;
  std::vector<TColumnIndex> draggedOut;
};

TEST_F(HeaderMouseTest, TheHeaderLiesAboveTheClientArea) {
  TRect window;
  GetWindowRect(tree.Handle(), window);
  TPoint origin = Point(0, 0);
  ClientToScreen(tree.Handle(), origin);
  const int border = origin.X - window.Left;
  EXPECT_EQ(origin.Y - window.Top, border + 20) << "the client area starts 20 px below the header top";
  EXPECT_EQ(tree.Perform(WM_NCHITTEST, 0, Screen(150)), HTBORDER);
  EXPECT_TRUE(header.PointInHeader(Point(150, -1)));
  EXPECT_FALSE(header.PointInHeader(Point(150, 0)));
  header.SetOptions(header.Options() - TDTHeaderOptions{hoVisible});
  ClientToScreen(tree.Handle(), origin = Point(0, 0));
  EXPECT_EQ(origin.Y - window.Top, border) << "a hidden header gives its rows back";
}

TEST_F(HeaderMouseTest, AClickNeedsPressAndReleaseOnOneColumn) {
  Press(150);
  ReleaseOutside(160);
  EXPECT_EQ(clicks, std::vector<TColumnIndex>{1});
  Press(150);
  ReleaseOutside(300);
  EXPECT_EQ(clicks, std::vector<TColumnIndex>{1}) << "released over another column";
  EXPECT_TRUE(header.States().Empty());
}

TEST_F(HeaderMouseTest, DropPositionsFollowTheTable) {
  struct TCase {
    TColumnIndex Column;
    int From;
    int DropX;
    std::vector<TColumnIndex> Order;
  };
  // Column 1 spans 96..288 (middle 192), column 2 288..384 (middle 336).
  for (const TCase& drop : {TCase{0, 20, 300, {1, 0, 2}},   // D < T, left of T: T - 1
                            TCase{0, 20, 350, {1, 2, 0}},   // D < T, right of T: T
                            TCase{0, 20, 100, {0, 1, 2}},   // left half of the next column: unchanged
                            TCase{2, 350, 20, {2, 0, 1}},   // D > T, left of T: T
                            TCase{2, 350, 90, {0, 2, 1}}}) {  // D > T, right of T: T + 1
    columns.ResetPositions(false);
    dragged.clear();
    Press(drop.From);
    DragTo(drop.From + 3);
    EXPECT_FALSE(header.States().Contains(hdDragging)) << "within the drag threshold";
    DragTo(drop.DropX);
    EXPECT_TRUE(header.States().Contains(hdDragging));
    DragTo(drop.DropX);
    EXPECT_NE(columns.DropTarget, ColumnNone);
    EXPECT_EQ(columns.DownIndex, ColumnNone);
    Release(drop.DropX);
    EXPECT_EQ(Order(), drop.Order) << "column " << drop.Column << " dropped at " << drop.DropX;
    EXPECT_EQ(dragged, (std::vector<TDragged>{{drop.Column, drop.From == 20 ? 0 : 2}}));
    EXPECT_TRUE(header.States().Empty());
    CheckTree(tree);
  }
  EXPECT_TRUE(clicks.empty()) << "a drag is no click";
}

TEST_F(HeaderMouseTest, DragsCanBeRefusedCancelledOrDroppedOutside) {
  bool allowed = false;
  tree.OnHeaderDragging = [&](TDTHeader*, TColumnIndex, bool& allow) { allow = allowed; };
  Press(20);
  DragTo(300);
  EXPECT_FALSE(header.States().Contains(hdDragging)) << "refused";
  Release(300);
  allowed = true;
  for (UINT message : {WM_KEYDOWN, WM_KILLFOCUS}) {
    Press(20);
    DragTo(300);
    ASSERT_TRUE(header.States().Contains(hdDragging));
    tree.Perform(message, message == WM_KEYDOWN ? VK_ESCAPE : 0, 0);
    EXPECT_TRUE(header.States().Empty());
    EXPECT_EQ(columns.DropTarget, ColumnNone);
  }
  EXPECT_EQ(Order(), (std::vector<TColumnIndex>{0, 1, 2}));
  EXPECT_TRUE(draggedOut.empty());
  Press(20);
  DragTo(300);
  DragTo(300);
  Release(5000);
  EXPECT_EQ(draggedOut, std::vector<TColumnIndex>{0});
  EXPECT_EQ(Order(), (std::vector<TColumnIndex>{0, 1, 2}));
  EXPECT_TRUE(dragged.empty());
}

TEST_F(HeaderMouseTest, AHeaderAtWorkKeepsTheCursor) {
  Press(150);
  ASSERT_FALSE(header.States().Empty());
  EXPECT_EQ(tree.Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(tree.Handle()), HTBORDER), 1);
  ReleaseOutside(150);
}

TEST_F(HeaderMouseTest, SplittersResizeAndKeepTheWidthOnEscape) {
  Press(98);
  EXPECT_TRUE(header.States().Contains(hdTrackPending));
  DragTo(150);
  EXPECT_EQ(columns.ColumnAt(0).Width(), 96) << "the first move only starts tracking";
  DragTo(150);
  EXPECT_EQ(columns.ColumnAt(0).Width(), 150);
  DragTo(20);
  EXPECT_EQ(columns.ColumnAt(0).Width(), 64) << "MinWidth holds";
  DragTo(130);
  tree.Perform(WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(columns.ColumnAt(0).Width(), 130);
  EXPECT_TRUE(header.States().Empty());
  EXPECT_TRUE(clicks.empty());
  CheckTree(tree);
}

TEST_F(HeaderMouseTest, RightToLeftSplittersResizeToTheLeft) {
  tree.SetBiDiMode(bdRightToLeft);
  const int splitter = tree.ClientWidth() - columns.TotalColumnsWidth() + 96;
  Press(splitter);
  ASSERT_TRUE(header.States().Contains(hdTrackPending));
  DragTo(splitter - 50);
  DragTo(splitter - 50);
  EXPECT_EQ(columns.ColumnAt(1).Width(), 192 + 50) << "moving the left edge left widens the column";
  Release(splitter - 50);
  CheckTree(tree);
}

TEST_F(HeaderMouseTest, DoubleClicksResizeOnSplittersOnlyWithDblClickResize) {
  header.SplitterAtPoint(96);
  tree.Perform(WM_NCLBUTTONDBLCLK, HTBORDER, Screen(96));
  EXPECT_EQ(clicks, std::vector<TColumnIndex>{1}) << "a forced click on the column under the point";
  EXPECT_EQ(doubleClicks, std::vector<TColumnIndex>{1});
  header.SetOptions(header.Options() + TDTHeaderOptions{hoDblClickResize});
  columns.ColumnAt(0).SetWidth(150);
  header.SplitterAtPoint(150);
  tree.Perform(WM_NCLBUTTONDBLCLK, HTBORDER, Screen(150));
  EXPECT_EQ(columns.ColumnAt(0).Width(), 64) << "fitted to the (empty) content, at least MinWidth";
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(HeaderMouseTest, HoverIsForgottenAfterTheMouseLeft) {
  TFakeClockScope clock;
  tree.Perform(WM_NCMOUSEMOVE, HTBORDER, Screen(100));
  EXPECT_EQ(columns.HoverIndex, 1);
  TPoint cursor;
  GetCursorPos(cursor);
  ScreenToClient(tree.Handle(), cursor);
  ASSERT_FALSE(header.PointInHeader(cursor)) << "the test needs the cursor away from the header";
  clock.AdvanceAndDispatch(49);
  EXPECT_EQ(columns.HoverIndex, 1);
  clock.AdvanceAndDispatch(1);
  EXPECT_EQ(columns.HoverIndex, ColumnNone);
}

TEST_F(HeaderMouseTest, TheWorkspaceSortsByAClickOnACaption) {
  tree.SetRootNodeCount(4);
  std::map<PDataNode, std::string> names;
  for (const char* name : {"alpha", "delta", "beta", "gamma"}) names[AllNodes(tree)[names.size()]] = name;
  tree.OnCompareNodes = [&](TBaseDataTree*, PDataNode node1, PDataNode node2, TColumnIndex, int& result) {
    result = names[node1].compare(names[node2]);
  };
  // The workspace's handler: a new column sorts ascending, the sort column toggles.
  tree.OnHeaderClick = [this](TDTHeader* sender, TColumnIndex column, TMouseButton button, TShiftState, int, int) {
    if (button != mbLeft || sender->SortColumn() < 0) return;
    if (column == sender->SortColumn())
      sender->SetSortDirection(sender->SortDirection() == sdAscending ? sdDescending : sdAscending);
    else {
      sender->SetSortColumn(column);
      sender->SetSortDirection(sdAscending);
    }
    tree.SortWholeTree(sender->SortColumn(), sender->SortDirection());
  };
  header.SetSortColumn(0);
  tree.SortWholeTree(0, sdAscending);
  auto texts = [&] {
    std::string text;
    for (PDataNode node : AllNodes(tree)) text += names[node] + " ";
    return text;
  };
  EXPECT_EQ(texts(), "alpha beta delta gamma ");
  Press(20);
  ReleaseOutside(20);
  EXPECT_EQ(header.SortDirection(), sdDescending);
  EXPECT_EQ(texts(), "gamma delta beta alpha ");
}

// The header painted into a bitmap of the window's size, at its place in the frame.
class HeaderPaintTest : public HeaderTest {
protected:
  HeaderPaintTest() { header.SetSortColumn(0); }

  TCanvas& Paint() {
    target.SetSize(tree.Width(), tree.Height());
    columns.PaintHeaderCells(target.Canvas().Handle(), header.HeaderRect(), 0);
    return target.Canvas();
  }
  TRect Inset(TColumnIndex column) {
    TRect cell = columns.ColumnAt(column).HeaderCellRect();
    InflateRect(cell, -2, -2);
    return cell;
  }
  // The bounds of the caption's ink (any colour but the face) within an area.
  TRect InkOf(const TRect& area) {
    TRect ink{area.Right, area.Bottom, area.Left, area.Top};
    for (int y = area.Top + 2; y < area.Bottom - 2; ++y)
      for (int x = area.Left + 2; x < area.Right - 2; ++x)
        if (target.Canvas().Pixel(x, y) != ColorToRGB(clBtnFace)) {
          ink.Left = std::min(ink.Left, x);
          ink.Top = std::min(ink.Top, y);
          ink.Right = std::max(ink.Right, x + 1);
          ink.Bottom = std::max(ink.Bottom, y + 1);
        }
    return ink;
  }
  int CountColor(const TRect& area, TColor color) {
    int count = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) count += target.Canvas().Pixel(x, y) == ColorToRGB(color);
    return count;
  }

  TBitmap target{1, 1, pf32bit};
};

TEST_F(HeaderPaintTest, TheWorkspaceCaptionAndSortGlyphAreLaidOutByTheMargins) {
  TCanvas& canvas = Paint();
  const TDataTreeColumn& name = columns.ColumnAt(0);
  const TRect inset = Inset(0);
  TPoint image;
  TPoint glyph;
  TRect text;
  name.CalcCellLayout(canvas, inset, false, true, image, glyph, text);
  EXPECT_EQ(text.Left, inset.Left + 4);
  EXPECT_EQ(glyph.X, text.Left + canvas.TextWidth(" Name ") + 2 + 4);
  EXPECT_EQ(glyph.Y, inset.Top + (inset.Height() - 16) / 2);

  TDataTreeColumn& narrow = columns.ColumnAt(1);
  narrow.SetText("A caption far too long for its column");
  narrow.SetWidth(64);
  const TRect narrowInset = Inset(1);
  narrow.CalcCellLayout(canvas, narrowInset, false, true, image, glyph, text);
  EXPECT_EQ(glyph.X, narrowInset.Right - 4 - 16) << "pushed back to the right margin";
  EXPECT_EQ(text.Right, glyph.X - 4) << "the caption is cut before the glyph";
}

// A header image beside, above or below the caption, by alignment.
TEST_F(HeaderPaintTest, HeaderImagesTakeTheirPlaceByLayout) {
  TImageList images(16, 16);
  TBitmap red(16, 16, pf32bit);
  red.Canvas().Brush().SetColor(clRed);
  red.Canvas().FillRect(Rect(0, 0, 16, 16));
  images.AddMasked(red, clFuchsia);
  header.SetImages(&images);
  TDataTreeColumn& name = columns.ColumnAt(0);
  name.SetText("Ab");
  const TRect cell = Rect(0, 0, 120, 40);
  TCanvas& canvas = Paint();
  const int textWidth = canvas.TextWidth("Ab") + 2;
  const int textHeight = canvas.TextHeight("Ab");
  const int stackTop = (40 - 16 - textHeight - 4) / 2;
  struct TCase {
    TAlignment Alignment;
    TDTHeaderColumnLayout Layout;
    TPoint Image;
    int TextLeft;
    int TextTop;
  };
  const TCase cases[] = {
      {taLeftJustify, blGlyphLeft, Point(4, 12), 4 + 16 + 4, (40 - textHeight) / 2},
      {taLeftJustify, blGlyphRight, Point(4 + textWidth + 4, 12), 4, (40 - textHeight) / 2},
      {taRightJustify, blGlyphLeft, Point(116 - textWidth - 4 - 16, 12), 116 - textWidth, (40 - textHeight) / 2},
      {taCenter, blGlyphTop, Point(52, stackTop), 60 - textWidth / 2, stackTop + 16 + 4},
      {taCenter, blGlyphBottom, Point(52, stackTop + textHeight + 4), 60 - textWidth / 2, stackTop},
  };
  for (const TCase& c : cases) {
    name.SetAlignment(c.Alignment);
    name.SetLayout(c.Layout);
    TPoint image;
    TPoint glyph;
    TRect text;
    name.CalcCellLayout(canvas, cell, true, false, image, glyph, text);
    EXPECT_EQ(image, c.Image) << "alignment " << c.Alignment << ", layout " << c.Layout;
    EXPECT_EQ(text.Left, c.TextLeft) << "alignment " << c.Alignment << ", layout " << c.Layout;
    EXPECT_EQ(text.Top, c.TextTop) << "alignment " << c.Alignment << ", layout " << c.Layout;
  }
  name.SetAlignment(taLeftJustify);
  name.SetLayout(blGlyphLeft);
  name.SetImageIndex(0);
  Paint();
  EXPECT_EQ(CountColor(Inset(0), clRed), 0) << "only under hoShowImages";
  header.SetOptions(header.Options() + TDTHeaderOptions{hoShowImages});
  Paint();
  EXPECT_EQ(CountColor(Inset(0), clRed), 16 * 16);
  columns.DownIndex = 0;
  Paint();
  EXPECT_EQ(target.Canvas().Pixel(Inset(0).Left + 4, Inset(0).Top + (Inset(0).Height() - 16) / 2), ColorToRGB(clBtnFace))
      << "pressed, the image moves one pixel right and down";
  columns.DownIndex = ColumnNone;
  name.SetMinWidth(0);
  name.SetWidth(30);
  Paint();
  EXPECT_EQ(CountColor(Inset(0), clRed), 0) << "no room beside the sort glyph: the image gives way";
  header.SetImages(nullptr);
}

TEST_F(HeaderPaintTest, SortGlyphsPointByDirectionAndTheRestShowsTheBackground) {
  const TRect inset = Inset(0);
  TPoint image;
  TPoint glyph;
  TRect text;
  columns.ColumnAt(0).CalcCellLayout(target.Canvas(), inset, false, true, image, glyph, text);
  const TColor shadow = ColorToRGB(clBtnShadow);
  Paint();
  EXPECT_EQ(target.Canvas().Pixel(glyph.X + 5, glyph.Y + 9), shadow) << "ascending: the wide side below";
  EXPECT_NE(target.Canvas().Pixel(glyph.X + 5, glyph.Y + 6), shadow);
  header.SetSortDirection(sdDescending);
  Paint();
  EXPECT_EQ(target.Canvas().Pixel(glyph.X + 5, glyph.Y + 6), shadow) << "descending: the wide side above";
  EXPECT_NE(target.Canvas().Pixel(glyph.X + 5, glyph.Y + 9), shadow);
  const TRect header = tree.Header().HeaderRect();
  const TRect beyond = Rect(header.Left + columns.TotalColumnsWidth() + 1, header.Top, header.Right, header.Bottom);
  EXPECT_EQ(CountColor(beyond, clBtnFace), beyond.Width() * beyond.Height()) << "the background right of the columns";
}

TEST_F(HeaderPaintTest, CaptionsUseTheHeaderFontNotTheTrees) {
  header.Font().SetColor(clRed);
  tree.Font().SetColor(clBlue);
  Paint();
  EXPECT_GT(CountColor(Inset(1), clRed), 0);
  EXPECT_EQ(CountColor(Inset(1), clBlue), 0);
}

TEST_F(HeaderPaintTest, DisabledCaptionsAreEmbossedAndNeverHot) {
  tree.Colors().SetColor(HeaderHotColor, clRed);
  columns.HoverIndex = 1;
  Paint();
  EXPECT_GT(CountColor(Inset(1), clRed), 0) << "the hot caption";
  TDataTreeColumn& value = columns.ColumnAt(1);
  value.SetOptions(value.Options() - TDTColumnOptions{coEnabled});
  Paint();
  EXPECT_EQ(CountColor(Inset(1), clRed), 0);
  EXPECT_GT(CountColor(Inset(1), clBtnHighlight), 0) << "embossed";
}

TEST_F(HeaderPaintTest, TheWindowShowsItsHeaderInTheFrame) {
  form.SetBounds(0, 0, 600, 300);
  form.Show();
  const CountedPtr<TGdiBitmap> picture = RenderWindow(tree.Handle());
  const TRect strip = header.HeaderRect();
  const TRect beyond = Rect(strip.Left + columns.TotalColumnsWidth() + 1, strip.Top, strip.Right, strip.Bottom);
  EXPECT_EQ(CountPixels(*picture, beyond, ColorToRGB(clBtnFace)), beyond.Width() * beyond.Height());
  EXPECT_GT(CountPixels(*picture, Inset(0), ColorToRGB(clWindowText)), 0) << "the Name caption";
}

// Right to left, the columns end where the header ends: header, rows and hits move together.
TEST_F(HeaderPaintTest, RightToLeftColumnsEndAtTheHeadersRightEnd) {
  tree.SetBiDiMode(bdRightToLeft);
  columns.ColumnAt(0).SetColor(clRed);
  form.SetBounds(0, 0, 600, 300);
  form.Show();
  const int offset = header.HeaderRect().Width() - columns.TotalColumnsWidth();
  ASSERT_GT(offset, 0);
  EXPECT_EQ(tree.RightToLeftOffset(), offset);
  int left = 0;
  int right = 0;
  columns.ColumnHorzExtent(0, left, right);
  EXPECT_EQ(left, offset);
  columns.ColumnHorzExtent(2, left, right);
  EXPECT_EQ(right, tree.ClientWidth());
  EXPECT_EQ(columns.ColumnAtPoint(offset - 1, true), ColumnNotFound);
  EXPECT_EQ(columns.ColumnAtPoint(offset, true), 0);

  const CountedPtr<TGdiBitmap> picture = RenderWindow(tree.Handle());
  const TRect strip = header.HeaderRect();
  const TRect before = Rect(strip.Left, strip.Top, strip.Left + offset - 1, strip.Bottom);
  EXPECT_EQ(CountPixels(*picture, before, ColorToRGB(clBtnFace)), before.Width() * before.Height())
      << "only the background left of the columns";
  TRect caption = Inset(0);
  OffsetRect(caption, offset, 0);
  EXPECT_GT(CountPixels(*picture, caption, ColorToRGB(clWindowText)), 0) << "the Name caption, moved";
  const int clientTop = strip.Bottom;
  const TRect nameColumn = Rect(strip.Left + offset, clientTop + 2, strip.Left + offset + 90, clientTop + 40);
  EXPECT_EQ(CountPixels(*picture, nameColumn, ColorToRGB(clRed)), nameColumn.Width() * nameColumn.Height());
  const TRect leftOfColumns = Rect(strip.Left, clientTop + 2, strip.Left + offset - 1, clientTop + 40);
  EXPECT_EQ(CountPixels(*picture, leftOfColumns, ColorToRGB(clRed)), 0);
  tree.SetRootNodeCount(50);
  columns.ColumnHorzExtent(2, left, right);
  EXPECT_EQ(right, tree.ClientWidth()) << "beside the vertical scroll bar too";
}

TEST_F(HeaderTest, AResizedColumnRepaintsWhatMoves) {
  auto resizeAndTakeUpdate = [&](int width) {
    ValidateRect(tree.Handle(), nullptr);
    columns.ColumnAt(1).SetWidth(width);
    TRect update;
    GetUpdateRect(tree.Handle(), &update, false);
    return update;
  };
  TRect update = resizeAndTakeUpdate(150);
  EXPECT_EQ(update.Left, 96) << "from the column's left edge";
  EXPECT_EQ(update.Right, tree.ClientWidth());
  tree.SetBiDiMode(bdRightToLeft);
  update = resizeAndTakeUpdate(170);
  int left = 0;
  int right = 0;
  columns.ColumnHorzExtent(1, left, right);
  EXPECT_EQ(update.Left, 0) << "right to left, the columns before it move";
  EXPECT_EQ(update.Right, right);
}

TEST_F(HeaderPaintTest, FixedColumnsStayWhileTheRestScrolls) {
  AddOptions(0, {coFixed});
  columns.ColumnAt(0).SetColor(clRed);
  columns.ColumnAt(1).SetColor(clBlue);
  columns.ColumnAt(1).SetWidth(700);
  form.SetBounds(0, 0, 600, 300);
  form.Show();
  tree.SetHorzOffset(-100);
  ASSERT_EQ(tree.EffectiveOffsetX(), 100);
  const CountedPtr<TGdiBitmap> picture = RenderWindow(tree.Handle());
  const TRect strip = header.HeaderRect();
  const TRect fixed = Rect(strip.Left, strip.Bottom + 2, strip.Left + 90, strip.Bottom + 40);
  EXPECT_EQ(CountPixels(*picture, fixed, ColorToRGB(clRed)), fixed.Width() * fixed.Height());
  const TRect scrolled = Rect(strip.Left + 100, strip.Bottom + 2, strip.Left + 300, strip.Bottom + 40);
  EXPECT_EQ(CountPixels(*picture, scrolled, ColorToRGB(clBlue)), scrolled.Width() * scrolled.Height());
}

TEST(TreeImagesTest, TheUtilityStripHoldsTheHeaderGlyphs) {
  TImageList images;
  LoadImageStrip(images, "DTREE_UTILITIES", true);
  ASSERT_EQ(images.Count(), UtilityImageCount);
  ASSERT_EQ(images.Width(), 16);
  TBitmap target(16, 16, pf32bit);
  TCanvas& canvas = target.Canvas();
  auto draw = [&](int image) {
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(Rect(0, 0, 16, 16));
    images.Draw(canvas, 0, 0, image);
  };
  const TColor shadow = ColorToRGB(clBtnShadow);
  draw(UtilitySortAscending);
  EXPECT_EQ(canvas.Pixel(8, 9), shadow) << "grey drawn in the button shadow";
  EXPECT_EQ(canvas.Pixel(1, 1), clWhite) << "the key is transparent";
  draw(UtilityDropLeft);
  EXPECT_EQ(canvas.Pixel(4, 8), clNavy);
  EXPECT_EQ(canvas.Pixel(13, 8), clWhite) << "the left mark leans left";
  draw(UtilityDropRight);
  EXPECT_EQ(canvas.Pixel(13, 8), clNavy);
  EXPECT_THROW(LoadImageStrip(images, "DTREE_NOTHING", true), EDataTreeError);
}

TEST_F(HeaderMouseTest, TheSplitCursorIsOurOwnPicture) {
  const HCURSOR split = ::Screen().Cursors(crHeaderSplit);
  const TCursorPicture* picture = CursorPicture(split);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->HotSpot, Point(16, 16));
  EXPECT_EQ(picture->Pixels[16 * 32 + 14], 0xFF000000u) << "black bars";
  EXPECT_EQ(picture->Pixels[0], 0u) << "transparent around them";
  const LPARAM point = Screen(97);
  InjectMouseMove(Point(GET_X_LPARAM(point), GET_Y_LPARAM(point)), {});
  tree.Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(tree.Handle()), HTBORDER);
  EXPECT_EQ(GetCursor(), split) << "over the Name column's splitter";
}

TEST_F(HeaderPaintTest, XPCellsFillAndLineByState) {
  TCanvas& canvas = target.Canvas();
  target.SetSize(60, 20);
  const TRect cell = Rect(0, 0, 60, 20);
  columns.DrawXPCell(canvas, cell, false, false, true);
  EXPECT_EQ(canvas.Pixel(10, 5), RGB(235, 234, 219));
  EXPECT_EQ(canvas.Pixel(58, 3), RGB(199, 197, 178)) << "splitter";
  EXPECT_EQ(canvas.Pixel(59, 14), RGB(255, 255, 255));
  EXPECT_EQ(canvas.Pixel(58, 15), RGB(235, 234, 219)) << "the splitter ends 5 above the bottom";
  EXPECT_EQ(canvas.Pixel(10, 17), RGB(224, 222, 207));
  EXPECT_EQ(canvas.Pixel(10, 18), RGB(213, 210, 195));
  EXPECT_EQ(canvas.Pixel(10, 19), RGB(203, 199, 184));
  columns.DrawXPCell(canvas, cell, true, false, true);
  EXPECT_EQ(canvas.Pixel(10, 5), RGB(250, 248, 243));
  EXPECT_EQ(canvas.Pixel(58, 5), RGB(250, 248, 243)) << "no splitter on a hot cell";
  EXPECT_EQ(canvas.Pixel(10, 18), RGB(248, 179, 48)) << "the hot bar's middle row";
  EXPECT_EQ(canvas.Pixel(40, 17), RGB(255, 199, 60)) << "the bar runs along the whole cell";
  EXPECT_EQ(canvas.Pixel(58, 19), RGB(229, 151, 0));
  EXPECT_EQ(canvas.Pixel(59, 19), RGB(250, 248, 243)) << "its ends are rounded off";
  EXPECT_EQ(canvas.Pixel(10, 16), RGB(250, 248, 243)) << "three rows high";
  columns.DrawXPCell(canvas, Rect(0, 0, 20, 20), true, false, true);
  EXPECT_EQ(canvas.Pixel(1, 18), RGB(248, 179, 48)) << "a narrow cell has the bar too";
  EXPECT_EQ(canvas.Pixel(19, 18), RGB(248, 179, 48));
  columns.DrawXPCell(canvas, cell, false, true, true);
  EXPECT_EQ(canvas.Pixel(10, 5), RGB(222, 223, 216));
  EXPECT_EQ(canvas.Pixel(0, 5), RGB(165, 165, 151));
  EXPECT_EQ(canvas.Pixel(10, 19), RGB(165, 165, 151));
  EXPECT_EQ(canvas.Pixel(1, 5), RGB(193, 194, 184));
  EXPECT_EQ(canvas.Pixel(10, 0), RGB(193, 194, 184));
  EXPECT_EQ(canvas.Pixel(2, 5), RGB(208, 209, 201));
  EXPECT_EQ(canvas.Pixel(10, 1), RGB(208, 209, 201));
}

TEST_F(HeaderPaintTest, OwnerDrawnColumnsAreLeftToTheApplication) {
  std::vector<TColumnIndex> drawn;
  tree.OnHeaderDraw = [&](TDTHeader*, TCanvas&, TColumnIndex column, const TRect& r, bool, bool pressed,
                          TDTDropMarkMode) {
    drawn.push_back(column);
    EXPECT_EQ(r, columns.ColumnAt(column).HeaderCellRect());
    EXPECT_TRUE(pressed);
  };
  columns.ColumnAt(1).SetStyle(vsOwnerDraw);
  columns.DownIndex = 1;
  Paint();
  EXPECT_TRUE(drawn.empty()) << "only under hoOwnerDraw";
  header.SetOptions(header.Options() + TDTHeaderOptions{hoOwnerDraw});
  Paint();
  EXPECT_EQ(drawn, std::vector<TColumnIndex>{1});
  EXPECT_EQ(CountColor(Inset(1), clWindowText), 0) << "no caption of ours";
}

TEST_F(HeaderPaintTest, AdvancedOwnerDrawPaintsTheClaimedElementsLast) {
  header.SetOptions(header.Options() + TDTHeaderOptions{hoOwnerDraw});
  std::vector<std::pair<TDataTreeColumn*, THeaderPaintElements>> painted;
  tree.OnHeaderDrawQueryElements = [](TDTHeader*, THeaderPaintInfo& info, THeaderPaintElements& elements) {
    if (!info.Column) elements = {hpeBackground};
    else if (ColumnOf(info)->Index() == 0) elements = {hpeText, hpeSortGlyph};
  };
  tree.OnAdvancedHeaderDraw = [&](TDTHeader*, THeaderPaintInfo& info, THeaderPaintElements elements) {
    painted.push_back({ColumnOf(info), elements});
    if (info.Column) {
      EXPECT_TRUE(info.ShowSortGlyph);
      EXPECT_EQ(info.TextRect.Left, Inset(0).Left + 4);
      info.Canvas->Pen().SetColor(clRed);  // must not leak into the next cell
    }
  };
  Paint();
  ASSERT_EQ(painted.size(), 2u);
  EXPECT_EQ(painted[0].first, nullptr);
  EXPECT_EQ(painted[0].second, (THeaderPaintElements{hpeBackground}));
  EXPECT_EQ(painted[1].first, &columns.ColumnAt(0));
  EXPECT_EQ(painted[1].second, (THeaderPaintElements{hpeText, hpeSortGlyph}));
  EXPECT_EQ(CountColor(Inset(0), clWindowText), 0) << "the claimed caption is not drawn by us";
  EXPECT_EQ(CountColor(Inset(0), clBtnShadow), 0) << "nor the claimed sort glyph";
  EXPECT_GT(CountColor(columns.ColumnAt(0).HeaderCellRect(), clBtnShadow), 0) << "the cell's edge still is";
  EXPECT_GT(CountColor(Inset(1), clWindowText), 0);
}

// What the skin layer does by name: it paints the header only where the
// application does not, and takes back exactly its own handlers.
struct TSkinProbe : TObject {
  static void Draw(TObject* self, TDTHeader*, THeaderPaintInfo& info, THeaderPaintElements) {
    static_cast<TSkinProbe*>(self)->Painted.push_back(ColumnOf(info));
  }
  static void Query(TObject*, TDTHeader*, THeaderPaintInfo&, THeaderPaintElements& elements) {
    elements = THeaderPaintElements::FromBits(0x1B);
  }
  std::vector<TDataTreeColumn*> Painted;
};

TEST_F(HeaderPaintTest, TheHeaderIsPublishedByName) {
  header.SetSortDirection(sdDescending);
  TObject* published = GetObjectProp(tree, "Header");
  ASSERT_EQ(published, &header);
  EXPECT_NE(GetSetProp(*published, "Options").find("hoVisible"), std::string::npos);
  EXPECT_EQ(GetOrdProp(*published, "SortDirection"), sdDescending);
  EXPECT_EQ(GetOrdProp(*published, "Height"), 20);
  EXPECT_EQ(GetStrProp(columns.ColumnAt(1), "Text"), " Value ");
  SetSetProp(*published, "Options", GetSetProp(*published, "Options") + ",hoOwnerDraw");
  EXPECT_TRUE(header.Options().Contains(hoOwnerDraw));
  EXPECT_EQ(GetOrdProp(tree, "Color"), tree.Color()) << "as for every control";

  TSkinProbe skin;
  const TMethod draw{reinterpret_cast<const void*>(&TSkinProbe::Draw), &skin};
  const TMethod query{reinterpret_cast<const void*>(&TSkinProbe::Query), &skin};
  EXPECT_EQ(GetMethodProp(tree, "OnAdvancedHeaderDraw"), TMethod{}) << "unassigned";
  SetMethodProp(tree, "OnAdvancedHeaderDraw", draw);
  SetMethodProp(tree, "OnHeaderDrawQueryElements", query);
  EXPECT_EQ(GetMethodProp(tree, "OnAdvancedHeaderDraw"), draw);
  Paint();
  for (TDataTreeColumn* column : {static_cast<TDataTreeColumn*>(nullptr), &columns.ColumnAt(0), &columns.ColumnAt(1),
                                  &columns.ColumnAt(2)})
    EXPECT_NE(std::find(skin.Painted.begin(), skin.Painted.end(), column), skin.Painted.end())
        << "the skin paints the area and every cell";
  SetMethodProp(tree, "OnAdvancedHeaderDraw", TMethod{});
  EXPECT_FALSE(tree.OnAdvancedHeaderDraw);

  tree.OnAdvancedHeaderDraw = [](TDTHeader*, THeaderPaintInfo&, THeaderPaintElements) {};
  const TMethod own = GetMethodProp(tree, "OnAdvancedHeaderDraw");
  EXPECT_NE(own, TMethod{}) << "an application's handler counts as assigned";
  EXPECT_NE(own, draw);
  const TDTAdvancedHeaderPaintEvent copy = tree.OnAdvancedHeaderDraw;
  EXPECT_EQ(copy.Method(), own) << "a copy is the same handler";
  SetMethodProp(tree, "OnAdvancedHeaderDraw", own);
  EXPECT_EQ(GetMethodProp(tree, "OnAdvancedHeaderDraw"), own) << "writing it back keeps it";
}

TEST_F(HeaderPaintTest, PrintingTheFrameIncludesTheHeader) {
  target.SetSize(tree.Width(), tree.Height());
  const TRect caption = Inset(0);
  tree.Perform(WM_PRINT, reinterpret_cast<WPARAM>(target.Canvas().Handle()), PRF_NONCLIENT);
  EXPECT_GT(CountColor(caption, clWindowText), 0) << "the Name caption";
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(Rect(0, 0, tree.Width(), tree.Height()));
  header.SetOptions(header.Options() - TDTHeaderOptions{hoVisible});
  tree.Perform(WM_PRINT, reinterpret_cast<WPARAM>(target.Canvas().Handle()), PRF_NONCLIENT);
  EXPECT_EQ(CountColor(caption, clWindowText), 0) << "a hidden header is not printed";
}

TEST_F(HeaderPaintTest, APressedCellMovesItsContentByOnePixel) {
  Paint();
  const TRect ink = InkOf(Inset(1));
  columns.DownIndex = 1;
  Paint();
  TRect moved = InkOf(Inset(1));
  EXPECT_EQ(moved.Left, ink.Left + 1);
  EXPECT_EQ(moved.Top, ink.Top + 1);
}

TEST(HeaderRandomTest, AddsMovesAndDeletesKeepTheInvariants) {
  for (unsigned seed = 1; seed <= 5; ++seed) {
    std::mt19937 random(seed);
    TTestTree tree;
    TDTHeader& header = tree.Header();
    TDataTreeColumns& columns = header.Columns();
    // Each column's Tag names it for life, whatever index it has.
    int nextTag = 0;
    int sortTag = -1;
    for (int step = 0; step < 300; ++step) {
      const int count = columns.Count();
      const unsigned action = random() % 6;
      if (count == 0 || action < 2) {
        columns.AddColumn().Tag = nextTag++;
        columns.ColumnAt(columns.Count() - 1).SetWidth(20 + static_cast<int>(random() % 50));
      } else if (action == 2) {
        columns.SetColumnPosition(static_cast<int>(random() % count), static_cast<int>(random() % count));
      } else if (action == 3) {
        const TColumnIndex column = static_cast<int>(random() % count);
        header.SetSortColumn(column);
        sortTag = columns.ColumnAt(column).Tag;
      } else if (action == 4) {
        const TColumnIndex column = static_cast<int>(random() % count);
        if (columns.ColumnAt(column).Tag == sortTag) sortTag = -1;
        columns.DeleteColumn(column);
      } else {
        TDataTreeColumn& column = columns.ColumnAt(static_cast<int>(random() % count));
        const TDTColumnOptions visible{coVisible};
        column.SetOptions(column.Visible() ? column.Options() - visible : column.Options() + visible);
      }
      const std::string fault = tree_check::ColumnFaults(columns);
      ASSERT_EQ(fault, "") << "seed " << seed << " step " << step;
      const TColumnIndex sort = header.SortColumn();
      ASSERT_EQ(sort == ColumnNone ? -1 : columns.ColumnAt(sort).Tag, sortTag) << "seed " << seed << " step " << step;
      ASSERT_EQ(header.MainColumn() >= 0, columns.Count() > 0);
    }
  }
}

}  // namespace

namespace {

TEST_F(HeaderMouseTest, ADraggedColumnShowsItsPictureFollowingTheMouse) {
  header.SetOptions(header.Options() + TDTHeaderOptions{hoRestrictDrag});
  TDTDragImage& image = header.DragImage();
  Press(20);
  DragTo(23);
  EXPECT_FALSE(image.IsShown());
  DragTo(60);
  ASSERT_TRUE(image.IsShown());
  TPoint headerTop = Point(0, -20);
  ClientToScreen(tree.Handle(), headerTop);
  EXPECT_EQ(image.ScreenRect(), Bounds(headerTop.X, headerTop.Y, 96, 20)) << "the drag starts over the column";
  DragTo(60);
  EXPECT_EQ(image.ScreenRect(), Bounds(headerTop.X + 40, headerTop.Y, 96, 20)) << "column 0 moved by the mouse";
  const CountedPtr<TGdiBitmap> shown = WindowSurface(image.Window()->Handle());
  EXPECT_GT(CountPixels(*shown, Rect(0, 0, 96, 20), shown->Pixel(48, 1)), 0);
  EXPECT_LT(CountPixels(*shown, Rect(0, 0, 96, 20), shown->Pixel(48, 1)), 96 * 20) << "the caption shows";
  tree.Perform(WM_MOUSEMOVE, 0, Client(70, 15));
  EXPECT_EQ(image.ScreenRect().Top, headerTop.Y) << "hoRestrictDrag keeps the picture in the header";
  EXPECT_EQ(image.ScreenRect().Left, headerTop.X + 50);
  Release(70);
  EXPECT_FALSE(image.Prepared());
  EXPECT_EQ(image.BackImage(), nullptr);
}

TEST_F(HeaderPaintTest, AFreedImageListIsForgotten) {
  auto images = std::make_unique<TImageList>(16, 16);
  header.SetImages(images.get());
  columns.ColumnAt(0).SetImageIndex(0);
  images.reset();
  EXPECT_EQ(header.Images(), nullptr);
  Paint();
}

}  // namespace
