#pragma once
// An engine with the standard libraries that compiles and runs whole texts
// as the program editor does, and reads back what they wrote.

#include <initializer_list>
#include <regex>
#include <string>
#include <vector>

#include "tests/engine/EngineFixture.h"

// A subscriber that keeps what it was told, wanting every change.
class TCountingClient final : public IXDataClient {
public:
  void Update(std::uint8_t what) override { Updates.push_back(what); }
  std::uint8_t GetMask() override { return 0xFF; }
  void* AddItem(void*, void*, std::uint8_t) override { return nullptr; }

  std::vector<std::uint8_t> Updates;
};

// A program and the texts of the lines it must write.
struct TProgramOutput {
  const char* Name;
  const char* Text;
  std::vector<std::string> Output;
};

class ProgramFixture : public EngineFixture {
protected:
  // Each program compiles and writes its lines.
  void ExpectOutputs(std::initializer_list<TProgramOutput> cases) {
    for (const TProgramOutput& c : cases) {
      EXPECT_EQ(Texts(c.Text), c.Output) << c.Name;
      EXPECT_TRUE(Compiled) << c.Name;
    }
  }

  // Compiles and runs text; Compiled keeps CompileText's answer.
  std::vector<TLine> Run(const std::string& text) {
    Sink->Lines.clear();
    Compiled = Engine->CompileText(text);
    return Sink->Lines;
  }
  // The texts of the lines text wrote, whatever their kind; the number of
  // an untitled program is left out (the counter lives as long as the process).
  std::vector<std::string> Texts(const std::string& text) {
    std::vector<std::string> texts;
    for (const TLine& line : Run(text)) texts.push_back(Untitled(line.Text));
    return texts;
  }
  // The one error line text wrote, or a note of how many lines it wrote.
  std::string Error(const std::string& text) {
    std::vector<TLine> lines = Run(text);
    if (lines.size() != 1 || lines[0].Kind != lkError) return "<" + std::to_string(lines.size()) + " lines>";
    return Untitled(lines[0].Text);
  }
  static std::string Untitled(const std::string& text) {
    static const std::regex number("_Untitled_[0-9]+");
    return std::regex_replace(text, number, "_Untitled_n");
  }

  bool Compiled = false;
};
