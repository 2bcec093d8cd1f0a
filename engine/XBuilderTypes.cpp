// Type expressions. Every structured type is registered in the innermost
// type table, where an identical structure already registered is reused
// (a named type then becomes an alias of it).
//
//   type-name | set of enum-name | record fields end | ( a, b, c )
//   array [ low .. high {, low .. high} ] of type | array of type
//   function ( groups ) : type | procedure ( groups )

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "engine/Kind.h"
#include "engine/XBuilder.h"
#include "runtime/Exceptions.h"

namespace {

constexpr int MaxSetMembers = 32;  // set values are 32-bit masks

bool FitsInt32(std::int64_t n) {
  return n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

TKind* TXBuilder::CompileType(const std::string& name) {
  TNestingScope nesting(*this);
  if (nesting.TooDeep()) return nullptr;
  if (Token.TokClass == tcIdentifier) {
    switch (Token.Code) {
      case tkSet:
        return CompileSetType(name);
      case tkRecord:
        return CompileRecordType(name);
      case tkArray:
        return CompileArrayType(name);
      case tkFunction:
      case tkProcedure: {
        std::string unnamed;
        return CompileHeader(name, unnamed, false, false);
      }
      default:
        break;
    }
  }
  std::string typeName = Token.Text;
  TSourcePos at = TokenPos();
  if (!Expect(tcIdentifier, tkNone)) return nullptr;
  TKind* kind = FindKindInScopes(typeName);
  if (!kind) {
    ReportAt("Unknown type \"" + typeName + "\"", at);
    return nullptr;
  }
  // The alias belongs to the scope of its declaration, not to the table of
  // the type it names: two routines may each call Real by a local name.
  if (!name.empty()) {
    bool added = static_cast<TKindTab*>(kindScopes_.Top())->AddAlias(kind, name, CurLib);
    QASSERT(added, "0E5E8D82");
  }
  return kind;
}

TKind* TXBuilder::FindKindInScopes(const std::string& name) const {
  for (int i = kindScopes_.TopIndex(); i >= 0; --i) {
    if (TKind* kind = static_cast<TKindTab*>(kindScopes_.Get(i))->FindKind(name)) {
      NoteUse(kind);
      return kind;
    }
  }
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

TKind* TXBuilder::CompileSetType(const std::string& name) {
  if (!Next() || !Expect(tcIdentifier, tkOf)) return nullptr;
  TSourcePos at = TokenPos();
  TKind* elem = Token.TokClass == tcIdentifier ? FindKindInScopes(Token.Text) : nullptr;
  std::string refusal;
  if (!elem)
    refusal = "Enumeration type name is expexted, but \"" + Token.Text + "\" found";
  else if (elem->Code() != kcEnum)
    refusal = "Enumeration type required";
  else if (static_cast<TEnumKind*>(elem)->Count() > MaxSetMembers)
    refusal = "Enumeration must have maximum of 32 elements";
  if (!refusal.empty()) {
    ReportAt(refusal, at);
    return nullptr;
  }
  if (!Next()) return nullptr;
  return RegisterKind(std::make_unique<TSetKind>(name, static_cast<TEnumKind*>(elem), CurLib));
}

// record Names : type ; ... end, the last ";" optional.
TKind* TXBuilder::CompileRecordType(const std::string& name) {
  if (!Next()) return nullptr;
  auto record = std::make_unique<TRecKind>(name, CurLib);
  while (!Match(tcIdentifier, tkEnd)) {
    std::vector<std::pair<std::string, TSourcePos>> fields;
    for (;;) {
      fields.emplace_back(Token.Text, TokenPos());
      if (!Expect(tcIdentifier, tkNone)) return nullptr;
      if (!Match(tcSymbol, tkComma)) break;
      if (!Next()) return nullptr;
    }
    if (!Expect(tcSymbol, tkColon)) return nullptr;
    TKind* kind = CompileType(std::string());
    if (!kind) return nullptr;
    for (auto& [field, at] : fields) {
      if (!record->AddField(kind, field, false, -1)) {
        ReportAt("Record field \"" + field + "\" is redeclared", at);
        return nullptr;
      }
    }
    if (!Match(tcSymbol, tkSemicolon)) break;
    if (!Next()) return nullptr;
  }
  if (!Expect(tcIdentifier, tkEnd)) return nullptr;
  return RegisterKind(std::move(record));
}

// Without bounds the array is dynamic: 1-based, of any length.
TKind* TXBuilder::CompileArrayType(const std::string& name) {
  if (!Next()) return nullptr;
  if (Match(tcSymbol, tkLeftBracket)) return Next() ? CompileBoundedArray(name) : nullptr;
  if (!Expect(tcIdentifier, tkOf)) return nullptr;
  TKind* elem = CompileType(std::string());
  return elem ? RegisterKind(std::make_unique<TArrKind>(elem, name, CurLib, 1, 0)) : nullptr;
}

// From the bounds of one dimension on: array [1..3, 1..4] of Real is an
// array of three arrays of four reals. Bounds are 32-bit, and so is the
// element count.
TKind* TXBuilder::CompileBoundedArray(const std::string& name) {
  TSourcePos at = TokenPos();
  TValue low;
  TValue high;
  if (!CompileConstExpr(low, BaseKind(kcInteger)) || !Expect(tcSymbol, tkRange) ||
      !CompileConstExpr(high, BaseKind(kcInteger)))
    return nullptr;
  std::string refusal;
  if (high.AsInt() < low.AsInt())
    refusal = "Low bound exceeds high bound";
  else if (!FitsInt32(low.AsInt()) || !FitsInt32(high.AsInt()) || !FitsInt32(high.AsInt() - low.AsInt() + 1))
    refusal = EIntOverflow().what();
  if (!refusal.empty()) {
    ReportAt(refusal, at);
    return nullptr;
  }
  TKind* elem = nullptr;
  if (Match(tcSymbol, tkComma)) {
    elem = Next() ? CompileBoundedArray(std::string()) : nullptr;
  } else if (Expect(tcSymbol, tkRightBracket) && Expect(tcIdentifier, tkOf)) {
    elem = CompileType(std::string());
  }
  if (!elem) return nullptr;
  return RegisterKind(std::make_unique<TArrKind>(elem, name, CurLib, static_cast<std::int32_t>(low.AsInt()),
                                                 static_cast<std::int32_t>(high.AsInt())));
}

// The kind registered may be one that another library made.
TKind* TXBuilder::RegisterKind(std::unique_ptr<TKind> kind) {
  TKind* registered = static_cast<TKindTab*>(kindScopes_.Top())->Register(std::move(kind), CurLib);
  NoteUse(registered);
  return registered;
}

// A kind of an evaluated line may be built on a kind of a script library:
// as Workspace's, it goes when that library is unloaded.
TLib* TXBuilder::KindLib() const { return CurLib ? CurLib : Workspace(); }

TKind* TXBuilder::DynamicArrayOf(TKind* elem) {
  return RegisterKind(std::make_unique<TArrKind>(elem, std::string(), KindLib(), 1, 0));
}

TKind* TXBuilder::VectorKind() const {
  TKind* vector = kinds_.FindKind("Vector");
  QASSERT(vector, "Assertion failure");
  return vector;
}

TEnumKind* TXBuilder::FindEnumMemberInScopes(const std::string& name) const {
  for (int i = kindScopes_.TopIndex(); i >= 0; --i) {
    if (TEnumKind* kind = static_cast<TKindTab*>(kindScopes_.Get(i))->FindEnumMember(name)) {
      NoteUse(kind);
      return kind;
    }
  }
  return nullptr;
}
