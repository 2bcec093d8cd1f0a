#include "libraries/MathLibrary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "engine/HashTab.h"
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

namespace {

// Math's routines in catalogue order, row by row; a row shares one signature.
const std::vector<std::vector<std::string>> MathRows = {
    {"Sqrt", "Sqr", "Sin", "Cos", "Exp", "Tan", "Tanh", "ArcCos", "ArcCosh", "ArcCot", "ArcCoth", "ArcSin", "ArcSinh",
     "ArcTan", "ArcTanh", "Cosh", "Cotan", "Coth", "Abs", "Frac", "Ln", "Log10", "Log2", "Sinh", "Gamma"},
    {"ArcTan2", "Hypot", "Log"},
    {"AbsI", "Factorial"},
    {"GCD"},
    {"Sum", "Prod"},
    {"Integrate"},
    {"DSolve"},
    {"Cross", "Join", "Convolution", "Covariance", "Correlation"},
    {"Magnitude", "Mean", "Variance", "StDev", "RMS", "MaxVec", "MinVec", "VecSum"},
    {"GoldenSearch"},
    {"SimplexSearch"},
    {"SimAnnealing"},
    {"PartVec"},
    {"PartMat"},
    {"Normalize", "SortVec", "AutoCovariance", "AutoCorrelation", "FFT", "InverseFFT"},
    {"Append"},
    {"Trace", "Det", "MinMat", "MaxMat"},
    {"Transpose", "Inverse"},
    {"MatIdentity", "MatZero"},
    {"LinearSolve"},
    {"Column"},
    {"DelCol", "DelRow"},
    {"MakeVec"},
};

std::vector<std::string> CatalogueOrder() {
  std::vector<std::string> names;
  for (const auto& row : MathRows) names.insert(names.end(), row.begin(), row.end());
  return names;
}

std::string Lowered(std::string name) {
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return name;
}

}  // namespace

TEST_F(MathEngine, MathHoldsItsConstantsAndRoutines) {
  std::set<std::string> names;
  Engine.ForEachVariable([&](TVar* var) { return names.insert(var->Name()).second; }, "Math");
  const std::vector<std::string> routines = CatalogueOrder();
  EXPECT_EQ(routines.size(), 73u);
  std::set<std::string> expected(routines.begin(), routines.end());
  expected.insert({"Pi", "Epsilon", "GoldenMean"});
  EXPECT_EQ(names, expected);
}

TEST_F(MathEngine, RoutinesAreFiledInCatalogueOrder) {
  // A table lists a bucket's names in the order they were added: the
  // catalogue order, taken bucket by bucket.
  std::vector<std::string> expected = CatalogueOrder();
  std::stable_sort(expected.begin(), expected.end(), [](const std::string& a, const std::string& b) {
    return THashTab::HashOf(Lowered(a)) < THashTab::HashOf(Lowered(b));
  });
  std::vector<std::string> filed;
  for (int bucket = 0; bucket < THashTab::BucketCount; ++bucket)
    for (THashNode* node = Engine.Funcs().Bucket(bucket); node; node = node->Next())
      if (node->Lib() == Engine.FindLibrary("Math")) filed.push_back(node->Name());
  EXPECT_EQ(filed, expected);
}

TEST_F(MathEngine, TheRoutinesOfARowShareOneSignature) {
  for (const auto& row : MathRows)
    for (const std::string& name : row)
      EXPECT_EQ(Engine.Funcs().Find(name)->Signature(), Engine.Funcs().Find(row.front())->Signature()) << name;
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
    TKind* kind = Engine.Kinds().FindKind(c.Name);
    ASSERT_NE(kind, nullptr) << c.Name;
    EXPECT_EQ(kind->Code(), kcFunction) << c.Name;
    EXPECT_EQ(kind->GetText(false), c.Structure) << c.Name;
  }
}
