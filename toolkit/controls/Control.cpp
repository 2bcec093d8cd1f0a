#include "toolkit/controls/Control.h"

#include "runtime/AsciiCase.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/controls/WinControl.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

namespace {

TPoint PointOf(LPARAM param) { return {GET_X_LPARAM(param), GET_Y_LPARAM(param)}; }

}  // namespace

TShiftState ShiftStateOfKeys(WPARAM keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) & 0x8000) shift |= ssAlt;
  return shift;
}

bool IsAccel(char32_t key, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return key < 0x80 && AsciiLower(caption[i + 1]) == AsciiLower(static_cast<char>(key));
  }
  return false;
}

TShiftState KeyboardShiftState() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) & 0x8000) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) & 0x8000) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) & 0x8000) shift |= ssAlt;
  return shift;
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& message) { WndProc(message); };
  font_.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
  Destroying();
  ForgetMouseControl(this);
  Screen().ForgetControl(this);
  Application().ControlDestroyed(this);
  // A form being destroyed is no longer a form here.
  if (TForm* form = GetParentForm(this)) form->ForgetActiveControl(this);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  if (parent) {
    parent->InsertControl(this);
    TakeParentLook();
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if ((width != width_ || height != height_) && !CanResize(width, height)) {
    width = width_;
    height = height_;
  }
  RememberAnchorBase(Bounds(left, top, width, height));
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool sized = width != width_ || height != height_;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
  if (parent_) parent_->Realign();
  if (sized && !IsLoading()) Resize();
}

TRect TControl::ClientRect() const { return {0, 0, width_, height_}; }

void TControl::SetClientSize(int width, int height) {
  const TRect client = ClientRect();
  SetBounds(left_, top_, width_ - client.Width() + width, height_ - client.Height() + height);
}

TPoint TControl::ClientOrigin() const {
  if (!parent_) return {left_, top_};
  const TPoint origin = parent_->ClientOrigin();
  return {origin.X + left_, origin.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint point) const {
  const TPoint origin = ClientOrigin();
  return {point.X + origin.X, point.Y + origin.Y};
}

TPoint TControl::ScreenToClient(TPoint point) const {
  const TPoint origin = ClientOrigin();
  return {point.X - origin.X, point.Y - origin.Y};
}

void TControl::SetAnchors(TAnchors anchors) {
  anchors_ = anchors;
  RememberAnchorBase(BoundsRect());
}

void TControl::RememberAnchorBase(const TRect& bounds) {
  if (anchoring_) return;
  TSize parentSize;
  if (parent_ && parent_->HandleAllocated()) parentSize = {parent_->ClientWidth(), parent_->ClientHeight()};
  anchorBase_ = {bounds, parentSize};
}

// Anchored to neither of two opposite edges, a control keeps its place
// as if anchored to the first.
TRect TControl::AnchoredBounds(TSize parentSize) {
  if (anchorBase_.ParentSize == TSize{}) anchorBase_.ParentSize = parentSize;
  const TRect& base = anchorBase_.Bounds;
  const int dx = parentSize.cx - anchorBase_.ParentSize.cx;
  const int dy = parentSize.cy - anchorBase_.ParentSize.cy;
  TRect rect = base;
  if (anchors_ & akRight) {
    rect.Right += dx;
    if (!(anchors_ & akLeft)) rect.Left += dx;
  }
  if (anchors_ & akBottom) {
    rect.Bottom += dy;
    if (!(anchors_ & akTop)) rect.Top += dy;
  }
  return rect;
}

bool TControl::ShowsHints() const {
  if (ShowHint) return true;
  return ParentShowHint && parent_ && parent_->ShowsHints();
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (!visible) Invalidate();
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible, 0);
  if (visible) Invalidate();
  if (parent_) parent_->Realign();
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor color) {
  parentColor_ = false;
  if (color == color_) return;
  color_ = color;
  Perform(CM_COLORCHANGED, 0, 0);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  parentColor_ = value;
  if (value && parent_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value) {
  parentFont_ = value;
  if (value && parent_) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::FontChanged() {
  parentFont_ = false;
  Perform(CM_FONTCHANGED, 0, 0);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::TakeParentLook() {
  if (parentColor_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
  if (parentFont_) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::NotifyControls(UINT) {}

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
  TMessage record{message, wParam, lParam, 0};
  if (WindowProc)
    WindowProc.Call(record);
  else
    WndProc(record);
  return record.Result;
}

void TControl::WndProc(TMessage& message) {
  if (message.Msg >= WM_MOUSEMOVE && message.Msg <= WM_MBUTTONDBLCLK) Application().HintMouseMessage(this, message);
  if (message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN) Application().CancelHint();
  if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) ControlState |= csLButtonDown;
  if (message.Msg == WM_LBUTTONUP) ControlState &= ~csLButtonDown;
  Dispatch(message);
}

void TControl::Dispatch(TMessage& message) {
  static const TMessageHandlers<TControl> handlers{
      {WM_LBUTTONDOWN, &TControl::WMLButtonDown},   {WM_RBUTTONDOWN, &TControl::WMRButtonDown},
      {WM_MBUTTONDOWN, &TControl::WMMButtonDown},   {WM_LBUTTONDBLCLK, &TControl::WMLButtonDblClk},
      {WM_RBUTTONDBLCLK, &TControl::WMRButtonDblClk}, {WM_MBUTTONDBLCLK, &TControl::WMMButtonDblClk},
      {WM_LBUTTONUP, &TControl::WMLButtonUp},       {WM_RBUTTONUP, &TControl::WMRButtonUp},
      {WM_MBUTTONUP, &TControl::WMMButtonUp},       {WM_MOUSEMOVE, &TControl::WMMouseMove},
      {WM_MOUSEWHEEL, &TControl::WMMouseWheel},     {CM_MOUSEENTER, &TControl::CMMouseEnter},
      {CM_MOUSELEAVE, &TControl::CMMouseLeave},     {CM_PARENTCOLORCHANGED, &TControl::CMParentColorChanged},
      {CM_PARENTFONTCHANGED, &TControl::CMParentFontChanged},
  };
  if (!handlers.Dispatch(*this, message)) DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated() || !visible_) return;
  const TRect area = BoundsRect();
  InvalidateRect(parent_->Handle(), &area, !(ControlStyle & csOpaque));
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::BringToFront() {
  if (parent_) parent_->MoveControl(this, true);
}

void TControl::SendToBack() {
  if (parent_) parent_->MoveControl(this, false);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (popupMenu_) RemoveFreeNotification(popupMenu_);
  popupMenu_ = menu;
  if (menu) FreeNotification(menu);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

TAction* TControl::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TControl::SetAction(TAction* action) {
  if (!actionLink_) actionLink_ = std::make_unique<TActionLink>([this](const TAction& source) { ActionChange(source); });
  actionLink_->SetAction(action);
}

void TControl::ActionChange(const TAction& action) {
  SetCaption(action.Caption());
  Hint = action.Hint();
  SetEnabled(action.Enabled());
  SetVisible(action.Visible());
}

void TControl::Click() {
  if (Action())
    actionLink_->Execute(this);
  else if (OnClick)
    OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
  return handled;
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

bool TControl::CanResize(int& newWidth, int& newHeight) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, newWidth, newHeight, resize);
  return resize;
}

void TControl::UpdateBoundsRect(const TRect& rect) {
  left_ = rect.Left;
  top_ = rect.Top;
  width_ = rect.Width();
  height_ = rect.Height();
}

bool TControl::MouseCapture() const { return CaptureControl() == this; }

void TControl::SetMouseCapture(bool capture) { SetCaptureControl(capture ? this : nullptr); }

void TControl::HandleMouseDown(TMessage& message, TMouseButton button, TShiftState extra) {
  DefaultHandler(message);
  // After the default handling: DblClick sees what the window made of the
  // double click (an edit's word selection).
  if (button == mbLeft && (extra & ssDouble) && (ControlStyle & csDoubleClicks)) DblClick();
  if (ControlStyle & csCaptureMouse) SetMouseCapture(true);
  if (button == mbLeft && (ControlStyle & csClickEvents)) ControlState |= csClicked;
  if (ControlStyle & csNoStdEvents) return;
  const TPoint point = PointOf(message.LParam);
  MouseDown(button, ShiftStateOfKeys(message.WParam) | extra, point.X, point.Y);
}

void TControl::HandleMouseUp(TMessage& message, TMouseButton button) {
  DefaultHandler(message);
  if (MouseCapture()) SetMouseCapture(false);
  const TPoint point = PointOf(message.LParam);
  if (button == mbLeft && (ControlState & csClicked)) {
    ControlState &= ~csClicked;
    if (PtInRect(ClientRect(), point)) Click();
  }
  if (!(ControlStyle & csNoStdEvents)) MouseUp(button, ShiftStateOfKeys(message.WParam), point.X, point.Y);
}

void TControl::WMLButtonDown(TMessage& message) { HandleMouseDown(message, mbLeft, 0); }
void TControl::WMRButtonDown(TMessage& message) { HandleMouseDown(message, mbRight, 0); }
void TControl::WMMButtonDown(TMessage& message) { HandleMouseDown(message, mbMiddle, 0); }

void TControl::WMLButtonDblClk(TMessage& message) { HandleMouseDown(message, mbLeft, ssDouble); }

void TControl::WMRButtonDblClk(TMessage& message) { HandleMouseDown(message, mbRight, ssDouble); }
void TControl::WMMButtonDblClk(TMessage& message) { HandleMouseDown(message, mbMiddle, ssDouble); }
void TControl::WMLButtonUp(TMessage& message) { HandleMouseUp(message, mbLeft); }
void TControl::WMRButtonUp(TMessage& message) { HandleMouseUp(message, mbRight); }
void TControl::WMMButtonUp(TMessage& message) { HandleMouseUp(message, mbMiddle); }

void TControl::WMMouseMove(TMessage& message) {
  DefaultHandler(message);
  if (ControlStyle & csNoStdEvents) return;
  const TPoint point = PointOf(message.LParam);
  MouseMove(ShiftStateOfKeys(message.WParam), point.X, point.Y);
}

void TControl::WMMouseWheel(TMessage& message) {
  const TPoint point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  const TShiftState shift = ShiftStateOfKeys(LOWORD(message.WParam));
  if (DoMouseWheel(shift, GET_WHEEL_DELTA_WPARAM(message.WParam), point))
    message.Result = 1;
  else
    DefaultHandler(message);
}

void TControl::CMMouseEnter(TMessage&) {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage&) {
  if (Application().HintControl() == this) Application().CancelHint();
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::CMParentColorChanged(TMessage&) {
  if (!parentColor_ || !parent_) return;
  SetColor(parent_->Color());
  parentColor_ = true;
}

void TControl::CMParentFontChanged(TMessage&) {
  if (!parentFont_ || !parent_) return;
  font_.Assign(parent_->Font());
  parentFont_ = true;
}
