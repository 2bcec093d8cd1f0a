#include "engine/Func.h"

#include <algorithm>
#include <new>

#include "engine/Kind.h"
#include "runtime/Exceptions.h"

namespace {

bool PassedByReference(const TFuncArg& arg) {
  return arg.Mode() == amVar || arg.Kind()->Code() == kcClass || arg.Kind() == AnyKind(kcClass);
}

}  // namespace

TFunc::TFunc(std::string name, TFuncKind* signature, TLib* lib)
    : THashNode(std::move(name), lib), signature_(signature) {
  QASSERT(signature != nullptr, "36670CA2");
  variadic_ = signature->Variadic();
  MakeResult();
  if (!variadic_) MakeArgVars();
}

TVar* TFunc::AddLocal(std::unique_ptr<TVar> var) { return locals_.Add(std::move(var)); }

void TFunc::MakeResult() {
  result_ = signature_->Result() ? AddLocal(MakeVar("Result", signature_->Result(), false, NoneValue, Lib()))
                                 : nullptr;
}

void TFunc::AddArgVar(std::unique_ptr<TVar> var, TPassing passing) {
  if (passing == TPassing::Value && dynamic_cast<TAnyVar*>(var.get())) passing = TPassing::Generic;
  argVars_.push_back(AddLocal(std::move(var)));
  argPassing_.push_back(passing);
  argSources_.push_back(nullptr);
}

void TFunc::MakeArgVars() {
  for (int i = 0; i < signature_->ArgCount(); ++i) {
    const TFuncArg* arg = signature_->Arg(i);
    bool isConst = arg->Mode() == amConst;
    if (PassedByReference(*arg))
      AddArgVar(std::make_unique<TRefVar>(arg->Name(), arg->Kind(), Lib(), isConst), TPassing::Reference);
    else
      AddArgVar(MakeVar(arg->Name(), arg->Kind(), isConst, arg->Default(), Lib()), TPassing::Value);
  }
}

TVar* TFunc::Arg(int i) const {
  QASSERT(i >= 0 && i < ArgCount(), "2B0FB120");
  if (argPassing_[i] == TPassing::Generic) return static_cast<TAnyVar*>(argVars_[i])->Target();
  return argVars_[i];
}

TVar* TFunc::RefArg(int i) const {
  QASSERT(i >= 0 && i < ArgCount(), "2977E25B");
  QASSERT(IsRefArg(i), "45BF4824");
  return static_cast<TRefVar*>(argVars_[i])->Target();
}

void TFunc::BindRefArg(int i, TVar* var) {
  QASSERT(i >= 0 && i < ArgCount(), "F46C90E2");
  QASSERT(IsRefArg(i), "EE0AF77D");
  static_cast<TRefVar*>(argVars_[i])->Bind(var);
}

bool TFunc::SetArg(int i, TVar* var) {
  QASSERT(i >= 0 && i < ArgCount(), "2B0FB122");
  if (argPassing_[i] == TPassing::Generic) {
    static_cast<TAnyVar*>(argVars_[i])->Bind(var);
    return true;
  }
  return argVars_[i]->Assign(*var, false);
}

const TVar* TFunc::ArgSource(int i) const {
  QASSERT(i >= 0 && i < ArgCount(), "2B0FB123");
  return argSources_[i];
}

TValue TFunc::GetArgValue(int i) const {
  auto* base = dynamic_cast<const TBaseVar*>(IsRefArg(i) ? RefArg(i) : Arg(i));
  return base ? base->GetValue() : NoneValue;
}

TKind* TFunc::ArgKind(int i) const {
  QASSERT(i >= 0 && i < ArgCount(), "2033BA0A");
  return argVars_[i]->Kind();
}

bool TFunc::IsRefArg(int i) const {
  QASSERT(i >= 0 && i < ArgCount(), "2B0FB121");
  return argPassing_[i] == TPassing::Reference;
}

int TFunc::ArgCount() const {
  return signature_->Variadic() ? static_cast<int>(argVars_.size()) : signature_->ArgCount();
}

int TFunc::DefaultArgCount() const { return signature_->Variadic() ? 0 : signature_->DefaultCount(); }

TKind* TFunc::ResultKind() const { return signature_->Result(); }

bool TFunc::ArgKindsAre(std::span<TKind* const> kinds) const {
  return std::equal(argVars_.begin(), argVars_.end(), kinds.begin(), kinds.end(),
                    [](const TVar* var, const TKind* kind) { return var->Kind() == kind; });
}

void TFunc::RebuildArgs(std::span<TKind* const> kinds) {
  QASSERT(signature_->Variadic(), "6B7749BB");
  // Calls with the argument kinds of the previous one keep its variables:
  // every call resets the locals anyway.
  if (ArgKindsAre(kinds)) return;
  argVars_.clear();
  argPassing_.clear();
  argSources_.clear();
  interfaceParams_.clear();
  locals_.Clear();
  MakeResult();
  for (TKind* kind : kinds) AddArgVar(MakeVar(std::string(), kind, false, NoneValue, Lib()), TPassing::Value);
}

bool TFunc::CallDirect(std::span<TVar* const> args, TSourcePos pos) {
  std::vector<TKind*> kinds;
  if (signature_->Variadic())
    for (TVar* arg : args) kinds.push_back(arg->Kind());
  TFuncCall call(*this);
  return call.Begin(pos, kinds) && call.Finish(args, pos, nullptr);
}

bool TFuncCall::RefuseReentry(TSourcePos pos) const {
  ReportError("Reentering in \"" + func_.Name() + "\" attempted", pos, nullptr);
  return false;
}

bool TFuncCall::Finish(std::span<TVar* const> args, TSourcePos pos, TVar* result) {
  QASSERT(entered_, "36670CA4");
  for (std::size_t i = 0; i < args.size(); ++i) {
    QASSERT(i < func_.argVars_.size(), "2B0FB122");
    TVar* slot = func_.argVars_[i];
    switch (func_.argPassing_[i]) {
      case TFunc::TPassing::Reference:
        static_cast<TRefVar*>(slot)->Bind(args[i]);
        break;
      case TFunc::TPassing::Generic:
        static_cast<TAnyVar*>(slot)->Bind(args[i]);
        break;
      case TFunc::TPassing::Value:
        if (!slot->Assign(*args[i], false)) return false;
        break;
    }
    func_.argSources_[i] = args[i];
  }
  std::fill(func_.argSources_.begin() + std::ptrdiff_t(args.size()), func_.argSources_.end(), nullptr);
  if (!ExecuteWithinMemory(pos)) return false;
  if (result && func_.ResultVariable()) return result->Assign(*func_.ResultVariable(), false);
  return true;
}

// Storage that cannot exist fails the call like any error; the variables
// being sized are left whole (see TArrVar::SetLength). A long built-in
// stopped by an abort fails silently: the abort has said so.
bool TFuncCall::ExecuteWithinMemory(TSourcePos pos) {
  try {
    return func_.Execute(pos);
  } catch (const EAborted&) {
    return false;
  } catch (const ENotEnoughMemory&) {
  } catch (const std::bad_alloc&) {
  }
  ReportError("Not enough memory", pos, nullptr);
  return false;
}

TFunc* AddFunc(TFuncTab& tab, std::unique_ptr<TFunc> func) {
  TFunc* added = func.get();
  return tab.Add(func) ? added : nullptr;
}

TFuncVar::TFuncVar(std::string name, TFuncKind* kind, bool isConst, TFunc* func, TLib* lib)
    : TVar(std::move(name), lib), func_(func), initialFunc_(func), kind_(kind), isConst_(isConst) {}

TKind* TFuncVar::Kind() const { return kind_; }

bool TFuncVar::Assign(const TVar& source, bool setInitial) {
  auto* routine = dynamic_cast<const TFuncVar*>(&source);
  QASSERT(routine != nullptr, "36670CA3");
  if (!IsAssignable(kind_, routine->kind_)) return false;
  func_ = routine->Func();
  if (setInitial) initialFunc_ = func_;
  return true;
}

void TFuncVar::ForgetRoutinesOf(const TLib* lib) {
  ForgetRoutinesIf([lib](const TFunc* func) { return func->Lib() == lib; });
}

void TFuncVar::ForgetRoutinesIf(const std::function<bool(const TFunc*)>& gone) {
  if (func_ && gone(func_)) func_ = nullptr;
  if (initialFunc_ && gone(initialFunc_)) initialFunc_ = nullptr;
}
