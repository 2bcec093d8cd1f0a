#include "shell/Program.h"

#include <exception>
#include <memory>

#include "console/Sounds.h"
#include "engine/data/IOSystem.h"
#include "runtime/Help.h"
#include "runtime/Params.h"
#include "runtime/Storage.h"
#include "runtime/SysInfo.h"
#include "shell/CreationTable.h"
#include "shell/Images.h"
#include "shell/InstCtrl.h"
#include "shell/LibMan.h"
#include "shell/MainForm.h"
#include "shell/Splash.h"
#include "toolkit/controls/Application.h"
#include "toolkit/qt/HelpViewer.h"
#include "toolkit/qt/QtPlatform.h"

namespace {

// The splash's messages and progress, also told to a watcher.
class TWatchedProgress final : public ILoadProgress {
public:
  TWatchedProgress(ILoadProgress& splash, ILoadProgress& watcher) : splash_(splash), watcher_(watcher) {}
  void AddMessage(const std::string& Message) override {
    watcher_.AddMessage(Message);
    splash_.AddMessage(Message);
  }
  void SetProgress(int Percent) override {
    watcher_.SetProgress(Percent);
    splash_.SetProgress(Percent);
  }

private:
  ILoadProgress& splash_;
  ILoadProgress& watcher_;
};

// The windows made so far, freed in the reverse order.
class TMadeWindows {
public:
  TMadeWindows() = default;
  ~TMadeWindows() {
    for (auto window = made_.rbegin(); window != made_.rend(); ++window) (*window)->Destroy();
  }
  TMadeWindows(const TMadeWindows&) = delete;
  TMadeWindows& operator=(const TMadeWindows&) = delete;

  // False, after the application's error box, when a window could not be made.
  bool MakeAll(const std::vector<TCreationStep>& table) {
    try {
      for (const TCreationStep& step : table) {
        if (!step.Message.empty()) LoadProgress->AddMessage(step.Message);
        for (const TStartWindow& window : step.Windows) {
          window.Create();
          made_.push_back(&window);
        }
        if (step.Progress >= 0) LoadProgress->SetProgress(step.Progress);
      }
      return true;
    } catch (const std::exception& error) {
      Application().ShowException(error);
      return false;
    }
  }

private:
  std::vector<const TStartWindow*> made_;
};

// The settings, the options, the platform and the services around the
// engine, from the gate's decision to the end, in the reverse order.
class TRunningProgram {
public:
  TRunningProgram(int& argc, char** argv, const TProgramStart& start, std::unique_ptr<TInstCtrl> gate)
      : gate_(std::move(gate)), table_(start.Table ? *start.Table : CreationTable()) {
    ProgramArguments = start.Arguments;
    Storage = std::make_unique<TStorage>("", 0);
    Params.Load();
    StartQtPlatform(argc, argv);
    Application().OnAbruptEnd = [this] { SaveEverySetting(); };
    Application().OnEndRequest = [] {
      if (MainForm) MainForm->CloseUnattended();
    };
    HandleEndSignals(true);
    Application().SetTitle("Quantrel");
    // The data sources live around the engine: their plug-ins' code must
    // stay loaded until every source the engine opened is released.
    IOSystem = std::make_unique<TIOSystem>();
    SetHelpViewer(&HelpViewer());
    gate_->Listen();
  }
  ~TRunningProgram() {
    HandleEndSignals(false);
    Application().OnAbruptEnd = nullptr;
    Application().OnEndRequest = nullptr;
    AppSounds.reset();
    gate_.reset();
    IOSystem.reset();
    Params.Save();
    SetHelpViewer(nullptr);
    Storage.reset();
    ProgramArguments.clear();
  }
  TRunningProgram(const TRunningProgram&) = delete;
  TRunningProgram& operator=(const TRunningProgram&) = delete;

  // Files handed over while the windows were made run once the loop runs.
  void DeliverHandOvers() { gate_->Deliver(); }
  const std::vector<TCreationStep>& Table() const { return table_; }

private:
  // The display went away: what the end would write, written now, the
  // newest window first; nothing is freed.
  void SaveEverySetting() {
    for (auto step = table_.rbegin(); step != table_.rend(); ++step)
      for (auto window = step->Windows.rbegin(); window != step->Windows.rend(); ++window)
        if (window->SaveSettings) window->SaveSettings();
    if (AppSounds) AppSounds->Save();
    Params.Save();
    Storage.reset();
  }

  std::unique_ptr<TInstCtrl> gate_;
  const std::vector<TCreationStep>& table_;
};

// The splash, shown at once, and the pictures, made before any window.
class TSplashAndImages {
public:
  explicit TSplashAndImages(const TProgramStart& start) {
    frmSplash = new TfrmSplash(&Application());
    frmSplash->Show();
    if (start.ProgressWatcher) {
      watched_ = std::make_unique<TWatchedProgress>(*frmSplash, *start.ProgressWatcher);
      LoadProgress = watched_.get();
    }
    LoadProgress->AddMessage("Creating main console");
    images_ = std::make_unique<TImages>(&Application());
  }
  // Freed after the windows, which hold the pictures.
  ~TSplashAndImages() {
    images_.reset();
    delete frmSplash;
    LoadProgress = nullptr;
  }
  TSplashAndImages(const TSplashAndImages&) = delete;
  TSplashAndImages& operator=(const TSplashAndImages&) = delete;

  // The start-up's progress has been told.
  void StartUpDone() { LoadProgress = nullptr; }

private:
  std::unique_ptr<TWatchedProgress> watched_;
  std::unique_ptr<TImages> images_;
};

}  // namespace

int RunProgram(int& argc, char** argv, const TProgramStart& start) {
  auto gate = std::make_unique<TInstCtrl>(nullptr);
  gate->Check(start.ProgramFile.empty() ? ProgramFileName() : start.ProgramFile, start.Arguments);
  if (!FirstInstance) return 0;
  TRunningProgram program(argc, argv, start, std::move(gate));
  TSplashAndImages splash(start);
  bool made = false;
  {
    TMadeWindows windows;
    made = windows.MakeAll(program.Table());
    splash.StartUpDone();
    if (made) {
      program.DeliverHandOvers();
      Application().Run();
    }
  }
  return made ? 0 : 1;
}

int RunProgram(int& argc, char** argv) {
  TProgramStart start;
  start.Arguments.assign(argv + 1, argv + argc);
  return RunProgram(argc, argv, start);
}
