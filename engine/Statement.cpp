#include "engine/Statement.h"

#include <algorithm>
#include <utility>

#include "engine/DesignatorExpr.h"
#include "engine/Expression.h"
#include "engine/Kind.h"
#include "engine/RunFlags.h"
#include "engine/RunState.h"
#include "engine/TypedEval.h"
#include "engine/Var.h"
#include "runtime/Exceptions.h"

void TStatement::Execute() { ProcessMessages(); }

bool TStatement::EvaluateCondition(TExpression& cond, bool& value) {
  if (!cond.Evaluate()) return false;
  value = static_cast<const TBaseVar*>(cond.ResultVar())->GetValue().AsBool();
  return true;
}

bool TStatement::CheckKindCode(const TExpression& expr, std::uint8_t code, const char* message) {
  TKind* kind = expr.ResultKind();
  if (kind && kind->Code() == code) return true;
  ReportError(message, expr.Pos(), expr.Lib());
  return false;
}

TStmtList::~TStmtList() {
  std::unique_ptr<TStmtList> rest = std::move(next_);
  while (rest) rest = std::move(rest->next_);
}

void TCompStmt::Add(std::unique_ptr<TStatement> stmt) {
  auto cell = std::make_unique<TStmtList>(std::move(stmt));
  TStmtList* added = cell.get();
  if (tail_)
    tail_->next_ = std::move(cell);
  else
    head_ = std::move(cell);
  tail_ = added;
  steps_.clear();
  stepsMade_ = false;
}

void TCompStmt::Execute() {
  for (const TStep& step : Steps()) {
    if (AbortFlag) return;
    ProcessMessages();
    if (!step.Lowered)
      step.Stmt->Execute();
    else if (!AbortFlag)
      step.Lowered->Run();
    // The flag stays set for the loop or routine that consumes it.
    if (AbortFlag || BreakFlag || ContinueFlag || ExitFlag) return;
  }
}

const std::vector<TCompStmt::TStep>& TCompStmt::Steps() {
  if (!stepsMade_) {
    stepsMade_ = true;
    for (TStmtList* cell = head_.get(); cell; cell = cell->Next())
      steps_.push_back({cell->Stmt(), LoweredAssignment(*cell->Stmt())});
  }
  return steps_;
}

bool TCompStmt::Check() {
  for (TStmtList* cell = head_.get(); cell; cell = cell->Next())
    if (!cell->Stmt()->Check()) return false;
  return true;
}

TTypedRoot* LoweredAssignment(TStatement& stmt) {
  auto* expr = dynamic_cast<TExprStmt*>(&stmt);
  auto* assignment = expr ? dynamic_cast<TAssignExpr*>(expr->Expr()) : nullptr;
  return assignment ? assignment->Lowered() : nullptr;
}

TExprStmt::TExprStmt(TSourcePos pos, std::unique_ptr<TExpression> expr, TLib* lib)
    : TStatement(pos, lib, scExpression), expr_(std::move(expr)) {}

TExprStmt::~TExprStmt() = default;

// A failed evaluation has reported its error; the statement just ends.
void TExprStmt::Execute() {
  if (!AbortFlag) expr_->Evaluate();
}

bool TExprStmt::Check() { return expr_->Check(); }

TIfStmt::TIfStmt(TSourcePos pos, std::unique_ptr<TExpression> cond, std::unique_ptr<TStatement> thenPart,
                 std::unique_ptr<TStatement> elsePart, TLib* lib)
    : TStatement(pos, lib, scIf),
      cond_(std::move(cond)),
      thenPart_(std::move(thenPart)),
      elsePart_(std::move(elsePart)) {}

TIfStmt::~TIfStmt() = default;

void TIfStmt::Execute() {
  if (AbortFlag) return;
  ProcessMessages();
  bool holds = false;
  if (!EvaluateCondition(*cond_, holds)) return;
  if (holds)
    thenPart_->Execute();
  else if (elsePart_)
    elsePart_->Execute();
}

bool TIfStmt::Check() {
  return CheckKindCode(*cond_, kcBoolean, "Boolean expression expected") && thenPart_->Check() &&
         (!elsePart_ || elsePart_->Check());
}

void TJumpStmt::Execute() {
  ProcessMessages();
  flag_ = true;
}

TBreakStmt::TBreakStmt(TSourcePos pos, TLib* lib) : TJumpStmt(pos, lib, scBreak, BreakFlag) {}

TContStmt::TContStmt(TSourcePos pos, TLib* lib) : TJumpStmt(pos, lib, scContinue, ContinueFlag) {}

TExitStmt::TExitStmt(TSourcePos pos, TLib* lib) : TJumpStmt(pos, lib, scExit, ExitFlag) {}

TCaseRec::TCaseRec(std::unique_ptr<TStatement> stmt, std::int64_t low, std::int64_t high)
    : stmt_(std::move(stmt)), low_(low), high_(high) {
  QASSERT(low <= high, "C6E13BE1");
}

TCaseStmt::TCaseStmt(TSourcePos pos, std::unique_ptr<TExpression> selector, TLib* lib)
    : TStatement(pos, lib, scCase), selector_(std::move(selector)) {}

TCaseStmt::~TCaseStmt() = default;

bool TCaseStmt::AddRange(std::unique_ptr<TStatement> stmt, std::int64_t low, std::int64_t high) {
  TCaseRec range(std::move(stmt), low, high);
  if (std::any_of(ranges_.begin(), ranges_.end(), [&](const TCaseRec& known) { return known.Meets(low, high); }))
    return false;
  ranges_.push_back(std::move(range));
  return true;
}

TStatement* TCaseStmt::Select(std::int64_t ordinal) const {
  for (const TCaseRec& range : ranges_)
    if (range.Low() <= ordinal && ordinal <= range.High()) return range.Stmt();
  return elsePart_.get();
}

void TCaseStmt::Execute() {
  if (AbortFlag || !selector_->Evaluate()) return;
  std::int64_t ordinal = 0;
  if (!ValueToOrdinal(static_cast<const TBaseVar*>(selector_->ResultVar())->GetValue(), ordinal)) return;
  if (TStatement* chosen = Select(ordinal)) chosen->Execute();
}

bool TCaseStmt::Check() {
  if (!selector_->Check()) return false;
  TKind* kind = selector_->ResultKind();
  if (!kind || !IsOrdinalCode(kind->Code())) {
    ReportError("Ordinal expression required", selector_->Pos(), selector_->Lib());
    return false;
  }
  if (ranges_.empty()) {
    ReportError("No case statements found", Pos(), Lib());
    return false;
  }
  for (const TCaseRec& range : ranges_)
    if (!range.Stmt()->Check()) return false;
  return !elsePart_ || elsePart_->Check();
}

TWithStmt::TWithStmt(TSourcePos pos, std::unique_ptr<TExpression> rec, TLib* lib)
    : TStatement(pos, lib, scWith), rec_(std::move(rec)) {
  ref_ = std::make_unique<TRefVar>(std::string(), rec_->ResultKind(), lib, IsReadOnlyDesignator(*rec_));
}

TWithStmt::~TWithStmt() = default;

void TWithStmt::Execute() {
  if (AbortFlag || !rec_->Evaluate()) return;
  TVar* record = rec_->ResultVar();
  QASSERT(record, "7F820177");
  ref_->Bind(record);
  body_->Execute();
  // Lets go of the record, which may be an array element.
  ref_->Reset();
}

bool TWithStmt::Check() { return rec_->Check() && body_ && body_->Check(); }
