#include "libraries/SysMathLibrary.h"

#include <memory>

#include "engine/XBuilder.h"
#include "libraries/LinearAlgebra.h"
#include "libraries/UnitConversion.h"

namespace {

template <class TRoutine>
void Register(TXBuilder& builder, TLib* lib, const char* signature) {
  builder.RegisterFunc(std::make_unique<TRoutine>(builder.ParseSignature(signature, ""), lib), frPlain);
}

}  // namespace

void RegisterSysMathLibrary(TXBuilder& builder, TLib* lib) {
  Register<TEigenVF>(builder, lib, "function ( M : Matrix; var RV : Vector; var IV : Vector ) : boolean");
  Register<TLinSolVF>(builder, lib, "function ( a : Matrix; b : Vector ) : Vector");
  Register<TConvVF>(builder, lib, "function ( V : Vector; S, D : Integer; A : Real ) : Real");
  Register<TLConvVF>(builder, lib, "function ( V, C : Vector; S, D : Integer; A : Real ) : Real");
}
