#pragma once
// Where the shell's windows stand on the desktop. With the option
// WinsInTask every window stands on its own: tool windows with a task-bar
// entry of their own (WS_EX_APPWINDOW), modal dialogs and the splash with
// the tool-window style; without it they are owned by the main window,
// which the desktop lists alone. The option is read when the window is made.
// A dialog of a tool window may name that window as its owner under
// WinsInTask.

#include "toolkit/base/Handles.h"

struct TCreateParams;

enum class TWindowRole { ToolWindow, ModalDialog };

void ApplyWinsInTask(TCreateParams& params, TWindowRole role, HWND ownerInTask = nullptr);
