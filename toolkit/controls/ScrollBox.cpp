#include "toolkit/controls/ScrollBox.h"

#include "toolkit/win/ScrollBar.h"

namespace {

constexpr int WheelLines = 3;

bool CountsFor(TScrollBarKind kind, TAlign align) {
  // A control stretched along a direction never needs scrolling in it.
  if (align == alClient) return false;
  return kind == sbVertical ? align != alLeft && align != alRight : align != alTop && align != alBottom;
}

}  // namespace

void TControlScrollBar::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  control_.UpdateScrollBars();
}

int TControlScrollBar::Page() const {
  const TRect client = control_.ClientRect();
  return kind_ == sbVertical ? client.Height() : client.Width();
}

void TControlScrollBar::SetPosition(int position) {
  position = std::clamp(position, 0, MaxPosition());
  if (position == position_) return;
  const int moved = position_ - position;
  position_ = position;
  if (kind_ == sbVertical)
    control_.ScrollChildren(0, moved);
  else
    control_.ScrollChildren(moved, 0);
  if (control_.HandleAllocated()) SetScrollPos(control_.Handle(), Bar(), position_, true);
}

// Shows the bar with the range and page, or hides it and scrolls back.
void TControlScrollBar::Update() {
  if (!control_.HandleAllocated()) return;
  shown_ = visible_ && range_ > Page();
  if (!shown_) SetPosition(0);
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  info.nMax = shown_ ? range_ - 1 : 0;
  info.nPage = shown_ ? static_cast<UINT>(Page()) : 0;
  info.nPos = position_;
  SetScrollInfo(control_.Handle(), Bar(), info, true);
  SetPosition(position_);
}

void TControlScrollBar::Scroll(int request, int trackPosition) {
  switch (request) {
    case SB_LINEUP: SetPosition(position_ - LineSize()); break;
    case SB_LINEDOWN: SetPosition(position_ + LineSize()); break;
    case SB_PAGEUP: SetPosition(position_ - Page()); break;
    case SB_PAGEDOWN: SetPosition(position_ + Page()); break;
    case SB_THUMBTRACK:
      if (Tracking) SetPosition(trackPosition);
      break;
    case SB_THUMBPOSITION: SetPosition(trackPosition); break;
    case SB_TOP: SetPosition(0); break;
    case SB_BOTTOM: SetPosition(MaxPosition()); break;
    default: break;
  }
}

TScrollingWinControl::TScrollingWinControl(TComponent* owner) : TWinControl(owner) {
  ControlStyle |= csAcceptsControls;
}

int TScrollingWinControl::ChildrenReach(TScrollBarKind kind) const {
  const bool vertical = kind == sbVertical;
  const int scrolled = vertical ? vert_.Position() : horz_.Position();
  int reach = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* control = Controls(i);
    if (!control->Visible() || !CountsFor(kind, control->Align())) continue;
    const int edge = vertical ? control->Top() + control->Height() : control->Left() + control->Width();
    reach = std::max(reach, edge + scrolled);
  }
  return reach;
}

// Aligned children take their places on the whole scrolled area; a bar
// that comes or goes changes the client area, and they are placed again.
void TScrollingWinControl::AlignControls(TRect& rect) {
  for (int round = 0; round < 3; ++round) {
    const TRect client = ClientRect();
    TRect area = Bounds(-horz_.Position(), -vert_.Position(), std::max(horz_.Range(), client.Width()),
                        std::max(vert_.Range(), client.Height()));
    TWinControl::AlignControls(area);
    UpdateScrollBars();
    if (ClientRect() == client) break;
  }
  rect = ClientRect();
}

// Showing one bar narrows the page of the other: measure until both agree.
void TScrollingWinControl::UpdateScrollBars() {
  if (updatingBars_ || !HandleAllocated()) return;
  updatingBars_ = true;
  for (int round = 0; round < 2; ++round) {
    horz_.range_ = ChildrenReach(sbHorizontal);
    vert_.range_ = ChildrenReach(sbVertical);
    horz_.Update();
    vert_.Update();
  }
  updatingBars_ = false;
}

void TScrollingWinControl::ScrollChildren(int dx, int dy) {
  const bool wasUpdating = std::exchange(updatingBars_, true);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* control = Controls(i);
    if (control->Align() == alNone)
      control->SetBounds(control->Left() + dx, control->Top() + dy, control->Width(), control->Height());
  }
  Realign();
  updatingBars_ = wasUpdating;
  Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* control) {
  if (!control) return;
  const TPoint topLeft = ScreenToClient(control->ClientToScreen({0, 0}));
  const TRect client = ClientRect();
  const auto bring = [](TControlScrollBar& bar, int start, int length, int page) {
    if (start < 0)
      bar.SetPosition(bar.Position() + start);
    else if (start + length > page)
      bar.SetPosition(bar.Position() + std::min(start, start + length - page));
  };
  bring(horz_, topLeft.X, control->Width(), client.Width());
  bring(vert_, topLeft.Y, control->Height(), client.Height());
}

void TScrollingWinControl::PaintWindow(HDC) {}

void TScrollingWinControl::Dispatch(TMessage& message) {
  static const TMessageHandlers<TScrollingWinControl> handlers{
      {WM_HSCROLL, &TScrollingWinControl::WMHScroll},
      {WM_VSCROLL, &TScrollingWinControl::WMVScroll},
      {WM_MOUSEWHEEL, &TScrollingWinControl::WMMouseWheel},
  };
  if (!handlers.Dispatch(*this, message)) TWinControl::Dispatch(message);
}

// The request names the thumb's place only in 16 bits: the bar's own track position is exact.
void TScrollingWinControl::WMHScroll(TMessage& message) {
  SCROLLINFO info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(Handle(), SB_HORZ, info);
  horz_.Scroll(LOWORD(message.WParam), info.nTrackPos);
}

void TScrollingWinControl::WMVScroll(TMessage& message) {
  SCROLLINFO info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(Handle(), SB_VERT, info);
  vert_.Scroll(LOWORD(message.WParam), info.nTrackPos);
}

// OnMouseWheel may take the wheel; otherwise each notch scrolls three
// lines, and a box that cannot scroll hands the wheel to its parent.
void TScrollingWinControl::WMMouseWheel(TMessage& message) {
  const TPoint point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  const int delta = GET_WHEEL_DELTA_WPARAM(message.WParam);
  message.Result = 1;
  if (DoMouseWheel(ShiftStateOfKeys(LOWORD(message.WParam)), delta, point)) return;
  if (!vert_.IsScrollBarVisible()) {
    DefaultHandler(message);
    return;
  }
  vert_.SetPosition(vert_.Position() - delta * WheelLines * vert_.LineSize() / WHEEL_DELTA);
}

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {
  SetBounds(0, 0, 185, 41);
  SetParentColor(true);
  TabStop = false;
}

void TScrollBox::SetBorderStyle(TBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& params) {
  TScrollingWinControl::CreateParams(params);
  if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}
