#include "skin/adapters/TabGeometry.h"

#include "toolkit/win/ControlMessages.h"

TTabOrientation TabOrientationOf(DWORD style) {
  if (style & TCS_VERTICAL) return style & TCS_RIGHT ? toRight : toLeft;
  return style & TCS_BOTTOM ? toBottom : toTop;
}

TTabStyle TabStyleOf(DWORD style) {
  if (style & TCS_FLATBUTTONS) return tsFlatButtons;
  return style & TCS_BUTTONS ? tsButtons : tsTabs;
}

TRect AdjustTabRect(TRect r, TTabOrientation orientation, TTabStyle style, bool active) {
  if (style != tsTabs || r.Left == r.Right) return r;
  const int a = active ? 1 : 0;
  if (active) {
    r.Bottom -= 1;
  } else {
    r.Bottom += 3;
    r.Right -= 1;
  }
  switch (orientation) {
    case toTop:
      InflateRect(r, 2 * a, 2 * a);
      r.Bottom += 1;
      break;
    case toBottom:
      InflateRect(r, 2 * a, a);
      r.Top -= 2;
      r.Bottom += active ? 1 : -3;
      break;
    case toLeft:
      InflateRect(r, 0, 1);
      r.Right += 2;
      if (active) {
        InflateRect(r, 1, 1);
      } else {
        r.Bottom -= 4;
        r.Right += 2;
      }
      break;
    case toRight:
      InflateRect(r, 1, 0);
      OffsetRect(r, -1, -1);
      if (active) {
        InflateRect(r, 1, 1);
        r.Bottom += 3;
      } else {
        r.Bottom -= 2;
      }
      break;
  }
  return r;
}

TRect DisplayRectFromAdjusted(const TRect& adjusted) {
  TRect r = adjusted;
  r.Top += 2;
  return r;
}

TRect PageRectOf(TSize window, const TRect& display, TTabOrientation orientation, bool hasTabs) {
  TRect r{0, 0, window.cx, window.cy};
  if (!hasTabs) return r;
  switch (orientation) {
    case toTop: r.Top = display.Top - 4; break;
    case toBottom: r.Bottom = display.Bottom + 1; break;
    case toLeft: r.Left = display.Left - 1; break;
    case toRight: r.Right = display.Right + 1; break;
  }
  return r;
}

TRect StripRectOf(TSize window, const TRect& display, TTabOrientation orientation, bool hasTabs) {
  TRect r{0, 0, window.cx, window.cy};
  if (!hasTabs) return r;
  switch (orientation) {
    case toTop: r.Bottom = display.Top - 4; break;
    case toBottom: r.Top = display.Bottom + 1; break;
    case toLeft: r.Right = display.Left - 1; break;
    case toRight: r.Left = display.Right + 1; break;
  }
  return r;
}

int TabRowOf(const TRect& item, const TRect& strip, TTabOrientation orientation, int rows) {
  const int w = item.Width(), h = item.Height();
  if (rows < 2 || w <= 0 || h <= 0) return 1;
  switch (orientation) {
    case toTop: return (h / 2 + item.Bottom) / h;
    case toLeft: return (w / 2 + item.Right) / w;
    case toRight: return rows - (item.Right + w / 2 - strip.Left) / w + 1;
    case toBottom: return rows - (item.Bottom + h / 2 - strip.Top) / h + 1;
  }
  return 1;
}

TPageStrip PageStripOf(TTabOrientation orientation, TSize page, TPoint pos) {
  switch (orientation) {
    case toBottom: return {Bounds(0, page.cy - 3, page.cx, 3), {pos.X, pos.Y + page.cy - 3}};
    case toLeft: return {Bounds(0, 0, 3, page.cy), pos};
    case toRight: return {Bounds(page.cx - 3, 0, 3, page.cy), {pos.X + page.cx - 3, pos.Y}};
    case toTop: break;
  }
  return {Bounds(0, 0, page.cx, 3), pos};
}
