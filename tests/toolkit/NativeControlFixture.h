#pragma once
// A shown form for tests of the controls realised by Qt widgets: input
// through Qt's own delivery (SyntheticInput), the form's window subclassed
// to record the notifications its children send, and grabs of a control's
// pixels through WM_PRINTCLIENT.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/toolkit/Pixels.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"

// What the form's window received from its children.
struct TNotification {
  UINT Message;
  UINT Code;  // WM_COMMAND's notification code or NMHDR's code
  HWND From;
};

// While it lives, a procedure in the window's chain drops the WM_CHAR of one
// character; the chain is as before once it goes.
class TCharacterDropper {
public:
  TCharacterDropper(HWND window, WPARAM dropped) : window_(window) {
    Dropped() = dropped;
    Replaced() = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&DroppingProcedure)));
  }
  ~TCharacterDropper() { SetWindowLongPtr(window_, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Replaced())); }
  TCharacterDropper(const TCharacterDropper&) = delete;
  TCharacterDropper& operator=(const TCharacterDropper&) = delete;

private:
  static WNDPROC& Replaced() {
    static WNDPROC replaced = nullptr;
    return replaced;
  }
  static WPARAM& Dropped() {
    static WPARAM dropped = 0;
    return dropped;
  }
  static LRESULT DroppingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR && wParam == Dropped()) return 0;
    return CallWindowProc(Replaced(), window, message, wParam, lParam);
  }

  HWND window_;
};

class NativeControlTest : public ::testing::Test {
protected:
  NativeControlTest() {
    form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 400, 300);
    form->Show();
    Recorder() = this;
    replaced = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(form->Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProcedure)));
    ProcessEverything();
  }
  ~NativeControlTest() override {
    SetWindowLongPtr(form->Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(replaced));
    Recorder() = nullptr;
    delete form;
    ProcessEverything();
  }

  template <class Control>
  Control* Make(int left, int top, int width, int height) {
    auto* control = new Control(form);
    control->SetParent(form);
    control->SetBounds(left, top, width, height);
    ProcessEverything();
    return control;
  }

  // Types the text key by key (ASCII letters, digits, spaces and punctuation that types itself).
  void Type(HWND window, const std::string& text) {
    SynthesizeTyping(window, text);
    ProcessEverything();
  }
  void Press(HWND window, WORD key, TInputModifiers modifiers = {}) {
    SynthesizeKeyStroke(window, key, "", modifiers);
    ProcessEverything();
  }
  // Point: in the window's coordinates.
  void Click(HWND window, TPoint point) {
    SynthesizeClick(window, point);
    ProcessEverything();
  }
  void DoubleClick(HWND window, TPoint point) {
    SynthesizeMouse(window, point, TSyntheticMouse::Press, TInputButton::Left);
    SynthesizeMouse(window, point, TSyntheticMouse::Release, TInputButton::Left);
    SynthesizeMouse(window, point, TSyntheticMouse::DoubleClick, TInputButton::Left);
    SynthesizeMouse(window, point, TSyntheticMouse::Release, TInputButton::Left);
    ProcessEverything();
  }

  std::vector<UINT> Codes(UINT message, HWND from) const {
    std::vector<UINT> codes;
    for (const TNotification& n : notifications)
      if (n.Message == message && n.From == from) codes.push_back(n.Code);
    return codes;
  }
  size_t CountOf(UINT message, UINT code, HWND from) const {
    const std::vector<UINT> codes = Codes(message, from);
    return static_cast<size_t>(std::count(codes.begin(), codes.end(), code));
  }

  // The control's client area as its widget draws it.
  std::unique_ptr<TBitmap> Grab(TWinControl& control) {
    auto bitmap = std::make_unique<TBitmap>(control.ClientWidth(), control.ClientHeight(), pf32bit);
    control.Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap->Canvas().Handle()), PRF_CLIENT);
    return bitmap;
  }

  TForm* form;
  std::vector<TNotification> notifications;

private:
  static NativeControlTest*& Recorder() {
    static NativeControlTest* recorder = nullptr;
    return recorder;
  }
  static LRESULT RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    NativeControlTest* test = Recorder();
    if (message == WM_COMMAND && lParam)
      test->notifications.push_back({message, HIWORD(wParam), ParamToHandle<HWND>(lParam)});
    if (message == WM_NOTIFY) {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      test->notifications.push_back({message, header->code, header->hwndFrom});
    }
    return CallWindowProc(test->replaced, window, message, wParam, lParam);
  }

  WNDPROC replaced = nullptr;
};
