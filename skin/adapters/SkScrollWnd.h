#pragma once
// The scroll-bar adapter: a window keeps its real scroll bars (style and
// scroll information) while the adapter hides them from the window's own
// frame measuring, takes their space itself and draws, hit-tests and
// tracks two emulated bars there from the skin. The geometry is
// ScrollGeometry's; the window procedure and the mouse are
// ScrollTracking's; the drawing is ScrollPainting's.

#include "skin/adapters/ScrollGeometry.h"
#include "skin/adapters/SkMainWnd.h"

class TDeviceContext;
using HDC = TDeviceContext*;

// Made by TSkMainWnd::Make<TSkScrollWnd>(...), freed through its TSkAdapterPtr.
class TSkScrollWnd : public TSkMainWnd, public TScrollBarLayout {
public:
  void AdapterWndProc(TMessage& message) override;

  bool ThumbTracking = false;     // a thumb is being dragged
  bool StyleChangeGuard = false;  // the adapter changes the window's style itself
  // The window is realised by a desktop widget, which shows its own bars:
  // no emulated ones, no space reserved.
  bool NativeBars = false;

protected:
  // Reads the window's bars and takes the window over; with repaint its
  // frame is measured again, so the bars' space is reserved at once.
  void AttachOnCreate(HWND handle, bool repaint) override;
  // A combo box's drop-down list keeps the mouse captured after a bar is released.
  virtual bool KeepsCaptureOnRelease() const { return false; }

private:
  // The steps of AdapterWndProc (ScrollTracking.cpp).
  bool HandleSkinCommand(TMessage& message);
  bool IsSkinChangeFromOwnManager(const TMessage& message) const;
  void MeasureFrame(TMessage& message);
  LRESULT HitTest(TPoint screenPoint);
  void TrackHover(WPARAM hitCode);
  void PressBar(WPARAM hitCode, TPoint screenPoint);
  void HandleTimer(TMessage& message);
  void FollowMouse(TMessage& message);
  void MoveThumb(TPoint screenPoint);
  void ReleaseBar(TMessage& message);
  // Follows the cursor (screen coordinates) over the pressed part: drawn
  // pressed while on it.
  void FollowPressedPart(TPoint screenPoint);
  void PassOn(TMessage& message);
  void PaintPressedBar(int drawnPart);
};

// The window's bars come back and the window is given back (at its end,
// or by the owner); repaint refreshes its frame while it is visible.
void DetachScrollWindow(TSkScrollWnd& adapter, bool repaint);

// Keeps the scroll adapter of the window of skinData's host control in step
// with the skin: one while skinned (flat bars off), none otherwise (flat
// bars on). Nothing while the host is loading, going or designed.
void UpdateScrollAdapter(TSkinCommonData& skinData, TSkAdapterPtr<TSkScrollWnd>& adapter);

// Scrolls the window as its own bar would: code (SB_LINEUP ...) with the
// position, framed by the notices before (sub-command 51) and after (52).
void SendScroll(HWND window, UINT scrollMsg, int code, int position);

// The scroll adapter of a window, or null.
TSkScrollWnd* AdapterOf(HWND window);
// Its bar of the kind (SB_HORZ, SB_VERT), or null.
TSkScrollBar* GetScrollBarOf(HWND window, int kind);
// kind: SB_HORZ, SB_VERT or SB_BOTH; false without an adapter.
bool SetMinThumbSize(HWND window, int kind, int size);

// The bar can be operated: the window's bar is not unavailable.
bool BarIsActive(const TSkScrollWnd& adapter, const TSkScrollBar& bar);

// Both bars and the corner between them; a null dc paints on the window's
// DC. thumbPos -1: the thumb stands where the scroll information puts it.
void PaintScrollBars(TSkScrollWnd& adapter, HDC dc, int thumbPos = -1);
// One bar over r (window coordinates), pressedPart drawn pressed; answers
// 1 when it drew, else 0.
int PaintScrollBar(TSkScrollWnd& adapter, TSkScrollBar& bar, HDC dc, int thumbPos, int pressedPart, const TRect& r);
// The bar while its thumb is dragged: the thumb pressed, starting at
// thumbStart (screen coordinates along the bar), the track split at its centre.
void PaintDraggedBar(TSkScrollWnd& adapter, TSkScrollBar& bar, int thumbStart);
// Reads both bars' scroll information again; with repaint draws them.
void SyncScrollInfo(TSkScrollWnd& adapter, bool repaint);
