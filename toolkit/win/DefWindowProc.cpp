// The default handling of window messages.

#include <algorithm>
#include <cstring>
#include <utility>

#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Cursor.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MenuRecord.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/NonClient.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/WindowRecord.h"

namespace {

TPoint PointOf(LPARAM param) { return {GET_X_LPARAM(param), GET_Y_LPARAM(param)}; }

LRESULT CalcSize(TWindowRecord& record, LPARAM lParam) {
  auto& proposed = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0];
  const TRect oldBounds = record.Bounds;
  const TRect newBounds = proposed;
  // The layout depends on the size; measure it at the proposed size.
  record.Bounds = newBounds;
  TRect client = FrameLayout(record).Client;
  record.Bounds = oldBounds;
  OffsetRect(client, newBounds.Left, newBounds.Top);
  proposed = client;
  return 0;
}

LRESULT NonClientPaint(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record || !IsWindowVisible(window)) return 0;
  const HDC dc = GetWindowDC(window);
  PaintFrame(*record, dc);
  ReleaseDC(window, dc);
  return 0;
}

LRESULT EraseBackground(const TWindowRecord& record, HDC dc) {
  const int color = record.Class->Definition.hbrBackground - 1;
  if (color < 0) return 0;
  FillRect(dc, {0, 0, record.Client.Width(), record.Client.Height()}, GetSysColorBrush(color));
  return 1;
}

LRESULT Paint(HWND window) {
  PAINTSTRUCT paint;
  BeginPaint(window, paint);
  EndPaint(window, paint);
  return 0;
}

// Draws the frame, erases and asks for the client area into the given DC,
// then does the same for the visible children at their places.
LRESULT Print(HWND window, HDC dc, LPARAM flags) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record || ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(window))) return 0;
  if (flags & PRF_NONCLIENT) PaintFrame(*record, dc);
  const int level = SaveDC(dc);
  OffsetWindowOrgEx(dc, -record->Client.Left, -record->Client.Top, nullptr);
  IntersectClipRect(dc, 0, 0, record->Client.Width(), record->Client.Height());
  if (flags & PRF_ERASEBKGND) SendMessage(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  if (flags & PRF_CLIENT) SendMessage(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
  if (flags & PRF_CHILDREN)
    if ((record = FindWindowRecord(window))) {
      const std::vector<HWND> children = record->Children;
      for (auto child = children.rbegin(); child != children.rend(); ++child) {
        const TWindowRecord* childRecord = FindWindowRecord(*child);
        if (!childRecord || !(childRecord->Style & WS_VISIBLE)) continue;
        const int childLevel = SaveDC(dc);
        OffsetWindowOrgEx(dc, -childRecord->Bounds.Left, -childRecord->Bounds.Top, nullptr);
        Print(*child, dc, flags | PRF_NONCLIENT);
        RestoreDC(dc, childLevel);
      }
    }
  RestoreDC(dc, level);
  return 0;
}

// A caption of the window's own shows the text and the active state.
void RepaintOwnCaption(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (record && record->OwnFrame) NonClientPaint(window);
}

LRESULT SetText(HWND window, TWindowRecord& record, LPARAM lParam) {
  record.Text = lParam ? reinterpret_cast<const char*>(lParam) : "";
  if (record.Host) record.Host->SetTitle(record.Text.c_str());
  RepaintOwnCaption(window);
  return 1;
}

LRESULT NonClientActivate(HWND window, TWindowRecord& record, WPARAM active) {
  record.CaptionActive = active != 0;
  RepaintOwnCaption(window);
  return 1;
}

LRESULT GetText(const TWindowRecord& record, WPARAM size, LPARAM lParam) {
  if (size == 0 || !lParam) return 0;
  const size_t count = std::min<size_t>(record.Text.size(), size - 1);
  char* buffer = reinterpret_cast<char*>(lParam);
  std::memcpy(buffer, record.Text.data(), count);
  buffer[count] = '\0';
  return static_cast<LRESULT>(count);
}

LRESULT PositionChanged(HWND window, const WINDOWPOS& position) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return 0;
  if (!(position.flags & SWP_NOSIZE))
    SendMessage(window, WM_SIZE, record->Maximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
                MAKELPARAM(record->Client.Width(), record->Client.Height()));
  if (!(position.flags & SWP_NOMOVE) && (record = FindWindowRecord(window)))
    SendMessage(window, WM_MOVE, 0,
                MAKELPARAM(record->Bounds.Left + record->Client.Left, record->Bounds.Top + record->Client.Top));
  return 0;
}

// A child asks its parent first; the class cursor serves the client area.
LRESULT SetCursorFor(const TWindowRecord& record, WPARAM wParam, LPARAM lParam) {
  if (record.IsChild() && SendMessage(record.Parent, WM_SETCURSOR, wParam, lParam)) return 1;
  const int hit = static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam)));
  switch (hit) {
    case HTCLIENT:
      if (!record.Class->Definition.hCursor) return 0;
      SetCursor(record.Class->Definition.hCursor);
      return 1;
    case HTLEFT:
    case HTRIGHT: SetCursor(LoadCursor(nullptr, IDC_SIZEWE)); return 1;
    case HTTOP:
    case HTBOTTOM: SetCursor(LoadCursor(nullptr, IDC_SIZENS)); return 1;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: SetCursor(LoadCursor(nullptr, IDC_SIZENWSE)); return 1;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: SetCursor(LoadCursor(nullptr, IDC_SIZENESW)); return 1;
    default: SetCursor(LoadCursor(nullptr, IDC_ARROW)); return 1;
  }
}

LRESULT SystemCommand(HWND window, WPARAM command, LPARAM lParam) {
  switch (command & 0xFFF0) {
    case SC_CLOSE: return SendMessage(window, WM_CLOSE, 0, 0);
    case SC_MAXIMIZE: ShowWindow(window, SW_SHOWMAXIMIZED); return 0;
    case SC_MINIMIZE: ShowWindow(window, SW_MINIMIZE); return 0;
    case SC_RESTORE: ShowWindow(window, SW_RESTORE); return 0;
    case SC_KEYMENU: KeyMenu(window, static_cast<char32_t>(lParam)); return 0;
    default: return 0;
  }
}

bool IsCaptionButton(WPARAM hit) { return hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON; }

// What a press on a frame of the window's own starts: a caption button
// acts when released over it; the caption and the sizing border hand the
// window to the desktop, which moves or sizes it.
void OwnFrameButtonDown(TWindowRecord& record, WPARAM hit) {
  record.PressedCaptionButton = IsCaptionButton(hit) ? static_cast<int>(hit) : 0;
  if (record.Host && (hit == HTCAPTION || (hit >= HTLEFT && hit <= HTBOTTOMRIGHT)))
    record.Host->BeginDesktopMoveOrSize(static_cast<int>(hit));
}

LRESULT NonClientButtonDown(HWND window, WPARAM hit, LPARAM lParam) {
  if (hit == HTVSCROLL || hit == HTHSCROLL) BeginScrollBarTracking(window, hit == HTVSCROLL ? SB_VERT : SB_HORZ, PointOf(lParam));
  if (hit == HTMENU) TrackMenuBar(window, MenuBarItemAt(window, PointOf(lParam)), false);
  if (TWindowRecord* record = FindWindowRecord(window); record && record->OwnFrame) OwnFrameButtonDown(*record, hit);
  return 0;
}

LRESULT NonClientButtonUp(HWND window, TWindowRecord& record, WPARAM hit) {
  const int pressed = std::exchange(record.PressedCaptionButton, 0);
  if (!record.OwnFrame || pressed == 0 || static_cast<WPARAM>(pressed) != hit) return 0;
  const WPARAM command = hit == HTCLOSE ? SC_CLOSE : hit == HTMINBUTTON ? SC_MINIMIZE : IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE;
  SendMessage(window, WM_SYSCOMMAND, command, 0);
  return 0;
}

// The keyboard's ways into menus: Alt+letter and F10 for the menu bar of the
// top-level window, Shift+F10 and the menu key for the context menu.
LRESULT SystemKey(HWND window, UINT message, WPARAM key) {
  const HWND root = GetAncestor(window, GA_ROOT);
  if (message == WM_SYSCHAR) {
    SendMessage(root, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(key));
    return 0;
  }
  const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  if (message == WM_SYSKEYDOWN && key == VK_F10 && !shift) SendMessage(root, WM_SYSCOMMAND, SC_KEYMENU, 0);
  if ((message == WM_SYSKEYDOWN && key == VK_F10 && shift) || (message == WM_KEYUP && key == VK_APPS))
    SendMessage(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), -1);
  return 0;
}

}  // namespace

LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return 0;
  switch (message) {
    case WM_NCCREATE: return 1;
    case WM_NCCALCSIZE: return CalcSize(*record, lParam);
    case WM_NCHITTEST: return HitTestFrame(*record, PointOf(lParam));
    case WM_NCPAINT: return NonClientPaint(window);
    case WM_NCACTIVATE: return NonClientActivate(window, *record, wParam);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: return NonClientButtonDown(window, wParam, lParam);
    case WM_NCLBUTTONUP: return NonClientButtonUp(window, *record, wParam);
    case WM_PAINT: return Paint(window);
    case WM_ERASEBKGND: return EraseBackground(*record, reinterpret_cast<HDC>(wParam));
    case WM_PRINT: return Print(window, reinterpret_cast<HDC>(wParam), lParam);
    case WM_SETTEXT: return SetText(window, *record, lParam);
    case WM_GETTEXT: return GetText(*record, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(record->Text.size());
    case WM_SETREDRAW: record->RedrawEnabled = wParam != 0; return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_SYSCOMMAND: return SystemCommand(window, wParam, lParam);
    case WM_WINDOWPOSCHANGED: return PositionChanged(window, *reinterpret_cast<const WINDOWPOS*>(lParam));
    case WM_SETCURSOR: return SetCursorFor(*record, wParam, lParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && GetFocus() != window && !IsChild(window, GetFocus())) SetFocus(window);
      return 0;
    case WM_MOUSEACTIVATE:
      if (record->IsChild()) {
        const LRESULT answer = SendMessage(record->Parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (answer) return answer;
      }
      return MA_ACTIVATE;
    case WM_RBUTTONUP: {
      TPoint point = PointOf(lParam);
      ClientToScreen(window, point);
      SendMessage(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(point.X, point.Y));
      return 0;
    }
    case WM_NCRBUTTONUP:
      SendMessage(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), lParam);
      return 0;
    case WM_SYSCHAR:
    case WM_SYSKEYDOWN:
    case WM_KEYUP: return SystemKey(window, message, wParam);
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      return record->IsChild() ? SendMessage(record->Parent, message, wParam, lParam) : 0;
    case WM_CANCELMODE:
      CancelMouseTracking();
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    default: return 0;
  }
}
