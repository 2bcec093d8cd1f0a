#include "Numerics/Matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "RecordingSink.h"
#include "runtime/Exceptions.h"

namespace {

using Table = std::vector<std::vector<long double>>;

Table TableOf(const IMatrix& m) {
  Table rows(m.GetRows(), std::vector<long double>(m.GetCols()));
  for (std::int32_t r = 0; r < m.GetRows(); ++r)
    for (std::int32_t c = 0; c < m.GetCols(); ++c) rows[r][c] = m.GetItem(r, c);
  return rows;
}

CountedPtr<IMatrix> MatrixFrom(const Table& rows) {
  const auto cols = static_cast<std::int32_t>(rows.empty() ? 0 : rows[0].size());
  CountedPtr<IMatrix> m = MakeCounted<TMatrix>(static_cast<std::int32_t>(rows.size()), cols);
  for (std::int32_t r = 0; r < m->GetRows(); ++r)
    for (std::int32_t c = 0; c < cols; ++c) m->SetItem(r, c, rows[r][c]);
  return m;
}

constexpr std::int32_t MaxInt32 = std::numeric_limits<std::int32_t>::max();

class MatrixTest : public RecordingSinkTest {
protected:
  void SetUp() override {
    RecordingSinkTest::SetUp();
    MatrixErrorCode = 0;
  }
};

}  // namespace

TEST_F(MatrixTest, AnEmptyMatrixHasTraceZeroAndIsSymmetric) {
  CountedPtr<IMatrix> empty = MakeCounted<TMatrix>(0, 0);
  EXPECT_EQ(empty->GetRows(), 0);
  EXPECT_EQ(empty->GetCols(), 0);
  EXPECT_EQ(empty->Trace(), 0);
  EXPECT_TRUE(empty->IsSymmetric());
  EXPECT_TRUE(empty->Equals(*MakeCounted<TMatrix>()));
  EXPECT_TRUE(Lines().empty());
}

TEST_F(MatrixTest, CreateGivesZeros) {
  EXPECT_EQ(TableOf(*MakeCounted<TMatrix>(2, 3)), (Table{{0, 0, 0}, {0, 0, 0}}));
  EXPECT_EQ(TableOf(*MakeCounted<TMatrix>(0, 4)).size(), 0u);
}

TEST_F(MatrixTest, SetSizeKeepsValuesOnlyOnTheSameShape) {
  CountedPtr<IMatrix> m = MatrixFrom({{1, 2, 3}, {4, 5, 6}});
  ASSERT_TRUE(m->SetSize(2, 3));
  EXPECT_EQ(TableOf(*m), (Table{{1, 2, 3}, {4, 5, 6}}));

  const struct {
    std::int32_t Rows, Cols;
  } otherShapes[] = {{2, 4}, {3, 3}, {3, 2}, {1, 3}, {0, 0}};
  for (const auto& shape : otherShapes) {
    m = MatrixFrom({{1, 2, 3}, {4, 5, 6}});
    ASSERT_TRUE(m->SetSize(shape.Rows, shape.Cols));
    EXPECT_EQ(TableOf(*m), Table(shape.Rows, std::vector<long double>(shape.Cols, 0)))
        << shape.Rows << " x " << shape.Cols << " must be all zeros";
  }
}

TEST_F(MatrixTest, ResizeKeepsTheOverlap) {
  CountedPtr<IMatrix> m = MatrixFrom({{1, 2, 3}, {4, 5, 6}});
  ASSERT_TRUE(m->Resize(3, 2));
  EXPECT_EQ(TableOf(*m), (Table{{1, 2}, {4, 5}, {0, 0}}));
  ASSERT_TRUE(m->Resize(3, 2));
  EXPECT_EQ(TableOf(*m), (Table{{1, 2}, {4, 5}, {0, 0}}));
  ASSERT_TRUE(m->Resize(1, 4));
  EXPECT_EQ(TableOf(*m), (Table{{1, 2, 0, 0}}));
  ASSERT_TRUE(m->Resize(0, 4));
  ASSERT_TRUE(m->Resize(2, 2));
  EXPECT_EQ(TableOf(*m), (Table{{0, 0}, {0, 0}}));
}

TEST_F(MatrixTest, FillAndIdentityKeepTheShape) {
  CountedPtr<IMatrix> m = MakeCounted<TMatrix>(2, 3);
  m->Fill(-2.5L);
  EXPECT_EQ(TableOf(*m), (Table{{-2.5L, -2.5L, -2.5L}, {-2.5L, -2.5L, -2.5L}}));
  m->SetIdentity();
  EXPECT_EQ(TableOf(*m), (Table{{1, 0, 0}, {0, 1, 0}}));
  m = MatrixFrom({{7, 7}, {7, 7}, {7, 7}});
  m->SetIdentity();
  EXPECT_EQ(TableOf(*m), (Table{{1, 0}, {0, 1}, {0, 0}}));
}

TEST_F(MatrixTest, AssignTakesShapeAndElements) {
  CountedPtr<IMatrix> target = MakeCounted<TMatrix>(4, 1);
  ASSERT_TRUE(target->Assign(*MatrixFrom({{1, 2, 3}, {4, 5, 6}})));
  EXPECT_EQ(TableOf(*target), (Table{{1, 2, 3}, {4, 5, 6}}));
  ASSERT_TRUE(target->Assign(*target));
  EXPECT_EQ(TableOf(*target), (Table{{1, 2, 3}, {4, 5, 6}}));
  ASSERT_TRUE(target->Assign(*MakeCounted<TMatrix>()));
  EXPECT_EQ(target->GetRows(), 0);
}

TEST_F(MatrixTest, TraceAddsTheLeadingDiagonal) {
  EXPECT_EQ(MatrixFrom({{1, 10}, {100, 2}, {1000, 10000}})->Trace(), 3) << "3 x 2 adds (0,0) and (1,1)";
  EXPECT_EQ(MatrixFrom({{1, 10, 100}, {1000, 2, 10000}})->Trace(), 3);
  const long double big = std::numeric_limits<long double>::max();
  EXPECT_THROW(MatrixFrom({{big, 0}, {0, big}})->Trace(), EOverflow);
}

TEST_F(MatrixTest, EqualsComparesExactly) {
  const long double fine = 1.0L + std::numeric_limits<long double>::epsilon();
  EXPECT_TRUE(MatrixFrom({{1, 2}, {3, fine}})->Equals(*MatrixFrom({{1, 2}, {3, fine}})));
  EXPECT_FALSE(MatrixFrom({{1, 2}, {3, fine}})->Equals(*MatrixFrom({{1, 2}, {3, 1}})));
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(MatrixErrorCode, 0);
}

TEST_F(MatrixTest, EqualsOfOtherShapesReportsAnError) {
  EXPECT_FALSE(MakeCounted<TMatrix>(2, 2)->Equals(*MakeCounted<TMatrix>(2, 3)));
  EXPECT_EQ(Lines(), (std::vector<TLine>{{"Incompatible size of matrices", lkError, 0}}));
  EXPECT_EQ(GetLastErrorPos(), NoPosition);
  EXPECT_EQ(MatrixErrorCode, MatrixSizeMismatch);
}

TEST_F(MatrixTest, IsSymmetricComparesExactly) {
  EXPECT_TRUE(MatrixFrom({{1, 2, 3}, {2, 5, 6}, {3, 6, 9}})->IsSymmetric());
  const long double lastBit = std::nextafter(2.0L, 3.0L);
  EXPECT_FALSE(MatrixFrom({{1, 2}, {lastBit, 5}})->IsSymmetric());
  EXPECT_FALSE(MakeCounted<TMatrix>(2, 3)->IsSymmetric());
  EXPECT_TRUE(MatrixFrom({{4}})->IsSymmetric());
}

TEST_F(MatrixTest, IndicesOutsideTheCountsAreRangeErrors) {
  CountedPtr<IMatrix> m = MakeCounted<TMatrix>(2, 3);
  const struct {
    std::int32_t Row, Col;
  } outside[] = {{-1, 0}, {0, -1}, {2, 0}, {0, 3}, {MaxInt32, 0}, {0, std::numeric_limits<std::int32_t>::min()}};
  for (const auto& index : outside) {
    EXPECT_THROW(m->GetItem(index.Row, index.Col), ERangeError) << index.Row << ", " << index.Col;
    EXPECT_THROW(m->SetItem(index.Row, index.Col, 1), ERangeError) << index.Row << ", " << index.Col;
  }
  EXPECT_THROW(MakeCounted<TMatrix>(0, 0)->GetItem(0, 0), ERangeError);
}

// The caller learns of it and reports "Not enough memory" itself; the matrix
// keeps a shape that matches its storage.
TEST_F(MatrixTest, StorageThatCannotBeHadLeavesTheMatrixAsItWas) {
  CountedPtr<IMatrix> m = MatrixFrom({{1, 2}, {3, 4}});
  EXPECT_FALSE(m->SetSize(MaxInt32, MaxInt32));
  EXPECT_FALSE(m->Resize(MaxInt32, MaxInt32));
  EXPECT_EQ(TableOf(*m), (Table{{1, 2}, {3, 4}}));
  EXPECT_TRUE(Lines().empty());
  try {
    MakeCounted<TMatrix>(MaxInt32, MaxInt32);
    ADD_FAILURE() << "an impossible matrix was made";
  } catch (const EAssertionFailed& failure) {
    EXPECT_EQ(std::string(failure.what()).rfind("Not enough memory (Matrix.cpp, line ", 0), 0u) << failure.what();
  }
}

TEST_F(MatrixTest, NegativeCountsAreRangeErrors) {
  CountedPtr<IMatrix> m = MatrixFrom({{1, 2}});
  EXPECT_THROW((void)m->SetSize(-1, 2), ERangeError);
  EXPECT_THROW((void)m->Resize(1, -2), ERangeError);
  EXPECT_EQ(TableOf(*m), (Table{{1, 2}}));
}

TEST_F(MatrixTest, ErrorTexts) {
  const std::vector<std::pair<std::uint8_t, std::string>> cases = {
      {1, "Not enough memory"},
      {2, "Incompatible size of matrices"},
      {3, "Non-square matrix"},
      {4, "Singular matrix"},
      {5, "Incompatible size of the index array"},
      {6, "Incompatible size of the vector"},
      {7, "No convergence"},
      {0, "No known errors"},
      {8, "No known errors"},
      {255, "No known errors"}};
  for (const auto& [code, text] : cases) EXPECT_EQ(MatrixErrorText(code), text) << "code " << int(code);
}

TEST_F(MatrixTest, MatrixErrorRecordsTheCodeAndWritesABareErrorLine) {
  MatrixError(4);
  EXPECT_EQ(MatrixErrorCode, 4);
  EXPECT_EQ(Lines(), (std::vector<TLine>{{"Singular matrix", lkError, 0}}));
  EXPECT_EQ(GetLastErrorText(), "Singular matrix");
  EXPECT_EQ(GetLastErrorLib(), "");
}
