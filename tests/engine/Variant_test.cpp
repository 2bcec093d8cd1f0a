#include "engine/Variant.h"

#include <gtest/gtest.h>


#include "engine/Value.h"

namespace {

TEST(VariantToValue, EachVariantTypeToItsKind) {
  const struct {
    TVariant Variant;
    TKindCode Kind;
    std::string Text;
  } cases[] = {
      {TVariant(), kcNone, ""},
      {TVariant::Integer(varSmallint, -3), kcInteger, "-3"},
      {TVariant::Integer(varByte, 200), kcInteger, "200"},
      {TVariant::Integer(varLongWord, 4000000000LL), kcInteger, "4000000000"},
      {TVariant::Int64(1LL << 40), kcInteger, "1099511627776"},
      {TVariant::Real(varSingle, 0.5), kcReal, "0.5"},
      {TVariant::Real(varDate, 2.25), kcReal, "2.25"},
      {TVariant::Currency(12345), kcReal, "1.2345"},
      {TVariant::Text(varOleStr, "wide"), kcString, "wide"},
      {TVariant::String("narrow"), kcString, "narrow"},
      {TVariant::Boolean(true), kcBoolean, "True"},
      {TVariant::Error(E_FAIL), kcError, "Error"},
      {TVariant::OfType(varNull), kcError, "Error"},
      {TVariant::OfType(varDispatch), kcError, "Error"},
      {TVariant::Integer(varUInt64, 1), kcError, "Error"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VariantKind(c.Variant), c.Kind) << "type " << c.Variant.VarType();
    TValue value = TValue::String("stale");
    VariantToValue(c.Variant, value);
    EXPECT_EQ(value.Kind(), c.Kind) << "type " << c.Variant.VarType();
    EXPECT_EQ(ValueToText(value), c.Text) << "type " << c.Variant.VarType();
  }
  TValue error;
  VariantToValue(TVariant::Error(E_FAIL), error);
  EXPECT_EQ(error.AsInt(), 0) << "an error value carries a cleared payload";
}

TEST(ValueToVariant, EachKindToItsVariant) {
  TValue unknown;
  unknown.SetKind(kcError);
  const struct {
    TValue Value;
    TVariant Variant;
  } cases[] = {
      {NoneValue, TVariant()},
      {TValue::Integer(-1LL << 40), TVariant::Int64(-1LL << 40)},
      {TValue::Enum(2), TVariant::Int64(2)},
      {TValue::Char('c'), TVariant::String("c")},
      {TValue::EmptyChar(), TVariant::String("")},
      {TValue::Char('\0'), TVariant::String(std::string(1, '\0'))},
      {TValue::Real(0.25L), TVariant::Real(varDouble, 0.25)},
      {TValue::Boolean(true), TVariant::Boolean(true)},
      {TValue::String("s"), TVariant::String("s")},
      {unknown, TVariant::Error(E_FAIL)},
  };
  for (const auto& c : cases) {
    TVariant v = TVariant::String("stale");
    ValueToVariant(c.Value, v);
    EXPECT_EQ(v, c.Variant) << "kind " << int(c.Value.Kind());
  }
}

TEST(ValueToVariant, ARealBeyondDoubleCrossesWhole) {
  const long double huge = 5e599L;
  TVariant v;
  ValueToVariant(TValue::Real(huge), v);
  EXPECT_EQ(v.VarType(), varDouble);
  EXPECT_EQ(v.AsReal(), huge);
  TValue back;
  VariantToValue(v, back);
  EXPECT_EQ(back.AsReal(), huge);
}

}  // namespace
