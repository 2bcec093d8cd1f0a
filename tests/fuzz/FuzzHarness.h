#pragma once
// What the fuzz targets share. Each target defines LLVMFuzzerTestOneInput;
// built with libFuzzer it is fuzzed for real (scripts/fuzz.sh), otherwise
// ReplayMain.cpp runs it over a corpus, which is how CTest replays every
// corpus in the normal and the sanitized build.
//
// A target fails the way libFuzzer notices: a crash, a sanitizer report, an
// exception that escapes, or a broken invariant (FuzzCheck aborts).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/XBuilder.h"
#include "runtime/CountedPtr.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Ends the process with message on standard error when condition is false.
void FuzzCheck(bool condition, const char* message);

// Writes bytes to a file name in a folder of this process (removed at
// exit); the file's path.
std::string WriteFuzzFile(const std::string& name, const std::string& bytes);
// The whole content of a file; empty when it cannot be read.
std::string ReadFuzzFile(const std::string& path);

// An engine with the standard libraries and the "file" source, whose lines
// go nowhere. Every run it makes has a budget: a run still going after
// RunBudgetMs is aborted, so an endless loop in a fuzzed text ends.
//
// Making an engine costs far more than most inputs, so one engine serves
// up to a hundred inputs in turn: when a TFuzzEngine goes, everything an
// input can leave is removed (Workspace variables, the libraries it
// loaded, options, the process-wide state of runtime and engine), and an
// engine that does not come back clean is replaced.
class TFuzzEngine {
public:
  static constexpr int RunBudgetMs = 100;

  TFuzzEngine();
  ~TFuzzEngine();
  TFuzzEngine(const TFuzzEngine&) = delete;
  TFuzzEngine& operator=(const TFuzzEngine&) = delete;

  TXBuilder& operator*() { return *engine_; }
  TXBuilder* operator->() { return engine_; }

  // Runs body, which drives the engine. A fault it raises leaves the engine
  // as the windows see it after a message box: it must be whole, not
  // running, and evaluate the next line. An assertion failure is a finding.
  void Run(const std::function<void()>& body);
  // A console line, as the console evaluates it.
  void Evaluate(const std::string& line);

private:
  void ExpectWhole();

  TXBuilder* engine_;
};
