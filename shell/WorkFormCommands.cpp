// The workspace window's actions, its tool bars and menus, and the
// commands on variables, the workspace and libraries. Messages go to the
// engine's sink as error or warning lines. While a script runs, the
// commands that would make, rename, delete or load anything are disabled
// (the engine would refuse them anyway); saving and refreshing stay.

#include <filesystem>
#include <functional>

#include "engine/Kind.h"
#include "engine/Lib.h"
#include "engine/Var.h"
#include "libraries/VarFiles.h"
#include "libraries/ImpExpRunners.h"
#include "runtime/AsciiCase.h"
#include "runtime/Help.h"
#include "runtime/Storage.h"
#include "shell/ActionBars.h"
#include "shell/AddVarDlg.h"
#include "shell/ImExDlg.h"
#include "shell/Images.h"
#include "shell/MatEdit.h"
#include "shell/WorkForm.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/controls/Dialogs.h"
#include "toolkit/controls/ListBox.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageBox.h"
#include "treeview/DataStringTree.h"

namespace {

// Pictures of the small image lists (Images.h).
enum TSmallImage {
  siOpen = 1,
  siSave = 2,
  siCut = 3,
  siCopy = 4,
  siPaste = 5,
  siHelp = 9,
  siRemove = 15,
  siRefresh = 16,
  siCloseTab = 21,
  siNewVariable = 22,
  siRenameVariable = 23,
  siEditVariable = 24,
  siImport = 25,
  siExport = 26,
  siLoadWorkspace = 27,
  siSaveWorkspace = 28,
  siLoadLibrary = 29,
  siUnloadLibrary = 30,
  siModifySize = 31,
};

const TActionSpec<TWorkForm> ActionSpecs[] = {
    {&TWorkForm::actAddVar, "New Variable ...", " Create new variable in the workspace ", "", siNewVariable},
    {&TWorkForm::actRenameVar, "Rename Variable ...", " Rename selected variable ", "Ctrl+R", siRenameVariable},
    {&TWorkForm::actEdit, "Edit Variable", " Edit selected variable ", "", siEditVariable},
    {&TWorkForm::actLoadVar, "Load Variable ...", " Load variable from file ", "Ctrl+O", siOpen},
    {&TWorkForm::actSaveVar, "Save Variable ...", " Save variable to file ", "Ctrl+S", siSave},
    {&TWorkForm::actImport, "Import Variable ...", " Import variable ", "", siImport},
    {&TWorkForm::actExport, "Export Variable ...", " Export variable ", "", siExport},
    {&TWorkForm::actDelVar, "Delete Variable", " Delete variable ", "Ctrl+Del", siRemove},
    {&TWorkForm::actWorkLoad, "Load Workspace ...", " Load workspace ", "", siLoadWorkspace},
    {&TWorkForm::actWorkSave, "Save Workspace ...", " Save Workspace ", "", siSaveWorkspace},
    {&TWorkForm::actRefresh, "Refresh", " Refresh workspace ", "", siRefresh},
    {&TWorkForm::actLoadLib, "Load Library ...", " Load library ", "", siLoadLibrary},
    {&TWorkForm::actUnloadLib, "Unload Library", " Unload library ", "", siUnloadLibrary},
    {&TWorkForm::actMESize, "Modify size ...", " Modify vector/matrix size ", "", siModifySize},
    {&TWorkForm::actMECut, "Cut", " Cut column or row to the clipboard ", "Ctrl+X", siCut},
    {&TWorkForm::actMECopy, "&Copy", " Copy selection to the clipboard ", "Ctrl+C", siCopy},
    {&TWorkForm::actMEPaste, "&Paste", " Paste from the clipboard ", "Ctrl+V", siPaste},
    {&TWorkForm::actMEPasteT, "Paste transposed ", " Paste transposed ", "", siPaste},
    {&TWorkForm::actMEClose, "Close", " Close editor ", "Ctrl+F4", siCloseTab},
    {&TWorkForm::actHelp, "&Help", "", "F1", siHelp},
};

std::string FolderOf(const std::string& fileName) {
  return std::filesystem::path(fileName).parent_path().string() + "/";
}

// Runs a file dialog in the folder of the file chosen last, or at first in
// firstFolder; a chosen file's folder is the next one.
bool ChooseFile(TOpenDialog& dialog, HWND owner, std::string& lastFolder, const std::string& firstFolder) {
  dialog.InitialDir = lastFolder.empty() ? firstFolder : lastFolder;
  if (!dialog.Execute(owner)) return false;
  lastFolder = FolderOf(dialog.FileName);
  return true;
}

}  // namespace

void TWorkForm::CreateActions() {
  Actions = new TActionList(this);
  Actions->Images = Images ? &Images->SNorm : nullptr;
  MakeActions(*this, Actions, ActionSpecs);
  const auto idle = [this] { return !Engine->IsRunning(); };
  const auto topVariable = [this] { return SelectedVariable(true) != nullptr; };
  actAddVar->OnExecute = [this](TObject*) { AddVariable(); };
  EnableWhen(actAddVar, idle);
  actRenameVar->OnExecute = [this](TObject*) { RenameVariable(); };
  EnableWhen(actRenameVar, [idle, topVariable] { return idle() && topVariable(); });
  actLoadVar->OnExecute = [this](TObject*) { LoadVariable(); };
  EnableWhen(actLoadVar, idle);
  actSaveVar->OnExecute = [this](TObject*) { SaveVariable(); };
  EnableWhen(actSaveVar, topVariable);
  actDelVar->OnExecute = [this](TObject*) { DeleteVariable(); };
  EnableWhen(actDelVar, [idle, topVariable] { return idle() && topVariable(); });
  actWorkLoad->OnExecute = [this](TObject*) { LoadWorkspace(); };
  EnableWhen(actWorkLoad, idle);
  actWorkSave->OnExecute = [this](TObject*) { SaveWorkspace(); };
  actRefresh->OnExecute = [this](TObject*) { DataClient->Update(dcEverything); };
  actLoadLib->OnExecute = [this](TObject*) { LoadLibrary(); };
  EnableWhen(actLoadLib, idle);
  actUnloadLib->OnExecute = [this](TObject*) { UnloadLibrary(); };
  EnableWhen(actUnloadLib, [this, idle] { return idle() && LibrariesPageActive() && LibList->ItemIndex() >= 0; });
  actHelp->OnExecute = [](TObject*) { ShowHelp("a1_02_09.htm"); };
  CreateEditorActions();
  actImport->OnExecute = [this](TObject*) { ImportVariable(); };
  EnableWhen(actImport, idle);
  actExport->OnExecute = [this](TObject*) { ExportVariable(); };
  EnableWhen(actExport, [this, idle] { return idle() && SelectedVariable(false) != nullptr; });
  for (TAction* action : {actMESize, actMECut, actMECopy, actMEPaste, actMEPasteT, actMEClose}) action->Category = "ME";
}

void TWorkForm::CreateMenus() {
  const auto makeMenu = [this] {
    auto* menu = new TPopupMenu(this);
    menu->SetImages(Actions->Images);
    return menu;
  };
  VarMenu = makeMenu();
  AddMenuItems(VarMenu->Items(), {actAddVar, actRenameVar, nullptr, actLoadVar, actSaveVar, actImport, actExport,
                                  nullptr, actDelVar, nullptr, actRefresh});
  LibMenu = makeMenu();
  AddMenuItems(LibMenu->Items(), {actLoadLib, actUnloadLib});
  MEMenu = makeMenu();
  AddMenuItems(MEMenu->Items(), {actMESize, nullptr, actMEClose});
  PasteMenu = makeMenu();
  AddMenuItems(PasteMenu->Items(), {actMEPaste, actMEPasteT});
}

void TWorkForm::CreateBars() {
  for (TToolBar* bar : {VarTools, LibTools}) {
    bar->SetFlat(true);
    bar->SetAutoSize(true);
    bar->SetImages(Actions->Images);
    bar->SetHotImages(Images ? &Images->SHot : nullptr);
    bar->SetDisabledImages(Images ? &Images->SDis : nullptr);
  }
  AddToolButtons(*VarTools, {actAddVar, actRenameVar, actEdit, nullptr, actLoadVar, actSaveVar, actImport, actExport,
                             nullptr, actDelVar, nullptr, actWorkLoad, actWorkSave, actRefresh, nullptr});
  AddToolButtons(*LibTools, {actLoadLib, actUnloadLib});
}

// ---------------------------------------------------------------- variables

bool TWorkForm::AskVariable(bool nameOnly) {
  if (!AddVarDlg) return false;
  AddVarDlg->NameOnly = nameOnly;
  return AddVarDlg->ShowModal() == mrOk;
}

// A name the engine cannot make leaves its error line and adds nothing.
// The new row comes last; the next rebuild sorts it in.
void TWorkForm::AddVariable() {
  if (!AskVariable(false)) return;
  if (TVar* var = Engine->AddVariable(AddVarDlg->GetVarName(), AddVarDlg->SelectedKind())) AddVarNode(var);
}

// A copy under the new name, then the old one deleted. When the old one
// cannot go (compiled code uses it) the copy goes again: one variable
// stays, under its old name.
void TWorkForm::RenameVariable() {
  TVar* selected = SelectedVariable(true);
  if (!selected || !AddVarDlg) return;
  const std::string oldName = selected->Name();
  AddVarDlg->SetVarName(oldName);
  if (!AskVariable(true)) return;
  // Found again: nothing the dialog's message loop let through may leave a stale variable here.
  TVar* old = Engine->FindVariable(oldName);
  if (!old) return;
  const std::string newName = AddVarDlg->GetVarName();
  TVar* copy = Engine->AddVariable(newName, old->Kind());
  if (!copy) return;
  if (copy->Assign(*old, true)) Engine->DeleteVariable(oldName);
  if (Engine->FindVariable(oldName)) Engine->DeleteVariable(newName);
  Engine->NotifyDataClients(dcVariables);
}

// No confirmation is asked.
void TWorkForm::DeleteVariable() {
  TVar* var = SelectedVariable(true);
  if (!var) return;
  if (TMETab* tab = EditorTabOf(var)) CloseEditorTab(tab);
  NodeData(VarTree->FirstSelectedNode())->Var = nullptr;
  Engine->DeleteVariable(var->Name());
  Engine->NotifyDataClients(dcVariables);
}

void TWorkForm::LoadVariable() {
  if (ChooseFile(*OpenVar, Handle(), fileFolder_, Storage->AppFolder)) LoadVariableFromFile(OpenVar->FileName);
}

void TWorkForm::LoadVariableFromFile(const std::string& path) {
  if (!AskVariable(true)) return;
  if (LoadVariableFile(path, AddVarDlg->GetVarName()))
    Engine->NotifyDataClients(dcVariables);
  else
    WriteMessage("Failed to load variable from file", lkError, 0);
}

// The variable is taken again once the dialog returns: its message loop
// may have rebuilt the tree.
void TWorkForm::SaveVariable() {
  const TVar* proposed = SelectedVariable(false);
  if (!proposed) return;
  SaveVar->FileName = proposed->Name();
  if (!ChooseFile(*SaveVar, Handle(), fileFolder_, Storage->AppFolder)) return;
  TVar* var = SelectedVariable(false);
  if (var && !SaveVariableFile(var, SaveVar->FileName)) WriteMessage("Failed to save variable to file", lkError, 0);
}

// Loading replaces the workspace and notifies by itself; a file that does
// not read leaves the workspace as it was.
void TWorkForm::LoadWorkspace() {
  if (!ChooseFile(*OpenWork, Handle(), fileFolder_, Storage->AppFolder)) return;
  if (!LoadWorkspaceFile(OpenWork->FileName)) WriteMessage("Workspace loading failure", lkWarning, 0);
}

void TWorkForm::SaveWorkspace() {
  if (!ChooseFile(*SaveWork, Handle(), fileFolder_, Storage->AppFolder)) return;
  if (!SaveWorkspaceFile(SaveWork->FileName)) WriteMessage("Workspace saving failure", lkWarning, 0);
}

// ---------------------------------------------------------------- import and export

namespace {

// The hourglass and the variable tools disabled while a routine moves
// data; both come back on every path.
class TBusyTools {
public:
  explicit TBusyTools(TToolBar& tools) : tools_(tools) {
    tools_.SetEnabled(false);
    Screen().SetCursor(crHourGlass);
    Application().ProcessMessages();
  }
  ~TBusyTools() {
    Screen().SetCursor(crDefault);
    tools_.SetEnabled(true);
  }
  TBusyTools(const TBusyTools&) = delete;
  TBusyTools& operator=(const TBusyTools&) = delete;

private:
  TToolBar& tools_;
};

}  // namespace

// The routines write their own lines; the tree is rebuilt after every
// import, failed or not, since a failed one may delete what it made.
void TWorkForm::ImportVariable() {
  if (!ImExDlg) return;
  TVar* selected = SelectedVariable(false);
  ImExDlg->Setup(selected, true);
  if (ImExDlg->ShowModal() != mrOk) return;
  std::string name = selected ? selected->Name() : std::string();
  if (!selected) {
    if (!AskVariable(true)) return;
    name = AddVarDlg->GetVarName();
  }
  // Taken again: the dialogs' message loops may have rebuilt the tree.
  TVar* target = selected ? SelectedVariable(false) : nullptr;
  if ((selected && !target) || Engine->IsRunning()) return;
  const TBusyTools busy(*VarTools);
  ReportingFaults([&] { RunImportRoutine(name, ImExDlg->OpenString(), target, ImExDlg->SelectedFilter()); });
  Engine->NotifyDataClients(dcVariables);
}

void TWorkForm::ExportVariable() {
  if (!ImExDlg || !SelectedVariable(false)) return;
  ImExDlg->Setup(SelectedVariable(false), false);
  if (ImExDlg->ShowModal() != mrOk) return;
  TVar* var = SelectedVariable(false);
  if (!var) return;
  const TBusyTools busy(*VarTools);
  bool done = false;
  ReportingFaults([&] { done = RunExportRoutine(ImExDlg->OpenString(), var, ImExDlg->SelectedFilter()); });
  if (done) Engine->NotifyDataClients(dcVariables);
}

// ---------------------------------------------------------------- libraries

// The engine lists a loaded library when it tells of it. A file it cannot
// read or decipher gives an error line with the reason; any extension but
// the two does nothing.
void TWorkForm::LoadLibrary() {
  if (!ChooseFile(*OpenLib, Handle(), libraryFolder_, Storage->AppFolder + "LIBS/")) return;
  const std::string path = OpenLib->FileName;
  const std::string extension = AsciiLowered(std::filesystem::path(path).extension().string());
  if (extension == SourceLibraryExt)
    ReportingFaults([&] { Engine->LoadSourceLibrary(path); });
  else if (extension == PackedLibraryExt)
    ReportingFaults([&] { Engine->LoadPackedLibrary(path); });
}

void TWorkForm::UnloadLibrary() {
  const int index = LibList->ItemIndex();
  if (index < 0) return;
  const std::string name = LibList->Items().Strings(index).substr(1);
  const char* question =
      "It is strongly NOT recommended to unload libraries!\r"
      "Unloading library may cause program to crash if anything\r"
      "from this library has been used elsewhere.\r"
      "It will also clear the workspace.\r\r"
      "Proceed with unloading?";
  if (MessageBox(Handle(), question, "Confirm", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  Engine->UnloadLibrary(name, true);
}

bool TWorkForm::LibrariesPageActive() { return LeftPages->ActivePage() == TabSheet2; }
