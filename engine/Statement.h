#pragma once
// Statement trees: the nodes the compiler builds for the statements of a
// program, a library's initialisation block or a routine body. A statement
// is checked once when its owner is complete (Check), then executed any
// number of times (Execute).
//
// A statement reports its errors where they happen and simply ends: the
// enclosing statements go on. Abort, break, continue and exit travel up the
// running tree through the run flags (RunFlags.h): every compound statement
// stops after the statement that set one, every loop reacts to its own, and
// the script routine consumes the rest at its boundary (Proc.h).
//
// Statements keep the windows alive: they process pending window messages
// before each statement of a compound statement and at the start of most
// statements and loop passes (RunState.h).
//
// Loops are in LoopStmt.h.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/Source.h"

class TExpression;
class TRefVar;
class TTypedRoot;

// Node codes.
enum TStmtCode : std::uint8_t {
  scCompound = 0,
  scExpression = 1,
  scIf = 2,
  scWhile = 3,  // repeat shares it
  scFor = 5,
  scForEach = 6,
  scContinue = 7,
  scBreak = 8,
  scExit = 9,
  scEmpty = 10,
  scCase = 11,
  scWith = 12,
};

class TStatement : public TSource {
public:
  TStatement(TSourcePos pos, TLib* lib, std::uint8_t nodeCode) : TSource(pos, lib, nodeCode) {}
  TStatement(const TStatement&) = delete;
  TStatement& operator=(const TStatement&) = delete;

  // Errors are reported inside; the run flags tell the enclosing
  // statements what else to do. The base processes window messages.
  virtual void Execute();
  // Reports the first fault of the statement and its children.
  virtual bool Check() { return true; }

protected:
  // Evaluates a condition the check found to be Boolean; false when the
  // evaluation failed (and reported).
  static bool EvaluateCondition(TExpression& cond, bool& value);
  // Reports message at expr when expr's kind has not the code.
  static bool CheckKindCode(const TExpression& expr, std::uint8_t code, const char* message);
};

// One cell of a statement list; the first cell owns the rest.
class TStmtList {
public:
  explicit TStmtList(std::unique_ptr<TStatement> stmt) : stmt_(std::move(stmt)) {}
  // Frees the rest of the list without recursing along it.
  ~TStmtList();
  TStmtList(const TStmtList&) = delete;
  TStmtList& operator=(const TStmtList&) = delete;

  TStatement* Stmt() const { return stmt_.get(); }
  TStmtList* Next() const { return next_.get(); }

private:
  friend class TCompStmt;

  std::unique_ptr<TStatement> stmt_;
  std::unique_ptr<TStmtList> next_;
};

// begin s1; s2; ... end
class TCompStmt final : public TStatement {
public:
  TCompStmt(TSourcePos pos, TLib* lib) : TStatement(pos, lib, scCompound) {}

  void Add(std::unique_ptr<TStatement> stmt);
  TStmtList* Head() const { return head_.get(); }

  // An assignment with a typed form runs that form, with the steps that the
  // expression statement takes around it; any other statement executes.
  void Execute() override;
  bool Check() override;

private:
  // One statement of the list, with its assignment's typed form if any.
  struct TStep {
    TStatement* Stmt;
    TTypedRoot* Lowered;
  };

  const std::vector<TStep>& Steps();

  std::unique_ptr<TStmtList> head_;
  TStmtList* tail_ = nullptr;
  std::vector<TStep> steps_;  // made at the first run
  bool stepsMade_ = false;
};

// The typed form of a statement that is an assignment with one; nil for
// any other statement.
TTypedRoot* LoweredAssignment(TStatement& stmt);

// An expression run for its effect (an assignment, a call); its value is dropped.
class TExprStmt final : public TStatement {
public:
  TExprStmt(TSourcePos pos, std::unique_ptr<TExpression> expr, TLib* lib);
  ~TExprStmt() override;

  TExpression* Expr() const { return expr_.get(); }

  void Execute() override;
  bool Check() override;

private:
  std::unique_ptr<TExpression> expr_;
};

class TIfStmt final : public TStatement {
public:
  // elsePart may be nil.
  TIfStmt(TSourcePos pos, std::unique_ptr<TExpression> cond, std::unique_ptr<TStatement> thenPart,
          std::unique_ptr<TStatement> elsePart, TLib* lib);
  ~TIfStmt() override;

  void Execute() override;
  bool Check() override;

private:
  std::unique_ptr<TExpression> cond_;
  std::unique_ptr<TStatement> thenPart_;
  std::unique_ptr<TStatement> elsePart_;
};

// break, continue and exit: each sets its run flag after pumping.
class TJumpStmt : public TStatement {
public:
  void Execute() override;

protected:
  TJumpStmt(TSourcePos pos, TLib* lib, std::uint8_t nodeCode, bool& flag)
      : TStatement(pos, lib, nodeCode), flag_(flag) {}

private:
  bool& flag_;
};

class TBreakStmt final : public TJumpStmt {
public:
  TBreakStmt(TSourcePos pos, TLib* lib);
};

class TContStmt final : public TJumpStmt {
public:
  TContStmt(TSourcePos pos, TLib* lib);
};

class TExitStmt final : public TJumpStmt {
public:
  TExitStmt(TSourcePos pos, TLib* lib);
};

// begin end: only processes window messages.
class TEmptyStmt final : public TStatement {
public:
  TEmptyStmt(TSourcePos pos, TLib* lib) : TStatement(pos, lib, scEmpty) {}
};

// One labelled branch of a case statement: the selector values Low..High.
// Bounds are 64-bit, like the selector, so every Integer selects exactly.
class TCaseRec {
public:
  // High below Low fails the assertion "C6E13BE1".
  TCaseRec(std::unique_ptr<TStatement> stmt, std::int64_t low, std::int64_t high);

  TStatement* Stmt() const { return stmt_.get(); }
  std::int64_t Low() const { return low_; }
  std::int64_t High() const { return high_; }
  bool Meets(std::int64_t low, std::int64_t high) const { return low <= high_ && low_ <= high; }

private:
  std::unique_ptr<TStatement> stmt_;
  std::int64_t low_;
  std::int64_t high_;
};

// case selector of ranges [else statement] end. The selector is read as an
// ordinal (an Integer, a Char's code, False 0 and True 1, an enumeration
// member's ordinal from 0); the first range holding it wins.
class TCaseStmt final : public TStatement {
public:
  TCaseStmt(TSourcePos pos, std::unique_ptr<TExpression> selector, TLib* lib);
  ~TCaseStmt() override;

  // False, and the statement is freed, when the range meets one already added.
  bool AddRange(std::unique_ptr<TStatement> stmt, std::int64_t low, std::int64_t high);
  void SetElsePart(std::unique_ptr<TStatement> stmt) { elsePart_ = std::move(stmt); }
  const TExpression& Selector() const { return *selector_; }

  void Execute() override;
  bool Check() override;

private:
  TStatement* Select(std::int64_t ordinal) const;

  std::unique_ptr<TExpression> selector_;
  std::vector<TCaseRec> ranges_;
  std::unique_ptr<TStatement> elsePart_;
};

// with record do body. Ref stands for the record while the body runs; the
// compiler resolves the record's field names in the body through it.
class TWithStmt final : public TStatement {
public:
  // rec must be a record designator; Ref is constant when rec is read-only.
  TWithStmt(TSourcePos pos, std::unique_ptr<TExpression> rec, TLib* lib);
  ~TWithStmt() override;

  TRefVar* Ref() const { return ref_.get(); }
  void SetBody(std::unique_ptr<TStatement> body) { body_ = std::move(body); }

  void Execute() override;
  bool Check() override;

private:
  std::unique_ptr<TExpression> rec_;
  std::unique_ptr<TRefVar> ref_;  // outlives the body, whose nodes refer to it
  std::unique_ptr<TStatement> body_;
};
