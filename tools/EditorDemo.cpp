// The text editor control on a desktop: a program with a gutter, a column
// block pasted beside the declarations, a macro recorded on one row and
// played on another, a selection made by key commands and rows coloured by
// a line-attribute handler. With
// --screenshot FILE the demo saves a picture of itself and ends.

#include <string>

#include "console/TxCommands.h"
#include "console/TxCustomEditor.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Form.h"
#include "toolkit/qt/QtPlatform.h"
#include "tools/DemoRun.h"

namespace {

constexpr const char* SampleProgram =
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

}  // namespace

int main(int argc, char** argv) {
  StartQtPlatform(argc, argv);
  Application().SetTitle("Editor demo");
  auto* form = Application().CreateForm<TForm>();
  form->SetCaption("Editor demo");
  form->SetBounds(60, 60, 560, 300);
  auto* editor = new TTxEditor(form);
  editor->SetAlign(alClient);
  editor->SetParent(form);
  editor->SetGutterWidth(32);
  editor->Lines().SetText(SampleProgram);
  // The comment row in grey italics, the keywords of row 0 bold.
  editor->OnGetLineAttr = [](TObject*, std::string& line, int lineIndex, TColumnAttrs& attrs) {
    const std::size_t comment = line.find("//");
    if (comment != std::string::npos)
      for (std::size_t col = comment + 1; col < attrs.size(); ++col) {
        attrs[col].FC = clGray;
        attrs[col].Style = fsItalic;
      }
    if (lineIndex == 0)
      for (std::size_t col = 1; col <= 7 && col < attrs.size(); ++col) attrs[col].Style = fsBold;
  };
  // A column block copied from the declarations and pasted beside them.
  editor->SetSelection(TTxSelection{true, bfColumn, 2, 2, 8, 3});
  editor->ClipboardCopy();
  editor->ClearSelection();
  editor->SetCaretInternal(16, 2);
  editor->ClipboardPaste();
  editor->SetSelection(TTxSelection{});
  // A recorded macro that appends a note to a row, played on another row.
  editor->SetCaretInternal(0, 5);
  editor->Command(ecRecord);
  editor->Command(ecLineEnd);
  for (const char c : std::string("  { once }")) editor->Command(static_cast<WORD>(c));
  editor->Command(ecRecord);
  editor->SetCaretInternal(0, 8);
  editor->Command(ecPlayMacro);
  // A selection made by keys, and a bookmark on its first row.
  editor->SetCaretInternal(2, 5);
  editor->Command(ecSetBookmark0 + 1);
  editor->Command(ecSelDown);
  editor->Command(ecSelWordRight);
  editor->Command(ecSelWordRight);
  return RunDemo(argc, argv, form);
}
