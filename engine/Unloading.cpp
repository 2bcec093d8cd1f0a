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
      libPlace_(engine.Libs.IndexOf(lib)),
      savedTypeRoutines_(engine.TypeRoutines.Save()),
      savedConvs_(engine.Convs.Save()),
      savedImportExport_(engine.ImportExport.Save()) {
  QASSERT(!lib->Held(), "5D3FC986");
  engine_.ImportExport.RemoveLibrary(lib);
  engine_.TypeRoutines.RemoveLib(lib);
  engine_.Convs.RemoveLib(lib);
  vars_ = engine_.Vars.Detach([lib](const THashNode& node) {
    auto& var = static_cast<const TVar&>(node);
    return var.Lib() == lib || DependsOnLib(var.Kind(), lib);
  });
  funcs_ = engine_.Funcs.Detach([lib](const THashNode& node) {
    return node.Lib() == lib || DependsOnLib(static_cast<const TFunc&>(node).Signature(), lib);
  });
  ops_ = engine_.Ops.Detach(lib);
  kinds_ = engine_.Kinds.DetachDependants(lib);
  ownedLib_ = engine_.Libs.Take(lib);
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
  engine_.Vars.ForgetLib(lib_);
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
  engine_.Libs.Insert(libPlace_, std::move(ownedLib_));
  engine_.Kinds.Reattach(kinds_);
  engine_.Ops.Reattach(ops_);
  engine_.Funcs.Reattach(funcs_);
  engine_.Vars.Reattach(vars_);
  engine_.ImportExport.Restore(savedImportExport_);
  engine_.Convs.Restore(std::move(savedConvs_));
  engine_.TypeRoutines.Restore(savedTypeRoutines_);
}
