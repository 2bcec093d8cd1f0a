#include "engine/OpTab.h"

#include <gtest/gtest.h>

#include <typeindex>

#include "OperatorsFixture.h"
#include "engine/ScalarOperators.h"
#include "runtime/Exceptions.h"

namespace {

// A routine whose end the test can see, for operators that must be freed.
class TWatchedFunc : public TTestFunc {
public:
  TWatchedFunc(TFuncKind* signature, TLib* lib, bool& freed)
      : TTestFunc("op", signature, lib, [](TTestFunc&, TSourcePos) { return true; }), freed_(freed) {}
  ~TWatchedFunc() override { freed_ = true; }

private:
  bool& freed_;
};

class OpTabTest : public OperatorsFixture {
protected:
  // A script operator on token with the given parameter kinds, declared in lib.
  std::unique_ptr<TFuncOp> ScriptOp(std::uint8_t token, TKind* left, TKind* right, TKind* result, TLib* lib,
                                    bool* freed = nullptr) {
    TFuncKind* signature = right ? Signature({{"a", left}, {"b", right}}, result) : Signature({{"a", left}}, result);
    std::unique_ptr<TFunc> routine;
    if (freed)
      routine = std::make_unique<TWatchedFunc>(signature, lib, *freed);
    else
      routine = std::make_unique<TTestFunc>("op", signature, lib, [](TTestFunc&, TSourcePos) { return true; });
    return std::make_unique<TFuncOp>(token, std::move(routine), lib);
  }

  std::type_index Found(std::uint8_t token, TKind* left, TKind* right) const {
    TOperator* op = Ops.Find(token, true, left, right);
    return op ? std::type_index(typeid(*op)) : std::type_index(typeid(nullptr));
  }
};

TEST_F(OpTabTest, LookupPrefersIdenticalKindsThenConverts) {
  TEnumKind* colour = Enum({"red", "green"});
  TSetKind* colours = Set(colour);
  const std::type_index none = typeid(nullptr);
  struct {
    const char* text;
    std::uint8_t token;
    TKind* left;
    TKind* right;
    std::type_index expected;
  } cases[] = {
      {"Integer + Integer", tkPlus, Integer(), Integer(), typeid(TAdd_II)},
      {"Integer + Real", tkPlus, Integer(), Real(), typeid(TAdd_FF)},
      {"Real + Integer", tkPlus, Real(), Integer(), typeid(TAdd_FF)},
      {"Integer < Integer", tkLess, Integer(), Integer(), typeid(TLess_FF)},
      {"Integer / Integer", tkSlash, Integer(), Integer(), typeid(TDiv_FF)},
      {"Integer ^ Integer", tkCaret, Integer(), Integer(), typeid(TPow_FF)},
      {"Char + Char", tkPlus, Char(), Char(), typeid(TAdd_SS)},
      {"Char = String", tkEqual, Char(), String(), typeid(TEqu_SS)},
      {"enum + Integer", tkPlus, colour, Integer(), typeid(TAdd_II)},
      {"enum = enum", tkEqual, colour, colour, typeid(TEqu_EE)},
      {"enum in set", tkIn, colour, colours, typeid(TIn_EM)},
      {"set - set", tkMinus, colours, colours, typeid(TSub_MM)},
      {"set = AnySet", tkEqual, colours, AnyKind(kcSet), typeid(TEqu_MM)},
      {"-Real", tkMinus, Real(), nullptr, typeid(TMinus_F)},
      {"-Integer", tkMinus, Integer(), nullptr, typeid(TMinus_I)},
      {"not Boolean", tkNot, Boolean(), nullptr, typeid(TNot_B)},
      {"`Integer", tkBackquote, Integer(), nullptr, typeid(TLQuote_F)},
      {"*Real (no unary *)", tkStar, Real(), nullptr, none},
      {"String < String", tkLess, String(), String(), none},
      {"Boolean > Boolean", tkGreater, Boolean(), Boolean(), none},
      {"enum < enum", tkLess, colour, colour, none},
      {"set <= set", tkLessEqual, colours, colours, none},
      {"Real div Real", tkDiv, Real(), Real(), none},
      {"Real + Boolean", tkPlus, Real(), Boolean(), none},
  };
  for (const auto& c : cases) EXPECT_EQ(Found(c.token, c.left, c.right), c.expected) << c.text;
}

TEST_F(OpTabTest, WithoutConversionOnlyIdenticalKindsMatch) {
  EXPECT_EQ(Ops.Find(tkPlus, false, Integer(), Real()), nullptr);
  EXPECT_EQ(Ops.IndexOf(false, tkPlus, Integer(), Real()), -1);
  EXPECT_EQ(Ops.Get(Ops.IndexOf(true, tkPlus, Integer(), Real()))->LeftKind(), Real());
}

TEST_F(OpTabTest, UnaryUseNeverFindsBinaryOperator) {
  TOpTab onlyBinary(Lex);
  onlyBinary.Add(std::make_unique<TSub_FF>());
  EXPECT_EQ(onlyBinary.Find(tkMinus, true, Real(), nullptr), nullptr);
  TOpTab onlyUnary(Lex);
  onlyUnary.Add(std::make_unique<TMinus_F>());
  EXPECT_EQ(onlyUnary.Find(tkMinus, true, Real(), Real()), nullptr);
}

TEST_F(OpTabTest, AcceptsChecksTheActualKinds) {
  TEnumKind* colour = Enum({"red", "green"}, "TColour");
  TEnumKind* shape = Enum({"round", "square"}, "TShape");
  TSetKind* colours = Set(colour);
  TSetKind* shapes = Set(shape);
  TOperator* equal = Ops.Find(tkEqual, true, colour, shape);
  ASSERT_NE(equal, nullptr);
  EXPECT_EQ(typeid(*equal), typeid(TEqu_EE));
  EXPECT_FALSE(equal->Accepts(colour, shape));
  EXPECT_TRUE(equal->Accepts(colour, colour));

  TOperator* in = Ops.Find(tkIn, true, colour, colours);
  ASSERT_NE(in, nullptr);
  EXPECT_TRUE(in->Accepts(colour, colours));
  EXPECT_FALSE(in->Accepts(colour, shapes));
  EXPECT_FALSE(in->Accepts(colour, AnyKind(kcSet))) << "e in [] has no element kind to take the member";

  TOperator* setEqual = Ops.Find(tkEqual, true, colours, AnyKind(kcSet));
  ASSERT_NE(setEqual, nullptr);
  EXPECT_TRUE(setEqual->Accepts(colours, AnyKind(kcSet)));
  EXPECT_TRUE(setEqual->Accepts(AnyKind(kcSet), colours));
  EXPECT_FALSE(setEqual->Accepts(colours, shapes));
  EXPECT_TRUE(Ops.Find(tkPlus, true, Integer(), Integer())->Accepts(Integer(), Integer()));
}

TEST_F(OpTabTest, ScriptOperatorWithIdenticalKindsWinsOverConversion) {
  TOperator* concat = Ops.Find(tkPlus, true, Char(), Char());
  auto declared = ScriptOp(tkPlus, Char(), Char(), String(), &User);
  TOperator* script = declared.get();
  ASSERT_TRUE(Ops.Add(std::move(declared)));
  EXPECT_EQ(Ops.Find(tkPlus, true, Char(), Char()), script);
  EXPECT_EQ(Ops.Find(tkPlus, true, String(), Char()), concat);
}

TEST_F(OpTabTest, SecondOperatorWithIdenticalKindsIsRefusedAndFreed) {
  const int count = Ops.Count();
  TOperator* builtIn = Ops.Find(tkPlus, false, Integer(), Integer());
  bool freed = false;
  EXPECT_FALSE(Ops.Add(ScriptOp(tkPlus, Integer(), Integer(), Integer(), &User, &freed)));
  EXPECT_TRUE(freed);
  EXPECT_EQ(Ops.Count(), count);
  EXPECT_EQ(Ops.Find(tkPlus, true, Integer(), Integer()), builtIn);

  // Kinds it only accepts by conversion do not count as identical.
  EXPECT_TRUE(Ops.Add(ScriptOp(tkPlus, Char(), Integer(), Integer(), &User)));
  EXPECT_FALSE(Ops.Add(std::make_unique<TAdd_II>()));
  EXPECT_THROW(Ops.Add(nullptr), EAssertionFailed);
}

TEST_F(OpTabTest, RemoveLibFreesOnlyThatLibrarysOperators) {
  TLib other{"Other", false};
  TRecKind* point = Record({{"x", Real()}});
  bool firstFreed = false, secondFreed = false;
  Ops.Add(ScriptOp(tkPlus, point, point, point, &User, &firstFreed));
  auto kept = ScriptOp(tkMinus, point, point, point, &other);
  TOperator* keptOp = kept.get();
  Ops.Add(std::move(kept));
  Ops.Add(ScriptOp(tkStar, point, nullptr, point, &User, &secondFreed));
  const int builtIns = 43;

  Ops.RemoveLib(&User);
  EXPECT_TRUE(firstFreed && secondFreed);
  ASSERT_EQ(Ops.Count(), builtIns + 1);
  EXPECT_EQ(Ops.Get(builtIns), keptOp);
  EXPECT_EQ(Ops.Find(tkPlus, true, point, point), nullptr);
  EXPECT_NE(Ops.Find(tkPlus, true, Integer(), Integer()), nullptr);

  Ops.RemoveLib(nullptr);
  EXPECT_EQ(Ops.Count(), builtIns + 1) << "built-in operators are never removed by library";
}

TEST_F(OpTabTest, BuiltInsAreFortyThreeWithoutLibrary) {
  ASSERT_EQ(Ops.Count(), 43);
  for (int i = 0; i < Ops.Count(); ++i) EXPECT_EQ(Ops.Get(i)->Lib(), nullptr) << i;
  EXPECT_EQ(typeid(*Ops.Get(0)), typeid(TEqu_FF));
  EXPECT_EQ(typeid(*Ops.Get(42)), typeid(TPow_FF));
}

TEST_F(OpTabTest, PrecedenceClassesComeFromTheLexer) {
  EXPECT_TRUE(Ops.IsMulOp(tkStar));
  EXPECT_TRUE(Ops.IsMulOp(tkCaret));
  EXPECT_FALSE(Ops.IsMulOp(tkPlus));
  EXPECT_TRUE(Ops.IsUnaryOp(tkMinus));
  EXPECT_TRUE(Ops.IsUnaryOp(tkBackquote));
  EXPECT_FALSE(Ops.IsUnaryOp(tkStar));

  const std::uint8_t cross = Lex.NewOperatorTag("><");
  ASSERT_EQ(Lex.DefineOperator("><", false, &User, NoPosition), cross);
  EXPECT_TRUE(Ops.IsMulOp(cross));
  EXPECT_FALSE(Ops.IsUnaryOp(cross));
}

}  // namespace
