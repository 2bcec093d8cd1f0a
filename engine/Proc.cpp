#include "engine/Proc.h"

#include "engine/RunFlags.h"
#include "engine/TypedEval.h"

namespace {

void ClearJumpFlags() {
  BreakFlag = false;
  ContinueFlag = false;
  ExitFlag = false;
}

}  // namespace

TProc::TProc(std::string name, TFuncKind* signature, bool interfaced, TLib* lib)
    : TFunc(std::move(name), signature, lib), interfaced_(interfaced) {}

// The body and the locals refer to the routine's own kinds, so they go first.
TProc::~TProc() {
  body_.reset();
  InterfaceParams().clear();
  Locals().Clear();
}

bool TProc::Execute(TSourcePos) {
  if (AbortFlag) return true;
  ClearJumpFlags();
  if (TTypedRoot* kernel = Kernel())
    kernel->Run();
  else if (body_)
    body_->Execute();
  ClearJumpFlags();
  return true;
}

TTypedRoot* TProc::Kernel() {
  if (!kernelTried_) {
    kernelTried_ = true;
    kernel_ = body_ ? LoweredAssignment(*body_) : nullptr;
  }
  return kernel_;
}
