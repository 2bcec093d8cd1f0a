#pragma once
// Windowed controls: a control that owns a window, made when first needed.
// The window's procedure hands every message to the control's WindowProc;
// what no handler takes goes on to the window class's default procedure.
// An exception thrown while a message is handled is caught there and shown
// through the application's exception handling; the message loop goes on.

#include <functional>
#include <string>
#include <vector>

#include "toolkit/controls/Control.h"
#include "toolkit/gdi/DeviceContext.h"
#include "toolkit/win/Window.h"

// What a control asks CreateWindowEx for.
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASS WindowClass;
  std::string WinClassName;
};

using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
// Key: the typed character (a Unicode code point); 0 swallows it.
using TKeyPressEvent = std::function<void(TObject* sender, char32_t& key)>;

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  // Destroys the window (and the children's); it is made again when needed.
  void DestroyHandle();
  void RecreateWnd();
  // The control whose window this is, or null.
  static TWinControl* FindControl(HWND window);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  // Child controls, back to front.
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void MoveControl(TControl* control, bool toFront);
  // The visible (and, unless allowDisabled, enabled) windowless child at a client point.
  TControl* ControlAtPos(TPoint point, bool allowDisabled) const;

  void SetBounds(int left, int top, int width, int height) override;
  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  bool Showing() const override;
  void Invalidate() override;
  void Update() override;
  // Places the aligned children again.
  void Realign();
  // Draws the control, frame included, and its visible descendants into dc
  // with the control's top-left at (x, y), painting them afresh.
  void PaintTo(HDC dc, int x, int y);

  void SetFocus();
  bool Focused() const;
  virtual bool CanFocus() const;
  bool TabStop = false;
  // The place among the parent's windowed children that Tab walks in (-1 without a parent).
  int TabOrder() const;
  void SetTabOrder(int order);
  // Windowed children in tab order.
  const std::vector<TWinControl*>& TabList() const { return tabList_; }
  // The next (or previous) focusable control after current among this
  // control's descendants, in tab order, wrapping around; with
  // checkTabStop only tab stops count. Null when there is none.
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop) const;
  // Focuses FindNextControl's answer; false when there was none.
  bool SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

  // The parent window of a windowed control without a parent control.
  HWND ParentWindow = nullptr;

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void DestroyWnd();
  // Paints the client area into dc (WM_PAINT and WM_PRINTCLIENT).
  virtual void PaintWindow(HDC dc);
  void PaintHandler(TMessage& message);
  // Paints the visible windowless children into dc.
  void PaintControls(HDC dc);
  virtual void AlignControls(TRect& rect);
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(char32_t& key);
  void Dispatch(TMessage& message) override;
  void NotifyControls(UINT message) override;
  // Sends the message to each child control until one answers nonzero.
  void Broadcast(TMessage& message);
  // A key message reflected by the key preview (CN_KEYDOWN ...): shortcuts,
  // then dialog keys. A control claims a key by handling CN_KEYDOWN itself:
  // answering nonzero takes the key (it gets no WM_KEYDOWN), answering 0
  // without calling this handler passes the key on to WM_KEYDOWN unsearched.
  void CNKeyDown(TMessage& message);

  // The procedure DefaultHandler passes messages to.
  WNDPROC DefWndProc = &DefWindowProc;
  // Whether a native widget realises the window (its class names one).
  bool NativeWidget() const { return nativeWidget_; }
  // Gives the native widget the control's font and colours.
  void ApplyNativeLook();
  // The mouse is over control (this or a windowless child): the one it left
  // hears CM_MOUSELEAVE, control CM_MOUSEENTER.
  void TrackMouseControl(TControl* control);

private:
  static LRESULT ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void MainWndProc(TMessage& message);
  bool RouteMouseToChild(TMessage& message);
  void UpdateShowing();
  void UpdateBounds();
  void WMPaint(TMessage& message);
  void WMPrintClient(TMessage& message);
  void WMEraseBkgnd(TMessage& message);
  void WMSize(TMessage& message);
  void WMMove(TMessage& message);
  void WMSetFocus(TMessage& message);
  void WMKillFocus(TMessage& message);
  void HandleKey(TMessage& message, void (TWinControl::*event)(WORD&, TShiftState));
  void WMKeyDown(TMessage& message);
  void WMKeyUp(TMessage& message);
  void WMChar(TMessage& message);
  void WMSetCursor(TMessage& message);
  void WMContextMenu(TMessage& message);
  void WMMouseLeave(TMessage& message);
  void WMCaptureChanged(TMessage& message);
  void WMNCDestroy(TMessage& message);
  void CMVisibleChanged(TMessage& message);
  void CMEnabledChanged(TMessage& message);
  void CMTextChanged(TMessage& message);
  void CMLookChanged(TMessage& message);
  void CNChar(TMessage& message);
  void CNSysChar(TMessage& message);
  void CMDialogKey(TMessage& message);
  void CMDialogChar(TMessage& message);
  void WMWindowPosChanging(TMessage& message);
  void WMCommand(TMessage& message);
  void WMNotify(TMessage& message);
  void WMDrawItem(TMessage& message);
  void WMMeasureItem(TMessage& message);
  // Hands a child's notification to the child as CN_* (message + CN_BASE); false when no child control sent it.
  bool ReflectToChild(HWND child, TMessage& message);
  void AnchorControls();
  void CollectTabOrder(std::vector<TWinControl*>& list) const;

  HWND handle_ = nullptr;
  bool nativeWidget_ = false;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
};

class TForm;
// The form a control is on (its top-level ancestor when that is a form), or null.
TForm* GetParentForm(const TControl* control);

// Finds and runs the shortcut of a key pressed while focused has the focus:
// the menus and action lists of its form, the pop-up menus on its way up.
// True when the key was taken (an enabled match ran). Set by the menus and
// actions unit; without one, keys have no shortcuts.
using TShortCutSearch = std::function<bool(TWinControl& focused, WORD key, TShiftState shift)>;
void SetShortCutSearch(TShortCutSearch search);

// The control that has the mouse captured (a windowless one through its parent's window).
TControl* CaptureControl();
void SetCaptureControl(TControl* control);
// Forgets a control that is going away as the mouse's current control.
void ForgetMouseControl(TControl* control);
// Forgets the capture control and the control under the mouse
// (ResetToolkitState).
void ResetControlInputState();
