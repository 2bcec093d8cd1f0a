#include "engine/Unloading.h"

#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/Lib.h"
#include "engine/Var.h"
#include "engine/XBuilder.h"
#include "runtime/Exceptions.h"

TUnloading::TUnloading(TXBuilder& engine, TLib* lib)
    : engine_(engine),
      lib_(lib),
      libPlace_(engine.libs_.IndexOf(lib)),
      savedTypeRoutines_(engine.typeRoutines_.Save()),
      savedConvs_(engine.convs_.Save()),
      savedImportExport_(engine.importExport_.Save()) {
  QASSERT(!lib->Held(), "5D3FC986");
  engine_.importExport_.RemoveLibrary(lib);
  engine_.typeRoutines_.RemoveLib(lib);
  engine_.convs_.RemoveLib(lib);
  vars_ = engine_.vars_.Detach([lib](const THashNode& node) {
    auto& var = static_cast<const TVar&>(node);
    return var.Lib() == lib || DependsOnLib(var.Kind(), lib);
  });
  funcs_ = engine_.funcs_.Detach([lib](const THashNode& node) {
    return node.Lib() == lib || DependsOnLib(static_cast<const TFunc&>(node).Signature(), lib);
  });
  ops_ = engine_.ops_.Detach(lib);
  kinds_ = engine_.kinds_.DetachDependants(lib);
  ownedLib_ = engine_.libs_.Take(lib);
}

TUnloading::~TUnloading() {
  if (!ownedLib_) return;
  try {
    Restore();
  } catch (...) {
    // The fault that is passing is the one the caller hears of.
  }
}

// What refers to the kinds goes before them: variables, then routines and
// operators, whose trees refer to variables and kinds.
void TUnloading::Complete() {
  QASSERT(ownedLib_, "5D3FC987");
  engine_.vars_.ForgetLib(lib_);
  vars_ = {};
  funcs_ = {};
  ops_.clear();
  kinds_ = {};
  savedTypeRoutines_.clear();
  savedConvs_.clear();
  savedImportExport_.clear();
  ownedLib_.reset();
}

void TUnloading::Restore() {
  QASSERT(ownedLib_, "5D3FC987");
  engine_.libs_.Insert(libPlace_, std::move(ownedLib_));
  engine_.kinds_.Reattach(kinds_);
  engine_.ops_.Reattach(ops_);
  engine_.funcs_.Reattach(funcs_);
  engine_.vars_.Reattach(vars_);
  engine_.importExport_.Restore(savedImportExport_);
  engine_.convs_.Restore(std::move(savedConvs_));
  engine_.typeRoutines_.Restore(savedTypeRoutines_);
}
