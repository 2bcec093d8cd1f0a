#include "engine/Proc.h"

TProc::TProc(std::string name, TFuncKind* signature, bool interfaced, TLib* lib)
    : TFunc(std::move(name), signature, lib), interfaced_(interfaced) {}

// The body and the locals refer to the routine's own kinds, so they go first.
TProc::~TProc() {
  body_.reset();
  InterfaceParams().clear();
  Locals().Clear();
}

void TProc::LowerBody() {
  kernelTried_ = true;
  kernel_ = body_ ? LoweredAssignment(*body_) : nullptr;
}
