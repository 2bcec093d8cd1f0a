#include "toolkit/controls/Application.h"

#include "runtime/Exceptions.h"
#include "runtime/Help.h"
#include "runtime/Storage.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/ControlCanvas.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/MessageBox.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/WindowBackend.h"

namespace {

// Before a toolkit control gets a key message, it sees it reflected
// (CN_KEYDOWN ...): there shortcuts and dialog keys take keys.
bool IsKeyMsg(const MSG& message) {
  if (message.message < WM_KEYDOWN || message.message > WM_SYSCHAR) return false;
  if (!TWinControl::FindControl(message.hwnd)) return false;
  return SendMessage(message.hwnd, CN_BASE + message.message, message.wParam, message.lParam) != 0;
}

}  // namespace

TApplication::TApplication() : TComponent(nullptr) {
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

void TApplication::SetTitle(const std::string& title) { SetAppTitle(title); }

void TApplication::FormDestroyed(const TForm* form) {
  if (mainForm_ == form) mainForm_ = nullptr;
}

HWND TApplication::Handle() {
  if (!handle_) handle_ = AllocateHWnd(nullptr);
  return handle_;
}

void TApplication::Run() {
  if (mainForm_) mainForm_->Show();
  while (!terminated_) HandleMessage();
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
  if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
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

// Never freed: windows may still be torn down by other globals at exit.
TApplication& Application() {
  static TApplication* application = new TApplication;
  return *application;
}
