// Platform faults raised inside built-in routines leave the engine as C++
// exceptions, and leave it whole: not running, the Workspace and ans as
// they were, the next line evaluated as usual.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/libraries/MathEngine.h"

namespace {

class PlatformFaults : public MathEngine {
protected:
  PlatformFaults() {
    Engine.SetOption(0, true);
    EXPECT_TRUE(Evaluate("kept := 5"));
    EXPECT_TRUE(Evaluate("7"));
  }
  std::string AnsText() {
    auto* ans = dynamic_cast<TBaseVar*>(Engine.FindVariable(AnsVarName));
    return ans ? ValueToText(ans->GetValue()) : "<none>";
  }
};

TEST_F(PlatformFaults, EachLeavesTheEngineWhole) {
  const char* faults[] = {
      "Bin(2147483648)",
      "MatZero(4294967297)",
      "AbsI(-9223372036854775807-1)",
      "Copy('abc', 2, 9223372036854775807)",
      "Ceil(9223372036854775807.5)",
      "Round(1e19)",
      "Trunc(1e19)",
      "Floor(Inf)",
      "Exp(12000)",
      "Sinh(12000)",
      "VecSum({1e4932, 1e4932})",
      "Magnitude({1e3000})",
      "LinearSolve({{1e-90,0},{0,1}}, {1e4900,1})",
      "_CV01({0,1},1,1,3)",
      "Log(1, 8)",
      "kept := Round(1e19)",
  };
  for (const char* line : faults) {
    SCOPED_TRACE(line);
    EXPECT_THROW(Evaluate(line), std::runtime_error);
    EXPECT_FALSE(Engine.IsRunning());
    EXPECT_EQ(AnsText(), "7");
    EXPECT_EQ(ValueToText(static_cast<TBaseVar*>(Engine.FindVariable("kept"))->GetValue()), "5");
    EXPECT_EQ(Integer("1+1"), 2);
    EXPECT_TRUE(Evaluate("7"));
  }
}

}  // namespace
