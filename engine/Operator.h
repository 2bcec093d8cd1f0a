#pragma once
// Operators: every operation of Tarnscript, built-in or declared by a script,
// is a TOperator chosen once by the compiler from the operator table and
// applied at run time by the expression nodes. Each operator computes into a
// result variable of its own that lives as long as the operator, so applying
// one allocates no variable; whoever applies it copies the result out before
// the operator can be applied again.

#include <cstdint>
#include <memory>

class TFunc;
class TKind;
class TLib;
class TVar;

class TOperator {
public:
  TOperator(std::uint8_t token, TLib* lib) : token_(token), lib_(lib) {}
  virtual ~TOperator() = default;
  TOperator(const TOperator&) = delete;
  TOperator& operator=(const TOperator&) = delete;

  // The library that declared the operator; nil for every built-in one.
  TLib* Lib() const { return lib_; }
  // Token code of the operator symbol.
  std::uint8_t Token() const { return token_; }

  // Reads the operands (right is nil for a unary operator) and writes the
  // result variable. A failed computation is reported as an error line and
  // gives False; no failure escapes.
  virtual bool Apply(TVar* left, TVar* right) = 0;
  virtual bool IsBinary() const = 0;
  // The kind of the left operand, or of the only operand of a unary operator.
  virtual TKind* LeftKind() const = 0;
  // Nil for a unary operator.
  virtual TKind* RightKind() const = 0;
  virtual TVar* ResultVar() const = 0;
  virtual TKind* ResultKind() const = 0;
  // The kind of the result for these operand kinds (right is nil for a
  // unary use): ResultKind, unless the operands narrow it.
  virtual TKind* ResultKindFor(TKind* /*left*/, TKind* /*right*/) const { return ResultKind(); }
  // A further test of the actual operand kinds, made by the compiler on the
  // operator that the table found; right is nil for a unary use.
  virtual bool Accepts(TKind* /*left*/, TKind* /*right*/) const { return true; }

private:
  std::uint8_t token_;
  TLib* lib_;
};

// How a built-in operator computes: reads left and right (nil for a unary
// operator) and writes result. It may throw the arithmetic faults of
// runtime/Exceptions.h, and must throw before it writes anything.
using TOperatorBody = void (*)(TVar* left, TVar* right, TVar* result);

// Runs body; an arithmetic fault becomes the error line of its message alone
// (no position, no library) and False. Failed assertions pass through.
bool RunOperatorBody(TOperatorBody body, TVar* left, TVar* right, TVar* result);

class TBinOp : public TOperator {
public:
  // Makes the result variable: anonymous, of kind resultKind, constant.
  TBinOp(std::uint8_t token, TKind* leftKind, TKind* rightKind, TKind* resultKind, TLib* lib);
  ~TBinOp() override;

  bool IsBinary() const override { return true; }
  TKind* LeftKind() const override { return left_; }
  TKind* RightKind() const override { return right_; }
  TVar* ResultVar() const override { return result_.get(); }
  TKind* ResultKind() const override;

private:
  TKind* left_;
  TKind* right_;
  std::unique_ptr<TVar> result_;
};

class TUnOp : public TOperator {
public:
  TUnOp(std::uint8_t token, TKind* operandKind, TKind* resultKind, TLib* lib);
  ~TUnOp() override;

  bool IsBinary() const override { return false; }
  TKind* LeftKind() const override { return operand_; }
  TKind* RightKind() const override { return nullptr; }
  TVar* ResultVar() const override { return result_.get(); }
  TKind* ResultKind() const override;

private:
  TKind* operand_;
  std::unique_ptr<TVar> result_;
};

// A built-in operator computed by one body; accept, when given, decides
// Accepts (otherwise True), and narrow, when given, ResultKindFor.
using TAcceptRule = bool (*)(TKind* left, TKind* right);
using TNarrowRule = TKind* (*)(TKind* left, TKind* right);

class TBuiltInBinOp : public TBinOp {
public:
  TBuiltInBinOp(std::uint8_t token, TKind* leftKind, TKind* rightKind, TKind* resultKind, TOperatorBody body,
                TAcceptRule accept = nullptr, TNarrowRule narrow = nullptr)
      : TBinOp(token, leftKind, rightKind, resultKind, nullptr), body_(body), accept_(accept), narrow_(narrow) {}

  bool Apply(TVar* left, TVar* right) override { return RunOperatorBody(body_, left, right, ResultVar()); }
  bool Accepts(TKind* left, TKind* right) const override { return !accept_ || accept_(left, right); }
  TKind* ResultKindFor(TKind* left, TKind* right) const override {
    return narrow_ ? narrow_(left, right) : ResultKind();
  }

private:
  TOperatorBody body_;
  TAcceptRule accept_;
  TNarrowRule narrow_;
};

class TBuiltInUnOp : public TUnOp {
public:
  TBuiltInUnOp(std::uint8_t token, TKind* operandKind, TKind* resultKind, TOperatorBody body)
      : TUnOp(token, operandKind, resultKind, nullptr), body_(body) {}

  bool Apply(TVar* operand, TVar*) override { return RunOperatorBody(body_, operand, nullptr, ResultVar()); }

private:
  TOperatorBody body_;
};

// An operator declared by a script: the routine compiled from the
// declaration, whose parameters are the operand kinds; binary when it has two.
class TFuncOp : public TOperator {
public:
  TFuncOp(std::uint8_t token, std::unique_ptr<TFunc> routine, TLib* lib);
  ~TFuncOp() override;

  TFunc* Routine() const { return routine_.get(); }

  // Runs the routine on the operands as any guarded call does: an operator
  // that its own routine applies again while it runs is refused with the
  // reentry error instead of recursing without end, var parameters are bound
  // to the operands, and a failing routine fails the operation.
  bool Apply(TVar* left, TVar* right) override;
  bool IsBinary() const override;
  TKind* LeftKind() const override;
  TKind* RightKind() const override;
  TVar* ResultVar() const override;
  TKind* ResultKind() const override;

private:
  std::unique_ptr<TFunc> routine_;
};
