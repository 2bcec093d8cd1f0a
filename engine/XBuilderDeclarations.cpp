// The declaration part: constant, variable and type sections, and the
// dispatch to routine and operator declarations. Everything declared goes
// to the innermost scope: the global tables, or the tables of the routine
// whose body is being compiled.
//
//   const Name [: type] = value ; ...
//   var Names : type [= value] ; ...        (initial values only globally)
//   type Name = ( enumeration | type ) ; ...

#include <string>
#include <unordered_set>
#include <vector>

#include "engine/Kind.h"
#include "engine/KindTab.h"
#include "engine/Lib.h"
#include "engine/Var.h"
#include "engine/XBuilder.h"
#include "runtime/AsciiCase.h"
#include "runtime/Exceptions.h"

namespace {


}  // namespace

bool TXBuilder::CompileDeclarations(bool global) {
  for (;;) {
    if (Token.TokClass == tcEOF || Match(tcIdentifier, tkBegin) || Match(tcIdentifier, tkEnd)) return true;
    if (Token.TokClass != tcIdentifier) {
      ReportUnexpectedSymbol();
      return false;
    }
    bool compiled = false;
    // A variable, a parameter or a result whose storage cannot exist.
    try {
      compiled = CompileDeclaration(global);
    } catch (const ENotEnoughMemory&) {
      ReportAt("Not enough memory", TokenPos());
    }
    if (!compiled) return false;
  }
}

bool TXBuilder::CompileDeclaration(bool global) {
  switch (Token.Code) {
    case tkConst:
      return CompileConstSection();
    case tkVar:
      return CompileVarSection(global);
    case tkType:
      return CompileTypeSection();
    case tkFunction:
    case tkProcedure:
      return CompileRoutine();
    case tkOperator:
      return CompileOperator();
    default:
      ReportAt("Unexpected identifier \"" + Token.Text + "\"", TokenPos());
      return false;
  }
}

bool TXBuilder::CheckNewIdentifier(const TToken& token) {
  if (token.TokClass != tcIdentifier) return false;
  TSourcePos at{token.Line, token.Col};
  if (token.Code != tkNone) {
    ReportAt("Protected name \"" + token.Text + "\" is used as identifier", at);
    return false;
  }
  if (TVar* known = static_cast<TVarTab*>(varScopes_.Top())->Find(token.Text)) {
    ReportAt("Identifier \"" + known->Name() + "\" redeclared", at);
    return false;
  }
  if (TEnumKind* enumeration = static_cast<TKindTab*>(kindScopes_.Top())->FindEnumMember(token.Text)) {
    ReportAt("Identifier \"" + token.Text + "\" is a member of " + enumeration->GetText(true) + " enumeration", at);
    return false;
  }
  return true;
}

// A token that is no identifier at all is refused by Expect's message.
bool TXBuilder::ReadNewName(std::string& name) {
  if (!CheckNewIdentifier(Token)) {
    if (Token.TokClass != tcIdentifier) Expect(tcIdentifier, tkNone);
    return false;
  }
  name = Token.Text;
  return Next();
}

// The first name of a section may be a keyword, so that it is refused as a
// protected name; the section ends at the first token after a declaration
// that is not a plain identifier.
bool TXBuilder::CompileConstSection() {
  if (!Expect(tcIdentifier, tkConst)) return false;
  if (Token.TokClass != tcIdentifier) {
    ReportAt("Constant name expected but \"" + Token.Text + "\" is found", TokenPos());
    return false;
  }
  do {
    std::string name;
    if (!ReadNewName(name)) return false;
    TKind* kind = nullptr;
    if (Match(tcSymbol, tkColon)) {
      if (!Next()) return false;
      kind = CompileType(std::string());
      if (!kind) return false;
    }
    if (!Expect(tcSymbol, tkEqual)) return false;
    std::unique_ptr<TVar> constant = CompileConstValue(name, kind, true);
    if (!constant) return false;
    TVar* added = static_cast<TVarTab*>(varScopes_.Top())->Add(std::move(constant));
    if (auto* param = dynamic_cast<TParamVar*>(added); param && paramList_) paramList_->push_back(param);
    if (!Expect(tcSymbol, tkSemicolon)) return false;
  } while (Match(tcIdentifier, tkNone));
  return true;
}

bool TXBuilder::CompileVarSection(bool global) {
  if (!Expect(tcIdentifier, tkVar)) return false;
  if (Token.TokClass != tcIdentifier) {
    ReportAt("Variable name expected but \"" + Token.Text + "\" is found", TokenPos());
    return false;
  }
  do {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;  // folded as names compare: a long list is checked in linear time
    for (;;) {
      TSourcePos at = TokenPos();
      std::string name;
      if (!ReadNewName(name)) return false;
      if (!seen.insert(AsciiLowered(name)).second) {
        ReportAt("Variable \"" + name + "\" is redeclared", at);
        return false;
      }
      names.push_back(name);
      if (!Match(tcSymbol, tkComma)) break;
      if (!Next()) return false;
    }
    if (!Expect(tcSymbol, tkColon)) return false;
    TSourcePos typeAt = TokenPos();
    TKind* kind = CompileType(std::string());
    if (!kind) return false;
    if (!VarStorageCanExist(kind, names.size())) {
      ReportAt("Not enough memory", typeAt);
      return false;
    }
    std::unique_ptr<TVar> init;
    if (Match(tcSymbol, tkEqual)) {
      if (!global) {
        ReportAt("Cannot initialize local variables", TokenPos());
        return false;
      }
      if (!Next()) return false;
      init = CompileConstValue(std::string(), kind, false);
      if (!init) return false;
    }
    auto* table = static_cast<TVarTab*>(varScopes_.Top());
    for (std::string& name : names) {
      std::unique_ptr<TVar> var = MakeVar(std::move(name), kind, false, NoneValue, CurLib);
      // As its initial value, so that a reset restores it.
      if (init) var->Assign(*init, true);
      table->Add(std::move(var));
    }
    if (!Expect(tcSymbol, tkSemicolon)) return false;
  } while (Match(tcIdentifier, tkNone));
  return true;
}

bool TXBuilder::CompileTypeSection() {
  if (!Expect(tcIdentifier, tkType)) return false;
  for (;;) {
    std::string name = Token.Text;
    TSourcePos at = TokenPos();
    if (!Expect(tcIdentifier, tkNone)) return false;
    if (TKind* known = static_cast<TKindTab*>(kindScopes_.Top())->FindKind(name)) {
      std::string owner = known->Lib() ? known->Lib()->Name() : std::string();
      ReportAt("Type \"" + name + "\" is already defined in \"" + owner + "\"", at);
      return false;
    }
    if (!Expect(tcSymbol, tkEqual)) return false;
    TKind* kind = Match(tcSymbol, tkLeftParen) ? CompileEnumeration(name) : CompileType(name);
    if (!kind || !Expect(tcSymbol, tkSemicolon)) return false;
    bool sectionEnds = Token.TokClass == tcEOF ||
                       (Token.TokClass == tcIdentifier && (Token.Code == tkEnd || Lex.IsDeclarationStarter(Token.Code)));
    if (sectionEnds) return true;
  }
}
