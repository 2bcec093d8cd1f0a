#pragma once
// Designators with selectors: a record field, an indexed array element or
// string character, and the assignment, whose value is its target variable.
// They find the variable they designate anew at each evaluation.

#include <cstdint>
#include <memory>

#include "engine/Expression.h"
#include "engine/TypedEval.h"

class TElemVar;
class TSlotVar;
class TFunc;

// rec.field
class TRecExpr final : public TVarExpr {
public:
  // A nil record designator fails "749C4B57".
  TRecExpr(std::unique_ptr<TExpression> rec, int fieldIndex, TLib* lib);
  ~TRecExpr() override;

  bool Compute(TEvalMode mode) override;
  TKind* ResultKind() const override;
  // A field of a constant record is as read-only as the record.
  bool IsReadOnly() const override;
  bool Check() override;

private:
  std::unique_ptr<TExpression> rec_;
  int fieldIndex_;
};

// base[i, j]: each index steps one level into a string or an array, so
// m[i, j] selects element j of row i. An index is converted to Integer (an
// enumeration member gives its ordinal plus one) and must lie in range.
class TArrExpr final : public TVarExpr {
public:
  // A nil base fails "4786A102".
  TArrExpr(std::unique_ptr<TExpression> base, std::unique_ptr<TExpression> indices, TLib* lib);
  ~TArrExpr() override;

  TExpression* Base() const { return base_.get(); }
  // The first index; Next gives the others.
  TExpression* Indices() const { return indices_.get(); }

  bool Compute(TEvalMode mode) override;
  // Nil when there are more indices than levels.
  TKind* ResultKind() const override;
  bool IsReadOnly() const override;
  bool Check() override;

private:
  TVar* Select(TVar* var, std::int64_t index, const TExpression& at, TEvalMode mode);

  std::unique_ptr<TExpression> base_;
  std::unique_ptr<TExpression> indices_;
  // This node's own views on a string's character and a compact array's
  // element: two indexing sites never share a view.
  std::unique_ptr<TElemVar> charView_;
  std::unique_ptr<TSlotVar> slotView_;
};

// target := source. The target is evaluated before the source, so the side
// effects of its indices come first. A converter found by the compiler turns
// the source's value into the target's kind.
class TAssignExpr final : public TVarExpr {
public:
  // A nil target or source fails "30A95052".
  TAssignExpr(std::unique_ptr<TExpression> target, std::unique_ptr<TExpression> source, TLib* lib);
  ~TAssignExpr() override;

  void SetConverter(TFunc* converter) { converter_ = converter; }
  TExpression* Target() const { return target_.get(); }
  TExpression* Source() const { return source_.get(); }
  TFunc* Converter() const { return converter_; }
  // The typed form, which a loop may run in place of Compute when the
  // assignment is a statement of its body; nil when it has none.
  TTypedRoot* Lowered() { return lowered_.Assignment(*this); }

  // Never folded.
  bool Compute(TEvalMode mode) override;
  TKind* ResultKind() const override { return target_->ResultKind(); }
  bool IsReadOnly() const override;
  bool Check() override;

private:
  TExpression* SelfAppendTail() const;
  bool AssignSource(TEvalMode mode, TVar& target);

  std::unique_ptr<TExpression> target_;
  std::unique_ptr<TExpression> source_;
  TFunc* converter_ = nullptr;
  // x of s := s + x on a String variable, which appends x in place; nil otherwise.
  TExpression* appendTail_ = nullptr;
  TLoweredForm lowered_;
};

// Whether a node is a designator that a script may assign to.
bool IsReadOnlyDesignator(const TExpression& expr);
// A designator of a variable of a table, without selectors.
bool IsPlainVariable(const TExpression& expr);
// Reports "<what> index = <index> is out of range" at the index (without
// the index when folding constants).
void ReportOutOfRange(const char* what, std::int64_t index, const TExpression& at, TEvalMode mode);
