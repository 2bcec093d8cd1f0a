#pragma once
// The main window with its engine, its program folders and settings in a
// temporary folder of their own, for the benchmarks of the shell's windows.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "console/Sounds.h"
#include "runtime/Storage.h"
#include "shell/Images.h"
#include "shell/MainForm.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/PlaySound.h"

class TMainWindowBench {
public:
  explicit TMainWindowBench(const std::string& name = "shell-bench")
      : folder_(std::filesystem::temp_directory_path() / ("quantrel-" + name + "-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(folder_ / "LIBS");
    setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    setenv("XDG_DATA_HOME", folder_.c_str(), 1);
    SetAppFolder(folder_.string() + "/");
    SetSoundBackend(nullptr);
    Storage = std::make_unique<TStorage>(name + ".ini", 0);
    images_ = std::make_unique<TImages>(nullptr);
    Form = new TMainForm(nullptr);
    Form->Show();
    Application().ProcessMessages();
  }
  ~TMainWindowBench() {
    delete Form;
    images_.reset();
    AppSounds.reset();
    Storage.reset();
    SetAppFolder("");
    std::filesystem::remove_all(folder_);
  }
  TMainWindowBench(const TMainWindowBench&) = delete;
  TMainWindowBench& operator=(const TMainWindowBench&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }

  TMainForm* Form;

private:
  std::filesystem::path folder_;
  std::unique_ptr<TImages> images_;
};
