#include "toolkit/win/Monitors.h"

#include <algorithm>
#include <limits>

#include "toolkit/win/WindowBackend.h"

namespace {

long long DistanceSquared(const TRect& rect, TPoint point) {
  const long long dx = point.X < rect.Left ? rect.Left - point.X : point.X >= rect.Right ? point.X - rect.Right + 1 : 0;
  const long long dy = point.Y < rect.Top ? rect.Top - point.Y : point.Y >= rect.Bottom ? point.Y - rect.Bottom + 1 : 0;
  return dx * dx + dy * dy;
}

long long SharedArea(const TRect& a, const TRect& b) {
  TRect shared;
  if (!IntersectRect(shared, a, b)) return 0;
  return static_cast<long long>(shared.Width()) * shared.Height();
}

}  // namespace

std::vector<TMonitor> GetMonitors() {
  if (IWindowBackend* backend = WindowBackend()) return backend->Monitors();
  const TRect screen{0, 0, 1920, 1080};
  return {{screen, screen, true}};
}

TRect VirtualScreen(const std::vector<TMonitor>& monitors) {
  TRect all = monitors.front().Bounds;
  for (const TMonitor& monitor : monitors) UnionRect(all, all, monitor.Bounds);
  return all;
}

std::size_t PrimaryMonitorIndex(const std::vector<TMonitor>& monitors) {
  const auto primary = std::find_if(monitors.begin(), monitors.end(), [](const TMonitor& m) { return m.Primary; });
  return primary == monitors.end() ? 0 : static_cast<std::size_t>(primary - monitors.begin());
}

std::size_t MonitorIndexFromPoint(const std::vector<TMonitor>& monitors, TPoint point) {
  std::size_t nearest = 0;
  long long best = std::numeric_limits<long long>::max();
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const long long distance = DistanceSquared(monitors[i].Bounds, point);
    if (distance < best) best = distance, nearest = i;
  }
  return nearest;
}

std::size_t MonitorIndexFromRect(const std::vector<TMonitor>& monitors, const TRect& rect) {
  std::size_t largest = 0;
  long long best = 0;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const long long area = SharedArea(monitors[i].Bounds, rect);
    if (area > best) best = area, largest = i;
  }
  if (best > 0) return largest;
  return MonitorIndexFromPoint(monitors, {rect.Left + rect.Width() / 2, rect.Top + rect.Height() / 2});
}
