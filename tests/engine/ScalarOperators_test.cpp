#include "engine/ScalarOperators.h"

#include <gtest/gtest.h>

#include <limits>
#include <numbers>

#include "OperatorsFixture.h"
#include "tests/Numbers.h"

namespace {

TValue I(std::int64_t n) { return TValue::Integer(n); }
TValue F(long double x) { return TValue::Real(x); }
TValue C(char c) { return TValue::Char(c); }
TValue S(std::string s) { return TValue::String(std::move(s)); }
TValue B(bool b) { return TValue::Boolean(b); }

std::string Describe(const TValue& value) { return std::string(KindName(value.Kind())) + " " + ValueToText(value); }

// One operation as an expression applies it; right is NoneValue for a unary
// one. Expects either the result or exactly one error line.
struct TApplyCase {
  const char* text;
  std::uint8_t token;
  TValue left;
  TValue right;
  TValue expected;
  std::string error = "";
};

class ScalarOperatorsTest : public OperatorsFixture {
protected:
  void Check(const TApplyCase& c) {
    SCOPED_TRACE(c.text);
    Sink->Lines.clear();
    auto left = Operand(c.left);
    auto right = c.right.Kind() == kcNone ? nullptr : Operand(c.right);
    TOperator* op = Lookup(c.token, left.get(), right.get());
    ASSERT_NE(op, nullptr);
    const bool applied = op->Apply(left.get(), right.get());
    if (c.error.empty()) {
      EXPECT_TRUE(applied);
      EXPECT_TRUE(Sink->Lines.empty());
      const TValue result = ResultValue(*op);
      EXPECT_TRUE(SameValue(result, c.expected)) << Describe(result) << " instead of " << Describe(c.expected);
    } else {
      EXPECT_FALSE(applied);
      EXPECT_EQ(Sink->Lines, (std::vector<TLine>{{c.error, lkError, 0}}));
      EXPECT_EQ(GetLastErrorPos(), NoPosition);
    }
  }
  void Check(std::initializer_list<TApplyCase> cases) {
    for (const TApplyCase& c : cases) Check(c);
  }
};

TEST_F(ScalarOperatorsTest, IntegerArithmetic) {
  Check({
      {"MaxInt + 1", tkPlus, I(MaxInt), I(1), {}, "Integer overflow"},
      {"MinInt - 1", tkMinus, I(MinInt), I(1), {}, "Integer overflow"},
      {"2^32 * 2^32", tkStar, I(4294967296), I(4294967296), {}, "Integer overflow"},
      {"-MinInt", tkMinus, I(MinInt), NoneValue, {}, "Integer overflow"},
      {"3037000499 * 3037000499", tkStar, I(3037000499), I(3037000499), I(9223372030926249001)},
      {"MinInt div -1", tkDiv, I(MinInt), I(-1), {}, "Integer overflow"},
      {"MinInt mod -1", tkMod, I(MinInt), I(-1), {}, "Integer overflow"},
      {"0 div 0", tkDiv, I(0), I(0), {}, "Division by zero"},
      {"0 mod 0", tkMod, I(0), I(0), {}, "Division by zero"},
      {"5 mod 0", tkMod, I(5), I(0), {}, "Division by zero"},
      {"7 div -2", tkDiv, I(7), I(-2), I(-3)},
      {"-7 mod 2", tkMod, I(-7), I(2), I(-1)},
      {"1 shl 63", tkShl, I(1), I(63), I(MinInt)},
      {"-1 shr 63", tkShr, I(-1), I(63), I(1)},
      {"1 shl 64", tkShl, I(1), I(64), I(0)},
      {"1 shl 200", tkShl, I(1), I(200), I(0)},
      {"12 and 10", tkAnd, I(12), I(10), I(8)},
      {"12 or 10", tkOr, I(12), I(10), I(14)},
      {"12 xor 10", tkXor, I(12), I(10), I(6)},
      {"not 5", tkNot, I(5), NoneValue, I(-6)},
      {"+7", tkPlus, I(7), NoneValue, I(7)},
  });
}

TEST_F(ScalarOperatorsTest, RealArithmeticTakesIntegersExactly) {
  Check({
      {"7 / 2", tkSlash, I(7), I(2), F(3.5L)},
      {"1e600 / 2", tkSlash, F(1e600L), I(2), F(5e599L)},
      {"5 / 0", tkSlash, I(5), I(0), F(std::numeric_limits<long double>::infinity())},
      {"0 / 0", tkSlash, I(0), I(0), {}, "Invalid floating point operation"},
      // Like 0 / 0, the quotient of two infinities has no value (not +1 or -1).
      {"Inf / Inf", tkSlash, F(std::numeric_limits<long double>::infinity()),
       F(std::numeric_limits<long double>::infinity()), {}, "Invalid floating point operation"},
      {"-Inf / Inf", tkSlash, F(-std::numeric_limits<long double>::infinity()),
       F(std::numeric_limits<long double>::infinity()), {}, "Invalid floating point operation"},
      {"MaxInt + 0.0 keeps every digit", tkPlus, I(MaxInt), F(0), F(9223372036854775807.0L)},
      {"1e4000 * 1e4000", tkStar, F(1e4000L), F(1e4000L), {}, "Floating point overflow"},
      {"2 ^ 10", tkCaret, I(2), I(10), F(1024)},
      {"2 ^ -1", tkCaret, I(2), I(-1), F(0.5L)},
      {"0 ^ 0", tkCaret, I(0), I(0), F(1)},
      {"-8 ^ (1/3)", tkCaret, I(-8), F(1.0L / 3), {}, "Invalid floating point operation"},
      {"0 ^ -1", tkCaret, I(0), I(-1), {}, "Floating point division by zero"},
      {"2 ^ 4294967296", tkCaret, I(2), I(4294967296), {}, "Range check error"},
      {"`180", tkBackquote, I(180), NoneValue, F(Pi)},
      {"`90.0", tkBackquote, F(90), NoneValue, F(Pi / 2)},
      {"-2.5", tkMinus, F(2.5L), NoneValue, F(-2.5L)},
  });
}

TEST_F(ScalarOperatorsTest, ComparisonsAreExact) {
  const std::int64_t twoPow53 = std::int64_t{1} << 53;
  Check({
      {"3 < 3.5", tkLess, I(3), F(3.5L), B(true)},
      {"2^53 + 1 = 2^53 as Real", tkEqual, I(twoPow53 + 1), F(twoPow53), B(false)},
      {"MaxInt > MaxInt - 1", tkGreater, I(MaxInt), I(MaxInt - 1), B(true)},
      {"3 <= 3", tkLessEqual, I(3), I(3), B(true)},
      {"3 >= 3.5", tkGreaterEqual, I(3), F(3.5L), B(false)},
      {"2 <> 2.0", tkNotEqual, I(2), F(2), B(false)},
  });
}

TEST_F(ScalarOperatorsTest, TextsAndTruthValues) {
  Check({
      {"'a' + 'b'", tkPlus, C('a'), C('b'), S("ab")},
      {"'' + 'x'", tkPlus, TValue::EmptyChar(), C('x'), S("x")},
      {"'ab' + ''", tkPlus, S("ab"), TValue::EmptyChar(), S("ab")},
      {"'' = 'x'", tkEqual, TValue::EmptyChar(), C('x'), B(false)},
      {"'' = ''", tkEqual, TValue::EmptyChar(), TValue::EmptyChar(), B(true)},
      {"'' = Chr(0)", tkEqual, TValue::EmptyChar(), C('\0'), B(true)},
      {"'ab' + Chr(0)", tkPlus, S("ab"), C('\0'), S(std::string("ab\0", 3))},
      {"'' = a String of Chr(0)", tkEqual, S(""), S(std::string(1, '\0')), B(false)},
      {"'a' = 'A'", tkEqual, C('a'), S("A"), B(false)},
      {"'abc' <> 'abd'", tkNotEqual, S("abc"), S("abd"), B(true)},
      {"True and False", tkAnd, B(true), B(false), B(false)},
      {"True or False", tkOr, B(true), B(false), B(true)},
      {"True xor True", tkXor, B(true), B(true), B(false)},
      {"True = True", tkEqual, B(true), B(true), B(true)},
      {"not True", tkNot, B(true), NoneValue, B(false)},
  });
}

// A routine's local type table does not hold String, so an array of Char
// declared there stays an array kind of its own.
TEST_F(ScalarOperatorsTest, ArrayOfCharIsAText) {
  TArrKind local(Char(), "", &User, 1, 3);
  auto chars = Var(&local);
  for (std::int64_t i = 1; i <= 3; ++i) Base(*Arr(*chars).Elem(i)).SetValue(C(static_cast<char>('a' + i - 1)));
  auto text = Operand(S("abc"));

  TOperator* equal = Lookup(tkEqual, chars.get(), text.get());
  ASSERT_NE(equal, nullptr);
  ASSERT_TRUE(equal->Apply(chars.get(), text.get()));
  EXPECT_TRUE(SameValue(ResultValue(*equal), B(true)));

  TOperator* concat = Lookup(tkPlus, text.get(), chars.get());
  ASSERT_NE(concat, nullptr);
  ASSERT_TRUE(concat->Apply(text.get(), chars.get()));
  EXPECT_TRUE(SameValue(ResultValue(*concat), S("abcabc")));
}

TEST_F(ScalarOperatorsTest, FailingOperatorKeepsItsResult) {
  auto three = Operand(I(3));
  auto one = Operand(I(1));
  auto max = Operand(I(MaxInt));
  TOperator* add = Lookup(tkPlus, three.get(), one.get());
  ASSERT_TRUE(add->Apply(three.get(), one.get()));
  EXPECT_FALSE(add->Apply(max.get(), one.get()));
  EXPECT_TRUE(SameValue(ResultValue(*add), I(4)));
  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Integer overflow"});
}

TEST_F(ScalarOperatorsTest, EnumerationMembersWorkOnOrdinals) {
  TEnumKind* colour = Enum({"red", "green", "blue"});
  auto red = Operand(TValue::Enum(0), colour);
  auto blue = Operand(TValue::Enum(2), colour);
  auto zero = Operand(I(0));

  TOperator* add = Lookup(tkPlus, red.get(), zero.get());
  ASSERT_TRUE(add->Apply(red.get(), zero.get()));
  EXPECT_TRUE(SameValue(ResultValue(*add), I(0))) << "the first member is ordinal 0";

  TOperator* plus = Lookup(tkPlus, blue.get(), nullptr);
  ASSERT_TRUE(plus->Apply(blue.get(), nullptr));
  EXPECT_TRUE(SameValue(ResultValue(*plus), I(2)));

  TOperator* equal = Lookup(tkEqual, red.get(), blue.get());
  ASSERT_TRUE(equal->Apply(red.get(), blue.get()));
  EXPECT_TRUE(SameValue(ResultValue(*equal), B(false)));
}

TEST_F(ScalarOperatorsTest, SetOperatorsWorkOnMemberMasks) {
  TEnumKind* colour = Enum({"red", "green", "blue"});
  TSetKind* colours = Set(colour);
  auto set = [&](std::uint64_t bits) {
    auto var = Var(colours);
    static_cast<TSetVar&>(*var).SetBits(bits);
    return var;
  };
  auto redGreen = set(0b011);
  auto greenBlue = set(0b110);
  auto empty = Var(AnyKind(kcSet));
  auto bitsOf = [](const TOperator& op) { return static_cast<TSetVar&>(*op.ResultVar()).GetBits(); };

  TOperator* unite = Lookup(tkPlus, redGreen.get(), greenBlue.get());
  ASSERT_TRUE(unite->Apply(redGreen.get(), greenBlue.get()));
  EXPECT_EQ(bitsOf(*unite), 0b111u);
  EXPECT_EQ(static_cast<TSetVar&>(*unite->ResultVar()).ElemKind(), colour);

  TOperator* subtract = Lookup(tkMinus, redGreen.get(), greenBlue.get());
  ASSERT_TRUE(subtract->Apply(redGreen.get(), greenBlue.get()));
  EXPECT_EQ(bitsOf(*subtract), 0b001u);

  // Two sets of one kind combine into that kind, so "in" can test the result.
  for (TOperator* op : {unite, subtract}) {
    EXPECT_EQ(op->ResultKindFor(colours, colours), colours);
    EXPECT_EQ(op->ResultKindFor(colours, AnyKind(kcSet)), AnyKind(kcSet));
  }

  TOperator* equal = Lookup(tkEqual, redGreen.get(), empty.get());
  ASSERT_TRUE(equal->Apply(redGreen.get(), empty.get()));
  EXPECT_TRUE(SameValue(ResultValue(*equal), B(false)));
  TOperator* differ = Lookup(tkNotEqual, empty.get(), empty.get());
  ASSERT_TRUE(differ->Apply(empty.get(), empty.get()));
  EXPECT_TRUE(SameValue(ResultValue(*differ), B(false)));

  auto blue = Operand(TValue::Enum(2), colour);
  TOperator* in = Lookup(tkIn, blue.get(), greenBlue.get());
  ASSERT_TRUE(in->Apply(blue.get(), greenBlue.get()));
  EXPECT_TRUE(SameValue(ResultValue(*in), B(true)));
  ASSERT_TRUE(in->Apply(blue.get(), redGreen.get()));
  EXPECT_TRUE(SameValue(ResultValue(*in), B(false)));
}

}  // namespace
