#include "toolkit/controls/Screen.h"

#include <algorithm>

#include "toolkit/controls/WinControl.h"

#include "toolkit/win/Cursor.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"

namespace {

uintptr_t StandardCursor(TCursor cursor) {
  switch (cursor) {
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNS: return IDC_SIZENS;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeWE: return IDC_SIZEWE;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass: return IDC_WAIT;
    case crNo: return IDC_NO;
    case crAppStart: return IDC_APPSTARTING;
    case crHelp: return IDC_HELP;
    case crHandPoint: return IDC_HAND;
    case crSizeAll: return IDC_SIZEALL;
    default: return IDC_ARROW;
  }
}

void AssignLogFont(TFont& font, const TLogFont& logFont) {
  font.SetName(logFont.lfFaceName);
  font.SetHeight(logFont.lfHeight);
  font.SetStyle(logFont.lfWeight >= FW_BOLD ? fsBold : 0);
}

}  // namespace

TScreen::TScreen() : TComponent(nullptr) {
  NONCLIENTMETRICS metrics;
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  AssignLogFont(hintFont_, metrics.lfStatusFont);
  AssignLogFont(menuFont_, metrics.lfMenuFont);
  AssignLogFont(iconFont_, metrics.lfMessageFont);
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }

int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

TRect TScreen::DesktopRect() const { return VirtualScreen(GetMonitors()); }

TMonitor TScreen::MonitorFromPoint(TPoint point) const {
  const auto monitors = GetMonitors();
  return monitors[MonitorIndexFromPoint(monitors, point)];
}

TMonitor TScreen::MonitorFromWindow(HWND window) const {
  const auto monitors = GetMonitors();
  TRect bounds;
  if (!GetWindowRect(window, bounds)) return monitors[PrimaryMonitorIndex(monitors)];
  return monitors[MonitorIndexFromRect(monitors, bounds)];
}

TRect TScreen::WorkAreaRect() const {
  const auto monitors = GetMonitors();
  return monitors[PrimaryMonitorIndex(monitors)].WorkArea;
}

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  ::SetCursor(Cursors(cursor));
}

HCURSOR TScreen::Cursors(TCursor cursor) const {
  if (cursor == crNone) return nullptr;
  const auto registered = cursors_.find(cursor);
  if (registered != cursors_.end()) return registered->second;
  return LoadCursor(nullptr, StandardCursor(cursor));
}

void TScreen::AddForm(TForm* form) { forms_.push_back(form); }

void TScreen::RemoveForm(TForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  if (activeForm_ == form) activeForm_ = nullptr;
}

void TScreen::ForgetControl(const TControl* control) {
  if (static_cast<const TControl*>(activeControl_) == control) activeControl_ = nullptr;
}

// Never freed, like the application: forms leave its list until the very end.
TScreen& Screen() {
  static TScreen* screen = new TScreen;
  return *screen;
}
