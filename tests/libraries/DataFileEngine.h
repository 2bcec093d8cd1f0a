#pragma once
// The System engine with the program's I/O system (the "file" source built
// beside the tests) and a folder for the test's files, for the tests of
// InOut and the data files.

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>

#include "engine/data/IOSystem.h"
#include "runtime/Storage.h"
#include "tests/libraries/SystemEngine.h"
#include "tests/runtime/TempFolder.h"

class DataFileEngine : public SystemEngine {
protected:
  DataFileEngine() { IOSystem = std::make_unique<TIOSystem>(GetAppFolder()); }
  ~DataFileEngine() override { IOSystem.reset(); }

  // Lines composed at run time, such as those naming the test's files.
  struct TFileCase {
    std::string Line;
    std::string Lines;  // that the line writes, joined by "|"
  };
  void ExpectLines(std::initializer_list<TFileCase> cases) {
    for (const TFileCase& c : cases) EXPECT_EQ(Eval(c.Line), c.Lines) << c.Line;
  }

  std::string Path(const std::string& name) const { return Files / name; }
  // The open string of a file of the test's folder, as a script literal.
  std::string Source(const std::string& name) const { return "'file://" + Path(name) + "'"; }

  void WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string FileText(const std::string& name) const { return ReadFileText(Path(name)); }

  TempFolder Files;
};
