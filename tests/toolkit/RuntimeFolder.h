#pragma once
// The toolkit test programs' own runtime folder (Qt warns when there is
// none), removed with this object. When none can be made, the inherited
// XDG_RUNTIME_DIR stays in use and is never removed: it belongs to the
// user's session.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

class TTestRuntimeFolder {
public:
  TTestRuntimeFolder() {
    std::error_code error;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    if (error) return;
    std::string pattern = (temp / "quantrel-xdg-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return;
    path_ = pattern;
    setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
  }
  ~TTestRuntimeFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TTestRuntimeFolder(const TTestRuntimeFolder&) = delete;
  TTestRuntimeFolder& operator=(const TTestRuntimeFolder&) = delete;

  // Empty when the inherited folder is in use.
  const std::string& Path() const { return path_; }

private:
  std::string path_;
};
