#include "libraries/MathLibrary.h"

#include "engine/Var.h"
#include "engine/Catalogue.h"
#include "libraries/DSolveNF.h"
#include "libraries/FFTNF.h"
#include "libraries/GoldOF.h"
#include "libraries/IntegrateNF.h"
#include "libraries/LinearAlgebra.h"
#include "libraries/MatrixRoutines.h"
#include "libraries/RangeRoutine.h"
#include "libraries/ScalarRoutine.h"
#include "libraries/SeriesRoutines.h"
#include "libraries/SimAnnOF.h"
#include "libraries/SimplexOF.h"
#include "libraries/StandardLibraries.h"
#include "libraries/VectorOperators.h"
#include "libraries/VectorRoutines.h"

namespace {

void RegisterConstants(TCatalogue& catalogue) {
  catalogue.AddConstant(MakeRealConst("Pi", catalogue.Lib(), MathPi));
  catalogue.AddConstant(MakeRealConst("Epsilon", catalogue.Lib(), 1e-100L));
  catalogue.AddConstant(MakeRealConst("GoldenMean", catalogue.Lib(), std::numbers::phi_v<long double>));
}

}  // namespace

void RegisterMathLibrary(TCatalogue& catalogue) {
  RegisterConstants(catalogue);
  RegisterRoutineRow<TSqrtMF, TSqrMF, TSinMF, TCosMF, TExpMF, TTanMF, TTanhMF, TArcCosMF, TArcCoshMF, TArcCotMF,
                     TArcCothMF, TArcSinMF, TArcSinhMF, TArcTanMF, TArcTanhMF, TCoshMF, TCotanMF, TCothMF, TFAbsMF,
                     TFracMF, TLnMF, TLog10MF, TLog2MF, TSinhMF, TGammaMF>(
      catalogue, Function({Param("x", kcReal)}, kcReal), "TMathFunc");
  // Two reals: the structure of System's TMeshFunc, under whose name it prints.
  RegisterRoutineRow<TArcTan2MF, THypotMF, TLogMF>(catalogue,
                                                   Function({Param("x", kcReal), Param("y", kcReal)}, kcReal));
  RegisterRoutineRow<TIAbsMF, TFactMF>(catalogue, Function({Param("x", kcInteger)}, kcInteger));
  RegisterRoutineRow<TGCDMF>(catalogue, Function({Param("x", kcInteger), Param("y", kcInteger)}, kcInteger));
  RegisterRoutineRow<TSumMF, TProdMF>(catalogue,
                                      Function({VarParam("F", "TMathFunc"), Param("Range", "Vector")}, kcReal));
  RegisterVectorOperators(catalogue);
  RegisterRoutineRow<TIntegrateNF>(
      catalogue, Function({Param("F", "TMathFunc"), Param("x1", kcReal), Param("x2", kcReal)}, kcReal));
  catalogue.Signature(Procedure({Param("Y", "Vector"), Param("X", kcReal), VarParam("DY", "Vector")}), "TDiffFunc");
  RegisterRoutineRow<TDSolveNF>(catalogue, Function({Param("DF", "TDiffFunc"), Param("Y0", "Vector"),
                                                     Param("x1", kcReal), Param("x2", kcReal), Param("h", kcReal, -1)},
                                                    "Matrix"));
  RegisterRoutineRow<TCrossVF, TJoinVF, TVConvVF, TCovarVF, TCorrVF>(
      catalogue, Function({Param("V1", "Vector"), Param("V2", "Vector")}, "Vector"));
  RegisterRoutineRow<TMagnitudeVF, TMeanVF, TVarianceVF, TStDevVF, TRMSVF, TMaxVF, TMinVF, TVecSumVF>(
      catalogue, Function({Param("V", "Vector")}, kcReal), "TVecFunc");
  RegisterRoutineRow<TGoldOF>(catalogue, Function({Param("F", "TMathFunc"), Param("Params", "Vector")}, "Vector"));
  RegisterRoutineRow<TSimplexOF>(
      catalogue, Function({Param("F", "TVecFunc"), Param("X0", "Vector"), Param("Params", "Vector")}, "Vector"));
  RegisterRoutineRow<TSimAnnOF>(catalogue, Function({Param("F", "TVecFunc"), Param("X0", "Vector"),
                                                     Param("Xmin", "Vector"), Param("Xmax", "Vector"),
                                                     Param("Params", "Vector")},
                                                    "Vector"));
  RegisterRoutineRow<TPartVVF>(
      catalogue, Function({Param("V", "Vector"), Param("Nmin", kcInteger), Param("Nmax", kcInteger)}, "Vector"));
  RegisterRoutineRow<TPartMVF>(catalogue, Function({Param("M", "Matrix"), Param("Rmin", kcInteger),
                                                    Param("Rmax", kcInteger), Param("Cmin", kcInteger),
                                                    Param("Cmax", kcInteger)},
                                                   "Matrix"));
  RegisterRoutineRow<TNormalizeVF, TVSortVF, TAutoCovVF, TAutoCorrVF, TForwardFFTNF, TInverseFFTNF>(
      catalogue, Function({Param("V", "Vector")}, "Vector"));
  RegisterRoutineRow<TAppendVF>(catalogue, Function({Param("V", "Vector"), Param("R", kcReal)}, "Vector"));
  RegisterRoutineRow<TTraceVF>(catalogue, Function({Param("M", "Matrix")}, kcReal));
  RegisterRoutineRow<TDetVF>(catalogue, Function({Param("M", "Matrix")}, kcReal));
  RegisterRoutineRow<TMinMVF, TMaxMVF>(catalogue, Function({Param("M", "Matrix")}, kcReal));
  RegisterRoutineRow<TTransposeVF>(catalogue, Function({Param("M", "Matrix")}, "Matrix"));
  RegisterRoutineRow<TInverseVF>(catalogue, Function({Param("M", "Matrix")}, "Matrix"));
  RegisterRoutineRow<TMatIdentityVF, TMatZeroVF>(
      catalogue, Function({Param("Rows", kcInteger), Param("Cols", kcInteger, -1)}, "Matrix"));
  // Names differing only in case are the same: this is _SysMath's kind, which prints "a" and "b".
  RegisterRoutineRow<TLinearSolveVF>(catalogue, Function({Param("A", "Matrix"), Param("B", "Vector")}, "Vector"));
  RegisterRoutineRow<TColumnVF>(catalogue, Function({VarParam("M", "Matrix"), Param("N", kcInteger)}, "Vector"));
  RegisterRoutineRow<TDelColVF, TDelRowVF>(
      catalogue, Procedure({VarParam("M", "Matrix"), Param("N1", kcInteger), Param("N2", kcInteger, -1)}));
  RegisterRoutineRow<TMakeVecVF>(catalogue, Function({Param("Size", kcInteger), Param("Value", kcReal, 0)}, "Vector"));
}
