#pragma once
// TXBuilder, the engine: the compiler of Tarnscript, the registrar through
// which the built-in libraries declare their types and routines (they reach
// it through TCatalogue, Catalogue.h), the owner
// of every global table, and the implementation of the facade ITarnscript.
//
// The compiler is recursive descent over one token of look-ahead (the
// TTokenReader it derives from); each level builds a typed tree node and
// checks it once it is complete. Compilation stops at the first error: a
// step that fails reports it, frees what it built and answers failure.
// Its methods live in one file per stage, outermost first:
// XBuilderLibraries.cpp (files: program files, library files, unloading),
// XBuilderPrograms.cpp (texts, programs, libraries, uses),
// XBuilderDeclarations.cpp (the declaration sections and new names),
// XBuilderTypes.cpp (type expressions), XBuilderConstants.cpp (constant
// values and constant expressions), XBuilderRoutines.cpp (routine and
// operator declarations with their directives), XBuilderSignatures.cpp
// (routine headers and named types from text, built-in enumerations from
// their members), XBuilderStatements.cpp (statements) and
// XBuilderExpressions.cpp (expressions); XBuilderClients.cpp publishes host
// objects. The engine's own part of the library System (built-in kinds,
// Vector, Matrix, constants and operators) is in XBuilderSystem.cpp, the
// enumerations of SysPlots in XBuilderSysPlots.cpp; XBuilder.cpp holds
// construction and the rest of the facade.
//
// Between operations only the global tables are on the scope stacks and
// CurLib is nil.
//
// Compiled code that refers to an object of another library holds that
// library (Lib.h): a library's code holds the libraries it uses, a tree from
// ParseExpression those its tree uses. The compiler notes each use where it
// resolves a name, picks an operator or converter, or registers a kind.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/Catalogue.h"
#include "engine/Func.h"
#include "engine/HashTab.h"
#include "engine/data/ImpExp.h"
#include "engine/Kind.h"
#include "engine/KindTab.h"
#include "engine/Lib.h"
#include "engine/OpTab.h"
#include "engine/Stds.h"
#include "engine/Tarnscript.h"
#include "engine/TokenReader.h"
#include "engine/VarTab.h"

class TCaseStmt;
class TExpression;
class TParamVar;
class TProc;
class TRefVar;
class TSetVar;
class TArrVar;
class TRecVar;
class TStatement;
class TTensorExpr;

class TXBuilder;

// What fills each standard library beyond the part of System that the
// engine defines itself (built-in kinds, Vector, Matrix, the constants and
// the built-in operators). The libraries live outside the engine, so the
// program hands their catalogues in; a missing one leaves its library empty.
struct TCatalogues {
  using TFill = void (*)(TCatalogue& catalogue);
  TFill System = nullptr;
  TFill SysMath = nullptr;
  TFill InOut = nullptr;
  TFill Math = nullptr;
  TFill SysPlots = nullptr;  // the plotting routines, after the enumerations they take
};

class TXBuilder final : public ITarnscript, public TTokenReader {
  friend class TCatalogue;

public:
  // Builds the standard libraries System, _SysMath, InOut, Math, SysPlots
  // and an empty Workspace, in this order.
  explicit TXBuilder(const TCatalogues& catalogues = {});
  ~TXBuilder() override;

  // ITarnscript.
  void SetLibraryPath(const std::string& path) override { libPath_ = path; }
  std::string LoadSourceLibrary(const std::string& fileName) override;
  std::string LoadPackedLibrary(const std::string& fileName) override;
  bool UnloadLibrary(const std::string& name, bool clearWorkspace) override;
  void Evaluate(const std::string& text, bool multiLine, bool show, std::int32_t seed, TVariant& value) override;
  std::unique_ptr<TExpression> ParseExpression(const std::string& text) override;
  bool CompileText(const std::string& text) override;
  bool CompileFile(const std::string& fileName) override;
  void SetConsole(CountedPtr<IXConsBase> sink) override { SetMessageSink(std::move(sink)); }
  CountedPtr<IXConsBase> GetConsole() override { return GetMessageSink(); }
  bool RegisterType(const std::string& name, const std::string& definition) override;
  TVar* AddVariable(const std::string& name, TKind* kind) override;
  bool InsertVariable(std::unique_ptr<TVar>& variable) override;
  std::uint8_t ClassifyIdentifier(const std::string& name) override;
  std::uint8_t GetIntegerFormat() override { return IntegerFormat; }
  void SetIntegerFormat(std::uint8_t format) override { IntegerFormat = static_cast<TIntFormat>(format); }
  std::int32_t GetErrorLine() override { return GetLastErrorPos().Line; }
  std::int32_t GetErrorColumn() override { return GetLastErrorPos().Column; }
  std::string GetErrorText() override { return GetLastErrorText(); }
  TVar* FindVariable(const std::string& name) override;
  TLib* FindLibrary(const std::string& name) override { return libs_.Find(name); }
  void DeleteVariable(const std::string& name) override;
  bool AddClient(TObject& object, const std::string& name) override;
  bool AddClientFunction(int index, const std::string& signature) override;
  void RemoveClient(const std::string& name) override;
  void Abort() override;
  bool IsRunning() override { return running_; }
  void SetOnRunEnd(std::function<void()> handler) override { onRunEnd_ = std::move(handler); }
  void SetOption(std::uint8_t option, bool on) override;
  bool GetOption(std::uint8_t option) override;
  bool IsFreeIdentifier(const std::string& name) override;
  bool ForEachVariable(const std::function<bool(TVar*)>& callback, const std::string& libName) override;
  void ClearWorkspace() override;
  bool AddDataClient(CountedPtr<IXDataClient> client) override;
  void NotifyDataClients(std::uint8_t what) override;
  void EnumLibraries(IXDataClient& client, bool includeBuiltIn, std::uint8_t kinds,
                     const std::string& nameFilter) override;

  // Registration. RegisterFunc, for the library catalogues, files the
  // routine in the innermost routine table, adds a constant routine
  // variable of its name to the innermost variable table, and with how
  // files it in a registry; the routine's result is nil when its name is
  // taken. ParseSignature compiles a routine header text without a name,
  // such as "function ( x : real ) : real"; with a typeName it is also a
  // named procedural type. Both belong to the current library. (The
  // catalogues describe their signatures as data instead, so that start-up
  // runs no lexer: CatalogueSignature.h.)
  TFunc* RegisterFunc(std::unique_ptr<TFunc> func, TFuncRegistration how);
  TFuncKind* ParseSignature(const std::string& signature, const std::string& typeName);
  // A named enumeration of System from its members, declared as
  // RegisterType declares "( a, b )" but without the lexer, for the
  // built-in libraries (unnamed when name is empty): assertion "5E4B1D21"
  // when the name is taken or a member is given twice.
  TEnumKind* RegisterEnumeration(const std::string& name, std::span<const char* const> members);
  // A host object's routine header with its name, "procedure Clear" or
  // "function Count : integer": scalar types only, no var parameters.
  TFuncKind* ParseClientSignature(const std::string& header, std::string& name);

  // The compiler: whole texts. Each reads from the current token, reports
  // the first error and answers false. A library stays loaded; a program
  // runs once in a library of its own, which CompileText then removes.
  // name receives the name the text gives (or the program's made-up one).
  bool CompileLibrary(std::string& name);
  bool CompileProgram(std::string& name);
  bool CompileUses();
  // Declaration sections until begin, end or the end of the input; global
  // is false inside routine and operator bodies (no initial values).
  bool CompileDeclarations(bool global);
  bool CompileDeclaration(bool global);
  // Whether the token may name a new constant, variable, routine or
  // parameter in the innermost scope; reports why not, except for a token
  // that is no identifier at all.
  bool CheckNewIdentifier(const TToken& token);

  // Statements: one statement, and begin ... end (or the statements of
  // repeat, ended by until). A list of one statement is that statement.
  std::unique_ptr<TStatement> CompileStatement();
  std::unique_ptr<TStatement> CompileCompound(bool withBeginEnd);

  // Routine and operator declarations, registered once their body compiled
  // (so a routine's own name is unknown inside its body).
  bool CompileRoutine();
  bool CompileOperator();

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

  // Type expressions: a type name, set of, record, array (bounded or
  // dynamic) or a routine header; named when name is not empty.
  // Enumerations "( a, b )", only as named types.
  TKind* CompileType(const std::string& name);
  TEnumKind* CompileEnumeration(const std::string& name);
  // A routine header "function ( groups ) : type", "procedure ( groups )",
  // "function : type" or "operator symbol ( groups ) : type", registered in
  // the innermost type table. named: a declaration, with its name and ";";
  // clientOnly: a host routine, with its name, scalar types only.
  TFuncKind* CompileHeader(const std::string& kindName, std::string& name, bool named, bool clientOnly);
  // The value of a constant (isConst) or the initial value of a variable,
  // in a new variable of kind named name; with no kind, the kind of the
  // value. Nil after an error.
  std::unique_ptr<TVar> CompileConstValue(const std::string& name, TKind* kind, bool isConst);
  // A constant expression of kind (any scalar or enumeration kind when nil),
  // evaluated now; resultKind receives the kind of the value.
  bool CompileConstExpr(TValue& value, TKind* kind, TKind** resultKind = nullptr);

  // The tables the engine owns, for the code around it.
  TLibs& Libs() { return libs_; }
  TKindTab& Kinds() { return kinds_; }
  TVarTab& Vars() { return vars_; }
  TFuncTab& Funcs() { return funcs_; }
  TOpTab& Ops() { return ops_; }
  TImpExp& ImportExport() override { return importExport_; }
  THashStack& WithScopes() { return withScopes_; }

private:
  friend class TUnloading;

  // The state of the engine. Index 0 of each scope stack is the global
  // table of its sort; a routine being compiled pushes its own tables.
  std::uint8_t options_ = 0;
  TTabStack funcScopes_;
  TTabStack varScopes_;
  TTabStack kindScopes_;
  THashStack withScopes_;
  TLibs libs_;
  TKindTab kinds_;
  TVarTab vars_;
  TFuncTab funcs_;
  TOpTab ops_{Lex};
  TStds typeRoutines_;
  TImpExp importExport_;
  TConvStds convs_;
  std::string libPath_;
  std::vector<CountedPtr<IXDataClient>> dataClients_;
  // The labelled constants of the interfaced routine whose declarations are
  // being compiled; nil otherwise.
  std::vector<TParamVar*>* paramList_ = nullptr;
  bool running_ = false;
  std::function<void()> onRunEnd_;

  // The running flag for the length of one operation, released on every
  // path; its release is announced.
  class TRunningScope {
  public:
    explicit TRunningScope(TXBuilder& builder) : builder_(builder) { builder_.running_ = true; }
    ~TRunningScope() {
      builder_.running_ = false;
      if (builder_.onRunEnd_) builder_.onRunEnd_();
    }
    TRunningScope(const TRunningScope&) = delete;
    TRunningScope& operator=(const TRunningScope&) = delete;

  private:
    TXBuilder& builder_;
  };

  // One level of nested statements, factors, vector braces, types or
  // routines for the length of its compilation. The compiler, the checks,
  // the evaluation of its trees and the values of its kinds (listing,
  // copying, freeing) all recurse once per level, so nesting beyond
  // MaxNesting is refused ("Nesting is too deep") before it can overflow the
  // stack.
  class TNestingScope {
  public:
    static constexpr int MaxNesting = 1000;
    explicit TNestingScope(TXBuilder& engine);
    ~TNestingScope() { --depth_; }
    TNestingScope(const TNestingScope&) = delete;
    TNestingScope& operator=(const TNestingScope&) = delete;
    bool TooDeep() const { return depth_ > MaxNesting; }

  private:
    int& depth_;
  };

  // One compilation of a whole text; see XBuilderPrograms.cpp.
  class TCompilation;

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
  void RunCatalogue(TCatalogues::TFill fill, TLib* lib);
  // The engine's own catalogues: its part of System, and the enumerations
  // of SysPlots, before the library's own catalogue fills it.
  void RegisterSystemCore(TLib* lib);
  void RegisterSysPlots(TLib* lib, TCatalogues::TFill routines);
  TLib* Workspace() const;
  // Refuses, with an error line, an operation that would change or free
  // what a run in progress is using.
  bool RefusedWhileRunning();
  // Whether a global variable is a record over the object.
  bool IsPublished(const TObject& object) const;
  bool RefusedWhileHeld(const TVar& var) const;
  void ClearWorkspaceVariables();
  // Removes the library and everything it defined from every table (the
  // clients are not told). Nothing may hold it.
  void RemoveLibrary(TLib* lib);
  // Refuses, with an error line at pos, to replace or unload a library
  // that compiled code elsewhere holds.
  bool RefusedWhileHeld(const TLib* lib, TSourcePos pos) const;
  std::string LoadLibraryFile(const std::string& fileName, const char* extension, bool packed);
  std::string LoadLibraryText(const std::string& text, std::int32_t seed, TLib* fileLib);
  bool CompileTextAsLibrary();
  bool CompileTextAsProgram();
  void AddScriptLibrary(const std::string& name);
  void RunOnce(std::unique_ptr<TStatement> block);

  // Uses of other libraries by the code being compiled (see the top).
  TLibUses* UsesToNote() const;
  void NoteUse(const TLib* lib) const;
  void NoteUse(const TKind* kind) const;
  void NoteUse(const TVar& var) const;

  // The compilation of a whole text under way, nil otherwise.
  TCompilation* compilation_ = nullptr;
  // The stream of the last input binding, for the next one (nil while a binding holds it).
  std::unique_ptr<std::istringstream> spareStream_;
  // The uses of the tree ParseExpression is building, nil otherwise.
  TLibUses* treeUses_ = nullptr;
  // The variables compiled code refers to.
  mutable TVarHolds varHolds_;
  // The levels of statements and factors being compiled (TNestingScope).
  int nesting_ = 0;

  // Declaration helpers.
  struct TRoutineDirective;
  bool ReadNewName(std::string& name);
  bool CompileConstSection();
  bool CompileVarSection(bool global);
  bool CompileTypeSection();
  TKind* FindKindInScopes(const std::string& name) const;
  TKind* CompileSetType(const std::string& name);
  TKind* CompileRecordType(const std::string& name);
  TKind* CompileArrayType(const std::string& name);
  TKind* CompileBoundedArray(const std::string& name);
  bool CompileConstInto(TVar& target);
  bool CompileConstSet(TSetVar& target);
  bool CompileConstArray(TArrVar& target);
  bool CompileConstRecord(TRecVar& target);
  std::unique_ptr<TVar> CompileParamConst(const std::string& name, TKind* kind);
  bool CompileDirective(const TFuncKind& signature, TRoutineDirective& directive);
  bool CompileRoutineBody(TProc& proc);

  // Statement helpers.
  template <class TJump>
  std::unique_ptr<TStatement> CompileJump();
  std::unique_ptr<TStatement> CompileIf();
  std::unique_ptr<TStatement> CompileFor();
  std::unique_ptr<TStatement> CompileCountingLoop(TSourcePos at, std::unique_ptr<TExpression> init);
  std::unique_ptr<TStatement> CompileLoopBody();
  std::unique_ptr<TStatement> CompileRepeat();
  std::unique_ptr<TStatement> CompileWhile();
  std::unique_ptr<TStatement> CompileCase();
  bool CompileCaseBranch(TCaseStmt& node, TKind* selectorKind);
  bool CompileCaseLabel(TKind* kind, std::int64_t& ordinal);
  std::unique_ptr<TStatement> CompileWith();

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
  struct THeaderRules;
  bool ReadOperatorSymbol(std::string& symbol);
  bool CompileParameters(TFuncKind& signature, const THeaderRules& rules);
  bool CompileParameterGroup(TFuncKind& signature, const THeaderRules& rules);
  TKind* CompileParameterType(const THeaderRules& rules);
  bool CompileDefaultValue(TKind* kind, TArgMode mode, int nameCount, TValue& value);

  // Type helpers.
  TEnumKind* FindEnumMemberInScopes(const std::string& name) const;
  // Registers in the innermost type table; an identical kind there is reused.
  TKind* RegisterKind(std::unique_ptr<TKind> kind);
  // The library of a kind made now: CurLib, or Workspace for the kinds of
  // an evaluated line.
  TLib* KindLib() const;
  TKind* DynamicArrayOf(TKind* elem);
  TKind* VectorKind() const;
};
