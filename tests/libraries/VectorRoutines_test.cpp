#include "libraries/VectorRoutines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "runtime/Exceptions.h"
#include "tests/libraries/ArrayEngine.h"
#include "tests/libraries/RealNear.h"

namespace {

struct TRealCase {
  const char* Line;
  long double Expected;
};

struct TVectorCase {
  const char* Line;
  TReals Expected;
};

}  // namespace

class VectorRoutines : public ArrayEngine {
protected:
  void ExpectVectors(std::initializer_list<TVectorCase> cases) {
    for (const TVectorCase& c : cases) {
      const TReals actual = VectorOf(c.Line);
      ASSERT_EQ(actual.size(), c.Expected.size()) << c.Line;
      for (std::size_t i = 0; i < actual.size(); ++i)
        ExpectRealNear(actual[i], c.Expected[i], std::string(c.Line) + " element " + std::to_string(i + 1), 1e-17L);
    }
  }
};

TEST_F(VectorRoutines, ReductionsDivideByTheWholeCount) {
  const TRealCase cases[] = {
      {"Mean({2,4,4,4,5,5,7,9})", 5},
      {"Variance({2,4,4,4,5,5,7,9})", 4},
      {"StDev({2,4,4,4,5,5,7,9})", 2},
      {"Variance({1,2,3,4})", 1.25L},
      {"StDev({1,2,3,4})", std::sqrt(1.25L)},
      {"RMS({3, 4})", std::sqrt(12.5L)},
      {"Magnitude({3, 4})", 5},
      {"VecSum({1, 2, 3.5})", 6.5L},
      {"MaxVec({3, 9, -1, 9})", 9},
      {"MinVec({3, 9, -1, 9})", -1},
      {"MaxVec({-2})", -2},
  };
  for (const TRealCase& c : cases) ExpectRealNear(RealOf(c.Line), c.Expected, c.Line);
}

TEST_F(VectorRoutines, ReductionsOfAnEmptyVectorAreZeroExceptTheExtremes) {
  for (const char* name : {"Magnitude", "Mean", "Variance", "StDev", "RMS", "VecSum"})
    EXPECT_EQ(RealOf(std::string(name) + "({})"), 0) << name;
  ExpectRefusals({
      {"MaxVec({})", "Vector has zero size at [1:1] "},
      {"MinVec({})", "Vector has zero size at [1:1] "},
  });
}

TEST_F(VectorRoutines, BuildingAndEditingVectors) {
  ExpectVectors({
      {"Cross({1,0,0}, {0,1,0})", {0, 0, 1}},
      {"Cross({1,2,3}, {4,5,6})", {-3, 6, -3}},
      {"Join({1, 2}, {3})", {1, 2, 3}},
      {"Join({}, {})", {}},
      {"Append({1, 2}, 7.5)", {1, 2, 7.5L}},
      {"Append({}, 1)", {1}},
      {"MakeVec(3, 2.5)", {2.5L, 2.5L, 2.5L}},
      {"MakeVec(2)", {0, 0}},
      {"MakeVec(0)", {}},
      {"PartVec({5,6,7}, 2, 3)", {6, 7}},
      {"PartVec({5,6,7}, 2, 2)", {6}},
      {"PartVec({5,6,7}, 3, 2)", {}},
      {"Normalize({3, 4})", {0.6L, 0.8L}},
      {"Normalize({0, 0, -2})", {0, 0, -1}},
      {"SortVec({3, 1, 2})", {1, 2, 3}},
      {"SortVec({2, -1, 2, 0, -1})", {-1, -1, 0, 2, 2}},
  });
}

TEST_F(VectorRoutines, RefusalsAtTheCall) {
  ExpectRefusals({
      {"Cross({1,0}, {0,1})", "Length of the vectors must be 3 at [1:1] "},
      {"Cross({1,0,0}, {0,1,0,0})", "Length of the vectors must be 3 at [1:1] "},
      {"MakeVec(-1)", "Vector size must be non-negative at [1:1] "},
      {"MakeVec(2000000000)", "Not enough memory at [1:1] "},
      {"PartVec({5,6,7}, 0, 2)", "1st index [0] is out of range at [1:1] "},
      {"PartVec({5,6,7}, 4, 2)", "1st index [4] is out of range at [1:1] "},
      {"PartVec({5,6,7}, 1, 4)", "2nd index [4] is out of range at [1:1] "},
      {"PartVec({}, 1, 1)", "1st index [1] is out of range at [1:1] "},
      {"Normalize({0, 0})", "Vector has zero magnitude at [1:1] "},
      {"Normalize({1e-51, 0})", "Vector has zero magnitude at [1:1] "},
      {"SortVec({})", "Vector parameter must not be empty at [1:1] "},
  });
}

TEST_F(VectorRoutines, SizesBeyond32BitsAreRangeErrors) {
  EXPECT_THROW(Eval("MakeVec(4294967297)"), ERangeError);
  EXPECT_EQ(ErrorsOf("PartVec({1}, 4294967297, 1)"), "1st index [4294967297] is out of range at [1:1] ");
}

TEST_F(VectorRoutines, ArithmeticFaultsLeaveTheCall) {
  EXPECT_THROW(Eval("VecSum({1e4932, 1e4932})"), EOverflow);
  EXPECT_THROW(Eval("Magnitude({1e3000})"), EOverflow);
}

TEST(SortVector, SortsLikeTheStandardSort) {
  std::mt19937 random(1201);
  std::uniform_int_distribution<int> few(-5, 5);
  std::vector<std::vector<long double>> inputs = {{}, {1}, {2, 1}, {1, 1, 1, 1}};
  std::vector<long double> ascending(1000);
  for (std::size_t i = 0; i < ascending.size(); ++i) ascending[i] = static_cast<long double>(i);
  inputs.push_back(ascending);
  inputs.emplace_back(ascending.rbegin(), ascending.rend());
  std::vector<long double> organPipe = ascending;
  std::reverse(organPipe.begin() + 500, organPipe.end());
  inputs.push_back(organPipe);
  std::vector<long double> duplicates(5000);
  for (long double& x : duplicates) x = few(random);
  inputs.push_back(duplicates);
  for (std::vector<long double>& input : inputs) {
    std::vector<long double> expected = input;
    std::sort(expected.begin(), expected.end());
    SortVector(input);
    EXPECT_EQ(input, expected) << "input of " << input.size() << " elements";
  }
}

TEST_F(VectorRoutines, SeriesStatisticsOverAllLags) {
  ExpectVectors({
      {"Convolution({1, 2}, {1, 1, 1})", {1, 3, 3, 2}},
      {"Convolution({1, 1, 1}, {1, 2})", {1, 3, 3, 2}},
      {"Convolution({2}, {3})", {6}},
      {"AutoCovariance({1, 2, 3})", {2.0L / 3, 0, -1.0L / 3}},
      {"AutoCovariance({4})", {0}},
      {"AutoCorrelation({1, 2, 3})", {1, 0, -0.5L}},
      {"AutoCorrelation({5, 5, 5})", {1, 1, 1}},
      {"Covariance({1, 2, 3}, {2, 4, 6})", {4.0L / 3, 0, -2.0L / 3}},
      {"Covariance({1, 2, 3}, {3, 2, 1})", {-2.0L / 3, 0, 1.0L / 3}},
      {"Correlation({1, 2, 3}, {2, 4, 6})", {1, 0, -0.5L}},
      {"Correlation({1, 2, 3}, {3, 2, 1})", {-1, 0, 0.5L}},
  });
  ExpectRefusals({
      {"Convolution({}, {1})", "First vector is empty at [1:1] "},
      {"Convolution({1}, {})", "Second vector is empty at [1:1] "},
      {"AutoCovariance({})", "Vector parameter must not be empty at [1:1] "},
      {"AutoCorrelation({})", "Vector parameter must not be empty at [1:1] "},
      {"Covariance({}, {})", "1st parameter must not be empty at [1:1] "},
      {"Correlation({}, {1})", "1st parameter must not be empty at [1:1] "},
      {"Covariance({1, 2}, {1})", "1st and 2nd parameters must have the same size at [1:1] "},
      {"Correlation({1, 2}, {1, 2, 3})", "1st and 2nd parameters must have the same size at [1:1] "},
      {"Correlation({1, 1, 1}, {1, 2, 3})", "Zero variance encountered at [1:1] "},
      {"Correlation({1, 2, 3}, {7, 7, 7})", "Zero variance encountered at [1:1] "},
  });
}

// Whether a series varies is judged against the size of its values: tiny
// values with a real spread correlate like any other, while a constant
// series whose mean does not come out exact still counts as constant.
TEST_F(VectorRoutines, ZeroVarianceIsRelativeToTheValues) {
  ExpectVectors({
      {"AutoCorrelation({1e-9, 2e-9, 3e-9})", {1, 0, -0.5L}},
      {"Correlation({1e-9, 2e-9, 3e-9}, {1, 2, 3})", {1, 0, -0.5L}},
      {"AutoCorrelation({1e9 + 1, 1e9 + 2, 1e9 + 3})", {1, 0, -0.5L}},
      {"AutoCorrelation({0.1, 0.1, 0.1})", {1, 1, 1}},
      {"AutoCorrelation({1e-300, 1e-300})", {1, 1}},
  });
  ExpectRefusals({
      {"Correlation({0.1, 0.1, 0.1}, {1, 2, 3})", "Zero variance encountered at [1:1] "},
      {"Correlation({1, 2, 3}, {1e300, 1e300, 1e300})", "Zero variance encountered at [1:1] "},
  });
}
