#include "skin/adapters/ScrollGeometry.h"

#include <algorithm>
#include <climits>

#include "runtime/MulDiv.h"
#include "skin/SkinBase.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"

namespace {

constexpr WORD BarInStyle = 8;

bool IsVertical(const TSkScrollBar& bar) { return bar.Kind == SB_VERT; }

// The bar's first coordinate and its length along its axis.
int AxisStart(const TSkScrollBar& bar, const TRect& r) { return IsVertical(bar) ? r.Top : r.Left; }
int AxisLength(const TSkScrollBar& bar, const TRect& r) { return IsVertical(bar) ? r.Height() : r.Width(); }

bool Within(int value, int first, int end) { return value >= first && value < end; }

int LimitedTo(int value, int low, int high) { return std::max(std::min(value, high), low); }

int PageOf(const SCROLLINFO& info) { return static_cast<int>(std::min<UINT>(info.nPage, INT_MAX)); }

// How far the position can move: the positions a page can start at, less
// one (nMax - nMin + 1 - max(nPage, 1)); 0 or less when it cannot move.
int PositionRange(const SCROLLINFO& info) { return info.nMax - info.nMin + 1 - std::max(PageOf(info), 1); }

// The skin's arrow buttons set the arrow length only when its left arrow
// asks for it (its section's switch) and has a borders mask.
int SkinArrowLength(const TSkScrollBar& bar, const TSkinManager& skin) {
  constexpr int top = 0, left = 2;  // sides in the cached order top, bottom, left, right
  const TCachedIndexes& cache = skin.CachedIndexes;
  const int leftSection = cache.ScrollButtons[left];
  const int leftBorders = cache.ScrollButtonBorders[left];
  if (!skin.IsSectionIndex(leftSection) || !skin.Section(leftSection).ReservedBoolean ||
      !skin.IsMaskIndex(leftBorders))
    return ScrollArrowSize;
  if (!IsVertical(bar)) return std::max(ScrollArrowSize, MaskFrameWidth(skin.Masks[leftBorders]));
  const int topBorders = cache.ScrollButtonBorders[top];
  if (!skin.IsMaskIndex(topBorders)) return ScrollArrowSize;
  return std::max(ScrollArrowSize, MaskFrameHeight(skin.Masks[topBorders]));
}

// Records whether the style shows the bar and shows it when room (the
// client's extent across the bar) holds it; answers its thickness then.
int ShowBar(TSkScrollBar& bar, bool inStyle, int room) {
  bar.StyleFlags = inStyle ? BarInStyle : 0;
  const int thickness = BarMetric(bar, bmThickness);
  bar.Shown = inStyle && room >= thickness;
  return bar.Shown ? thickness : 0;
}

}  // namespace

int BarMetric(const TSkScrollBar& bar, TBarMetric metric, const TSkinManager* skin) {
  if (metric == bmThickness) {
    if (bar.BarWidth >= 0) return bar.BarWidth;
    return -bar.BarWidth * GetSystemMetrics(IsVertical(bar) ? SM_CXVSCROLL : SM_CYHSCROLL);
  }
  if (bar.ArrowLength >= 0) return bar.ArrowLength;
  return -bar.ArrowLength * (skin ? SkinArrowLength(bar, *skin) : ScrollArrowSize);
}

int ShownThickness(const TSkScrollBar& bar) { return bar.Shown ? BarMetric(bar, bmThickness) : 0; }

void ReserveScrollBars(TScrollBarLayout& layout, DWORD style, const TRect& windowRect, TRect& client) {
  layout.EdgeLeft = client.Left - windowRect.Left;
  layout.EdgeRight = windowRect.Right - client.Right;
  layout.EdgeTop = client.Top - windowRect.Top;
  layout.EdgeBottom = windowRect.Bottom - client.Bottom;
  client.Bottom -= ShowBar(layout.HorzBar, style & WS_HSCROLL, client.Height());
  const int vertical = ShowBar(layout.VertBar, style & WS_VSCROLL, client.Width());
  if (layout.LeftScrollBar)
    client.Left += vertical;
  else
    client.Right -= vertical;
}

TRect HorzBarRect(const TScrollBarLayout& layout, const TRect& windowRect) {
  const int vertical = ShownThickness(layout.VertBar);
  TRect r;
  r.Left = windowRect.Left + layout.EdgeLeft + (layout.LeftScrollBar ? vertical : 0);
  r.Right = windowRect.Right - layout.EdgeRight - (layout.LeftScrollBar ? 0 : vertical);
  r.Bottom = windowRect.Bottom - layout.EdgeBottom;
  r.Top = r.Bottom - ShownThickness(layout.HorzBar);
  return r;
}

TRect VertBarRect(const TScrollBarLayout& layout, const TRect& windowRect) {
  const int vertical = ShownThickness(layout.VertBar);
  TRect r;
  r.Top = windowRect.Top + layout.EdgeTop;
  r.Bottom = windowRect.Bottom - ShownThickness(layout.HorzBar) - layout.EdgeBottom;
  if (layout.LeftScrollBar) {
    r.Left = windowRect.Left + layout.EdgeLeft;
    r.Right = r.Left + vertical;
  } else {
    r.Right = windowRect.Right - layout.EdgeRight;
    r.Left = r.Right - vertical;
  }
  return r;
}

std::optional<TRect> BarRect(const TScrollBarLayout& layout, int kind, const TRect& windowRect) {
  if (kind == SB_HORZ) return HorzBarRect(layout, windowRect);
  if (kind == SB_VERT) return VertBarRect(layout, windowRect);
  return std::nullopt;
}

bool GripCornerApplies(const TScrollBarLayout& layout, HWND window, const TRect& corner) {
  const HWND parent = GetParent(window);
  if (!parent || GetParent(parent)) return false;
  TRect client;
  if (!GetClientRect(parent, client)) return false;
  TPoint corners[2] = {client.TopLeft(), client.BottomRight()};
  MapWindowPoints(parent, nullptr, corners, 2);
  if (corner.Bottom + layout.EdgeBottom != corners[1].Y) return false;
  if (layout.LeftScrollBar) return corner.Left - layout.EdgeLeft == corners[0].X;
  return corner.Right + layout.EdgeRight == corners[1].X;
}

TThumbPlace CalcThumb(const TSkScrollBar& bar, const TRect& barRect) {
  const int arrow = BarMetric(bar, bmArrowLength);
  const int track = AxisLength(bar, barRect) - 2 * arrow;
  const SCROLLINFO& info = bar.Info;
  TThumbPlace thumb{AxisStart(bar, barRect) + arrow, 0};
  // An empty range has no thumb, whatever its page.
  const int count = info.nMax - info.nMin + 1;
  if (count <= 0) return thumb;
  thumb.Length = info.nPage == 0 ? arrow : std::max(MulDiv(PageOf(info), track, count), bar.MinThumbSize);
  const int range = PositionRange(info);
  if (range > 0)
    thumb.Start += LimitedTo(MulDiv(info.nPos - info.nMin, track - thumb.Length, range), 0, track - thumb.Length);
  return thumb;
}

int HitTestBar(const TSkScrollBar& bar, const TRect& barRect, TPoint point) {
  if (bar.Kind != SB_HORZ && bar.Kind != SB_VERT) return spNone;
  const bool vertical = IsVertical(bar);
  if (vertical ? !Within(point.X, barRect.Left, barRect.Right) : !Within(point.Y, barRect.Top, barRect.Bottom))
    return spNone;
  const int along = vertical ? point.Y : point.X;
  const int first = AxisStart(bar, barRect), length = AxisLength(bar, barRect), end = first + length;
  const int fullArrow = BarMetric(bar, bmArrowLength);
  const int track = length - 2 * fullArrow;
  // A bar too short for both arrows is split between them.
  const int arrow = 2 * fullArrow >= length ? length / 2 : fullArrow;
  if (Within(along, first, first + arrow)) return spFirstArrow;
  if (Within(along, end - arrow, end)) return spSecondArrow;
  const TThumbPlace thumb = CalcThumb(bar, barRect);
  if (thumb.Length <= 0 || thumb.Length >= track) return spNone;  // the track is dead
  if (Within(along, thumb.Start, thumb.Start + thumb.Length)) return spThumb;
  if (Within(along, first + arrow, thumb.Start)) return spTrackBefore;
  if (Within(along, thumb.Start + thumb.Length, end - arrow)) return spTrackAfter;
  return spNone;
}

TThumbDrag DragThumb(const TSkScrollBar& bar, const TRect& barRect, int thumbLength, int wantedStart) {
  const int arrow = BarMetric(bar, bmArrowLength);
  const int trackStart = AxisStart(bar, barRect) + arrow;
  const int travel = AxisLength(bar, barRect) - 2 * arrow - thumbLength;
  const int offset = LimitedTo(wantedStart - trackStart, 0, travel);
  const int range = PositionRange(bar.Info);
  TThumbDrag drag{trackStart + offset, bar.Info.nMin};
  if (range > 0 && travel > 0) drag.Position += LimitedTo(MulDiv(offset, range, travel), 0, range);
  return drag;
}
