#include "libraries/SysRoutines.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <string>

#include "engine/ArrVar.h"
#include "engine/Kind.h"
#include "engine/RunFlags.h"
#include "engine/Tarnscript.h"
#include "engine/VarText.h"
#include "libraries/BuiltInArgs.h"
#include "runtime/Exceptions.h"
#include "runtime/Params.h"

namespace {

// Inc and Dec: the caller's variable takes step applied to it and n.
template <class Step>
bool UpdateVariable(const TFunc& func, Step step) {
  TBaseVar& variable = BaseRefArg(func, 0);
  variable.SetValue(TValue::Integer(step(IntegerOperand(variable.GetValue()), IntArg(func, 1))));
  return true;
}

// The joined one-line texts of a variadic routine's arguments.
std::string JoinedTexts(const TFunc& func, bool useTypeRoutines) {
  std::string text;
  for (int i = 0; i < func.ArgCount(); ++i) text += VarToText(func.Arg(i), false, useTypeRoutines);
  return text;
}

enum class TSizeQuery { Length, High, Low };

// Length, High and Low of a string, an array or any other value.
std::int64_t SizeOf(TVar* var, TSizeQuery query) {
  TKind* kind = var->Kind();
  if (kind->Code() == kcString) {
    std::int64_t length = static_cast<std::int64_t>(OperandText(static_cast<TBaseVar*>(var)->GetValue()).size());
    return query == TSizeQuery::Low ? 1 : length;
  }
  if (kind->Code() != kcArray) return 1;
  auto* arrayKind = static_cast<TArrKind*>(kind);
  std::int64_t count = static_cast<TArrVar*>(var)->Count();
  if (arrayKind->IsDynamic()) return query == TSizeQuery::Low ? 1 : count;
  switch (query) {
    case TSizeQuery::High:
      return arrayKind->High();
    case TSizeQuery::Low:
      return arrayKind->Low();
    default:
      return count;
  }
}

bool AnswerSize(const TFunc& func, TSizeQuery query) {
  SetResult(func, TValue::Integer(SizeOf(func.Arg(0), query)));
  return true;
}

// A 64-bit count as an array length; beyond 32 bits, or negative, it is the
// platform's range error.
std::int32_t ArrayLength(std::int64_t n) {
  if (n < 0 || n > INT32_MAX) throw ERangeError();
  return static_cast<std::int32_t>(n);
}

void SetStringLength(TBaseVar& string, std::int64_t n) {
  // Only the low 32 bits count, read as a signed number.
  auto length = static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
  std::string text(OperandText(string.GetValue()));
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0, ' ');
  string.SetValue(TValue::String(std::move(text)));
}

bool RefusedStatic(const TArrVar& array, TSourcePos pos) {
  if (array.IsDynamic()) return false;
  ReportError("Cannot change length of a static array", pos, nullptr);
  return true;
}

bool SetRowLengths(TArrVar& array, std::int64_t m, TSourcePos pos) {
  if (static_cast<TArrKind*>(array.Kind())->Elem()->Code() != kcArray) {
    ReportError("Two dimensional array is expected", pos, nullptr);
    return false;
  }
  std::int32_t columns = ArrayLength(m);
  for (std::int32_t p = 0; p < array.Count(); ++p) {
    auto& row = static_cast<TArrVar&>(*array.ElemAt(p));
    if (RefusedStatic(row, pos)) return false;
    row.SetLength(columns);
  }
  return true;
}

bool SetArrayLength(TArrVar& array, std::int64_t n, std::int64_t m, TSourcePos pos) {
  if (RefusedStatic(array, pos)) return false;
  const std::int32_t rows = ArrayLength(n);
  // Rows and columns whose storage cannot exist are refused before either changes.
  TKind* row = static_cast<TArrKind*>(array.Kind())->Elem();
  if (m >= 0 && row->Code() == kcArray)
    RequireVarStorage(static_cast<TArrKind*>(row)->Elem(), std::uint64_t(rows) * std::uint64_t(ArrayLength(m)));
  array.SetLength(rows);
  return m < 0 || SetRowLengths(array, m, pos);
}

}  // namespace

bool TIncSF::Execute(TSourcePos) { return UpdateVariable(*this, IntAdd); }

bool TDecSF::Execute(TSourcePos) { return UpdateVariable(*this, IntSub); }

bool TLengthSF::Execute(TSourcePos) { return AnswerSize(*this, TSizeQuery::Length); }

bool THighSF::Execute(TSourcePos) { return AnswerSize(*this, TSizeQuery::High); }

bool TLowSF::Execute(TSourcePos) { return AnswerSize(*this, TSizeQuery::Low); }

bool TSetLengthSF::Execute(TSourcePos pos) {
  TVar* target = RefArg(0);
  std::int64_t n = IntArg(*this, 1);
  switch (target->Kind()->Code()) {
    case kcString:
      SetStringLength(static_cast<TBaseVar&>(*target), n);
      return true;
    case kcArray:
      return SetArrayLength(static_cast<TArrVar&>(*target), n, IntArg(*this, 2), pos);
    default:
      ReportError("Cannot set length to the variable of this type", pos, nullptr);
      return false;
  }
}

bool TWriteSF::Execute(TSourcePos) {
  WriteMessage(JoinedTexts(*this, true), lkOutput, 0);
  return true;
}

bool TShowSF::Execute(TSourcePos) {
  for (int i = 0; i < ArgCount(); ++i) ListVar(Arg(i), std::string(), 0, lkOutput);
  ExpandMessageLevels(static_cast<int>(Params.ShowLevel));
  return true;
}

bool TStrSF::Execute(TSourcePos) {
  SetResult(*this, TValue::String(JoinedTexts(*this, true)));
  return true;
}

bool TStrXSF::Execute(TSourcePos) {
  SetResult(*this, TValue::String(JoinedTexts(*this, false)));
  return true;
}

bool TMessageLineSF::Execute(TSourcePos) {
  WriteMessage(TextArg(*this, 0), lineKind_, 0);
  return true;
}

bool TFatalSF::Execute(TSourcePos pos) {
  TMessageLineSF::Execute(pos);
  AbortFlag = true;
  return true;
}

bool TMinSF::Execute(TSourcePos) {
  SetResult(*this, TValue::Real(std::min(RealArg(*this, 0), RealArg(*this, 1))));
  return true;
}

bool TMaxSF::Execute(TSourcePos) {
  SetResult(*this, TValue::Real(std::max(RealArg(*this, 0), RealArg(*this, 1))));
  return true;
}

bool TMinISF::Execute(TSourcePos) {
  SetResult(*this, TValue::Integer(std::min(IntArg(*this, 0), IntArg(*this, 1))));
  return true;
}

bool TMaxISF::Execute(TSourcePos) {
  SetResult(*this, TValue::Integer(std::max(IntArg(*this, 0), IntArg(*this, 1))));
  return true;
}

bool TRGBSF::Execute(TSourcePos) {
  auto channel = [this](int i) { return std::clamp<std::int64_t>(IntArg(*this, i), 0, 255); };
  SetResult(*this, TValue::Integer(channel(0) + 256 * channel(1) + 65536 * channel(2)));
  return true;
}

bool TIsInfSF::Execute(TSourcePos) {
  SetResult(*this, TValue::Boolean(std::isinf(RealArg(*this, 0))));
  return true;
}

bool TAssignedSF::Execute(TSourcePos) {
  SetResult(*this, TValue::Boolean(static_cast<TFuncVar*>(RefArg(0))->Func() != nullptr));
  return true;
}

bool TSaveToWorkSF::Execute(TSourcePos) {
  TVar* value = Arg(1);
  TVar* added = ScriptEngine ? ScriptEngine->AddVariable(TextArg(*this, 0), value->Kind()) : nullptr;
  if (added) added->Assign(*value, false);
  SetResult(*this, TValue::Boolean(added != nullptr));
  return true;
}
