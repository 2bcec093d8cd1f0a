#pragma once
// TXBuilder, the engine: the compiler of Tarnscript, the registrar through
// which the built-in libraries declare their types and routines, the owner
// of every global table, and the implementation of the facade ITarnscript.
//
// The compiler is recursive descent over one token of look-ahead (the
// TTokenReader it derives from); each level builds a typed tree node and
// checks it once it is complete. Its methods live in one file per stage:
// XBuilder.cpp (construction and the facade), XBuilderExpressions.cpp
// (expressions), XBuilderDeclarations.cpp (type and constant expressions)
// and XBuilderSignatures.cpp (routine headers and named types from text).
//
// Between operations only the global tables are on the scope stacks and
// CurLib is nil.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "engine/Func.h"
#include "engine/HashTab.h"
#include "engine/ImpExp.h"
#include "engine/Kind.h"
#include "engine/KindTab.h"
#include "engine/Lib.h"
#include "engine/OpTab.h"
#include "engine/Stds.h"
#include "engine/Tarnscript.h"
#include "engine/TokenReader.h"
#include "engine/VarTab.h"

class TExpression;
class TRefVar;
class TTensorExpr;

// How RegisterFunc files a routine beyond the routine table.
enum TFuncRegistration : std::uint8_t {
  frPlain = 0,
  frTypeStr = 1,     // the string routine of its first parameter's kind
  frTypeOut = 2,     // the output routine of its first parameter's kind
  frTypeConv = 3,    // the converter from its first parameter's kind to its result kind
  frVarImport = 4,   // an import routine of its second parameter's kind
  frVarExport = 5,   // an export routine of its second parameter's kind
};

class TXBuilder;

// What fills each standard library beyond the part of System that the
// engine defines itself (built-in kinds, Vector, Matrix, the constants and
// the built-in operators). The libraries live outside the engine, so the
// program hands their catalogues in; a missing one leaves its library empty.
struct TCatalogues {
  using TFill = void (*)(TXBuilder& engine, TLib* lib);
  TFill System = nullptr;
  TFill SysMath = nullptr;
  TFill InOut = nullptr;
  TFill Math = nullptr;
};

class TXBuilder final : public ITarnscript, public TTokenReader {
public:
  // Builds the standard libraries System, _SysMath, InOut, Math, SysPlots
  // and an empty Workspace, in this order.
  explicit TXBuilder(const TCatalogues& catalogues = {});
  ~TXBuilder() override;

  // ITarnscript.
  void SetLibraryPath(const std::string& path) override { LibPath = path; }
  void Evaluate(const std::string& text, bool multiLine, bool show, std::int32_t seed, TVariant& value) override;
  std::unique_ptr<TExpression> ParseExpression(const std::string& text) override;
  void SetConsole(CountedPtr<IXConsBase> sink) override { SetMessageSink(std::move(sink)); }
  CountedPtr<IXConsBase> GetConsole() override { return GetMessageSink(); }
  bool RegisterType(const std::string& name, const std::string& definition) override;
  TVar* AddVariable(const std::string& name, TKind* kind) override;
  bool InsertVariable(TVar* variable) override;
  std::uint8_t ClassifyIdentifier(const std::string& name) override;
  std::uint8_t GetIntegerFormat() override { return IntegerFormat; }
  void SetIntegerFormat(std::uint8_t format) override { IntegerFormat = static_cast<TIntFormat>(format); }
  std::int32_t GetErrorLine() override { return GetLastErrorPos().Line; }
  std::int32_t GetErrorColumn() override { return GetLastErrorPos().Column; }
  std::string GetErrorText() override { return GetLastErrorText(); }
  TVar* FindVariable(const std::string& name) override;
  TLib* FindLibrary(const std::string& name) override { return Libs.Find(name); }
  void DeleteVariable(const std::string& name) override;
  void Abort() override;
  bool IsRunning() override { return Running; }
  void SetOption(std::uint8_t option, bool on) override;
  bool GetOption(std::uint8_t option) override;
  bool IsFreeIdentifier(const std::string& name) override;
  bool ForEachVariable(const std::function<bool(TVar*)>& callback, const std::string& libName) override;
  void ClearWorkspace() override;
  bool AddDataClient(CountedPtr<IXDataClient> client) override;
  void NotifyDataClients(std::uint8_t what) override;
  void EnumLibraries(IXDataClient& client, bool includeBuiltIn, std::uint8_t kinds,
                     const std::string& nameFilter) override;

  // Registration, for the library catalogues. RegisterFunc files the
  // routine in the innermost routine table, adds a constant routine
  // variable of its name to the innermost variable table, and with how
  // files it in a registry; the routine's result is nil when its name is
  // taken. ParseSignature compiles a routine header without a name, such as
  // "function ( x : real ) : real"; with a typeName it is also a named
  // procedural type. Both belong to the current library.
  TFunc* RegisterFunc(std::unique_ptr<TFunc> func, TFuncRegistration how);
  TFuncKind* ParseSignature(const std::string& signature, const std::string& typeName);

  // The catalogues the constructor runs.
  void RegisterSystemLibrary(TLib* lib);
  void RegisterSysPlots(TLib* lib);

  // The compiler: expressions, from the loosest binding level down. Each
  // reads from the current token and gives nil after reporting an error.
  std::unique_ptr<TExpression> CompileExpression();
  std::unique_ptr<TExpression> CompileSimpleExpr();
  std::unique_ptr<TExpression> CompileTerm();
  std::unique_ptr<TExpression> CompileFactor();
  std::unique_ptr<TExpression> CompilePower(std::unique_ptr<TExpression> left);
  std::unique_ptr<TExpression> CompileUnary();
  // An identifier: an enumeration member, a field of a with scope, a
  // variable with its selectors, or with option 0 a new Workspace variable.
  std::unique_ptr<TExpression> CompileName();
  std::unique_ptr<TExpression> CompileDesignator(TVar* var, TSourcePos at);
  std::unique_ptr<TExpression> CompileCall(std::unique_ptr<TExpression> target);
  std::unique_ptr<TExpression> CompileIndex(std::unique_ptr<TExpression> target);
  std::unique_ptr<TExpression> CompileField(std::unique_ptr<TExpression> target);
  std::unique_ptr<TExpression> CompileAssign(std::unique_ptr<TExpression> target);
  std::unique_ptr<TExpression> CompileSetLiteral(TSetKind* setKind);
  std::unique_ptr<TExpression> CompileTensor();

  // Type expressions: a type name or a dynamic "array of" type; named when
  // name is not empty. Enumerations "( a, b )", only as named types.
  TKind* CompileType(const std::string& name);
  TEnumKind* CompileEnumeration(const std::string& name);
  // A routine header "function ( groups ) : type", "procedure ( groups )"
  // or "function : type", registered in the innermost type table.
  TFuncKind* CompileHeader(const std::string& kindName);
  // A constant expression of kind (any scalar kind when nil), evaluated now.
  bool CompileConstExpr(TValue& value, TKind* kind);

  // The fields of the engine. Index 0 of each scope stack is the global
  // table of its sort; a routine being compiled pushes its own tables.
  std::uint8_t Options = 0;
  TTabStack FuncScopes;
  TTabStack VarScopes;
  TTabStack KindScopes;
  THashStack WithScopes;
  TLibs Libs;
  TKindTab Kinds;
  TVarTab Vars;
  TFuncTab Funcs;
  TOpTab Ops{Lex};
  TStds TypeRoutines;
  TImpExp ImportExport;
  TConvStds Convs;
  std::string LibPath;
  std::vector<CountedPtr<IXDataClient>> DataClients;
  bool Running = false;

private:
  // A text bound to the lexer for the length of one operation; detached on
  // every path.
  class TInputBinding {
  public:
    TInputBinding(TXBuilder& engine, const std::string& text, std::int32_t seed);
    ~TInputBinding();
    TInputBinding(const TInputBinding&) = delete;
    TInputBinding& operator=(const TInputBinding&) = delete;

  private:
    TXBuilder& engine_;
    std::unique_ptr<std::istringstream> stream_;
  };

  // Adds the library and makes it current, then fills it when fill is given.
  TLib* AddBuiltInLibrary(const char* name, TCatalogues::TFill fill = nullptr);
  TLib* Workspace() const;
  // Refuses, with an error line, an operation that would change or free
  // what a run in progress is using.
  bool RefusedWhileRunning();

  // The expression of a console line or of ParseExpression: one expression
  // that must make up the whole text.
  std::unique_ptr<TExpression> CompileWholeExpression();
  void ShowResult(TVar* result, bool multiLine);
  void UpdateAns(TVar* result);

  // Expression compiler helpers.
  struct TChainLevel;
  template <class TChain>
  std::unique_ptr<TExpression> CompileChain(const TChainLevel& level);
  bool AtOperatorToken() const;
  bool AtRelational() const;
  bool AtAdditive() const;
  bool AtMultiplicative() const;
  bool AtUnary() const;
  TOperator* ChooseOperator(std::uint8_t token, TSourcePos at, TKind* left, TKind* right);
  std::unique_ptr<TExpression> CompileParenthesized();
  std::unique_ptr<TExpression> PowerAfter(std::unique_ptr<TExpression> primary);
  std::unique_ptr<TExpression> CompileLiteral();
  bool ReadIntegerLiteral(TValue& value) const;
  bool ReadBinaryLiteral(TValue& value) const;
  bool ReadRealLiteral(TValue& value) const;
  TRefVar* FindWithScope(const std::string& name) const;
  std::unique_ptr<TExpression> CompileNewWorkspaceVariable(const std::string& name, TSourcePos at);
  std::unique_ptr<TExpression> AssignmentAfter(std::unique_ptr<TExpression> designator);
  bool IsFoldableConstant(TVar* var) const;
  std::unique_ptr<TExpression> CompileSelectors(std::unique_ptr<TExpression> node);
  bool CompileArgs(std::unique_ptr<TExpression>& args, int& count);
  bool CheckArgCount(const TFuncKind& signature, int count);
  std::unique_ptr<TExpression> CompileIndexList();
  std::unique_ptr<TExpression> CompileRow();
  std::unique_ptr<TExpression> FoldTensor(std::unique_ptr<TTensorExpr> tensor);
  TSourcePos TokenPos() const { return {Token.Line, Token.Col}; }
  void ReportAt(const std::string& message, TSourcePos pos) const;
  // The node's kind; nil after reporting message at start.
  TKind* KnownKind(const TExpression& expr, const char* message, TSourcePos start) const;
  // Reports through Expect what the token should have been; always nil.
  std::unique_ptr<TExpression> ExpectedInstead(TTokenClass tokClass, std::uint8_t code);
  // The node when its check passes, else nil.
  std::unique_ptr<TExpression> Checked(std::unique_ptr<TExpression> node);

  // Routine header helpers.
  bool CompileParameters(TFuncKind& signature);
  bool CompileParameterGroup(TFuncKind& signature, bool needsDefault);
  bool CompileDefaultValue(TKind* kind, TArgMode mode, int nameCount, TValue& value);

  // Type helpers.
  TEnumKind* FindEnumMemberInScopes(const std::string& name) const;
  // Registers in the innermost type table; an identical kind there is reused.
  TKind* RegisterKind(std::unique_ptr<TKind> kind);
  TKind* DynamicArrayOf(TKind* elem);
  TKind* VectorKind() const;
};
