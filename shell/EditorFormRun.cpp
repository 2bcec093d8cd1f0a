// The program editor window's runs: the active tab's text to the engine,
// the output to the window's console, then the time, the memory report and
// the caret on the error; and the status bar.

#include <chrono>
#include <sstream>
#include <utility>

#include "console/Console.h"
#include "console/SrcEdit.h"
#include "engine/Lex.h"
#include "engine/Value.h"
#include "runtime/AsciiCase.h"
#include "runtime/HeapUsage.h"
#include "runtime/Params.h"
#include "runtime/Utf8Cells.h"
#include "shell/EditorForm.h"
#include "shell/MainForm.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/controls/ToolBar.h"

namespace {

// The next token that is not a comment.
void NextCodeToken(TLex& lex, TToken& token) {
  do lex.NextToken(token);
  while (token.TokClass == tcComment);
}

// The name a text gives itself after program or library; empty without one.
std::string DeclaredName(const std::string& text) {
  std::istringstream input(text);
  TLex lex;
  lex.SetInput(&input, -1);
  TToken token;
  NextCodeToken(lex, token);
  if (token.Code != tkProgram && token.Code != tkLibrary) return {};
  NextCodeToken(lex, token);
  return token.TokClass == tcIdentifier ? token.Text : std::string();
}

void SetPanelText(TStatusPanel& panel, const std::string& text) {
  if (panel.Text() != text) panel.SetText(text);
}

}  // namespace

// The button shows Abort while the text runs; the window stays alive
// meanwhile, as the engine handles the waiting messages before each
// statement.
void TEditorForm::Run() {
  if (!HasActiveTab() || Engine->IsRunning()) return;
  ExecuteButton->SetAction(actAbort);
  actRun->SetEnabled(false);
  Application().ProcessMessages();
  TSrcEdit* edit = ActiveEdit();
  if (!edit) {
    ExecuteButton->SetAction(actRun);
    return;
  }
  Console->Clear();
  Engine->SetConsole(Console->ConsoleIntf);
  ClearLastError();
  const std::string text = EditorText(*edit->Editor());
  runningEdit_ = edit;
  const double start = ReadTimer();
  Engine->CompileText(text);
  // Nil when its tab was closed during the run.
  if (TSrcEdit* ran = std::exchange(runningEdit_, nullptr)) {
    if (!MoveCaretToError(*ran, text)) ran->Editor()->Invalidate();
  }
  const double elapsed = ReadTimer() - start;
  if (Params.ExecTime) WriteMessage("Execution time : " + RealToText(elapsed, 4, 1) + " s", lkInfo, 0);
  Engine->SetConsole(MainForm->GetConsoleIntf());
  ExecuteButton->SetAction(actRun);
  if (Params.MemTaken) ReportMemory();
}

void TEditorForm::Abort() {
  ExecuteButton->SetAction(actRun);
  Application().ProcessMessages();
  Engine->Abort();
}

// Only an error of the text that ran moves its caret: one reported in
// another loaded library (whose routine the text called) lies in that
// library's text, not in this one.
bool TEditorForm::MoveCaretToError(TSrcEdit& edit, const std::string& text) {
  const int line = Engine->GetErrorLine();
  const int column = Engine->GetErrorColumn();
  TTarnEditor* editor = edit.Editor();
  if (line < 1 || column < 1 || line > editor->Lines().Count()) return false;
  const std::string& library = GetLastErrorLib();
  if (!library.empty() && Engine->FindLibrary(library) && !SameAsciiText(library, DeclaredName(text))) return false;
  PageControl->SetActivePage(TabOf(&edit));
  editor->SetCaret(CellOfByte(editor->Lines().Strings(line - 1), static_cast<std::size_t>(column - 1)), line - 1);
  if (editor->CanFocus()) editor->SetFocus();
  return true;
}

// The first report shows a change of 0, every later one the change since the one before.
void TEditorForm::ReportMemory() {
  const std::int64_t allocated = HeapBytesInUse();
  if (LastAllocated < 0) LastAllocated = allocated;
  Console->AddLine("Memory allocated : " + std::to_string(allocated) + " ( " + std::to_string(allocated - LastAllocated) +
                       " ) bytes",
                   lkInfo, 0);
  LastAllocated = allocated;
}

double TEditorForm::ReadTimer() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void TEditorForm::UpdateStatus() {
  const TSrcEdit* edit = ActiveEdit();
  const TTarnEditor* editor = edit ? edit->Editor() : nullptr;
  SetPanelText(StatusBar->Panels()[0], editor && editor->Modified ? "Modified" : "");
  SetPanelText(StatusBar->Panels()[1],
               editor ? std::to_string(editor->CaretY() + 1) + ":" + std::to_string(editor->CaretX() + 1) : "");
}
