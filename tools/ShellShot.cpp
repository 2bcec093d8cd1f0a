#include "tools/ShellShot.h"

#include "console/Sounds.h"
#include "runtime/Storage.h"
#include "shell/Images.h"
#include "shell/MainForm.h"
#include "toolkit/controls/Application.h"
#include "toolkit/qt/QtPlatform.h"

TShellShot::TShellShot(int& argc, char** argv, const char* settingsFile) {
  Storage = std::make_unique<TStorage>(settingsFile, 0);
  StartQtPlatform(argc, argv);
  Application().SetTitle("Quantrel");
  images_ = std::make_unique<TImages>(nullptr);
  form_ = Application().CreateForm<TMainForm>();
}

TShellShot::~TShellShot() {
  for (auto release = owned_.rbegin(); release != owned_.rend(); ++release) (*release)();
  delete form_;
  images_.reset();
  AppSounds.reset();
  Storage.reset();
}
