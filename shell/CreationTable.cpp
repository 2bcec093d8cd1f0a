#include "shell/CreationTable.h"

#include "libraries/Prompt.h"
#include "shell/DesktopPrompt.h"
#include "shell/EdSettsForm.h"
#include "shell/EditorForm.h"
#include "shell/InputForm.h"
#include "shell/MainForm.h"
#include "shell/SettingsForm.h"
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

const TStartWindow Settings{[] { new TSettingsForm(&Application()); }, [] { delete SettingsForm; }};

const TStartWindow Editor{[] { new TEditorForm(&Application()); }, [] { delete EditorForm; }};

const TStartWindow EditorSettings{[] { new TEdSettsForm(&Application()); }, [] { delete EdSettsForm; }};

}  // namespace

const std::vector<TCreationStep>& CreationTable() {
  static const std::vector<TCreationStep> table{
      {"", {MainWindow}, 50},
      {"Creating evaluation interfaces", {InputDialog}, 53},
      {"Creating settings", {Settings}, 60},
      {"Creating editor", {Editor}, 65},
      {"Creating editor settings", {EditorSettings}, 70},
      {"Initialization complete", {}, 100},
  };
  return table;
}
