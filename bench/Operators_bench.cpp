#include <benchmark/benchmark.h>

#include "engine/Kind.h"
#include "engine/KindTab.h"
#include "engine/Lib.h"
#include "engine/ScalarOperators.h"
#include "engine/Var.h"

namespace {

// One engine's built-in kinds, and two operand variables of the given values.
struct TOperands {
  TOperands(const TValue& leftValue, const TValue& rightValue) {
    kinds.RegisterBuiltIns(&system);
    left = MakeVar("", BaseKind(leftValue.Kind()), false, leftValue, nullptr);
    right = MakeVar("", BaseKind(rightValue.Kind()), false, rightValue, nullptr);
  }
  TLib system{"System", true};
  TKindTab kinds;
  std::unique_ptr<TVar> left;
  std::unique_ptr<TVar> right;
};

// One application per iteration, as an expression step evaluates it: the
// operands are read, the result written into the operator's own variable.
template <class TOp>
void ApplyRepeatedly(benchmark::State& state, const TValue& left, const TValue& right) {
  TOperands operands(left, right);
  TOp op;
  for (auto _ : state) benchmark::DoNotOptimize(op.Apply(operands.left.get(), operands.right.get()));
}

void BM_IntegerAdd(benchmark::State& state) {
  ApplyRepeatedly<TAdd_II>(state, TValue::Integer(40), TValue::Integer(2));
}
void BM_RealDivide(benchmark::State& state) { ApplyRepeatedly<TDiv_FF>(state, TValue::Real(1), TValue::Real(3)); }
void BM_RealToIntegerPower(benchmark::State& state) {
  ApplyRepeatedly<TPow_FF>(state, TValue::Real(1.0001L), TValue::Integer(1000));
}
void BM_IntegerLessThanReal(benchmark::State& state) {
  ApplyRepeatedly<TLess_FF>(state, TValue::Integer(3), TValue::Real(3.5L));
}
void BM_StringsEqual(benchmark::State& state) {
  ApplyRepeatedly<TEqu_SS>(state, TValue::String("a text of some length"), TValue::String("a text of some length"));
}
void BM_CharConcat(benchmark::State& state) { ApplyRepeatedly<TAdd_SS>(state, TValue::Char('a'), TValue::Char('b')); }

}  // namespace

BENCHMARK(BM_IntegerAdd);
BENCHMARK(BM_RealDivide);
BENCHMARK(BM_RealToIntegerPower);
BENCHMARK(BM_IntegerLessThanReal);
BENCHMARK(BM_StringsEqual);
BENCHMARK(BM_CharConcat);
