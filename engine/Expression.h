#pragma once
// Expression trees: the typed nodes the compiler builds for every
// expression. A node is checked once when the compiler has completed it
// (Check), then evaluated any number of times (Evaluate) or, at build time,
// folded (EvaluateConst). After a successful evaluation its value is the
// variable ResultVar returns.
//
// Evaluation allocates nothing: every node that produces a new value owns
// its result variable or temporaries, made once by Check or the
// constructor, and evaluation only writes into existing variables. Errors
// are reported where they happen and answered with false up the tree; with
// AbortFlag set the nodes answer false without a message.
//
// This file holds the base and the variable nodes; operator chains are in
// OperatorExpr.h, designators with selectors in DesignatorExpr.h, calls in
// FuncExpr.h and vector and matrix literals in TensorExpr.h.

#include <cstdint>
#include <memory>

#include "engine/Lib.h"
#include "engine/RunFlags.h"
#include "engine/Source.h"
#include "engine/Value.h"

class TKind;
class TOperator;
class TRefVar;
class TVar;
class TVarBlock;

// Node codes.
enum TExprCode : std::uint8_t {
  ecRelation = 13,
  ecMath = 14,
  ecVariable = 17,
  ecUnary = 19,
};

// Evaluate runs a node; EvaluateConst folds it at build time, which only
// succeeds on constants and never tests AbortFlag.
enum class TEvalMode : std::uint8_t { Run, Const };

// The abort test of the nodes: only a run stops for an abort.
inline bool Aborted(TEvalMode mode) { return mode == TEvalMode::Run && AbortFlag; }

class TExpression : public TSource {
public:
  TExpression(TSourcePos pos, std::uint8_t nodeCode, TLib* lib) : TSource(pos, lib, nodeCode) {}
  // Frees the rest of the chain too, without recursing along it.
  ~TExpression() override;
  TExpression(const TExpression&) = delete;
  TExpression& operator=(const TExpression&) = delete;

  bool Evaluate() { return Compute(TEvalMode::Run); }
  bool EvaluateConst() { return Compute(TEvalMode::Const); }
  virtual bool Compute(TEvalMode mode) = 0;
  // Nil when the node has no value (a procedure call) or cannot tell.
  virtual TKind* ResultKind() const = 0;
  virtual TVar* ResultVar() const = 0;
  // Made once when the node is complete; makes the temporaries.
  virtual bool Check() { return true; }

  // The operator that joins this operand to the previous one of its chain;
  // nil for the first operand and outside chains.
  TOperator* Op() const { return op_; }
  void SetOp(TOperator* op) { op_ = op; }
  // The next operand, argument, index or element; owned.
  TExpression* Next() const { return next_.get(); }

  // The root of a tree handed out of the engine holds the libraries the
  // tree refers to, so that none is unloaded while the tree lives.
  void HoldLibraries(std::unique_ptr<TLibUses> uses);

private:
  friend TExpression* AppendExpression(TExpression& head, std::unique_ptr<TExpression> expr);

  TOperator* op_ = nullptr;
  std::unique_ptr<TExpression> next_;
  std::unique_ptr<TLibUses> libraryHolds_;
};

// Links expr behind the last node of head's chain and returns it; a caller
// that keeps passing the node returned appends in constant time.
TExpression* AppendExpression(TExpression& head, std::unique_ptr<TExpression> expr);

// A designator: a node whose value is a variable it designates. A plain
// TVarExpr designates a variable of a table, which it does not own; the
// subclasses with selectors designate a new variable at each evaluation.
class TVarExpr : public TExpression {
public:
  // A nil variable fails "A7BE4E82".
  TVarExpr(TSourcePos pos, TVar* var, TLib* lib);
  ~TVarExpr() override { ClearDesignated(); }

  bool Compute(TEvalMode mode) override { return mode == TEvalMode::Run || IsReadOnly(); }
  TKind* ResultKind() const override;
  // A by-reference view gives the variable it is bound to.
  TVar* ResultVar() const override;
  // The designated variable may not be assigned by a script.
  virtual bool IsReadOnly() const;

  // The variable designated by the last evaluation.
  TVar* Var() const { return var_; }

protected:
  // For designators that find their variable when they are evaluated.
  TVarExpr(TSourcePos pos, TLib* lib) : TExpression(pos, ecVariable, lib) {}
  void SetVar(TVar* var) { var_ = var; }
  // A variable found by evaluation may be an array element: its block is
  // held, so that an array re-dimensioned meanwhile leaves the element alive
  // (VarBlock.h). The block, not the variable, is what the node keeps: a
  // variable outside any block may be gone by the time the node is freed.
  void Designate(TVar* var);
  void ClearDesignated();

private:
  TVar* var_ = nullptr;
  TVarBlock* block_ = nullptr;  // the block of var_, held
  TRefVar* ref_ = nullptr;      // var_ when it is a by-reference view
};

// A designator over a variable of its own: a constant, or the array a
// vector or matrix literal builds.
class TCVarExpr : public TVarExpr {
public:
  // A constant variable of kind holding value; a nil kind fails "16DFAD09".
  TCVarExpr(TSourcePos pos, TKind* kind, const TValue& value, TLib* lib);
  // Around a variable the compiler built.
  TCVarExpr(TSourcePos pos, std::unique_ptr<TVar> var, TLib* lib);

protected:
  TCVarExpr(TSourcePos pos, TLib* lib) : TVarExpr(pos, lib) {}
  void Own(std::unique_ptr<TVar> var);

private:
  std::unique_ptr<TVar> owned_;
};

// A literal, or a named constant folded to its value.
class TValueExpr final : public TCVarExpr {
public:
  using TCVarExpr::TCVarExpr;
};

// A set literal over the constant set variable the compiler built.
class TSetLitExpr final : public TVarExpr {
public:
  TSetLitExpr(TSourcePos pos, std::unique_ptr<TVar> setVar, TLib* lib);

private:
  std::unique_ptr<TVar> owned_;
};
