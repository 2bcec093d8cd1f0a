#include "engine/Kind.h"

#include <functional>
#include <iterator>
#include <limits>
#include <memory>

#include "runtime/AsciiCase.h"

namespace {

// Text of a record's fields or a signature's parameters: each item's own text,
// with separator between them.
template <class Item>
std::string JoinItems(int count, const std::string& separator, Item&& itemText) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += separator;
    text += itemText(i);
  }
  return text;
}

std::string NestedText(const TKind* kind) { return kind ? kind->GetText(true) : std::string(); }

bool SameEnumMembers(const TEnumKind& a, const TEnumKind& b) {
  if (a.Count() != b.Count()) return false;
  for (int i = 0; i < a.Count(); ++i)
    if (a.GetName(i) != b.GetName(i)) return false;
  return true;
}

// The field-by-field rule shared by SameKind and IsAssignable of records.
template <class KindRule>
bool FieldsMatch(const TRecKind& a, const TRecKind& b, KindRule&& rule) {
  if (a.FieldCount() != b.FieldCount()) return false;
  for (int i = 0; i < a.FieldCount(); ++i) {
    const TField* fa = a.Field(i);
    const TField* fb = b.Field(i);
    if (!SameName(fa->Name(), fb->Name()) || !rule(fa->Kind(), fb->Kind())) return false;
  }
  return true;
}

bool IsCharArray(const TKind* kind) {
  auto* array = dynamic_cast<const TArrKind*>(kind);
  return array && array->Elem() && array->Elem()->Code() == kcChar;
}

bool SameStructure(const TKind* a, const TKind* b) {
  switch (a->Code()) {
    case kcAny:
      return static_cast<const TAnyKind*>(a)->Covered() == static_cast<const TAnyKind*>(b)->Covered();
    case kcEnum:
      return SameEnumMembers(*static_cast<const TEnumKind*>(a), *static_cast<const TEnumKind*>(b));
    case kcSet:
      return SameKind(static_cast<const TSetKind*>(a)->Elem(), static_cast<const TSetKind*>(b)->Elem());
    case kcArray: {
      // The bounds count too: array [0..2] and array [1..3] index differently.
      auto* aa = static_cast<const TArrKind*>(a);
      auto* ab = static_cast<const TArrKind*>(b);
      return aa->Low() == ab->Low() && aa->High() == ab->High() && SameKind(aa->Elem(), ab->Elem());
    }
    case kcRecord:
    case kcClass:
      return FieldsMatch(*static_cast<const TRecKind*>(a), *static_cast<const TRecKind*>(b), SameKind);
    case kcFunction: {
      auto* fa = static_cast<const TFuncKind*>(a);
      auto* fb = static_cast<const TFuncKind*>(b);
      if (fa->ArgCount() != fb->ArgCount()) return false;
      if (!SameKind(fa->Result(), fb->Result())) return false;
      for (int i = 0; i < fa->ArgCount(); ++i) {
        const TFuncArg* x = fa->Arg(i);
        const TFuncArg* y = fb->Arg(i);
        if (x->Mode() != y->Mode() || !SameKind(x->Kind(), y->Kind()) ||
            !SameValue(x->Default(), y->Default()) || !SameName(x->Name(), y->Name()))
          return false;
      }
      return true;
    }
    default:
      return true;
  }
}

// Anything, Any<Kind>, TObject and AnySet: the kinds that accept a whole family.
bool IsGenericKind(const TKind* kind) {
  return kind && (kind->Code() == kcAny || (kind->Code() == kcSet && !static_cast<const TSetKind*>(kind)->Elem()));
}

// Calls through the target routine kind pass what its parameter allows: the
// source routine's parameter must take that. A generic value parameter of the
// target (an event's TObject Sender) keeps taking the kinds of its family; a
// generic var one does not, since a call through the kind could then write
// any value of the family into the source routine's variable.
bool ParameterFits(const TFuncArg& target, const TFuncArg& source) {
  if (target.Mode() != source.Mode()) return false;
  return AcceptsArgument(source, target.Kind()) ||
         (target.Mode() != amVar && IsGenericKind(target.Kind()) && IsAssignable(target.Kind(), source.Kind()));
}

bool IsAssignableSameCode(const TKind* target, const TKind* source) {
  switch (target->Code()) {
    case kcEnum:
      return SameKind(target, source);
    case kcSet: {
      const TEnumKind* te = static_cast<const TSetKind*>(target)->Elem();
      const TEnumKind* se = static_cast<const TSetKind*>(source)->Elem();
      return !te || !se || IsAssignable(te, se);
    }
    case kcArray: {
      auto* ta = static_cast<const TArrKind*>(target);
      auto* sa = static_cast<const TArrKind*>(source);
      return ta->Count() == sa->Count() && IsAssignable(ta->Elem(), sa->Elem());
    }
    case kcRecord:
    case kcClass:
      return FieldsMatch(*static_cast<const TRecKind*>(target), *static_cast<const TRecKind*>(source),
                         IsAssignable);
    case kcFunction: {
      auto* tf = static_cast<const TFuncKind*>(target);
      auto* sf = static_cast<const TFuncKind*>(source);
      // nil has the kind "function : AnyFunction" and fits every routine kind.
      if (sf->Result() && sf->Result() == AnyKind(kcFunction)) return true;
      if (tf->ArgCount() != sf->ArgCount() || !IsAssignable(tf->Result(), sf->Result())) return false;
      for (int i = 0; i < tf->ArgCount(); ++i)
        if (!ParameterFits(*tf->Arg(i), *sf->Arg(i))) return false;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

const char* KindName(TKindCode code) {
  static const char* const names[] = {"None",   "Error",  "Any",   "Integer", "Char",     "Real",     "Boolean",
                                      "String", "Enum",   "Set",   "Array",   "Record",   "Function", "Class"};
  QASSERT(code < std::size(names), "3FB74562");
  return names[code];
}

TKind::TKind(TKindCode code, std::string name, TLib* lib) : THashNode(std::move(name), lib), code_(code) {}

std::string TKind::GetText(bool named) const { return named && HasName() ? Name() : StructureText(); }

std::string TKind::StructureText() const { return HasName() ? Name() : KindName(code_); }

namespace {

std::string GenericName(TKindCode covered) {
  if (covered == kcAny) return "Anything";
  if (covered == kcClass) return "TObject";
  return std::string("Any") + KindName(covered);
}

}  // namespace

TAnyKind::TAnyKind(TLib* lib, TKindCode covered) : TKind(kcAny, GenericName(covered), lib), covered_(covered) {}

TEnumKind::TEnumKind(std::string name, TLib* lib) : TKind(kcEnum, std::move(name), lib) {}

bool TEnumKind::AddName(std::string name) { return names_.AddName(std::move(name)); }

int TEnumKind::IndexOf(std::string_view name) const { return names_.IndexOf(name); }

const std::string& TEnumKind::GetName(std::int64_t ordinal) const {
  QASSERT(ordinal >= 0 && ordinal < Count(), "3FB74560");
  return names_.Get(static_cast<int>(ordinal))->Name();
}

std::string TEnumKind::StructureText() const {
  return "( " + JoinItems(Count(), ", ", [this](int i) { return GetName(i); }) + " )";
}

TSetKind::TSetKind(std::string name, TEnumKind* elem, TLib* lib) : TKind(kcSet, std::move(name), lib), elem_(elem) {}

std::string TSetKind::StructureText() const { return elem_ ? "Set of " + elem_->GetText(true) : "[ ]"; }

TArrKind::TArrKind(TKind* elem, std::string name, TLib* lib, std::int32_t low, std::int32_t high)
    : TKind(kcArray, std::move(name), lib), elem_(elem), low_(high < low ? 1 : low), high_(high < low ? 0 : high) {
  count_ = std::int64_t{high_} - low_ + 1;
}

std::int32_t TArrKind::Count() const {
  if (count_ > std::numeric_limits<std::int32_t>::max()) throw EIntOverflow();
  return static_cast<std::int32_t>(count_);
}

std::string TArrKind::StructureText() const {
  std::string text = "Array";
  if (!IsDynamic()) text += "[" + std::to_string(low_) + ".." + std::to_string(high_) + "]";
  return text + " of " + NestedText(elem_);
}

TField::TField(std::string name, TKind* kind, bool readOnly, std::int32_t index, TLib* lib)
    : THashNode(std::move(name), lib), kind_(kind), readOnly_(readOnly), index_(index) {}

TRecKind::TRecKind(TKindCode code, std::string name, TLib* lib) : TKind(code, std::move(name), lib) {}

bool TRecKind::AddField(TKind* kind, std::string name, bool readOnly, std::int32_t index) {
  auto field = std::make_unique<TField>(std::move(name), kind, readOnly, index, Lib());
  return fields_.Add(field);
}

TField* TRecKind::Field(int i) const { return static_cast<TField*>(fields_.Get(i)); }

int TRecKind::IndexOf(std::string_view name) const { return fields_.IndexOf(name); }

std::string TRecKind::StructureText() const {
  std::string fields = JoinItems(FieldCount(), "; ", [this](int i) {
    const TField* field = Field(i);
    return field->Name() + " : " + NestedText(field->Kind());
  });
  return (Code() == kcClass ? "Class" : "Record ") + fields + " end";
}

TFuncArg::TFuncArg(std::string name, TKind* kind, TArgMode mode, const TValue& defaultValue, TLib* lib)
    : THashNode(std::move(name), lib), mode_(mode), kind_(kind), default_(defaultValue) {}

TFuncKind::TFuncKind(std::string name, TLib* lib) : TKind(kcFunction, std::move(name), lib) {}

bool TFuncKind::AddArg(std::string name, TKind* kind, TArgMode mode, const TValue& defaultValue) {
  bool hasDefault = !IsVoidValue(defaultValue);
  QASSERT(hasDefault || defaultCount_ == 0, "CFF3A62E");
  auto arg = std::make_unique<TFuncArg>(std::move(name), kind, mode, defaultValue, Lib());
  if (!args_.Add(arg)) return false;
  if (hasDefault) ++defaultCount_;
  if (kind && kind->Code() == kcAny) variadic_ = kind == AnyKind(kcAny) && ArgCount() == 1;
  return true;
}

TFuncArg* TFuncKind::Arg(int i) const {
  QASSERT(i >= 0 && i < ArgCount(), "55F2EBC0");
  return static_cast<TFuncArg*>(args_.Get(i));
}

std::string TFuncKind::StructureText() const {
  std::string text = result_ ? "Function ( " : "Procedure ( ";
  for (int i = 0; i < ArgCount(); ++i) {
    const TFuncArg* arg = Arg(i);
    if (arg->Mode() == amVar) text += "var ";
    if (arg->Mode() == amConst) text += "const ";
    text += arg->Name() + " : " + NestedText(arg->Kind()) + (i + 1 < ArgCount() ? "; " : " ");
  }
  text += ")";
  if (result_) text += " : " + NestedText(result_);
  return text;
}

bool IsCompatibleCode(TKindCode target, TKindCode source) {
  return target == source || target == kcAny || (target == kcString && source == kcChar) ||
         (target == kcReal && source == kcInteger) || (target == kcInteger && source == kcEnum);
}

bool IsAssignable(const TKind* target, const TKind* source) {
  if (target == source) return true;
  if (!target || !source) return false;
  if (target->Code() == kcAny) {
    TKindCode covered = static_cast<const TAnyKind*>(target)->Covered();
    return covered == kcAny || source->Code() == covered || (covered == kcArray && source->Code() == kcString);
  }
  if (target->Code() != source->Code()) return IsCompatibleCode(target->Code(), source->Code());
  return IsAssignableSameCode(target, source);
}

bool AcceptsArgument(const TFuncArg& param, const TKind* argKind) {
  const TKind* kind = param.Kind();
  if (param.Mode() != amVar || IsGenericKind(kind)) return IsAssignable(kind, argKind);
  // The routine reads and writes the caller's variable as its parameter's
  // kind. Parameter names do not make routine values differ, so routine
  // kinds need only take each other's values.
  if (kind && kind->Code() == kcFunction) return IsAssignable(kind, argKind) && IsAssignable(argKind, kind);
  return SameKind(kind, argKind);
}

bool SameKind(const TKind* a, const TKind* b) {
  if (a == b) return true;
  if (!a || !b) return false;
  if (a->Code() == b->Code()) return SameStructure(a, b);
  return (a->Code() == kcString && IsCharArray(b)) || (b->Code() == kcString && IsCharArray(a));
}

std::size_t StructureHash(const TKind* kind) {
  if (!kind) return 0;
  // A String is the same as every array of Char.
  if (kind->Code() == kcString || IsCharArray(kind)) return kcString;
  std::size_t hash = kind->Code();
  // FNV-1a over the parts: a chain of nested kinds does not cancel out.
  auto mix = [&hash](std::size_t part) { hash = (hash ^ part) * 0x100000001b3u; };
  switch (kind->Code()) {
    case kcAny:
      mix(static_cast<const TAnyKind*>(kind)->Covered());
      break;
    case kcEnum: {
      auto* enumeration = static_cast<const TEnumKind*>(kind);
      mix(static_cast<std::size_t>(enumeration->Count()));
      for (int i = 0; i < enumeration->Count(); ++i) mix(std::hash<std::string>()(enumeration->GetName(i)));
      break;
    }
    case kcSet:
      mix(StructureHash(static_cast<const TSetKind*>(kind)->Elem()));
      break;
    case kcArray: {
      auto* array = static_cast<const TArrKind*>(kind);
      mix(static_cast<std::size_t>(array->Low()));
      mix(static_cast<std::size_t>(array->High()));
      mix(StructureHash(array->Elem()));
      break;
    }
    case kcRecord:
    case kcClass: {
      auto* record = static_cast<const TRecKind*>(kind);
      mix(static_cast<std::size_t>(record->FieldCount()));
      for (int i = 0; i < record->FieldCount(); ++i) {
        mix(std::hash<std::string>()(AsciiLowered(record->Field(i)->Name())));
        mix(StructureHash(record->Field(i)->Kind()));
      }
      break;
    }
    case kcFunction: {
      auto* signature = static_cast<const TFuncKind*>(kind);
      mix(static_cast<std::size_t>(signature->ArgCount()));
      mix(StructureHash(signature->Result()));
      for (int i = 0; i < signature->ArgCount(); ++i) {
        mix(signature->Arg(i)->Mode());
        mix(StructureHash(signature->Arg(i)->Kind()));
      }
      break;
    }
    default:
      break;
  }
  return hash;
}

bool DependsOnLib(const TKind* kind, const TLib* lib) {
  bool depends = false;
  ForEachKindPart(kind, [&](const TKind& part) { depends = depends || part.Lib() == lib; });
  return depends;
}
