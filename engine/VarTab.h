#pragma once
// A table of variables: a library's global variables and constants, and the
// locals of a routine.

#include <memory>
#include <string_view>

#include "engine/HashTab.h"

class TLib;
class TVar;

class TVarTab : public THashTab {
public:
  // Takes the variable and returns it; a duplicate name frees it and fails
  // the assertion "F29B310C".
  TVar* Add(std::unique_ptr<TVar> var);
  TVar* Find(std::string_view name) const;
  // Resets every variable, in table order.
  void ResetAll();
  // Frees the variables of lib and then every variable whose kind lib
  // defined, whichever library owns it; routine variables that hold a
  // routine of lib lose it. Nothing happens for a built-in lib without force.
  void RemoveLib(const TLib* lib, bool force) override;
};
