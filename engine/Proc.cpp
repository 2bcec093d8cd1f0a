#include "engine/Proc.h"

#include "engine/RunFlags.h"

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
  if (body_) body_->Execute();
  ClearJumpFlags();
  return true;
}
