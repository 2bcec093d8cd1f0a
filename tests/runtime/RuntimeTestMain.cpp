// The main of the runtime's tests: each test starts from a fresh process's
// state.

#include <gtest/gtest.h>

#include "runtime/ProcessState.h"
#include "tests/runtime/StateReset.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  ResetStateBeforeEachTest<ResetRuntimeState>();
  return RUN_ALL_TESTS();
}
