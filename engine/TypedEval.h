#pragma once
// Typed evaluation: an expression of Real, Integer or Boolean kind, once
// checked, is lowered at its first run into typed nodes that compute native
// values (long double, int64_t, bool) instead of writing a result variable
// per operator. Variables are read and written through their fixed value
// slots, constants are folded into the nodes, array elements are located
// inline, and the checked arithmetic of ScalarArith.h is inlined.
//
// The lowered form keeps what the generic evaluation does: the order in
// which operands run and variables are read (a variable left of an operator
// is read after the right operand ran), the fault texts and positions, and
// the abort tests. Anything the lowering does not understand (calls, record
// fields, strings, ...) runs through its generic evaluation as one part of
// the lowered tree, or keeps the whole expression on the generic path.

#include <cstdint>
#include <memory>

class TAssignExpr;
class TExpression;
class TValue;
class TVar;

// A lowered expression.
class TTypedRoot {
public:
  virtual ~TTypedRoot() = default;
  // Computes and stores the value; the variable that holds it (the
  // expression's result variable, or the assignment's target), nil after a
  // failure, which has been reported.
  virtual TVar* Run() = 0;
  // Runs as the whole body of a counted loop, the counter's slot taking
  // start, start + 1 (or - 1 when down), ... limit before each pass, as the
  // loop statement runs it, messages let through, until an abort is pending.
  // False, and nothing run, where the root cannot do better than Run.
  virtual bool RunCounted(TValue& /*counter*/, std::int64_t /*start*/, std::int64_t /*limit*/, bool /*down*/) {
    return false;
  }
};

// The lowered form of one expression node, made at its first run.
class TLoweredForm {
public:
  TLoweredForm();
  ~TLoweredForm();
  TLoweredForm(const TLoweredForm&) = delete;
  TLoweredForm& operator=(const TLoweredForm&) = delete;

  // A relation, operator chain or unary operator: true when expr has a
  // lowered form and ran through it, ok telling how it went.
  bool Run(TExpression& expr, bool& ok);
  // An assignment: true when it ran lowered, target the variable assigned
  // (nil after a failure).
  bool RunAssignment(TAssignExpr& expr, TVar*& target);
  // The lowered form of an assignment, made if need be; nil when it has none.
  TTypedRoot* Assignment(TAssignExpr& expr);

private:
  TTypedRoot* Lowered(TExpression& expr, bool assignment);

  std::unique_ptr<TTypedRoot> root_;
  bool tried_ = false;
};
