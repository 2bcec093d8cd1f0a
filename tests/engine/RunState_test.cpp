#include "engine/RunState.h"

#include "engine/Value.h"
#include "engine/VarText.h"
#include "tests/engine/EngineFixture.h"

namespace {

// What one run leaves in the engine's process-wide state must not reach
// the next engine, or the next test.
TEST_F(EngineFixture, ResetEngineStateRestoresFormatsFlagsAndTheListing) {
  Engine->SetIntegerFormat(ifHex);
  EXPECT_EQ(Result("255"), "$FF");
  AbortFlag = BreakFlag = ExitFlag = NoUIFlag = true;
  ListLevel = 3;
  ListLabel = "m[2]";
  ListKind = lkError;

  ResetEngineState();
  EXPECT_EQ(Result("255"), "255");
  EXPECT_FALSE(AbortFlag || BreakFlag || ContinueFlag || ExitFlag || NoUIFlag);
  EXPECT_EQ(ListLevel, 0);
  EXPECT_EQ(ListLabel, "");
  EXPECT_EQ(ListKind, lkOutput);
}

}  // namespace
