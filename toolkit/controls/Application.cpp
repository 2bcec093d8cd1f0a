#include "toolkit/controls/Application.h"

#include <unistd.h>

#include <cstdlib>
#include <thread>
#include <utility>

#include "runtime/Exceptions.h"
#include "runtime/Help.h"
#include "runtime/Storage.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/ControlCanvas.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/gdi/Icon.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Timers.h"
#include "toolkit/win/MessageBox.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowBackend.h"

namespace {

// Before a toolkit control gets a key message, it sees it reflected
// (CN_KEYDOWN ...): there shortcuts and dialog keys take keys.
bool IsKeyMsg(const MSG& message) {
  if (message.message < WM_KEYDOWN || message.message > WM_SYSCHAR) return false;
  if (!TWinControl::FindControl(message.hwnd)) return false;
  return SendMessage(message.hwnd, CN_BASE + message.message, message.wParam, message.lParam) != 0;
}

// exit() while the program runs. Another thread only ends the process:
// the window thread may be using what a handler would write.
void EndAbruptly(int status, void* windowThread) {
  std::function<void()> handler = std::exchange(Application().OnAbruptEnd, nullptr);
  if (!handler) return;
  if (std::this_thread::get_id() == *static_cast<std::thread::id*>(windowThread)) {
    try {
      handler();
    } catch (...) {
      // What could not be written is lost; the process ends all the same.
    }
  }
  _exit(status);
}

}  // namespace

TApplication::TApplication() : TComponent(nullptr), icon_(std::make_unique<TIcon>()) {
  SetExceptionHandler([this](std::exception_ptr exception) { HandleException(exception); });
  SetKeyPreview(&IsKeyMsg);
  SetShortCutSearch(&FindShortCut);
}

TApplication::~TApplication() {
  SetKeyPreview(nullptr);
  SetExceptionHandler(nullptr);
  if (handle_) DeallocateHWnd(handle_);
}

std::string TApplication::Title() const { return GetAppTitle(); }

void TApplication::SetIcon(const TIcon& icon) { icon_->Assign(icon); }

void TApplication::SetTitle(const std::string& title) { SetAppTitle(title); }

void TApplication::FormDestroyed(const TForm* form) {
  if (mainForm_ == form) mainForm_ = nullptr;
}

HWND TApplication::Handle() {
  if (!handle_) handle_ = AllocateHWnd([this](TMessage& message) { WndProc(message); });
  return handle_;
}

int TApplication::HookMainWindow(TWindowHook hook) {
  windowHooks_.emplace_back(nextHookKey_, std::move(hook));
  return nextHookKey_++;
}

void TApplication::UnhookMainWindow(int key) {
  std::erase_if(windowHooks_, [key](const auto& hook) { return hook.first == key; });
}

void TApplication::WndProc(TMessage& message) {
  // A hook may unhook itself while it runs: it is called through a copy.
  for (size_t i = 0; i < windowHooks_.size(); ++i) {
    const TWindowHook hook = windowHooks_[i].second;
    if (hook(message)) return;
  }
  message.Result = DefWindowProc(handle_, message.Msg, message.WParam, message.LParam);
}

void TApplication::Run() {
  // A program run again in the same process (tests) starts a fresh loop.
  terminated_ = false;
  MSG quit;
  PeekMessage(quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  // Exit handlers run newest first: this one before the destructors of
  // everything made so far, windows included.
  static std::thread::id windowThread = std::this_thread::get_id();
  on_exit(&EndAbruptly, &windowThread);
  // From here on (showing the main form may run a script) an end is acted on at once.
  running_ = true;
  if (mainForm_) mainForm_->Show();
  // Asked while the windows were being made.
  if (std::exchange(endRequested_, false)) RequestEnd();
  while (!terminated_) HandleMessage();
  running_ = false;
}

void TApplication::RequestEnd() {
  if (!running_ || !mainForm_) {
    endRequested_ = true;
    return;
  }
  if (OnEndRequest)
    OnEndRequest();
  else
    SendMessage(mainForm_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool TApplication::ProcessMessage() {
  MSG message;
  if (!PeekMessage(message, nullptr, 0, 0, PM_REMOVE)) return false;
  if (message.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  try {
    bool handled = false;
    if (OnMessage) OnMessage(message, handled);
    if (!handled) DispatchMessage(message);
  } catch (...) {
    HandleException(std::current_exception());
  }
  return true;
}

void TApplication::ProcessMessages() {
  if (IWindowBackend* backend = WindowBackend()) backend->ProcessEvents(false, 0);
  while (ProcessMessage()) {
  }
  FreeDeviceContexts();
}

void TApplication::HandleMessage() {
  if (ProcessMessage()) return;
  Idle();
}

// Between messages: the actions of the visible forms are updated, what
// control canvases drew is given back to the screen, OnIdle runs, and
// unless it asks for more idle time the loop waits.
void TApplication::Idle() {
  if (RunIdleHandlers() && !terminated_) WaitMessage();
}

void TApplication::DoIdle() { RunIdleHandlers(); }

bool TApplication::RunIdleHandlers() {
  bool done = true;
  try {
    UpdateActionsOfVisibleForms();
    FreeDeviceContexts();
    if (OnIdle) OnIdle(this, done);
  } catch (...) {
    HandleException(std::current_exception());
  }
  return done;
}

void TApplication::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::Minimize() {
  minimized_ = true;
  if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  minimized_ = false;
  if (mainForm_ && mainForm_->WindowState() == wsMinimized) mainForm_->SetWindowState(wsNormal);
}

// Best effort: X11 and Wayland window managers may refuse to raise or
// activate a window the user is not working in.
void TApplication::BringToFront() {
  if (!mainForm_ || !mainForm_->HandleAllocated() || !mainForm_->Visible()) return;
  SetWindowPos(mainForm_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetActiveWindow(mainForm_->Handle());
}

void TApplication::HandleException(std::exception_ptr exception) {
  try {
    std::rethrow_exception(exception);
  } catch (const std::exception& error) {
    if (OnException)
      OnException(this, error);
    else
      ShowException(error);
  } catch (...) {
    ShowException(EQuantrelError("Unknown exception"));
  }
}

void TApplication::ShowException(const std::exception& error) {
  MessageBox(error.what(), Title(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  return ::MessageBox(GetActiveWindow(), text, caption, flags);
}

void TApplication::HelpContext(int context) { ShowHelpContext(context); }

void TApplication::SetHintWindowClass(THintWindowClass windowClass) {
  CancelHint();
  hintWindow_.reset();
  hintWindowClass_ = std::move(windowClass);
}

THintWindow* TApplication::ShownHint() const {
  return hintWindow_ && hintWindow_->Showing() ? hintWindow_.get() : nullptr;
}

// The window is made again when the class asked for is another one.
THintWindow& TApplication::HintWindowOf(const THintWindowClass& windowClass) {
  const THintWindowClass& wanted = windowClass ? windowClass : hintWindowClass_;
  if (!hintWindow_ || !hintWindowType_ || *hintWindowType_ != wanted.target_type()) {
    hintWindow_.reset(wanted(nullptr));
    hintWindowType_ = &wanted.target_type();
  }
  return *hintWindow_;
}

namespace {

bool IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
         message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

// The control's hint, or its nearest parent's when it has none.
std::string HintOf(const TControl* control) {
  for (; control; control = control->Parent())
    if (!control->Hint.empty()) return control->Hint;
  return {};
}

TRect ScreenRectOf(const TControl& control, const TRect& rect) {
  const TPoint origin = control.ClientToScreen({0, 0});
  TRect result = rect;
  OffsetRect(result, origin.X, origin.Y);
  return result;
}

}  // namespace

void TApplication::HintMouseMessage(TControl* control, const TMessage& message) {
  if (IsButtonDown(message.Msg)) {
    CancelHint();
    return;
  }
  if (message.Msg != WM_MOUSEMOVE) return;
  TControl* hintControl = control->ShowsHints() ? control : nullptr;
  if (!ShowHint || !hintControl) {
    CancelHint();
    return;
  }
  const TPoint cursor = control->ClientToScreen({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
  if (hintControl == hintControl_ && PtInRect(hintCursorRect_, cursor)) return;
  const bool wasActive = ShownHint() != nullptr;
  int pause = wasActive ? HintShortPause : HintPause;
  hintControl->Perform(CM_HINTSHOWPAUSE, wasActive, reinterpret_cast<LPARAM>(&pause));
  hintControl_ = hintControl;
  hintCursorRect_ = ScreenRectOf(*hintControl, hintControl->ClientRect());
  if (wasActive) HideHint();
  if (pause <= 0)
    ActivateHint(cursor);
  else
    StartHintTimer(pause, THintTimerMode::Show);
}

void TApplication::ActivateHint(TPoint cursorPos) {
  StopHintTimer();
  TControl* control = hintControl_;
  if (!control || !control->Showing()) {
    CancelHint();
    return;
  }
  THintInfo info;
  info.HintControl = control;
  info.HintWindowClass = hintWindowClass_;
  info.HintPos = {cursorPos.X, cursorPos.Y + 20};
  info.HintMaxWidth = Screen().Width();
  info.HintColor = HintColor;
  info.CursorRect = control->ClientRect();
  info.CursorPos = control->ScreenToClient(cursorPos);
  info.HideTimeout = HintHidePause;
  info.HintStr = GetShortHint(HintOf(control));
  bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
  hintCursorRect_ = ScreenRectOf(*control, info.CursorRect);
  if (canShow && !info.HintStr.empty()) {
    THintWindow& window = HintWindowOf(info.HintWindowClass);
    TRect rect = window.CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
    OffsetRect(rect, info.HintPos.X, info.HintPos.Y);
    window.SetColor(info.HintColor);
    window.ActivateHintData(rect, info.HintStr, info.HintData);
    if (info.HideTimeout > 0) StartHintTimer(info.HideTimeout, THintTimerMode::Hide);
  } else {
    HideHint();
  }
  if (info.ReshowTimeout > 0) StartHintTimer(info.ReshowTimeout, THintTimerMode::Show);
}

void TApplication::HideHint() {
  if (hintWindow_ && hintWindow_->HandleAllocated()) hintWindow_->ReleaseHandle();
}

void TApplication::CancelHint() {
  StopHintTimer();
  HideHint();
  hintControl_ = nullptr;
  hintCursorRect_ = {};
}

void TApplication::ControlDestroyed(const TControl* control) {
  if (control == hintControl_) CancelHint();
  if (control == hintWindow_.get()) hintWindow_.release();
}

void TApplication::StartHintTimer(int milliseconds, THintTimerMode mode) {
  StopHintTimer();
  hintTimerMode_ = mode;
  hintTimer_ = SetTimer(nullptr, 0, static_cast<UINT>(milliseconds), &TApplication::HintTimerExpired);
}

void TApplication::StopHintTimer() {
  if (hintTimer_) KillTimer(nullptr, hintTimer_);
  hintTimer_ = 0;
}

void TApplication::HintTimerExpired(HWND, UINT, UINT_PTR, DWORD) {
  TApplication& application = Application();
  application.StopHintTimer();
  if (application.hintTimerMode_ == THintTimerMode::Hide) {
    application.HideHint();
    return;
  }
  TPoint cursor;
  GetCursorPos(cursor);
  application.ActivateHint(cursor);
}

// Never freed: windows may still be torn down by other globals at exit.
TApplication& Application() {
  static TApplication* application = new TApplication;
  return *application;
}
