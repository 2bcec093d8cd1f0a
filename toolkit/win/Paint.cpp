#include "toolkit/win/Paint.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "toolkit/gdi/Color.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/gdi/GdiObject.h"
#include "toolkit/gdi/Region.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowRecord.h"

namespace {

// A device context handed out by GetDC, GetWindowDC, GetDCEx or BeginPaint;
// Origin: its device (0, 0) in window coordinates.
struct TWindowDC {
  HWND Window;
  std::unique_ptr<TDeviceContext> DC;
  TPoint Origin;
};
std::vector<TWindowDC>& WindowDCs() {
  static std::vector<TWindowDC> dcs;
  return dcs;
}

std::vector<TWindowDC>::iterator FindWindowDC(HDC dc) {
  auto& dcs = WindowDCs();
  return std::find_if(dcs.begin(), dcs.end(), [dc](const TWindowDC& entry) { return entry.DC.get() == dc; });
}

// Counts validations, so a WM_PAINT handler that validates nothing is noticed.
uint64_t Validations = 0;

TRect ClientArea(const TWindowRecord& record) { return {0, 0, record.Client.Width(), record.Client.Height()}; }
TRect WindowArea(const TWindowRecord& record) { return {0, 0, record.Width(), record.Height()}; }

bool CanPaint(const TWindowRecord& record) { return record.RedrawEnabled && IsWindowVisible(record.Handle); }

void Present(const TWindowRecord& record, TRect windowRect) {
  if (record.Host && IntersectRect(windowRect, windowRect, WindowArea(record))) record.Host->Present(windowRect);
}

// Asks the desktop to show the window again once it has been painted.
void RequestPaint(const TWindowRecord& record) {
  if (CanPaint(record)) Present(record, WindowArea(record));
}

HDC HandOut(HWND window, TWindowRecord& record, TPoint origin, TRegion visible) {
  // Only the window's shape is shown: drawing stays inside it (origin is in window coordinates).
  if (record.Shape) {
    TRegion shape = *record.Shape;
    shape.Offset(-origin.X, -origin.Y);
    visible = TRegion::Combine(visible, shape, RGN_AND);
  }
  // The places of children sharing the surface are theirs.
  TRegion sharing = SharingChildrenArea(record);
  if (!sharing.IsEmpty()) {
    sharing.Offset(-origin.X, -origin.Y);
    visible = TRegion::Combine(visible, sharing, RGN_DIFF);
  }
  const TWindowPixels pixels = PixelsOf(record);
  auto dc = std::make_unique<TDeviceContext>(
      pixels.Surface, TPoint{pixels.Origin.X + origin.X, pixels.Origin.Y + origin.Y}, std::move(visible));
  const HDC handle = dc.get();
  WindowDCs().push_back({window, std::move(dc), origin});
  return handle;
}

HDC ClientDC(HWND window, TWindowRecord& record, TRegion visible) {
  return HandOut(window, record, record.Client.TopLeft(), std::move(visible));
}

void Validate(TWindowRecord& record) {
  record.Invalid = {};
  record.EraseNeeded = record.InternalPaint = false;
  ++Validations;
}

// Erases through WM_ERASEBKGND; answers whether the handler erased.
bool SendErase(HWND window, TWindowRecord& record, HDC dc) {
  record.EraseNeeded = false;
  return SendMessage(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
}

void PaintFrameNow(HWND window, TWindowRecord& record) {
  if (!record.FrameInvalid) return;
  record.FrameInvalid = false;
  SendMessage(window, WM_NCPAINT, 1, 0);
}

void EraseNow(HWND window) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return;
  PaintFrameNow(window, *record);
  if (!(record = FindWindowRecord(window)) || !record->EraseNeeded) return;
  const HDC dc = ClientDC(window, *record, record->Invalid);
  SendErase(window, *record, dc);
  ReleaseDC(window, dc);
}

// Applies RedrawWindow's invalidation and validation flags to one window.
void ApplyRedrawFlags(TWindowRecord& record, const TRegion& area, UINT flags) {
  if (flags & RDW_INVALIDATE) {
    record.Invalid = TRegion::Combine(record.Invalid, area, RGN_OR);
    record.Invalid.Intersect(ClientArea(record));
    if (flags & RDW_ERASE) record.EraseNeeded = true;
    if (flags & RDW_FRAME) record.FrameInvalid = true;
  }
  if (flags & RDW_INTERNALPAINT) record.InternalPaint = true;
  if (flags & RDW_VALIDATE) {
    record.Invalid = TRegion::Combine(record.Invalid, area, RGN_DIFF);
    if (flags & RDW_NOERASE) record.EraseNeeded = false;
    if (flags & RDW_NOFRAME) record.FrameInvalid = false;
    ++Validations;
  }
  if (flags & RDW_NOINTERNALPAINT) record.InternalPaint = false;
  if (record.Invalid.IsEmpty()) record.EraseNeeded = false;
  RequestPaint(record);
}

void RedrawTree(HWND window, const TRegion& area, UINT flags) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return;
  ApplyRedrawFlags(*record, area, flags);
  if (!(flags & RDW_ALLCHILDREN)) return;
  const TPoint origin = ClientOrigin(*record);
  for (HWND child : std::vector<HWND>(record->Children)) {
    const TWindowRecord* childRecord = FindWindowRecord(child);
    TRegion childArea = area;
    const TPoint childOrigin = ClientOrigin(*childRecord);
    childArea.Offset(origin.X - childOrigin.X, origin.Y - childOrigin.Y);
    RedrawTree(child, childArea, flags);
  }
}

void UpdateNow(HWND window, UINT flags) {
  if (flags & RDW_UPDATENOW)
    UpdateWindow(window);
  else if (flags & RDW_ERASENOW)
    EraseNow(window);
  if (!(flags & RDW_ALLCHILDREN)) return;
  if (const TWindowRecord* record = FindWindowRecord(window))
    for (HWND child : std::vector<HWND>(record->Children)) UpdateNow(child, flags);
}

void MoveChildren(TWindowRecord& record, int dx, int dy) {
  for (HWND child : std::vector<HWND>(record.Children))
    if (const TWindowRecord* childRecord = FindWindowRecord(child))
      SetWindowPos(child, nullptr, childRecord->Bounds.Left + dx, childRecord->Bounds.Top + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Compose(HWND window, TGdiBitmap& target, TPoint at) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record || !(record->Style & WS_VISIBLE)) return;
  const TWindowPixels pixels = PixelsOf(*record);
  CopyPixels(*pixels.Surface, Bounds(pixels.Origin.X, pixels.Origin.Y, record->Width(), record->Height()), target, at);
  const TPoint client{at.X + record->Client.Left, at.Y + record->Client.Top};
  const std::vector<HWND> children = record->Children;
  for (auto child = children.rbegin(); child != children.rend(); ++child)
    if (const TWindowRecord* childRecord = FindWindowRecord(*child))
      Compose(*child, target, {client.X + childRecord->Bounds.Left, client.Y + childRecord->Bounds.Top});
}

}  // namespace

void InvalidateWholeWindow(TWindowRecord& record) {
  record.Invalid = TRegion(ClientArea(record));
  record.EraseNeeded = true;
  record.FrameInvalid = true;
  RequestPaint(record);
}

bool FindWindowToPaint(MSG& message, HWND filter) {
  for (HWND window : ThreadWindows())
    if (const TWindowRecord* record = FindWindowRecord(window);
        (!filter || window == filter) && record->NeedsPaint() && CanPaint(*record)) {
      message = {window, WM_PAINT, 0, 0, GetMessageTime(), {}};
      return true;
    }
  return false;
}

HDC BeginPaint(HWND window, PAINTSTRUCT& paint) {
  paint = {};
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return nullptr;
  PaintFrameNow(window, *record);
  if (!(record = FindWindowRecord(window))) return nullptr;
  const TRegion region = record->Invalid;
  const bool erase = record->EraseNeeded;
  Validate(*record);
  paint.rcPaint = region.Bounds();
  paint.hdc = ClientDC(window, *record, region);
  paint.fErase = erase && !SendErase(window, *record, paint.hdc);
  return paint.hdc;
}

bool EndPaint(HWND window, const PAINTSTRUCT& paint) { return ReleaseDC(window, paint.hdc) != 0; }

bool InvalidateRect(HWND window, const TRect* rect, bool erase) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  return RedrawWindow(window, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

bool InvalidateRgn(HWND window, HRGN region, bool erase) {
  return RedrawWindow(window, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

bool ValidateRect(HWND window, const TRect* rect) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  if (!rect) {
    Validate(*record);
    return true;
  }
  return RedrawWindow(window, rect, nullptr, RDW_VALIDATE);
}

bool GetUpdateRect(HWND window, TRect* rect, bool erase) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  if (rect) *rect = record->Invalid.Bounds();
  const bool invalid = !record->Invalid.IsEmpty();
  // Erasing may destroy the window, and its record with it.
  if (erase) EraseNow(window);
  return invalid;
}

int GetUpdateRgn(HWND window, HRGN region, bool erase) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record || !region) return RGN_ERROR;
  region->Region = record->Invalid;
  if (erase) EraseNow(window);
  return region->Region.Complexity();
}

bool UpdateWindow(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  if (!record->NeedsPaint() || !CanPaint(*record)) return true;
  const uint64_t before = Validations;
  SendMessage(window, WM_PAINT, 0, 0);
  // A handler that validated nothing would be asked again and again.
  if (TWindowRecord* painted = FindWindowRecord(window); painted && Validations == before) {
    Validate(*painted);
    painted->FrameInvalid = false;
  }
  return true;
}

bool RedrawWindow(HWND window, const TRect* rect, HRGN region, UINT flags) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  TRegion area = region ? region->Region : TRegion(rect ? *rect : ClientArea(*record));
  RedrawTree(window, area, flags);
  UpdateNow(window, flags);
  return true;
}

HDC GetDC(HWND window) {
  TWindowRecord* record = FindWindowRecord(window);
  return record ? ClientDC(window, *record, TRegion(ClientArea(*record))) : nullptr;
}

HDC GetWindowDC(HWND window) {
  TWindowRecord* record = FindWindowRecord(window);
  return record ? HandOut(window, *record, {0, 0}, TRegion(WindowArea(*record))) : nullptr;
}

HDC GetDCEx(HWND window, HRGN region, DWORD flags) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return nullptr;
  const bool whole = (flags & DCX_WINDOW) != 0;
  const TPoint origin = whole ? TPoint{0, 0} : record->Client.TopLeft();
  TRegion visible(whole ? WindowArea(*record) : ClientArea(*record));
  if (region && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
    TRegion limit = region->Region;
    const TRect screen = ScreenBounds(*record);
    limit.Offset(-screen.Left - origin.X, -screen.Top - origin.Y);
    visible = TRegion::Combine(visible, limit, (flags & DCX_INTERSECTRGN) ? RGN_AND : RGN_DIFF);
  }
  if (flags & DCX_VALIDATE) Validate(*record);
  return HandOut(window, *record, origin, std::move(visible));
}

HWND WindowFromDC(HDC dc) {
  const auto found = FindWindowDC(dc);
  return found == WindowDCs().end() ? nullptr : found->Window;
}

int ReleaseDC(HWND window, HDC dc) {
  const auto found = FindWindowDC(dc);
  if (found == WindowDCs().end()) return 0;
  const TWindowDC released = std::move(*found);
  WindowDCs().erase(found);
  if (const TWindowRecord* record = FindWindowRecord(window)) {
    TRect changed = released.DC->Visible().Bounds();
    OffsetRect(changed, released.Origin.X, released.Origin.Y);
    Present(*record, changed);
  }
  return 1;
}

bool ScrollWindow(HWND window, int dx, int dy, const TRect* scroll, const TRect* clip) {
  return ScrollWindowEx(window, dx, dy, scroll, clip, nullptr, nullptr, SW_INVALIDATE) != RGN_ERROR;
}

int ScrollWindowEx(HWND window, int dx, int dy, const TRect* scroll, const TRect* clip, HRGN update,
                   TRect* updateRect, UINT flags) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return RGN_ERROR;
  auto uncovered = MakeCounted<TGdiRegion>();
  const HDC dc = GetDC(window);
  ScrollDC(dc, dx, dy, scroll, clip, uncovered.get(), updateRect);
  ReleaseDC(window, dc);
  // What was invalid moves with the pixels.
  TRect area = scroll ? *scroll : ClientArea(*record);
  if (clip) IntersectRect(area, area, *clip);
  // Pixels moved out from under a child sharing the surface were the child's.
  if (TRegion lent = SharingChildrenArea(*record); !lent.IsEmpty()) {
    lent.Offset(dx - record->Client.Left, dy - record->Client.Top);
    lent.Intersect(area);
    uncovered->Region = TRegion::Combine(uncovered->Region, lent, RGN_OR);
    if (updateRect) *updateRect = uncovered->Region.Bounds();
  }
  TRegion moved = TRegion::Combine(record->Invalid, TRegion(area), RGN_AND);
  record->Invalid = TRegion::Combine(record->Invalid, moved, RGN_DIFF);
  moved.Offset(dx, dy);
  record->Invalid = TRegion::Combine(record->Invalid, TRegion::Combine(moved, TRegion(area), RGN_AND), RGN_OR);
  if (flags & SW_SCROLLCHILDREN) MoveChildren(*record, dx, dy);
  if (update) update->Region = uncovered->Region;
  if (flags & SW_INVALIDATE) InvalidateRgn(window, uncovered.get(), (flags & SW_ERASE) != 0);
  return uncovered->Region.Complexity();
}

TWindowPixels WindowPixels(HWND window) {
  TWindowRecord* record = FindWindowRecord(window);
  return record ? PixelsOf(*record) : TWindowPixels{};
}

CountedPtr<TGdiBitmap> WindowSurface(HWND window) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return nullptr;
  const TWindowPixels pixels = PixelsOf(*record);
  if (!record->Shared) return pixels.Surface;
  auto copy = MakeCounted<TGdiBitmap>(std::max(record->Width(), 0), std::max(record->Height(), 0), pf32bit);
  CopyPixels(*pixels.Surface, Bounds(pixels.Origin.X, pixels.Origin.Y, copy->Width(), copy->Height()), *copy, {0, 0});
  return copy;
}

void PresentNow(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (record && record->Host && CanPaint(*record)) record->Host->PresentNow();
}

void UpdateWindowTree(HWND window) {
  UpdateWindow(window);
  if (const TWindowRecord* record = FindWindowRecord(window))
    for (HWND child : std::vector<HWND>(record->Children)) UpdateWindowTree(child);
}

CountedPtr<TGdiBitmap> RenderWindow(HWND window) {
  UpdateWindowTree(window);
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return nullptr;
  auto image = MakeCounted<TGdiBitmap>(record->Width(), record->Height(), pf32bit);
  Compose(window, *image, {0, 0});
  return image;
}

CountedPtr<TGdiBitmap> CaptureScreen(const TRect& rect, const std::vector<HWND>& leftOut) {
  auto image = MakeCounted<TGdiBitmap>(std::max(rect.Width(), 0), std::max(rect.Height(), 0), pf32bit);
  const std::uint32_t desktop = ColorToPixel(GetSysColor(COLOR_BACKGROUND));
  std::vector<std::uint32_t> row(static_cast<size_t>(image->Width()), desktop);
  for (int y = 0; y < image->Height(); ++y) image->StoreRow(y, 0, image->Width(), row.data());
  const std::vector<HWND> windows = TopLevelWindows();
  for (auto window = windows.rbegin(); window != windows.rend(); ++window) {
    if (std::find(leftOut.begin(), leftOut.end(), *window) != leftOut.end()) continue;
    TRect bounds;
    if (!IsWindowVisible(*window) || !GetWindowRect(*window, bounds)) continue;
    TRect common;
    if (!IntersectRect(common, bounds, rect)) continue;
    UpdateWindowTree(*window);
    Compose(*window, *image, {bounds.Left - rect.Left, bounds.Top - rect.Top});
  }
  return image;
}

namespace {

TRect ScreenClientRect(HWND window) {
  TRect r;
  GetClientRect(window, r);
  TPoint origin{0, 0};
  ClientToScreen(window, origin);
  OffsetRect(r, origin.X, origin.Y);
  return r;
}

}  // namespace

HRGN VisibleRegion(HWND window, const std::vector<HWND>& leftOut) {
  TRect visible = ScreenClientRect(window);
  for (HWND parent = GetParent(window); parent; parent = GetParent(parent))
    if (!IntersectRect(visible, visible, ScreenClientRect(parent))) visible = {};
  const HRGN region = CreateRectRgnIndirect(visible);
  const HWND root = GetAncestor(window, GA_ROOT);
  for (HWND front : TopLevelWindows()) {
    if (front == root) break;
    TRect bounds;
    if (std::find(leftOut.begin(), leftOut.end(), front) != leftOut.end() || !IsWindowVisible(front) ||
        !GetWindowRect(front, bounds))
      continue;
    const HRGN covered = CreateRectRgnIndirect(bounds);
    CombineRgn(region, region, covered, RGN_DIFF);
    DeleteObject(covered);
  }
  return region;
}
