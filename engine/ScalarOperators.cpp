#include "engine/ScalarOperators.h"

#include <compare>
#include <functional>

#include "engine/ArrVar.h"
#include "engine/Kind.h"
#include "engine/ScalarArith.h"
#include "engine/Token.h"
#include "engine/Var.h"
#include "runtime/Exceptions.h"

namespace {

// The declared kind of an operand: a scalar kind, or AnyEnum and AnySet.
TKind* KindOf(TKindCode code) { return code >= kcInteger && code <= kcString ? BaseKind(code) : AnyKind(code); }

// The lookup only delivers operands of the classes the bodies read; anything
// else is an engine fault.
template <class TVarClass>
TVarClass& As(TVar* var) {
  auto* typed = dynamic_cast<TVarClass*>(var);
  QASSERT(typed, "Assertion failure");
  return *typed;
}

TValue ValueOf(TVar* var) {
  if (const TValue* stored = var->StoredValue()) return *stored;
  return As<TBaseVar>(var).GetValue();
}

// The result variables of scalar kinds are base variables (made by MakeVar).
void Store(TVar* result, const TValue& value) { static_cast<TBaseVar*>(result)->SetValue(value); }

// Every array of Char is the String kind too, so a text operand may be one;
// its text is its characters in order.
TValue TextOf(TVar* var) {
  const auto* chars = dynamic_cast<const TArrVar*>(var);
  if (!chars) return ValueOf(var);
  return TValue::String(CharsToText(*chars));
}

std::uint64_t BitsOf(TVar* set) { return As<TSetVar>(set).GetBits(); }

template <auto Op>
void IntegerBody(TVar* left, TVar* right, TVar* result) {
  Store(result, TValue::Integer(Op(IntegerOperand(ValueOf(left)), IntegerOperand(ValueOf(right)))));
}

template <auto Op>
void RealBody(TVar* left, TVar* right, TVar* result) {
  Store(result, TValue::Real(Op(RealOperand(ValueOf(left)), RealOperand(ValueOf(right)))));
}

// An Integer exponent takes the integer power (and its 32-bit range check).
void PowerBody(TVar* left, TVar* right, TVar* result) {
  const long double base = RealOperand(ValueOf(left));
  const TValue exponent = ValueOf(right);
  Store(result, TValue::Real(IsIntegerValue(exponent) ? IntegerPower(base, exponent.AsInt())
                                                      : RealPower(base, RealOperand(exponent))));
}

template <auto Holds>
void NumberRelation(TVar* left, TVar* right, TVar* result) {
  Store(result, TValue::Boolean(Holds(CompareNumbers(ValueOf(left), ValueOf(right)))));
}

bool Equal(std::partial_ordering order) { return order == 0; }
bool Unequal(std::partial_ordering order) { return order != 0; }
bool Below(std::partial_ordering order) { return order < 0; }
bool Above(std::partial_ordering order) { return order > 0; }
bool NotAbove(std::partial_ordering order) { return order <= 0; }
bool NotBelow(std::partial_ordering order) { return order >= 0; }

// Two Chars compare as characters, so that the empty literal '' equals
// Chr(0); otherwise as texts.
template <auto Op>
void TextRelation(TVar* left, TVar* right, TVar* result) {
  const TValue leftValue = TextOf(left);
  const TValue rightValue = TextOf(right);
  if (leftValue.Kind() == kcChar && rightValue.Kind() == kcChar)
    Store(result, TValue::Boolean(Op(leftValue.AsChar(), rightValue.AsChar())));
  else
    Store(result, TValue::Boolean(Op(OperandText(leftValue), OperandText(rightValue))));
}

void ConcatBody(TVar* left, TVar* right, TVar* result) {
  Store(result, TValue::String(ConcatTexts(TextOf(left), TextOf(right))));
}

template <auto Op>
void BooleanBody(TVar* left, TVar* right, TVar* result) {
  Store(result, TValue::Boolean(Op(ValueOf(left).AsBool(), ValueOf(right).AsBool())));
}

template <auto Op>
void OrdinalRelation(TVar* left, TVar* right, TVar* result) {
  Store(result, TValue::Boolean(Op(IntegerOperand(ValueOf(left)), IntegerOperand(ValueOf(right)))));
}

template <auto Op>
void MaskRelation(TVar* left, TVar* right, TVar* result) {
  Store(result, TValue::Boolean(Op(BitsOf(left), BitsOf(right))));
}

// A member outside the 32 a set can hold (a host property naming no member
// reads as -1) is in no set.
void MembershipBody(TVar* left, TVar* right, TVar* result) {
  const std::int64_t ordinal = IntegerOperand(ValueOf(left));
  const bool member = ordinal >= 0 && ordinal < 32 && ((BitsOf(right) >> ordinal) & 1) != 0;
  Store(result, TValue::Boolean(member));
}

// The left set is assigned first (so the result takes its element kind),
// then combined with the right one's members.
template <auto Combine>
void SetBody(TVar* left, TVar* right, TVar* result) {
  auto& set = As<TSetVar>(result);
  set.Assign(*left, false);
  set.SetBits(Combine(set.GetBits(), BitsOf(right)));
}

std::uint64_t Without(std::uint64_t members, std::uint64_t removed) { return members & ~removed; }

template <auto Op>
void IntegerUnary(TVar* operand, TVar*, TVar* result) {
  Store(result, TValue::Integer(Op(IntegerOperand(ValueOf(operand)))));
}

template <auto Op>
void RealUnary(TVar* operand, TVar*, TVar* result) {
  Store(result, TValue::Real(Op(RealOperand(ValueOf(operand)))));
}

void NotBody(TVar* operand, TVar*, TVar* result) { Store(result, TValue::Boolean(!ValueOf(operand).AsBool())); }

bool KindsAssignable(TKind* left, TKind* right) { return IsAssignable(left, right); }

// Sets of one kind combine into that kind; others into the generic set.
TKind* SameSetKind(TKind* left, TKind* right) { return SameKind(left, right) ? left : KindOf(kcSet); }

// The set kind must have an element kind that takes the member.
bool MemberOfSetKind(TKind* left, TKind* right) {
  return right && right->Code() == kcSet && IsAssignable(static_cast<TSetKind*>(right)->Elem(), left);
}

}  // namespace

void AppendToText(TValue& text, TVar* right) {
  const TValue tail = TextOf(right);
  text.AppendStr(OperandText(tail));
}

TEqu_FF::TEqu_FF() : TBuiltInBinOp(tkEqual, KindOf(kcReal), KindOf(kcReal), KindOf(kcBoolean), NumberRelation<Equal>) {}
TNEqu_FF::TNEqu_FF()
    : TBuiltInBinOp(tkNotEqual, KindOf(kcReal), KindOf(kcReal), KindOf(kcBoolean), NumberRelation<Unequal>) {}
TLess_FF::TLess_FF() : TBuiltInBinOp(tkLess, KindOf(kcReal), KindOf(kcReal), KindOf(kcBoolean), NumberRelation<Below>) {}
TGreat_FF::TGreat_FF()
    : TBuiltInBinOp(tkGreater, KindOf(kcReal), KindOf(kcReal), KindOf(kcBoolean), NumberRelation<Above>) {}
TLEqu_FF::TLEqu_FF()
    : TBuiltInBinOp(tkLessEqual, KindOf(kcReal), KindOf(kcReal), KindOf(kcBoolean), NumberRelation<NotAbove>) {}
TGEqu_FF::TGEqu_FF()
    : TBuiltInBinOp(tkGreaterEqual, KindOf(kcReal), KindOf(kcReal), KindOf(kcBoolean), NumberRelation<NotBelow>) {}

TEqu_SS::TEqu_SS()
    : TBuiltInBinOp(tkEqual, KindOf(kcString), KindOf(kcString), KindOf(kcBoolean), TextRelation<std::equal_to<>{}>) {}
TNEqu_SS::TNEqu_SS()
    : TBuiltInBinOp(tkNotEqual, KindOf(kcString), KindOf(kcString), KindOf(kcBoolean),
                    TextRelation<std::not_equal_to<>{}>) {}
TEqu_BB::TEqu_BB()
    : TBuiltInBinOp(tkEqual, KindOf(kcBoolean), KindOf(kcBoolean), KindOf(kcBoolean), BooleanBody<std::equal_to<>{}>) {}
TNEqu_BB::TNEqu_BB()
    : TBuiltInBinOp(tkNotEqual, KindOf(kcBoolean), KindOf(kcBoolean), KindOf(kcBoolean),
                    BooleanBody<std::not_equal_to<>{}>) {}
TEqu_EE::TEqu_EE()
    : TBuiltInBinOp(tkEqual, KindOf(kcEnum), KindOf(kcEnum), KindOf(kcBoolean), OrdinalRelation<std::equal_to<>{}>,
                    KindsAssignable) {}
TNEqu_EE::TNEqu_EE()
    : TBuiltInBinOp(tkNotEqual, KindOf(kcEnum), KindOf(kcEnum), KindOf(kcBoolean),
                    OrdinalRelation<std::not_equal_to<>{}>, KindsAssignable) {}
TEqu_MM::TEqu_MM()
    : TBuiltInBinOp(tkEqual, KindOf(kcSet), KindOf(kcSet), KindOf(kcBoolean), MaskRelation<std::equal_to<>{}>,
                    KindsAssignable) {}
TNEqu_MM::TNEqu_MM()
    : TBuiltInBinOp(tkNotEqual, KindOf(kcSet), KindOf(kcSet), KindOf(kcBoolean), MaskRelation<std::not_equal_to<>{}>,
                    KindsAssignable) {}
TIn_EM::TIn_EM()
    : TBuiltInBinOp(tkIn, KindOf(kcEnum), KindOf(kcSet), KindOf(kcBoolean), MembershipBody, MemberOfSetKind) {}

TAdd_II::TAdd_II()
    : TBuiltInBinOp(tkPlus, KindOf(kcInteger), KindOf(kcInteger), KindOf(kcInteger), IntegerBody<IntAdd>) {}
TSub_II::TSub_II()
    : TBuiltInBinOp(tkMinus, KindOf(kcInteger), KindOf(kcInteger), KindOf(kcInteger), IntegerBody<IntSub>) {}
TMul_II::TMul_II()
    : TBuiltInBinOp(tkStar, KindOf(kcInteger), KindOf(kcInteger), KindOf(kcInteger), IntegerBody<IntMul>) {}
TDiv_II::TDiv_II()
    : TBuiltInBinOp(tkDiv, KindOf(kcInteger), KindOf(kcInteger), KindOf(kcInteger), IntegerBody<IntDiv>) {}
TMod_II::TMod_II()
    : TBuiltInBinOp(tkMod, KindOf(kcInteger), KindOf(kcInteger), KindOf(kcInteger), IntegerBody<IntMod>) {}
TAnd_II::TAnd_II()
    : TBuiltInBinOp(tkAnd, KindOf(kcInteger), KindOf(kcInteger), KindOf(kcInteger),
                    IntegerBody<std::bit_and<std::int64_t>{}>) {}
TOr_II::TOr_II()
    : TBuiltInBinOp(tkOr, KindOf(kcInteger), KindOf(kcInteger), KindOf(kcInteger),
                    IntegerBody<std::bit_or<std::int64_t>{}>) {}
TXor_II::TXor_II()
    : TBuiltInBinOp(tkXor, KindOf(kcInteger), KindOf(kcInteger), KindOf(kcInteger),
                    IntegerBody<std::bit_xor<std::int64_t>{}>) {}
TShl_II::TShl_II()
    : TBuiltInBinOp(tkShl, KindOf(kcInteger), KindOf(kcInteger), KindOf(kcInteger), IntegerBody<IntShl>) {}
TShr_II::TShr_II()
    : TBuiltInBinOp(tkShr, KindOf(kcInteger), KindOf(kcInteger), KindOf(kcInteger), IntegerBody<IntShr>) {}

TAdd_FF::TAdd_FF() : TBuiltInBinOp(tkPlus, KindOf(kcReal), KindOf(kcReal), KindOf(kcReal), RealBody<RealAdd>) {}
TSub_FF::TSub_FF() : TBuiltInBinOp(tkMinus, KindOf(kcReal), KindOf(kcReal), KindOf(kcReal), RealBody<RealSub>) {}
TMul_FF::TMul_FF() : TBuiltInBinOp(tkStar, KindOf(kcReal), KindOf(kcReal), KindOf(kcReal), RealBody<RealMul>) {}
TDiv_FF::TDiv_FF() : TBuiltInBinOp(tkSlash, KindOf(kcReal), KindOf(kcReal), KindOf(kcReal), RealBody<RealDiv>) {}
TPow_FF::TPow_FF() : TBuiltInBinOp(tkCaret, KindOf(kcReal), KindOf(kcReal), KindOf(kcReal), PowerBody) {}

TAdd_SS::TAdd_SS() : TBuiltInBinOp(tkPlus, KindOf(kcString), KindOf(kcString), KindOf(kcString), ConcatBody) {}

TAnd_BB::TAnd_BB()
    : TBuiltInBinOp(tkAnd, KindOf(kcBoolean), KindOf(kcBoolean), KindOf(kcBoolean),
                    BooleanBody<std::logical_and<>{}>) {}
TOr_BB::TOr_BB()
    : TBuiltInBinOp(tkOr, KindOf(kcBoolean), KindOf(kcBoolean), KindOf(kcBoolean), BooleanBody<std::logical_or<>{}>) {}
TXor_BB::TXor_BB()
    : TBuiltInBinOp(tkXor, KindOf(kcBoolean), KindOf(kcBoolean), KindOf(kcBoolean),
                    BooleanBody<std::not_equal_to<>{}>) {}

TAdd_MM::TAdd_MM()
    : TBuiltInBinOp(tkPlus, KindOf(kcSet), KindOf(kcSet), KindOf(kcSet), SetBody<std::bit_or<std::uint64_t>{}>,
                    KindsAssignable, SameSetKind) {}
TSub_MM::TSub_MM()
    : TBuiltInBinOp(tkMinus, KindOf(kcSet), KindOf(kcSet), KindOf(kcSet), SetBody<Without>, KindsAssignable,
                    SameSetKind) {}

TMinus_I::TMinus_I() : TBuiltInUnOp(tkMinus, KindOf(kcInteger), KindOf(kcInteger), IntegerUnary<IntNeg>) {}
TMinus_F::TMinus_F() : TBuiltInUnOp(tkMinus, KindOf(kcReal), KindOf(kcReal), RealUnary<std::negate<long double>{}>) {}
// An enumeration member comes out as the Integer of its ordinal.
TPlus_I::TPlus_I() : TBuiltInUnOp(tkPlus, KindOf(kcInteger), KindOf(kcInteger), IntegerUnary<std::identity{}>) {}
TPlus_F::TPlus_F() : TBuiltInUnOp(tkPlus, KindOf(kcReal), KindOf(kcReal), RealUnary<std::identity{}>) {}
TNot_I::TNot_I()
    : TBuiltInUnOp(tkNot, KindOf(kcInteger), KindOf(kcInteger), IntegerUnary<std::bit_not<std::int64_t>{}>) {}
TNot_B::TNot_B() : TBuiltInUnOp(tkNot, KindOf(kcBoolean), KindOf(kcBoolean), NotBody) {}
TLQuote_F::TLQuote_F()
    : TBuiltInUnOp(tkBackquote, KindOf(kcReal), KindOf(kcReal), RealUnary<DegreesToRadians>) {}
