#include "engine/VarTab.h"

#include <vector>

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

// Whether a variable of kind may hold a routine somewhere inside.
bool MayHoldRoutines(const TKind* kind) {
  switch (kind->Code()) {
    case kcFunction:
      return true;
    case kcArray:
      return MayHoldRoutines(static_cast<const TArrKind*>(kind)->Elem());
    case kcRecord:
    case kcClass: {
      auto* record = static_cast<const TRecKind*>(kind);
      for (int i = 0; i < record->FieldCount(); ++i)
        if (MayHoldRoutines(record->Field(i)->Kind())) return true;
      return false;
    }
    default:
      return false;
  }
}

// A routine variable must not keep a routine that its library took away.
void ForgetRoutinesOf(TVar& var, const TLib* lib) {
  if (!var.Kind() || !MayHoldRoutines(var.Kind())) return;
  if (auto* routine = dynamic_cast<TFuncVar*>(&var)) {
    routine->ForgetRoutinesOf(lib);
  } else if (auto* record = dynamic_cast<TRecVar*>(&var)) {
    for (int i = 0; i < record->FieldCount(); ++i) ForgetRoutinesOf(*record->Field(i), lib);
  } else if (auto* array = dynamic_cast<TArrVar*>(&var)) {
    for (std::int32_t p = 0; p < array->Count(); ++p) ForgetRoutinesOf(*array->ElemAt(p), lib);
  }
}

}  // namespace

TVar* TVarTab::Add(std::unique_ptr<TVar> var) {
  bool added = THashTab::Add(var.get());
  QASSERT(added, "F29B310C");
  return var.release();
}

TVar* TVarTab::Find(std::string_view name) const { return static_cast<TVar*>(THashTab::Find(name)); }

void TVarTab::ResetAll() {
  ForEachNode(*this, [](THashNode* node) { AsVar(node)->Reset(); });
}

void TVarTab::RemoveLib(const TLib* lib, bool force) {
  if (lib->BuiltIn() && !force) return;
  THashTab::RemoveLib(lib, force);
  std::vector<THashNode*> ofLibKinds;
  ForEachNode(*this, [&](THashNode* node) {
    TVar* var = AsVar(node);
    if (var->Kind() && var->Kind()->Lib() == lib) ofLibKinds.push_back(node);
  });
  for (THashNode* node : ofLibKinds) DeleteNode(node);
  ForEachNode(*this, [lib](THashNode* node) { ForgetRoutinesOf(*AsVar(node), lib); });
}
