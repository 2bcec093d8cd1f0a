#pragma once
// Pictures of what the desktop shows, for developer tools.

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/base/Handles.h"

class TBitmap;

// Saves the desktop's pixels under the window (as a PNG, by the file's
// extension); false when that fails.
bool SaveScreenshot(HWND window, const std::string& fileName);
// Saves the whole primary screen, every program's windows included; false
// when that fails.
bool SaveScreen(const std::string& fileName);
// Writes the bitmap as a PNG file; false when that fails.
bool SaveBitmapAsPng(const TBitmap& bitmap, const std::string& fileName);
// Reads a PNG file (what other programs render, for comparing) into a
// 32-bit bitmap; false when that fails.
bool LoadBitmapFromPng(TBitmap& bitmap, const std::string& fileName);

// The window as the desktop shows it, in device pixels (twice the window's
// size on a screen scaled by 2), as 0x00RRGGBB values row by row.
struct TWindowPicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
};
TWindowPicture GrabWindow(HWND window);
// The desktop's pixels under the window as they are now, nothing painted
// for it: what the user sees. Empty when the desktop shows nothing there.
TWindowPicture GrabShownWindow(HWND window);
// Saves that picture as a PNG; false when that fails.
bool SaveWindowPicture(HWND window, const std::string& fileName);
