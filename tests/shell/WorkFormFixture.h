#pragma once
// The workspace window on the real main window and engine (MainFormFixture.h),
// made with its New Variable dialog as the start-up makes them and shown
// with F10's action. Rows are read as the tree shows them; the modal New
// Variable dialog is answered from inside its own message loop.

#include <functional>
#include <string>
#include <vector>

#include "engine/Kind.h"
#include "engine/VarText.h"
#include "engine/data/IOSystem.h"
#include "runtime/SysInfo.h"
#include "shell/AddVarDlg.h"
#include "shell/WorkForm.h"
#include "tests/shell/MainFormFixture.h"
#include "tests/toolkit/DialogScript.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/controls/TreeView.h"
#include "treeview/DTHeader.h"
#include "toolkit/win/Window.h"
#include "treeview/DataStringTree.h"

// A row as the tree shows it: its depth below the top and its three cells.
struct TShownRow {
  int Level;
  std::string Name;
  std::string Value;
  std::string Type;
  bool operator==(const TShownRow&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TShownRow& row) {
  return out << row.Level << " [" << row.Name << "|" << row.Value << "|" << row.Type << "]";
}

// A library of a record type, an array of it and an enumeration, with
// routines that make them, for records typed on the command line.
constexpr const char* ShapesLibrary =
    "library Shapes;\n"
    "type TPoint = record x, y : Real end;\n"
    "     TPoints = array of TPoint;\n"
    "     TShade = (Light, Dark);\n"
    "function Point(x, y : Real) : TPoint; begin Result.x := x; Result.y := y end;\n"
    "function Points(n : Integer) : TPoints; var i : Integer;\n"
    "begin SetLength(Result, n); for i := 1 to n do begin Result[i].x := i; Result[i].y := -i end end;\n"
    "end.";

class WorkFormTest : public MainFormTest {
protected:
  // Variable and workspace files go through the "file" source copied beside the tests.
  WorkFormTest() {
    IOSystem = std::make_unique<TIOSystem>(std::filesystem::path(ProgramFileName()).parent_path().string() + "/");
  }
  ~WorkFormTest() override {
    FreeWorkspace();
    Free();
    IOSystem.reset();
  }

  // The main window started, the workspace window made and shown.
  TWorkForm& Open() {
    Start();
    MakeWorkspace();
    form->actWorksp->Execute();
    ProcessEverything();
    return *work;
  }
  void MakeWorkspace() {
    WorkForm = work = new TWorkForm(&Application(), form->Engine, form->actWorksp);
    AddVarDlg = dialog = new TAddVarDlg(&Application(), form->Engine);
  }
  // Freed in the reverse order of making, before the main window.
  void FreeWorkspace() {
    delete dialog;
    AddVarDlg = dialog = nullptr;
    delete work;
    WorkForm = work = nullptr;
  }
  // The program ends and starts again with the workspace window made.
  void RestartAll() {
    FreeWorkspace();
    Restart();
    MakeWorkspace();
  }

  TDataStringTree& Tree() { return *work->VarTree; }

  // A line typed in the main window, as the user does after clicking into it.
  void Enter(const std::string& line) {
    form->CommandLine->SetFocus();
    ProcessEverything();
    MainFormTest::Enter(line);
  }

  // Every row, each array and record opened first.
  std::vector<TShownRow> Rows() {
    Tree().ExpandAll(nullptr);
    return ShownRows();
  }
  // The rows as they are, closed ones without their children.
  std::vector<TShownRow> ShownRows() {
    std::vector<TShownRow> rows;
    for (PDataNode node = Tree().FirstVisibleNode(); node; node = Tree().NextVisibleNode(node))
      rows.push_back({static_cast<int>(Tree().NodeLevel(node)), Tree().CellText(node, 0), Tree().CellText(node, 1),
                      Tree().CellText(node, 2)});
    return rows;
  }
  std::vector<std::string> TopNames() {
    std::vector<std::string> names;
    for (PDataNode node = Tree().FirstRootNode(); node; node = Tree().NextSiblingOf(node))
      names.push_back(Tree().CellText(node, 0));
    return names;
  }
  PDataNode TopRow(const std::string& name) {
    for (PDataNode node = Tree().FirstRootNode(); node; node = Tree().NextSiblingOf(node))
      if (Tree().CellText(node, 0) == name) return node;
    ADD_FAILURE() << "no row " << name;
    return nullptr;
  }
  // A click on the row's name, as the user selects it.
  void Select(PDataNode node) {
    Tree().ScrollNodeIntoView(node, false);
    const TRect cell = Tree().NodeDisplayRect(node, 0, false);
    ClickTree({cell.Left + 8, (cell.Top + cell.Bottom) / 2});
  }
  // Client coordinates of the tree (the header is above them).
  void ClickTree(TPoint client, TSyntheticMouse action = TSyntheticMouse::Press) {
    TPoint point = client;
    ClientToScreen(Tree().Handle(), point);
    TRect window;
    GetWindowRect(Tree().Handle(), window);
    const TPoint at{point.X - window.Left, point.Y - window.Top};
    if (action == TSyntheticMouse::Press)
      SynthesizeClick(Tree().Handle(), at);
    else
      SynthesizeMouse(Tree().Handle(), at, action, TInputButton::Left);
    ProcessEverything();
  }
  void PressInWorkspace(WORD key, TInputModifiers modifiers = {}) {
    SynthesizeKeyStroke(work->Handle(), key, "", modifiers);
    ProcessEverything();
  }
  void Idle() {
    ProcessEverything();
    Application().DoIdle();
  }

  // The New Variable dialog, once it shows, gets the name typed and the
  // type chosen (none: the dialog's selection stays), then Enter.
  void AnswerNewVariable(const std::string& name, const std::string& type = "") {
    WhenDialogShows([this, name, type] {
      dialog->NameEdit->SetText("");
      SynthesizeTyping(dialog->Handle(), name);
      if (!type.empty()) dialog->KindTree->SetSelected(KindNode(type));
      Application().DoIdle();
      SynthesizeKeyStroke(dialog->Handle(), VK_RETURN, "\r");
    });
  }
  void CancelNewVariable() {
    WhenDialogShows([this] { SynthesizeKeyStroke(dialog->Handle(), VK_ESCAPE, "\x1b"); });
  }
  // Runs inside the dialog's modal loop; a dialog that never showed fails.
  void WhenDialogShows(std::function<void()> action) {
    RunLater(20, [this, action] {
      if (!dialog->Visible()) {
        ADD_FAILURE() << "the New Variable dialog did not show";
        return;
      }
      ProcessEverything();
      action();
      ProcessEverything();
      // A dialog that refused the answer is cancelled, so that the test goes on.
      dialogRefused = dialog->ModalResult() == mrNone;
      if (dialogRefused) dialog->SetModalResult(mrCancel);
    });
  }
  TTreeNode* KindNode(const std::string& text) {
    for (TTreeNode* group = dialog->KindTree->Items().GetFirstNode(); group; group = group->getNextSibling())
      for (TTreeNode* node = group->getFirstChild(); node; node = node->getNextSibling())
        if (node->Text() == text) return node;
    ADD_FAILURE() << "no type " << text;
    return nullptr;
  }

  std::string LoadLibrary(const std::string& name, const std::string& text) {
    const std::string path = WriteProgramFile(name, text);
    form->Engine->LoadSourceLibrary(path);
    ProcessEverything();
    return path;
  }
  std::vector<std::string> LibraryEntries() {
    std::vector<std::string> entries;
    for (int i = 0; i < work->LibList->Items().Count(); ++i) entries.push_back(work->LibList->Items().Strings(i));
    return entries;
  }
  std::string StatusText(int panel) { return work->StatusBar->Panels()[panel].Text(); }
  bool HasVariable(const std::string& name) { return form->Engine->FindVariable(name) != nullptr; }
  std::string Value(const std::string& name) {
    TVar* var = form->Engine->FindVariable(name);
    return var ? VarToText(var, false, true) : "<none>";
  }

  TWorkForm* work = nullptr;
  TAddVarDlg* dialog = nullptr;
  // The last answer left the New Variable dialog open.
  bool dialogRefused = false;
  TScriptedDialogs dialogs;
};
