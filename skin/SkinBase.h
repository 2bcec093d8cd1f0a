#pragma once
// Values of the skin layer that its start-up sets and its shut-down puts back.

#include "toolkit/gdi/Color.h"

// The colour of transparent pixels in skin images (magenta).
extern TColor SkinKeyColor;
// The width of a horizontal scroll bar's arrow: SM_CXHSCROLL once the skin
// layer has started, 16 before.
extern int ScrollArrowSize;
