#pragma once
// A routine call: callee(arguments). The routine is marked busy before the
// arguments are evaluated, so a call of a routine inside its own argument
// list, f(f(x)), is refused like any other reentry. The call's value is the
// node's own copy of the routine's Result, so two calls of one routine in
// one expression keep their two results.

#include <memory>
#include <vector>

#include "engine/Expression.h"

class TFuncKind;

class TFuncExpr final : public TVarExpr {
public:
  TFuncExpr(TSourcePos pos, std::unique_ptr<TExpression> callee, int argCount, std::unique_ptr<TExpression> args,
            TLib* lib);
  ~TFuncExpr() override;

  TExpression* Callee() const { return callee_.get(); }
  // The first argument; Next gives the others.
  TExpression* Args() const { return args_.get(); }
  int ArgCount() const { return argCount_; }

  // Never folded.
  bool Compute(TEvalMode mode) override;
  // The signature's result kind; nil for a procedure.
  TKind* ResultKind() const override;
  TVar* ResultVar() const override { return result_.get(); }
  bool IsReadOnly() const override { return true; }
  // Matches the arguments against the parameters and makes the result.
  bool Check() override;

private:
  TFuncKind* Signature() const;
  // Every argument must check and have a value; a non-variadic routine's
  // parameter must accept it, and a var parameter needs a variable.
  bool CheckHasValue(TExpression& arg) const;
  bool CheckArgument(int number, TExpression& arg, const TFuncKind& signature) const;
  bool EvaluateArguments();

  std::unique_ptr<TExpression> callee_;
  std::unique_ptr<TExpression> args_;
  int argCount_;
  std::unique_ptr<TVar> result_;
  // Made by Check, so that a call allocates nothing: the argument kinds
  // (which rebuild a variadic routine) and the slots of the argument values.
  std::vector<TKind*> argKinds_;
  std::vector<TVar*> argVars_;
};
