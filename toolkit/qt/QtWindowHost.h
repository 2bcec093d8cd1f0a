#pragma once
// Windows realised as Qt widgets, for the Qt backend's own files. Every
// window is one widget (a top-level window a Qt window) that shows the
// window's surface and turns Qt's input into the window core's input.

#include <memory>

#include "toolkit/win/WindowBackend.h"

class QWidget;

std::unique_ptr<IWindowHost> CreateQtWindowHost(HWND window, HWND parent);
// The widget that realises a window, or null.
QWidget* WidgetOfWindow(HWND window);
