#pragma once
// The standard libraries and stand-ins for the script routines that the
// numerical routines run: Workspace routines of the procedural kinds of
// Math whose bodies are the test's functions.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/RunFlags.h"
#include "libraries/BuiltInArgs.h"
#include "tests/libraries/ArrayEngine.h"

class CallbackEngine : public ArrayEngine {
protected:
  ~CallbackEngine() override { AbortFlag = false; }

  // A routine of the named procedural kind running body.
  TTestFunc& AddRoutine(const char* name, const char* kindName, TTestFunc::TBody body) {
    auto* signature = static_cast<TFuncKind*>(Engine->Kinds().FindKind(kindName));
    TFunc* added = Engine->RegisterFunc(
        std::make_unique<TTestFunc>(name, signature, Engine->FindLibrary(WorkspaceLibName), std::move(body)),
        frPlain);
    return *static_cast<TTestFunc*>(added);
  }

  // A TMathFunc computing f.
  TTestFunc& AddRealFunction(const char* name, std::function<long double(long double)> f) {
    return AddRoutine(name, "TMathFunc", [f](TTestFunc& self, TSourcePos) {
      SetResult(self, TValue::Real(f(RealArg(self, 0))));
      return true;
    });
  }

  // A TVecFunc computing f.
  TTestFunc& AddVectorFunction(const char* name, std::function<long double(const TReals&)> f) {
    return AddRoutine(name, "TVecFunc", [f](TTestFunc& self, TSourcePos) {
      SetResult(self, TValue::Real(f(RealsOf(ArrArg(self, 0)))));
      return true;
    });
  }

  // A TDiffFunc: DY takes derivatives(Y, X), with the length it gives.
  TTestFunc& AddDerivatives(const char* name, std::function<TReals(const TReals& y, long double x)> derivatives) {
    return AddRoutine(name, "TDiffFunc", [derivatives](TTestFunc& self, TSourcePos) {
      SetReals(ArrRefArg(self, 2), derivatives(RealsOf(ArrArg(self, 0)), RealArg(self, 1)));
      return true;
    });
  }

  // A routine body that fails with "Bad point" from the given run on.
  static bool FailFromRun(TTestFunc& self, int run) {
    if (self.Calls < run) return true;
    ReportError("Bad point", NoPosition, nullptr);
    return false;
  }

  // The texts of the warning lines the last line wrote.
  std::vector<std::string> Warnings() const {
    std::vector<std::string> texts;
    for (const TLine& line : Sink->Lines)
      if (line.Kind == lkWarning) texts.push_back(line.Text);
    return texts;
  }
};
