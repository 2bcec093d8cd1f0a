#include "libraries/MathLibrary.h"

#include "engine/Var.h"
#include "engine/XBuilder.h"
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

void RegisterConstants(TXBuilder& builder, TLib* lib) {
  builder.Vars.Add(MakeRealConst("Pi", lib, MathPi));
  builder.Vars.Add(MakeRealConst("Epsilon", lib, 1e-100L));
  builder.Vars.Add(MakeRealConst("GoldenMean", lib, std::numbers::phi_v<long double>));
}

}  // namespace

void RegisterMathLibrary(TXBuilder& builder, TLib* lib) {
  RegisterConstants(builder, lib);
  RegisterRoutineRow<TSqrtMF, TSqrMF, TSinMF, TCosMF, TExpMF, TTanMF, TTanhMF, TArcCosMF, TArcCoshMF, TArcCotMF,
                     TArcCothMF, TArcSinMF, TArcSinhMF, TArcTanMF, TArcTanhMF, TCoshMF, TCotanMF, TCothMF, TFAbsMF,
                     TFracMF, TLnMF, TLog10MF, TLog2MF, TSinhMF, TGammaMF>(builder, lib, "function ( x : real ) : real",
                                                                           "TMathFunc");
  // Two reals: the structure of System's TMeshFunc, under whose name it prints.
  RegisterRoutineRow<TArcTan2MF, THypotMF, TLogMF>(builder, lib, "function ( x, y : real ) : real");
  RegisterRoutineRow<TIAbsMF, TFactMF>(builder, lib, "function ( x : integer ) : integer");
  RegisterRoutineRow<TGCDMF>(builder, lib, "function ( x, y : integer ) : integer");
  RegisterRoutineRow<TSumMF, TProdMF>(builder, lib, "function ( var F : TMathFunc; Range : Vector ) : real");
  RegisterVectorOperators(builder.Kinds, builder.Ops);
  RegisterRoutineRow<TIntegrateNF>(builder, lib, "function ( F : TMathFunc; x1, x2 : Real ) : Real");
  builder.ParseSignature("procedure ( Y : Vector; X : Real; var DY : Vector )", "TDiffFunc");
  RegisterRoutineRow<TDSolveNF>(builder, lib,
                                "function ( DF : TDiffFunc; Y0 : Vector; x1, x2 : Real; h : Real = -1 ) : Matrix");
  RegisterRoutineRow<TCrossVF, TJoinVF, TVConvVF, TCovarVF, TCorrVF>(builder, lib,
                                                                     "function ( V1, V2 : Vector ) : Vector");
  RegisterRoutineRow<TMagnitudeVF, TMeanVF, TVarianceVF, TStDevVF, TRMSVF, TMaxVF, TMinVF, TVecSumVF>(
      builder, lib, "function ( V : Vector ) : Real", "TVecFunc");
  RegisterRoutineRow<TGoldOF>(builder, lib, "function ( F : TMathFunc; Params : Vector ) : Vector");
  RegisterRoutineRow<TSimplexOF>(builder, lib, "function ( F : TVecFunc; X0, Params : Vector ) : Vector");
  RegisterRoutineRow<TSimAnnOF>(builder, lib, "function ( F : TVecFunc; X0, Xmin, Xmax, Params : Vector ) : Vector");
  RegisterRoutineRow<TPartVVF>(builder, lib, "function ( V : Vector; Nmin, Nmax : Integer ) : Vector");
  RegisterRoutineRow<TPartMVF>(builder, lib, "function ( M : Matrix; Rmin, Rmax, Cmin, Cmax : Integer ) : Matrix");
  RegisterRoutineRow<TNormalizeVF, TVSortVF, TAutoCovVF, TAutoCorrVF, TForwardFFTNF, TInverseFFTNF>(
      builder, lib, "function ( V : Vector ) : Vector");
  RegisterRoutineRow<TAppendVF>(builder, lib, "function ( V : Vector; R : Real ) : Vector");
  RegisterRoutineRow<TTraceVF>(builder, lib, "function ( M : Matrix ) : Real");
  RegisterRoutineRow<TDetVF>(builder, lib, "function ( M : Matrix ) : Real");
  RegisterRoutineRow<TMinMVF, TMaxMVF>(builder, lib, "function ( M : Matrix ) : Real");
  RegisterRoutineRow<TTransposeVF>(builder, lib, "function ( M : Matrix ) : Matrix");
  RegisterRoutineRow<TInverseVF>(builder, lib, "function ( M : Matrix ) : Matrix");
  RegisterRoutineRow<TMatIdentityVF, TMatZeroVF>(builder, lib,
                                                 "function ( Rows : Integer; Cols : Integer = -1 ) : Matrix");
  RegisterRoutineRow<TLinearSolveVF>(builder, lib, "function ( A : Matrix; B : Vector ) : Vector");
  RegisterRoutineRow<TColumnVF>(builder, lib, "function ( var M : Matrix; N : integer ) : Vector");
  RegisterRoutineRow<TDelColVF, TDelRowVF>(builder, lib,
                                           "procedure ( var M : Matrix; N1 : integer; N2 : integer = -1 )");
  RegisterRoutineRow<TMakeVecVF>(builder, lib, "function ( Size : integer; Value : real = 0 ) : Vector");
}
