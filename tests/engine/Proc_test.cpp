// Script routines and user operators: declarations, calls, directives and
// the refusals of their headers.

#include "engine/Proc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Kind.h"
#include "engine/RunFlags.h"
#include "engine/Var.h"
#include "tests/engine/ProgramFixture.h"

namespace {

using TTexts = std::vector<std::string>;

class ProcTest : public ProgramFixture {
protected:
  struct TCase {
    const char* Text;
    TTexts Output;
  };
  void ExpectOutputs(std::initializer_list<TCase> cases) {
    for (const TCase& c : cases) {
      EXPECT_EQ(Texts(c.Text), c.Output) << c.Text;
      EXPECT_TRUE(Compiled) << c.Text;
    }
  }
  struct TRefusal {
    const char* Text;
    const char* Error;
  };
  void ExpectErrors(std::initializer_list<TRefusal> cases) {
    for (const TRefusal& c : cases) {
      EXPECT_EQ(Error(c.Text), c.Error) << c.Text;
      EXPECT_FALSE(Compiled) << c.Text;
    }
  }
  TFunc* Routine(const std::string& name) {
    auto* holder = dynamic_cast<TFuncVar*>(Engine->FindVariable(name));
    return holder ? holder->Func() : nullptr;
  }
};

TEST_F(ProcTest, RoutinesTakeTheirParameters) {
  ExpectOutputs({
      {"function Scale(x : Real; k : Real = 2) : Real; begin Result := x * k end; "
       "begin Write(Scale(3), ' ', Scale(3, 3)) end.",
       {"6 9"}},
      {"procedure Swap(var a, b : Integer); var t : Integer; begin t := a; a := b; b := t end; "
       "var i, j : Integer; begin i := 1; j := 2; Swap(i, j); Write(i, j) end.",
       {"21"}},
      {"procedure Twice(x : Integer); begin x := x * 2; Write(x) end; "
       "var i : Integer; begin i := 4; Twice(i); Write(i) end.",
       {"8", "4"}},
      {"type TMode = (slow, fast); function Pick(m : TMode = fast) : TMode; begin Result := m end; "
       "begin Write(Pick(), Pick(slow)) end.",
       {"fastslow"}},
      {"function Count : Integer; var n : Integer; begin n := n + 1; Result := n end; "
       "begin Write(Count(), Count()) end.",
       {"11"}},
      {"function Grow(n : Integer) : Vector; begin SetLength(Result, Length(Result) + n) end; "
       "begin Write(Grow(2), Grow(1)) end.",
       {"{0, 0}{0}"}},
      {"function Outer(x : Integer) : Integer; function Inner(y : Integer) : Integer; "
       "begin Result := y * 10 end; begin Result := Inner(x) + 1 end; begin Write(Outer(2)) end.",
       {"21"}},
      {"procedure Local; type T = (a, b); var t : T; begin t := b; Write(t) end; begin Local() end.", {"b"}},
  });
}

// A routine only ever receives what its parameters take: a routine value is
// refused where its kind's calls could pass more, and a var parameter is
// bound to a variable of its very kind.
TEST_F(ProcTest, ArgumentsAreCheckedAgainstWhatTheRoutineTakes) {
  const std::string takesInteger = "function G(x : Integer) : Real; begin Result := x end; ";
  const std::string takesReal = "procedure P(var x : Real); begin x := 1.5 end; ";
  ExpectErrors({
      {(takesInteger + "begin Write(Integrate(G, 0, 1)) end.").c_str(),
       "Parameter 1 must be TMathFunc, not Function ( x : Integer ) : Real in \"_Untitled_n\" at [1:78] "},
      {(takesInteger + "begin Write(Sum(G, {1, 3})) end.").c_str(),
       "Parameter 1 must be TMathFunc, not Function ( x : Integer ) : Real in \"_Untitled_n\" at [1:72] "},
      {(takesInteger + "var f : function (x : Real) : Real; begin f := G; Write(f(0.5)) end.").c_str(),
       "Cannot assign Function ( x : Integer ) : Real to TMathFunc in \"_Untitled_n\" at [1:100] "},
      {(takesReal + "var i : Integer; begin P(i) end.").c_str(),
       "Parameter 1 must be Real, not Integer in \"_Untitled_n\" at [1:73] "},
      {"var i : Integer; begin StrToReal('2.5', i) end.",
       "Parameter 2 must be Real, not Integer in \"_Untitled_n\" at [1:41] "},
      {"type TE = (a, b); var e : TE; begin Inc(e) end.",
       "Parameter 1 must be Integer, not TE in \"_Untitled_n\" at [1:41] "},
  });
  ExpectOutputs({
      {"function H(t : Real) : Real; begin Result := 2 * t end; begin Write(Sum(H, {1, 3})) end.", {"12"}},
      {"function G(x : Real) : Integer; begin Result := Round(x) end; "
       "var f : function (x : Integer) : Real; begin f := G; Write(f(2)) end.",
       {"2"}},
      {(takesReal + "var r : Real; begin P(r); Write(r) end.").c_str(), {"1.5"}},
      {"var v : Vector; begin SetLength(v, 2); Write(Length(v)) end.", {"2"}},
  });
}

TEST_F(ProcTest, ARoutineIsNeverReentered) {
  ExpectOutputs({
      {"type TF = function (x : Integer) : Integer; var f : TF; "
       "function Again(x : Integer) : Integer; begin Result := x; Result := f(x) + 1 end; "
       "begin f := Again; Write(Again(5)) end.",
       {"Reentering in \"Again\" attempted at [1:125] ", "5"}},
      {"type TP = procedure; var p : TP; procedure A; begin Write('a'); p() end; procedure B; begin A() end; "
       "begin p := B; B(); Write('after') end.",
       {"a", "Reentering in \"B\" attempted at [1:65] ", "after"}},
  });
}

TEST_F(ProcTest, ARoutinesOwnNameIsUnknownInItsBody) {
  EXPECT_EQ(Error("function g(x : Integer) : Integer; begin Result := g(x) end; begin end."),
            "Unknown identifier \"g\" in \"_Untitled_n\" at [1:52] ");
}

// The call goes through as the evaluator and built-ins make it, without
// running the body while an abort is under way.
TEST_F(ProcTest, AnAbortedRunSkipsTheBodyAndSucceeds) {
  ASSERT_TRUE(Engine->CompileText("library L; var n : Integer; procedure Bump; begin n := n + 1 end; end."));
  TFunc* bump = Routine("Bump");
  ASSERT_NE(bump, nullptr);
  EXPECT_TRUE(bump->CallDirect({}, NoPosition));
  AbortFlag = true;
  EXPECT_TRUE(bump->CallDirect({}, NoPosition));
  AbortFlag = false;
  EXPECT_EQ(Result("n"), "1");
}

TEST_F(ProcTest, HeadersRefuseWhatACallCouldNotBind) {
  ExpectErrors({
      {"function f (a, b : Real = 1) : Real; begin end; begin end.",
       "Cannot assign default value to multiple parameters in \"_Untitled_n\" at [1:25] "},
      {"procedure p (x : Integer = 1; y : Integer); begin end; begin end.",
       "Symbol \"=\" is expected but Symbol \")\" is found in \"_Untitled_n\" at [1:42] "},
      {"procedure p (var x : Integer = 1); begin end; begin end.",
       "Variable parameters cannot have default value in \"_Untitled_n\" at [1:30] "},
      {"procedure p (v : Vector = 1); begin end; begin end.",
       "Paramters of type \"Vector\" cannot have default value in \"_Untitled_n\" at [1:25] "},
      {"function f (Result : Integer) : Integer; begin end; begin end.",
       "Identifier \"Result\" redeclared in \"_Untitled_n\" at [1:13] "},
      {"procedure p (a : Integer; a : Real); begin end; begin end.",
       "Identifier \"a\" redeclared in \"_Untitled_n\" at [1:27] "},
      {"var x : Integer; procedure x; begin end; begin end.",
       "Identifier \"x\" redeclared in \"_Untitled_n\" at [1:28] "},
      {"procedure begin; begin end; begin end.",
       "Protected name \"begin\" is used as identifier in \"_Untitled_n\" at [1:11] "},
      {"function f (x : Integer); begin end; begin end.",
       "Symbol \":\" is expected but Symbol \";\" is found in \"_Untitled_n\" at [1:25] "},
      {"procedure p; begin end begin end.",
       "Symbol \";\" is expected but Identifier \"begin\" is found in \"_Untitled_n\" at [1:24] "},
  });
}

TEST_F(ProcTest, DirectivesFileRoutinesForTheirKinds) {
  ExpectOutputs({
      {"type TMoney = record cents : Integer end; "
       "function MoneyText(m : TMoney) : String; typestr; begin Result := 'money' end; "
       "procedure ShowMoney(m : TMoney); typeout; begin Write('cents ', m.cents) end; "
       "function Cents(n : Integer) : TMoney; typeconv; begin Result.cents := n * 100 end; "
       "var m : TMoney; begin m := 7; Write(m); Show(m) end.",
       {"money", "cents 700"}},
  });
}

// Its statements must not let window handlers in while the engine writes
// a value, whatever the listing around them does.
TEST_F(ProcTest, AScriptOutputRoutineHoldsTheWindowsOff) {
  bool heldOff = false;
  AddRoutine("Probe", "procedure", [&](TTestFunc&, TSourcePos) {
    heldOff = NoUIFlag;
    return true;
  });
  EXPECT_EQ(Texts("type T = record a : Integer end; procedure ShowT(t : T); typeout; begin Probe() end; "
                  "var t : T; begin Show(t) end."),
            TTexts{});
  EXPECT_TRUE(heldOff);
  EXPECT_FALSE(NoUIFlag);
}

TEST_F(ProcTest, DirectivesRefuseUnfitRoutines) {
  ExpectErrors({
      {"procedure Outer; function S(x : Integer) : String; typestr; begin end; begin end; begin end.",
       "Only globally defined function can be used as TypeStr in \"_Untitled_n\" at [1:52] "},
      {"function S(x : Integer) : Integer; typestr; begin end; begin end.",
       "TypeStr routine must return a string as a result in \"_Untitled_n\" at [1:36] "},
      {"function S(x, y : Integer) : String; typestr; begin end; begin end.",
       "TypeStr routine must have only one parameter in \"_Untitled_n\" at [1:38] "},
      {"function S(x : Integer = 1) : String; typestr; begin end; begin end.",
       "TypeStr routine must have only one parameter in \"_Untitled_n\" at [1:39] "},
      {"function S(var x : Integer) : String; typestr; begin end; begin end.",
       "TypeStr cannot accept a variable parameter in \"_Untitled_n\" at [1:39] "},
      {"procedure Outer; function C(x : Integer) : Real; typeconv; begin end; begin end; begin end.",
       "Only globally defined function can be used as a type converter in \"_Untitled_n\" at [1:50] "},
      {"function C : Real; typeconv; begin end; begin end.",
       "TypeConv routine must have only one parameter in \"_Untitled_n\" at [1:20] "},
      {"function C(var x : Integer) : Real; typeconv; begin end; begin end.",
       "TypeConv cannot accept a variable parameter in \"_Untitled_n\" at [1:37] "},
      {"procedure Outer; procedure O(x : Integer); typeout; begin end; begin end; begin end.",
       "Only globally defined procedures can be used as TypeOut in \"_Untitled_n\" at [1:44] "},
      {"function O(x : Integer) : Integer; typeout; begin end; begin end.",
       "TypeOut routine must be a procedure in \"_Untitled_n\" at [1:36] "},
      {"procedure O(x, y : Integer); typeout; begin end; begin end.",
       "TypeOut routine must have only one parameter in \"_Untitled_n\" at [1:30] "},
      {"procedure O(var x : Integer); typeout; begin end; begin end.",
       "TypeOut cannot accept a variable parameter in \"_Untitled_n\" at [1:31] "},
      {"procedure Outer; function I(h : Integer; var v : Real) : Boolean; varimport; begin end; begin end; "
       "begin end.",
       "Only globally defined procedures can be used as VarImport/VarExport in \"_Untitled_n\" at [1:67] "},
      {"procedure I(h : Integer; var v : Real); varimport; begin end; begin end.",
       "Import/Export routine must return a boolean result in \"_Untitled_n\" at [1:41] "},
      {"function I(h : Integer; v : Real = 1) : Boolean; varexport; begin end; begin end.",
       "Import/Export routines must have two non-default parameters in \"_Untitled_n\" at [1:50] "},
      {"function I(h : Real; v : Real) : Boolean; varexport; begin end; begin end.",
       "First parameter must be integer in \"_Untitled_n\" at [1:43] "},
      {"function I(h : Integer; v : Real) : Boolean; varimport; begin end; begin end.",
       "Second parameter has to be passed as variable in \"_Untitled_n\" at [1:46] "},
  });
}

TEST_F(ProcTest, ImportAndExportRoutinesAreFiledByTheirSecondParameter) {
  ASSERT_TRUE(Engine->CompileText(
      "library L; type T = record a : Integer end; "
      "function Get(h : Integer; var v : T) : Boolean; varimport; begin Result := True end; "
      "function Put(h : Integer; v : T) : Boolean; varexport; begin Result := True end; end."));
  TImpExpRec* record = Engine->ImportExport().Find(FindKind("T"));
  ASSERT_NE(record, nullptr);
  ASSERT_EQ(record->ImportCount(), 1);
  ASSERT_EQ(record->ExportCount(), 1);
  EXPECT_EQ(record->GetImport(0)->Name(), "Get");
  EXPECT_EQ(record->GetExport(0)->Name(), "Put");
}

TEST_F(ProcTest, InterfacedRoutinesCollectTheirLabelledConstants) {
  ASSERT_TRUE(Engine->CompileText(
      "library L; function Gain(x : Real) : Real; interfaced = 'Amplifies'; "
      "const k : Real = ['Gain', 2, 0, 10]; plain = 3; n : Integer = ['Count', 1]; "
      "procedure Helper; const h : Integer = ['Hidden', 1]; begin end; "
      "const late : Boolean = ['Late', True]; "
      "begin Result := x * k end; end."));
  TFunc* gain = Routine("Gain");
  ASSERT_NE(gain, nullptr);
  EXPECT_TRUE(static_cast<TProc*>(gain)->Interfaced());
  EXPECT_EQ(gain->Description(), "Amplifies");
  std::vector<std::string> labels;
  for (TParamVar* param : gain->InterfaceParams()) labels.push_back(param->Label());
  EXPECT_EQ(labels, (std::vector<std::string>{"Gain", "Count", "Late"}));
  TParamVar* k = gain->InterfaceParams()[0];
  EXPECT_TRUE(k->HasLimits());
  EXPECT_EQ(k->Low().AsReal(), 0);
  EXPECT_EQ(k->High().AsReal(), 10);
  EXPECT_EQ(Result("Gain(1.5)"), "3");
}

TEST_F(ProcTest, InterfacedRoutinesDoNotNest) {
  EXPECT_EQ(Error("procedure A; interfaced; procedure B; interfaced; begin end; begin end; begin end."),
            "Nested interfaced routines are not allowed in \"_Untitled_n\" at [1:39] ");
}

TEST_F(ProcTest, OperatorsRunTheirRoutine) {
  ExpectOutputs({
      {"type TPoint = record x, y : Real end; "
       "operator + (a, b : TPoint) : TPoint; begin Result.x := a.x + b.x; Result.y := a.y + b.y end; "
       "var p : TPoint; begin p.x := 1; p.y := 2; p := p + p + p; Write(p) end.",
       {"(x:3; y:6)"}},
      {"operator times (a, b : Vector) : Real; var i : Integer; begin "
       "for i := 1 to Length(a) do Result := Result + a[i] * b[i] end; "
       "var u : Vector; begin u := {1, 2}; Write(1 + u times u * 2) end.",
       {"11"}},
      {"type T = record v : Integer end; operator - (a : T) : T; begin Result.v := -a.v end; "
       "var t : T; begin t.v := 4; t := -t; Write(t) end.",
       {"(v:-4)"}},
      {"operator \u00D7 (a, b : Integer) : Integer; begin Result := a * b + 1 end; begin Write(2 \u00D7 3) end.",
       {"7"}},
  });
}

TEST_F(ProcTest, OperatorDeclarationsAreRefusedWithTheirReason) {
  ExpectErrors({
      {"type TVec = record x : Real end; "
       "operator + (a, b : TVec) : TVec; begin end; operator + (a, b : TVec) : TVec; begin end; begin end.",
       "Operation \"TVec + TVec -> TVec\" redefined in \"_Untitled_n\" at [1:78] "},
      {"operator ** (a : Real) : Real; begin end; begin end.",
       "Symbol \":\" is expected but Symbol \"*\" is found in \"_Untitled_n\" at [1:11] "},
      {"operator + (a, b, c : Real) : Real; begin end; begin end.",
       "Too many parameters in \"_Untitled_n\" at [1:1] "},
      {"operator + : Real; begin end; begin end.",
       "Operation needs at least one parameter in \"_Untitled_n\" at [1:1] "},
      {"operator + (var a, b : Real) : Real; begin end; begin end.",
       "Var paramteters are not allowed in \"_Untitled_n\" at [1:13] "},
      {"operator := (a, b : Real) : Real; begin end; begin end.",
       "Assignment operation redefined in \"_Untitled_n\" at [1:1] "},
      {"operator * (a : Real) : Real; begin end; begin end.",
       "Operation \"*\" is redefined as unary in \"_Untitled_n\" at [1:1] "},
      {"operator \u2219 (a, b : Real) : Real; begin end; begin end.",
       "Undefined operator \"\u2219\" in \"_Untitled_n\" at [1:10] "},
  });
}

TEST_F(ProcTest, AProgramsOperatorsLeaveWithIt) {
  Run("type T = record v : Integer end; operator + (a, b : T) : T; begin end; begin end.");
  ASSERT_TRUE(Compiled);
  Run("type T = record v : Integer end; operator + (a, b : T) : T; begin Result.v := 1 end; "
      "var t : T; begin t := t + t; Write(t) end.");
  EXPECT_TRUE(Compiled);
  EXPECT_EQ(Sink->Lines, (std::vector<TLine>{{"(v:1)", lkOutput, 0}}));
}

TEST_F(ProcTest, ClientSignaturesTakeScalarsByValue) {
  std::string name;
  TFuncKind* clear = Engine->ParseClientSignature("procedure Clear", name);
  ASSERT_NE(clear, nullptr);
  EXPECT_EQ(name, "Clear");
  EXPECT_EQ(clear->ArgCount(), 0);
  TFuncKind* count = Engine->ParseClientSignature("function Count ( a : integer; s : string = 'x' ) : real", name);
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(name, "Count");
  EXPECT_EQ(count->GetText(false), "Function ( a : Integer; s : String ) : Real");
  EXPECT_EQ(Engine->ParseClientSignature("", name), nullptr);
  const struct {
    const char* Header;
    const char* Error;
  } refusals[] = {
      {"procedure Fill ( var a : integer )", "Var paramteters are not allowed at [1:18] "},
      {"procedure Fill ( v : Vector )", "Only simple types are allowed at [1:22] "},
      {"function Get : Vector", "Only simple types are allowed at [1:16] "},
  };
  for (const auto& r : refusals) {
    Sink->Lines.clear();
    EXPECT_EQ(Engine->ParseClientSignature(r.Header, name), nullptr) << r.Header;
    EXPECT_EQ(ErrorTexts(), std::vector<std::string>{r.Error}) << r.Header;
  }
}

// A var parameter could change what it is given: a constant, a const
// parameter or a part of a typed constant is refused like a value.
TEST_F(ProcTest, ConstantsAreNoVariablesForVarParameters) {
  ExpectErrors({
      {"procedure P; const K = 3; begin Inc(K); Write(K) end; begin P end.",
       "Parameter 1 must be a variable in \"_Untitled_n\" at [1:33] "},
      {"procedure P(const k : Integer); begin Inc(k); Write(k) end; begin P(1) end.",
       "Parameter 1 must be a variable in \"_Untitled_n\" at [1:39] "},
      {"type A = array [1..2] of Integer; const C : A = (1, 2); procedure Q(var a : A); begin a[1] := 5 end; "
       "begin Q(C); Write(C[1]) end.",
       "Parameter 1 must be a variable in \"_Untitled_n\" at [1:108] "},
      {"type R = record x : Integer end; const C : R = (x: 1); begin Inc(C.x) end.",
       "Parameter 1 must be a variable in \"_Untitled_n\" at [1:62] "},
  });
}

// A converter serves every assignment whose value it takes and whose target
// its result suits, even one the kinds would allow as they are; never one
// whose target its result does not suit.
TEST_F(ProcTest, ConvertersServeTheAssignmentsTheirKindsSuit) {
  ExpectOutputs({
      {"function ToReal(n : Integer) : Real; typeconv; begin Result := n + 0.5 end; "
       "var i : Integer; r : Real; begin i := 3; r := 3; Write(i, ' ', r); r := 2.25; Write(r); "
       "for i := 1 to 2 do r := i * 2; Write(r) end.",
       {"3 3.5", "2.25", "4.5"}},
      {"function ToText(n : Integer) : String; typeconv; begin Result := 'n' end; "
       "var s : String; begin s := 4; Write(s) end.",
       {"n"}},
  });
  ExpectErrors({
      {"function ToText(n : Integer) : String; typeconv; begin Result := 'n' end; var c : Char; begin c := 65 end.",
       "Cannot assign Integer to Char in \"_Untitled_n\" at [1:97] "},
  });
}

// Sets of one kind combine into that kind, which "in" then accepts.
TEST_F(ProcTest, SetOperationsKeepTheirKind) {
  ExpectOutputs({
      {"type C = (r, g, b); S = set of C; var s, t, u : S; "
       "begin s := [r]; t := [g, b]; u := s + t; Write(b in s + t, ' ', b in s - t, ' ', g in t - s, ' ', r in u) end.",
       {"True False True True"}},
  });
}

}  // namespace
