#include "libraries/MathLibrary.h"

#include <memory>

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
#include "libraries/VectorOperators.h"
#include "libraries/VectorRoutines.h"

namespace {

// One signature shared by the routines of a row, registered in order; with
// a type name that is not empty the signature is also that named type.
template <class... TRoutines>
void RegisterRow(TXBuilder& builder, TLib* lib, const char* signatureText, const char* typeName) {
  TFuncKind* signature = builder.ParseSignature(signatureText, typeName);
  (builder.RegisterFunc(std::make_unique<TRoutines>(signature, lib), frPlain), ...);
}

void RegisterConstants(TXBuilder& builder, TLib* lib) {
  builder.Vars.Add(MakeRealConst("Pi", lib, MathPi));
  builder.Vars.Add(MakeRealConst("Epsilon", lib, 1e-100L));
  builder.Vars.Add(MakeRealConst("GoldenMean", lib, std::numbers::phi_v<long double>));
}

}  // namespace

void RegisterMathLibrary(TXBuilder& builder, TLib* lib) {
  RegisterConstants(builder, lib);
  RegisterRow<TSqrtMF, TSqrMF, TSinMF, TCosMF, TExpMF, TTanMF, TTanhMF, TArcCosMF, TArcCoshMF, TArcCotMF,
              TArcCothMF, TArcSinMF, TArcSinhMF, TArcTanMF, TArcTanhMF, TCoshMF, TCotanMF, TCothMF, TFAbsMF,
              TFracMF, TLnMF, TLog10MF, TLog2MF, TSinhMF, TGammaMF>(builder, lib, "function ( x : real ) : real",
                                                                     "TMathFunc");
  // Two reals: the structure of System's TMeshFunc, under whose name it prints.
  RegisterRow<TArcTan2MF, THypotMF, TLogMF>(builder, lib, "function ( x, y : real ) : real", "");
  RegisterRow<TIAbsMF, TFactMF>(builder, lib, "function ( x : integer ) : integer", "");
  RegisterRow<TGCDMF>(builder, lib, "function ( x, y : integer ) : integer", "");
  RegisterRow<TSumMF, TProdMF>(builder, lib, "function ( var F : TMathFunc; Range : Vector ) : real", "");
  RegisterVectorOperators(builder.Kinds, builder.Ops);
  RegisterRow<TIntegrateNF>(builder, lib, "function ( F : TMathFunc; x1, x2 : Real ) : Real", "");
  builder.ParseSignature("procedure ( Y : Vector; X : Real; var DY : Vector )", "TDiffFunc");
  RegisterRow<TDSolveNF>(builder, lib,
                         "function ( DF : TDiffFunc; Y0 : Vector; x1, x2 : Real; h : Real = -1 ) : Matrix", "");
  RegisterRow<TCrossVF, TJoinVF, TVConvVF, TCovarVF, TCorrVF>(builder, lib, "function ( V1, V2 : Vector ) : Vector",
                                                             "");
  RegisterRow<TMagnitudeVF, TMeanVF, TVarianceVF, TStDevVF, TRMSVF, TMaxVF, TMinVF, TVecSumVF>(
      builder, lib, "function ( V : Vector ) : Real", "TVecFunc");
  RegisterRow<TGoldOF>(builder, lib, "function ( F : TMathFunc; Params : Vector ) : Vector", "");
  RegisterRow<TSimplexOF>(builder, lib, "function ( F : TVecFunc; X0, Params : Vector ) : Vector", "");
  RegisterRow<TSimAnnOF>(builder, lib, "function ( F : TVecFunc; X0, Xmin, Xmax, Params : Vector ) : Vector", "");
  RegisterRow<TPartVVF>(builder, lib, "function ( V : Vector; Nmin, Nmax : Integer ) : Vector", "");
  RegisterRow<TPartMVF>(builder, lib, "function ( M : Matrix; Rmin, Rmax, Cmin, Cmax : Integer ) : Matrix", "");
  RegisterRow<TNormalizeVF, TVSortVF, TAutoCovVF, TAutoCorrVF, TForwardFFTNF, TInverseFFTNF>(
      builder, lib, "function ( V : Vector ) : Vector", "");
  RegisterRow<TAppendVF>(builder, lib, "function ( V : Vector; R : Real ) : Vector", "");
  RegisterRow<TTraceVF>(builder, lib, "function ( M : Matrix ) : Real", "");
  RegisterRow<TDetVF>(builder, lib, "function ( M : Matrix ) : Real", "");
  RegisterRow<TMinMVF, TMaxMVF>(builder, lib, "function ( M : Matrix ) : Real", "");
  RegisterRow<TTransposeVF>(builder, lib, "function ( M : Matrix ) : Matrix", "");
  RegisterRow<TInverseVF>(builder, lib, "function ( M : Matrix ) : Matrix", "");
  RegisterRow<TMatIdentityVF, TMatZeroVF>(builder, lib, "function ( Rows : Integer; Cols : Integer = -1 ) : Matrix",
                                          "");
  RegisterRow<TLinearSolveVF>(builder, lib, "function ( A : Matrix; B : Vector ) : Vector", "");
  RegisterRow<TColumnVF>(builder, lib, "function ( var M : Matrix; N : integer ) : Vector", "");
  RegisterRow<TDelColVF, TDelRowVF>(builder, lib, "procedure ( var M : Matrix; N1 : integer; N2 : integer = -1 )",
                                    "");
  RegisterRow<TMakeVecVF>(builder, lib, "function ( Size : integer; Value : real = 0 ) : Vector", "");
}
