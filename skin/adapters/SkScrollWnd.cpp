#include "skin/adapters/SkScrollWnd.h"

#include "skin/SkinCommonData.h"
#include "skin/adapters/ScrollTracking.h"
#include "toolkit/controls/WinControl.h"
#include "toolkit/win/ScrollBar.h"
#include "toolkit/win/Timers.h"
#include "toolkit/win/Window.h"

namespace {

constexpr WORD BarInStyle = 8;
constexpr int DefaultMinThumbSize = 10;

// A window realised by a desktop widget shows that widget's own scroll bars.
bool IsNativeWindow(HWND window) {
  WNDCLASS windowClass;
  return GetClassInfo(GetClassName(window), windowClass) && !windowClass.NativeWidget.empty();
}

void ReadBar(HWND window, TSkScrollBar& bar, WORD kind, bool inStyle) {
  bar = TSkScrollBar{.Kind = kind};
  bar.StyleFlags = inStyle ? BarInStyle : 0;
  bar.Info.fMask = SIF_ALL;
  GetScrollInfo(window, kind, bar.Info);
}

// Ends whatever the mouse was doing with the window's bars.
void ForgetTracking(HWND window) {
  if (ScrollTracking.CurrentWindow != window) return;
  KillTimer(window, HoverTimerId);
  if (ScrollTracking.RepeatTimer) KillTimer(window, ScrollTracking.RepeatTimer);
  if (GetCapture() == window && ScrollTracking.PressedPart != spNone) ReleaseCapture();
  ResetScrollTracking();
}

}  // namespace

void TSkScrollWnd::AttachOnCreate(HWND handle, bool repaint) {
  OwnScrolling = false;
  Handle = handle;
  const auto style = static_cast<DWORD>(GetWindowLongPtr(handle, GWL_STYLE));
  ReadBar(handle, HorzBar, SB_HORZ, style & WS_HSCROLL);
  ReadBar(handle, VertBar, SB_VERT, style & WS_VSCROLL);
  LeftScrollBar = (GetWindowLongPtr(handle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
  StyleChangeGuard = false;
  NativeBars = IsNativeWindow(handle);
  if (SkinData->SectionIndex < 0) SkinData->ResolveIndexes();
  AttachWindow(handle);
  HorzBar.MinThumbSize = VertBar.MinThumbSize = DefaultMinThumbSize;
  if (repaint) RefreshFrame(handle, true);
}

void DetachScrollWindow(TSkScrollWnd& adapter, bool repaint) {
  ForgetTracking(adapter.Handle);
  adapter.HorzBar.Shown = adapter.VertBar.Shown = false;
  adapter.DetachWindow(adapter.Handle, repaint);
}

void UpdateScrollAdapter(TSkinCommonData& skinData, TSkAdapterPtr<TSkScrollWnd>& adapter) {
  auto* host = dynamic_cast<TWinControl*>(skinData.HostControl());
  if (!host || (host->ComponentState() & (csLoading | csDestroying | csDesigning))) return;
  if (skinData.Skinned(false)) {
    UninitializeFlatSB(host->Handle());
    if (adapter && adapter->Detached) adapter.reset();
    if (!adapter)
      adapter = TSkMainWnd::Make<TSkScrollWnd>(host->Handle(), &skinData, skinData.GetSkinManager(), "", true);
  } else {
    adapter.reset();
    InitializeFlatSB(host->Handle());
  }
}

TSkScrollWnd* AdapterOf(HWND window) {
  return dynamic_cast<TSkScrollWnd*>(static_cast<TSkMainWnd*>(GetProp(window, AdapterProperty)));
}

TSkScrollBar* GetScrollBarOf(HWND window, int kind) {
  TSkScrollWnd* adapter = AdapterOf(window);
  if (!adapter) return nullptr;
  if (kind == SB_HORZ) return &adapter->HorzBar;
  if (kind == SB_VERT) return &adapter->VertBar;
  return nullptr;
}

bool SetMinThumbSize(HWND window, int kind, int size) {
  TSkScrollWnd* adapter = AdapterOf(window);
  if (!adapter) return false;
  if (kind == SB_HORZ || kind == SB_BOTH) adapter->HorzBar.MinThumbSize = size;
  if (kind == SB_VERT || kind == SB_BOTH) adapter->VertBar.MinThumbSize = size;
  return true;
}

bool BarIsActive(const TSkScrollWnd& adapter, const TSkScrollBar& bar) {
  SCROLLBARINFO info;
  return GetScrollBarInfo(adapter.Handle, bar.Kind == SB_HORZ ? OBJID_HSCROLL : OBJID_VSCROLL, info) &&
         !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
}
