#pragma once
// The main window in this process, on settings of its own, for the tools
// that take pictures of the shell's windows. Windows handed over with Own
// are deleted, latest first, before the main window, while Qt still runs:
// a focused text widget torn down at exit crashes in Qt.

#include <functional>
#include <memory>
#include <vector>

#include "tools/DemoRun.h"

class TImages;
class TMainForm;

class TShellShot {
public:
  // argc stays referenced by the platform while it runs.
  TShellShot(int& argc, char** argv, const char* settingsFile);
  ~TShellShot();
  TShellShot(const TShellShot&) = delete;
  TShellShot& operator=(const TShellShot&) = delete;

  TMainForm& Form() { return *form_; }
  // The window the global points at, deleted and the global cleared.
  template <class TWindow>
  void Own(TWindow*& window) {
    owned_.push_back([&window] {
      delete window;
      window = nullptr;
    });
  }

private:
  TFreshSettingsFolder settings_;
  std::unique_ptr<TImages> images_;
  TMainForm* form_ = nullptr;
  std::vector<std::function<void()>> owned_;
};
