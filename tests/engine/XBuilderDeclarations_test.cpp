// Declarations: constants with their values, variables with initial
// values, types, and the refusals of each section.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Kind.h"
#include "engine/Var.h"
#include "engine/VarText.h"
#include "tests/engine/ProgramFixture.h"

namespace {

class XBuilderDeclarationsTest : public ProgramFixture {
protected:
  // Loads declarations as library L; "" when it loaded.
  std::string Load(const std::string& declarations) {
    Run("library L; " + declarations + " end.");
    return Compiled ? std::string() : Untitled(ErrorTexts().empty() ? "no error line" : ErrorTexts()[0]);
  }
  // "<kind> <value>" of a variable or constant of L.
  std::string Describe(const std::string& name) {
    TVar* var = Engine->FindVariable(name);
    if (!var) return "<none>";
    return var->Kind()->GetText(true) + " " + VarToText(var, true, false);
  }
  void ExpectRefusals(std::initializer_list<std::pair<const char*, const char*>> cases) {
    for (const auto& [text, error] : cases) {
      EXPECT_EQ(Error(text), error) << text;
      EXPECT_FALSE(Compiled) << text;
    }
  }
};

TEST_F(XBuilderDeclarationsTest, ConstantsTakeTheKindOfTheirDeclarationOrValue) {
  const struct {
    const char* Declarations;
    const char* Name;
    const char* Described;
  } cases[] = {
      {"const a = 1;", "a", "Integer 1"},
      {"const r : Real = 1;", "r", "Real 1"},
      {"const c = 'x';", "c", "Char 'x'"},
      {"const s = 'xy';", "s", "String 'xy'"},
      {"const t : String = 'x';", "t", "String 'x'"},
      {"const b = not False;", "b", "Boolean True"},
      {"const h = $10 + 1;", "h", "Integer 17"},
      {"type T = (x, y); const e = y;", "e", "T y"},
      {"type T = (x, y); const e : T = x;", "e", "T x"},
      {"type T = (x, y); S = set of T; const s : S = [y];", "s", "S [ y ]"},
      {"type T = (x, y); S = set of T; const s : S = [];", "s", "S [  ]"},
      {"type P = record x, y : Integer end; const p : P = (x: 1; Y: 2);", "p", "P (x:1; y:2)"},
      {"type A = array [1..2, 1..2] of Integer; const m : A = ((1, 2), (3, 4));", "m", "A {{1, 2}, {3, 4}}"},
      {"const p : Real = ['Gain', 2, 0, 10];", "p", "Real 2"},
      {"const n : Integer = ['Count', 3];", "n", "Integer 3"},
      {"const w : Boolean = ['Wait', True];", "w", "Boolean True"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Load(c.Declarations), "") << c.Declarations;
    EXPECT_EQ(Describe(c.Name), c.Described) << c.Declarations;
    EXPECT_TRUE(Engine->FindVariable(c.Name)->IsConstant()) << c.Declarations;
  }
}

TEST_F(XBuilderDeclarationsTest, ParameterConstantsKeepLabelAndLimits) {
  ASSERT_EQ(Load("const p : Real = ['Gain', 2, 0, 10]; q : Integer = ['Steps', 4];"), "");
  auto* p = dynamic_cast<TParamVar*>(Engine->FindVariable("p"));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Label(), "Gain");
  EXPECT_TRUE(p->HasLimits());
  EXPECT_EQ(p->Low().AsReal(), 0);
  EXPECT_EQ(p->High().AsReal(), 10);
  auto* q = dynamic_cast<TParamVar*>(Engine->FindVariable("q"));
  ASSERT_NE(q, nullptr);
  EXPECT_FALSE(q->HasLimits());
}

TEST_F(XBuilderDeclarationsTest, GlobalVariablesTakeTheirInitialValues) {
  ASSERT_EQ(Load("var a, b : Integer = 5; v : array [1..3] of Real = (1, 2, 3); c : Char;"), "");
  EXPECT_EQ(Describe("a"), "Integer 5");
  EXPECT_EQ(Describe("b"), "Integer 5");
  EXPECT_EQ(Describe("v"), "Array[1..3] of Real {1, 2, 3}");
  EXPECT_FALSE(Engine->FindVariable("a")->IsConstant());
  Eval("a := 7");
  Engine->FindVariable("a")->Reset();
  EXPECT_EQ(Describe("a"), "Integer 5");
}

TEST_F(XBuilderDeclarationsTest, TypesAreMadeAndShared) {
  const struct {
    const char* Declarations;
    const char* Variable;
    const char* Described;
  } cases[] = {
      {"type T = array [1..3, 1..2] of Real; var t : T;", "t", "T {{0, 0}, {0, 0}, {0, 0}}"},
      {"type T = array [0..0] of Integer; var t : T;", "t", "T {0}"},
      {"type R = Real; var r : R;", "r", "Real 0"},
      {"type V = array of Real; var v : V;", "v", "Vector {}"},
      {"type C = (red, green); S = set of C; var s : S;", "s", "S [  ]"},
      {"type P = record x : Integer; s : String; end; var p : P;", "p", "P (x:0; s:'')"},
      {"type F = function (x : Real) : Real; var f : F;", "f", "TMathFunc nil"},
      {"var a : array [1..2] of record x : Integer end;", "a", "Array[1..2] of Record x : Integer end {(x:0), (x:0)}"},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Load(c.Declarations), "") << c.Declarations;
    EXPECT_EQ(Describe(c.Variable), c.Described) << c.Declarations;
  }
}

// Each alias lives in the scope that declares it, so two routines may use
// the same local name.
TEST_F(XBuilderDeclarationsTest, LocalTypeNamesBelongToTheirRoutine) {
  EXPECT_EQ(Texts("procedure A; type R = Real; var r : R; begin r := 1.5; Write(r) end; "
                  "procedure B; type R = Integer; var r : R; begin r := 2; Write(r) end; "
                  "begin A(); B() end."),
            (std::vector<std::string>{"1.5", "2"}));
  EXPECT_TRUE(Compiled);
}

TEST_F(XBuilderDeclarationsTest, RoutinesShadowGlobalNames) {
  EXPECT_EQ(Texts("var x : Integer; procedure P; var x : String; begin x := 'local'; Write(x) end; "
                  "begin x := 1; P(); Write(x) end."),
            (std::vector<std::string>{"local", "1"}));
}

TEST_F(XBuilderDeclarationsTest, ConstantValuesAreRefusedWithTheirReason) {
  ExpectRefusals({
      {"const a : Integer = 'x'; begin end.", " Integer expression required in \"_Untitled_n\" at [1:21] "},
      {"const a : Integer = Write(1); begin end.",
       "Failed to evaluate Integer expression in \"_Untitled_n\" at [1:21] "},
      {"var i : Integer; const a = i; begin end.", "Failed to evaluate expression in \"_Untitled_n\" at [1:28] "},
      {"const p : Real = ['Gain', 20, 0, 10]; begin end.",
       "Constant value is out of the specified range in \"_Untitled_n\" at [1:27] "},
      {"const p : Real = ['Gain', 2, 5, 5]; begin end.",
       "Negative range is specified in \"_Untitled_n\" at [1:30] "},
      {"const p : Integer = [2, 1]; begin end.", "Parameter label expected in \"_Untitled_n\" at [1:22] "},
      {"const b : Boolean = ['Wait', True, False, True]; begin end.",
       "Limits are not allowed for this type in \"_Untitled_n\" at [1:34] "},
      {"type P = record x, y : Integer end; const p : P = (y: 1; x: 2); begin end.",
       "Record field name \"x\" is expected in \"_Untitled_n\" at [1:52] "},
      {"const v : Vector = (1, 2); begin end.", "Cannot assign to a dynamic array in \"_Untitled_n\" at [1:21] "},
      {"type A = array [1..2] of Integer; const a : A = (1); begin end.",
       "Symbol \",\" is expected but Symbol \")\" is found in \"_Untitled_n\" at [1:51] "},
      {"const f : TProcedure = 1; begin end.", " TProcedure expression required in \"_Untitled_n\" at [1:24] "},
      {"type C = (r, g); D = (b, w); S = set of C; const s : S = [b]; begin end.",
       " S expression required in \"_Untitled_n\" at [1:58] "},
      {"procedure P; var a, b : Integer = 5; begin end; begin end.",
       "Cannot initialize local variables in \"_Untitled_n\" at [1:33] "},
  });
}

TEST_F(XBuilderDeclarationsTest, AFailedExpressionAddsTheExpectedKind) {
  EXPECT_EQ(Texts("const a : Real = x; begin end."),
            (std::vector<std::string>{"Unknown identifier \"x\" in \"_Untitled_n\" at [1:18] ",
                                      " Real expression required in \"_Untitled_n\" at [1:18] "}));
  EXPECT_EQ(Texts("const a = x; begin end."),
            (std::vector<std::string>{"Unknown identifier \"x\" in \"_Untitled_n\" at [1:11] ",
                                      " expression required in \"_Untitled_n\" at [1:11] "}));
}

TEST_F(XBuilderDeclarationsTest, NewNamesMustBeFree) {
  ExpectRefusals({
      {"var begin : Integer; begin end.", "Protected name \"begin\" is used as identifier in \"_Untitled_n\" at [1:5] "},
      {"const end = 1; begin end.", "Protected name \"end\" is used as identifier in \"_Untitled_n\" at [1:7] "},
      {"var a, A : Integer; begin end.", "Variable \"A\" is redeclared in \"_Untitled_n\" at [1:8] "},
      {"var a : Integer; A : Real; begin end.", "Identifier \"a\" redeclared in \"_Untitled_n\" at [1:18] "},
      {"var Pi : Real; begin end.", "Identifier \"Pi\" redeclared in \"_Untitled_n\" at [1:5] "},
      {"type T = (red, green); var red : Integer; begin end.",
       "Identifier \"red\" is a member of T enumeration in \"_Untitled_n\" at [1:28] "},
      {"const 5 = 1; begin end.", "Constant name expected but \"5\" is found in \"_Untitled_n\" at [1:7] "},
      {"var ; begin end.", "Variable name expected but \";\" is found in \"_Untitled_n\" at [1:5] "},
      {"var a : Integer; b; begin end.", "Symbol \":\" is expected but Symbol \";\" is found in \"_Untitled_n\" at [1:19] "},
  });
}

TEST_F(XBuilderDeclarationsTest, TypeExpressionsAreRefusedWithTheirReason) {
  ExpectRefusals({
      {"type T = array [3..1] of Real; begin end.", "Low bound exceeds high bound in \"_Untitled_n\" at [1:17] "},
      {"type T = array [1..4294967296] of Real; begin end.", "Integer overflow in \"_Untitled_n\" at [1:17] "},
      {"type T = array [-2000000000..2000000000] of Real; begin end.",
       "Integer overflow in \"_Untitled_n\" at [1:17] "},
      {"type T = array [1..2.5] of Real; begin end.", " Integer expression required in \"_Untitled_n\" at [1:20] "},
      {"type T = (a, A); begin end.", "Enumeration member redeclared in \"_Untitled_n\" at [1:14] "},
      {"type S = set of Integer; begin end.", "Enumeration type required in \"_Untitled_n\" at [1:17] "},
      {"type S = set of Nothing; begin end.",
       "Enumeration type name is expexted, but \"Nothing\" found in \"_Untitled_n\" at [1:17] "},
      {"type P = record x : Integer; X : Real end; begin end.",
       "Record field \"X\" is redeclared in \"_Untitled_n\" at [1:30] "},
      {"type P = record x : Integer y : Real end; begin end.",
       "Identifier \"end\" is expected but Identifier is found in \"_Untitled_n\" at [1:29] "},
      {"type T = Nothing; begin end.", "Unknown type \"Nothing\" in \"_Untitled_n\" at [1:10] "},
      {"type Vector = array of Integer; begin end.",
       "Type \"Vector\" is already defined in \"System\" in \"_Untitled_n\" at [1:6] "},
      {"type T = Real; T = Integer; begin end.",
       "Type \"T\" is already defined in \"System\" in \"_Untitled_n\" at [1:16] "},
  });
}

TEST_F(XBuilderDeclarationsTest, SetsTakeAtMostThirtyTwoMembers) {
  std::string members;
  for (int i = 0; i < 33; ++i) members += (i ? ", m" : "m") + std::to_string(i);
  EXPECT_EQ(Error("type E = (" + members + "); S = set of E; begin end."),
            "Enumeration must have maximum of 32 elements in \"_Untitled_n\" at [1:" +
                std::to_string(10 + members.size() + 15) + "] ");
}

// A String constant is indexed like a variable and stays constant.
TEST_F(XBuilderDeclarationsTest, StringConstantsCanBeIndexed) {
  EXPECT_EQ(Texts("const S = 'abc'; begin Write(S[2]) end."), std::vector<std::string>{"b"});
  EXPECT_EQ(Texts("const S = 'abc'; const C = S[5]; begin end."),
            (std::vector<std::string>{"String index is out of range in \"_Untitled_n\" at [1:30] ",
                                      "Failed to evaluate expression in \"_Untitled_n\" at [1:28] "}));
  EXPECT_EQ(Error("const S = 'abc'; var i : Integer; begin i := 5; Write(S[i]) end."),
            "String index = 5 is out of range in \"_Untitled_n\" at [1:57] ");
  ExpectRefusals({
      {"const S = 'abc'; begin S[1] := 'x' end.", "Cannot assign to a constant in \"_Untitled_n\" at [1:29] "},
  });
}

TEST_F(XBuilderDeclarationsTest, EnumerationParameterConstantsKeepTheirLimits) {
  ASSERT_EQ(Load("type C = (r, g, b); const p : C = ['Colour', g, r, b]; q : C = ['Colour', b];"), "");
  auto* p = dynamic_cast<TParamVar*>(Engine->FindVariable("p"));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(Describe("p"), "C g");
  EXPECT_TRUE(p->HasLimits());
  EXPECT_EQ(p->High().AsInt(), 2);
  EXPECT_EQ(Describe("q"), "C b");
  ExpectRefusals({
      {"type D = (x, y, z); const e : D = ['Colour', x, y, z]; begin end.",
       "Constant value is out of the specified range in \"_Untitled_n\" at [1:46] "},
      {"type D = (x, y, z); const e : D = ['Colour', y, z, x]; begin end.",
       "Negative range is specified in \"_Untitled_n\" at [1:49] "},
  });
}

// Storage that cannot exist is refused before anything is allocated.
TEST_F(XBuilderDeclarationsTest, ImpossibleSizesAreRefused) {
  ExpectRefusals({
      {"var a : array [1..2147483647] of Integer; begin end.", "Not enough memory in \"_Untitled_n\" at [1:9] "},
      {"var a : array [1..100000, 1..100000] of Real; begin end.", "Not enough memory in \"_Untitled_n\" at [1:9] "},
      {"type T = array [1..100000, 1..100000] of Integer; procedure P(a : T); begin end; begin end.",
       "Not enough memory in \"_Untitled_n\" at [1:71] "},
      {"function F : array [1..2000000000] of Real; begin end; begin end.",
       "Not enough memory in \"_Untitled_n\" at [1:45] "},
  });
}

}  // namespace
