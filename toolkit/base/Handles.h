#pragma once
// The window system's scalar types and opaque handles. A handle is an id,
// never a pointer: a handle of a destroyed window simply no longer resolves.

#include <cstdint>

using UINT = uint32_t;
using DWORD = uint32_t;
using WORD = uint16_t;
using BYTE = uint8_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using LONG_PTR = intptr_t;
using UINT_PTR = uintptr_t;

struct HWND__;
using HWND = HWND__*;
struct HHOOK__;
using HHOOK = HHOOK__*;
struct HCURSOR__;
using HCURSOR = HCURSOR__*;
struct HMENU__;
using HMENU = HMENU__*;
struct HDWP__;
using HDWP = HDWP__*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using HOOKPROC = LRESULT (*)(int code, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT message, UINT_PTR id, DWORD time);

// Handles travel in message parameters as plain numbers.
template <class Handle> LPARAM HandleToParam(Handle handle) { return reinterpret_cast<LPARAM>(handle); }
template <class Handle> Handle ParamToHandle(intptr_t value) { return reinterpret_cast<Handle>(value); }

inline WORD LOWORD(uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
inline WORD HIWORD(uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
inline DWORD MAKELONG(WORD low, WORD high) { return static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16); }
inline LPARAM MAKELPARAM(int low, int high) {
  return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(low), static_cast<WORD>(high)));
}
inline WPARAM MAKEWPARAM(int low, int high) {
  return static_cast<WPARAM>(MAKELONG(static_cast<WORD>(low), static_cast<WORD>(high)));
}
// Point coordinates packed in a parameter are signed 16-bit values.
inline int GET_X_LPARAM(LPARAM value) { return static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(value))); }
inline int GET_Y_LPARAM(LPARAM value) { return static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(value))); }
inline int GET_WHEEL_DELTA_WPARAM(WPARAM value) { return static_cast<int16_t>(HIWORD(value)); }
