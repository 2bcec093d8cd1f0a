#pragma once
// The engine tests' recording message sink, installed for the life of a test.

#include <gtest/gtest.h>

#include <vector>

#include "engine/MessageChannel.h"
#include "tests/engine/KindsFixture.h"

class RecordingSinkTest : public ::testing::Test {
protected:
  void SetUp() override { SetMessageSink(sink); }
  void TearDown() override { SetMessageSink(nullptr); }

  const std::vector<TLine>& Lines() const { return sink->Lines; }

  CountedPtr<TRecordingSink> sink = MakeCounted<TRecordingSink>();
};
