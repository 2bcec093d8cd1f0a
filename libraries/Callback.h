#pragma once
// A script routine that a built-in runs many times within one call of its
// own: an integrand, the derivatives of a system, an objective function.
//
// The routine is entered once, through the guarded call protocol, and stays
// busy until the callback ends; so its own body can never enter it again
// (through the built-in or directly), and a routine that is already running
// is refused. Each run then only writes the arguments into the routine's own
// argument variables and executes it, which allocates nothing once those
// variables have their size.

#include <optional>
#include <span>

#include "engine/Func.h"

class TCallback {
public:
  // Whether every run starts from the routine's initial locals (as an
  // ordinary call does) or finds them as the previous run left them.
  enum class TLocals { Kept, Reset };

  explicit TCallback(TLocals locals) : locals_(locals) {}
  ~TCallback();
  TCallback(const TCallback&) = delete;
  TCallback& operator=(const TCallback&) = delete;

  // Where a built-in routine run as the callback reports its errors: at the
  // caller's position, or without one.
  enum class TRunPosition { Caller, None };

  // Enters the routine that holder (a routine variable) holds; false after
  // "Function is empty" or the reentry error, reported at pos. The runs
  // report their own errors at pos as well, or without a position.
  bool Open(const TVar& holder, TSourcePos pos, TRunPosition runPosition = TRunPosition::Caller);

  // The argument variables of the routine, written before a run. A vector
  // argument takes the values' count (unchanged when it has it already).
  void SetReal(int arg, long double x);
  void SetVector(int arg, std::span<const long double> values);
  // Binds a by-reference parameter for every run; unbound when the callback ends.
  void BindReference(int arg, TVar& var);

  // One run on what the argument variables hold; false when the routine
  // fails (it has reported why) or when an abort is pending.
  bool Run();
  // The real result of a function after a successful run.
  long double RealResult() const;

  // A function of one real, or of one vector, run once: y is its result,
  // 0 when the run fails.
  bool Evaluate(long double x, long double& y);
  bool Evaluate(std::span<const long double> x, long double& y);

private:
  void ResetLocalsButArguments();
  bool IsArgument(const TVar* var) const;
  bool RunForResult(long double& y);

  TLocals locals_;
  TFunc* func_ = nullptr;
  TSourcePos pos_;
  std::optional<TFuncCall> call_;
};
