#include "skin/adapters/ButtonGeometry.h"

#include <algorithm>

TRect CenteredCaptionRect(TSize window, TSize text, bool pushed) {
  const int dx = (window.cx - text.cx) / 2;
  const int dy = (window.cy - text.cy) / 2;
  TRect r{dx - 1, dy, window.cx - dx + 2, window.cy - dy};
  if (pushed) OffsetRect(r, 1, 1);
  return r;
}

TRect BitBtnGlyphRect(TButtonLayout layout, TSize window, TSize glyph, TSize text, int spacing, bool pushed) {
  const int s = glyph.cx > 0 && text.cx > 0 ? spacing : 0;
  const int gw = glyph.cx, gh = glyph.cy, tw = text.cx, th = text.cy;
  int left = (window.cx - gw) / 2 + 1;
  int top = (window.cy - gh) / 2;
  switch (layout) {
    case blGlyphLeft: left = (window.cx - gw - tw - s) / 2; break;
    case blGlyphRight: left = (window.cx + s + tw - gw) / 2; break;
    case blGlyphTop: top = (window.cy - gh - th - s) / 2; break;
    case blGlyphBottom: top = window.cy - (window.cy - gh - th - s) / 2 - gh; break;
  }
  if (pushed) {
    ++left;
    ++top;
  }
  return {left, top, left + gw, top + gh};
}

TRect CaptionGlyphRect(const TRect& caption, TSize window, TSize glyph, bool pushed) {
  if (glyph.cx <= 0) return {};
  const int top = (window.cy - glyph.cy) / 2 + (pushed ? 1 : 0);
  return {caption.Left - glyph.cx - 2, top, caption.Left - 2, top + glyph.cy};
}

// Two glyphs are up and disabled: a pushed button keeps the up one.
int BitBtnGlyphFrame(int numGlyphs, bool pushed, bool enabled) {
  if (!enabled) return numGlyphs >= 2 ? 1 : 0;
  if (pushed && numGlyphs != 2) return std::clamp(numGlyphs, 1, 4) - 1;
  return 0;
}
