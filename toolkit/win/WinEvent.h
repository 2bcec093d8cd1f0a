#pragma once
// Accessibility notifications: a control tells the desktop that one of its
// objects changed. The desktop's accessibility hears them through the
// bridge its platform installs; tests observe them through the observer hook.

#include <functional>

#include "toolkit/base/Handles.h"

using LONG = int32_t;

constexpr DWORD EVENT_OBJECT_FOCUS = 0x8005;
constexpr DWORD EVENT_OBJECT_SELECTION = 0x8006;
constexpr DWORD EVENT_OBJECT_STATECHANGE = 0x800A;
constexpr DWORD EVENT_OBJECT_LOCATIONCHANGE = 0x800B;
constexpr DWORD EVENT_OBJECT_NAMECHANGE = 0x800C;
constexpr DWORD EVENT_OBJECT_VALUECHANGE = 0x800E;

constexpr LONG OBJID_CLIENT = -4;
constexpr LONG CHILDID_SELF = 0;

void NotifyWinEvent(DWORD event, HWND window, LONG objectId, LONG childId);

using TWinEventObserver = std::function<void(DWORD event, HWND window, LONG objectId, LONG childId)>;
// Installs the observer (an empty one removes it); answers the previous one.
TWinEventObserver SetWinEventObserver(TWinEventObserver observer);

// Installs the desktop's side (an empty one removes it); answers the previous one.
TWinEventObserver SetWinEventBridge(TWinEventObserver bridge);
