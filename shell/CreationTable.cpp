#include "shell/CreationTable.h"

#include "libraries/Prompt.h"
#include "shell/AddVarDlg.h"
#include "shell/ImExDlg.h"
#include "shell/MatSizeDlg.h"
#include "shell/DesktopPrompt.h"
#include "shell/EditorForm.h"
#include "shell/EvaluatorForm.h"
#include "shell/InputForm.h"
#include "shell/MainForm.h"
#include "shell/WorkForm.h"
#include "toolkit/controls/Application.h"

namespace {

const TStartWindow MainWindow{[] { Application().CreateForm<TMainForm>(); }, [] { delete MainForm; },
                               [] {
                                 if (MainForm) MainForm->SaveEverySetting();
                               }};

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
                               },
                               {}};

const TStartWindow Evaluator{[] {
                               EvaluatorForm = new TEvaluatorForm(&Application(), EvaluatorHost(*MainForm),
                                                                  MainForm->actEvaler);
                             },
                             [] { delete EvaluatorForm; }};

const TStartWindow Editor{[] { new TEditorForm(&Application()); }, [] { delete EditorForm; }};

// The workspace window, then its New Variable, size and import/export dialogs.
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
const TStartWindow SizeDialog{[] { MatSizeDlg = new TMatSizeDlg(&Application()); },
                              [] {
                                delete MatSizeDlg;
                                MatSizeDlg = nullptr;
                              }};
const TStartWindow ImportExportDialog{[] { ImExDlg = new TImExDlg(&Application(), MainForm->Engine); },
                                      [] {
                                        delete ImExDlg;
                                        ImExDlg = nullptr;
                                      }};

}  // namespace

const std::vector<TCreationStep>& CreationTable() {
  static const std::vector<TCreationStep> table{
      {"", {MainWindow}, 50},
      {"Creating evaluation interfaces", {InputDialog, Evaluator}, 53},
      {"Creating editor", {Editor}, 65},
      {"Creating Workspace", {Workspace, NewVariableDialog, SizeDialog, ImportExportDialog}, 80},
      {"Initialization complete", {}, 100},
  };
  return table;
}
