#pragma once
// The plotting routines of SysPlots. Function plots (Plot, PlotParam,
// PlotParam3D, Plot3D) sample routines of the script; data plots take
// vectors and matrices. Each checks its arguments, makes its whole plot
// apart (sized first: a count beyond memory is refused) and only then
// hands it to the graph window's target (PlotTargets.h), which adds it as
// one data set and shows the window. Without a graph window a call that
// passes its checks is refused, and nothing is sampled.
//
// A sampled routine runs for every point: a routine given for several
// coordinates is entered once and run for each. A run that fails, reports
// an error (the routine has said why) or raises a platform fault makes the
// point NaN, a gap in the plot; a platform fault is reported without a position, except
// in Plot3D, which lets it leave the call. An abort stops the sampling at
// once and the call fails as an aborted run does; the graph is left as it was.

#include "engine/Func.h"

class TPlotNF final : public TFunc {
public:
  TPlotNF(TFuncKind* signature, TLib* lib) : TFunc("Plot", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TPlotParamNF final : public TFunc {
public:
  TPlotParamNF(TFuncKind* signature, TLib* lib) : TFunc("PlotParam", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TPlotParam3NF final : public TFunc {
public:
  TPlotParam3NF(TFuncKind* signature, TLib* lib) : TFunc("PlotParam3D", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TPlotDataNF final : public TFunc {
public:
  TPlotDataNF(TFuncKind* signature, TLib* lib) : TFunc("PlotData", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TPlotData3DNF final : public TFunc {
public:
  TPlotData3DNF(TFuncKind* signature, TLib* lib) : TFunc("PlotData3D", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};

// Y with the errors Z, in 2D.
class TPlotErrorNF final : public TFunc {
public:
  TPlotErrorNF(TFuncKind* signature, TLib* lib) : TFunc("PlotErrors", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TPlot3DNF final : public TFunc {
public:
  TPlot3DNF(TFuncKind* signature, TLib* lib) : TFunc("Plot3D", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};

// Named after the variable passed as M, or "3D Data" for any other argument.
class TPlotMeshNF final : public TFunc {
public:
  TPlotMeshNF(TFuncKind* signature, TLib* lib) : TFunc("PlotMesh", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TPlotFieldNF final : public TFunc {
public:
  TPlotFieldNF(TFuncKind* signature, TLib* lib) : TFunc("PlotField", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};

class TPlotField3NF final : public TFunc {
public:
  TPlotField3NF(TFuncKind* signature, TLib* lib) : TFunc("PlotField3D", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};

// Face indices are rounded (half to even) and kept within 32 bits, NaN
// taken as the largest; the renderer skips a face naming no vertex.
class TPlotShapeNF final : public TFunc {
public:
  TPlotShapeNF(TFuncKind* signature, TLib* lib) : TFunc("PlotShape", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};
