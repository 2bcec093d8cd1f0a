#include "runtime/CountedPtr.h"

#include <gtest/gtest.h>

namespace {

struct Probe : TCounted {
  explicit Probe(int* destroyed) : destroyed(destroyed) {}
  ~Probe() override { ++*destroyed; }
  int* destroyed;
};

}  // namespace

TEST(CountedPtr, FreesAtLastRelease) {
  int destroyed = 0;
  {
    CountedPtr<Probe> first = MakeCounted<Probe>(&destroyed);
    {
      CountedPtr<Probe> second = first;
      EXPECT_EQ(first->RefCount(), 2);
    }
    EXPECT_EQ(destroyed, 0);
    CountedPtr<Probe> rewrapped(first.get());  // a raw pointer becomes a new reference
    first = nullptr;
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
}
