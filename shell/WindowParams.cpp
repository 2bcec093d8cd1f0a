#include "shell/WindowParams.h"

#include "runtime/Params.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"

namespace {

// Nil while the main window is not made yet (also while it is being made).
HWND MainWindow() {
  TForm* main = Application().MainForm();
  return main && main->HandleAllocated() ? main->Handle() : nullptr;
}

}  // namespace

void ApplyWinsInTask(TCreateParams& params, TWindowRole role, HWND ownerInTask) {
  if (!Params.WinsInTask) {
    if (!params.WndParent) params.WndParent = MainWindow();
    return;
  }
  params.WndParent = ownerInTask;
  params.ExStyle |= role == TWindowRole::ToolWindow ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
}
