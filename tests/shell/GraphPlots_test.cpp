// Plots typed in the main window reach the graph windows made at start-up:
// the window opens showing its renderer's picture, also while a script
// plots in a loop, which Clear and Ctrl+F9 interrupt.

#include "engine/Tarnscript.h"
#include "tests/shell/GraphWindowsFixture.h"

namespace {

class GraphPlotsTest : public GraphWindowsTest {
protected:
  void EnterInMain(const std::string& line) {
    form->CommandLine->SetFocus();
    ProcessEverything();
    Enter(line);
  }
};

TEST_F(GraphPlotsTest, APlotTypedInTheMainWindowOpensTheGraphWindowShowingIt) {
  StartGraphs();
  EnterInMain("Plot(Sin, {0, 6.3})");
  EXPECT_NE(LastLine().Kind, lkError) << LastLine();
  TGraphForm& graph = *GraphForm;
  EXPECT_TRUE(graph.Visible());
  EXPECT_TRUE(form->actGraphs->Checked());
  ASSERT_EQ(graph.Graph->Count(), 1) << "the default content cleared";
  EXPECT_EQ(graph.Graph->GetItem(0)->Kind, SeriesKind);
  EXPECT_EQ(PixelsUnlikePaintTo(graph), 0);

  EnterInMain("Plot3D(Hypot, {-1, 1}, {-1, 1})");
  EXPECT_NE(LastLine().Kind, lkError) << LastLine();
  EXPECT_TRUE(Graph3DForm->Visible());
  ASSERT_EQ(Graph3DForm->Graph->Count(), 1);
  EXPECT_EQ(Graph3DForm->Graph->GetItem(0)->Kind, MeshKind);
  EXPECT_EQ(PixelsUnlikePaintTo(*Graph3DForm), 0);
}

// Every plot of the loop is painted as it comes; Clear empties the graph
// under the running script, and Ctrl+F9 in the main window ends the run.
TEST_F(GraphPlotsTest, AScriptPlottingInALoopShowsEveryPlotAndClearAndCtrlF9Interrupt) {
  StartGraphs();
  form->Engine->CompileText(
      "library Loops;\n"
      "var Plots : Integer;\n"
      "procedure Forever;\n"
      "begin\n"
      "  Plots := 0;\n"
      "  while true do begin Plot(Sin, {0, 6.3}); Plots := Plots + 1 end\n"
      "end;\n"
      "end.");
  TGraphForm& graph = *GraphForm;
  int paints = 0;
  const TNotifyEvent paint = graph.PaintBox->OnPaint;
  graph.PaintBox->OnPaint = [&](TObject* sender) {
    paint(sender);
    ++paints;
  };
  bool runningWhenCleared = false;
  int countAfterClear = -1;
  RunLater(300, [&] {
    runningWhenCleared = form->Engine->IsRunning() && graph.Visible();
    graph.actClear->Execute();
    countAfterClear = graph.Graph->Count();
    RunLater(100, [&] { PressInMain(VK_F9, {.Control = true}); });
  });
  EnterInMain("Forever()");
  graph.PaintBox->OnPaint = paint;
  EXPECT_TRUE(runningWhenCleared);
  EXPECT_EQ(countAfterClear, 0);
  EXPECT_FALSE(form->Engine->IsRunning());
  EXPECT_EQ(LastLine(), (TShownLine{"Execution terminated", lkWarning}));
  EnterInMain("Plots");
  const int plots = std::stoi(LastLine().Text);
  EXPECT_GT(plots, 1);
  EXPECT_GE(paints, plots) << "each plot painted while the script ran";
  EXPECT_EQ(graph.Graph->Count(), 1) << "the plots after Clear";
  EXPECT_EQ(PixelsUnlikePaintTo(graph), 0);
}

}  // namespace
