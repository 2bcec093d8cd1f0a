#pragma once
// Operator nodes: relational chains, additive and multiplicative chains,
// unary operators. Each operand after the first carries the operator (Op)
// that joins it to the one before, chosen by the compiler. An operator
// computes into a result variable of its own that every use shares, so a
// node copies that result out at once.

#include <memory>
#include <vector>

#include "engine/Expression.h"
#include "engine/TypedEval.h"

// a < b < c: every operand is evaluated and copied into a temporary of its
// own at once, then each adjacent pair is compared; the value is True when
// every comparison is.
class TRelationExpr final : public TExpression {
public:
  // A nil first operand fails "7379BD03".
  TRelationExpr(TSourcePos pos, std::unique_ptr<TExpression> first, TLib* lib);
  ~TRelationExpr() override;

  void Append(std::unique_ptr<TExpression> operand) { last_ = AppendExpression(*last_, std::move(operand)); }
  TExpression* First() const { return first_.get(); }

  bool Compute(TEvalMode mode) override;
  TKind* ResultKind() const override;
  TVar* ResultVar() const override { return result_.get(); }
  // Every comparison must give a Boolean.
  bool Check() override;

private:
  std::unique_ptr<TExpression> first_;
  TExpression* last_;  // of first_'s chain, so that a long chain is built in linear time
  std::unique_ptr<TVar> result_;
  std::vector<std::unique_ptr<TVar>> temps_;  // one per operand, made by Check
  TLoweredForm lowered_;
};

// a + b - c is ((a + b) - c): a left fold. The first operand's variable is
// used as it is; each step's result is copied into a temporary, and
// consecutive steps whose results fit one temporary share it.
class TMathExpr : public TExpression {
public:
  // A nil first operand fails "4786A101".
  TMathExpr(TSourcePos pos, std::unique_ptr<TExpression> first, TLib* lib);
  ~TMathExpr() override;

  void Append(std::unique_ptr<TExpression> operand) { last_ = AppendExpression(*last_, std::move(operand)); }
  // The first operand, whose Next are the others.
  TExpression* First() const { return first_.get(); }

  bool Compute(TEvalMode mode) override;
  // Both need Check first ("Assertion failure").
  TKind* ResultKind() const override;
  TVar* ResultVar() const override;
  // Done once; makes the temporaries.
  bool Check() override;

private:
  TVar* LastStep() const;

  std::unique_ptr<TExpression> first_;
  TExpression* last_;  // of first_'s chain, so that a long chain is built in linear time
  std::vector<std::unique_ptr<TVar>> temps_;
  std::vector<TVar*> steps_;  // the temporary of each operator, in order
  bool prepared_ = false;
  TLoweredForm lowered_;
};

// The additive level.
class TSimpleExpr final : public TMathExpr {
public:
  using TMathExpr::TMathExpr;
};

// The multiplicative and power levels.
class TTermExpr final : public TMathExpr {
public:
  using TMathExpr::TMathExpr;
};

class TUnExpr final : public TExpression {
public:
  // operand carries the operator: nil fails "7379BD04", no operator "CCA5F5C3".
  TUnExpr(TSourcePos pos, std::unique_ptr<TExpression> operand, TLib* lib);
  ~TUnExpr() override;

  // It carries the operator.
  TExpression* Operand() const { return operand_.get(); }

  bool Compute(TEvalMode mode) override;
  TKind* ResultKind() const override;
  TVar* ResultVar() const override { return result_.get(); }
  bool Check() override;

private:
  std::unique_ptr<TExpression> operand_;
  std::unique_ptr<TVar> result_;
  TLoweredForm lowered_;
};
