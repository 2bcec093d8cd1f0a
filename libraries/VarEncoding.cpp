#include "libraries/VarEncoding.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "engine/ArrVar.h"
#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/Tarnscript.h"
#include "engine/Var.h"
#include "libraries/FileReal.h"
#include "runtime/Quoted.h"

namespace {

constexpr char LineFeed = '\n';
constexpr const char* NoRoutine = "nil";
constexpr const char* AnonymousKindLine = "Func";
// Arrays of up to this many elements are made at their full length before
// they are read. Longer ones grow in chunks as their elements arrive, so that
// a corrupt count ends with the data instead of allocating it all first.
constexpr std::int64_t TrustedCount = std::int64_t{1} << 16;
constexpr int MaxSetMembers = 32;

// A byte sink in memory, where ComposeText's filer writes.
class TMemoryInOut final : public IInOut {
public:
  std::string GetTypeName() override { return "memory"; }
  std::string GetLastError() override { return {}; }
  bool Open(const CountedPtr<IIOParamSys>&, std::uint8_t) override { return true; }
  bool ReadByte(std::uint8_t&) override { return false; }
  bool WriteByte(std::uint8_t B) override {
    Bytes += static_cast<char>(B);
    return true;
  }
  void Close() override {}
  std::uint8_t GetFlags() override { return 0; }

  std::string Bytes;
};

// The variable a by-reference or generic variable stands for; nil when unbound.
TVar* Resolved(TVar* var) {
  while (auto* bound = dynamic_cast<TBoundVar*>(var)) var = bound->Target();
  return var;
}

int SetMemberCount(const TSetVar& set) {
  const TEnumKind* members = set.ElemKind();
  return members ? std::min(members->Count(), MaxSetMembers) : 0;
}

// Writing.

bool WriteString(TIOFiler& filer, const std::string& text, TSourcePos pos) {
  if (text.find(LineFeed) != std::string::npos) {
    ReportError("Cannot save a string containing a line feed", pos, nullptr);
    return false;
  }
  return filer.WriteLine(text);
}

bool WriteScalar(TIOFiler& filer, const TBaseVar& var, TSourcePos pos) {
  const TValue value = var.GetValue();
  switch (var.Kind()->Code()) {
    case kcInteger:
    case kcEnum: return filer.WriteInteger(value.AsInt());
    case kcChar: return filer.WriteChar(value.AsChar());
    case kcReal: return filer.WriteLine(ExactRealText(value.AsReal()));
    case kcBoolean: return filer.WriteBool(value.AsBool());
    case kcString: return WriteString(filer, value.Str(), pos);
    default: return false;
  }
}

bool WriteSet(TIOFiler& filer, const TSetVar& set) {
  for (int ordinal = 0; ordinal < SetMemberCount(set); ++ordinal)
    if (!filer.WriteBool(set.Contains(ordinal))) return false;
  return true;
}

bool WriteArray(TIOFiler& filer, const TArrVar& array, TSourcePos pos) {
  if (!filer.WriteInteger(array.Count())) return false;
  TSlotVar view;
  for (std::int32_t p = 0; p < array.Count(); ++p)
    if (!WriteVariableValue(filer, &array.ElemAt(p, view), pos)) return false;
  return true;
}

bool WriteRecord(TIOFiler& filer, const TRecVar& record, TSourcePos pos) {
  for (int i = 0; i < record.FieldCount(); ++i)
    if (!WriteVariableValue(filer, record.Field(i), pos)) return false;
  return true;
}

bool WriteRoutine(TIOFiler& filer, const TFuncVar& routine) {
  return filer.WriteLine(routine.Func() ? routine.Func()->Name() : NoRoutine);
}

// Reading.

// Stores what read gave, also after a failure, as make makes it a value.
template <class T, class Read>
bool ReadStored(TBaseVar& var, Read&& read, TValue (*make)(T)) {
  T x{};
  const bool converted = read(x);
  var.SetValue(make(x));
  return converted;
}

// An ordinal outside the enumeration does not convert.
bool ReadEnum(TIOFiler& filer, TBaseVar& var) {
  const int count = static_cast<const TEnumKind*>(var.Kind())->Count();
  const auto readOrdinal = [&](std::int64_t& n) {
    if (filer.ReadInteger(n) && n >= 0 && n < count) return true;
    n = 0;
    return false;
  };
  return ReadStored<std::int64_t>(var, readOrdinal, TValue::Enum);
}

bool ReadScalar(TIOFiler& filer, TBaseVar& var) {
  switch (var.Kind()->Code()) {
    case kcInteger: return ReadStored<std::int64_t>(var, [&](auto& n) { return filer.ReadInteger(n); }, TValue::Integer);
    case kcChar: return ReadStored<char>(var, [&](auto& c) { return filer.ReadChar(c); }, TValue::Char);
    case kcReal: return ReadStored<long double>(var, [&](auto& x) { return filer.ReadReal(x); }, TValue::Real);
    case kcBoolean: return ReadStored<bool>(var, [&](auto& b) { return filer.ReadBool(b); }, TValue::Boolean);
    case kcString: return ReadStored<std::string>(var, [&](auto& s) { return filer.ReadString(s); }, TValue::String);
    case kcEnum: return ReadEnum(filer, var);
    default: return false;
  }
}

bool ReadSet(TIOFiler& filer, TSetVar& set) {
  for (int ordinal = 0; ordinal < SetMemberCount(set); ++ordinal) {
    bool member = false;
    if (!filer.ReadBool(member)) return false;
    SetVarInclude(set, ordinal, member);
  }
  return true;
}

bool ReadElements(TIOFiler& filer, const TArrVar& array, TSourcePos pos) {
  TSlotVar view;
  for (std::int32_t p = 0; p < array.Count(); ++p)
    if (!ReadVariableValue(filer, &array.ElemAt(p, view), pos)) return false;
  return true;
}

// The elements go to chunks of doubling length first; the array takes them
// once all were read.
bool ReadLongArray(TIOFiler& filer, TArrVar& array, std::int32_t count, TSourcePos pos) {
  std::vector<std::unique_ptr<TVar>> chunks;
  std::int64_t read = 0;
  for (std::int64_t size = TrustedCount; read < count; read += size, size *= 2) {
    size = std::min(size, count - read);
    chunks.push_back(MakeVar(std::string(), array.Kind(), false, NoneValue, array.Lib()));
    auto& chunk = static_cast<TArrVar&>(*chunks.back());
    chunk.SetLength(static_cast<std::int32_t>(size));
    if (!ReadElements(filer, chunk, pos)) return false;
  }
  array.SetLength(count);
  std::int32_t p = 0;
  TSlotVar view, elementView;
  for (const auto& chunk : chunks) {
    const auto& elements = static_cast<const TArrVar&>(*chunk);
    for (std::int32_t q = 0; q < elements.Count(); ++q)
      array.ElemAt(p++, view).Assign(elements.ElemAt(q, elementView), false);
  }
  return true;
}

// A count that no array of this kind can have fails the read.
bool ReadArray(TIOFiler& filer, TArrVar& array, TSourcePos pos) {
  std::int64_t count = 0;
  if (!filer.ReadInteger(count) || count < 0 || count > std::numeric_limits<std::int32_t>::max()) return false;
  const auto* kind = static_cast<const TArrKind*>(array.Kind());
  if (!kind->IsDynamic() && count != kind->Count()) return false;
  if (count > TrustedCount) return ReadLongArray(filer, array, static_cast<std::int32_t>(count), pos);
  array.SetLength(static_cast<std::int32_t>(count));
  return ReadElements(filer, array, pos);
}

bool ReadRecord(TIOFiler& filer, const TRecVar& record, TSourcePos pos) {
  for (int i = 0; i < record.FieldCount(); ++i)
    if (!ReadVariableValue(filer, record.Field(i), pos)) return false;
  return true;
}

// The routine of the routine variable the name gives; every routine has one.
bool ReadRoutine(TIOFiler& filer, TFuncVar& routine, TSourcePos pos) {
  std::string name;
  if (!filer.ReadLine(name)) return false;
  const TFunc* held = routine.Func();
  if (held ? SameName(held->Name(), name) : SameName(name, NoRoutine)) return true;
  auto* named = dynamic_cast<TFuncVar*>(ScriptEngine ? ScriptEngine->FindVariable(name) : nullptr);
  if (named && routine.Assign(*named, false)) return true;
  ReportError("Failed to read function " + Quoted(name), pos, nullptr);
  return false;
}

template <class T, class On>
bool CallAs(TVar* var, On& on) {
  auto* typed = dynamic_cast<T*>(var);
  return typed && on(*typed);
}

// Calls on with the variable as the class its kind code calls for (through
// views to their targets). False for None, Error and Any, for an unbound
// view, and for a variable of another class.
template <class On>
bool OnVarClass(TVar* var, On&& on) {
  var = Resolved(var);
  if (!var) return false;
  switch (var->Kind()->Code()) {
    case kcInteger:
    case kcChar:
    case kcReal:
    case kcBoolean:
    case kcString:
    case kcEnum: return CallAs<TBaseVar>(var, on);
    case kcSet: return CallAs<TSetVar>(var, on);
    case kcArray: return CallAs<TArrVar>(var, on);
    case kcRecord:
    case kcClass: return CallAs<TRecVar>(var, on);
    case kcFunction: return CallAs<TFuncVar>(var, on);
    default: return false;
  }
}

template <class... Ts>
struct TOverloaded : Ts... {
  using Ts::operator()...;
};
// Spelt out for compilers without deduction for aggregates (clang 14).
template <class... Ts>
TOverloaded(Ts...) -> TOverloaded<Ts...>;

}  // namespace

bool WriteVariableValue(TIOFiler& Filer, TVar* V, TSourcePos Pos) {
  return OnVarClass(V, TOverloaded{
                           [&](TBaseVar& var) { return WriteScalar(Filer, var, Pos); },
                           [&](TSetVar& set) { return WriteSet(Filer, set); },
                           [&](TArrVar& array) { return WriteArray(Filer, array, Pos); },
                           [&](TRecVar& record) { return WriteRecord(Filer, record, Pos); },
                           [&](TFuncVar& routine) { return WriteRoutine(Filer, routine); },
                       });
}

bool ReadVariableValue(TIOFiler& Filer, TVar* V, TSourcePos Pos) {
  return OnVarClass(V, TOverloaded{
                           [&](TBaseVar& var) { return ReadScalar(Filer, var); },
                           [&](TSetVar& set) { return ReadSet(Filer, set); },
                           [&](TArrVar& array) { return ReadArray(Filer, array, Pos); },
                           [&](TRecVar& record) { return ReadRecord(Filer, record, Pos); },
                           [&](TFuncVar& routine) { return ReadRoutine(Filer, routine, Pos); },
                       });
}

std::string KindLine(const TKind* Kind) { return Kind->HasName() ? Kind->Name() : AnonymousKindLine; }

bool WriteVariableRecord(TIOFiler& Filer, TVar* V, TSourcePos Pos) {
  return Filer.WriteLine(KindLine(V->Kind())) && WriteVariableValue(Filer, V, Pos);
}

bool ComposeText(const std::function<bool(TIOFiler&)>& compose, std::string& Bytes) {
  const auto memory = MakeCounted<TMemoryInOut>();
  TIOFiler filer(memory, fmText);
  if (!compose(filer)) return false;
  Bytes = std::move(memory->Bytes);
  return true;
}

bool WriteBytes(IInOut& Target, const std::string& Bytes) {
  for (char byte : Bytes)
    if (!Target.WriteByte(static_cast<std::uint8_t>(byte))) return false;
  return true;
}
