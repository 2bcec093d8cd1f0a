// A data file through the InOut matrix reader (ReadMatCSV); what was read
// is shown as the console shows it.

#include <string>

#include "tests/fuzz/FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = WriteFuzzFile("fuzzed.txt", std::string(reinterpret_cast<const char*>(data), size));
  TFuzzEngine engine;
  engine.Evaluate("m := {{7}}");
  engine.Evaluate("h := Open('file://" + path + "', omRead)");
  engine.Evaluate("ReadMatCSV(h, m)");
  engine.Evaluate("m");
  engine.Evaluate("Close(h)");
  return 0;
}
