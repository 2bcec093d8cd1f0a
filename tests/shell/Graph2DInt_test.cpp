// The 2D graph window as scripts see it: "Graph2D" typed at in the main
// window, its writes counted as paints of the window's paint box.

#include "engine/Tarnscript.h"
#include "shell/Graph2DInt.h"
#include "tests/shell/GraphWindowsFixture.h"

namespace {

class Graph2DTest : public GraphWindowsTest {
protected:
  void SetUp() override {
    StartGraphs();
    const TNotifyEvent paint = GraphForm->PaintBox->OnPaint;
    GraphForm->PaintBox->OnPaint = [this, paint](TObject* sender) {
      paint(sender);
      ++paints;
    };
  }
  // The line typed in the main window; its error, or "" when there was none.
  std::string Line(const std::string& line) {
    form->CommandLine->SetFocus();
    ProcessEverything();
    const std::size_t before = Lines().size();
    Enter(line);
    for (std::size_t i = before; i < Lines().size(); ++i)
      if (Lines()[i].Kind == lkError) return Lines()[i].Text;
    return "";
  }
  // What the line prints as its result.
  std::string Result(const std::string& line) {
    EXPECT_EQ(Line(line), "") << line;
    return LastLine().Text;
  }
  // Paints that the lines cause.
  int PaintsOf(std::initializer_list<std::string> lines) {
    ProcessEverything();
    paints = 0;
    for (const std::string& line : lines) EXPECT_EQ(Line(line), "") << line;
    ProcessEverything();
    return paints;
  }
  void ShowWithData() {
    ASSERT_EQ(Line("Plot(Sin, {0, 6.3})"), "");
    ASSERT_TRUE(GraphForm->Visible());
  }
  TXGOptions& Options() { return GraphForm->Graph->Options; }

  int paints = 0;
};

TEST_F(Graph2DTest, ATitleOnAGraphWithDataPaintsOnceAndTheSameTitleAgainNothing) {
  ShowWithData();
  EXPECT_EQ(PaintsOf({"Graph2D.Title := 'A'"}), 1);
  EXPECT_EQ(Options().Title, "A");
  EXPECT_EQ(PaintsOf({"Graph2D.Title := 'A'"}), 0);
  EXPECT_EQ(PaintsOf({"Graph2D.Title := 'a'"}), 1) << "compared with case";
  EXPECT_EQ(PixelsUnlikePaintTo(*GraphForm), 0);
}

TEST_F(Graph2DTest, ASwitchOnAnEmptyHiddenGraphIsStoredAndShowsNothing) {
  GraphForm->Graph->Clear();
  ASSERT_FALSE(GraphForm->Visible());
  EXPECT_EQ(PaintsOf({"Graph2D.GridX := FALSE"}), 0);
  EXPECT_FALSE(Options().GridX);
  EXPECT_FALSE(GraphForm->Visible());
}

TEST_F(Graph2DTest, WritesBetweenBeginUpdateAndEndUpdatePaintOnceAtTheEnd) {
  ShowWithData();
  EXPECT_EQ(PaintsOf({"Graph2D.BeginUpdate()", "Graph2D.BeginUpdate()", "Graph2D.Title := 'T'",
                      "Graph2D.TitleX := 'x'", "Graph2D.Legend := TRUE", "Graph2D.GridY := FALSE",
                      "Graph2D.AxesKind := akAxes"}),
            0);
  EXPECT_TRUE(GraphForm->Host->Updating);
  EXPECT_EQ(PaintsOf({"Graph2D.EndUpdate()"}), 1) << "one EndUpdate ends any number of BeginUpdate";
  EXPECT_EQ(PaintsOf({"Graph2D.EndUpdate()"}), 0);
  EXPECT_EQ(Options().AxesKind, akAxes);
  EXPECT_EQ(PixelsUnlikePaintTo(*GraphForm), 0);
}

// An empty graph is not repainted from the script: the old picture stays
// until the window paints again.
TEST_F(Graph2DTest, ClearEmptiesTheGraphAndTheOldPictureStaysUntilTheNextPaint) {
  ShowWithData();
  const std::vector<TColor> plotted = ShownPixels(*GraphForm);
  EXPECT_EQ(PaintsOf({"Graph2D.Clear()"}), 0);
  EXPECT_EQ(GraphForm->Graph->Count(), 0);
  EXPECT_EQ(ShownPixels(*GraphForm), plotted);
  GraphForm->PaintBox->Repaint();
  ProcessEverything();
  EXPECT_NE(ShownPixels(*GraphForm), plotted);
  EXPECT_EQ(PixelsUnlikePaintTo(*GraphForm), 0) << "the empty graph";
}

TEST_F(Graph2DTest, EveryPropertyReadsItsOptionAndEnumerationsTakeOnlyTheirOwnMembers) {
  EXPECT_EQ(Line("Graph2D.CoordSys := csLogLog"), "");
  EXPECT_EQ(Options().CoordSys, csLogLog);
  Options().Title = "Sine";
  Options().TitleX = "x";
  Options().TitleY = "y";
  Options().Legend = true;
  Options().LabelsX = false;
  Options().GridY = false;
  Options().MinorGridX = true;
  Options().AxesKind = akAxes;
  const std::pair<const char*, const char*> reads[] = {
      {"Title", "'Sine'"},     {"TitleX", "'x'"},         {"TitleY", "'y'"},        {"Legend", "True"},
      {"LabelsX", "False"},    {"LabelsY", "True"},       {"GridX", "True"},        {"GridY", "False"},
      {"MinorGridX", "True"},  {"MinorGridY", "False"},   {"AxesKind", "akAxes"},   {"CoordSys", "csLogLog"},
  };
  for (const auto& [property, shown] : reads)
    EXPECT_EQ(Result(std::string("Graph2D.") + property), shown) << property;

  EXPECT_NE(Line("Graph2D.CoordSys := atLogLog"), "") << "a member of another enumeration";
  EXPECT_EQ(Options().CoordSys, csLogLog);
  EXPECT_NE(Line("Graph2D.CoordSys := 2"), "");
  EXPECT_EQ(Options().CoordSys, csLogLog);
}

TEST_F(Graph2DTest, TheRoutinesAreDeclaredInOrderAndGraph2DGoesWithTheWindow) {
  EXPECT_EQ(GraphForm->Host->TarnName(), "Graph2D");
  EXPECT_EQ(GraphForm->Host->TarnExecs(7, {}).AsInt(), 0) << "an unknown index does nothing";
  ASSERT_NE(form->Engine->FindVariable("Graph2D"), nullptr);
  delete GraphForm;
  EXPECT_EQ(form->Engine->FindVariable("Graph2D"), nullptr);
  EXPECT_NE(Line("Graph2D.Title := 'A'"), "");
  EXPECT_NE(LastLine().Text.find("Graph2D"), std::string::npos) << LastLine();
}

}  // namespace
