#include "toolkit/controls/Form.h"

#include <vector>

#include "runtime/Exceptions.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/gdi/Icon.h"
#include "toolkit/win/MdiClient.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"

namespace {

// The other forms a modal form disables while it runs, given back afterwards.
std::vector<TForm*> DisableOtherForms(const TForm* modal) {
  std::vector<TForm*> disabled;
  for (int i = 0; i < Screen().FormCount(); ++i) {
    TForm* form = Screen().Forms(i);
    if (form != modal && form->Visible() && form->Enabled()) {
      form->SetEnabled(false);
      disabled.push_back(form);
    }
  }
  return disabled;
}

}  // namespace

TForm::TForm(TComponent* owner) : TCustomControl(owner), icon_(std::make_unique<TIcon>()) {
  SetVisible(false);
  SetColor(clBtnFace);
  ControlStyle |= csAcceptsControls;
  SetBounds(0, 0, 320, 240);
  Screen().AddForm(this);
}

TForm::~TForm() {
  Destroying();
  Screen().RemoveForm(this);
  Application().FormDestroyed(this);
}

void TForm::SetIcon(const TIcon& icon) { icon_->Assign(icon); }

void TForm::SetBorderStyle(TFormBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  RecreateWnd();
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_) {
    if (HandleAllocated()) ::SetMenu(Handle(), nullptr);
    RemoveFreeNotification(menu_);
  }
  menu_ = menu;
  if (!menu_) return;
  FreeNotification(menu_);
  if (HandleAllocated()) menu_->SetWindowHandle(Handle());
}

void TForm::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == opRemove && component == menu_) menu_ = nullptr;
}

void TForm::CreateWnd() {
  TCustomControl::CreateWnd();
  if (menu_) menu_->SetWindowHandle(Handle());
  if (formStyle_ == fsMDIForm) CreateMdiClient();
}

// The client fills the part of the client area that aligned controls leave.
void TForm::CreateMdiClient() {
  RegisterMdiClientClass();
  TRect area = ClientRect();
  TCustomControl::AlignControls(area);
  clientHandle_ = CreateWindowEx(WS_EX_CLIENTEDGE, MdiClientClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                 area.Left, area.Top, area.Width(), area.Height(), Handle(), nullptr, nullptr);
}

void TForm::AlignControls(TRect& rect) {
  TCustomControl::AlignControls(rect);
  if (const HWND client = ClientHandle())
    MoveWindow(client, rect.Left, rect.Top, rect.Width(), rect.Height(), true);
}

HWND TForm::ClientHandle() const { return IsWindow(clientHandle_) ? clientHandle_ : nullptr; }

// The MDI client of the main form, or else of the first MDI form.
HWND TForm::MdiClientForChildren() {
  TForm* frame = Application().MainForm();
  for (int i = 0; i < Screen().FormCount() && !(frame && frame->formStyle_ == fsMDIForm); ++i) frame = Screen().Forms(i);
  if (!frame || frame->formStyle_ != fsMDIForm) return nullptr;
  frame->HandleNeeded();
  return frame->ClientHandle();
}

TForm* TForm::ActiveMDIChild() const {
  const HWND client = ClientHandle();
  if (!client) return nullptr;
  return dynamic_cast<TForm*>(FindControl(ParamToHandle<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, 0))));
}

std::vector<TForm*> TForm::MdiChildForms() const {
  std::vector<TForm*> children;
  if (const HWND client = ClientHandle())
    for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (auto* form = dynamic_cast<TForm*>(FindControl(child))) children.push_back(form);
  return children;
}

int TForm::MDIChildCount() const { return static_cast<int>(MdiChildForms().size()); }

TForm* TForm::MDIChildren(int index) const { return MdiChildForms().at(static_cast<size_t>(index)); }

void TForm::Tile() {
  if (const HWND client = ClientHandle()) SendMessage(client, WM_MDITILE, MDITILE_VERTICAL, 0);
}

void TForm::Cascade() {
  if (const HWND client = ClientHandle()) SendMessage(client, WM_MDICASCADE, 0, 0);
}

void TForm::WMMDIActivate(TMessage& message) {
  DefaultHandler(message);
  const bool activated = ParamToHandle<HWND>(message.LParam) == Handle();
  if (activated) Screen().SetActiveForm(this);
  const TNotifyEvent& event = activated ? OnActivate : OnDeactivate;
  if (event) event(this);
}

void TForm::SetFormStyle(TFormStyle style) {
  if (style == formStyle_) return;
  const bool wasOnTop = formStyle_ == fsStayOnTop;
  formStyle_ = style;
  if (!HandleAllocated()) return;
  if (wasOnTop || style == fsStayOnTop)
    SetWindowPos(Handle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  else
    RecreateWnd();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  if (icons == borderIcons_) return;
  borderIcons_ = icons;
  RecreateWnd();
}

TWindowState TForm::WindowState() const {
  if (HandleAllocated() && IsWindowVisible(const_cast<TForm*>(this)->Handle()))
    return IsZoomed(const_cast<TForm*>(this)->Handle()) ? wsMaximized : windowState_ == wsMinimized ? wsMinimized : wsNormal;
  return windowState_;
}

void TForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (HandleAllocated() && IsWindowVisible(Handle())) ApplyWindowState();
}

void TForm::ApplyWindowState() {
  static constexpr int commands[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_SHOWMAXIMIZED};
  ShowWindow(Handle(), commands[windowState_]);
}

void TForm::SetActiveControl(TWinControl* control) {
  activeControl_ = control;
  if (control && Active() && control->CanFocus()) control->SetFocus();
}

bool TForm::Active() const { return HandleAllocated() && GetActiveWindow() == const_cast<TForm*>(this)->Handle(); }

void TForm::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style &= ~(WS_CHILD | WS_CLIPSIBLINGS);
  params.WndParent = ParentWindow;
  switch (borderStyle_) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle: params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX; break;
    case bsSizeable: params.Style |= WS_OVERLAPPEDWINDOW; break;
    case bsDialog:
      params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
      params.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case bsToolWindow:
      params.Style |= WS_CAPTION | WS_SYSMENU;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      params.Style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (params.Style & WS_CAPTION) {
    if (!(borderIcons_ & biSystemMenu)) params.Style &= ~WS_SYSMENU;
    if (!(borderIcons_ & biMinimize)) params.Style &= ~WS_MINIMIZEBOX;
    if (!(borderIcons_ & biMaximize)) params.Style &= ~WS_MAXIMIZEBOX;
    if (borderIcons_ & biHelp) params.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (formStyle_ == fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
  if (formStyle_ == fsMDIChild) {
    params.Style = (params.Style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
    params.ExStyle |= WS_EX_MDICHILD;
    params.WndParent = MdiClientForChildren();
    if (!params.WndParent) throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
  }
  if (Position == poScreenCenter) {
    const TRect area = Screen().WorkAreaRect();
    params.X = area.Left + (area.Width() - params.Width) / 2;
    params.Y = area.Top + (area.Height() - params.Height) / 2;
  }
}

void TForm::Paint() {
  if (OnPaint) OnPaint(this);
}

TModalResult TForm::ShowModal() {
  if (Visible() || !Enabled()) throw EInvalidOperation("Cannot make a visible window modal");
  const std::vector<TForm*> disabled = DisableOtherForms(this);
  const HWND activeBefore = GetActiveWindow();
  modal_ = true;
  modalResult_ = mrNone;
  Show();
  while (modalResult_ == mrNone && !Application().Terminated()) {
    Application().HandleMessage();
    if (modalResult_ != mrNone && !CloseQuery()) modalResult_ = mrNone;
  }
  modal_ = false;
  for (TForm* form : disabled) form->SetEnabled(true);
  Hide();
  // The window the user worked in gets the keyboard back.
  if (activeBefore && IsWindow(activeBefore) && IsWindowVisible(activeBefore)) SetActiveWindow(activeBefore);
  return modalResult_ == mrNone ? mrCancel : modalResult_;
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (Application().MainForm() == this)
    Application().Terminate();
  else if (action == caFree)
    Release();
  else
    Hide();
}

void TForm::Release() { PostMessage(Handle(), CM_RELEASE, 0, 0); }

void TForm::Dispatch(TMessage& message) {
  static const TMessageHandlers<TForm> handlers{
      {WM_CLOSE, &TForm::WMClose},
      {WM_ACTIVATE, &TForm::WMActivate},
      {WM_SHOWWINDOW, &TForm::WMShowWindow},
      {CM_RELEASE, &TForm::CMRelease},
      {WM_COMMAND, &TForm::WMMenuMessage},
      {WM_INITMENUPOPUP, &TForm::WMMenuMessage},
      {WM_MEASUREITEM, &TForm::WMMenuMessage},
      {WM_DRAWITEM, &TForm::WMMenuMessage},
      {WM_ENTERIDLE, &TForm::WMEnterIdle},
      {WM_MDIACTIVATE, &TForm::WMMDIActivate},
      {CM_DIALOGKEY, &TForm::CMDialogKey},
  };
  if (!handlers.Dispatch(*this, message)) TCustomControl::Dispatch(message);
}

void TForm::WMClose(TMessage&) { Close(); }

// An activated form gives the focus to its active control.
void TForm::WMActivate(TMessage& message) {
  if (LOWORD(message.WParam) == WA_INACTIVE) {
    if (OnDeactivate) OnDeactivate(this);
    return;
  }
  Screen().SetActiveForm(this);
  if (activeControl_ && activeControl_->CanFocus())
    activeControl_->SetFocus();
  else
    DefaultHandler(message);
  if (OnActivate) OnActivate(this);
}

void TForm::WMShowWindow(TMessage& message) {
  DefaultHandler(message);
  // A form shown maximized or minimized takes that state as it appears.
  if (message.WParam && windowState_ != wsNormal && !applyingState_) {
    applyingState_ = true;
    ApplyWindowState();
    applyingState_ = false;
  }
  const TNotifyEvent& event = message.WParam ? OnShow : OnHide;
  if (event) event(this);
}

void TForm::CMRelease(TMessage&) { delete this; }

void TForm::WMMenuMessage(TMessage& message) {
  if (!TMenuItem::DispatchMenuMessage(message)) TCustomControl::Dispatch(message);
}

// The menu loop ran out of messages: the application's idle work runs.
void TForm::WMEnterIdle(TMessage& message) {
  if (message.WParam == MSGF_MENU) Application().DoIdle();
  DefaultHandler(message);
}

void TForm::CMDialogKey(TMessage& message) {
  const TShiftState shift = KeyboardShiftState();
  if (!(shift & (ssAlt | ssCtrl))) {
    TWinControl* focused = FindControl(GetFocus());
    if (message.WParam == VK_TAB) {
      SelectNext(focused, !(shift & ssShift), true);
      message.Result = 1;
      return;
    }
    const bool arrow = message.WParam >= VK_LEFT && message.WParam <= VK_DOWN;
    if (arrow && focused && focused->Parent()) {
      focused->Parent()->SelectNext(focused, message.WParam == VK_RIGHT || message.WParam == VK_DOWN, false);
      message.Result = 1;
      return;
    }
  }
  Broadcast(message);
}
