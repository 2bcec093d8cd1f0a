#include "libraries/VectorOperators.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/Kind.h"
#include "engine/Token.h"
#include "tests/libraries/ArrayEngine.h"

namespace {

struct TLineCase {
  const char* Line;
  const char* Written;  // the one line the engine writes
};

}  // namespace

class VectorOperators : public ArrayEngine {
protected:
  void ExpectWritten(std::initializer_list<TLineCase> cases) {
    for (const TLineCase& c : cases) EXPECT_EQ(Eval(c.Line), c.Written) << c.Line;
  }

  TKind* Kind(const char* name) { return Engine->Kinds().FindKind(name); }
};

TEST_F(VectorOperators, VectorArithmetic) {
  ExpectWritten({
      {"{1,2,3} * {4,5,6}", "32"},
      {"{} * {}", "0"},
      {"{1,2} + {3,4.5}", "{4, 6.5}"},
      {"{1,2} - {3,5}", "{-2, -3}"},
      {"2 * {1,2}", "{2, 4}"},
      {"{1,2} * 2", "{2, 4}"},
      {"0.5 * {1,2} + {1,1}", "{1.5, 2}"},
      {"{} + {}", "{}"},
  });
}

TEST_F(VectorOperators, EqualityNeverFails) {
  ExpectWritten({
      {"{1,2} = {1,2}", "True"},
      {"{1,2} <> {1,2}", "False"},
      {"{1,2} = {1,2,3}", "False"},
      {"{1,2} <> {1,2,3}", "True"},
      {"{1,2} = {1,3}", "False"},
      {"{{1,2},{3}} = {{1,2},{3}}", "True"},
      {"{{1,2},{3}} = {{1,2},{3,4}}", "False"},
      {"{{1,2}} <> {{1,2},{3,4}}", "True"},
  });
}

TEST_F(VectorOperators, MatrixArithmetic) {
  ExpectWritten({
      {"{{1,2},{3,4}} * {{5},{6}}", "{{17}, {39}}"},
      {"{{1,2},{3,4}} * {{1,0},{0,1}}", "{{1, 2}, {3, 4}}"},
      {"{{1,2},{3,4}} * {1,1}", "{3, 7}"},
      {"{1,1} * {{1,2},{3,4}}", "{4, 6}"},
      {"{{1,2},{3,4}} + {{1,1},{1,1}}", "{{2, 3}, {4, 5}}"},
      {"{{1,2},{3,4}} - {{1,1},{1,1}}", "{{0, 1}, {2, 3}}"},
      {"{{1,2},{3}} + {{1,1},{1}}", "{{2, 3}, {4}}"},
      {"2 * {{1,2},{3}}", "{{2, 4}, {6}}"},
      {"{{1,2}} * 0.5", "{{0.5, 1}}"},
      {"`{{1,2,3}}", "{{1}, {2}, {3}}"},
      {"`{{1,2},{3,4}} * {{1,2},{3,4}}", "{{10, 14}, {14, 20}}"},
  });
}

// Operator errors carry neither position nor library.
TEST_F(VectorOperators, RefusalsWithoutPosition) {
  ExpectWritten({
      {"{1,2} * {1,2,3}", "Incompatible vector sizes"},
      {"{1,2} + {1}", "Incompatible vector sizes"},
      {"{1} - {1,2}", "Incompatible vector sizes"},
      {"{{1,2}} * {{1,2}}", "Matrices have incompatible dimensions"},
      {"{{}} * {{1}}", "Empty matrices"},
      {"{{1}} * {{}}", "Empty matrices"},
      {"{{1,2},{3}} + {{1,2},{3,4}}", "Matrices must have the same dimensions"},
      {"{{1,2}} - {{1,2},{3,4}}", "Matrices must have the same dimensions"},
      {"{{1}} * {}", "Empty factors"},
      {"{} * {{1}}", "Empty factors"},
      {"{{1,2}} * {1,2,3}", "Factors have incompatible dimensions"},
      {"{1,2,3} * {{1,2}}", "Factors have incompatible dimensions"},
  });
}

// A factor with rows of unequal length is refused rather than read past
// the end of a row.
TEST_F(VectorOperators, RowsOfUnequalLengthInProducts) {
  ExpectWritten({
      {"{{1,2},{3}} * {{1},{2}}", "Matrices have incompatible dimensions"},
      {"{{1,2},{3,4}} * {{1},{2,3}}", "Matrices have incompatible dimensions"},
      {"{{1,2},{3}} * {1,2}", "Factors have incompatible dimensions"},
      {"{1,2} * {{1,2},{3}}", "Factors have incompatible dimensions"},
      {"`{{1,2},{3}}", "Matrix rows must have the same length"},
  });
}

TEST_F(VectorOperators, ArithmeticFaultsBecomeErrorLines) {
  ExpectWritten({
      {"{1e4000} * {1e4000}", "Floating point overflow"},
      {"{1e4932} + {1e4932}", "Floating point overflow"},
      {"{{1e4000}} * {{1e4000}}", "Floating point overflow"},
      {"{Inf} - {Inf}", "Invalid floating point operation"},
  });
}

// Products add their terms without a check each and look again only at a
// sum that is not finite: the fault is still the first term's.
TEST_F(VectorOperators, ProductsReportTheFirstFaultyTerm) {
  ExpectWritten({
      {"{{1e4000, -1e4000}} * {{1e4000}, {1e4000}}", "Floating point overflow"},
      {"{{1e4932, 1e4932}} * {1, 1}", "Floating point overflow"},
      {"{1, 1} * {{1e4932}, {1e4932}}", "Floating point overflow"},
      {"{{Inf, -Inf}} * {{1}, {1}}", "Invalid floating point operation"},
      {"{{Inf, 1}} * {{1}, {1}}", "{{INF}}"},
      {"{{0, 1}} * {{Inf}, {1}}", "Invalid floating point operation"},
  });
}

// The result variable of an operator is reused: a shorter result after a
// longer one, and results already copied out stay as they were.
TEST_F(VectorOperators, ResultsAreCopiedOut) {
  Eval("A := {1,2,3} + {1,1,1}");
  Eval("B := {1} + {1}");
  ExpectWritten({{"A", "{2, 3, 4}"}, {"B", "{2}"}});
  Eval("P := {{1,2},{3,4}} * {{1,0},{0,1}}");
  Eval("Q := {{2}} * {{3}}");
  ExpectWritten({{"P", "{{1, 2}, {3, 4}}"}, {"Q", "{{6}}"}});
}

TEST_F(VectorOperators, RepeatedInAProgram) {
  Sink->Lines.clear();
  ASSERT_TRUE(Engine->CompileText(R"(
var
  v : Vector;
  m : Matrix;
  i : integer;
begin
  v := {0, 0};
  m := {{1, 0}, {0, 1}};
  for i := 1 to 3 do
  begin
    v := v + {1, 2} * i;
    m := m * {{1, 1}, {0, 1}}
  end;
  Write(v, ' ', m, ' ', `m * v)
end.)"));
  EXPECT_EQ(LinesText(), "{6, 12} {{1, 3}, {0, 1}} {6, 30}");
}

// Integer elements reach the element-wise operators through assignment
// compatibility; Integer with Integer is computed on 64-bit integers.
TEST_F(VectorOperators, IntegerElementsCombineAsIntegers) {
  TLib* system = Engine->Libs().Find("System");
  TKind* integers = Engine->Kinds().Register(std::make_unique<TArrKind>(BaseKind(kcInteger), "", system, 1, 0), system);
  TOperator* dot = Engine->Ops().Find(tkStar, true, integers, integers);
  ASSERT_NE(dot, nullptr);
  ASSERT_TRUE(SameKind(dot->LeftKind(), Kind("Vector")));
  auto left = MakeVar("", integers, false, NoneValue, nullptr);
  auto right = MakeVar("", integers, false, NoneValue, nullptr);
  for (TVar* var : {left.get(), right.get()}) static_cast<TArrVar&>(*var).SetLength(1);
  static_cast<TArrVar&>(*left).SetSlot(0, TValue::Integer(std::int64_t{1} << 62));
  static_cast<TArrVar&>(*right).SetSlot(0, TValue::Integer(2));
  Sink->Lines.clear();
  EXPECT_FALSE(dot->Apply(left.get(), right.get()));
  EXPECT_EQ(LinesText(), "Integer overflow");
  static_cast<TArrVar&>(*right).SetSlot(0, TValue::Integer(-2));
  ASSERT_TRUE(dot->Apply(left.get(), right.get()));
  EXPECT_EQ(static_cast<TBaseVar*>(dot->ResultVar())->GetValue().AsReal(), -0x1p63L);
}

TEST_F(VectorOperators, BelongToNoLibraryAndFollowTheScalarOperators) {
  const std::uint8_t tokens[] = {tkEqual, tkNotEqual, tkEqual, tkNotEqual, tkStar, tkPlus,  tkMinus, tkStar, tkStar,
                                 tkPlus,  tkMinus,    tkStar,  tkStar,     tkStar, tkStar, tkStar,  tkBackquote};
  TOperator* first = Engine->Ops().Find(tkEqual, false, Kind("Vector"), Kind("Vector"));
  int index = 0;
  while (Engine->Ops().Get(index) != first) ++index;
  ASSERT_LE(index + 17, Engine->Ops().Count());
  for (int i = 0; i < 17; ++i) {
    TOperator* op = Engine->Ops().Get(index + i);
    EXPECT_EQ(op->Token(), tokens[i]) << i;
    EXPECT_EQ(op->Lib(), nullptr) << i;
    EXPECT_EQ(op->IsBinary(), i < 16) << i;
  }
  for (int i = 0; i < index; ++i) {
    TOperator* op = Engine->Ops().Get(i);
    EXPECT_FALSE(SameKind(op->LeftKind(), Kind("Vector")) || SameKind(op->LeftKind(), Kind("Matrix"))) << i;
  }
}
