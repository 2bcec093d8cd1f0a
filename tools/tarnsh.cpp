// tarnsh: the engine without windows, for tests, benchmarks and anyone
// trying the language.
//
//   tarnsh -e LINE [-e LINE ...]   evaluates each LINE as the console does
//   tarnsh                          evaluates each line of standard input
//   tarnsh FILE                     compiles and runs a program or library
//                                   text, as the editor's Run does
//
// A line is evaluated as the console does in full view: an assignment to a
// new name makes a Workspace variable, results are listed over several
// lines when the option UseShow is on, and ans keeps the last result.
// Every line the engine writes is printed as <kind>:<level>:<text>, kind
// being the console line kind (0 output ... 7 fatal). The exit status is 1
// when an error or fatal line was written (or a fault left the engine),
// else 0; 2 for a command line it does not understand or a file it cannot
// read.

#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/ConsoleLine.h"
#include "engine/data/IOSystem.h"
#include "engine/MessageChannel.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "runtime/Params.h"
#include "runtime/WholeFile.h"

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

struct TCommand {
  std::vector<std::string> Lines;          // -e lines
  std::optional<std::string> ProgramFile;  // tarnsh FILE
};

// A fault that leaves the engine is what the windows show in a message box.
template <class Run>
void RunGuarded(TPrintingSink& sink, Run&& run) {
  try {
    run();
  } catch (const std::exception& fault) {
    std::cerr << "tarnsh: " << fault.what() << '\n';
    sink.Failed = true;
  }
}

void EvaluateLine(TXBuilder& engine, const std::string& line, TPrintingSink& sink) {
  RunGuarded(sink, [&] { EvaluateConsoleLine(engine, line, true, Params.UseShow); });
}

bool ReadCommandLine(int argc, char** argv, TCommand& command) {
  if (argc == 2 && argv[1][0] != '-') {
    command.ProgramFile = argv[1];
    return true;
  }
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) != "-e" || i + 1 == argc) return false;
    command.Lines.push_back(argv[++i]);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  TCommand command;
  if (!ReadCommandLine(argc, argv, command)) {
    std::cerr << "usage: tarnsh [-e LINE]... | tarnsh FILE   (without arguments, lines are read from standard "
                 "input)\n";
    return 2;
  }
  std::string program;
  if (command.ProgramFile && !ReadWholeFile(*command.ProgramFile, program)) {
    std::cerr << "tarnsh: cannot read " << *command.ProgramFile << '\n';
    return 2;
  }
  auto sink = MakeCounted<TPrintingSink>();
  SetMessageSink(sink);
  // The data sources live around the engine: their plug-ins' code must stay
  // loaded until every source the engine opened is released.
  IOSystem = std::make_unique<TIOSystem>();
  {
    auto engine = MakeCounted<TXBuilder>(StandardCatalogues());
    if (command.ProgramFile) {
      RunGuarded(*sink, [&] { engine->CompileText(program); });
    } else if (argc > 1) {
      for (const std::string& line : command.Lines) EvaluateLine(*engine, line, *sink);
    } else {
      for (std::string line; std::getline(std::cin, line);) EvaluateLine(*engine, line, *sink);
    }
  }
  IOSystem.reset();
  SetMessageSink(nullptr);
  return sink->Failed ? 1 : 0;
}
