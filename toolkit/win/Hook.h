#pragma once
// Thread hooks. Only WH_CBT is supported: it is told before a window is
// created, destroyed, activated or focused, and may refuse each of these
// by answering non-zero.

#include "toolkit/base/Handles.h"
#include "toolkit/win/Messages.h"

constexpr int WH_CBT = 5;
constexpr int HCBT_CREATEWND = 3;  // WParam: the new window; LParam: CBT_CREATEWND*
constexpr int HCBT_DESTROYWND = 4;  // WParam: the window
constexpr int HCBT_ACTIVATE = 5;  // WParam: the window; LParam: CBTACTIVATESTRUCT*
constexpr int HCBT_SETFOCUS = 9;  // WParam: the window gaining focus; LParam: the one losing it

struct CBT_CREATEWND {
  CREATESTRUCT* lpcs = nullptr;
  HWND hwndInsertAfter = nullptr;
};

struct CBTACTIVATESTRUCT {
  bool fMouse = false;
  HWND hWndActive = nullptr;
};

// Module and thread are accepted for the platform's signature; hooks always
// watch the window thread.
HHOOK SetWindowsHookEx(int kind, HOOKPROC procedure, void* module, DWORD threadId);
bool UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK current, int code, WPARAM wParam, LPARAM lParam);

// How many hooks are installed now.
int InstalledHookCount();

// The window core's call into the hook chain.
LRESULT CallCbtHooks(int code, WPARAM wParam, LPARAM lParam);
