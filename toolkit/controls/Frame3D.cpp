#include "toolkit/controls/Frame3D.h"

#include "toolkit/gdi/Bitmap.h"

void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  canvas.Pen().SetWidth(1);
  for (int ring = 0; ring < width && !IsRectEmpty(rect); ++ring) {
    const int right = rect.Right - 1;
    const int bottom = rect.Bottom - 1;
    // Lines leave out their end point: each corner belongs to one colour.
    const TPoint lit[] = {{rect.Left, bottom}, {rect.Left, rect.Top}, {right, rect.Top}};
    const TPoint shaded[] = {{right, rect.Top}, {right, bottom}, {rect.Left - 1, bottom}};
    canvas.Pen().SetColor(topColor);
    canvas.Polyline(lit);
    canvas.Pen().SetColor(bottomColor);
    canvas.Polyline(shaded);
    InflateRect(rect, -1, -1);
  }
}

void FillCheckedPattern(TCanvas& canvas, const TRect& rect) {
  TBitmap pattern(8, 8, pf24bit);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pattern.Canvas().SetPixel(x, y, ColorToRGB((x + y) % 2 ? clBtnFace : clBtnHighlight));
  canvas.Brush().SetBitmap(&pattern);
  canvas.FillRect(rect);
  canvas.Brush().SetBitmap(nullptr);
}
