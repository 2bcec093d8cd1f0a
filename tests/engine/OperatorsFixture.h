#pragma once
// The built-in kinds and operators of one engine, with helpers that apply an
// operator the way an expression does: found by the operand kinds, applied to
// operand variables, its result read from its own result variable.

#include <memory>
#include <string>

#include "engine/Lex.h"
#include "engine/OpTab.h"
#include "engine/Operator.h"
#include "KindsFixture.h"

class OperatorsFixture : public KindsFixture {
protected:
  OperatorsFixture() { Ops.RegisterBuiltIns(); }

  // A variable of kind (by default the base kind of value's code) holding value.
  std::unique_ptr<TVar> Operand(const TValue& value, TKind* kind = nullptr) {
    auto var = Var(kind ? kind : BaseKind(value.Kind()));
    Base(*var).SetValue(value);
    return var;
  }

  // The operator the compiler would choose; right nil for a unary use.
  TOperator* Lookup(std::uint8_t token, const TVar* left, const TVar* right) const {
    return Ops.Find(token, true, left->Kind(), right ? right->Kind() : nullptr);
  }

  static TValue ResultValue(const TOperator& op) { return Base(*op.ResultVar()).GetValue(); }

  TLex Lex;
  TOpTab Ops{Lex};
};
