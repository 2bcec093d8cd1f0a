#pragma once
// A table of variables: a library's global variables and constants, and the
// locals of a routine.

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/HashTab.h"
#include "engine/Var.h"

class TLib;

class TVarTab : public THashTab {
public:
  // Takes the variable and returns it; a duplicate name frees it and fails
  // the assertion "F29B310C".
  TVar* Add(std::unique_ptr<TVar> var);
  TVar* Find(std::string_view name) const;
  // Resets every variable through lists of them made again only when the
  // table has changed: a routine's locals reset at every call. Plain scalar
  // and string variables reset first and without a virtual call; resetting
  // one variable never touches another, so the order is not seen.
  void ResetAll() {
    if (resetListChanges_ != Changes()) MakeResetLists();
    for (TBaseVar* var : plainResets_) var->ResetValue();
    for (TVar* var : resetList_) var->Reset();
  }
  // Frees the variables of lib and then every variable of a built-in
  // library (or of none) whose kind lib defined; routine variables that hold a routine
  // of lib lose it (ForgetLib). Nothing happens for a built-in lib without
  // force. A script library's variables stay: its compiled code refers to
  // them, and a library is unloaded only when no other library's code
  // refers to it.
  void RemoveLib(const TLib* lib, bool force) override;
  // RemoveLib with force, sparing the variables spare answers true for.
  void RemoveVariablesOf(const TLib* lib, const std::function<bool(const TVar&)>& spare);
  // Routine variables, their elements and fields included, that hold a
  // routine of lib lose it, as their initial routine too; generic sets
  // forget an enumeration of lib with its members.
  void ForgetLib(const TLib* lib);
  // Before var goes: routine variables, their elements and fields
  // included, that hold a routine var made itself (a host object's routine
  // or an event's previous handler) lose it.
  void ForgetRoutinesOwnedBy(const TVar& var);

private:
  void MakeResetLists();

  std::vector<TBaseVar*> plainResets_;
  std::vector<TVar*> resetList_;
  std::uint64_t resetListChanges_ = ~std::uint64_t{0};
};
