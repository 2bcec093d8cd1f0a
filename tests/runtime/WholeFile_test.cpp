#include "runtime/WholeFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "tests/runtime/TempFolder.h"

namespace {

TEST(WholeFile, ReadsEveryByte) {
  TempFolder folder;
  std::string bytes(200000, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  std::ofstream(folder / "data.bin", std::ios::binary) << bytes;
  std::string content = "old";
  ASSERT_TRUE(ReadWholeFile(folder / "data.bin", content));
  EXPECT_EQ(content, bytes);
  std::ofstream(folder / "empty.bin", std::ios::binary);
  EXPECT_TRUE(ReadWholeFile(folder / "empty.bin", content));
  EXPECT_EQ(content, "");
}

TEST(WholeFile, SaysWhyAFileDoesNotRead) {
  TempFolder folder;
  std::string content;
  EXPECT_FALSE(ReadWholeFile(folder / "missing.txt", content));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_FALSE(ReadWholeFile(folder.Path().string(), content));
  EXPECT_EQ(errno, EISDIR);
}

}  // namespace
