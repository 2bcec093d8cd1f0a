#pragma once
// Pictures of what the desktop shows, for developer tools.

#include <string>

#include "toolkit/win/Handles.h"

class TBitmap;

// Saves the desktop's pixels under the window (as a PNG, by the file's
// extension); false when that fails.
bool SaveScreenshot(HWND window, const std::string& fileName);
// Writes the bitmap as a PNG file; false when that fails.
bool SaveBitmapAsPng(const TBitmap& bitmap, const std::string& fileName);
