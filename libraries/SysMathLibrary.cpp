#include "libraries/SysMathLibrary.h"

#include "libraries/LinearAlgebra.h"
#include "libraries/StandardLibraries.h"
#include "libraries/UnitConversion.h"

void RegisterSysMathLibrary(TCatalogue& catalogue) {
  RegisterRoutineRow<TEigenVF>(
      catalogue, Function({Param("M", "Matrix"), VarParam("RV", "Vector"), VarParam("IV", "Vector")}, kcBoolean));
  RegisterRoutineRow<TLinSolVF>(catalogue, Function({Param("a", "Matrix"), Param("b", "Vector")}, "Vector"));
  RegisterRoutineRow<TConvVF>(
      catalogue,
      Function({Param("V", "Vector"), Param("S", kcInteger), Param("D", kcInteger), Param("A", kcReal)}, kcReal));
  RegisterRoutineRow<TLConvVF>(catalogue, Function({Param("V", "Vector"), Param("C", "Vector"), Param("S", kcInteger),
                                                   Param("D", kcInteger), Param("A", kcReal)},
                                                  kcReal));
}
