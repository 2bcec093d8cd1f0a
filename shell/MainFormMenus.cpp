// The main window's actions, its two menus and its tool bar.

#include <filesystem>
#include <functional>

#include "console/Console.h"
#include "runtime/Help.h"
#include "shell/ActionBars.h"
#include "shell/EditorForm.h"
#include "shell/Images.h"
#include "shell/LibMan.h"
#include "shell/MainForm.h"
#include "shell/SettingsForm.h"
#include "shell/Splash.h"
#include "shell/ToolForm.h"
#include "shell/TipsForm.h"
#include "shell/ToolWindows.h"
#include "shell/WelcomeForm.h"
#include "skin/SkinToolBar.h"
#include "toolkit/controls/ActionList.h"
#include "toolkit/controls/CoolBar.h"
#include "toolkit/win/Keys.h"

namespace {

// Order of the list: the order of the actions.
const TActionSpec<TMainForm> ActionSpecs[] = {
    {&TMainForm::actMainMenu, "Main Menu", " Main menu ", "", 0},
    {&TMainForm::actSwitch, "&Compact View", " Switch to compact view ", "F2", -1},
    {&TMainForm::actSettings, "&Settings ...", " Settings ", "F5", 5},
    {&TMainForm::actEditor, "&Editor", " Tarnscript editor ", "F4", 9},
    {&TMainForm::actGraphs, "2D &Graph", " 2D graphs window ", "F3", 8},
    {&TMainForm::actClear, "&Clear", " Clear console window ", "", 6},
    {&TMainForm::actAbout, "&About ...", "", "", -1},
    {&TMainForm::actHelp, "Quantrel Help", " Quantrel Help ", "F1", 10},
    {&TMainForm::actCopyClip, "&Copy", " Copy selection to the clipboard ", "Ctrl+C", 11},
    {&TMainForm::actTips, "Tip of the &Day ...", "", "", -1},
    {&TMainForm::actGraphs3D, "3&D Graph", " 3D graphs window ", "F6", 12},
    {&TMainForm::actPlotter, "&Plotter", " Plotter ", "F7", 13},
    {&TMainForm::actTutorials, "&Tutorials", " Quantrel programming tutorials ", "", -1},
    {&TMainForm::actEvaler, "E&valuator", " Evaluator", "F8", 14},
    {&TMainForm::actAbort, "&Abort", " Abort execution ", "Ctrl+F9", -1},
    {&TMainForm::actWorksp, "&Workspace", " Workspace ", "F10", 15},
    {&TMainForm::actWelcome, "Welcome ...", "", "", -1},
};

}  // namespace

void TMainForm::CreateActions() {
  ActionManager = new TActionList(this);
  ActionManager->Images = Images ? &Images->Norm : nullptr;
  MakeActions(*this, ActionManager, ActionSpecs);
  actSwitch->OnExecute = [this](TObject*) { SetCompact(!Compact); };
  actClear->OnExecute = [this](TObject*) { Console->Clear(); };
  EnableWhen(actClear, [this] { return Console->LineCount() > 0; });
  actCopyClip->OnExecute = [this](TObject*) { Console->Copier.CopyConsole(); };
  EnableWhen(actCopyClip, [this] { return Console->SelectedCount() > 0; });
  actHelp->OnExecute = [](TObject*) { ShowHelp(""); };
  EnableWhen(actHelp, [this] { return Active(); });
  actTutorials->OnExecute = [](TObject*) { ShowHelp("a1_04_00.htm"); };
  actAbort->OnExecute = [this](TObject*) { Engine->Abort(); };
  const std::pair<TAction*, TToolWindowId> toggles[] = {{actEditor, twEditor},    {actGraphs, twGraph},
                                                        {actGraphs3D, twGraph3D}, {actPlotter, twPlotter},
                                                        {actEvaler, twEvaluator}, {actWorksp, twWork}};
  for (const auto& [action, id] : toggles) {
    action->OnExecute = [id](TObject*) { ToolWindow(id)->Toggle(); };
    EnableWhen(action, [id] { return ToolWindow(id) != nullptr; });
  }
  actAbout->OnExecute = [](TObject*) {
    frmSplash->SetAboutView(false);
    frmSplash->ShowModal();
  };
  EnableWhen(actAbout, [] { return frmSplash != nullptr; });
  actSettings->OnExecute = [this](TObject*) { ShowSettings(); };
  EnableWhen(actSettings, [] { return SettingsForm != nullptr; });
  actSettings->SetEnabled(SettingsForm != nullptr);
  actWelcome->OnExecute = [this](TObject*) { ShowWelcome(); };
  EnableWhen(actWelcome, [] { return WelcomeForm != nullptr; });
  actTips->OnExecute = [](TObject*) { frmTips->ShowModal(); };
  EnableWhen(actTips, [] { return frmTips != nullptr; });
}

void TMainForm::AddMenuItem(TMenuItem& parent, TAction* action) {
  auto* item = new TMenuItem(this);
  item->SetAction(action);
  parent.Add(item);
}

TMenuItem* TMainForm::AddMenuItem(TMenuItem& parent, const std::string& caption) {
  auto* item = new TMenuItem(this);
  item->SetCaption(caption);
  parent.Add(item);
  return item;
}

void TMainForm::CreateMenus() {
  MainMenu = new TPopupMenu(this);
  MainMenu->SetImages(ActionManager->Images);
  MainMenu->MenuAnimation = maBottomToTop;
  TMenuItem& main = MainMenu->Items();
  AddMenuItem(main, actSwitch);
  mnuOutputFormat = AddMenuItem(main, "Output format");
  int tag = 1;
  for (const char* caption : {"Decimal", "Hexadecimal", "Binary"}) {
    TMenuItem* item = AddMenuItem(*mnuOutputFormat, caption);
    item->SetRadioItem(true);
    item->Tag = tag++;
    item->OnClick = [this](TObject* sender) { FormatClick(sender); };
  }
  mnuOutputFormat->Items(0)->SetChecked(true);
  AddMenuItem(main, "-");
  for (TAction* action : {actEditor, actPlotter, actEvaler, actWorksp}) AddMenuItem(main, action);
  AddMenuItem(main, "-");
  for (TAction* action : {actGraphs, actGraphs3D}) AddMenuItem(main, action);
  AddMenuItem(main, "-");
  AddMenuItem(main, actSettings);
  AddMenuItem(main, "-");
  TMenuItem& help = *AddMenuItem(main, "&Help");
  for (TAction* action : {actHelp, actTutorials, actTips, actWelcome}) AddMenuItem(help, action);
  AddMenuItem(help, "-");
  mnuLibraries = AddMenuItem(help, "Libraries");
  AddMenuItem(help, "Toolboxes")->OnClick = [](TObject*) { ShowHelp("a4_00_00.htm"); };
  AddMenuItem(help, "-");
  AddMenuItem(help, actAbout);

  PopupMenu = new TPopupMenu(this);
  PopupMenu->SetImages(ActionManager->Images);
  AddMenuItem(PopupMenu->Items(), actCopyClip);
  AddMenuItem(PopupMenu->Items(), actClear);
  AddMenuItem(PopupMenu->Items(), "-");
  AddMenuItem(PopupMenu->Items(), actSettings);
}

void TMainForm::CreateToolBar() {
  ToolBar = new TSkinToolBar(this);
  ToolBar->SetFlat(true);
  ToolBar->SetAutoSize(true);
  ToolBar->SetEdgeBorders(0);
  ToolBar->SetImages(ActionManager->Images);
  ToolBar->SetHotImages(Images ? &Images->Hot : nullptr);
  ToolBar->SetParent(CoolBar);
  // Nil: a separator.
  TAction* const items[] = {actMainMenu, nullptr, actEditor,   actPlotter, actEvaler, actWorksp,   nullptr, actGraphs,
                            actGraphs3D, nullptr, actCopyClip, actClear,   nullptr,   actSettings, actHelp, nullptr};
  for (TAction* action : items) {
    auto* button = new TToolButton(this);
    if (action)
      button->SetAction(action);
    else
      button->SetStyle(tbsSeparator);
    button->SetParent(ToolBar);
  }
  ToolBar->Buttons(0)->DropdownMenu = MainMenu;
}

// Each item keeps its library's file, not the entry: the settings window
// replaces the entries, and the menu is built again when it does.
void TMainForm::BuildLibHelpMenu() {
  mnuLibraries->Clear();
  helpLibraries_.clear();
  for (int i = 0; i < LibMan->Count(); ++i) {
    const TLibData& library = LibMan->GetItem(i);
    if (!library.HasHelp()) continue;
    const std::string caption =
        library.Name.empty() ? std::filesystem::path(library.FileName).stem().string() : library.Name;
    TMenuItem* item = AddMenuItem(*mnuLibraries, caption);
    item->Tag = static_cast<intptr_t>(helpLibraries_.size());
    item->OnClick = [this](TObject* sender) { LibHelpClick(sender); };
    helpLibraries_.push_back(library.FileName);
  }
  mnuLibraries->SetEnabled(!helpLibraries_.empty());
}

void TMainForm::LibHelpClick(TObject* sender) {
  const auto tag = static_cast<std::size_t>(static_cast<TMenuItem*>(sender)->Tag);
  if (tag >= helpLibraries_.size()) return;
  const int index = LibMan->IndexOf(helpLibraries_[tag]);
  if (index >= 0) LibMan->GetItem(index).ShowHelp();
}
