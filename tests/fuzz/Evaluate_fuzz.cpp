// A console line through Evaluate, then the same line again: the first may
// have made the variables the second one uses.

#include <string>

#include "tests/fuzz/FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  TFuzzEngine engine;
  engine.Evaluate(line);
  engine.Evaluate(line);
  return 0;
}
