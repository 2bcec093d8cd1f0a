// The main of the tests of the engine and the layers on it (libraries,
// numerics): each test starts from a fresh process's state.

#include <gtest/gtest.h>

#include "engine/RunState.h"
#include "runtime/ProcessState.h"
#include "tests/runtime/StateReset.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  ResetStateBeforeEachTest<ResetRuntimeState, ResetEngineState>();
  return RUN_ALL_TESTS();
}
