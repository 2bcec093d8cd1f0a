#pragma once
// The program editor window " Tarnscript Editor": programs and libraries in
// tabs, a tree of the user's program folders, and a console of its own into
// which a run's output goes. F9 hands the active tab's text to the engine:
// a library text becomes a loaded library, any other text runs as a
// program; Ctrl+F9 aborts it. The window's reopen flag (the base's) is the
// one the main window's F4 and first activation use.
//
// Nothing typed is lost by an answer: a tab closes, and the program ends,
// only once its text was written or the user said No; a failed write or a
// cancelled Save As keeps the tab open and modified. When the program ends
// without anyone to ask (a signal, a lost display), the modified texts go
// to recovery copies beside the settings, and the next start names them.
//
// The sources: EditorForm.cpp (making the window, settings, actions),
// EditorFormFiles.cpp (tabs, opening, saving), EditorFormFolders.cpp (the
// folder tree) and EditorFormRun.cpp (runs, the status bar).

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "console/TarnEditor.h"
#include "engine/Tarnscript.h"
#include "shell/ToolForm.h"

class TAction;
class TActionList;
class TConsole;
class TCoolBar;
class TImageList;
class TMainMenu;
class TMenuItem;
class TOpenDialog;
class TPageControl;
class TPanel;
class TPopupMenu;
class TSaveDialog;
class TSplitter;
class TSrcEdit;
class TSrcTab;
class TStatusBar;
class TSyntax;
class TTabSheet;
class TToolBar;
class TToolButton;
class TTreeNode;
class TTreeView;

class TEditorForm : public TToolForm {
public:
  // Needs the main window: its engine, its console's look and its toggle action.
  explicit TEditorForm(TComponent* owner);
  // Writes the recovery copies of texts nobody was asked about, then the settings.
  ~TEditorForm() override;

  // ---- tabs and files (EditorFormFiles.cpp) ----
  // A new tab with the file's text; an empty name: a new untitled text. A
  // file that cannot be read opens no tab: a box names it and the reason.
  bool OpenFile(const std::string& fileName);
  // A new modified tab with the next untitled name holding the text; shows the window.
  void OpenProgramText(const std::string& text);
  TSrcEdit* ActiveEdit() const;
  bool HasActiveTab() const;
  // Writes the active tab's text; true when it was written.
  bool SaveToFile(const std::string& fileName);
  // Nil: the active tab. True when the tab may close with nothing lost
  // (unmodified, written, or closing without saving as the settings say);
  // false when the user said No or the text could not be written.
  bool ConfirmSave(TSrcTab* tab);
  // Asks about every modified tab in tab order, for the end of the
  // program; false (the program goes on) once a text the user wanted
  // saved could not be written.
  bool ConfirmSaveAll();
  // The end of the program without anyone to ask: no question is asked,
  // and what would have been asked about goes to the recovery copies.
  void EndWithoutAsking() { endWithoutAsking_ = true; }

  // ---- runs and the status bar (EditorFormRun.cpp) ----
  void UpdateStatus();
  void ReportMemory();
  // Seconds of a monotonic clock.
  double ReadTimer();

  // Takes the edits of the editor settings dialog, as its OK does: the
  // token colours, the settings and every tab's colours.
  void TakeSettings();

  // ---- the folder tree (EditorFormFolders.cpp) ----
  // An existing folder, once however its path is written.
  void AddFolder(const std::string& path);
  void AddFolderFiles(const std::string& folder, const std::string& mask, TTreeNode* node);
  void AddFileNode(const std::string& path, TTreeNode* node);

  // Components.
  TCoolBar* CoolBar;
  TToolBar* ToolBar;
  TToolButton* NewButton;
  TToolButton* ExecuteButton;
  TStatusBar* StatusBar;
  TPanel* FolderPanel;
  TPageControl* FolderPages;
  TTabSheet* FoldersPage;
  TToolBar* FolderBar;
  TTreeView* FileTree;
  TSplitter* FolderSplitter;
  TPanel* MainPanel;
  TPageControl* PageControl;
  TSplitter* ConsoleSplitter;
  TPanel* ConsolePanel;
  TMainMenu* MainMenu;
  TPopupMenu* TabPopup;
  TPopupMenu* ConsolePopup;
  TPopupMenu* NewMenu;
  TActionList* ActionList;
  TAction* actNew;
  TAction* actNewLib;
  TAction* actOpen;
  TAction* actSave;
  TAction* actSaveAs;
  TAction* actClose;
  TAction* actExit;
  TAction* actEditUndo;
  TAction* actEditCut;
  TAction* actEditCopy;
  TAction* actEditPaste;
  TAction* actCopyConsole;
  TAction* actClearConsole;
  TAction* actSettings;
  TAction* actRun;
  TAction* actAbort;
  TAction* actHelp;
  TAction* actAddFolder;
  TAction* actDelFolder;
  TAction* actRefresh;
  TAction* actFolderOpen;
  TOpenDialog* OpenDialog;
  TSaveDialog* SaveDialog;

  // Fields.
  CountedPtr<ITarnscript> Engine;
  TConsole* Console;
  std::unique_ptr<TSyntax> Syntax;
  TEditorSetts Setts;
  // The heap's size at the last memory report; -1 before the first.
  std::int64_t LastAllocated = -1;
  // The folders of the tree's roots, as the user gave them; a removed one
  // leaves an empty entry, so that the roots' indexes stay valid.
  std::vector<std::string> Folders;
  // The names of new texts count up for the whole run.
  int UntitledCount = 0;
  int NewLibCount = 0;

private:
  // What closing a modified tab came to.
  enum class TSaveAnswer {
    Clean,      // nothing to save, or written
    Discarded,  // closing without saving, as the settings or the user said
    Kept,       // the user wanted it saved and it was not: keep the tab
  };

  // Making the window (EditorForm.cpp).
  void CreateActions();
  void CreateMenus();
  void CreateToolBars();
  void CreatePanels();
  void CreateFolderTree();
  void CreateConsole();
  void CreateDialogs();
  void ReadSettings();
  void ReadPaneSizes();
  void ReadFolders();
  void WriteSettings();
  void TellRecoveredTexts(const std::string& folder);
  void FormCanResize(int& newWidth, int& newHeight);
  void EditorKeyDown(TObject* sender, WORD& key, TShiftState shift);
  // The New button makes what was chosen last in its menu.
  void ChooseNewKind(TAction* action);
  // The editor settings dialog; its edits are taken only after OK.
  void ShowSettings();

  // Tabs and files (EditorFormFiles.cpp).
  TSrcTab* AddTab(const std::string& caption);
  void AddTextTab(const std::string& name, const std::string& text);
  TSrcTab* ActiveTab() const;
  TSrcTab* TabOf(const TSrcEdit* edit) const;
  TSrcTab* TabOfFile(const std::string& fileName) const;
  void NewText(int& counter, const std::string& prefix, const std::string& keyword);
  void Open();
  void ShowFileError(const std::string& what, const std::string& fileName, int error);
  bool SaveTab(TSrcTab& tab);
  bool SaveTabAs(TSrcTab& tab);
  bool WriteTab(TSrcTab& tab, const std::string& fileName);
  TSaveAnswer AskToSave(TSrcTab& tab);
  void CloseActiveTab();
  void FreeTab(TSrcTab* tab);
  std::string InitialSaveFolder();
  void WriteRecoveryCopies();
  // The rows, each ended by LF.
  static std::string EditorText(TTarnEditor& editor);

  // Runs (EditorFormRun.cpp).
  void Run();
  void Abort();
  // False when the run reported no error of its own text.
  bool MoveCaretToError(TSrcEdit& edit, const std::string& text);

  // The folder tree (EditorFormFolders.cpp).
  // A folder node's picture follows its state.
  void ShowFolderState(TTreeNode& node, bool expanded);
  TTreeNode* SelectedFolderNode();
  std::string FolderOf(TTreeNode* folderNode) const;
  int FolderIndex(const std::string& path) const;
  void RemoveFolder();
  void RefreshFolders();
  void OpenSelectedFile();
  void BrowseAndAddFolder();

  std::unique_ptr<TImageList> treeImages_;
  // The edit whose text runs now, nil once its tab is closed.
  TSrcEdit* runningEdit_ = nullptr;
  // Tabs the user, at the end of the program, chose to close unsaved.
  std::set<const TSrcEdit*> discarded_;
  bool askedAtEnd_ = false;
  bool endWithoutAsking_ = false;
  // Where this run's recovery copies went; empty while none was written.
  std::string recoveryFolder_;
};

// Nil until the main block makes the window.
extern TEditorForm* EditorForm;
