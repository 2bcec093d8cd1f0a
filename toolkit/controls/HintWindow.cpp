#include "toolkit/controls/HintWindow.h"

#include <algorithm>

#include "toolkit/controls/Screen.h"
#include "toolkit/win/Clock.h"

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  SetVisible(false);
  SetColor(clInfoBk);
  Font().Assign(Screen().HintFont());
  Font().SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style = WS_POPUP | WS_BORDER;
  params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  params.WndParent = nullptr;
  params.WindowClass.style |= CS_SAVEBITS;
}

void THintWindow::ActivateHint(TRect rect, const std::string& hint) {
  Activating = true;
  SetCaption(hint);
  const TRect desktop = Screen().DesktopRect();
  const int width = rect.Width(), height = rect.Height();
  rect.Left = std::max(desktop.Left, std::min(rect.Left, desktop.Right - width));
  rect.Top = std::max(desktop.Top, std::min(rect.Top, desktop.Bottom - height));
  SetWindowPos(Handle(), HWND_TOPMOST, rect.Left, rect.Top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
  LastActive = GetTickCount();
  Activating = false;
}

void THintWindow::ActivateHintData(TRect rect, const std::string& hint, void*) { ActivateHint(rect, hint); }

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint, void*) {
  TRect rect{0, 0, maxWidth, 0};
  Canvas().Font().Assign(Font());
  DrawText(Canvas().Handle(), hint, rect, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  rect.Right += 6;
  rect.Bottom += 2;
  // The frame of WS_BORDER takes a pixel on each side.
  return {0, 0, rect.Right + 2, rect.Bottom + 2};
}

void THintWindow::ReleaseHandle() { DestroyHandle(); }

void THintWindow::Paint() {
  TRect rect = ClientRect();
  rect.Left += 2;
  rect.Top += 2;
  Canvas().Font().Assign(Font());
  Canvas().Brush().SetStyle(bsClear);
  DrawText(Canvas().Handle(), Caption(), rect, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

std::string GetShortHint(const std::string& hint) { return hint.substr(0, hint.find('|')); }

std::string GetLongHint(const std::string& hint) {
  const size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}
