#pragma once
// Reading the arguments and writing the result of a built-in routine, for
// the scalar parameters most routines have, and reporting its refusals.

#include <cstdint>
#include <string>

#include "engine/Func.h"
#include "engine/ScalarArith.h"
#include "engine/Var.h"

// An Integer argument (an enumeration member counts as its ordinal).
inline std::int64_t IntArg(const TFunc& func, int i) { return IntegerOperand(func.GetArgValue(i)); }
// A Real argument; an Integer widens exactly.
inline long double RealArg(const TFunc& func, int i) { return RealOperand(func.GetArgValue(i)); }
inline bool BoolArg(const TFunc& func, int i) { return func.GetArgValue(i).AsBool(); }
// A String or Char argument as text.
inline std::string TextArg(const TFunc& func, int i) { return std::string(OperandText(func.GetArgValue(i))); }

// The variable a by-reference parameter is bound to, as a scalar.
inline TBaseVar& BaseRefArg(const TFunc& func, int i) { return static_cast<TBaseVar&>(*func.RefArg(i)); }

// Writes a scalar result, converted to the result's kind.
inline void SetResult(const TFunc& func, const TValue& value) {
  static_cast<TBaseVar*>(func.ResultVariable())->SetValue(value);
}

// A refusal: the message at the call's position (naming lib when given);
// false, for the call to return.
inline bool Refuse(const std::string& message, TSourcePos pos, const TLib* lib = nullptr) {
  ReportError(message, pos, lib);
  return false;
}
// Refuses with message when refused holds, and tells whether it did.
inline bool Refused(bool refused, const std::string& message, TSourcePos pos, const TLib* lib = nullptr) {
  return refused && !Refuse(message, pos, lib);
}
