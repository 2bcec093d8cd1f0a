#include "engine/Value.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <utility>

#include "runtime/Exceptions.h"
#include "runtime/Params.h"

namespace {

const long double Inf = std::numeric_limits<long double>::infinity();

TEST(RealToText, FormsByDigitsAndExponentSettings) {
  const struct {
    long double X;
    int Mantissa;
    int ExponentDigits;
    const char* Text;
  } cases[] = {
      {1234.5L, 8, 1, "1234.5"},
      {0.0001L, 8, 1, "0.0001"},
      {0.00001L, 8, 1, "1E-5"},
      {12345678, 8, 1, "12345678"},
      {123456789, 8, 1, "1.2345679E8"},
      {100000000, 8, 1, "1E8"},
      {1e20L, 8, 1, "1E20"},
      {-2.5e-7L, 8, 1, "-2.5E-7"},
      {1e-100L, 8, 1, "0"},
      {-1e-101L, 8, 1, "0"},
      {0, 8, 1, "0"},
      {-0.0L, 8, 1, "0"},
      {1e20L, 8, 3, "1E020"},
      {1.5e-12L, 8, 3, "1.5E-012"},
      {1e20L, 8, 5, "1E20"},
      {1e20L, 8, 0, "1E20"},
      {1e5L, 8, 4, "100000"},
      {0.125L, 2, 1, "0.13"},
      {0.1249999999999L, 2, 1, "0.12"},  // the digit after the last kept decides, not the tail
      {1.26L, 1, 1, "1.3"},
      {1.26L, -5, 1, "1.3"},
      {9.99999999L, 8, 1, "10"},
      {99999999.7L, 8, 1, "1E8"},
      {0.000999999999L, 8, 1, "0.001"},
      {-123.456L, 8, 1, "-123.456"},
      {100, 2, 1, "1E2"},
      {10, 2, 1, "10"},
      {0.5L, 8, 1, "0.5"},
      {1.0L / 3, 18, 1, "0.333333333333333333"},
      {1234567890123456789.0L, 40, 1, "1.23456789012345679E18"},
      {Inf, 8, 1, "INF"},
      {-Inf, 8, 1, "-INF"},
      {std::numeric_limits<long double>::quiet_NaN(), 8, 1, "NAN"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RealToText(c.X, c.Mantissa, c.ExponentDigits), c.Text)
        << "value " << static_cast<double>(c.X) << " P=" << c.Mantissa << " D=" << c.ExponentDigits;
}

// The ends of the range, rounding that carries through 18 digits, and
// values on either side of the exact digit arithmetic's limits (2^-61, 2^128).
TEST(RealToText, EighteenAndTwelveDigitsAcrossTheRange) {
  using Real = std::numeric_limits<long double>;
  const struct {
    long double X;
    const char* Eighteen;
    const char* Twelve;
  } cases[] = {
      {Real::max(), "1.18973149535723177E4932", "1.18973149536E4932"},
      {-Real::max(), "-1.18973149535723177E4932", "-1.18973149536E4932"},
      {Real::min(), "0", "0"},
      {Real::denorm_min(), "0", "0"},
      {1.0000000000000000001e-100L, "1E-100", "1E-100"},
      {1.01e-100L, "1.01E-100", "1.01E-100"},
      {9.999999999999999999e99L, "1E100", "1E100"},
      {0.99999999999999999995L, "1", "1"},
      {123456789012345678.5L, "123456789012345679", "1.23456789012E017"},
      {1e18L, "1E18", "1E018"},
      {18446744073709551615.0L, "1.84467440737095516E19", "1.84467440737E019"},
      {1e4000L, "1E4000", "1E4000"},
      {2.0L / 3, "0.666666666666666667", "0.666666666667"},
      {-1e-5L / 3, "-3.33333333333333333E-6", "-3.33333333333E-006"},
      {1334.333333333333333L, "1334.33333333333333", "1334.33333333"},
      {std::ldexp(1.0L, -124), "4.70197740328915003E-38", "4.70197740329E-038"},
      {std::ldexp(1.0L, -125), "2.35098870164457502E-38", "2.35098870164E-038"},
      {std::ldexp(1.0L, 127), "1.70141183460469232E38", "1.7014118346E038"},
      {std::ldexp(1.0L, 128) - 1, "3.40282366920938463E38", "3.40282366921E038"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RealToText(c.X, 18, 1), c.Eighteen) << static_cast<double>(c.X);
    EXPECT_EQ(RealToText(c.X, 12, 3), c.Twelve) << static_cast<double>(c.X);
  }
}

TEST(RealToText, ReadsTheProgramOptions) {
  const TParams saved = Params;
  Params.FMantissa = 3;
  Params.FExponent = 2;
  EXPECT_EQ(RealToText(3.14159L), "3.14");
  EXPECT_EQ(RealToText(6.02e23L), "6.02E23");
  EXPECT_EQ(RealToText(1e-9L), "1E-09");
  Params = saved;
}

TEST(RealToText, KeepsTheCallersRoundingMode) {
  std::fesetround(FE_UPWARD);
  RealToText(2.5L, 8, 1);
  EXPECT_EQ(std::fegetround(), FE_UPWARD);
  std::fesetround(FE_TONEAREST);
}

class IntegerFormatTest : public ::testing::Test {
protected:
  void TearDown() override { IntegerFormat = ifDecimal; }
};

TEST_F(IntegerFormatTest, IntegersPrintInTheChosenFormatOverAll64Bits) {
  const std::int64_t min = std::numeric_limits<std::int64_t>::min();
  const struct {
    TIntFormat Format;
    std::int64_t N;
    std::string Text;
  } cases[] = {
      {ifDecimal, -42, "-42"},
      {ifDecimal, min, "-9223372036854775808"},
      {ifHex, 255, "$FF"},
      {ifHex, 0, "$0"},
      {ifHex, -1, "$FFFFFFFFFFFFFFFF"},
      {ifBinary, 5, "#101"},
      {ifBinary, 0, "#0"},
      {ifBinary, 1LL << 40, "#1" + std::string(40, '0')},
      {ifBinary, -1, "#" + std::string(64, '1')},
      {ifBinary, min, "#1" + std::string(63, '0')},
      {static_cast<TIntFormat>(7), 255, "255"},
  };
  for (const auto& c : cases) {
    IntegerFormat = c.Format;
    EXPECT_EQ(ValueToText(TValue::Integer(c.N)), c.Text) << "format " << int(c.Format) << " value " << c.N;
  }
}

TEST(ValueToText, EachKindsText) {
  TValue error;
  error.SetKind(kcError);
  EXPECT_EQ(ValueToText(error), "Error");
  EXPECT_EQ(ValueToText(TValue::Char('q')), "q");
  EXPECT_EQ(ValueToText(TValue::EmptyChar()), "");
  EXPECT_EQ(ValueToText(TValue::Char('\0')), std::string(1, '\0'));
  EXPECT_EQ(ValueToText(TValue::Boolean(true)), "True");
  EXPECT_EQ(ValueToText(TValue::Boolean(false)), "False");
  EXPECT_EQ(ValueToText(TValue::String("it's")), "it's");
  EXPECT_EQ(ValueToText(TValue::Real(0.25L)), "0.25");
  EXPECT_EQ(ValueToText(TValue::Enum(2)), "");
  EXPECT_EQ(ValueToText(NoneValue), "");
}

TEST(IntToBin, PositiveDigitsOnly) {
  EXPECT_EQ(IntToBin(5), "101");
  EXPECT_EQ(IntToBin(0), "0");
  EXPECT_EQ(IntToBin(-5), "0");
  EXPECT_EQ(IntToBin(std::numeric_limits<std::int32_t>::max()), std::string(31, '1'));
}

TEST(BinToInt, EveryDigitTakesItsFullWeight) {
  const struct {
    std::string Text;
    bool Ok;
    std::int64_t N;
  } cases[] = {
      {"#101", true, 5},
      {"%1x1", true, 5},  // the prefix is skipped whatever it is; other characters count 0
      {"#", true, 0},
      {"#1" + std::string(31, '0'), true, 1LL << 31},
      {"#" + std::string(32, '1'), true, 0xFFFFFFFFLL},
      {"#" + std::string(62, '1'), true, (1LL << 62) - 1},
      {"#" + std::string(63, '1'), false, -7},
  };
  for (const auto& c : cases) {
    std::int64_t n = -7;
    EXPECT_EQ(BinToInt(c.Text, n), c.Ok) << c.Text;
    EXPECT_EQ(n, c.N) << c.Text;
  }
}

TEST(ConvertValue, TheConversionTable) {
  TValue dst;
  ConvertValue(kcInteger, TValue::Enum(0), dst);
  EXPECT_EQ(dst.Kind(), kcInteger);
  EXPECT_EQ(dst.AsInt(), 1) << "an Enum converts as its ordinal plus 1";
  ConvertValue(kcInteger, TValue::Enum(2), dst);
  EXPECT_EQ(dst.AsInt(), 3);
  ConvertValue(kcReal, TValue::Integer((1LL << 62) + 1), dst);
  EXPECT_EQ(dst.AsReal(), static_cast<long double>((1LL << 62) + 1)) << "the widening is exact";
  ConvertValue(kcString, TValue::EmptyChar(), dst);
  EXPECT_EQ(dst.Kind(), kcString);
  EXPECT_EQ(dst.Str(), "");
  ConvertValue(kcString, TValue::Char('\0'), dst);
  EXPECT_EQ(dst.Str(), std::string(1, '\0')) << "a NUL is a character like any other";
  ConvertValue(kcString, TValue::Char('z'), dst);
  EXPECT_EQ(dst.Str(), "z");
  for (const TValue& same : {TValue::Integer(-3), TValue::Char('c'), TValue::Real(1.5L), TValue::Boolean(true),
                             TValue::String("s"), TValue::Enum(4)}) {
    ConvertValue(same.Kind(), same, dst);
    EXPECT_TRUE(SameValue(dst, same)) << "kind " << int(same.Kind());
  }
  dst = TValue::Char('k');
  ConvertValue(kcString, dst, dst);
  EXPECT_EQ(dst.Str(), "k") << "source and target may be one value";
}

TEST(ConvertValue, RefusedPairsAndOverflow) {
  TValue dst;
  const struct {
    TKindCode Kind;
    TValue Src;
  } refused[] = {
      {kcInteger, TValue::Real(1)},   {kcInteger, TValue::Char('1')}, {kcChar, TValue::String("a")},
      {kcBoolean, TValue::Integer(1)}, {kcEnum, TValue::Integer(1)},  {kcReal, TValue::Enum(1)},
      {kcNone, NoneValue},
  };
  for (const auto& r : refused)
    EXPECT_THROW(ConvertValue(r.Kind, r.Src, dst), EAssertionFailed) << int(r.Kind) << " from " << int(r.Src.Kind());
  EXPECT_THROW(ConvertValue(kcInteger, TValue::Enum(std::numeric_limits<std::int64_t>::max()), dst), EIntOverflow);
}

TEST(AssignValue, KeepsTheTargetKind) {
  TValue real = TValue::Real(0);
  AssignValue(TValue::Integer(7), real);
  EXPECT_EQ(real.Kind(), kcReal);
  EXPECT_EQ(real.AsReal(), 7.0L);

  TValue integer = TValue::Integer(0);
  AssignValue(TValue::Enum(1), integer);
  EXPECT_EQ(integer.AsInt(), 2);

  TValue text = TValue::String("old");
  AssignValue(TValue::Char('n'), text);
  EXPECT_EQ(text.Str(), "n");

  TValue enumeration = TValue::Enum(0);
  AssignValue(TValue::Enum(5), enumeration);
  EXPECT_EQ(enumeration.AsInt(), 5);
  TValue letter = TValue::Char('a');
  AssignValue(TValue::Char('b'), letter);
  EXPECT_EQ(letter.AsChar(), 'b');
  TValue flag = TValue::Boolean(false);
  AssignValue(TValue::Boolean(true), flag);
  EXPECT_TRUE(flag.AsBool());

  EXPECT_THROW(AssignValue(TValue::String("x"), real), EAssertionFailed);
}

TEST(ClearValue, ZeroOfEachKind) {
  TValue v = TValue::String("text");
  for (TKindCode kind : {kcNone, kcError, kcInteger, kcChar, kcReal, kcBoolean, kcString, kcEnum}) {
    v = TValue::Real(-9.5L);
    v.SetStr("left over");
    ClearValue(kind, v);
    EXPECT_EQ(v.Kind(), kind);
    EXPECT_EQ(v.AsInt(), 0);
    EXPECT_EQ(v.AsReal(), 0.0L);
    EXPECT_EQ(v.Str(), "");
  }
  EXPECT_THROW(ClearValue(kcArray, v), EAssertionFailed);
  EXPECT_THROW(ClearValue(kcAny, v), EAssertionFailed);
}

TEST(ValueToInt, ScalarsAsThirtyTwoBits) {
  std::int32_t n = 0;
  EXPECT_TRUE(ValueToInt(TValue::Integer(-5), n));
  EXPECT_EQ(n, -5);
  EXPECT_TRUE(ValueToInt(TValue::Char('\xFF'), n));
  EXPECT_EQ(n, 255);
  EXPECT_TRUE(ValueToInt(TValue::Boolean(true), n));
  EXPECT_EQ(n, 1);
  EXPECT_TRUE(ValueToInt(TValue::Enum(2), n));
  EXPECT_EQ(n, 2) << "case labels use the 0-based ordinal";
  EXPECT_FALSE(ValueToInt(TValue::Real(1), n));
  EXPECT_FALSE(ValueToInt(TValue::String("1"), n));
  EXPECT_THROW(ValueToInt(TValue::Integer(1LL << 31), n), ERangeError);
  EXPECT_THROW(ValueToInt(TValue::Enum(-(1LL << 31) - 1), n), ERangeError);
}

TEST(SameValue, ComparesByKind) {
  TValue errorA, errorB;
  errorA.SetKind(kcError);
  errorB.SetKind(kcError);
  errorB.SetAsInt(1LL << 40);
  EXPECT_TRUE(SameValue(errorA, errorB)) << "errors compare their low 32 bits";
  EXPECT_FALSE(SameValue(TValue::Integer(1), TValue::Enum(1)));
  EXPECT_FALSE(SameValue(TValue::String("a"), TValue::String("A")));
  EXPECT_TRUE(SameValue(TValue::Real(0.1L), TValue::Real(0.1L)));
  EXPECT_FALSE(SameValue(TValue::Real(0.1L), TValue::Real(0.1)));
  EXPECT_TRUE(SameValue(NoneValue, TValue()));
  EXPECT_TRUE(IsVoidValue(NoneValue));
  EXPECT_TRUE(IsVoidValue(errorA));
  EXPECT_FALSE(IsVoidValue(TValue::Integer(0)));
}

TEST(Value, CopiesShareTheTextAndKeepThe80BitReal) {
  const long double third = 1.0L / 3;
  EXPECT_EQ(TValue::Real(third).AsReal(), third);
  TValue a = TValue::String(std::string(100, 'x'));
  TValue b = a;
  EXPECT_EQ(&a.Str(), &b.Str());
  b.SetStr("changed");
  EXPECT_EQ(a.Str(), std::string(100, 'x'));
}

TEST(Value, TheTextSharesThePayloadOnlyWhileTheValueIsAString) {
  TValue v = TValue::String("text");
  v.SetKind(kcInteger);
  EXPECT_EQ(v.AsInt(), 0) << "a String made another kind keeps no pointer as its number";
  EXPECT_EQ(v.Str(), "");
  v = TValue::Real(-2.5L);
  v.SetKind(kcString);
  EXPECT_EQ(v.Str(), "") << "a value made a String starts empty, whatever its payload was";
  v.AppendStr("ab");
  TValue shared = v;
  shared.AppendStr("c");
  shared.SetStrChar(0, 'x');
  EXPECT_EQ(v.Str(), "ab") << "a shared text is copied before it changes";
  EXPECT_EQ(shared.Str(), "xbc");
  const TValue& self = shared;
  shared = self;
  TValue moved = std::move(shared);
  EXPECT_EQ(moved.Str(), "xbc");
  moved = TValue::Real(1.5L);
  EXPECT_EQ(moved.AsReal(), 1.5L) << "a String assigned a Real holds the Real";
  EXPECT_EQ(moved.Str(), "");
}

}  // namespace
