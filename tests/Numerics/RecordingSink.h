#pragma once
// A message sink that keeps every line, installed for the life of a test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/MessageChannel.h"

struct TSinkLine {
  std::string Text;
  std::uint8_t Kind;
  int Level;
  bool operator==(const TSinkLine&) const = default;
};

inline void PrintTo(const TSinkLine& line, std::ostream* out) {
  *out << '"' << line.Text << "\" kind " << int(line.Kind) << " level " << line.Level;
}

class TRecordingSink : public IXConsBase {
public:
  void Write(const std::string& text, std::uint8_t kind, int level) override { Lines.push_back({text, kind, level}); }
  void ExpandToLevel(int) override {}
  void Clear() override { Lines.clear(); }

  std::vector<TSinkLine> Lines;
};

class RecordingSinkTest : public ::testing::Test {
protected:
  void SetUp() override { SetMessageSink(sink); }
  void TearDown() override { SetMessageSink(nullptr); }

  const std::vector<TSinkLine>& Lines() const { return sink->Lines; }

  CountedPtr<TRecordingSink> sink = MakeCounted<TRecordingSink>();
};
