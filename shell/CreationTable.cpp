#include "shell/CreationTable.h"

#include "libraries/Prompt.h"
#include "shell/DesktopPrompt.h"
#include "shell/InputForm.h"
#include "shell/AddVarDlg.h"
#include "shell/MainForm.h"
#include "shell/WorkForm.h"
#include "toolkit/controls/Application.h"

namespace {

const TStartWindow MainWindow{[] { Application().CreateForm<TMainForm>(); }, [] { delete MainForm; }};

// InputString, InputInteger, InputReal and ShowMessage reach real dialogs
// while it exists.
const TStartWindow InputDialog{[] {
                                 InputForm = new TInputForm(&Application());
                                 SetPrompt(MakeCounted<TDesktopPrompt>(*InputForm));
                               },
                               [] {
                                 SetPrompt(nullptr);
                                 delete InputForm;
                                 InputForm = nullptr;
                               }};

// The workspace window, then its New Variable dialog.
const TStartWindow Workspace{[] { WorkForm = new TWorkForm(&Application(), MainForm->Engine, MainForm->actWorksp); },
                             [] {
                               delete WorkForm;
                               WorkForm = nullptr;
                             }};
const TStartWindow NewVariableDialog{[] { AddVarDlg = new TAddVarDlg(&Application(), MainForm->Engine); },
                                     [] {
                                       delete AddVarDlg;
                                       AddVarDlg = nullptr;
                                     }};

}  // namespace

const std::vector<TCreationStep>& CreationTable() {
  static const std::vector<TCreationStep> table{
      {"", {MainWindow}, 50},
      {"Creating evaluation interfaces", {InputDialog}, 53},
      {"Creating Workspace", {Workspace, NewVariableDialog}, 80},
      {"Initialization complete", {}, 100},
  };
  return table;
}
