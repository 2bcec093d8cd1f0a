// Routine headers and named types from text: the two ways the library
// catalogues declare signatures ("procedure ( var a : integer; n : integer )")
// and named types ("( psLine, psDashed )", "array of real").
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

TFuncKind* TXBuilder::CompileHeader(const std::string& kindName) {
  bool function = !Match(tcIdentifier, tkProcedure);
  if (!Expect(tcIdentifier, function ? tkFunction : tkProcedure)) return nullptr;
  auto signature = std::make_unique<TFuncKind>(kindName, CurLib);
  if (Match(tcSymbol, tkLeftParen) && !CompileParameters(*signature)) return nullptr;
  if (function) {
    if (!Expect(tcSymbol, tkColon)) return nullptr;
    TKind* result = CompileType(std::string());
    if (!result) return nullptr;
    signature->SetResult(result);
  }
  return static_cast<TFuncKind*>(RegisterKind(std::move(signature)));
}

bool TXBuilder::CompileParameters(TFuncKind& signature) {
  if (!Next()) return false;
  if (Match(tcSymbol, tkRightParen)) return Next();
  for (;;) {
    if (!CompileParameterGroup(signature, signature.DefaultCount() > 0)) return false;
    if (!Match(tcSymbol, tkSemicolon)) return Expect(tcSymbol, tkRightParen);
    if (!Next()) return false;
  }
}

// [var | const] Name {, Name} : type [= constant]
bool TXBuilder::CompileParameterGroup(TFuncKind& signature, bool needsDefault) {
  TArgMode mode = Match(tcIdentifier, tkVar) ? amVar : Match(tcIdentifier, tkConst) ? amConst : amValue;
  if (mode != amValue && !Next()) return false;
  std::vector<std::string> names;
  for (;;) {
    std::string name = Token.Text;
    if (!Expect(tcIdentifier, tkNone)) return false;
    if (std::none_of(names.begin(), names.end(), [&](const std::string& known) { return SameName(known, name); }))
      names.push_back(name);
    if (!Match(tcSymbol, tkComma)) break;
    if (!Next()) return false;
  }
  if (!Expect(tcSymbol, tkColon)) return false;
  TKind* kind = CompileType(std::string());
  if (!kind) return false;
  TValue defaultValue = NoneValue;
  if (needsDefault || Match(tcSymbol, tkEqual)) {
    if (!CompileDefaultValue(kind, mode, static_cast<int>(names.size()), defaultValue)) return false;
  }
  for (std::string& name : names) signature.AddArg(std::move(name), kind, mode, defaultValue);
  return true;
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
  if (!Next()) return nullptr;
  return CompileHeader(typeName);
}

bool TXBuilder::RegisterType(const std::string& name, const std::string& definition) {
  if (name.empty() || definition.empty()) return false;
  if (RefusedWhileRunning()) return false;
  if (Kinds.FindKind(name)) {
    ReportError("Type \"" + name + "\" is already registered", NoPosition, nullptr);
    return false;
  }
  TLib* system = Libs.Find("System");
  QASSERT(system, "Assertion failure");
  TCurrentLibrary current(CurLib, system);
  TInputBinding input(*this, definition, -1);
  if (!Next()) return false;
  TKind* kind = Match(tcSymbol, tkLeftParen) ? CompileEnumeration(name) : CompileType(name);
  return kind != nullptr;
}
