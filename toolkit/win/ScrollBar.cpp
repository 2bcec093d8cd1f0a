#include "toolkit/win/ScrollBar.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Edges.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/NonClient.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Timers.h"

namespace {

constexpr int MinThumbLength = 8;
constexpr UINT_PTR RepeatTimerId = 0xFFF0;
constexpr UINT FirstRepeatDelay = 300;
constexpr UINT RepeatInterval = 55;

// Parts of a bar, named by the scroll request a press on them sends.
constexpr int NoPart = -1;

// The scroll bar being operated with the mouse: the thumb is drawn at the
// track position and the pressed part drawn pressed while the mouse is on it.
struct TBarTracking {
  HWND Window = nullptr;
  int Bar = SB_VERT;
  int Part = NoPart;
  bool PressedShown = false;
};
TBarTracking Tracking;

bool IsTracking(const TWindowRecord& record, int bar) { return Tracking.Window == record.Handle && Tracking.Bar == bar; }

struct TBarGeometry {
  TRect Rect;  // window coordinates
  bool Vertical = false;
  int Length = 0;
  int Arrow = 0;
  int Track = 0;
  bool HasThumb = false;
  int ThumbStart = 0;  // from the bar's start
  int ThumbLength = 0;
};

bool BarEnabled(const TWindowRecord& record, int bar) {
  const auto& disabled = record.Bar(bar).ArrowsDisabled;
  return !(record.Style & WS_DISABLED) && !(disabled[0] && disabled[1]);
}

// A range may take in every int (0 .. MaxInt has 2^31 items): counts and
// distances along it are 64-bit.
std::int64_t ItemCount(const SCROLLINFO& info) { return std::int64_t(info.nMax) - info.nMin + 1; }

// How far the first visible item can move.
std::int64_t Span(const SCROLLINFO& info) { return ItemCount(info) - std::max<std::int64_t>(info.nPage, 1); }

// Moves the thumb along a track of the given free length (track minus thumb).
int ThumbOffset(const SCROLLINFO& info, int position, int freeLength) {
  const std::int64_t span = Span(info);
  if (span <= 0 || freeLength <= 0) return 0;
  return int(std::clamp<std::int64_t>((std::int64_t(position) - info.nMin) * freeLength / span, 0, freeLength));
}

int PositionAtOffset(const SCROLLINFO& info, int offset, int freeLength) {
  const std::int64_t span = Span(info);
  if (span <= 0 || freeLength <= 0) return info.nMin;
  return int(info.nMin + std::int64_t(std::clamp(offset, 0, freeLength)) * span / freeLength);
}

TBarGeometry Geometry(const TWindowRecord& record, int bar) {
  TBarGeometry g;
  const TFrameLayout layout = FrameLayout(record);
  if (!(bar == SB_HORZ ? layout.HorzShown : layout.VertShown)) return g;
  g.Rect = bar == SB_HORZ ? layout.HorzBar : layout.VertBar;
  g.Vertical = bar == SB_VERT;
  g.Length = g.Vertical ? g.Rect.Height() : g.Rect.Width();
  g.Arrow = std::min(GetSystemMetrics(g.Vertical ? SM_CYVSCROLL : SM_CXHSCROLL), g.Length / 2);
  g.Track = g.Length - 2 * g.Arrow;
  const SCROLLINFO& info = record.Bar(bar).Info;
  const std::int64_t count = ItemCount(info);
  if (!BarEnabled(record, bar) || count <= 0) return g;
  g.ThumbLength = info.nPage ? std::max(int(std::int64_t(info.nPage) * g.Track / count), MinThumbLength)
                             : GetSystemMetrics(g.Vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
  if (g.ThumbLength >= g.Track) return g;
  g.HasThumb = true;
  const int position = IsTracking(record, bar) && Tracking.Part == SB_THUMBTRACK ? info.nTrackPos : info.nPos;
  g.ThumbStart = g.Arrow + ThumbOffset(info, position, g.Track - g.ThumbLength);
  return g;
}

// Where a window point lies along the bar, from its start.
int Along(const TBarGeometry& g, TPoint windowPoint) {
  return g.Vertical ? windowPoint.Y - g.Rect.Top : windowPoint.X - g.Rect.Left;
}

int PartAt(const TBarGeometry& g, TPoint windowPoint) {
  if (!PtInRect(g.Rect, windowPoint)) return NoPart;
  const int along = Along(g, windowPoint);
  if (along < g.Arrow) return SB_LINEUP;
  if (along >= g.Length - g.Arrow) return SB_LINEDOWN;
  if (!g.HasThumb) return NoPart;
  if (along < g.ThumbStart) return SB_PAGEUP;
  if (along >= g.ThumbStart + g.ThumbLength) return SB_PAGEDOWN;
  return SB_THUMBTRACK;
}

TRect Segment(const TBarGeometry& g, int from, int to) {
  return g.Vertical ? TRect{g.Rect.Left, g.Rect.Top + from, g.Rect.Right, g.Rect.Top + to}
                    : TRect{g.Rect.Left + from, g.Rect.Top, g.Rect.Left + to, g.Rect.Bottom};
}

TPoint WindowPoint(const TWindowRecord& record, TPoint screenPoint) {
  const TRect screen = ScreenBounds(record);
  return {screenPoint.X - screen.Left, screenPoint.Y - screen.Top};
}

// A small solid triangle pointing away from the bar's middle.
void DrawArrowGlyph(HDC dc, const TRect& button, bool vertical, bool towardsEnd, bool enabled) {
  const HBRUSH brush = GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  const int size = std::max(2, std::min(button.Width(), button.Height()) / 4);
  const int centreX = (button.Left + button.Right) / 2;
  const int centreY = (button.Top + button.Bottom) / 2;
  for (int i = 0; i < size; ++i) {
    const int step = towardsEnd ? size - 1 - i : i;
    const int offset = i - size / 2;
    if (vertical)
      FillRect(dc, {centreX - step, centreY + offset, centreX + step + 1, centreY + offset + 1}, brush);
    else
      FillRect(dc, {centreX + offset, centreY - step, centreX + offset + 1, centreY + step + 1}, brush);
  }
}

void DrawButton(HDC dc, TRect rect, bool pressed) {
  DrawEdge(dc, rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | (pressed ? BF_FLAT : 0));
}

void PaintBar(const TWindowRecord& record, int bar, HDC dc) {
  const TBarGeometry g = Geometry(record, bar);
  if (IsRectEmpty(g.Rect)) return;
  const bool enabled = BarEnabled(record, bar);
  const int pressed = IsTracking(record, bar) && Tracking.PressedShown ? Tracking.Part : NoPart;
  const TRect first = Segment(g, 0, g.Arrow);
  const TRect second = Segment(g, g.Length - g.Arrow, g.Length);
  DrawButton(dc, first, pressed == SB_LINEUP);
  DrawArrowGlyph(dc, first, g.Vertical, false, enabled);
  DrawButton(dc, second, pressed == SB_LINEDOWN);
  DrawArrowGlyph(dc, second, g.Vertical, true, enabled);
  const int thumbEnd = g.HasThumb ? g.ThumbStart + g.ThumbLength : g.Arrow;
  const int beforeEnd = g.HasThumb ? g.ThumbStart : g.Length - g.Arrow;
  FillRect(dc, Segment(g, g.Arrow, beforeEnd), GetSysColorBrush(pressed == SB_PAGEUP ? COLOR_3DDKSHADOW : COLOR_SCROLLBAR));
  if (!g.HasThumb) return;
  FillRect(dc, Segment(g, thumbEnd, g.Length - g.Arrow),
           GetSysColorBrush(pressed == SB_PAGEDOWN ? COLOR_3DDKSHADOW : COLOR_SCROLLBAR));
  DrawButton(dc, Segment(g, g.ThumbStart, thumbEnd), false);
}

void RepaintBars(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record || !record->RedrawEnabled || !IsWindowVisible(window)) return;
  const HDC dc = GetWindowDC(window);
  PaintScrollBars(*record, dc);
  ReleaseDC(window, dc);
}

void SendScroll(HWND window, int bar, int code, int position) {
  SendMessage(window, bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, position), 0);
}

void SetBarStyle(HWND window, int bar, bool shown) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return;
  const DWORD bit = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
  if (((record->Style & bit) != 0) == shown) return;
  record->Style = shown ? record->Style | bit : record->Style & ~bit;
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Normalise(SCROLLINFO& info) {
  info.nPage = UINT(std::clamp<std::int64_t>(ItemCount(info), 0, info.nPage));
  const std::int64_t lastStart = std::int64_t(info.nMax) - std::max<std::int64_t>(std::int64_t(info.nPage) - 1, 0);
  const std::int64_t last = std::max<std::int64_t>(info.nMin, lastStart);
  info.nPos = int(std::clamp<std::int64_t>(info.nPos, info.nMin, last));
}

bool Scrollable(const SCROLLINFO& info) {
  return info.nMax > info.nMin && (info.nPage == 0 || info.nPage < ItemCount(info));
}

void OnRepeatTimer(HWND, UINT, UINT_PTR, DWORD);

class TScrollBarTracker final : public IMouseTracker {
public:
  TScrollBarTracker(HWND window, int bar, int part, TPoint screenPoint, int grab)
      : window_(window), bar_(bar), part_(part), last_(screenPoint), grab_(grab) {}

  void Start() {
    if (part_ == SB_THUMBTRACK) {
      TWindowRecord* record = FindWindowRecord(window_);
      record->Bar(bar_).Info.nTrackPos = record->Bar(bar_).Info.nPos;
      RepaintBars(window_);
      return;
    }
    RepaintBars(window_);
    ScrollAndRearm(FirstRepeatDelay);
  }

  void MouseMove(TPoint screenPoint) override {
    last_ = screenPoint;
    if (part_ == SB_THUMBTRACK)
      DragThumb();
    else
      ShowPressed(UnderMouse());
  }

  void ButtonUp(TPoint screenPoint) override {
    last_ = screenPoint;
    KillTimer(window_, RepeatTimerId);
    const HWND window = window_;
    const int bar = bar_;
    const int part = part_;
    const TWindowRecord* record = FindWindowRecord(window);
    const int position = record ? record->Bar(bar).Info.nTrackPos : 0;
    Finish();
    if (part == SB_THUMBTRACK) SendScroll(window, bar, SB_THUMBPOSITION, position);
    SendScroll(window, bar, SB_ENDSCROLL, 0);
    RepaintBars(window);
  }

  void Cancel() override {
    KillTimer(window_, RepeatTimerId);
    const HWND window = window_;
    Finish();
    RepaintBars(window);
  }

  void Repeat() {
    if (UnderMouse()) ScrollAndRearm(RepeatInterval);
  }

private:
  // The window may end the tracking while it scrolls (WM_CANCELMODE, a
  // dialog), and this object with it: the scroll request comes last.
  void ScrollAndRearm(UINT delay) {
    SetTimer(window_, RepeatTimerId, delay, &OnRepeatTimer);
    SendScroll(window_, bar_, part_, 0);
  }

  // Ends the tracking; this object is gone afterwards.
  void Finish();

  bool UnderMouse() const {
    const TWindowRecord* record = FindWindowRecord(window_);
    return record && PartAt(Geometry(*record, bar_), WindowPoint(*record, last_)) == part_;
  }

  void ShowPressed(bool pressed) {
    if (Tracking.PressedShown == pressed) return;
    Tracking.PressedShown = pressed;
    RepaintBars(window_);
  }

  void DragThumb() {
    TWindowRecord* record = FindWindowRecord(window_);
    if (!record) return;
    const TBarGeometry g = Geometry(*record, bar_);
    SCROLLINFO& info = record->Bar(bar_).Info;
    const int offset = Along(g, WindowPoint(*record, last_)) - grab_ - g.Arrow;
    const int position = PositionAtOffset(info, offset, g.Track - g.ThumbLength);
    if (position == info.nTrackPos) return;
    info.nTrackPos = position;
    RepaintBars(window_);
    SendScroll(window_, bar_, SB_THUMBTRACK, position);
  }

  HWND window_;
  int bar_;
  int part_;
  TPoint last_;
  int grab_;
};

TScrollBarTracker* ActiveTracker = nullptr;

void TScrollBarTracker::Finish() {
  Tracking = {};
  ActiveTracker = nullptr;
  EndMouseTracking();
}

void OnRepeatTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (ActiveTracker) ActiveTracker->Repeat();
}

}  // namespace

void ResetScrollBarTracking() {
  if (ActiveTracker) ActiveTracker->Cancel();
  Tracking = {};
}

void PaintScrollBars(const TWindowRecord& record, HDC dc) {
  PaintBar(record, SB_HORZ, dc);
  PaintBar(record, SB_VERT, dc);
}

void BeginScrollBarTracking(HWND window, int bar, TPoint screenPoint) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record || !BarEnabled(*record, bar)) return;
  const TBarGeometry g = Geometry(*record, bar);
  const TPoint point = WindowPoint(*record, screenPoint);
  const int part = PartAt(g, point);
  if (part == NoPart) return;
  auto tracker = std::make_unique<TScrollBarTracker>(window, bar, part, screenPoint, Along(g, point) - g.ThumbStart);
  TScrollBarTracker* started = tracker.get();
  // Cancels a tracking still going on, which clears the tracking state.
  BeginMouseTracking(std::move(tracker));
  Tracking = {window, bar, part, true};
  ActiveTracker = started;
  started->Start();
}

int SetScrollInfo(HWND window, int bar, const SCROLLINFO& info, bool redraw) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record || (bar != SB_HORZ && bar != SB_VERT)) return 0;
  SCROLLINFO& stored = record->Bar(bar).Info;
  if (info.fMask & SIF_RANGE) stored.nMin = info.nMin, stored.nMax = info.nMax;
  if (info.fMask & SIF_PAGE) stored.nPage = info.nPage;
  if (info.fMask & SIF_POS) stored.nPos = info.nPos;
  Normalise(stored);
  if (!IsTracking(*record, bar)) stored.nTrackPos = stored.nPos;
  const int position = stored.nPos;
  if (info.fMask & (SIF_RANGE | SIF_PAGE)) {
    const bool scrollable = Scrollable(stored);
    const bool keepShown = (info.fMask & SIF_DISABLENOSCROLL) != 0;
    auto& disabled = record->Bar(bar).ArrowsDisabled;
    disabled[0] = disabled[1] = !scrollable && keepShown;
    SetBarStyle(window, bar, scrollable || keepShown);
  }
  if (redraw) RepaintBars(window);
  return position;
}

bool GetScrollInfo(HWND window, int bar, SCROLLINFO& info) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record || (bar != SB_HORZ && bar != SB_VERT)) return false;
  SCROLLINFO native;
  const bool isNative = record->Host && record->Host->NativeScrollInfo(bar, native);
  const SCROLLINFO& stored = isNative ? native : record->Bar(bar).Info;
  if (info.fMask & SIF_RANGE) info.nMin = stored.nMin, info.nMax = stored.nMax;
  if (info.fMask & SIF_PAGE) info.nPage = stored.nPage;
  if (info.fMask & SIF_POS) info.nPos = stored.nPos;
  if (info.fMask & SIF_TRACKPOS) info.nTrackPos = stored.nTrackPos;
  return true;
}

int SetScrollPos(HWND window, int bar, int position, bool redraw) {
  const int old = GetScrollPos(window, bar);
  SCROLLINFO info;
  info.fMask = SIF_POS;
  info.nPos = position;
  SetScrollInfo(window, bar, info, redraw);
  return old;
}

int GetScrollPos(HWND window, int bar) {
  SCROLLINFO info;
  info.fMask = SIF_POS;
  return GetScrollInfo(window, bar, info) ? info.nPos : 0;
}

bool SetScrollRange(HWND window, int bar, int minimum, int maximum, bool redraw) {
  SCROLLINFO info;
  info.fMask = SIF_RANGE;
  info.nMin = minimum;
  info.nMax = maximum;
  return FindWindowRecord(window) && (SetScrollInfo(window, bar, info, redraw), true);
}

bool ShowScrollBar(HWND window, int bar, bool show) {
  if (!FindWindowRecord(window)) return false;
  if (bar == SB_HORZ || bar == SB_BOTH) SetBarStyle(window, SB_HORZ, show);
  if (bar == SB_VERT || bar == SB_BOTH) SetBarStyle(window, SB_VERT, show);
  return true;
}

bool EnableScrollBar(HWND window, UINT bar, UINT arrows) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  for (int kind : {SB_HORZ, SB_VERT})
    if (bar == static_cast<UINT>(kind) || bar == SB_BOTH) {
      record->Bar(kind).ArrowsDisabled[0] = (arrows & ESB_DISABLE_LTUP) != 0;
      record->Bar(kind).ArrowsDisabled[1] = (arrows & ESB_DISABLE_RTDN) != 0;
    }
  RepaintBars(window);
  return true;
}

namespace {

bool MarkFlat(HWND window, bool flat) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record) return false;
  record->FlatScrollBars = flat;
  return true;
}

}  // namespace

bool InitializeFlatSB(HWND window) { return MarkFlat(window, true); }
bool UninitializeFlatSB(HWND window) { return MarkFlat(window, false); }

bool FlatSBInitialized(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  return record && record->FlatScrollBars;
}

bool GetScrollBarInfo(HWND window, int objectId, SCROLLBARINFO& info) {
  const TWindowRecord* record = FindWindowRecord(window);
  if (!record || (objectId != OBJID_HSCROLL && objectId != OBJID_VSCROLL)) return false;
  const int bar = objectId == OBJID_HSCROLL ? SB_HORZ : SB_VERT;
  const TBarGeometry g = Geometry(*record, bar);
  info = {};
  info.rcScrollBar = g.Rect;
  const TRect screen = ScreenBounds(*record);
  OffsetRect(info.rcScrollBar, screen.Left, screen.Top);
  info.dxyLineButton = g.Arrow;
  info.xyThumbTop = g.ThumbStart;
  info.xyThumbBottom = g.ThumbStart + g.ThumbLength;
  if (IsRectEmpty(g.Rect)) info.rgstate[0] |= STATE_SYSTEM_INVISIBLE;
  if (!BarEnabled(*record, bar)) info.rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
  return true;
}
