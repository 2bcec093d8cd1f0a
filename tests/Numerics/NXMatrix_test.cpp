#include "Numerics/NXMatrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "Numerics/NXVector.h"
#include "runtime/Exceptions.h"
#include "runtime/Vector.h"

#include "NumericRows.h"

namespace {

constexpr std::int32_t MaxCount = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t MinCount = std::numeric_limits<std::int32_t>::min();

}  // namespace

TEST(NXVector, CountsFromOneAndGrowsWithZeros) {
  TNVector v(3);
  EXPECT_EQ(Elements(v), (Reals{0, 0, 0}));
  v.SetItem(1, 1.5L);
  v.SetItem(3, -2);
  EXPECT_EQ(v.Data()[0], 1.5L) << "element 1 is the first of the array";
  v.SetSize(-1);
  EXPECT_EQ(v.GetSize(), 3) << "a negative size changes nothing";
  v.SetSize(5);
  EXPECT_EQ(Elements(v), (Reals{1.5L, 0, -2, 0, 0}));
  v.SetSize(2);
  v.Fill(7);
  EXPECT_EQ(Elements(v), (Reals{7, 7}));
  EXPECT_EQ(TNVector(-3).GetSize(), 0);
}

TEST(NXVector, IndicesOutsideOneToSizeAreRangeErrors) {
  TNVector v(2);
  for (std::int32_t i : {0, 3, -1, MaxCount, MinCount}) {
    EXPECT_THROW(v.GetItem(i), ERangeError) << "index " << i;
    EXPECT_THROW(v.SetItem(i, 1), ERangeError) << "index " << i;
  }
}

TEST(NXVector, MessageTableIsTheVectorTable) {
  for (int code = 0; code <= 255; ++code)
    EXPECT_EQ(NXErrorText(static_cast<std::uint8_t>(code)), VectorErrorText(code)) << "code " << code;
  EXPECT_EQ(NXErrorText(1), "Not enough memory");
}

TEST(NXMatrix, CountsFromOneOverRowMajorStorage) {
  TNMatrix m(2, 3);
  EXPECT_EQ(Elements(m), (Rows{{0, 0, 0}, {0, 0, 0}}));
  m.SetItem(2, 1, 4);
  m.SetItem(1, 3, 9);
  EXPECT_EQ(m.Data()[3], 4) << "(2,1) follows the three elements of row 1";
  EXPECT_EQ(m.Data()[2], 9);
  m.SetIdentity();
  EXPECT_EQ(Elements(m), (Rows{{1, 0, 0}, {0, 1, 0}}));
}

TEST(NXMatrix, SetSizeKeepsValuesOnlyOnTheSameShape) {
  TNMatrix m = MatrixOf({{1, 2}, {3, 4}});
  ASSERT_TRUE(m.SetSize(2, 2));
  EXPECT_EQ(Elements(m), (Rows{{1, 2}, {3, 4}}));
  ASSERT_TRUE(m.SetSize(2, 1));
  EXPECT_EQ(Elements(m), (Rows{{0}, {0}}));
}

TEST(NXMatrix, IndicesOutsideTheCountsAreRangeErrors) {
  TNMatrix m(2, 3);
  const struct {
    std::int32_t I, J;
  } outside[] = {{0, 1}, {1, 0}, {3, 1}, {1, 4}, {MinCount, 1}, {1, MaxCount}};
  for (const auto& index : outside) {
    EXPECT_THROW(m.GetItem(index.I, index.J), ERangeError) << index.I << ", " << index.J;
    EXPECT_THROW(m.SetItem(index.I, index.J, 1), ERangeError) << index.I << ", " << index.J;
  }
}

TEST(NXMatrix, StorageThatCannotBeHadIsAFailureTheCallerSees) {
  SetNXError(0);
  TNMatrix m = MatrixOf({{1, 2}, {3, 4}});
  EXPECT_FALSE(m.SetSize(MaxCount, MaxCount));
  EXPECT_EQ(NXErrorCode, 1);
  EXPECT_EQ(Elements(m), (Rows{{1, 2}, {3, 4}}));
  EXPECT_THROW(TNMatrix(MaxCount, MaxCount), EAssertionFailed);
  EXPECT_THROW((void)m.SetSize(-1, 1), ERangeError);
}

TEST(NXMatrix, SymmetryIsExact) {
  EXPECT_TRUE(IsSymmetricMatrix(MatrixOf({{1, 2}, {2, 1}})));
  EXPECT_FALSE(IsSymmetricMatrix(MatrixOf({{1, 2}, {std::nextafter(2.0L, 0.0L), 1}})));
  EXPECT_FALSE(IsSymmetricMatrix(MatrixOf({{1, 0, 0}, {0, 1, 0}})));
  EXPECT_TRUE(IsSymmetricMatrix(TNMatrix()));
}
