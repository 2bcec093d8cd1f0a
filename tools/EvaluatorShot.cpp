// evaluator-shot: the main window and the evaluator in this process, on
// settings of their own, with a library of tools loaded. The evaluator
// shows the library opened and its routine Gain chosen, an argument typed
// through the desktop's key events and the parameter dragged by its
// handle, so that titles, rows, the handle and the result show. With
// --screenshot FILE it saves the evaluator as FILE; without, both windows
// stay open for a look.

#include <cstring>
#include <memory>
#include <string>

#include "Edits/EdExpr.h"
#include "Edits/EdList.h"
#include "Edits/EdValue.h"
#include "console/Sounds.h"
#include "console/XEdit.h"
#include "runtime/Storage.h"
#include "shell/EvaluatorForm.h"
#include "shell/Images.h"
#include "shell/MainForm.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/TreeView.h"
#include "toolkit/qt/QtPlatform.h"
#include "toolkit/qt/Screenshot.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "tools/DemoRun.h"

namespace {

constexpr const char* Tools = R"(library My_Tools;
function Gain(x : Real) : Real; interfaced = 'Amplifies a signal: the input times the gain';
const k : Real = ['Gain', 2, 0, 10];
begin Result := x * k end;
function Mix(a, b : Real; Loud : Boolean) : Real; interfaced = 'Mixes two signals';
const share : Real = ['Share of the first', 0.5, 0, 1];
begin Result := share * a + (1 - share) * b end;
procedure Reset; interfaced = 'Starts again';
begin end;
end.)";

TTreeNode* NodeNamed(TTreeNode* first, const std::string& text) {
  for (TTreeNode* node = first; node; node = node->getNextSibling())
    if (node->Text() == text) return node;
  return nullptr;
}

void ChooseGain(TEvaluatorForm& evaluator) {
  TTreeNode* tools = NodeNamed(evaluator.FuncTree->Items().GetFirstNode(), "My Tools");
  if (!tools) return;
  evaluator.SelectLibrary("My Tools");
  SettleFor(200);
  if (TTreeNode* gain = NodeNamed(tools->getFirstChild(), "Gain")) {
    const TRect row = gain->DisplayRect(true);
    SynthesizeClick(evaluator.FuncTree->Handle(), {row.Left + 4, (row.Top + row.Bottom) / 2});
  }
  SettleFor(300);
}

// x := 3, then the gain dragged from 2 to 2.5.
void EditGain(TEvaluatorForm& evaluator) {
  const auto& rows = evaluator.EdList->Rows();
  if (rows.size() < 6) return;
  if (auto* x = dynamic_cast<TEdExpr*>(rows[3].get())) {
    x->Edit().SetFocus();
    SynthesizeKeyStroke(x->Edit().Handle(), VK_BACK, "\b");
    SynthesizeTyping(x->Edit().Handle(), "3");
  }
  if (auto* gain = dynamic_cast<TEdValue*>(rows[5].get())) {
    TImage& handle = gain->Image();
    TPoint at{handle.Left() + 4, handle.Top() + 12};
    const HWND panel = gain->Panel().Handle();
    SynthesizeMouse(panel, at, TSyntheticMouse::Press, TInputButton::Left);
    at.X += 15;
    SynthesizeMouse(panel, at, TSyntheticMouse::Move, TInputButton::Left);
    SynthesizeMouse(panel, at, TSyntheticMouse::Release, TInputButton::Left);
    // Away, so that no hint covers the rows.
    SynthesizeMouse(evaluator.pnlSetts->Handle(), {4, 4}, TSyntheticMouse::Move, TInputButton::Left);
  }
  SettleFor(300);
}

const char* ScreenshotFile(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--screenshot") == 0) return argv[i + 1];
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const TFreshSettingsFolder settings;
  Storage = std::make_unique<TStorage>("evaluator-shot.ini", 0);
  StartQtPlatform(argc, argv);
  Application().SetTitle("Quantrel");
  auto images = std::make_unique<TImages>(nullptr);
  auto* form = Application().CreateForm<TMainForm>();
  form->Engine->CompileText(Tools);
  EvaluatorForm = new TEvaluatorForm(&Application(), EvaluatorHost(*form), form->actEvaler);
  form->Show();
  EvaluatorForm->Toggle();
  SettleFor(800);
  ChooseGain(*EvaluatorForm);
  EditGain(*EvaluatorForm);
  int result = 0;
  if (const char* fileName = ScreenshotFile(argc, argv)) {
    SettleFor(500);
    result = SaveScreenshot(EvaluatorForm->Handle(), fileName) ? 0 : 1;
  } else {
    Application().Run();
  }
  // While Qt still runs: a focused text widget torn down at exit crashes in Qt.
  delete EvaluatorForm;
  delete form;
  images.reset();
  AppSounds.reset();
  Storage.reset();
  return result;
}
