// The library System as far as expressions need it: the built-in kinds,
// Vector and Matrix, the Boolean and special constants, the built-in
// operators, the routines Write and Show, and the constant nil. The order
// is fixed: the kind table interns structures, so the first name a
// structure gets is the one it prints under.

#include <limits>
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

namespace {

// Write(a, b, ...): the one-line texts of the arguments, joined, as one
// output line.
class TWriteSF final : public TFunc {
public:
  TWriteSF(TFuncKind* signature, TLib* lib) : TFunc("Write", signature, lib) {}

  bool Execute(TSourcePos) override {
    std::string text;
    for (int i = 0; i < ArgCount(); ++i) text += VarToText(Arg(i), false, true);
    WriteMessage(text, lkOutput, 0);
    return true;
  }
};

// Show(a, b, ...): the listing of each argument, then the outline opened to
// the level the options ask for.
class TShowSF final : public TFunc {
public:
  TShowSF(TFuncKind* signature, TLib* lib) : TFunc("Show", signature, lib) {}

  bool Execute(TSourcePos) override {
    for (int i = 0; i < ArgCount(); ++i) ListVar(Arg(i), std::string(), 0, lkOutput);
    ExpandMessageLevels(static_cast<int>(Params.ShowLevel));
    return true;
  }
};

}  // namespace

void TXBuilder::RegisterSystemLibrary(TLib* lib) {
  TRandom::SeedFromClock();
  Kinds.RegisterBuiltIns(lib);
  bool registered = RegisterType("Vector", "array of real") && RegisterType("Matrix", "array of array of real");
  QASSERT(registered, "Assertion failure");

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
  for (const auto& constant : constants) Vars.Add(MakeConstVar(constant.Name, constant.Value, lib));

  Ops.RegisterBuiltIns();

  TFuncKind* text = ParseSignature("procedure( a : Anything )", std::string());
  RegisterFunc(std::make_unique<TWriteSF>(text, lib), frPlain);
  RegisterFunc(std::make_unique<TShowSF>(text, lib), frPlain);

  TFuncKind* none = ParseSignature("function : AnyFunction", std::string());
  Vars.Add(MakeVar("nil", none, true, NoneValue, lib));
}
