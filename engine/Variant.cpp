#include "engine/Variant.h"

#include "engine/Value.h"

namespace {

long double VariantReal(const TVariant& v) {
  if (v.VarType() == varCurrency) return static_cast<long double>(v.AsInt()) / 10000;
  return v.AsReal();
}

TValue ErrorValue() {
  TValue error;
  error.SetKind(kcError);
  return error;
}

}  // namespace

TKindCode VariantKind(const TVariant& v) {
  switch (v.VarType()) {
    case varEmpty: return kcNone;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64: return kcInteger;
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate: return kcReal;
    case varOleStr:
    case varString: return kcString;
    case varBoolean: return kcBoolean;
    default: return kcError;
  }
}

// Integer variants keep their whole value: every integer type here fits in 64 bits.
void VariantToValue(const TVariant& v, TValue& value) {
  switch (VariantKind(v)) {
    case kcNone: value = TValue(); break;
    case kcInteger: value = TValue::Integer(v.AsInt()); break;
    case kcReal: value = TValue::Real(VariantReal(v)); break;
    case kcString: value = TValue::String(v.AsText()); break;
    case kcBoolean: value = TValue::Boolean(v.AsBool()); break;
    default: value = ErrorValue(); break;
  }
}

void ValueToVariant(const TValue& value, TVariant& v) {
  v = TVariant();
  switch (value.Kind()) {
    case kcNone: break;
    case kcInteger:
    case kcEnum: v = TVariant::Int64(value.AsInt()); break;
    case kcChar:
    case kcString: v = TVariant::String(ValueToText(value)); break;
    case kcReal: v = TVariant::Real(varDouble, value.AsReal()); break;
    case kcBoolean: v = TVariant::Boolean(value.AsBool()); break;
    default: v = TVariant::Error(E_FAIL); break;
  }
}
