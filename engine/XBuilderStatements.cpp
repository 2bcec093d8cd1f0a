// The statement compiler: one statement by its first keyword, statement
// lists, and the branches of case statements. A statement's type checks
// (Boolean conditions, Integer counters) are made by its owner once the
// whole tree is complete; what only the compiler can tell (an ordinal case
// selector, a record for with, a variable for for) is refused here.

#include <memory>

#include "engine/DesignatorExpr.h"
#include "engine/Expression.h"
#include "engine/Kind.h"
#include "engine/LoopStmt.h"
#include "engine/Statement.h"
#include "engine/Var.h"
#include "engine/XBuilder.h"

namespace {

// A with statement's record on the with stack while its body is compiled.
class TWithScope {
public:
  TWithScope(THashStack& stack, TRefVar* ref) : stack_(stack) { stack_.Push(ref); }
  ~TWithScope() { stack_.Pop(); }
  TWithScope(const TWithScope&) = delete;
  TWithScope& operator=(const TWithScope&) = delete;

private:
  THashStack& stack_;
};

bool IsDesignator(const TExpression& expr) { return dynamic_cast<const TVarExpr*>(&expr) != nullptr; }

}  // namespace

std::unique_ptr<TStatement> TXBuilder::CompileStatement() {
  TNestingScope nesting(*this);
  if (nesting.TooDeep()) return nullptr;
  if (Token.TokClass != tcIdentifier) {
    Expect(tcIdentifier, tkNone);
    return nullptr;
  }
  switch (Token.Code) {
    case tkBegin:
      return CompileCompound(true);
    case tkIf:
      return CompileIf();
    case tkFor:
      return CompileFor();
    case tkRepeat:
      return CompileRepeat();
    case tkWhile:
      return CompileWhile();
    case tkCase:
      return CompileCase();
    case tkWith:
      return CompileWith();
    case tkContinue:
      return CompileJump<TContStmt>();
    case tkBreak:
      return CompileJump<TBreakStmt>();
    case tkExit:
      return CompileJump<TExitStmt>();
    default: {
      TSourcePos at = TokenPos();
      std::unique_ptr<TExpression> expr = CompileExpression();
      if (!expr) return nullptr;
      return std::make_unique<TExprStmt>(at, std::move(expr), CurLib);
    }
  }
}

// A list of one statement is that statement; begin end is an empty one.
// One ";" may stand before the end (or until), never two in a row.
std::unique_ptr<TStatement> TXBuilder::CompileCompound(bool withBeginEnd) {
  TSourcePos at = TokenPos();
  const std::uint8_t closer = withBeginEnd ? tkEnd : tkUntil;
  if (withBeginEnd && !Expect(tcIdentifier, tkBegin)) return nullptr;
  if (Match(tcIdentifier, closer)) {
    if (withBeginEnd && !Next()) return nullptr;
    return std::make_unique<TEmptyStmt>(at, CurLib);
  }
  std::unique_ptr<TStatement> result = CompileStatement();
  if (!result) return nullptr;
  if (Match(tcSymbol, tkSemicolon)) {
    auto compound = std::make_unique<TCompStmt>(at, CurLib);
    compound->Add(std::move(result));
    while (Match(tcSymbol, tkSemicolon)) {
      if (!Next()) return nullptr;
      if (Match(tcIdentifier, closer)) break;
      std::unique_ptr<TStatement> stmt = CompileStatement();
      if (!stmt) return nullptr;
      compound->Add(std::move(stmt));
    }
    result = std::move(compound);
  }
  if (withBeginEnd && !Expect(tcIdentifier, tkEnd)) return nullptr;
  return result;
}

template <class TJump>
std::unique_ptr<TStatement> TXBuilder::CompileJump() {
  auto jump = std::make_unique<TJump>(TokenPos(), CurLib);
  if (!Next()) return nullptr;
  return jump;
}

std::unique_ptr<TStatement> TXBuilder::CompileIf() {
  TSourcePos at = TokenPos();
  if (!Expect(tcIdentifier, tkIf)) return nullptr;
  std::unique_ptr<TExpression> cond = CompileExpression();
  if (!cond || !Expect(tcIdentifier, tkThen)) return nullptr;
  std::unique_ptr<TStatement> thenPart = CompileStatement();
  if (!thenPart) return nullptr;
  std::unique_ptr<TStatement> elsePart;
  if (Match(tcIdentifier, tkElse)) {
    if (!Next()) return nullptr;
    elsePart = CompileStatement();
    if (!elsePart) return nullptr;
  }
  return std::make_unique<TIfStmt>(at, std::move(cond), std::move(thenPart), std::move(elsePart), CurLib);
}

// for v := s to l do, for v := s downto l do, or for v in a do: the control
// part is read as a name, which makes an assignment or a designator.
std::unique_ptr<TStatement> TXBuilder::CompileFor() {
  TSourcePos at = TokenPos();
  if (!Expect(tcIdentifier, tkFor)) return nullptr;
  TSourcePos controlAt = TokenPos();
  std::unique_ptr<TExpression> control;
  if (Match(tcIdentifier, tkNone)) {
    control = CompileName();
    if (!control) return nullptr;
  }
  if (!control || !IsDesignator(*control)) {
    ReportAt("Assigned integer variable required", controlAt);
    return nullptr;
  }
  if (dynamic_cast<TAssignExpr*>(control.get())) return CompileCountingLoop(at, std::move(control));
  // The loop assigns each element to the variable.
  if (IsReadOnlyDesignator(*control)) {
    ReportAt("Cannot assign to a constant", controlAt);
    return nullptr;
  }
  if (!Expect(tcIdentifier, tkIn)) return nullptr;
  TSourcePos sourceAt = TokenPos();
  std::unique_ptr<TExpression> source = CompileExpression();
  if (!source) return nullptr;
  if (!IsDesignator(*source)) {
    ReportAt("Array variable required", sourceAt);
    return nullptr;
  }
  std::unique_ptr<TStatement> body = CompileLoopBody();
  if (!body) return nullptr;
  return std::make_unique<TForEachStmt>(at, std::move(control), std::move(source), std::move(body), CurLib);
}

std::unique_ptr<TStatement> TXBuilder::CompileCountingLoop(TSourcePos at, std::unique_ptr<TExpression> init) {
  bool down = Match(tcIdentifier, tkDownto);
  if (!down && !Match(tcIdentifier, tkTo)) {
    Expect(tcIdentifier, tkTo);
    return nullptr;
  }
  if (!Next()) return nullptr;
  std::unique_ptr<TExpression> limit = CompileExpression();
  if (!limit) return nullptr;
  std::unique_ptr<TStatement> body = CompileLoopBody();
  if (!body) return nullptr;
  return std::make_unique<TForStmt>(at, std::move(init), down, std::move(limit), std::move(body), CurLib);
}

std::unique_ptr<TStatement> TXBuilder::CompileLoopBody() {
  if (!Expect(tcIdentifier, tkDo)) return nullptr;
  return CompileStatement();
}

std::unique_ptr<TStatement> TXBuilder::CompileRepeat() {
  TSourcePos at = TokenPos();
  if (!Expect(tcIdentifier, tkRepeat)) return nullptr;
  std::unique_ptr<TStatement> body = CompileCompound(false);
  if (!body || !Expect(tcIdentifier, tkUntil)) return nullptr;
  std::unique_ptr<TExpression> cond = CompileExpression();
  if (!cond) return nullptr;
  return std::make_unique<TRepeatStmt>(at, std::move(cond), std::move(body), CurLib);
}

std::unique_ptr<TStatement> TXBuilder::CompileWhile() {
  TSourcePos at = TokenPos();
  if (!Expect(tcIdentifier, tkWhile)) return nullptr;
  std::unique_ptr<TExpression> cond = CompileExpression();
  if (!cond) return nullptr;
  std::unique_ptr<TStatement> body = CompileLoopBody();
  if (!body) return nullptr;
  return std::make_unique<TWhileStmt>(at, std::move(cond), std::move(body), CurLib);
}

// case selector of label [.. label] : statement ; ... [else statement ;] end
std::unique_ptr<TStatement> TXBuilder::CompileCase() {
  TSourcePos at = TokenPos();
  if (!Expect(tcIdentifier, tkCase)) return nullptr;
  TSourcePos selectorAt = TokenPos();
  std::unique_ptr<TExpression> selector = CompileExpression();
  if (!selector) return nullptr;
  TKind* kind = selector->ResultKind();
  if (!kind || !IsOrdinalCode(kind->Code())) {
    ReportAt("Ordinal expression required", selectorAt);
    return nullptr;
  }
  if (!Expect(tcIdentifier, tkOf)) return nullptr;
  auto node = std::make_unique<TCaseStmt>(at, std::move(selector), CurLib);
  while (!Match(tcIdentifier, tkEnd) && Token.TokClass != tcEOF) {
    if (Match(tcIdentifier, tkElse)) {
      if (!Next()) return nullptr;
      std::unique_ptr<TStatement> elsePart = CompileStatement();
      if (!elsePart || !Expect(tcSymbol, tkSemicolon)) return nullptr;
      node->SetElsePart(std::move(elsePart));
      break;
    }
    if (!CompileCaseBranch(*node, kind)) return nullptr;
  }
  if (!Expect(tcIdentifier, tkEnd)) return nullptr;
  return node;
}

bool TXBuilder::CompileCaseBranch(TCaseStmt& node, TKind* selectorKind) {
  TSourcePos at = TokenPos();
  std::int64_t low = 0;
  if (!CompileCaseLabel(selectorKind, low)) return false;
  std::int64_t high = low;
  if (Match(tcSymbol, tkRange)) {
    if (!Next() || !CompileCaseLabel(nullptr, high)) return false;
  }
  if (!Expect(tcSymbol, tkColon)) return false;
  std::unique_ptr<TStatement> stmt = CompileStatement();
  if (!stmt || !Expect(tcSymbol, tkSemicolon)) return false;
  const char* refusal = nullptr;
  if (high < low)
    refusal = "Bad case selection range";
  else if (!node.AddRange(std::move(stmt), low, high))
    refusal = "Case selection range is already used";
  if (refusal) ReportAt(refusal, at);
  return refusal == nullptr;
}

bool TXBuilder::CompileCaseLabel(TKind* kind, std::int64_t& ordinal) {
  TSourcePos at = TokenPos();
  TValue value;
  if (!CompileConstExpr(value, kind)) return false;
  if (ValueToOrdinal(value, ordinal)) return true;
  ReportAt("Ordinal expression required", at);
  return false;
}

std::unique_ptr<TStatement> TXBuilder::CompileWith() {
  TSourcePos at = TokenPos();
  if (!Expect(tcIdentifier, tkWith)) return nullptr;
  TSourcePos recAt = TokenPos();
  std::unique_ptr<TExpression> rec = CompileExpression();
  if (!rec) return nullptr;
  const char* refusal = nullptr;
  TKind* kind = rec->ResultKind();
  if (!IsDesignator(*rec))
    refusal = "Variable expression required";
  else if (!kind || (kind->Code() != kcRecord && kind->Code() != kcClass))
    refusal = "Record variable required";
  if (refusal) {
    ReportAt(refusal, recAt);
    return nullptr;
  }
  if (!Expect(tcIdentifier, tkDo)) return nullptr;
  auto node = std::make_unique<TWithStmt>(at, std::move(rec), CurLib);
  std::unique_ptr<TStatement> body;
  {
    TWithScope scope(withScopes_, node->Ref());
    body = CompileStatement();
  }
  if (!body) return nullptr;
  node->SetBody(std::move(body));
  return node;
}
