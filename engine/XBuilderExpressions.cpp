// The expression compiler: precedence levels, operator choice, literals,
// names, designators with their selectors, assignments, and set, vector and
// matrix literals. Every node is checked once it is complete; a node whose
// check fails is freed and the expression fails.
//
// Levels, loosest first: relational chains (a < b < c), additive (left
// fold), multiplicative (left fold), unary prefix operators whose operand is
// one factor, and the power "^", right-associative and binding tighter than
// the unary operators: -a^b is -(a^b), a^b^c is a^(b^c).

#include <charconv>

#include "engine/ArrVar.h"
#include "engine/DesignatorExpr.h"
#include "engine/Expression.h"
#include "engine/FuncExpr.h"
#include "engine/Kind.h"
#include "engine/OperatorExpr.h"
#include "engine/TensorExpr.h"
#include "engine/Var.h"
#include "engine/XBuilder.h"
#include "runtime/Exceptions.h"
#include "runtime/NumberText.h"

namespace {

constexpr const char* NumberTooLarge = "Number is too large";
constexpr int MaxBinaryLiteralLength = 63;
constexpr int MaxSetMembers = 32;  // set values are 32-bit masks

bool IsScalarCode(TKindCode code) { return code >= kcInteger && code <= kcString; }

}  // namespace

// Chains of binary operators.

// What tells the levels of a chain apart.
struct TXBuilder::TChainLevel {
  std::unique_ptr<TExpression> (TXBuilder::*CompileOperand)();
  bool (TXBuilder::*AtOperator)() const;
  const char* FirstTypeMessage;  // the first operand has no type
  const char* LaterTypeMessage;  // a later operand has no type
  // A relational chain compares each operand with the one before; the other
  // levels fold, so the next operator applies to the last one's result.
  bool Comparisons;
};

bool TXBuilder::AtOperatorToken() const {
  return (Token.TokClass == tcSymbol || Token.TokClass == tcIdentifier) && Token.Code != tkNone;
}

bool TXBuilder::AtRelational() const { return AtOperatorToken() && Lex.IsRelational(Token.Code); }
bool TXBuilder::AtAdditive() const { return AtOperatorToken() && Lex.IsAdditive(Token.Code); }
bool TXBuilder::AtMultiplicative() const { return AtOperatorToken() && ops_.IsMulOp(Token.Code); }
bool TXBuilder::AtUnary() const { return AtOperatorToken() && ops_.IsUnaryOp(Token.Code); }

template <class TChain>
std::unique_ptr<TExpression> TXBuilder::CompileChain(const TChainLevel& level) {
  TSourcePos start = TokenPos();
  std::unique_ptr<TExpression> first = (this->*level.CompileOperand)();
  if (!first || !(this->*level.AtOperator)()) return first;
  TKind* previous = KnownKind(*first, level.FirstTypeMessage, start);
  if (!previous) return nullptr;
  auto chain = std::make_unique<TChain>(start, std::move(first), CurLib);
  while ((this->*level.AtOperator)()) {
    std::uint8_t code = Token.Code;
    TSourcePos at = TokenPos();
    if (!Next()) return nullptr;
    TSourcePos operandStart = TokenPos();
    std::unique_ptr<TExpression> operand = (this->*level.CompileOperand)();
    if (!operand) return nullptr;
    TKind* kind = KnownKind(*operand, level.LaterTypeMessage, operandStart);
    if (!kind) return nullptr;
    TOperator* op = ChooseOperator(code, at, previous, kind);
    if (!op) return nullptr;
    if (level.Comparisons && !SameKind(op->ResultKind(), BaseKind(kcBoolean))) {
      ReportAt("Incompatible types", at);
      return nullptr;
    }
    previous = level.Comparisons ? kind : op->ResultKindFor(previous, kind);
    operand->SetOp(op);
    chain->Append(std::move(operand));
  }
  return Checked(std::move(chain));
}

std::unique_ptr<TExpression> TXBuilder::CompileExpression() {
  static const TChainLevel relational{&TXBuilder::CompileSimpleExpr, &TXBuilder::AtRelational,
                                      "Failed to determine simple expression type",
                                      "Failed to determine relational expression type", true};
  return CompileChain<TRelationExpr>(relational);
}

std::unique_ptr<TExpression> TXBuilder::CompileSimpleExpr() {
  static const TChainLevel additive{&TXBuilder::CompileTerm, &TXBuilder::AtAdditive,
                                    "Failed to determine term expression type",
                                    "Failed to determine additive expression type", false};
  return CompileChain<TSimpleExpr>(additive);
}

std::unique_ptr<TExpression> TXBuilder::CompileTerm() {
  static const TChainLevel multiplicative{&TXBuilder::CompileFactor, &TXBuilder::AtMultiplicative,
                                          "Failed to determine expression type",
                                          "Failed to determine expression type", false};
  return CompileChain<TTermExpr>(multiplicative);
}

TOperator* TXBuilder::ChooseOperator(std::uint8_t token, TSourcePos at, TKind* left, TKind* right) {
  TOperator* op = ops_.Find(token, true, left, right);
  if (!op) {
    std::string operation = right ? left->GetText(true) + " " + Lex.CodeText(token) + " " + right->GetText(true)
                                  : Lex.CodeText(token) + " " + left->GetText(true);
    ReportAt("Undefined operation \"" + operation + "\"", at);
    return nullptr;
  }
  if (!op->Accepts(left, right)) {
    ReportAt("Incompatible types", at);
    return nullptr;
  }
  NoteUse(op->Lib());
  return op;
}

// Factors.

std::unique_ptr<TExpression> TXBuilder::CompileFactor() {
  TNestingScope nesting(*this);
  if (nesting.TooDeep()) return nullptr;
  if (AtUnary()) return CompileUnary();
  switch (Token.TokClass) {
    case tcIdentifier:
      if (Token.Code != tkNone) {
        ReportAt("Identifier expected but \"" + Token.Text + "\" is found", TokenPos());
        return nullptr;
      }
      return PowerAfter(CompileName());
    case tcInteger:
    case tcHex:
    case tcBinary:
    case tcReal:
    case tcString:
      return PowerAfter(CompileLiteral());
    case tcSymbol:
      if (Match(tcSymbol, tkLeftParen)) return PowerAfter(CompileParenthesized());
      if (Match(tcSymbol, tkLeftBracket)) return CompileSetLiteral(nullptr);
      if (Match(tcSymbol, tkLeftBrace)) return CompileTensor();
      ReportUnexpectedSymbol();
      return nullptr;
    default:
      ReportAt("Unknown identifier \"" + Token.Text + "\"", TokenPos());
      return nullptr;
  }
}

std::unique_ptr<TExpression> TXBuilder::CompileParenthesized() {
  if (!Next()) return nullptr;
  std::unique_ptr<TExpression> inner = CompileExpression();
  if (!inner || !Expect(tcSymbol, tkRightParen)) return nullptr;
  return inner;
}

std::unique_ptr<TExpression> TXBuilder::PowerAfter(std::unique_ptr<TExpression> primary) {
  if (primary && Match(tcSymbol, tkCaret)) return CompilePower(std::move(primary));
  return primary;
}

std::unique_ptr<TExpression> TXBuilder::CompilePower(std::unique_ptr<TExpression> left) {
  TKind* leftKind = KnownKind(*left, "Failed to determine expression type", left->Pos());
  if (!leftKind) return nullptr;
  TSourcePos at = TokenPos();
  if (!Next()) return nullptr;
  TSourcePos rightStart = TokenPos();
  std::unique_ptr<TExpression> right = CompileFactor();
  if (!right) return nullptr;
  TKind* rightKind = KnownKind(*right, "Failed to determine expression type", rightStart);
  if (!rightKind) return nullptr;
  TOperator* op = ChooseOperator(tkCaret, at, leftKind, rightKind);
  if (!op) return nullptr;
  right->SetOp(op);
  auto power = std::make_unique<TTermExpr>(left->Pos(), std::move(left), CurLib);
  power->Append(std::move(right));
  return Checked(std::move(power));
}

std::unique_ptr<TExpression> TXBuilder::CompileUnary() {
  std::uint8_t code = Token.Code;
  TSourcePos at = TokenPos();
  if (!Next()) return nullptr;
  TSourcePos operandStart = TokenPos();
  std::unique_ptr<TExpression> operand = CompileFactor();
  if (!operand) return nullptr;
  TKind* kind = KnownKind(*operand, "Failed to determine expression type", operandStart);
  if (!kind) return nullptr;
  TOperator* op = ChooseOperator(code, at, kind, nullptr);
  if (!op) return nullptr;
  operand->SetOp(op);
  return Checked(std::make_unique<TUnExpr>(at, std::move(operand), CurLib));
}

// Literals.

std::unique_ptr<TExpression> TXBuilder::CompileLiteral() {
  TSourcePos at = TokenPos();
  TValue value;
  bool read = false;
  switch (Token.TokClass) {
    case tcInteger:
    case tcHex:
      read = ReadIntegerLiteral(value);
      break;
    case tcBinary:
      read = ReadBinaryLiteral(value);
      break;
    case tcReal:
      read = ReadRealLiteral(value);
      break;
    default:
      if (Token.Code != tkNone) return ExpectedInstead(tcString, tkNone);
      value = Token.Text.size() > 1 ? TValue::String(Token.Text)
                                    : Token.Text.empty() ? TValue::EmptyChar() : TValue::Char(Token.Text[0]);
      read = true;
  }
  if (!read) {
    ReportAt(NumberTooLarge, at);
    return nullptr;
  }
  if (!Next()) return nullptr;
  return std::make_unique<TValueExpr>(at, BaseKind(value.Kind()), value, CurLib);
}

// A hexadecimal literal keeps its "$"; it may give the full 64-bit pattern,
// so that every printed hexadecimal value reads back.
bool TXBuilder::ReadIntegerLiteral(TValue& value) const {
  const std::string& text = Token.Text;
  bool hex = Token.TokClass == tcHex;
  const char* first = text.data() + (hex ? 1 : 0);
  const char* last = text.data() + text.size();
  std::int64_t n = 0;
  if (hex) {
    std::uint64_t pattern = 0;
    auto [end, error] = std::from_chars(first, last, pattern, 16);
    if (error != std::errc() || end != last) return false;
    n = static_cast<std::int64_t>(pattern);
  } else {
    auto [end, error] = std::from_chars(first, last, n, 10);
    if (error != std::errc() || end != last) return false;
  }
  value = TValue::Integer(n);
  return true;
}

bool TXBuilder::ReadBinaryLiteral(TValue& value) const {
  std::int64_t n = 0;
  if (Token.Text.size() > MaxBinaryLiteralLength || !BinToInt(Token.Text, n)) return false;
  value = TValue::Integer(n);
  return true;
}

// Beyond the 80-bit range a literal is too large like an integer one; below
// it, it quietly becomes a denormal or zero.
bool TXBuilder::ReadRealLiteral(TValue& value) const {
  long double x = 0;
  if (!TextToReal(Token.Text, x)) return false;
  value = TValue::Real(x);
  return true;
}

// Names.

std::unique_ptr<TExpression> TXBuilder::CompileName() {
  std::string name = Token.Text;
  TSourcePos at = TokenPos();
  if (TEnumKind* enumeration = FindEnumMemberInScopes(name)) {
    if (!Next()) return nullptr;
    return std::make_unique<TValueExpr>(at, enumeration, TValue::Enum(enumeration->IndexOf(name)), CurLib);
  }
  if (TRefVar* with = FindWithScope(name)) {
    if (!Next()) return nullptr;
    int field = static_cast<TRecKind*>(with->Kind())->IndexOf(name);
    auto selection = Checked(std::make_unique<TRecExpr>(std::make_unique<TVarExpr>(at, with, CurLib), field, CurLib));
    return AssignmentAfter(CompileSelectors(std::move(selection)));
  }
  if (TVar* var = FindVariable(name)) {
    NoteUse(*var);
    if (!Next()) return nullptr;
    return AssignmentAfter(CompileDesignator(var, at));
  }
  if (!Next()) return nullptr;
  // A character that no symbol names is the first fault: the name was likely
  // meant to go on past it, as in x€ := 1.
  if (Match(tcSymbol, tkNone)) {
    ReportUnexpectedSymbol();
    return nullptr;
  }
  if (GetOption(0) && Match(tcSymbol, tkAssign))
    if (auto assignment = CompileNewWorkspaceVariable(name, at)) return assignment;
  ReportAt("Unknown identifier \"" + name + "\"", at);
  return nullptr;
}

TRefVar* TXBuilder::FindWithScope(const std::string& name) const {
  for (int i = withScopes_.TopIndex(); i >= 0; --i) {
    TRefVar* with = withScopes_.Get(i);
    if (static_cast<TRecKind*>(with->Kind())->IndexOf(name) >= 0) return with;
  }
  return nullptr;
}

// name := value for a name nothing declares: the value's kind makes a new
// Workspace variable at once, before anything runs.
std::unique_ptr<TExpression> TXBuilder::CompileNewWorkspaceVariable(const std::string& name, TSourcePos at) {
  if (!Next()) return nullptr;
  std::unique_ptr<TExpression> value = CompileExpression();
  if (!value || !value->ResultKind()) return nullptr;
  // The value may have made the variable itself, as in x := x := 1.
  TVar* var = vars_.Find(name);
  if (!var) var = vars_.Add(MakeVar(name, value->ResultKind(), false, NoneValue, Workspace()));
  return Checked(std::make_unique<TAssignExpr>(std::make_unique<TVarExpr>(at, var, CurLib), std::move(value), CurLib));
}

std::unique_ptr<TExpression> TXBuilder::AssignmentAfter(std::unique_ptr<TExpression> designator) {
  if (designator && Match(tcSymbol, tkAssign)) return CompileAssign(std::move(designator));
  return designator;
}

// A global scalar constant is folded into the tree as its value. Constants
// of a routine's own table are left alone: its const parameters are
// constants whose value changes at every call.
bool TXBuilder::IsFoldableConstant(TVar* var) const {
  return var->IsConstant() && IsScalarCode(var->Kind()->Code()) && !dynamic_cast<TParamVar*>(var) &&
         dynamic_cast<TBaseVar*>(var) && vars_.Find(var->Name()) == var;
}

std::unique_ptr<TExpression> TXBuilder::CompileDesignator(TVar* var, TSourcePos at) {
  // An indexed String constant stays a variable node: the index selects a
  // character of it.
  bool indexed = var->Kind()->Code() == kcString && Match(tcSymbol, tkLeftBracket);
  if (IsFoldableConstant(var) && !indexed)
    return std::make_unique<TValueExpr>(at, var->Kind(), static_cast<TBaseVar*>(var)->GetValue(), CurLib);
  auto node = Checked(std::make_unique<TVarExpr>(at, var, CurLib));
  bool selected = false;
  switch (var->Kind()->Code()) {
    case kcString:
    case kcArray:
      selected = Match(tcSymbol, tkLeftBracket);
      break;
    case kcRecord:
    case kcClass:
      selected = Match(tcSymbol, tkDot);
      break;
    case kcFunction:
      selected = Match(tcSymbol, tkLeftParen);
      break;
    default:
      break;
  }
  return selected ? CompileSelectors(std::move(node)) : std::move(node);
}

std::unique_ptr<TExpression> TXBuilder::CompileSelectors(std::unique_ptr<TExpression> node) {
  while (node) {
    if (Match(tcSymbol, tkLeftBracket))
      node = CompileIndex(std::move(node));
    else if (Match(tcSymbol, tkDot))
      node = CompileField(std::move(node));
    else if (Match(tcSymbol, tkLeftParen))
      node = CompileCall(std::move(node));
    else
      break;
  }
  return node;
}

// Selectors.

std::unique_ptr<TExpression> TXBuilder::CompileCall(std::unique_ptr<TExpression> target) {
  TKind* kind = target->ResultKind();
  if (!kind || kind->Code() != kcFunction) {
    ReportAt("Function variable required", TokenPos());
    return nullptr;
  }
  std::unique_ptr<TExpression> args;
  int count = 0;
  if (!CompileArgs(args, count) || !CheckArgCount(*static_cast<TFuncKind*>(kind), count)) return nullptr;
  TSourcePos at = target->Pos();
  return Checked(std::make_unique<TFuncExpr>(at, std::move(target), count, std::move(args), CurLib));
}

bool TXBuilder::CompileArgs(std::unique_ptr<TExpression>& args, int& count) {
  if (!Expect(tcSymbol, tkLeftParen)) return false;
  if (Match(tcSymbol, tkRightParen)) return Next();
  TExpression* last = nullptr;
  for (;;) {
    std::unique_ptr<TExpression> arg = CompileExpression();
    if (!arg) return false;
    if (last)
      last = AppendExpression(*last, std::move(arg));
    else
      last = (args = std::move(arg)).get();
    ++count;
    if (!Match(tcSymbol, tkComma)) return Expect(tcSymbol, tkRightParen);
    if (!Next()) return false;
  }
}

bool TXBuilder::CheckArgCount(const TFuncKind& signature, int count) {
  const char* refusal = nullptr;
  if (signature.Variadic()) {
    if (count == 0) refusal = "Function takes at least one argument";
  } else if (count < signature.ArgCount() - signature.DefaultCount() || count > signature.ArgCount()) {
    refusal = "Wrong number of arguments for the function";
  }
  if (!refusal) return true;
  ReportAt(refusal, TokenPos());
  WriteMessage(signature.GetText(false), lkInfo, 0);
  return false;
}

std::unique_ptr<TExpression> TXBuilder::CompileIndex(std::unique_ptr<TExpression> target) {
  TKind* kind = target->ResultKind();
  if (!kind || (kind->Code() != kcString && kind->Code() != kcArray)) {
    ReportAt("Array variable expected", TokenPos());
    return nullptr;
  }
  TSourcePos at = TokenPos();
  std::unique_ptr<TExpression> indices = CompileIndexList();
  if (!indices) return nullptr;
  auto node = std::make_unique<TArrExpr>(std::move(target), std::move(indices), CurLib);
  if (!node->ResultKind()) {
    ReportAt("Wrong array dimension", at);
    return nullptr;
  }
  return Checked(std::move(node));
}

// [i, j] and [i][j] are the same list.
std::unique_ptr<TExpression> TXBuilder::CompileIndexList() {
  if (!Expect(tcSymbol, tkLeftBracket)) return nullptr;
  std::unique_ptr<TExpression> indices;
  TExpression* last = nullptr;
  for (;;) {
    TSourcePos at = TokenPos();
    std::unique_ptr<TExpression> index = CompileExpression();
    if (!index) return nullptr;
    if (!index->ResultKind() || !IsAssignable(BaseKind(kcInteger), index->ResultKind())) {
      ReportAt("Array index must be integer compatible", at);
      return nullptr;
    }
    if (last)
      last = AppendExpression(*last, std::move(index));
    else
      last = (indices = std::move(index)).get();
    if (Match(tcSymbol, tkComma)) {
      if (!Next()) return nullptr;
      continue;
    }
    if (!Expect(tcSymbol, tkRightBracket)) return nullptr;
    if (!Match(tcSymbol, tkLeftBracket)) return indices;
    if (!Next()) return nullptr;
  }
}

std::unique_ptr<TExpression> TXBuilder::CompileField(std::unique_ptr<TExpression> target) {
  TKind* kind = target->ResultKind();
  if (!kind || (kind->Code() != kcRecord && kind->Code() != kcClass)) {
    ReportAt("Record variable expected", target->Pos());
    return nullptr;
  }
  if (!Next()) return nullptr;
  std::string name = Token.Text;
  TSourcePos at = TokenPos();
  if (!Expect(tcIdentifier, tkNone)) return nullptr;
  int field = static_cast<TRecKind*>(kind)->IndexOf(name);
  if (field < 0) {
    ReportAt("Unknown record field \"" + name + "\"", at);
    return nullptr;
  }
  return Checked(std::make_unique<TRecExpr>(std::move(target), field, CurLib));
}

std::unique_ptr<TExpression> TXBuilder::CompileAssign(std::unique_ptr<TExpression> target) {
  TSourcePos at = TokenPos();
  if (!Next()) return nullptr;
  if (IsReadOnlyDesignator(*target)) {
    ReportAt("Cannot assign to a constant", at);
    return nullptr;
  }
  TSourcePos valueStart = TokenPos();
  std::unique_ptr<TExpression> value = CompileExpression();
  if (!value) return nullptr;
  TKind* valueKind = KnownKind(*value, "Failed to determine expression type", valueStart);
  if (!valueKind) return nullptr;
  TKind* targetKind = target->ResultKind();
  // A library's converter takes precedence over assigning the value as it is.
  TFunc* converter = convs_.Find(targetKind, valueKind);
  if (!converter && !IsAssignable(targetKind, valueKind)) {
    ReportAt("Cannot assign " + valueKind->GetText(true) + " to " + targetKind->GetText(true), at);
    return nullptr;
  }
  if (converter) NoteUse(converter->Lib());
  auto assignment = std::make_unique<TAssignExpr>(std::move(target), std::move(value), CurLib);
  assignment->SetConverter(converter);
  return Checked(std::move(assignment));
}

// Set literals: [] of the given set kind (the generic one when none is
// given), or members of one enumeration, which decides the set's kind.

std::unique_ptr<TExpression> TXBuilder::CompileSetLiteral(TSetKind* setKind) {
  TSourcePos at = TokenPos();
  if (!Next()) return nullptr;
  if (Match(tcSymbol, tkRightBracket)) {
    if (!Next()) return nullptr;
    TKind* kind = setKind ? setKind : AnyKind(kcSet);
    return std::make_unique<TSetLitExpr>(at, MakeVar(std::string(), kind, true, NoneValue, CurLib), CurLib);
  }
  if (!Match(tcIdentifier, tkNone)) return ExpectedInstead(tcIdentifier, tkNone);
  TEnumKind* members = FindEnumMemberInScopes(Token.Text);
  if (!members) {
    ReportAt("Enumeration member expected bur \"" + Token.Text + "\" found", TokenPos());
    return nullptr;
  }
  if (members->Count() > MaxSetMembers) {
    ReportAt("Enumeration must have maximum of 32 elements", TokenPos());
    return nullptr;
  }
  TKind* kind = RegisterKind(std::make_unique<TSetKind>(std::string(), members, KindLib()));
  std::unique_ptr<TVar> set = MakeVar(std::string(), kind, true, NoneValue, CurLib);
  for (;;) {
    int ordinal = Token.TokClass == tcIdentifier && Token.Code == tkNone ? members->IndexOf(Token.Text) : -1;
    if (ordinal < 0) {
      ReportAt("\"" + members->GetText(true) + "\" member expected but \"" + Token.Text + "\" found", TokenPos());
      return nullptr;
    }
    SetVarInclude(static_cast<TSetVar&>(*set), ordinal, true);
    if (!Next()) return nullptr;
    if (!Match(tcSymbol, tkComma)) break;
    if (!Next()) return nullptr;
  }
  if (!Expect(tcSymbol, tkRightBracket)) return nullptr;
  return std::make_unique<TSetLitExpr>(at, std::move(set), CurLib);
}

// Vector and matrix literals: {1, 2} is a Vector, {{1, 2}, {3}} an array of
// Vector rows. A literal of constants is built once, here.

std::unique_ptr<TExpression> TXBuilder::CompileTensor() {
  TNestingScope nesting(*this);
  if (nesting.TooDeep()) return nullptr;
  TSourcePos at = TokenPos();
  if (!Next()) return nullptr;
  if (Match(tcSymbol, tkRightBrace)) {
    if (!Next()) return nullptr;
    return std::make_unique<TCVarExpr>(at, MakeVar(std::string(), VectorKind(), true, NoneValue, CurLib), CurLib);
  }
  bool matrix = Match(tcSymbol, tkLeftBrace);
  TKind* elemKind = matrix ? nullptr : BaseKind(kcReal);
  auto tensor = std::make_unique<TTensorExpr>(at, CurLib);
  for (;;) {
    TSourcePos elementStart = TokenPos();
    std::unique_ptr<TExpression> element = matrix ? CompileRow() : CompileSimpleExpr();
    if (!element) return nullptr;
    TKind* kind = element->ResultKind();
    if (!matrix && (!kind || !IsAssignable(elemKind, kind))) {
      ReportAt("Real expression is expected", elementStart);
      return nullptr;
    }
    if (matrix && elemKind && !SameKind(elemKind, kind)) {
      ReportAt("Elements must have the same type", elementStart);
      return nullptr;
    }
    if (!elemKind) elemKind = kind;
    tensor->AddElement(std::move(element));
    if (!Match(tcSymbol, tkComma)) break;
    if (!Next()) return nullptr;
  }
  if (!Expect(tcSymbol, tkRightBrace)) return nullptr;
  tensor->MakeArray(DynamicArrayOf(elemKind));
  return FoldTensor(std::move(tensor));
}

std::unique_ptr<TExpression> TXBuilder::CompileRow() {
  if (!Match(tcSymbol, tkLeftBrace)) return ExpectedInstead(tcSymbol, tkLeftBrace);
  return CompileTensor();
}

std::unique_ptr<TExpression> TXBuilder::FoldTensor(std::unique_ptr<TTensorExpr> tensor) {
  if (!tensor->EvaluateConst()) return tensor;
  TVar* built = tensor->ResultVar();
  std::unique_ptr<TVar> constant = MakeVar(std::string(), built->Kind(), true, NoneValue, CurLib);
  constant->Assign(*built, false);
  return std::make_unique<TCVarExpr>(tensor->Pos(), std::move(constant), CurLib);
}

// Helpers.

void TXBuilder::ReportAt(const std::string& message, TSourcePos pos) const { ReportError(message, pos, CurLib); }

TXBuilder::TNestingScope::TNestingScope(TXBuilder& engine) : depth_(engine.nesting_) {
  if (++depth_ > MaxNesting) engine.ReportAt("Nesting is too deep", engine.TokenPos());
}

TKind* TXBuilder::KnownKind(const TExpression& expr, const char* message, TSourcePos start) const {
  TKind* kind = expr.ResultKind();
  if (!kind) ReportAt(message, start);
  return kind;
}

std::unique_ptr<TExpression> TXBuilder::ExpectedInstead(TTokenClass tokClass, std::uint8_t code) {
  Expect(tokClass, code);
  return nullptr;
}

std::unique_ptr<TExpression> TXBuilder::Checked(std::unique_ptr<TExpression> node) {
  if (node && !node->Check()) return nullptr;
  return node;
}
