#include "graphics/PictureExport.h"

#include <algorithm>

#include "runtime/Exceptions.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Metafile.h"
#include "toolkit/gdi/MetafileCanvas.h"

namespace {

constexpr int BitmapFormat = 0;
constexpr int EnhancedFormat = 2;

void CheckFormat(int Format) { QASSERT(Format >= 0 && Format <= 2, "Assertion failure"); }

// A picture has at least one pixel, also for a rectangle without room.
TSize PictureSize(const TRect& Rect) {
  return {std::max(Rect.Right - Rect.Left + 1, 1), std::max(Rect.Bottom - Rect.Top + 1, 1)};
}

void DrawBitmapPicture(TBitmap& Buffer, const TRect& Rect, const TPictureDrawing& Draw) {
  if (Buffer.Empty()) Buffer.SetSize(PictureSize(Rect).cx, PictureSize(Rect).cy);
  TCanvas& canvas = Buffer.Canvas();
  canvas.Brush().SetColor(clWhite);
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(TRect{Rect.Left, Rect.Top, Rect.Right + 1, Rect.Bottom + 1});
  Draw(canvas, Rect);
}

TMetafile MetafilePicture(TBitmap& Buffer, bool Enhanced, const TRect& Rect, const TPictureDrawing& Draw) {
  TMetafile metafile;
  metafile.SetWidth(PictureSize(Rect).cx);
  metafile.SetHeight(PictureSize(Rect).cy);
  metafile.SetEnhanced(Enhanced);
  {  // the canvas completes the picture when it goes
    TMetafileCanvas canvas(metafile);
    TCanvas& buffer = Buffer.Canvas();
    canvas.Brush().Assign(buffer.Brush());
    canvas.Pen().Assign(buffer.Pen());
    canvas.Font().Assign(buffer.Font());
    Draw(canvas, Rect);
  }
  return metafile;
}

class TClipboardCloser {
public:
  ~TClipboardCloser() { Clipboard().Close(); }
};

}  // namespace

bool PaintThroughBuffer(TBitmap& Buffer, TCanvas& Canvas, const TRect& Rect, const TPictureDrawing& Draw) {
  const int width = Rect.Right - Rect.Left + 1, height = Rect.Bottom - Rect.Top + 1;
  if (width <= 0 || height <= 0) return false;
  if (Buffer.Width() != width || Buffer.Height() != height) Buffer.SetSize(width, height);
  TCanvas& buffer = Buffer.Canvas();
  buffer.Font().Assign(Canvas.Font());
  buffer.Brush().Assign(Canvas.Brush());
  buffer.Pen().Assign(Canvas.Pen());
  buffer.FillRect(Rect);
  Draw(buffer, Rect);
  Canvas.Draw(0, 0, Buffer);
  return true;
}

void CopyPictureToClipboard(TBitmap& Buffer, int Format, const TRect& Rect, const TPictureDrawing& Draw) {
  CheckFormat(Format);
  if (!Clipboard().Open()) return;
  const TClipboardCloser closer;
  if (Format != BitmapFormat) {
    const TMetafile metafile = MetafilePicture(Buffer, Format == EnhancedFormat, Rect, Draw);
    Clipboard().SetData(Format == EnhancedFormat ? CF_ENHMETAFILE : CF_METAFILEPICT, metafile.Bytes());
  }
  DrawBitmapPicture(Buffer, Rect, Draw);
  Clipboard().SetImage(*Buffer.Handle());
}

void SavePictureToFile(TBitmap& Buffer, int Format, const std::string& FileName, const TRect& Rect,
                       const TPictureDrawing& Draw) {
  CheckFormat(Format);
  if (Format == BitmapFormat) {
    DrawBitmapPicture(Buffer, Rect, Draw);
    Buffer.SaveToFile(FileName);
  } else {
    MetafilePicture(Buffer, Format == EnhancedFormat, Rect, Draw).SaveToFile(FileName);
  }
}
