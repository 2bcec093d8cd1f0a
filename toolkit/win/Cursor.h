#pragma once
// Mouse cursor shapes. The standard cursors are handles whose value is
// their IDC_* number; the backend shows them with the desktop's shapes.

#include <cstdint>
#include <vector>

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"

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

// Module is accepted for the platform's signature; it loads standard cursors only.
HCURSOR LoadCursor(void* module, uintptr_t id);

// A cursor of a picture of our own: Width x Height pixels 0xAARRGGBB, row
// by row (alpha 0 is transparent), and the hot spot within it.
struct TCursorPicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
  TPoint HotSpot;
};
// The cursor lives until DestroyCursor; nullptr for a picture whose pixels do not fit its size.
HCURSOR CreatePictureCursor(TCursorPicture picture);
// The picture of a cursor made by CreatePictureCursor; nullptr for any other.
const TCursorPicture* CursorPicture(HCURSOR cursor);
// False for a cursor not made by CreatePictureCursor (standard cursors stay).
bool DestroyCursor(HCURSOR cursor);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
