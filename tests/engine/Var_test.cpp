#include "engine/Var.h"

#include <typeinfo>

#include "KindsFixture.h"
#include "engine/VarText.h"
#include "engine/Variant.h"

namespace {

class VarTest : public KindsFixture {};

TEST_F(VarTest, MakeVarPicksTheClassFromTheKindCode) {
  TEnumKind* colour = Enum({"red"});
  struct {
    TKind* Kind;
    const std::type_info& Class;
  } cases[] = {
      {AnyKind(kcAny), typeid(TAnyVar)},     {AnyKind(kcArray), typeid(TAnyVar)},
      {Integer(), typeid(TBaseVar)},         {colour, typeid(TBaseVar)},
      {String(), typeid(TStrVar)},           {Set(colour), typeid(TSetVar)},
      {AnyKind(kcSet), typeid(TSetVar)},     {Vector(), typeid(TArrVar)},
      {Record({}), typeid(TRecVar)},         {Signature({}, nullptr), typeid(TFuncVar)},
  };
  for (const auto& c : cases) {
    auto var = Var(c.Kind);
    EXPECT_EQ(typeid(*var), c.Class) << c.Kind->GetText(true);
  }
  EXPECT_THROW(Var(nullptr), EAssertionFailed);
  TKind none(kcNone, "", &User);
  EXPECT_THROW(Var(&none), EAssertionFailed);
}

TEST_F(VarTest, BaseVariablesConvertOnTheWayIn) {
  auto real = Var(Real());
  auto integer = Var(Integer(), TValue::Integer(7));
  EXPECT_TRUE(real->Assign(*integer, false));
  EXPECT_EQ(Base(*real).GetValue().AsReal(), 7.0L);
  EXPECT_EQ(Base(*real).GetValue().Kind(), kcReal);

  auto member = Var(Enum({"red", "green", "blue"}), TValue::Enum(2));
  Base(*integer).SetValue(Base(*member).GetValue());
  EXPECT_EQ(Base(*integer).GetValue().AsInt(), 3) << "an enumeration member counts from 1";

  EXPECT_THROW(Base(*integer).SetValue(TValue::Real(1.5L)), EAssertionFailed);
  EXPECT_THROW(integer->Assign(*real, false), EAssertionFailed);
}

TEST_F(VarTest, ResetRestoresTheInitialValue) {
  auto x = Var(Integer(), TValue::Integer(5));
  Base(*x).SetValue(TValue::Integer(9));
  x->Reset();
  EXPECT_EQ(Base(*x).GetValue().AsInt(), 5);

  auto y = Var(Integer());
  auto source = Var(Integer(), TValue::Integer(4));
  y->Assign(*source, true);
  Base(*y).SetValue(TValue::Integer(1));
  y->Reset();
  EXPECT_EQ(Base(*y).GetValue().AsInt(), 4);

  auto s = Var(String());
  Base(*s).SetValue(TValue::String("abc"));
  s->Reset();
  EXPECT_EQ(Base(*s).GetValue().Str(), "") << "without initial value the zero value";
}

TEST_F(VarTest, EachCharacterViewSeesItsOwnPosition) {
  auto var = Var(String(), TValue::String("ab"));
  auto& s = static_cast<TStrVar&>(*var);
  TElemVar first;
  TElemVar second;
  s.CharAt(1, first);
  s.CharAt(2, second);
  EXPECT_EQ(first.GetValue().AsChar(), 'a');
  EXPECT_EQ(second.GetValue().AsChar(), 'b');
  EXPECT_TRUE(first.Assign(second, false));  // s[1] := s[2]
  EXPECT_EQ(s.GetValue().Str(), "bb");
}

TEST_F(VarTest, WritingACharacterReplacesItInTheString) {
  auto var = Var(String(), TValue::String("abc"));
  auto& s = static_cast<TStrVar&>(*var);
  TElemVar view;
  s.CharAt(2, view).SetValue(TValue::Char('x'));
  EXPECT_EQ(s.GetValue().Str(), "axc");
  EXPECT_FALSE(s.IsValidIndex(4));
  EXPECT_FALSE(s.IsValidIndex(0));
  EXPECT_THROW(s.CharAt(4, view), EAssertionFailed);
  EXPECT_THROW(view.SetValue(TValue::String("y")), EAssertionFailed);
  EXPECT_EQ(view.Kind(), Char());
}

TEST_F(VarTest, AStringTakesTheCharactersOfAnArrayOfChar) {
  TArrKind chars(Char(), "", &User, 1, 3);
  TArrVar array("", &chars, false, &User);
  const char text[] = "xyz";
  for (int i = 0; i < 3; ++i) Base(*array.Elem(i + 1)).SetValue(TValue::Char(text[i]));
  auto s = Var(String());
  EXPECT_TRUE(s->Assign(array, true));
  EXPECT_EQ(Base(*s).GetValue().Str(), "xyz");
  auto character = Var(Char(), TValue::Char('q'));
  s->Assign(*character, false);
  EXPECT_EQ(Base(*s).GetValue().Str(), "q");
  s->Reset();
  EXPECT_EQ(Base(*s).GetValue().Str(), "xyz");
}

TEST_F(VarTest, AGenericSetKeepsTheAdoptedEnumerationToItself) {
  TEnumKind* colour = Enum({"red", "green", "blue"});
  auto colours = Var(Set(colour));
  auto& source = static_cast<TSetVar&>(*colours);
  SetVarInclude(source, 0, true);
  SetVarInclude(source, 2, true);

  auto parameter = Var(AnyKind(kcSet));
  auto untouched = Var(AnyKind(kcSet));
  EXPECT_TRUE(parameter->Assign(source, false));
  auto& generic = static_cast<TSetVar&>(*parameter);
  EXPECT_EQ(generic.ElemKind(), colour);
  EXPECT_EQ(generic.GetBits(), 0b101u);
  EXPECT_EQ(VarToText(parameter.get(), false, false), "[ red, blue ]");
  EXPECT_EQ(static_cast<TSetKind*>(AnyKind(kcSet))->Elem(), nullptr) << "the shared generic kind stays generic";
  EXPECT_EQ(static_cast<TSetVar&>(*untouched).ElemKind(), nullptr);
  EXPECT_TRUE(IsAssignable(AnyKind(kcSet), Set(Enum({"a"}))));
}

TEST_F(VarTest, SetMembership) {
  auto var = Var(Set(Enum({"a", "b"})));
  auto& set = static_cast<TSetVar&>(*var);
  set.SetBits(0xFFFFFFFF00000001u);
  SetVarInclude(set, 0, false);
  EXPECT_EQ(set.GetBits(), 0u) << "excluding clears the upper half too";
  SetVarInclude(set, 31, true);
  EXPECT_TRUE(set.Contains(31));
  EXPECT_FALSE(set.Contains(1));
  EXPECT_THROW(SetVarInclude(set, 32, true), EAssertionFailed);
  auto empty = Var(AnyKind(kcSet));
  set.Assign(*empty, true);
  EXPECT_EQ(set.GetBits(), 0u);
  SetVarInclude(set, 1, true);
  set.Reset();
  EXPECT_EQ(set.GetBits(), 0u);
}

TEST_F(VarTest, RecordsAssignAndResetFieldByField) {
  TRecKind* kind = Record({{"a", Integer()}, {"s", String()}});
  auto source = Var(kind);
  auto& from = static_cast<TRecVar&>(*source);
  ASSERT_EQ(from.FieldCount(), 2);
  EXPECT_EQ(from.Field(1)->Name(), "s");
  Base(*from.Field(0)).SetValue(TValue::Integer(1));
  Base(*from.Field(1)).SetValue(TValue::String("x"));

  auto target = Var(kind);
  EXPECT_TRUE(target->Assign(*source, true));
  auto& to = static_cast<TRecVar&>(*target);
  Base(*to.Field(0)).SetValue(TValue::Integer(5));
  to.Reset();
  EXPECT_EQ(Base(*to.Field(0)).GetValue().AsInt(), 1);
  EXPECT_EQ(Base(*to.Field(1)).GetValue().Str(), "x");
  EXPECT_THROW(to.Field(2), EAssertionFailed);
  auto integer = Var(Integer());
  EXPECT_THROW(to.Assign(*integer, false), EAssertionFailed);
}

TEST_F(VarTest, FieldsTakeTheirReadOnlyFlagNotTheRecords) {
  auto kind = std::make_unique<TRecKind>("", &User);
  kind->AddField(Integer(), "fixed", true, -1);
  kind->AddField(Integer(), "free", false, -1);
  TRecVar record("", Register(std::move(kind)), true, &User);
  EXPECT_TRUE(record.IsConstant());
  EXPECT_TRUE(record.Field(0)->IsConstant());
  EXPECT_FALSE(record.Field(1)->IsConstant());
}

TEST_F(VarTest, AReferenceForwardsToItsTargetUntilReset) {
  auto target = Var(Integer());
  TRefVar ref("r", Integer(), &User, true);
  EXPECT_TRUE(ref.IsConstant());
  EXPECT_THROW(ref.Assign(*target, false), EAssertionFailed);
  ref.Bind(target.get());
  EXPECT_FALSE(ref.IsConstant()) << "the target's flag while bound";
  auto seven = Var(Integer(), TValue::Integer(7));
  ref.Assign(*seven, false);
  EXPECT_EQ(Base(*target).GetValue().AsInt(), 7);
  ref.Reset();
  EXPECT_EQ(ref.Target(), nullptr);
  EXPECT_THROW(ref.Bind(Var(String()).get()), EAssertionFailed);
}

TEST_F(VarTest, AGenericParameterIsBoundNeverAssigned) {
  TAnyVar any("a", AnyKind(kcArray), &User);
  auto s = Var(String());
  any.Bind(s.get());
  EXPECT_EQ(any.Target(), s.get());
  EXPECT_TRUE(any.IsConstant());
  EXPECT_THROW(any.Assign(*s, false), EAssertionFailed);
  EXPECT_THROW(any.Bind(Var(Integer()).get()), EAssertionFailed);
}

TEST_F(VarTest, LabelledConstants) {
  TParamVar param("p", "Step", true, Real(), &User);
  EXPECT_TRUE(param.IsConstant());
  param.SetLimits(TValue::Real(0), TValue::Real(1));
  EXPECT_EQ(param.High().AsReal(), 1.0L);
  TParamVar plain("q", "", false, Real(), &User);
  EXPECT_THROW(plain.SetLimits(TValue::Real(0), TValue::Real(1)), EAssertionFailed);
}

TEST_F(VarTest, ConstantsFromValues) {
  auto pi = MakeRealConst("Pi", &System, 3.5L);
  EXPECT_TRUE(pi->IsConstant());
  EXPECT_EQ(Base(*pi).GetValue().AsReal(), 3.5L);
  auto text = MakeConstVar("Version", TVariant::String("1.0"), &System);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(typeid(*text), typeid(TStrVar)) << "a string constant can be indexed";
  EXPECT_EQ(Base(*text).GetValue().Str(), "1.0");
  EXPECT_EQ(MakeConstVar("Nothing", TVariant(), &System), nullptr);
}

}  // namespace
