// A variable file (.xvar) through its reader. What loads is shown as the
// console shows it, and must survive a round trip: saved, loaded again and
// saved again, it gives the same file.

#include <string>

#include "libraries/VarFiles.h"
#include "tests/fuzz/FuzzHarness.h"

namespace {

// Saves v to name and loads it back as v; the saved bytes, empty when v
// cannot be saved.
std::string SaveAndReload(TFuzzEngine& engine, const std::string& name) {
  const std::string path = WriteFuzzFile(name, "");
  if (!SaveVariableFile(engine->FindVariable("v"), path)) return {};
  engine->DeleteVariable("v");
  FuzzCheck(LoadVariableFile(path, "v"), "a saved variable file does not load");
  return ReadFuzzFile(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = WriteFuzzFile("fuzzed.xvar", std::string(reinterpret_cast<const char*>(data), size));
  TFuzzEngine engine;
  bool loaded = false;
  engine.Run([&] { loaded = LoadVariableFile(path, "v"); });
  if (!loaded) return 0;
  engine.Evaluate("v");
  engine.Run([&] {
    const std::string first = SaveAndReload(engine, "first.xvar");
    if (!first.empty()) FuzzCheck(SaveAndReload(engine, "second.xvar") == first, "a variable file changes on a round trip");
  });
  return 0;
}
