#pragma once
// The catalogues of the standard libraries, for whoever builds the engine
// of the program, and the way they register their routines.

#include <memory>

#include "engine/XBuilder.h"

TCatalogues StandardCatalogues();

// Routines that share one signature, registered in order as plain routines;
// with a type name that is not empty the signature is also that named type.
template <class... TRoutines>
TFuncKind* RegisterRoutineRow(TCatalogue& catalogue, const TSignatureSpec& description, const char* typeName = "") {
  TFuncKind* signature = catalogue.Signature(description, typeName);
  (catalogue.AddRoutine(std::make_unique<TRoutines>(signature, catalogue.Lib()), frPlain), ...);
  return signature;
}
