// Shapes through QPainter with the platform's pixel rules: aliased drawing,
// outlines through the pixels of the shape's left/top .. right-1/bottom-1
// bounds, and fills sampled at pixel centres inside that outline. One-pixel
// lines are rasterised by our own code (CosmeticLine), which leaves out the
// end point whichever way a line runs; the painter's own lines do not.

#include "toolkit/qt/QtPainter.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <functional>
#include <vector>

#include "toolkit/gdi/BrushPixels.h"
#include "toolkit/gdi/CosmeticLine.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/MetafileRecorder.h"
#include "toolkit/qt/QtBitmap.h"

struct TPaintSession {
  TGdiBitmap* Bitmap = nullptr;
  QImage Image;
  QPainter Painter;
  bool Shadow = false;  // Image is a converted copy, written back at the end
  unsigned ConfiguredSerial = 0;
};

namespace {

QPainter::CompositionMode CompositionOf(int rop2) {
  switch (rop2) {
    case R2_BLACK: return QPainter::RasterOp_ClearDestination;
    case R2_WHITE: return QPainter::RasterOp_SetDestination;
    case R2_NOT: return QPainter::RasterOp_NotDestination;
    case R2_NOTCOPYPEN: return QPainter::RasterOp_NotSource;
    case R2_XORPEN: return QPainter::RasterOp_SourceXorDestination;
    case R2_NOTXORPEN: return QPainter::RasterOp_NotSourceXorDestination;
    case R2_MASKPEN: return QPainter::RasterOp_SourceAndDestination;
    case R2_NOTMASKPEN: return QPainter::RasterOp_NotSourceOrNotDestination;
    case R2_MERGEPEN: return QPainter::RasterOp_SourceOrDestination;
    case R2_NOTMERGEPEN: return QPainter::RasterOp_NotSourceAndNotDestination;
    case R2_MASKNOTPEN: return QPainter::RasterOp_NotSourceAndDestination;
    case R2_MASKPENNOT: return QPainter::RasterOp_SourceAndNotDestination;
    case R2_MERGENOTPEN: return QPainter::RasterOp_NotSourceOrDestination;
    case R2_MERGEPENNOT: return QPainter::RasterOp_SourceOrNotDestination;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

// Surface = logical + this.
QPoint Translation(const TDeviceContext& dc) {
  const TPoint t = dc.ToDevice(TPoint{0, 0});
  return {t.X + dc.Origin().X, t.Y + dc.Origin().Y};
}

TPaintSession& SessionFor(TGdiBitmap& bitmap) {
  if (TPaintSession* session = bitmap.Session()) return *session;
  auto* session = new TPaintSession;
  session->Bitmap = &bitmap;
  session->Shadow = bitmap.Format() != pf32bit && bitmap.Format() != pf24bit;
  session->Image = ImageView(bitmap);
  // A surface without pixels (a window of no width) draws nothing, on a
  // scratch pixel that is thrown away, rather than on a painter that never began.
  if (session->Image.isNull()) {
    session->Image = QImage(1, 1, QImage::Format_ARGB32);
    session->Shadow = false;
  }
  bitmap.SetSession(session);
  session->Painter.begin(&session->Image);
  return *session;
}

void Configure(TPaintSession& session, const TDeviceContext& dc) {
  QPainter& p = session.Painter;
  p.resetTransform();
  QRegion clip;
  for (const TRect& r : dc.SurfaceClip().Rects()) clip += QRect(r.Left, r.Top, r.Width(), r.Height());
  p.setClipRegion(clip);
  p.setTransform(QTransform::fromTranslate(Translation(dc).x(), Translation(dc).y()));
  p.setRenderHint(QPainter::Antialiasing, false);
  session.ConfiguredSerial = dc.GeometrySerial();
}

bool IsDrawing(HDC dc) { return dc && dc->State().Rop2 != R2_NOP; }

QList<qreal> DashesOf(int style) {
  const std::span<const int> dashes = CosmeticDashes(style);
  return QList<qreal>(dashes.begin(), dashes.end());
}

QPen QPenOf(const TGdiPen& pen, TColor color) {
  QPen qpen(QColorOf(color));
  qpen.setWidth(pen.IsCosmetic() ? 0 : pen.Width);
  qpen.setCapStyle(pen.IsCosmetic() ? Qt::FlatCap : Qt::RoundCap);
  qpen.setJoinStyle(pen.IsCosmetic() ? Qt::MiterJoin : Qt::RoundJoin);
  return qpen;
}

// Strokes with the selected pen; dashes leave their gaps alone in
// TRANSPARENT mode and fill them with the background colour in OPAQUE mode.
template <class Stroke>
void StrokeWithPen(HDC dc, Stroke stroke) {
  const TGdiPen& pen = *dc->State().Pen;
  if (pen.Style == PS_NULL) return;
  QPainter& p = PainterFor(*dc);
  p.setCompositionMode(CompositionOf(dc->State().Rop2));
  p.setBrush(Qt::NoBrush);
  QPen qpen = QPenOf(pen, pen.Color);
  if (!CosmeticDashes(pen.Style).empty() && pen.IsCosmetic()) {
    if (dc->State().BkMode == OPAQUE) {
      p.setPen(QPenOf(pen, dc->State().BkColor));
      stroke(p);
    }
    qpen.setDashPattern(DashesOf(pen.Style));
  }
  p.setPen(qpen);
  stroke(p);
}

QBrush QBrushOf(const TBrushPixels& pixels) {
  if (pixels.IsSolid() && !pixels.HasTransparency()) return QBrush(QColor::fromRgb(pixels.Tile[0]));
  QImage tile(pixels.Width, pixels.Height, QImage::Format_ARGB32);
  for (int y = 0; y < pixels.Height; ++y)
    for (int x = 0; x < pixels.Width; ++x) tile.setPixel(x, y, pixels.Tile[std::size_t(y) * pixels.Width + x]);
  return QBrush(tile);
}

// Fills with the selected brush, its pattern anchored at the brush origin.
template <class Fill>
void FillWithBrush(HDC dc, Fill fill) {
  const TBrushPixels pixels = BrushPixels(*dc, *dc->State().Brush);
  if (pixels.IsNull) return;
  QPainter& p = PainterFor(*dc);
  p.setCompositionMode(CompositionOf(dc->State().Rop2));
  const QPoint t = Translation(*dc);
  p.setPen(Qt::NoPen);
  p.setBrush(QBrushOf(pixels));
  p.setBrushOrigin(pixels.Origin.X - t.x(), pixels.Origin.Y - t.y());
  fill(p);
}

// Outlines are stroked in pixel coordinates (the point (x, y) lights pixel
// (x, y)) with the painter's own shape calls; fills sample pixel centres, so
// a fill just inside an outline is the outline's shape moved by half a pixel.
struct TShape {
  std::function<void(QPainterPath&, const QRectF&)> AddTo;
  std::function<void(QPainter&, const QRect&)> Stroke;
};

bool HasOutline(HDC dc) { return dc->State().Pen->Style != PS_NULL; }

// The outline runs through the pixels left .. right-1 and top .. bottom-1;
// an inside frame is pulled in so that the whole pen stays inside.
QRect OutlineRect(HDC dc, int left, int top, int right, int bottom) {
  const TGdiPen& pen = *dc->State().Pen;
  QRect r(QPoint(left, top), QPoint(right - 2, bottom - 2));
  if (pen.Style == PS_INSIDEFRAME && !pen.IsCosmetic()) {
    const int inset = pen.Width / 2;
    r.adjust(inset, inset, -inset, -inset);
  }
  return r;
}

// Draws a shape given by its bounding rectangle, in any corner order.
// Without a pen the fill reaches one pixel less to the right and bottom, as
// the platform does.
bool DrawBoxShape(HDC dc, int left, int top, int right, int bottom, bool isRectangle, const TShape& shape) {
  if (!dc) return false;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  if (!IsDrawing(dc) || right <= left || bottom <= top) return true;
  // Corners rather than sizes: the ends may lie anywhere in the int range.
  const double inset = isRectangle ? 1 : 0.5;
  const QRectF outlined(QPointF(left + inset, top + inset), QPointF(right - inset, bottom - inset));
  QPainterPath fill;
  shape.AddTo(fill, HasOutline(dc) ? outlined : QRectF(QPointF(left, top), QPointF(right - 1.0, bottom - 1.0)));
  FillWithBrush(dc, [&](QPainter& p) { p.drawPath(fill); });
  const QRect outline = OutlineRect(dc, left, top, right, bottom);
  StrokeWithPen(dc, [&](QPainter& p) { shape.Stroke(p, outline); });
  return true;
}

std::vector<QPoint> QPointsOf(const TPoint* points, int count) {
  std::vector<QPoint> result(count);
  for (int i = 0; i < count; ++i) result[i] = {points[i].X, points[i].Y};
  return result;
}

}  // namespace

QColor QColorOf(TColor color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

void TPaintSessionDeleter::operator()(TPaintSession* session) const {
  session->Painter.end();
  if (session->Shadow) StoreImage(*session->Bitmap, session->Image);
  delete session;
}

QPainter& PainterFor(TDeviceContext& dc) {
  TPaintSession& session = SessionFor(dc.Surface());
  if (session.ConfiguredSerial != dc.GeometrySerial()) Configure(session, dc);
  return session.Painter;
}

void ForgetPainterState(TDeviceContext& dc) {
  if (TPaintSession* session = dc.Surface().Session()) session->ConfiguredSerial = 0;
}

bool MoveToEx(HDC dc, int x, int y, TPoint* old) {
  if (!dc) return false;
  if (old) *old = dc->State().CurrentPos;
  dc->ChangeState().CurrentPos = {x, y};
  return true;
}

bool LineTo(HDC dc, int x, int y) {
  if (!dc) return false;
  const TPoint from = dc->State().CurrentPos;
  if (TMetafileRecorder* recorder = dc->Recorder()) recorder->Line(*dc, from, {x, y});
  else if (dc->State().Pen->IsCosmetic()) DrawCosmeticLine(dc, from, {x, y});
  else if (IsDrawing(dc)) StrokeWithPen(dc, [&](QPainter& p) { p.drawLine(QPoint(from.X, from.Y), QPoint(x, y)); });
  dc->ChangeState().CurrentPos = {x, y};
  return true;
}

bool Polyline(HDC dc, const TPoint* points, int count) {
  if (!dc || count < 2 || !points) return false;
  if (TMetafileRecorder* recorder = dc->Recorder()) {
    recorder->Polyline(*dc, {points, std::size_t(count)});
  } else if (dc->State().Pen->IsCosmetic()) {
    for (int i = 1; i < count; ++i) DrawCosmeticLine(dc, points[i - 1], points[i]);
  } else if (IsDrawing(dc)) {
    const std::vector<QPoint> qpoints = QPointsOf(points, count);
    StrokeWithPen(dc, [&](QPainter& p) { p.drawPolyline(qpoints.data(), count); });
  }
  return true;
}

bool Polygon(HDC dc, const TPoint* points, int count) {
  if (!dc || count < 2 || !points) return false;
  if (TMetafileRecorder* recorder = dc->Recorder()) {
    recorder->Polygon(*dc, {points, std::size_t(count)});
    return true;
  }
  if (!IsDrawing(dc)) return true;
  const std::vector<QPoint> qpoints = QPointsOf(points, count);
  const Qt::FillRule rule = dc->State().PolyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
  FillWithBrush(dc, [&](QPainter& p) { p.drawPolygon(qpoints.data(), count, rule); });
  StrokeWithPen(dc, [&](QPainter& p) { p.drawPolygon(qpoints.data(), count, rule); });
  return true;
}

bool Rectangle(HDC dc, int left, int top, int right, int bottom) {
  if (TMetafileRecorder* recorder = dc ? dc->Recorder() : nullptr) {
    recorder->Rectangle(*dc, Rect(left, top, right, bottom));
    return true;
  }
  return DrawBoxShape(dc, left, top, right, bottom, true,
                      {[](QPainterPath& path, const QRectF& r) { path.addRect(r); },
                       [](QPainter& p, const QRect& r) { p.drawRect(r); }});
}

bool RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height) {
  if (TMetafileRecorder* recorder = dc ? dc->Recorder() : nullptr) {
    recorder->RoundRect(*dc, Rect(left, top, right, bottom), {width, height});
    return true;
  }
  return DrawBoxShape(dc, left, top, right, bottom, false,
                      {[=](QPainterPath& path, const QRectF& r) { path.addRoundedRect(r, width / 2.0, height / 2.0); },
                       [=](QPainter& p, const QRect& r) { p.drawRoundedRect(r, width / 2.0, height / 2.0); }});
}

bool Ellipse(HDC dc, int left, int top, int right, int bottom) {
  if (TMetafileRecorder* recorder = dc ? dc->Recorder() : nullptr) {
    recorder->Ellipse(*dc, Rect(left, top, right, bottom));
    return true;
  }
  return DrawBoxShape(dc, left, top, right, bottom, false,
                      {[](QPainterPath& path, const QRectF& r) { path.addEllipse(r); },
                       [](QPainter& p, const QRect& r) { p.drawEllipse(r); }});
}
