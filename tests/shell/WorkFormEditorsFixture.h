#pragma once
// The workspace window with its editors: the cell editor, the matrix editor
// tabs, the size dialog and the import and export dialog, driven as the
// user drives them (WorkFormFixture.h).

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>

#include "engine/ArrVar.h"
#include "engine/Func.h"
#include "shell/ImExDlg.h"
#include "shell/MatEdit.h"
#include "shell/MatSizeDlg.h"
#include "shell/XDTEditor.h"
#include "tests/shell/WorkFormFixture.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/ListView.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/controls/ToolBar.h"

constexpr const char* ColoursLibrary =
    "library Colours;\n"
    "type TColour = (Red, Green, Blue, Cyan, Magenta);\n"
    "     TColours = set of TColour;\n"
    "end.";

class WorkFormEditorsTest : public WorkFormTest {
protected:
  ~WorkFormEditorsTest() override {
    delete MatSizeDlg;
    MatSizeDlg = nullptr;
    delete ImExDlg;
    ImExDlg = nullptr;
  }
  // Made with the "file" source and the tests' "echo" source.
  TImExDlg& ImportExportDialog() {
    if (!ImExDlg) {
      const std::filesystem::path data = program.Path() / "DATA";
      const std::filesystem::path tests = std::filesystem::read_symlink("/proc/self/exe").parent_path();
      for (const char* plugin : {"DATA/file.dio", "testplugins/echo.dio"})
        std::filesystem::copy_file(tests / plugin, data / std::filesystem::path(plugin).filename(),
                                   std::filesystem::copy_options::overwrite_existing);
      IOSystem = std::make_unique<TIOSystem>(program.Path().string() + "/");
      ImExDlg = new TImExDlg(&Application(), form->Engine);
      ImExDlg->HandleNeeded();
    }
    return *ImExDlg;
  }
  // The item of that caption becomes the only one selected.
  void Choose(TListView& list, const std::string& caption) {
    for (int i = 0; i < list.Items().Count(); ++i)
      if (list.Items().Item(i)->Caption() == caption) list.SetItemIndex(i);
    ProcessEverything();
  }
  void ChooseDevice(TImExDlg& dialog, const std::string& name) { Choose(*dialog.DeviceList, name); }
  std::vector<std::string> Filters(TImExDlg& dialog) {
    std::vector<std::string> names;
    for (int i = 0; i < dialog.FilterList->Items().Count(); ++i)
      names.push_back(dialog.FilterList->Items().Item(i)->Caption());
    return names;
  }
  bool Offers(TImExDlg& dialog, const std::string& name) {
    const auto names = Filters(dialog);
    return std::find(names.begin(), names.end(), name) != names.end();
  }
  // Runs the command; once the dialog shows, the device, file and routine are chosen and OK pressed.
  // newName: the name the New Variable dialog is then given.
  void ImportOrExport(TAction* action, const std::string& path, const std::string& routine,
                      const std::string& newName = "") {
    TImExDlg& dialog = ImportExportDialog();
    RunLater(20, [this, &dialog, path, routine, newName] {
      ChooseDevice(dialog, "file");
      dialog.SpecEdit->SetText(path);
      Choose(*dialog.FilterList, routine);
      Application().DoIdle();
      SynthesizeKeyStroke(dialog.Handle(), VK_RETURN, "\r");
      if (!newName.empty()) AnswerNewVariable(newName);
    });
    Idle();
    action->Execute();
    ProcessEverything();
  }
  TMatSizeDlg& SizeDialog() {
    if (!MatSizeDlg) MatSizeDlg = new TMatSizeDlg(&Application());
    // The edits report their changes once they have their windows.
    MatSizeDlg->HandleNeeded();
    return *MatSizeDlg;
  }
  // The row selected and Enter pressed in the tree.
  void EnterOn(const std::string& name) {
    Select(TopRow(name));
    SynthesizeKeyStroke(Tree().Handle(), VK_RETURN, "\r");
    ProcessEverything();
  }
  void DoubleClickTree(TPoint at) {
    ClickTree(at);
    ClickTree(at, TSyntheticMouse::DoubleClick);
    ClickTree(at, TSyntheticMouse::Release);
  }
  // A variable of a library's type, shown after a refresh.
  void MakeVariable(const std::string& name, const std::string& type) {
    ASSERT_NE(form->Engine->AddVariable(name, FindKind(type)), nullptr);
    work->actRefresh->Execute();
  }
  TXDTEditor* CellEditor() { return dynamic_cast<TXDTEditor*>(work->EditLink.get()); }
  TWinControl* Control() { return CellEditor() ? CellEditor()->Editor() : nullptr; }
  bool Editing() { return Control() && Control()->Visible(); }
  void TypeInto(TWinControl* control, const std::string& text) {
    SynthesizeTyping(control->Handle(), text);
    ProcessEverything();
  }
  void Press(TWinControl* control, WORD key, const std::string& text = "") {
    SynthesizeKeyStroke(control->Handle(), key, text);
    ProcessEverything();
  }
  TValue ValueOf(const std::string& name) {
    return static_cast<TBaseVar*>(form->Engine->FindVariable(name))->GetValue();
  }

  // The tab of the variable, opened with Enter on its row.
  TMatEdit& OpenTab(const std::string& name) {
    EnterOn(name);
    auto* tab = work->ActiveEditorTab();
    EXPECT_NE(tab, nullptr);
    return *tab->Editor;
  }
  void SelectCells(TMatEdit& editor, TGridRect rect) {
    editor.Grid->SetSelection(rect);
    editor.SyncSelection();
    ProcessEverything();
  }
  TArrVar& Array(const std::string& name) { return *dynamic_cast<TArrVar*>(form->Engine->FindVariable(name)); }
  void Paste(TMatEdit& editor, TGridRect at, const std::string& text, bool transposed = false) {
    Clipboard().SetAsText(text);
    editor.Grid->SetSelection(at);
    (transposed ? work->actMEPasteT : work->actMEPaste)->Execute();
    ProcessEverything();
  }
};
