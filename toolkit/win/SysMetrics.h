#pragma once
// System metrics and parameters as fixed tables (the classic desktop at 96
// DPI), so that layout never depends on the desktop's theme. Only the
// screen's size comes from the desktop.

#include "toolkit/gdi/GdiObject.h"
#include "toolkit/win/Handles.h"

enum : int {
  SM_CXSCREEN = 0,
  SM_CYSCREEN = 1,
  SM_CXVSCROLL = 2,
  SM_CYHSCROLL = 3,
  SM_CYCAPTION = 4,
  SM_CXBORDER = 5,
  SM_CYBORDER = 6,
  SM_CXDLGFRAME = 7,
  SM_CXFIXEDFRAME = SM_CXDLGFRAME,
  SM_CYDLGFRAME = 8,
  SM_CYFIXEDFRAME = SM_CYDLGFRAME,
  SM_CYVTHUMB = 9,
  SM_CXHTHUMB = 10,
  SM_CXICON = 11,
  SM_CYICON = 12,
  SM_CXCURSOR = 13,
  SM_CYCURSOR = 14,
  SM_CYMENU = 15,
  SM_CXFULLSCREEN = 16,
  SM_CYFULLSCREEN = 17,
  SM_MOUSEPRESENT = 19,
  SM_CYVSCROLL = 20,
  SM_CXHSCROLL = 21,
  SM_SWAPBUTTON = 23,
  SM_CXMIN = 28,
  SM_CYMIN = 29,
  SM_CXSIZE = 30,
  SM_CYSIZE = 31,
  SM_CXFRAME = 32,
  SM_CXSIZEFRAME = SM_CXFRAME,
  SM_CYFRAME = 33,
  SM_CYSIZEFRAME = SM_CYFRAME,
  SM_CXMINTRACK = 34,
  SM_CYMINTRACK = 35,
  SM_CXDOUBLECLK = 36,
  SM_CYDOUBLECLK = 37,
  SM_CMOUSEBUTTONS = 43,
  SM_CXEDGE = 45,
  SM_CYEDGE = 46,
  SM_CXSMICON = 49,
  SM_CYSMICON = 50,
  SM_CYSMCAPTION = 51,
  SM_CXDRAG = 68,
  SM_CYDRAG = 69,
  SM_CXMENUCHECK = 71,
  SM_CYMENUCHECK = 72,
  SM_MOUSEWHEELPRESENT = 75,
  SM_CXVIRTUALSCREEN = 78,
  SM_CYVIRTUALSCREEN = 79,
  SM_CMONITORS = 80,
  SM_CXFOCUSBORDER = 83,
  SM_CYFOCUSBORDER = 84,
};

int GetSystemMetrics(int index);

enum : UINT {
  SPI_GETKEYBOARDSPEED = 0x000A,
  SPI_GETKEYBOARDDELAY = 0x0016,
  SPI_GETDRAGFULLWINDOWS = 0x0026,
  SPI_GETNONCLIENTMETRICS = 0x0029,
  SPI_GETWORKAREA = 0x0030,
  SPI_GETFONTSMOOTHING = 0x004A,
  SPI_GETWHEELSCROLLLINES = 0x0068,
  SPI_GETTOOLTIPANIMATION = 0x1016,
  SPI_GETTOOLTIPFADE = 0x1018,
};
// The wheel-lines value that asks for page scrolling.
constexpr UINT WHEEL_PAGESCROLL = 0xFFFFFFFF;

struct NONCLIENTMETRICS {
  UINT cbSize = sizeof(NONCLIENTMETRICS);
  int iBorderWidth = 0;
  int iScrollWidth = 0;
  int iScrollHeight = 0;
  int iCaptionWidth = 0;
  int iCaptionHeight = 0;
  TLogFont lfCaptionFont;
  int iSmCaptionWidth = 0;
  int iSmCaptionHeight = 0;
  TLogFont lfSmCaptionFont;
  int iMenuWidth = 0;
  int iMenuHeight = 0;
  TLogFont lfMenuFont;
  TLogFont lfStatusFont;
  TLogFont lfMessageFont;
};

// Supports the SPI_GET* actions above; pvParam points to the value's type
// (UINT, bool, TRect or NONCLIENTMETRICS). False for anything else.
bool SystemParametersInfo(UINT action, UINT uiParam, void* pvParam, UINT winIni);
UINT GetDoubleClickTime();
UINT GetCaretBlinkTime();
