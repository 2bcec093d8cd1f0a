#include "toolkit/win/Edges.h"

#include "toolkit/gdi/Gdi.h"

namespace {

struct TBorderColors {
  int TopLeft;
  int BottomRight;
};

// The colours of one border of the edge; outer is 0 for the outer border, 1 for the inner.
TBorderColors ColorsOf(UINT edge, int border, UINT flags) {
  if (flags & BF_MONO) return {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
  if (flags & BF_FLAT) return {COLOR_BTNSHADOW, COLOR_BTNSHADOW};
  const bool raised = border == 0 ? (edge & BDR_RAISEDOUTER) != 0 : (edge & BDR_RAISEDINNER) != 0;
  if (border == 0)
    return raised ? TBorderColors{COLOR_3DLIGHT, COLOR_3DDKSHADOW} : TBorderColors{COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
  return raised ? TBorderColors{COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW} : TBorderColors{COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

void DrawBorder(HDC dc, TRect& rect, TBorderColors colors, UINT flags) {
  const HBRUSH topLeft = GetSysColorBrush(colors.TopLeft);
  const HBRUSH bottomRight = GetSysColorBrush(colors.BottomRight);
  if (flags & BF_BOTTOM) FillRect(dc, {rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, bottomRight);
  if (flags & BF_RIGHT) FillRect(dc, {rect.Right - 1, rect.Top, rect.Right, rect.Bottom}, bottomRight);
  if (flags & BF_TOP) FillRect(dc, {rect.Left, rect.Top, rect.Right - ((flags & BF_RIGHT) ? 1 : 0), rect.Top + 1}, topLeft);
  if (flags & BF_LEFT)
    FillRect(dc, {rect.Left, rect.Top, rect.Left + 1, rect.Bottom - ((flags & BF_BOTTOM) ? 1 : 0)}, topLeft);
  if (flags & BF_LEFT) ++rect.Left;
  if (flags & BF_TOP) ++rect.Top;
  if (flags & BF_RIGHT) --rect.Right;
  if (flags & BF_BOTTOM) --rect.Bottom;
}

}  // namespace

bool DrawEdge(HDC dc, TRect& rect, UINT edge, UINT flags) {
  if (!dc) return false;
  TRect inside = rect;
  if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) DrawBorder(dc, inside, ColorsOf(edge, 0, flags), flags);
  if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) DrawBorder(dc, inside, ColorsOf(edge, 1, flags), flags);
  if ((flags & BF_MIDDLE) && !IsRectEmpty(inside)) FillRect(dc, inside, GetSysColorBrush(COLOR_BTNFACE));
  if (flags & BF_ADJUST) rect = inside;
  return true;
}
