#include "skin/paint/CornerRepair.h"

#include <algorithm>

#include "skin/SkinCommonData.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/FastPixels.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/WinControl.h"
#include "toolkit/gdi/Bitmap.h"

namespace {

// What a repaired cache pixel becomes.
class TRepairSource {
public:
  // A plain answer gives its colour, except magenta where the mask keeps
  // its key colour for such answers; an image answer its pixels.
  TRepairSource(const TBackdropQuery& query, bool plainMask) : query_(query), color_(ColorToRGB(query.Color)) {
    if (query.Kind != bkImage || !query.Bmp) {
      useColor_ = !(plainMask && color_ == clSkinKey);
      usable_ = true;
    } else if (picture_.Bind(query.Bmp, false)) {
      usable_ = true;
    } else if (plainMask && picture_.Bind(query.Bmp, true)) {
      // A 32-bit picture stands for its colour when it has one.
      useColor_ = color_ != clSkinKey;
      usable_ = true;
    }
  }
  bool Usable() const { return usable_; }
  void Apply(std::uint8_t* pixel, int cacheX, int cacheY) const {
    if (useColor_) {
      pixel[0] = std::uint8_t(GetBValue(color_));
      pixel[1] = std::uint8_t(GetGValue(color_));
      pixel[2] = std::uint8_t(GetRValue(color_));
    } else if (const std::uint8_t* from = picture_.BytesAt(query_.Offset.X + cacheX, query_.Offset.Y + cacheY)) {
      std::copy(from, from + 3, pixel);
    }
  }

private:
  const TBackdropQuery& query_;
  TColor color_;
  TSkFastReader picture_;
  bool useColor_ = false;
  bool usable_ = false;
};

bool IsKey(const std::uint8_t* pixel) { return pixel[0] == 0xFF && pixel[1] == 0 && pixel[2] == 0xFF; }

// The key pixels of the mask's piece (columns x width rows from maskAt)
// repaired in the cache from cacheAt on; pixels off either bitmap skipped.
void RepairPiece(const TSkFast24& cache, const TSkFast24& mask, TPoint maskAt, TPoint cacheAt, TSize size,
                 const TRepairSource& source) {
  for (int r = 0; r < size.cy; ++r) {
    const int maskY = maskAt.Y + r, cacheY = cacheAt.Y + r;
    if (maskY < 0 || maskY >= mask.Height || cacheY < 0 || cacheY >= cache.Height) continue;
    for (int c = 0; c < size.cx; ++c) {
      const int maskX = maskAt.X + c, cacheX = cacheAt.X + c;
      if (maskX < 0 || maskX >= mask.Width || cacheX < 0 || cacheX >= cache.Width) continue;
      if (IsKey(mask.PixelAt(maskX, maskY))) source.Apply(cache.PixelAt(cacheX, cacheY), cacheX, cacheY);
    }
  }
}

}  // namespace

void RepairCorners(TSkinCommonData& skinData, int state, std::uint8_t corners) {
  TSkinManager* manager = skinData.GetSkinManager();
  TControl* host = skinData.HostControl();
  if (!manager || !manager->IsMaskIndex(skinData.BorderMaskIndex) || !skinData.CacheBitmap() || !host || !host->Parent() ||
      host->Width() <= 1 || host->Height() <= 1)
    return;
  TBackdropQuery query;
  AskBackdrop(query, host->Parent(), false);
  const TSkinMaskData& stored = manager->Masks[skinData.BorderMaskIndex];
  TSkinMaskData mask;
  mask.SourceRect = stored.SourceRect;
  mask.ImageCount = stored.ImageCount;
  mask.MaskType = stored.MaskType;
  if (mask.ImageCount == 0 && stored.Image) {
    mask.ImageCount = 3;
    mask.MaskType = 1;
    mask.SourceRect = Rect(0, 0, stored.Image->Width(), stored.Image->Height());
  }
  if (mask.ImageCount < 1) return;
  if (query.Kind == bkImage) {
    query.Offset.X += host->Left();
    query.Offset.Y += host->Top();
  }
  TSkFast24 cache;
  TSkFast24 source;
  const TRepairSource repair(query, mask.MaskType == 0);
  if (!repair.Usable() || !cache.Bind(skinData.CacheBitmap()) || !source.Bind(MaskSource(stored))) return;
  const int w = host->Width(), h = host->Height();
  const int wl = stored.WL, wt = stored.WT, wr = stored.WR, wb = stored.WB;
  const int left = mask.SourceRect.Left + std::min(state, mask.ImageCount - 1) * mask.SourceRect.Width() / mask.ImageCount;
  const int top = mask.SourceRect.Top;
  const int frameHeight = MaskFrameHeight(mask);
  const int right = left + wl + (MaskFrameWidth(mask) - wl - wr);
  const struct {
    std::uint8_t Bit;
    TPoint MaskAt;
    TPoint CacheAt;
    TSize Size;
  } pieces[] = {
      {crTopLeft, {left, top}, {0, 0}, {wl, wt}},
      {crBottomLeft, {left, top + frameHeight - wb}, {0, h - wb}, {wl, wb}},
      {crBottomRight, {right, top + frameHeight - wb}, {w - wr, h - wb}, {wr, wb}},
      {crTopRight, {right, top}, {w - wr, 0}, {wr, wt}},
  };
  for (const auto& piece : pieces)
    if (corners & piece.Bit) RepairPiece(cache, source, piece.MaskAt, piece.CacheAt, piece.Size, repair);
}

void RepairAllCorners(TSkinCommonData& skinData, int state) { RepairCorners(skinData, state, 15); }
