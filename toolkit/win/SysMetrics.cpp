#include "toolkit/win/SysMetrics.h"

#include <map>

#include "toolkit/win/WindowBackend.h"

namespace {

const std::map<int, int>& FixedMetrics() {
  static const std::map<int, int> metrics = {
      {SM_CXVSCROLL, 17},    {SM_CYHSCROLL, 17},   {SM_CYCAPTION, 23},     {SM_CXBORDER, 1},
      {SM_CYBORDER, 1},      {SM_CXDLGFRAME, 3},   {SM_CYDLGFRAME, 3},     {SM_CYVTHUMB, 17},
      {SM_CXHTHUMB, 17},     {SM_CXICON, 32},      {SM_CYICON, 32},        {SM_CXCURSOR, 32},
      {SM_CYCURSOR, 32},     {SM_CYMENU, 20},      {SM_MOUSEPRESENT, 1},   {SM_CYVSCROLL, 17},
      {SM_CXHSCROLL, 17},    {SM_SWAPBUTTON, 0},   {SM_CXMIN, 136},        {SM_CYMIN, 39},
      {SM_CXSIZE, 36},       {SM_CYSIZE, 22},      {SM_CXFRAME, 4},        {SM_CYFRAME, 4},
      {SM_CXMINTRACK, 136},  {SM_CYMINTRACK, 39},  {SM_CXDOUBLECLK, 4},    {SM_CYDOUBLECLK, 4},
      {SM_CMOUSEBUTTONS, 3}, {SM_CXEDGE, 2},       {SM_CYEDGE, 2},         {SM_CXSMICON, 16},
      {SM_CYSMICON, 16},     {SM_CYSMCAPTION, 19}, {SM_CXDRAG, 4},         {SM_CYDRAG, 4},
      {SM_CXMENUCHECK, 13},  {SM_CYMENUCHECK, 13}, {SM_MOUSEWHEELPRESENT, 1},
      {SM_CXFOCUSBORDER, 1}, {SM_CYFOCUSBORDER, 1},
  };
  return metrics;
}

TRect ScreenArea() {
  if (IWindowBackend* backend = WindowBackend()) return backend->ScreenRect();
  return {0, 0, 1920, 1080};
}

TRect WorkArea() {
  if (IWindowBackend* backend = WindowBackend()) return backend->WorkArea();
  return ScreenArea();
}

TLogFont InterfaceFont() {
  TLogFont font;
  font.lfHeight = -12;
  font.lfFaceName = "DejaVu Sans";
  return font;
}

NONCLIENTMETRICS NonClientMetrics() {
  NONCLIENTMETRICS metrics;
  metrics.iBorderWidth = 1;
  metrics.iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  metrics.iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
  metrics.iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
  metrics.iCaptionHeight = GetSystemMetrics(SM_CYCAPTION) - 1;
  metrics.iSmCaptionWidth = metrics.iSmCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION) - 1;
  metrics.iMenuWidth = metrics.iMenuHeight = GetSystemMetrics(SM_CYMENU) - 1;
  metrics.lfCaptionFont = metrics.lfSmCaptionFont = metrics.lfMenuFont = metrics.lfStatusFont =
      metrics.lfMessageFont = InterfaceFont();
  metrics.lfCaptionFont.lfWeight = FW_BOLD;
  return metrics;
}

}  // namespace

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: return ScreenArea().Width();
    case SM_CYSCREEN: return ScreenArea().Height();
    case SM_XVIRTUALSCREEN: return VirtualScreen(GetMonitors()).Left;
    case SM_YVIRTUALSCREEN: return VirtualScreen(GetMonitors()).Top;
    case SM_CXVIRTUALSCREEN: return VirtualScreen(GetMonitors()).Width();
    case SM_CYVIRTUALSCREEN: return VirtualScreen(GetMonitors()).Height();
    case SM_CMONITORS: return static_cast<int>(GetMonitors().size());
    case SM_CXFULLSCREEN: return WorkArea().Width();
    case SM_CYFULLSCREEN: return WorkArea().Height() - GetSystemMetrics(SM_CYCAPTION);
    default: {
      const auto found = FixedMetrics().find(index);
      return found == FixedMetrics().end() ? 0 : found->second;
    }
  }
}

namespace {
bool TooltipAnimation = false;
bool TooltipFade = false;
}  // namespace

void SetTooltipEffects(bool animation, bool fade) {
  TooltipAnimation = animation;
  TooltipFade = fade;
}

bool SystemParametersInfo(UINT action, UINT, void* pvParam, UINT) {
  if (!pvParam) return false;
  switch (action) {
    case SPI_GETKEYBOARDSPEED: *static_cast<UINT*>(pvParam) = 31; return true;
    case SPI_GETKEYBOARDDELAY: *static_cast<UINT*>(pvParam) = 1; return true;
    case SPI_GETWHEELSCROLLLINES: *static_cast<UINT*>(pvParam) = 3; return true;
    case SPI_GETTOOLTIPANIMATION: *static_cast<bool*>(pvParam) = TooltipAnimation; return true;
    case SPI_GETTOOLTIPFADE: *static_cast<bool*>(pvParam) = TooltipFade; return true;
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETFONTSMOOTHING: *static_cast<bool*>(pvParam) = false; return true;
    case SPI_GETWORKAREA: *static_cast<TRect*>(pvParam) = WorkArea(); return true;
    case SPI_GETNONCLIENTMETRICS: *static_cast<NONCLIENTMETRICS*>(pvParam) = NonClientMetrics(); return true;
    default: return false;
  }
}

UINT GetDoubleClickTime() { return 500; }

UINT GetCaretBlinkTime() { return 530; }

bool GetVersionEx(OSVERSIONINFO& info) {
  if (info.dwOSVersionInfoSize != sizeof(OSVERSIONINFO)) return false;
  info.dwMajorVersion = 6;
  info.dwMinorVersion = 0;
  info.dwBuildNumber = 0;
  info.dwPlatformId = VER_PLATFORM_WIN32_NT;
  info.szCSDVersion[0] = '\0';
  return true;
}
