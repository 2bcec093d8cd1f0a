#include "libraries/SysMathLibrary.h"

#include "libraries/LinearAlgebra.h"
#include "libraries/StandardLibraries.h"
#include "libraries/UnitConversion.h"

void RegisterSysMathLibrary(TCatalogue& catalogue) {
  RegisterRoutineRow<TEigenVF>(catalogue, "function ( M : Matrix; var RV : Vector; var IV : Vector ) : boolean");
  RegisterRoutineRow<TLinSolVF>(catalogue, "function ( a : Matrix; b : Vector ) : Vector");
  RegisterRoutineRow<TConvVF>(catalogue, "function ( V : Vector; S, D : Integer; A : Real ) : Real");
  RegisterRoutineRow<TLConvVF>(catalogue, "function ( V, C : Vector; S, D : Integer; A : Real ) : Real");
}
