#pragma once
// A form: a top-level window with a caption. It starts hidden; Show and
// Hide change that, ShowModal shows it with every other form disabled and
// runs the message loop until ModalResult is set. Closing asks
// OnCloseQuery, then OnClose decides what happens (hiding by default;
// closing the main form ends the application).

#include <functional>
#include <memory>
#include <vector>

#include "toolkit/controls/CustomControl.h"

class TIcon;
class TMainMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// A control's own border: bsNone, or bsSingle for a sunken edge around its window.
using TBorderStyle = TFormBorderStyle;
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TPosition { poDesigned, poScreenCenter };
// fsStayOnTop may be switched while the form shows; the MDI styles are set before the window is made.
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

// The buttons of the form's caption.
using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 0x01;
constexpr TBorderIcons biMinimize = 0x02;
constexpr TBorderIcons biMaximize = 0x04;
constexpr TBorderIcons biHelp = 0x08;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TForm : public TCustomControl {
public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TPosition Position = poDesigned;
  // MDI: an fsMDIForm holds its fsMDIChild forms in its client window (of
  // class "MDIClient"), which fills what aligned controls leave of its client area.
  HWND ClientHandle() const;
  TForm* ActiveMDIChild() const;
  int MDIChildCount() const;
  // Front to back.
  TForm* MDIChildren(int index) const;
  void Tile();
  void Cascade();
  // The menu bar of the form.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  // The form's own icon, empty until one is given; the form keeps a copy.
  TIcon& Icon() { return *icon_; }
  const TIcon& Icon() const { return *icon_; }
  void SetIcon(const TIcon& icon);

  // The control that gets the focus when the form is activated.
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  // Its controls tell it when they get the focus and when they go, so that
  // the focus returns to the same control when the form is active again.
  void ControlFocused(TWinControl* control) { activeControl_ = control; }
  void ForgetActiveControl(const TControl* control) {
    if (static_cast<const TControl*>(activeControl_) == control) activeControl_ = nullptr;
  }
  bool Active() const;

  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }
  TModalResult ShowModal();
  void Close();
  bool CloseQuery();
  // Frees the form once the messages waiting now have been handled.
  void Release();

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void AlignControls(TRect& rect) override;
  void Notification(TComponent* component, TOperation operation) override;
  void Paint() override;
  void Dispatch(TMessage& message) override;

private:
  void WMClose(TMessage& message);
  void WMActivate(TMessage& message);
  void WMShowWindow(TMessage& message);
  void CMRelease(TMessage& message);
  void WMMenuMessage(TMessage& message);
  void WMEnterIdle(TMessage& message);
  void WMMDIActivate(TMessage& message);
  void CreateMdiClient();
  std::vector<TForm*> MdiChildForms() const;
  static HWND MdiClientForChildren();
  // Tab and Shift+Tab walk the tab order, arrows the focused control's
  // siblings; other dialog keys go to the controls (Enter, Esc to buttons).
  void CMDialogKey(TMessage& message);
  void ApplyWindowState();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TFormStyle formStyle_ = fsNormal;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TWindowState windowState_ = wsNormal;
  bool applyingState_ = false;
  TWinControl* activeControl_ = nullptr;
  TMainMenu* menu_ = nullptr;
  std::unique_ptr<TIcon> icon_;
  HWND clientHandle_ = nullptr;
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
};
