#pragma once
// The main window: the console window of the program and the owner of the
// engine. The full view shows the tool bar, the console and the command
// line below it; the compact view only the command line with a menu
// button and, below it, a result line that answers while the user types.
// Each view keeps its own place and size. The window executes every typed
// line, opens and closes the tool windows, and at the end of its first
// activation runs the file named on the command line or reopens the tool
// windows that were open at the last exit.

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "engine/Tarnscript.h"
#include "toolkit/controls/Form.h"

class TAction;
class TActionList;
class TConsole;
class TCoolBar;
class TEditorForm;
class TLibMan;
class TMenuItem;
class TPopupMenu;
class TSkinPanel;
class TSkinToolBar;
class TSyntax;
class TTimer;
class TToolForm;
class TXButton;
class TXEdit;

class TMainForm : public TForm {
public:
  explicit TMainForm(TComponent* owner);
  // Plays "Application finish", writes the settings, frees the controls and
  // lets go of the engine.
  ~TMainForm() override;

  void ExecuteLine(TObject* sender, const std::string& line);
  void SetCompact(bool compact);
  std::uint8_t ClassifyIdentifier(const std::string& name);
  // The engine's sink of the current view: the console, or the result line.
  CountedPtr<IXConsBase> GetConsoleIntf();
  // The command line and the result line take the console's input and result looks.
  void ApplyEditColors();
  void SaveSettings();
  // Everything the window writes as it is freed (its settings, the command
  // line's history, the library list), written now.
  void SaveEverySetting();
  // The "Libraries" help items, one for each library of LibMan with help.
  void BuildLibHelpMenu();
  // A task of the welcome screen; false when the code names none.
  bool RunWelcomeTask(int code);
  // The application's message hook: a file handed over by a later start
  // (WM_INSTCTRL) runs here, unless a program runs already.
  void AppMessage(MSG& Msg, bool& Handled);
  // Takes the edits of the settings window, as its OK does: the libraries,
  // the sounds, the options, and the console's look for both consoles and
  // the lines.
  void TakeSettings();
  // Closes where nobody can answer a question (a signal, a lost display):
  // nothing waits on one, and what would be asked about is kept instead.
  void CloseUnattended();

  // Components.
  TSkinPanel* EditPanel;
  TSkinPanel* ScrPanel;
  TCoolBar* CoolBar;
  TSkinToolBar* ToolBar;
  TPopupMenu* MainMenu;
  // The console's context menu (hides TControl::PopupMenu, which the window itself never has).
  TPopupMenu* PopupMenu;
  TActionList* ActionManager;
  TAction* actMainMenu;
  TAction* actSwitch;
  TAction* actSettings;
  TAction* actEditor;
  TAction* actGraphs;
  TAction* actClear;
  TAction* actAbout;
  TAction* actHelp;
  TAction* actCopyClip;
  TAction* actTips;
  TAction* actGraphs3D;
  TAction* actPlotter;
  TAction* actTutorials;
  TAction* actEvaler;
  TAction* actAbort;
  TAction* actWorksp;
  TAction* actWelcome;
  TMenuItem* mnuOutputFormat;
  TMenuItem* mnuLibraries;

  // Fields.
  bool Compact = false;
  TXEdit* CommandLine;
  TXEdit* ResultLine;
  TXButton* MenuButton;
  TConsole* Console;
  CountedPtr<ITarnscript> Engine;
  std::unique_ptr<TSyntax> Syntax;
  std::unique_ptr<TLibMan> LibMan;
  bool FirstActivation = true;
  // The welcome screen and the tips of a start without a file are still to
  // come: they show right after the first activation.
  bool StartPending = false;
  bool FileGiven = false;

protected:
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& message) override;

private:
  // Creation (MainFormMenus.cpp makes the actions, the menus and the tool bar).
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreatePanels();
  void CreateLines();
  void CreateConsole();
  void ReadSettings();
  void AddMenuItem(TMenuItem& parent, TAction* action);
  TMenuItem* AddMenuItem(TMenuItem& parent, const std::string& caption);

  // Views and layout.
  void ApplyView(bool compact, bool storeLeftGeometry);
  void StoreGeometry();
  void EditPanelResize();
  void ScrPanelResize();
  void FormCanResize(int& newWidth, int& newHeight);
  TSize SmallestSize(bool compact) const;
  void ScrMouseDown();
  int TwoLineHeight() const;

  // Lines. Automatic: evaluated for a change of the line, not for Enter.
  void ExecuteTypedLine(const std::string& line, bool automatic);
  void Evaluate(const std::string& line);
  void FormatClick(TObject* sender);
  void LibHelpClick(TObject* sender);
  void RunFile(const std::string& fileName);

  // First activation, closing.
  void FormActivate();
  void StartWithoutFile();
  // The welcome screen, then its task: whether a task ran.
  bool ShowWelcome();
  void ReopenToolWindows();
  void FormCloseQuery(bool& canClose);
  void CloseAfterRun();

  // Tool windows.
  void ShowToolWindow(TToolForm* window);
  void FullViewFirst();
  // The settings window; its edits are taken only after OK.
  void ShowSettings();
  void ShowToolboxes(std::initializer_list<const char*> libraries);
  void RunEditorCommand(TAction* TEditorForm::*command);

  struct TViewBounds {
    int Left, Top, Width, Height;
  };
  TViewBounds full_{};
  TViewBounds compact_{};
  TTimer* closeRetry_;
  // A handed-over file running, and the hand-overs that arrived meanwhile.
  bool unattendedClose_ = false;
  bool runningHandOver_ = false;
  std::vector<MSG> waitingHandOvers_;
  // Library files of the "Libraries" help items, by tag.
  std::vector<std::string> helpLibraries_;
};

// Nil until the main block makes the main window.
extern TMainForm* MainForm;
// The program's command-line arguments (without the program), set before
// the main window is made: the first one is the file to run.
extern std::vector<std::string> ProgramArguments;
