// The catalogue of the plotting library SysPlots: the enumerations its
// routines take, which belong to System. The plotting routines themselves
// come with the graphics.

#include "engine/XBuilder.h"
#include "runtime/Exceptions.h"

void TXBuilder::RegisterSysPlots(TLib*) {
  bool registered =
      RegisterType("TPlotStyle",
                   "( psLine, psDashed, psDotted, psCross, psCircle, psSquare, psDiamond, psStem, psWall, psBar )") &&
      RegisterType("TMeshStyle", "( msSurface, msScatter, msHeights, msContour )") &&
      RegisterType("TAxesType", "( atLinear, atLinearLog, atLogLinear, atLogLog, atPolar )");
  QASSERT(registered, "Assertion failure");
}
