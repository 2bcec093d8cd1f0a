// Window messages of the text editor.

#include "console/TxCustomEditor.h"
#include "toolkit/win/Caret.h"
#include "toolkit/win/Cursor.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Styles.h"

namespace {

// The editor's commands for the clipboard messages.
constexpr WORD CommandCopy = 388;
constexpr WORD CommandCut = 389;
constexpr WORD CommandPaste = 390;

}  // namespace

void TTxCustomEditor::Dispatch(TMessage& message) {
  static const TMessageHandlers<TTxCustomEditor> handlers{
      {WM_ERASEBKGND, &TTxCustomEditor::WMEraseBkgnd}, {WM_GETDLGCODE, &TTxCustomEditor::WMGetDlgCode},
      {WM_SETCURSOR, &TTxCustomEditor::WMSetCursor},   {WM_CUT, &TTxCustomEditor::WMCut},
      {WM_COPY, &TTxCustomEditor::WMCopy},             {WM_PASTE, &TTxCustomEditor::WMPaste},
      {WM_EDITORCOMMAND, &TTxCustomEditor::WMEditorCommand}, {WM_SETFOCUS, &TTxCustomEditor::WMSetFocus},
      {WM_KILLFOCUS, &TTxCustomEditor::WMKillFocus},   {WM_HSCROLL, &TTxCustomEditor::WMHScroll},
      {WM_VSCROLL, &TTxCustomEditor::WMVScroll},
  };
  if (!handlers.Dispatch(*this, message)) TCustomControl::Dispatch(message);
}

void TTxCustomEditor::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.Style |= WS_HSCROLL;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TTxCustomEditor::CreateWnd() {
  TCustomControl::CreateWnd();
  scrollBarHorz_.Handle = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth ? Handle() : nullptr;
  scrollBarVert_.Handle = scrollBars_ == ssVertical || scrollBars_ == ssBoth ? Handle() : nullptr;
  fullRepaint_ = true;
  UpdateLayout();
}

// Every pixel is painted: nothing to erase.
void TTxCustomEditor::WMEraseBkgnd(TMessage& message) { message.Result = 0; }

void TTxCustomEditor::WMGetDlgCode(TMessage& message) {
  message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
}

void TTxCustomEditor::WMSetCursor(TMessage& message) {
  TPoint point;
  GetCursorPos(point);
  point = ScreenToClient(point);
  if (point.X < gutterWidth_ && Cursor() == crIBeam && LOWORD(message.LParam) == HTCLIENT) {
    ::SetCursor(LoadCursor(nullptr, IDC_ARROW));
    message.Result = 1;
    return;
  }
  TCustomControl::Dispatch(message);
}

void TTxCustomEditor::WMCut(TMessage& message) {
  if (!readOnly_) PostCommand(CommandCut);
  message.Result = 1;
}

void TTxCustomEditor::WMCopy(TMessage& message) {
  PostCommand(CommandCopy);
  message.Result = 1;
}

void TTxCustomEditor::WMPaste(TMessage& message) {
  if (!readOnly_) PostCommand(CommandPaste);
  message.Result = 1;
}

void TTxCustomEditor::WMEditorCommand(TMessage& message) {
  Command(static_cast<WORD>(message.WParam));
  message.Result = 1;
}

void TTxCustomEditor::WMSetFocus(TMessage& message) {
  TCustomControl::Dispatch(message);
  CreateCaret(Handle(), nullptr, 2, cellHeight_ - 2);
  PaintCaret(true);
}

void TTxCustomEditor::WMKillFocus(TMessage& message) {
  TCustomControl::Dispatch(message);
  completion_->CloseUp();
  DestroyCaret();
}

void TTxCustomEditor::WMHScroll(TMessage& message) { scrollBarHorz_.DoScroll(LOWORD(message.WParam)); }

void TTxCustomEditor::WMVScroll(TMessage& message) { scrollBarVert_.DoScroll(LOWORD(message.WParam)); }
