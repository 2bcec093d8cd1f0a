#include "libraries/Callback.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

#include "tests/libraries/CallbackEngine.h"

namespace {

class Callbacks : public CallbackEngine {
protected:
  // A local of the routine that every run counts up; its initial value is 0.
  static TBaseVar& AddCounter(TTestFunc& routine) {
    return static_cast<TBaseVar&>(
        *routine.Locals().Add(MakeVar("runs", BaseKind(kcInteger), false, TValue::Integer(0), routine.Lib())));
  }
  static std::int64_t CountUp(TBaseVar& counter) {
    const std::int64_t runs = counter.GetValue().AsInt() + 1;
    counter.SetValue(TValue::Integer(runs));
    return runs;
  }
};

}  // namespace

TEST_F(Callbacks, AnEmptyRoutineVariableIsRefused) {
  for (const char* kind : {"TMathFunc", "TDiffFunc", "TVecFunc"})
    ASSERT_NE(Engine->AddVariable(std::string("no") + kind, Engine->Kinds().FindKind(kind)), nullptr);
  for (const char* line : {
           "Integrate(noTMathFunc, 0, 1)",
           "DSolve(noTDiffFunc, {1}, 0, 1)",
           "GoldenSearch(noTMathFunc, {0, 1})",
           "SimplexSearch(noTVecFunc, {1}, {})",
           "SimAnnealing(noTVecFunc, {1}, {0}, {2}, {})",
       })
    EXPECT_EQ(ErrorsOf(line), "Function is empty at [1:1] ") << line;
}

TEST_F(Callbacks, ARunningRoutineIsNotEnteredAgain) {
  // Self, while it runs, asks Integrate to run Self.
  TFunc* integrate = Engine->Funcs().Find("Integrate");
  TTestFunc& self = AddRoutine("Self", "TMathFunc", [&](TTestFunc& routine, TSourcePos pos) {
    const std::unique_ptr<TVar> from = MakeVar("", BaseKind(kcReal), false, TValue::Real(0), nullptr);
    const std::unique_ptr<TVar> to = MakeVar("", BaseKind(kcReal), false, TValue::Real(1), nullptr);
    const std::array<TVar*, 3> args{Engine->FindVariable(routine.Name()), from.get(), to.get()};
    return integrate->CallDirect(args, pos);
  });
  EXPECT_EQ(ErrorsOf("Self(1)"), "Reentering in \"Self\" attempted at [1:1] ");
  EXPECT_EQ(self.Calls, 1);
  EXPECT_FALSE(self.Busy());
  // The refused routine is free again.
  EXPECT_EQ(ErrorsOf("Integrate(Sqr, 0, 1)"), "");
}

TEST_F(Callbacks, IntegrandsKeepTheirLocalsAndObjectivesStartAfresh) {
  TBaseVar* integrandRuns = nullptr;
  TTestFunc& integrand = AddRoutine("Integrand", "TMathFunc", [&](TTestFunc& routine, TSourcePos) {
    SetResult(routine, TValue::Real(CountUp(*integrandRuns)));
    return true;
  });
  integrandRuns = &AddCounter(integrand);
  std::set<std::int64_t> objectiveRuns;
  TTestFunc& objective = AddRoutine("Objective", "TMathFunc", [&](TTestFunc& routine, TSourcePos) {
    const long double x = RealArg(routine, 0);
    objectiveRuns.insert(CountUp(*static_cast<TBaseVar*>(routine.Locals().Find("runs"))));
    SetResult(routine, TValue::Real((x - 1) * (x - 1)));
    return true;
  });
  AddCounter(objective);
  EXPECT_EQ(ErrorsOf("Integrate(Integrand, 0, 1)"), "");
  EXPECT_EQ(integrandRuns->GetValue().AsInt(), integrand.Calls);
  EXPECT_EQ(ErrorsOf("GoldenSearch(Objective, {0, 3})"), "");
  EXPECT_EQ(objectiveRuns, std::set<std::int64_t>{1});
}

TEST_F(Callbacks, TheArgumentVectorIsMadeOnce) {
  std::set<const TVar*> firstElements;
  AddRoutine("Recorded", "TVecFunc", [&](TTestFunc& routine, TSourcePos) {
    const TArrVar& v = ArrArg(routine, 0);
    firstElements.insert(v.ElemAt(0));
    SetResult(routine, TValue::Real(RealAt(v, 0) * RealAt(v, 0) + RealAt(v, 1) * RealAt(v, 1)));
    return true;
  });
  EXPECT_EQ(ErrorsOf("SimplexSearch(Recorded, {1, 1}, {})"), "");
  EXPECT_EQ(firstElements.size(), 1u);
}
