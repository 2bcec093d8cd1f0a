#include "engine/VarTab.h"

#include <algorithm>
#include <typeinfo>

#include "engine/ArrVar.h"
#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/Lib.h"
#include "engine/NodeWalk.h"

namespace {

TVar* AsVar(THashNode* node) {
  auto* var = dynamic_cast<TVar*>(node);
  QASSERT(var != nullptr, "F29B310D");
  return var;
}

// Whether a variable of kind may hold, somewhere inside, a value of a
// library other than its kind's: a routine, or the members of a generic set.
bool MayHoldForeignValues(const TKind* kind) {
  switch (kind->Code()) {
    case kcFunction:
      return true;
    case kcSet:
      return !static_cast<const TSetKind*>(kind)->Elem();
    case kcArray:
      return MayHoldForeignValues(static_cast<const TArrKind*>(kind)->Elem());
    case kcRecord:
    case kcClass: {
      auto* record = static_cast<const TRecKind*>(kind);
      for (int i = 0; i < record->FieldCount(); ++i)
        if (MayHoldForeignValues(record->Field(i)->Kind())) return true;
      return false;
    }
    default:
      return false;
  }
}

// Calls forget on every routine and set variable inside var that may hold
// a value from elsewhere: var itself, its fields, its elements.
void ForEachForeignHolder(TVar& var, const std::function<void(TVar&)>& forget) {
  if (!var.Kind() || !MayHoldForeignValues(var.Kind())) return;
  if (auto* record = dynamic_cast<TRecVar*>(&var)) {
    for (int i = 0; i < record->FieldCount(); ++i) ForEachForeignHolder(*record->Field(i), forget);
  } else if (auto* array = dynamic_cast<TArrVar*>(&var)) {
    for (std::int32_t p = 0; p < array->Count(); ++p) ForEachForeignHolder(*array->ElemAt(p), forget);
  } else {
    forget(var);
  }
}

// A variable must not keep a routine or an enumeration that its library
// took away.
void ForgetValuesOf(TVar& var, const TLib* lib) {
  ForEachForeignHolder(var, [lib](TVar& holder) {
    if (auto* routine = dynamic_cast<TFuncVar*>(&holder))
      routine->ForgetRoutinesOf(lib);
    else if (auto* set = dynamic_cast<TSetVar*>(&holder))
      set->ForgetMembersOf(lib);
  });
}

// The routines var's routine fields made themselves, nested records' too.
void CollectOwnRoutines(const TVar& var, std::vector<const TFunc*>& owned) {
  if (auto* routine = dynamic_cast<const TFuncVar*>(&var)) {
    if (const TFunc* own = routine->OwnRoutine()) owned.push_back(own);
  } else if (auto* record = dynamic_cast<const TRecVar*>(&var)) {
    for (int i = 0; i < record->FieldCount(); ++i) CollectOwnRoutines(*record->Field(i), owned);
  }
}

}  // namespace

TVar* TVarTab::Add(std::unique_ptr<TVar> var) {
  TVar* kept = var.get();
  const bool added = THashTab::Add(var);
  QASSERT(added, "F29B310C");
  return kept;
}

TVar* TVarTab::Find(std::string_view name) const { return static_cast<TVar*>(THashTab::Find(name)); }

void TVarTab::MakeResetLists() {
  plainResets_.clear();
  resetList_.clear();
  ForEachNode(*this, [this](THashNode* node) {
    TVar* var = AsVar(node);
    if (typeid(*var) == typeid(TBaseVar) || typeid(*var) == typeid(TStrVar))
      plainResets_.push_back(static_cast<TBaseVar*>(var));
    else
      resetList_.push_back(var);
  });
  resetListChanges_ = Changes();
}

void TVarTab::RemoveLib(const TLib* lib, bool force) {
  if (lib->BuiltIn() && !force) return;
  RemoveVariablesOf(lib, [](const TVar&) { return false; });
}

void TVarTab::RemoveVariablesOf(const TLib* lib, const std::function<bool(const TVar&)>& spare) {
  Detach([lib, &spare](const THashNode& node) {
    auto& var = static_cast<const TVar&>(node);
    const bool ofScriptLibrary = var.Lib() && !var.Lib()->BuiltIn();
    return (var.Lib() == lib || (!ofScriptLibrary && var.Kind() && var.Kind()->Lib() == lib)) && !spare(var);
  });
  ForgetLib(lib);
}

void TVarTab::ForgetLib(const TLib* lib) {
  ForEachNode(*this, [lib](THashNode* node) { ForgetValuesOf(*AsVar(node), lib); });
}

void TVarTab::ForgetRoutinesOwnedBy(const TVar& var) {
  std::vector<const TFunc*> owned;
  CollectOwnRoutines(var, owned);
  if (owned.empty()) return;
  const auto gone = [&owned](const TFunc* func) { return std::find(owned.begin(), owned.end(), func) != owned.end(); };
  ForEachNode(*this, [&gone](THashNode* node) {
    ForEachForeignHolder(*AsVar(node), [&gone](TVar& holder) {
      if (auto* routine = dynamic_cast<TFuncVar*>(&holder)) routine->ForgetRoutinesIf(gone);
    });
  });
}
