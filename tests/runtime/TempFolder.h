#pragma once
// Files for tests. A fresh folder for one test, removed with everything in it afterwards.
// Made below $QUANTREL_TEST_TMP (set by CTest) or the system's temporary folder.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

class TempFolder {
public:
  TempFolder() {
    const char* base = std::getenv("QUANTREL_TEST_TMP");
    std::filesystem::path parent = base && *base ? base : std::filesystem::temp_directory_path().string();
    std::filesystem::create_directories(parent);
    std::string pattern = (parent / "quantrel-XXXXXX").string();
    if (!mkdtemp(pattern.data())) ADD_FAILURE() << "cannot make a folder below " << parent;
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
  std::filesystem::path path_;
};

// Points an environment variable at a value for the lifetime of the object.
class ScopedEnvironment {
public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old, hadValue_ = true;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    if (hadValue_)
      setenv(name_, old_.c_str(), 1);
    else
      unsetenv(name_);
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
  const char* name_;
  std::string old_;
  bool hadValue_ = false;
};

// The whole content of a file; empty when it cannot be read.
inline std::string ReadFileText(const std::string& name) {
  std::ifstream stream(name, std::ios::binary);
  std::stringstream text;
  text << stream.rdbuf();
  return text.str();
}
