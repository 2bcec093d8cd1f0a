#pragma once
// A built-in routine as data: its script name and the function that runs
// it, which reads the arguments, writes the result variable, and reports a
// refusal at the call's position and gives false. One class template makes
// a routine class of each rule, so a catalogue registers it like any other.

#include "engine/Func.h"

struct TRoutineRule {
  const char* Name;
  bool (*Run)(TFunc& routine, TSourcePos pos);
};

template <const TRoutineRule& Rule>
class TRuleRoutine final : public TFunc {
public:
  TRuleRoutine(TFuncKind* signature, TLib* lib) : TFunc(Rule.Name, signature, lib) {}

  bool Execute(TSourcePos pos) override { return Rule.Run(*this, pos); }
};
