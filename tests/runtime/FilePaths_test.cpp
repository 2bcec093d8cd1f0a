#include "runtime/FilePaths.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "tests/runtime/TempFolder.h"

namespace {

TEST(FilePaths, FilesAreFoundIgnoringCaseWhereTheExactNameIsMissing) {
  TempFolder folder;
  std::filesystem::create_directories(folder / "Images/Sub");
  std::ofstream(folder / "MASTER.BMP") << "m";
  std::ofstream(folder / "btn.bmp") << "b";
  std::ofstream(folder / "Images/Sub/Glyph.Bmp") << "g";
  std::ofstream(folder / "Images/glyph.bmp") << "exact";
  const std::string root = folder.Path().string();
  const struct {
    const char* Name;
    std::string Found;
  } cases[] = {
      {"master.bmp", root + "/MASTER.BMP"},
      {"BTN.BMP", root + "/btn.bmp"},
      {"btn.bmp", root + "/btn.bmp"},
      {"IMAGES/sub/GLYPH.BMP", root + "/Images/Sub/Glyph.Bmp"},
      {"images/glyph.bmp", root + "/Images/glyph.bmp"},
      {"Images", ""},
      {"missing.bmp", ""},
      {"btn.bmp/x", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FindFileIgnoringCase(root, c.Name), c.Found) << c.Name;
  EXPECT_EQ(FindFileIgnoringCase(root + "/none", "btn.bmp"), "") << "a folder that is missing";
}

}  // namespace
