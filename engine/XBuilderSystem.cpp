// The engine's own part of the library System: the built-in kinds, Vector
// and Matrix, the Boolean and special constants and the built-in operators;
// the System catalogue of the libraries adds the rest after them. The order
// is fixed: the kind table interns structures, so the first name a
// structure gets is the one it prints under.

#include <limits>
#include <memory>
#include <string>

#include "engine/Kind.h"
#include "engine/Var.h"
#include "engine/VarText.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "runtime/Exceptions.h"
#include "runtime/Params.h"
#include "runtime/Random.h"
#include "runtime/Storage.h"

void TXBuilder::RegisterSystemCore(TLib* lib) {
  TRandom::SeedFromClock();
  kinds_.RegisterBuiltIns(lib);
  TKind* vector = kinds_.Register(std::make_unique<TArrKind>(BaseKind(kcReal), "Vector", lib, 1, 0), lib);
  kinds_.Register(std::make_unique<TArrKind>(vector, "Matrix", lib, 1, 0), lib);

  const struct {
    const char* Name;
    TVariant Value;
  } constants[] = {
      {"False", TVariant::Boolean(false)},
      {"True", TVariant::Boolean(true)},
      {"Off", TVariant::Boolean(false)},
      {"On", TVariant::Boolean(true)},
      {"ApplicationPath", TVariant::String(GetAppFolder())},
      {"Inf", TVariant::Real(varDouble, std::numeric_limits<long double>::infinity())},
  };
  for (const auto& constant : constants) vars_.Add(MakeConstVar(constant.Name, constant.Value, lib));

  ops_.RegisterBuiltIns();
}
