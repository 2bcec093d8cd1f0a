#include "toolkit/win/MdiClient.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "toolkit/win/Menu.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/WindowRecord.h"

namespace {

struct TMdiState {
  HWND Active = nullptr;
  std::unordered_map<HWND, TRect> RestoreBounds;  // of maximised children, parent coordinates
};

std::unordered_map<HWND, TMdiState>& States() {
  static std::unordered_map<HWND, TMdiState> states;
  return states;
}

bool IsMdiChild(HWND window) { return (GetWindowLongPtr(window, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0; }

// The MDI children, front first.
std::vector<HWND> Children(HWND client) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsMdiChild(child)) children.push_back(child);
  return children;
}

TRect BoundsInParent(HWND window) {
  TRect rect;
  GetWindowRect(window, rect);
  TPoint corners[2] = {rect.TopLeft(), rect.BottomRight()};
  MapWindowPoints(nullptr, GetParent(window), corners, 2);
  return {corners[0].X, corners[0].Y, corners[1].X, corners[1].Y};
}

void Place(HWND window, const TRect& rect) {
  SetWindowPos(window, nullptr, rect.Left, rect.Top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Activate(HWND client, HWND child) {
  TMdiState& state = States()[client];
  const HWND old = state.Active;
  if (old == child) return;
  state.Active = child;
  if (IsWindow(old)) {
    SendMessage(old, WM_NCACTIVATE, false, 0);
    SendMessage(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), HandleToParam(child));
  }
  if (!child) return;
  SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessage(child, WM_NCACTIVATE, true, 0);
  SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), HandleToParam(child));
  SendMessage(child, WM_CHILDACTIVATE, 0, 0);
}

void Maximize(HWND client, HWND child) {
  TWindowRecord* record = FindWindowRecord(child);
  if (!record || record->Maximized) return;
  States()[client].RestoreBounds[child] = BoundsInParent(child);
  record->Maximized = true;
  TRect area;
  GetClientRect(client, area);
  Place(child, area);
}

void Restore(HWND client, HWND child) {
  TWindowRecord* record = FindWindowRecord(child);
  if (!record || !record->Maximized) return;
  record->Maximized = false;
  auto& saved = States()[client].RestoreBounds;
  if (const auto found = saved.find(child); found != saved.end()) {
    Place(child, found->second);
    saved.erase(found);
  }
}

std::vector<HWND> Arrangeable(HWND client) {
  std::vector<HWND> children;
  for (HWND child : Children(client))
    if (IsWindowVisible(child)) {
      Restore(client, child);
      children.push_back(child);
    }
  return children;
}

// Rows (MDITILE_HORIZONTAL: columns) of children sharing the client area.
void Tile(HWND client, WPARAM how) {
  const std::vector<HWND> children = Arrangeable(client);
  if (children.empty()) return;
  TRect area;
  GetClientRect(client, area);
  const int count = static_cast<int>(children.size());
  const int lines = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
  const int perLine = (count + lines - 1) / lines;
  for (int i = 0; i < count; ++i) {
    const int line = i / perLine, place = i % perLine;
    const int inLine = std::min(perLine, count - line * perLine);
    TRect rect;
    if (how & MDITILE_HORIZONTAL)
      rect = {area.Width() * place / inLine, area.Height() * line / lines, area.Width() * (place + 1) / inLine,
              area.Height() * (line + 1) / lines};
    else
      rect = {area.Width() * line / lines, area.Height() * place / inLine, area.Width() * (line + 1) / lines,
              area.Height() * (place + 1) / inLine};
    Place(children[static_cast<size_t>(i)], rect);
  }
}

// Each child a caption's height lower and to the right of the one behind it.
void Cascade(HWND client) {
  std::vector<HWND> children = Arrangeable(client);
  std::reverse(children.begin(), children.end());
  TRect area;
  GetClientRect(client, area);
  const int step = GetSystemMetrics(SM_CYCAPTION);
  const int width = area.Width() * 2 / 3, height = area.Height() * 2 / 3;
  for (size_t i = 0; i < children.size(); ++i) {
    const int offset = static_cast<int>(i) * step;
    Place(children[i], Bounds(offset, offset, width, height));
  }
}

void ChildGone(HWND client, HWND child) {
  TMdiState& state = States()[client];
  state.RestoreBounds.erase(child);
  if (state.Active != child) return;
  state.Active = nullptr;
  for (HWND other : Children(client))
    if (other != child && IsWindowVisible(other)) {
      Activate(client, other);
      return;
    }
}

HWND NextChild(HWND client, HWND from, bool backwards) {
  std::vector<HWND> children = Children(client);
  if (children.size() < 2) return nullptr;
  if (!from) from = States()[client].Active;
  const auto at = std::find(children.begin(), children.end(), from);
  if (at == children.end()) return children.front();
  // Going forward sends the active child to the back and brings up the next.
  return backwards ? children.back() : (std::next(at) == children.end() ? children.front() : *std::next(at));
}

LRESULT MdiClientProc(HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto child = reinterpret_cast<HWND>(wParam);
  switch (message) {
    case WM_MDIACTIVATE: Activate(client, child); return 0;
    case WM_MDIGETACTIVE: {
      const HWND active = States()[client].Active;
      if (lParam) *reinterpret_cast<bool*>(lParam) = IsZoomed(active);
      return HandleToParam(active);
    }
    case WM_MDIDESTROY: DestroyWindow(child); return 0;
    case WM_MDIMAXIMIZE: Maximize(client, child); return 0;
    case WM_MDIRESTORE: Restore(client, child); return 0;
    case WM_MDINEXT: {
      const HWND active = States()[client].Active;
      if (const HWND next = NextChild(client, child, lParam != 0)) {
        Activate(client, next);
        if (lParam == 0 && active) SetWindowPos(active, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
      return 0;
    }
    case WM_MDITILE: Tile(client, wParam); return 1;
    case WM_MDICASCADE: Cascade(client); return 1;
    case WM_MDIREFRESHMENU: return reinterpret_cast<LRESULT>(GetMenu(GetParent(client)));
    case WM_PARENTNOTIFY: {
      const auto from = ParamToHandle<HWND>(lParam);
      if (LOWORD(wParam) == WM_CREATE && IsMdiChild(from)) Activate(client, from);
      if (LOWORD(wParam) == WM_DESTROY && IsMdiChild(from)) ChildGone(client, from);
      return 0;
    }
    case WM_SIZE:
      if (const HWND active = States()[client].Active; IsZoomed(active)) {
        TRect area;
        GetClientRect(client, area);
        Place(active, area);
      }
      break;
    case WM_NCDESTROY: States().erase(client); break;
    default: break;
  }
  return DefWindowProc(client, message, wParam, lParam);
}

}  // namespace

void RegisterMdiClientClass() {
  WNDCLASS windowClass;
  if (GetClassInfo(MdiClientClass, windowClass)) return;
  windowClass.lpfnWndProc = &MdiClientProc;
  windowClass.hbrBackground = COLOR_APPWORKSPACE + 1;
  windowClass.lpszClassName = MdiClientClass;
  RegisterClass(windowClass);
}
