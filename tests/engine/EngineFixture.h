#pragma once
// A whole engine with a recording message sink, evaluating lines as the
// console does, and a few test routines registered the way libraries do.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/RunState.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "tests/engine/KindsFixture.h"

class EngineFixture : public ::testing::Test {
protected:
  EngineFixture() { SetMessageSink(Sink); }
  ~EngineFixture() override {
    SetMessagePump(nullptr);
    SetMessageSink(nullptr);
  }

  // The lines one evaluation writes.
  std::vector<TLine> Eval(const std::string& text, bool multiLine = false) {
    Sink->Lines.clear();
    Engine->Evaluate(text, multiLine, true, -1, Value);
    return Sink->Lines;
  }
  // The text of the one result line, or of the one error line.
  std::string Result(const std::string& text, bool multiLine = false) {
    std::vector<TLine> lines = Eval(text, multiLine);
    return lines.size() == 1 ? lines[0].Text : "<" + std::to_string(lines.size()) + " lines>";
  }

  // A routine of Workspace made from a signature text and a body.
  TTestFunc& AddRoutine(const std::string& name, const std::string& signature, TTestFunc::TBody body,
                        TFuncRegistration how = frPlain) {
    TFuncKind* kind = Engine->ParseSignature(signature, std::string());
    EXPECT_NE(kind, nullptr) << signature;
    TFunc* added = Engine->RegisterFunc(
        std::make_unique<TTestFunc>(name, kind, Engine->FindLibrary(WorkspaceLibName), std::move(body)), how);
    return static_cast<TTestFunc&>(*added);
  }
  std::vector<std::string> ErrorTexts() const {
    return Sink->ErrorTexts();
  }
  static void SetResult(TFunc& func, const TValue& value) {
    static_cast<TBaseVar*>(func.ResultVariable())->SetValue(value);
  }

  CountedPtr<TRecordingSink> Sink = MakeCounted<TRecordingSink>();
  CountedPtr<TXBuilder> Engine = MakeCounted<TXBuilder>(StandardCatalogues());
  TVariant Value;
};
