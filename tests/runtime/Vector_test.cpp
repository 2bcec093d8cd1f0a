#include "runtime/Vector.h"

#include <gtest/gtest.h>

#include <limits>

#include "runtime/Exceptions.h"

namespace {

std::vector<long double> Elements(const IVector& v) {
  std::vector<long double> elements;
  for (std::int64_t i = 0; i < v.GetSize(); ++i) elements.push_back(v.GetItem(i));
  return elements;
}

CountedPtr<IVector> VectorOf(std::initializer_list<long double> elements) {
  CountedPtr<IVector> v = MakeCounted<TVector>(0);
  for (long double x : elements) v->Append(x);
  return v;
}

using Reals = std::vector<long double>;

}  // namespace

TEST(Vector, SizeChangesKeepElementsAndZeroNewOnes) {
  CountedPtr<IVector> v = MakeCounted<TVector>(3);
  EXPECT_EQ(Elements(*v), (Reals{0, 0, 0}));
  v->SetItem(1, 2.5L);
  v->SetSize(5);
  EXPECT_EQ(Elements(*v), (Reals{0, 2.5L, 0, 0, 0}));
  v->SetSize(-1);
  EXPECT_EQ(v->GetSize(), 5) << "a negative size changes nothing";
  v->SetSize(2);
  EXPECT_EQ(Elements(*v), (Reals{0, 2.5L}));
  v->SetSize(4);
  EXPECT_EQ(Elements(*v), (Reals{0, 2.5L, 0, 0})) << "regrown elements are zero again";
  EXPECT_EQ(MakeCounted<TVector>(-4)->GetSize(), 0);
}

// The storage grows by doubling; every appended element stays in its place.
TEST(Vector, ManyAppendsKeepEveryElement) {
  CountedPtr<IVector> v = MakeCounted<TVector>(3);
  for (int i = 0; i < 1000; ++i) v->Append(i * 0.5L);
  ASSERT_EQ(1003, v->GetSize());
  EXPECT_EQ(0, v->GetItem(2));
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(i * 0.5L, v->GetItem(3 + i)) << i;
  v->SetSize(2);
  v->Append(9);
  EXPECT_EQ(Elements(*v), (Reals{0, 0, 9}));
}

TEST(Vector, AppendFillAndAssign) {
  CountedPtr<IVector> v = MakeCounted<TVector>(0);
  v->Append(7);
  EXPECT_EQ(Elements(*v), (Reals{7}));
  v->Append(8);
  v->Fill(-1.25L);
  EXPECT_EQ(Elements(*v), (Reals{-1.25L, -1.25L}));

  CountedPtr<IVector> copy = MakeCounted<TVector>(5);
  copy->Assign(*VectorOf({1, 2, 3}));
  EXPECT_EQ(Elements(*copy), (Reals{1, 2, 3}));
  copy->Assign(*copy);
  EXPECT_EQ(Elements(*copy), (Reals{1, 2, 3}));
  copy->Assign(*MakeCounted<TVector>(0));
  EXPECT_EQ(copy->GetSize(), 0);
}

TEST(Vector, ElementsKeepAllSixtyFourBits) {
  const long double fine = 1.0L + std::numeric_limits<long double>::epsilon();
  CountedPtr<IVector> v = VectorOf({fine});
  EXPECT_EQ(v->GetItem(0), fine);
  EXPECT_NE(v->GetItem(0), 1.0L);
}

TEST(Vector, IndicesOutsideTheVectorAreRefused) {
  CountedPtr<IVector> v = MakeCounted<TVector>(2);
  for (std::int64_t i : {std::int64_t(-1), std::int64_t(2), std::numeric_limits<std::int64_t>::max(),
                         std::numeric_limits<std::int64_t>::min()}) {
    EXPECT_THROW(v->GetItem(i), EAssertionFailed) << "index " << i;
    EXPECT_THROW(v->SetItem(i, 1), EAssertionFailed) << "index " << i;
  }
}

TEST(Vector, Magnitude) {
  EXPECT_EQ(VectorOf({3, 4})->Magnitude(), 5);
  EXPECT_EQ(MakeCounted<TVector>(0)->Magnitude(), 0);
  EXPECT_EQ(VectorOf({-2})->Magnitude(), 2);
  EXPECT_EQ(VectorOf({1e-4000L, 0})->Magnitude(), 0) << "underflow is silent";
  EXPECT_THROW(VectorOf({1e3000L, 1})->Magnitude(), EOverflow);
  EXPECT_EQ(VectorOf({std::numeric_limits<long double>::infinity(), 1})->Magnitude(),
            std::numeric_limits<long double>::infinity());
}

TEST(Vector, EqualsComparesExactlyAndNeedsEqualSizes) {
  EXPECT_TRUE(VectorOf({1, 2})->Equals(*VectorOf({1, 2})));
  EXPECT_FALSE(VectorOf({1, 2})->Equals(*VectorOf({1, 2.0000000001L})));
  EXPECT_TRUE(MakeCounted<TVector>(0)->Equals(*MakeCounted<TVector>(0)));
  try {
    VectorOf({1, 2})->Equals(*VectorOf({1, 2, 3}));
    ADD_FAILURE() << "vectors of different sizes compared";
  } catch (const EAssertionFailed& failure) {
    EXPECT_EQ(std::string(failure.what()).rfind("Incompatible size of vectors (Vector.cpp, line ", 0), 0u)
        << failure.what();
  }
}

TEST(Vector, AnImpossibleSizeIsRefusedAndTheVectorKept) {
  CountedPtr<IVector> v = VectorOf({1, 2});
  try {
    v->SetSize(std::numeric_limits<std::int64_t>::max());
    ADD_FAILURE() << "an impossible size was accepted";
  } catch (const EAssertionFailed& failure) {
    EXPECT_EQ(std::string(failure.what()).rfind("Not enough memory (", 0), 0u) << failure.what();
  }
  EXPECT_EQ(Elements(*v), (Reals{1, 2}));
}

TEST(Vector, ErrorTexts) {
  const std::vector<std::pair<int, std::string>> cases = {
      {1, "Not enough memory"},
      {2, "Incompatible size of vectors"},
      {3, "Zero magnitude"},
      {4, "Cross defined only for vector size of 3"},
      {5, "Rewrite your equations as a set of order N-1"},
      {0, "Unknown error"},
      {6, "Unknown error"}};
  for (const auto& [code, text] : cases) EXPECT_EQ(VectorErrorText(code), text) << "code " << code;
}

TEST(Vector, CountingStartsAtZeroAndFollowsTheHolders) {
  IVector* raw = new TVector(1);
  EXPECT_EQ(raw->RefCount(), 0);
  {
    CountedPtr<IVector> first(raw);
    CountedPtr<IVector> second = first;
    EXPECT_EQ(raw->RefCount(), 2);
  }
}
