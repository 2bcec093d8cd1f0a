// The toolkit test programs' runtime folder: their own one goes when they
// end, the user's one is never touched.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/runtime/TempFolder.h"
#include "tests/toolkit/RuntimeFolder.h"

TEST(TestRuntimeFolder, RemovesOnlyTheFolderItMade) {
  const char* programs = std::getenv("XDG_RUNTIME_DIR");
  const ScopedEnvironment runtime("XDG_RUNTIME_DIR", programs ? programs : "");
  std::string made;
  {
    const TTestRuntimeFolder folder;
    made = folder.Path();
    ASSERT_FALSE(made.empty());
    EXPECT_EQ(std::getenv("XDG_RUNTIME_DIR"), made);
    EXPECT_TRUE(std::filesystem::is_directory(made));
  }
  EXPECT_FALSE(std::filesystem::exists(made));
}

TEST(TestRuntimeFolder, KeepsTheInheritedFolderWhenItCannotMakeOne) {
  const TempFolder scratch;
  const std::string inherited = scratch / "session";
  std::filesystem::create_directory(inherited);
  std::ofstream(inherited + "/socket") << "in use";
  const std::string notAFolder = scratch / "file";
  std::ofstream(notAFolder) << "no temporary folder here";
  const ScopedEnvironment temp("TMPDIR", notAFolder);
  const ScopedEnvironment runtime("XDG_RUNTIME_DIR", inherited);
  {
    const TTestRuntimeFolder folder;
    EXPECT_TRUE(folder.Path().empty());
    EXPECT_EQ(std::getenv("XDG_RUNTIME_DIR"), inherited);
  }
  EXPECT_TRUE(std::filesystem::exists(inherited + "/socket")) << "the user's runtime folder was removed";
}
