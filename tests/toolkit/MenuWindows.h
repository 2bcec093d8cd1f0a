#pragma once
// The windows of the menu class made while a recorder lives: for tests that
// see where a menu shows and choose its items with the mouse.

#include <string>
#include <vector>

#include "toolkit/win/Hook.h"
#include "toolkit/win/Menu.h"
#include "toolkit/win/Window.h"

inline std::vector<HWND>& MenuWindowsMade() {
  static std::vector<HWND> made;
  return made;
}

inline LRESULT RecordMenuWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND &&
      std::string(reinterpret_cast<CBT_CREATEWND*>(lParam)->lpcs->lpszClass) == MenuWindowClass)
    MenuWindowsMade().push_back(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class TMenuWindowRecorder {
public:
  TMenuWindowRecorder() : hook_(SetWindowsHookEx(WH_CBT, &RecordMenuWindows, nullptr, 0)) { MenuWindowsMade().clear(); }
  ~TMenuWindowRecorder() { UnhookWindowsHookEx(hook_); }
  TMenuWindowRecorder(const TMenuWindowRecorder&) = delete;
  TMenuWindowRecorder& operator=(const TMenuWindowRecorder&) = delete;

private:
  HHOOK hook_;
};
