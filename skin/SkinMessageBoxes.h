#pragma once
// The skin layer's message boxes: a dialog type and a button set shown
// through the application's message box, with a default caption per type
// and a requested place on the screen that the dialog skinning reads while
// the box is open.

#include <string>

#include "toolkit/base/Rect.h"
#include "toolkit/win/MessageBox.h"

// The ID* of the button chosen. x and y: where the box should go, -1 for
// the desktop's choice; helpContext is not used.
int MessageBoxOfTypeAt(const std::string& caption, const std::string& text, TMsgDlgType dlgType,
                       TMsgDlgButtons buttons, int helpContext, int x, int y);
// With the type's default caption and no requested place.
int MessageBoxOfType(const std::string& text, TMsgDlgType dlgType, TMsgDlgButtons buttons, int helpContext);
void ShowWarning(const std::string& text);
void ShowError(const std::string& text);

// The place the box being shown asked for; (-1, -1) when none is open or it asked for none.
TPoint RequestedBoxPosition();
