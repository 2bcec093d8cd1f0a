#pragma once
// The workspace window: the user's variables, those of the engine library
// Workspace, as a tree of name, value and type that sorts by any column,
// and the libraries loaded from files. From it the user creates, renames,
// deletes, loads and saves variables and the whole workspace, and loads
// and unloads libraries. It hears of the engine's changes through its
// subscriber (TWorkInt) and rebuilds its lists on each; while it is hidden
// the tree's rebuild waits until it shows again. Closing only hides it.
// Its status bar shows the heap in use and a line that the data importers
// set while they read.
//
// Scalars are edited in their Value cell (TXDTEditor); a vector or a
// matrix opens in a matrix editor tab of the right-hand page control,
// reloaded after every rebuild and closed when its variable is gone.
//
// The code is spread by concern: WorkForm.cpp the window, its lifecycle
// and its lists; WorkFormTree.cpp the variable tree; WorkFormCommands.cpp
// the actions and what they do; WorkFormEditors.cpp the cell editor and
// the matrix editor tabs.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Tarnscript.h"
#include "shell/ToolForm.h"
#include "treeview/DTEditLink.h"
#include "treeview/DataNode.h"
#include "treeview/DataTreeTypes.h"

class TAction;
class TActionList;
class TCanvas;
class TCoolBar;
class TDataStringTree;
class TMETab;
class TListBox;
class TOpenDialog;
class TPageControl;
class TPanel;
class TPopupMenu;
class TSaveDialog;
class TSplitter;
class TStatusBar;
class TTabSheet;
class TToolBar;
class TVar;
class TWorkInt;

// The user data of a row. Only a top-level row keeps its variable: an
// element or field row keeps its place in its parent's variable and finds
// its variable through it each time it is asked (TWorkForm::NodeVariable),
// so that a script that resizes an array while the window paints never
// leads a row to a variable that is gone. A zero-filled record is a valid
// empty one, so rows made by the tree itself need no construction. The
// tree puts user data right after its internal data, 4-byte aligned: the
// record is packed to match.
#pragma pack(push, 4)
struct TVarNodeData {
  TVar* Var;              // top-level rows; nil for elements and fields
  std::int32_t Position;  // elements and fields: 0-based place in the parent variable
  std::uint32_t SortKey;  // top-level rows while a sort runs: the place of the row's text among the keys
  char Name[16];          // shown before the variable's own name: "[i]" for an element, else empty
};
#pragma pack(pop)

// " Allocated : " and the bytes in B up to 1024, in KB up to 1048576, in MB
// beyond, with at most two decimals rounded half to even.
std::string HeapStatusText(std::uint64_t bytes);

class TWorkForm : public TToolForm {
public:
  static constexpr int MinWidth = 320;
  static constexpr int MinHeight = 200;

  TWorkForm(TComponent* owner, CountedPtr<ITarnscript> engine, TAction* toggle);
  ~TWorkForm() override;

  // What the engine told the subscriber (a TDataChange): 0 and 1 rebuild
  // the tree, 0, 4 and 5 the library list and the New Variable types.
  void EngineChanged(std::uint8_t what);
  // Status panel 1.
  void SetStatusText(const std::string& text);
  void UpdateHeapStatus();

  // The subscriber's enumerated items: a variable becomes a top-level row
  // (its elements and fields become rows when it is first expanded), a
  // library loaded from a file an entry of the library list.
  PDataNode AddVarNode(TVar* var);
  void AddLibraryEntry(TLib* lib);

  // The variable of the first selected row; with topOnly only a top-level row's.
  TVar* SelectedVariable(bool topOnly);
  // Nil for the root, for nil and for an element or field that no longer exists.
  TVar* NodeVariable(PDataNode node);
  TVarNodeData* NodeData(PDataNode node) const;
  // The text of a row's cell: 0 name, 1 value, 2 type.
  std::string CellText(PDataNode node, TColumnIndex column);
  // Scalars, enumerations and sets are edited in their cell.
  bool IsInPlaceEditable(PDataNode node);
  // Vectors and matrices that list no elements open in a tab ("ans" and "selection" never).
  bool IsMatrixEditable(PDataNode node);
  // The selected row's value in its cell, or its vector or matrix in a tab.
  void EditSelected();
  void OpenMatrixEditor(PDataNode node);
  // Reloads each tab from the row of its variable; a tab without one closes.
  void SyncEditorTabs();
  // A run has ended (the main window's notice): the tabs mirror a selection made during it.
  void RunEnded();
  // Nil without tabs.
  TMETab* ActiveEditorTab();
  void CopyEditorSelection();
  // The top-level rows ordered by the header's sort column and direction.
  void SortVariables();

  // Components.
  TPanel* pnlLeft;
  TPageControl* LeftPages;
  TTabSheet* TabSheet1;
  TTabSheet* TabSheet2;
  TCoolBar* VarCoolBar;
  TToolBar* VarTools;
  TDataStringTree* VarTree;
  TToolBar* LibTools;
  TListBox* LibList;
  TSplitter* Splitter;
  TPanel* pnlMain;
  TPageControl* MainPages;
  TStatusBar* StatusBar;
  TOpenDialog* OpenLib;
  TOpenDialog* OpenVar;
  TSaveDialog* SaveVar;
  TOpenDialog* OpenWork;
  TSaveDialog* SaveWork;
  TPopupMenu* VarMenu;
  TPopupMenu* LibMenu;
  TPopupMenu* MEMenu;
  TPopupMenu* PasteMenu;
  TActionList* Actions;
  TAction* actAddVar;
  TAction* actRenameVar;
  TAction* actEdit;
  TAction* actLoadVar;
  TAction* actSaveVar;
  TAction* actImport;
  TAction* actExport;
  TAction* actDelVar;
  TAction* actWorkLoad;
  TAction* actWorkSave;
  TAction* actRefresh;
  TAction* actLoadLib;
  TAction* actUnloadLib;
  TAction* actMESize;
  TAction* actMECut;
  TAction* actMECopy;
  TAction* actMEPaste;
  TAction* actMEPasteT;
  TAction* actMEClose;
  TAction* actHelp;

  CountedPtr<ITarnscript> Engine;
  CountedPtr<IXDataClient> DataClient;
  bool FirstActivation = true;
  CountedPtr<IDTEditLink> EditLink;
  bool StartingEdit = false;

protected:
  bool CanResize(int& newWidth, int& newHeight) override;
  void Dispatch(TMessage& message) override;

private:
  // Layout (WorkForm.cpp).
  void CreatePanels();
  void CreateVariablesPage();
  void CreateLibrariesPage();
  void CreateDialogs();
  void ReadOwnKeys(TStorage& storage);
  void WriteOwnKeys(TStorage& storage);
  void FormShow();
  void FormActivate();

  // Lists (WorkForm.cpp).
  void RebuildVariables();
  void RebuildLibraries();

  // The tree (WorkFormTree.cpp).
  void CreateVarTree();
  void InitRow(PDataNode parent, PDataNode node, TDataNodeInitStates& initialStates);
  std::uint32_t ChildRowCount(PDataNode node);
  int CompareRows(PDataNode node1, PDataNode node2, TColumnIndex column);
  void PaintRowText(TCanvas& canvas, PDataNode node, TColumnIndex column);
  void HeaderClick(TColumnIndex column);

  // Actions and commands (WorkFormCommands.cpp).
  void CreateActions();
  void CreateMenus();
  void CreateBars();
  void AddVariable();
  void RenameVariable();
  void DeleteVariable();
  void LoadVariable();
  void LoadVariableFromFile(const std::string& path);
  void SaveVariable();
  void ImportVariable();
  void ExportVariable();
  void LoadWorkspace();
  void SaveWorkspace();
  void LoadLibrary();
  void UnloadLibrary();
  bool LibrariesPageActive();
  // Asks the New Variable dialog for a name (and, outside nameOnly, a type).
  bool AskVariable(bool nameOnly);

  // Editors (WorkFormEditors.cpp).
  void CreateEditorActions();
  void ConnectTreeEditors();
  void WMEditNode(PDataNode node, std::uint64_t rebuild);
  void WMCloseEditor(TMETab* tab);
  CountedPtr<IDTEditLink> CreateCellEditor(PDataNode node);
  TMETab* EditorTabOf(const TVar* var);
  void CloseEditorTab(TMETab* tab);
  void CutEditorSelection();
  void ResizeEditorVariable();
  void PasteIntoEditor(bool transposed);
  bool ActiveEditorIdle();

  CountedPtr<TWorkInt> workInt_;
  // The tree shows what the engine had at its last rebuild: false while a
  // rebuild waits for the window to show.
  bool treeCurrent_ = false;
  // Counts the tree's rebuilds: a posted edit start names the one it was made in.
  std::uint64_t rebuilds_ = 0;
  // Each top-level row's text in the sort column while a sort runs.
  std::vector<std::string> sortKeys_;
  // The folders of the files chosen last: variable and workspace files, libraries.
  std::string fileFolder_;
  std::string libraryFolder_;
};

// Nil until the start-up makes the window.
extern TWorkForm* WorkForm;
