#pragma once
// The application: its title, main form and message loop. Exceptions that
// escape a message handler come here; unless OnException takes them, each
// is shown in a message box with the title as caption, and the loop goes on.

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "toolkit/controls/Form.h"
#include "toolkit/controls/HintWindow.h"

using TIdleEvent = std::function<void(TObject* sender, bool& done)>;
// Sees each message the loop retrieves before it is dispatched; handled
// keeps it from its window.
using TMessageEvent = std::function<void(MSG& message, bool& handled)>;
using TShowHintEvent = std::function<void(std::string& hintStr, bool& canShow, THintInfo& hintInfo)>;
using TExceptionEvent = std::function<void(TObject* sender, const std::exception& error)>;
// Sees a message of the application window before the window does;
// answering true stops it there.
using TWindowHook = std::function<bool(TMessage& message)>;

class TApplication : public TComponent {
public:
  TApplication();
  ~TApplication() override;

  std::string Title() const;
  void SetTitle(const std::string& title);
  // The program's icon, empty until one is given; the application keeps a copy.
  TIcon& Icon() { return *icon_; }
  const TIcon& Icon() const { return *icon_; }
  void SetIcon(const TIcon& icon);

  TForm* MainForm() const { return mainForm_; }
  // Makes a form owned by the application; the first one made is the main form.
  template <class Form>
  Form* CreateForm() {
    auto* form = new Form(this);
    if (!mainForm_) mainForm_ = form;
    return form;
  }
  void FormDestroyed(const TForm* form);

  // Shows the main form and handles messages until Terminate or the main form closes.
  void Run();
  // Handles every message waiting now, desktop events included.
  void ProcessMessages();
  // Handles one message, or idles and waits for one when none is waiting.
  void HandleMessage();
  // The work of an idle loop without the wait: OnIdle runs (modal loops of
  // the window core, such as menus, call this when they run dry).
  void DoIdle();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // The desktop asks the program to end (a logout, a kill): once the loop
  // runs, OnEndRequest closes the program, or else the main form is closed
  // as its close box closes it.
  void RequestEnd();
  void Minimize();
  // Shows a minimized main form again.
  void Restore();
  // Between Minimize and Restore.
  bool Minimized() const { return minimized_; }
  // Raises the main form above the desktop's other windows and activates it.
  void BringToFront();

  // Hints: a control's hint (when it or its parent shows hints) appears
  // once the mouse has rested on it for HintPause milliseconds (HintShortPause
  // while another hint shows), for HintHidePause; a click or a key hides it.
  bool ShowHint = true;
  int HintPause = 500;
  int HintShortPause = 50;
  int HintHidePause = 2500;
  TColor HintColor = clInfoBk;
  const THintWindowClass& HintWindowClass() const { return hintWindowClass_; }
  void SetHintWindowClass(THintWindowClass windowClass);
  // The control whose hint shows or waits to show.
  TControl* HintControl() const { return hintControl_; }
  // The window of the hint showing now, or null.
  THintWindow* ShownHint() const;
  void ActivateHint(TPoint cursorPos);
  void HideHint();
  void CancelHint();
  // Every mouse message a control gets comes here first.
  void HintMouseMessage(TControl* control, const TMessage& message);
  // Forgets the control as the hint's control.
  void ControlDestroyed(const TControl* control);
  TShowHintEvent OnShowHint;

  // The hidden window that owns the clipboard and takes application messages.
  HWND Handle();
  // Hooks see the window's messages in the order they were added, until one
  // answers handled. HookMainWindow answers the key UnhookMainWindow takes.
  int HookMainWindow(TWindowHook hook);
  void UnhookMainWindow(int key);

  void HandleException(std::exception_ptr exception);
  void ShowException(const std::exception& error);
  int MessageBox(const std::string& text, const std::string& caption, UINT flags);
  // Opens the help page of a help context number.
  void HelpContext(int context);

  TIdleEvent OnIdle;
  TMessageEvent OnMessage;
  TExceptionEvent OnException;
  // Something ends the process while this is set and the loop runs,
  // without returning to the program: the window system does when its
  // display goes away. It runs once, on the window thread, and writes what
  // must survive without using any window; then the process ends at once
  // with its status, running no destructor (they would use a window system
  // and threads that are gone).
  std::function<void()> OnAbruptEnd;
  // Closes the program when the desktop asks it to end; nobody is there to
  // answer a question.
  std::function<void()> OnEndRequest;

private:
  bool ProcessMessage();
  void WndProc(TMessage& message);
  void Idle();
  // Answers whether OnIdle is done.
  bool RunIdleHandlers();

  enum class THintTimerMode { Show, Hide };
  void StartHintTimer(int milliseconds, THintTimerMode mode);
  void StopHintTimer();
  static void HintTimerExpired(HWND, UINT, UINT_PTR, DWORD);
  THintWindow& HintWindowOf(const THintWindowClass& windowClass);

  TForm* mainForm_ = nullptr;
  std::unique_ptr<TIcon> icon_;
  THintWindowClass hintWindowClass_ = HintWindowClassOf<THintWindow>();
  std::unique_ptr<THintWindow> hintWindow_;
  const std::type_info* hintWindowType_ = nullptr;  // of the class that made hintWindow_
  TControl* hintControl_ = nullptr;
  TRect hintCursorRect_;  // screen: the mouse moves in it without a new hint
  UINT_PTR hintTimer_ = 0;
  THintTimerMode hintTimerMode_ = THintTimerMode::Show;
  bool terminated_ = false;
  bool minimized_ = false;
  bool running_ = false;
  bool endRequested_ = false;
  HWND handle_ = nullptr;
  std::vector<std::pair<int, TWindowHook>> windowHooks_;
  int nextHookKey_ = 1;
};

TApplication& Application();
