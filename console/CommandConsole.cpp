#include "console/CommandConsole.h"

#include "console/Console.h"
#include "console/XEdit.h"
#include "engine/Variant.h"
#include "runtime/Params.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Panel.h"

namespace {

TPanel* MakePanel(TForm& form) {
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBevelOuter(bvNone);
  return panel;
}

void ApplyLook(TXEdit& edit, const TLineAttr& look) {
  edit.SetColor(look.Color);
  edit.SetPromptAttr(look.Prefix);
  edit.PlainColors = !look.Syntax;
  edit.SetTextAttr(look.Text);
  edit.SetPrompt(look.PrefixStr);
}

}  // namespace

TCommandConsole::TCommandConsole(TForm& form, CountedPtr<ITarnscript> engine, TSyntax& syntax, bool persistHistory)
    : form_(form), engine_(std::move(engine)) {
  EditPanel = MakePanel(form);
  ScrPanel = MakePanel(form);
  Console = new TConsole(&form);
  Console->SetParent(&form);
  Console->SetAlign(alClient);
  Console->Syntax = &syntax;
  CommandLine = new TXEdit(EditPanel, persistHistory);
  CommandLine->Syntax = &syntax;
  CommandLine->OnExecute = [this](TObject*, const std::string& line) { ExecuteLine(line); };
  ResultLine = new TXEdit(ScrPanel, false);
  ResultLine->Syntax = &syntax;
  ResultLine->NoEdit = true;
  ResultLine->ClipboardHelper = &Console->Copier;
  EditPanel->OnResize = [this](TObject*) { EditPanelResize(); };
  ScrPanel->OnResize = [this](TObject*) { ScrPanelResize(); };
  ApplyEditColors();
  compact_ = true;
  SetCompact(false);
}

void TCommandConsole::SetCompact(bool compact) {
  compact_ = compact;
  Console->SetVisible(!compact);
  ScrPanel->SetVisible(compact);
  CommandLine->EnterExec = true;
  CommandLine->ClearLine = !compact;
  CommandLine->AutoExec = compact;
  if (compact) {
    EditPanel->SetAlign(alTop);
    ScrPanel->SetAlign(alClient);
    engine_->SetConsole(ResultLine->ConsoleIntf);
    CommandLine->SetSelStart(static_cast<int>(CommandLine->Text().size()));
  } else {
    EditPanel->SetAlign(alBottom);
    engine_->SetConsole(Console->ConsoleIntf);
  }
  EditPanelResize();
  ScrPanelResize();
}

// The command line keeps the height its font gives it.
void TCommandConsole::EditPanelResize() {
  const int width = EditPanel->ClientWidth();
  const int height = CommandLine->Height();
  if (compact_) {
    EditPanel->SetHeight(height);
    CommandLine->SetBounds(0, 0, width, height);
  } else {
    EditPanel->SetHeight(height + 4);
    CommandLine->SetBounds(4, 0, width - 8, height);
  }
}

void TCommandConsole::ScrPanelResize() {
  if (compact_) ResultLine->SetBounds(0, 0, ScrPanel->ClientWidth(), ResultLine->Height());
}

void TCommandConsole::ApplyEditColors() {
  ApplyLook(*CommandLine, Console->LineAttrs.Inputs);
  ApplyLook(*ResultLine, Console->LineAttrs.Results);
}

// In the full view an assignment to a new name makes a Workspace variable;
// in the compact view, which evaluates every half-typed line, it does not.
void TCommandConsole::ExecuteLine(const std::string& line) {
  if (!compact_) Console->AddLine(line, lkInput, 0);
  engine_->SetOption(0, !compact_);
  TVariant value;
  engine_->Evaluate(line, !compact_ && Params.UseShow, true, -1, value);
  engine_->SetOption(0, false);
  if (CommandLine->CanFocus()) CommandLine->SetFocus();
  Console->RefreshView();
}
