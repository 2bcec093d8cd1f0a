#include "skin/paint/FrameRoutines.h"

#include "toolkit/controls/GraphicControl.h"
#include "toolkit/controls/WinControl.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"

void BlitFrame(HDC dstDC, int x, int y, int width, int height, HDC srcDC, int srcX, int srcY, int border) {
  auto band = [&](int left, int top, int bandWidth, int bandHeight) {
    BitBlt(dstDC, x + left, y + top, bandWidth, bandHeight, srcDC, srcX + left, srcY + top, SRCCOPY);
  };
  band(0, 0, border, height);
  band(border, 0, width - border, border);
  band(width - border, border, border, height - border);
  band(border, height - border, width - 2 * border, border);
}

void ExcludeGraphicChildren(HDC dc, TWinControl* parent, int offsetX, int offsetY) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    const TControl* child = parent->Controls(i);
    if (!child->Visible() || !dynamic_cast<const TGraphicControl*>(child)) continue;
    ExcludeClipRect(dc, child->Left() + offsetX, child->Top() + offsetY, child->Left() + child->Width() + offsetX,
                    child->Top() + child->Height() + offsetY);
  }
}

void DrawBevelFrames(HDC dc, TRect& r, TColor topLeftColor, TColor bottomRightColor, int& width) {
  const HPEN topLeft = CreatePen(PS_SOLID, 1, ColorToRGB(topLeftColor));
  const HPEN bottomRight = CreatePen(PS_SOLID, 1, bottomRightColor);
  const HGDIOBJ oldPen = SelectObject(dc, topLeft);
  const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  // The frames run on the last row and column inside r.
  --r.Bottom;
  --r.Right;
  for (; width > 0; --width) {
    SelectObject(dc, topLeft);
    const TPoint upper[] = {{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}};
    Polyline(dc, upper, 3);
    SelectObject(dc, bottomRight);
    const TPoint lower[] = {{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}};
    Polyline(dc, lower, 3);
    InflateRect(r, -1, -1);
  }
  ++r.Bottom;
  ++r.Right;
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(topLeft);
  DeleteObject(bottomRight);
}

void DrawDottedFrame(TCanvas& canvas, const TRect& r) {
  constexpr TColor Black = 0;
  constexpr TColor White = 0x00FFFFFF;
  for (int i = 0; i <= r.Width() / 3; ++i) {
    const int x = r.Left + 3 * i;
    canvas.SetPixel(x, r.Top, Black);
    canvas.SetPixel(x, r.Bottom, Black);
    canvas.SetPixel(x - 1, r.Top - 1, White);
    canvas.SetPixel(x - 1, r.Bottom - 1, White);
  }
  for (int j = 0; j <= r.Height() / 3; ++j) {
    const int y = r.Top + 3 * j;
    canvas.SetPixel(r.Left, y, Black);
    canvas.SetPixel(r.Right, y, Black);
    canvas.SetPixel(r.Left - 1, y - 1, White);
    canvas.SetPixel(r.Right - 1, y - 1, White);
  }
}
