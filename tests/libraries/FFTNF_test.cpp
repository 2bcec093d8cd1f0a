#include "libraries/FFTNF.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string>

#include "tests/libraries/ArrayEngine.h"

namespace {

using FFT = ArrayEngine;

std::string VectorText(const TReals& v) {
  std::string text = "{";
  for (long double x : v) text += (text.size() > 1 ? ", " : "") + std::to_string(static_cast<double>(x));
  return text + "}";
}

void ExpectVectorNear(const TReals& actual, const TReals& expected, const std::string& text, long double tolerance) {
  ASSERT_EQ(actual.size(), expected.size()) << text;
  for (std::size_t i = 0; i < actual.size(); ++i)
    EXPECT_LE(std::fabs(actual[i] - expected[i]), tolerance) << text << " [" << i << "]";
}

// The transform by its definition, X_k = sum x_j e^(sign 2 pi i jk/m).
TReals Dft(const TReals& v, int sign) {
  using TComplex = std::complex<long double>;
  const std::size_t m = v.size() / 2;
  TReals out(v.size());
  for (std::size_t k = 0; k < m; ++k) {
    TComplex sum = 0;
    for (std::size_t j = 0; j < m; ++j)
      sum += TComplex(v[2 * j], v[2 * j + 1]) *
             std::polar(1.0L, sign * 2 * std::numbers::pi_v<long double> * static_cast<long double>(j * k % m) / m);
    out[2 * k] = sum.real();
    out[2 * k + 1] = sum.imag();
  }
  return out;
}

// Reals of a fixed pseudo-random sequence.
TReals Sample(std::size_t n) {
  TReals v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = std::sin(1.7L * static_cast<long double>(i * i) + 0.3L);
  return v;
}

}  // namespace

TEST_F(FFT, TransformsWithThePositiveExponent) {
  const struct {
    const char* Line;
    TReals Expected;
  } cases[] = {
      {"FFT({1, 0, 0, 0, 0, 0, 0, 0})", {1, 0, 1, 0, 1, 0, 1, 0}},
      {"FFT({0, 0, 1, 0, 0, 0, 0, 0})", {1, 0, 0, 1, -1, 0, 0, -1}},
      {"InverseFFT({0, 0, 1, 0, 0, 0, 0, 0})", {0.25L, 0, 0, -0.25L, -0.25L, 0, 0, 0.25L}},
      // Three complex values padded to four.
      {"FFT({1, 0, 1, 0, 1, 0})", {3, 0, 0, 1, 1, 0, 0, -1}},
      {"FFT({2, -1})", {2, -1}},
  };
  for (const auto& c : cases) ExpectVectorNear(VectorOf(c.Line), c.Expected, c.Line, 1e-18L);
}

TEST_F(FFT, AgreesWithTheDefinition) {
  const std::string text = VectorText(Sample(64));
  const TReals v = VectorOf(text);
  ExpectVectorNear(VectorOf("FFT(" + text + ")"), Dft(v, 1), "FFT", 1e-15L);
  const TReals inverse = Dft(v, -1);
  TReals scaled(inverse.size());
  for (std::size_t i = 0; i < inverse.size(); ++i) scaled[i] = inverse[i] / 32;
  ExpectVectorNear(VectorOf("InverseFFT(" + text + ")"), scaled, "InverseFFT", 1e-16L);
}

TEST_F(FFT, TheInverseUndoesTheTransform) {
  for (std::size_t n = 2; n <= 512; n *= 2) {
    const std::string text = VectorText(Sample(n));
    const TReals original = VectorOf(text);
    ExpectVectorNear(VectorOf("InverseFFT(FFT(" + text + "))"), original, text, 1e-16L);
  }
}

TEST_F(FFT, RefusesDataWithoutWholeComplexValues) {
  EXPECT_EQ(ErrorsOf("FFT({1})"), "Vector size must be even at [1:1] ");
  EXPECT_EQ(ErrorsOf("InverseFFT({1, 2, 3})"), "Vector size must be even at [1:1] ");
  EXPECT_EQ(ErrorsOf("FFT({})"), "Empty data at [1:1] ");
}

TEST_F(FFT, NextPowerOfTwo) {
  const std::int32_t cases[][2] = {{1, 1}, {2, 2}, {3, 4}, {5, 8}, {1024, 1024}, {1025, 2048}, {(1 << 30) - 1, 1 << 30}};
  for (const auto& c : cases) EXPECT_EQ(TFFTNF::NextPowerOfTwo(c[0]), c[1]) << c[0];
}
