#pragma once
// Pictures of what the desktop shows, for developer tools.

#include <string>

#include "toolkit/win/Handles.h"

// Saves the desktop's pixels under the window (as a PNG, by the file's
// extension); false when that fails.
bool SaveScreenshot(HWND window, const std::string& fileName);
