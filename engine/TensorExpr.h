#pragma once
// A vector or matrix literal {a, b, ...} whose elements are not all
// constant: it builds its array anew at each evaluation. A matrix literal
// is a vector literal of row literals, so a matrix is an array of rows.

#include <memory>

#include "engine/Expression.h"

class TTensorExpr final : public TCVarExpr {
public:
  TTensorExpr(TSourcePos pos, TLib* lib) : TCVarExpr(pos, lib) {}
  ~TTensorExpr() override;

  void AddElement(std::unique_ptr<TExpression> expr);
  int Count() const { return count_; }
  // The array variable the literal fills: of kind, one element per element
  // expression.
  void MakeArray(TKind* kind);

  bool Compute(TEvalMode mode) override;
  bool IsReadOnly() const override { return false; }

private:
  std::unique_ptr<TExpression> elements_;
  TExpression* last_ = nullptr;
  int count_ = 0;
};
