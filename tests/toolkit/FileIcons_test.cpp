#include "toolkit/win/FileIcons.h"

#include <fstream>

#include <gtest/gtest.h>

#include "tests/runtime/TempFolder.h"
#include "toolkit/qt/QtFileIcons.h"

namespace {

TEST(FileIcons, TheDesktopsIconOfAFileHasTheSizeAskedFor) {
  TempFolder folder;
  const std::string file = folder / "notes.txt";
  std::ofstream(file) << "x";
  SetFileIcons(&QtFileIcons());
  for (const auto& [flags, size] : {std::pair{SHGFI_ICON | SHGFI_SMALLICON, 16}, std::pair{SHGFI_ICON, 32}}) {
    SHFILEINFO info;
    // A desktop without an icon theme may have none.
    if (!SHGetFileInfo(file, 0, info, flags)) continue;
    TIcon icon(info.hIcon);
    EXPECT_EQ(icon.Width(), size);
    EXPECT_EQ(icon.Height(), size);
  }
  SHFILEINFO info;
  EXPECT_FALSE(SHGetFileInfo(file, 0, info, SHGFI_SMALLICON)) << "no icon asked for";
  SetFileIcons(nullptr);
  EXPECT_FALSE(SHGetFileInfo(file, 0, info, SHGFI_ICON)) << "no desktop, no icon";
}

}  // namespace
