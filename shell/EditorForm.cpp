// The program editor window: its controls, actions, menus and settings.

#include "shell/EditorForm.h"

#include <algorithm>
#include <functional>

#include "console/Console.h"
#include "console/SrcEdit.h"
#include "console/Syntax.h"
#include "runtime/Help.h"
#include "runtime/Storage.h"
#include "shell/ActionBars.h"
#include "shell/EdSettsForm.h"
#include "shell/Images.h"
#include "shell/MainForm.h"
#include "shell/XpmPicture.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/CoolBar.h"
#include "toolkit/controls/Dialogs.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/PageControl.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/Splitter.h"
#include "toolkit/controls/StatusBar.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/Keys.h"

// The folder tree's pictures, drawn by tools/draw-images.py.
#include "resources/images/FileTree.xpm"

TEditorForm* EditorForm = nullptr;

namespace {

constexpr const char* FormSection = "EDITORFORM";
constexpr const char* ParamsSection = "EDITORPARAMS";
constexpr const char* ColorsSection = "EDITORCOLORS";
const TRect DesignBounds = Bounds(234, 128, 767, 597);
constexpr int DesignConsoleHeight = 149;
constexpr int DesignFolderWidth = 169;
constexpr int DesignGutterWidth = 48;
constexpr int MaxGutterWidth = 80;
constexpr int MinWidth = 320;
constexpr int MinHeight = 200;
constexpr int SplitterSize = 3;
// What a stored pane size leaves of the pane beside it, at least.
constexpr int MinPaneRoom = 30;

const TActionSpec<TEditorForm> ActionSpecs[] = {
    {&TEditorForm::actNew, "&Program", " New program ", "Ctrl+N", 0},
    {&TEditorForm::actNewLib, "&Library", " New library ", "Ctrl+L", 10},
    {&TEditorForm::actOpen, "&Open ...", " Open source file ", "Ctrl+O", 1},
    {&TEditorForm::actSave, "Save", " Save source file ", "Ctrl+S", 2},
    {&TEditorForm::actSaveAs, "Save &As ...", "", "", -1},
    {&TEditorForm::actClose, "&Close", "", "Ctrl+F4", -1},
    {&TEditorForm::actExit, "&Hide Editor", "", "", -1},
    {&TEditorForm::actEditUndo, "Undo", " Undo editing ", "Ctrl+Z", 6},
    {&TEditorForm::actEditCut, "Cu&t", " Cut selection to clipboard ", "Ctrl+X", 3},
    {&TEditorForm::actEditCopy, "&Copy", " Copy selection to clipboard ", "Ctrl+C", 4},
    {&TEditorForm::actEditPaste, "&Paste", " Paste text from clipboard ", "Ctrl+V", 5},
    {&TEditorForm::actCopyConsole, "C&opy Console", " Copy console to the clipboard ", "", 4},
    {&TEditorForm::actClearConsole, "C&lear Console", " Clear console ", "", 15},
    {&TEditorForm::actSettings, "&Settings ...", " Settings ", "", 8},
    {&TEditorForm::actRun, "&Execute", " Execute source ", "F9", 7},
    {&TEditorForm::actAbort, "&Abort", " Abort execution ", "Ctrl+F9", 17},
    {&TEditorForm::actHelp, "&Help ...", "", "", 9},
    {&TEditorForm::actAddFolder, "&Add Folder", " Add folder to the Folders ", "", 12},
    {&TEditorForm::actDelFolder, "&Remove Folder", " Remove folder from the Folders", "", 15},
    {&TEditorForm::actRefresh, "&Refresh", " Refresh contents of the Folders ", "", 16},
    {&TEditorForm::actFolderOpen, "&Open File", " Open source file ", "", 1},
};

TMenuItem* AddItem(TComponent* owner, TMenuItem& parent, const std::string& caption) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  parent.Add(item);
  return item;
}

void AddItems(TComponent* owner, TMenuItem& parent, std::initializer_list<TAction*> actions) {
  for (TAction* action : actions) {
    if (action) {
      auto* item = new TMenuItem(owner);
      item->SetAction(action);
      parent.Add(item);
    } else {
      AddItem(owner, parent, "-");
    }
  }
}

void AddButtons(TComponent* owner, TToolBar& bar, std::initializer_list<TAction*> actions) {
  for (TAction* action : actions) {
    auto* button = new TToolButton(owner);
    if (action)
      button->SetAction(action);
    else
      button->SetStyle(tbsSeparator);
    button->SetParent(&bar);
  }
}

TPanel* MakePanel(TComponent* owner, TWinControl& parent, TAlign align, const TRect& bounds) {
  auto* panel = new TPanel(owner);
  panel->SetBevelOuter(bvNone);
  panel->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  panel->SetParent(&parent);
  panel->SetAlign(align);
  return panel;
}

}  // namespace

TEditorForm::TEditorForm(TComponent* owner)
    : TToolForm(owner, FormSection, MainForm->actEditor, DesignBounds), Engine(MainForm->Engine) {
  if (!EditorForm) EditorForm = this;
  SetCaption(" Tarnscript Editor");
  ShowHint = true;
  Syntax = std::make_unique<TSyntax>();
  Syntax->Classifier = MainForm->Syntax->Classifier;
  Syntax->Attrs().LoadFromStorage(ColorsSection);
  CreateActions();
  CreateMenus();
  CreatePanels();
  CreateToolBars();
  CreateFolderTree();
  CreateConsole();
  CreateDialogs();
  ReadSettings();
  OnCanResize = [this](TObject*, int& width, int& height, bool&) { FormCanResize(width, height); };
}

TEditorForm::~TEditorForm() {
  try {
    WriteRecoveryCopies();
    WriteSettings();
  } catch (const std::exception&) {
    // What could not be written stays as it was; the program is ending anyway.
  }
  if (Engine->GetConsole() == Console->ConsoleIntf) Engine->SetConsole(MainForm ? MainForm->GetConsoleIntf() : nullptr);
  OnCanResize = nullptr;
  // The editors and the tree use the syntax and the pictures freed with this object.
  while (PageControl->PageCount() > 0) delete PageControl->Pages(0);
  FileTree->SetImages(nullptr);
  if (EditorForm == this) EditorForm = nullptr;
}

// ---------------------------------------------------------------- making the window

void TEditorForm::CreateActions() {
  ActionList = new TActionList(this);
  ActionList->Images = Images ? &Images->SNorm : nullptr;
  MakeActions(*this, ActionList, ActionSpecs);
  const auto editor = [this] { return ActiveEdit() ? ActiveEdit()->Editor() : nullptr; };
  OnExecute(actNew, [this] { NewText(UntitledCount, "Untitled", "program"); });
  // The status bar follows every idle update; the New action, always enabled, carries it.
  actNew->OnUpdate = [this](TObject*) { UpdateStatus(); };
  OnExecute(actNewLib, [this] { NewText(NewLibCount, "NewLib", "library"); });
  OnExecute(actOpen, [this] { Open(); });
  OnExecute(actSave, [this] { SaveTab(*ActiveTab()); });
  EnableWhen(actSave, [editor] { return editor() && editor()->Modified; });
  OnExecute(actSaveAs, [this] { SaveTabAs(*ActiveTab()); });
  EnableWhen(actSaveAs, [this] { return HasActiveTab(); });
  OnExecute(actClose, [this] { CloseActiveTab(); });
  EnableWhen(actClose, [this] { return HasActiveTab(); });
  // As the close box: the window hides and is not reopened at the next start.
  OnExecute(actExit, [this] { Perform(WM_CLOSE, 0, 0); });
  OnExecute(actEditUndo, [editor] { editor()->UndoList().Undo(); });
  EnableWhen(actEditUndo, [editor] { return editor() && editor()->UndoList().CanUndo(); });
  OnExecute(actEditCut, [editor] { editor()->ClipboardCut(); });
  EnableWhen(actEditCut, [editor] { return editor() && editor()->CanCut(); });
  OnExecute(actEditCopy, [editor] { editor()->ClipboardCopy(); });
  EnableWhen(actEditCopy, [editor] { return editor() && editor()->CanCopy(); });
  OnExecute(actEditPaste, [editor] { editor()->ClipboardPaste(); });
  EnableWhen(actEditPaste, [editor] { return editor() && editor()->CanPaste(); });
  OnExecute(actCopyConsole, [this] { Console->CopySelection(); });
  EnableWhen(actCopyConsole, [this] { return Console->SelectedCount() > 0; });
  OnExecute(actClearConsole, [this] { Console->Clear(); });
  EnableWhen(actClearConsole, [this] { return Console->LineCount() > 0; });
  OnExecute(actSettings, [this] { ShowSettings(); });
  EnableWhen(actSettings, [] { return EdSettsForm != nullptr; });
  actSettings->SetEnabled(EdSettsForm != nullptr);
  OnExecute(actRun, [this] { Run(); });
  EnableWhen(actRun, [this] { return HasActiveTab() && !Engine->IsRunning(); });
  OnExecute(actAbort, [this] { Abort(); });
  EnableWhen(actAbort, [this] { return Engine->IsRunning(); });
  OnExecute(actHelp, [] { ShowHelp("a1_02_04.htm"); });
  OnExecute(actAddFolder, [this] { BrowseAndAddFolder(); });
  OnExecute(actDelFolder, [this] { RemoveFolder(); });
  EnableWhen(actDelFolder, [this] { return FileTree->Selected() && !FileTree->Selected()->Parent(); });
  OnExecute(actRefresh, [this] { RefreshFolders(); });
  EnableWhen(actRefresh, [this] { return FileTree->Items().Count() > 0; });
  OnExecute(actFolderOpen, [this] { OpenSelectedFile(); });
  EnableWhen(actFolderOpen, [this] { return FileTree->Selected() && FileTree->Selected()->Parent(); });
}

void TEditorForm::CreateMenus() {
  MainMenu = new TMainMenu(this);
  MainMenu->SetImages(ActionList->Images);
  TMenuItem& bar = MainMenu->Items();
  TMenuItem& file = *AddItem(this, bar, "&File");
  AddItems(this, *AddItem(this, file, "&New"), {actNew, actNewLib});
  AddItems(this, file, {actOpen, actSave, actSaveAs, actClose, nullptr, actExit});
  AddItems(this, *AddItem(this, bar, "&Edit"),
           {actEditUndo, nullptr, actEditCut, actEditCopy, actEditPaste, nullptr, actCopyConsole, actClearConsole,
            nullptr, actSettings});
  AddItems(this, *AddItem(this, bar, "&Source"), {actRun, actAbort});
  AddItems(this, *AddItem(this, bar, "&Help"), {actHelp});
  SetMenu(MainMenu);

  TabPopup = new TPopupMenu(this);
  TabPopup->SetImages(ActionList->Images);
  AddItems(this, TabPopup->Items(), {actClose, nullptr, actEditCopy, actEditPaste, actEditCut, nullptr, actSettings});
  ConsolePopup = new TPopupMenu(this);
  ConsolePopup->SetImages(ActionList->Images);
  AddItems(this, ConsolePopup->Items(), {actCopyConsole, actClearConsole});

  // The New button's menu: a choice also makes it the button's kind.
  NewMenu = new TPopupMenu(this);
  NewMenu->SetImages(ActionList->Images);
  for (TAction* action : {actNew, actNewLib}) {
    TMenuItem* item = AddItem(this, NewMenu->Items(), action->Caption());
    item->SetImageIndex(action->ImageIndex());
    item->OnClick = [this, action](TObject*) { ChooseNewKind(action); };
  }
}

// Aligned in this order: the bars at the top and the bottom, the folder
// pane and its splitter at the left, the tabs above the console.
void TEditorForm::CreatePanels() {
  CoolBar = new TCoolBar(this);
  CoolBar->SetAlign(alTop);
  CoolBar->SetAutoSize(true);
  CoolBar->SetParent(this);
  StatusBar = new TStatusBar(this);
  StatusBar->SetParent(this);
  StatusBar->SetAlign(alBottom);
  for (const auto& [width, alignment] : {std::pair{64, taCenter}, {64, taCenter}, {50, taLeftJustify}}) {
    TStatusPanel& panel = StatusBar->Panels().Add();
    panel.SetWidth(width);
    panel.SetAlignment(alignment);
  }
  FolderPanel = MakePanel(this, *this, alLeft, Bounds(0, 0, DesignFolderWidth, 400));
  FolderSplitter = new TSplitter(this);
  FolderSplitter->SetBounds(DesignFolderWidth, 0, SplitterSize, 400);
  FolderSplitter->SetParent(this);
  MainPanel = MakePanel(this, *this, alClient, Bounds(DesignFolderWidth + SplitterSize, 0, 500, 400));
  ConsolePanel = MakePanel(this, *MainPanel, alBottom, Bounds(0, 0, 500, DesignConsoleHeight));
  // Above the console, where bottom-aligned controls keep their order.
  ConsoleSplitter = new TSplitter(this);
  ConsoleSplitter->SetAlign(alBottom);
  ConsoleSplitter->SetBounds(0, ConsolePanel->Top() - SplitterSize, 500, SplitterSize);
  ConsoleSplitter->SetParent(MainPanel);
  PageControl = new TPageControl(this);
  PageControl->SetParent(MainPanel);
  PageControl->SetAlign(alClient);
  PageControl->SetPopupMenu(TabPopup);
}

void TEditorForm::CreateToolBars() {
  ToolBar = MakeFlatToolBar(this, *CoolBar);
  AddButtons(this, *ToolBar,
             {actNew, actOpen, actSave, nullptr, actEditCut, actEditCopy, actEditPaste, actEditUndo, nullptr, actRun,
              nullptr});
  NewButton = ToolBar->Buttons(0);
  NewButton->SetStyle(tbsDropDown);
  NewButton->DropdownMenu = NewMenu;
  ExecuteButton = ToolBar->Buttons(9);
}

void TEditorForm::CreateFolderTree() {
  FolderPages = new TPageControl(this);
  FolderPages->SetParent(FolderPanel);
  FolderPages->SetAlign(alClient);
  FoldersPage = new TTabSheet(this);
  FoldersPage->SetCaption("Folders");
  FoldersPage->SetPageControl(FolderPages);
  FolderBar = MakeFlatToolBar(this, *FoldersPage);
  FolderBar->SetAlign(alTop);
  AddButtons(this, *FolderBar, {actAddFolder, actFolderOpen, actRefresh, nullptr, actDelFolder, nullptr});
  TBitmap pictures;
  DecodeXpm(FileTreePictures, pictures);
  treeImages_ = std::make_unique<TImageList>(16, 16);
  treeImages_->Add(pictures, nullptr);
  FileTree = new TTreeView(this);
  FileTree->SetParent(FoldersPage);
  FileTree->SetAlign(alClient);
  FileTree->SetReadOnly(true);
  FileTree->SetSortType(stText);
  FileTree->SetImages(treeImages_.get());
  FileTree->OnExpanding = [this](TObject*, TTreeNode* node, bool&) { ShowFolderState(*node, true); };
  FileTree->OnCollapsing = [this](TObject*, TTreeNode* node, bool&) { ShowFolderState(*node, false); };
  FileTree->OnDblClick = [this](TObject*) { actFolderOpen->Execute(); };
}

void TEditorForm::CreateConsole() {
  Console = new TConsole(ConsolePanel);
  Console->SetParent(ConsolePanel);
  Console->SetAlign(alClient);
  Console->SetImages(MainForm->Console->GetImages());
  Console->CopyLookFrom(*MainForm->Console);
  Console->Syntax = MainForm->Syntax.get();
  Console->SetPopupMenu(ConsolePopup);
}

void TEditorForm::CreateDialogs() {
  OpenDialog = new TOpenDialog(this);
  OpenDialog->Filter = "Tarnscript Files (*.tarn)|*.tarn|Pascal Files (*.pas)|*.pas|All Files (*.*)|*.*";
  SaveDialog = new TSaveDialog(this);
  SaveDialog->DefaultExt = ".tarn";
  SaveDialog->Filter = "Tarnscript Source (*.tarn)|*.tarn";
  SaveDialog->Options |= ofOverwritePrompt;
}

// Each stored value that makes no sense falls back to its default alone.
void TEditorForm::ReadSettings() {
  Setts.GutterWidth = DesignGutterWidth;
  std::string recovered;
  {
    Storage->OpenSection(ParamsSection, false);
    TSectionCloser closer(*Storage);
    Setts.Color = ColorFromStored(Storage->ReadInteger("Color", StoredColor(Setts.Color)));
    Setts.GutterColor = ColorFromStored(Storage->ReadInteger("GutColor", StoredColor(Setts.GutterColor)));
    const std::int64_t gutter = Storage->ReadInteger("GutWidth", Setts.GutterWidth);
    if (gutter >= 0 && gutter <= MaxGutterWidth) Setts.GutterWidth = static_cast<int>(gutter);
    Setts.GutLines = Storage->ReadBool("GutLines", Setts.GutLines);
    Setts.SaveAuto = Storage->ReadBool("SaveAuto", Setts.SaveAuto);
    Setts.SavePrompt = Storage->ReadBool("SavePrompt", Setts.SavePrompt);
    ReadPaneSizes();
    ReadFolders();
    recovered = Storage->ReadString("Recovered", "");
  }
  if (Folders.empty() && Storage->NewBuild) AddFolder(Storage->AppFolder + "Examples");
  TellRecoveredTexts(recovered);
}

// A size that leaves the pane beside it no room keeps the designed one.
void TEditorForm::ReadPaneSizes() {
  Realign();
  const auto read = [](const char* key, int current, int room) {
    const std::int64_t stored = Storage->ReadInteger(key, current);
    return stored >= 0 && stored <= room ? static_cast<int>(stored) : current;
  };
  const int folderRoom = ClientWidth() - SplitterSize - MinPaneRoom;
  FolderPanel->SetWidth(read("ToolWidth", FolderPanel->Width(), folderRoom));
  MainPanel->Realign();
  const int consoleRoom = MainPanel->ClientHeight() - SplitterSize - MinPaneRoom;
  ConsolePanel->SetHeight(read("ConHeight", ConsolePanel->Height(), consoleRoom));
  Realign();
}

// The count reads no further than the keys present: a removed folder's key
// is there, empty; a count beyond the keys is not believed.
void TEditorForm::ReadFolders() {
  const std::int64_t count = Storage->ReadInteger("FolderCount", 0);
  constexpr const char* Absent = "\n";  // no stored value holds a line break
  for (std::int64_t i = 0; i < count; ++i) {
    const std::string folder = Storage->ReadString("Folder" + std::to_string(i), Absent);
    if (folder == Absent) break;
    AddFolder(folder);
  }
}

void TEditorForm::WriteSettings() {
  {
    Storage->OpenSection(ParamsSection, true);
    TSectionCloser closer(*Storage);
    Storage->WriteInteger("Color", StoredColor(Setts.Color));
    Storage->WriteInteger("GutColor", StoredColor(Setts.GutterColor));
    Storage->WriteInteger("GutWidth", Setts.GutterWidth);
    Storage->WriteBool("GutLines", Setts.GutLines);
    Storage->WriteBool("SaveAuto", Setts.SaveAuto);
    Storage->WriteBool("SavePrompt", Setts.SavePrompt);
    Storage->WriteInteger("ConHeight", ConsolePanel->Height());
    Storage->WriteInteger("ToolWidth", FolderPanel->Width());
    Storage->WriteInteger("FolderCount", static_cast<std::int64_t>(Folders.size()));
    for (std::size_t i = 0; i < Folders.size(); ++i) Storage->WriteString("Folder" + std::to_string(i), Folders[i]);
    if (!recoveryFolder_.empty()) Storage->WriteString("Recovered", recoveryFolder_);
  }
  Syntax->Attrs().SaveToStorage(ColorsSection);
}

void TEditorForm::TellRecoveredTexts(const std::string& folder) {
  if (!folder.empty())
    MainForm->Console->AddLine("Unsaved programs of the last session were kept in \"" + folder + "\"", lkWarning, 0);
}

void TEditorForm::FormCanResize(int& newWidth, int& newHeight) {
  newWidth = std::max(newWidth, MinWidth);
  newHeight = std::max(newHeight, MinHeight);
}

// F1 looks the word at the caret up in the help's keywords.
void TEditorForm::EditorKeyDown(TObject* sender, WORD& key, TShiftState shift) {
  if (key != VK_F1 || shift != 0) return;
  const std::string word = static_cast<TTarnEditor*>(sender)->WordAtCaret();
  if (!word.empty()) ShowHelpKeyword(word);
  key = 0;
}

void TEditorForm::ShowSettings() {
  EdSettsForm->SetSymAttrs(Syntax->Attrs());
  EdSettsForm->SetEditorSetts(Setts);
  if (EdSettsForm->ShowModal() == mrOk) TakeSettings();
}

void TEditorForm::TakeSettings() {
  Syntax->Attrs().Assign(EdSettsForm->GetSymAttrs());
  Setts = EdSettsForm->GetEditorSetts();
  for (int i = 0; i < PageControl->PageCount(); ++i)
    static_cast<TSrcTab*>(PageControl->Pages(i))->Edit()->Editor()->SetColors(Setts);
}

void TEditorForm::ChooseNewKind(TAction* action) {
  NewButton->SetAction(action);
  action->Execute();
}
