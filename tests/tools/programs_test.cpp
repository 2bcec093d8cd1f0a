// The golden programs: each tests/programs/<name>.tarn run by tarnsh must
// print exactly <name>.out, and end with status 1 exactly when it wrote an
// error line.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/runtime/TempFolder.h"
#include "tests/tools/TarnshRun.h"

namespace {

bool HasErrorLine(const std::string& output) {
  return output.starts_with("5:") || output.starts_with("7:") || output.find("\n5:") != std::string::npos ||
         output.find("\n7:") != std::string::npos;
}

std::vector<std::filesystem::path> Programs() {
  std::vector<std::filesystem::path> programs;
  for (const auto& entry : std::filesystem::directory_iterator(PROGRAMS_DIR))
    if (entry.path().extension() == ".tarn") programs.push_back(entry.path());
  std::sort(programs.begin(), programs.end());
  return programs;
}

TEST(GoldenPrograms, PrintTheirExpectedLines) {
  std::vector<std::filesystem::path> programs = Programs();
  ASSERT_FALSE(programs.empty());
  for (const std::filesystem::path& program : programs) {
    std::filesystem::path expected = std::filesystem::path(program).replace_extension(".out");
    ASSERT_TRUE(std::filesystem::exists(expected)) << expected;
    std::string output = ReadFileText(expected.string());
    TRun run = RunTarnsh("'" + program.string() + "'");
    EXPECT_EQ(run.Output, output) << program.filename();
    EXPECT_EQ(run.Status, HasErrorLine(output) ? 1 : 0) << program.filename();
    // No script reaches an internal assertion or any other fault.
    EXPECT_EQ(run.Output.find("tarnsh: "), std::string::npos) << program.filename();
  }
}

}  // namespace
