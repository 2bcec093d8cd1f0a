// tarnsh: the engine without windows, for tests, benchmarks and anyone
// trying the language.
//
//   tarnsh -e LINE [-e LINE ...]   evaluates each LINE as the console does
//   tarnsh                          evaluates each line of standard input
//
// A line is evaluated as the console does in full view: an assignment to a
// new name makes a Workspace variable, results are listed over several
// lines when the option UseShow is on, and ans keeps the last result.
// Every line the engine writes is printed as <kind>:<level>:<text>, kind
// being the console line kind (0 output ... 7 fatal). The exit status is 1
// when an error or fatal line was written (or a fault left the engine),
// else 0; 2 for a command line it does not understand.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "engine/MessageChannel.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "runtime/Params.h"

namespace {

class TPrintingSink final : public IXConsBase {
public:
  void Write(const std::string& text, std::uint8_t kind, int level) override {
    std::cout << int(kind) << ':' << level << ':' << text << '\n';
    if (kind == lkError || kind == lkFatal) Failed = true;
  }
  void ExpandToLevel(int) override {}
  void Clear() override {}

  bool Failed = false;
};

// A fault that leaves the engine is what the windows show in a message box.
void EvaluateConsoleLine(TXBuilder& engine, const std::string& line, TPrintingSink& sink) {
  TVariant value;
  engine.SetOption(0, true);
  try {
    engine.Evaluate(line, Params.UseShow, true, -1, value);
  } catch (const std::exception& fault) {
    std::cerr << "tarnsh: " << fault.what() << '\n';
    sink.Failed = true;
  }
  engine.SetOption(0, false);
}

bool ReadCommandLine(int argc, char** argv, std::vector<std::string>& lines) {
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) != "-e" || i + 1 == argc) return false;
    lines.push_back(argv[++i]);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> lines;
  if (!ReadCommandLine(argc, argv, lines)) {
    std::cerr << "usage: tarnsh [-e LINE]...   (without arguments, lines are read from standard input)\n";
    return 2;
  }
  auto sink = MakeCounted<TPrintingSink>();
  SetMessageSink(sink);
  {
    auto engine = MakeCounted<TXBuilder>(StandardCatalogues());
    if (argc > 1) {
      for (const std::string& line : lines) EvaluateConsoleLine(*engine, line, *sink);
    } else {
      for (std::string line; std::getline(std::cin, line);) EvaluateConsoleLine(*engine, line, *sink);
    }
  }
  SetMessageSink(nullptr);
  return sink->Failed ? 1 : 0;
}
