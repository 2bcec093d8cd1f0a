#include "toolkit/controls/WinControl.h"

#include <algorithm>
#include <exception>
#include <unordered_map>

#include "runtime/Exceptions.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Cursor.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/WindowBackend.h"

namespace {

std::unordered_map<HWND, TWinControl*>& ControlOfWindow() {
  static std::unordered_map<HWND, TWinControl*> controls;
  return controls;
}

// The control whose window CreateWindowEx is making: its first messages bind them.
TWinControl* CreationControl = nullptr;
TControl* Captured = nullptr;
TControl* UnderMouse = nullptr;
TShortCutSearch ShortCutSearch;

TPoint PointOf(LPARAM param) { return {GET_X_LPARAM(param), GET_Y_LPARAM(param)}; }

bool IsClientMouseMessage(UINT message) { return message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK; }

bool IsWindowed(const TControl* control) { return dynamic_cast<const TWinControl*>(control) != nullptr; }

// Aligned children in the order they take their places: the first of each
// side is the one nearest to that side.
std::vector<TControl*> AlignedInOrder(const std::vector<TControl*>& controls, TAlign align) {
  std::vector<TControl*> result;
  for (TControl* control : controls)
    if (control->Align() == align && control->Visible()) result.push_back(control);
  const auto key = [align](const TControl* c) {
    switch (align) {
      case alTop: return c->Top();
      case alBottom: return -(c->Top() + c->Height());
      case alLeft: return c->Left();
      case alRight: return -(c->Left() + c->Width());
      default: return 0;
    }
  };
  std::stable_sort(result.begin(), result.end(), [&key](TControl* a, TControl* b) { return key(a) < key(b); });
  return result;
}

TRect PlaceAligned(TControl& control, TRect& rect) {
  switch (control.Align()) {
    case alTop: {
      const TRect place{rect.Left, rect.Top, rect.Right, rect.Top + control.Height()};
      rect.Top = place.Bottom;
      return place;
    }
    case alBottom: {
      const TRect place{rect.Left, rect.Bottom - control.Height(), rect.Right, rect.Bottom};
      rect.Bottom = place.Top;
      return place;
    }
    case alLeft: {
      const TRect place{rect.Left, rect.Top, rect.Left + control.Width(), rect.Bottom};
      rect.Left = place.Right;
      return place;
    }
    case alRight: {
      const TRect place{rect.Right - control.Width(), rect.Top, rect.Right, rect.Bottom};
      rect.Right = place.Left;
      return place;
    }
    default: return rect;
  }
}

}  // namespace

TControl* CaptureControl() { return Captured; }

TForm* GetParentForm(const TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

void SetShortCutSearch(TShortCutSearch search) { ShortCutSearch = std::move(search); }

void ResetControlInputState() {
  Captured = nullptr;
  UnderMouse = nullptr;
}

void SetCaptureControl(TControl* control) {
  Captured = control;
  if (!control) {
    ReleaseCapture();
    return;
  }
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed) windowed = control->Parent();
  if (windowed && windowed->HandleAllocated()) SetCapture(windowed->Handle());
}

void ForgetMouseControl(TControl* control) {
  if (UnderMouse == control) UnderMouse = nullptr;
  if (Captured == control) Captured = nullptr;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying();
  if (handle_) DestroyWindow(handle_);
  while (!controls_.empty()) delete controls_.back();
}

LRESULT TWinControl::ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = FindControl(window);
  if (!control) {
    if (!CreationControl) return DefWindowProc(window, message, wParam, lParam);
    control = std::exchange(CreationControl, nullptr);
    control->handle_ = window;
    ControlOfWindow()[window] = control;
  }
  TMessage record{message, wParam, lParam, 0};
  control->MainWndProc(record);
  return record.Result;
}

void TWinControl::MainWndProc(TMessage& message) {
  try {
    WindowProc.Call(message);
  } catch (...) {
    Application().HandleException(std::current_exception());
  }
}

TWinControl* TWinControl::FindControl(HWND window) {
  const auto found = ControlOfWindow().find(window);
  return found == ControlOfWindow().end() ? nullptr : found->second;
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (Parent()) Parent()->HandleNeeded();
  if (handle_) return;
  CreateWnd();
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Caption = Text();
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle & csAcceptsControls) params.Style |= WS_CLIPCHILDREN;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (TabStop) params.Style |= WS_TABSTOP;
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  params.WndParent = Parent() ? Parent()->Handle() : ParentWindow;
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  params.WindowClass.lpfnWndProc = &DefWindowProc;
  params.WindowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  DefWndProc = params.WindowClass.lpfnWndProc;
  nativeWidget_ = !params.WindowClass.NativeWidget.empty();
  WNDCLASS registered;
  if (!GetClassInfo(params.WinClassName, registered)) {
    WNDCLASS windowClass = params.WindowClass;
    windowClass.lpfnWndProc = &ControlWindowProc;
    windowClass.lpszClassName = params.WinClassName;
    RegisterClass(windowClass);
  }
  if ((params.Style & WS_CHILD) && !params.WndParent) throw EInvalidOperation("Control has no parent window");
  ControlState |= csCreating;
  CreationControl = this;
  CreateWindowHandle(params);
  CreationControl = nullptr;
  ControlState &= ~csCreating;
  if (!handle_) throw EQuantrelError("Error creating window");
  if (nativeWidget_) ApplyNativeLook();
  UpdateBounds();
  for (TControl* control : std::vector<TControl*>(controls_))
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) windowed->UpdateShowing();
  UpdateShowing();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  CreateWindowEx(params.ExStyle, params.WinClassName, params.Caption, params.Style, params.X, params.Y, params.Width,
                 params.Height, params.WndParent, nullptr, params.Param);
}

void TWinControl::DestroyWnd() { DestroyWindow(handle_); }

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* control : controls_)
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) windowed->DestroyHandle();
  ControlState |= csDestroyingHandle;
  DestroyWnd();
  ControlState &= ~csDestroyingHandle;
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  UpdateShowing();
}

// A windowed child gets its window once its parent has one; the window
// shows while the control is visible.
void TWinControl::UpdateShowing() {
  const bool placed = Parent() ? Parent()->HandleAllocated() : true;
  if (Visible() && placed) {
    HandleNeeded();
    if (!IsWindowVisible(handle_) || !(GetWindowLongPtr(handle_, GWL_STYLE) & WS_VISIBLE))
      ShowWindow(handle_, Parent() ? SW_SHOWNA : SW_SHOW);
  } else if (handle_) {
    ShowWindow(handle_, SW_HIDE);
  }
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) tabList_.push_back(windowed);
  if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && handle_) windowed->UpdateShowing();
  Realign();
  control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
  const bool leaving = !IsDestroying();
  if (leaving) control->Invalidate();
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) windowed->DestroyHandle();
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
  control->parent_ = nullptr;
  if (leaving) Realign();
}

void TWinControl::MoveControl(TControl* control, bool toFront) {
  const auto found = std::find(controls_.begin(), controls_.end(), control);
  if (found == controls_.end()) return;
  controls_.erase(found);
  controls_.insert(toFront ? controls_.end() : controls_.begin(), control);
  if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && windowed->HandleAllocated())
    SetWindowPos(windowed->Handle(), toFront ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  control->Invalidate();
}

TControl* TWinControl::ControlAtPos(TPoint point, bool allowDisabled) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* control = *it;
    if (!IsWindowed(control) && control->Visible() && (allowDisabled || control->Enabled()) &&
        PtInRect(control->BoundsRect(), point))
      return control;
  }
  return nullptr;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (!handle_) {
    TControl::SetBounds(left, top, width, height);
    return;
  }
  SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  RememberAnchorBase(BoundsRect());
  if (Parent() && Align() != alNone) Parent()->Realign();
}

TRect TWinControl::ClientRect() const {
  if (!handle_) return TControl::ClientRect();
  TRect rect;
  GetClientRect(handle_, rect);
  return rect;
}

TPoint TWinControl::ClientOrigin() const {
  if (!handle_) return TControl::ClientOrigin();
  TPoint origin{0, 0};
  ::ClientToScreen(handle_, origin);
  return origin;
}

bool TWinControl::Showing() const { return handle_ && IsWindowVisible(handle_); }

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, !(ControlStyle & csOpaque));
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::Realign() {
  if (ControlState & csAligning) return;
  ControlState |= csAligning;
  TRect rect = ClientRect();
  AlignControls(rect);
  ControlState &= ~csAligning;
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
  const int level = SaveDC(dc);
  OffsetWindowOrgEx(dc, -x, -y, nullptr);
  SendMessage(Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CLIENT | PRF_CHILDREN);
  RestoreDC(dc, level);
}

void TWinControl::AlignControls(TRect& rect) {
  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient})
    for (TControl* control : AlignedInOrder(controls_, align)) {
      const TRect place = PlaceAligned(*control, rect);
      control->SetBounds(place.Left, place.Top, place.Width(), place.Height());
    }
  AnchorControls();
}

// Anchors act once the window exists: before, the client size is not yet the final one.
void TWinControl::AnchorControls() {
  if (!handle_) return;
  const TSize size{ClientWidth(), ClientHeight()};
  for (TControl* control : std::vector<TControl*>(controls_)) {
    if (control->Align() != alNone || control->Anchors() == (akLeft | akTop)) continue;
    const TRect place = control->AnchoredBounds(size);
    control->anchoring_ = true;
    control->SetBounds(place.Left, place.Top, place.Width(), place.Height());
    control->anchoring_ = false;
  }
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

void TWinControl::CollectTabOrder(std::vector<TWinControl*>& list) const {
  for (TWinControl* control : tabList_) {
    list.push_back(control);
    control->CollectTabOrder(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop) const {
  std::vector<TWinControl*> list;
  CollectTabOrder(list);
  if (list.empty()) return nullptr;
  if (!goForward) std::reverse(list.begin(), list.end());
  const auto found = std::find(list.begin(), list.end(), current);
  const size_t start = found == list.end() ? list.size() - 1 : static_cast<size_t>(found - list.begin());
  for (size_t step = 1; step <= list.size(); ++step) {
    TWinControl* candidate = list[(start + step) % list.size()];
    if (candidate != current && candidate->CanFocus() && (!checkTabStop || candidate->TabStop)) return candidate;
  }
  return nullptr;
}

bool TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop) {
  TWinControl* next = FindNextControl(current, goForward, checkTabStop);
  if (!next) return false;
  next->SetFocus();
  return true;
}

void TWinControl::SetFocus() {
  if (CanFocus()) ::SetFocus(Handle());
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const {
  for (const TWinControl* control = this; control; control = control->Parent())
    if (!control->Visible() || !control->Enabled()) return false;
  return true;
}

// A message a windowless child took still gets the window's default
// handling unless the child answered it: a right button's release over a
// paint box must still bring the context menu.
void TWinControl::WndProc(TMessage& message) {
  if (IsClientMouseMessage(message.Msg) && RouteMouseToChild(message)) {
    if (message.Result == 0) DefaultHandler(message);
    return;
  }
  TControl::WndProc(message);
}

// Windowless children take the mouse messages over their area, or all of
// them while they hold the capture.
bool TWinControl::RouteMouseToChild(TMessage& message) {
  const TPoint point = PointOf(message.LParam);
  TControl* target = Captured && Captured->Parent() == this && !IsWindowed(Captured) ? Captured : nullptr;
  if (!target && (!Captured || Captured == this)) target = ControlAtPos(point, false);
  if (message.Msg == WM_MOUSEMOVE) TrackMouseControl(target ? target : this);
  if (!target) return false;
  message.Result = target->Perform(message.Msg, message.WParam,
                                   MAKELPARAM(point.X - target->Left(), point.Y - target->Top()));
  return true;
}

void TWinControl::TrackMouseControl(TControl* control) {
  if (control == UnderMouse) return;
  TControl* left = std::exchange(UnderMouse, control);
  if (left) left->Perform(CM_MOUSELEAVE, 0, 0);
  control->Perform(CM_MOUSEENTER, 0, 0);
  TRACKMOUSEEVENT track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = handle_;
  TrackMouseEvent(track);
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (!handle_) return;
  message.Result = CallWindowProc(DefWndProc, handle_, message.Msg, message.WParam, message.LParam);
}

void TWinControl::Dispatch(TMessage& message) {
  static const TMessageHandlers<TWinControl> handlers{
      {WM_PAINT, &TWinControl::WMPaint},
      {WM_PRINTCLIENT, &TWinControl::WMPrintClient},
      {WM_ERASEBKGND, &TWinControl::WMEraseBkgnd},
      {WM_SIZE, &TWinControl::WMSize},
      {WM_MOVE, &TWinControl::WMMove},
      {WM_SETFOCUS, &TWinControl::WMSetFocus},
      {WM_KILLFOCUS, &TWinControl::WMKillFocus},
      {WM_KEYDOWN, &TWinControl::WMKeyDown},
      {WM_SYSKEYDOWN, &TWinControl::WMKeyDown},
      {WM_KEYUP, &TWinControl::WMKeyUp},
      {WM_SYSKEYUP, &TWinControl::WMKeyUp},
      {WM_CHAR, &TWinControl::WMChar},
      {WM_SETCURSOR, &TWinControl::WMSetCursor},
      {WM_CONTEXTMENU, &TWinControl::WMContextMenu},
      {WM_MOUSELEAVE, &TWinControl::WMMouseLeave},
      {WM_CAPTURECHANGED, &TWinControl::WMCaptureChanged},
      {WM_NCDESTROY, &TWinControl::WMNCDestroy},
      {CM_VISIBLECHANGED, &TWinControl::CMVisibleChanged},
      {CM_ENABLEDCHANGED, &TWinControl::CMEnabledChanged},
      {CM_TEXTCHANGED, &TWinControl::CMTextChanged},
      {CM_COLORCHANGED, &TWinControl::CMLookChanged},
      {CM_FONTCHANGED, &TWinControl::CMLookChanged},
      {CN_KEYDOWN, &TWinControl::CNKeyDown},
      {CN_SYSKEYDOWN, &TWinControl::CNKeyDown},
      {CN_CHAR, &TWinControl::CNChar},
      {CN_SYSCHAR, &TWinControl::CNSysChar},
      {CM_DIALOGKEY, &TWinControl::CMDialogKey},
      {CM_DIALOGCHAR, &TWinControl::CMDialogChar},
      {WM_WINDOWPOSCHANGING, &TWinControl::WMWindowPosChanging},
      {WM_COMMAND, &TWinControl::WMCommand},
      {WM_NOTIFY, &TWinControl::WMNotify},
      {WM_DRAWITEM, &TWinControl::WMDrawItem},
      {WM_MEASUREITEM, &TWinControl::WMMeasureItem},
  };
  if (!handlers.Dispatch(*this, message)) TControl::Dispatch(message);
}

void TWinControl::NotifyControls(UINT message) {
  for (TControl* control : std::vector<TControl*>(controls_)) control->Perform(message, 0, 0);
}

void TWinControl::Broadcast(TMessage& message) {
  for (TControl* control : std::vector<TControl*>(controls_)) {
    message.Result = control->Perform(message.Msg, message.WParam, message.LParam);
    if (message.Result != 0) return;
  }
}

void TWinControl::CNKeyDown(TMessage& message) {
  message.Result = 1;
  const auto key = static_cast<WORD>(message.WParam);
  if (ShortCutSearch && ShortCutSearch(*this, key, KeyboardShiftState())) return;
  LRESULT mask = 0;
  switch (key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_EXECUTE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask && Perform(CM_WANTSPECIALKEY, key, message.LParam) == 0 && !(Perform(WM_GETDLGCODE, 0, 0) & mask))
    if (TForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGKEY, key, message.LParam) != 0) return;
  message.Result = 0;
}

// A character the control does not take may be a mnemonic of the form's controls.
void TWinControl::CNChar(TMessage& message) {
  message.Result = 0;
  if (Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) return;
  if (TForm* form = GetParentForm(this)) message.Result = form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0;
}

void TWinControl::CNSysChar(TMessage& message) {
  message.Result = 0;
  if (message.WParam == ' ') return;
  if (TForm* form = GetParentForm(this)) message.Result = form->Perform(CM_DIALOGCHAR, message.WParam, message.LParam) != 0;
}

void TWinControl::CMDialogKey(TMessage& message) { Broadcast(message); }

void TWinControl::CMDialogChar(TMessage& message) { Broadcast(message); }

void TWinControl::WMWindowPosChanging(TMessage& message) {
  auto* position = reinterpret_cast<WINDOWPOS*>(message.LParam);
  if (!(position->flags & SWP_NOSIZE) && (position->cx != Width() || position->cy != Height())) {
    int width = position->cx;
    int height = position->cy;
    if (!CanResize(width, height)) {
      width = Width();
      height = Height();
    }
    position->cx = width;
    position->cy = height;
  }
  DefaultHandler(message);
}

bool TWinControl::ReflectToChild(HWND child, TMessage& message) {
  TWinControl* control = FindControl(child);
  if (!control || control == this) return false;
  message.Result = control->Perform(message.Msg + CN_BASE, message.WParam, message.LParam);
  return true;
}

void TWinControl::WMCommand(TMessage& message) {
  if (!ReflectToChild(ParamToHandle<HWND>(message.LParam), message)) DefaultHandler(message);
}

void TWinControl::WMNotify(TMessage& message) {
  const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
  if (!ReflectToChild(header->hwndFrom, message)) DefaultHandler(message);
}

void TWinControl::WMDrawItem(TMessage& message) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
  if (item->CtlType == ODT_MENU || !ReflectToChild(item->hwndItem, message)) DefaultHandler(message);
}

// The item's control is the child window whose id the record names.
void TWinControl::WMMeasureItem(TMessage& message) {
  const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.LParam);
  if (item->CtlType != ODT_MENU)
    for (TWinControl* control : tabList_)
      if (control->HandleAllocated() && GetWindowLongPtr(control->handle_, GWL_ID) == static_cast<LONG_PTR>(item->CtlID) &&
          ReflectToChild(control->handle_, message))
        return;
  DefaultHandler(message);
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(message);
}

void TWinControl::PaintHandler(TMessage& message) {
  PAINTSTRUCT paint;
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  if (!dc) dc = BeginPaint(handle_, paint);
  PaintWindow(dc);
  PaintControls(dc);
  if (!message.WParam) EndPaint(handle_, paint);
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* control : std::vector<TControl*>(controls_)) {
    if (IsWindowed(control) || !control->Visible()) continue;
    const int level = SaveDC(dc);
    OffsetWindowOrgEx(dc, -control->Left(), -control->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
    control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, level);
  }
}

void TWinControl::WMPaint(TMessage& message) { PaintHandler(message); }

void TWinControl::WMPrintClient(TMessage& message) {
  if ((message.LParam & PRF_CHECKVISIBLE) && !Visible()) {
    DefaultHandler(message);
    return;
  }
  PaintHandler(message);
}

void TWinControl::WMEraseBkgnd(TMessage& message) {
  const HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
  FillRect(reinterpret_cast<HDC>(message.WParam), ClientRect(), brush);
  DeleteObject(brush);
  message.Result = 1;
}

void TWinControl::UpdateBounds() {
  TRect rect;
  GetWindowRect(handle_, rect);
  if (GetWindowLongPtr(handle_, GWL_STYLE) & WS_CHILD) {
    TPoint corners[2] = {rect.TopLeft(), rect.BottomRight()};
    MapWindowPoints(nullptr, GetParent(handle_), corners, 2);
    rect = {corners[0].X, corners[0].Y, corners[1].X, corners[1].Y};
  }
  UpdateBoundsRect(rect);
}

void TWinControl::WMSize(TMessage& message) {
  UpdateBounds();
  DefaultHandler(message);
  Realign();
  if (!IsLoading()) Resize();
}

void TWinControl::WMMove(TMessage& message) {
  UpdateBounds();
  DefaultHandler(message);
}

void TWinControl::WMSetFocus(TMessage& message) {
  DefaultHandler(message);
  Screen().SetActiveControl(this);
  if (TForm* form = GetParentForm(this); form && form != this) form->ControlFocused(this);
  if (OnEnter) OnEnter(this);
}

void TWinControl::WMKillFocus(TMessage& message) {
  DefaultHandler(message);
  if (OnExit) OnExit(this);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

// The key event may change the key, or swallow it by making it 0.
void TWinControl::HandleKey(TMessage& message, void (TWinControl::*event)(WORD&, TShiftState)) {
  auto key = static_cast<WORD>(message.WParam);
  (this->*event)(key, KeyboardShiftState());
  if (key == 0) return;
  message.WParam = key;
  DefaultHandler(message);
}

void TWinControl::WMKeyDown(TMessage& message) { HandleKey(message, &TWinControl::KeyDown); }

void TWinControl::WMKeyUp(TMessage& message) { HandleKey(message, &TWinControl::KeyUp); }

void TWinControl::WMChar(TMessage& message) {
  auto key = static_cast<char32_t>(message.WParam);
  KeyPress(key);
  if (key == 0) return;
  message.WParam = key;
  DefaultHandler(message);
}

// The screen's cursor wins; else the cursor of the control under the mouse.
void TWinControl::WMSetCursor(TMessage& message) {
  if (reinterpret_cast<HWND>(message.WParam) == handle_ && LOWORD(static_cast<uintptr_t>(message.LParam)) == HTCLIENT) {
    TCursor cursor = Screen().Cursor();
    if (cursor == crDefault) {
      TPoint point;
      GetCursorPos(point);
      const TControl* control = ControlAtPos(ScreenToClient(point), false);
      cursor = (control ? control : this)->Cursor();
    }
    if (cursor != crDefault) {
      ::SetCursor(Screen().Cursors(cursor));
      message.Result = 1;
      return;
    }
  }
  DefaultHandler(message);
}

// LParam -1 comes from the keyboard: the menu opens at the control's top-left.
void TWinControl::WMContextMenu(TMessage& message) {
  const bool fromKeyboard = message.LParam == -1;
  const TPoint point = fromKeyboard ? ClientToScreen({0, 0}) : PointOf(message.LParam);
  bool handled = false;
  if (OnContextPopup) OnContextPopup(this, fromKeyboard ? TPoint{-1, -1} : ScreenToClient(point), handled);
  // A windowless child under the mouse shows its own menu.
  TControl* shower = fromKeyboard ? nullptr : ControlAtPos(ScreenToClient(point), false);
  if (!shower || !shower->PopupMenu()) shower = this;
  if (TPopupMenu* menu = shower->PopupMenu(); !handled && menu && menu->AutoPopup) {
    menu->PopupComponent = shower;
    menu->Popup(point.X, point.Y);
    handled = true;
  }
  if (handled) {
    message.Result = 1;
    return;
  }
  DefaultHandler(message);
}

void TWinControl::WMMouseLeave(TMessage& message) {
  if (UnderMouse && (UnderMouse == this || UnderMouse->Parent() == this)) {
    TControl* left = std::exchange(UnderMouse, nullptr);
    left->Perform(CM_MOUSELEAVE, 0, 0);
  }
  DefaultHandler(message);
}

void TWinControl::WMCaptureChanged(TMessage& message) {
  if (Captured && (Captured == this || Captured->Parent() == this)) Captured = nullptr;
  DefaultHandler(message);
}

void TWinControl::WMNCDestroy(TMessage& message) {
  DefaultHandler(message);
  ControlOfWindow().erase(handle_);
  handle_ = nullptr;
}

void TWinControl::CMVisibleChanged(TMessage&) { UpdateShowing(); }

void TWinControl::CMEnabledChanged(TMessage&) {
  if (handle_) EnableWindow(handle_, Enabled());
  Invalidate();
}

void TWinControl::CMTextChanged(TMessage&) {
  if (handle_) SetWindowText(handle_, Text());
}

void TWinControl::CMLookChanged(TMessage&) {
  if (nativeWidget_ && handle_) ApplyNativeLook();
  Invalidate();
}

void TWinControl::ApplyNativeLook() {
  Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), 0);
  Perform(CM_NATIVECOLORS, ColorToRGB(Color()), static_cast<LPARAM>(ColorToRGB(Font().Color())));
}
