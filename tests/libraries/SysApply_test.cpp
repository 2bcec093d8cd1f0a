#include "libraries/SysApply.h"

#include "SystemEngine.h"
#include "libraries/BuiltInArgs.h"

namespace {

class SysApply : public SystemEngine {
protected:
  SysApply() {
    AddRoutine("Half", "function ( x : real ) : real", [](TTestFunc& self, TSourcePos) {
      SetResult(self, TValue::Real(RealArg(self, 0) / 2));
      return true;
    });
    AddRoutine("Scale", "function ( x : real; k : real = 3 ) : real", [](TTestFunc& self, TSourcePos) {
      SetResult(self, TValue::Real(RealArg(self, 0) * RealArg(self, 1)));
      return true;
    });
    AddRoutine("Bump", "procedure ( var x : real )", [](TTestFunc& self, TSourcePos) {
      TBaseVar& x = BaseRefArg(self, 0);
      x.SetValue(TValue::Real(x.GetValue().AsReal() + 1));
      return true;
    });
    AddRoutine("Small", "function ( x : real ) : real", [](TTestFunc& self, TSourcePos pos) {
      if (RealArg(self, 0) > 2) {
        ReportError("too big", pos, nullptr);
        return false;
      }
      SetResult(self, TValue::Real(-RealArg(self, 0)));
      return true;
    });
  }

  void AddRoutine(const char* name, const char* signature, TTestFunc::TBody body) {
    TLib* user = Engine->Libs().FindOrAdd("Test", false);
    Engine->CurLib = user;
    TFuncKind* kind = Engine->ParseSignature(signature, "");
    Engine->CurLib = nullptr;
    ASSERT_NE(Engine->RegisterFunc(std::make_unique<TTestFunc>(name, kind, user, std::move(body)), frPlain), nullptr);
  }
};

TEST_F(SysApply, FunctionsReplaceEveryElement) {
  ExpectLines({
      {"v := {1, 4, 9}", "{1, 4, 9}"},
      {"Apply(Sqrt, v)", ""},
      {"v", "{1, 2, 3}"},
      {"v := {1, 4, 9}", "{1, 4, 9}"},
      {"Apply(Half, v)", ""},
      {"v", "{0.5, 2, 4.5}"},
      {"Apply(Round, v)", ""},
      {"v", "{0, 2, 4}"},
      {"Apply(Scale, v)", ""},
      {"v", "{0, 6, 12}"},
      {"m := {{1, 2}, {3, 4}}", "{{1, 2}, {3, 4}}"},
      {"Apply(Half, m)", ""},
      {"m", "{{0.5, 1}, {1.5, 2}}"},
  });
}

TEST_F(SysApply, ProceduresTakeEachElement) {
  ExpectLines({
      {"v := {1, 2}", "{1, 2}"},
      {"Apply(Bump, v)", ""},
      {"v", "{2, 3}"},
      {"Apply(Write, v)", "2|3"},
  });
}

TEST_F(SysApply, ParameterlessFunctionsFillEveryElementAfresh) {
  Eval("m := {{0, 0}, {0, 0}}");
  Eval("Apply(Random, m)");
  auto& m = static_cast<TArrVar&>(*Engine->FindVariable("m"));
  EXPECT_NE(GetMatElem(m, 1, 1), GetMatElem(m, 1, 2));
  EXPECT_NE(GetMatElem(m, 1, 2), GetMatElem(m, 2, 1));
}

TEST_F(SysApply, RefusesWhatItCannotApply) {
  Eval("v := {1, 2}");
  Eval("m := {{1, 2}}");
  Eval("e := {1}");
  Eval("SetLength(e, 0)");
  Eval("f := nil");
  Eval("s := 'ab'");
  ExpectLines({
      {"Apply(nil, v)", "Function is empty at [1:1] "},
      {"Apply(f, v)", "Function is empty at [1:1] "},
      {"Apply(Apply, v)", "Reentering in \"Apply\" attempted at [1:1] "},
      {"Apply(Round, s)", "Cannot apply the function to a non-array variable at [1:1] "},
      {"Apply(Min, v)", "Function \"Min\" takes wrong number of arguments at [1:1] "},
      {"Apply(Round, e)", "Array is empty at [1:1] "},
      {"Apply(Bin, v)", "Function \"Bin\" is not applicable to the given array at [1:1] "},
      {"Apply(Bin, m)", "Function \"Bin\" is not applicable to the given array at [1:1] "},
      {"Apply(Str, v)", "Function \"Str\" result is not compatible with the array at [1:1] "},
      {"Apply(SplitStr, m)", "Function \"SplitStr\" is not applicable to the given array at [1:1] "},
  });
}

// Each element is bound to a var parameter, which would write a Real into an Integer.
TEST_F(SysApply, AVarParameterTakesOnlyElementsOfItsKind) {
  TKind* integers = Engine->ParseSignature("procedure ( a : array of integer )", "")->Arg(0)->Kind();
  ASSERT_NE(Engine->AddVariable("counts", integers), nullptr);
  Eval("SetLength(counts, 2)");
  ExpectLines({{"Apply(Bump, counts)", "Function \"Bump\" is not applicable to the given array at [1:1] "}});
}

// A routine that re-dimensions the array it is applied to leaves the element
// it was given orphaned: the walk goes on over the new elements.
TEST_F(SysApply, ARoutineMayRedimensionTheArray) {
  AddRoutine("Regrow", "function ( x : real ) : real", [this](TTestFunc& self, TSourcePos) {
    static_cast<TArrVar&>(*Engine->FindVariable("v")).SetLength(3);
    SetResult(self, TValue::Real(RealArg(self, 0) + 1));
    return true;
  });
  AddRoutine("AddRow", "function ( x : real ) : real", [this](TTestFunc& self, TSourcePos) {
    SetMatSize(static_cast<TArrVar&>(*Engine->FindVariable("m")), 2, 2, false);
    SetResult(self, TValue::Real(RealArg(self, 0) + 1));
    return true;
  });
  ExpectLines({
      {"v := {1, 2}", "{1, 2}"},
      {"Apply(Regrow, v)", ""},
      {"v", "{0, 1, 1}"},
      {"m := {{1, 2}}", "{{1, 2}}"},
      {"Apply(AddRow, m)", ""},
      {"m", "{{1, 2}, {1, 1}}"},
  });
}

TEST_F(SysApply, AFailingRoutineEndsItKeepingTheEarlierElements) {
  ExpectLines({
      {"v := {1, 2, 3, 4}", "{1, 2, 3, 4}"},
      {"Apply(Small, v)", "too big at [1:1] "},
      {"v", "{-1, -2, 3, 4}"},
  });
}

}  // namespace
