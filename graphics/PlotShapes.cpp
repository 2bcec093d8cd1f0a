#include "graphics/PlotShapes.h"

#include <cmath>

#include "graphics/PixelRound.h"
#include "graphics/RGBColor.h"
#include "toolkit/gdi/Canvas.h"

void DrawSymbolShape(TCanvas& Canvas, TSymbol Symbol, TPoint P, int R) {
  switch (Symbol) {
    case smCircle: Canvas.Ellipse(P.X - R, P.Y - R, P.X + R + 1, P.Y + R + 1); break;
    case smCross:
      Canvas.MoveTo(P.X - R, P.Y - R);
      Canvas.LineTo(P.X + R + 1, P.Y + R + 1);
      Canvas.MoveTo(P.X - R, P.Y + R);
      Canvas.LineTo(P.X + R + 1, P.Y - R - 1);
      break;
    case smSquare: Canvas.Rectangle(P.X - R, P.Y - R, P.X + R + 1, P.Y + R + 1); break;
    case smDiamond: {
      const TPoint corners[] = {{P.X - R, P.Y}, {P.X, P.Y - R}, {P.X + R, P.Y}, {P.X, P.Y + R}};
      Canvas.Polygon(corners);
      break;
    }
    case smNone: break;
  }
}

void DrawArrowShape(TCanvas& Canvas, const TRealPoint& Tail, const TRealPoint& Tip, long double HeadLength,
                    long double HalfWidth) {
  const TPoint tail = ScreenPixel(Tail), tip = ScreenPixel(Tip);
  Canvas.MoveTo(tail.X, tail.Y);
  Canvas.LineTo(tip.X, tip.Y);
  const long double dx = Tip.X - Tail.X, dy = Tip.Y - Tail.Y;
  const long double length = sqrtl(dx * dx + dy * dy);
  if (!(length > 1e-16L)) return;
  const long double ux = dx / length, uy = dy / length;
  const long double nx = uy, ny = -ux;
  const long double bx = Tip.X - HeadLength * ux, by = Tip.Y - HeadLength * uy;
  const TPoint head[] = {ScreenPixel({bx + HalfWidth * nx, by + HalfWidth * ny}), tip,
                         ScreenPixel({bx - HalfWidth * nx, by - HalfWidth * ny})};
  Canvas.Polygon(head);
}

void DrawShaderSwatch(TCanvas& Canvas, const TXData& Data, int X, int Y, int H) {
  const TShader shader = Data.Opts.Shader;
  if (shader < shColourHeight) {
    Canvas.Rectangle(X, Y, X + 32, Y + H);
    return;
  }
  if (shader > shHeightColourLight) return;
  const int middle = Y + H / 2;
  const TRect top = Rect(X, Y, X + 32, middle), bottom = Rect(X, middle, X + 32, Y + H);
  if (shader == shColourHeight) {
    FillGradient(Canvas, top, clWhite, clWhite, Data.Brush.Color, Data.Brush.Color);
    FillGradient(Canvas, bottom, Data.Brush.Color, Data.Brush.Color, clBlack, clBlack);
  } else {
    FillGradient(Canvas, top, clRed, clRed, clYellow, clYellow);
    FillGradient(Canvas, bottom, clLime, clLime, clBlue, clBlue);
  }
  if (Data.Pen.Style != psClear) {
    Canvas.Brush().SetStyle(bsClear);
    Canvas.Rectangle(X, Y, X + 32, Y + H);
  }
}
