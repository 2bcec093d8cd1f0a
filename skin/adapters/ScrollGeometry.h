#pragma once
// Where the emulated scroll bars of a window lie, how long their thumbs are
// and where they stand, which part of a bar a point falls on, and what
// position a dragged thumb stands for. The window keeps its real scroll
// bars (style and scroll information); the emulated ones take their space
// in its non-client area. Plain values in, plain values out: the scroll-bar
// adapter reads the window and feeds them.

#include <optional>

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/ScrollBar.h"

class TSkinManager;

// Part codes: what hit testing answers, what is drawn pressed or hot, and
// the scroll request sent to the window.
constexpr int spFirstArrow = SB_LINEUP;  // left or up
constexpr int spSecondArrow = SB_LINEDOWN;
constexpr int spTrackBefore = SB_PAGEUP;
constexpr int spTrackAfter = SB_PAGEDOWN;
constexpr int spThumb = SB_THUMBTRACK;
constexpr int spNone = -1;

// One emulated bar. A negative ArrowLength or BarWidth is a multiple of the
// standard size (-1: the standard size).
struct TSkScrollBar {
  WORD StyleFlags = 0;  // 8 while the window style shows this bar
  bool Shown = false;   // the bar takes space now (decided when the frame is measured)
  SCROLLINFO Info{.fMask = SIF_ALL};
  int ArrowLength = -1;
  int BarWidth = -1;
  WORD Kind = SB_HORZ;  // SB_HORZ or SB_VERT
  int MinThumbSize = 10;
};

// The two bars of a window and the frame they sit inside: the widths of the
// window's own frame on each side, measured with the bars hidden from it.
struct TScrollBarLayout {
  TSkScrollBar HorzBar{.Kind = SB_HORZ};
  TSkScrollBar VertBar{.Kind = SB_VERT};
  bool LeftScrollBar = false;  // WS_EX_LEFTSCROLLBAR: the vertical bar is on the left
  int EdgeLeft = 0;
  int EdgeRight = 0;
  int EdgeTop = 0;
  int EdgeBottom = 0;
};

enum TBarMetric { bmArrowLength, bmThickness };

// The arrow length along the bar or the bar's thickness, in pixels. With a
// skin, an arrow is as long as the skin's arrow buttons are (never shorter
// than the standard): only drawing asks so; geometry, hit testing and the
// thumb use the plain length (skin null).
int BarMetric(const TSkScrollBar& bar, TBarMetric metric, const TSkinManager* skin = nullptr);
// The bar's thickness while it is shown, else 0.
int ShownThickness(const TSkScrollBar& bar);

// Steps in after the window's own procedure has measured its frame with the
// scroll bars taken out of its style: records the frame's edges from the
// window rectangle and the client rectangle it left, decides which bars
// are shown (those of the style that fit) and takes their space from client.
void ReserveScrollBars(TScrollBarLayout& layout, DWORD style, const TRect& windowRect, TRect& client);

// The bars' rectangles, in the coordinates of windowRect (screen ones for
// GetWindowRect); a bar that is not shown is empty across.
TRect HorzBarRect(const TScrollBarLayout& layout, const TRect& windowRect);
TRect VertBarRect(const TScrollBarLayout& layout, const TRect& windowRect);
// Nothing for a kind other than SB_HORZ and SB_VERT.
std::optional<TRect> BarRect(const TScrollBarLayout& layout, int kind, const TRect& windowRect);

// The corner between the bars (screen coordinates) gets a size grip only
// when it meets the corner of the client area of the top-level window the
// window sits directly on.
bool GripCornerApplies(const TScrollBarLayout& layout, HWND window, const TRect& corner);

// Along the bar: where the thumb starts (in the coordinates of barRect) and
// how long it is; Length 0: no thumb (an empty range).
struct TThumbPlace {
  int Start = 0;
  int Length = 0;
};
TThumbPlace CalcThumb(const TSkScrollBar& bar, const TRect& barRect);

// The part of the bar under point (same coordinates as barRect). A bar
// shorter than its two arrows is all arrows, half each; a track with no
// thumb or no room beside it answers spNone.
int HitTestBar(const TSkScrollBar& bar, const TRect& barRect, TPoint point);

// A thumb of thumbLength dragged so that it would start at wantedStart:
// where it comes to rest (inside the track) and the position that stands
// for, the inverse of CalcThumb: nMin at the track's start, the last
// position a page can start at (nMax - max(nPage, 1) + 1) at its end.
struct TThumbDrag {
  int Start = 0;
  int Position = 0;
};
TThumbDrag DragThumb(const TSkScrollBar& bar, const TRect& barRect, int thumbLength, int wantedStart);
