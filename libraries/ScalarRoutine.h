#pragma once
// The scalar routines of Math as data. Each routine is a rule (its script
// name, the check of its domain, its mathematics from ScalarMath.h) and one
// class template runs every rule: it reads the arguments, reports a refusal
// at the call's position, computes and writes Result.

#include <cstdint>
#include <string>

#include "engine/Func.h"

template <class TNumber, class... TArgs>
struct TScalarRule {
  const char* Name;
  // The message for arguments outside the domain, empty for arguments inside
  // it; nil when every argument is accepted.
  std::string (*Refusal)(TArgs... args);
  TNumber (*Compute)(TArgs... args);
  // A platform fault of Compute becomes an error line without position and
  // the call fails, instead of leaving the engine.
  bool ReportsFaults;
};

using TRealRule = TScalarRule<long double, long double>;
using TRealPairRule = TScalarRule<long double, long double, long double>;
using TIntegerRule = TScalarRule<std::int64_t, std::int64_t>;
using TIntegerPairRule = TScalarRule<std::int64_t, std::int64_t, std::int64_t>;

// Instantiated for the four rule shapes above.
template <class TNumber, class... TArgs>
bool ExecuteScalarRule(TFunc& routine, const TScalarRule<TNumber, TArgs...>& rule, TSourcePos pos);

template <const auto& Rule>
class TScalarRoutine final : public TFunc {
public:
  TScalarRoutine(TFuncKind* signature, TLib* lib) : TFunc(Rule.Name, signature, lib) {}

  bool Execute(TSourcePos pos) override { return ExecuteScalarRule(*this, Rule, pos); }
};

extern const TRealRule SqrtRule;
extern const TRealRule SqrRule;
extern const TRealRule SinRule;
extern const TRealRule CosRule;
extern const TRealRule ExpRule;
extern const TRealRule TanRule;
extern const TRealRule TanhRule;
extern const TRealRule ArcCosRule;
extern const TRealRule ArcCoshRule;
extern const TRealRule ArcCotRule;
extern const TRealRule ArcCothRule;
extern const TRealRule ArcSinRule;
extern const TRealRule ArcSinhRule;
extern const TRealRule ArcTanRule;
extern const TRealRule ArcTanhRule;
extern const TRealRule CoshRule;
extern const TRealRule CotanRule;
extern const TRealRule CothRule;
extern const TRealRule AbsRule;
extern const TRealRule FracRule;
extern const TRealRule LnRule;
extern const TRealRule Log10Rule;
extern const TRealRule Log2Rule;
extern const TRealRule SinhRule;
extern const TRealRule GammaRule;
extern const TRealPairRule ArcTan2Rule;
extern const TRealPairRule HypotRule;
extern const TRealPairRule LogRule;
extern const TIntegerRule AbsIRule;
extern const TIntegerRule FactorialRule;
extern const TIntegerPairRule GCDRule;

using TSqrtMF = TScalarRoutine<SqrtRule>;
using TSqrMF = TScalarRoutine<SqrRule>;
using TSinMF = TScalarRoutine<SinRule>;
using TCosMF = TScalarRoutine<CosRule>;
using TExpMF = TScalarRoutine<ExpRule>;
using TTanMF = TScalarRoutine<TanRule>;
using TTanhMF = TScalarRoutine<TanhRule>;
using TArcCosMF = TScalarRoutine<ArcCosRule>;
using TArcCoshMF = TScalarRoutine<ArcCoshRule>;
using TArcCotMF = TScalarRoutine<ArcCotRule>;
using TArcCothMF = TScalarRoutine<ArcCothRule>;
using TArcSinMF = TScalarRoutine<ArcSinRule>;
using TArcSinhMF = TScalarRoutine<ArcSinhRule>;
using TArcTanMF = TScalarRoutine<ArcTanRule>;
using TArcTanhMF = TScalarRoutine<ArcTanhRule>;
using TCoshMF = TScalarRoutine<CoshRule>;
using TCotanMF = TScalarRoutine<CotanRule>;
using TCothMF = TScalarRoutine<CothRule>;
using TFAbsMF = TScalarRoutine<AbsRule>;
using TFracMF = TScalarRoutine<FracRule>;
using TLnMF = TScalarRoutine<LnRule>;
using TLog10MF = TScalarRoutine<Log10Rule>;
using TLog2MF = TScalarRoutine<Log2Rule>;
using TSinhMF = TScalarRoutine<SinhRule>;
using TGammaMF = TScalarRoutine<GammaRule>;
using TArcTan2MF = TScalarRoutine<ArcTan2Rule>;
using THypotMF = TScalarRoutine<HypotRule>;
using TLogMF = TScalarRoutine<LogRule>;
using TIAbsMF = TScalarRoutine<AbsIRule>;
using TFactMF = TScalarRoutine<FactorialRule>;
using TGCDMF = TScalarRoutine<GCDRule>;
