#include "engine/MessageChannel.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/Lib.h"

namespace {

struct TSentLine {
  std::string Text;
  std::uint8_t Kind;
  int Level;
  bool operator==(const TSentLine&) const = default;
};

class TRecordingSink : public IXConsBase {
public:
  void Write(const std::string& text, std::uint8_t kind, int level) override { Lines.push_back({text, kind, level}); }
  void ExpandToLevel(int level) override { Expanded.push_back(level); }
  void Clear() override { Lines.clear(); }

  std::vector<TSentLine> Lines;
  std::vector<int> Expanded;
};

class MessageChannelTest : public ::testing::Test {
protected:
  void SetUp() override { SetMessageSink(sink); }
  void TearDown() override { SetMessageSink(nullptr); }

  CountedPtr<TRecordingSink> sink = MakeCounted<TRecordingSink>();
  TLib untitled{"_Untitled_1", false};
};

TEST_F(MessageChannelTest, ReportErrorWritesMessageLibraryAndPosition) {
  ReportError("Unknown identifier \"x\"", {1, 7}, &untitled);
  ASSERT_EQ(sink->Lines.size(), 1u);
  EXPECT_EQ(sink->Lines[0], (TSentLine{"Unknown identifier \"x\" in \"_Untitled_1\" at [1:7] ", lkError, 0}));
  EXPECT_EQ(GetLastErrorText(), "Unknown identifier \"x\"");
  EXPECT_EQ(GetLastErrorPos(), (TSourcePos{1, 7}));
  EXPECT_EQ(GetLastErrorLib(), "_Untitled_1");
}

TEST_F(MessageChannelTest, PositionPartDependsOnLineOnly) {
  const struct {
    TSourcePos Pos;
    const TLib* Lib;
    const char* Line;
  } cases[] = {
      {NoPosition, nullptr, "Oops"},
      {{-1, 5}, nullptr, "Oops"},
      {{0, 0}, nullptr, "Oops at [0:0] "},
      {NoPosition, &untitled, "Oops in \"_Untitled_1\""},
  };
  for (const auto& c : cases) {
    sink->Lines.clear();
    ReportError("Oops", c.Pos, c.Lib);
    ASSERT_EQ(sink->Lines.size(), 1u);
    EXPECT_EQ(sink->Lines[0].Text, c.Line);
    EXPECT_EQ(GetLastErrorPos(), c.Pos);
  }
}

TEST_F(MessageChannelTest, ChangingTheSinkClearsTheLastError) {
  ReportError("First", {3, 4}, &untitled);
  SetMessageSink(sink);
  EXPECT_EQ(GetLastErrorText(), "First") << "the same sink again must keep the error";

  SetMessageSink(MakeCounted<TRecordingSink>());
  EXPECT_EQ(GetLastErrorText(), "");
  EXPECT_EQ(GetLastErrorPos(), NoPosition);
  EXPECT_EQ(GetLastErrorLib(), "");

  ReportError("Second", {3, 4}, nullptr);
  SetMessageSink(nullptr);
  EXPECT_EQ(GetLastErrorText(), "") << "nil is a different sink too";
}

TEST_F(MessageChannelTest, WithoutSinkErrorsAreStillRecordedAndLinesDropped) {
  SetMessageSink(nullptr);
  WriteMessage("dropped", lkOutput, 0);
  ExpandMessageLevels(2);
  ReportError("Silent", {2, 9}, &untitled);
  EXPECT_FALSE(GetMessageSink());
  EXPECT_EQ(GetLastErrorText(), "Silent");
  EXPECT_EQ(GetLastErrorPos(), (TSourcePos{2, 9}));
  EXPECT_TRUE(sink->Lines.empty());
  EXPECT_TRUE(sink->Expanded.empty());
}

TEST_F(MessageChannelTest, WritesAndExpansionsReachTheSink) {
  WriteMessage("x = 1", lkResult, 2);
  ExpandMessageLevels(3);
  EXPECT_EQ(sink->Lines, (std::vector<TSentLine>{{"x = 1", lkResult, 2}}));
  EXPECT_EQ(sink->Expanded, std::vector<int>{3});
  EXPECT_EQ(GetMessageSink().get(), sink.get());
}

TEST_F(MessageChannelTest, ClearLastErrorForgetsTheRecord) {
  ReportError("Gone", {1, 1}, &untitled);
  ClearLastError();
  EXPECT_EQ(GetLastErrorText(), "");
  EXPECT_EQ(GetLastErrorPos(), NoPosition);
  EXPECT_EQ(GetLastErrorLib(), "");
}

// Also with no sink, and whatever clears the last error.
TEST_F(MessageChannelTest, EveryReportedErrorIsCounted) {
  const std::uint64_t before = ReportedErrorCount();
  ReportError("One", NoPosition, nullptr);
  ClearLastError();
  SetMessageSink(nullptr);
  ReportError("Two", {1, 1}, nullptr);
  WriteMessage("not an error", lkError, 0);
  EXPECT_EQ(ReportedErrorCount() - before, 2u);
}

TEST(MessageChannelSinkLifetime, ChannelReleasesTheSinkItReplaces) {
  auto sink = MakeCounted<TRecordingSink>();
  SetMessageSink(sink);
  EXPECT_EQ(sink->RefCount(), 2);
  SetMessageSink(nullptr);
  EXPECT_EQ(sink->RefCount(), 1);
}

}  // namespace

TEST_F(MessageChannelTest, ReportingFaultsTurnsAPlatformFaultIntoAnErrorLine) {
  EXPECT_TRUE(ReportingFaults([] {}));
  EXPECT_FALSE(ReportingFaults([] { throw EZeroDivide(); }));
  ASSERT_EQ(sink->Lines.size(), 1u);
  EXPECT_EQ(sink->Lines[0], (TSentLine{"Floating point division by zero", lkError, 0}));
  EXPECT_THROW(ReportingFaults([] { QASSERT(false, "5B0C1D2E"); }), EAssertionFailed);
}
