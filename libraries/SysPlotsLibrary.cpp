#include "libraries/SysPlotsLibrary.h"

#include "engine/Catalogue.h"
#include "libraries/PlotRoutines.h"
#include "libraries/StandardLibraries.h"

namespace {

constexpr TParamSpec Append = Param("Append", kcBoolean, false);

consteval TParamSpec PlotStyle(const char* member) {
  return Param("Style", "TPlotStyle", TDefaultSpec::Member(member));
}

constexpr TParamSpec MeshStyle = Param("Style", "TMeshStyle", TDefaultSpec::Member("msSurface"));
constexpr TParamSpec Axes = Param("Axes", "TAxesType", TDefaultSpec::Member("atLinear"));

consteval TParamSpec Vec(const char* name) { return Param(name, "Vector"); }

}  // namespace

void RegisterSysPlotsLibrary(TCatalogue& catalogue) {
  RegisterRoutineRow<TPlotNF>(
      catalogue, Procedure({Param("F", "TMathFunc"), Vec("X"), Append, PlotStyle("psLine"), Axes}));
  RegisterRoutineRow<TPlotParamNF>(catalogue, Procedure({Param("FX", "TMathFunc"), Param("FY", "TMathFunc"), Vec("T"),
                                                         Append, PlotStyle("psLine"), Axes}));
  RegisterRoutineRow<TPlotParam3NF>(catalogue,
                                    Procedure({Param("FX", "TMathFunc"), Param("FY", "TMathFunc"),
                                               Param("FZ", "TMathFunc"), Vec("T"), Append, PlotStyle("psLine")}));
  RegisterRoutineRow<TPlotDataNF>(catalogue,
                                  Procedure({Vec("X"), Vec("Y"), Append, PlotStyle("psCircle"), Axes}));
  RegisterRoutineRow<TPlotData3DNF, TPlotErrorNF>(
      catalogue, Procedure({Vec("X"), Vec("Y"), Vec("Z"), Append, PlotStyle("psCircle")}));
  RegisterRoutineRow<TPlot3DNF>(catalogue,
                                Procedure({Param("F", "TMeshFunc"), Vec("X"), Vec("Y"), Append, MeshStyle}));
  RegisterRoutineRow<TPlotMeshNF>(catalogue,
                                  Procedure({Param("M", "Matrix"), Vec("X"), Vec("Y"), Append, MeshStyle}));
  RegisterRoutineRow<TPlotFieldNF>(catalogue, Procedure({Vec("X"), Vec("Y"), Vec("VX"), Vec("VY"), Append, Axes}));
  RegisterRoutineRow<TPlotField3NF>(
      catalogue, Procedure({Vec("X"), Vec("Y"), Vec("Z"), Vec("VX"), Vec("VY"), Vec("VZ"), Append}));
  RegisterRoutineRow<TPlotShapeNF>(catalogue,
                                   Procedure({VarParam("V", "Matrix"), VarParam("F", "Matrix"), Append}));
}
