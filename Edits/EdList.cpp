#include "Edits/EdList.h"

#include <utility>

#include "Edits/EdBool.h"
#include "Edits/EdEnum.h"
#include "Edits/EdExpr.h"
#include "Edits/EdInfo.h"
#include "Edits/EdRes.h"
#include "Edits/EdTitle.h"
#include "Edits/EdValue.h"
#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/NodeWalk.h"
#include "engine/Proc.h"
#include "engine/RunFlags.h"
#include "engine/RunState.h"
#include "engine/Var.h"
#include "engine/VarText.h"
#include "runtime/Params.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/ScrollBox.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/SysMetrics.h"

namespace {

// Posted to the list after a call: what waited for it is done then, once
// the handlers that led to the call have returned.
constexpr UINT CatchUpMessage = WM_USER + 1;
// Below the last row, room for nothing.
constexpr int EmptyMargin = 4;
constexpr int ClearedMargin = 32;
// Between the groups of rows.
constexpr int GroupGap = 1;

// Only a routine whose every argument can be edited here can be called:
// none by reference, none of a generic kind (a variadic routine's first one is).
bool ShownWhole(const TFunc& routine) {
  const TFuncKind& signature = *routine.Signature();
  if (signature.Variadic()) return false;
  for (int i = 0; i < signature.ArgCount(); ++i)
    if (routine.IsRefArg(i) || dynamic_cast<TAnyKind*>(signature.Arg(i)->Kind())) return false;
  return true;
}

// An interfaced routine lists its parameters in declaration order; any
// other script routine has them in its local table.
std::vector<TParamVar*> ParametersOf(TFunc& routine) {
  if (auto* proc = dynamic_cast<TProc*>(&routine); proc && proc->Interfaced()) return routine.InterfaceParams();
  std::vector<TParamVar*> parameters;
  ForEachNode(routine.Locals(), [&](THashNode* node) {
    if (auto* parameter = dynamic_cast<TParamVar*>(node)) parameters.push_back(parameter);
  });
  return parameters;
}

// Expression rows take any value; the typed rows are used where the user
// may not type expressions, for parameters, and for the kinds a click chooses.
std::unique_ptr<TEdRow> MakeEditor(TVar& variable, const TEdHost& host) {
  const TKindCode code = variable.Kind()->Code();
  const bool typed = !Params.UseExpr || dynamic_cast<TParamVar*>(&variable) || code == kcBoolean || code == kcEnum;
  if (typed) {
    switch (code) {
      case kcInteger:
      case kcReal:
      case kcString: return std::make_unique<TEdValue>(nullptr);
      case kcBoolean: return std::make_unique<TEdBool>(nullptr);
      case kcEnum: return std::make_unique<TEdEnum>(nullptr);
      default: break;
    }
  }
  return std::make_unique<TEdExpr>(nullptr, host);
}

}  // namespace

TEdList::TEdList(TComponent* owner, TEdHost host) : TFrame(owner), host_(std::move(host)) {
  SetName("EdList");
  scrollBox_ = new TScrollBox(this);
  scrollBox_->SetParent(this);
  scrollBox_->SetAlign(alClient);
  scrollBox_->HorzScrollBar().SetVisible(false);
  scrollBox_->VertScrollBar().Smooth = true;
  scrollBox_->VertScrollBar().Tracking = true;
  pnlMain_ = new TPanel(this);
  pnlMain_->SetName("pnlMain");
  pnlMain_->SetParent(scrollBox_);
  pnlMain_->SetBevelOuter(bvNone);
  pnlMain_->SetCaption("No routine selected");
  scrollBox_->OnResize = [this](TObject*) { ScrollBoxResize(); };
  pnlMain_->OnResize = [this](TObject*) { MainPanelResize(); };
  ScrollBoxResize();
}

TEdList::~TEdList() {
  pnlMain_->OnResize = nullptr;
  scrollBox_->OnResize = nullptr;
  rows_.clear();
}

void TEdList::SetRoutine(THashNode* item) {
  if (busy_) {
    itemWaits_ = true;
    waitingItem_ = item;
    return;
  }
  itemWaits_ = false;
  waitingItem_ = nullptr;
  if (!item) {
    if (routine_)
      ShowRoutine(nullptr);
    else if (constant_)
      ShowConstant(nullptr);
  } else if (auto* routine = dynamic_cast<TFunc*>(item)) {
    if (routine == routine_) return;
    if (constant_) ShowConstant(nullptr);
    ShowRoutine(routine);
  } else if (auto* constant = dynamic_cast<TVar*>(item)) {
    if (constant == constant_) return;
    if (routine_) ShowRoutine(nullptr);
    ShowConstant(constant);
  }
}

void TEdList::ShowRoutine(TFunc* routine) {
  if (routine == routine_) return;
  routine_ = routine;
  ClearRows();
  if (!routine) {
    SetMainHeight(scrollBox_->ClientHeight() - ClearedMargin);
    return;
  }
  pnlMain_->SetCaption("");
  int y = 0;
  AddTitle(y, DisplayName(routine->Name()), 0);
  if (!routine->Description().empty()) AddInfo(y, routine->Description());
  shownWhole_ = ShownWhole(*routine);
  if (shownWhole_) {
    const int arguments = routine->ArgCount();
    if (arguments > 0) {
      y += GroupGap;
      AddTitle(y, "Arguments", 1);
      for (int i = 0; i < arguments; ++i) AddEditor(y, routine->Arg(i));
    }
    const std::vector<TParamVar*> parameters = ParametersOf(*routine);
    if (!parameters.empty()) {
      y += GroupGap;
      AddTitle(y, "Parameters", 1);
      for (TParamVar* parameter : parameters) AddEditor(y, parameter);
    }
    if (routine->ResultKind()) {
      y += GroupGap;
      AddTitle(y, "Result", 2);
      AddResultRow(y);
    }
  }
  PlaceRows(y);
  if (shownWhole_ && Auto) Evaluate();
}

// Constants are shown, never evaluated.
void TEdList::ShowConstant(TVar* constant) {
  if (constant == constant_) return;
  constant_ = constant;
  ClearRows();
  if (!constant) {
    SetMainHeight(scrollBox_->ClientHeight() - ClearedMargin);
    return;
  }
  pnlMain_->SetCaption("");
  int y = 0;
  AddTitle(y, DisplayName(constant->Name()), 0);
  if (auto* parameter = dynamic_cast<TParamVar*>(constant); parameter && !parameter->Label().empty())
    AddInfo(y, parameter->Label());
  AddTitle(y, "Result", 2);
  AddResultRow(y);
  PlaceRows(y);
  resultRow_->SetResultText(VarToText(constant, true, true));
}

void TEdList::ClearRows() {
  pnlMain_->SetCaption("No function selected");
  resultRow_ = nullptr;
  shownWhole_ = false;
  evaluationWaits_ = false;
  rows_.clear();
  settings_.clear();
}

void TEdList::AddRow(int& y, std::unique_ptr<TEdRow> row, TRowSetting setting) {
  row->SetTop(y);
  y += row->Height();
  rows_.push_back(std::move(row));
  settings_.push_back(std::move(setting));
}

// The rows are placed once the list's height, and with it the scroll bar
// and the rows' width, is known: each row's window is made once, at its
// size. What needs the row's window is done after.
void TEdList::PlaceRows(int height) {
  SetMainHeight(height);
  const int width = pnlMain_->ClientWidth();
  for (const auto& row : rows_) {
    row->SetBounds(0, row->Top(), width, row->Height());
    row->SetParent(pnlMain_);
  }
  for (std::size_t i = 0; i < rows_.size(); ++i)
    if (settings_[i]) settings_[i](*rows_[i]);
  settings_.clear();
}

void TEdList::AddTitle(int& y, const std::string& text, int kind) {
  auto title = std::make_unique<TEdTitle>(nullptr);
  title->SetTitle(text, kind);
  AddRow(y, std::move(title));
}

void TEdList::AddInfo(int& y, const std::string& text) {
  AddRow(y, std::make_unique<TEdInfo>(nullptr), [text](TEdRow& row) { static_cast<TEdInfo&>(row).SetInfo(text); });
}

void TEdList::AddEditor(int& y, TVar* variable) {
  AddRow(y, MakeEditor(*variable, host_), [this, variable](TEdRow& row) {
    row.SetVariable(variable);
    row.OnParamChange = [this](TEdRow*) { ParamChanged(); };
  });
}

void TEdList::AddResultRow(int& y) {
  auto result = std::make_unique<TEdRes>(nullptr);
  resultRow_ = result.get();
  AddRow(y, std::move(result));
}

bool TEdList::CanEvaluate() {
  if (!routine_ || !shownWhole_ || rows_.size() < 2 || host_.Engine->IsRunning()) return false;
  for (const auto& row : rows_)
    if (!row->Validate()) return false;
  return true;
}

bool TEdList::Evaluate() {
  if (busy_ || !CanEvaluate()) return false;
  bool called = false;
  {
    struct TCallScope {
      TEdList& List;
      explicit TCallScope(TEdList& list) : List(list) {
        List.busy_ = true;
        for (const auto& row : List.rows_) row->PrepareCommit();
      }
      ~TCallScope() {
        for (const auto& row : List.rows_) row->DropPrepared();
        List.busy_ = false;
        List.CatchUpLater();
      }
    } scope(*this);
    if (ClearConsole && host_.ClearConsole) host_.ClearConsole();
    // An aborted routine's result is unfinished: the previous one stays.
    RunAsEvent([&] { called = Call() && !AbortFlag; });
    if (called) ShowResult();
  }
  return called;
}

// The routine's locals are reset when the call begins; the rows' values
// are written after that, so that they are what the routine sees.
bool TEdList::Call() {
  TFuncCall call(*routine_);
  if (!call.Begin(NoPosition, {})) return false;
  for (const auto& row : rows_) row->Commit();
  return call.Finish({}, NoPosition, nullptr);
}

void TEdList::ShowResult() {
  if (resultRow_) resultRow_->SetResultText(VarToText(routine_->ResultVariable(), true, true));
}

void TEdList::ParamChanged() {
  if (!Auto) return;
  if (busy_ || catchingUp_ || host_.Engine->IsRunning()) {
    evaluationWaits_ = true;
    return;
  }
  Evaluate();
}

void TEdList::CatchUp() {
  if (busy_ || catchingUp_ || host_.Engine->IsRunning()) return;
  if (itemWaits_) SetRoutine(waitingItem_);
  {
    struct TCatchingUp {
      bool& Flag;
      explicit TCatchingUp(bool& flag) : Flag(flag) { Flag = true; }
      ~TCatchingUp() { Flag = false; }
    } catching(catchingUp_);
    for (const auto& row : rows_) row->CatchUp();
  }
  if (std::exchange(evaluationWaits_, false) && Auto) Evaluate();
}

void TEdList::CatchUpLater() { PostMessage(Handle(), CatchUpMessage, 0, 0); }

void TEdList::Dispatch(TMessage& message) {
  if (message.Msg == CatchUpMessage) {
    CatchUp();
    return;
  }
  TFrame::Dispatch(message);
}

void TEdList::ScrollBoxResize() {
  const TRect client = scrollBox_->ClientRect();
  pnlMain_->SetWidth(client.Width() - EmptyMargin);
  if (rows_.empty()) SetMainHeight(client.Height() - EmptyMargin);
}

// The scroll box measures its range when it aligns, which a child placed
// freely does not cause. The width the panel will have beside the
// vertical bar is given with the height: its window's surface, as tall as
// all the rows, is made once.
void TEdList::SetMainHeight(int height) {
  const TRect client = scrollBox_->ClientRect();
  const bool barShown = scrollBox_->VertScrollBar().IsScrollBarVisible();
  const int bar = GetSystemMetrics(SM_CXVSCROLL);
  int width = client.Width();
  if (height > client.Height() && !barShown) width -= bar;
  if (height <= client.Height() && barShown) width += bar;
  pnlMain_->SetBounds(pnlMain_->Left(), pnlMain_->Top(), width - EmptyMargin, height);
  scrollBox_->Realign();
}

void TEdList::MainPanelResize() {
  const int width = pnlMain_->ClientWidth();
  for (const auto& row : rows_) row->SetWidth(width);
}
