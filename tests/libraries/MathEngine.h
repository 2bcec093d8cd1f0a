#pragma once
// An engine with the library Math and a message sink that keeps the lines;
// a console line is evaluated and its result read back from ans at full
// 80-bit precision.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "engine/Kind.h"
#include "engine/MessageChannel.h"
#include "engine/Var.h"
#include "engine/Variant.h"
#include "engine/XBuilder.h"
#include "libraries/StandardLibraries.h"
#include "tests/engine/KindsFixture.h"

class MathEngine : public ::testing::Test {
protected:
  MathEngine() {
    Engine.SetConsole(Sink);
  }
  ~MathEngine() override { Engine.SetConsole(nullptr); }

  // True when the line printed a result; its error lines are kept in Sink.
  bool Evaluate(const std::string& line) {
    Sink->Lines.clear();
    TVariant value;
    Engine.Evaluate(line, false, true, -1, value);
    return Sink->HasNonErrorLine();
  }

  // Runs the routine on real arguments directly, past the compiler; the
  // result is NoneValue when the call failed.
  TValue Call(const char* routine, std::initializer_list<long double> reals) {
    std::vector<std::unique_ptr<TBaseVar>> holders;
    std::vector<TVar*> args;
    for (long double x : reals) {
      holders.push_back(std::make_unique<TBaseVar>(std::string(), BaseKind(kcReal), false, nullptr));
      holders.back()->SetValue(TValue::Real(x));
      args.push_back(holders.back().get());
    }
    TFunc* func = Engine.Funcs().Find(routine);
    if (!func->CallDirect(args, NoPosition)) return NoneValue;
    return static_cast<TBaseVar*>(func->ResultVariable())->GetValue();
  }

  TValue ResultOf(const std::string& line) {
    EXPECT_TRUE(Evaluate(line)) << line << ": " << (Sink->ErrorTexts().empty() ? "" : Sink->ErrorTexts().front());
    auto* ans = dynamic_cast<TBaseVar*>(Engine.FindVariable(AnsVarName));
    return ans ? ans->GetValue() : NoneValue;
  }
  long double Real(const std::string& line) { return ResultOf(line).AsReal(); }
  std::int64_t Integer(const std::string& line) { return ResultOf(line).AsInt(); }

  // The one error line the line reports.
  std::string Error(const std::string& line) {
    EXPECT_FALSE(Evaluate(line)) << line;
    const std::vector<std::string> errors = Sink->ErrorTexts();
    EXPECT_EQ(errors.size(), 1u) << line;
    return errors.empty() ? std::string() : errors.back();
  }

  CountedPtr<TRecordingSink> Sink = MakeCounted<TRecordingSink>();
  TXBuilder Engine{StandardCatalogues()};
};
