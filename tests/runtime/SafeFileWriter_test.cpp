// The safe file writer: a file is replaced whole or left as it was.

#include "runtime/SafeFileWriter.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/runtime/FileSizeLimit.h"
#include "tests/runtime/TempFolder.h"

namespace {

void WriteText(const std::string& fileName, const std::string& text) { std::ofstream(fileName, std::ios::binary) << text; }

int FilesIn(const TempFolder& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) ++count;
  return count;
}

mode_t ModeOf(const std::string& fileName) {
  struct stat info;
  return ::stat(fileName.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(SafeFileWriter, ReplacesTheFileKeepingItsMode) {
  TempFolder folder;
  const std::string file = folder / "settings.ini";
  WriteText(file, "old");
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileSafely(file, "new"));
  EXPECT_EQ(ReadFileText(file), "new");
  EXPECT_EQ(ModeOf(file), 0640u);
  EXPECT_EQ(FilesIn(folder), 1) << "no new file is left behind";
  ASSERT_TRUE(WriteFileSafely(folder / "deeper/still/made.txt", "made"));
  EXPECT_EQ(ReadFileText(folder / "deeper/still/made.txt"), "made");
}

TEST(SafeFileWriter, WritesThroughALink) {
  TempFolder folder;
  const std::string target = folder / "kept.txt";
  const std::string link = folder / "link.txt";
  WriteText(target, "old");
  std::filesystem::create_symlink("kept.txt", link);
  ASSERT_TRUE(WriteFileSafely(link, "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFileText(target), "new");
}

TEST(SafeFileWriter, AFailedWriteLeavesTheOldFileAndSaysWhy) {
  TempFolder folder;
  const std::string file = folder / "data.xvar";
  WriteText(file, "old");
  {
    TFileSizeLimit full(4096);
    EXPECT_FALSE(WriteFileSafely(file, std::string(100000, 'x')));
    EXPECT_EQ(errno, EFBIG);
  }
  EXPECT_EQ(ReadFileText(file), "old");
  EXPECT_EQ(FilesIn(folder), 1);
  TSafeFileWriter intoFolder(folder.Path().string());
  EXPECT_FALSE(intoFolder.Open());
  EXPECT_EQ(intoFolder.Error(), EISDIR);
}

// A process that ends between writing and renaming leaves the old file.
TEST(SafeFileWriter, ACrashBeforeTheRenameLeavesTheOldFile) {
  TempFolder folder;
  const std::string file = folder / "workspace.xws";
  WriteText(file, "old");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TSafeFileWriter writer(file);
    const std::string text = "new and unfinished";
    if (writer.Open() && writer.Write(text.data(), text.size())) ::_exit(0);
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadFileText(file), "old");
}

TEST(SafeFileWriter, DiscardingLeavesTheOldFile) {
  TempFolder folder;
  const std::string file = folder / "picture.bmp";
  WriteText(file, "old");
  {
    TSafeFileWriter writer(file);
    ASSERT_TRUE(writer.Open());
    ASSERT_TRUE(writer.WriteByte('n'));
  }
  EXPECT_EQ(ReadFileText(file), "old");
  EXPECT_EQ(FilesIn(folder), 1);
}

}  // namespace
