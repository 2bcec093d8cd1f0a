#include "engine/XBuilder.h"

#include <sstream>
#include <utility>

#include "engine/Expression.h"
#include "engine/data/IOSystem.h"
#include "engine/Kind.h"
#include "engine/NodeWalk.h"
#include "engine/RunState.h"
#include "engine/Var.h"
#include "engine/VarText.h"
#include "engine/Variant.h"
#include "runtime/Exceptions.h"
#include "runtime/Params.h"

ITarnscript* ScriptEngine = nullptr;

namespace {

constexpr const char* ReentryMessage = "Reentrace attempted";

// No sink for the length of one operation; the caller's comes back after.
class TMutedSink {
public:
  TMutedSink() : saved_(GetMessageSink()) { SetMessageSink(nullptr); }
  ~TMutedSink() { SetMessageSink(std::move(saved_)); }
  TMutedSink(const TMutedSink&) = delete;
  TMutedSink& operator=(const TMutedSink&) = delete;

private:
  CountedPtr<IXConsBase> saved_;
};

// Where the uses of the code being compiled go, for the length of one operation.
class TNoting {
public:
  TNoting(TLibUses*& target, TLibUses* uses) : target_(target), saved_(std::exchange(target, uses)) {}
  ~TNoting() { target_ = saved_; }
  TNoting(const TNoting&) = delete;
  TNoting& operator=(const TNoting&) = delete;

private:
  TLibUses*& target_;
  TLibUses* saved_;
};

TVariant VariantOf(const TValue& value) {
  TVariant variant;
  ValueToVariant(value, variant);
  return variant;
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsWellFormedIdentifier(const std::string& name) {
  if (name.empty() || !IsLetter(name[0])) return false;
  for (char c : name)
    if (!IsLetter(c) && !IsDigit(c)) return false;
  return true;
}

}  // namespace

// Making a stream costs more than reading a signature from it, so the
// engine keeps one for the bindings that follow each other.
TXBuilder::TInputBinding::TInputBinding(TXBuilder& engine, const std::string& text, std::int32_t seed)
    : engine_(engine) {
  if (engine_.spareStream_) {
    stream_ = std::move(engine_.spareStream_);
    stream_->clear();
    stream_->str(text);
  } else {
    stream_ = std::make_unique<std::istringstream>(text);
  }
  engine_.Lex.SetInput(stream_.get(), seed);
}

TXBuilder::TInputBinding::~TInputBinding() {
  engine_.Lex.SetInput(nullptr, -1);
  stream_->str(std::string());
  engine_.spareStream_ = std::move(stream_);
}

TXBuilder::TXBuilder(const TCatalogues& catalogues) {
  Stds = &typeRoutines_;
  ImpExp = &importExport_;
  ScriptEngine = this;
  SetRunningFlag(&running_);
  kindScopes_.Push(&kinds_);
  varScopes_.Push(&vars_);
  funcScopes_.Push(&funcs_);
  TLib* system = AddBuiltInLibrary("System");
  RegisterSystemCore(system);
  RunCatalogue(catalogues.System, system);
  AddBuiltInLibrary("_SysMath", catalogues.SysMath);
  AddBuiltInLibrary("InOut", catalogues.InOut);
  AddBuiltInLibrary("Math", catalogues.Math);
  RegisterSysPlots(AddBuiltInLibrary("SysPlots"), catalogues.SysPlots);
  libs_.FindOrAdd(WorkspaceLibName, true);
  CurLib = nullptr;
}

TXBuilder::~TXBuilder() {
  if (ScriptEngine == this) {
    ScriptEngine = nullptr;
    SetRunningFlag(nullptr);
  }
  if (Stds == &typeRoutines_) Stds = nullptr;
  if (ImpExp == &importExport_) ImpExp = nullptr;
}

TLib* TXBuilder::AddBuiltInLibrary(const char* name, TCatalogues::TFill fill) {
  CurLib = libs_.FindOrAdd(name, true);
  RunCatalogue(fill, CurLib);
  return CurLib;
}

void TXBuilder::RunCatalogue(TCatalogues::TFill fill, TLib* lib) {
  if (!fill) return;
  TCatalogue catalogue(*this, lib);
  fill(catalogue);
}

TLib* TXBuilder::Workspace() const {
  TLib* workspace = libs_.Find(WorkspaceLibName);
  QASSERT(workspace, "Assertion failure");
  return workspace;
}

bool TXBuilder::RefusedWhileRunning() {
  if (!running_) return false;
  ReportError(ReentryMessage, NoPosition, nullptr);
  return true;
}

TFunc* TXBuilder::RegisterFunc(std::unique_ptr<TFunc> func, TFuncRegistration how) {
  TFunc* added = AddFunc(*static_cast<TFuncTab*>(funcScopes_.Top()), std::move(func));
  if (!added) return nullptr;
  static_cast<TVarTab*>(varScopes_.Top())
      ->Add(std::make_unique<TFuncVar>(added->Name(), added->Signature(), true, added, added->Lib()));
  switch (how) {
    case frPlain:
      break;
    case frTypeStr:
      typeRoutines_.Entry(added->ArgKind(0)).SetStrConv(added);
      break;
    case frTypeOut:
      typeRoutines_.Entry(added->ArgKind(0)).SetOutput(added);
      break;
    case frTypeConv:
      convs_.Add(added->ResultKind(), added->ArgKind(0), added);
      break;
    case frVarImport:
      importExport_.FindOrAdd(added->ArgKind(1)).AddImport(added);
      break;
    case frVarExport:
      importExport_.FindOrAdd(added->ArgKind(1)).AddExport(added);
      break;
  }
  return added;
}

// Evaluating a line.

void TXBuilder::Evaluate(const std::string& text, bool multiLine, bool show, std::int32_t seed, TVariant& value) {
  value = VariantOf(NoneValue);
  if (text.empty()) return;
  if (RefusedWhileRunning()) return;
  TRunningScope running(*this);
  TInputBinding input(*this, text, seed);
  ResetRunState();
  TValue error;
  ClearValue(kcError, error);
  value = VariantOf(error);
  if (!Next()) return;
  std::unique_ptr<TExpression> tree = CompileWholeExpression();
  if (!tree || !tree->Evaluate()) return;
  TVar* result = tree->ResultVar();
  if (result) {
    if (show) ShowResult(result, multiLine);
    // A listing opens as deep as the user wants to see it at once.
    if (show && multiLine) ExpandMessageLevels(Params.ShowLevel);
    auto* scalar = dynamic_cast<TBaseVar*>(result);
    value = VariantOf(scalar ? scalar->GetValue() : NoneValue);
    UpdateAns(result);
  } else {
    value = VariantOf(NoneValue);
  }
  NotifyDataClients(dcVariables);
}

std::unique_ptr<TExpression> TXBuilder::ParseExpression(const std::string& text) {
  if (text.empty()) return nullptr;
  if (RefusedWhileRunning()) return nullptr;
  TRunningScope running(*this);
  TMutedSink muted;
  TInputBinding input(*this, text, -1);
  ResetRunState();
  auto uses = std::make_unique<TLibUses>();
  TNoting noting(treeUses_, uses.get());
  if (!Next()) return nullptr;
  std::unique_ptr<TExpression> tree = CompileWholeExpression();
  if (tree) tree->HoldLibraries(std::move(uses));
  return tree;
}

std::unique_ptr<TExpression> TXBuilder::CompileWholeExpression() {
  std::unique_ptr<TExpression> tree = CompileExpression();
  if (!tree || !Expect(tcEOF, tkEndOfInput)) return nullptr;
  return tree;
}

void TXBuilder::ShowResult(TVar* result, bool multiLine) {
  if (multiLine)
    ListVar(result, std::string(), 0, lkResult);
  else
    WriteMessage(VarToText(result, true, true), lkResult, 0);
}

// ans takes the result. An ans of another kind is replaced by a new one;
// the result is copied first, because it may be ans or a part of it.
void TXBuilder::UpdateAns(TVar* result) {
  TVar* ans = vars_.Find(AnsVarName);
  std::unique_ptr<TVar> copy;
  if (ans && !SameKind(ans->Kind(), result->Kind())) {
    if (RefusedWhileHeld(*ans)) return;
    copy = MakeVar(std::string(), result->Kind(), false, NoneValue, Workspace());
    copy->Assign(*result, false);
    result = copy.get();
    vars_.DeleteNode(ans);
    ans = nullptr;
  }
  if (!ans) ans = vars_.Add(MakeVar(AnsVarName, result->Kind(), false, NoneValue, Workspace()));
  ans->Assign(*result, false);
}

// Variables and names.

TVar* TXBuilder::FindVariable(const std::string& name) {
  for (int i = varScopes_.TopIndex(); i >= 0; --i)
    if (TVar* var = static_cast<TVarTab*>(varScopes_.Get(i))->Find(name)) return var;
  return nullptr;
}

TVar* TXBuilder::AddVariable(const std::string& name, TKind* kind) {
  if (vars_.Find(name)) {
    ReportError("Variable named \"" + name + "\" already exists", NoPosition, nullptr);
    return nullptr;
  }
  if (!kind || kind->Code() <= kcError) {
    ReportError("Failed to add variable \"" + name + "\"", NoPosition, nullptr);
    return nullptr;
  }
  return vars_.Add(MakeVar(name, kind, false, NoneValue, Workspace()));
}

bool TXBuilder::InsertVariable(std::unique_ptr<TVar>& variable) {
  if (!variable) return false;
  if (vars_.Find(variable->Name())) {
    ReportError("Variable named \"" + variable->Name() + "\" already exists", NoPosition, nullptr);
    return false;
  }
  vars_.Add(std::move(variable));
  return true;
}

void TXBuilder::DeleteVariable(const std::string& name) {
  if (RefusedWhileRunning()) return;
  TVar* var = vars_.Find(name);
  if (!var || RefusedWhileHeld(*var)) return;
  vars_.ForgetRoutinesOwnedBy(*var);
  vars_.DeleteByName(name);
}

// A variable compiled code refers to stays, as a library it refers to does.
bool TXBuilder::RefusedWhileHeld(const TVar& var) const {
  if (!varHolds_.Held(&var)) return false;
  ReportError("Variable \"" + var.Name() + "\" is in use", NoPosition, nullptr);
  return true;
}

void TXBuilder::ClearWorkspace() {
  if (!RefusedWhileRunning()) ClearWorkspaceVariables();
}

// Variables that compiled code refers to stay.
void TXBuilder::ClearWorkspaceVariables() {
  vars_.RemoveVariablesOf(Workspace(), [this](const TVar& var) { return varHolds_.Held(&var); });
}

bool TXBuilder::ForEachVariable(const std::function<bool(TVar*)>& callback, const std::string& libName) {
  if (!callback) return false;
  bool answer = false;
  for (THashNode* node : vars_.Walk()) {
    auto* var = static_cast<TVar*>(node);
    if (!libName.empty() && !(var->Lib() && SameName(var->Lib()->Name(), libName))) continue;
    answer = callback(var);
    if (!answer) break;
  }
  return answer;
}

std::uint8_t TXBuilder::ClassifyIdentifier(const std::string& name) {
  if (TVar* var = FindVariable(name)) {
    if (var->Kind()->Code() == kcFunction) return 3;
    return var->IsConstant() ? 2 : 1;
  }
  for (int i = kindScopes_.TopIndex(); i >= 0; --i) {
    auto* kinds = static_cast<TKindTab*>(kindScopes_.Get(i));
    if (kinds->FindKind(name)) return 4;
    if (kinds->FindEnumMember(name)) return 5;
  }
  return 0;
}

bool TXBuilder::IsFreeIdentifier(const std::string& name) {
  return IsWellFormedIdentifier(name) && !Lex.FindEntry(name) && !vars_.Find(name) && !kinds_.FindKind(name) &&
         !kinds_.FindEnumMember(name) && !libs_.Find(name);
}

// Options and runs.

void TXBuilder::SetOption(std::uint8_t option, bool on) {
  if (option != 0) throw ERangeError();
  options_ = on ? options_ | 1u : options_ & ~1u;
}

bool TXBuilder::GetOption(std::uint8_t option) { return option <= 7 && (options_ >> option) & 1u; }

void TXBuilder::Abort() {
  if (!running_) return;
  AbortFlag = true;
  if (IOSystem) IOSystem->CloseAll();
  WriteMessage("Execution terminated", lkWarning, 0);
}

// Subscribers.

bool TXBuilder::AddDataClient(CountedPtr<IXDataClient> client) {
  if (!client) return false;
  dataClients_.push_back(std::move(client));
  return true;
}

void TXBuilder::NotifyDataClients(std::uint8_t what) {
  // By index and through a reference of its own: an Update may subscribe
  // another client.
  for (std::size_t i = 0; i < dataClients_.size(); ++i) {
    CountedPtr<IXDataClient> client = dataClients_[i];
    if (what == dcEverything || (what <= 7 && (client->GetMask() >> what) & 1u)) client->Update(what);
  }
}

void TXBuilder::EnumLibraries(IXDataClient& client, bool includeBuiltIn, std::uint8_t kinds,
                              const std::string& nameFilter) {
  auto wanted = [kinds](TDataItemKind kind) { return ((kinds >> kind) & 1u) != 0; };
  for (int i = 0; i < libs_.Count(); ++i) {
    TLib* lib = libs_.Get(i);
    if (lib->Name().starts_with('_') || (lib->BuiltIn() && !includeBuiltIn)) continue;
    if (!nameFilter.empty() && !SameName(lib->Name(), nameFilter)) continue;
    void* parent = wanted(dikLibrary) ? client.AddItem(nullptr, lib, dikLibrary) : nullptr;
    if (wanted(dikConstant) || wanted(dikVariable)) {
      // A routine's own value (a constant routine variable) is reported as
      // the routine; a variable a script gave a routine is a variable.
      ForEachNode(vars_, [&](THashNode* node) {
        auto* var = static_cast<TVar*>(node);
        if (var->Lib() != lib || (var->Kind()->Code() == kcFunction && var->IsConstant())) return;
        TDataItemKind kind = var->IsConstant() ? dikConstant : dikVariable;
        if (wanted(kind)) client.AddItem(parent, var, kind);
      });
    }
    if (wanted(dikRoutine))
      ForEachNode(funcs_, [&](THashNode* node) {
        if (node->Lib() == lib) client.AddItem(parent, static_cast<TFunc*>(node), dikRoutine);
      });
    if (wanted(dikType))
      ForEachNode(kinds_, [&](THashNode* node) {
        if (node->Lib() == lib) client.AddItem(parent, static_cast<TKind*>(node), dikType);
      });
  }
}
