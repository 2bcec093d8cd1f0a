// Constant values: the value of a constant declaration or a variable's
// initial value, written by the shape of its type, and constant
// expressions, evaluated while they are compiled.
//
//   scalar or enumeration  a constant expression
//   set                    [ a, b ]
//   array                  ( v1, v2, ... )  one value per element, static arrays only
//   record                 ( x: v1; y: v2 ) every field, in declaration order
//   parameter constant     [ 'Label', value [, minimum, maximum] ]

#include <memory>
#include <string>

#include "engine/ArrVar.h"
#include "engine/Expression.h"
#include "engine/Kind.h"
#include "engine/Var.h"
#include "engine/XBuilder.h"

namespace {

bool IsScalarCode(TKindCode code) { return code >= kcInteger && code <= kcString; }

// The kinds an input of an interfaced routine can have.
bool IsParamConstCode(TKindCode code) { return IsScalarCode(code) || code == kcEnum; }

// The text that names the expected kind in the messages: " Real " for a
// kind, a lone blank without one.
std::string ExpectedText(const TKind* kind) { return kind ? " " + kind->GetText(true) + " " : " "; }

// Limits are checked for the kinds whose values are ordered numbers.
bool HasOrderedLimits(TKindCode code) { return code == kcInteger || code == kcReal || code == kcEnum; }

bool Below(const TValue& a, const TValue& b) {
  return a.Kind() == kcReal ? a.AsReal() < b.AsReal() : a.AsInt() < b.AsInt();
}

}  // namespace

std::unique_ptr<TVar> TXBuilder::CompileConstValue(const std::string& name, TKind* kind, bool isConst) {
  if (!kind) {
    TValue value;
    TKind* valueKind = nullptr;
    if (!CompileConstExpr(value, nullptr, &valueKind)) return nullptr;
    return MakeVar(name, valueKind, true, value, CurLib);
  }
  if (isConst && IsParamConstCode(kind->Code()) && Match(tcSymbol, tkLeftBracket)) return CompileParamConst(name, kind);
  std::unique_ptr<TVar> var = MakeVar(name, kind, isConst, NoneValue, CurLib);
  if (!CompileConstInto(*var)) return nullptr;
  return var;
}

// The value becomes the target's initial value, which a reset restores.
bool TXBuilder::CompileConstInto(TVar& target) {
  TKind* kind = target.Kind();
  switch (kind->Code()) {
    case kcSet:
      return CompileConstSet(static_cast<TSetVar&>(target));
    case kcArray:
      return CompileConstArray(static_cast<TArrVar&>(target));
    case kcRecord:
    case kcClass:
      return CompileConstRecord(static_cast<TRecVar&>(target));
    default:
      break;
  }
  auto* scalar = dynamic_cast<TBaseVar*>(&target);
  if (!scalar) {
    ReportAt(ExpectedText(kind) + "expression required", TokenPos());
    return false;
  }
  TValue value;
  if (!CompileConstExpr(value, kind)) return false;
  scalar->SetInitialValue(value);
  return true;
}

bool TXBuilder::CompileConstSet(TSetVar& target) {
  if (!Match(tcSymbol, tkLeftBracket)) return Expect(tcSymbol, tkLeftBracket);
  TSourcePos at = TokenPos();
  auto* kind = static_cast<TSetKind*>(target.Kind());
  std::unique_ptr<TExpression> literal = CompileSetLiteral(kind);
  if (!literal) return false;
  TVar* value = literal->ResultVar();
  if (!IsAssignable(kind, value->Kind())) {
    ReportAt(ExpectedText(kind) + "expression required", at);
    return false;
  }
  return target.Assign(*value, true);
}

bool TXBuilder::CompileConstArray(TArrVar& target) {
  if (!Expect(tcSymbol, tkLeftParen)) return false;
  if (target.IsDynamic()) {
    ReportAt("Cannot assign to a dynamic array", TokenPos());
    return false;
  }
  auto* kind = static_cast<TArrKind*>(target.Kind());
  TSlotVar view;
  for (std::int64_t i = kind->Low(); i <= kind->High(); ++i) {
    if (i > kind->Low() && !Expect(tcSymbol, tkComma)) return false;
    if (!CompileConstInto(target.Elem(i, view))) return false;
  }
  return Expect(tcSymbol, tkRightParen);
}

bool TXBuilder::CompileConstRecord(TRecVar& target) {
  if (!Expect(tcSymbol, tkLeftParen)) return false;
  auto* kind = static_cast<TRecKind*>(target.Kind());
  for (int i = 0; i < kind->FieldCount(); ++i) {
    if (i > 0 && !Expect(tcSymbol, tkSemicolon)) return false;
    const std::string& field = kind->Field(i)->Name();
    if (!Match(tcIdentifier, tkNone) || !SameName(Token.Text, field)) {
      ReportAt("Record field name \"" + field + "\" is expected", TokenPos());
      return false;
    }
    if (!Next() || !Expect(tcSymbol, tkColon) || !CompileConstInto(*target.Field(i))) return false;
  }
  return Expect(tcSymbol, tkRightParen);
}

// [ 'Label', value [, minimum, maximum] ]: an input of an interfaced
// routine that the evaluator window offers, with its range. Equal limits
// are refused like reversed ones.
std::unique_ptr<TVar> TXBuilder::CompileParamConst(const std::string& name, TKind* kind) {
  if (!Expect(tcSymbol, tkLeftBracket)) return nullptr;
  if (!Match(tcString, tkNone)) {
    ReportAt("Parameter label expected", TokenPos());
    return nullptr;
  }
  std::string label = Token.Text;
  if (!Next() || !Expect(tcSymbol, tkComma)) return nullptr;
  TSourcePos valueAt = TokenPos();
  TValue value;
  if (!CompileConstExpr(value, kind)) return nullptr;
  bool hasLimits = Match(tcSymbol, tkComma);
  TValue low;
  TValue high;
  if (hasLimits) {
    if (kind->Code() == kcBoolean || kind->Code() == kcString) {
      ReportAt("Limits are not allowed for this type", TokenPos());
      return nullptr;
    }
    if (!Next()) return nullptr;
    TSourcePos limitsAt = TokenPos();
    if (!CompileConstExpr(low, kind) || !Expect(tcSymbol, tkComma) || !CompileConstExpr(high, kind)) return nullptr;
    if (HasOrderedLimits(kind->Code())) {
      if (!Below(low, high)) {
        ReportAt("Negative range is specified", limitsAt);
        return nullptr;
      }
      if (Below(value, low) || Below(high, value)) {
        ReportAt("Constant value is out of the specified range", valueAt);
        return nullptr;
      }
    }
  }
  if (!Expect(tcSymbol, tkRightBracket)) return nullptr;
  auto param = std::make_unique<TParamVar>(name, label, hasLimits, kind, CurLib);
  param->SetInitialValue(value);
  if (hasLimits) param->SetLimits(low, high);
  return param;
}

// Every message points at the start of the expression and names the
// expected kind: " Real expression required", or " expression required"
// when any kind will do.
bool TXBuilder::CompileConstExpr(TValue& value, TKind* kind, TKind** resultKind) {
  value = NoneValue;
  std::string expected = ExpectedText(kind);
  TSourcePos at = TokenPos();
  std::unique_ptr<TExpression> expr = CompileExpression();
  if (!expr) {
    ReportAt(expected + "expression required", at);
    return false;
  }
  auto* result = expr->EvaluateConst() ? dynamic_cast<TBaseVar*>(expr->ResultVar()) : nullptr;
  if (!result) {
    ReportAt("Failed to evaluate" + expected + "expression", at);
    return false;
  }
  if (kind && !IsAssignable(kind, result->Kind())) {
    ReportAt(expected + "expression required", at);
    return false;
  }
  TKind* valueKind = kind ? kind : result->Kind();
  ConvertValue(valueKind->Code(), result->GetValue(), value);
  if (resultKind) *resultKind = valueKind->Code() == kcEnum ? valueKind : BaseKind(valueKind->Code());
  return true;
}
