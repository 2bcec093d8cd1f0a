// Window geometry: placement, size, z order, visibility and coordinate mapping.

#include <algorithm>
#include <memory>

#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/WindowRecord.h"

namespace {

std::vector<HWND>* Siblings(const TWindowRecord& record) {
  if (!record.IsChild()) return nullptr;
  TWindowRecord* parent = FindWindowRecord(record.Parent);
  return parent ? &parent->Children : nullptr;
}

void PlaceInZOrder(TWindowRecord& record, HWND insertAfter) {
  std::vector<HWND>* siblings = Siblings(record);
  if (!siblings) {
    if (insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
      const bool topmost = insertAfter == HWND_TOPMOST;
      record.ExStyle = topmost ? record.ExStyle | WS_EX_TOPMOST : record.ExStyle & ~WS_EX_TOPMOST;
      if (record.Host) record.Host->SetStayOnTop(topmost);
    }
    if (record.Host && (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST)) record.Host->PlaceBehind(nullptr);
    return;
  }
  siblings->erase(std::remove(siblings->begin(), siblings->end(), record.Handle), siblings->end());
  auto position = siblings->begin();
  if (insertAfter == HWND_BOTTOM) {
    position = siblings->end();
  } else if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) {
    const auto after = std::find(siblings->begin(), siblings->end(), insertAfter);
    if (after != siblings->end()) position = std::next(after);
  }
  position = siblings->insert(position, record.Handle);
  if (record.Host) record.Host->PlaceBehind(position == siblings->begin() ? nullptr : *std::prev(position));
}

// Applies visibility flags; answers +1 when the window appeared, -1 when it disappeared.
int ApplyVisibility(TWindowRecord& record, UINT flags) {
  const bool visible = (record.Style & WS_VISIBLE) != 0;
  if ((flags & SWP_SHOWWINDOW) && !visible) {
    record.Style |= WS_VISIBLE;
    if (record.Host) record.Host->SetVisible(true);
    return 1;
  }
  if ((flags & SWP_HIDEWINDOW) && visible) {
    record.Style &= ~WS_VISIBLE;
    if (record.Host) record.Host->SetVisible(false);
    return -1;
  }
  return 0;
}

// Children lie in their parent's client area; a point on the frame belongs to the parent.
HWND DeepestChildAt(HWND window, TPoint screenPoint) {
  for (;;) {
    const TWindowRecord* record = FindWindowRecord(window);
    const TPoint origin = ClientOrigin(*record);
    const TPoint local{screenPoint.X - origin.X, screenPoint.Y - origin.Y};
    if (!PtInRect({0, 0, record->Client.Width(), record->Client.Height()}, local)) return window;
    const auto& children = record->Children;
    const auto child = std::find_if(children.begin(), children.end(), [&local](HWND candidate) {
      const TWindowRecord* childRecord = FindWindowRecord(candidate);
      return (childRecord->Style & WS_VISIBLE) && !(childRecord->Style & WS_DISABLED) &&
             PtInRect(childRecord->Bounds, local) &&
             ShapeContains(*childRecord, {local.X - childRecord->Bounds.Left, local.Y - childRecord->Bounds.Top});
    });
    if (child == children.end()) return window;
    window = *child;
  }
}

void AfterHidden(HWND window) {
  if (GetFocus() == window || IsChild(window, GetFocus())) SetFocus(nullptr);
  if (GetActiveWindow() == window) SetActiveWindow(GetWindow(window, GW_OWNER));
}

// Only a top-level window minimizes: the desktop keeps it, as an icon.
void SetMinimized(TWindowRecord& record, bool minimized) {
  if (record.IsChild() || record.Minimized == minimized) return;
  record.Minimized = minimized;
  if (record.Host) record.Host->SetMinimized(minimized);
}

}  // namespace

TRect ScreenBounds(const TWindowRecord& record) {
  TRect bounds = record.Bounds;
  if (record.IsChild())
    if (const TWindowRecord* parent = FindWindowRecord(record.Parent)) {
      const TPoint origin = ClientOrigin(*parent);
      OffsetRect(bounds, origin.X, origin.Y);
    }
  return bounds;
}

TPoint ClientOrigin(const TWindowRecord& record) {
  const TRect bounds = ScreenBounds(record);
  return {bounds.Left + record.Client.Left, bounds.Top + record.Client.Top};
}

void RecalculateClient(HWND window) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return;
  NCCALCSIZE_PARAMS params;
  params.rgrc[0] = params.rgrc[1] = record->Bounds;
  params.rgrc[2] = record->Client;
  OffsetRect(params.rgrc[2], record->Bounds.Left, record->Bounds.Top);
  SendMessage(window, WM_NCCALCSIZE, true, reinterpret_cast<LPARAM>(&params));
  if (!(record = FindWindowRecord(window))) return;
  TRect client = params.rgrc[0];
  OffsetRect(client, -record->Bounds.Left, -record->Bounds.Top);
  client.Left = std::clamp(client.Left, 0, record->Width());
  client.Top = std::clamp(client.Top, 0, record->Height());
  client.Right = std::clamp(client.Right, client.Left, record->Width());
  client.Bottom = std::clamp(client.Bottom, client.Top, record->Height());
  const bool originMoved = client.TopLeft() != record->Client.TopLeft();
  record->Client = client;
  // Children are placed in the client area: their bodies follow its origin.
  if (originMoved)
    for (HWND child : record->Children)
      if (const TWindowRecord* childRecord = FindWindowRecord(child); childRecord && childRecord->Host)
        childRecord->Host->SetBounds(childRecord->Bounds);
}

bool SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  const TRect oldBounds = record->Bounds;
  const TRect oldClient = record->Client;
  const bool wasShared = record->Shared;
  WINDOWPOS position{window, insertAfter, x, y, width, height, flags};
  if (flags & SWP_NOMOVE) position.x = oldBounds.Left, position.y = oldBounds.Top;
  if (flags & SWP_NOSIZE) position.cx = oldBounds.Width(), position.cy = oldBounds.Height();
  if (!(flags & SWP_NOSENDCHANGING)) SendMessage(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
  if (!(record = FindWindowRecord(window))) return false;

  const TRect newBounds = Bounds(position.x, position.y, std::max(position.cx, 0), std::max(position.cy, 0));
  const bool moved = newBounds.TopLeft() != oldBounds.TopLeft();
  const bool sized = newBounds.Width() != oldBounds.Width() || newBounds.Height() != oldBounds.Height();
  if (!(position.flags & SWP_NOZORDER)) PlaceInZOrder(*record, position.hwndInsertAfter);
  record->Bounds = newBounds;
  if (record->Host && (moved || sized)) record->Host->SetBounds(newBounds);
  if (sized || (position.flags & SWP_FRAMECHANGED)) {
    RecalculateClient(window);
    if (!(record = FindWindowRecord(window))) return false;
    WindowSizeChanged(*record);
  }
  const int visibility = ApplyVisibility(*record, position.flags);
  if ((visibility > 0 || sized || (position.flags & SWP_FRAMECHANGED)) && !(position.flags & SWP_NOREDRAW))
    InvalidateWholeWindow(*record);
  if (moved || sized || visibility != 0 || (position.flags & SWP_FRAMECHANGED))
    PlacementChanged(*record, oldBounds, oldClient, wasShared);

  const bool clientSized = record->Client.Width() != oldClient.Width() || record->Client.Height() != oldClient.Height();
  const bool clientMoved = moved || record->Client.TopLeft() != oldClient.TopLeft();
  // The flags tell what happened to the client area: a frame change (a menu
  // bar set) sizes it without sizing the window, and its owner must hear it.
  position.flags &= ~(SWP_NOSIZE | SWP_NOMOVE);
  position.flags |= (clientSized ? 0 : SWP_NOSIZE) | (clientMoved ? 0 : SWP_NOMOVE);
  if (visibility < 0) AfterHidden(window);
  if (visibility > 0 && !record->IsChild() && !(position.flags & SWP_NOACTIVATE)) SetActiveWindow(window);
  SendMessage(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
  return true;
}

HDWP BeginDeferWindowPos(int count) {
  auto* batch = new std::vector<WINDOWPOS>;
  batch->reserve(static_cast<size_t>(std::max(count, 0)));
  return reinterpret_cast<HDWP>(batch);
}

HDWP DeferWindowPos(HDWP batch, HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  if (!batch) return nullptr;
  reinterpret_cast<std::vector<WINDOWPOS>*>(batch)->push_back({window, insertAfter, x, y, width, height, flags});
  return batch;
}

bool EndDeferWindowPos(HDWP batch) {
  if (!batch) return false;
  const std::unique_ptr<std::vector<WINDOWPOS>> positions(reinterpret_cast<std::vector<WINDOWPOS>*>(batch));
  for (const WINDOWPOS& p : *positions) SetWindowPos(p.hwnd, p.hwndInsertAfter, p.x, p.y, p.cx, p.cy, p.flags);
  return true;
}

bool MoveWindow(HWND window, int x, int y, int width, int height, bool repaint) {
  return SetWindowPos(window, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

bool ShowWindow(HWND window, int command) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  const bool wasVisible = (record->Style & WS_VISIBLE) != 0;
  if (command == SW_HIDE) {
    if (!wasVisible) return false;
    SendMessage(window, WM_SHOWWINDOW, false, 0);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
  }
  const bool minimize = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
  if (minimize || (record->Minimized && command == SW_RESTORE)) {
    SetMinimized(*record, minimize);
  } else {
    const bool maximize = command == SW_SHOWMAXIMIZED;
    if (maximize || command == SW_RESTORE || command == SW_SHOWNORMAL) {
      SetMinimized(*record, false);
      record->Maximized = maximize;
      if (record->Host) record->Host->SetMaximized(maximize);
    }
  }
  const bool activate = command != SW_SHOWNA && command != SW_SHOWNOACTIVATE && command != SW_SHOWMINNOACTIVE;
  if (!wasVisible) {
    SendMessage(window, WM_SHOWWINDOW, true, 0);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (activate ? 0 : SWP_NOACTIVATE));
  } else if (activate && !record->IsChild()) {
    SetActiveWindow(window);
  }
  return wasVisible;
}

bool GetWindowRect(HWND window, TRect& rect) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  rect = ScreenBounds(*record);
  return true;
}

bool GetClientRect(HWND window, TRect& rect) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  rect = {0, 0, record->Client.Width(), record->Client.Height()};
  return true;
}

bool ClientToScreen(HWND window, TPoint& point) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  const TPoint origin = ClientOrigin(*record);
  point = {point.X + origin.X, point.Y + origin.Y};
  return true;
}

bool ScreenToClient(HWND window, TPoint& point) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  const TPoint origin = ClientOrigin(*record);
  point = {point.X - origin.X, point.Y - origin.Y};
  return true;
}

void MapWindowPoints(HWND from, HWND to, TPoint* points, int count) {
  for (int i = 0; i < count; ++i) {
    if (from) ClientToScreen(from, points[i]);
    if (to) ScreenToClient(to, points[i]);
  }
}

HWND ChildWindowFromPoint(HWND parent, TPoint clientPoint) {
  const TWindowRecord* record = FindWindowRecord(parent);
  if (!record) return nullptr;
  for (HWND child : record->Children)
    if (const TWindowRecord* childRecord = FindWindowRecord(child); PtInRect(childRecord->Bounds, clientPoint))
      return child;
  TRect area = record->Bounds;
  OffsetRect(area, -area.Left - record->Client.Left, -area.Top - record->Client.Top);
  return PtInRect(area, clientPoint) ? parent : nullptr;
}

HWND WindowFromPoint(TPoint screenPoint) {
  HWND found = nullptr;
  for (HWND window : TopLevelWindows())
    if (const TWindowRecord* record = FindWindowRecord(window);
        (record->Style & WS_VISIBLE) && PtInRect(record->Bounds, screenPoint) &&
        ShapeContains(*record, {screenPoint.X - record->Bounds.Left, screenPoint.Y - record->Bounds.Top})) {
      found = window;
      break;
    }
  return found ? DeepestChildAt(found, screenPoint) : nullptr;
}
