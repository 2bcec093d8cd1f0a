#include "libraries/SysMathLibrary.h"

#include "libraries/LinearAlgebra.h"
#include "libraries/StandardLibraries.h"
#include "libraries/UnitConversion.h"

void RegisterSysMathLibrary(TXBuilder& builder, TLib* lib) {
  RegisterRoutineRow<TEigenVF>(builder, lib, "function ( M : Matrix; var RV : Vector; var IV : Vector ) : boolean");
  RegisterRoutineRow<TLinSolVF>(builder, lib, "function ( a : Matrix; b : Vector ) : Vector");
  RegisterRoutineRow<TConvVF>(builder, lib, "function ( V : Vector; S, D : Integer; A : Real ) : Real");
  RegisterRoutineRow<TLConvVF>(builder, lib, "function ( V, C : Vector; S, D : Integer; A : Real ) : Real");
}
