// Long built-ins test the abort flag as they go: with an abort pending,
// each ends with EAborted (as an aborted run ends) instead of finishing.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "Numerics/NXEigen.h"
#include "Numerics/NXMatrix.h"
#include "Numerics/NXVector.h"
#include "engine/RunFlags.h"
#include "libraries/FFTNF.h"
#include "libraries/VectorRoutines.h"
#include "runtime/Exceptions.h"

namespace {

class AbortChecks : public ::testing::Test {
protected:
  ~AbortChecks() override { AbortFlag = false; }

  // A square matrix of order n with entries from a fixed sequence.
  static TNMatrix Square(std::int32_t n, bool symmetric) {
    TNMatrix m;
    EXPECT_TRUE(m.SetSize(n, n));
    std::uint32_t seed = 7;
    for (std::int32_t i = 1; i <= n; ++i)
      for (std::int32_t j = 1; j <= n; ++j) {
        seed = seed * 1664525u + 1013904223u;
        m.SetItem(i, j, symmetric && j < i ? m.GetItem(j, i) : static_cast<long double>(seed >> 8) / (1u << 24));
      }
    return m;
  }
};

TEST_F(AbortChecks, LongBuiltInsStopWhenAnAbortIsPending) {
  const struct {
    const char* Name;
    std::function<void()> Work;
  } cases[] = {
      {"SortVector", [] {
         std::vector<long double> v(200000, 1.0L);
         SortVector(v);
       }},
      {"FFT", [] {
         std::vector<long double> data(1 << 16, 1.0L);
         TFFTNF::Transform(data, 1 << 15, 1);
       }},
      {"EigenValues of a symmetric matrix", [] {
         TNMatrix a = Square(40, true);
         TNVector rv, iv;
         EigenValues(a, rv, iv);
       }},
      {"EigenValues of another matrix", [] {
         TNMatrix a = Square(40, false);
         TNVector rv, iv;
         EigenValues(a, rv, iv);
       }},
  };
  for (const auto& c : cases) {
    AbortFlag = false;
    EXPECT_NO_THROW(c.Work()) << c.Name;
    AbortFlag = true;
    EXPECT_THROW(c.Work(), EAborted) << c.Name;
  }
}

}  // namespace
