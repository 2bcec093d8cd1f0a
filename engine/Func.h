#pragma once
// Routines: every callable thing of the engine. A routine owns one set of
// argument variables, a Result variable and a table of locals; a call binds
// or assigns the actual arguments into those variables, runs Execute and
// copies Result out. Because there is one set of variables per routine, a
// routine is never entered while it runs: every call goes through TFuncCall,
// which refuses a busy routine with "Reentering in "<name>" attempted".
//
// A built-in routine is a subclass with its own Execute: it reads its
// arguments through Arg, RefArg and GetArgValue, writes ResultVariable, and on
// a bad argument reports with ReportError(message, pos, nil) and returns false.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/HashTab.h"
#include "engine/MessageChannel.h"
#include "engine/Var.h"
#include "engine/VarTab.h"

class TFuncKind;
class TKind;
class TLib;
class TParamVar;

class TFunc : public THashNode {
public:
  // A nil signature fails "36670CA2". A function gets its local "Result"; a
  // routine that is not variadic gets one argument variable per parameter:
  // a TRefVar for a parameter passed by reference (var, or of a class kind),
  // otherwise a value variable, constant for const, holding the default.
  TFunc(std::string name, TFuncKind* signature, TLib* lib);

  // Runs the routine on its bound arguments; pos is the call's position.
  virtual bool Execute(TSourcePos pos) = 0;

  TFuncKind* Signature() const { return signature_; }
  TVarTab& Locals() { return locals_; }
  // The labelled constants of an interfaced script routine, in declaration
  // order; they belong to the locals.
  std::vector<TParamVar*>& InterfaceParams() { return interfaceParams_; }
  const std::string& Description() const { return description_; }
  void SetDescription(std::string text) { description_ = std::move(text); }
  bool Busy() const { return busy_; }
  TVar* ResultVariable() const { return result_; }  // nil for a procedure

  // Argument accessors; i is 0-based and checked against ArgCount.
  TVar* Arg(int i) const;  // for a generic parameter, the variable it is bound to
  TVar* RefArg(int i) const;  // the caller's variable of a by-reference parameter
  void BindRefArg(int i, TVar* var);
  // A generic parameter is bound to var, any other takes var's value.
  bool SetArg(int i, TVar* var);
  // The variable the current call passed as argument i, whose value a value
  // parameter took: the caller's own variable where it named one, else the
  // temporary holding the argument's value. Nil for an argument left to its
  // default and outside a call.
  const TVar* ArgSource(int i) const;
  // NoneValue when the argument is not a base variable.
  TValue GetArgValue(int i) const;
  TKind* ArgKind(int i) const;
  bool IsRefArg(int i) const;
  // The arguments of the current call for a variadic routine, else the
  // signature's parameter count.
  int ArgCount() const;
  int DefaultArgCount() const;
  TKind* ResultKind() const;

  // Result and value arguments back to their initial values, views unbound.
  void ResetLocals() { locals_.ResetAll(); }
  // Variadic routines only (assertion "6B7749BB"): one anonymous value
  // variable per kind, in order, and a fresh Result.
  void RebuildArgs(std::span<TKind* const> kinds);

  // Runs the routine from inside the engine (type output and conversion
  // routines, operators, converters, built-ins that take routines) on
  // arguments already evaluated: the same guarded path as a call in an
  // expression, without copying Result.
  bool CallDirect(std::span<TVar* const> args, TSourcePos pos);

private:
  friend class TFuncCall;

  // How each argument variable takes its argument, fixed when it is made
  // so that a call asks no variable what it is.
  enum class TPassing : std::uint8_t { Value, Reference, Generic };

  TVar* AddLocal(std::unique_ptr<TVar> var);
  void AddArgVar(std::unique_ptr<TVar> var, TPassing passing);
  void MakeResult();
  void MakeArgVars();
  bool ArgKindsAre(std::span<TKind* const> kinds) const;

  TFuncKind* signature_;
  TVarTab locals_;
  std::vector<TParamVar*> interfaceParams_;
  std::vector<TVar*> argVars_;  // position = parameter index; owned by the locals
  std::vector<TPassing> argPassing_;  // one per argument variable
  std::vector<const TVar*> argSources_;  // one per argument variable, set by each call
  TVar* result_ = nullptr;
  std::string description_;
  bool variadic_;
  bool busy_ = false;
};

// One call of a routine. Begin refuses a busy routine (reporting the reentry
// error at pos, without library), otherwise marks it busy, rebuilds a
// variadic routine's arguments from argKinds and resets the locals; the
// caller then evaluates its arguments (so f(f(x)) is refused too) and calls
// Finish, which binds them, executes and on success copies Result into
// result when both exist. The routine is free again when the call object
// ends, on every path, an exception included.
class TFuncCall {
public:
  explicit TFuncCall(TFunc& func) : func_(func) {}
  // Inline, with Begin, as every call of a script routine passes here.
  ~TFuncCall() {
    if (entered_) func_.busy_ = false;
  }
  TFuncCall(const TFuncCall&) = delete;
  TFuncCall& operator=(const TFuncCall&) = delete;

  bool Begin(TSourcePos pos, std::span<TKind* const> argKinds) {
    if (func_.busy_) return RefuseReentry(pos);
    func_.busy_ = true;
    entered_ = true;
    if (func_.variadic_) func_.RebuildArgs(argKinds);
    func_.ResetLocals();
    return true;
  }
  bool Finish(std::span<TVar* const> args, TSourcePos pos, TVar* result);

private:
  bool RefuseReentry(TSourcePos pos) const;
  bool ExecuteWithinMemory(TSourcePos pos);

  TFunc& func_;
  bool entered_ = false;
};

class TFuncTab : public THashTab {
public:
  TFunc* Find(std::string_view name) const { return static_cast<TFunc*>(THashTab::Find(name)); }
};

// Files func in the table; on a duplicate name func is freed and the result is nil.
TFunc* AddFunc(TFuncTab& tab, std::unique_ptr<TFunc> func);

// A routine held as a value. Assign takes the source's routine only when the
// kinds are assignable; otherwise nothing changes and nothing is reported.
class TFuncVar : public TVar {
public:
  TFuncVar(std::string name, TFuncKind* kind, bool isConst, TFunc* func, TLib* lib);

  TKind* Kind() const override;
  bool IsConstant() const override { return isConst_; }
  void Reset() override { func_ = initialFunc_; }
  bool Assign(const TVar& source, bool setInitial) override;

  // The routine assigned, else the fallback (an event's previous handler).
  TFunc* Func() const { return func_ ? func_ : fallback_; }
  // Drops the routines of a library that goes away.
  void ForgetRoutinesOf(const TLib* lib);
  // Drops the routines gone answers true for, as the initial one too.
  void ForgetRoutinesIf(const std::function<bool(const TFunc*)>& gone);
  // The routine the variable made itself and frees with it (a host
  // object's routine, an event's previous handler); nil for most.
  virtual const TFunc* OwnRoutine() const { return nullptr; }

protected:
  // Holds func as the routine and the initial one (for a routine the
  // variable makes itself).
  void Hold(TFunc* func) { func_ = initialFunc_ = func; }
  void SetFallback(TFunc* func) { fallback_ = func; }
  TFunc* Assigned() const { return func_; }

private:
  TFunc* func_;
  TFunc* initialFunc_;
  TFunc* fallback_ = nullptr;
  TFuncKind* kind_;
  bool isConst_;
};
