#pragma once
// The test skin written into a temporary folder of its own for a
// benchmark, and a manager pointed at it.

#include <cstdlib>
#include <filesystem>
#include <string>

#include "skin/skins/SkinManager.h"
#include "tests/skin/TestSkinWriter.h"

// The test skin in a folder of its own, removed at the end.
class TSkinFolder {
public:
  TSkinFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quantrel-skin-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    folder_ = pattern;
    WriteTestSkin(folder_);
  }
  ~TSkinFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  const std::string& Path() const { return folder_; }

private:
  std::string folder_;
};

inline void PointAtTestSkin(TSkinManager& manager, const TSkinFolder& folder) {
  manager.SetSkinDirectory(folder.Path());
  manager.SetSkinName("TestSkin");
}

