#pragma once
// The monitors of the desktop. Their bounds together make the virtual
// desktop, whose top-left corner may lie left of or above the primary
// monitor's (0, 0). Window rectangles, metrics and fonts stay in the
// toolkit's pixels on a scaled screen; the desktop shows them scaled.

#include <cstddef>
#include <vector>

#include "toolkit/base/Rect.h"

struct TMonitor {
  TRect Bounds;
  TRect WorkArea;  // the bounds without the desktop's panels
  bool Primary = false;
  friend bool operator==(const TMonitor&, const TMonitor&) = default;
};

// From the window backend; without one, a single 1920 x 1080 screen.
std::vector<TMonitor> GetMonitors();

// Arithmetic on a list of monitors (never empty):
TRect VirtualScreen(const std::vector<TMonitor>& monitors);
// The primary one, or the first when none is marked.
std::size_t PrimaryMonitorIndex(const std::vector<TMonitor>& monitors);
// The monitor holding the point, else the one nearest to it.
std::size_t MonitorIndexFromPoint(const std::vector<TMonitor>& monitors, TPoint point);
// The monitor sharing the largest area with the rectangle, else the one
// nearest to its centre.
std::size_t MonitorIndexFromRect(const std::vector<TMonitor>& monitors, const TRect& rect);
