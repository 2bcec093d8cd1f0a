#pragma once
// TProc, a routine written in Tarnscript: its body is a statement tree, and
// it owns the tables of what its body declares (locals are in the routine's
// variable table, Func.h). A script routine never fails its call: errors of
// its statements are reported where they happen, and the caller goes on
// with whatever Result then holds.

#include <memory>
#include <string>

#include "engine/Func.h"
#include "engine/KindTab.h"
#include "engine/RunFlags.h"
#include "engine/Statement.h"
#include "engine/TypedEval.h"

class TProc final : public TFunc {
public:
  // interfaced: declared with the directive interfaced, so that the
  // evaluator window offers it with its labelled constants.
  TProc(std::string name, TFuncKind* signature, bool interfaced, TLib* lib);
  ~TProc() override;

  TKindTab& Kinds() { return kinds_; }
  TFuncTab& Funcs() { return funcs_; }
  TStatement* Body() const { return body_.get(); }
  void SetBody(std::unique_ptr<TStatement> body) {
    body_ = std::move(body);
    kernelTried_ = false;
  }
  bool Interfaced() const { return interfaced_; }

  // Runs the body unless an abort is under way. Exit ends the body, and so
  // do a break or continue outside any loop of the body: none of the three
  // reaches the caller, whose loops are not this routine's business.
  bool Execute(TSourcePos) override {
    Run();
    return true;
  }
  // Execute without the virtual call, for a call site that knows its
  // routine is a script routine.
  void Run() {
    if (AbortFlag) return;
    ClearJumpFlags();
    if (TTypedRoot* kernel = Kernel())
      kernel->Run();
    else if (body_)
      body_->Execute();
    ClearJumpFlags();
  }

private:
  static void ClearJumpFlags() {
    BreakFlag = false;
    ContinueFlag = false;
    ExitFlag = false;
  }
  // A body that is one assignment with a typed form runs that form.
  TTypedRoot* Kernel() {
    if (!kernelTried_) LowerBody();
    return kernel_;
  }
  void LowerBody();

  TKindTab kinds_;
  TFuncTab funcs_;
  std::unique_ptr<TStatement> body_;
  bool interfaced_;
  TTypedRoot* kernel_ = nullptr;
  bool kernelTried_ = false;
};
