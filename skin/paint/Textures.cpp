#include "skin/paint/Textures.h"

#include <algorithm>
#include <utility>

#include "skin/paint/Backdrop.h"
#include "skin/paint/FrameRoutines.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/JPEGImage.h"

namespace {

// A piece of the texture's source at (x, y): width x height, copied from
// the texture's top-left whatever its size.
struct TTexturePiece {
  HDC Target;
  HDC Source;
  TPoint Origin;
  void Copy(int x, int y, int width, int height) const {
    BitBlt(Target, x, y, width, height, Source, Origin.X, Origin.Y, SRCCOPY);
  }
};

// The tiling loop of the banded modes: columns from x0 while below
// columnLimit, in each rows while below rowLimit and then one piece to r's
// bottom; at the last x the rows again, pieces reaching to r's right.
void TileInPieces(const TTexturePiece& piece, const TRect& r, TSize tile, int x0, int columnLimit, int rowLimit) {
  int x = x0;
  int y = r.Top;
  for (; x < columnLimit; x += tile.cx) {
    for (y = r.Top; y < rowLimit; y += tile.cy) piece.Copy(x, y, tile.cx, tile.cy);
    piece.Copy(x, y, tile.cx, r.Bottom - y);
  }
  for (y = r.Top; y < rowLimit; y += tile.cy) piece.Copy(x, y, r.Right - x, tile.cy);
  piece.Copy(x, y, r.Right - x, r.Bottom - y);
}

// Where the rows of whole tiles starting below limit end.
int EndOfSteps(int start, int limit, int step) {
  while (start < limit) start += step;
  return start;
}

// The mask's piece of the master bitmap over r in the mode. Modes 0, 1 and
// 10 stay inside r by themselves; the banded ones are clipped to it.
void TileMasterPiece(TCanvas& canvas, TRect& r, int mode, const TSkinMaskData& mask) {
  TBitmap* master = mask.Manager->MasterBitmap();
  const TSize tile{mask.SourceRect.Width(), mask.SourceRect.Height()};
  if (!master || tile.cx <= 0 || tile.cy <= 0 || r.Width() <= 0 || r.Height() <= 0) return;
  HDC dc = canvas.Handle();
  HDC source = master->Canvas().Handle();
  const TRect tileRect = Bounds(mask.SourceRect.Left, mask.SourceRect.Top, tile.cx, tile.cy);
  if (mode == 0 || mode == 10) {
    const int bottom = mode == 0 ? r.Bottom : EndOfSteps(r.Top, r.Bottom - tile.cy, tile.cy);
    TileBlt(dc, Rect(r.Left, r.Top, r.Right, bottom), source, tileRect);
    r = NoRest;
    return;
  }
  const TClipKeeper keeper(dc);
  IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  const TTexturePiece piece{dc, source, tileRect.TopLeft()};
  const auto stretch = [&](int width, int height) {
    StretchBlt(dc, r.Left, r.Top, width, height, source, tileRect.Left, tileRect.Top, tile.cx, tile.cy, SRCCOPY);
  };
  switch (mode) {
    case 1:
      stretch(r.Width(), r.Height());
      r = NoRest;
      return;
    case 2:
      TileInPieces(piece, r, tile, r.Left, r.Right - tile.cx, r.Top);
      r.Top += tile.cy;
      return;
    case 3:
      TileInPieces(piece, r, tile, r.Left, r.Left, r.Bottom - tile.cy);
      r.Left += tile.cx;
      return;
    case 4:
      stretch(r.Width(), tile.cy);
      r.Top += tile.cy;
      return;
    case 5:
      stretch(tile.cx, r.Height());
      r.Left += tile.cx;
      return;
    case 6: {
      const int oldTop = std::exchange(r.Top, r.Bottom - tile.cy);
      TileInPieces(piece, r, tile, r.Left, r.Right - tile.cx, r.Bottom - tile.cy);
      r = Rect(r.Left, oldTop, r.Right, r.Bottom - tile.cy);
      return;
    }
    default: {
      const int oldLeft = std::exchange(r.Left, r.Right - tile.cx);
      TileInPieces(piece, r, tile, r.Left, r.Left, r.Bottom - tile.cy);
      if (mode == 7) r = Rect(oldLeft, r.Top, r.Right - tile.cx, r.Bottom);
      return;
    }
  }
}

// Gives the band what lies behind it.
void ShowBackdrop(TBitmap* bmp, const TRect& band, const TBackdropRef& backdrop) {
  if (band.Width() <= 0 || band.Height() <= 0) return;
  HDC dc = bmp->Canvas().Handle();
  if (backdrop.Ready && backdrop.Bmp)
    BitBlt(dc, band.Left, band.Top, band.Width(), band.Height(), backdrop.Bmp->Canvas().Handle(),
           band.Left + backdrop.X, band.Top + backdrop.Y, SRCCOPY);
  else
    FillDeviceRect(dc, band, backdrop.FillColor);
}

}  // namespace

void TileGraphic(TCanvas& canvas, const TRect& r, TGraphic* graphic) {
  if (!graphic || graphic->Width() <= 0 || graphic->Height() <= 0) return;
  const int width = graphic->Width();
  const int height = graphic->Height();
  if (auto* bitmap = dynamic_cast<TBitmap*>(graphic)) {
    TileBlt(canvas.Handle(), r, bitmap->Canvas().Handle(), Rect(0, 0, width, height));
  } else if (auto* picture = dynamic_cast<TJPEGImage*>(graphic)) {
    HDC dc = canvas.Handle();
    const TClipKeeper keeper(dc);
    IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    for (int i = 0; i <= r.Width() / width; ++i)
      for (int j = 0; j <= r.Height() / height; ++j) canvas.Draw(r.Left + i * width, r.Top + j * height, *picture);
  }
}

void TileTexture(TCanvas& canvas, TRect& r, TGraphic* image, int mode, const TSkinMaskData& mask) {
  if (image && !image->Empty()) {
    TileGraphic(canvas, r, image);
    r = NoRest;
    return;
  }
  if (mask.Manager) TileMasterPiece(canvas, r, mode, mask);
}

void TileMaskTexture(TBitmap* bmp, TRect& r, const TBackdropRef& backdrop, int mode, const TSkinMaskData& mask) {
  if (!bmp || !mask.Manager || mask.ImageCount < 1 || (mode != 0 && mode != 10)) return;
  const int width = mask.SourceRect.Width() / mask.ImageCount;
  const int height = mask.SourceRect.Height() / 2;
  if (width <= 0 || height <= 0) return;
  const auto tile = [&](int x, int y, int right) {
    BlendMaskTile(Rect(x, y, right, y + height), mask.SourceRect, bmp, mask, backdrop);
  };
  const int rowEnd = EndOfSteps(r.Top, r.Bottom - height, height);
  int x = r.Left;
  for (; x < r.Right - width; x += width)
    for (int y = r.Top; y < rowEnd; y += height) tile(x, y, x + width);
  if (mode == 0) {
    for (int y = r.Top; y < rowEnd; y += height) tile(x, y, r.Right);
  } else {
    const int tilesBottom = x == r.Left ? r.Top : rowEnd;
    ShowBackdrop(bmp, Rect(r.Left, tilesBottom, r.Right, r.Bottom), backdrop);
    ShowBackdrop(bmp, Rect(x, r.Top, r.Right, r.Bottom), backdrop);
  }
  r = NoRest;
}

void BlendMaskTile(const TRect& dstRect, const TRect& srcRect, TBitmap* bmp, const TSkinMaskData& mask,
                   const TBackdropRef& backdrop) {
  if (!mask.Manager) return;
  TKeyPixels keys = TKeyPixels::Backdrop;
  if (!backdrop.Ready) keys = backdrop.FillColor == clSkinKey ? TKeyPixels::Kept : TKeyPixels::Filled;
  BlendPieceByMask(dstRect, srcRect, bmp, MaskSource(mask), mask.SourceRect.Height() / 2, keys, backdrop);
}
