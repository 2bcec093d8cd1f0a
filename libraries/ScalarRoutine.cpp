#include "libraries/ScalarRoutine.h"

#include <cmath>
#include <tuple>
#include <type_traits>
#include <utility>

#include "engine/MessageChannel.h"
#include "engine/ScalarArith.h"
#include "engine/Var.h"
#include "libraries/Gamma.h"
#include "libraries/ScalarMath.h"

namespace {

template <class TNumber>
TNumber ArgAs(const TFunc& routine, int i) {
  if constexpr (std::is_same_v<TNumber, long double>)
    return RealOperand(routine.GetArgValue(i));
  else
    return IntegerOperand(routine.GetArgValue(i));
}

template <class... TArgs, std::size_t... I>
std::tuple<TArgs...> ReadArgs(const TFunc& routine, std::index_sequence<I...>) {
  return {ArgAs<TArgs>(routine, static_cast<int>(I))...};
}

TValue ValueOf(long double x) { return TValue::Real(x); }
TValue ValueOf(std::int64_t n) { return TValue::Integer(n); }

// Domains. Each gives the refusal message for arguments outside.

std::string Refused(bool accepted, const char* message) { return accepted ? std::string() : message; }

std::string SqrtRefusal(long double x) { return Refused(x >= 0, "Sqrt argument must be non-negative"); }
std::string ArcCosRefusal(long double x) {
  return Refused(x >= -1 && x <= 1, "ArcCos argument must be between -1 and 1");
}
std::string ArcSinRefusal(long double x) {
  return Refused(x >= -1 && x <= 1, "ArcSin argument must be between -1 and 1");
}
std::string ArcCoshRefusal(long double x) { return Refused(x >= 1, "ArcCosh argument must be greater or equal 1"); }
std::string ArcTanhRefusal(long double x) {
  return Refused(x > -1 && x < 1, "ArcTanh argument must be between -1 and 1");
}
std::string LnRefusal(long double x) { return Refused(x > 0, "Ln argument must be positive"); }
std::string Log10Refusal(long double x) { return Refused(x > 0, "Log10 argument must be positive"); }
std::string Log2Refusal(long double x) { return Refused(x > 0, "Log2 argument must be positive"); }
std::string CotanRefusal(long double x) { return Refused(std::fabs(x) > 1e-100L, "Cotan argument must be non-zero"); }
std::string ArcTan2Refusal(long double ordinate, long double) {
  return Refused(std::fabs(ordinate) > 1e-100L, "ArcTan2 first argument must be non-zero");
}
std::string LogRefusal(long double base, long double x) {
  return Refused(base > 0 && x > 0, "Log arguments must be positive");
}
std::string FactorialRefusal(std::int64_t x) { return Refused(x >= 0 && x <= 20, "Argument has to be from 0 to 20"); }

}  // namespace

template <class TNumber, class... TArgs>
bool ExecuteScalarRule(TFunc& routine, const TScalarRule<TNumber, TArgs...>& rule, TSourcePos pos) {
  const std::tuple<TArgs...> args = ReadArgs<TArgs...>(routine, std::index_sequence_for<TArgs...>());
  if (rule.Refusal) {
    const std::string refusal = std::apply(rule.Refusal, args);
    if (!refusal.empty()) {
      ReportError(refusal, pos, nullptr);
      return false;
    }
  }
  TNumber result{};
  const auto compute = [&] { result = std::apply(rule.Compute, args); };
  if (rule.ReportsFaults) {
    if (!ReportingFaults(compute)) return false;
  } else {
    compute();
  }
  static_cast<TBaseVar*>(routine.ResultVariable())->SetValue(ValueOf(result));
  return true;
}

template bool ExecuteScalarRule(TFunc&, const TRealRule&, TSourcePos);
template bool ExecuteScalarRule(TFunc&, const TRealPairRule&, TSourcePos);
template bool ExecuteScalarRule(TFunc&, const TIntegerRule&, TSourcePos);
template bool ExecuteScalarRule(TFunc&, const TIntegerPairRule&, TSourcePos);

const TRealRule SqrtRule{"Sqrt", SqrtRefusal, RealSqrt, false};
const TRealRule SqrRule{"Sqr", nullptr, RealSqr, false};
const TRealRule SinRule{"Sin", nullptr, RealSin, false};
const TRealRule CosRule{"Cos", nullptr, RealCos, false};
const TRealRule ExpRule{"Exp", nullptr, RealExp, false};
const TRealRule TanRule{"Tan", nullptr, RealTan, true};
const TRealRule TanhRule{"Tanh", nullptr, RealTanh, true};
const TRealRule ArcCosRule{"ArcCos", ArcCosRefusal, RealArcCos, false};
const TRealRule ArcCoshRule{"ArcCosh", ArcCoshRefusal, RealArcCosh, false};
const TRealRule ArcCotRule{"ArcCot", nullptr, RealArcCot, false};
const TRealRule ArcCothRule{"ArcCoth", nullptr, RealArcCoth, true};
const TRealRule ArcSinRule{"ArcSin", ArcSinRefusal, RealArcSin, false};
const TRealRule ArcSinhRule{"ArcSinh", nullptr, RealArcSinh, false};
const TRealRule ArcTanRule{"ArcTan", nullptr, RealArcTan, false};
const TRealRule ArcTanhRule{"ArcTanh", ArcTanhRefusal, RealArcTanh, false};
const TRealRule CoshRule{"Cosh", nullptr, RealCosh, false};
const TRealRule CotanRule{"Cotan", CotanRefusal, RealCotan, false};
const TRealRule CothRule{"Coth", nullptr, RealCoth, true};
const TRealRule AbsRule{"Abs", nullptr, RealAbs, false};
const TRealRule FracRule{"Frac", nullptr, RealFrac, false};
const TRealRule LnRule{"Ln", LnRefusal, RealLn, false};
const TRealRule Log10Rule{"Log10", Log10Refusal, RealLog10, false};
const TRealRule Log2Rule{"Log2", Log2Refusal, RealLog2, false};
const TRealRule SinhRule{"Sinh", nullptr, RealSinh, false};
const TRealRule GammaRule{"Gamma", GammaRefusal, GammaValue, false};
const TRealPairRule ArcTan2Rule{"ArcTan2", ArcTan2Refusal, RealArcTan2, false};
const TRealPairRule HypotRule{"Hypot", nullptr, RealHypot, false};
const TRealPairRule LogRule{"Log", LogRefusal, RealLog, false};
const TIntegerRule AbsIRule{"AbsI", nullptr, IntAbs, false};
const TIntegerRule FactorialRule{"Factorial", FactorialRefusal, IntFactorial, false};
const TIntegerPairRule GCDRule{"GCD", nullptr, IntGCD, false};
