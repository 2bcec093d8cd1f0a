#pragma once
// The routines a host object declares: a call passes its arguments as
// variants to the object's TarnExecs and takes the variant it answers as
// the result.

#include <memory>
#include <string>
#include <vector>

#include "engine/Func.h"
#include "engine/TarnClient.h"

class TExtFunc final : public TFunc {
public:
  TExtFunc(std::string name, TFuncKind* signature, TTarnClient& client, int index, TLib* lib);

  // A result of a kind the signature's result does not take is reported as
  // "Function "<name>" has result of wrong type" at pos.
  bool Execute(TSourcePos pos) override;

private:
  TTarnClient& client_;
  std::vector<TVariant> argValues_;  // reused from call to call
  int index_;
};

// A constant routine variable holding its own TExtFunc; assigning and
// resetting it change nothing.
class TExtVar final : public TFuncVar {
public:
  TExtVar(std::string name, TTarnClient& client, TFuncKind* kind, int index, TLib* lib);

  void Reset() override {}
  bool Assign(const TVar&, bool) override { return true; }
  const TFunc* OwnRoutine() const override { return func_.get(); }

private:
  std::unique_ptr<TExtFunc> func_;
};
