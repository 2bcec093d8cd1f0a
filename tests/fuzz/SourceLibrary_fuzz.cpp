// A library file through LoadSourceLibrary, loaded twice: the second load
// replaces the first, as reloading a changed file does.

#include <string>

#include "tests/fuzz/FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = WriteFuzzFile("Fuzzed.tarn", std::string(reinterpret_cast<const char*>(data), size));
  TFuzzEngine engine;
  engine.Run([&] { engine->LoadSourceLibrary(path); });
  engine.Run([&] { engine->LoadSourceLibrary(path); });
  return 0;
}
