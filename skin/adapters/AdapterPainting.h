#pragma once
// What the simple window adapters (buttons, containers, spins, tabs) share
// when they paint: the manager they paint from, the hot window of the
// default manager, the device context a paint message gives or the window
// lends, and the disabled look of a finished cache.

#include "toolkit/base/Handles.h"
#include "toolkit/base/Rect.h"
#include "toolkit/win/Messages.h"

class TBitmap;
class TDeviceContext;
using HDC = TDeviceContext*;
class TSkMainWnd;
class TSkinManager;
struct TBackdropRef;

// Given back, or without a skin to paint from: the framework's procedure
// alone handles the message. True when it did.
bool HandledUnskinned(TSkMainWnd& adapter, TMessage& message);
// A new skin from anywhere: every child window hears of it, then the
// adapter's skin data when it comes from the adapter's own manager.
void TellNewSkin(TSkMainWnd& adapter, TMessage& message, bool fromOwn);
// A skin's refresh or removal from the adapter's own manager: its skin
// data's common handling and a repaint with erasing.
void TakeSkinChange(TSkMainWnd& adapter, TMessage& message, bool fromOwn);

// The adapter's own manager, else its skin data's (own or default); may be null.
TSkinManager* AdapterManager(const TSkMainWnd& adapter);
// Whether the window is the default manager's hot window.
bool IsHotWindow(HWND window);
// After a mouse move: with the cursor over the window it becomes the
// default manager's hot window, elsewhere it stops being it. Nothing
// without a default manager, while it designs, or for a disabled window.
// True when the cursor is over a window that already was the hot one.
bool TrackHotWindow(HWND window);

// The DC in a paint message's WParam, else one the window lends until the end.
class TAdapterDC {
public:
  TAdapterDC(HWND window, WPARAM wParam);
  ~TAdapterDC();
  TAdapterDC(const TAdapterDC&) = delete;
  TAdapterDC& operator=(const TAdapterDC&) = delete;
  HDC Handle() const { return dc_; }

private:
  HWND window_;
  HDC dc_;
  bool borrowed_;
};

// Paints r of the cache with what lies behind it: the parent's picture
// (the cache at pos on the backdrop), or the backdrop's fill colour.
void FillFromBackdrop(TBitmap* cache, const TBackdropRef& backdrop, const TRect& r, TPoint pos);

// The disabled look of a window's finished picture: 40 % of it over the
// parent's picture under it (the window at pos on the backdrop), or 40 %
// of it over the backdrop's fill colour, keeping magenta pixels.
void FadeDisabledCache(TBitmap* cache, const TBackdropRef& backdrop, TPoint pos);
