// A data file through the InOut vector readers: a few brace groups in a
// row (ReadVector), and values one per line (ReadVecCSV); what was read is
// shown as the console shows it.

#include <string>

#include "tests/fuzz/FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = WriteFuzzFile("fuzzed.txt", std::string(reinterpret_cast<const char*>(data), size));
  const std::string source = "'file://" + path + "'";
  TFuzzEngine engine;
  engine.Evaluate("v := {7}");
  engine.Evaluate("h := Open(" + source + ", omRead)");
  for (int group = 0; group < 3; ++group) engine.Evaluate("ReadVector(h, v)");
  engine.Evaluate("Close(h)");
  engine.Evaluate("h := Open(" + source + ", omRead)");
  engine.Evaluate("ReadVecCSV(h, v)");
  engine.Evaluate("v");
  engine.Evaluate("Close(h)");
  return 0;
}
