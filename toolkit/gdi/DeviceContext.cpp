#include "toolkit/gdi/DeviceContext.h"

#include <atomic>
#include <utility>

namespace {

// Serials are unique across all device contexts, so a state is never taken
// for that of another context that happened to live at the same address.
unsigned NextSerial() {
  static std::atomic<unsigned> last{0};
  return ++last;
}

template <class T>
CountedPtr<T> StockObject(int index) {
  return CountedPtr<T>(static_cast<T*>(GetStockObject(index)));
}

TDCState DefaultState() {
  TDCState state;
  state.Pen = StockObject<TGdiPen>(BLACK_PEN);
  state.Brush = StockObject<TGdiBrush>(WHITE_BRUSH);
  state.Font = StockObject<TGdiFont>(SYSTEM_FONT);
  return state;
}

TRect BoundsOf(const TGdiBitmap& bitmap) { return {0, 0, bitmap.Width(), bitmap.Height()}; }

// The clip region to narrow: the present one, or without one everything visible.
TRegion ClipBase(HDC dc) { return dc->State().HasClip ? dc->State().Clip : dc->Visible(); }

int SetClip(HDC dc, TRegion clip) {
  TDCState& state = dc->ChangeGeometry();
  state.HasClip = true;
  state.Clip = std::move(clip);
  return state.Clip.Complexity();
}

bool SetOrigin(TPoint& origin, int x, int y, TPoint* old) {
  if (old) *old = origin;
  origin = {x, y};
  return true;
}

}  // namespace

TDeviceContext::TDeviceContext(CountedPtr<TGdiBitmap> surface, TPoint origin, TRegion visible)
    : surface_(std::move(surface)), origin_(origin), visible_(std::move(visible)), state_(DefaultState()),
      geometrySerial_(NextSerial()) {}

// The bitmap every new memory context holds, one monochrome pixel shared by
// all and never freed, so that the handle SelectObject gives back for it can
// be selected again once another bitmap is done with.
TDeviceContext::TDeviceContext() : memory_(true), state_(DefaultState()), geometrySerial_(NextSerial()) {
  static TGdiBitmap* const initial = [] {
    auto* bitmap = new TGdiBitmap(1, 1, pf1bit);
    bitmap->MakeStock();
    return bitmap;
  }();
  SelectBitmap(CountedPtr<TGdiBitmap>(initial));
}

TDeviceContext::~TDeviceContext() = default;

TDCState& TDeviceContext::ChangeGeometry() {
  geometrySerial_ = NextSerial();
  return state_;
}

TRegion TDeviceContext::Visible() const { return memory_ ? TRegion(BoundsOf(*surface_)) : visible_; }

TPoint TDeviceContext::ToDevice(TPoint logical) const {
  return {logical.X - state_.WindowOrg.X + state_.ViewportOrg.X, logical.Y - state_.WindowOrg.Y + state_.ViewportOrg.Y};
}

TRect TDeviceContext::ToDevice(const TRect& logical) const {
  const TPoint topLeft = ToDevice(logical.TopLeft());
  return Bounds(topLeft.X, topLeft.Y, logical.Width(), logical.Height());
}

TPoint TDeviceContext::ToLogical(TPoint device) const {
  return {device.X + state_.WindowOrg.X - state_.ViewportOrg.X, device.Y + state_.WindowOrg.Y - state_.ViewportOrg.Y};
}

const TRegion& TDeviceContext::SurfaceClip() const {
  const TSize size{surface_->Width(), surface_->Height()};
  if (cachedGeometrySerial_ != geometrySerial_ || cachedSurfaceSize_ != size) {
    TRegion clip = state_.HasClip ? TRegion::Combine(Visible(), state_.Clip, RGN_AND) : Visible();
    clip.Offset(origin_.X, origin_.Y);
    clip.Intersect(BoundsOf(*surface_));
    surfaceClip_ = std::move(clip);
    cachedGeometrySerial_ = geometrySerial_;
    cachedSurfaceSize_ = size;
  }
  return surfaceClip_;
}

void TDeviceContext::SelectBitmap(CountedPtr<TGdiBitmap> bitmap) {
  surface_ = bitmap;
  ChangeGeometry().Bitmap = std::move(bitmap);
}

int TDeviceContext::SaveState() {
  saved_.push_back(state_);
  return int(saved_.size());
}

bool TDeviceContext::RestoreState(int level) {
  if (level < 0) level += int(saved_.size()) + 1;
  if (level < 1 || level > int(saved_.size())) return false;
  ChangeGeometry() = std::move(saved_[level - 1]);
  saved_.resize(level - 1);
  if (memory_) surface_ = state_.Bitmap;
  return true;
}

HDC CreateCompatibleDC(HDC) { return new TDeviceContext(); }

bool DeleteDC(HDC dc) {
  if (!dc || !dc->IsMemoryDC()) return false;
  delete dc;
  return true;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  const bool monochrome = dc && dc->Surface().Format() == pf1bit;
  auto* bitmap = new TGdiBitmap(width, height, monochrome ? pf1bit : pf32bit);
  bitmap->AddRef();
  return bitmap;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  if (!dc || !object) return nullptr;
  const TDCState& state = dc->State();
  switch (object->ObjectType()) {
    case OBJ_PEN: {
      HGDIOBJ old = state.Pen.get();
      dc->ChangeState().Pen = static_cast<TGdiPen*>(object);
      return old;
    }
    case OBJ_BRUSH: {
      HGDIOBJ old = state.Brush.get();
      dc->ChangeState().Brush = static_cast<TGdiBrush*>(object);
      return old;
    }
    case OBJ_FONT: {
      HGDIOBJ old = state.Font.get();
      dc->ChangeState().Font = static_cast<TGdiFont*>(object);
      return old;
    }
    case OBJ_BITMAP: {
      if (!dc->IsMemoryDC()) return nullptr;
      HGDIOBJ old = state.Bitmap.get();
      dc->SelectBitmap(CountedPtr<TGdiBitmap>(static_cast<TGdiBitmap*>(object)));
      return old;
    }
    default: return nullptr;
  }
}

HGDIOBJ GetCurrentObject(HDC dc, int objectType) {
  if (!dc) return nullptr;
  switch (objectType) {
    case OBJ_PEN: return dc->State().Pen.get();
    case OBJ_BRUSH: return dc->State().Brush.get();
    case OBJ_FONT: return dc->State().Font.get();
    case OBJ_BITMAP: return &dc->Surface();
    default: return nullptr;
  }
}

int SaveDC(HDC dc) { return dc ? dc->SaveState() : 0; }

bool RestoreDC(HDC dc, int level) { return dc && dc->RestoreState(level); }

bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* old) {
  return dc && SetOrigin(dc->ChangeGeometry().WindowOrg, x, y, old);
}

bool GetWindowOrgEx(HDC dc, TPoint* origin) {
  if (!dc || !origin) return false;
  *origin = dc->State().WindowOrg;
  return true;
}

bool OffsetWindowOrgEx(HDC dc, int dx, int dy, TPoint* old) {
  if (!dc) return false;
  const TPoint origin = dc->State().WindowOrg;
  return SetWindowOrgEx(dc, origin.X + dx, origin.Y + dy, old);
}

bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old) {
  return dc && SetOrigin(dc->ChangeGeometry().ViewportOrg, x, y, old);
}

bool GetViewportOrgEx(HDC dc, TPoint* origin) {
  if (!dc || !origin) return false;
  *origin = dc->State().ViewportOrg;
  return true;
}

bool LPtoDP(HDC dc, TPoint* points, int count) {
  if (!dc || (!points && count > 0)) return false;
  for (int i = 0; i < count; ++i) points[i] = dc->ToDevice(points[i]);
  return true;
}

bool DPtoLP(HDC dc, TPoint* points, int count) {
  if (!dc || (!points && count > 0)) return false;
  for (int i = 0; i < count; ++i) points[i] = dc->ToLogical(points[i]);
  return true;
}

bool SetBrushOrgEx(HDC dc, int x, int y, TPoint* old) {
  return dc && SetOrigin(dc->ChangeState().BrushOrg, x, y, old);
}

bool GetBrushOrgEx(HDC dc, TPoint* origin) {
  if (!dc || !origin) return false;
  *origin = dc->State().BrushOrg;
  return true;
}

TColor SetTextColor(HDC dc, TColor color) {
  if (!dc) return CLR_INVALID;
  return std::exchange(dc->ChangeState().TextColor, ColorToRGB(color));
}

TColor GetTextColor(HDC dc) { return dc ? dc->State().TextColor : CLR_INVALID; }

TColor SetBkColor(HDC dc, TColor color) {
  if (!dc) return CLR_INVALID;
  return std::exchange(dc->ChangeState().BkColor, ColorToRGB(color));
}

TColor GetBkColor(HDC dc) { return dc ? dc->State().BkColor : CLR_INVALID; }

int SetBkMode(HDC dc, int mode) {
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return std::exchange(dc->ChangeState().BkMode, mode);
}

int GetBkMode(HDC dc) { return dc ? dc->State().BkMode : 0; }

int SetROP2(HDC dc, int mode) {
  if (!dc || mode < R2_BLACK || mode > R2_WHITE) return 0;
  return std::exchange(dc->ChangeState().Rop2, mode);
}

int GetROP2(HDC dc) { return dc ? dc->State().Rop2 : 0; }

int SetPolyFillMode(HDC dc, int mode) {
  if (!dc || (mode != ALTERNATE && mode != WINDING)) return 0;
  return std::exchange(dc->ChangeState().PolyFillMode, mode);
}

int SetStretchBltMode(HDC dc, int mode) {
  if (!dc || (mode != COLORONCOLOR && mode != HALFTONE)) return 0;
  return std::exchange(dc->ChangeState().StretchMode, mode);
}

int GetStretchBltMode(HDC dc) { return dc ? dc->State().StretchMode : 0; }

unsigned SetTextAlign(HDC dc, unsigned align) {
  if (!dc) return 0;
  return std::exchange(dc->ChangeState().TextAlign, align);
}

unsigned GetTextAlign(HDC dc) { return dc ? dc->State().TextAlign : 0; }

int SelectClipRgn(HDC dc, HRGN rgn) {
  if (!dc) return RGN_ERROR;
  if (rgn) return SetClip(dc, rgn->Region);
  dc->ChangeGeometry().HasClip = false;
  return dc->Visible().Complexity();
}

int ExtSelectClipRgn(HDC dc, HRGN rgn, int mode) {
  if (!dc || mode < RGN_AND || mode > RGN_COPY) return RGN_ERROR;
  if (mode == RGN_COPY) return SelectClipRgn(dc, rgn);
  if (!rgn) return RGN_ERROR;
  return SetClip(dc, TRegion::Combine(ClipBase(dc), rgn->Region, mode));
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  if (!dc) return RGN_ERROR;
  return SetClip(dc, TRegion::Combine(ClipBase(dc), TRegion(dc->ToDevice(Rect(left, top, right, bottom))), RGN_AND));
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  if (!dc) return RGN_ERROR;
  return SetClip(dc, TRegion::Combine(ClipBase(dc), TRegion(dc->ToDevice(Rect(left, top, right, bottom))), RGN_DIFF));
}

int GetClipRgn(HDC dc, HRGN rgn) {
  if (!dc || !rgn) return -1;
  if (!dc->State().HasClip) return 0;
  rgn->Region = dc->State().Clip;
  return 1;
}

int GetClipBox(HDC dc, TRect* box) {
  if (!dc || !box) return RGN_ERROR;
  const TRegion& clip = dc->SurfaceClip();
  TRect bounds = clip.Bounds();
  OffsetRect(bounds, -dc->Origin().X, -dc->Origin().Y);
  const TPoint topLeft = dc->ToLogical(bounds.TopLeft());
  *box = Bounds(topLeft.X, topLeft.Y, bounds.Width(), bounds.Height());
  return clip.Complexity();
}

bool PtVisible(HDC dc, int x, int y) {
  if (!dc) return false;
  const TPoint p = dc->ToDevice(TPoint{x, y});
  return dc->SurfaceClip().Contains({p.X + dc->Origin().X, p.Y + dc->Origin().Y});
}

bool RectVisible(HDC dc, const TRect& rect) {
  if (!dc) return false;
  TRect r = dc->ToDevice(rect);
  OffsetRect(r, dc->Origin().X, dc->Origin().Y);
  return dc->SurfaceClip().Intersects(r);
}

TClipKeeper::TClipKeeper(HDC dc)
    : dc_(dc), hadClip_(dc && dc->State().HasClip), clip_(hadClip_ ? dc->State().Clip : TRegion()) {}

TClipKeeper::~TClipKeeper() {
  if (!dc_) return;
  if (hadClip_)
    SetClip(dc_, clip_);
  else
    dc_->ChangeGeometry().HasClip = false;
}
