// Routine and operator declarations. A routine is a header, at most one
// directive, local declarations and a body:
//
//   function Name ( groups ) : type ; [directive] declarations begin ... end ;
//   operator symbol ( groups ) : type ; declarations begin ... end ;
//
// The body is compiled with the routine's own tables on the scope stacks,
// and the routine is registered only once its body has compiled, so its own
// name is unknown inside it: a routine never calls itself.

#include <string>
#include <utility>
#include <vector>

#include "engine/Kind.h"
#include "engine/Operator.h"
#include "engine/Proc.h"
#include "engine/Var.h"
#include "engine/XBuilder.h"

namespace {

// A routine's three tables on the scope stacks, for the length of its
// declarations and body.
class TRoutineScope {
public:
  TRoutineScope(TTabStack& funcScopes, TTabStack& varScopes, TTabStack& kindScopes, TProc& proc)
      : funcScopes_(funcScopes), varScopes_(varScopes), kindScopes_(kindScopes) {
    funcScopes_.Push(&proc.Funcs());
    varScopes_.Push(&proc.Locals());
    kindScopes_.Push(&proc.Kinds());
  }
  ~TRoutineScope() {
    funcScopes_.Pop();
    varScopes_.Pop();
    kindScopes_.Pop();
  }
  TRoutineScope(const TRoutineScope&) = delete;
  TRoutineScope& operator=(const TRoutineScope&) = delete;

private:
  TTabStack& funcScopes_;
  TTabStack& varScopes_;
  TTabStack& kindScopes_;
};

// The list that collects an interfaced routine's labelled constants, for
// the length of one routine's declarations; the enclosing routine's list
// comes back after a nested one.
class TParamListScope {
public:
  TParamListScope(std::vector<TParamVar*>*& list, std::vector<TParamVar*>* own)
      : list_(list), saved_(std::exchange(list, own)) {}
  ~TParamListScope() { list_ = saved_; }
  TParamListScope(const TParamListScope&) = delete;
  TParamListScope& operator=(const TParamListScope&) = delete;

private:
  std::vector<TParamVar*>*& list_;
  std::vector<TParamVar*>* saved_;
};

TFuncRegistration RegistrationOf(std::uint8_t directive) {
  switch (directive) {
    case tkTypestr:
      return frTypeStr;
    case tkTypeout:
      return frTypeOut;
    case tkTypeconv:
      return frTypeConv;
    case tkVarimport:
      return frVarImport;
    case tkVarexport:
      return frVarExport;
    default:
      return frPlain;
  }
}

// Why a routine of this signature cannot take the directive; nil when it can.
const char* DirectiveRefusal(TFuncRegistration how, const TFuncKind& signature, bool global) {
  const bool oneParameter = signature.ArgCount() == 1 && signature.DefaultCount() == 0;
  const bool firstIsVar = signature.ArgCount() > 0 && signature.Arg(0)->Mode() == amVar;
  const TKind* result = signature.Result();
  switch (how) {
    case frTypeStr:
      if (!global) return "Only globally defined function can be used as TypeStr";
      if (!result || result->Code() != kcString) return "TypeStr routine must return a string as a result";
      if (!oneParameter) return "TypeStr routine must have only one parameter";
      if (firstIsVar) return "TypeStr cannot accept a variable parameter";
      return nullptr;
    case frTypeConv:
      if (!global) return "Only globally defined function can be used as a type converter";
      if (!oneParameter) return "TypeConv routine must have only one parameter";
      if (firstIsVar) return "TypeConv cannot accept a variable parameter";
      return nullptr;
    case frTypeOut:
      if (!global) return "Only globally defined procedures can be used as TypeOut";
      if (result) return "TypeOut routine must be a procedure";
      if (!oneParameter) return "TypeOut routine must have only one parameter";
      if (firstIsVar) return "TypeOut cannot accept a variable parameter";
      return nullptr;
    case frVarImport:
    case frVarExport:
      if (!global) return "Only globally defined procedures can be used as VarImport/VarExport";
      if (!result || result->Code() != kcBoolean) return "Import/Export routine must return a boolean result";
      if (signature.ArgCount() != 2 || signature.DefaultCount() != 0)
        return "Import/Export routines must have two non-default parameters";
      if (signature.Arg(0)->Kind()->Code() != kcInteger) return "First parameter must be integer";
      if (how == frVarImport && signature.Arg(1)->Mode() != amVar) return "Second parameter has to be passed as variable";
      return nullptr;
    case frPlain:
      return nullptr;
  }
  return nullptr;
}

std::string OperandName(const TKind* kind) { return kind ? kind->GetText(true) : std::string(); }

}  // namespace

struct TXBuilder::TRoutineDirective {
  TFuncRegistration How = frPlain;
  bool Interfaced = false;
  std::string Description;
};

bool TXBuilder::CompileRoutine() {
  TNestingScope nesting(*this);
  if (nesting.TooDeep()) return false;
  TSourcePos at = TokenPos();
  std::string name;
  TFuncKind* signature = CompileHeader(std::string(), name, true, false);
  if (!signature) return false;
  TRoutineDirective directive;
  if (!CompileDirective(*signature, directive)) return false;
  auto proc = std::make_unique<TProc>(name, signature, directive.Interfaced, CurLib);
  proc->SetDescription(directive.Description);
  TParamListScope params(paramList_, directive.Interfaced ? &proc->InterfaceParams() : nullptr);
  if (!CompileRoutineBody(*proc)) return false;
  if (!RegisterFunc(std::move(proc), directive.How)) {
    ReportAt("Identifier \"" + name + "\" redeclared", at);
    return false;
  }
  return true;
}

// At most one directive follows the header; all refusals point at it.
bool TXBuilder::CompileDirective(const TFuncKind& signature, TRoutineDirective& directive) {
  if (Token.TokClass != tcIdentifier) return true;
  TSourcePos at = TokenPos();
  if (Token.Code == tkInterfaced) {
    if (paramList_) {
      ReportAt("Nested interfaced routines are not allowed", at);
      return false;
    }
    if (!Next()) return false;
    if (Match(tcSymbol, tkEqual)) {
      TValue description;
      if (!Next() || !CompileConstExpr(description, BaseKind(kcString))) return false;
      directive.Description = description.Str();
    }
    directive.Interfaced = true;
    return Expect(tcSymbol, tkSemicolon);
  }
  TFuncRegistration how = RegistrationOf(Token.Code);
  if (how == frPlain) return true;
  bool global = funcScopes_.TopIndex() == 0;
  if (const char* refusal = DirectiveRefusal(how, signature, global)) {
    ReportAt(refusal, at);
    return false;
  }
  directive.How = how;
  return Next() && Expect(tcSymbol, tkSemicolon);
}

// Declarations, then begin ... end ; with the routine's tables pushed. The
// body is checked once the tables are popped again.
bool TXBuilder::CompileRoutineBody(TProc& proc) {
  {
    TRoutineScope scope(funcScopes_, varScopes_, kindScopes_, proc);
    if (!CompileDeclarations(false)) return false;
    paramList_ = nullptr;
    std::unique_ptr<TStatement> body = CompileCompound(true);
    if (!body || !Expect(tcSymbol, tkSemicolon)) return false;
    proc.SetBody(std::move(body));
  }
  return proc.Body()->Check();
}

// An operator's routine is named after its operation, "TVec + TVec -> TVec",
// and lives in the operator table only. A symbol new to the lexer binds
// like "*" when binary and like "not" when unary.
bool TXBuilder::CompileOperator() {
  TSourcePos at = TokenPos();
  std::string symbol;
  TFuncKind* signature = CompileHeader(std::string(), symbol, true, false);
  if (!signature) return false;
  const int operands = signature->ArgCount();
  std::uint8_t code = Lex.DefineOperator(symbol, operands == 1, CurLib, at);
  if (code == tkNone) return false;
  if (operands == 0 || operands > 2) {
    ReportAt(operands == 0 ? "Operation needs at least one parameter" : "Too many parameters", at);
    return false;
  }
  std::string name = OperandName(signature->Arg(0)->Kind()) + " " + symbol + " " +
                     (operands == 2 ? OperandName(signature->Arg(1)->Kind()) : std::string()) + " -> " +
                     OperandName(signature->Result());
  auto proc = std::make_unique<TProc>(name, signature, false, CurLib);
  TParamListScope params(paramList_, nullptr);
  if (!CompileRoutineBody(*proc)) return false;
  if (!ops_.Add(std::make_unique<TFuncOp>(code, std::move(proc), CurLib))) {
    ReportAt("Operation \"" + name + "\" redefined", at);
    return false;
  }
  return true;
}
