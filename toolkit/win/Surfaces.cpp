// Where each window's pixels live. A top-level window has a surface of its
// own. A child window shown inside its parent's client area, overlapped by
// no shown sibling, keeps its pixels in its top-level window's surface, at
// its place there: the desktop shows only it at that place, so nothing is
// lost and no second copy of those pixels is kept. Its parent's device
// contexts leave that place out. Any other window (hidden, overlapped,
// reaching past its parent, shaped) draws on a surface of its own, made
// when something first draws there.
//
// A window that starts or stops sharing, or moves while sharing, has its
// pixels somewhere new: it is painted again whole, its children with it,
// and its parent paints the place it left.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/WindowRecord.h"

namespace {

bool Contains(const TRect& outer, const TRect& inner) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

bool OverlapsShownSibling(const TWindowRecord& record, const TWindowRecord& parent) {
  return std::any_of(parent.Children.begin(), parent.Children.end(), [&record](HWND sibling) {
    const TWindowRecord* other = FindWindowRecord(sibling);
    TRect common;
    return other && other != &record && (other->Style & WS_VISIBLE) &&
           IntersectRect(common, other->Bounds, record.Bounds);
  });
}

bool CanShare(const TWindowRecord& record) {
  if (!record.IsChild() || !(record.Style & WS_VISIBLE) || record.Shape || record.Destroying) return false;
  const TWindowRecord* parent = FindWindowRecord(record.Parent);
  if (!parent || (parent->IsChild() && !parent->Shared)) return false;
  return Contains({0, 0, parent->Client.Width(), parent->Client.Height()}, record.Bounds) &&
         !OverlapsShownSibling(record, *parent);
}

void UpdateChildren(TWindowRecord& parent, bool relocated);

// The window's pixels are to be found somewhere new: painted again, with its children's.
void SetSharing(TWindowRecord& record, bool shared) {
  const bool was = record.Shared;
  record.Shared = shared;
  if (shared) record.Surface = nullptr;
  // Its parent showed it at this place; now the parent's own pixels show there.
  if (was && !shared) RedrawWindow(record.Parent, &record.Bounds, nullptr, RDW_INVALIDATE | RDW_ERASE);
  InvalidateWholeWindow(record);
  UpdateChildren(record, true);
}

// Relocated: the parent's pixels moved, and with them those of every sharing child.
void UpdateChildren(TWindowRecord& parent, bool relocated) {
  for (HWND child : std::vector<HWND>(parent.Children)) {
    TWindowRecord* record = FindWindowRecord(child);
    if (!record) continue;
    const bool shares = CanShare(*record);
    if (shares != record->Shared || (relocated && shares)) SetSharing(*record, shares);
  }
}

TWindowPixels SpotOf(TWindowRecord& record) {
  if (!record.Shared) {
    if (!record.Surface)
      record.Surface = MakeCounted<TGdiBitmap>(std::max(record.Width(), 0), std::max(record.Height(), 0), pf32bit);
    return {record.Surface, {0, 0}};
  }
  TWindowRecord& parent = *FindWindowRecord(record.Parent);
  const TWindowPixels spot = SpotOf(parent);
  return {spot.Surface, {spot.Origin.X + parent.Client.Left + record.Bounds.Left,
                         spot.Origin.Y + parent.Client.Top + record.Bounds.Top}};
}

}  // namespace

TWindowPixels PixelsOf(TWindowRecord& record) { return SpotOf(record); }

TRegion SharingChildrenArea(const TWindowRecord& record) {
  TRegion area;
  for (HWND child : record.Children)
    if (const TWindowRecord* childRecord = FindWindowRecord(child); childRecord && childRecord->Shared) {
      TRect place = childRecord->Bounds;
      OffsetRect(place, record.Client.Left, record.Client.Top);
      area.Unite(place);
    }
  return area;
}

void CopyPixels(const TGdiBitmap& source, const TRect& from, TGdiBitmap& target, TPoint at) {
  TRect part = from;
  if (!IntersectRect(part, part, {0, 0, source.Width(), source.Height()})) return;
  const int dx = at.X - from.Left;
  const int dy = at.Y - from.Top;
  TRect placed = part;
  OffsetRect(placed, dx, dy);
  if (!IntersectRect(placed, placed, {0, 0, target.Width(), target.Height()})) return;
  std::vector<std::uint32_t> row(static_cast<size_t>(placed.Width()));
  for (int y = placed.Top; y < placed.Bottom; ++y) {
    source.FetchRow(y - dy, placed.Left - dx, placed.Width(), row.data());
    target.StoreRow(y, placed.Left, placed.Width(), row.data());
  }
}

// A new surface of the window's size keeps the pixels that still fit, so
// that drawing made outside painting survives until the next paint. A frame
// change that keeps the window's size (scroll bars shown or hidden) keeps
// the surface itself; a window with no surface yet gets one when drawn on.
void WindowSizeChanged(TWindowRecord& record) {
  record.Invalid.Intersect({0, 0, record.Client.Width(), record.Client.Height()});
  const int width = std::max(record.Width(), 0);
  const int height = std::max(record.Height(), 0);
  if (!record.Surface || (record.Surface->Width() == width && record.Surface->Height() == height)) return;
  auto surface = MakeCounted<TGdiBitmap>(width, height, pf32bit);
  CopyPixels(*record.Surface, {0, 0, width, height}, *surface, {0, 0});
  record.Surface = surface;
}

void PlacementChanged(TWindowRecord& record, const TRect& oldBounds, const TRect& oldClient, bool wasShared) {
  const HWND window = record.Handle;
  if (wasShared && record.Bounds != oldBounds)
    RedrawWindow(record.Parent, &oldBounds, nullptr, RDW_INVALIDATE | RDW_ERASE);
  if (TWindowRecord* parent = record.IsChild() ? FindWindowRecord(record.Parent) : nullptr)
    UpdateChildren(*parent, false);
  TWindowRecord* current = FindWindowRecord(window);
  if (!current) return;
  const bool moved = current->Bounds.TopLeft() != oldBounds.TopLeft();
  if (wasShared && current->Shared && moved) {
    SetSharing(*current, true);
    return;
  }
  const bool clientMoved = current->Client.TopLeft() != oldClient.TopLeft();
  if (clientMoved || current->Client != oldClient) UpdateChildren(*current, clientMoved);
}

void ParentChanged(TWindowRecord& record, HWND oldParent, bool wasShared) {
  if (wasShared) RedrawWindow(oldParent, &record.Bounds, nullptr, RDW_INVALIDATE | RDW_ERASE);
  record.Shared = false;
  if (TWindowRecord* old = FindWindowRecord(oldParent)) UpdateChildren(*old, false);
  SetSharing(record, CanShare(record));
}
