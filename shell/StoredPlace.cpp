#include "shell/StoredPlace.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "runtime/Storage.h"
#include "toolkit/win/Monitors.h"

namespace {

struct TPlace {
  int Left, Top, Width, Height;
};

int ReadKey(const std::string& key, int fallback) {
  const std::int64_t stored = Storage->ReadInteger(key, fallback);
  const bool fits = stored >= std::numeric_limits<int>::min() && stored <= std::numeric_limits<int>::max();
  return fits ? static_cast<int>(stored) : fallback;
}

// In 64 bits: a place near the end of the integer range overflows in 32.
bool Overlaps(const TRect& area, const TPlace& place) {
  const std::int64_t right = std::int64_t{place.Left} + place.Width;
  const std::int64_t bottom = std::int64_t{place.Top} + place.Height;
  return place.Left < area.Right && right > area.Left && place.Top < area.Bottom && bottom > area.Top;
}

bool OnSomeMonitor(const std::vector<TMonitor>& monitors, const TPlace& place) {
  return std::any_of(monitors.begin(), monitors.end(),
                     [&](const TMonitor& monitor) { return Overlaps(monitor.WorkArea, place); });
}

int Bounded(int size, int smallest, int largest) { return std::max(smallest, std::min(size, largest)); }

TRect UsablePlace(TPlace place, const TRect& design, TSize smallest) {
  const std::vector<TMonitor> monitors = GetMonitors();
  if (!OnSomeMonitor(monitors, place)) {
    place.Left = design.Left;
    place.Top = design.Top;
  }
  const TRect area = monitors[MonitorIndexFromPoint(monitors, {place.Left, place.Top})].WorkArea;
  return Bounds(place.Left, place.Top, Bounded(place.Width, smallest.cx, area.Width()),
                Bounded(place.Height, smallest.cy, area.Height()));
}

}  // namespace

TRect ReadStoredPlace(const std::string& prefix, const TRect& design, TSize smallest) {
  return UsablePlace({ReadKey(prefix + "Left", design.Left), ReadKey(prefix + "Top", design.Top),
                      std::max(ReadKey(prefix + "Width", design.Width()), smallest.cx),
                      std::max(ReadKey(prefix + "Height", design.Height()), smallest.cy)},
                     design, smallest);
}

TRect ReadStoredPosition(const std::string& prefix, const TRect& design) {
  return UsablePlace({ReadKey(prefix + "Left", design.Left), ReadKey(prefix + "Top", design.Top), design.Width(),
                      design.Height()},
                     design, {design.Width(), design.Height()});
}
