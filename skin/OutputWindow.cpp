#include "skin/OutputWindow.h"

#include "toolkit/controls/Application.h"

TOutputWindow::TOutputWindow(TComponent* owner) : TCustomControl(owner) {
  SetCaption("skOutputWindow");
  SetVisible(false);
  SetColor(0x800080);
}

void TOutputWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (Parent() || ParentWindow) return;
  params.Style = WS_POPUP;
  // Over a form that stays on top, the overlay must too.
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  if (owner && owner->HandleAllocated() && (GetWindowLongPtr(owner->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST))
    params.ExStyle |= WS_EX_TOPMOST;
  params.WndParent = Application().Handle();
}

void TOutputWindow::Dispatch(TMessage& message) {
  static const TMessageHandlers<TOutputWindow> handlers{{WM_ERASEBKGND, &TOutputWindow::WMEraseBkgnd},
                                                        {WM_NCPAINT, &TOutputWindow::WMNCPaint}};
  if (!handlers.Dispatch(*this, message)) TCustomControl::Dispatch(message);
}

void TOutputWindow::WMEraseBkgnd(TMessage& message) { message.Result = 1; }

void TOutputWindow::WMNCPaint(TMessage& message) { message.Result = 0; }
