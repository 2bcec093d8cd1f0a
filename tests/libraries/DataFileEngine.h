#pragma once
// An engine with the standard libraries and the program's I/O system (the
// "file" source built beside the tests), a folder for the test's files and
// a sink that keeps every line, for the tests of InOut and the data files.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "engine/IOSystem.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "runtime/Storage.h"
#include "tests/engine/KindsFixture.h"
#include "tests/runtime/TempFolder.h"

class DataFileEngine : public ::testing::Test {
protected:
  DataFileEngine() {
    SetMessageSink(Sink);
    IOSystem = std::make_unique<TIOSystem>(GetAppFolder());
  }
  ~DataFileEngine() override {
    Engine = nullptr;
    IOSystem.reset();
    SetMessageSink(nullptr);
  }

  // Evaluates a console line (new names become Workspace variables) and
  // gives the lines it wrote, joined by "|".
  std::string Eval(const std::string& line) {
    Sink->Lines.clear();
    TVariant value;
    Engine->SetOption(0, true);
    Engine->Evaluate(line, false, true, -1, value);
    Engine->SetOption(0, false);
    return LinesText();
  }

  std::string LinesText() const {
    std::string text;
    for (const TLine& line : Sink->Lines) text += (text.empty() ? "" : "|") + line.Text;
    return text;
  }

  std::string Path(const std::string& name) const { return Files / name; }
  // The open string of a file of the test's folder, as a script literal.
  std::string Source(const std::string& name) const { return "'file://" + Path(name) + "'"; }

  void WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string FileText(const std::string& name) const { return ReadFileText(Path(name)); }

  TempFolder Files;
  CountedPtr<TRecordingSink> Sink = MakeCounted<TRecordingSink>();
  CountedPtr<TXBuilder> Engine = MakeCounted<TXBuilder>(StandardCatalogues());
};
