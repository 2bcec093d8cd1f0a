// Plotting in the headless runner: programs that plot compile and have
// their arguments checked, every check comes before the window is looked
// up, and a call that passes them all fails for want of a graph window.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/tools/TarnshRun.h"

namespace {

// M34 is 3 x 4, E a matrix without rows, V2 and F5 have 2 and 5 columns,
// R has a second row shorter than its first.
const std::string Variables =
    "-e 'M34 := MatZero(3, 4)' -e 'E := MatZero(1, 3)' -e 'DelRow(E, 1)' -e 'V := MatZero(2, 3)' "
    "-e 'V2 := MatZero(2, 2)' -e 'F := MatZero(1, 3)' -e 'F5 := MatZero(1, 5)' -e 'R := {{1, 2, 3}, {1, 2}}' ";

// The error lines the call writes after the variables are made.
std::string ErrorLinesOf(const std::string& call, int& status) {
  TRun run = RunTarnsh(Variables + "-e '" + call + "'");
  status = run.Status;
  std::istringstream lines(run.Output);
  std::string errors;
  for (std::string line; std::getline(lines, line);)
    if (line.starts_with("5:") || line.starts_with("tarnsh")) errors += line + "\n";
  return errors;
}

TEST(HeadlessPlots, BadArgumentsAreRefusedWithTheirMessages) {
  const std::string at = " at [1:1] ";
  const struct {
    const char* Call;
    std::string Message;
  } cases[] = {
      {"Plot(Sin, {1})", "X range must contain at least 2 real numbers"},
      {"Plot(Sin, {0, 1, 1})", "Too few plot points"},
      {"Plot(Sin, {0, 1, 0.5})", "Too few plot points"},
      {"Plot(Sin, {1, 1})", "Zero plotting range"},
      {"Plot(Sin, {2, 1})", "Zero plotting range"},
      {"Plot(Sin, {0, 1, 1e12})", "Not enough memory" + at},
      {"Plot(Sin, {0, 1, 1e300})", "Not enough memory" + at},
      {"Plot(Sin, {0, 1, Inf})", "Not enough memory" + at},
      {"Plot(Sin, {0, 1, -Inf})", "Too few plot points"},
      {"PlotParam(Sin, Cos, {1})", "Third parameter must contain at least 2 real numbers" + at},
      {"PlotParam(Sin, Cos, {0, 1, 1})", "Too few plot points" + at},
      {"PlotParam(Sin, Cos, {1, 0})", "Zero plotting range" + at},
      {"PlotParam3D(Sin, Cos, Sqr, {0})", "Fourth parameter must contain at least 2 real numbers" + at},
      {"PlotParam3D(Sin, Cos, Sqr, {0, 1, 1e13})", "Not enough memory" + at},
      {"PlotData({1, 2}, {1, 2, 3})", "Vectors must have the same length" + at},
      {"PlotData3D({1, 2}, {1, 2, 3}, {})", "Data vectors must have the same size" + at},
      {"PlotData3D({}, {1, 2}, {1})", "Data vectors must have the same size" + at},
      {"PlotErrors({}, {1, 2}, {0.1})", "Data vectors must have the same size" + at},
      {"PlotErrors({1}, {1, 2}, {})", "Data vectors must have the same size" + at},
      {"PlotData3D({}, {}, {})", "There is nothing to plot" + at},
      {"PlotErrors({1, 2}, {}, {})", "Second parameter vector must contain data" + at},
      {"Plot3D(Hypot, {0}, {0, 1})", "X range must contain at least 2 real numbers" + at},
      {"Plot3D(Hypot, {0, 1}, {0})", "Y range must contain at least 2 real numbers" + at},
      {"Plot3D(Hypot, {0, 1, 1}, {0, 1})", "Too few plot points" + at},
      {"Plot3D(Hypot, {0, 1}, {0, 1, 1})", "Too few plot points" + at},
      {"Plot3D(Hypot, {1, 0}, {0, 1})", "Zero X range" + at},
      {"Plot3D(Hypot, {0, 1}, {1, 1})", "Zero Y range" + at},
      {"Plot3D(Hypot, {0, 1, 1e6}, {0, 1, 1e6})", "Not enough memory" + at},
      {"Plot3D(Hypot, {0, 1, 3e9}, {0, 1, 2})", "Not enough memory" + at},
      {"PlotMesh(E, {}, {})", "Empty mesh matrix"},
      {"PlotMesh({{}}, {}, {})", "Empty mesh matrix"},
      {"PlotMesh({{1, 2, 3}, {1, 2}}, {}, {})", "Mesh matrix has to be either rectangular or square"},
      {"PlotMesh(M34, {}, {1, 2})", "Size of the Y vector is incompatible with the mesh"},
      {"PlotMesh(M34, {1, 2}, {})", "Size of the X vector is incompatible with the mesh"},
      {"PlotField({}, {}, {}, {})", "First parameter contains no data" + at},
      {"PlotField({1, 2, 3}, {1, 2, 3}, {1, 2, 3}, {1, 2})", "All parameter vectors must have the same size" + at},
      {"PlotField3D({1}, {1}, {1}, {1}, {1}, {})", "All parameter vectors must have the same size" + at},
      {"PlotShape(E, F)", "Shape contains no vertices" + at},
      {"PlotShape(V2, F)", "Vertex matrix must have 3 columns {X, Y, Z}" + at},
      {"PlotShape(V, E)", "Shape contains no faces" + at},
      {"PlotShape(V, F5)", "Face matrix must have 3 or 4 columns" + at},
      {"PlotShape(R, F)", "Vertex matrix must have 3 columns {X, Y, Z}" + at},
      {"PlotShape(V, R)", "Face matrix must have 3 or 4 columns" + at},
  };
  for (const auto& c : cases) {
    int status = 0;
    EXPECT_EQ(ErrorLinesOf(c.Call, status), "5:0:" + c.Message + "\n") << c.Call;
    EXPECT_EQ(status, 1) << c.Call;
  }
}

TEST(HeadlessPlots, AValidCallHasNoWindowToPlotIn) {
  const char* calls[] = {
      "Plot(Sin, {0, 6.2831853})",
      "PlotParam(Sin, Cos, {0, 1}, TRUE, psCross, atLogLog)",
      "PlotParam3D(Sin, Cos, Sqr, {0, 1})",
      "PlotData({}, {})",
      "PlotData3D({1, 2}, {}, {}, FALSE, psBar)",
      "PlotErrors({}, {1, 2}, {}, FALSE, psStem)",
      "Plot3D(Hypot, {-1, 1}, {-1, 1})",
      "Plot3D(Hypot, {-1, 1}, {-1, 1}, FALSE, msContour)",
      "PlotMesh(M34, {}, {})",
      "PlotField({1}, {1}, {1}, {1}, FALSE, atPolar)",
      "PlotField3D({1}, {1}, {1}, {1}, {1}, {1})",
      "PlotShape(V, F)",
  };
  for (const char* call : calls) {
    int status = 0;
    EXPECT_EQ(ErrorLinesOf(call, status), "5:0:No graph window to plot in at [1:1] \n") << call;
    EXPECT_EQ(status, 1) << call;
  }
}

TEST(HeadlessPlots, AProgramThatPlotsCompilesAndRuns) {
  TRun run = RunTarnsh("'" + std::string(PROGRAMS_DIR) + "/../../resources/Examples/Plot.tarn'");
  EXPECT_EQ(run.Output, "5:0:No graph window to plot in at [12:3] \n");
  EXPECT_EQ(run.Status, 1);
}

// The headless runner stays free of the windows' libraries, however the
// plotting routines reach them.
TEST(HeadlessPlots, TheRunnerLinksNoQtLibrary) {
  FILE* pipe = popen((std::string("ldd ") + TARNSH_PATH).c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string dependencies;
  char buffer[256];
  while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) dependencies.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_NE(dependencies.find("libc.so"), std::string::npos) << dependencies;
  EXPECT_EQ(dependencies.find("Qt"), std::string::npos) << dependencies;
}

}  // namespace
