// A program or library text through CompileText, which runs a program at
// once; the run budget ends an endless loop.

#include <string>

#include "tests/fuzz/FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TFuzzEngine engine;
  engine.Run([&] { engine->CompileText(text); });
  return 0;
}
