#include "toolkit/gdi/FrameControl.h"

#include <algorithm>
#include <array>

#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiObject.h"

namespace {

// Rows of the marks, from the top, bit 0 the leftmost pixel.
constexpr std::array<std::uint16_t, 7> CheckRows{0x40, 0x60, 0x71, 0x3B, 0x1F, 0x0E, 0x04};
constexpr std::array<std::uint16_t, 7> TickRows{0x100, 0x180, 0xC0, 0x61, 0x33, 0x1E, 0x0C};

void Fill(HDC dc, const TRect& r, TColor color) {
  const HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, r, brush);
  DeleteObject(brush);
}

// Top and left edges in one colour, bottom and right in the other.
void Edge(HDC dc, const TRect& r, TColor topLeft, TColor bottomRight) {
  Fill(dc, Rect(r.Left, r.Top, r.Right - 1, r.Top + 1), topLeft);
  Fill(dc, Rect(r.Left, r.Top, r.Left + 1, r.Bottom - 1), topLeft);
  Fill(dc, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), bottomRight);
  Fill(dc, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), bottomRight);
}

TRect Shrunk(TRect r, int by) {
  InflateRect(r, -by, -by);
  return r;
}

void DrawMark(HDC dc, const TRect& inside, TCheckMarkShape shape, TColor color) {
  const auto& rows = shape == cmsCheck ? CheckRows : TickRows;
  const int width = shape == cmsCheck ? 7 : 9;
  const int left = inside.Left + (inside.Width() - width) / 2;
  const int top = inside.Top + (inside.Height() - static_cast<int>(rows.size())) / 2;
  for (size_t row = 0; row < rows.size(); ++row)
    for (int column = 0; column < width; ++column)
      if (rows[row] >> column & 1) SetPixel(dc, left + column, top + static_cast<int>(row), color);
}

// Frame of a box or button: inactive ones show the shadow only; flat is
// one dark line, raised or sunken two lines; hot frames take the hot colour.
void DrawFrame(HDC dc, const TRect& r, UINT state, const TButtonGlyphLook& look, bool raised) {
  const bool flat = state & DFCS_FLAT;
  if (state & DFCS_INACTIVE) {
    Edge(dc, r, look.Shadow, look.Shadow);
    if (!flat) Edge(dc, Shrunk(r, 1), look.Face, look.Face);
    return;
  }
  const TColor dark = state & DFCS_HOT ? look.Hot : look.DarkShadow;
  if (flat) {
    Edge(dc, r, dark, dark);
    // A pushed flat glyph shows a sunken line inside its frame.
    if (state & DFCS_PUSHED) Edge(dc, Shrunk(r, 1), look.Shadow, look.Face);
    return;
  }
  if (raised) {
    Edge(dc, r, look.Highlight, dark);
    Edge(dc, Shrunk(r, 1), look.Face, look.Shadow);
  } else {
    Edge(dc, r, look.Shadow, look.Highlight);
    Edge(dc, Shrunk(r, 1), dark, look.Face);
  }
  // Under the mouse the whole outline takes the hot colour.
  if (state & DFCS_HOT) Edge(dc, r, look.Hot, look.Hot);
}

void DrawBox(HDC dc, const TRect& box, UINT state, const TButtonGlyphLook& look) {
  const int frame = state & DFCS_FLAT && !(state & DFCS_PUSHED) ? 1 : 2;
  const TRect inside = Shrunk(box, frame);
  const bool threeState = (state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED);
  Fill(dc, inside, state & (DFCS_PUSHED | DFCS_INACTIVE) ? look.Face : look.Window);
  DrawFrame(dc, box, state, look, false);
  if (!(state & DFCS_CHECKED)) return;
  const TColor mark = state & DFCS_INACTIVE ? look.Shadow : look.Mark;
  if (threeState)
    Fill(dc, Shrunk(inside, std::max(2, inside.Width() / 3)), mark);
  else
    DrawMark(dc, inside, look.MarkShape, mark);
}

void DrawRadio(HDC dc, const TRect& box, UINT state, const TButtonGlyphLook& look) {
  const bool inactive = state & DFCS_INACTIVE;
  const TColor frame = state & DFCS_HOT ? look.Hot : inactive ? look.Shadow : look.DarkShadow;
  const HPEN pen = CreatePen(PS_SOLID, 1, frame);
  const HBRUSH brush = CreateSolidBrush(state & (DFCS_PUSHED | DFCS_INACTIVE) ? look.Face : look.Window);
  const HGDIOBJ oldPen = SelectObject(dc, pen);
  const HGDIOBJ oldBrush = SelectObject(dc, brush);
  Ellipse(dc, box.Left, box.Top, box.Right, box.Bottom);
  if (!(state & DFCS_FLAT) && !inactive) {
    // The raised look: a second, lit ring inside.
    const HPEN light = CreatePen(PS_SOLID, 1, look.Shadow);
    SelectObject(dc, light);
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1);
    SelectObject(dc, pen);
    DeleteObject(light);
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
  if (state & DFCS_CHECKED) {
    const int side = std::max(2, box.Width() / 3);
    const int left = box.Left + (box.Width() - side) / 2;
    const int top = box.Top + (box.Height() - side) / 2;
    Fill(dc, Bounds(left, top, side, side), inactive ? look.Shadow : look.Mark);
  }
}

void DrawPush(HDC dc, const TRect& box, UINT state, const TButtonGlyphLook& look) {
  Fill(dc, box, look.Face);
  DrawFrame(dc, box, state, look, !(state & DFCS_PUSHED));
}

}  // namespace

TButtonGlyphLook SystemButtonGlyphLook() {
  return {GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNSHADOW),
          GetSysColor(COLOR_3DDKSHADOW),   GetSysColor(COLOR_WINDOW),  GetSysColor(COLOR_WINDOWTEXT),
          GetSysColor(COLOR_HOTLIGHT),     cmsCheck};
}

void DrawButtonGlyph(HDC dc, const TRect& rect, UINT state, const TButtonGlyphLook& look) {
  const int side = std::min(rect.Width(), rect.Height());
  if (side <= 0) return;
  const TRect box = Bounds(rect.Left + (rect.Width() - side) / 2, rect.Top + (rect.Height() - side) / 2, side, side);
  if (state & DFCS_BUTTONPUSH)
    DrawPush(dc, box, state, look);
  else if (state & DFCS_BUTTONRADIO)
    DrawRadio(dc, box, state, look);
  else
    DrawBox(dc, box, state, look);
}

bool DrawFrameControl(HDC dc, const TRect& rect, UINT type, UINT state) {
  if (type != DFC_BUTTON) return false;
  DrawButtonGlyph(dc, rect, state, SystemButtonGlyphLook());
  return true;
}
