#pragma once
// Mouse cursor shapes. The standard cursors are handles whose value is
// their IDC_* number; the backend shows them with the desktop's shapes.

#include "toolkit/win/Handles.h"

enum : uintptr_t {
  IDC_ARROW = 32512,
  IDC_IBEAM = 32513,
  IDC_WAIT = 32514,
  IDC_CROSS = 32515,
  IDC_UPARROW = 32516,
  IDC_SIZENWSE = 32642,
  IDC_SIZENESW = 32643,
  IDC_SIZEWE = 32644,
  IDC_SIZENS = 32645,
  IDC_SIZEALL = 32646,
  IDC_NO = 32648,
  IDC_HAND = 32649,
  IDC_APPSTARTING = 32650,
  IDC_HELP = 32651,
};

// Module is accepted for the platform's signature; only standard cursors exist.
HCURSOR LoadCursor(void* module, uintptr_t id);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
