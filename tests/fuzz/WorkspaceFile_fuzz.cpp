// A workspace file (.xws) through its reader. What loads is shown as the
// console shows it, and must survive a round trip: saved, loaded again and
// saved again, it gives the same file.

#include <string>
#include <vector>

#include "engine/Var.h"
#include "libraries/VarFiles.h"
#include "tests/fuzz/FuzzHarness.h"

namespace {

// Saves the workspace to name and loads it back; the saved bytes, empty
// when it cannot be saved.
std::string SaveAndReload(const std::string& name) {
  const std::string path = WriteFuzzFile(name, "");
  if (!SaveWorkspaceFile(path)) return {};
  FuzzCheck(LoadWorkspaceFile(path), "a saved workspace file does not load");
  return ReadFuzzFile(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = WriteFuzzFile("fuzzed.xws", std::string(reinterpret_cast<const char*>(data), size));
  TFuzzEngine engine;
  bool loaded = false;
  engine.Run([&] { loaded = LoadWorkspaceFile(path); });
  if (!loaded) return 0;
  std::vector<std::string> names;
  engine->ForEachVariable(
      [&names](TVar* var) {
        names.push_back(var->Name());
        return true;
      },
      WorkspaceLibName);
  for (const std::string& name : names) engine.Evaluate(name);
  engine.Run([&] {
    const std::string first = SaveAndReload("first.xws");
    if (!first.empty()) FuzzCheck(SaveAndReload("second.xws") == first, "a workspace file changes on a round trip");
  });
  return 0;
}
