#include "shell/CreationTable.h"

#include "libraries/Prompt.h"
#include "shell/DesktopPrompt.h"
#include "shell/InputForm.h"
#include "shell/MainForm.h"
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

}  // namespace

const std::vector<TCreationStep>& CreationTable() {
  static const std::vector<TCreationStep> table{
      {"", {MainWindow}, 50},
      {"Creating evaluation interfaces", {InputDialog}, 53},
      {"Initialization complete", {}, 100},
  };
  return table;
}
