#pragma once
// The catalogue of the library SysPlots: its eleven plotting routines. The
// enumerations they take (TPlotStyle, TMeshStyle, TAxesType) the engine
// declares in System first.
//
// The routines live here rather than with the graphics: the headless runner
// links only the engine and the libraries, and must still compile and check
// programs that plot. They reach the graph windows through PlotTargets.h.

class TCatalogue;

void RegisterSysPlotsLibrary(TCatalogue& catalogue);
