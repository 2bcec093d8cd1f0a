#pragma once
// Loops: while, repeat, the counting for and the for-each over an array.
// After each pass of its body a loop consumes the run flags meant for it:
// continue ends the pass, break the loop; exit and abort end the loop and
// stay set for the statements above.

#include <memory>

#include "engine/Statement.h"

class TTypedRoot;

class TLoopStmt : public TStatement {
public:
  ~TLoopStmt() override;

  bool Check() override { return body_->Check(); }

protected:
  TLoopStmt(TSourcePos pos, std::unique_ptr<TStatement> body, TLib* lib, std::uint8_t nodeCode);

  // Executes the body once; false when the loop must end.
  bool RunPass();
  // Consumes the run flags after a pass; false when the loop must end.
  static bool PassEnded();
  TStatement* Body() const { return body_.get(); }

private:
  std::unique_ptr<TStatement> body_;
};

// while cond do body
class TWhileStmt final : public TLoopStmt {
public:
  TWhileStmt(TSourcePos pos, std::unique_ptr<TExpression> cond, std::unique_ptr<TStatement> body, TLib* lib);
  ~TWhileStmt() override;

  void Execute() override;
  bool Check() override;

private:
  std::unique_ptr<TExpression> cond_;
};

// repeat body until cond: the body runs at least once.
class TRepeatStmt final : public TLoopStmt {
public:
  TRepeatStmt(TSourcePos pos, std::unique_ptr<TExpression> cond, std::unique_ptr<TStatement> body, TLib* lib);
  ~TRepeatStmt() override;

  void Execute() override;
  bool Check() override;

private:
  std::unique_ptr<TExpression> cond_;
};

// for v := s to l do body (or downto). The limit is evaluated once and the
// passes are fixed then; each pass stores the counter in v again, so the
// body may change v without changing the passes. Bounds and counter are
// 64-bit: for i := 1 to 9223372036854775807 neither overflows nor wraps.
class TForStmt final : public TLoopStmt {
public:
  // init is the assignment v := s.
  TForStmt(TSourcePos pos, std::unique_ptr<TExpression> init, bool down, std::unique_ptr<TExpression> limit,
           std::unique_ptr<TStatement> body, TLib* lib);
  ~TForStmt() override;

  void Execute() override;
  bool Check() override;

private:
  // A body that is one assignment with a typed form runs that form.
  TTypedRoot* Kernel();

  std::unique_ptr<TExpression> init_;
  std::unique_ptr<TExpression> limit_;
  bool down_;
  TTypedRoot* kernel_ = nullptr;
  bool kernelTried_ = false;
};

// for v in a do body: v takes a copy of each element of the array a, from
// its first index to its last as they are when the loop begins. A body that
// shortens the array ends the loop at the first element gone.
class TForEachStmt final : public TLoopStmt {
public:
  TForEachStmt(TSourcePos pos, std::unique_ptr<TExpression> loopVar, std::unique_ptr<TExpression> source,
               std::unique_ptr<TStatement> body, TLib* lib);
  ~TForEachStmt() override;

  void Execute() override;
  bool Check() override;

private:
  std::unique_ptr<TExpression> loopVar_;
  std::unique_ptr<TExpression> source_;
};
