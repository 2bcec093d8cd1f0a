#include "toolkit/win/Hook.h"

#include <algorithm>
#include <vector>

namespace {

struct THook {
  HHOOK Handle;
  HOOKPROC Procedure;
};

// Newest first: the last hook installed is called first.
std::vector<THook>& Hooks() {
  static std::vector<THook> hooks;
  return hooks;
}

uintptr_t NextHookId = 1;

LRESULT CallFrom(std::vector<THook>::const_iterator position, int code, WPARAM wParam, LPARAM lParam) {
  if (position == Hooks().end()) return 0;
  return position->Procedure(code, wParam, lParam);
}

}  // namespace

HHOOK SetWindowsHookEx(int kind, HOOKPROC procedure, void*, DWORD) {
  if (kind != WH_CBT || !procedure) return nullptr;
  const HHOOK handle = reinterpret_cast<HHOOK>(NextHookId++);
  Hooks().insert(Hooks().begin(), {handle, procedure});
  return handle;
}

bool UnhookWindowsHookEx(HHOOK hook) {
  auto& hooks = Hooks();
  const auto found = std::find_if(hooks.begin(), hooks.end(), [hook](const THook& h) { return h.Handle == hook; });
  if (found == hooks.end()) return false;
  hooks.erase(found);
  return true;
}

LRESULT CallNextHookEx(HHOOK current, int code, WPARAM wParam, LPARAM lParam) {
  const auto& hooks = Hooks();
  const auto found = std::find_if(hooks.begin(), hooks.end(), [current](const THook& h) { return h.Handle == current; });
  if (found == hooks.end()) return 0;
  return CallFrom(std::next(found), code, wParam, lParam);
}

LRESULT CallCbtHooks(int code, WPARAM wParam, LPARAM lParam) {
  return CallFrom(Hooks().begin(), code, wParam, lParam);
}

int InstalledHookCount() { return static_cast<int>(Hooks().size()); }
