// The catalogue of the plotting library SysPlots: the enumerations its
// routines take, which belong to System, then the routines themselves,
// which live with the other libraries' routines.

#include "engine/XBuilder.h"

namespace {

constexpr const char* PlotStyleMembers[] = {"psLine",   "psDashed",  "psDotted", "psCross", "psCircle",
                                            "psSquare", "psDiamond", "psStem",   "psWall",  "psBar"};
constexpr const char* MeshStyleMembers[] = {"msSurface", "msScatter", "msHeights", "msContour"};
constexpr const char* AxesTypeMembers[] = {"atLinear", "atLinearLog", "atLogLinear", "atLogLog", "atPolar"};

}  // namespace

void TXBuilder::RegisterSysPlots(TLib* lib, TCatalogues::TFill routines) {
  RegisterEnumeration("TPlotStyle", PlotStyleMembers);
  RegisterEnumeration("TMeshStyle", MeshStyleMembers);
  RegisterEnumeration("TAxesType", AxesTypeMembers);
  RunCatalogue(routines, lib);
}
