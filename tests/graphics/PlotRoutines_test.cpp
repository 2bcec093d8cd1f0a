// The plotting routines of SysPlots, run by the engine into renderers of
// the test's own through the graph windows' targets: what each plot
// becomes, and what sampling does with routines that fail, fault, abort,
// plot themselves or see the graph cleared under them.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "engine/RunFlags.h"
#include "engine/RunState.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "graphics/GraphPlotTarget.h"
#include "graphics/PlotStyles.h"
#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "libraries/ArrayArgs.h"
#include "libraries/StandardLibraries.h"
#include "tests/engine/KindsFixture.h"
#include "tests/graphics/SamplePlots.h"
#include "tests/toolkit/Pixels.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Brush.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Pen.h"

namespace {

constexpr long double NaN = std::numeric_limits<long double>::quiet_NaN();

// Routines to plot; Calls counts the runs of Square.
constexpr const char* Routines = R"(library Plotted;
var Calls : Integer;
function Square(x : Real) : Real; begin Calls := Calls + 1; Result := x * x end;
function U(t : Real) : Real; begin Result := t end;
function V(t : Real) : Real; begin Result := 2 * t end;
function Root(x : Real) : Real; begin Result := Sqrt(x) end;
function Huge(x : Real) : Real; begin Result := Round(x * 1e20) end;
function Plane(x, y : Real) : Real; begin Result := x + y end;
function Huge2(x, y : Real) : Real; begin Result := Round(x * 1e20) + y end;
function Replotting(x : Real) : Real; begin PlotData({1, 2}, {1, 4}); Result := x end;
end.)";

class PlotRoutines : public testing::Test {
protected:
  PlotRoutines() {
    SetMessageSink(Sink);
    Graph.Clear();
    Graph3D.Clear();
    SetPlotTarget(pwGraph2D, MakeCounted<TGraphPlotTarget<TXGraph>>(Graph, [this] { ++Shown2D; }));
    SetPlotTarget(pwGraph3D, MakeCounted<TGraphPlotTarget<TXGraph3D>>(Graph3D, [this] { ++Shown3D; }));
    EXPECT_TRUE(Engine.CompileText(Routines)) << Errors();
    Engine.SetOption(0, true);
  }
  ~PlotRoutines() override {
    SetMessagePump(nullptr);
    SetPlotTarget(pwGraph2D, nullptr);
    SetPlotTarget(pwGraph3D, nullptr);
    SetMessageSink(nullptr);
  }

  // Evaluates a console line; the lines it wrote are in Sink.
  void Eval(const std::string& line) {
    Sink->Lines.clear();
    TVariant value;
    Engine.Evaluate(line, false, true, -1, value);
  }
  std::string Lines(std::uint8_t kind) const {
    std::string text;
    for (const TLine& line : Sink->Lines)
      if (line.Kind == kind) text += (text.empty() ? "" : "|") + line.Text;
    return text;
  }
  std::string Errors() const { return Lines(lkError); }
  std::int64_t Calls() {
    Eval("Calls");
    return static_cast<TBaseVar*>(Engine.FindVariable("Calls"))->GetValue().AsInt();
  }

  TXSeries& Series(int i = 0) { return static_cast<TXSeries&>(*Graph.GetItem(i)); }
  TXSeries3D& Series3D(TXData* data) { return static_cast<TXSeries3D&>(*data); }
  TXMesh& Mesh(TXData* data) { return static_cast<TXMesh&>(*data); }
  static std::vector<long double> Values(const IVector& v) {
    std::vector<long double> values;
    for (std::int64_t i = 0; i < v.GetSize(); ++i) values.push_back(v.GetItem(i));
    return values;
  }
  static std::vector<long double> Counting(int n, long double scale = 1) {
    std::vector<long double> values;
    for (int k = 1; k <= n; ++k) values.push_back(k * scale);
    return values;
  }

  // Runs the routine on arguments set past the compiler, as no script can
  // set them (an enumeration ordinal out of its range, a NaN count).
  bool ExecuteBound(const char* routine, const std::function<void(TFunc&)>& bind) {
    Sink->Lines.clear();
    TFunc* func = Engine.Funcs().Find(routine);
    TFuncCall call(*func);
    EXPECT_TRUE(call.Begin({1, 1}, {}));
    bind(*func);
    return func->Execute({1, 1});
  }
  static void BindRoutine(TFunc& func, int arg, TFunc* routine) {
    TFuncVar holder("", static_cast<TFuncKind*>(func.ArgKind(arg)), true, routine, nullptr);
    func.Arg(arg)->Assign(holder, false);
  }
  static void BindReals(TFunc& func, int arg, std::initializer_list<long double> reals) {
    SetReals(ArrArg(func, arg), std::vector<long double>(reals));
  }

  CountedPtr<TRecordingSink> Sink = MakeCounted<TRecordingSink>();
  TXGraph Graph;
  TXGraph3D Graph3D;
  int Shown2D = 0;
  int Shown3D = 0;
  TXBuilder Engine{StandardCatalogues()};
};

TEST_F(PlotRoutines, PlotsAsTheirRoutinesDescribeThem) {
  const struct {
    std::vector<const char*> Lines;
    std::function<void()> Check;
  } cases[] = {
      {{"Plot(Sin, {0, 1}, TRUE, psCircle, atLogLog)", "Plot(Square, {0, 6.3})"},
       [&] {
         ASSERT_EQ(Graph.Count(), 1) << "cleared first";
         TXSeries& f = Series();
         EXPECT_EQ(f.Name, "Square");
         ASSERT_EQ(f.Count(), 300);
         EXPECT_EQ(f.X->GetItem(0), 0);
         EXPECT_NEAR(f.X->GetItem(299), 6.3L, 1e-15L) << "both ends included";
         EXPECT_NEAR(f.Y->GetItem(299), 6.3L * 6.3L, 1e-14L);
         EXPECT_EQ(f.Opts.DrawKind, dkLine);
         EXPECT_EQ(f.Pen.Style, psSolid);
         EXPECT_EQ(Graph.Options.CoordSys, csLinear);
         EXPECT_FALSE(Graph.Options.MinorGridX || Graph.Options.MinorGridY);
       }},
      {{"Plot(Square, {0, 1, 3})", "Plot(Sin, {0, 1, 3}, TRUE)"},
       [&] {
         ASSERT_EQ(Graph.Count(), 2);
         EXPECT_EQ(Series(1).Name, "Sin");
         EXPECT_EQ(Series(1).Pen.Color, PenPalette[1]);
         EXPECT_EQ(Series(1).Brush.Color, BrushPalette[1]);
       }},
      {{"Plot(Square, {1, 10}, FALSE, psCircle, atLogLog)"},
       [&] {
         EXPECT_EQ(Graph.Options.CoordSys, csLogLog);
         EXPECT_TRUE(Graph.Options.MinorGridX && Graph.Options.MinorGridY);
         EXPECT_EQ(Series().Opts.DrawKind, dkScatter);
       }},
      {{"Plot(Square, {1, 10}, FALSE, psCircle, atLogLog)", "PlotData({1, 2}, {3, 4})"},
       [&] {
         EXPECT_EQ(Graph.Options.CoordSys, csLinear);
         EXPECT_FALSE(Graph.Options.MinorGridX || Graph.Options.MinorGridY);
         EXPECT_EQ(Series().Name, "2D Data");
         EXPECT_EQ(Series().Opts.Symbol, smCircle) << "psCircle by default";
       }},
      {{"PlotParam(U, V, {0, 6.3})"},
       [&] {
         EXPECT_EQ(Series().Name, "V vs U");
         EXPECT_NEAR(Series().Y->GetItem(299), 12.6L, 1e-15L);
       }},
      {{"PlotParam3D(U, V, Square, {0, 1, 3})"},
       [&] {
         TXSeries3D& s = Series3D(Graph3D.GetItem(0));
         EXPECT_EQ(s.Name, "Square vs V and U");
         EXPECT_EQ(Values(*s.Z), (std::vector<long double>{0, 0.25, 1}));
       }},
      {{"PlotData({}, {5, 6, 7}, FALSE, psBar)"},
       [&] {
         EXPECT_EQ(Values(*Series().X), Counting(3));
         EXPECT_EQ(Series().Opts.DrawKind, dkBars);
       }},
      {{"PlotData({}, {})"}, [&] { EXPECT_EQ(Series().Count(), 0) << "an empty series, shown"; }},
      {{"PlotData3D({2, 4, 6, 8, 10}, {}, {})"},
       [&] {
         TXSeries3D& s = Series3D(Graph3D.GetItem(0));
         EXPECT_EQ(s.Name, "3D Data");
         EXPECT_EQ(Values(*s.X), Counting(5, 2));
         EXPECT_EQ(Values(*s.Y), Counting(5));
         EXPECT_EQ(Values(*s.Z), Counting(5));
       }},
      {{"PlotData3D({2, 4, 6, 8, 10}, {1, 2, 3, 4, 5}, {})"},
       [&] { EXPECT_EQ(Values(*Series3D(Graph3D.GetItem(0)).Z), std::vector<long double>(5, 0)); }},
      {{"PlotData3D({1, 2}, {3, 4}, {5, 6}, FALSE, psBar)"},
       [&] {
         EXPECT_EQ(Lines(lkWarning), "Line style has been changed to pLine");
         EXPECT_EQ(Graph3D.GetItem(0)->Opts.DrawKind, dkLine);
       }},
      {{"PlotErrors({1, 2}, {3, 4}, {0.1, 0.2}, FALSE, psStem)"},
       [&] {
         EXPECT_EQ(Lines(lkWarning), "Line style has been changed to psLine");
         EXPECT_EQ(Graph.GetItem(0)->Opts.DrawKind, dkErrors);
       }},
      {{"Plot(Square, {1, 10}, FALSE, psLine, atLogLog)", "PlotErrors({}, {3, 4, 5}, {})"},
       [&] {
         TXSeries3D& s = Series3D(Graph.GetItem(0));
         EXPECT_EQ(s.Name, "Error plot");
         EXPECT_EQ(Values(*s.X), Counting(3));
         EXPECT_EQ(Values(*s.Z), std::vector<long double>(3, 0));
         EXPECT_EQ(s.Pen.Width, 1);
         EXPECT_EQ(Graph.Options.CoordSys, csLinear);
         EXPECT_TRUE(Graph.Options.MinorGridX) << "left as they were";
       }},
      {{"Plot3D(Hypot, {-1, 1}, {-1, 1})"},
       [&] {
         TXMesh& m = Mesh(Graph3D.GetItem(0));
         EXPECT_EQ(m.Name, "Hypot");
         EXPECT_EQ(m.XCount(), 40);
         EXPECT_EQ(m.YCount(), 40);
         EXPECT_EQ(m.Opts.Renderer, rdGouraud);
         EXPECT_EQ(m.Opts.Shader, shHeightColour);
         EXPECT_EQ(m.X->GetItem(0), -1);
         EXPECT_EQ(m.Y->GetItem(39), 1);
         EXPECT_NEAR(m.Z->GetItem(39, 0), sqrtl(2), 1e-18L);
         EXPECT_EQ(Shown2D, 0);
       }},
      {{"Plot(Square, {1, 10}, FALSE, psLine, atLogLog)", "Plot3D(Plane, {0, 1, 3}, {0, 2, 2}, FALSE, msContour)"},
       [&] {
         TXMesh& m = Mesh(Graph.GetItem(0));
         EXPECT_EQ(m.Opts.DrawKind, dkContour);
         EXPECT_EQ(m.Brush.Style, bsClear);
         EXPECT_EQ(m.GetPoint(1, 2), MakePoint3D(1, 2, 3));
         EXPECT_EQ(Graph.Options.CoordSys, csLogLog) << "left as it was";
       }},
      {{"PlotMesh({{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}}, {}, {})"},
       [&] {
         TXMesh& m = Mesh(Graph3D.GetItem(0));
         EXPECT_EQ(m.Name, "3D Data");
         EXPECT_EQ(Values(*m.X), Counting(4));
         EXPECT_EQ(Values(*m.Y), Counting(3));
         EXPECT_EQ(m.GetPoint(2, 3), MakePoint3D(4, 3, 12));
       }},
      {{"Peaks := MatZero(2, 2)", "PlotMesh(Peaks, {0.1, 0.2}, {}, FALSE, msHeights)"},
       [&] {
         TXMesh& m = Mesh(Graph.GetItem(0));
         EXPECT_EQ(m.Name, "Peaks") << "the variable passed names the mesh";
         EXPECT_EQ(m.X->GetItem(0), static_cast<long double>(0.1)) << "x passes through a double";
       }},
      {{"PlotField({0, 1}, {0, 1}, {1, 1}, {0, 0}, FALSE, atLogLog)"},
       [&] {
         EXPECT_EQ(Graph.GetItem(0)->Name, "2D Field");
         EXPECT_EQ(Graph.Options.CoordSys, csLogLog);
         EXPECT_TRUE(Graph.Options.MinorGridX && Graph.Options.MinorGridY) << "minor grids untouched";
       }},
      {{"PlotField3D({0}, {0}, {0}, {1}, {2}, {3})"},
       [&] {
         EXPECT_EQ(Graph3D.GetItem(0)->Name, "3D Field");
         EXPECT_EQ(Graph3D.GetItem(0)->Max, MakePoint3D(1, 2, 3));
       }},
      {{"Vs := {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}", "Fs := {{0, 1, 2}, {0.5, 1.5, 2.5}, {1e12, -1e12, 2}}",
        "PlotShape(Vs, Fs)"},
       [&] {
         auto& shape = static_cast<TXShape&>(*Graph3D.GetItem(0));
         EXPECT_EQ(shape.VertexCount(), 3);
         EXPECT_EQ(shape.GetFace(0), (TXFace{0, 1, 2, -1})) << "three columns make triangles";
         EXPECT_EQ(shape.GetFace(1), (TXFace{0, 2, 2, -1})) << "rounded half to even";
         EXPECT_EQ(shape.GetFace(2), (TXFace{2147483647, -2147483647 - 1, 2, -1})) << "kept within 32 bits";
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Lines.back());
    Shown2D = Shown3D = 0;
    Graph.Clear();
    Graph3D.Clear();
    Graph.Options.MinorGridX = Graph.Options.MinorGridY = true;
    for (const char* line : c.Lines) {
      Eval(line);
      EXPECT_EQ(Errors(), "") << line;
    }
    c.Check();
  }
}

TEST_F(PlotRoutines, EachPlotShowsItsWindowOnce) {
  Eval("PlotData({1}, {2})");
  Eval("PlotData({1}, {2, 3})");
  Eval("Vs := {{0, 0, 0}}");
  Eval("PlotShape(Vs, Vs)");
  EXPECT_EQ(Shown2D, 1);
  EXPECT_EQ(Shown3D, 1);
}

// The canonical sine of the renderer's tests is what a program plots.
TEST_F(PlotRoutines, AProgramsPlotIsTheCanonicalSineBitForBit) {
  ASSERT_TRUE(Engine.CompileText("program Sine;\n"
                                 "function f(x : real) : real;\n"
                                 "begin\n"
                                 "  Result := Sin(x)\n"
                                 "end;\n"
                                 "begin\n"
                                 "  Plot(f, {0, 6.2831853})\n"
                                 "end."))
      << Errors();
  TXGraph canonical;
  const TXSeries& expected = SamplePlots::CanonicalSine(canonical);
  ASSERT_EQ(Graph.Count(), 1);
  const TXSeries& plotted = Series();
  EXPECT_EQ(plotted.Name, expected.Name);
  EXPECT_TRUE(plotted.X->Equals(*expected.X));
  EXPECT_TRUE(plotted.Y->Equals(*expected.Y));
  EXPECT_EQ(plotted.Min, expected.Min);
  EXPECT_EQ(plotted.Max, expected.Max);
  SamplePlots::UseCourier(Graph);
  SamplePlots::UseCourier(canonical);
  TBitmap painted(640, 480, pf32bit), fixture(640, 480, pf32bit);
  ASSERT_TRUE(Graph.PaintTo(painted.Canvas(), Rect(0, 0, 640, 480)));
  ASSERT_TRUE(canonical.PaintTo(fixture.Canvas(), Rect(0, 0, 640, 480)));
  EXPECT_TRUE(SamePixels(*painted.Handle(), *fixture.Handle()));
}

TEST_F(PlotRoutines, AFailedSampleIsAGapWithItsErrorLine) {
  Eval("Plot(Root, {-1, 1, 5})");
  ASSERT_EQ(Graph.Count(), 1);
  const std::vector<long double> y = Values(*Series().Y);
  EXPECT_TRUE(std::isnan(y[0]) && std::isnan(y[1]));
  EXPECT_EQ((std::vector<long double>(y.begin() + 2, y.end())), (std::vector<long double>{0, sqrtl(0.5L), 1}));
  EXPECT_EQ(Series().Min, MakePoint3D(0, 0, 1)) << "gaps stay out of the bounds";
  EXPECT_EQ(Sink->ErrorTexts().size(), 2u) << Errors();
}

// A platform fault is reported by its text alone; the plot is still made.
TEST_F(PlotRoutines, APlatformFaultInACurveIsAGapToo) {
  Eval("PlotParam(U, Huge, {0, 1, 3})");
  ASSERT_EQ(Graph.Count(), 1);
  EXPECT_EQ(Errors(), "Invalid floating point operation|Invalid floating point operation");
  const std::vector<long double> y = Values(*Series().Y);
  EXPECT_EQ(y[0], 0);
  EXPECT_TRUE(std::isnan(y[1]) && std::isnan(y[2]));
  Eval("1+1");
  EXPECT_EQ(Lines(lkResult), "2");
}

// Plot3D lets the fault leave the call: the plot is dropped whole.
TEST_F(PlotRoutines, APlatformFaultLeavesPlot3DWithTheGraphAsItWas) {
  Eval("PlotData3D({1}, {2}, {3})");
  EXPECT_THROW(Eval("Plot3D(Huge2, {0, 1}, {0, 1})"), EQuantrelError);
  ASSERT_EQ(Graph3D.Count(), 1);
  EXPECT_EQ(Graph3D.GetItem(0)->Name, "3D Data");
  Eval("1+1");
  EXPECT_EQ(Lines(lkResult), "2");
}

TEST_F(PlotRoutines, AnAbortStopsTheSamplingAndLeavesTheGraph) {
  Eval("PlotData({1, 2}, {3, 4})");
  // Ctrl+F9 while Sin is being sampled.
  TFunc* sine = Engine.Funcs().Find("Sin");
  SetMessagePump([&] {
    if (sine->Busy() && !AbortFlag) Engine.Abort();
  });
  Eval("Plot(Sin, {0, 6.2831853, 1000000})");
  SetMessagePump(nullptr);
  EXPECT_EQ(Lines(lkWarning), "Execution terminated");
  EXPECT_EQ(Errors(), "") << "an aborted run reports nothing more";
  ASSERT_EQ(Graph.Count(), 1);
  EXPECT_EQ(Series().Name, "2D Data");
  EXPECT_EQ(Shown2D, 1);
  Eval("1+1");
  EXPECT_EQ(Lines(lkResult), "2");
}

// The window's Clear button, pressed while the routine samples.
TEST_F(PlotRoutines, ClearingTheGraphMeanwhileLeavesTheWholePlot) {
  Eval("PlotData({1, 2}, {3, 4})");
  int cleared = 0;
  TFunc* f = Engine.Funcs().Find("Square");
  SetMessagePump([&] {
    if (!f->Busy()) return;
    ++cleared;
    Graph.Clear();
  });
  Eval("Plot(Square, {0, 1, 200000}, TRUE)");
  SetMessagePump(nullptr);
  EXPECT_GT(cleared, 0);
  EXPECT_EQ(Errors(), "");
  ASSERT_EQ(Graph.Count(), 1);
  EXPECT_EQ(Series().Name, "Square");
  EXPECT_EQ(Series().Count(), 200000);
}

TEST_F(PlotRoutines, ARoutineThatPlotsWhileSampledLeavesTheWholePlot) {
  Eval("Plot(Replotting, {0, 1, 5}, TRUE)");
  EXPECT_EQ(Errors(), "");
  ASSERT_EQ(Graph.Count(), 2);
  EXPECT_EQ(Series(0).Name, "2D Data");
  EXPECT_EQ(Values(*Series(1).Y), (std::vector<long double>{0, 0.25, 0.5, 0.75, 1}));
}

TEST_F(PlotRoutines, ARoutineGivenForTwoCoordinatesIsEnteredOnce) {
  Eval("PlotParam(U, U, {0, 1, 3})");
  EXPECT_EQ(Errors(), "");
  EXPECT_EQ(Values(*Series().X), Values(*Series().Y)) << "the diagonal";
  EXPECT_EQ(Series().Name, "U vs U");
}

TEST_F(PlotRoutines, WithoutAWindowNothingIsSampled) {
  SetPlotTarget(pwGraph2D, nullptr);
  Eval("Plot(Square, {0, 1})");
  EXPECT_EQ(Errors(), "No graph window to plot in at [1:1] ");
  EXPECT_EQ(Calls(), 0);
  Eval("Plot3D(Hypot, {0, 1}, {0, 1}, FALSE, msHeights)");
  EXPECT_EQ(Errors(), "No graph window to plot in at [1:1] ") << "heights go to the 2D window";
  Eval("Plot3D(Hypot, {0, 1}, {0, 1})");
  EXPECT_EQ(Errors(), "");
  Eval("Plot(Square, {0, 1, 4})");
  EXPECT_EQ(Calls(), 0);
}

TEST_F(PlotRoutines, AnEmptyRoutineVariableIsRefused) {
  Eval("G := Sin");
  Eval("G := nil");
  Eval("Plot(G, {0, 1})");
  EXPECT_EQ(Errors(), "Function is empty at [1:1] ");
  EXPECT_EQ(Graph.Count(), 0);
}

TEST_F(PlotRoutines, ArgumentsNoScriptCanGiveAreRefusedToo) {
  TFunc* hypot = Engine.Funcs().Find("Hypot");
  TFunc* sine = Engine.Funcs().Find("Sin");
  for (const char* routine : {"Plot3D", "PlotMesh"}) {
    EXPECT_FALSE(ExecuteBound(routine, [&](TFunc& plot) {
      if (plot.Name() == "Plot3D") {
        BindRoutine(plot, 0, hypot);
        BindReals(plot, 1, {0, 1});
        BindReals(plot, 2, {0, 1});
      } else {
        ArrArg(plot, 0).SetLength(1);
        SetReals(MatRow(ArrArg(plot, 0), 0), std::vector<long double>{1});
      }
      static_cast<TBaseVar*>(plot.Arg(4))->SetValue(TValue::Enum(4));
    }));
    EXPECT_EQ(Errors(), "Unknown mesh style at [1:1] ") << routine;
  }
  const struct {
    std::initializer_list<long double> Range;
    const char* Error;
  } ranges[] = {
      {{0, 1, NaN}, "Too few plot points"}, {{0, NaN}, "Zero plotting range"}, {{NaN, 1}, "Zero plotting range"}};
  for (const auto& range : ranges) {
    EXPECT_FALSE(ExecuteBound("Plot", [&](TFunc& plot) {
      BindRoutine(plot, 0, sine);
      BindReals(plot, 1, range.Range);
    }));
    EXPECT_EQ(Errors(), range.Error);
  }
  EXPECT_EQ(Graph.Count() + Graph3D.Count(), 0);
}

}  // namespace
