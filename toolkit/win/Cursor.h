#pragma once
// Mouse cursor shapes. The standard cursors are handles whose value is
// their IDC_* number; the backend shows them with the desktop's shapes.

#include "toolkit/base/Handles.h"

constexpr uintptr_t IDC_ARROW = 32512;
constexpr uintptr_t IDC_IBEAM = 32513;
constexpr uintptr_t IDC_WAIT = 32514;
constexpr uintptr_t IDC_CROSS = 32515;
constexpr uintptr_t IDC_UPARROW = 32516;
constexpr uintptr_t IDC_SIZENWSE = 32642;
constexpr uintptr_t IDC_SIZENESW = 32643;
constexpr uintptr_t IDC_SIZEWE = 32644;
constexpr uintptr_t IDC_SIZENS = 32645;
constexpr uintptr_t IDC_SIZEALL = 32646;
constexpr uintptr_t IDC_NO = 32648;
constexpr uintptr_t IDC_HAND = 32649;
constexpr uintptr_t IDC_APPSTARTING = 32650;
constexpr uintptr_t IDC_HELP = 32651;

// Module is accepted for the platform's signature; only standard cursors exist.
HCURSOR LoadCursor(void* module, uintptr_t id);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
