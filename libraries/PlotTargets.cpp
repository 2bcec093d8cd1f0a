#include "libraries/PlotTargets.h"

#include <array>
#include <utility>

namespace {

std::array<CountedPtr<IPlotTarget>, 2>& Targets() {
  static std::array<CountedPtr<IPlotTarget>, 2> targets;
  return targets;
}

}  // namespace

void SetPlotTarget(TPlotWindow window, CountedPtr<IPlotTarget> target) { Targets()[window] = std::move(target); }

CountedPtr<IPlotTarget> GetPlotTarget(TPlotWindow window) { return Targets()[window]; }
