// Window procedures: the subclass chain of each window, calls through it,
// and window procedures that call an object's window method.

#include <algorithm>
#include <array>
#include <utility>

#include "runtime/Exceptions.h"
#include "toolkit/win/WindowRecord.h"

namespace {

// Object instances are real procedures: a fixed set of trampolines, each
// calling the method in its slot. Windows of toolkit objects do not need one
// (they share a procedure), so few are ever in use at a time.
constexpr size_t InstanceSlots = 256;
std::array<TWndMethod, InstanceSlots> InstanceMethods;

template <size_t Slot>
LRESULT Trampoline(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  TMessage record{message, wParam, lParam, 0};
  InstanceMethods[Slot](record);
  return record.Result;
}

template <size_t... Slots>
constexpr std::array<WNDPROC, sizeof...(Slots)> MakeTrampolines(std::index_sequence<Slots...>) {
  return {&Trampoline<Slots>...};
}

constexpr std::array<WNDPROC, InstanceSlots> Trampolines = MakeTrampolines(std::make_index_sequence<InstanceSlots>());

const char* UtilityClassName = "TPUtilWindow";

}  // namespace

WNDPROC TWindowRecord::Procedure() const {
  return Subclasses.empty() ? Class->Definition.lpfnWndProc : Subclasses.back().Procedure;
}

// Restoring the procedure a subclass replaced removes that subclass; any
// other procedure becomes a new subclass on top.
void ReplaceWindowProcedure(TWindowRecord& record, WNDPROC procedure) {
  auto& subclasses = record.Subclasses;
  const auto restoring = std::find_if(subclasses.rbegin(), subclasses.rend(),
                                      [procedure](const TSubclass& s) { return s.Replaced == procedure; });
  if (restoring == subclasses.rend()) {
    if (procedure && procedure != record.Procedure()) subclasses.push_back({procedure, record.Procedure()});
    return;
  }
  const auto removed = std::prev(restoring.base());
  if (std::next(removed) != subclasses.end()) record.Forwards.Add(removed->Procedure, procedure);
  subclasses.erase(removed);
  record.Forwards.DropUnreachable(subclasses, [](const TSubclass& subclass) { return subclass.Replaced; });
}

LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const TWindowRecord* record = FindWindowRecord(window)) procedure = record->Forwards.Resolve(procedure);
  return procedure ? procedure(window, message, wParam, lParam) : 0;
}

LRESULT CallWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record) return 0;
  return record->Procedure()(window, message, wParam, lParam);
}

WNDPROC MakeObjectInstance(TWndMethod method) {
  const auto free = std::find_if(InstanceMethods.begin(), InstanceMethods.end(),
                                 [](const TWndMethod& slot) { return !slot; });
  QASSERT(free != InstanceMethods.end(), "0B7A0001");
  *free = std::move(method);
  return Trampolines[static_cast<size_t>(free - InstanceMethods.begin())];
}

void FreeObjectInstance(WNDPROC procedure) {
  const auto found = std::find(Trampolines.begin(), Trampolines.end(), procedure);
  if (found != Trampolines.end()) InstanceMethods[static_cast<size_t>(found - Trampolines.begin())] = nullptr;
}

HWND AllocateHWnd(TWndMethod method) {
  WNDCLASS utility;
  if (!GetClassInfo(UtilityClassName, utility)) {
    utility.lpfnWndProc = &DefWindowProc;
    utility.lpszClassName = UtilityClassName;
    RegisterClass(utility);
  }
  const HWND window = CreateWindowEx(WS_EX_TOOLWINDOW, UtilityClassName, "", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE,
                                     nullptr, nullptr);
  if (method) SetWindowLongPtr(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(MakeObjectInstance(std::move(method))));
  return window;
}

void DeallocateHWnd(HWND window) {
  const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtr(window, GWL_WNDPROC));
  DestroyWindow(window);
  if (procedure != &DefWindowProc) FreeObjectInstance(procedure);
}
