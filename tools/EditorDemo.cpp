// The program editor on a desktop: two source tabs of a page control, their
// programs coloured through a tokenizer whose classifier asks a live
// engine. The first shows a column block pasted beside the declarations, a
// macro recorded on one row and played on another, and a selection made by
// key commands. With --screenshot FILE the demo saves a picture of itself
// and ends.

#include <string>

#include "console/SrcEdit.h"
#include "console/Syntax.h"
#include "console/TarnEditor.h"
#include "console/TxCommands.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/qt/QtPlatform.h"
#include "tools/DemoRun.h"

namespace {

constexpr const char* SumOfRoots =
    "program Demo;\r\n"
    "var\r\n"
    "  i : Integer;\r\n"
    "  total : Real;\r\n"
    "begin\r\n"
    "  total := 0;\r\n"
    "  for i := 1 to 10 do\r\n"
    "    total := total + Sqrt(i);  // the sum of roots\r\n"
    "  WriteLn('Total: ', total)\r\n"
    "end.\r\n";

constexpr const char* Matrices =
    "program Matrices;\r\n"
    "(* Builds a matrix, inverts it\r\n"
    "   and prints the product,\r\n"
    "   which is the identity. *)\r\n"
    "var\r\n"
    "  m : Matrix;\r\n"
    "begin\r\n"
    "  m := {{2, 1}, {1, 3}};\r\n"
    "  ShowMat(m * Inverse(m));  // about the identity\r\n"
    "  WriteLn('det = ', Det(m), ' $FF = ', $FF)\r\n"
    "end.\r\n";

TTarnEditor* AddPage(TPageControl& pages, TComponent& owner, TSyntax& syntax, const char* program) {
  auto* tab = new TSrcTab(&owner);
  tab->SetPageControl(&pages);
  TTarnEditor* editor = tab->Edit()->Editor();
  editor->Syntax = &syntax;
  editor->Lines().SetText(program);
  return editor;
}

// What a user does with the keys, by the commands the keys run.
void EditByCommands(TTarnEditor& editor) {
  editor.SetSelection(TTxSelection{true, bfColumn, 2, 2, 8, 3});
  editor.ClipboardCopy();
  editor.ClearSelection();
  editor.SetCaretInternal(16, 2);
  editor.ClipboardPaste();
  editor.SetSelection(TTxSelection{});
  editor.SetCaretInternal(0, 5);
  editor.Command(ecRecord);
  editor.Command(ecLineEnd);
  for (const char c : std::string("  { once }")) editor.Command(static_cast<WORD>(c));
  editor.Command(ecRecord);
  editor.SetCaretInternal(0, 8);
  editor.Command(ecPlayMacro);
  editor.SetCaretInternal(2, 5);
  editor.Command(ecSetBookmark0 + 1);
  editor.Command(ecSelDown);
  editor.Command(ecSelWordRight);
  editor.Command(ecSelWordRight);
}

}  // namespace

int main(int argc, char** argv) {
  StartQtPlatform(argc, argv);
  Application().SetTitle("Editor demo");
  auto engine = MakeCounted<TXBuilder>(StandardCatalogues());
  TSyntax syntax;
  syntax.Classifier = [&engine](const std::string& name) { return engine->ClassifyIdentifier(name); };
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption("Editor demo");
  form->SetBounds(60, 60, 620, 330);
  auto* pages = new TPageControl(form);
  pages->SetParent(form);
  pages->SetAlign(alClient);
  TTarnEditor* first = AddPage(*pages, *form, syntax, SumOfRoots);
  AddPage(*pages, *form, syntax, Matrices);
  pages->SetActivePageIndex(0);
  EditByCommands(*first);
  return RunDemo(argc, argv, form);
}
