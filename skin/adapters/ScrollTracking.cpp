// The scroll-bar adapter's window procedure: it reserves the emulated bars'
// space, paints them, reports them as scroll-bar hits and runs the mouse
// over them (hover, arrow and page repeat, thumb drag), turning it into the
// WM_HSCROLL and WM_VSCROLL messages the window's own bars would send.

#include "skin/adapters/ScrollTracking.h"

#include "skin/SkinCommonData.h"
#include "skin/adapters/SkScrollWnd.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Control.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Timers.h"
#include "toolkit/win/Window.h"

TScrollTracking ScrollTracking;

void ResetScrollTracking() { ScrollTracking = TScrollTracking{}; }

namespace {

constexpr DWORD BothBarStyles = WS_HSCROLL | WS_VSCROLL;
constexpr WPARAM VerticalBarSysCommand = SC_VSCROLL + HTVSCROLL;
constexpr UINT UIActivateFlags =
    SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

bool IsBarHit(WPARAM hitCode) { return hitCode == HTHSCROLL || hitCode == HTVSCROLL; }
int KindOfHit(WPARAM hitCode) { return hitCode == HTHSCROLL ? SB_HORZ : SB_VERT; }
bool IsRepeatingPart(int part) { return part >= spFirstArrow && part <= spTrackAfter; }

TPoint PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

TPoint CursorOnScreen() {
  TPoint cursor;
  GetCursorPos(cursor);
  return cursor;
}

// The bar's rectangle on the screen now.
TRect ScreenBarRect(const TSkScrollWnd& adapter, int kind) {
  TRect window;
  GetWindowRect(adapter.Handle, window);
  return *BarRect(adapter, kind, window);
}

TSkScrollBar& BarOfKind(TSkScrollWnd& adapter, int kind) { return kind == SB_HORZ ? adapter.HorzBar : adapter.VertBar; }

// Where along the bar a screen point lies.
int AlongBar(int kind, TPoint point) { return kind == SB_VERT ? point.Y : point.X; }

}  // namespace

// The only way the adapter scrolls its window. A window that answers 1 to
// the notice before the scroll keeps its positions itself and is told the
// position in LParam; any other has it set in its scroll information.
void SendScroll(HWND window, UINT scrollMsg, int code, int position) {
  const LPARAM notice = static_cast<LPARAM>(MAKELONG(WORD(code), WORD(scrollMsg)));
  LPARAM lParam = 0;
  if (SendMessage(window, SM_SKINCMD, SkinCommand(scBeforeScroll), notice) == 1) {
    lParam = position;
  } else if (code == SB_THUMBTRACK) {
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(window, scrollMsg == WM_HSCROLL ? SB_HORZ : SB_VERT, info, false);
  }
  SendMessage(window, scrollMsg, MAKEWPARAM(code, position), lParam);
  SendMessage(window, SM_SKINCMD, SkinCommand(scAfterScroll), notice);
}

bool TSkScrollWnd::IsSkinChangeFromOwnManager(const TMessage& message) const {
  const WORD sub = SubCommandOf(message.WParam);
  return (sub == scSkinApplied || sub == scSkinChanged) &&
         reinterpret_cast<TSkinManager*>(message.LParam) == SkinData->GetSkinManager();
}

void TSkScrollWnd::PassOn(TMessage& message) {
  message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam);
}

void TSkScrollWnd::AdapterWndProc(TMessage& message) {
  if (message.Msg == WM_DESTROY || message.Msg == WM_NCDESTROY) {
    if (PrevWndProc || SavedWindowProc) {
      DetachScrollWindow(*this, false);
      PassOn(message);
    }
    return;
  }
  if (message.Msg == WM_UPDATEUISTATE || Detached) return;
  if (!SkinData) return PassOn(message);
  // A skin's coming resolves the section first: skin data that knew no
  // skin yet could otherwise never become skinned.
  if (message.Msg == SM_SKINCMD && IsSkinChangeFromOwnManager(message)) SkinData->ResolveIndexes();
  if (!SkinData->Skinned(false)) return PassOn(message);
  if (message.Msg == SM_SKINCMD) {
    if (!HandleSkinCommand(message)) PassOn(message);
    return;
  }
  switch (message.Msg) {
    case WM_STYLECHANGED:
      if (StyleChangeGuard) {
        message.Result = 0;
        return;
      }
      if (message.WParam == WPARAM(GWL_EXSTYLE))
        LeftScrollBar = (reinterpret_cast<const STYLESTRUCT*>(message.LParam)->styleNew & WS_EX_LEFTSCROLLBAR) != 0;
      return PassOn(message);
    case WM_NCCALCSIZE:
      return MeasureFrame(message);
    case WM_NCHITTEST:
      message.Result = HitTest(PointOf(message.LParam));
      return;
    case WM_NCPAINT:
      // The window's own frame first: the emulated bars lie over the
      // standard ones its procedure would draw there.
      PassOn(message);
      if (IsWindowVisible(Handle)) {
        SkinData->PaintSuspended = SkinData->PaintingSuspended();
        if (!SkinData->PaintSuspended && !OwnScrolling) PaintScrollBars(*this, nullptr, -1);
      }
      return;
    case WM_NCMOUSEMOVE:
      TrackHover(message.WParam);
      return PassOn(message);
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (!IsBarHit(message.WParam)) return PassOn(message);
      PressBar(message.WParam, PointOf(message.LParam));
      message.Result = 0;
      return;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
      if (IsBarHit(message.WParam)) {
        message.Result = 0;
        return;
      }
      return PassOn(message);
    case WM_SYSCOMMAND:
      if (LOWORD(message.WParam) == VerticalBarSysCommand) return;
      return PassOn(message);
    case WM_TIMER:
      HandleTimer(message);
      if (!OwnScrolling && !ThumbTracking) SyncScrollInfo(*this, true);
      return;
    case WM_MOUSEMOVE:
      return FollowMouse(message);
    case WM_LBUTTONUP:
      return ReleaseBar(message);
    case CM_UIACTIVATE:
      if (WndSize.cx == 0) return PassOn(message);
      PassOn(message);
      SetWindowPos(Handle, nullptr, 0, 0, WndSize.cx, WndSize.cy, UIActivateFlags);
      return;
    default:
      PassOn(message);
      if (((message.Msg == WM_MOUSEWHEEL || message.Msg == CM_MOUSEWHEEL) && !OwnScrolling) ||
          message.Msg == CM_FOCUSCHANGED)
        SyncScrollInfo(*this, true);
  }
}

// True when the sub-command is answered here and goes no further.
bool TSkScrollWnd::HandleSkinCommand(TMessage& message) {
  const bool fromOwnManager = reinterpret_cast<TSkinManager*>(message.LParam) == SkinData->GetSkinManager();
  switch (SubCommandOf(message.WParam)) {
    case scSkinRemoved:
      if (fromOwnManager) RestoreStdLook();
      return false;
    case scSkinChanged:
      if (fromOwnManager) SkinData->CacheStale = true;
      return false;
    case scResumePainting:
      if (SkinData->PaintingSuspended()) {
        SkinData->PaintSuspended = false;
        RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
      }
      return false;
    case scIsSkinnable:
      message.Result = 1;
      return true;
    case scSetPaintSuspended:
      SkinData->PaintSuspended = LoOf(message.WParam) == 1;
      return false;
    case scGetColor:
      message.Result = 0;
      PassOn(message);
      if (message.Result == 0) message.Result = static_cast<LRESULT>(SkinData->ControlColor(0));
      return true;
    case scGetBackdrop: {
      PassOn(message);
      auto& query = *reinterpret_cast<TBackdropQuery*>(message.LParam);
      if (query.Kind == bkNone) SkinData->AnswerBackgroundRequest(query, 0, Handle);
      return true;
    }
    case scGetApplication:
      message.Result = reinterpret_cast<LRESULT>(&Application());
      return true;
    default:
      return false;
  }
}

// The window's own procedure measures its frame with the bars out of its
// style; the adapter then takes the bars' space from the client area.
void TSkScrollWnd::MeasureFrame(TMessage& message) {
  TRect& proposed = *reinterpret_cast<TRect*>(message.LParam);
  const TRect windowRect = proposed;
  const DWORD style = static_cast<DWORD>(GetWindowLongPtr(Handle, GWL_STYLE));
  if (NativeBars) {
    // The widget's own bars stay; the skinned frame still needs the edges.
    PassOn(message);
    ReserveScrollBars(*this, style & ~BothBarStyles, windowRect, proposed);
    return;
  }
  if (style & BothBarStyles) {
    StyleChangeGuard = true;
    SetWindowLongPtr(Handle, GWL_STYLE, style & ~BothBarStyles);
    PassOn(message);
    SetWindowLongPtr(Handle, GWL_STYLE, style);
    StyleChangeGuard = false;
  } else {
    PassOn(message);
  }
  ReserveScrollBars(*this, style, windowRect, proposed);
}

LRESULT TSkScrollWnd::HitTest(TPoint screenPoint) {
  TRect window;
  GetWindowRect(Handle, window);
  const TRect horizontal = HorzBarRect(*this, window), vertical = VertBarRect(*this, window);
  if (HorzBar.Shown && PtInRect(horizontal, screenPoint)) return BarIsActive(*this, HorzBar) ? HTHSCROLL : HTNOWHERE;
  if (VertBar.Shown && PtInRect(vertical, screenPoint)) return BarIsActive(*this, VertBar) ? HTVSCROLL : HTNOWHERE;
  // The corner: the rows of the horizontal bar beside it.
  const TRect corner = LeftScrollBar ? Rect(vertical.Left, horizontal.Top, horizontal.Left, horizontal.Bottom)
                                     : Rect(horizontal.Right, horizontal.Top, vertical.Right, horizontal.Bottom);
  if (PtInRect(corner, screenPoint) && GripCornerApplies(*this, Handle, corner)) return HTBOTTOMRIGHT;
  return CallPrevWndProc(WM_NCHITTEST, 0, MAKELPARAM(screenPoint.X, screenPoint.Y));
}

void TSkScrollWnd::TrackHover(WPARAM hitCode) {
  const bool windowChanged = ScrollTracking.CurrentWindow != Handle;
  ScrollTracking.CurrentWindow = Handle;
  if (!IsBarHit(hitCode)) return;
  const int kind = KindOfHit(hitCode);
  if (kind == ScrollTracking.HotBarKind && !windowChanged) return;
  ScrollTracking.LastHotPart = ScrollTracking.HotPart = spNone;
  ScrollTracking.HotBarRect = ScreenBarRect(*this, kind);
  ScrollTracking.HotBarKind = kind;
  ScrollTracking.HoverTimer = SetTimer(Handle, HoverTimerId, HoverInterval, nullptr);
  PaintScrollBars(*this, nullptr, -1);
}

void TSkScrollWnd::PaintPressedBar(int drawnPart) {
  ScrollTracking.DrawnPressedPart = drawnPart;
  PaintScrollBars(*this, nullptr, -1);
}

void TSkScrollWnd::PressBar(WPARAM hitCode, TPoint screenPoint) {
  TScrollTracking& t = ScrollTracking;
  const int kind = KindOfHit(hitCode);
  TSkScrollBar& bar = BarOfKind(*this, kind);
  // An inactive bar cannot be pressed (it answers no bar hit either).
  if (!BarIsActive(*this, bar)) return;
  t.CurrentWindow = Handle;
  t.ScrollMsg = kind == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
  t.PressedBarKind = kind;
  const TRect barRect = ScreenBarRect(*this, kind);
  t.PressedPart = HitTestBar(bar, barRect, screenPoint);
  if (IsRepeatingPart(t.PressedPart)) {
    PaintPressedBar(t.PressedPart);
    SendScroll(Handle, t.ScrollMsg, t.PressedPart, 0);
    t.RepeatTimer = SetTimer(Handle, FirstDelayTimerId, FirstDelay, nullptr);
  } else if (t.PressedPart == spThumb) {
    const TThumbPlace thumb = CalcThumb(bar, barRect);
    t.ThumbSizeAtPress = thumb.Length;
    t.ThumbStartAtPress = thumb.Start;
    t.TrackRect = barRect;
    bar.Info.nTrackPos = bar.Info.nPos;
    t.ThumbGrabOffset = AlongBar(kind, screenPoint) - thumb.Start;
    t.LastTrackPos = bar.Info.nPos;
    PaintPressedBar(spThumb);
    ThumbTracking = true;
  } else {
    t.PressedBarKind = spNone;
    return;
  }
  SetCapture(Handle);
}

void TSkScrollWnd::HandleTimer(TMessage& message) {
  TScrollTracking& t = ScrollTracking;
  const UINT_PTR id = message.WParam;
  const bool ours = id == HoverTimerId || id == FirstDelayTimerId || id == RepeatTimerId;
  if (ours && !IsTrackedWindow(Handle)) {
    // Left over from before the mouse went to another window's bars: the
    // shared state is that window's now.
    KillTimer(Handle, id);
    return;
  }
  if (id == HoverTimerId) {
    if (t.HoverTimer == 0 || ThumbTracking) return;
    const TPoint cursor = CursorOnScreen();
    if (PtInRect(t.HotBarRect, cursor) && t.HotBarKind != spNone) {
      t.HotPart = HitTestBar(BarOfKind(*this, t.HotBarKind), t.HotBarRect, cursor);
      if (t.HotPart != t.LastHotPart) PaintScrollBars(*this, nullptr, -1);
      t.LastHotPart = t.HotPart;
    } else {
      KillTimer(Handle, HoverTimerId);
      t.HoverTimer = 0;
      t.HotBarKind = t.LastHotPart = t.HotPart = spNone;
      PaintScrollBars(*this, nullptr, -1);
    }
  } else if (id == FirstDelayTimerId) {
    if (t.RepeatTimer == 0) return;
    KillTimer(Handle, FirstDelayTimerId);
    t.RepeatTimer = SetTimer(Handle, RepeatTimerId, RepeatInterval, nullptr);
    message.Result = 0;
  } else if (id == RepeatTimerId) {
    if (t.RepeatTimer == 0) return;
    FollowPressedPart(CursorOnScreen());
    if (t.DrawnPressedPart != spNone) {
      OwnScrolling = true;
      SendScroll(Handle, t.ScrollMsg, t.DrawnPressedPart, 0);
      OwnScrolling = false;
    }
    message.Result = 0;
  } else {
    PassOn(message);  // the window's own timer
  }
}

void TSkScrollWnd::FollowPressedPart(TPoint screenPoint) {
  TScrollTracking& t = ScrollTracking;
  const TSkScrollBar& bar = BarOfKind(*this, t.PressedBarKind);
  const bool onPart = HitTestBar(bar, ScreenBarRect(*this, t.PressedBarKind), screenPoint) == t.PressedPart;
  const int drawn = onPart ? t.PressedPart : spNone;
  if (drawn != t.DrawnPressedPart) PaintPressedBar(drawn);
}

void TSkScrollWnd::FollowMouse(TMessage& message) {
  TScrollTracking& t = ScrollTracking;
  if (!IsTrackedWindow(Handle) || t.PressedPart == spNone || t.PressedBarKind == spNone) return PassOn(message);
  TPoint cursor = PointOf(message.LParam);
  ClientToScreen(Handle, cursor);
  if (ThumbTracking)
    MoveThumb(cursor);
  else
    FollowPressedPart(cursor);
  message.Result = 0;
}

void TSkScrollWnd::MoveThumb(TPoint screenPoint) {
  TScrollTracking& t = ScrollTracking;
  TSkScrollBar& bar = BarOfKind(*this, t.PressedBarKind);
  const TThumbDrag drag =
      DragThumb(bar, t.TrackRect, t.ThumbSizeAtPress, AlongBar(t.PressedBarKind, screenPoint) - t.ThumbGrabOffset);
  PaintDraggedBar(*this, bar, drag.Start);
  if (drag.Position == t.LastTrackPos) return;
  bar.Info.nTrackPos = drag.Position;
  OwnScrolling = true;
  SendScroll(Handle, t.ScrollMsg, SB_THUMBTRACK, drag.Position);
  OwnScrolling = false;
  t.LastTrackPos = drag.Position;
}

void TSkScrollWnd::ReleaseBar(TMessage& message) {
  TScrollTracking& t = ScrollTracking;
  if (!IsTrackedWindow(Handle) || t.PressedPart == spNone) return PassOn(message);
  if (!KeepsCaptureOnRelease()) ReleaseCapture();
  if (IsRepeatingPart(t.PressedPart) || t.PressedPart == spThumb) {
    if (IsRepeatingPart(t.PressedPart)) KillTimer(Handle, t.RepeatTimer);
    const bool dragged = ThumbTracking;
    OwnScrolling = true;
    if (dragged) {
      SendScroll(Handle, t.ScrollMsg, SB_THUMBPOSITION, t.LastTrackPos);
      ThumbTracking = false;
    }
    SendScroll(Handle, t.ScrollMsg, SB_ENDSCROLL, t.PressedPart == spThumb ? t.LastTrackPos : 0);
    OwnScrolling = false;
  }
  t.PressedPart = t.DrawnPressedPart = t.PressedBarKind = spNone;
  t.RepeatTimer = 0;
  t.ScrollMsg = 0;
  PaintScrollBars(*this, nullptr, -1);
  PassOn(message);
}
