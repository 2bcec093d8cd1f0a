// A packed library file through LoadPackedLibrary. An input that begins
// with a zero byte is the file itself (deciphering faults); any other is a
// library text, packed as the packing tool does, so that the mutations
// reach the loader through the decipherer and the scrambled lexer.

#include <string>

#include "engine/Tarnscript.h"
#include "tests/fuzz/FuzzHarness.h"
#include "tests/runtime/Packer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const bool raw = !input.empty() && input[0] == '\0';
  const std::string path = WriteFuzzFile(
      "Fuzzed.tarl", raw ? input.substr(1) : PackText(input, PackedLibraryKey, PackedLibrarySeed));
  TFuzzEngine engine;
  engine.Run([&] { engine->LoadPackedLibrary(path); });
  return 0;
}
