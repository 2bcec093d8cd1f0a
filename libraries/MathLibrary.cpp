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
                     TFracMF, TLnMF, TLog10MF, TLog2MF, TSinhMF, TGammaMF>(catalogue, "function ( x : real ) : real",
                                                                           "TMathFunc");
  // Two reals: the structure of System's TMeshFunc, under whose name it prints.
  RegisterRoutineRow<TArcTan2MF, THypotMF, TLogMF>(catalogue, "function ( x, y : real ) : real");
  RegisterRoutineRow<TIAbsMF, TFactMF>(catalogue, "function ( x : integer ) : integer");
  RegisterRoutineRow<TGCDMF>(catalogue, "function ( x, y : integer ) : integer");
  RegisterRoutineRow<TSumMF, TProdMF>(catalogue, "function ( var F : TMathFunc; Range : Vector ) : real");
  RegisterVectorOperators(catalogue);
  RegisterRoutineRow<TIntegrateNF>(catalogue, "function ( F : TMathFunc; x1, x2 : Real ) : Real");
  catalogue.Signature("procedure ( Y : Vector; X : Real; var DY : Vector )", "TDiffFunc");
  RegisterRoutineRow<TDSolveNF>(catalogue,
                                "function ( DF : TDiffFunc; Y0 : Vector; x1, x2 : Real; h : Real = -1 ) : Matrix");
  RegisterRoutineRow<TCrossVF, TJoinVF, TVConvVF, TCovarVF, TCorrVF>(catalogue,
                                                                     "function ( V1, V2 : Vector ) : Vector");
  RegisterRoutineRow<TMagnitudeVF, TMeanVF, TVarianceVF, TStDevVF, TRMSVF, TMaxVF, TMinVF, TVecSumVF>(
      catalogue, "function ( V : Vector ) : Real", "TVecFunc");
  RegisterRoutineRow<TGoldOF>(catalogue, "function ( F : TMathFunc; Params : Vector ) : Vector");
  RegisterRoutineRow<TSimplexOF>(catalogue, "function ( F : TVecFunc; X0, Params : Vector ) : Vector");
  RegisterRoutineRow<TSimAnnOF>(catalogue, "function ( F : TVecFunc; X0, Xmin, Xmax, Params : Vector ) : Vector");
  RegisterRoutineRow<TPartVVF>(catalogue, "function ( V : Vector; Nmin, Nmax : Integer ) : Vector");
  RegisterRoutineRow<TPartMVF>(catalogue, "function ( M : Matrix; Rmin, Rmax, Cmin, Cmax : Integer ) : Matrix");
  RegisterRoutineRow<TNormalizeVF, TVSortVF, TAutoCovVF, TAutoCorrVF, TForwardFFTNF, TInverseFFTNF>(
      catalogue, "function ( V : Vector ) : Vector");
  RegisterRoutineRow<TAppendVF>(catalogue, "function ( V : Vector; R : Real ) : Vector");
  RegisterRoutineRow<TTraceVF>(catalogue, "function ( M : Matrix ) : Real");
  RegisterRoutineRow<TDetVF>(catalogue, "function ( M : Matrix ) : Real");
  RegisterRoutineRow<TMinMVF, TMaxMVF>(catalogue, "function ( M : Matrix ) : Real");
  RegisterRoutineRow<TTransposeVF>(catalogue, "function ( M : Matrix ) : Matrix");
  RegisterRoutineRow<TInverseVF>(catalogue, "function ( M : Matrix ) : Matrix");
  RegisterRoutineRow<TMatIdentityVF, TMatZeroVF>(catalogue,
                                                 "function ( Rows : Integer; Cols : Integer = -1 ) : Matrix");
  RegisterRoutineRow<TLinearSolveVF>(catalogue, "function ( A : Matrix; B : Vector ) : Vector");
  RegisterRoutineRow<TColumnVF>(catalogue, "function ( var M : Matrix; N : integer ) : Vector");
  RegisterRoutineRow<TDelColVF, TDelRowVF>(catalogue,
                                           "procedure ( var M : Matrix; N1 : integer; N2 : integer = -1 )");
  RegisterRoutineRow<TMakeVecVF>(catalogue, "function ( Size : integer; Value : real = 0 ) : Vector");
}
