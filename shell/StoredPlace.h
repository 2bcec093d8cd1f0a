#pragma once
// A window's place and size as its settings keep them, made safe to use:
// stored settings may come from another screen, an older program or a
// hand edit. Each key beyond the integer range falls back alone to the
// window's design value; each size is bounded to the window's smallest and
// to the work area of the monitor the window lands on; a window wholly off
// every monitor's work area goes back to its design place.

#include <string>

#include "toolkit/base/Rect.h"

// From the open section of Storage: Prefix + "Left", "Top", "Width" and
// "Height", each defaulting to Design's.
TRect ReadStoredPlace(const std::string& prefix, const TRect& design, TSize smallest);
// The same for a window of fixed size: Prefix + "Left" and "Top" only, at
// Design's size.
TRect ReadStoredPosition(const std::string& prefix, const TRect& design);
