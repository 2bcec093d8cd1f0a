#include "engine/Func.h"

#include "KindsFixture.h"

namespace {

class FuncTest : public KindsFixture {
protected:
  static void SetResult(TFunc& f, const TValue& value) { Base(*f.ResultVariable()).SetValue(value); }
};

TEST_F(FuncTest, ACallBindsArgumentsByTheirModesAndCopiesTheResult) {
  TFuncKind* signature = Signature(
      {{"x", Real()}, {"y", Integer(), amVar}, {"z", Integer(), amConst, TValue::Integer(5)}}, Real());
  TTestFunc f("f", signature, &User, [](TTestFunc& self, TSourcePos) {
    EXPECT_TRUE(self.Busy());
    EXPECT_TRUE(self.Arg(2)->IsConstant()) << "a const parameter";
    auto& y = static_cast<TBaseVar&>(*self.RefArg(1));
    y.SetValue(TValue::Integer(y.GetValue().AsInt() + self.GetArgValue(2).AsInt()));
    SetResult(self, TValue::Real(self.GetArgValue(0).AsReal() * 2));
    return true;
  });
  EXPECT_EQ(f.ArgCount(), 3);
  EXPECT_EQ(f.DefaultArgCount(), 1);
  EXPECT_FALSE(f.IsRefArg(0));
  EXPECT_TRUE(f.IsRefArg(1));
  EXPECT_EQ(f.ArgKind(0), Real());
  EXPECT_EQ(f.ResultKind(), Real());
  EXPECT_EQ(f.Locals().Find("result"), f.ResultVariable());

  auto x = Var(Integer(), TValue::Integer(3));
  auto y = Var(Integer(), TValue::Integer(10));
  auto result = Var(Real());
  {
    TFuncCall call(f);
    ASSERT_TRUE(call.Begin({2, 7}, {}));
    TVar* args[] = {x.get(), y.get()};
    ASSERT_TRUE(call.Finish(args, {2, 7}, result.get()));
    EXPECT_TRUE(f.Busy()) << "until the call ends";
  }
  EXPECT_FALSE(f.Busy());
  EXPECT_EQ(Base(*result).GetValue().AsReal(), 6.0L);
  EXPECT_EQ(Base(*y).GetValue().AsInt(), 15) << "the var parameter changed the caller's variable";
  EXPECT_EQ(Base(*x).GetValue().AsInt(), 3);
  EXPECT_THROW(f.RefArg(0), EAssertionFailed);
  EXPECT_THROW(f.Arg(3), EAssertionFailed);
}

// A built-in that names what it draws after the variable it was given.
TEST_F(FuncTest, EachCallTellsWhichVariablesItPassed) {
  TFuncKind* signature = Signature({{"x", Real()}, {"n", Integer(), amValue, TValue::Integer(5)}}, nullptr);
  std::vector<const TVar*> seen;
  TTestFunc f("f", signature, &User, [&](TTestFunc& self, TSourcePos) {
    seen = {self.ArgSource(0), self.ArgSource(1)};
    return true;
  });
  auto named = MakeVar("Peaks", Real(), false, TValue::Real(2), &User);
  auto temporary = Var(Real());
  auto count = Var(Integer());
  TVar* both[] = {named.get(), count.get()};
  ASSERT_TRUE(f.CallDirect(both, NoPosition));
  EXPECT_EQ(seen, (std::vector<const TVar*>{named.get(), count.get()}));
  EXPECT_TRUE(seen[0]->HasName() && !seen[1]->HasName());
  TVar* first[] = {temporary.get()};
  ASSERT_TRUE(f.CallDirect(first, NoPosition));
  EXPECT_EQ(seen, (std::vector<const TVar*>{temporary.get(), nullptr})) << "a default has no source";
}

TEST_F(FuncTest, ABusyRoutineIsNotEnteredAgain) {
  TFuncKind* signature = Signature({{"n", Integer()}}, Integer());
  bool innerCall = true;
  TTestFunc f("f", signature, &User, [&](TTestFunc& self, TSourcePos) {
    auto n = Var(Integer(), TValue::Integer(1));
    TVar* args[] = {n.get()};
    innerCall = self.CallDirect(args, {3, 4});
    SetResult(self, TValue::Integer(42));
    return true;
  });
  auto n = Var(Integer());
  auto result = Var(Integer());
  TFuncCall call(f);
  ASSERT_TRUE(call.Begin({1, 1}, {}));
  TVar* args[] = {n.get()};
  EXPECT_TRUE(call.Finish(args, {1, 1}, result.get())) << "the running call goes on";
  EXPECT_FALSE(innerCall);
  EXPECT_EQ(f.Calls, 1);
  EXPECT_EQ(Base(*result).GetValue().AsInt(), 42);
  EXPECT_EQ(ErrorTexts(), std::vector<std::string>{"Reentering in \"f\" attempted at [3:4] "});
  EXPECT_EQ(GetLastErrorLib(), "");
}

TEST_F(FuncTest, TheRoutineIsFreeAgainOnEveryPath) {
  bool fail = false;
  TTestFunc f("f", Signature({}, nullptr), &User, [&](TTestFunc&, TSourcePos) -> bool {
    if (fail) throw EIntOverflow();
    return false;
  });
  {
    TFuncCall call(f);
    ASSERT_TRUE(call.Begin(NoPosition, {}));
  }  // an argument failed or the run was aborted
  EXPECT_FALSE(f.Busy());
  EXPECT_FALSE(f.CallDirect({}, NoPosition)) << "Execute failed";
  EXPECT_FALSE(f.Busy());
  fail = true;
  EXPECT_THROW(f.CallDirect({}, NoPosition), EIntOverflow);
  EXPECT_FALSE(f.Busy());
  EXPECT_TRUE(ErrorTexts().empty());
}

TEST_F(FuncTest, AVariadicRoutineSeesTheActualArguments) {
  TFuncKind* signature = Signature({{"a", AnyKind(kcAny)}}, String());
  std::vector<TKind*> seen;
  TTestFunc f("f", signature, &User, [&](TTestFunc& self, TSourcePos) {
    seen.clear();
    for (int i = 0; i < self.ArgCount(); ++i) seen.push_back(self.ArgKind(i));
    EXPECT_EQ(self.DefaultArgCount(), 0);
    EXPECT_FALSE(self.IsRefArg(0));
    SetResult(self, TValue::String(std::to_string(self.GetArgValue(0).AsInt())));
    return true;
  });
  auto integer = Var(Integer(), TValue::Integer(12));
  auto text = Var(String(), TValue::String("s"));
  auto vector = VectorOf({1});
  TVar* three[] = {integer.get(), text.get(), vector.get()};
  EXPECT_TRUE(f.CallDirect(three, NoPosition));
  EXPECT_EQ(seen, (std::vector<TKind*>{Integer(), String(), Vector()}));
  EXPECT_EQ(Base(*f.ResultVariable()).GetValue().Str(), "12");
  TVar* one[] = {integer.get()};
  EXPECT_TRUE(f.CallDirect(one, NoPosition));
  EXPECT_EQ(seen, (std::vector<TKind*>{Integer()}));
  EXPECT_EQ(f.ArgCount(), 1);
}

TEST_F(FuncTest, ResultStartsEveryCallAtItsZeroValue) {
  std::vector<std::int32_t> lengthsSeen;
  TTestFunc f("f", Signature({}, Vector()), &User, [&](TTestFunc& self, TSourcePos) {
    lengthsSeen.push_back(Arr(*self.ResultVariable()).Count());
    Arr(*self.ResultVariable()).SetLength(3);
    return true;
  });
  f.CallDirect({}, NoPosition);
  f.CallDirect({}, NoPosition);
  EXPECT_EQ(lengthsSeen, (std::vector<std::int32_t>{0, 0}));
}

TEST_F(FuncTest, GenericAndClassParameters) {
  TFuncKind* signature =
      Signature({{"Name", String()}, {"A", AnyKind(kcAny)}, {"Obj", AnyKind(kcClass)}}, Boolean());
  ASSERT_FALSE(signature->Variadic());
  TVar* bound = nullptr;
  TTestFunc f("f", signature, &User, [&](TTestFunc& self, TSourcePos) {
    bound = self.Arg(1);
    EXPECT_EQ(self.GetArgValue(1).Kind(), kcNone) << "a vector is no base variable";
    return true;
  });
  EXPECT_FALSE(f.IsRefArg(1));
  EXPECT_TRUE(f.IsRefArg(2)) << "host objects pass by reference";
  auto name = Var(String());
  auto vector = VectorOf({1, 2});
  TVar* args[] = {name.get(), vector.get()};
  EXPECT_TRUE(f.CallDirect(args, NoPosition));
  EXPECT_EQ(bound, vector.get()) << "bound, not copied";
}

TEST_F(FuncTest, RoutineTables) {
  TFuncTab table;
  TFuncKind* signature = Signature({}, nullptr);
  auto body = [](TTestFunc&, TSourcePos) { return true; };
  TFunc* first = AddFunc(table, std::make_unique<TTestFunc>("Sqrt", signature, &User, body));
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(AddFunc(table, std::make_unique<TTestFunc>("SQRT", signature, &User, body)), nullptr);
  EXPECT_EQ(table.Find("sqrt"), first);
}

TEST_F(FuncTest, RoutineVariablesTakeRoutinesOfAssignableKinds) {
  TFuncKind* real = Signature({{"x", Real()}}, Real());
  TFuncKind* byVar = Signature({{"x", Real(), amVar}}, Real());
  TFuncKind* nilKind = Signature({}, AnyKind(kcFunction));
  auto body = [](TTestFunc&, TSourcePos) { return true; };
  TTestFunc sin("Sin", real, &User, body);
  TTestFunc inc("Inc", byVar, &User, body);
  TFuncVar sinVar("Sin", real, true, &sin, &User);
  TFuncVar incVar("Inc", byVar, true, &inc, &User);
  TFuncVar nil("", nilKind, true, nullptr, &User);

  TFuncVar f("f", real, false, nullptr, &User);
  EXPECT_TRUE(f.Assign(sinVar, true));
  EXPECT_EQ(f.Func(), &sin);
  EXPECT_FALSE(f.Assign(incVar, false));
  EXPECT_EQ(f.Func(), &sin) << "an incompatible routine leaves it unchanged";
  EXPECT_TRUE(f.Assign(nil, false));
  EXPECT_EQ(f.Func(), nullptr);
  f.Reset();
  EXPECT_EQ(f.Func(), &sin);
  EXPECT_TRUE(ErrorTexts().empty());
}

}  // namespace
