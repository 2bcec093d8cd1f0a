#include "engine/HostVar.h"

#include "engine/ArrVar.h"
#include "engine/Kind.h"

namespace {

// v converted to the kind code, as a variable of that kind would hold it.
TValue Converted(const TValue& v, TKindCode code) {
  TValue converted;
  ClearValue(code, converted);
  AssignValue(v, converted);
  return converted;
}

}  // namespace

TPropVar::TPropVar(std::string name, TKind* kind, bool isConst, TLib* lib, THostBinding host)
    : TBaseVar(std::move(name), kind, isConst, lib), host_(host) {}

void TPropVar::SetValue(const TValue& v) {
  QASSERT(IsCompatibleCode(Kind()->Code(), v.Kind()), "CF25A740");
  const TValue value = Converted(v, Kind()->Code());
  if (Kind()->Code() == kcEnum)
    SetEnumProp(host_, *static_cast<const TEnumKind*>(Kind()), value.AsInt());
  else
    SetPropValue(host_, value);
}

TValue TPropVar::GetValue() const {
  if (Kind()->Code() == kcEnum) return TValue::Enum(GetEnumProp(host_, *static_cast<const TEnumKind*>(Kind())));
  return GetPropValue(host_, Kind()->Code());
}

TPropStrVar::TPropStrVar(std::string name, TKind* kind, bool isConst, TLib* lib, THostBinding host)
    : TStrVar(std::move(name), kind, isConst, lib), host_(host) {}

bool TPropStrVar::Assign(const TVar& source, bool setInitial) {
  if (auto* chars = dynamic_cast<const TArrVar*>(&source)) {
    SetValue(TValue::String(CharsToText(*chars)));
    return true;
  }
  return AssignThroughValues(source, setInitial);
}

void TPropStrVar::SetValue(const TValue& v) {
  QASSERT(IsCompatibleCode(kcString, v.Kind()), "CF25A740");
  SetPropValue(host_, Converted(v, kcString));
}

TValue TPropStrVar::GetValue() const { return GetPropValue(host_, kcString); }

std::unique_ptr<TVar> MakePropertyVar(std::string name, TKind* kind, bool isConst, TLib* lib, THostBinding host) {
  switch (kind->Code()) {
    case kcInteger:
    case kcChar:
    case kcReal:
    case kcBoolean:
    case kcEnum:
      return std::make_unique<TPropVar>(std::move(name), kind, isConst, lib, host);
    case kcString:
      return std::make_unique<TPropStrVar>(std::move(name), kind, isConst, lib, host);
    case kcSet:
      return std::make_unique<TSetVar>(std::move(name), static_cast<TSetKind*>(kind), isConst, lib, host);
    default:
      return nullptr;
  }
}
