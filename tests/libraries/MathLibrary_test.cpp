#include "libraries/MathLibrary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <string>

#include "engine/Kind.h"
#include "engine/Value.h"
#include "tests/libraries/MathEngine.h"

TEST_F(MathEngine, ConstantsHoldTheNearest80BitValues) {
  EXPECT_EQ(Real("Pi"), std::numbers::pi_v<long double>);
  EXPECT_EQ(RealToText(Real("Pi"), 18, 0), "3.14159265358979324");
  EXPECT_EQ(Real("Epsilon"), 1e-100L);
  EXPECT_EQ(Real("GoldenMean"), (1 + std::sqrt(5.0L)) / 2);
  EXPECT_TRUE(Engine.FindVariable("Pi")->IsConstant());
  EXPECT_NE(Real("Sin(Pi)"), 0);
}

TEST_F(MathEngine, MathHoldsItsConstantsAndScalarRoutines) {
  std::set<std::string> names;
  Engine.ForEachVariable([&](TVar* var) { return names.insert(var->Name()).second; }, "Math");
  const std::set<std::string> expected = {
      "Pi",      "Epsilon", "GoldenMean", "Sqrt",  "Sqr",   "Sin",   "Cos",     "Exp",    "Tan",
      "Tanh",    "ArcCos",  "ArcCosh",    "ArcCot", "ArcCoth", "ArcSin", "ArcSinh", "ArcTan", "ArcTanh",
      "Cosh",    "Cotan",   "Coth",       "Abs",   "Frac",  "Ln",    "Log10",   "Log2",   "Sinh",
      "Gamma",   "ArcTan2", "Hypot",      "Log",   "AbsI",  "Factorial", "GCD", "Sum",    "Prod",
      "Det",     "Inverse", "LinearSolve",
      "Cross", "Join", "Convolution", "Covariance", "Correlation", "Magnitude", "Mean", "Variance", "StDev", "RMS",
      "MaxVec", "MinVec", "VecSum", "PartVec", "PartMat", "Normalize", "SortVec", "AutoCovariance",
      "AutoCorrelation", "Append", "Trace", "MinMat", "MaxMat", "Transpose", "MatIdentity", "MatZero", "Column",
      "DelCol", "DelRow", "MakeVec"};
  EXPECT_EQ(names, expected);
}

TEST_F(MathEngine, RoutinesPrintTheirKindNames) {
  const struct {
    const char* Routine;
    const char* KindText;
  } cases[] = {
      {"Sqrt", "TMathFunc"},
      {"Gamma", "TMathFunc"},
      {"ArcTan2", "TMeshFunc"},
      {"Log", "TMeshFunc"},
  };
  for (const auto& c : cases) EXPECT_EQ(Engine.FindVariable(c.Routine)->Kind()->GetText(true), c.KindText) << c.Routine;
}

TEST_F(MathEngine, NamedProceduralTypes) {
  const struct {
    const char* Name;
    const char* Structure;
  } cases[] = {
      {"TMathFunc", "Function ( x : Real ) : Real"},
      {"TDiffFunc", "Procedure ( Y : Vector; X : Real; var DY : Vector )"},
      {"TVecFunc", "Function ( V : Vector ) : Real"},
  };
  for (const auto& c : cases) {
    TKind* kind = Engine.Kinds.FindKind(c.Name);
    ASSERT_NE(kind, nullptr) << c.Name;
    EXPECT_EQ(kind->Code(), kcFunction) << c.Name;
    EXPECT_EQ(kind->GetText(false), c.Structure) << c.Name;
  }
}
