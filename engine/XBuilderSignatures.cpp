// Routine headers, for routine and operator declarations, procedural types
// and header texts ("procedure ( var a : integer; n : integer )"), host
// routines ("procedure Clear") and named types ("( psLine, psDashed )"),
// and the named enumerations of the built-in libraries, from their members.
//
// Parameter groups take a mode (var, const), a name list, a type and a
// default value; once a parameter has a default, every later one needs one.

#include <algorithm>
#include <vector>

#include "engine/Kind.h"
#include "engine/XBuilder.h"
#include "runtime/Exceptions.h"

namespace {

// The library being filled for the length of one registration; none after it.
class TCurrentLibrary {
public:
  TCurrentLibrary(TLib*& current, TLib* lib) : current_(current) { current_ = lib; }
  ~TCurrentLibrary() { current_ = nullptr; }
  TCurrentLibrary(const TCurrentLibrary&) = delete;
  TCurrentLibrary& operator=(const TCurrentLibrary&) = delete;

private:
  TLib*& current_;
};

}  // namespace

// What a header allows beyond a plain signature.
struct TXBuilder::THeaderRules {
  bool VarParameters;  // operators and host routines take their operands by value
  bool ScalarsOnly;    // host routines exchange scalar values only
  bool HasResult;      // a function or an operator, whose locals hold Result
};

TFuncKind* TXBuilder::CompileHeader(const std::string& kindName, std::string& name, bool named, bool clientOnly) {
  bool isOperator = Match(tcIdentifier, tkOperator);
  bool isProcedure = Match(tcIdentifier, tkProcedure);
  if (isOperator ? !Next() : !Expect(tcIdentifier, isProcedure ? tkProcedure : tkFunction)) return nullptr;
  if (named || clientOnly) {
    bool read = isOperator ? ReadOperatorSymbol(name) : ReadNewName(name);
    if (!read) return nullptr;
  }
  const THeaderRules rules{!isOperator && !clientOnly, clientOnly, !isProcedure};
  auto signature = std::make_unique<TFuncKind>(kindName, CurLib);
  if (Match(tcSymbol, tkLeftParen) && !CompileParameters(*signature, rules)) return nullptr;
  if (rules.HasResult) {
    if (!Expect(tcSymbol, tkColon)) return nullptr;
    TKind* result = CompileParameterType(rules);
    if (!result) return nullptr;
    signature->SetResult(result);
  }
  if (named && !Expect(tcSymbol, tkSemicolon)) return nullptr;
  return static_cast<TFuncKind*>(RegisterKind(std::move(signature)));
}

// An operator is named by any symbol or identifier; one the lexer does not
// know yet gets a token code of its own.
bool TXBuilder::ReadOperatorSymbol(std::string& symbol) {
  if (Token.TokClass != tcSymbol && Token.TokClass != tcIdentifier) return Expect(tcIdentifier, tkNone);
  // A character outside ASCII of more bytes than a symbol holds.
  if (Token.TokClass == tcSymbol && Token.Text.size() > TLex::MaxSymbolLength) {
    ReportAt("Undefined operator \"" + Token.Text + "\"", TokenPos());
    return false;
  }
  if (Token.Code == tkNone && Lex.NewOperatorTag(Token.Text) == tkNone) return false;
  symbol = Token.Text;
  return Next();
}

bool TXBuilder::CompileParameters(TFuncKind& signature, const THeaderRules& rules) {
  if (!Next()) return false;
  if (Match(tcSymbol, tkRightParen)) return Next();
  for (;;) {
    if (!CompileParameterGroup(signature, rules)) return false;
    if (!Match(tcSymbol, tkSemicolon)) return Expect(tcSymbol, tkRightParen);
    if (!Next()) return false;
  }
}

// [var | const] Name {, Name} : type [= constant]. A name given twice in a
// group counts once; in two groups it is refused, as is a parameter that
// would hide a function's Result.
bool TXBuilder::CompileParameterGroup(TFuncKind& signature, const THeaderRules& rules) {
  TArgMode mode = Match(tcIdentifier, tkVar) ? amVar : Match(tcIdentifier, tkConst) ? amConst : amValue;
  if (mode == amVar && !rules.VarParameters) {
    ReportAt("Var paramteters are not allowed", TokenPos());
    return false;
  }
  if (mode != amValue && !Next()) return false;
  std::vector<std::pair<std::string, TSourcePos>> names;
  for (;;) {
    std::string name = Token.Text;
    TSourcePos at = TokenPos();
    if (!Expect(tcIdentifier, tkNone)) return false;
    bool repeated = std::any_of(names.begin(), names.end(), [&](const auto& known) { return SameName(known.first, name); });
    if (!repeated) names.emplace_back(std::move(name), at);
    if (!Match(tcSymbol, tkComma)) break;
    if (!Next()) return false;
  }
  if (!Expect(tcSymbol, tkColon)) return false;
  TKind* kind = CompileParameterType(rules);
  if (!kind) return false;
  TValue defaultValue = NoneValue;
  if (signature.DefaultCount() > 0 || Match(tcSymbol, tkEqual)) {
    if (!CompileDefaultValue(kind, mode, static_cast<int>(names.size()), defaultValue)) return false;
  }
  for (auto& [name, at] : names) {
    bool hidesResult = rules.HasResult && SameName(name, "Result");
    if (hidesResult || !signature.AddArg(name, kind, mode, defaultValue)) {
      ReportAt("Identifier \"" + name + "\" redeclared", at);
      return false;
    }
  }
  return true;
}

TKind* TXBuilder::CompileParameterType(const THeaderRules& rules) {
  TSourcePos at = TokenPos();
  TKind* kind = CompileType(std::string());
  if (kind && rules.ScalarsOnly && !(kind->Code() >= kcInteger && kind->Code() <= kcString)) {
    ReportAt("Only simple types are allowed", at);
    return nullptr;
  }
  return kind;
}

bool TXBuilder::CompileDefaultValue(TKind* kind, TArgMode mode, int nameCount, TValue& value) {
  TSourcePos at = TokenPos();
  if (!Expect(tcSymbol, tkEqual)) return false;
  const char* refusal = nullptr;
  if (mode == amVar)
    refusal = "Variable parameters cannot have default value";
  else if (nameCount > 1)
    refusal = "Cannot assign default value to multiple parameters";
  if (refusal) {
    ReportAt(refusal, at);
    return false;
  }
  TKindCode code = kind->Code();
  if (!(code >= kcInteger && code <= kcString) && code != kcEnum) {
    ReportAt("Paramters of type \"" + kind->GetText(true) + "\" cannot have default value", at);
    return false;
  }
  return CompileConstExpr(value, kind);
}

TFuncKind* TXBuilder::ParseSignature(const std::string& signature, const std::string& typeName) {
  if (signature.empty()) return nullptr;
  TInputBinding input(*this, signature, -1);
  std::string unnamed;
  if (!Next()) return nullptr;
  return CompileHeader(typeName, unnamed, false, false);
}

TFuncKind* TXBuilder::ParseClientSignature(const std::string& header, std::string& name) {
  if (header.empty()) return nullptr;
  TInputBinding input(*this, header, -1);
  if (!Next()) return nullptr;
  return CompileHeader(std::string(), name, false, true);
}

TEnumKind* TXBuilder::RegisterEnumeration(const std::string& name, std::span<const char* const> members) {
  TLib* system = libs_.Find("System");
  QASSERT(system && (name.empty() || !kinds_.FindKind(name)), "5E4B1D21");
  auto enumeration = std::make_unique<TEnumKind>(name, system);
  for (const char* member : members) {
    const bool added = enumeration->AddName(member);
    QASSERT(added, "5E4B1D21");
  }
  return static_cast<TEnumKind*>(kinds_.Register(std::move(enumeration), system));
}

bool TXBuilder::RegisterType(const std::string& name, const std::string& definition) {
  if (name.empty() || definition.empty()) return false;
  if (RefusedWhileRunning()) return false;
  if (kinds_.FindKind(name)) {
    ReportError("Type \"" + name + "\" is already registered", NoPosition, nullptr);
    return false;
  }
  TLib* system = libs_.Find("System");
  QASSERT(system, "Assertion failure");
  TCurrentLibrary current(CurLib, system);
  TInputBinding input(*this, definition, -1);
  if (!Next()) return false;
  TKind* kind = Match(tcSymbol, tkLeftParen) ? CompileEnumeration(name) : CompileType(name);
  return kind != nullptr;
}
