#pragma once
// Unloading a library in two steps. First everything that cannot outlive
// the library is taken out of the engine without being freed: the library
// itself from the library list; its variables, routines, operators and
// kinds; the kinds of any library built on its kinds, with their aliases
// and the variables of such kinds; its entries in the type-routine,
// converter and import/export registries. Its names are then free, so a
// replacement can be compiled in them. Then the unloading either completes
// (everything taken out is freed) or is called off (everything goes back
// where it was, the registries as they were before).
//
// Only a library that no compiled code elsewhere holds may be unloaded
// (assertion "5D3FC986"): what is freed is then referred to by nothing but
// global variables, and those that held its routines let go of them.

#include <memory>
#include <vector>

#include "engine/HashTab.h"
#include "engine/data/ImpExp.h"
#include "engine/KindTab.h"
#include "engine/OpTab.h"
#include "engine/Stds.h"

class TLib;
class TXBuilder;

class TUnloading {
public:
  TUnloading(TXBuilder& engine, TLib* lib);
  // Calls the unloading off unless it completed; a fault while putting
  // things back is swallowed here, as it can only come while another
  // fault passes (call Restore to hear of it).
  ~TUnloading();
  TUnloading(const TUnloading&) = delete;
  TUnloading& operator=(const TUnloading&) = delete;

  // Frees everything taken out, the library last.
  void Complete();
  // Puts everything back.
  void Restore();

private:
  TXBuilder& engine_;
  const TLib* lib_;
  int libPlace_;
  std::unique_ptr<TLib> ownedLib_;  // nil once completed or restored
  TDetachedNodes vars_;
  TDetachedNodes funcs_;
  TOpTab::TDetached ops_;
  TKindTab::TDetached kinds_;
  std::vector<TKindStd> savedTypeRoutines_;
  std::vector<TKindConv> savedConvs_;
  std::vector<TImpExpRec> savedImportExport_;
};
