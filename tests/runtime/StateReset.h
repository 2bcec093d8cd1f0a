#pragma once
// Test programs start each test from the process-wide state a fresh
// process has, so that no test depends on the ones before it: their main
// installs this listener with the resets of the layers they use.

#include <gtest/gtest.h>

template <void (*... Resets)()>
class TStateReset final : public testing::EmptyTestEventListener {
public:
  void OnTestStart(const testing::TestInfo&) override { (Resets(), ...); }
};

template <void (*... Resets)()>
void ResetStateBeforeEachTest() {
  testing::UnitTest::GetInstance()->listeners().Append(new TStateReset<Resets...>);
}
