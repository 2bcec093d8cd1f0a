#include "libraries/RangeRoutine.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "engine/ArrVar.h"
#include "engine/Kind.h"
#include "engine/RunFlags.h"
#include "engine/ScalarArith.h"
#include "tests/libraries/MathEngine.h"

namespace {

// A TMathFunc of the test's making: Probe(x) runs Body on x, and is x when
// Body leaves Result alone.
class TProbe final : public TFunc {
public:
  using TBody = std::function<bool(long double x, TSourcePos pos)>;

  TProbe(TFuncKind* signature, TLib* lib) : TFunc("Probe", signature, lib) {}

  bool Execute(TSourcePos pos) override {
    const long double x = RealOperand(GetArgValue(0));
    ++Calls;
    static_cast<TBaseVar*>(ResultVariable())->SetValue(TValue::Real(x));
    return Body ? Body(x, pos) : true;
  }

  TBody Body;
  int Calls = 0;
};

class RangeRoutines : public MathEngine {
protected:
  RangeRoutines() {
    auto* signature = static_cast<TFuncKind*>(Engine.Kinds().FindKind("TMathFunc"));
    Probe = static_cast<TProbe*>(
        Engine.RegisterFunc(std::make_unique<TProbe>(signature, Engine.FindLibrary(WorkspaceLibName)), frPlain));
  }
  ~RangeRoutines() override { AbortFlag = false; }

  TProbe* Probe;
};

}  // namespace

TEST_F(RangeRoutines, SumsAndProductsOverTheRange) {
  const struct {
    const char* Line;
    long double Expected;
  } cases[] = {
      {"Sum(Probe, {1, 10})", 55},       {"Prod(Probe, {1, 5})", 120},
      {"Sum(Probe, {1, 0})", 0},         {"Prod(Probe, {1, 0})", 1},
      {"Sum(Probe, {1, 2, 0.25})", 7.5L}, {"Sum(Probe, {1, 3, 5, 99})", 1},
      {"Sum(Probe, {5, 1, -1})", 0},     {"Sum(Abs, {-2, 2})", 6},
      {"Prod(Sqr, {1, 3})", 36},
  };
  for (const auto& c : cases) EXPECT_EQ(Real(c.Line), c.Expected) << c.Line;
}

TEST_F(RangeRoutines, BadRangesAreRefusedBeforeAnyTerm) {
  const struct {
    const char* Line;
    const char* Message;
  } cases[] = {
      {"Sum(Probe, {1})", "Range vector must have at least 2 elements at [1:1] "},
      {"Prod(Probe, {1, 5, 0})", "Range step must be positive at [1:1] "},
      {"Sum(Probe, {1, 5, -1})", "Range step must be positive at [1:1] "},
  };
  for (const auto& c : cases) EXPECT_EQ(Error(c.Line), c.Message) << c.Line;
  EXPECT_EQ(Probe->Calls, 0);
}

TEST_F(RangeRoutines, AStepThatNoLongerMovesIsRefused) {
  EXPECT_EQ(Error("Sum(Probe, {1e20, 2e20, 1})"), "Range step is too small at [1:1] ");
  EXPECT_EQ(Probe->Calls, 1);
}

TEST_F(RangeRoutines, TheFirstFailureOfFStopsTheLoop) {
  Probe->Body = [](long double x, TSourcePos) {
    if (x < 2) return true;
    ReportError("Bad point", NoPosition, nullptr);
    return false;
  };
  EXPECT_EQ(Error("Sum(Probe, {1, 5})"), "Bad point");
  EXPECT_EQ(Probe->Calls, 2);
  // A built-in run as F reports without a position.
  EXPECT_EQ(Error("Sum(Ln, {0, 2})"), "Ln argument must be positive");
  EXPECT_EQ(Error("Sum(Sqrt, {-2, 2})"), "Sqrt argument must be non-negative");
  EXPECT_EQ(Error("Prod(Ln, {0, 2})"), "Ln argument must be positive");
}

TEST_F(RangeRoutines, AFaultInFIsReportedAndStopsTheLoop) {
  Probe->Body = [](long double x, TSourcePos) {
    if (x >= 2) throw EOverflow();
    return true;
  };
  EXPECT_EQ(Error("Prod(Probe, {1, 5})"), "Floating point overflow");
  EXPECT_EQ(Probe->Calls, 2);
}

TEST_F(RangeRoutines, AnEmptyRoutineVariableIsRefused) {
  ASSERT_NE(Engine.AddVariable("g", Engine.Kinds().FindKind("TMathFunc")), nullptr);
  EXPECT_EQ(Error("Sum(g, {1, 2})"), "Function is empty at [1:1] ");
}

TEST_F(RangeRoutines, ARunningRoutineIsNotEnteredAgain) {
  // Probe, while it runs, asks Sum to run Probe.
  TFunc* sum = Engine.Funcs().Find("Sum");
  std::unique_ptr<TVar> range = MakeVar("", Engine.Kinds().FindKind("Vector"), false, NoneValue, nullptr);
  SetVecSize(static_cast<TArrVar&>(*range), 2, true);
  SetVecElem(static_cast<TArrVar&>(*range), 1, 1);
  SetVecElem(static_cast<TArrVar&>(*range), 2, 3);
  Probe->Body = [&](long double, TSourcePos pos) {
    const std::array<TVar*, 2> args{Engine.FindVariable("Probe"), range.get()};
    return sum->CallDirect(args, pos);
  };
  EXPECT_EQ(Error("Probe(1)"), "Reentering in \"Probe\" attempted");
  EXPECT_EQ(Probe->Calls, 1);
}

TEST_F(RangeRoutines, AnAbortEndsTheLoopAtTheNextTerm) {
  Probe->Body = [&](long double, TSourcePos) {
    if (Probe->Calls == 3) AbortFlag = true;
    return true;
  };
  EXPECT_FALSE(Evaluate("Sum(Probe, {1, 1000})"));
  EXPECT_EQ(Probe->Calls, 3);
}
