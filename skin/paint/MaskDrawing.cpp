#include "skin/paint/MaskDrawing.h"

#include <algorithm>
#include <cstdint>

#include "skin/paint/FastPixels.h"
#include "skin/paint/FrameRoutines.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"

namespace {

bool HasColor(const std::uint8_t* pixel, TColor color) {
  return pixel[0] == GetBValue(color) && pixel[1] == GetGValue(color) && pixel[2] == GetRValue(color);
}

bool IsKey(const std::uint8_t* pixel) { return HasColor(pixel, clSkinKey); }

void PutBytes(std::uint8_t* pixel, const std::uint8_t* from) { std::copy(from, from + 3, pixel); }

void PutColor(std::uint8_t* pixel, TColor color) {
  pixel[0] = std::uint8_t(GetBValue(color));
  pixel[1] = std::uint8_t(GetGValue(color));
  pixel[2] = std::uint8_t(GetRValue(color));
}

// dst := ((dst - src) x m + src x 256) shr 8 per channel, m the mask's byte
// of that channel; never leaves 0..255.
void BlendPixel(std::uint8_t* dst, const std::uint8_t* src, const std::uint8_t* mask) {
  for (int channel = 0; channel < 3; ++channel)
    dst[channel] = std::uint8_t(((dst[channel] - src[channel]) * mask[channel] + src[channel] * 256) >> 8);
}

// What a key pixel of a piece becomes, for a target pixel at (x, y).
class TKeyPixelRule {
public:
  TKeyPixelRule(TKeyPixels kind, const TBackdropRef& backdrop) : kind_(kind), backdrop_(backdrop) {}
  // False when the backdrop to read cannot be read: nothing is drawn then.
  bool Bind(bool also32) { return kind_ != TKeyPixels::Backdrop || reader_.Bind(backdrop_.Bmp, also32); }
  bool Blends() const { return kind_ == TKeyPixels::Blended; }
  void Apply(std::uint8_t* pixel, int x, int y) const {
    if (kind_ == TKeyPixels::Filled) {
      PutColor(pixel, backdrop_.FillColor);
    } else if (kind_ == TKeyPixels::Backdrop) {
      if (const std::uint8_t* from = reader_.BytesAt(x + backdrop_.X, y + backdrop_.Y)) PutBytes(pixel, from);
    }
  }

private:
  TKeyPixels kind_;
  const TBackdropRef& backdrop_;
  TSkFastReader reader_;
};

// srcRect inclusive, cut to the source.
TRect LimitInclusive(TRect r, const TSkFast24& source) {
  r.Left = std::max(r.Left, 0);
  r.Top = std::max(r.Top, 0);
  r.Right = std::min(r.Right, source.Width - 1);
  r.Bottom = std::min(r.Bottom, source.Height - 1);
  return r;
}

void CopyKeyed(TBitmap* dstBmp, TBitmap* srcBmp, int x, int y, TRect srcRect, TColor keyColor,
               const TKeyPixelRule& keys) {
  TSkFast24 dst;
  TSkFast24 src;
  if (!dst.Bind(dstBmp) || !src.Bind(srcBmp)) return;
  srcRect = LimitInclusive(srcRect, src);
  for (int r = 0; r <= srcRect.Bottom - srcRect.Top; ++r) {
    const int row = y + r;
    if (row < 0 || row >= dst.Height) continue;
    for (int c = 0; c <= srcRect.Right - srcRect.Left; ++c) {
      const int column = x + c;
      if (column < 0 || column >= dst.Width) continue;
      const std::uint8_t* from = src.PixelAt(srcRect.Left + c, srcRect.Top + r);
      std::uint8_t* to = dst.PixelAt(column, row);
      if (HasColor(from, keyColor))
        keys.Apply(to, column, row);
      else
        PutBytes(to, from);
    }
  }
}

// The nine pieces of a nine-grid in drawing order, each a target rectangle
// and the source rectangle it repeats (exclusive).
struct TGridPiece {
  enum TKind { Corner, Edge, Centre } Kind;
  TRect Target;
  TRect Tile;
};

struct TNineGrid {
  TGridPiece Pieces[9];
};

// Border widths narrowed evenly (the odd pixel off the far side) when the
// target is narrower than both together.
void NarrowBorders(int length, int& nearSide, int& farSide) {
  if (length < nearSide + farSide) {
    const int d = (nearSide + farSide - length) / 2;
    nearSide -= d;
    farSide -= d;
    if (length % 2 != 0) --farSide;
  }
  nearSide = std::max(nearSide, 0);
  farSide = std::max(farSide, 0);
}

TNineGrid GridOf(const TRect& r, const TSkinMaskData& mask, int state) {
  int wl = mask.WL, wt = mask.WT, wr = mask.WR, wb = mask.WB;
  NarrowBorders(r.Width(), wl, wr);
  NarrowBorders(r.Height(), wt, wb);
  const int frameWidth = MaskFrameWidth(mask);
  const int frameHeight = MaskFrameHeight(mask);
  const int left = mask.SourceRect.Left + MaskFrameOf(mask, state) * frameWidth;
  const int top = mask.SourceRect.Top;
  const int bottom = top + frameHeight;
  const int dw = std::max(frameWidth - wl - wr, 0);
  const int dh = std::max(frameHeight - wt - wb, 0);
  const int middleLeft = left + wl, rightLeft = left + wl + dw, middleTop = top + wt;
  const int innerLeft = r.Left + wl, innerRight = r.Right - wr, innerTop = r.Top + wt, innerBottom = r.Bottom - wb;
  using P = TGridPiece;
  return {{
      {P::Corner, Rect(r.Left, r.Top, innerLeft, innerTop), Rect(left, top, middleLeft, middleTop)},
      {P::Edge, Rect(r.Left, innerTop, innerLeft, innerBottom), Rect(left, middleTop, middleLeft, middleTop + dh)},
      {P::Edge, Rect(innerLeft, r.Top, innerRight, innerTop), Rect(middleLeft, top, rightLeft, middleTop)},
      {P::Corner, Rect(r.Left, innerBottom, innerLeft, r.Bottom), Rect(left, bottom - wb, middleLeft, bottom)},
      {P::Edge, Rect(innerLeft, innerBottom, innerRight, r.Bottom), Rect(middleLeft, bottom - wb, rightLeft, bottom)},
      {P::Corner, Rect(innerRight, innerBottom, r.Right, r.Bottom), Rect(rightLeft, bottom - wb, rightLeft + wr, bottom)},
      {P::Corner, Rect(innerRight, r.Top, r.Right, innerTop), Rect(rightLeft, top, rightLeft + wr, middleTop)},
      {P::Edge, Rect(innerRight, innerTop, r.Right, innerBottom), Rect(rightLeft, middleTop, rightLeft + wr, middleTop + dh)},
      {P::Centre, Rect(innerLeft, innerTop, innerRight, innerBottom), Rect(middleLeft, middleTop, rightLeft, middleTop + dh)},
  }};
}

// Plain frames: corners keyed, edges and centre copied between device
// contexts, tiled or stretched with HALFTONE.
void DrawPlainGrid(TBitmap* bmp, const TNineGrid& grid, bool withCentre, const TBackdropRef& backdrop,
                   const TSkinMaskData& mask, bool updateCorners) {
  TBitmap* source = MaskSource(mask);
  HDC dc = bmp->Canvas().Handle();
  HDC sourceDC = source->Canvas().Handle();
  const bool stretched = (mask.StretchMode & smStretch) != 0;
  const int previousMode = stretched ? SetStretchBltMode(dc, HALFTONE) : 0;
  for (const TGridPiece& piece : grid.Pieces) {
    const TRect& target = piece.Target;
    const TRect& tile = piece.Tile;
    if (piece.Kind == TGridPiece::Corner) {
      CopyKeyedRect(bmp, source, target.Left, target.Top, Rect(tile.Left, tile.Top, tile.Right - 1, tile.Bottom - 1),
                    clSkinKey, backdrop, updateCorners);
    } else if (piece.Kind == TGridPiece::Edge || withCentre) {
      if (stretched)
        StretchBlt(dc, target.Left, target.Top, target.Width(), target.Height(), sourceDC, tile.Left, tile.Top,
                   tile.Width(), tile.Height(), SRCCOPY);
      else
        TileBlt(dc, target, sourceDC, tile);
    }
  }
  if (stretched) SetStretchBltMode(dc, previousMode);
}

// Tiles of a masked piece, each blended through its alpha rows; the last
// column and row cut to the band.
void BlendTiles(TBitmap* bmp, TBitmap* source, const TRect& band, const TRect& tile, const TSkinMaskData& mask) {
  if (tile.Width() <= 0 || tile.Height() <= 0) return;
  for (int y = band.Top; y < band.Bottom; y += tile.Height())
    for (int x = band.Left; x < band.Right; x += tile.Width())
      BlendByMaskRect(Rect(x, y, std::min(x + tile.Width(), band.Right), std::min(y + tile.Height(), band.Bottom)),
                      tile, bmp, source, EmptyBackdrop, false, mask);
}

void DrawMaskedGrid(TBitmap* bmp, const TNineGrid& grid, bool withCentre, const TBackdropRef& backdrop,
                    const TSkinMaskData& mask, bool updateCorners) {
  TBitmap* source = MaskSource(mask);
  for (const TGridPiece& piece : grid.Pieces) {
    if (piece.Kind == TGridPiece::Corner)
      BlendByMaskRect(piece.Target, piece.Tile, bmp, source, backdrop, updateCorners, mask);
    else if (piece.Kind == TGridPiece::Edge || withCentre)
      BlendTiles(bmp, source, piece.Target, piece.Tile, mask);
  }
}

// One frame through its alpha rows frameHeight below; the faded look
// weighs the background 100 more of 255. Key pixels stay.
void BlendMaskImage(TBitmap* bmp, TPoint at, TBitmap* sourceBmp, TRect srcRect, int frameHeight, int mode) {
  TSkFast24 dst;
  TSkFast24 src;
  if (!dst.Bind(bmp) || !src.Bind(sourceBmp) || srcRect.Top < 0 || srcRect.Left < 0) return;
  const int rows = std::min({srcRect.Bottom - srcRect.Top + 1, dst.Height - at.Y, src.Height - frameHeight - srcRect.Top});
  const int columns = std::min({srcRect.Right - srcRect.Left + 1, dst.Width - at.X, src.Width - srcRect.Left});
  const int lift = mode == 1 ? 0 : 100;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      const std::uint8_t* picture = src.PixelAt(srcRect.Left + c, srcRect.Top + r);
      if (IsKey(picture)) continue;
      const std::uint8_t* alpha = src.PixelAt(srcRect.Left + c, srcRect.Top + r + frameHeight);
      const std::uint8_t weights[3] = {std::uint8_t(std::min(alpha[0] + lift, 255)),
                                       std::uint8_t(std::min(alpha[1] + lift, 255)),
                                       std::uint8_t(std::min(alpha[2] + lift, 255))};
      BlendPixel(dst.PixelAt(at.X + c, at.Y + r), picture, weights);
    }
}

// The key-colour runs of columns [first, first + count) of the rows as
// rectangles, moved right by shift.
void AppendKeyRuns(TAOR& rects, const TSkFast24& source, int first, int count, int sourceTop, int rows, int y,
                   int shift) {
  for (int r = 0; r < rows; ++r) {
    int runStart = -1;
    for (int c = 0; c <= count; ++c) {
      const int column = first + c;
      const bool key = c < count && column >= 0 && column < source.Width && IsKey(source.PixelAt(column, sourceTop + r));
      if (key && runStart < 0) runStart = c;
      if (!key && runStart >= 0) {
        rects.push_back(Rect(runStart + shift, y + r, c + shift, y + r + 1));
        runStart = -1;
      }
    }
  }
}

}  // namespace

void ClipPair(int& dst, int& src, int& count) {
  if (dst < src && dst < 0) {
    src -= dst;
    count += dst;
    dst = 0;
  } else if (src < 0) {
    dst -= src;
    count += src;
    src = 0;
  }
}

TBitmap* MaskSource(const TSkinMaskData& mask) {
  if (mask.Image) return mask.Image.get();
  return mask.Manager ? mask.Manager->MasterBitmap() : nullptr;
}

int MaskFrameWidth(const TSkinMaskData& mask) {
  return mask.ImageCount < 1 ? 0 : mask.SourceRect.Width() / mask.ImageCount;
}

int MaskFrameHeight(const TSkinMaskData& mask) {
  return mask.ImageCount < 1 || mask.MaskType < 0 ? 0 : mask.SourceRect.Height() / (mask.MaskType + 1);
}

int MaskFrameOf(const TSkinMaskData& mask, int state) {
  return std::clamp(state, 0, std::max(mask.ImageCount - 1, 0));
}

void BlendPieceByMask(TRect dstRect, TRect srcRect, TBitmap* dstBmp, TBitmap* srcBmp, int maskShift, TKeyPixels keys,
                      const TBackdropRef& backdrop) {
  TSkFast24 dst;
  TSkFast24 src;
  if (!dst.Bind(dstBmp) || !src.Bind(srcBmp)) return;
  int rows = std::min({dstRect.Height(), srcRect.Height(), dst.Height - dstRect.Top, src.Height - srcRect.Top});
  int columns = std::min({dstRect.Width(), srcRect.Width(), dst.Width - dstRect.Left, src.Width - srcRect.Left});
  if (rows <= 0 || columns <= 0) return;
  ClipPair(dstRect.Left, srcRect.Left, columns);
  ClipPair(dstRect.Top, srcRect.Top, rows);
  // The alpha rows must lie in the source too.
  rows = std::min(rows, src.Height - maskShift - srcRect.Top);
  TKeyPixelRule rule(keys, backdrop);
  if (rows <= 0 || columns <= 0 || !rule.Bind(true)) return;
  for (int r = 0; r < rows; ++r) {
    const int row = dstRect.Top + r;
    const std::uint8_t* picture = src.PixelAt(srcRect.Left, srcRect.Top + r);
    const std::uint8_t* alpha = src.PixelAt(srcRect.Left, srcRect.Top + r + maskShift);
    std::uint8_t* to = dst.PixelAt(dstRect.Left, row);
    for (int c = 0; c < columns; ++c, picture += 3, alpha += 3, to += 3) {
      if (IsKey(picture) && !rule.Blends())
        rule.Apply(to, dstRect.Left + c, row);
      else
        BlendPixel(to, picture, alpha);
    }
  }
}

void BlendByMaskRect(TRect dstRect, TRect srcRect, TBitmap* dstBmp, TBitmap* srcBmp, const TBackdropRef& backdrop,
                     bool updateCorners, const TSkinMaskData& mask) {
  TKeyPixels keys = TKeyPixels::Kept;
  if (backdrop.Ready)
    keys = updateCorners ? TKeyPixels::Backdrop : TKeyPixels::Blended;
  else if (updateCorners)
    keys = TKeyPixels::Filled;
  BlendPieceByMask(dstRect, srcRect, dstBmp, srcBmp, mask.SourceRect.Height() / 2, keys, backdrop);
}

void CopyKeyedRect(TBitmap* dstBmp, TBitmap* srcBmp, int x, int y, TRect srcRect, TColor keyColor,
                   const TBackdropRef& backdrop, bool updateCorners) {
  TKeyPixels keys = TKeyPixels::Filled;
  if (backdrop.Ready) {
    TSkFast24 behind;
    const bool readable = updateCorners && behind.Bind(backdrop.Bmp) && backdrop.Bmp != dstBmp;
    keys = readable ? TKeyPixels::Backdrop : TKeyPixels::Kept;
  }
  TKeyPixelRule rule(keys, backdrop);
  if (rule.Bind(false)) CopyKeyed(dstBmp, srcBmp, x, y, srcRect, keyColor, rule);
}

void CopyKeyedRectPlain(TBitmap* dstBmp, TBitmap* srcBmp, int x, int y, TRect srcRect, TColor keyColor) {
  CopyKeyed(dstBmp, srcBmp, x, y, srcRect, keyColor, TKeyPixelRule(TKeyPixels::Kept, EmptyBackdrop));
}

void DrawMaskRect(TBitmap* bmp, const TRect& r, bool filling, const TBackdropRef& backdrop,
                  const TSkinMaskData& mask, int state, bool updateCorners) {
  if (state == 0 && (mask.StretchMode & smNoNormalBorder)) return;
  if (!bmp || r.Width() < 2 || r.Height() < 2 || !mask.Manager || mask.ImageCount < 1 || !MaskSource(mask)) return;
  const TNineGrid grid = GridOf(r, mask, state);
  const bool withCentre = filling && (mask.StretchMode & smCentreInMask);
  if (mask.MaskType == 0)
    DrawPlainGrid(bmp, grid, withCentre, backdrop, mask, updateCorners);
  else
    DrawMaskedGrid(bmp, grid, withCentre, backdrop, mask, updateCorners);
}

void DrawMaskImage(TBitmap* bmp, TPoint p, int state, int mode, const TSkinMaskData& mask,
                   const TBackdropRef& backdrop) {
  if (!bmp || mask.ImageCount < 1) return;
  const int frameWidth = MaskFrameWidth(mask);
  const int frameHeight = MaskFrameHeight(mask);
  const int dx = std::max(-p.X, 0);
  const int dy = std::max(-p.Y, 0);
  const int left = mask.SourceRect.Left + MaskFrameOf(mask, state) * frameWidth;
  const TRect source = Rect(left + dx, mask.SourceRect.Top + dy, left + frameWidth - 1, mask.SourceRect.Top + frameHeight - 1);
  const TPoint at{p.X + dx, p.Y + dy};
  if (mask.Image) {
    if (mask.MaskType == 0)
      CopyKeyedRectPlain(bmp, mask.Image.get(), at.X, at.Y, source, clSkinKey);
    else
      BlendMaskImage(bmp, at, mask.Image.get(), source, frameHeight, mode);
    return;
  }
  if (!mask.Manager) return;
  TBitmap* master = mask.Manager->MasterBitmap();
  if (mask.MaskType > 0)
    BlendMaskImage(bmp, at, master, source, frameHeight, mode);
  else if (mode == 1)
    CopyKeyedRect(bmp, master, at.X, at.Y, source, clSkinKey, backdrop, true);
  else
    BlendKeyedRect(bmp, at.X, at.Y, master, source, 0.5, clSkinKey);
}

void CollectKeyRects(TAOR& rects, int width, const TSkinMaskData& mask, int y, bool bottom) {
  TSkFast24 source;
  if (!mask.Manager || mask.ImageCount < 1 || !source.Bind(MaskSource(mask))) return;
  const int frameWidth = MaskFrameWidth(mask);
  const int rows = bottom ? mask.WB : mask.WT;
  const int sourceTop = bottom ? mask.SourceRect.Top + MaskFrameHeight(mask) - mask.WB : mask.SourceRect.Top;
  if (sourceTop < 0 || sourceTop + rows > source.Height) return;
  const int left = mask.SourceRect.Left;
  AppendKeyRuns(rects, source, left, mask.WL, sourceTop, rows, y, 0);
  AppendKeyRuns(rects, source, left + frameWidth - mask.WR, mask.WR, sourceTop, rows, y, width - mask.WR);
}
