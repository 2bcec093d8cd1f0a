#pragma once
// Event properties of host objects. A TMethodVar is the field of an event:
// assigning a script procedure to it makes the host run that procedure when
// the event fires; while none is assigned the event keeps calling the
// handler the host had, which a TMethodFunc wraps.

#include <memory>
#include <string>
#include <vector>

#include "engine/Func.h"
#include "runtime/PublishedProperties.h"

// A routine over the host's handler: a call passes its arguments to it.
class TMethodFunc final : public TFunc {
public:
  TMethodFunc(std::string name, TFuncKind* kind, THostHandler handler, TLib* lib);

  // An argument the host cannot take (a key beyond a Word, a position
  // beyond 32 bits) is the call's "Range check error"; the handler is not
  // called.
  bool Execute(TSourcePos pos) override;
  const THostHandler& Handler() const { return handler_; }

private:
  void CallHandler();
  TVar* ArgTarget(int i) const { return IsRefArg(i) ? RefArg(i) : Arg(i); }

  THostHandler handler_;
};

class TMethodVar final : public TFuncVar {
public:
  // A writable event is hooked at once: the host calls Dispatch from then on.
  TMethodVar(std::string name, TRecVar& rec, TFuncKind* kind, bool isConst, TLib* lib,
             const TPublishedProperty& property);
  // Gives the host back the handler it had.
  ~TMethodVar() override;

  // The host fired the event.
  void Dispatch(THostEventArgs& args);
  const TFunc* OwnRoutine() const override { return previous_.get(); }

private:
  void Hook();
  std::uint8_t EventCode() const;
  void FillArgs(const THostEventArgs& args);
  void TakeKey(THostEventArgs& args) const;

  TRecVar& rec_;
  const TPublishedProperty& property_;
  std::unique_ptr<TMethodFunc> previous_;
  // The procedure's arguments after the sender, filled at each event.
  std::vector<std::unique_ptr<TVar>> argVars_;
  // What the procedure is called with: the record as the sender, then argVars_.
  std::vector<TVar*> callArgs_;
};
