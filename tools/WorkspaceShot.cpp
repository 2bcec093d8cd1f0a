// workspace-shot: the main window and the workspace window in this process,
// on settings of their own. Lines typed into the main window make a number,
// a string, a vector, a matrix and records of a library type; the
// workspace window then shows them with a record opened and the status
// text of an import. With --screenshot FILE it saves the workspace window
// as FILE and the New Variable dialog as FILE's name followed by
// "-dialog.png"; without, it stays open for a look.

#include <cstring>
#include <memory>
#include <string>

#include "console/Sounds.h"
#include "console/XEdit.h"
#include "libraries/WorkStatus.h"
#include "runtime/Storage.h"
#include "shell/AddVarDlg.h"
#include "shell/Images.h"
#include "shell/MainForm.h"
#include "shell/WorkForm.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/qt/QtPlatform.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "tools/DemoRun.h"
#include "treeview/DataStringTree.h"

namespace {

constexpr const char* ShapesLibrary =
    "library Shapes;\n"
    "type TPoint = record x, y : Real end;\n"
    "     TPoints = array of TPoint;\n"
    "function Point(x, y : Real) : TPoint; begin Result.x := x; Result.y := y end;\n"
    "function Points(n : Integer) : TPoints; var i : Integer;\n"
    "begin SetLength(Result, n); for i := 1 to n do begin Result[i].x := i; Result[i].y := -i end end;\n"
    "end.";

void TypeLines(TMainForm& form) {
  form.CommandLine->SetFocus();
  SettleFor(200);
  for (const char* line : {"x := 5", "s := 'a b'", "v := {1, 2, 3}", "m := {{1, 2}, {3, 4}}", "p := Point(1.5, -2)",
                           "a := Points(2)"}) {
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

// The workspace with the record p opened and v selected.
void ArrangeWorkspace(TWorkForm& work) {
  work.SetBounds(120, 80, 725, 442);
  work.Toggle();
  SettleFor(300);
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

std::string DialogPictureName(const std::string& fileName) {
  const size_t dot = fileName.rfind(".png");
  return fileName.substr(0, dot) + "-dialog.png";
}

const char* ScreenshotFile(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--screenshot") == 0) return argv[i + 1];
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const TFreshSettingsFolder settings;
  Storage = std::make_unique<TStorage>("workspace-shot.ini", 0);
  StartQtPlatform(argc, argv);
  Application().SetTitle("Quantrel");
  auto images = std::make_unique<TImages>(nullptr);
  auto* form = Application().CreateForm<TMainForm>();
  WorkForm = new TWorkForm(&Application(), form->Engine, form->actWorksp);
  AddVarDlg = new TAddVarDlg(&Application(), form->Engine);
  form->Show();
  SettleFor(500);
  form->Engine->CompileText(ShapesLibrary);
  TypeLines(*form);
  ArrangeWorkspace(*WorkForm);
  int result = 0;
  if (const char* fileName = ScreenshotFile(argc, argv)) {
    const bool workspace = SaveScreenshot(WorkForm->Handle(), fileName);
    ArrangeDialog(*AddVarDlg);
    const bool dialog = SaveScreenshot(AddVarDlg->Handle(), DialogPictureName(fileName));
    result = workspace && dialog ? 0 : 1;
  } else {
    Application().Run();
  }
  // While Qt still runs: a focused text widget torn down at exit crashes in Qt.
  delete AddVarDlg;
  AddVarDlg = nullptr;
  delete WorkForm;
  WorkForm = nullptr;
  delete form;
  images.reset();
  AppSounds.reset();
  Storage.reset();
  return result;
}
