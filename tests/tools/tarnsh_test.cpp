// tarnsh as its users see it: its output lines and its exit status.

#include <gtest/gtest.h>

#include <string>

#include "tests/tools/TarnshRun.h"

namespace {

TEST(TarnshTest, PrintsEachEngineLineWithItsKindAndLevel) {
  TRun run = RunTarnsh("-e '2+3*4'");
  EXPECT_EQ(run.Output, "1:0:14\n");
  EXPECT_EQ(run.Status, 0);
}

TEST(TarnshTest, LinesShareOneWorkspaceAndListResults) {
  TRun run = RunTarnsh("-e 'y := {3}' -e 'y[1] * 2' -e 'ans + 1'");
  EXPECT_EQ(run.Output, "1:0:vector [1]\n6:1:-\n0:1:1 |  3\n6:1:-\n1:0:6\n1:0:7\n");
  EXPECT_EQ(run.Status, 0);
}

TEST(TarnshTest, AnErrorLineMakesTheStatusOne) {
  TRun run = RunTarnsh("-e x -e 1");
  EXPECT_EQ(run.Output, "5:0:Unknown identifier \"x\" at [1:1] \n1:0:1\n");
  EXPECT_EQ(run.Status, 1);
}

TEST(TarnshTest, ReadsLinesFromStandardInputWithoutArguments) {
  TRun run = RunTarnsh("", "a := 2\\n\\na * a\\n");
  EXPECT_EQ(run.Output, "1:0:2\n1:0:4\n");
  EXPECT_EQ(run.Status, 0);
}

// A folder used to end tarnsh with an uncaught exception from its stream.
TEST(TarnshTest, RefusesAProgramFileItCannotRead) {
  for (const std::string file : {"/nonexistent/program.tarn", PROGRAMS_DIR, ""}) {
    TRun run = RunTarnsh("'" + file + "'");
    EXPECT_EQ(run.Output, "tarnsh: cannot read " + file + "\n");
    EXPECT_EQ(run.Status, 2) << "file \"" << file << '"';
  }
}

TEST(TarnshTest, RefusesACommandLineItDoesNotKnow) {
  EXPECT_EQ(RunTarnsh("-e").Status, 2);
  EXPECT_EQ(RunTarnsh("-x 1").Status, 2);
}

}  // namespace
