// The expression compiler and the trees it builds, through console lines.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ArrVar.h"
#include "engine/DesignatorExpr.h"
#include "engine/Expression.h"
#include "engine/RunFlags.h"
#include "engine/TensorExpr.h"
#include "engine/Var.h"
#include "tests/engine/EngineFixture.h"

namespace {

struct TCase {
  const char* Line;
  const char* Printed;  // the result line, or the one error line
};

class ExpressionCompilerTest : public EngineFixture {
protected:
  ExpressionCompilerTest() {
    Engine->SetOption(0, true);
    for (const char* line : {"v := {1, 2, 3}", "m := {{1, 2}, {3, 4}}", "s := 'abc'", "i := 0", "x := 1", "r := 0.5"})
      Eval(line);
    AddRoutine("Twice", "function ( x : real ) : real", [](TTestFunc& self, TSourcePos) {
      SetResult(self, TValue::Real(2 * self.GetArgValue(0).AsReal()));
      return true;
    });
    AddRoutine("Bump", "function ( var n : integer ) : integer", [](TTestFunc& self, TSourcePos) {
      auto& n = static_cast<TBaseVar&>(*self.RefArg(0));
      n.SetValue(TValue::Integer(n.GetValue().AsInt() + 1));
      SetResult(self, n.GetValue());
      return true;
    });
  }

  void ExpectLines(std::initializer_list<TCase> cases) {
    for (const TCase& c : cases) EXPECT_EQ(Result(c.Line), c.Printed) << c.Line;
  }
};

TEST_F(ExpressionCompilerTest, PrecedenceAndAssociativity) {
  ExpectLines({
      {"2 + 3 * 4", "14"},      {"(2 + 3) * 4", "20"}, {"2 * 3 ^ 2", "18"},   {"(2 ^ 3) ^ 2", "64"},
      {"2 ^ -1", "0.5"},        {"-2 ^ 2", "-4"},      {"1 - 2 - 3", "-4"},   {"7 div 2 * 2", "6"},
      {"not 1 = 2", "False"},   {"1 + 2 = 3", "True"}, {"3 > 2 > 1", "True"}, {"1 < 3 < 2", "False"},
      {"1 + 2 + 2.5", "5.5"},   {"2.5 + 1 + 1", "4.5"}, {"(x + 1) * (x + 1)", "4"},
      {"1 = 1 = True", "Undefined operation \"Integer = Boolean\" at [1:7] "},
  });
}

TEST_F(ExpressionCompilerTest, Literals) {
  ExpectLines({
      {"#101", "5"},
      {".5", "0.5"},
      {"1e10", "1E10"},
      {"$7FFFFFFFFFFFFFFF", "9223372036854775807"},
      {"'' + 'x'", "'x'"},
      {"'ab' + 'c'", "'abc'"},
      {"#1111111111111111111111111111111111111111111111111111111111111111",
       "Number is too large at [1:1] "},
      {"1e-4950", "0"},
  });
  std::unique_ptr<TExpression> tree = Engine->ParseExpression("''");
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->ResultKind(), BaseKind(kcChar));
}

TEST_F(ExpressionCompilerTest, NamedScalarConstantsAreFolded) {
  std::unique_ptr<TExpression> constant = Engine->ParseExpression("True");
  EXPECT_NE(dynamic_cast<TValueExpr*>(constant.get()), nullptr);
  std::unique_ptr<TExpression> variable = Engine->ParseExpression("x");
  EXPECT_EQ(dynamic_cast<TValueExpr*>(variable.get()), nullptr);
}

TEST_F(ExpressionCompilerTest, AParsedTreeEvaluatesAgainAndAgain) {
  std::unique_ptr<TExpression> tree = Engine->ParseExpression("x * x + 1 < 50");
  ASSERT_NE(tree, nullptr);
  auto& x = static_cast<TBaseVar&>(*Engine->FindVariable("x"));
  for (std::int64_t n : {1, 7, 6, 0}) {
    x.SetValue(TValue::Integer(n));
    ASSERT_TRUE(tree->Evaluate());
    EXPECT_EQ(static_cast<TBaseVar*>(tree->ResultVar())->GetValue().AsBool(), n * n + 1 < 50) << n;
  }
}

TEST_F(ExpressionCompilerTest, ChainsCopyEachOperandAtOnce) {
  ExpectLines({
      {"0 < x < Bump(x)", "True"},  // x is compared as it was before Bump ran
      {"x", "2"},
      {"x + Bump(x)", "6"},  // the first operand is read after Bump ran
      {"Twice(1) + Twice(2)", "6"},
  });
}

TEST_F(ExpressionCompilerTest, Indexing) {
  ExpectLines({
      {"v[2]", "2"},
      {"m[2, 1]", "3"},
      {"m[2][1]", "3"},
      {"v[psDashed]", "2"},
      {"s[3]", "'c'"},
      {"v[0]", "Array index = 0 is out of range at [1:3] "},
      {"v[4294967297]", "Array index = 4294967297 is out of range at [1:3] "},
      {"s[0]", "String index = 0 is out of range at [1:3] "},
      {"s[4]", "String index = 4 is out of range at [1:3] "},
      {"s[1, 2]", "Wrong array dimension at [1:2] "},
      {"m[1, 2, 3]", "Wrong array dimension at [1:2] "},
      {"v[1.5]", "Array index must be integer compatible at [1:3] "},
      {"v[1", "Symbol \"]\" is expected but <EOF> is found at [1:4] "},
      {"x[1]", "<EOF> is expected but Symbol \"[\" is found at [1:2] "},
  });
}

TEST_F(ExpressionCompilerTest, Assignments) {
  ExpectLines({
      {"v[1] := 5", "5"},
      {"v", "{5, 2, 3}"},
      {"m[1, 2] := v[3]", "3"},
      {"m", "{{1, 3}, {3, 4}}"},
      {"r := 1", "1"},
      {"v := 1", "Cannot assign Integer to Vector at [1:3] "},
      {"i := 2.5", "Cannot assign Real to Integer at [1:3] "},
      {"nil := Write", "Cannot assign to a constant at [1:5] "},
      {"i := Write(1)", "Failed to determine expression type at [1:6] "},
  });
}

TEST_F(ExpressionCompilerTest, TargetIndicesRunBeforeTheSource) {
  Eval("i := 0");
  EXPECT_EQ(Result("v[Bump(i)] := Bump(i)"), "2");
  EXPECT_EQ(Result("v"), "{2, 2, 3}");
}

TEST_F(ExpressionCompilerTest, Calls) {
  ExpectLines({
      {"Twice(2)", "4"},
      {"Twice", "Twice"},
      {"Twice(Twice(2))", "Reentering in \"Twice\" attempted at [1:7] "},
      {"Twice('a')", "Parameter 1 must be Real, not Char at [1:7] "},
      {"Bump(1)", "Parameter 1 must be a variable at [1:1] "},
      {"f := nil", "nil"},
      {"f()", "Empty function variable at [1:1] "},
      {"x(1)", "<EOF> is expected but Symbol \"(\" is found at [1:2] "},
  });
  EXPECT_EQ(Eval("Twice(1, 2)"), (std::vector<TLine>{{"Wrong number of arguments for the function at [1:12] ", lkError, 0},
                                                     {"Function ( x : Real ) : Real", lkInfo, 0}}));
  EXPECT_EQ(Eval("Write()"), (std::vector<TLine>{{"Function takes at least one argument at [1:8] ", lkError, 0},
                                                 {"Procedure ( a : Anything )", lkInfo, 0}}));
}

TEST_F(ExpressionCompilerTest, ARoutineInterruptedInItsArgumentsCanBeCalledAgain) {
  AddRoutine("Stop", "function : real", [](TTestFunc& self, TSourcePos) {
    AbortFlag = true;
    SetResult(self, TValue::Real(0));
    return true;
  });
  EXPECT_TRUE(Eval("Twice(Stop())").empty());
  EXPECT_EQ(Result("Twice(3)"), "6");
}

TEST_F(ExpressionCompilerTest, SetLiterals) {
  ExpectLines({
      {"[psLine, psDashed]", "[ psLine, psDashed ]"},
      {"[]", "[  ]"},
      {"[psLine] + [psBar]", "[ psLine, psBar ]"},
      {"psDashed in [psLine, psDashed]", "True"},
      {"psBar in [psLine]", "False"},
      {"[psLine, 1]", "\"TPlotStyle\" member expected but \"1\" found at [1:10] "},
      {"[psLine, msScatter]", "\"TPlotStyle\" member expected but \"msScatter\" found at [1:10] "},
      {"[foo]", "Enumeration member expected bur \"foo\" found at [1:2] "},
      {"[1]", "Identifier is expected but Integer is found at [1:2] "},
      {"psLine in []", "Incompatible types at [1:8] "},
  });
}

TEST_F(ExpressionCompilerTest, VectorAndMatrixLiterals) {
  ExpectLines({
      {"{}", "{}"},
      {"{1, 2.5}", "{1, 2.5}"},
      {"{{1, 2}, {3}}", "{{1, 2}, {3}}"},
      {"{x, 2}", "{1, 2}"},
      {"{{1, 2}, 3}", "Symbol \"{\" is expected but Integer is found at [1:10] "},
      {"{1, 'a'}", "Real expression is expected at [1:5] "},
      {"{{1}, {{2}}}", "Elements must have the same type at [1:7] "},
      {"{1, 2", "Symbol \"}\" is expected but <EOF> is found at [1:6] "},
  });
  std::unique_ptr<TExpression> constant = Engine->ParseExpression("{{1, 2}, {3, 4}}");
  ASSERT_NE(constant, nullptr);
  EXPECT_EQ(dynamic_cast<TTensorExpr*>(constant.get()), nullptr);
  EXPECT_EQ(constant->ResultKind()->GetText(true), "Matrix");
  std::unique_ptr<TExpression> built = Engine->ParseExpression("{x, 2}");
  ASSERT_NE(dynamic_cast<TTensorExpr*>(built.get()), nullptr);
  EXPECT_EQ(built->ResultKind()->GetText(true), "Vector");
}

class RecordExpressionTest : public ExpressionCompilerTest {
protected:
  RecordExpressionTest() {
    TLib* workspace = Engine->FindLibrary(WorkspaceLibName);
    auto kind = std::make_unique<TRecKind>("TPoint", workspace);
    kind->AddField(BaseKind(kcInteger), "a", false, -1);
    kind->AddField(BaseKind(kcReal), "b", false, -1);
    kind->AddField(BaseKind(kcInteger), "fixed", true, -1);
    Point = static_cast<TRecKind*>(Engine->Kinds().Register(std::move(kind), workspace));
    for (bool isConst : {false, true}) {
      std::unique_ptr<TVar> var = MakeVar(isConst ? "cp" : "p", Point, isConst, NoneValue, workspace);
      Engine->InsertVariable(var);
    }
  }

  TRecKind* Point = nullptr;
};

TEST_F(RecordExpressionTest, FieldsAreSelectedAndAssigned) {
  ExpectLines({
      {"p.a := 5", "5"},
      {"p.b := p.a / 2", "2.5"},
      {"p", "(a:5; b:2.5; fixed:0)"},
      {"p.c", "Unknown record field \"c\" at [1:3] "},
      {"p.fixed := 1", "Cannot assign to a constant at [1:9] "},
      {"cp.a := 1", "Cannot assign to a constant at [1:6] "},
      {"x.a", "<EOF> is expected but Symbol \".\" is found at [1:2] "},
  });
}

TEST_F(RecordExpressionTest, WithScopesResolveFieldNames) {
  Eval("p.a := 7");
  TRefVar with(std::string(), Point, nullptr, false);
  with.Bind(Engine->FindVariable("p"));
  Engine->WithScopes().Push(&with);
  EXPECT_EQ(Result("a * 2"), "14");
  EXPECT_EQ(Result("b := 1"), "1");
  Engine->WithScopes().Pop();
  EXPECT_EQ(Result("p.b"), "1");
}

TEST_F(ExpressionCompilerTest, ConvertersServeAssignmentsTheKindsRefuse) {
  AddRoutine(
      "Spell", "function ( n : integer ) : string",
      [](TTestFunc& self, TSourcePos) {
        SetResult(self, TValue::String("#" + std::to_string(self.GetArgValue(0).AsInt())));
        return true;
      },
      frTypeConv);
  ExpectLines({{"s := 5", "'#5'"}, {"s := Bump(i) + 1", "'#2'"}, {"r := 5", "5"}});
}

// A library's converter is called even where the value could be assigned as
// it is; the target and the value's kind must both suit it.
TEST_F(ExpressionCompilerTest, ConvertersServeAssignmentsTheKindsAllowToo) {
  AddRoutine(
      "Halve", "function ( n : integer ) : real",
      [](TTestFunc& self, TSourcePos) {
        SetResult(self, TValue::Real(self.GetArgValue(0).AsInt() / 2.0L));
        return true;
      },
      frTypeConv);
  ExpectLines({{"r := 5", "2.5"}, {"r := i + 2", "1"}, {"i := 3", "3"}, {"r := 1.5", "1.5"}, {"x := 7", "7"}});
}

TEST_F(ExpressionCompilerTest, SignaturesTakeModesAndDefaults) {
  const struct {
    const char* Text;
    const char* Printed;
  } cases[] = {
      {"procedure ( var a : integer; n : integer = 1 )", "Procedure ( var a : Integer; n : Integer )"},
      {"function ( x, y : real ) : real", "Function ( x : Real; y : Real ) : Real"},
      {"procedure ( const s : string; var V, F : Matrix )",
       "Procedure ( const s : String; var V : Matrix; var F : Matrix )"},
      {"function : real", "Function ( ) : Real"},
      {"procedure", "Procedure ( )"},
  };
  for (const auto& c : cases) {
    TFuncKind* kind = Engine->ParseSignature(c.Text, std::string());
    ASSERT_NE(kind, nullptr) << c.Text;
    EXPECT_EQ(kind->GetText(false), c.Printed);
  }
  TFuncKind* defaults =
      Engine->ParseSignature("procedure ( F : Vector; Append : boolean = FALSE; H : real = -1; "
                             "Style : TPlotStyle = psDashed )",
                             std::string());
  ASSERT_NE(defaults, nullptr);
  EXPECT_EQ(defaults->DefaultCount(), 3);
  EXPECT_FALSE(defaults->Arg(1)->Default().AsBool());
  EXPECT_EQ(defaults->Arg(2)->Default().Kind(), kcReal);
  EXPECT_EQ(defaults->Arg(2)->Default().AsReal(), -1.0L);
  EXPECT_EQ(defaults->Arg(3)->Default().AsInt(), 1);

  TFuncKind* named = Engine->ParseSignature("function ( t : real; n : integer ) : real", "TStepFunc");
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(FindKind("TStepFunc"), named);
}

TEST_F(ExpressionCompilerTest, SignatureErrorsAreReported) {
  const struct {
    const char* Text;
    const char* Error;
  } cases[] = {
      {"procedure ( var a : integer = 1 )", "Variable parameters cannot have default value at [1:29] "},
      {"procedure ( a, b : integer = 1 )", "Cannot assign default value to multiple parameters at [1:28] "},
      {"procedure ( a : Vector = 1 )", "Paramters of type \"Vector\" cannot have default value at [1:24] "},
      {"procedure ( a : integer = 1; b : integer )",
       "Symbol \"=\" is expected but Symbol \")\" is found at [1:42] "},
      {"procedure ( a : real = 'x' )", " Real expression required at [1:24] "},
      {"procedure ( a : nothing )", "Unknown type \"nothing\" at [1:17] "},
      {"begin", "Identifier \"function\" is expected but Identifier \"begin\" is found at [1:1] "},
  };
  for (const auto& c : cases) {
    Sink->Lines.clear();
    EXPECT_EQ(Engine->ParseSignature(c.Text, std::string()), nullptr) << c.Text;
    EXPECT_EQ(ErrorTexts(), std::vector<std::string>{c.Error}) << c.Text;
  }
}

}  // namespace
