// Type expressions and enumerations, as far as the standard libraries'
// named types need them: type names, dynamic arrays "array of <type>", and
// enumerations "( a, b, c )". Types are registered in the innermost type
// table, where an identical structure already registered is reused. And
// constant expressions, evaluated while they are compiled.

#include "engine/Expression.h"
#include "engine/Kind.h"
#include "engine/Var.h"
#include "engine/XBuilder.h"
#include "runtime/Exceptions.h"

TKind* TXBuilder::CompileType(const std::string& name) {
  if (Match(tcIdentifier, tkArray)) {
    if (!Next() || !Expect(tcIdentifier, tkOf)) return nullptr;
    TKind* elem = CompileType(std::string());
    if (!elem) return nullptr;
    return RegisterKind(std::make_unique<TArrKind>(elem, name, CurLib, 1, 0));
  }
  std::string typeName = Token.Text;
  TSourcePos at = TokenPos();
  if (!Expect(tcIdentifier, tkNone)) return nullptr;
  for (int i = KindScopes.TopIndex(); i >= 0; --i) {
    auto* table = static_cast<TKindTab*>(KindScopes.Get(i));
    TKind* kind = table->FindKind(typeName);
    if (!kind) continue;
    if (!name.empty()) {
      bool added = table->AddAlias(kind, name, CurLib);
      QASSERT(added, "0E5E8D82");
    }
    return kind;
  }
  ReportAt("Unknown type \"" + typeName + "\"", at);
  return nullptr;
}

TEnumKind* TXBuilder::CompileEnumeration(const std::string& name) {
  if (!Expect(tcSymbol, tkLeftParen)) return nullptr;
  auto enumeration = std::make_unique<TEnumKind>(name, CurLib);
  for (;;) {
    std::string member = Token.Text;
    TSourcePos at = TokenPos();
    if (!Expect(tcIdentifier, tkNone)) return nullptr;
    if (!enumeration->AddName(member)) {
      ReportAt("Enumeration member redeclared", at);
      return nullptr;
    }
    if (!Match(tcSymbol, tkComma)) break;
    if (!Next()) return nullptr;
  }
  if (!Expect(tcSymbol, tkRightParen)) return nullptr;
  return static_cast<TEnumKind*>(RegisterKind(std::move(enumeration)));
}

TKind* TXBuilder::RegisterKind(std::unique_ptr<TKind> kind) {
  return static_cast<TKindTab*>(KindScopes.Top())->Register(std::move(kind), CurLib);
}

TKind* TXBuilder::DynamicArrayOf(TKind* elem) {
  return RegisterKind(std::make_unique<TArrKind>(elem, std::string(), CurLib, 1, 0));
}

TKind* TXBuilder::VectorKind() const {
  TKind* vector = Kinds.FindKind("Vector");
  QASSERT(vector, "Assertion failure");
  return vector;
}

TEnumKind* TXBuilder::FindEnumMemberInScopes(const std::string& name) const {
  for (int i = KindScopes.TopIndex(); i >= 0; --i)
    if (TEnumKind* kind = static_cast<TKindTab*>(KindScopes.Get(i))->FindEnumMember(name)) return kind;
  return nullptr;
}

// The messages name the expected kind: " Real expression required", or
// with no kind given " expression required".
bool TXBuilder::CompileConstExpr(TValue& value, TKind* kind) {
  value = NoneValue;
  std::string expected = kind ? " " + kind->GetText(true) + " " : " ";
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
  ConvertValue(kind ? kind->Code() : result->Kind()->Code(), result->GetValue(), value);
  return true;
}
