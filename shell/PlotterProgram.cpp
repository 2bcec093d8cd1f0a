#include "shell/PlotterProgram.h"

#include <array>

namespace {

constexpr const char* Indent = "     ";

std::string PointsPart(const std::string& points) { return points.empty() ? " }" : ", " + points + " }"; }

std::string AppendPart(bool append) { return append ? ", on" : ", off"; }

std::string AxesPart(int axesType) {
  static constexpr std::array<const char*, 5> Names{"atLinear", "atLinearLog", "atLogLinear", "atLogLog", "atPolar"};
  return std::string(", ") + Names.at(static_cast<size_t>(axesType));
}

std::string Function(const std::string& header, const std::string& expression) {
  return "function " + header + " : real;\nbegin\n" + Indent + "result := " + expression + ";\nend;\n\n";
}

std::string MainBlock(const std::string& call) { return std::string("begin\n") + Indent + call + " );\nend."; }

std::string XRange(const TPlotterFields& fields) { return "{ " + fields.XMin + ", " + fields.XMax; }

std::string LineProgram(const TPlotterFields& f) {
  return Function("_plotter_line ( x : real )", f.F) +
         MainBlock("Plot( _plotter_line, " + XRange(f) + PointsPart(f.XPoints) + AppendPart(f.Append) + ", psLine" +
                   AxesPart(f.AxesType));
}

std::string ParamProgram(const TPlotterFields& f) {
  std::string text = Function("_plotter_X ( x : real )", f.F) + Function("_plotter_Y ( x : real )", f.Y);
  const std::string tail = XRange(f) + PointsPart(f.XPoints) + AppendPart(f.Append) + ", psLine";
  if (f.Kind == pkParamLine2D) return text + MainBlock("PlotParam( _plotter_X, _plotter_Y, " + tail + AxesPart(f.AxesType));
  return text + Function("_plotter_Z ( x : real )", f.Z) +
         MainBlock("PlotParam3D( _plotter_X, _plotter_Y, _plotter_Z, " + tail);
}

std::string MeshProgram(const TPlotterFields& f) {
  const std::string between = f.XPoints.empty() ? " },{ " : ", " + f.XPoints + " }, { ";
  const char* style = f.Kind == pkSurface3D ? ", msSurface" : f.Kind == pkHeightsMap ? ", msHeights" : ", msContour";
  return Function("_plotter_mesh ( x, y : real )", f.F) +
         MainBlock("Plot3D( _plotter_mesh, " + XRange(f) + between + f.YMin + ", " + f.YMax +
                   PointsPart(f.YPoints) + AppendPart(f.Append) + style);
}

}  // namespace

std::string PlotterProgramText(const TPlotterFields& fields) {
  std::string body;
  switch (fields.Kind) {
    case pkLine: body = LineProgram(fields); break;
    case pkParamLine2D:
    case pkParamLine3D: body = ParamProgram(fields); break;
    case pkSurface3D:
    case pkHeightsMap:
    case pkContourLines: body = MeshProgram(fields); break;
  }
  return "\n" + body;
}
