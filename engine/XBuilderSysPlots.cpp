// The catalogue of the plotting library SysPlots: the enumerations its
// routines take, which belong to System. The plotting routines themselves
// come with the graphics.

#include "engine/XBuilder.h"

namespace {

constexpr const char* PlotStyleMembers[] = {"psLine",   "psDashed",  "psDotted", "psCross", "psCircle",
                                            "psSquare", "psDiamond", "psStem",   "psWall",  "psBar"};
constexpr const char* MeshStyleMembers[] = {"msSurface", "msScatter", "msHeights", "msContour"};
constexpr const char* AxesTypeMembers[] = {"atLinear", "atLinearLog", "atLogLinear", "atLogLog", "atPolar"};

}  // namespace

void TXBuilder::RegisterSysPlots(TLib*) {
  RegisterEnumeration("TPlotStyle", PlotStyleMembers);
  RegisterEnumeration("TMeshStyle", MeshStyleMembers);
  RegisterEnumeration("TAxesType", AxesTypeMembers);
}
