#include "runtime/ProcessState.h"

#include "runtime/Params.h"
#include "runtime/Random.h"

void ResetRuntimeState() {
  Params = TParams();
  TRandom::Seed(0);
}
