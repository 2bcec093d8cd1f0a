#pragma once
// An engine built with the standard catalogues, System's among them, a
// recording sink and a scripted prompt, for the System routine tests.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/Prompt.h"
#include "libraries/StandardLibraries.h"
#include "libraries/SystemLibrary.h"
#include "tests/engine/KindsFixture.h"

// Also records the outline levels the listing asks to open.
class TExpandingSink final : public TRecordingSink {
public:
  void ExpandToLevel(int level) override { Expanded.push_back(level); }

  std::vector<int> Expanded;
};

class SystemEngine : public ::testing::Test {
protected:
  SystemEngine() {
    SetMessageSink(Sink);
    SetPrompt(Prompt);
  }
  ~SystemEngine() override {
    SetPrompt(nullptr);
    SetMessageSink(nullptr);
  }

  // Evaluates a console line (new names become Workspace variables) and
  // gives the result lines, joined by "|", or the error lines.
  std::string Eval(const std::string& line) {
    Sink->Lines.clear();
    TVariant value;
    Engine->SetOption(0, true);
    Engine->Evaluate(line, false, true, -1, value);
    Engine->SetOption(0, false);
    return LinesText();
  }

  struct TCase {
    const char* Line;
    const char* Lines;  // the lines the engine writes, joined by "|"
  };
  // Evaluates the lines in order, each expected to write its lines.
  void ExpectLines(std::initializer_list<TCase> cases) {
    for (const TCase& c : cases) EXPECT_EQ(Eval(c.Line), c.Lines) << c.Line;
  }

  // The value of a line's scalar result at full precision, read from ans.
  TValue ResultOf(const std::string& line) {
    Eval(line);
    auto* ans = dynamic_cast<TBaseVar*>(Engine->FindVariable(AnsVarName));
    return ans ? ans->GetValue() : NoneValue;
  }

  // The lines written since the last Eval (or clear), joined by "|".
  std::string LinesText() const {
    std::string text;
    for (const TLine& line : Sink->Lines) {
      if (!text.empty()) text += "|";
      text += line.Text;
    }
    return text;
  }

  // A Workspace variable of a static array kind, which no console line can
  // declare.
  TArrVar& AddStaticArray(const std::string& name, TKind* elem, std::int32_t low, std::int32_t high) {
    TLib* system = Engine->Libs().Find("System");
    TKind* kind = Engine->Kinds().Register(std::make_unique<TArrKind>(elem, "", system, low, high), system);
    auto array = MakeVar(name, kind, false, NoneValue, Engine->Libs().Find(WorkspaceLibName));
    auto& added = static_cast<TArrVar&>(*array);
    EXPECT_TRUE(Engine->InsertVariable(array));
    return added;
  }

  CountedPtr<TExpandingSink> Sink = MakeCounted<TExpandingSink>();
  CountedPtr<THeadlessPrompt> Prompt = MakeCounted<THeadlessPrompt>();
  CountedPtr<TXBuilder> Engine = MakeCounted<TXBuilder>(StandardCatalogues());
};
