#pragma once
// The small program the plotter window writes around the user's
// expressions: one function per expression and a call of the plotting
// routine of the kind, with the ranges, points, Append flag and axes type
// as typed. The texts go in unchanged: the engine judges them when the
// program compiles.

#include <string>

// The plot kinds, in the order of the plotter's buttons.
enum TPlotterKind { pkLine = 1, pkParamLine2D, pkParamLine3D, pkSurface3D, pkHeightsMap, pkContourLines };

struct TPlotterFields {
  TPlotterKind Kind = pkLine;
  std::string F, Y, Z;
  std::string XMin = "-1", XMax = "1", XPoints;
  std::string YMin = "-1", YMax = "1", YPoints;  // kinds 4 .. 6
  bool Append = false;
  int AxesType = 0;  // kinds 1 and 2: the index of the axes combo, 0 .. 4
};

// LF line breaks, five blanks of indentation, a leading empty line.
std::string PlotterProgramText(const TPlotterFields& fields);
