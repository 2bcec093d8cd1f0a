// The workspace window's rows: what they show, when they are rebuilt and
// how they sort.

#include <algorithm>

#include "engine/ArrVar.h"
#include "runtime/HeapUsage.h"
#include "tests/shell/WorkFormFixture.h"

namespace {

// The header cell of a column, clicked with the left button, its window
// brought in front first: a line entered in the main window put that one in
// front of it.
void ClickHeader(TDataStringTree& tree, TColumnIndex column) {
  SetActiveWindow(WorkForm->Handle());
  int left = 0;
  int right = 0;
  tree.Header().Columns().ColumnHorzExtent(column, left, right);
  const TRect header = tree.Header().HeaderRect();
  SynthesizeClick(tree.Handle(), {header.Left + (left + right) / 2, (header.Top + header.Bottom) / 2});
  ProcessEverything();
}

// Each top-level row's children and their subtrees, in order.
std::vector<std::vector<TShownRow>> ChildrenOfEachRow(const std::vector<TShownRow>& rows) {
  std::vector<std::vector<TShownRow>> children;
  for (const TShownRow& row : rows)
    if (row.Level == 0)
      children.push_back({});
    else
      children.back().push_back(row);
  std::sort(children.begin(), children.end(), [](const auto& a, const auto& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](const TShownRow& x, const TShownRow& y) { return x.Value < y.Value; });
  });
  return children;
}

struct TListingCase {
  bool ElementsListed;  // VEditTree and MEditTree
  std::vector<TShownRow> Rows;
};

std::vector<TShownRow> ExpectedRows(bool elementsListed) {
  const auto elements = [elementsListed](std::vector<TShownRow> rows) {
    return elementsListed ? rows : std::vector<TShownRow>{};
  };
  std::vector<TShownRow> rows{
      {0, "a", "{(x:1; y:-1), (x:2; y:-2)}", "TPoints"},
      {1, "[1]", "(x:1; y:-1)", "TPoint"},
      {2, "x", "1", "Real"},
      {2, "y", "-1", "Real"},
      {1, "[2]", "(x:2; y:-2)", "TPoint"},
      {2, "x", "2", "Real"},
      {2, "y", "-2", "Real"},
      {0, "ans", "7", "Integer"},
      {0, "m", "{{1, 2}, {3, 4}}", "Matrix"}};
  for (const TShownRow& row : elements({{1, "[1]", "{1, 2}", "Vector"},
                                        {2, "[1]", "1", "Real"},
                                        {2, "[2]", "2", "Real"},
                                        {1, "[2]", "{3, 4}", "Vector"},
                                        {2, "[1]", "3", "Real"},
                                        {2, "[2]", "4", "Real"}}))
    rows.push_back(row);
  for (const TShownRow& row : std::vector<TShownRow>{{0, "p", "(x:1; y:2)", "TPoint"},
                                                     {1, "x", "1", "Real"},
                                                     {1, "y", "2", "Real"},
                                                     {0, "s", "a b", "String"},
                                                     {0, "v", "{1, 2, 3}", "Vector"}})
    rows.push_back(row);
  for (const TShownRow& row : elements({{1, "[1]", "1", "Real"}, {1, "[2]", "2", "Real"}, {1, "[3]", "3", "Real"}}))
    rows.push_back(row);
  rows.push_back({0, "x", "5", "Integer"});
  return rows;
}

class WorkFormListingTest : public WorkFormTest, public ::testing::WithParamInterface<bool> {
protected:
  // The variables of every kind the window lists, typed in the main window.
  void TypeVariables() {
    LoadLibrary("shapes.tarn", ShapesLibrary);
    for (const char* line : {"x := 5", "s := 'a b'", "v := {1, 2, 3}", "m := {{1, 2}, {3, 4}}", "p := Point(1, 2)",
                             "a := Points(2)", "7"})
      Enter(line);
  }
};

TEST_P(WorkFormListingTest, EveryVariableShowsItsNameValueTypeAndParts) {
  Params.VEditTree = Params.MEditTree = GetParam();
  Open();
  TypeVariables();
  const std::vector<TShownRow> expected = ExpectedRows(GetParam());
  EXPECT_EQ(Rows(), expected);
  for (TColumnIndex column : {0, 1, 2, 2, 1})
    for (int click = 0; click < 2; ++click) {
      ClickHeader(Tree(), column);
      EXPECT_EQ(ChildrenOfEachRow(Rows()), ChildrenOfEachRow(expected))
          << "the parts keep their order when column " << column << " sorts";
    }
}

INSTANTIATE_TEST_SUITE_P(VectorsAndMatrices, WorkFormListingTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "ListedWithElements" : "ListedAlone"; });

TEST_F(WorkFormTest, SortingByNameStartsFromAToZAndTurnsWithEachClick) {
  Open();
  for (const char* line : {"b := 'zz'", "c := 'aa'", "_a := 'mm'", "B2 := 'ba'"}) Enter(line);
  EXPECT_EQ(Tree().Header().SortColumn(), 0);
  EXPECT_EQ(Tree().Header().SortDirection(), sdDescending) << "the glyph of the start";
  const std::vector<std::string> aToZ{"ans", "b", "B2", "c", "_a"};
  EXPECT_EQ(TopNames(), aToZ) << "capitals compare before the underscore";
  ClickHeader(Tree(), 0);
  EXPECT_EQ(TopNames(), std::vector<std::string>(aToZ.rbegin(), aToZ.rend()));
  EXPECT_EQ(Tree().Header().SortDirection(), sdAscending);
  ClickHeader(Tree(), 0);
  EXPECT_EQ(TopNames(), aToZ);
  ClickHeader(Tree(), 1);
  EXPECT_EQ(TopNames(), (std::vector<std::string>{"b", "_a", "ans", "B2", "c"})) << "by value, Z to A; ties stay";
  EXPECT_EQ(Tree().Header().SortColumn(), 1);
}

TEST_F(WorkFormTest, EachNotificationRebuildsWhatItConcerns) {
  Open();
  LoadLibrary("shapes.tarn", ShapesLibrary);
  EXPECT_EQ(LibraryEntries(), std::vector<std::string>{" Shapes"}) << "built-in libraries are not listed";
  ASSERT_NE(KindNode("TShade"), nullptr);
  struct TCase {
    std::uint8_t What;
    bool Tree;
    bool Lists;
  };
  for (const TCase& test : {TCase{1, true, false}, TCase{4, false, true}, TCase{5, false, true},
                            TCase{0, true, true}, TCase{2, false, false}}) {
    // Made behind the window's back: only a rebuild shows them.
    form->Engine->AddVariable("w" + std::to_string(test.What), BaseKind(kcInteger));
    work->LibList->Items().Add(" Stale");
    dialog->KindTree->Items().Clear();
    dialog->KindTree->Items().AddChild(nullptr, "Stale");
    form->Engine->NotifyDataClients(test.What);
    ProcessEverything();
    const std::vector<std::string> names = TopNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), "w" + std::to_string(test.What)), test.Tree ? 1 : 0)
        << "What " << int(test.What);
    EXPECT_EQ(LibraryEntries() == std::vector<std::string>{" Shapes"}, test.Lists) << "What " << int(test.What);
    EXPECT_EQ(dialog->KindTree->Items().GetFirstNode()->Text() == "Fundamental Types", test.Lists)
        << "What " << int(test.What);
  }
}

TEST_F(WorkFormTest, AHiddenWindowRebuildsWhenItShowsAgain) {
  Open();
  Enter("x := 1");
  form->actWorksp->Execute();
  ASSERT_FALSE(work->Visible());
  Enter("y := 2");
  EXPECT_EQ(Tree().RootNodeCount(), 0u) << "nothing is kept that may name a variable gone meanwhile";
  Enter("z := 3");
  form->actWorksp->Execute();
  ProcessEverything();
  EXPECT_EQ(TopNames(), (std::vector<std::string>{"ans", "x", "y", "z"}));
}

TEST_F(WorkFormTest, AHugeArrayShowsTheStartOfItsValue) {
  Open();
  auto* big = static_cast<TArrVar*>(form->Engine->AddVariable("big", FindKind("vector")));
  SetVecSize(*big, 100000, true);
  work->actRefresh->Execute();
  const std::string value = Tree().CellText(TopRow("big"), 1);
  EXPECT_EQ(value.substr(0, 7), "{0, 0, ");
  EXPECT_EQ(value.substr(value.size() - 6), ", ...}");
  EXPECT_LT(value.size(), 5000u) << "more than a cell shows, far less than the whole";
}

TEST(HeapStatusText, RoundsToTwoDecimalsHalfToEven) {
  const std::pair<std::uint64_t, const char*> cases[] = {
      {0, " Allocated : 0 B"},           {1024, " Allocated : 1024 B"},    {1025, " Allocated : 1 KB"},
      {1152, " Allocated : 1.12 KB"},    {1536, " Allocated : 1.5 KB"},    {1048576, " Allocated : 1024 KB"},
      {1048577, " Allocated : 1 MB"},    {3 * 1048576, " Allocated : 3 MB"}, {1049, " Allocated : 1.02 KB"},
      {5243000, " Allocated : 5 MB"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(HeapStatusText(bytes), text) << bytes;
}

TEST_F(WorkFormTest, TheStatusBarShowsTheHeapAndTheImportersText) {
  SetHeapUsageSource([] { return std::int64_t{1536}; });
  Open();
  EXPECT_EQ(StatusText(0), " Allocated : 1.5 KB");
  SetHeapUsageSource([] { return std::int64_t{3 * 1048576}; });
  Enter("x := 1");
  EXPECT_EQ(StatusText(0), " Allocated : 3 MB");
  SetHeapUsageSource(nullptr);
  const std::string csv = WriteProgramFile("three.csv", "1\n2\n3\n");
  Enter("v := {0}");
  Enter("h := Open('file://" + csv + "', omRead)");
  Enter("ReadVecCSV(h, v)");
  EXPECT_EQ(StatusText(1), " Vector [3] successfully imported");
}

}  // namespace

// A routine of a library given to a variable on the command line: the
// variable holds the routine and is listed like any other.
TEST_F(WorkFormTest, AVariableHoldingALibrarysRoutineIsListed) {
  Open();
  LoadLibrary("colours.tarn",
              "library Colours; type TColour = (Red, Green);\n"
              "function Favourite : TColour; begin Result := Green end; end.");
  Enter("shade := Favourite");
  ASSERT_TRUE(HasVariable("shade"));
  EXPECT_EQ(Rows().back(), (TShownRow{0, "shade", "Favourite", "Function ( ) : TColour"}));
  Select(TopRow("shade"));
  PressInWorkspace(VK_DELETE, TInputModifiers{false, true, false});
  EXPECT_FALSE(HasVariable("shade")) << "deleted from its row";
}
