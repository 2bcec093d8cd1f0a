#include "engine/Kind.h"

#include "KindsFixture.h"
#include "engine/KindTab.h"

namespace {

class KindTest : public KindsFixture {};

TEST_F(KindTest, BuiltInKindsHaveTheirNamesAliasesAndGenericKinds) {
  EXPECT_EQ(FindKind("integer"), Integer());
  EXPECT_EQ(FindKind("Longint"), Integer());
  EXPECT_EQ(FindKind("WideString"), String());
  EXPECT_EQ(FindKind("FLOAT"), Real());
  EXPECT_EQ(FindKind("Anything"), AnyKind(kcAny));
  EXPECT_EQ(FindKind("AnyArray"), AnyKind(kcArray));
  EXPECT_EQ(FindKind("TObject"), AnyKind(kcClass));
  EXPECT_EQ(FindKind("nothing"), nullptr);
  // AnySet is a set kind without enumeration, not a generic kind.
  TKind* anySet = AnyKind(kcSet);
  EXPECT_EQ(anySet->Code(), kcSet);
  EXPECT_EQ(anySet->Name(), "AnySet");
  EXPECT_EQ(static_cast<TSetKind*>(anySet)->Elem(), nullptr);
}

TEST_F(KindTest, TheGlobalKindTableGoesWithItsTable) {
  {
    TLib system("System", true);
    TKindTab other;
    other.RegisterBuiltIns(&system);
    EXPECT_NE(FindKind("Integer"), nullptr);
  }
  EXPECT_EQ(FindKind("Integer"), nullptr);
  EXPECT_EQ(BaseKind(kcInteger), nullptr);
}

TEST_F(KindTest, TextOfKinds) {
  TEnumKind* colour = Enum({"red", "green"});
  TEnumKind* x = Enum({"p", "q"}, "X");
  TFuncKind* function = Signature({{"x", Real(), amVar}}, Real());
  TFuncKind* procedure = Signature({}, nullptr);
  TFuncKind* mixed = Signature({{"a", Integer()}, {"b", String(), amConst}}, nullptr);
  struct {
    TKind* Kind;
    std::string Text;
  } cases[] = {
      {Array(Real(), 1, 3), "Array[1..3] of Real"},
      {Matrix(), "Array of Vector"},
      {Record({{"a", Integer()}, {"b", Real()}}), "Record a : Integer; b : Real end"},
      {function, "Function ( var x : Real ) : Real"},
      {procedure, "Procedure ( )"},
      {mixed, "Procedure ( a : Integer; const b : String )"},
      {Set(x), "Set of X"},
      {AnyKind(kcSet), "[ ]"},
      {colour, "( red, green )"},
      {AnyKind(kcReal), "AnyReal"},
      {AnyKind(kcAny), "Anything"},
      {Real(), "Real"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Kind->GetText(false), c.Text);
  EXPECT_EQ(Matrix()->GetText(true), "Matrix");
  EXPECT_EQ(Array(Real(), 1, 3)->GetText(true), "Array[1..3] of Real") << "anonymous kinds print their structure";
}

TEST_F(KindTest, EveryArrayOfCharIsTheStringKind) {
  for (auto [low, high] : {std::pair{1, 0}, std::pair{1, 5}})
    EXPECT_EQ(Kinds.Register(std::make_unique<TArrKind>(Char(), "", &User, low, high), &User), String());
}

TEST_F(KindTest, EveryArrayOfRealIsTheVectorKind) {
  TArrKind* vector = Vector();
  TArrKind* anonymous = Array(Real());
  EXPECT_EQ(anonymous, vector);
  EXPECT_EQ(anonymous->GetText(true), "Vector");
}

TEST_F(KindTest, ANamedTypeOfAnExistingStructureBecomesAnAlias) {
  TArrKind* anonymous = Array(Real(), 1, 3);
  TArrKind* named = Array(Real(), 1, 3, "T");
  EXPECT_EQ(named, anonymous);
  EXPECT_EQ(Kinds.FindKind("t"), anonymous);
  EXPECT_EQ(named->GetText(true), "Array[1..3] of Real") << "registered anonymously first";
  TArrKind* first = Array(Integer(), 1, 2, "Pair");
  EXPECT_EQ(Array(Integer(), 1, 2, "Couple"), first);
  EXPECT_EQ(first->GetText(true), "Pair") << "the first name stays";
}

TEST_F(KindTest, ArraysWithOtherBoundsAreOtherKinds) {
  TArrKind* oneToThree = Array(Real(), 1, 3);
  TArrKind* zeroToTwo = Array(Real(), 0, 2);
  ASSERT_NE(zeroToTwo, oneToThree);
  EXPECT_EQ(zeroToTwo->Low(), 0);
  EXPECT_EQ(zeroToTwo->High(), 2);
  EXPECT_FALSE(SameKind(oneToThree, zeroToTwo));
  EXPECT_TRUE(IsAssignable(oneToThree, zeroToTwo)) << "assignment only needs equal counts";
}

TEST_F(KindTest, DynamicArraysAreStoredOneToZero) {
  TArrKind* dynamic = Array(Real(), 5, 2);
  EXPECT_TRUE(dynamic->IsDynamic());
  EXPECT_EQ(dynamic->Low(), 1);
  EXPECT_EQ(dynamic->High(), 0);
  EXPECT_EQ(dynamic->Count(), 0);
  TArrKind huge(Real(), "", &User, INT32_MIN, INT32_MAX);
  EXPECT_THROW(huge.Count(), EIntOverflow);
}

TEST_F(KindTest, AssignabilityAndIdentity) {
  TEnumKind* colour = Enum({"red", "green"});
  TEnumKind* shouting = Enum({"RED", "GREEN"});
  TArrKind* oneToThree = Array(Real(), 1, 3);
  TFuncKind* byValue = Signature({{"x", Real()}}, Real());
  TFuncKind* byVar = Signature({{"x", Real(), amVar}}, Real());
  TFuncKind* otherName = Signature({{"y", Real()}}, Real());
  TFuncKind* takesInteger = Signature({{"x", Integer()}}, Real());
  TFuncKind* takesAnything = Signature({{"x", AnyKind(kcAny)}}, Real());
  TFuncKind* byVarInteger = Signature({{"x", Integer(), amVar}}, Real());
  TFuncKind* byVarAnything = Signature({{"x", AnyKind(kcAny), amVar}}, Real());
  TFuncKind* nilKind = Signature({}, AnyKind(kcFunction));
  TFuncKind* procA = Signature({}, nullptr);
  TFuncKind* procB = Signature({}, nullptr);
  TRecKind* record = Record({{"a", Integer()}});
  TRecKind* renamed = Record({{"b", Integer()}});
  TRecKind* wider = Record({{"A", Real()}});
  TSetKind* colours = Set(colour);
  // Unregistered, as registering would give the String kind itself.
  TArrKind chars(Char(), "", &User, 1, 0);
  TArrKind fiveChars(Char(), "", &User, 1, 5);
  struct {
    const char* Case;
    TKind* Target;
    TKind* Source;
    bool Assignable;
    bool Same;
  } cases[] = {
      {"Real <- Integer", Real(), Integer(), true, false},
      {"Integer <- Real", Integer(), Real(), false, false},
      {"Integer <- Enum", Integer(), colour, true, false},
      {"String <- Char", String(), Char(), true, false},
      {"Char <- String", Char(), String(), false, false},
      {"String = array of Char", String(), &chars, false, true},
      {"array [1..5] of Char = String", &fiveChars, String(), false, true},
      {"AnyArray <- String", AnyKind(kcArray), String(), true, false},
      {"AnyArray <- array", AnyKind(kcArray), oneToThree, true, false},
      {"AnyReal <- Integer", AnyKind(kcReal), Integer(), false, false},
      {"Anything <- record", AnyKind(kcAny), record, true, false},
      {"nil fits a routine kind", byVar, nilKind, true, false},
      {"var vs value parameter", byVar, byValue, false, false},
      {"parameter names do not matter", byValue, otherName, true, false},
      // A routine kind's calls pass what its parameters allow to the routine.
      {"Real parameter <- Integer parameter", byValue, takesInteger, false, false},
      {"Integer parameter <- Real parameter", takesInteger, byValue, true, false},
      {"Real parameter <- Anything parameter", byValue, takesAnything, true, false},
      {"Anything parameter <- Real parameter", takesAnything, byValue, true, false},
      {"var Integer parameter <- var Real parameter", byVarInteger, byVar, false, false},
      {"var Anything parameter <- var Real parameter", byVarAnything, byVar, false, false},
      {"two procedures", procA, procB, true, true},
      {"array [1..3] <- array [0..2]", oneToThree, Array(Real(), 0, 2), true, false},
      {"static <- dynamic", oneToThree, Vector(), false, false},
      {"dynamic <- static", Vector(), oneToThree, false, false},
      {"enums in another letter case", colour, shouting, false, false},
      {"record field names differ", record, renamed, false, false},
      {"record field names in another case", wider, record, true, false},
      {"set of enum <- AnySet", colours, AnyKind(kcSet), true, false},
      {"AnySet <- set of enum", AnyKind(kcSet), colours, true, false},
      {"nil target", nullptr, Integer(), false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsAssignable(c.Target, c.Source), c.Assignable) << c.Case;
    EXPECT_EQ(SameKind(c.Target, c.Source), c.Same) << c.Case;
  }
}

TEST_F(KindTest, SignatureParameters) {
  auto variadic = std::make_unique<TFuncKind>("", &User);
  EXPECT_TRUE(variadic->AddArg("a", AnyKind(kcAny), amValue, NoneValue));
  EXPECT_TRUE(variadic->Variadic());

  auto notVariadic = std::make_unique<TFuncKind>("", &User);
  notVariadic->AddArg("Name", String(), amValue, NoneValue);
  notVariadic->AddArg("A", AnyKind(kcAny), amValue, NoneValue);
  EXPECT_FALSE(notVariadic->Variadic());

  auto laterGeneric = std::make_unique<TFuncKind>("", &User);
  laterGeneric->AddArg("a", AnyKind(kcAny), amValue, NoneValue);
  laterGeneric->AddArg("b", AnyKind(kcReal), amValue, NoneValue);
  EXPECT_FALSE(laterGeneric->Variadic());

  auto defaults = std::make_unique<TFuncKind>("", &User);
  defaults->AddArg("a", Integer(), amValue, TValue::Integer(1));
  EXPECT_FALSE(defaults->AddArg("A", Integer(), amValue, TValue::Integer(2))) << "duplicate name";
  EXPECT_EQ(defaults->ArgCount(), 1);
  EXPECT_EQ(defaults->DefaultCount(), 1) << "a refused parameter does not count";
  EXPECT_THROW(defaults->AddArg("b", Integer(), amValue, NoneValue), EAssertionFailed);
  EXPECT_THROW(defaults->Arg(1), EAssertionFailed);
}

TEST_F(KindTest, EnumerationMembersAndLookup) {
  TEnumKind* colour = Enum({"red", "green", "blue"}, "Colour");
  EXPECT_EQ(colour->Count(), 3);
  EXPECT_EQ(colour->IndexOf("GREEN"), 1);
  EXPECT_EQ(colour->IndexOf("pink"), -1);
  EXPECT_FALSE(colour->AddName("Blue"));
  EXPECT_EQ(colour->GetName(2), "blue");
  EXPECT_THROW(colour->GetName(3), EAssertionFailed);
  EXPECT_EQ(Kinds.FindEnumMember("Red"), colour);
  EXPECT_EQ(Kinds.FindEnumMember("pink"), nullptr);
}

TEST_F(KindTest, RemovingALibraryTakesItsKindsAliasesAndEnumerations) {
  TLib other("Other", false);
  TEnumKind* colour = Enum({"red"}, "Colour", &other);
  TArrKind* row = Array(Integer(), 1, 4, "Row", &other);
  Array(Integer(), 1, 4, "Line");  // the user's alias of the other library's kind
  ASSERT_EQ(Kinds.FindKind("Line"), row);
  Kinds.AddAlias(Real(), "Money", &other);

  Kinds.RemoveLib(&System, false);
  EXPECT_EQ(Kinds.FindKind("Longint"), Integer()) << "a built-in library stays";

  Kinds.RemoveLib(&other, false);
  EXPECT_EQ(Kinds.FindKind("Colour"), nullptr);
  EXPECT_EQ(Kinds.FindKind("Row"), nullptr);
  EXPECT_EQ(Kinds.FindKind("Line"), nullptr) << "an alias must not outlive its kind";
  EXPECT_EQ(Kinds.FindKind("Money"), nullptr);
  EXPECT_EQ(Kinds.FindEnumMember("red"), nullptr);
  (void)colour;
}

TEST_F(KindTest, AnUnforcedBuiltInLibraryKeepsItsKindsButLeavesMemberLookup) {
  TEnumKind* colour = Enum({"red"}, "Colour", &System);
  Kinds.RemoveLib(&System, false);
  EXPECT_EQ(Kinds.FindKind("Colour"), colour);
  EXPECT_EQ(Kinds.FindEnumMember("red"), nullptr);
}

}  // namespace
