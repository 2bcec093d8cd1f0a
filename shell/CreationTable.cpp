#include "shell/CreationTable.h"

#include "libraries/Prompt.h"
#include "shell/AddVarDlg.h"
#include "shell/ImExDlg.h"
#include "shell/MatSizeDlg.h"
#include "shell/DesktopPrompt.h"
#include "shell/EdSettsForm.h"
#include "shell/EditorForm.h"
#include "shell/EvaluatorForm.h"
#include "shell/GSettsForm.h"
#include "shell/Graph3DForm.h"
#include "shell/GraphForm.h"
#include "shell/InputForm.h"
#include "shell/MainForm.h"
#include "shell/PlotterForm.h"
#include "shell/SettingsForm.h"
#include "shell/TipsForm.h"
#include "shell/WelcomeForm.h"
#include "shell/WorkForm.h"
#include "toolkit/controls/Application.h"

namespace {

const TStartWindow MainWindow{[] { Application().CreateForm<TMainForm>(); }, [] { delete MainForm; },
                               [] {
                                 if (MainForm) MainForm->SaveEverySetting();
                               }};

// InputString, InputInteger, InputReal and ShowMessage reach real dialogs
// while it exists.
const TStartWindow Welcome{[] { WelcomeForm = new TWelcomeForm(&Application()); },
                            [] {
                              delete WelcomeForm;
                              WelcomeForm = nullptr;
                            },
                            [] {
                              if (WelcomeForm) WelcomeForm->SaveSettings();
                            }};

const TStartWindow Tips{[] { frmTips = new TfrmTips(&Application()); },
                        [] {
                          delete frmTips;
                          frmTips = nullptr;
                        },
                        [] {
                          if (frmTips) frmTips->SaveSettings();
                        }};

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

const TStartWindow Settings{[] { new TSettingsForm(&Application()); }, [] { delete SettingsForm; }};

const TStartWindow Editor{[] { new TEditorForm(&Application()); }, [] { delete EditorForm; }};

const TStartWindow EditorSettings{[] { new TEdSettsForm(&Application()); }, [] { delete EdSettsForm; }};
const TStartWindow Plotter{[] { new TPlotterForm(&Application()); }, [] { delete PlotterForm; }};

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

const TStartWindow Graph3D{[] { Graph3DForm = new TGraph3DForm(&Application(), MainForm->actGraphs3D); },
                           [] { delete Graph3DForm; },
                           {}};
const TStartWindow Graph2D{[] { GraphForm = new TGraphForm(&Application(), MainForm->actGraphs); },
                           [] { delete GraphForm; },
                           {}};
const TStartWindow GraphSettings{[] { new TGSettsForm(&Application()); }, [] { delete GSettsForm; }, {}};

}  // namespace

const std::vector<TCreationStep>& CreationTable() {
  static const std::vector<TCreationStep> table{
      {"", {MainWindow, Welcome}, 50},
      {"Creating evaluation interfaces", {InputDialog, Evaluator}, 53},
      {"Creating tips", {Tips}, 55},
      {"Creating settings", {Settings}, 60},
      {"Creating editor", {Editor}, 65},
      {"Creating editor settings", {EditorSettings}, 70},
      {"Creating plotter", {Plotter}, 75},
      {"Creating Workspace", {Workspace, NewVariableDialog, SizeDialog, ImportExportDialog}, 80},
      {"Creating 3D graphs", {Graph3D}, 85},
      {"Creating 2D graphs", {Graph2D}, 90},
      {"Creating graphs settings", {GraphSettings}},
      {"Initialization complete", {}, 100},
  };
  return table;
}
