// workspace-shot: the main window and the workspace window in this process,
// on settings of their own. Lines typed into the main window make a number,
// a string, a vector, matrices, records of a library type and a value of a
// library enumeration; the workspace window then shows them with a record
// opened, the status text of an import, and a 4 x 5 matrix in its tab with
// a block selected and a cell holding a text that is not a number. With
// --screenshot FILE it saves the workspace window as FILE, the New Variable
// dialog as FILE's name followed by "-dialog.png" and the Import dialog
// (the "file" source, a CSV file and its reader chosen) followed by
// "-import.png"; without, it stays open for a look.

#include <string>

#include "console/XEdit.h"
#include "engine/data/IOSystem.h"
#include "libraries/WorkStatus.h"
#include "shell/AddVarDlg.h"
#include "shell/ImExDlg.h"
#include "shell/MatEdit.h"
#include "shell/MainForm.h"
#include "shell/WorkForm.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/ListView.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "tools/DemoRun.h"
#include "tools/ShellShot.h"
#include "treeview/DataStringTree.h"

namespace {

constexpr const char* ShapesLibrary =
    "library Shapes;\n"
    "type TPoint = record x, y : Real end;\n"
    "     TPoints = array of TPoint;\n"
    "     TShade = (Light, Dark, Favourite);\n"
    "function Point(x, y : Real) : TPoint; begin Result.x := x; Result.y := y end;\n"
    "function Points(n : Integer) : TPoints; var i : Integer;\n"
    "begin SetLength(Result, n); for i := 1 to n do begin Result[i].x := i; Result[i].y := -i end end;\n"
    "end.";

void TypeLines(TMainForm& form) {
  form.CommandLine->SetFocus();
  SettleFor(200);
  for (const char* line : {"x := 5", "s := 'a b'", "v := {1, 2, 3}", "m := {{1, 2}, {3, 4}}", "p := Point(1.5, -2)",
                           "a := Points(2)", "shade := Favourite",
                           "b := {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}, {16, 17, 18, 19, 20}}"}) {
    SynthesizeTyping(form.Handle(), line);
    SynthesizeKeyStroke(form.Handle(), VK_RETURN, "\r");
    SettleFor(100);
  }
}

PDataNode RowNamed(TDataStringTree& tree, const std::string& name) {
  for (PDataNode node = tree.FirstRootNode(); node; node = tree.NextSiblingOf(node))
    if (tree.CellText(node, 0) == name) return node;
  return nullptr;
}

// b in its tab: "x1" typed into cell (5, 4), then the block (2, 2)..(4, 3) dragged.
void ArrangeMatrixTab(TWorkForm& work) {
  TDataStringTree& tree = *work.VarTree;
  PDataNode row = RowNamed(tree, "b");
  if (!row) return;
  work.OpenMatrixEditor(row);
  TMETab* tab = work.ActiveEditorTab();
  if (!tab) return;
  TMatEdit& editor = *tab->Editor;
  TDrawGrid& grid = *editor.Grid;
  grid.SetFocus();
  grid.SetCol(5);
  grid.SetRow(4);
  SettleFor(100);
  SynthesizeTyping(grid.Handle(), "x1");
  if (TEdit* edit = grid.InplaceEditor()) SynthesizeKeyStroke(edit->Handle(), VK_RETURN, "\r");
  SettleFor(100);
  editor.SelectFromCell({2, 2}, true);
  editor.SelectFromCell({4, 3}, false);
  SettleFor(500);
}

// The workspace with b's tab, the record p opened and v selected (the
// tab's changes rebuild the tree first).
void ArrangeWorkspace(TWorkForm& work) {
  work.SetBounds(120, 80, 725, 442);
  work.Toggle();
  SettleFor(300);
  ArrangeMatrixTab(work);
  TDataStringTree& tree = *work.VarTree;
  if (PDataNode record = RowNamed(tree, "p")) tree.SetNodeExpanded(record, true);
  if (PDataNode vector = RowNamed(tree, "v")) {
    tree.SetNodeSelected(vector, true);
    tree.SetFocusedNode(vector);
  }
  tree.SetFocus();
  SetWorkStatusText(" Vector [3] successfully imported");
  SettleFor(500);
}

// The Import dialog for b with the "file" source, a CSV file and its reader.
void ArrangeImport(TImExDlg& dialog, TVar* var) {
  dialog.Setup(var, true);
  dialog.Show();
  SettleFor(300);
  for (TListView* list : {dialog.DeviceList, dialog.FilterList}) {
    const std::string wanted = list == dialog.DeviceList ? "file" : "ReadMatCSV";
    for (int i = 0; i < list->Items().Count(); ++i)
      if (list->Items().Item(i)->Caption() == wanted) list->SetItemIndex(i);
    SettleFor(100);
  }
  dialog.SpecEdit->SetText("measurements.csv");
  SettleFor(500);
}

// The dialog as New Variable opens it, with a free name typed and a type chosen.
void ArrangeDialog(TAddVarDlg& dialog) {
  dialog.NameOnly = false;
  dialog.Show();
  SettleFor(300);
  dialog.NameEdit->SetText("");
  SynthesizeTyping(dialog.Handle(), "w");
  for (TTreeNode* node = dialog.KindTree->Items().GetFirstNode(); node; node = node->getNextSibling())
    if (node->Text() == "Record Types" && node->getFirstChild()) dialog.KindTree->SetSelected(node->getFirstChild());
  SettleFor(500);
}

}  // namespace

int main(int argc, char** argv) {
  TShellShot shot(argc, argv, "workspace-shot.ini");
  TMainForm& form = shot.Form();
  WorkForm = new TWorkForm(&Application(), form.Engine, form.actWorksp);
  shot.Own(WorkForm);
  AddVarDlg = new TAddVarDlg(&Application(), form.Engine);
  shot.Own(AddVarDlg);
  // The import dialog offers the data sources beside the program.
  IOSystem = std::make_unique<TIOSystem>();
  ImExDlg = new TImExDlg(&Application(), form.Engine);
  shot.Own(ImExDlg);
  form.Show();
  SettleFor(500);
  form.Engine->CompileText(ShapesLibrary);
  TypeLines(form);
  ArrangeWorkspace(*WorkForm);
  if (const char* fileName = ScreenshotArgument(argc, argv)) {
    const bool workspace = SaveScreenshot(WorkForm->Handle(), fileName);
    ArrangeDialog(*AddVarDlg);
    const bool dialog = SaveScreenshot(AddVarDlg->Handle(), PictureNameWith(fileName, "-dialog"));
    AddVarDlg->Hide();
    ArrangeImport(*ImExDlg, form.Engine->FindVariable("b"));
    const bool import = SaveScreenshot(ImExDlg->Handle(), PictureNameWith(fileName, "-import"));
    return workspace && dialog && import ? 0 : 1;
  }
  Application().Run();
  return 0;
}
