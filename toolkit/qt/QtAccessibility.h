#pragma once
// The windows' accessibility notifications (NotifyWinEvent) as Qt
// accessibility events on the widget that shows the window.

#include <functional>

#include "toolkit/win/WinEvent.h"

void StartQtAccessibilityBridge();

// Reports each event handed to Qt's accessibility (which passes it on only
// while an assistive tool listens), as the notification it came from and
// its window; an empty probe removes it.
using TQtAccessibilityProbe = std::function<void(DWORD event, HWND window)>;
void SetQtAccessibilityProbe(TQtAccessibilityProbe probe);
