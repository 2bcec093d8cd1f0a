#include "libraries/MathLibrary.h"

#include <memory>

#include "engine/Var.h"
#include "engine/XBuilder.h"
#include "libraries/LinearAlgebra.h"
#include "libraries/RangeRoutine.h"
#include "libraries/ScalarRoutine.h"

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
  // The vector and matrix operators, then Integrate, come here.
  builder.ParseSignature("procedure ( Y : Vector; X : Real; var DY : Vector )", "TDiffFunc");
  // DSolve, then the two-vector routines Cross ... Correlation, come here.
  builder.ParseSignature("function ( V : Vector ) : Real", "TVecFunc");
  // The members of TVecFunc (Magnitude ... VecSum), then the optimisation,
  // shaping and vector routines up to Append, then Trace, come here.
  RegisterRow<TDetVF>(builder, lib, "function ( M : Matrix ) : Real", "");
  // MinMat, MaxMat, then Transpose, come here.
  RegisterRow<TInverseVF>(builder, lib, "function ( M : Matrix ) : Matrix", "");
  // MatIdentity, MatZero come here.
  RegisterRow<TLinearSolveVF>(builder, lib, "function ( A : Matrix; B : Vector ) : Vector", "");
  // Column, DelCol, DelRow, MakeVec come here.
}
