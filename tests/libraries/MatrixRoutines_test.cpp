#include "libraries/MatrixRoutines.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/Exceptions.h"
#include "tests/libraries/ArrayEngine.h"

namespace {

struct TMatrixCase {
  const char* Line;
  TRows Expected;
};

}  // namespace

// M is 3 x 3 with the elements 1 .. 9 row by row, R has rows of unequal
// length and E has no rows.
class MatrixRoutines : public ArrayEngine {
protected:
  MatrixRoutines() {
    Eval("M := {{1,2,3},{4,5,6},{7,8,9}}");
    Eval("R := {{1,2},{3}}");
    Eval("E := MatZero(1)");
    Eval("DelRow(E, 1)");
  }

  void ExpectMatrices(std::initializer_list<TMatrixCase> cases) {
    for (const TMatrixCase& c : cases) EXPECT_EQ(MatrixOf(c.Line), c.Expected) << c.Line;
  }
};

TEST_F(MatrixRoutines, Reductions) {
  EXPECT_EQ(RealOf("Trace(M)"), 15);
  EXPECT_EQ(RealOf("Trace({{1,2,3},{4,5,6}})"), 6);
  EXPECT_EQ(RealOf("Trace({{1,2},{3,4},{5,6}})"), 5);
  EXPECT_EQ(RealOf("MinMat({{3,-1},{7,-1}})"), -1);
  EXPECT_EQ(RealOf("MaxMat({{3,-1},{7,2}})"), 7);
  ExpectRefusals({
      {"Trace({{}})", "Empty matrix at [1:1] "},
      {"Trace(E)", "Empty matrix at [1:1] "},
      {"MinMat(E)", "Matrix has no rows at [1:1] "},
      {"MaxMat({{}})", "Matrix has no columns at [1:1] "},
  });
}

TEST_F(MatrixRoutines, IdentityAndZeroMatrices) {
  ExpectMatrices({
      {"MatIdentity(2)", {{1, 0}, {0, 1}}},
      {"MatIdentity(2, 3)", {{1, 0, 0}, {0, 1, 0}}},
      {"MatIdentity(3, 1)", {{1}, {0}, {0}}},
      {"MatZero(2, 0)", {{0, 0}, {0, 0}}},
      {"MatZero(1, 3)", {{0, 0, 0}}},
  });
  ExpectRefusals({
      {"MatZero(0)", "Non-positive matrix size at [1:1] "},
      {"MatZero(100000)", "Not enough memory at [1:1] "},
      {"MatIdentity(2000000000, 2)", "Not enough memory at [1:1] "},
      {"MatIdentity(-2, 3)", "Non-positive matrix size at [1:1] "},
  });
  EXPECT_THROW(Eval("MatZero(4294967297)"), ERangeError);
  EXPECT_THROW(Eval("MatZero(1, 4294967297)"), ERangeError);
}

TEST_F(MatrixRoutines, TransposeAndParts) {
  ExpectMatrices({
      {"Transpose({{1,2,3},{4,5,6}})", {{1, 4}, {2, 5}, {3, 6}}},
      {"Transpose(E)", {}},
      {"Transpose({{}})", {}},
      {"PartMat(M, 2, 3, 2, 3)", {{5, 6}, {8, 9}}},
      {"PartMat(M, 1, 3, 3, 3)", {{3}, {6}, {9}}},
      {"PartMat(M, 2, 1, 1, 1)", {}},
      {"PartMat(M, 1, 2, 3, 2)", {{}, {}}},
      {"PartMat(E, 5, 7, 9, 9)", {}},
  });
  // Only the row bounds' messages carry the library.
  ExpectRefusals({
      {"PartMat(M, 0, 1, 1, 1)", "1st raw index [0] is out of range in \"Math\" at [1:1] "},
      {"PartMat(M, 1, 4, 1, 1)", "2nd raw index [4] is out of range in \"Math\" at [1:1] "},
      {"PartMat(M, 1, 1, 0, 1)", "1st column index [0] is out of range at [1:1] "},
      {"PartMat(M, 1, 1, 1, 4)", "2nd column index [4] is out of range at [1:1] "},
  });
}

TEST_F(MatrixRoutines, ColumnsAndDeletions) {
  EXPECT_EQ(VectorOf("Column(M, 2)"), (TReals{2, 5, 8}));
  ExpectRefusals({
      {"Column(M, 4)", "Index [4] is out of range [1..3] at [1:1] "},
      {"Column(M, 0)", "Index [0] is out of range [1..3] at [1:1] "},
      {"DelCol(M, 4)", "Index [4] is out of range [1..3] at [1:1] "},
      {"DelCol(M, 1, 4)", "Index [4] is out of range [1..3] at [1:1] "},
      {"DelCol(M, 3, 2)", "Invalid column range specified [3..2] at [1:1] "},
      {"DelRow(M, 0)", "Index [0] is out of range [1..3] at [1:1] "},
      {"DelRow(M, 3, 2)", "Invalid row range specified [3..2] at [1:1] "},
  });
  ExpectMatrices({{"M", {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}}});
  Eval("DelCol(M, 2)");
  ExpectMatrices({{"M", {{1, 3}, {4, 6}, {7, 9}}}});
  Eval("DelRow(M, 1, 2)");
  ExpectMatrices({{"M", {{7, 9}}}});
  Eval("DelCol(M, 1, 2)");
  ExpectMatrices({{"M", {{}}}});
  Eval("DelRow(M, 1, -1)");
  ExpectMatrices({{"M", {}}});
}

// Rows of unequal length are legal values; the routines that read columns
// by the count of row 1 refuse them instead of reading past a row's end.
TEST_F(MatrixRoutines, RowsOfUnequalLengthAreRefused) {
  const char* const error = "Matrix rows must have the same length at [1:1] ";
  ExpectRefusals({
      {"Trace(R)", error},
      {"MinMat(R)", error},
      {"MaxMat({{1},{2,3}})", error},
      {"Transpose(R)", error},
      {"PartMat(R, 1, 2, 1, 1)", error},
      {"Column(R, 2)", error},
      {"DelCol(R, 1)", error},
  });
  ExpectMatrices({{"R", {{1, 2}, {3}}}});
  Eval("DelRow(R, 1)");
  ExpectMatrices({{"R", {{3}}}});
}
