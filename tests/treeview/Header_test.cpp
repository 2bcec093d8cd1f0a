// The header and its columns: widths, positions, the main, sort and
// auto-size column, spring columns and splitters, on the workspace's
// three-column configuration.

#include <random>

#include <gtest/gtest.h>

#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "treeview/DTHeader.h"

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
  header.SpreadSpringDelta();
  EXPECT_EQ(columns.ColumnAt(0).Width(), 96) << "the first width is only recorded";
  tree.SetBounds(0, 0, 510, 200);
  header.SpreadSpringDelta();
  EXPECT_EQ(columns.ColumnAt(0).Width(), 101);
  EXPECT_EQ(columns.ColumnAt(2).Width(), 101);
  tree.SetBounds(0, 0, 513, 200);
  header.SpreadSpringDelta();
  EXPECT_EQ(columns.ColumnAt(0).Width(), 102);
  EXPECT_EQ(columns.ColumnAt(2).Width(), 102);
  EXPECT_FLOAT_EQ(columns.ColumnAt(0).SpringRest(), 0.5f);
  EXPECT_FLOAT_EQ(columns.ColumnAt(2).SpringRest(), 0.5f);
  tree.SetBounds(0, 0, 508, 200);
  header.SpreadSpringDelta();
  EXPECT_EQ(columns.ColumnAt(0).Width(), 99) << "2.5 + 0.5 shrinks by 3";
  EXPECT_EQ(columns.ColumnAt(1).Width(), 192) << "not a spring column";
  CheckTree(tree);
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
